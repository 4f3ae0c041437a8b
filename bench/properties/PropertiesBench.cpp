// Opening the button properties dialog, under Wine or on Windows: for a
// button whose target is a shortcut (the fields filled, the shortcut read for
// the resolve button, the preview asked of the shell) beside the same dialog
// template opened for a new button with empty fields; and the options dialog
// (three pages from the settings) beside that same empty properties dialog.
// Each is timed from the call to the dialog's first idle moment, painted.
//
//   properties_bench [runs]
//
// Rounds alternate the two sides; the figures are medians in milliseconds.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "../startup/ModalTiming.h"
#include "../startup/ProgramFolder.h"
#include "base/AppPaths.h"
#include "dialogs/UBtnProperties.h"
#include "dialogs/UOpations.h"
#include "settings/UAppSettingXml.h"
#include "platform/Win32Platform.h"
#include "settings/UBtnSettingXml.h"
#include "shell/LinkCreateInfo.h"
#include "shell/ShellServices.h"
#include "win32/ComPtr.h"

using namespace quorlet;
using namespace quorlet::startupbench;

namespace {

double OpenProperties(IPlatform& platform, TBtnSettingXml& record) {
    return TimeModalOpening("Properties", [&] {
        TfrmBtnProperties::Execute(GetModuleHandleA(nullptr), nullptr, platform, record, true);
    });
}

// The options dialog's commands are not pressed here.
class TNoCommands : public IOptionsHost {
public:
    bool BackupConfigFrom(HWND) override { return false; }
    void RestoreConfigFrom(HWND) override {}
    void CheckForUpdateFrom(HWND) override {}
};

double OpenOptions(IPlatform& platform, TAppSettingXml& settings) {
    TNoCommands host;
    return TimeModalOpening("Options", [&] {
        TfrmOptions::Execute(GetModuleHandleA(nullptr), nullptr, platform, settings, host);
    });
}

int Run(int runs) {
    TComApartment apartment;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    TWin32Platform platform(GetModuleHandleA(nullptr));
    TProgramFolder folder("quorlet-properties");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string target = folder.CopyIn(self, "Target.exe");
    const std::string work = folder.Path().substr(0, folder.Path().size() - 1);
    const std::string shortcut = folder.File("Target.lnk");
    TLinkCreateInfo link = {};
    AssignLinkField(link.Path, target);
    AssignLinkField(link.Arguments, "--from-link");
    AssignLinkField(link.WorkingDir, work);
    link.ShowCmd = SW_SHOWNORMAL;
    if (!CreateLink(platform, link, shortcut)) throw std::runtime_error("Cannot write " + shortcut);

    TBtnSettingXml filled(platform), empty(platform);
    const auto fillRecords = [&] {
        filled.BtnStyle = 0;
        filled.Command = filled.IconFile = shortcut;
        filled.IconNumber = 0;
        filled.Description = "Target";
        filled.WindowStyle = SW_SHOWNORMAL;
        empty.BtnStyle = -1;
    };

    // One of each first: the code, COM and the shell's caches are warm for every round.
    fillRecords();
    OpenProperties(platform, filled);
    OpenProperties(platform, empty);
    std::vector<double> withShortcut, withNothing;
    for (int round = 0; round < runs; ++round) {
        fillRecords();
        if (round % 2) {
            withShortcut.push_back(OpenProperties(platform, filled));
            withNothing.push_back(OpenProperties(platform, empty));
        } else {
            withNothing.push_back(OpenProperties(platform, empty));
            withShortcut.push_back(OpenProperties(platform, filled));
        }
    }
    const double measured = Median(withShortcut), floor = Median(withNothing);
    // The options dialog on a new settings document.
    SettingFileName = folder.File("QL_bench.xml");
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.LoadGroups();
    OpenOptions(platform, settings);
    std::vector<double> options, optionsFloor;
    for (int round = 0; round < runs; ++round) {
        if (round % 2) {
            options.push_back(OpenOptions(platform, settings));
            optionsFloor.push_back(OpenProperties(platform, empty));
        } else {
            optionsFloor.push_back(OpenProperties(platform, empty));
            options.push_back(OpenOptions(platform, settings));
        }
        empty.BtnStyle = -1;
    }
    std::printf("%d rounds; milliseconds from the call to the dialog painted and idle (medians)\n", runs);
    std::printf("%-40s %8.2f ms   %-28s %8.2f ms   %5.2fx  (target 2x: %s)\n", "properties of a shortcut button",
                measured, "the same, empty fields", floor, measured / floor, measured / floor <= 2 ? "met" : "NOT met");
    std::printf("%-40s %8.2f ms   %-28s %8.2f ms   %5.2fx  (reported)\n", "options dialog (three pages)",
                Median(options), "empty properties dialog", Median(optionsFloor), Median(options) / Median(optionsFloor));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc > 1 ? std::max(1, std::atoi(argv[1])) : 21);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "properties_bench: %s\n", e.what());
        return 1;
    }
}
