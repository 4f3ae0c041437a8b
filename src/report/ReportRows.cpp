#include "report/ReportRows.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "base/AppPaths.h"
#include "launcher/ButtonGrid.h"
#include "launcher/TopButtons.h"

namespace quorlet {

const char* const ReportColumnCaptions[kReportColumnCount] = {"File", "Group", "Index",     "Today",    "Week",
                                                              "Total", "Per",  "Type", "Full Path"};

namespace {

// Everything after the last backslash.
std::string FilePart(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int64_t CellNumber(const std::string& text) {
    int32_t value = 0;
    return ParseDecimalInt(text, value) ? value : 0;
}

}  // namespace

TReportRow ReportRowOf(IPlatform& platform, TBtnSettingXml& store, const std::string& groupName, int32_t id,
                       TTypeNameCache& typeNames) {
    TReportRow row;
    const std::string& path = store.Command;
    std::string typeName;
    const bool folder = platform.DirectoryExists(path);
    if (folder || platform.FileExists(path)) {
        std::string key = folder ? std::string("\\") : ExtractFileExt(path);
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        auto known = typeNames.find(key);
        if (known == typeNames.end()) known = typeNames.emplace(key, platform.ShellTypeName(path, folder)).first;
        typeName = known->second;
        // The shell's type names are at most 80 characters long.
        if (typeName.size() > 80) typeName.resize(80);
        row.ImageIndex = kImageNotAsked;
    }
    row.Cells[rcFile] = FilePart(path);
    row.Cells[rcGroup] = groupName;
    row.Cells[rcIndex] = std::to_string(id);
    row.Cells[rcToday] = std::to_string(store.TodayRunTimes());
    row.Cells[rcWeek] = std::to_string(store.WeekRunTimes());
    row.Cells[rcTotal] = std::to_string(store.TotolRunTimes);
    row.Cells[rcType] = typeName;
    row.Cells[rcFullPath] = path;
    return row;
}

int64_t FillReportList(IPlatform& platform, TBtnSettingXml& store, const std::vector<std::string>& groupNames,
                       int group, std::vector<TReportRow>& rows) {
    if (!store.ReloadButtons()) return 0;
    const int count = static_cast<int>(groupNames.size());
    const int first = group < 1 ? 1 : group, last = group < 1 ? count : std::min(group, count);
    int64_t sum = 0;
    TTypeNameCache typeNames;
    for (int sheet = first; sheet <= last; ++sheet)
        for (int position = 1; position <= kCellCount; ++position) {
            const int32_t id = ButtonId(sheet, position);
            if (!store.ParseStoredButton(id) || store.IgnoreRunTimes) continue;
            sum += store.TotolRunTimes;
            rows.push_back(ReportRowOf(platform, store, groupNames[static_cast<size_t>(sheet - 1)], id, typeNames));
        }
    return sum;
}

int ReportRowImage(IPlatform& platform, TReportRow& row) {
    if (row.ImageIndex == kImageNotAsked) {
        const int image = platform.ShellImageIndex(row.Cells[rcFullPath]);
        row.ImageIndex = image >= 0 ? image : kMissingTargetImage;
    }
    return row.ImageIndex;
}

std::string ReportPercent(int64_t total, int64_t totalSum, char decimalSeparator) {
    if (total <= 0 || totalSum <= 0) return std::string();
    // Hundredths of a percent, rounded once from the exact share (a half up):
    // total * 20000 stays far inside 64 bits for 32-bit counts.
    const int64_t hundredths = (total * 20000 + totalSum) / (2 * totalSum);
    char text[48];
    std::snprintf(text, sizeof text, "%lld%c%02lld%%", static_cast<long long>(hundredths / 100), decimalSeparator,
                  static_cast<long long>(hundredths % 100));
    return text;
}

void UpdatePercents(std::vector<TReportRow>& rows, int64_t totalSum, char decimalSeparator) {
    for (TReportRow& row : rows)
        row.Cells[rcPer] = ReportPercent(CellNumber(row.Cells[rcTotal]), totalSum, decimalSeparator);
}

void TReportSort::ColumnClick(int column) {
    if (column == SortColumn) SortAscending = !SortAscending;
    SortColumn = column;
}

int CompareText(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t k = 0; k < n; ++k) {
        unsigned char x = static_cast<unsigned char>(a[k]), y = static_cast<unsigned char>(b[k]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareReportRows(const TReportRow& a, const TReportRow& b, int column, bool ascending) {
    if (column < 0 || column >= kReportColumnCount) return 0;
    const TReportRow& first = ascending ? a : b;
    const TReportRow& second = ascending ? b : a;
    switch (column) {
    case rcIndex:
    case rcToday:
    case rcWeek:
    case rcTotal: {
        const int64_t x = CellNumber(first.Cells[column]), y = CellNumber(second.Cells[column]);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    default: return CompareText(first.Cells[column], second.Cells[column]);
    }
}

void SortReportRows(std::vector<TReportRow>& rows, const TReportSort& sort) {
    std::stable_sort(rows.begin(), rows.end(), [&](const TReportRow& a, const TReportRow& b) {
        return CompareReportRows(a, b, sort.SortColumn, sort.SortAscending) < 0;
    });
}

}  // namespace quorlet
