#pragma once
// The alarm dialog (TfrmAlarmConfig): edits the alarm settings on a working
// copy of its controls (TAlarmConfigModel holds their rules), previews the
// alarm window, and shows the present time in its title. Only OK writes the
// controls back into the settings; saving them is the caller's work.

#include <string>

#include <windows.h>

#include "alarm/AlarmConfigRules.h"
#include "base/Platform.h"
#include "settings/UAppSettingXml.h"
#include "win32/TModalDialog.h"
#include "win32/WinHandles.h"

namespace quorlet {

class TfrmAlarmConfig : public TModalDialog {
public:
    static const UINT_PTR Timer1 = 1;
    static const char* const TitlePrefix;  // "Alarm Clock  "

    TfrmAlarmConfig(IPlatform& platform, TAppSettingXml& settings);

    // Shows the dialog modally above owner: 1 for OK (the settings hold the
    // controls' values), 2 for Cancel, Esc or the close box.
    int ShowModal(HINSTANCE instance, HWND owner);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();
    void Command(int id, int code);
    void ButtonOKClick();
    void btnLocationPathClick();
    void ButtonTestAlarmClick();
    void Timer1Timer();
    void FormClose(int result);
    bool SetPointerOverPicture(HWND window);

    // The controls into the model, and the model back into the controls.
    void ReadControls();
    void WriteControls();
    // Runs rule on the controls as they stand.
    template <typename TRule>
    void RunRule(TRule rule) {
        ReadControls();
        rule();
        WriteControls();
    }

    // The "Config" page: a child dialog on the tab control holding every
    // control but the bottom buttons.
    HWND Control(int id) const { return GetDlgItem(FPage, id); }

    static LRESULT CALLBACK TimerOutFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR subclassId, DWORD_PTR refData);

    IPlatform& FPlatform;
    TAppSettingXml& FSettings;
    TAlarmConfigModel FModel;
    HINSTANCE FInstance = nullptr;
    HWND FOwner = nullptr;
    TUniqueIcon FArmedPicture, FRestingPicture;
    HWND FPage = nullptr;     // destroyed with the dialog
};

}  // namespace quorlet
