#pragma once

#include <string>

#include "platform/site_config.h"

namespace rankminer {

// The notes window's help text (GBK, "\r\n" line breaks): the program's
// introduction with the site's two report addresses, then the answers to the
// usual questions. Addresses come from the configured hosts.
std::string notesHelpText(const SiteConfig& config);

}  // namespace rankminer
