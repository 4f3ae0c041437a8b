#pragma once
// The running Quorlet.exe as a benchmark reads it from outside: its pages and
// find page, the hint panel, whether it answers, has the front or is at rest.

#include <string>

#include <windows.h>

namespace quorlet {
namespace startupbench {

const DWORD kChangeWaitMs = 10000;  // a change, or the program settling after it
const DWORD kPollMs = 10;           // between the tries of a wait that is not timed

// The count of "Find: <query>  (<count>)"; -1 for any other text.
long FindCount(const std::string& panel);

class TQuorletWindow {
public:
    // Throws std::runtime_error when the window has no tab strip or status bar.
    TQuorletWindow(HWND main, HANDLE process);
    HWND Main() const { return FMain; }
    // The page's sheet (null before it is built) and the find page's.
    HWND Sheet(int page) const;
    HWND FindSheet() const;
    std::string HintPanel() const;

    // The page is the active one and shown, with every icon of it loaded.
    bool PageShown(int page) const;
    // What stands in the way of PageShown, for a failure's message.
    std::string PageState(int page) const;
    // The find page is shown with every icon of it loaded.
    bool FindShown() const;
    bool FindHidden() const;

    // Each throws std::runtime_error when the condition does not come about.
    // The program has handled what was sent before.
    void CheckAnswers() const;
    // Whatever a change left running (a click sound, the icon worker) is
    // over: the process has used no processor time for a moment.
    void WaitUntilQuiet() const;
    void CheckForeground() const;
    void WaitForPage(int page, DWORD ms) const;

private:
    double ProcessorMs() const;

    HWND FMain;
    HANDLE FProcess;
    HWND FTabs, FStatus;
};

// Wine's own window for the notification area, once it shows.
HWND ShownTrayWindow();
// Shown for the first icon of a session, the tray window takes the front
// once; one that was there before the program started takes nothing.
void WaitForTrayWindow(bool shownBefore);
// Throws std::runtime_error when the window cannot be made the active one.
void BringToFront(HWND window);

}  // namespace startupbench
}  // namespace quorlet
