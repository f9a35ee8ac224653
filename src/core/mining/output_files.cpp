#include "mining/output_files.h"

#include "platform/files.h"
#include "text/gbk.h"

namespace rankminer {

namespace {
// One level of the walk: nothing to do for the root or a doubled separator.
bool ensureDirectory(std::string_view level) {
    if (level.empty() || level.back() == '/' || isDirectory(level)) {
        return true;
    }
    return !pathExists(level) && createDirectory(level);
}
}  // namespace

bool makeDirectoryPath(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < path.size(); i += gbkCharLength(path, i)) {
        if (path[i] == '/' && !ensureDirectory(path.substr(0, i))) {
            return false;
        }
    }
    return path.back() == '/' || ensureDirectory(path);
}

std::string withTrailingSeparator(std::string_view folder) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/') {
        out += '/';
    }
    return out;
}

std::string toFileName(std::string_view text) {
    static constexpr std::string_view kReserved = "\\/:*?|<>";
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = gbkCharLength(text, i);
        if (length == 2) {
            out.append(text.substr(i, 2));
            i += 2;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        ++i;
        if (kReserved.find(static_cast<char>(byte)) != std::string_view::npos) {
            out.push_back(static_cast<char>(0xA3));
            out.push_back(static_cast<char>(byte + 0x80));
        } else if (byte != '"' && byte != '\r' && byte != '\n' && byte != '\t') {
            out.push_back(static_cast<char>(byte));
        }
    }
    return out;
}

std::string dateTimeText(const std::tm& when) {
    static const std::string kYear = gbk("年");
    static const std::string kMonth = gbk("月");
    static const std::string kDay = gbk("日");
    static const std::string kHour = gbk("时");
    static const std::string kMinute = gbk("分");
    static const std::string kSecond = gbk("秒");
    std::string out = std::to_string(when.tm_year + 1900) + kYear +
                      std::to_string(when.tm_mon + 1) + kMonth + std::to_string(when.tm_mday) +
                      kDay;
    if (when.tm_sec != 0) {
        out += std::to_string(when.tm_hour) + kHour + std::to_string(when.tm_min) + kMinute +
               std::to_string(when.tm_sec) + kSecond;
    } else if (when.tm_min != 0) {
        out += std::to_string(when.tm_hour) + kHour + std::to_string(when.tm_min) + kMinute;
    } else if (when.tm_hour != 0) {
        out += std::to_string(when.tm_hour) + kHour;
    }
    return out;
}

std::string currentDateTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return dateTimeText(local);
}

std::string defaultMiningDirectory() {
    return homeDirectory() + "/" + gbk("挖掘的关键词");
}

std::string allResultsFilePath(std::string_view folder, std::string_view dateTime,
                               std::string_view extension) {
    static const std::string kPrefix = gbk("全部结果_");
    std::string path(folder);
    path += kPrefix;
    path += dateTime;
    path += '.';
    path += extension;
    return path;
}

std::string seedFilePath(std::string_view folder, std::string_view seed, std::string_view dateTime,
                         std::string_view extension) {
    std::string path(folder);
    path += toFileName(seed);
    path += '_';
    path += dateTime;
    path += '.';
    path += extension;
    return path;
}

}  // namespace rankminer
