#include "support/bytes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace rankminer::testing {

namespace {
std::string hexWindow(std::string_view bytes, std::size_t from, std::size_t to) {
    std::ostringstream out;
    static constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t i = from; i < to && i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out << kHex[b >> 4] << kHex[b & 15] << ' ';
    }
    return out.str();
}
}  // namespace

std::string describeByteDifference(std::string_view expected, std::string_view actual) {
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    const std::size_t from = at > 16 ? at - 16 : 0;
    std::ostringstream out;
    out << "sizes " << expected.size() << " (expected) and " << actual.size()
        << " (actual), first difference at byte " << at << "\n  expected [" << from
        << "..]: " << hexWindow(expected, from, at + 16) << "\n  actual   [" << from
        << "..]: " << hexWindow(actual, from, at + 16);
    return out.str();
}

::testing::AssertionResult bytesEqual(const char* expectedExpr, const char* actualExpr,
                                      std::string_view expected, std::string_view actual) {
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << expectedExpr << " and " << actualExpr
                                         << " differ: " << describeByteDifference(expected, actual);
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "rankminer-test-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data()); made != nullptr) {
        path_ = made;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) {
        std::filesystem::remove_all(path_, ignored);
    }
}

}  // namespace rankminer::testing
