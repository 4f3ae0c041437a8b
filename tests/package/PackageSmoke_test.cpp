// The download as a user gets it: the win64 archive unpacked into a folder
// whose path holds a space, in a Wine prefix of its own, and Quorlet.exe
// started from there with a document of two tab sheets. Its window appears, a
// click on a button starts the recorder program with its arguments, the
// settings document then holds the counted launch, the help opens from the
// program's folder and the program closes cleanly.
//
// scripts/package-smoke.sh unpacks the archive and names the unpacked program
// folder in QUORLET_PACKAGE_DIR (Z:/... form).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "win32/ComPtr.h"
#include "win32/WinHandles.h"

using namespace quorlet;

namespace {

// The system menu's "Help" entry: the sixth mirrored command (after auto hide,
// always on top, show Quorlet Tab, report and options).
const unsigned kHelpSysCommand = kFirstMirroredSysCommand + 5 * kMirroredSysCommandStep;

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ParentFolder(const std::string& folder) {
    const std::string path = WithoutTrailingBackslash(folder);
    return path.substr(0, path.find_last_of('\\') + 1);
}

// Process ids of the running programs with this file name.
std::vector<DWORD> ProcessesNamed(const char* exeName) {
    std::vector<DWORD> ids;
    TUniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
        if (lstrcmpiA(entry.szExeFile, exeName) == 0) ids.push_back(entry.th32ProcessID);
    return ids;
}

// The command line another process was started with, read from its process
// parameters; empty when it cannot be read.
std::string CommandLineOf(DWORD processId) {
    TUniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return "";
    PROCESS_BASIC_INFORMATION basic = {};
    if (NtQueryInformationProcess(process.Get(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return "";
    PEB peb = {};
    RTL_USER_PROCESS_PARAMETERS parameters = {};
    SIZE_T read = 0;
    if (!ReadProcessMemory(process.Get(), basic.PebBaseAddress, &peb, sizeof peb, &read) ||
        !ReadProcessMemory(process.Get(), peb.ProcessParameters, &parameters, sizeof parameters, &read))
        return "";
    std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (wide.empty() ||
        !ReadProcessMemory(process.Get(), parameters.CommandLine.Buffer, &wide[0], parameters.CommandLine.Length, &read))
        return "";
    std::string text(wide.size() * 2, '\0');
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0],
                                           static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(length > 0 ? length : 0);
    return text;
}

struct TViewerSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK MatchViewerWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TViewerSearch*>(param);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (WindowProcessId(window) == search->ProcessId && lstrcmpA(cls, "HH Parent") == 0 && IsWindowVisible(window)) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

// The help viewer's window, once an hh.exe shows one.
struct THelpViewer {
    DWORD ProcessId = 0;
    HWND Window = nullptr;
};

bool FindHelpViewer(THelpViewer& viewer) {
    for (DWORD id : ProcessesNamed("hh.exe")) {
        TViewerSearch search = {id, nullptr};
        EnumWindows(&MatchViewerWindow, reinterpret_cast<LPARAM>(&search));
        if (search.Found) {
            viewer.ProcessId = id;
            viewer.Window = search.Found;
            return true;
        }
    }
    return false;
}

// Ends the viewer: closed like a user would, ended if it stays.
void CloseHelpViewer(const THelpViewer& viewer) {
    TUniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, viewer.ProcessId));
    PostMessageA(viewer.Window, WM_CLOSE, 0, 0);
    if (process && WaitForSingleObject(process.Get(), kLaunchWait) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), kShortWait);
    }
}

