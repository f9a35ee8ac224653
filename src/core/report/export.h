#pragma once

// The texts the result tools put into files and on the clipboard, and the
// addresses the row actions open. Texts are GBK; lines end with "\r\n".

#include <string>
#include <string_view>

#include "platform/report_list.h"
#include "platform/site_config.h"

namespace rankminer {

// The row's cells from the first column to the last, each after a comma,
// except that no comma goes before a cell while the text gathered so far is
// empty. Out of range: the empty text.
std::string rowText(const ReportList& list, int row);

// The text of the column in the selected row; empty with no selection.
std::string selectedCellText(const ReportList& list, int column);

// The export and copy text of the report list: the header line of the export
// mode (0: quoted column titles; 1: the expression with its placeholders
// named), then one line per row, made by the same formatter as the ranking
// job's auto-save file. An empty list gives the header line alone.
std::string buildReportExport(const ReportList& list, int exportMode, std::string_view expression);

// The mining results file: for a name ending in ".csv" (any case), the header
// line and "\r\n" before the results; otherwise the results alone.
std::string buildMiningExport(std::string_view fileName, std::string_view headerLine,
                              std::string_view results);
bool endsWithCsv(std::string_view fileName);

// The search engine's web search address for the keyword.
std::string searchAddressFor(const SiteConfig& config, std::string_view keyword);

// Whether an address taken from a downloaded page may be opened: only
// "http://" or "https://" (letters in any case) followed by a host, with no
// blank or control byte anywhere. Local paths, "file:", "javascript:" and
// program names are refused.
bool isWebAddress(std::string_view target);

}  // namespace rankminer
