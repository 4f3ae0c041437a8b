#pragma once

#include <windows.h>

namespace quorlet {

// The whole life of the program; the result is the process exit code (always 0).
int RunProgram(HINSTANCE instance);

}  // namespace quorlet
