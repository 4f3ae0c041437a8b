// Start-up time of Quorlet.exe against a program that only shows an empty
// window, both started the same way in the same run: the time from
// CreateProcess until the main window is visible and the program waits for
// input. Quorlet starts from a temporary program folder holding a copy of the
// executable, its configuration index and the current user's settings document
// with 10 tab sheets of 20 buttons; the buttons' icons come from real files of
// the system (half the shell's icon for programs, libraries, a text file and
// folders, half icons stored in programs and libraries).
//
//   startup_bench [runs] [Quorlet.exe] [EmptyWindow.exe]
//
// A floor program, a window with a tab control, a status bar, COM and one
// shell icon, is timed in the same rounds: the least a window with Quorlet's
// kind of controls costs. After one warm-up start of each program, each round
// starts the three once, the order turning every round; the figures are
// milliseconds per start.
//
//   startup_bench --compare runs Quorlet.exe...
//
// Times several builds of Quorlet.exe and the empty window in the same rounds.
//
//   startup_bench --hotkey runs [Quorlet.exe]
//
// The time from a global hot key pressed with real keys to the window shown
// and painted (the screen shows the whole window as it looks once painted and
// active), for Quorlet.exe (the one built with the benchmark unless named)
// hidden in the notification area and for the empty window hidden with
// SW_HIDE, in the same rounds.
//
//   startup_bench --find runs [Quorlet.exe]
//
// The first keystroke of type-to-find against a tab change to a built page in
// Quorlet.exe with the same document and 500 Start Menu shortcuts, from the
// keys pressed to the screen showing the result (FindKeystrokeBench.h).
//
//   startup_bench --memory [settle-seconds] [Quorlet.exe]
//
// Starts, one at a time, Quorlet.exe with the same document, Quorlet.exe in a
// folder of its own with no document (it makes its default one) and the floor
// program with and without Quorlet's manifest. Each is left to settle after its
// window is shown and idle; then a line "measure <name>\t<folder>\<exe>" goes to
// standard output and the benchmark waits for a line on standard input before
// it closes the program; "memory done" ends the list. The private memory of a
// process is for the caller to read (scripts/memory.sh reads it from the
// system's process table under Wine).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

#include "BenchDocuments.h"
#include "BenchSeries.h"
#include "ButtonTargets.h"
#include "EmptyWindow.h"
#include "FindKeystrokeBench.h"
#include "FloorWindow.h"
#include "ProgramFolder.h"
#include "QuorletWithDocument.h"
#include "RealInput.h"
#include "ScreenPicture.h"
#include "ScreenProbe.h"
#include "StartupTimer.h"

using namespace quorlet::startupbench;

