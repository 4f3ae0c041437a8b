#pragma once
// The yardstick program's main window, as the benchmark looks it up.

namespace quorlet {
namespace startupbench {

constexpr const char* kEmptyWindowClass = "QuorletBenchEmptyWindow";
constexpr const char* kEmptyWindowTitle = "Empty window";

// The hot-key benchmark: the empty window's hot key (Ctrl+Alt+F12) with this
// argument, Quorlet's from its settings document.
constexpr const char* kHotKeyArgument = "--hotkey";
constexpr unsigned kEmptyWindowHotKeyModifiers = 0x0001 | 0x0002;  // MOD_ALT | MOD_CONTROL
constexpr unsigned kEmptyWindowHotKeyKey = 0x7B;                   // VK_F12
constexpr const char* kQuorletHotKeyText = "Ctrl+Alt+F11";
constexpr unsigned kQuorletHotKeyKey = 0x7A;  // VK_F11

}  // namespace startupbench
}  // namespace quorlet
