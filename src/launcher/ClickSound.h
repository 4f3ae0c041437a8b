#pragma once
// The two embedded click sounds.

#include "base/Platform.h"

namespace quorlet {

enum TClickSound { csIcon = 0, csTabsheet = 1 };

// Resource name (type WAVE) of a click sound kind, or nullptr for a kind that plays nothing.
const char* ClickSoundResourceName(int kind);

// Plays the sound of that kind asynchronously from the program's resources;
// any other kind plays nothing.
void PlayClickSound(IPlatform& platform, int kind);

}  // namespace quorlet
