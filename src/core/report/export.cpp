#include "report/export.h"

#include "platform/message_pump.h"
#include "ranking/line_format.h"
#include "text/encodings.h"
#include "text/gbk.h"

namespace rankminer {

std::string rowText(const ReportList& list, int row) {
    std::string text;
    const int columns = list.columnCount();
    for (int column = 0; column < columns; ++column) {
        if (!text.empty()) {
            text += ',';
        }
        text += list.cellText(row, column);
    }
    return text;
}

std::string selectedCellText(const ReportList& list, int column) {
    const int row = list.selectedRow();
    return row < 0 ? std::string() : list.cellText(row, column);
}

std::string buildReportExport(const ReportList& list, int exportMode, std::string_view expression) {
    LineFormat format;
    std::string text = buildHeaderLine(list, exportMode, expression, format);
    for (int row = 0; row < list.rowCount(); ++row) {
        text += formatRow(list, row, format);
        pumpMessages();
    }
    return text;
}

bool endsWithCsv(std::string_view fileName) {
    return fileName.size() >= 4 && equalsIgnoreCase(fileName.substr(fileName.size() - 4), ".csv");
}

std::string buildMiningExport(std::string_view fileName, std::string_view headerLine,
                              std::string_view results) {
    std::string text;
    if (endsWithCsv(fileName)) {
        text.reserve(headerLine.size() + 2 + results.size());
        text += headerLine;
        text += "\r\n";
    }
    text += results;
    return text;
}

std::string searchAddressFor(const SiteConfig& config, std::string_view keyword) {
    return config.searchAddress() + urlEncodeGbk(keyword);
}

bool isWebAddress(std::string_view target) {
    for (const char c : target) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            return false;
        }
    }
    std::size_t schemeLength = 0;
    if (target.size() >= 7 && equalsIgnoreCase(target.substr(0, 7), "http://")) {
        schemeLength = 7;
    } else if (target.size() >= 8 && equalsIgnoreCase(target.substr(0, 8), "https://")) {
        schemeLength = 8;
    } else {
        return false;
    }
    std::string_view authority = target.substr(schemeLength);
    authority = authority.substr(0, authority.find_first_of("/?#\\"));
    const std::size_t at = authority.rfind('@');
    std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
    if (!host.empty() && host.front() == '[') {  // an IPv6 literal
        const std::size_t close = host.find(']');
        return close != std::string_view::npos && close > 1;
    }
    host = host.substr(0, host.find(':'));
    return !host.empty();
}

}  // namespace rankminer
