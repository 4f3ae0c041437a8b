#pragma once
// The text form of a global hot key, as the settings store it: modifiers
// joined by "+" before the key ("Ctrl+Alt+Q", "Shift+F12", "Ctrl+Num +").
// The key names come from the system's key-name table, so the text reads as
// the user's keyboard labels its keys.

#include <cstdint>
#include <functional>
#include <string>

namespace quorlet {

// The modifiers of a combination, with the values RegisterHotKey takes.
enum THotKeyModifier : uint32_t {
    hkAlt = 0x1,
    hkCtrl = 0x2,
    hkShift = 0x4,
    hkWin = 0x8,
};

// A combination in one number: the virtual key in the low 16 bits, the
// modifiers above. 0 stands for none.
inline uint32_t HotKeyCode(uint32_t virtualKey, uint32_t modifiers) { return virtualKey | modifiers << 16; }
inline uint32_t HotKeyVirtualKey(uint32_t code) { return code & 0xFFFF; }
inline uint32_t HotKeyModifiers(uint32_t code) { return code >> 16; }

// The system's name of a virtual key (empty when it has none).
using TKeyNameOf = std::function<std::string(uint32_t virtualKey)>;

// The combination a text names, 0 when it names none: a part before the
// last that is no modifier (an empty one included), a missing key, a key that
// matches no name, or a modifier key alone. Parts may start with blanks; names compare without
// regard to case; "Shift", "Ctrl", "Alt" and "Win" or the system's names of
// those keys are modifiers; a single letter or digit is its own key; "Num"
// is the numeric keypad's plus key, whose name "Num +" the "+" cuts short.
uint32_t ParseHotKeyText(const std::string& text, const TKeyNameOf& keyName);

// The text of a combination: "Shift+", "Ctrl+", "Alt+", "Win+" in this order,
// then the key. Empty for 0 or a key without a name.
std::string HotKeyText(uint32_t code, const TKeyNameOf& keyName);

}  // namespace quorlet
