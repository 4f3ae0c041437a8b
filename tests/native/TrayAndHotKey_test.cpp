// The hot key's text form, the tray tip and the show/hide toggle.
#include <gtest/gtest.h>

#include <map>

#include "launcher/HotKeyText.h"
#include "launcher/TrayState.h"

using namespace quorlet;

namespace {

// Key names as an English keyboard's system table gives them.
std::string EnglishKeyName(uint32_t vk) {
    static const std::map<uint32_t, std::string> names = {
        {0x08, "Backspace"}, {0x09, "Tab"},   {0x0D, "Enter"},     {0x10, "Shift"},      {0x11, "Ctrl"},
        {0x12, "Alt"},       {0x1B, "Esc"},   {0x20, "Space"},     {0x5B, "Left Windows"}, {0x5C, "Right Windows"},
        {0x6B, "Num +"},     {0x70, "F1"},    {0x7B, "F12"},       {0xA0, "Shift"},      {0xA2, "Ctrl"},
        {0x2E, "Delete"},    {0x41, "A"},     {0x51, "Q"},         {0x31, "1"},          {0xBB, "="},
    };
    auto found = names.find(vk);
    return found == names.end() ? std::string() : found->second;
}

// A German keyboard's names for the modifiers.
std::string GermanKeyName(uint32_t vk) {
    if (vk == 0x10) return "Umschalt";
    if (vk == 0x11) return "Strg";
    if (vk == 0x5B) return "Linke Windows";
    return EnglishKeyName(vk);
}

}  // namespace

