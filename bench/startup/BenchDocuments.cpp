#include "BenchDocuments.h"

#include "EmptyWindow.h"

#include <stdexcept>

#include <windows.h>

#include "base/AppPaths.h"
#include "base/DateCalc.h"
#include "fakes/FakePlatform.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"

namespace quorlet {
namespace startupbench {

namespace {

const char* const kSheetNames[kTabSheets] = {"Tools", "Office", "Internet", "Media",  "Games",
                                             "System", "Projects", "Graphics", "Admin", "Misc"};

int ButtonId(int sheet, int position) { return sheet * 100 + position; }

// The button of the i-th target: sheet by sheet, position by position.
int ButtonIdAt(size_t i) {
    const int n = static_cast<int>(i);
    return ButtonId(n / kButtonsPerSheet + 1, n % kButtonsPerSheet + 1);
}

std::string CurrentUserName() {
    // The name the program itself reads to pick its settings document.
    char buffer[256] = {};
    DWORD size = sizeof buffer;
    return GetUserNameA(buffer, &size) ? std::string(buffer) : std::string();
}

// The stores see the real files, user, screen and clock of this system.
void SetUpPlatform(TFakePlatform& platform, const std::string& exeCopy) {
    platform.FakeUserName = CurrentUserName();
    platform.FakeExecutableName = exeCopy;
    SYSTEMTIME st;
    GetLocalTime(&st);
    platform.FakeNow = MakeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    platform.FakeScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    RECT work;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) platform.FakeWorkAreaHeight = work.bottom - work.top;
}

// One record as the properties dialog would store it, with launches counted this week.
void FillRecord(TBtnSettingXml& store, const TButtonTarget& target, int id, const TDateTime& now) {
    store.Empty = false;
    store.BtnStyle = 0;
    store.IconFile = target.File;
    store.IconNumber = target.IconNumber;
    store.Command = target.File;
    store.Parameters = id % 4 == 0 ? "/n" : "";
    store.WorkingDir = ExtractFilePath(target.File);
    store.Description = ExtractFileName(target.File) + " (" + std::to_string(id) + ")";
    store.HotKey = "";
    store.WindowStyle = 1;
    store.Priority = 0;
    store.IgnoreRunTimes = false;
    store.TotolRunTimes = id * 7 % 500;
    const int32_t week = IsoWeekOfYear(now);
    for (int d = 0; d < 7; ++d) {
        store.DayCount(d) = (id + d) % 9;
        store.DayWeek(d) = week;
    }
}

void CheckReadBack(IPlatform& platform, size_t buttonCount) {
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.LoadGroups();
    if (settings.GroupNames.size() != static_cast<size_t>(kTabSheets))
        throw std::runtime_error("The settings document holds " + std::to_string(settings.GroupNames.size()) +
                                 " tab sheets");
    TBtnSettingXml store(platform);
    store.LoadButtonsDoc();
    for (size_t i = 0; i < buttonCount; ++i) {
        const int id = ButtonIdAt(i);
        if (!store.ReadButtonBrief(id) || store.IconFile.empty())
            throw std::runtime_error("Button " + std::to_string(id) + " did not read back");
    }
}

}  // namespace

std::string WriteBenchDocuments(const std::string& exeCopy, const std::vector<TButtonTarget>& targets) {
    if (targets.size() != static_cast<size_t>(kTabSheets * kButtonsPerSheet))
        throw std::logic_error("One target per button is needed");
    TFakePlatform platform;
    SetUpPlatform(platform, exeCopy);
    InitAppPaths(exeCopy);

    // The index entry for the user the program will run as, and that user's document.
    TAppConfig config(platform);
    if (config.UserName.empty()) throw std::runtime_error("GetUserNameA gives no user name");
    config.CreateDefaultConfig();
    SettingFileName = config.LoadUserConfig();

    TAppSettingXml settings(platform);
    settings.CreateDefaultSettings();
    settings.LastPanelIndex = 1;
    // A global hot key, registered at every start as a user's would be.
    settings.GlobalHotKey = kQuorletHotKeyText;
    settings.SaveSettings();
    settings.GroupNames.assign(kSheetNames, kSheetNames + kTabSheets);
    settings.SaveGroups();
    // An armed alarm, as a user's would be: its timer runs from the start.
    // Twelve hours ahead, so that it never rings during a run.
    settings.AlarmOn = true;
    settings.AlarmTime = FromUnixSeconds(ToUnixSeconds(platform.Now()) + 12 * 3600);
    settings.SaveAlarm();

    TBtnSettingXml store(platform);
    const TDateTime now = platform.Now();
    for (size_t i = 0; i < targets.size(); ++i) {
        const int id = ButtonIdAt(i);
        FillRecord(store, targets[i], id, now);
        store.WriteButton(id);
    }

    settings.LoadRecentButtons();
    for (int sheet = 1; sheet <= 6; ++sheet) settings.PushRecentButton(ButtonId(sheet, sheet));

    CheckReadBack(platform, targets.size());
    return SettingFileName;
}

TFindButtons ReadBenchFindButtons(const std::string& exeCopy) {
    TFakePlatform platform;
    SetUpPlatform(platform, exeCopy);
    InitAppPaths(exeCopy);
    TAppConfig config(platform);
    SettingFileName = config.LoadUserConfig();
    if (SettingFileName.empty()) throw std::runtime_error("No settings document is listed for the user");
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.LoadGroups();
    settings.LoadRecentButtons();
    TBtnSettingXml store(platform);
    store.LoadButtonsDoc();
    return FindButtonsOf(store.ButtonDoc, settings.GroupNames, settings.RecentButtons);
}

}  // namespace startupbench
}  // namespace quorlet
