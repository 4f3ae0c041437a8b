#pragma once
// The options dialog (TfrmOptions, caption "Options"): the application
// settings on the pages General, Tabsheet and Update, and one-off commands
// (program shortcuts, backup, restore, an update check now). It reads the
// settings when it opens and writes them only on OK; the rules are in
// launcher/OptionsRules.

#include <string>

#include <windows.h>

#include "base/Platform.h"
#include "launcher/OptionsRules.h"
#include "settings/UAppSettingXml.h"
#include "win32/ProgramMessages.h"
#include "win32/TModalDialog.h"

namespace quorlet {

// What the dialog asks of the main window.
class IOptionsHost {
public:
    virtual ~IOptionsHost() = default;
    virtual bool BackupConfigFrom(HWND owner) = 0;
    virtual void RestoreConfigFrom(HWND owner) = 0;
    // The update check now, its boxes owned by owner. When it has recorded a
    // result, owner is sent WM_OPTIONS_UPDATECHECKED.
    virtual void CheckForUpdateFrom(HWND owner) = 0;
};

class TfrmOptions : public TModalDialog {
public:
    // True for OK (the settings written and saved), false for Cancel.
    static bool Execute(HINSTANCE instance, HWND owner, IPlatform& platform, TAppSettingXml& settings,
                        IOptionsHost& host);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TfrmOptions(HINSTANCE instance, IPlatform& platform, TAppSettingXml& settings, IOptionsHost& host)
        : FInstance(instance), FPlatform(platform), FSettings(settings), FHost(host) {}
    void FormCreate();
    void ShowPage(int page);
    // The names grid after the count of "Tabs number" was set.
    void SpinEditGroupsChange();
    void CheckBoxAutoCheckUpdateClick();
    void ShowUpdateState();
    void btnHelpClick();
    void ButtonOKClick();
    // The names grid shows FValues.GroupNames.
    void ShowNameRows();
    void ReadNameRows();
    void Command(int id, int code);

    HINSTANCE FInstance;
    IPlatform& FPlatform;
    TAppSettingXml& FSettings;
    IOptionsHost& FHost;
    TOptionsValues FValues;
    HWND FPages[3] = {};
    int FActivePage = 0;
    bool FShowing = false;  // while controls are written: their notifications are ours
};

}  // namespace quorlet
