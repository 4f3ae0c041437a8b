#pragma once
// The "please wait" window (TfrmWait): borderless, centred on its owner, one
// panel saying what is being done. Shown and painted at once, since the work
// it covers keeps the thread busy; gone when the object goes.

#include <windows.h>

namespace quorlet {

class TfrmWait {
public:
    TfrmWait(HINSTANCE instance, HWND owner);
    ~TfrmWait();
    TfrmWait(const TfrmWait&) = delete;
    TfrmWait& operator=(const TfrmWait&) = delete;

    HWND Handle() const { return FHandle; }
    void Hide();

private:
    HWND FHandle = nullptr;
};

}  // namespace quorlet
