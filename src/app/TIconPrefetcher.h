#pragma once
// Loads the icons of the first page on a worker thread while the window is
// still being built, so the first paint finds them ready. The pictures are
// the ones the cells would load themselves; only the moment changes.

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "shell/OwnedIcon.h"

namespace quorlet {

class TIconPrefetcher {
public:
    using TIconKey = std::pair<std::string, int>;  // icon file and icon number

    TIconPrefetcher() = default;
    ~TIconPrefetcher();
    TIconPrefetcher(const TIconPrefetcher&) = delete;
    TIconPrefetcher& operator=(const TIconPrefetcher&) = delete;

    // Starts loading these icons in order (once).
    void Start(std::vector<TIconKey> requests);
    // The prefetched icon for key, waiting for it when it is still loading;
    // false when it was never asked for (or already taken).
    bool Take(const TIconKey& key, TOwnedIcon& icon);
    // Waits for the worker to finish; what it loaded and nobody took is freed.
    void Stop();

private:
    void Run();

    std::thread FWorker;
    std::mutex FLock;
    std::condition_variable FLoaded;
    std::vector<TIconKey> FRequests;
    std::multimap<TIconKey, TOwnedIcon> FReady;
    size_t FNext = 0;  // requests[FNext..] are not loaded yet
    bool FStopping = false;
};

}  // namespace quorlet
