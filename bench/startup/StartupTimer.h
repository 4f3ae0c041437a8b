#pragma once
// Starts a program and measures the time until its main window is shown and
// the program waits for input, then closes it.

#include <memory>
#include <string>

#include <windows.h>

namespace quorlet {
namespace startupbench {

// Milliseconds since it was made, from the performance counter.
class TStopwatch {
public:
    TStopwatch() {
        QueryPerformanceFrequency(&FFrequency);
        QueryPerformanceCounter(&FStart);
    }
    double ElapsedMs() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - FStart.QuadPart) / static_cast<double>(FFrequency.QuadPart);
    }

private:
    LARGE_INTEGER FFrequency, FStart;
};

struct TProgramUnderTest {
    std::string Exe;          // full path
    std::string Folder;       // working folder of the process
    std::string WindowClass;  // the main window, as FindWindowA looks it up
    std::string WindowTitle;
    std::string Arguments;    // after the program's name on its command line
};

// A started program whose main window is shown and which waits for input.
class TRunningProgram {
public:
    // Starts the program and waits until a visible window of its class and
    // title belongs to the new process and the process is idle. Throws
    // std::runtime_error on failure; a process still running when this goes is
    // terminated.
    explicit TRunningProgram(const TProgramUnderTest& program);
    ~TRunningProgram();
    TRunningProgram(const TRunningProgram&) = delete;
    TRunningProgram& operator=(const TRunningProgram&) = delete;

    // Milliseconds from CreateProcess until the window was shown and idle.
    double StartMs() const { return FStartMs; }
    HWND Window() const;
    HANDLE Process() const;
    // Sends the window WM_CLOSE; the process must end with exit code 0.
    void Close();

private:
    struct TState;
    TProgramUnderTest FProgram;
    std::unique_ptr<TState> FState;
    double FStartMs = 0;
};

// Milliseconds from CreateProcess until a visible window of the program's class
// and title belongs to the new process and the process is idle. The window is
// then sent WM_CLOSE and the process must end with exit code 0. Throws
// std::runtime_error on any failure; a process that does not end is terminated.
double TimeStartUp(const TProgramUnderTest& program);

}  // namespace startupbench
}  // namespace quorlet
