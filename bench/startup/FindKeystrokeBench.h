#pragma once
// The first keystroke of type-to-find in the real Quorlet.exe against a tab
// change to a page that is built already, both timed the same way: from the
// keys pressed with real input to the screen showing the result (a probed
// pixel of it has the colour of the new state).
//
// Quorlet.exe runs with the benchmarks' document (10 tab sheets of 20
// buttons) and 500 Start Menu shortcuts in a folder the benchmark makes in the
// user's Programs folder, which the program's worker reads before any timing.
// A tab change is Ctrl+PgDn from the first tab sheet to the second or Ctrl+PgUp
// back, until a probe where the two pages differ shows the new one; a find
// keystroke is the first letter of a name on the first tab sheet, until the
// find page's first cell shows the system's highlight colour, its result
// selected. Esc then ends the find (not timed). Each round takes a tab change
// each way (its figure the mean of the two) and a find keystroke, the order
// turning every round; after each change the program is left to come to rest
// (no processor time used for a moment) before the next.

#include <string>

namespace quorlet {
namespace startupbench {

// Prints the figures; throws std::runtime_error on any failure. The shortcuts
// are removed in either case.
int RunFindKeystroke(int runs, const std::string& quorletExe);

}  // namespace startupbench
}  // namespace quorlet
