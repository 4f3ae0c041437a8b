#include "StartupTimer.h"

#include <stdexcept>

#include <windows.h>

#include "win32/WinHandles.h"

namespace quorlet {
namespace startupbench {

namespace {

const DWORD kTimeoutMs = 30000;

// The started process; terminated if it is still running when this goes.
class TStartedProcess {
public:
    explicit TStartedProcess(const PROCESS_INFORMATION& pi)
        : FProcess(pi.hProcess), FThread(pi.hThread), FId(pi.dwProcessId) {}
    ~TStartedProcess() {
        if (WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(FProcess.Get(), 1);
            WaitForSingleObject(FProcess.Get(), kTimeoutMs);
        }
    }
    HANDLE Handle() const { return FProcess.Get(); }
    DWORD Id() const { return FId; }
    bool Ended() const { return WaitForSingleObject(FProcess.Get(), 0) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(FProcess.Get(), &code);
        return code;
    }

private:
    TUniqueHandle FProcess;
    TUniqueHandle FThread;
    DWORD FId;
};

std::string Failure(const TProgramUnderTest& program, const std::string& what) {
    return program.Exe + ": " + what;
}

// A visible top-level window of the class and title that belongs to the process.
HWND VisibleWindowOf(const TProgramUnderTest& program, DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, program.WindowClass.c_str(), program.WindowTitle.c_str()))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

void WaitUntilIdle(const TProgramUnderTest& program, const TStartedProcess& process) {
    const DWORD idle = WaitForInputIdle(process.Handle(), kTimeoutMs);
    if (idle == WAIT_TIMEOUT) throw std::runtime_error(Failure(program, "not idle after 30 s"));
    if (idle == WAIT_FAILED && process.Ended())
        throw std::runtime_error(Failure(program, "ended during start-up, exit code " +
                                                      std::to_string(process.ExitCode())));
}

HWND WaitForWindow(const TProgramUnderTest& program, const TStartedProcess& process, const TStopwatch& clock) {
    for (;;) {
        if (HWND window = VisibleWindowOf(program, process.Id())) return window;
        if (process.Ended())
            throw std::runtime_error(Failure(program, "ended without showing its window, exit code " +
                                                          std::to_string(process.ExitCode())));
        if (clock.ElapsedMs() > kTimeoutMs) throw std::runtime_error(Failure(program, "no window after 30 s"));
        Sleep(1);
    }
}

}  // namespace

struct TRunningProgram::TState {
    explicit TState(const PROCESS_INFORMATION& pi) : Process(pi) {}
    TStartedProcess Process;
    HWND Window = nullptr;
};

TRunningProgram::TRunningProgram(const TProgramUnderTest& program) : FProgram(program) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string commandLine = "\"" + program.Exe + "\"";
    if (!program.Arguments.empty()) commandLine += " " + program.Arguments;

    const TStopwatch clock;
    if (!CreateProcessA(program.Exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        program.Folder.c_str(), &si, &pi))
        throw std::runtime_error(Failure(program, "cannot start (error " + std::to_string(GetLastError()) + ")"));
    FState.reset(new TState(pi));
    WaitUntilIdle(program, FState->Process);
    FState->Window = WaitForWindow(program, FState->Process, clock);
    // Shown; and whatever the program does after showing it has finished too.
    WaitUntilIdle(program, FState->Process);
    FStartMs = clock.ElapsedMs();
}

TRunningProgram::~TRunningProgram() = default;

HWND TRunningProgram::Window() const { return FState->Window; }

HANDLE TRunningProgram::Process() const { return FState->Process.Handle(); }

void TRunningProgram::Close() {
    PostMessageA(FState->Window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(FState->Process.Handle(), kTimeoutMs) != WAIT_OBJECT_0)
        throw std::runtime_error(Failure(FProgram, "still running 30 s after WM_CLOSE"));
    if (FState->Process.ExitCode() != 0)
        throw std::runtime_error(Failure(FProgram, "exit code " + std::to_string(FState->Process.ExitCode()) +
                                                       " after WM_CLOSE"));
}

double TimeStartUp(const TProgramUnderTest& program) {
    TRunningProgram running(program);
    running.Close();
    return running.StartMs();
}

}  // namespace startupbench
}  // namespace quorlet
