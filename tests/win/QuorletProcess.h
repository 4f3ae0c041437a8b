#pragma once
// End-to-end support: a real Quorlet.exe started from a program folder of its
// own, its window and controls found and driven from this process, and the
// settings documents of that folder read and written through the program's
// own stores.

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "CellProbe.h"
#include "WinTestSupport.h"
#include "platform/Win32Platform.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"

namespace quorlet {

// Points the process-wide platform and settings paths at a program folder while
// the stores read or write its documents, and puts them back afterwards.
class TStoreScope {
public:
    explicit TStoreScope(const std::string& exe);
    ~TStoreScope();
    TStoreScope(const TStoreScope&) = delete;
    TStoreScope& operator=(const TStoreScope&) = delete;
    IPlatform& Platform() { return FPlatform; }

private:
    std::string FSavedSetting, FSavedConfig, FSavedHelp;
    TWin32Platform FPlatform{GetModuleHandleA(nullptr)};
    TAppConfig FConfig{FPlatform};
};

struct TButtonRecord {
    int32_t Id;
    std::string Command, Parameters, WorkingDir, Description, HotKey, IconFile;
    int32_t IconNumber;
    int32_t WindowStyle;
    int32_t TotolRunTimes;  // launches counted before this run
};

void StoreButton(TBtnSettingXml& store, const TButtonRecord& b);

std::string WithoutTrailingBackslash(std::string path);
std::vector<std::string> LinesOf(const std::string& fileName);
DWORD WindowProcessId(HWND window);
// The window text as the window itself answers it.
std::string TextOf(HWND window);
bool ShownNormally(HWND window);
// Whether a process has loaded a library of that file name (such as "winmm.dll").
bool ProcessHasModule(DWORD processId, const char* moduleName);

// A message box of a process: its caption, its text and whether it shows an
// icon (which one cannot be told from another process).
struct TMessageBox {
    HWND Window = nullptr;
    std::string Caption, Text;
    bool HasIcon = false;
};

// A running Quorlet.exe; ended on destruction if it still runs.
class TQuorletUnderTest {
public:
    ~TQuorletUnderTest();

    // Starts exe in startFolder and waits for its window and controls.
    void Start(const std::string& exe, const std::string& startFolder);
    // Starts exe in startFolder and waits for nothing: for a start that is
    // expected to end in a message box instead of the window.
    void StartWithoutWindow(const std::string& exe, const std::string& startFolder);
    bool Running() const;
    // Waits for the program to end; its exit code, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD ms) const;

    HWND Window() const { return FWindow; }
    HWND Tabs() const { return FTabs; }
    HWND Sheet(int page) const;
    TCellRef Cell(int page, int id) const { return TCellRef{Sheet(page), id}; }
    std::string Panel(int panel) const;
    bool WaitForPanel(int panel, const std::string& text) const;

    // Makes the window the foreground window, as a click on its caption would.
    void BringToFront();
    // Waits until Wine's tray window, shown for the first icon of a session,
    // has appeared and taken the focus it takes, so the keyboard can be used.
    void WaitForTray() const;
    // The user selects a tab with the mouse; the page must show.
    void ClickTab(int index);
    // The user clicks a tab; nothing is waited for.
    void ClickTabOnly(int index);
    // The pointer rests on the cell; its sheet must be what lies under it.
    POINT PointAt(const TCellRef& cell);
    // Waits until the icons of the shown page have arrived and the picture of
    // the window has settled, then writes it to the screenshot folder.
    void SavePicture(const char* name);

    // The first visible message box of the program, waited for up to ms;
    // with a caption, the first one with that caption.
    bool WaitForMessageBox(DWORD ms, TMessageBox& box, const char* caption = nullptr) const;
    // Answers the box with OK and waits for it to go.
    bool DismissMessageBox(const TMessageBox& box) const;

    // Waits until the program answers messages again: what it did after a
    // dialog of it closed (saving, say) is done by then.
    bool WaitUntilAnswering() const;
    // Loads a library (a test's recorder) into the running program and waits
    // until it is in; false when it could not be loaded.
    bool LoadLibraryInto(const std::string& dll) const;

    DWORD ProcessId() const { return FProcess.ProcessId; }
    HANDLE Process() const { return FProcess.Process.Get(); }

private:
    TStartedProcess FProcess;
    HWND FWindow = nullptr, FTabs = nullptr, FStatus = nullptr;
    bool FTrayShownBefore = false;
};

}  // namespace quorlet
