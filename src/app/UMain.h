#pragma once
// The main window: the launcher's one window and the life of the program.

#include <string>
#include <vector>

#include "platform/TWindowBase.h"

namespace quorlet {

// Sent by a second start to the running instance; both parameters 0.
const UINT WM_QUORLET_RUNNING = 3080;

class TfrmQuorlet : public TWindowBase {
public:
    static const char* const ClassName;
    static const int ClientWidth = 348;
    static const int ClientHeight = 120;

    // Creates the window (running FormCreate) owned by the application window.
    // On failure returns false and ErrorText() says why.
    bool Create(HINSTANCE instance, HWND applicationWindow);
    // First showing of the window.
    void Show();
    const std::string& ErrorText() const { return FErrorText; }

    // State of the window.
    int CellIconSize = 0;
    bool SwapPending = false;
    bool CopyPending = false;
    bool HiddenInTray = false;
    bool AppActive = false;
    bool UpdateChecked = false;
    std::vector<std::string> ButtonIdList, RunCountList, SortedCountList;
    // Notices received from second starts.
    int RunningNoticeCount = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();
    void MoveToStoredPosition(int left, int top);
    void ApplicationActive();
    void ApplicationDeActive();
    void WMQuorletRunning();

    std::string FErrorText;
};

}  // namespace quorlet
