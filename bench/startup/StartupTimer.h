#pragma once
// Starts a program and measures the time until its main window is shown and
// the program waits for input, then closes it.

#include <string>

namespace quorlet {
namespace startupbench {

struct TProgramUnderTest {
    std::string Exe;          // full path
    std::string Folder;       // working folder of the process
    std::string WindowClass;  // the main window, as FindWindowA looks it up
    std::string WindowTitle;
};

// Milliseconds from CreateProcess until a visible window of the program's class
// and title belongs to the new process and the process is idle. The window is
// then sent WM_CLOSE and the process must end with exit code 0. Throws
// std::runtime_error on any failure; a process that does not end is terminated.
double TimeStartUp(const TProgramUnderTest& program);

}  // namespace startupbench
}  // namespace quorlet
