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

}  // namespace quorlet
