#include "app/TIconLoader.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "shell/ShellServices.h"
#include "win32/ComPtr.h"

namespace quorlet {

namespace {

struct TJob {
    uint64_t Ticket = 0;
    HWND Window = nullptr;
    UINT Message = 0;
    TIconLoader::TIconKey Key;
    int Size = 0;
};

}  // namespace

// Shared by the loader and its worker, so a worker that outlives the loader
// still has what it touches.
struct TIconLoader::TState {
    explicit TState(IPlatform& platform) : Platform(platform) {}
    IPlatform& Platform;
    std::mutex Lock;
    std::condition_variable Wake;
    std::condition_variable Ended;
    std::deque<TJob> Queue;
    std::map<uint64_t, TOwnedIcon> Finished;
    std::set<uint64_t> Cancelled;  // being loaded when cancelled
    uint64_t Loading = 0;          // the ticket the worker is loading
    uint64_t NextTicket = 1;
    bool Stopping = false;
    bool WorkerRunning = false;
};

namespace {

// An idle worker ends after this long, so a launcher that sits on the desktop
// all day does not keep a thread and its stack for icons it loaded at start.
constexpr auto kIdleWorkerLife = std::chrono::milliseconds(750);

}  // namespace

TIconLoader::TIconLoader(IPlatform& platform) : FState(std::make_shared<TState>(platform)) {}

TIconLoader::~TIconLoader() {
    std::unique_lock<std::mutex> lock(FState->Lock);
    FState->Stopping = true;
    FState->Queue.clear();
    FState->Wake.notify_all();
    FState->Ended.wait_for(lock, std::chrono::seconds(2), [this] { return !FState->WorkerRunning; });
}

uint64_t TIconLoader::Request(HWND window, UINT message, const TIconKey& key, int size) {
    std::lock_guard<std::mutex> guard(FState->Lock);
    const uint64_t ticket = FState->NextTicket++;
    FState->Queue.push_back({ticket, window, message, key, size});
    if (!FState->WorkerRunning) {
        // Detached: the worker holds the state it shares, and the destructor
        // waits for its end through WorkerRunning.
        std::thread(&TIconLoader::Run, FState).detach();
        FState->WorkerRunning = true;
    }
    FState->Wake.notify_one();
    return ticket;
}

void TIconLoader::Cancel(uint64_t ticket) {
    std::lock_guard<std::mutex> guard(FState->Lock);
    for (auto job = FState->Queue.begin(); job != FState->Queue.end(); ++job)
        if (job->Ticket == ticket) {
            FState->Queue.erase(job);
            return;
        }
    if (FState->Loading == ticket) FState->Cancelled.insert(ticket);
    FState->Finished.erase(ticket);
}

TOwnedIcon TIconLoader::Take(uint64_t ticket) {
    std::lock_guard<std::mutex> guard(FState->Lock);
    auto found = FState->Finished.find(ticket);
    if (found == FState->Finished.end()) return TOwnedIcon();
    TOwnedIcon icon = std::move(found->second);
    FState->Finished.erase(found);
    return icon;
}

bool TIconLoader::IsReady(uint64_t ticket) const {
    std::lock_guard<std::mutex> guard(FState->Lock);
    return FState->Finished.count(ticket) != 0;
}

void TIconLoader::Run(std::shared_ptr<TState> state) {
    {
        // The shell's icon calls want COM on the thread that makes them.
        TComApartment apartment;
        for (;;) {
            TJob job;
            {
                std::unique_lock<std::mutex> lock(state->Lock);
                const bool woken = state->Wake.wait_for(lock, kIdleWorkerLife,
                                                        [&] { return state->Stopping || !state->Queue.empty(); });
                // Decided under the lock, so a request made from now on
                // starts a new worker.
                if (!woken || state->Stopping) {
                    state->WorkerRunning = false;
                    break;
                }
                job = std::move(state->Queue.front());
                state->Queue.pop_front();
                state->Loading = job.Ticket;
            }
            TOwnedIcon icon = GetFileIcon(state->Platform, job.Key.first, job.Key.second, job.Size);
            std::lock_guard<std::mutex> guard(state->Lock);
            state->Loading = 0;
            if (state->Stopping) {
                state->WorkerRunning = false;
                break;
            }
            if (state->Cancelled.erase(job.Ticket)) continue;
            state->Finished.emplace(job.Ticket, std::move(icon));
            // A window that is gone takes nothing.
            if (!PostMessageA(job.Window, job.Message, static_cast<WPARAM>(job.Ticket), 0))
                state->Finished.erase(job.Ticket);
        }
    }
    // Once the apartment is closed, for a destructor waiting for the end.
    std::lock_guard<std::mutex> guard(state->Lock);
    state->Ended.notify_all();
}

}  // namespace quorlet
