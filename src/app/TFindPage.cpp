#include "app/TFindPage.h"

#include <shellapi.h>

#include <stdexcept>
#include <string>

#include "app/MainControls.h"
#include "launcher/ButtonGrid.h"

namespace quorlet {

TFindPage::~TFindPage() = default;

void TFindPage::Show(HINSTANCE instance, HWND parent, const RECT& bounds) {
    if (!FSheet) {
        std::unique_ptr<TSheetWindow> sheet(new TSheetWindow(*this, FCellEvents, FScale, IdFindSheet - IdFirstSheet));
        if (!sheet->Create(instance, parent, bounds)) {
            const DWORD error = GetLastError();
            throw std::runtime_error("Cannot create the window of the find page (error " + std::to_string(error) + ").");
        }
        for (int position = 1; position <= kCellCount; ++position) {
            const TCellPoint origin = CellOrigin(position);
            TCell& cell = sheet->AddCell(TCellKind::Find, 0, position, origin.Left, origin.Top);
            cell.SetVisible(false);
        }
        FSheet = std::move(sheet);
        SHSTOCKICONINFO arrow = {};
        arrow.cbSize = sizeof arrow;
        if (SUCCEEDED(SHGetStockIconInfo(SIID_LINK, SHGSI_ICON | SHGSI_LARGEICON, &arrow))) FShortcutArrow.Reset(arrow.hIcon);
        // Where the shell hands out no stock icon (Wine), its own resource.
        if (!FShortcutArrow)
            if (HMODULE shell = GetModuleHandleA("shell32.dll"))
                FShortcutArrow.Reset(static_cast<HICON>(LoadImageA(shell, MAKEINTRESOURCEA(30), IMAGE_ICON, 32, 32, 0)));
    }
    // Placed, raised and shown in one call.
    SetWindowPos(FSheet->Handle(), HWND_TOP, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TFindPage::Hide() {
    if (!FSheet) return;
    ShowWindow(FSheet->Handle(), SW_HIDE);
    // The next find's results take the focus: none of this one's is focused
    // again, its hint written and heard, when the page comes back.
    FSheet->SetFocusCell(nullptr);
}

bool TFindPage::Shown() const { return FSheet && IsWindowVisible(FSheet->Handle()); }

void TFindPage::ShowResults(const TFindModel& model) {
    if (!FSheet) return;
    const auto& cells = FSheet->Cells();
    FSelected = model.Selected();
    for (size_t i = 0; i < cells.size(); ++i) {
        TCell& cell = *cells[i];
        if (i >= model.ResultCount()) {
            FSheet->ForgetCell(cell);
            cell.SetVisible(false);
            cell.SetSelected(false);
            cell.ButtonId = 0;
            cell.SetPicture(TOwnedIcon());
            cell.SetOverlay(nullptr);
            cell.SetHint(std::string());
            continue;
        }
        const TFindItem& item = model.Result(i);
        if (item.Kind == fiButton) {
            cell.ButtonId = item.ButtonId;
            cell.SetOverlay(nullptr);
            FImages.ShowIcon(cell, item.IconFile, item.IconNumber);
            cell.SetHint(ButtonHint({true, item.Name, item.HotKey}));
        } else {
            cell.ButtonId = 0;
            cell.SetOverlay(FShortcutArrow.Get());
            if (item.IconFile.empty())
                FImages.ShowIcon(cell, item.LinkPath, 0);
            else
                FImages.ShowIcon(cell, item.IconFile, item.IconNumber);
            cell.SetHint("Start Menu: " + item.Name);
        }
        cell.SetSelected(static_cast<int>(i) == FSelected);
        cell.SetVisible(true);
    }
    FSheet->SetFocusCell(SelectedCell());
}

TCell* TFindPage::SelectedCell() const {
    if (!FSheet || FSelected < 0 || static_cast<size_t>(FSelected) >= FSheet->Cells().size()) return nullptr;
    return FSheet->Cells()[static_cast<size_t>(FSelected)].get();
}

void TFindPage::Rescale() {
    if (FSheet) FSheet->Rescale();
}

}  // namespace quorlet
