#pragma once

// The parts of a simulated page around the report: head with styles and
// scripts, navigation, footer. Real pages carry plenty of such markup, and the
// parsers must find their markers inside it. GBK.

#include <string>
#include <string_view>

namespace rankminer::sim {

// "<!DOCTYPE html>..." up to and including "<body>" and the navigation bar.
// metaCharset: the charset named by a meta http-equiv element, or empty for
// no such element.
std::string pageTop(std::string_view title, std::string_view metaCharset);
// The footer and the closing tags.
std::string pageBottom();

// A complete small page with one paragraph, for the rate-limit answers and the
// plain routes.
std::string notePage(std::string_view title, std::string_view message);

}  // namespace rankminer::sim
