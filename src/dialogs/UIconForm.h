#pragma once
// The icon chooser (TfrmIconForm, caption "Icon"): an icon file, the index
// of its icon counted from 1 with the number of icons beside it, and a
// preview that follows every change. The rules are TIconChoiceModel's.

#include <string>

#include <windows.h>

#include "base/Platform.h"
#include "launcher/IconChoice.h"
#include "shell/OwnedIcon.h"
#include "win32/TModalDialog.h"

namespace quorlet {

class TfrmIconForm : public TModalDialog {
public:
    // Shows the chooser set up with file and then index (the icon number plus
    // one). True for OK, with file and index as chosen; false for Cancel.
    static bool Execute(HINSTANCE instance, HWND owner, IPlatform& platform, std::string& file, int& index);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TfrmIconForm(IPlatform& platform, HWND owner) : FPlatform(platform), FOwner(owner), FModel(platform) {}
    void FormCreate();
    void LabeledEditIconfileChange();
    void SpinEditIconIndexChange();
    void btnLoactionFileClick();
    // The model's range, index, maximum label, OK and preview in the controls.
    void ShowModel();
    void ShowPreview();

    IPlatform& FPlatform;
    HWND FOwner;
    TIconChoiceModel FModel;
    TOwnedIcon FPreview;
    std::string FStartFile;
    int FStartIndex = 1;
    bool FShowing = false;  // while the controls are written: their notifications are ours
};

}  // namespace quorlet
