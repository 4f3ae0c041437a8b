#pragma once
// The find page: while a find runs, its results stand in the sheet area in
// the grid's own two rows of cells, best first, the selected one drawn as the
// system draws a selected item. A button shows its own icon and hint; a
// Start Menu shortcut the shell's icon of the shortcut and "Start Menu: "
// before its name. The page is made when the first find shows.

#include <functional>
#include <memory>

#include <windows.h>

#include "app/TButtonImages.h"
#include "app/TSheetWindow.h"
#include "launcher/FindModel.h"
#include "win32/WinHandles.h"

namespace quorlet {

class TFindPage : private ISheetEvents {
public:
    // pointerOverBody: the pointer moved over the page between the cells.
    TFindPage(ICellEvents& cellEvents, TButtonImages& images, const TDpiScale& scale, std::function<void()> pointerOverBody)
        : FCellEvents(cellEvents), FImages(images), FScale(scale), FPointerOverBody(std::move(pointerOverBody)) {}
    ~TFindPage() override;

    // Shows the page at bounds of parent's client area, above the pages.
    void Show(HINSTANCE instance, HWND parent, const RECT& bounds);
    void Hide();
    bool Shown() const;
    TSheetWindow* Sheet() const { return FSheet.get(); }

    // The cells show the model's results and its selection; the keyboard
    // focus stands on the selected one.
    void ShowResults(const TFindModel& model);
    // The cell of the model's selection, or null.
    TCell* SelectedCell() const;
    // The result index a cell of the page shows.
    static int ResultOf(const TCell& cell) { return cell.ControlId() - 1; }
    // The density changed.
    void Rescale();

private:
    void SheetMouseMove() override { FPointerOverBody(); }
    void TabSheetMainContextPopup() override {}

    ICellEvents& FCellEvents;
    TButtonImages& FImages;
    const TDpiScale& FScale;
    std::function<void()> FPointerOverBody;
    std::unique_ptr<TSheetWindow> FSheet;
    int FSelected = -1;
    // The system's shortcut arrow, marking results that are on no button yet.
    TUniqueIcon FShortcutArrow;
};

}  // namespace quorlet
