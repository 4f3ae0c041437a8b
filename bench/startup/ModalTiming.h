#pragma once
// Timing a modal dialog's opening in this process: from the call that shows
// it to the thread's first idle moment, when every message and paint the
// opening queued has been handled.

#include <functional>
#include <vector>

namespace quorlet {
namespace startupbench {

// Milliseconds from the performance counter.
double NowMs();
double Median(std::vector<double> samples);

// Runs show, which opens a modal dialog captioned caption; at the first idle
// moment the dialog is closed with IDCANCEL. Throws std::runtime_error when
// no idle moment came while it was open.
double TimeModalOpening(const char* caption, const std::function<void()>& show);

}  // namespace startupbench
}  // namespace quorlet
