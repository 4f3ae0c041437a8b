#include "report/ReportCsv.h"

namespace quorlet {

std::string CsvValue(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string ReportCsvText(const std::vector<TReportRow>& rows) {
    std::string text;
    for (int column = 0; column < kReportColumnCount; ++column) {
        if (column) text += ',';
        text += ReportColumnCaptions[column];
    }
    text += "\r\n";
    for (const TReportRow& row : rows) {
        for (int column = 0; column < kReportColumnCount; ++column) {
            if (column) text += ',';
            text += CsvValue(row.Cells[column]);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace quorlet
