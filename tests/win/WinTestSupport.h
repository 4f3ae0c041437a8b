#pragma once
// Helpers shared by the Windows suites.

#include <string>
#include <vector>

#include <windows.h>

#include "win32/WinHandles.h"

namespace quorlet {

// Bounds of the waits for a condition, long enough for a loaded machine.
const DWORD kLaunchWait = 15000;  // a program start under Wine takes a second or more
const DWORD kShortWait = 5000;

// Turns a path from the build (Z:/work/...) into Windows form.
std::string WindowsPath(std::string path);

// Pumps this thread's messages for up to ms milliseconds or until done() holds.
template <typename TDone>
bool PumpUntil(DWORD ms, TDone done) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Handles the messages waiting for this thread now, and those they post in
// turn: what a message handled on this thread set going has happened then.
inline void PumpPending() {
    PumpUntil(0, [] { return true; });
}

// Where a test saves the picture of a window (name: a file name such as "x.bmp").
std::string ScreenshotPath(const char* name);

int CountTopLevelWindows(const char* className, const char* title);

// The identifiers of the threads this process has now.
std::vector<DWORD> ThreadIdsOfThisProcess();

struct TStartedProcess {
    TUniqueHandle Process;
    DWORD ProcessId = 0;
};

// Starts a program with currentFolder as its working folder; an empty
// Process when it cannot start.
TStartedProcess StartProgram(const std::string& exe, const std::string& currentFolder);

}  // namespace quorlet
