// The frequency report's rules: which buttons are listed, their cells and
// shares, the direction each click sorts in, and the text export.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UAppSettingXml_fixture.h"
#include "report/ReportCsv.h"
#include "report/ReportExport.h"
#include "report/ReportRows.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;
using namespace quorlet::appsettingtest;

namespace {

class ReportTest : public AppSettingTest {
protected:
    void SetUp() override {
        AppSettingTest::SetUp();
        TAppSettingXml settings(platform);
        settings.LoadSettings();
        settings.LoadGroups();  // "Tabsheet 1", "Tabsheet 2"
        groups = settings.GroupNames;
    }
    void Store(int32_t id, const std::string& command, int32_t total, bool ignored = false, int32_t style = 0) {
        TBtnSettingXml store(platform);
        store.BtnStyle = style;
        store.Command = command;
        store.TotolRunTimes = total;
        store.IgnoreRunTimes = ignored;
        store.WriteButton(id);
    }
    std::vector<TReportRow> Fill(int group, int64_t& sum) {
        TBtnSettingXml store(platform);
        std::vector<TReportRow> rows;
        sum = FillReportList(platform, store, groups, group, rows);
        return rows;
    }
    static std::vector<std::string> Column(const std::vector<TReportRow>& rows, int column) {
        std::vector<std::string> cells;
        for (const TReportRow& row : rows) cells.push_back(row.Cells[column]);
        return cells;
    }
    Strings groups;
};

TReportRow RowWith(int column, const std::string& text) {
    TReportRow row;
    row.Cells[column] = text;
    return row;
}

}  // namespace

TEST_F(ReportTest, FillListsCountedLaunchButtonsInSheetAndPositionOrder) {
    const std::string tool = folder.File("tool.exe");
    WriteFileText(tool, "MZ");
    platform.ShellTypeNames[tool] = "Application";
    Store(205, "C:\\Gone\\old.exe", 2);
    Store(101, tool, 6);
    Store(102, "C:\\Hidden\\skip.exe", 9, true);  // left out, and not in the sum
    Store(103, "", 4, false, 1);                  // an operation button
    Store(120, "D:\\Share\\", 0);

    int64_t sum = 0;
    std::vector<TReportRow> rows = Fill(0, sum);
    EXPECT_EQ(sum, 8);
    EXPECT_EQ(Column(rows, rcIndex), (Strings{"101", "120", "205"}));
    EXPECT_EQ(Column(rows, rcGroup), (Strings{"Tabsheet 1", "Tabsheet 1", "Tabsheet 2"}));
    EXPECT_EQ(rows[1].Cells[rcFile], "");  // a path ending in "\" has no file part
    EXPECT_EQ(rows[2].Cells[rcFile], "old.exe");
    EXPECT_EQ(rows[0].Cells[rcType], "Application");
    // The icon is asked of the shell when the row shows, once.
    EXPECT_EQ(rows[0].ImageIndex, kImageNotAsked);
    EXPECT_GE(ReportRowImage(platform, rows[0]), 10);
    EXPECT_EQ(ReportRowImage(platform, rows[0]), rows[0].ImageIndex);
    EXPECT_EQ(platform.ImageIndexCalls, 1);
    // A target that no longer exists: system image 3, no type.
    EXPECT_EQ(ReportRowImage(platform, rows[2]), kMissingTargetImage);
    EXPECT_EQ(platform.ImageIndexCalls, 1);
    EXPECT_EQ(rows[2].Cells[rcType], "");
    EXPECT_EQ(rows[2].Cells[rcFullPath], "C:\\Gone\\old.exe");

    UpdatePercents(rows, sum, '.');
    EXPECT_EQ(Column(rows, rcPer), (Strings{"75.00%", "", "25.00%"}));

    EXPECT_EQ(Column(Fill(2, sum), rcIndex), (Strings{"205"}));
    EXPECT_EQ(sum, 2);
    EXPECT_TRUE(Fill(3, sum).empty());  // no such tab sheet
}

