#pragma once
// The two embedded click sounds.

namespace quorlet {

enum TClickSound { csIcon = 0, csTabsheet = 1 };

// Resource name (type WAVE) of a click sound kind, or nullptr for a kind that plays nothing.
const char* ClickSoundResourceName(int kind);

// Plays the sound asynchronously from the program's resources (Windows only; a no-op elsewhere).
void PlayClickSound(int kind);

}  // namespace quorlet
