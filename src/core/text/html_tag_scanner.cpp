#include "text/html_tag_scanner.h"

#include <cstring>

#include "text/gbk.h"

namespace rankminer {

namespace {

unsigned char lowerAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 32) : byte;
}

bool isAsciiAlphanumeric(unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z');
}

std::size_t nextLessThan(std::string_view text, std::size_t from) {
    if (from >= text.size()) {
        return std::string_view::npos;
    }
    const void* found = std::memchr(text.data() + from, '<', text.size() - from);
    return found == nullptr
               ? std::string_view::npos
               : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
}

}  // namespace

HtmlTagScanner::HtmlTagScanner(std::string_view tag)
    : name_(toLowerAscii(tag)), exact_(name_.size(), 0) {
    for (std::size_t i = 0; i < name_.size();) {
        const std::size_t length = gbkCharLength(name_, i);
        if (length == 2) {
            exact_[i] = 1;
            exact_[i + 1] = 1;
            asciiName_ = false;
        }
        i += length;
    }
    firstByte_ = name_.empty() ? 0 : static_cast<unsigned char>(name_[0]);
}

bool HtmlTagScanner::nameMatchesAt(std::string_view text, std::size_t at) const {
    if (text.size() - at < name_.size()) {
        return false;
    }
    // Most "<" start another tag: settle those on the first byte.
    if (!name_.empty() && lowerAscii(static_cast<unsigned char>(text[at])) != firstByte_ &&
        static_cast<unsigned char>(text[at]) != firstByte_) {
        return false;
    }
    if (asciiName_) {
        for (std::size_t k = 0; k < name_.size(); ++k) {
            if (lowerAscii(static_cast<unsigned char>(text[at + k])) !=
                static_cast<unsigned char>(name_[k])) {
                return false;
            }
        }
        return true;
    }
    for (std::size_t k = 0; k < name_.size(); ++k) {
        const auto byte = static_cast<unsigned char>(text[at + k]);
        const auto wanted = static_cast<unsigned char>(name_[k]);
        if ((exact_[k] ? byte : lowerAscii(byte)) != wanted) {
            return false;
        }
    }
    return true;
}

bool HtmlTagScanner::isOpenAt(std::string_view text, std::size_t at) const {
    if (at >= text.size() || text[at] != '<' || !nameMatchesAt(text, at + 1)) {
        return false;
    }
    const std::size_t after = at + 1 + name_.size();
    return after >= text.size() || !isAsciiAlphanumeric(static_cast<unsigned char>(text[after]));
}

bool HtmlTagScanner::isCloseAt(std::string_view text, std::size_t at) const {
    if (text.size() - at < closeLength() || text[at] != '<' || text[at + 1] != '/') {
        return false;
    }
    return nameMatchesAt(text, at + 2) && text[at + 2 + name_.size()] == '>';
}

std::size_t HtmlTagScanner::nextOpen(std::string_view text, std::size_t from) const {
    for (std::size_t at = nextLessThan(text, from); at != npos; at = nextLessThan(text, at + 1)) {
        if (isOpenAt(text, at)) {
            return at;
        }
    }
    return npos;
}

std::size_t HtmlTagScanner::nextClose(std::string_view text, std::size_t from) const {
    for (std::size_t at = nextLessThan(text, from); at != npos; at = nextLessThan(text, at + 1)) {
        if (isCloseAt(text, at)) {
            return at;
        }
    }
    return npos;
}

std::size_t GreaterSignFinder::next(std::size_t from) {
    if (searchedFrom_ != std::string_view::npos && from >= searchedFrom_ &&
        (found_ == std::string_view::npos || from <= found_)) {
        return found_;
    }
    searchedFrom_ = from;
    found_ = from < text_.size() ? text_.find('>', from) : std::string_view::npos;
    return found_;
}

}  // namespace rankminer