TEST(HotKeyText, ParsesTheTextFormAsATable) {
    struct Case {
        const char* Text;
        uint32_t Key, Modifiers;  // Key 0: invalid
    } cases[] = {
        {"Ctrl+Alt+Q", 'Q', hkCtrl | hkAlt},
        {"ctrl+alt+q", 'Q', hkCtrl | hkAlt},
        {"SHIFT+F12", 0x7B, hkShift},
        {"Win+Space", 0x20, hkWin},
        {"  Ctrl+  Shift+ f1", 0x70, hkCtrl | hkShift},
        {"Alt+1", '1', hkAlt},
        {"F12", 0x7B, 0},
        {"q", 'Q', 0},
        {"Ctrl+Num", 0x6B, hkCtrl},
        {"Ctrl+Num +", 0x6B, hkCtrl},
        {"Ctrl+num", 0x6B, hkCtrl},
        {"Ctrl+Left Windows", 0, 0},
        {"Ctrl", 0, 0},
        {"Ctrl+Alt", 0, 0},
        {"Ctrl+", 0, 0},
        {"", 0, 0},
        {"   ", 0, 0},
        {"Ctrl+Nope", 0, 0},
        {"Foo+A", 0, 0},
        {"Ctrl+Foo+A", 0, 0},
        {"Ctrl+AB", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        const uint32_t code = ParseHotKeyText(c.Text, EnglishKeyName);
        if (c.Key == 0) {
            EXPECT_EQ(code, 0u);
            continue;
        }
        EXPECT_EQ(HotKeyVirtualKey(code), c.Key);
        EXPECT_EQ(HotKeyModifiers(code), c.Modifiers);
    }
}

TEST(HotKeyText, AcceptsTheSystemsOwnModifierNames) {
    EXPECT_EQ(ParseHotKeyText("Strg+Umschalt+A", GermanKeyName), HotKeyCode('A', hkCtrl | hkShift));
    EXPECT_EQ(ParseHotKeyText("Linke Windows+A", GermanKeyName), HotKeyCode('A', hkWin));
    EXPECT_EQ(ParseHotKeyText("Ctrl+A", GermanKeyName), HotKeyCode('A', hkCtrl));
    EXPECT_EQ(ParseHotKeyText("Strg", GermanKeyName), 0u);
}

TEST(HotKeyText, AnEmptyPartIsInvalidEvenWhereAKeyHasNoSystemName) {
    // Some keyboards name neither Windows key: an empty part must not match
    // the empty name and pass for a modifier.
    const TKeyNameOf withoutWindowsKeys = [](uint32_t vk) {
        return vk == 0x5B || vk == 0x5C ? std::string() : EnglishKeyName(vk);
    };
    for (const char* text : {"+F9", " +F9", "Ctrl++F9", "Ctrl+ +F9", "+", "++F9"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseHotKeyText(text, withoutWindowsKeys), 0u);
        EXPECT_EQ(ParseHotKeyText(text, EnglishKeyName), 0u);
    }
    EXPECT_EQ(ParseHotKeyText("Win+F9", withoutWindowsKeys), HotKeyCode(0x78, hkWin));
}

TEST(HotKeyText, TextAndParseRoundTrip) {
    const uint32_t codes[] = {
        HotKeyCode('Q', hkCtrl | hkAlt), HotKeyCode(0x7B, hkShift), HotKeyCode(0x6B, hkCtrl),
        HotKeyCode('1', hkShift | hkCtrl | hkAlt | hkWin), HotKeyCode(0x2E, 0), HotKeyCode(0x20, hkWin),
    };
    for (uint32_t code : codes) {
        const std::string text = HotKeyText(code, EnglishKeyName);
        SCOPED_TRACE(text);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(ParseHotKeyText(text, EnglishKeyName), code);
    }
    EXPECT_EQ(HotKeyText(HotKeyCode('Q', hkCtrl | hkAlt), EnglishKeyName), "Ctrl+Alt+Q");
    EXPECT_EQ(HotKeyText(HotKeyCode('1', hkWin | hkShift), EnglishKeyName), "Shift+Win+1");
    EXPECT_EQ(HotKeyText(HotKeyCode(0x6B, hkCtrl), EnglishKeyName), "Ctrl+Num +");
    EXPECT_EQ(HotKeyText(0, EnglishKeyName), "");
    EXPECT_EQ(HotKeyText(HotKeyCode(0xE8, hkCtrl), EnglishKeyName), "") << "a key without a name";
}

TEST(HotKeyText, CommonCombinationsNeedNoSystemKeyNames) {
    // Asking the system for a key name loads its keyboard layout, which costs
    // a start noticeable time: the usual texts are read without it.
    int asked = 0;
    const TKeyNameOf counting = [&](uint32_t vk) {
        ++asked;
        return EnglishKeyName(vk);
    };
    struct Case {
        const char* Text;
        const char* Written;  // as the formatter writes it back
    } cases[] = {{"Ctrl+Alt+F11", "Ctrl+Alt+F11"}, {"Shift+Win+Q", "Shift+Win+Q"}, {"alt+f24", "Alt+F24"},
                 {"Ctrl+Shift+7", "Shift+Ctrl+7"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        asked = 0;
        const uint32_t code = ParseHotKeyText(c.Text, counting);
        EXPECT_NE(code, 0u);
        EXPECT_EQ(HotKeyText(code, counting), c.Written);
        EXPECT_EQ(asked, 0);
    }
    EXPECT_EQ(ParseHotKeyText("Ctrl+F25", EnglishKeyName), 0u);
    EXPECT_EQ(ParseHotKeyText("Ctrl+F0", EnglishKeyName), 0u);
}

TEST(TrayState, TipTextsAndLimits) {
    EXPECT_EQ(TrayHintText(false, "Ctrl+Alt+Q", false, 7, 5, 0), "Quorlet");
    EXPECT_EQ(TrayHintText(true, "Ctrl+Alt+Q", false, 7, 5, 0), "Quorlet\r\nHotKey:Ctrl+Alt+Q");
    EXPECT_EQ(TrayHintText(true, "Ctrl+Alt+Q", true, 7, 5, 0), "Quorlet\r\nHotKey:Ctrl+Alt+Q\r\nAlarm Clock: 07:05:00");
    EXPECT_EQ(TrayHintText(false, "", true, 23, 59, 9), "Quorlet\r\nAlarm Clock: 23:59:09");
    EXPECT_EQ(CutToLimit(std::string(200, 'x'), kTrayTipLimit).size(), 127u);
    EXPECT_EQ(CutToLimit("short", kBalloonTitleLimit), "short");
}

TEST(TrayState, ToggleFlipsOnlyWhileTheLauncherIsActive) {
    struct Case {
        bool AppActive, Hidden, HiddenAfter;
    } cases[] = {
        {true, false, true},    // active and shown: hides
        {true, true, false},    // active and hidden: shows
        {false, false, false},  // another program active, shown: brought forward, stays shown
        {false, true, false},   // another program active, hidden: shows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.AppActive << c.Hidden);
        EXPECT_EQ(HiddenAfterToggle(c.AppActive, c.Hidden), c.HiddenAfter);
    }
}
