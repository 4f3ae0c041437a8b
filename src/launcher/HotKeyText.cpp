#include "launcher/HotKeyText.h"

#include "base/TextCompare.h"

#include <string>

namespace quorlet {

namespace {

const uint32_t VK_SHIFT_ = 0x10, VK_CONTROL_ = 0x11, VK_MENU_ = 0x12, VK_LWIN_ = 0x5B, VK_RWIN_ = 0x5C;
const uint32_t VK_ADD_ = 0x6B;

struct TModifierName {
    const char* Name;
    uint32_t Flag;
    uint32_t VirtualKey;  // whose system name is accepted too
};

const TModifierName kModifiers[] = {
    {"Shift", hkShift, VK_SHIFT_},
    {"Ctrl", hkCtrl, VK_CONTROL_},
    {"Alt", hkAlt, VK_MENU_},
    {"Win", hkWin, VK_LWIN_},
};

std::string WithoutLeadingBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// Keys that only modify another: never the key of a combination.
bool IsModifierKey(uint32_t vk) {
    return vk == VK_SHIFT_ || vk == VK_CONTROL_ || vk == VK_MENU_ || vk == VK_LWIN_ || vk == VK_RWIN_ ||
           (vk >= 0xA0 && vk <= 0xA5);
}

uint32_t ModifierFlag(const std::string& part, const TKeyNameOf& keyName) {
    // An empty part names nothing, even where the system has no name for a key.
    if (part.empty()) return 0;
    // The program's own names first: asking the system costs its keyboard
    // layout on the first call.
    for (const TModifierName& modifier : kModifiers)
        if (SameText(part, modifier.Name)) return modifier.Flag;
    for (const TModifierName& modifier : kModifiers) {
        const std::string systemName = keyName(modifier.VirtualKey);
        if (!systemName.empty() && SameText(part, systemName)) return modifier.Flag;
    }
    if (SameText(part, keyName(VK_RWIN_))) return hkWin;
    return 0;
}

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

const uint32_t VK_F1_ = 0x70;

// F1..F24: every keyboard names them so, and they need no look-up.
uint32_t FunctionKeyOf(const std::string& key) {
    if (key.size() < 2 || key.size() > 3 || (key[0] != 'F' && key[0] != 'f')) return 0;
    int n = 0;
    for (size_t i = 1; i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9') return 0;
        n = n * 10 + (key[i] - '0');
    }
    return n >= 1 && n <= 24 ? VK_F1_ + static_cast<uint32_t>(n - 1) : 0;
}

uint32_t KeyOfText(const std::string& key, const TKeyNameOf& keyName) {
    if (key.empty()) return 0;
    if (key.size() == 1 && IsLetterOrDigit(key[0])) return static_cast<uint32_t>(key[0] >= 'a' ? key[0] - 'a' + 'A' : key[0]);
    if (SameText(WithoutTrailingBlanks(key), "Num")) return VK_ADD_;
    if (const uint32_t function = FunctionKeyOf(key)) return function;
    for (uint32_t vk = 8; vk <= 255; ++vk) {
        if (IsModifierKey(vk)) continue;
        const std::string name = keyName(vk);
        if (!name.empty() && SameText(key, name)) return vk;
    }
    return 0;
}

}  // namespace

uint32_t ParseHotKeyText(const std::string& text, const TKeyNameOf& keyName) {
    uint32_t modifiers = 0;
    size_t start = 0;
    // Modifiers are taken from the front while a "+" follows them; the rest is
    // the key, which may hold a "+" of its own ("Num +").
    for (;;) {
        const size_t plus = text.find('+', start);
        if (plus == std::string::npos) break;
        const uint32_t flag = ModifierFlag(WithoutLeadingBlanks(text.substr(start, plus - start)), keyName);
        if (!flag) break;
        modifiers |= flag;
        start = plus + 1;
    }
    const uint32_t key = KeyOfText(WithoutLeadingBlanks(text.substr(start)), keyName);
    return key ? HotKeyCode(key, modifiers) : 0;
}

std::string HotKeyText(uint32_t code, const TKeyNameOf& keyName) {
    const uint32_t vk = HotKeyVirtualKey(code);
    if (vk == 0 || vk > 255) return std::string();
    std::string key;
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        key.assign(1, static_cast<char>(vk));
    else if (vk >= VK_F1_ && vk < VK_F1_ + 24)
        key = "F" + std::to_string(vk - VK_F1_ + 1);
    else
        key = keyName(vk);
    if (key.empty()) return std::string();
    std::string text;
    const uint32_t modifiers = HotKeyModifiers(code);
    for (const TModifierName& modifier : kModifiers)
        if (modifiers & modifier.Flag) text += std::string(modifier.Name) + "+";
    return text + key;
}

}  // namespace quorlet
