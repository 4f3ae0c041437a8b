#pragma once
// The Quorlet Tab's content: the recent row (Image_Last1..6), the most-used
// row (Image_Top1..6), the separator Bevel1 and the icons of the program's own
// commands, each bound to a command of the table whose hint it shows.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "app/TButtonImages.h"
#include "app/TCell.h"
#include "app/TSheetWindow.h"
#include "launcher/Commands.h"
#include "launcher/TopButtons.h"

namespace quorlet {

class TQuorletTab {
public:
    TQuorletTab(ICellEvents& cellEvents, TButtonImages& images, const TCommandList& commands)
        : FCellEvents(cellEvents), FImages(images), FCommands(commands) {}

    // Makes the rows and the command icons on the Quorlet Tab's body.
    void Build(HINSTANCE instance, TSheetWindow& sheet);
    bool Built() const { return FBuilt; }

    // ShowRecentButtons: the recent row from the recent list (nothing while the
    // list holds fewer than six entries).
    void ShowRecentButtons(const std::vector<std::string>& recentButtons);
    // ShowTopSlot: slot 1..6 of the most-used row shows button id.
    void ShowTopSlot(int32_t id, int slot);
    // Panel18 (resting alarm) while the alarm is off, Panel19 (armed) while it is on.
    void ShowAlarmIcon(bool alarmOn);
    // The armed alarm icon's hint (the alarm time and the present time).
    void SetArmedHint(const char* hint);

    // The command a command icon is bound to; false for any other image.
    bool CommandOf(const TCell& image, TCommandId& command) const;
    // Button id changed: the recent and most-used images showing it load it again.
    void ShowButtonAgain(int32_t id);
    // The density changed: every image is shown again at the new size (the
    // sheet has placed the cells already).
    void Rescale();

private:
    struct TCommandIcon {
        TCell* Image;
        TCommandId Command;
        int IconId;
    };

    void LoadCommandIcon(const TCommandIcon& icon);

    ICellEvents& FCellEvents;
    TButtonImages& FImages;
    const TCommandList& FCommands;
    bool FBuilt = false;
    HINSTANCE FInstance = nullptr;
    TSheetWindow* FSheet = nullptr;
    TCell* FImageLast[kTopSlotCount] = {};
    TCell* FImageTop[kTopSlotCount] = {};
    std::vector<TCommandIcon> FCommandIcons;
    TCell* FPanel18 = nullptr;  // Image_AlarmConfig
    TCell* FPanel19 = nullptr;  // Image_AlarmConfigEnabled
};

}  // namespace quorlet