namespace {

std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void FileList(const char* what, const std::vector<std::string>& files) {
    std::printf("%s:", what);
    for (const std::string& file : files) std::printf(" %s", file.c_str());
    std::printf("\n");
}

// Closes a file search when it goes.
class TFileSearch {
public:
    TFileSearch(const std::string& pattern, WIN32_FIND_DATAA& found)
        : FHandle(FindFirstFileA(pattern.c_str(), &found)) {}
    ~TFileSearch() {
        if (FHandle != INVALID_HANDLE_VALUE) FindClose(FHandle);
    }
    TFileSearch(const TFileSearch&) = delete;
    TFileSearch& operator=(const TFileSearch&) = delete;
    bool Found() const { return FHandle != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& found) const { return FindNextFileA(FHandle, &found) != 0; }

private:
    HANDLE FHandle;
};

// The program must have picked the document written for it, not made one of its own.
void CheckSingleSettingsDocument(const TProgramFolder& folder, const std::string& expected) {
    WIN32_FIND_DATAA found;
    const TFileSearch search(folder.File("QL_*.xml"), found);
    int count = 0;
    bool ours = false;
    for (bool more = search.Found(); more; more = search.Next(found)) {
        ++count;
        ours = ours || folder.File(found.cFileName) == expected;
    }
    if (count != 1 || !ours) throw std::runtime_error("Quorlet did not start with the prepared settings document");
}

void PrintDocument(const TTargetFiles& files, const std::vector<TButtonTarget>& targets) {
    const long shellIcons = static_cast<long>(
        std::count_if(targets.begin(), targets.end(), [](const TButtonTarget& t) { return t.IconNumber == 0; }));
    std::printf("settings document: %d tab sheets x %d buttons; %ld shell icons (IconNumber 0) over %zu files"
                " and folders, %ld icons stored in %zu files (IconNumber >= 1)\n",
                kTabSheets, kButtonsPerSheet, shellIcons, files.ShellIconFiles.size(),
                static_cast<long>(targets.size()) - shellIcons, files.IconFiles.size());
    FileList("  shell icons of", files.ShellIconFiles);
    FileList("  stored icons of", files.IconFiles);
}

void PrintTimes(int runs, const TSeries& quorletTimes, const TSeries& emptyTimes) {
    std::printf("%d starts each after one warm-up, interleaved; milliseconds from CreateProcess to the main"
                " window shown and idle\n\n",
                runs);
    std::printf("%-40s %9s %9s %9s\n", "", "median", "min", "mean");
    Row("Quorlet.exe", quorletTimes);
    Row("empty window", emptyTimes);
    std::printf("\nsingle starts in order\n");
    Samples("  Quorlet.exe ", quorletTimes);
    Samples("  empty window", emptyTimes);
    // Both starts of a round see the same load of the machine.
    TSeries roundRatios;
    for (size_t r = 0; r < quorletTimes.Samples.size(); ++r)
        roundRatios.Samples.push_back(quorletTimes.Samples[r] / emptyTimes.Samples[r]);
    const double ratio = quorletTimes.Median() / emptyTimes.Median();
    std::printf("\nratio Quorlet / empty window: %.2fx (medians), %.2fx (mins), %.2fx (median of the rounds)\n",
                ratio, quorletTimes.Min() / emptyTimes.Min(), roundRatios.Median());
    std::printf("target, Quorlet within 2x of the empty window (medians): %s\n", ratio <= 2.0 ? "met" : "NOT met");
}

int Run(int runs, const std::string& quorletExe, const std::string& emptyExe) {
    const TQuorletWithDocument prepared(quorletExe);
    const TProgramFolder& quorletFolder = prepared.Folder;
    const TProgramUnderTest& quorlet = prepared.Program;
    const std::string& settingsFile = prepared.SettingsFile;
    const TTargetFiles& files = prepared.Files;
    const std::vector<TButtonTarget>& targets = prepared.Targets;
    const TProgramFolder emptyFolder("empty-startup");
    const TProgramUnderTest empty = {emptyFolder.CopyIn(emptyExe, "EmptyWindow.exe"), emptyFolder.Path(),
                                     kEmptyWindowClass, kEmptyWindowTitle};
    // The least a window with Quorlet's kind of controls costs: a tab control,
    // a status bar, COM and one shell icon.
    const TProgramFolder floorFolder("floor-startup");
    const TProgramUnderTest floor = {floorFolder.CopyIn(WindowsPath(FLOOR_WINDOW_EXE_PATH), "FloorWindow.exe"),
                                     floorFolder.Path(), kFloorWindowClass, kFloorWindowTitle};

    TimeStartUp(quorlet);
    CheckSingleSettingsDocument(quorletFolder, settingsFile);
    TimeStartUp(empty);
    TimeStartUp(floor);
    // Each round starts the three once, the order turning by one each round.
    const TProgramUnderTest* programs[] = {&quorlet, &empty, &floor};
    TSeries times[3];
    for (int r = 0; r < runs; ++r)
        for (int i = 0; i < 3; ++i) {
            const int which = (i + r) % 3;
            times[which].Samples.push_back(TimeStartUp(*programs[which]));
        }
    CheckSingleSettingsDocument(quorletFolder, settingsFile);

    PrintDocument(files, targets);
    PrintTimes(runs, times[0], times[1]);
    std::printf("\n");
    Row("floor window", times[2]);
    Samples("  floor window", times[2]);
    PrintRatio("floor window / empty window", times[2], times[1]);
    PrintRatio("Quorlet / floor window", times[0], times[2]);
    return 0;
}

// Several builds of Quorlet.exe against the empty window in one run: each
// round starts every program once, the order turning by one each round, so
// that each build sees the same load of the machine.
int RunCompare(int runs, const std::vector<std::string>& quorletExes, const std::string& emptyExe) {
    std::vector<std::unique_ptr<TQuorletWithDocument>> builds;
    for (const std::string& exe : quorletExes) builds.emplace_back(new TQuorletWithDocument(exe));
    const TProgramFolder emptyFolder("empty-startup");
    const TProgramUnderTest empty = {emptyFolder.CopyIn(emptyExe, "EmptyWindow.exe"), emptyFolder.Path(),
                                     kEmptyWindowClass, kEmptyWindowTitle};
    std::vector<const TProgramUnderTest*> programs = {&empty};
    for (const auto& build : builds) programs.push_back(&build->Program);
    std::vector<TSeries> times(programs.size());
    for (const TProgramUnderTest* program : programs) TimeStartUp(*program);
    for (int r = 0; r < runs; ++r)
        for (size_t i = 0; i < programs.size(); ++i) {
            const size_t which = (i + static_cast<size_t>(r)) % programs.size();
            times[which].Samples.push_back(TimeStartUp(*programs[which]));
        }
    std::printf("%d rounds, each program once a round, the order turning; milliseconds to shown and idle\n\n", runs);
    std::printf("%-40s %9s %9s %12s %12s\n", "", "median", "min", "ratio", "rounds ratio");
    for (size_t i = 0; i < programs.size(); ++i) {
        TSeries rounds;
        for (size_t r = 0; r < times[i].Samples.size(); ++r)
            rounds.Samples.push_back(times[i].Samples[r] / times[0].Samples[r]);
        std::printf("%-40s %9.1f %9.1f %11.2fx %11.2fx\n", i == 0 ? "empty window" : quorletExes[i - 1].c_str(),
                    times[i].Median(), times[i].Min(), times[i].Median() / times[0].Median(), rounds.Median());
    }
    return 0;
}

// "<folder>\<exe>": how the caller finds the process among the system's.
std::string FolderAndName(const std::string& exe) {
    const size_t name = exe.find_last_of('\\');
    const size_t folder = name == std::string::npos || name == 0 ? std::string::npos : exe.find_last_of('\\', name - 1);
    return folder == std::string::npos ? exe : exe.substr(folder + 1);
}

void HoldForMeasurement(const char* name, const TProgramUnderTest& program, DWORD settleMs) {
    TRunningProgram running(program);
    Sleep(settleMs);
    std::printf("measure %s\t%s\n", name, FolderAndName(program.Exe).c_str());
    std::fflush(stdout);
    char answer[64];
    if (!std::fgets(answer, sizeof answer, stdin)) throw std::runtime_error("No answer on standard input");
    running.Close();
}

int RunMemory(DWORD settleMs, const std::string& quorletExe) {
    const TQuorletWithDocument withDocument(quorletExe);
    const TProgramFolder bareFolder("quorlet-memory");
    const TProgramUnderTest bare = {bareFolder.CopyIn(quorletExe, "Quorlet.exe"), bareFolder.Path(), "TfrmQuorlet",
                                    "Quorlet"};
    const TProgramFolder floorFolder("floor-memory");
    const TProgramUnderTest floor = {floorFolder.CopyIn(WindowsPath(FLOOR_WINDOW_EXE_PATH), "FloorWindow.exe"),
                                     floorFolder.Path(), kFloorWindowClass, kFloorWindowTitle};
    const TProgramFolder plainFolder("floor-plain-memory");
    const TProgramUnderTest plain = {
        plainFolder.CopyIn(WindowsPath(FLOOR_WINDOW_PLAIN_EXE_PATH), "FloorWindowPlain.exe"), plainFolder.Path(),
        kFloorWindowClass, kFloorWindowTitle};

    HoldForMeasurement("quorlet-10x20", withDocument.Program, settleMs);
    CheckSingleSettingsDocument(withDocument.Folder, withDocument.SettingsFile);
    HoldForMeasurement("quorlet-empty", bare, settleMs);
    HoldForMeasurement("floor", floor, settleMs);
    HoldForMeasurement("floor-plain", plain, settleMs);
    std::printf("memory done\n");
    std::fflush(stdout);
    return 0;
}

// A window the hot key hides and shows, and the picture the screen shows of
// it once it is shown, active and painted, taken after its first show.
struct THotKeyTarget {
    THotKeyTarget(const char* name, HWND window, WORD key) : Name(name), Window(window), Key(key) {}
    const char* Name;
    HWND Window;
    WORD Key;
    TScreenPicture Painted;
    bool HasPainted = false;
    TScreenPicture Now;  // the screen as read in the waits
};

// Two pictures alike a while apart, of the active window and more than a flat
// area: its paints, and the activation's, are done.
void TakePaintedPicture(THotKeyTarget& target) {
    const TStopwatch clock;
    bool have = false;
    do {
        Sleep(150);
        const bool captured = GetForegroundWindow() == target.Window && target.Now.Capture(target.Window);
        if (captured && have && target.Now.Same(target.Painted) && target.Now.DistinctColours(16) >= 16) {
            target.HasPainted = true;
            return;
        }
        have = captured;
        if (captured) target.Painted.CopyFrom(target.Now);
    } while (clock.ElapsedMs() < 10000);
    throw std::runtime_error(std::string(target.Name) + ": its picture did not settle");
}

// Whether the screen shows the window as it looks once painted. An erased
// background or a part still unpainted is not enough.
bool ShowsPainted(THotKeyTarget& target) {
    return target.Now.Capture(target.Window) && target.Now.Same(target.Painted);
}

double TimeHotKeyShow(THotKeyTarget& target) {
    // Hidden first: the minimise box hides each of them (Quorlet to the
    // notification area, the empty window with SW_HIDE).
    if (!IsWindowVisible(target.Window) && !WaitUntil(5000, [&] { return IsWindowVisible(target.Window) != FALSE; }))
        PressKeys({VK_CONTROL, VK_MENU}, target.Key);
    PostMessageA(target.Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (!WaitUntil(5000, [&] { return !IsWindowVisible(target.Window) && !ShowsPainted(target); }))
        throw std::runtime_error(std::string(target.Name) + ": it did not hide");
    Sleep(200);
    const TStopwatch clock;
    PressKeys({VK_CONTROL, VK_MENU}, target.Key);
    // The first show only finds out how the painted window looks.
    const bool shown = target.HasPainted
                           ? WaitUntil(5000, [&] { return IsWindowVisible(target.Window) && ShowsPainted(target); })
                           : WaitUntil(5000, [&] { return IsWindowVisible(target.Window) != FALSE; });
    if (!shown) throw std::runtime_error(std::string(target.Name) + ": the hot key did not show it painted");
    const double ms = clock.ElapsedMs();
    if (!target.HasPainted) TakePaintedPicture(target);
    return ms;
}

int RunHotKey(int runs, const std::string& quorletExe, const std::string& emptyExe) {
    const TQuorletWithDocument quorletProgram(quorletExe);
    const TProgramUnderTest emptyProgram = {emptyExe, quorletProgram.Folder.Path(), kEmptyWindowClass,
                                            kEmptyWindowTitle, kHotKeyArgument};
    TRunningProgram quorlet(quorletProgram.Program);
    TRunningProgram empty(emptyProgram);
    // Apart, so that neither covers the other: the empty window near the top
    // left (below the tray window Wine shows in the corner), Quorlet where its
    // document puts it (the bottom right corner).
    SetWindowPos(empty.Window(), nullptr, 100, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Sleep(500);
    THotKeyTarget targets[2] = {{"empty window", empty.Window(), kEmptyWindowHotKeyKey},
                                {"Quorlet.exe", quorlet.Window(), kQuorletHotKeyKey}};
    TSeries times[2];
    for (THotKeyTarget& target : targets) TimeHotKeyShow(target);  // warm-up
    for (int r = 0; r < runs; ++r)
        for (int i = 0; i < 2; ++i) {
            const int which = (i + r) % 2;
            times[which].Samples.push_back(TimeHotKeyShow(targets[which]));
        }
    std::printf("%d rounds; milliseconds from the hot key pressed to the window shown and painted\n", runs);
    std::printf("%-40s %9s %9s %9s\n", "", "median", "min", "mean");
    Row("empty window (SW_HIDE, then SW_SHOW)", times[0]);
    Row("Quorlet.exe (hidden in the tray)", times[1]);
    Samples("  empty window", times[0]);
    Samples("  Quorlet.exe", times[1]);
    PrintRatio("hot key show, Quorlet / empty window", times[1], times[0]);
    const double ratio = times[1].Median() / times[0].Median();
    std::printf("target, within 1.5x of the empty window (medians): %s\n", ratio <= 1.5 ? "met" : "NOT met");
    quorlet.Close();
    empty.Close();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--find") {
        try {
            return RunFindKeystroke(std::max(3, std::atoi(argv[2])), WindowsPath(argc > 3 ? argv[3] : QUORLET_EXE_PATH));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "startup_bench: %s\n", e.what());
            return 1;
        }
    }
    if (argc > 2 && std::string(argv[1]) == "--hotkey") {
        try {
            return RunHotKey(std::max(3, std::atoi(argv[2])), WindowsPath(argc > 3 ? argv[3] : QUORLET_EXE_PATH),
                             WindowsPath(EMPTY_WINDOW_EXE_PATH));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "startup_bench: %s\n", e.what());
            return 1;
        }
    }
    if (argc > 1 && std::string(argv[1]) == "--memory") {
        const int settleSeconds = argc > 2 ? std::max(0, std::atoi(argv[2])) : 3;
        try {
            return RunMemory(static_cast<DWORD>(settleSeconds) * 1000,
                             WindowsPath(argc > 3 ? argv[3] : QUORLET_EXE_PATH));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "startup_bench: %s\n", e.what());
            return 1;
        }
    }
    if (argc > 3 && std::string(argv[1]) == "--compare") {
        try {
            std::vector<std::string> exes;
            for (int i = 3; i < argc; ++i) exes.push_back(WindowsPath(argv[i]));
            return RunCompare(std::max(3, std::atoi(argv[2])), exes, WindowsPath(EMPTY_WINDOW_EXE_PATH));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "startup_bench: %s\n", e.what());
            return 1;
        }
    }
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const std::string quorletExe = WindowsPath(argc > 2 ? argv[2] : QUORLET_EXE_PATH);
    const std::string emptyExe = WindowsPath(argc > 3 ? argv[3] : EMPTY_WINDOW_EXE_PATH);
    try {
        return Run(runs, quorletExe, emptyExe);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup_bench: %s\n", e.what());
        return 1;
    }
}
