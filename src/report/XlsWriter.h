#pragma once
// A workbook of one sheet holding text cells, as Excel 97-2003 files (.xls) store it.

#include <string>
#include <vector>

namespace quorlet {

// rows[r][c] is the text of the cell at row r, column c (zero-based), in UTF-16.
// Rows may differ in length; empty texts are written as empty text cells.
// Returns the bytes of the whole .xls file (compound file holding the "Workbook" stream).
// Throws std::length_error beyond 65536 rows, 256 columns or 32767 characters in a cell,
// and std::invalid_argument for a sheet name Excel refuses (empty, over 31 characters,
// holding : \ / ? * [ ] or starting or ending with an apostrophe).
std::string XlsWorkbookBytes(const std::vector<std::vector<std::u16string>>& rows,
                             const std::u16string& sheetName = u"Sheet1");

// The "Workbook" stream alone: the globals followed by the sheet.
std::string XlsWorkbookStream(const std::vector<std::vector<std::u16string>>& rows,
                              const std::u16string& sheetName = u"Sheet1");

}  // namespace quorlet
