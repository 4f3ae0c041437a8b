#pragma once
// The spreadsheet program's own automation object ("Excel.Application"),
// where one is installed: a new workbook filled with text cells and saved.

#include <functional>
#include <string>
#include <vector>

namespace quorlet {

// Whether the spreadsheet program's settings key exists for this user.
bool SpreadsheetProgramKnown();

// Fills a new workbook of the automation object with cells (row 1 first) and
// saves it as fileName; shown() runs once the object exists and before the
// first cell is written, hidden() after the last. False when the object cannot
// be created (nothing was done); an automation error after that throws
// std::runtime_error. The object is told to quit in every case.
bool ExportThroughSpreadsheetProgram(const std::string& fileName,
                                     const std::vector<std::vector<std::u16string>>& cells,
                                     const std::function<void()>& shown, const std::function<void()>& hidden);

}  // namespace quorlet
