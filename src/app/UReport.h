#pragma once
// The frequency report (TfrmReport): the counted buttons of one tab sheet or
// of all, with their counts and shares, sorted by any column, exported to a
// text or spreadsheet file. The rows and their rules live in src/report.

#include <string>
#include <vector>

#include <windows.h>

#include "base/Platform.h"
#include "report/ReportRows.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "win32/TModalDialog.h"

namespace quorlet {

class TfrmReport : public TModalDialog {
public:
    TfrmReport(IPlatform& platform, TAppSettingXml& settings, TBtnSettingXml& store)
        : FPlatform(platform), FSettings(settings), FStore(store) {}

    void ShowModal(HINSTANCE instance, HWND owner);

    // State shown to tests through the list itself; kept for the handlers.
    int CurrentGroup = -1;
    TReportSort Sort;
    int64_t TotalSum = 0;

protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();
    void ShowGroup(int group);
    void cbxGroupsChange();
    void lvReportColumnClick(int column);
    void UpdatePercents();
    void ShowRows();
    void btnExportCSVClick();
    void btnExportXLSClick();
    // The save dialog for an export; false when the user cancels.
    bool AskExportFile(const char* extension, const char* filter, std::string& fileName);
    void OpenExportedFile(const std::string& fileName);
    void PopupMenu1Popup(POINT at);
    void CopyPath1Click();
    void OpenitinExplore1Click();
    // The row selected in the list, or -1.
    int SelectedRow() const;

    HWND Control(int id) const { return GetDlgItem(FPage, id); }

    IPlatform& FPlatform;
    TAppSettingXml& FSettings;
    TBtnSettingXml& FStore;
    HINSTANCE FInstance = nullptr;
    HWND FPage = nullptr;  // destroyed with the dialog
    std::vector<TReportRow> FRows;  // in the order shown
};

}  // namespace quorlet
