#pragma once

// The only place where GBK program text meets the widgets' Unicode. Both
// directions are lossless: bytes that are not valid GBK survive a round trip.

#include <QString>

#include <string>
#include <string_view>

namespace rankminer {

QString toQString(std::string_view gbk);
std::string toGbk(const QString& text);

// Multi-line boxes: the program's texts break lines with "\r\n", Qt's text
// documents with "\n". These convert the breaks along with the encoding.
QString toQStringLines(std::string_view gbk);
std::string toGbkLines(const QString& text);

}  // namespace rankminer
