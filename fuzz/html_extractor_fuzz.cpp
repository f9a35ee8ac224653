// The element finder on arbitrary text with arbitrary tags and attributes.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/html_extractor.h"

using rankminer::HtmlExtractor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string tag = input.ConsumeRandomLengthString(12);
    const std::string name = input.ConsumeRandomLengthString(12);
    const std::string value = input.ConsumeRandomLengthString(24);
    const int index = input.ConsumeIntegralInRange<int>(-2, 8);
    const bool innerOnly = input.ConsumeBool();
    const std::string text = input.ConsumeRemainingBytesAsString();

    HtmlExtractor extractor;
    const std::string found = extractor.findElement(text, tag, name, value, index, innerOnly);
    if (!found.empty() && found != extractor.lastResult()) {
        std::abort();
    }
    const int count = extractor.collectElements(text, tag);
    if (count < 0) {
        std::abort();
    }
    for (int i = 0; i <= count + 1 && i < 256; ++i) {
        const std::string element = extractor.elementAt(i);
        HtmlExtractor::attributeValue(element, name);
    }
    if (extractor.countElements(text, tag) != count) {
        std::abort();  // the same question twice must get the same answer
    }
    HtmlExtractor::attributeValue(text, name);
    HtmlExtractor::textBetween(text, tag, value);
    return 0;
}
