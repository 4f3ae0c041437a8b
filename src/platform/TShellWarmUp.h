#pragma once
// The shell sets up its image list on the first icon request, which takes a
// good part of a start under some systems. This asks for it on a worker
// thread at once, while the windows are still being made.

#include <thread>

namespace quorlet {

class TShellWarmUp {
public:
    TShellWarmUp();
    ~TShellWarmUp();
    TShellWarmUp(const TShellWarmUp&) = delete;
    TShellWarmUp& operator=(const TShellWarmUp&) = delete;

private:
    std::thread FWorker;
};

}  // namespace quorlet
