#include "app/TIconPrefetcher.h"

#include <algorithm>
#include <chrono>

#include "platform/ComPtr.h"
#include "shell/ShellServices.h"

namespace quorlet {

TIconPrefetcher::~TIconPrefetcher() { Stop(); }

void TIconPrefetcher::Start(std::vector<TIconKey> requests) {
    if (FWorker.joinable() || requests.empty()) return;
    FRequests = std::move(requests);
    FWorker = std::thread(&TIconPrefetcher::Run, this);
}

void TIconPrefetcher::Run() {
    // The shell's icon calls want COM on the thread that makes them.
    TComApartment apartment;
    for (;;) {
        TIconKey key;
        {
            std::lock_guard<std::mutex> guard(FLock);
            if (FStopping || FNext == FRequests.size()) break;
            key = FRequests[FNext];
        }
        TOwnedIcon icon = GetFileIcon(key.first, key.second);
        {
            std::lock_guard<std::mutex> guard(FLock);
            FReady.emplace(key, std::move(icon));
            ++FNext;
        }
        FLoaded.notify_all();
    }
    std::lock_guard<std::mutex> guard(FLock);
    FNext = FRequests.size();
    FLoaded.notify_all();
}

bool TIconPrefetcher::Take(const TIconKey& key, TOwnedIcon& icon) {
    std::unique_lock<std::mutex> lock(FLock);
    for (;;) {
        auto ready = FReady.find(key);
        if (ready != FReady.end()) {
            icon = std::move(ready->second);
            FReady.erase(ready);
            return true;
        }
        // Asked for and not loaded yet: it is on its way.
        const auto pending = std::find(FRequests.begin() + static_cast<std::ptrdiff_t>(FNext), FRequests.end(), key);
        if (pending == FRequests.end()) return false;
        // Never hang the window on a stuck shell call: load it here instead.
        if (FLoaded.wait_for(lock, std::chrono::seconds(2)) == std::cv_status::timeout) return false;
    }
}

void TIconPrefetcher::Stop() {
    {
        std::lock_guard<std::mutex> guard(FLock);
        FStopping = true;
    }
    if (FWorker.joinable()) FWorker.join();
    FReady.clear();
}

}  // namespace quorlet
