#pragma once

#include <string>
#include <string_view>

namespace rankminer {

// Sends one GET for a redirect link, without following it, and returns the
// response's Location header exactly as the server sent it; empty when the
// answer has none or the exchange fails. Shares no cookies or connections with
// the request engine. Gives up after about 25 s: 10 s to resolve and connect,
// 5 s without data while receiving, 25 s in all.
std::string resolveRedirect(std::string_view link);

}  // namespace rankminer
