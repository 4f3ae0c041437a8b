#include "app/UReport.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <memory>

#include "app/ExcelAutomation.h"
#include "app/UWait.h"
#include "base/AppPaths.h"
#include "report/ReportExport.h"
#include "resources/resource.h"
#include "shell/HelpTopics.h"
#include "win32/Clipboard.h"
#include "win32/ComPtr.h"
#include "win32/LocaleText.h"
#include "win32/TabPage.h"

namespace quorlet {

namespace {

const int kColumnWidths[kReportColumnCount] = {110, 80, 45, 50, 45, 45, 55, 100, 220};
const bool kNumberColumn[kReportColumnCount] = {false, false, true, true, true, true, true, false, false};

// The program's 8-bit text in UTF-16.
}  // namespace

void TfrmReport::ShowModal(HINSTANCE instance, HWND owner) {
    FInstance = instance;
    TModalDialog::ShowModal(instance, IDD_REPORT, owner);
}

INT_PTR TfrmReport::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        FormShow();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_RPT_GROUPS:
            if (HIWORD(wParam) == CBN_SELCHANGE) cbxGroupsChange();
            return TRUE;
        case IDC_RPT_EXPORTCSV: btnExportCSVClick(); return TRUE;
        case IDC_RPT_EXPORTXLS: btnExportXLSClick(); return TRUE;
        case IDM_RPT_COPYPATH: CopyPath1Click(); return TRUE;
        case IDM_RPT_EXPLORE: OpenitinExplore1Click(); return TRUE;
        case IDC_RPT_HELP: ShowHelpTopic(FPlatform, HelpTopicFrequencyReport); return TRUE;
        case IDC_RPT_CLOSE:
        case IDCANCEL: EndDialog(Handle(), IDCANCEL); return TRUE;
        }
        break;
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == IDC_RPT_LIST && header.code == LVN_COLUMNCLICK) {
            lvReportColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
            return TRUE;
        }
        if (header.idFrom == IDC_RPT_LIST && header.code == LVN_GETDISPINFOA) {
            // Icons are asked of the shell for the rows that show, when they show.
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
            if ((item.mask & LVIF_IMAGE) && item.lParam >= 0 && static_cast<size_t>(item.lParam) < FRows.size())
                item.iImage = ReportRowImage(FPlatform, FRows[static_cast<size_t>(item.lParam)]);
            return TRUE;
        }
        break;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == Control(IDC_RPT_LIST)) {
            POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            PopupMenu1Popup(at);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void TfrmReport::FormCreate() {
    CurrentGroup = -1;
    FPage = CreateTabPage(FInstance, Handle(), IDC_RPT_PAGES, "View Report and Output Settings", IDD_REPORT_PAGE,
                          IDC_RPT_PAGE);
    HWND list = Control(IDC_RPT_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    // The system's small-icon image list, shared: the list view must not destroy it.
    EnsureThreadApartment();
    SHFILEINFOA info = {};
    HIMAGELIST system = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (system) ListView_SetImageList(list, system, LVSIL_SMALL);
    for (int column = 0; column < kReportColumnCount; ++column) {
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        lvc.fmt = kNumberColumn[column] ? LVCFMT_RIGHT : LVCFMT_LEFT;
        lvc.cx = kColumnWidths[column];
        lvc.pszText = const_cast<char*>(ReportColumnCaptions[column]);
        lvc.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc));
    }
}