TEST_F(ReportTest, TypeNamesAreAskedOncePerExtension) {
    const std::string first = folder.File("one.EXE"), second = folder.File("two.exe");
    WriteFileText(first, "MZ");
    WriteFileText(second, "MZ");
    platform.ShellTypeNames[first] = "Application";
    Store(101, first, 1);
    Store(102, second, 1);
    Store(103, folder.Path(), 1);
    int64_t sum = 0;
    const std::vector<TReportRow> rows = Fill(1, sum);
    EXPECT_EQ(Column(rows, rcType), (Strings{"Application", "Application", ""}));
    EXPECT_EQ(platform.TypeNameCalls, 2);  // ".exe" and the folder
}

TEST_F(ReportTest, ADocumentWithoutButtonsGivesAnEmptyList) {
    std::string text = ReadFileText(SettingFileName);
    const size_t start = text.find("<Buttons");
    ASSERT_NE(start, std::string::npos);
    const size_t end = text.find("/>", start);
    text.erase(start, end + 2 - start);
    WriteFileText(SettingFileName, text);
    int64_t sum = -1;
    EXPECT_TRUE(Fill(0, sum).empty());
    EXPECT_EQ(sum, 0);
}

TEST(ReportRules, PercentagesRoundOnceToTwoDecimalsFromTheExactShare) {
    struct Case {
        int64_t Total, Sum;
        char Separator;
        const char* Text;
    } cases[] = {
        {6, 8, '.', "75.00%"}, {2, 8, '.', "25.00%"}, {1, 8, ',', "12,50%"}, {1, 3, '.', "33.33%"},
        {2, 3, '.', "66.67%"}, {8, 8, '.', "100.00%"}, {1, 1000, '.', "0.10%"}, {1, 30000, '.', "0.00%"},
        {99996, 100000, '.', "100.00%"}, {99994, 100000, '.', "99.99%"},
        // Rounded once, not first to four digits: 0.995...% and 1.2449%.
        {200, 20100, '.', "1.00%"}, {12449, 1000000, '.', "1.24%"},
        // An exact half goes up, whatever binary floating point makes of it.
        {1, 800, '.', "0.13%"}, {249, 20000, '.', "1.25%"}, {1, 20000, '.', "0.01%"},
        {2147483647, 2147483647LL * 200, '.', "0.50%"},
        {0, 8, '.', ""}, {-2, 8, '.', ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ReportPercent(c.Total, c.Sum, c.Separator), c.Text) << c.Total << "/" << c.Sum;
}

TEST(ReportRules, ClicksFlipOnlyTheColumnAlreadySorted) {
    // Opening: a click on Total with column 0 in force sorts by Total, descending.
    TReportSort sort;
    struct Step {
        int Click;
        int Column;
        bool Ascending;
    } steps[] = {
        {rcTotal, rcTotal, false},  // shown
        {rcTotal, rcTotal, true},   // a tab sheet chosen: the lowest first
        {rcTotal, rcTotal, false},  // another: the highest first again
        {rcFile, rcFile, false},    // File: the direction in force
        {rcFile, rcFile, true},     // File again: flipped
        {rcTotal, rcTotal, true},   // a tab sheet change while sorted by File: Total, ascending
    };
    for (const Step& step : steps) {
        sort.ColumnClick(step.Click);
        EXPECT_EQ(sort.SortColumn, step.Column);
        EXPECT_EQ(sort.SortAscending, step.Ascending) << step.Click;
    }
}

TEST(ReportRules, ColumnsCompareAsNumbersOrAsText) {
    struct Case {
        int Column;
        const char* A;
        const char* B;
        int Sign;  // of compare(A, B) ascending
    } cases[] = {
        {rcTotal, "9", "10", -1},   {rcIndex, "205", "1901", -1}, {rcToday, "3", "3", 0},
        {rcPer, "9.09%", "10.00%", 1},  // text: "9" after "1"
        {rcPer, "", "10.00%", -1},      // empty cells first
        {rcFile, "abc.exe", "ABD.exe", -1}, {rcType, "Zeta", "alpha", 1},
        {rcFullPath, "C:\\a", "C:\\a", 0}, {rcGroup, "\xC0", "b", 1},  // beyond A-Z: by character code
    };
    for (const Case& c : cases) {
        const TReportRow a = RowWith(c.Column, c.A), b = RowWith(c.Column, c.B);
        const int ascending = CompareReportRows(a, b, c.Column, true), descending = CompareReportRows(a, b, c.Column, false);
        EXPECT_EQ((ascending > 0) - (ascending < 0), c.Sign) << c.A << " " << c.B;
        EXPECT_EQ((descending > 0) - (descending < 0), -c.Sign) << c.A << " " << c.B;
    }

    std::vector<TReportRow> rows = {RowWith(rcTotal, "2"), RowWith(rcTotal, "10"), RowWith(rcTotal, "7")};
    TReportSort sort;
    sort.ColumnClick(rcTotal);
    SortReportRows(rows, sort);
    EXPECT_EQ(rows[0].Cells[rcTotal], "10");
    EXPECT_EQ(rows[2].Cells[rcTotal], "2");
}

TEST(ReportRules, CsvQuotesOnlyValuesThatWouldShiftColumns) {
    struct Case {
        const char* Value;
        const char* Written;
    } cases[] = {
        {"notepad.exe", "notepad.exe"},
        {"", ""},
        {"C:\\Tools, old\\x.exe", "\"C:\\Tools, old\\x.exe\""},
        {"12,50%", "\"12,50%\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\nfeed", "\"line\nfeed\""},
        {"\xCF\xE0\xEF\xEA\xE0", "\xCF\xE0\xEF\xEA\xE0"},  // windows-1251 bytes pass as they are
    };
    for (const Case& c : cases) EXPECT_EQ(CsvValue(c.Value), c.Written) << c.Value;

    EXPECT_EQ(ReportCsvText({}), "File,Group,Index,Today,Week,Total,Per,Type,Full Path\r\n");
    TReportRow row;
    const char* cells[] = {"a.exe", "Tabsheet 1", "101", "1", "2", "3", "12,50%", "Application", "C:\\a.exe"};
    for (int k = 0; k < kReportColumnCount; ++k) row.Cells[k] = cells[k];
    EXPECT_EQ(ReportCsvText({row}), "File,Group,Index,Today,Week,Total,Per,Type,Full Path\r\n"
                                    "a.exe,Tabsheet 1,101,1,2,3,\"12,50%\",Application,C:\\a.exe\r\n");
}

TEST_F(ReportTest, CsvExportReplacesTheFileWholeOrLeavesItAsItWas) {
    EXPECT_EQ(ReportExportName(MakeDateTime(2026, 3, 7), ".csv"), "Quorlet report(20260307).csv");
    const std::string file = folder.File("report.csv");
    WriteFileText(file, "old");
    TReportRow row;
    row.Cells[rcFile] = "a, b.exe";
    ASSERT_TRUE(ExportReportCsv(file, {row}));
    EXPECT_EQ(ReadFileText(file), "File,Group,Index,Today,Week,Total,Per,Type,Full Path\r\n\"a, b.exe\",,,,,,,,\r\n");
    // A folder that does not exist: false, nothing written.
    EXPECT_FALSE(ExportReportCsv(folder.File("missing") + "/report.csv", {row}));
    EXPECT_EQ(FolderEntries(folder).size(), 2u);  // the document and report.csv, no temporary file
    const auto cells = ReportSheetCells({row});
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0][8], "Full Path");
    EXPECT_EQ(cells[1][0], "a, b.exe");
}
