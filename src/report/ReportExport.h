#pragma once
// Writing the report to a file: the name the save dialog proposes, and the
// text and spreadsheet files, each written in full beside the target and then
// put in its place, so a failed export never leaves half a file.

#include <functional>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "report/ReportRows.h"

namespace quorlet {

// "Quorlet report(yyyymmdd)<extension>".
std::string ReportExportName(const TDateTime& today, const std::string& extension);

// ExportToCsv: false when the file cannot be written (the old file stays).
bool ExportReportCsv(const std::string& fileName, const std::vector<TReportRow>& rows);

// The spreadsheet's cells: the column captions in row 1, then the rows in the
// order shown, every value as text.
std::vector<std::vector<std::string>> ReportSheetCells(const std::vector<TReportRow>& rows);

// The program's 8-bit text in UTF-16, as the spreadsheet file stores it.
using TToUtf16 = std::function<std::u16string(const std::string&)>;
// ReportSheetCells in UTF-16, as the spreadsheet stores them.
std::vector<std::vector<std::u16string>> ReportSheetTexts(const std::vector<TReportRow>& rows, const TToUtf16& toUtf16);
// The spreadsheet file (Excel 97-2003 workbook) written by the program
// itself: false when it cannot be written (the old file stays).
bool ExportReportXls(const std::string& fileName, const std::vector<TReportRow>& rows, const TToUtf16& toUtf16);

}  // namespace quorlet
