#pragma once
// The about box (TfrmAbout): a banner, the support team's promise, two links
// (the support mail address and the home page, from base/Addresses.h), the
// version and its date. A click on a link, or Enter or Space on it, hands the
// address to the shell with the box as the owner; OK, Esc and the close box
// close it.

#include <windows.h>

#include "base/Platform.h"
#include "win32/TModalDialog.h"
#include "win32/WinHandles.h"

namespace quorlet {

class TfrmAbout : public TModalDialog {
public:
    static const char* const Caption;       // "About"
    static const char* const MailSubject;   // what a mail to the support team is about
    static const COLORREF LinkColour;       // blue

    // Shows the box modally above owner, centred on the desktop.
    static void Execute(IPlatform& platform, HINSTANCE instance, HWND owner);

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    explicit TfrmAbout(IPlatform& platform) : FPlatform(platform) {}
    void FormCreate();
    void LabelMailClick();
    void LabelWebClick();
    // A link's address, underlined, and its size fitted to it so that only
    // the address itself (and a little room for the focus frame) is a link.
    void SetUpLink(int id, const char* address);
    bool IsLink(HWND window) const;

    static LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                     DWORD_PTR refData);

    IPlatform& FPlatform;
    HINSTANCE FInstance = nullptr;
    TUniqueFont FLinkFont, FBoldFont, FHeadingFont;
};

// Paints the about box's banner into area of dc as a screen of dpi dots per
// inch shows it: a pale band with the program's emblem (its 48 or 96 pixel
// picture, as the dpi asks) and name, and a line along its bottom.
void PaintAboutBanner(HDC dc, const RECT& area, int dpi, HINSTANCE instance);
// Where PaintAboutBanner puts the emblem in area.
RECT AboutEmblemRect(const RECT& area, int dpi);

}  // namespace quorlet
