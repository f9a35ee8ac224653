#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace rankminer::testing {

// A readable hex dump of both byte strings around their first difference.
std::string describeByteDifference(std::string_view expected, std::string_view actual);

::testing::AssertionResult bytesEqual(const char* expectedExpr, const char* actualExpr,
                                      std::string_view expected, std::string_view actual);

// Reads a whole file as bytes; empty when it cannot be read.
std::string readFileBytes(const std::string& path);

// A fresh empty folder below the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

}  // namespace rankminer::testing

// Compares two byte strings and prints a hex diff on failure.
#define EXPECT_BYTES_EQ(expected, actual) \
    EXPECT_PRED_FORMAT2(::rankminer::testing::bytesEqual, expected, actual)
#define ASSERT_BYTES_EQ(expected, actual) \
    ASSERT_PRED_FORMAT2(::rankminer::testing::bytesEqual, expected, actual)
