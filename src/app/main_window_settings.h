#pragma once

#include <string>
#include <string_view>

namespace rankminer {

// The settings file: the program's folder + "/" + name + ".ini" when that
// folder is writable, else the user's configuration folder (created when
// missing). GBK path.
std::string settingsFilePath(std::string_view applicationName);

// The section of the main window's controls.
const std::string& mainWindowSection();

}  // namespace rankminer
