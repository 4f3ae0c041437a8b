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

// How long a second start waits for the running instance: for its window to
// appear (it may be starting) and then for it to take the message.
const DWORD kRunningInstanceWaitMs = 5000;

// The running instance has the mutex but does not answer: said in a box
// rather than ending without a word, so the user knows why nothing shows.
void ReportInstanceNotAnswering() {
    MessageBoxA(nullptr,
                "Quorlet is already running but does not answer.\r\n\r\n"
                "End the Quorlet process (in the Task Manager, say) and start Quorlet again.",
                "Quorlet", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

// Tells the running instance about this start; true when this process should end.
bool SignalRunningInstance(TUniqueHandle& mutex) {
    mutex.Reset(CreateMutexA(nullptr, FALSE, "TfrmQuorlet"));
    if (!mutex) return true;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    const DWORD start = GetTickCount();
    HWND running = FindWindowA(TfrmQuorlet::ClassName, "Quorlet");
    while (!running && GetTickCount() - start < kRunningInstanceWaitMs) {
        Sleep(50);
        running = FindWindowA(TfrmQuorlet::ClassName, "Quorlet");
    }
    DWORD_PTR answer = 0;
    if (!running || !SendMessageTimeoutA(running, WM_QUORLET_RUNNING, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                                         kRunningInstanceWaitMs, &answer))
        ReportInstanceNotAnswering();
    return true;
}

void RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The process-wide configuration index and stores, ended when the program
// ends, on every way out: nothing is left pointing at them afterwards.
class TProcessStores {
public:
    explicit TProcessStores(TAppConfig& config) { SetAppConfig(&config); }
    ~TProcessStores() {
        ResetBtnSettingXml();
        ResetAppSettingXml();
        SetAppConfig(nullptr);
    }
    TProcessStores(const TProcessStores&) = delete;
    TProcessStores& operator=(const TProcessStores&) = delete;
};

// Creates, shows and runs the main window until it closes. The window and its
// parts end here, while the stores they use are still there.
void RunMainWindow(HINSTANCE instance, HWND application, const char* arguments) {
    TfrmQuorlet frmQuorlet;
    if (!frmQuorlet.Create(instance, application)) {
        MessageBoxA(application, frmQuorlet.ErrorText().c_str(), "Quorlet", MB_OK | MB_ICONERROR);
        return;
    }
    frmQuorlet.SetUpdateHostSwitch(UpdateHostSwitch(arguments ? arguments : ""));
    frmQuorlet.Show();
    RunMessageLoop();
}

}  // namespace

int RunProgram(HINSTANCE instance, const char* arguments) {
    // Kept for the whole process: a worker left waiting in the shell at the
    // end may still use it while the process winds down.
    TWin32Platform& platform = *new TWin32Platform(instance);
    SetPlatform(&platform);
    InitAppPaths(platform.ExecutableName());
    TAppConfig appConfig(platform);
    TProcessStores stores(appConfig);

    TUniqueHandle mutex;
    if (SignalRunningInstance(mutex)) return 0;

    // COM comes with the first shell call of each thread (EnsureThreadApartment).
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    TApplicationWindow application;
    if (!application.Create(instance)) return 0;
    platform.SetOwnerWindow(application.Handle());
    RunMainWindow(instance, application.Handle(), arguments);
    return 0;
}

}  // namespace quorlet
