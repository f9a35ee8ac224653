#pragma once

// Names and folders of the mining output files.

#include <ctime>
#include <string>
#include <string_view>

namespace rankminer {

// Creates every missing folder of the path, walking its "/" separators from
// the left; the root needs no creating. A trailing separator is optional: the
// whole path is a folder. False when a level is missing and cannot be created
// or exists as something other than a folder.
bool makeDirectoryPath(std::string_view path);

// The folder path with exactly one trailing "/" (the empty path stays empty,
// so that names are taken relative to the working folder).
std::string withTrailingSeparator(std::string_view folder);

// The text made safe as part of a file name: \ / : * ? | < > become their
// full-width forms, double quotes, CR, LF and TAB are dropped. Two-byte
// characters are left alone even when a byte of theirs looks like one of these.
std::string toFileName(std::string_view text);

// "2017年11月8日9时5分3秒": no zero padding; the time part stops at its last
// non-zero unit, so midnight gives the date alone.
std::string dateTimeText(const std::tm& when);
// The local time now, as dateTimeText.
std::string currentDateTimeText();

// "挖掘的关键词" in the user's home folder.
std::string defaultMiningDirectory();

// The all-results file of a job started at `dateTime`, and the file of one
// seed whose turn began at `dateTime`; `folder` ends with its separator.
std::string allResultsFilePath(std::string_view folder, std::string_view dateTime,
                               std::string_view extension);
std::string seedFilePath(std::string_view folder, std::string_view seed, std::string_view dateTime,
                         std::string_view extension);

}  // namespace rankminer
