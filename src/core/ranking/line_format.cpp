#include "ranking/line_format.h"

#include <charconv>
#include <functional>

namespace rankminer {

namespace {

// Replaces every placeholder of the template by cell(n). At each "#" the
// longest run of digits naming a column 1..columns wins, so "#12" is column 12
// when the list has twelve columns and column 1 followed by "2" when it has
// eight; a "#" naming no column stays as it is.
std::string substitutePlaceholders(std::string_view lineTemplate, int columns,
                                   const std::function<std::string(int)>& cell) {
    std::string line;
    line.reserve(lineTemplate.size() * 2);
    std::size_t i = 0;
    while (i < lineTemplate.size()) {
        const char c = lineTemplate[i];
        if (c != '#') {
            line.push_back(c);
            ++i;
            continue;
        }
        std::size_t digitsEnd = i + 1;
        while (digitsEnd < lineTemplate.size() && lineTemplate[digitsEnd] >= '0' &&
               lineTemplate[digitsEnd] <= '9') {
            ++digitsEnd;
        }
        int column = 0;
        std::size_t used = 0;
        // A leading zero never starts a column number ("#01" is no placeholder).
        if (digitsEnd > i + 1 && lineTemplate[i + 1] != '0') {
            for (std::size_t end = digitsEnd; end > i + 1; --end) {
                int value = 0;
                const char* first = lineTemplate.data() + i + 1;
                const char* last = lineTemplate.data() + end;
                const auto result = std::from_chars(first, last, value);
                if (result.ec == std::errc() && result.ptr == last && value >= 1 &&
                    value <= columns) {
                    column = value;
                    used = end - (i + 1);
                    break;
                }
            }
        }
        if (column == 0) {
            line.push_back(c);
            ++i;
            continue;
        }
        line += cell(column);
        i += 1 + used;
    }
    return line;
}

std::string doubledQuotes(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        out.push_back(c);
        if (c == '"') {
            out.push_back('"');
        }
    }
    return out;
}

}  // namespace

std::string buildHeaderLine(const ReportList& list, int exportMode, std::string_view expression,
                            LineFormat& format) {
    const int columns = list.columnCount();
    format.quoteCells = exportMode == 0;
    if (exportMode != 0) {
        format.lineTemplate = std::string(expression);
    } else {
        format.lineTemplate.clear();
        for (int n = 1; n <= columns; ++n) {
            if (n > 1) {
                format.lineTemplate += ',';
            }
            format.lineTemplate += "\"#" + std::to_string(n) + "\"";
        }
    }
    std::string header = substitutePlaceholders(format.lineTemplate, columns, [&](int n) {
        return format.quoteCells ? doubledQuotes(list.columnTitle(n - 1)) : list.columnTitle(n - 1);
    });
    header += "\r\n";
    return header;
}

std::string formatRow(const ReportList& list, int row, const LineFormat& format) {
    std::string line = substitutePlaceholders(format.lineTemplate, list.columnCount(), [&](int n) {
        std::string text = list.cellText(row, n - 1);
        return format.quoteCells ? doubledQuotes(std::move(text)) : text;
    });
    line += "\r\n";
    return line;
}

}  // namespace rankminer
