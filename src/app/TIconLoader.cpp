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
    bool WorkerEnded = false;
    std::thread Worker;
};

TIconLoader::TIconLoader(IPlatform& platform) : FState(std::make_shared<TState>(platform)) {}

TIconLoader::~TIconLoader() {
    std::unique_lock<std::mutex> lock(FState->Lock);
    FState->Stopping = true;
    FState->Queue.clear();
    FState->Wake.notify_all();
    if (!FState->Worker.joinable()) return;
    const bool ended = FState->Ended.wait_for(lock, std::chrono::seconds(2), [this] { return FState->WorkerEnded; });
    std::thread worker = std::move(FState->Worker);
    lock.unlock();
    if (ended)
        worker.join();
    else
        worker.detach();
}

uint64_t TIconLoader::Request(HWND window, UINT message, const TIconKey& key) {
    std::lock_guard<std::mutex> guard(FState->Lock);
    const uint64_t ticket = FState->NextTicket++;
    FState->Queue.push_back({ticket, window, message, key});
    if (!FState->Worker.joinable()) FState->Worker = std::thread(&TIconLoader::Run, FState);
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

void TIconLoader::Run(std::shared_ptr<TState> state) {
    {
        // The shell's icon calls want COM on the thread that makes them.
        TComApartment apartment;
        for (;;) {
            TJob job;
            {
                std::unique_lock<std::mutex> lock(state->Lock);
                state->Wake.wait(lock, [&] { return state->Stopping || !state->Queue.empty(); });
                if (state->Stopping) break;
                job = std::move(state->Queue.front());
                state->Queue.pop_front();
                state->Loading = job.Ticket;
            }
            TOwnedIcon icon = GetFileIcon(state->Platform, job.Key.first, job.Key.second);
            std::lock_guard<std::mutex> guard(state->Lock);
            state->Loading = 0;
            if (state->Stopping) break;
            if (state->Cancelled.erase(job.Ticket)) continue;
            state->Finished.emplace(job.Ticket, std::move(icon));
            // A window that is gone takes nothing.
            if (!PostMessageA(job.Window, job.Message, static_cast<WPARAM>(job.Ticket), 0))
                state->Finished.erase(job.Ticket);
        }
    }
    std::lock_guard<std::mutex> guard(state->Lock);
    state->WorkerEnded = true;
    state->Ended.notify_all();
}

}  // namespace quorlet
