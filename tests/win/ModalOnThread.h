#pragma once
// A modal window shown on a thread of its own, so that a test can find it,
// read it and drive it with messages while the window's own loop runs.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include <windows.h>

#include "WinTestSupport.h"

namespace quorlet {

class TModalOnThread {
public:
    explicit TModalOnThread(std::function<int()> show)
        : FThread([this, show] {
              FThreadId = GetCurrentThreadId();
              FResult = show();
              FDone = true;
          }) {}
    ~TModalOnThread() { Join(); }

    // The visible top-level window of that thread whose caption starts with
    // prefix, or null after ms milliseconds.
    HWND WaitForWindow(const std::string& prefix, DWORD ms = 5000) {
        HWND found = nullptr;
        PumpUntil(ms, [&] {
            found = FindWindowOfThread(prefix);
            return found != nullptr;
        });
        return found;
    }
    // The window's result, or -99 when it is still open after ms milliseconds.
    int Result(DWORD ms = 5000) {
        if (!PumpUntil(ms, [this] { return FDone.load(); })) return -99;
        Join();
        return FResult;
    }
    bool Done() const { return FDone; }

private:
    HWND FindWindowOfThread(const std::string& prefix) {
        struct TSearch {
            DWORD Thread;
            const std::string* Prefix;
            HWND Found;
        } search = {FThreadId, &prefix, nullptr};
        if (!search.Thread) return nullptr;
        EnumThreadWindows(
            search.Thread,
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<TSearch*>(param);
                char text[256] = {};
                GetWindowTextA(window, text, sizeof text);
                if (!IsWindowVisible(window) || std::string(text).rfind(*s->Prefix, 0) != 0) return TRUE;
                s->Found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }
    void Join() {
        if (FThread.joinable()) FThread.join();
    }

    std::atomic<DWORD> FThreadId{0};
    std::atomic<bool> FDone{false};
    int FResult = 0;
    std::thread FThread;
};

}  // namespace quorlet
