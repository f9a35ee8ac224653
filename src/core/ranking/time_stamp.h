#pragma once

#include <ctime>
#include <string>

namespace rankminer {

// "2017-11-08 09:05:03": year, then month, day, hour, minute and second, each
// of the last five two digits wide.
std::string timeStampText(const std::tm& time);

// The local time now.
std::tm localTimeNow();

}  // namespace rankminer
