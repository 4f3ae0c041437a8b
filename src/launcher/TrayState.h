#pragma once
// What the notification-area icon says and how a toggle hides or shows the
// window.

#include <cstddef>
#include <string>

namespace quorlet {

// The icon's tip: "Quorlet", the hot key on a line of its own when one is
// registered, and the alarm time when the alarm is armed.
std::string TrayHintText(bool hotKeyRegistered, const std::string& hotKeyText, bool alarmOn, int hour, int minute,
                         int second);

// The notification area's limits, in characters.
const size_t kTrayTipLimit = 127;
const size_t kBalloonTitleLimit = 63;
const size_t kBalloonTextLimit = 255;
// text, cut to at most limit characters.
std::string CutToLimit(const std::string& text, size_t limit);

// Whether the window is hidden after a toggle (the hot key, a tray click):
// while the launcher is the active program a toggle flips it; while another
// program is active it always shows the window.
bool HiddenAfterToggle(bool appActive, bool hiddenInTray);

}  // namespace quorlet
