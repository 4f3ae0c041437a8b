#pragma once
// The yardstick program's main window, as the benchmark looks it up.

namespace quorlet {
namespace startupbench {

constexpr const char* kEmptyWindowClass = "QuorletBenchEmptyWindow";
constexpr const char* kEmptyWindowTitle = "Empty window";

}  // namespace startupbench
}  // namespace quorlet
