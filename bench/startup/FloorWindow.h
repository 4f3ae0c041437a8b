#pragma once
// The memory yardstick's main window, as the benchmark looks it up.

namespace quorlet {
namespace startupbench {

constexpr const char* kFloorWindowClass = "QuorletBenchFloorWindow";
constexpr const char* kFloorWindowTitle = "Floor window";

}  // namespace startupbench
}  // namespace quorlet
