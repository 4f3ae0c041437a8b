// The frequency report with 200 counted buttons, under Wine or on Windows:
//
// - opening: from creating the report window to its first idle moment, the
//   list filled (settings read, icons and type names asked of the shell,
//   sorted by Total, shares written) and painted; beside it, a window with an
//   empty list view that is filled with the same 200 rows without icons and
//   painted;
// - each export (the text file and the spreadsheet file) beside one raw write
//   of the same bytes.
//
//   report_bench [runs]
//
// Rounds alternate the two sides of each pair; the figures are medians in
// milliseconds.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "../startup/BenchDocuments.h"
#include "../startup/ButtonTargets.h"
#include "../startup/ModalTiming.h"
#include "../startup/ProgramFolder.h"
#include "app/UReport.h"
#include "base/AppPaths.h"
#include "platform/Win32Platform.h"
#include "report/ReportCsv.h"
#include "report/ReportExport.h"
#include "report/XlsWriter.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"
#include "win32/LocaleText.h"

using namespace quorlet;
using namespace quorlet::startupbench;

namespace {

double OpenReport(IPlatform& platform, TAppSettingXml& settings, TBtnSettingXml& store) {
    return TimeModalOpening("Frequency Report", [&] {
        TfrmReport report(platform, settings, store);
        report.ShowModal(GetModuleHandleA(nullptr), nullptr);
    });
}

double FillPlainList(const std::vector<TReportRow>& rows) {
    const double start = NowMs();
    HWND frame = CreateWindowExA(0, "STATIC", "plain list", WS_POPUP | WS_VISIBLE | WS_BORDER, 50, 50, 760, 420,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 760, 420, frame,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int column = 0; column < kReportColumnCount; ++column) {
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH;
        lvc.cx = 80;
        lvc.pszText = const_cast<char*>(ReportColumnCaptions[column]);
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc));
    }
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (size_t k = 0; k < rows.size(); ++k) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(k);
        item.pszText = const_cast<char*>(rows[k].Cells[0].c_str());
        const int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int column = 1; column < kReportColumnCount; ++column) {
            LVITEMA cell = {};
            cell.iSubItem = column;
            cell.pszText = const_cast<char*>(rows[k].Cells[column].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(frame);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    const double elapsed = NowMs() - start;
    DestroyWindow(frame);
    return elapsed;
}

void RawWrite(const std::string& fileName, const std::string& bytes) {
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("Cannot write " + fileName);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

template <typename TAction>
double Timed(TAction action) {
    const double start = NowMs();
    action();
    return NowMs() - start;
}

void Report(const char* what, double measured, const char* floorName, double floor, double target) {
    std::printf("%-40s %8.2f ms   %-28s %8.2f ms   %5.2fx  (target %.0fx: %s)\n", what, measured, floorName, floor,
                measured / floor, target, measured / floor <= target ? "met" : "NOT met");
}

int Run(int runs) {
    TProgramFolder folder("quorlet-report");
    const std::string exe = folder.File("Quorlet.exe");
    const std::string programFolder = folder.Path().substr(0, folder.Path().size() - 1);
    const std::vector<TButtonTarget> targets =
        ButtonTargets(FindTargetFiles({programFolder}), kTabSheets * kButtonsPerSheet);
    WriteBenchDocuments(exe, targets);

    TWin32Platform platform(GetModuleHandleA(nullptr));
    SetPlatform(&platform);
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.LoadGroups();
    TBtnSettingXml store(platform);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    std::vector<TReportRow> rows;
    const int64_t sum = FillReportList(platform, store, settings.GroupNames, 0, rows);
    UpdatePercents(rows, sum, '.');
    if (rows.size() != 200) throw std::runtime_error("Expected 200 rows, got " + std::to_string(rows.size()));
    const std::string csvBytes = ReportCsvText(rows);
    const std::string xlsBytes = XlsWorkbookBytes(ReportSheetTexts(rows, AnsiToUtf16));

    // One of each first: the shell's caches and the code are warm for every round.
    OpenReport(platform, settings, store);
    FillPlainList(rows);
    std::vector<double> open, plain, csv, csvRaw, xls, xlsRaw;
    const std::string csvFile = folder.File("report.csv"), xlsFile = folder.File("report.xls");
    const std::string rawCsv = folder.File("raw.csv"), rawXls = folder.File("raw.xls");
    for (int round = 0; round < runs; ++round) {
        if (round % 2) {
            open.push_back(OpenReport(platform, settings, store));
            plain.push_back(FillPlainList(rows));
        } else {
            plain.push_back(FillPlainList(rows));
            open.push_back(OpenReport(platform, settings, store));
        }
        // Each export beside its raw write, the order turning every round.
        auto exportCsv = [&] {
            csv.push_back(Timed([&] {
                if (!ExportReportCsv(csvFile, rows)) throw std::runtime_error("CSV export failed");
            }));
        };
        auto rawCsvWrite = [&] { csvRaw.push_back(Timed([&] { RawWrite(rawCsv, csvBytes); })); };
        auto exportXls = [&] {
            xls.push_back(Timed([&] {
                if (!ExportReportXls(xlsFile, rows, AnsiToUtf16)) throw std::runtime_error("Spreadsheet export failed");
            }));
        };
        auto rawXlsWrite = [&] { xlsRaw.push_back(Timed([&] { RawWrite(rawXls, xlsBytes); })); };
        if (round % 2) {
            exportCsv(), rawCsvWrite(), exportXls(), rawXlsWrite();
        } else {
            rawCsvWrite(), exportCsv(), rawXlsWrite(), exportXls();
        }
    }
    std::printf("%d rounds, 200 counted buttons over 10 tab sheets; medians\n", runs);
    std::printf("csv %zu bytes, xls %zu bytes\n", csvBytes.size(), xlsBytes.size());
    Report("opening the report (fill, icons, sort)", Median(open), "plain list view, 200 rows", Median(plain), 3);
    Report("text export (ExportReportCsv)", Median(csv), "one raw write, same bytes", Median(csvRaw), 3);
    Report("spreadsheet export (ExportReportXls)", Median(xls), "one raw write, same bytes", Median(xlsRaw), 3);
    SetPlatform(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc > 1 ? std::max(1, std::atoi(argv[1])) : 21);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "report_bench: %s\n", e.what());
        return 1;
    }
}
