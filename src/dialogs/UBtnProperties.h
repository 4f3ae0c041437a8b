#pragma once
// The button properties dialog (TfrmBtnProperties, caption "Properties"):
// what a button starts and how, on one page "Icon Taget Setting". It edits
// the button store's working record, which the caller has loaded with the
// button's record and stores after OK. The rules are
// TButtonPropertiesModel's; this window turns its state into controls.

#include <windows.h>

#include "base/Platform.h"
#include "launcher/ButtonProperties.h"
#include "settings/UBtnSettingXml.h"
#include "shell/OwnedIcon.h"
#include "win32/TModalDialog.h"

namespace quorlet {

class TfrmBtnProperties : public TModalDialog {
public:
    // True for OK, with the working record's fields set; false for Cancel
    // (the icon fields may have changed, the stored record has not).
    // analyseLinkFile: the program's setting, by which a typed shortcut is named.
    static bool Execute(HINSTANCE instance, HWND owner, IPlatform& platform, TBtnSettingXml& record,
                        bool analyseLinkFile);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TfrmBtnProperties(HINSTANCE instance, HWND owner, IPlatform& platform, TBtnSettingXml& record,
                      bool analyseLinkFile);
    void FormCreate();
    void LabeledEditCommandChange();
    void LabeledEditCommandExit();
    void btnLoactionFileClick();
    void btnLocationPathClick();
    void btnLinkFileClick();
    void Button1Click();
    void btnHelpClick();
    void ButtonOKClick();

    HWND Control(int id) const { return GetDlgItem(FPage, id); }
    // Fields from the controls, and back.
    void ReadFields();
    void WriteFields();
    // Resolve button, the width of "File " and OK from the model.
    void ShowRules();
    void ShowPreview();

    HINSTANCE FInstance;
    HWND FOwner;
    IPlatform& FPlatform;
    TButtonPropertiesModel FModel;
    HWND FPage = nullptr;
    TOwnedIcon FPreview;
    int FCommandFullWidth = 0, FCommandNarrowWidth = 0;
    bool FWriting = false;  // while the fields are written: one change rule after
};

}  // namespace quorlet
