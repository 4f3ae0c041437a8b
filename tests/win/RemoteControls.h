#pragma once
// Driving and reading the windows of another process: controls read through
// memory lent by that process, real mouse and keyboard input, and pictures of
// windows as the screen shows them.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <windows.h>

#include "win32/WinHandles.h"

namespace quorlet {

// A block of memory in the process that owns a window, released on destruction.
class TRemoteMemory {
public:
    TRemoteMemory(HWND window, size_t size);
    ~TRemoteMemory();
    TRemoteMemory(const TRemoteMemory&) = delete;
    TRemoteMemory& operator=(const TRemoteMemory&) = delete;

    explicit operator bool() const { return FAddress != nullptr; }
    void* Address() const { return FAddress; }
    bool Write(const void* data, size_t size);
    bool Read(void* data, size_t size) const;

private:
    TUniqueHandle FProcess;
    void* FAddress = nullptr;
};

// The direct child of parent with this identifier and window class, or null.
HWND FindChildControl(HWND parent, int id, const char* className);

// Text of a status bar panel (SB_GETTEXTA); "<unreadable>" when it cannot be read.
std::string StatusPanelText(HWND statusBar, int panel);

// Caption of tab index of a tab control (TCM_GETITEMA).
std::string TabCaption(HWND tabControl, int index);
// Screen rectangle of tab index (TCM_GETITEMRECT); false when there is no such tab.
bool TabScreenRect(HWND tabControl, int index, RECT& rect);


// Text of a list view's cell (LVM_GETITEMTEXTA); "<unreadable>" when it cannot be read.
std::string ListViewCellText(HWND list, int row, int column);
// Screen rectangle of a header control's item (HDM_GETITEMRECT).
bool HeaderItemScreenRect(HWND header, int index, RECT& rect);

// Real input: the pointer moves to point, the keys go down in order, the left
// button is pressed and released there, and the keys come up in reverse order
// (with ReleaseKey).
bool SendClick(POINT point, std::initializer_list<WORD> keys = {});
// Real input: the pointer moves to point.
bool SendPointerMove(POINT point);
// Real input: the pointer moves to point and the right button is pressed and released there.
bool SendRightClick(POINT point);
// Real input: the keys that type text (letters, digits, blanks and the usual
// punctuation of the keyboard layout), with Shift where a character needs it.
bool SendText(const std::string& text);
// A window of this process that keeps every WM_COPYDATA it is sent: where
// the program sends its answers to questions (base/RemoteQuestion.h).
class TCopyDataInbox {
public:
    struct TItem {
        uint64_t Kind = 0;
        std::vector<uint8_t> Bytes;
    };
    TCopyDataInbox();
    ~TCopyDataInbox();
    TCopyDataInbox(const TCopyDataInbox&) = delete;
    TCopyDataInbox& operator=(const TCopyDataInbox&) = delete;
    HWND Handle() const { return FWindow; }
    const std::vector<TItem>& Items() const { return FItems; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FWindow = nullptr;
    std::vector<TItem> FItems;
};
// Sends bytes of that kind to window as WM_COPYDATA from the inbox's window;
// the message's result, or -1 when it was not answered within timeoutMs.
LRESULT SendCopyData(HWND window, const TCopyDataInbox& from, uint64_t kind, const std::vector<uint8_t>& bytes,
                     DWORD timeoutMs = 5000);

// An entry of the context menu the main window of another process has open,
// asked for with a question the program answers into an inbox: its MFS_
// state bits with MF_SEPARATOR for a separator, -1 without such an entry (or
// without an answer); caption gets its text.
int OpenMenuEntry(HWND mainWindow, int position, std::string& caption);
// Real input: the left button is pressed and released where the pointer is.
bool SendLeftClick();
// Real input: one key down or up.
bool SendKey(WORD key, bool up);
// Real input: the key comes up. Before Alt comes up a key without meaning is
// struck, so that releasing Alt does not open the window's menu.
bool ReleaseKey(WORD key);

// The screen area of a window as 24-bit pixels, rows from the bottom up.
struct TWindowPicture {
    int Width = 0, Height = 0;
    BITMAPINFOHEADER Header = {};
    std::vector<uint8_t> Bits;
    // The number of different colours, counted up to enough.
    size_t DistinctColours(size_t enough) const;
    bool Save(const std::string& bmpFile) const;
};
bool CaptureWindowPicture(HWND window, TWindowPicture& picture);

// Writes what the screen shows of the window into a 24-bit BMP file once the
// picture has settled (stayed the same for stillMs) and is not blank; "" on
// success, else what went wrong. A window that changes by itself, as the
// alarm window does four times a second (its clock, then its caret), is taken
// with a stillness shorter than its changes.
const DWORD kPictureStillMs = 250;
const DWORD kMovingPictureStillMs = 100;
std::string SaveWindowPicture(HWND window, const std::string& bmpFile, DWORD stillMs = kPictureStillMs);

}  // namespace quorlet
