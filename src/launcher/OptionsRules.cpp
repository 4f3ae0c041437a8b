#include "launcher/OptionsRules.h"

#include <algorithm>
#include <cstdlib>

#include "shell/ShellServices.h"

namespace quorlet {

int SpinValue(const std::string& text, int minimum, int maximum) {
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return minimum;
    const char* begin = text.c_str() + start;
    char* end = nullptr;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || text.find_first_not_of(' ', static_cast<size_t>(end - text.c_str())) != std::string::npos)
        return minimum;
    return static_cast<int>(std::min<long>(std::max<long>(value, minimum), maximum));
}

void ResizeNameRows(std::vector<std::string>& names, int count) {
    const size_t before = names.size(), after = static_cast<size_t>(std::max(count, 0));
    names.resize(after);
    if (after > before) names.back() = "Tabsheet" + std::to_string(count);
}

TOptionsValues ReadOptions(const TAppSettingXml& settings) {
    TOptionsValues v;
    v.RunStartup = settings.RunStartup;
    v.ActiveAppPanel = settings.ActiveAppPanel;
    v.AlwaysOnTop = settings.AlwaysOnTop;
    v.ShowAppPanel = settings.ShowAppPanel;
    v.AnalyseLinkFile = settings.AnalyseLinkFile;
    v.IgnoreBlankButton = settings.IgnoreBlankButton;
    v.HideAfterClicking = settings.HideAfterClicking;
    v.SplashScreen = settings.SplashScreen;
    v.GlobalHotKey = settings.GlobalHotKey;
    v.TabStyle = settings.TabStyle;
    v.ButtonSpacing = std::min(std::max(settings.ButtonSpacing, 0), 5);
    v.GroupNames = settings.GroupNames;
    v.AutoCheckUpdate = settings.AutoCheckUpdate;
    v.CheckInterval = std::min(std::max(settings.CheckInterval, 1), 10);
    v.LastVersion = settings.LastVersion;
    return v;
}

void WriteOptions(IPlatform& platform, TAppSettingXml& settings, const TOptionsValues& v) {
    settings.AlwaysOnTop = v.AlwaysOnTop;
    settings.AnalyseLinkFile = v.AnalyseLinkFile;
    settings.SplashScreen = v.SplashScreen;
    settings.ShowAppPanel = v.ShowAppPanel;
    settings.ActiveAppPanel = v.ActiveAppPanel;
    settings.IgnoreBlankButton = v.IgnoreBlankButton;
    SetRunAtStartup(platform, settings, v.RunStartup);
    settings.HideAfterClicking = v.HideAfterClicking;
    settings.GlobalHotKey = v.GlobalHotKey;
    settings.ButtonSpacing = v.ButtonSpacing;
    settings.TabStyle = v.TabStyle;
    settings.GroupNames = v.GroupNames;
    settings.AutoCheckUpdate = v.AutoCheckUpdate;
    settings.CheckInterval = v.CheckInterval;
    settings.LastVersion = v.LastVersion;
    settings.SaveSettings();
    settings.SaveGroups();
}

TTabSheetPlan PlanTabSheets(int sheetCount, int nameCount) {
    TTabSheetPlan plan;
    plan.Renamed = std::min(sheetCount, nameCount);
    for (int k = sheetCount; k > nameCount; --k) plan.Deleted.push_back(k);
    plan.Appended = std::max(nameCount - sheetCount, 0);
    return plan;
}

}  // namespace quorlet
