#pragma once
// The frequency report's rows: the counted buttons of one tab sheet or of all,
// their counts, their share of the launches listed, and the order the columns
// sort in.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/Platform.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

// Columns, in order: File, Group, Index, Today, Week, Total, Per, Type, Full Path.
enum TReportColumn { rcFile, rcGroup, rcIndex, rcToday, rcWeek, rcTotal, rcPer, rcType, rcFullPath };
const int kReportColumnCount = 9;
extern const char* const ReportColumnCaptions[kReportColumnCount];
// The system image a target that exists neither as file nor as folder shows.
const int kMissingTargetImage = 3;
// An existing target whose icon has not been asked of the shell yet.
const int kImageNotAsked = -2;

struct TReportRow {
    std::string Cells[kReportColumnCount];  // as the list shows them
    int ImageIndex = kMissingTargetImage;
};

// Type names asked of the shell once per extension (and once for folders).
using TTypeNameCache = std::map<std::string, std::string>;

// FillReportList: the counted buttons (launch buttons without IgnoreRunTimes)
// of tab sheet group (1 = the first user tab sheet), or of every tab sheet when
// group < 1, in tab sheet and position order, appended to rows with an empty
// Per cell. groupNames are the tab sheet names in order. Returns the sum of
// their totals; 0 and no rows when the document has no `Buttons` section.
int64_t FillReportList(IPlatform& platform, TBtnSettingXml& store, const std::vector<std::string>& groupNames,
                       int group, std::vector<TReportRow>& rows);
// AddReportItem: the row of the record just read. The icon of an existing
// target is asked for only when the row is shown (ReportRowImage).
TReportRow ReportRowOf(IPlatform& platform, TBtnSettingXml& store, const std::string& groupName, int32_t id,
                       TTypeNameCache& typeNames);
// The row's system image, asked of the shell the first time.
int ReportRowImage(IPlatform& platform, TReportRow& row);

// The Per cell of a row: its total's share of totalSum in percent, rounded
// once to two decimals (a half up) and shown with the user's decimal
// separator, then "%"; empty for a total of 0 or less.
std::string ReportPercent(int64_t total, int64_t totalSum, char decimalSeparator);
// UpdatePercents: the Per cell of every row from its Total cell.
void UpdatePercents(std::vector<TReportRow>& rows, int64_t totalSum, char decimalSeparator);

// The sort in force: a click on the column already sorted by flips the
// direction; a click on another keeps the direction. The window opens
// descending, sorted by column 0 until its first click.
struct TReportSort {
    int SortColumn = rcFile;
    bool SortAscending = false;
    void ColumnClick(int column);
};

// lvReportCompare: negative when a comes before b. Index, Today, Week and
// Total compare as numbers, the others as text (A-Z without case, the rest by
// character code); descending compares b with a.
int CompareReportRows(const TReportRow& a, const TReportRow& b, int column, bool ascending);
// CompareText: A-Z without case, every other character by its code.
int CompareText(const std::string& a, const std::string& b);
void SortReportRows(std::vector<TReportRow>& rows, const TReportSort& sort);

}  // namespace quorlet
