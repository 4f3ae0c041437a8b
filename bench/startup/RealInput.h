#pragma once
// Keys pressed with real input, as the user's keyboard sends them.

#include <initializer_list>

#include <windows.h>

namespace quorlet {
namespace startupbench {

// One SendInput call: the modifiers go down in order, key goes down and up,
// the modifiers come up in reverse order. Throws std::runtime_error when the
// input is not taken.
void PressKeys(std::initializer_list<WORD> modifiers, WORD key);

}  // namespace startupbench
}  // namespace quorlet
