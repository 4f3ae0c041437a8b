#include "FindKeystrokeBench.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include <windows.h>

#include "BenchDocuments.h"
#include "BenchSeries.h"
#include "QuorletWindowProbe.h"
#include "QuorletWithDocument.h"
#include "RealInput.h"
#include "ScreenProbe.h"
#include "StartMenuShortcuts.h"
#include "launcher/FindModel.h"
#include "platform/Win32Platform.h"
#include "win/CellProbe.h"
#include "win/RemoteControls.h"
#include "win32/ComPtr.h"

namespace quorlet {
namespace startupbench {

namespace {

const DWORD kBuildWaitMs = 30000;      // a page built and its icons loaded for the first time
const DWORD kStartMenuWaitMs = 60000;  // the worker reading the 500 shortcuts

// The tab sheets a tab change goes between; the finds start on the first.
const int kFirstPage = 1;
const int kSecondPage = 2;

std::string Hex(COLORREF colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

// A picture of what the screen shows of the window, once two taken in a row agree.
TWindowPicture SettledPicture(HWND window) {
    TWindowPicture last, now;
    bool haveLast = false;
    const TStopwatch clock;
    for (;;) {
        if (!CaptureWindowPicture(window, now)) throw std::runtime_error("The screen cannot be read");
        if (haveLast && now.Bits == last.Bits) return now;
        if (clock.ElapsedMs() > kChangeWaitMs) throw std::runtime_error("The window's picture does not settle");
        last = now;
        haveLast = true;
        Sleep(100);
    }
}

// The colour the picture of window shows at a point of the screen.
COLORREF ColourAt(const TWindowPicture& picture, HWND window, POINT screen) {
    RECT r;
    GetWindowRect(window, &r);
    const int x = screen.x - r.left, y = screen.y - r.top;
    if (x < 0 || y < 0 || x >= picture.Width || y >= picture.Height)
        throw std::runtime_error("A probe lies outside the window's picture");
    return PictureColour(picture, x, y);
}

RECT CellOnScreen(HWND sheet, int id) {
    RECT r;
    if (!CellScreenRect({sheet, id}, r)) throw std::runtime_error("Cell " + std::to_string(id) + " has no place");
    return r;
}

// A probe of the two tab sheets: a point inside a cell (clear of the focus
// rectangle) whose colour differs between them and stays the same in two
// pictures of each, taken one page after the other.
struct TTabProbe {
    POINT Point;
    COLORREF Colour[3];  // of kFirstPage and kSecondPage
};

TTabProbe ChooseTabProbe(HWND sheet, const TWindowPicture& first1, const TWindowPicture& first2,
                         const TWindowPicture& second1, const TWindowPicture& second2, COLORREF highlight) {
    for (int position = 1; position <= kButtonsPerSheet; ++position) {
        const RECT cell = CellOnScreen(sheet, kFirstPage * 100 + position);
        for (int y = cell.top + 4; y < cell.bottom - 4; ++y)
            for (int x = cell.left + 4; x < cell.right - 4; ++x) {
                const POINT p = {x, y};
                const COLORREF a = ColourAt(first1, sheet, p), b = ColourAt(second1, sheet, p);
                if (a != b && a != highlight && b != highlight && ColourAt(first2, sheet, p) == a &&
                    ColourAt(second2, sheet, p) == b)
                    return {p, {0, a, b}};
            }
    }
    throw std::runtime_error("The first two tab sheets look the same in every cell");
}

// A probe of the find page's first cell: a point that shows the highlight
// colour there (where the result's icon lets the background through) and
// another colour on both tab sheets.
POINT ChooseFindProbe(HWND findSheet, const TWindowPicture& find, HWND sheet, const TWindowPicture& first,
                      const TWindowPicture& second, COLORREF highlight) {
    const RECT cell = CellOnScreen(findSheet, 1);
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x) {
            const POINT p = {x, y};
            if (ColourAt(find, findSheet, p) == highlight && ColourAt(first, sheet, p) != highlight &&
                ColourAt(second, sheet, p) != highlight)
                return p;
        }
    throw std::runtime_error("The find page's first cell shows no highlight colour: its result is not selected");
}

// The letter a user types to find a button of the first tab sheet: the
// first letter of the first name on it that starts with one.
char QueryLetter(const std::vector<TButtonTarget>& targets, std::string& name) {
    for (int position = 0; position < kButtonsPerSheet; ++position) {
        const std::string& file = targets[static_cast<size_t>((kFirstPage - 1) * kButtonsPerSheet + position)].File;
        name = file.substr(file.find_last_of('\\') + 1);
        const unsigned char c = static_cast<unsigned char>(name[0]);
        if (std::isalpha(c)) return static_cast<char>(std::tolower(c));
    }
    throw std::runtime_error("No button name on the first tab sheet starts with a letter");
}

// How many results the letter finds among the document's buttons, with the
// shortcuts and without them.
struct TExpectedCounts {
    size_t WithShortcuts, ButtonsOnly;
};

TExpectedCounts ExpectedCounts(const std::string& exeCopy, const std::vector<TStartMenuEntry>& shortcuts, char letter) {
    TExpectedCounts counts = {};
    for (bool withShortcuts : {true, false}) {
        TFindModel model(static_cast<int>(GetACP()));
        if (withShortcuts) model.SetStartMenu(shortcuts);
        model.Begin(ReadBenchFindButtons(exeCopy), kFirstPage);
        model.Type(letter);
        (withShortcuts ? counts.WithShortcuts : counts.ButtonsOnly) = model.MatchCount();
    }
    if (counts.WithShortcuts <= counts.ButtonsOnly)
        throw std::runtime_error(std::string("No shortcut's name holds the letter ") + letter);
    return counts;
}

class TFindBench {
public:
    TFindBench(const TQuorletWindow& quorlet, char letter) : FQuorlet(quorlet) {
        const SHORT key = VkKeyScanA(letter);
        if (key == -1 || (key >> 8) != 0) throw std::runtime_error(std::string("No plain key types ") + letter);
        FLetterKey = static_cast<WORD>(key & 0xff);
        FHighlight = GetSysColor(COLOR_HIGHLIGHT);
    }

