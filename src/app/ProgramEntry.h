#pragma once

#include <windows.h>

namespace quorlet {

// The whole life of the program; the result is the process exit code (always 0).
// arguments: the command line after the program's name.
int RunProgram(HINSTANCE instance, const char* arguments = "");

}  // namespace quorlet
