#pragma once
// The Start Menu shortcuts for type-to-find, read on one worker thread that
// the first find starts: nothing is read, and no thread or list is kept,
// before then. The worker reads the user's and the shared Programs folders,
// posts the list's ticket to the window, and then watches both folders,
// reading them again and posting a new ticket after each burst of changes.
// The window's handler collects the list with Take on the user-interface
// thread, which never waits for the worker.
//
// Use on the window:
//   reader.Start(window, WM_STARTMENU_READ);     // when a find starts
//   case WM_STARTMENU_READ:
//       if (reader.Take(wParam, entries)) findModel.SetStartMenu(entries);

#include <cstdint>
#include <memory>
#include <vector>

#include <windows.h>

#include "base/Platform.h"
#include "launcher/FindSources.h"
#include "shell/StartMenuFolders.h"
#include "win32/ProgramMessages.h"

namespace quorlet {

class TStartMenuReader {
public:
    // Changes closer together than this are one burst: the folders are read
    // again once they have been quiet this long ...
    static const DWORD kQuietMs = 300;
    // ... or this long after the burst began, whichever comes first.
    static const DWORD kLongestDelayMs = 3000;

    // The folders the registry names, looked up by the worker. The platform
    // must outlive any worker left behind by the destructor.
    explicit TStartMenuReader(IPlatform& platform);
    // These folders instead ("" for none).
    TStartMenuReader(IPlatform& platform, TStartMenuFolders folders);
    // Stops the worker; no message is posted once it has returned. The worker
    // is waited for a moment only: one stuck in the shell is left to end on
    // its own.
    ~TStartMenuReader();
    TStartMenuReader(const TStartMenuReader&) = delete;
    TStartMenuReader& operator=(const TStartMenuReader&) = delete;

    // The first call starts the worker, which posts message to window with a
    // ticket as wParam each time it has read the folders. True when this
    // call started it; later calls do nothing. Never throws: a worker that
    // cannot be started is tried again by the next call.
    bool Start(HWND window, UINT message);
    bool Started() const { return FState != nullptr; }

    // For the posted message: moves the list of that ticket into entries.
    // False, and entries untouched, for a ticket already taken or one that a
    // newer list has replaced (whose own message is on its way).
    bool Take(WPARAM ticket, std::vector<TStartMenuEntry>& entries);

    struct TState;

private:
    IPlatform& FPlatform;
    bool FFoldersGiven = false;
    TStartMenuFolders FFolders;
    std::shared_ptr<TState> FState;
};

}  // namespace quorlet