// The launch count stored for a button, read afresh from the settings
// document; -1 while it cannot be read.
int32_t StoredCount(const std::string& exe, int32_t id) {
    try {
        TStoreScope scope(exe);
        TBtnSettingXml store(scope.Platform());
        return store.ReadButton(id) ? store.TotolRunTimes : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace

TEST(PackageSmoke, TheUnpackedProgramLaunchesCountsOpensItsHelpAndCloses) {
    const char* packageDir = std::getenv("QUORLET_PACKAGE_DIR");
    ASSERT_NE(packageDir, nullptr) << "QUORLET_PACKAGE_DIR names the unpacked Quorlet folder";
    TComApartment apartment;
    ASSERT_TRUE(apartment.Ok());

    const std::string folder = WithoutTrailingBackslash(WindowsPath(packageDir)) + "\\";
    const std::string exe = folder + "Quorlet.exe";
    ASSERT_NE(folder.find(' '), std::string::npos) << folder;
    ASSERT_TRUE(FileExists(exe)) << exe;
    ASSERT_TRUE(FileExists(folder + "Quorlet_Help.chm"));

    // The launched program lives outside the program folder, in a folder with a space too.
    const std::string tools = ParentFolder(folder) + "Smoke Tools\\";
    const std::string work = tools + "Work Folder";
    const std::string recorder = tools + "QuorletRecorder.exe";
    const std::string recorderLog = tools + "recorder.log";
    ASSERT_TRUE(CreateDirectoryA(tools.c_str(), nullptr)) << tools;
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr)) << work;
    ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));

    {
        SCOPED_TRACE("the test document: two tab sheets with a button on each");
        TStoreScope scope(exe);
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();  // a new document: groups "Tabsheet 1" and "Tabsheet 2"
        settings.AutoCheckUpdate = false;
        settings.LastPanelIndex = 1;
        settings.X = 600;
        settings.Y = 200;
        settings.SaveSettings();
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {101, recorder, "--first-sheet", "", "First sheet", "", recorder, 1, SW_SHOWNORMAL, 0});
        StoreButton(buttons,
                    {204, recorder, "--smoke \"two words\"", work, "Smoke recorder", "", recorder, 2, SW_SHOWNORMAL, 2});
    }

    TQuorletUnderTest quorlet;
    ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder));
    HWND tabs = quorlet.Tabs();
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TabCaption(tabs, 1), "Tabsheet 1");
    EXPECT_EQ(TabCaption(tabs, 2), "Tabsheet 2");

    {
        SCOPED_TRACE("a click on the second sheet's button starts the recorder with its arguments");
        ASSERT_NO_FATAL_FAILURE(quorlet.ClickTab(2));
        ASSERT_NO_FATAL_FAILURE(quorlet.BringToFront());
        ASSERT_TRUE(SendClick(quorlet.PointAt(quorlet.Cell(2, 204))));
        EXPECT_TRUE(PumpUntil(kLaunchWait, [&] { return !LinesOf(recorderLog).empty(); }));
        EXPECT_EQ(LinesOf(recorderLog), std::vector<std::string>{work + "|--smoke \"two words\""});
        EXPECT_TRUE(quorlet.WaitForPanel(1, "T:1/W:1/A:3")) << quorlet.Panel(1);
    }
    {
        SCOPED_TRACE("the settings document holds the counted launch");
        EXPECT_TRUE(PumpUntil(kLaunchWait, [&] { return StoredCount(exe, 204) == 3; })) << StoredCount(exe, 204);
        EXPECT_EQ(StoredCount(exe, 101), 0);
    }
    ASSERT_NO_FATAL_FAILURE(quorlet.SavePicture("quorlet-package.bmp"));

    {
        SCOPED_TRACE("Help opens the help file of the program's folder in the viewer");
        PostMessageA(quorlet.Window(), WM_SYSCOMMAND, kHelpSysCommand, 0);
        THelpViewer viewer;
        ASSERT_TRUE(PumpUntil(kLaunchWait, [&] { return FindHelpViewer(viewer); })) << "no help viewer";
        EXPECT_NE(CommandLineOf(viewer.ProcessId).find(folder + "Quorlet_Help.chm"), std::string::npos)
            << CommandLineOf(viewer.ProcessId);
        // The title comes from the help file itself, so the viewer read it.
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return TextOf(viewer.Window) == "Quorlet Help"; }))
            << TextOf(viewer.Window);
        CloseHelpViewer(viewer);
    }

    PostMessageA(quorlet.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
    EXPECT_EQ(StoredCount(exe, 204), 3) << "the count is kept when the program closes";
    TStoreScope scope(exe);
    TAppSettingXml settings(scope.Platform());
    settings.LoadSettings();
    settings.LoadRecentButtons();
    ASSERT_FALSE(settings.RecentButtons.empty());
    EXPECT_EQ(settings.RecentButtons[0], "204");
}
