#pragma once
// Loads button icons on one worker thread, which ends when it has been idle
// for a moment. A finished icon is announced to the window that asked for it
// by a posted message and collected there with Take,
// so the user-interface thread never waits for the shell: a cell shows its
// frame at once and its icon when it arrives.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include <windows.h>

#include "base/Platform.h"
#include "shell/OwnedIcon.h"

namespace quorlet {

class TIconLoader {
public:
    using TIconKey = std::pair<std::string, int32_t>;  // icon file and icon number

    // The platform must outlive any worker left behind by the destructor.
    explicit TIconLoader(IPlatform& platform);
    // Stops the worker. It is waited for a moment only; one stuck in the shell
    // is left to end on its own.
    ~TIconLoader();
    TIconLoader(const TIconLoader&) = delete;
    TIconLoader& operator=(const TIconLoader&) = delete;

    // Queues the icon of key (the rule of GetFileIcon) at size x size pixels;
    // once it is loaded, message is posted to window with the returned ticket
    // as wParam.
    uint64_t Request(HWND window, UINT message, const TIconKey& key, int size);
    // The finished icon of a ticket, once; empty when there is none (yet).
    TOwnedIcon Take(uint64_t ticket);
    // Whether the icon of the ticket is finished and not yet taken.
    bool IsReady(uint64_t ticket) const;
    // The icon of the ticket is no longer wanted: it is not loaded if it has
    // not been, and dropped if it has.
    void Cancel(uint64_t ticket);

private:
    struct TState;
    static void Run(std::shared_ptr<TState> state);
    std::shared_ptr<TState> FState;
};

}  // namespace quorlet