void TfrmReport::FormShow() {
    Sort.SortAscending = false;
    HWND groups = Control(IDC_RPT_GROUPS);
    SendMessageA(groups, CB_RESETCONTENT, 0, 0);
    SendMessageA(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("All Groups"));
    for (const std::string& name : FSettings.GroupNames)
        SendMessageA(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(groups, CB_SETCURSEL, 0, 0);
    ShowGroup(0);
    lvReportColumnClick(rcTotal);
    // Without a spreadsheet program the export writes the workbook itself.
    EnableWindow(Control(IDC_RPT_EXPORTXLS), TRUE);
}

// The rows show after the sort that always follows.
void TfrmReport::ShowGroup(int group) {
    if (group == CurrentGroup) return;
    CurrentGroup = group;
    FRows.clear();
    TotalSum = FillReportList(FPlatform, FStore, FSettings.GroupNames, group, FRows);
    UpdatePercents();
}

void TfrmReport::cbxGroupsChange() {
    ShowGroup(static_cast<int>(SendMessageA(Control(IDC_RPT_GROUPS), CB_GETCURSEL, 0, 0)));
    lvReportColumnClick(rcTotal);
}

void TfrmReport::lvReportColumnClick(int column) {
    Sort.ColumnClick(column);
    SortReportRows(FRows, Sort);
    UpdatePercents();
    ShowRows();
}

void TfrmReport::UpdatePercents() { quorlet::UpdatePercents(FRows, TotalSum, UserDecimalSeparator()); }

void TfrmReport::ShowRows() {
    HWND list = Control(IDC_RPT_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (size_t k = 0; k < FRows.size(); ++k) {
        const TReportRow& row = FRows[k];
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(k);
        item.pszText = const_cast<char*>(row.Cells[0].c_str());
        item.iImage = row.ImageIndex == kImageNotAsked ? I_IMAGECALLBACK : row.ImageIndex;
        item.lParam = static_cast<LPARAM>(k);
        const int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int column = 1; column < kReportColumnCount; ++column) {
            LVITEMA cell = {};
            cell.iSubItem = column;
            cell.pszText = const_cast<char*>(row.Cells[column].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

bool TfrmReport::AskExportFile(const char* extension, const char* filter, std::string& fileName) {
    char file[MAX_PATH] = "";
    lstrcpynA(file, ReportExportName(FPlatform.Now(), extension).c_str(), sizeof file);
    const std::string folder = ExtractFilePath(FPlatform.ExecutableName());
    OPENFILENAMEA save = {};
    save.lStructSize = sizeof save;
    save.hwndOwner = Handle();
    save.lpstrFilter = filter;
    save.lpstrFile = file;
    save.nMaxFile = sizeof file;
    save.lpstrInitialDir = folder.c_str();
    save.lpstrDefExt = extension + 1;
    save.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING;
    if (!GetSaveFileNameA(&save)) return false;
    fileName = file;
    return true;
}

void TfrmReport::OpenExportedFile(const std::string& fileName) {
    FPlatform.ShellOpen("open", fileName, "", "", swShow);
}

void TfrmReport::btnExportCSVClick() {
    std::string fileName;
    if (!AskExportFile(".csv", "cvs files(*.csv)\0*.csv\0Text file(*.txt)\0*.txt\0", fileName)) return;
    if (!ExportReportCsv(fileName, FRows)) {
        MessageBoxA(Handle(), "Export to file error!", "tip", MB_OK | MB_ICONINFORMATION);
        return;
    }
    OpenExportedFile(fileName);
}

void TfrmReport::btnExportXLSClick() {
    std::string fileName;
    if (!AskExportFile(".xls", "Excel file(*.xls)\0*.xls\0", fileName)) return;
    bool written = false;
    if (SpreadsheetProgramKnown()) {
        // The spreadsheet program itself, where its automation object exists.
        std::unique_ptr<TfrmWait> wait;
        written = ExportThroughSpreadsheetProgram(
            fileName, ReportSheetTexts(FRows, AnsiToUtf16), [&] { wait.reset(new TfrmWait(FInstance, Handle())); },
            [&] {
                if (wait) wait->Hide();
            });
    }
    if (!written) {
        TfrmWait wait(FInstance, Handle());
        written = ExportReportXls(fileName, FRows, AnsiToUtf16);
        wait.Hide();
    }
    if (!written) {
        MessageBoxA(Handle(), "Export to file error!", "tip", MB_OK | MB_ICONINFORMATION);
        return;
    }
    OpenExportedFile(fileName);
}

int TfrmReport::SelectedRow() const {
    return static_cast<int>(SendMessageA(Control(IDC_RPT_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TfrmReport::PopupMenu1Popup(POINT at) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const UINT state = SelectedRow() >= 0 ? MF_ENABLED : MF_GRAYED;
    AppendMenuA(menu, MF_STRING | state, IDM_RPT_COPYPATH, "Copy Path");
    AppendMenuA(menu, MF_STRING | state, IDM_RPT_EXPLORE, "Open it in Explore ");
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the list's corner
        RECT list;
        GetWindowRect(Control(IDC_RPT_LIST), &list);
        at = {list.left, list.top};
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
    DestroyMenu(menu);
}

void TfrmReport::CopyPath1Click() {
    const int row = SelectedRow();
    if (row < 0 || row >= static_cast<int>(FRows.size())) return;
    SetClipboardText(Handle(), FRows[static_cast<size_t>(row)].Cells[rcFullPath]);
}

void TfrmReport::OpenitinExplore1Click() {
    const int row = SelectedRow();
    if (row < 0 || row >= static_cast<int>(FRows.size())) return;
    const std::string& path = FRows[static_cast<size_t>(row)].Cells[rcFullPath];
    std::string folder = path;
    if (!FPlatform.DirectoryExists(path)) {
        const size_t slash = path.rfind('\\');
        folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    }
    FPlatform.ShellOpen("explore", folder, "", "", swShowNormal, TShellOwner::Desktop);
}

}  // namespace quorlet
