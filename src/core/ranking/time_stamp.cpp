#include "ranking/time_stamp.h"

namespace rankminer {

namespace {
std::string twoDigits(int value) {
    std::string text = std::to_string(value);
    return text.size() == 1 ? "0" + text : text;
}
}  // namespace

std::string timeStampText(const std::tm& time) {
    return std::to_string(time.tm_year + 1900) + "-" + twoDigits(time.tm_mon + 1) + "-" +
           twoDigits(time.tm_mday) + " " + twoDigits(time.tm_hour) + ":" + twoDigits(time.tm_min) +
           ":" + twoDigits(time.tm_sec);
}

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace rankminer
