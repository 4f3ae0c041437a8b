#pragma once
// The update check on the network: one request at a time, made on a worker
// thread with one time bound for all of it (name lookup, connect, send and
// the reply), so a server that never answers, answers forever or sends far
// too much cannot keep it. Its end is posted to a window; the window's
// handler calls Finished, which records, asks and shows on the
// user-interface thread. The user-interface thread never waits for the worker.

#include <cstdint>
#include <functional>
#include <memory>

#include <windows.h>

#include "base/Platform.h"
#include "launcher/UpdateCheck.h"
#include "win32/ProgramMessages.h"

namespace quorlet {

class TUpdateChecker {
public:
    // The whole check's bound.
    static const DWORD kTimeLimitMs = 30000;

    explicit TUpdateChecker(IPlatform& platform) : FPlatform(platform) {}
    // A check that waits is abandoned at once: its connection is shut and
    // nothing is posted; the worker is not waited for.
    ~TUpdateChecker();
    TUpdateChecker(const TUpdateChecker&) = delete;
    TUpdateChecker& operator=(const TUpdateChecker&) = delete;

    // Tests bound the check more tightly.
    void SetTimeLimit(DWORD ms) { FTimeLimitMs = ms; }

    // Starts a check of endpoint; WM_UPDATE_CHECKED goes to window when it has
    // ended. owner owns its boxes and the shell's download request;
    // settingsChanged (manual checks) is called when LastChecking or
    // LastVersion changed, before any box shows. False, and nothing started,
    // while another check waits or is being finished.
    bool Start(HWND window, const TUpdateEndpoint& endpoint, TUpdateCheckKind kind, HWND owner,
               std::function<void()> settingsChanged = {});
    bool Busy() const { return FBusy; }

    // For WM_UPDATE_CHECKED: finishes the check of that ticket with the
    // process-wide settings (FinishUpdateCheck), inside the error boundary.
    // A ticket of an earlier check is ignored.
    void Finished(WPARAM ticket);

    struct TState;

private:
    IPlatform& FPlatform;
    DWORD FTimeLimitMs = kTimeLimitMs;
    bool FBusy = false;
    uint64_t FTicket = 0;
    HWND FWindow = nullptr;
    HWND FOwner = nullptr;
    TUpdateCheckKind FKind = TUpdateCheckKind::Automatic;
    TUpdateEndpoint FEndpoint;
    std::function<void()> FSettingsChanged;
    std::shared_ptr<TState> FState;
};

}  // namespace quorlet
