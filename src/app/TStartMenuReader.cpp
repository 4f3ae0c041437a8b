#include "app/TStartMenuReader.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <utility>

#include "app/StartMenuScan.h"
#include "win32/ComPtr.h"
#include "win32/WinHandles.h"

namespace quorlet {

// Shared by the reader and its worker, so a worker that outlives the reader
// still has what it touches.
struct TStartMenuReader::TState {
    TUniqueHandle StopEvent;   // set once, when the reader goes
    TUniqueHandle EndedEvent;  // set by the worker as it ends
    std::atomic<bool> Stopping{false};
    std::mutex Lock;
    // The last list read and not yet taken, under the last ticket posted.
    uint64_t Ticket = 0;
    bool HasList = false;
    std::vector<TStartMenuEntry> List;
};

namespace {

using TState = TStartMenuReader::TState;

// How long the destructor waits for the worker to end.
const DWORD kStopWaitMs = 250;

struct TChangeHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindCloseChangeNotification(h); }
};
using TChangeHandle = TUniqueWinHandle<HANDLE, TChangeHandleTraits>;

// A watch on each folder that exists: new, removed and renamed files and
// folders anywhere below it.
std::vector<TChangeHandle> WatchFolders(const TStartMenuFolders& folders) {
    std::vector<TChangeHandle> watches;
    for (const std::string* folder : {&folders.User, &folders.Common}) {
        if (folder->empty()) continue;
        TChangeHandle watch(FindFirstChangeNotificationA(
            folder->c_str(), TRUE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME));
        if (watch) watches.push_back(std::move(watch));
    }
    return watches;
}

// Waits for a change and then for the end of its burst (kQuietMs without
// one, kLongestDelayMs at most). False when the reader stops or nothing is
// left to watch. A watch that cannot be renewed is dropped.
bool WaitForChanges(HANDLE stop, std::vector<TChangeHandle>& watches) {
    DWORD timeout = INFINITE;
    ULONGLONG burstStart = 0;
    for (;;) {
        if (watches.empty()) return burstStart != 0;
        std::vector<HANDLE> waits = {stop};
        for (const TChangeHandle& watch : watches) waits.push_back(watch.Get());
        const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, timeout);
        if (result == WAIT_TIMEOUT) break;
        if (result <= WAIT_OBJECT_0 || result >= WAIT_OBJECT_0 + waits.size()) return false;
        const size_t changed = result - WAIT_OBJECT_0 - 1;
        if (!FindNextChangeNotification(watches[changed].Get())) watches.erase(watches.begin() + changed);
        const ULONGLONG now = GetTickCount64();
        if (burstStart == 0) burstStart = now;
        const ULONGLONG elapsed = now - burstStart;
        if (elapsed >= TStartMenuReader::kLongestDelayMs) break;
        timeout = static_cast<DWORD>(std::min<ULONGLONG>(TStartMenuReader::kQuietMs,
                                                         TStartMenuReader::kLongestDelayMs - elapsed));
    }
    // Changes already signalled are in the reading about to start.
    for (size_t i = watches.size(); i-- > 0;)
        if (WaitForSingleObject(watches[i].Get(), 0) == WAIT_OBJECT_0 && !FindNextChangeNotification(watches[i].Get()))
            watches.erase(watches.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
}

// Keeps the list under a new ticket and tells the window; false when the
// reader has gone or the window is gone, as no one will take this list or a
// later one. Posted under the lock the destructor takes, so nothing is posted
// once the reader has gone.
bool Publish(TState& state, std::vector<TStartMenuEntry> entries, HWND window, UINT message) {
    std::lock_guard<std::mutex> guard(state.Lock);
    if (state.Stopping) return false;
    state.List = std::move(entries);
    state.HasList = true;
    const uint64_t ticket = ++state.Ticket;
    if (PostMessageA(window, message, static_cast<WPARAM>(ticket), 0)) return true;
    std::vector<TStartMenuEntry>().swap(state.List);
    state.HasList = false;
    return false;
}

void ReadAndWatch(TState& state, IPlatform& platform, TStartMenuFolders folders, bool foldersGiven, HWND window,
                  UINT message) {
    if (!foldersGiven) folders = GetStartMenuFolders(platform);
    // Watching from before the first reading, so a change made during it is
    // read too.
    std::vector<TChangeHandle> watches = WatchFolders(folders);
    for (;;) {
        std::vector<TStartMenuEntry> entries;
        {
            // Open while reading only: an apartment the worker keeps while it
            // waits for changes would want its messages pumped.
            TComApartment apartment;
            entries = ReadStartMenu(platform, folders, state.Stopping);
        }
        if (state.Stopping || !Publish(state, std::move(entries), window, message)) return;
        if (!WaitForChanges(state.StopEvent.Get(), watches)) return;
    }
}

void RunWorker(std::shared_ptr<TState> state, IPlatform* platform, TStartMenuFolders folders, bool foldersGiven,
               HWND window, UINT message) {
    // Whatever goes wrong here ends the worker and nothing else: the finds
    // go on without the Start Menu, or with the list read last.
    try {
        ReadAndWatch(*state, *platform, std::move(folders), foldersGiven, window, message);
    } catch (...) {
    }
    SetEvent(state->EndedEvent.Get());
}

}  // namespace

TStartMenuReader::TStartMenuReader(IPlatform& platform) : FPlatform(platform) {}

TStartMenuReader::TStartMenuReader(IPlatform& platform, TStartMenuFolders folders)
    : FPlatform(platform), FFoldersGiven(true), FFolders(std::move(folders)) {}

TStartMenuReader::~TStartMenuReader() {
    if (!FState) return;
    {
        std::lock_guard<std::mutex> guard(FState->Lock);
        FState->Stopping = true;
    }
    SetEvent(FState->StopEvent.Get());
    WaitForSingleObject(FState->EndedEvent.Get(), kStopWaitMs);
}

bool TStartMenuReader::Start(HWND window, UINT message) {
    if (FState) return false;
    try {
        auto state = std::make_shared<TState>();
        state->StopEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        state->EndedEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        if (!state->StopEvent || !state->EndedEvent) return false;
        // Detached: the worker holds the state it shares, and the destructor
        // waits for its end through EndedEvent.
        std::thread(&RunWorker, state, &FPlatform, FFolders, FFoldersGiven, window, message).detach();
        FState = std::move(state);
        return true;
    } catch (...) {
        return false;
    }
}

bool TStartMenuReader::Take(WPARAM ticket, std::vector<TStartMenuEntry>& entries) {
    if (!FState) return false;
    std::lock_guard<std::mutex> guard(FState->Lock);
    if (!FState->HasList || static_cast<uint64_t>(ticket) != FState->Ticket) return false;
    entries = std::move(FState->List);
    std::vector<TStartMenuEntry>().swap(FState->List);
    FState->HasList = false;
    return true;
}

}  // namespace quorlet