    // Builds both tab sheets, waits for the worker's shortcuts (at least
    // expected results for the letter), and chooses the probes. Ends on the
    // first tab sheet.
    void Prepare(size_t expected) {
        FQuorlet.WaitForPage(kFirstPage, kBuildWaitMs);
        PressKeys({VK_CONTROL}, VK_NEXT);
        FQuorlet.WaitForPage(kSecondPage, kBuildWaitMs);
        HWND sheet = FQuorlet.Sheet(kFirstPage);
        TWindowPicture first[2], second[2];
        for (int i = 0; i < 2; ++i) {
            PressKeys({VK_CONTROL}, VK_PRIOR);
            FQuorlet.WaitForPage(kFirstPage, kChangeWaitMs);
            first[i] = SettledPicture(sheet);
            PressKeys({VK_CONTROL}, VK_NEXT);
            FQuorlet.WaitForPage(kSecondPage, kChangeWaitMs);
            second[i] = SettledPicture(sheet);
        }
        FTab = ChooseTabProbe(sheet, first[0], first[1], second[0], second[1], FHighlight);
        PressKeys({VK_CONTROL}, VK_PRIOR);
        FQuorlet.WaitForPage(kFirstPage, kChangeWaitMs);
        FPage = kFirstPage;

        PressKeys({}, FLetterKey);
        if (!WaitUntil(kStartMenuWaitMs, [&] {
                return FindCount(FQuorlet.HintPanel()) >= static_cast<long>(expected) && FQuorlet.FindShown();
            }, kPollMs))
            throw std::runtime_error("The Start Menu's shortcuts did not reach the find: the hint panel shows \"" +
                                     FQuorlet.HintPanel() + "\", at least " + std::to_string(expected) +
                                     " results expected");
        FFindCount = FindCount(FQuorlet.HintPanel());
        HWND findSheet = FQuorlet.FindSheet();
        const TWindowPicture find = SettledPicture(findSheet);
        FFindProbe = ChooseFindProbe(findSheet, find, sheet, first[0], second[0], FHighlight);
        EndFind();
    }

    // Ctrl+PgDn from the first tab sheet to the second, Ctrl+PgUp back.
    double TimeTabChange() {
        const int to = FPage == kFirstPage ? kSecondPage : kFirstPage;
        FQuorlet.CheckForeground();
        const TStopwatch clock;
        PressKeys({VK_CONTROL}, to == kSecondPage ? VK_NEXT : VK_PRIOR);
        if (!WaitUntil(kChangeWaitMs, [&] { return ScreenPixel(FTab.Point) == FTab.Colour[to]; }))
            throw std::runtime_error("The tab change to tab sheet " + std::to_string(to) + " did not show");
        const double ms = clock.ElapsedMs();
        FQuorlet.WaitForPage(to, kChangeWaitMs);
        FQuorlet.WaitUntilQuiet();
        FPage = to;
        return ms;
    }

    double TimeFindKeystroke() {
        FQuorlet.CheckForeground();
        const TStopwatch clock;
        PressKeys({}, FLetterKey);
        if (!WaitUntil(kChangeWaitMs, [&] { return ScreenPixel(FFindProbe) == FHighlight; }))
            throw std::runtime_error("The find page did not show its first result selected");
        const double ms = clock.ElapsedMs();
        // The same find as before, all its icons shown; then Esc ends it.
        if (!WaitUntil(kChangeWaitMs, [&] {
                return FindCount(FQuorlet.HintPanel()) == FFindCount && FQuorlet.FindShown();
            }, kPollMs))
            throw std::runtime_error("The find shows \"" + FQuorlet.HintPanel() + "\", not " +
                                     std::to_string(FFindCount) + " results");
        EndFind();
        return ms;
    }

