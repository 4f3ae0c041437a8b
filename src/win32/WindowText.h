#pragma once
// A window's or control's whole text.

#include <string>

#include <windows.h>

namespace quorlet {

std::string WindowText(HWND window);

}  // namespace quorlet
