#pragma once
// Files dragged from the shell onto the launcher window (DropFileTarget1):
// one OLE drop target for each registered window. The main window and the tab
// strip report where a drag is; a page body of a button tab sheet also finds
// the cell under the pointer, takes the drop there and hands the first
// dropped path to the form. Files are taken as copies or as links, copies
// first.
//
// OLE is initialised on the user-interface thread, and the windows registered,
// only once the window has shown and its message loop is idle: the start does
// not wait for it. Each window's target is revoked when the window is
// destroyed.

#include <string>
#include <vector>

#include <windows.h>

#include "app/TCell.h"
#include "app/TSheetWindow.h"

namespace quorlet {

// The form's side of the drop targets. Each call runs inside the error
// boundary of the window the drag is over.
class IDropTargetEvents {
public:
    virtual ~IDropTargetEvents() = default;
    // A drag holding files came over target, a registered window; cell is the
    // cell under the pointer on a page body, else null. Called again when the
    // pointer moves onto another cell of the same page.
    virtual void DropFileTarget1Enter(HWND target, TCell* cell) = 0;
    // The drag moved over a registered window: its key state (MK_ flags) and
    // where the pointer is on the screen.
    virtual void DropFileTarget1DragOver(DWORD keyState, POINT screenPoint) = 0;
    // The files were dropped on cell (null outside a cell); firstPath is the
    // first of them ("" when the drop named none).
    virtual void DropFileTarget1Drop(TCell* cell, const std::string& firstPath) = 0;
};

class TDropTarget {
public:
    explicit TDropTarget(IDropTargetEvents& events) : FEvents(events) {}
    ~TDropTarget();
    TDropTarget(const TDropTarget&) = delete;
    TDropTarget& operator=(const TDropTarget&) = delete;

    // Makes mainWindow and tabStrip drop targets once mainWindow has shown
    // and its thread is idle; page bodies added by then are registered with
    // them. Called once, after the window is first shown.
    void StartWhenIdle(HWND mainWindow, HWND tabStrip);
    // A page body whose cells take drops: registered now when the targets are
    // up, else with them. A body already known is left as it is.
    void AddSheet(TSheetWindow& sheet);
    // True once OLE is up and the windows are registered.
    bool Started() const { return FStarted; }
    // The main window is being destroyed (WM_DESTROY): every target goes,
    // while the children, destroyed after it, still exist.
    void MainWindowDestroyed();

private:
    class TTarget;
    struct TEntry {
        HWND Window;
        TSheetWindow* Sheet;  // null for the main window and the tab strip
        TTarget* Target;      // null until registered
    };

    void Add(HWND window, TSheetWindow* sheet);
    void Start();
    void Register(TEntry& entry);
    void Revoke(TEntry& entry);
    void WindowDestroyed(HWND window);
    // Revokes every target, ends OLE on this thread and forgets the windows.
    void Stop();
    // The main window's timer that starts the targets.
    UINT_PTR StartTimerId() const;
    static void CALLBACK StartTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

    IDropTargetEvents& FEvents;
    HWND FMainWindow = nullptr;
    std::vector<TEntry> FEntries;
    bool FStarted = false;
    bool FOleInitialized = false;
};

}  // namespace quorlet
