// Click modes of the button images and the mode prefix of the hint line: the
// modifier set is compared as a whole, mouse buttons included.
#include <gtest/gtest.h>

#include <string>

#include "launcher/ClickModes.h"

using namespace quorlet;

namespace {

const TShiftState L = ssLeft;

struct TModeCase {
    TShiftState Shift;
    TClickAction Action;
    bool KeepVisible;
};

}  // namespace

TEST(ClickModes, CellWithRecord) {
    const TModeCase cases[] = {
        {ssAlt | L, caProperties, false},
        {ssCtrl | L, caExplorerFolder, false},
        {ssShift | L, caLaunch, true},
        {L, caLaunch, false},
        // Not exactly one of the modes: an ordinary launch that may hide the window.
        {ssAlt | ssCtrl | L, caLaunch, false},
        {ssShift | ssCtrl | L, caLaunch, false},
        {ssShift | ssAlt | L, caLaunch, false},
        {ssAlt | L | ssRight, caLaunch, false},
        {ssCtrl | L | ssMiddle, caLaunch, false},
        {ssShift | L | ssRight, caLaunch, false},
        {ssAlt, caLaunch, false},
        {0, caLaunch, false},
    };
    for (const TModeCase& c : cases) {
        SCOPED_TRACE("shift " + std::to_string(c.Shift));
        for (bool ignoreBlank : {false, true}) {
            const TClickMode mode = CellClickMode(c.Shift, true, ignoreBlank);
            EXPECT_EQ(mode.Action, c.Action);
            EXPECT_EQ(mode.KeepVisible, c.KeepVisible);
        }
    }
}

TEST(ClickModes, EmptyCellOpensTheNewButtonDialogUnlessBlankClicksAreIgnored) {
    struct Case {
        TShiftState Shift;
        bool IgnoreBlankButton;
        TClickAction Action;
    } cases[] = {
        {L, false, caNewButton},
        {ssCtrl | L, false, caNewButton},
        {ssShift | L, false, caNewButton},
        {L, true, caNothing},
        {ssAlt | L, true, caNewButton},  // exactly Alt still creates a button
        {ssCtrl | L, true, caNothing},
        {ssAlt | ssShift | L, true, caNothing},
        {ssAlt | L | ssRight, true, caNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("shift " + std::to_string(c.Shift) + " ignore " + std::to_string(c.IgnoreBlankButton));
        const TClickMode mode = CellClickMode(c.Shift, false, c.IgnoreBlankButton);
        EXPECT_EQ(mode.Action, c.Action);
        EXPECT_FALSE(mode.KeepVisible);
    }
}

TEST(ClickModes, RecentAndMostUsedImages) {
    const TModeCase cases[] = {
        {ssAlt | L, caLaunch, true},  // no properties from the Quorlet Tab
        {ssCtrl | L, caExplorerFolder, false},
        {ssShift | L, caLaunch, true},
        {L, caLaunch, false},
        {ssAlt | ssCtrl | L, caLaunch, false},
        {ssCtrl | L | ssRight, caLaunch, false},
        {ssShift | L | ssMiddle, caLaunch, false},
    };
    for (const TModeCase& c : cases) {
        SCOPED_TRACE("shift " + std::to_string(c.Shift));
        const TClickMode mode = LastClickMode(c.Shift, true);
        EXPECT_EQ(mode.Action, c.Action);
        EXPECT_EQ(mode.KeepVisible, c.KeepVisible);
        EXPECT_EQ(LastClickMode(c.Shift, false).Action, caNothing);
    }
}

TEST(ClickModes, StatusHintPrefix) {
    struct Case {
        TShiftState Keys;
        bool TabShown;
        int ActivePage;
        const char* Prefix;
    } cases[] = {
        {ssCtrl, true, 1, "Explorer - "},
        {ssAlt, true, 2, "Config - "},
        {ssCtrl, true, 0, ""},  // on the Quorlet Tab no mode is announced
        {ssAlt, true, 0, ""},
        {ssCtrl, false, 0, "Explorer - "},
        {ssAlt, false, 1, "Config - "},
        {ssCtrl | ssLeft, true, 1, "Explorer - "},  // a held mouse button is not a key
        {ssAlt | ssRight, true, 1, "Config - "},
        {ssCtrl | ssAlt, true, 1, ""},
        {ssCtrl | ssShift, true, 1, ""},
        {ssShift, true, 1, ""},
        {0, true, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("keys " + std::to_string(c.Keys) + " shown " + std::to_string(c.TabShown) + " page " +
                     std::to_string(c.ActivePage));
        EXPECT_EQ(StatusHintPrefix(c.Keys, c.TabShown, c.ActivePage), c.Prefix);
    }
}
