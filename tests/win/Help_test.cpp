// The help file opens in the system's help viewer at the parameters the program hands it.
#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "win32/WinHandles.h"
#include "shell/HelpTopics.h"

using namespace quorlet;

namespace {

struct TFindViewer {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindViewerWindow(HWND hwnd, LPARAM param) {
    auto* find = reinterpret_cast<TFindViewer*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == find->ProcessId && lstrcmpA(cls, "HH Parent") == 0) {
        find->Found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TEST(HelpViewer, OpensTheCompiledHelpAtATopic) {
    TTempFolder folder;
    ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_CHM_PATH).c_str(), folder.File("Quorlet_Help.chm").c_str(), FALSE));
    InitAppPaths(folder.File("Quorlet.exe"));

    TFakePlatform platform;
    ShowHelpTopic(platform, HelpTopicFrequencyReport);
    ASSERT_EQ(platform.ShellOpenCalls.size(), 1u);
    const TShellOpenCall& call = platform.ShellOpenCalls[0];
    EXPECT_EQ(call.File, "hh.exe");
    EXPECT_EQ(call.Parameters, folder.File("Quorlet_Help.chm") + "::/frequencyreport.htm");

    // Hand the viewer exactly those parameters, as ShellExecute would.
    std::string commandLine = call.File + " " + call.Parameters;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    TUniqueHandle viewer(pi.hProcess);
    TFindViewer find = {pi.dwProcessId, nullptr};
    bool opened = PumpUntil(15000, [&] {
        EnumWindows(&FindViewerWindow, reinterpret_cast<LPARAM>(&find));
        return find.Found != nullptr;
    });
    EXPECT_TRUE(opened);
    if (find.Found) {
        char title[256] = {};
        GetWindowTextA(find.Found, title, sizeof title);
        EXPECT_STRNE(title, "");
    }
    // The viewer stays open while it shows the file.
    EXPECT_EQ(WaitForSingleObject(viewer.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    TerminateProcess(viewer.Get(), 0);
    WaitForSingleObject(viewer.Get(), 5000);
}
