#include "report/ReportExport.h"

#include <cstdio>
#include <exception>

#include "base/FileIo.h"
#include "report/ReportCsv.h"
#include "report/XlsWriter.h"

namespace quorlet {

std::string ReportExportName(const TDateTime& today, const std::string& extension) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", today.Year, today.Month, today.Day);
    return std::string("Quorlet report(") + date + ")" + extension;
}

bool ExportReportCsv(const std::string& fileName, const std::vector<TReportRow>& rows) {
    try {
        ReplaceFileWhole(fileName, ReportCsvText(rows));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<std::vector<std::u16string>> ReportSheetTexts(const std::vector<TReportRow>& rows, const TToUtf16& toUtf16) {
    std::vector<std::vector<std::u16string>> cells(rows.size() + 1);
    for (const char* caption : ReportColumnCaptions) cells[0].push_back(toUtf16(caption));
    for (size_t r = 0; r < rows.size(); ++r) {
        cells[r + 1].reserve(kReportColumnCount);
        for (const std::string& cell : rows[r].Cells) cells[r + 1].push_back(toUtf16(cell));
    }
    return cells;
}

bool ExportReportXls(const std::string& fileName, const std::vector<TReportRow>& rows, const TToUtf16& toUtf16) {
    try {
        ReplaceFileWhole(fileName, XlsWorkbookBytes(ReportSheetTexts(rows, toUtf16)));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<std::vector<std::string>> ReportSheetCells(const std::vector<TReportRow>& rows) {
    std::vector<std::vector<std::string>> cells;
    cells.emplace_back(ReportColumnCaptions, ReportColumnCaptions + kReportColumnCount);
    for (const TReportRow& row : rows) cells.emplace_back(row.Cells, row.Cells + kReportColumnCount);
    return cells;
}

}  // namespace quorlet
