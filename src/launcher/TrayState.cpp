#include "launcher/TrayState.h"

#include <cstdio>

namespace quorlet {

std::string TrayHintText(bool hotKeyRegistered, const std::string& hotKeyText, bool alarmOn, int hour, int minute,
                         int second) {
    std::string text = hotKeyRegistered ? "Quorlet\r\nHotKey:" + hotKeyText : "Quorlet";
    if (alarmOn) {
        char alarm[64];
        std::snprintf(alarm, sizeof alarm, "\r\nAlarm Clock: %.2d:%.2d:%.2d", hour, minute, second);
        text += alarm;
    }
    return text;
}

std::string CutToLimit(const std::string& text, size_t limit) {
    return text.size() <= limit ? text : text.substr(0, limit);
}

bool HiddenAfterToggle(bool appActive, bool hiddenInTray) { return appActive ? !hiddenInTray : false; }

}  // namespace quorlet
