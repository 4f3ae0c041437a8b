#pragma once
// The tab sheet name prompt (TfrmGroupName): one field for the name of a new
// or renamed tab sheet. OK keeps the prompt open while the name is blank
// (IsBlankGroupName); otherwise the name goes back exactly as typed, blanks
// included. Cancel, Esc and the close box leave it even when the field is empty.

#include <string>

#include <windows.h>

#include "win32/TModalDialog.h"

namespace quorlet {

class TfrmGroupName : public TModalDialog {
public:
    static const char* const Caption;  // "Tabsheet name"

    // Shows the prompt modally, centred on owner, with name in the field
    // (empty for a new tab sheet). True for OK, with name set to the text as
    // typed; false for Cancel, with name untouched.
    static bool Execute(HINSTANCE instance, HWND owner, std::string& name);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    explicit TfrmGroupName(const std::string& name) : FName(name) {}
    void FormCreate();
    void btnOKClick();

    HWND FOwner = nullptr;
    std::string FName;
};

}  // namespace quorlet
