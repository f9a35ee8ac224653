#include "text/html_extractor.h"

#include "platform/message_pump.h"
#include "text/gbk.h"
#include "text/html_attributes.h"
#include "text/html_equals_normaliser.h"
#include "text/html_tag_scanner.h"

namespace rankminer {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool endsSelfClosed(std::string_view text, std::size_t greaterSign) {
    return greaterSign > 0 && text[greaterSign - 1] == '/';
}

// The offset of the end tag that closes the element whose start tag ends just
// before `from`: the first "</tag>" before which as many start tags as end
// tags of the name lie (counted from `from`). Counting goes on from where the
// previous candidate left it, so the span is read once. npos when none balances.
std::size_t balancingClose(std::string_view text, const HtmlTagScanner& scanner, std::size_t from) {
    std::size_t opens = 0;
    std::size_t closes = 0;
    std::size_t nextOpen = scanner.nextOpen(text, from);
    for (std::size_t close = scanner.nextClose(text, from); close != npos;
         close = scanner.nextClose(text, close + 1)) {
        pumpMessages();
        while (nextOpen != npos && nextOpen < close) {
            ++opens;
            nextOpen = scanner.nextOpen(text, nextOpen + 1);
        }
        if (opens == closes) {
            return close;
        }
        ++closes;
    }
    return npos;
}

// One "<" of the collect pass: a start tag or an end tag of the name.
struct TagEvent {
    std::size_t offset;
    bool isOpen;
};

// Element whose end is still open, with the balance of start over end tags
// in front of the place where its content begins.
struct PendingElement {
    std::size_t index;
    long long level;
};

}  // namespace

HtmlExtractor::HtmlExtractor() = default;

std::string HtmlExtractor::findElement(std::string_view text, std::string_view tag,
                                       std::string_view attributeName,
                                       std::string_view attributeValue, int index, bool innerOnly) {
    const HtmlTagScanner scanner(tag);
    GreaterSignFinder greaterSigns(text);
    const AttributeTest attributeTest(attributeName, attributeValue);
    int passed = 0;
    for (std::size_t open = scanner.nextOpen(text, 0); open != npos;
         open = scanner.nextOpen(text, open + 1)) {
        pumpMessages();
        const std::size_t greaterSign = greaterSigns.next(open + 1);
        if (greaterSign == npos) {
            continue;
        }
        const std::string_view startTag = text.substr(open, greaterSign - open + 1);
        if (startTag.size() > 1 && startTag[1] == '/') {
            continue;
        }
        if (!attributeTest.passes(startTag)) {
            continue;
        }
        if (index > 0 && ++passed < index) {
            continue;
        }

        const std::size_t contentStart = greaterSign + 1;
        const std::size_t close =
            endsSelfClosed(text, greaterSign) ? npos : balancingClose(text, scanner, contentStart);
        std::string_view element;
        if (innerOnly) {
            element = close == npos ? std::string_view{}
                                    : text.substr(contentStart, close - contentStart);
        } else {
            const std::size_t end = close == npos ? contentStart : close + scanner.closeLength();
            element = text.substr(open, end - open);
        }
        lastResult_ = normaliseEquals(element);
        return lastResult_;
    }
    return {};
}

int HtmlExtractor::collectElements(std::string_view text, std::string_view tag) {
    matchSource_.assign(text);
    matchStarts_.clear();
    matchEnds_.clear();
    const std::string_view source = matchSource_;
    const HtmlTagScanner scanner(tag);

    // Every start and end tag of the name, in text order, read in one pass.
    std::vector<TagEvent> events;
    for (std::size_t at = source.find('<'); at != npos; at = source.find('<', at + 1)) {
        if (scanner.isOpenAt(source, at)) {
            events.push_back({at, true});
        } else if (scanner.isCloseAt(source, at)) {
            events.push_back({at, false});
        }
    }

    // The elements, each ending after its start tag until a balancing end tag
    // is found; content starts never decrease, as start tags come in order.
    GreaterSignFinder greaterSigns(source);
    std::vector<std::size_t> contentStarts;
    for (const TagEvent& event : events) {
        if (!event.isOpen) {
            continue;
        }
        pumpMessages();
        const std::size_t greaterSign = greaterSigns.next(event.offset + 1);
        if (greaterSign == npos || source[event.offset + 1] == '/') {
            continue;
        }
        matchStarts_.push_back(event.offset);
        matchEnds_.push_back(greaterSign + 1);
        contentStarts.push_back(endsSelfClosed(source, greaterSign) ? npos : greaterSign + 1);
    }

    // Balance by level: an element whose content starts at level L (start
    // tags minus end tags in front of it) ends at the first later end tag in
    // front of which the level is back at L or below. Pending elements form a
    // stack of non-decreasing levels, so each is pushed and popped once.
    std::vector<PendingElement> pending;
    std::size_t nextElement = 0;
    long long level = 0;
    for (const TagEvent& event : events) {
        while (nextElement < contentStarts.size() &&
               (contentStarts[nextElement] == npos || contentStarts[nextElement] <= event.offset)) {
            if (contentStarts[nextElement] != npos) {
                pending.push_back({nextElement, level});
            }
            ++nextElement;
        }
        if (event.isOpen) {
            ++level;
            continue;
        }
        pumpMessages();
        while (!pending.empty() && pending.back().level >= level) {
            matchEnds_[pending.back().index] = event.offset + scanner.closeLength();
            pending.pop_back();
        }
        --level;
    }
    return static_cast<int>(matchStarts_.size());
}

std::string HtmlExtractor::elementAt(int i) const {
    if (i < 1 || static_cast<std::size_t>(i) > matchStarts_.size()) {
        return {};
    }
    const auto k = static_cast<std::size_t>(i - 1);
    return normaliseEquals(
        std::string_view(matchSource_).substr(matchStarts_[k], matchEnds_[k] - matchStarts_[k]));
}

int HtmlExtractor::countElements(std::string_view text, std::string_view tag) {
    return collectElements(text, tag);
}

const std::string& HtmlExtractor::lastResult() const {
    return lastResult_;
}

}  // namespace rankminer
