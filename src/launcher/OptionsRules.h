#pragma once
// The options dialog's rules apart from its window: the spin fields' clamps,
// the tab sheet names grid as the number of tab sheets changes, what OK
// writes into the settings, and how the main window brings its tab sheets in
// line with the names afterwards.

#include <string>
#include <vector>

#include "base/Platform.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

// The value of a spin field: its text read as a number and clamped to the
// range; text that is no number reads as the minimum.
int SpinValue(const std::string& text, int minimum, int maximum);

// The names grid after "Tabs number" became count: rows beyond it go with
// their names; when it grew, the new last row is named "Tabsheet<count>" and
// rows added in between stay empty.
void ResizeNameRows(std::vector<std::string>& names, int count);

// What the dialog's controls hold.
struct TOptionsValues {
    bool RunStartup = false, ActiveAppPanel = false, AlwaysOnTop = false, ShowAppPanel = true;
    bool AnalyseLinkFile = true, IgnoreBlankButton = true, HideAfterClicking = false, SplashScreen = false;
    std::string GlobalHotKey;  // the hot-key control's text form
    int TabStyle = 0;
    int ButtonSpacing = 0;
    std::vector<std::string> GroupNames;  // the grid's rows; their number is the tab sheet count
    bool AutoCheckUpdate = true;
    int CheckInterval = 7;
    std::string LastVersion;  // as "Last Version:" shows it
};

// The values the dialog opens with (spacing and interval brought into range).
TOptionsValues ReadOptions(const TAppSettingXml& settings);
// OK: the values into the settings in their order (run at startup applied at
// once through the system), then SaveSettings and SaveGroups.
void WriteOptions(IPlatform& platform, TAppSettingXml& settings, const TOptionsValues& values);

// The main window's tab sheets after OK: sheets 1..Renamed take names
// 1..Renamed, the sheets in Deleted go (last first, their records stay in the
// file), and sheets Renamed+1..Renamed+Appended are added.
struct TTabSheetPlan {
    int Renamed = 0;
    std::vector<int> Deleted;
    int Appended = 0;
};
TTabSheetPlan PlanTabSheets(int sheetCount, int nameCount);

}  // namespace quorlet
