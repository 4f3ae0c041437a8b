#include "app/ProgramEntry.h"

#include <commctrl.h>

#include "base/AppPaths.h"
#include "app/TApplicationWindow.h"
#include "app/UMain.h"
#include "launcher/UpdateCheck.h"
#include "platform/Win32Platform.h"
#include "win32/ComPtr.h"
#include "win32/WinHandles.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "settings/UConfigXml.h"

namespace quorlet {

namespace {

// Tells the running instance about this start; true when this process should end.
bool SignalRunningInstance(TUniqueHandle& mutex) {
    mutex.Reset(CreateMutexA(nullptr, FALSE, "TfrmQuorlet"));
    if (!mutex) return true;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    HWND running = FindWindowA(TfrmQuorlet::ClassName, "Quorlet");
    if (running) SendMessageA(running, WM_QUORLET_RUNNING, 0, 0);
    return true;
}

void RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int RunProgram(HINSTANCE instance, const char* arguments) {
    // Kept for the whole process: a worker left waiting in the shell at the
    // end may still use it while the process winds down.
    TWin32Platform& platform = *new TWin32Platform(instance);
    SetPlatform(&platform);
    InitAppPaths(platform.ExecutableName());
    TAppConfig appConfig(platform);
    SetAppConfig(&appConfig);

    TUniqueHandle mutex;
    if (SignalRunningInstance(mutex)) return 0;

    // COM comes with the first shell call of each thread (EnsureThreadApartment).
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    TApplicationWindow application;
    if (!application.Create(instance)) return 0;
    platform.SetOwnerWindow(application.Handle());

    TfrmQuorlet frmQuorlet;
    if (!frmQuorlet.Create(instance, application.Handle())) {
        MessageBoxA(application.Handle(), frmQuorlet.ErrorText().c_str(), "Quorlet",
                    MB_OK | MB_ICONERROR);
        return 0;
    }
    frmQuorlet.SetUpdateHostSwitch(UpdateHostSwitch(arguments ? arguments : ""));
    frmQuorlet.Show();
    RunMessageLoop();

    ResetBtnSettingXml();
    ResetAppSettingXml();
    SetAppConfig(nullptr);
    return 0;
}

}  // namespace quorlet
