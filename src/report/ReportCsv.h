#pragma once
// The report as comma-separated text: the column captions, then the rows in
// the order shown, each line ended by CR LF, in the program's 8-bit code page.
// A value holding a comma, a double quote, CR or LF is quoted, its quotes
// doubled, so it never shifts the columns; other values are written as they
// stand.

#include <string>
#include <vector>

#include "report/ReportRows.h"

namespace quorlet {

std::string CsvValue(const std::string& value);
std::string ReportCsvText(const std::vector<TReportRow>& rows);

}  // namespace quorlet
