// The options dialog's rules: spin clamps, the names grid as the count
// changes, what OK writes and reads back, and the tab sheets' reconciliation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UAppSettingXml_fixture.h"
#include "launcher/OptionsRules.h"

using namespace quorlet;
using namespace quorlet::appsettingtest;

namespace {

using Names = std::vector<std::string>;

TEST(OptionsRules, SpinFieldsClampAndReadNonNumbersAsTheMinimum) {
    const struct {
        const char* Text;
        int Value;
    } cases[] = {{"5", 5}, {"1", 1}, {"10", 10}, {"0", 1}, {"11", 10}, {"-3", 1}, {"99999999999", 10},
                 {"", 1},  {"x", 1}, {"4x", 1},  {" 7", 7}, {"7 ", 7}};
    for (const auto& c : cases) EXPECT_EQ(SpinValue(c.Text, 1, 10), c.Value) << '"' << c.Text << '"';
    EXPECT_EQ(SpinValue("9", 0, 5), 5);
}

TEST(OptionsRules, TheNamesGridFollowsTheCount) {
    Names names = {"Tabsheet 1", "Tabsheet 2", "Work"};
    ResizeNameRows(names, 4);  // one up: the new row is named, without a space
    EXPECT_EQ(names, (Names{"Tabsheet 1", "Tabsheet 2", "Work", "Tabsheet4"}));
    names[3] = "Edited";
    ResizeNameRows(names, 2);  // rows beyond go with their names
    EXPECT_EQ(names, (Names{"Tabsheet 1", "Tabsheet 2"}));
    ResizeNameRows(names, 5);  // a jump: rows in between stay empty
    EXPECT_EQ(names, (Names{"Tabsheet 1", "Tabsheet 2", "", "", "Tabsheet5"}));
    ResizeNameRows(names, 5);  // no change
    EXPECT_EQ(names.size(), 5u);
}

TEST(OptionsRules, TabSheetsAreReconciledWithTheNames) {
    const struct {
        int Sheets, Names, Renamed;
        std::vector<int> Deleted;
        int Appended;
    } cases[] = {{3, 3, 3, {}, 0}, {5, 3, 3, {5, 4}, 0}, {3, 5, 3, {}, 2}, {1, 10, 1, {}, 9}, {2, 1, 1, {2}, 0}};
    for (const auto& c : cases) {
        const TTabSheetPlan plan = PlanTabSheets(c.Sheets, c.Names);
        EXPECT_EQ(plan.Renamed, c.Renamed) << c.Sheets << " -> " << c.Names;
        EXPECT_EQ(plan.Deleted, c.Deleted) << c.Sheets << " -> " << c.Names;
        EXPECT_EQ(plan.Appended, c.Appended) << c.Sheets << " -> " << c.Names;
    }
}

class OptionsWriteTest : public AppSettingTest {};

TEST_F(OptionsWriteTest, OkWritesEverySettingAndTheNamesAndTheyReadBack) {
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.LoadGroups();
    settings.ButtonSpacing = 9;  // outside its range: brought into it
    settings.CheckInterval = 0;
    TOptionsValues v = ReadOptions(settings);
    EXPECT_EQ(v.ButtonSpacing, 5);
    EXPECT_EQ(v.CheckInterval, 1);
    EXPECT_EQ(v.GroupNames, (Names{"Tabsheet 1", "Tabsheet 2"}));

    v.AlwaysOnTop = true;
    v.IgnoreBlankButton = false;
    v.HideAfterClicking = true;
    v.GlobalHotKey = "Ctrl+Alt+Q";
    v.TabStyle = 2;
    ResizeNameRows(v.GroupNames, 3);
    v.AutoCheckUpdate = false;
    v.CheckInterval = 3;
    v.LastVersion = "1.4";
    WriteOptions(platform, settings, v);

    TAppSettingXml reread(platform);
    reread.LoadSettings();
    reread.LoadGroups();
    EXPECT_TRUE(reread.AlwaysOnTop);
    EXPECT_FALSE(reread.IgnoreBlankButton);
    EXPECT_TRUE(reread.HideAfterClicking);
    EXPECT_EQ(reread.GlobalHotKey, "Ctrl+Alt+Q");
    EXPECT_EQ(reread.TabStyle, 2);
    EXPECT_EQ(reread.ButtonSpacing, 5);
    EXPECT_EQ(reread.GroupNames, (Names{"Tabsheet 1", "Tabsheet 2", "Tabsheet3"}));
    EXPECT_FALSE(reread.AutoCheckUpdate);
    EXPECT_EQ(reread.CheckInterval, 3);  // saved although the field is disabled
    EXPECT_EQ(reread.LastVersion, "1.4");
}

}  // namespace
