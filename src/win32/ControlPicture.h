#pragma once
// A control painted from a picture of itself. The control draws itself into
// the picture, and each WM_PAINT copies the part asked for; the picture is
// kept until a message reaches the control that could change how it looks, or
// the system's colours change. A window shown again from hidden, as the hot
// key and the tray icon do it, then costs the control one copy instead of all
// its drawing (a themed tab strip draws every tab from stretched images).
//
// The control's subclass procedure hands every message to Handle first.

#include <functional>
#include <initializer_list>
#include <vector>

#include <windows.h>

namespace quorlet {

class TControlPicture {
public:
    // Draws the control into dc as it draws itself on the screen (its
    // background, then WM_PRINTCLIENT), from inside its window procedure.
    using TDrawInto = std::function<void(HDC dc)>;

    // queries: the control's own messages that only ask (the tab strip's
    // TCM_GETITEMRECT, say) and so leave the picture as it is.
    TControlPicture(TDrawInto drawInto, std::initializer_list<UINT> queries);
    ~TControlPicture();
    TControlPicture(const TControlPicture&) = delete;
    TControlPicture& operator=(const TControlPicture&) = delete;

    // True when the message was answered: a WM_PAINT drawn from the picture.
    bool Handle(HWND control, UINT message);
    // The next paint draws the control afresh.
    void Forget() { FCurrent = false; }
    // Part of the control changed (client coordinates): the next paint draws
    // that part again, clipped to it, into the picture.
    void Forget(const RECT& part);
    // Gives the picture's memory back; the next paint draws afresh.
    void Release();

private:
    bool LeavesLookAlone(UINT message) const;
    bool Paint(HWND control);
    bool Draw(int width, int height);

    TDrawInto FDrawInto;
    std::vector<UINT> FQueries;
    HDC FMemory = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    int FWidth = 0, FHeight = 0;
    bool FCurrent = false;
    RECT FStale = {};  // out of date in a current picture
    std::vector<COLORREF> FColours;  // the system's colours the picture was drawn with
};

}  // namespace quorlet