    void PrintProbes() const {
        std::printf("probes: tab change at (%ld, %ld), %s on tab sheet %d and %s on tab sheet %d; find keystroke"
                    " at (%ld, %ld) of the first cell, highlight %s\n",
                    FTab.Point.x, FTab.Point.y, Hex(FTab.Colour[kFirstPage]).c_str(), kFirstPage,
                    Hex(FTab.Colour[kSecondPage]).c_str(), kSecondPage, FFindProbe.x, FFindProbe.y,
                    Hex(FHighlight).c_str());
    }
    long FindResults() const { return FFindCount; }

private:
    // Esc, until the page shown before is back on the screen.
    void EndFind() {
        FQuorlet.CheckForeground();
        PressKeys({}, VK_ESCAPE);
        if (!WaitUntil(kChangeWaitMs, [&] {
                return FQuorlet.FindHidden() && FQuorlet.PageShown(FPage) &&
                       FindCount(FQuorlet.HintPanel()) < 0 && ScreenPixel(FTab.Point) == FTab.Colour[FPage] &&
                       ScreenPixel(FFindProbe) != FHighlight;
            }, kPollMs))
            throw std::runtime_error("Esc did not bring tab sheet " + std::to_string(FPage) + " back");
        FQuorlet.CheckAnswers();
        FQuorlet.WaitUntilQuiet();
    }

    const TQuorletWindow& FQuorlet;
    WORD FLetterKey = 0;
    COLORREF FHighlight = 0;
    TTabProbe FTab = {};
    POINT FFindProbe = {};
    long FFindCount = -1;
    int FPage = kFirstPage;
};

}  // namespace

int RunFindKeystroke(int runs, const std::string& quorletExe) {
    const TComApartment com;
    const TQuorletWithDocument prepared(quorletExe);
    TWin32Platform platform(GetModuleHandleA(nullptr));
    const std::string target = prepared.Folder.WriteText("Program.exe", "x");
    const TStartMenuShortcuts shortcuts(platform, target);
    std::string name;
    const char letter = QueryLetter(prepared.Targets, name);
    const TExpectedCounts expected = ExpectedCounts(prepared.Program.Exe, shortcuts.Entries(), letter);

    const bool trayShown = ShownTrayWindow() != nullptr;
    TRunningProgram running(prepared.Program);
    const TQuorletWindow quorlet(running.Window(), running.Process());
    WaitForTrayWindow(trayShown);
    BringToFront(quorlet.Main());
    // The pointer away from the window: no hint of what it is over.
    SendPointerMove(POINT{GetSystemMetrics(SM_CXSCREEN) / 2, 2});
    TFindBench bench(quorlet, letter);
    bench.Prepare(expected.WithShortcuts);
    // One of each before the rounds, which start on the first tab sheet.
    bench.TimeFindKeystroke();
    bench.TimeTabChange();
    bench.TimeTabChange();
    // A round's tab change is the mean of one each way: the two directions
    // cost the program different work, and a median over a mix of them
    // would fall between the two.
    TSeries tab, find, forward, back;
    auto tabChanges = [&] {
        forward.Samples.push_back(bench.TimeTabChange());
        back.Samples.push_back(bench.TimeTabChange());
        tab.Samples.push_back((forward.Samples.back() + back.Samples.back()) / 2);
    };
    for (int r = 0; r < runs; ++r) {
        if (r % 2 == 0) {
            tabChanges();
            find.Samples.push_back(bench.TimeFindKeystroke());
        } else {
            find.Samples.push_back(bench.TimeFindKeystroke());
            tabChanges();
        }
    }
    running.Close();

    std::printf("Quorlet.exe: %d tab sheets x %d buttons, %zu Start Menu shortcuts in %s\n", kTabSheets,
                kButtonsPerSheet, shortcuts.Entries().size(), shortcuts.Folder().c_str());
    std::printf("find keystroke: '%c' (of \"%s\" on tab sheet %d), %ld results (%zu of the buttons alone);"
                " the find page shown until Esc after each\n",
                letter, name.c_str(), kFirstPage, bench.FindResults(), expected.ButtonsOnly);
    bench.PrintProbes();
    std::printf("%d rounds, each a tab change there and back and a find keystroke, the order turning;"
                " milliseconds from the keys pressed to the screen showing the result\n\n",
                runs);
    std::printf("%-40s %9s %9s %9s\n", "", "median", "min", "mean");
    Row("tab change to a built page (mean of 2)", tab);
    Row("  Ctrl+PgDn, tab sheet 1 to 2", forward);
    Row("  Ctrl+PgUp, tab sheet 2 to 1", back);
    Row("find keystroke, first result selected", find);
    Samples("  tab change    ", tab);
    Samples("  Ctrl+PgDn     ", forward);
    Samples("  Ctrl+PgUp     ", back);
    Samples("  find keystroke", find);
    PrintRatio("find keystroke / tab change", find, tab);
    const double ratio = find.Median() / tab.Median();
    std::printf("target, within 1.5x of a tab change (medians): %s\n", ratio <= 1.5 ? "met" : "NOT met");
    return 0;
}

}  // namespace startupbench
}  // namespace quorlet
