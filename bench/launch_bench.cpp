// The cost of one click on a button of a tab sheet, in the document it reads
// and writes, on a settings document with 200 button records: ReadButton, the
// launch (the shell is a fake that accepts it) counted with IncRunTimes, the
// button pushed to the front of the recent list, and the recent row's six
// images read from the document. In the same run it measures the floor,
// merely reading the file's bytes and writing them back with the same atomic
// write (temporary file, fsync, rename), and prints both times and their
// ratio. The floor without fsync is printed for information.
//
//   build/bench/bench/launch_bench [rounds] [folder]
//
// The measurements are interleaved round by round, so that all of them see the
// same state of the disk; each figure is the median (and the mean) of the
// single operations, in microseconds. Each round times a click after another
// store has saved the file (the document is parsed again), then a click
// straight after it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "base/AppPaths.h"
#include "base/Platform.h"
#include "base/FileIo.h"
#include "fakes/FakePlatform.h"
#include "launcher/ButtonEditing.h"
#include "launcher/ButtonLaunch.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

// A clock that stands still; nothing else of the platform is used here.
class TBenchPlatform : public TFakePlatform {
public:
    TBenchPlatform() {
        FakeUserName = "bench";
        FakeExecutableName = "launch_bench";
        FakeNow.Year = 2025;
        FakeNow.Month = 3;
        FakeNow.Day = 5;
        FakeNow.Hour = 10;
    }
};

std::string Item(int depth, const std::string& name, const std::string& value) {
    return "\r\n" + std::string(depth, '\t') + "<Item Name=\"" + name + "\" Value=\"" + value + "\"/>";
}

// A settings document as the program writes it, with 10 tab sheets of 20 buttons.
std::string SettingsDocumentText() {
    std::string t = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<RKConfig>\r\n\t<Application>";
    const char* app[][2] = {{"RunStartup", "0"},    {"ActiveAppPanel", "0"},     {"ShowAppPanel", "1"},
                            {"LastPanelIndex", "3"}, {"SplashScreen", "0"},      {"AlwaysOnTop", "1"},
                            {"IgnoreBlankButton", "1"}, {"AnalyseLinkFile", "1"}, {"GlobalHotKey", "Ctrl+Alt+Q"},
                            {"FavoriteGroup", "Quorlet Tab"}, {"IconSize", "32"}, {"ButtonSpacing", "2"},
                            {"TabStyle", "0"},      {"X", "1572"},               {"Y", "930"},
                            {"AutoCheckUpdate", "1"}, {"CheckInterval", "7"},
                            {"LastChecking", "2008-12-11T09-30-15"}, {"LastVersion", "1.3.0.1"},
                            {"HideAfterClicking", "0"}};
    for (const auto& kv : app) t += Item(2, kv[0], kv[1]);
    t += "\r\n\t</Application>\r\n\t<AlarmClock>";
    const char* alarm[][2] = {{"AlarmOn", "1"},  {"Time", "2008-12-12T07-30-15"}, {"TimerOut", "10"},
                              {"Message", "Time for the weekly backup"}, {"ToneOn", "1"},
                              {"Tone", "C:\\Windows\\Media\\tada.wav"}, {"SystemEventOn", "0"},
                              {"SystemEvent", "0"}, {"RepeatOn", "1"}};
    for (const auto& kv : alarm) t += Item(2, kv[0], kv[1]);
    for (int d = 0; d < 7; ++d) t += Item(2, "Day" + std::to_string(d), d >= 1 && d <= 5 ? "1" : "0");
    t += "\r\n\t</AlarmClock>\r\n\t<Groups Count=\"10\">";
    for (int g = 1; g <= 10; ++g)
        t += "\r\n\t\t<Item ID=\"" + std::to_string(g) + "\" Value=\"Tabsheet " + std::to_string(g) + "\"/>";
    t += "\r\n\t</Groups>\r\n\t<Last6Buttons>";
    for (int k = 1; k <= 6; ++k)
        t += "\r\n\t\t<Item ID=\"" + std::to_string(k) + "\" Value=\"" + std::to_string(100 * k + k) + "\"/>";
    t += "\r\n\t</Last6Buttons>\r\n\t<Buttons>";
    for (int g = 1; g <= 10; ++g) {
        for (int p = 1; p <= 20; ++p) {
            const int id = g * 100 + p;
            const std::string n = std::to_string(id);
            const std::string folder = "C:\\Program Files\\Vendor " + std::to_string(g) + "\\Application " + n;
            t += "\r\n\t\t<Button ID=\"" + n + "\">";
            t += Item(3, "BtnStyle", "0") + Item(3, "IconFile", folder + "\\app" + n + ".exe") +
                 Item(3, "IconNumber", std::to_string(p % 3)) + Item(3, "Command", folder + "\\app" + n + ".exe") +
                 Item(3, "Parameters", p % 4 == 0 ? "/n /e,&quot;D:\\Work\\Project " + n + "&quot;" : "") +
                 Item(3, "WorkingDir", folder) + Item(3, "Description", "Application " + n) +
                 Item(3, "HotKey", p % 5 == 0 ? "Ctrl+Shift+F" + std::to_string(p % 12 + 1) : "") +
                 Item(3, "WindowStyle", "1") + Item(3, "Priority", "0") +
                 Item(3, "IgnoreRunTimes", p % 7 == 0 ? "1" : "0") +
                 Item(3, "TotolRunTimes", std::to_string(id * 7 % 1000));
            for (int d = 0; d < 7; ++d) t += Item(3, "Day" + std::to_string(d), std::to_string((id + d) % 9));
            for (int d = 0; d < 7; ++d)
                t += Item(3, "Day" + std::to_string(d) + "Week", std::to_string(9 + (d + p) % 2));
            t += "\r\n\t\t</Button>";
        }
    }
    return t + "\r\n\t</Buttons>\r\n</RKConfig>";
}

// The same replacement as WriteFileAtomically, without flushing to the disk.
void WriteFileReplacingNoSync(const std::string& fileName, const std::string& bytes) {
    const std::string temp = fileName + ".nosync";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0 ||
        std::rename(temp.c_str(), fileName.c_str()) != 0) {
        std::fprintf(stderr, "cannot write %s\n", temp.c_str());
        std::exit(1);
    }
}

double Micros(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
}

struct TSeries {
    std::vector<double> Samples;
    double Median() const {
        std::vector<double> s = Samples;
        std::nth_element(s.begin(), s.begin() + s.size() / 2, s.end());
        return s[s.size() / 2];
    }
    double Mean() const { return std::accumulate(Samples.begin(), Samples.end(), 0.0) / Samples.size(); }
};

template <class F>
void Time(TSeries& series, F&& f) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    series.Samples.push_back(Micros(t0));
}

void Row(const char* what, const TSeries& s) {
    std::printf("%-52s %10.1f %10.1f\n", what, s.Median(), s.Mean());
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
    const std::filesystem::path dir = argc > 2 ? std::filesystem::path(argv[2]) / "quorlet-launch-bench"
                                               : std::filesystem::temp_directory_path() / "quorlet-launch-bench";
    std::filesystem::create_directories(dir);
    SettingFileName = (dir / "QL_bench.xml").string();
    const std::string floorFile = (dir / "floor.xml").string();
    const std::string noSyncFile = (dir / "floor-nosync.xml").string();

    const std::string text = SettingsDocumentText();
    WriteFileAtomically(SettingFileName, text);
    WriteFileAtomically(floorFile, text);
    WriteFileAtomically(noSyncFile, text);

    TBenchPlatform platform;
    TBtnSettingXml store(platform);
    const int id = 507;
    if (!store.ReadButton(id)) {
        std::fprintf(stderr, "record %d not found\n", id);
        return 1;
    }
    // The launched button's target exists, so the launch is counted.
    store.Command = (dir / "app507.exe").string();
    WriteFileAtomically(store.Command, "MZ");
    store.WriteButton(id);
    store.ReadButton(id);
    const int32_t totalBefore = store.TotolRunTimes;

    TSeries launch, launchAfterChange, floor, floorNoSync, moveFirst, swap, swapRecent;
    TAppSettingXml settings(platform);
    settings.LoadRecentButtons();
    // A move or swap renumbers in a store of its own; the window's store then
    // reads the document again to show the cells.
    auto rearrange = [&](const TIdMoves& moves) {
        TBtnSettingXml own(platform);
        own.RenumberButtons(moves);
        store.LoadButtonsDoc();
    };
    // One click's document work, as the window does it.
    auto click = [&] {
        store.ReadButton(id);
        if (!LaunchSheetButton(platform, store, settings, id).Launched) {
            std::fprintf(stderr, "the launch was not counted\n");
            std::exit(1);
        }
        // The recent row shows its buttons from the document just saved.
        for (const std::string& recent : settings.RecentButtons) store.ReadButtonBrief(std::stoi(recent));
        platform.ShellOpenCalls.clear();
    };
    int launches = 0;
    for (int r = 0; r < rounds + 1; ++r) {
        const bool warmUp = r == 0;
        TSeries scratch;
        // A click after another store (or program) has saved the file: same
        // size, other bytes. (The moves and swaps of the last round saved it too.)
        std::string bytes;
        ReadWholeFile(SettingFileName, bytes);
        const size_t at = bytes.find("<Item ID=\"1\" Value=\"");
        bytes[at + 20] = bytes[at + 20] == '1' ? '2' : '1';
        WriteFileAtomically(SettingFileName, bytes);
        Time(warmUp ? scratch : launchAfterChange, click);
        // A click straight after the last one.
        Time(warmUp ? scratch : launch, click);
        launches += 2;
        Time(warmUp ? scratch : floor, [&] {
            std::string b;
            ReadWholeFile(floorFile, b);
            WriteFileAtomically(floorFile, b);
        });
        Time(warmUp ? scratch : moveFirst, [&] { rearrange(r % 2 ? MoveToLastMoves(601) : MoveToFirstMoves(620)); });
        Time(warmUp ? scratch : swap, [&] { rearrange(SwapMoves(105, 903)); });
        // 202 is in the recent list.
        Time(warmUp ? scratch : swapRecent, [&] {
            rearrange(SwapMoves(202, 304));
            settings.ExchangeRecentButtons(202, 304);
        });
        Time(warmUp ? scratch : floorNoSync, [&] {
            std::string b;
            ReadWholeFile(noSyncFile, b);
            WriteFileReplacingNoSync(noSyncFile, b);
        });
    }

    // The launches really were counted in the file.
    TBtnSettingXml check(platform);
    check.ReadButton(id);
    if (check.TotolRunTimes != totalBefore + launches) {
        std::fprintf(stderr, "expected %d launches in the file, found %d\n", launches,
                     check.TotolRunTimes - totalBefore);
        return 1;
    }

    std::printf("document: %zu bytes, 200 button records, in %s\n", text.size(), dir.string().c_str());
    std::printf("%d rounds, microseconds per operation\n\n", rounds);
    std::printf("%-52s %10s %10s\n", "", "median", "mean");
    Row("click: read, counted launch, recent list, row", launch);
    Row("the same, file saved by another store since", launchAfterChange);
    Row("floor: read bytes + atomic write (fsync)", floor);
    Row("floor without fsync (information)", floorNoSync);
    Row("move to the first (20 records) + reload", moveFirst);
    Row("swap of two records + reload", swap);
    Row("swap + reload + recent list saved", swapRecent);
    std::printf("\nratio move / launch:                           %6.2fx (median)\n", moveFirst.Median() / launch.Median());
    std::printf("ratio swap / launch:                           %6.2fx (median)\n", swap.Median() / launch.Median());
    std::printf("ratio swap with the recent list / launch:      %6.2fx (median)  (target 3x for each)\n",
                swapRecent.Median() / launch.Median());
    std::printf("\nratio launch / floor:                          %6.2fx (median)  %6.2fx (mean)\n",
                launch.Median() / floor.Median(), launch.Mean() / floor.Mean());
    std::printf("ratio launch after a change / floor:           %6.2fx (median)  %6.2fx (mean)\n",
                launchAfterChange.Median() / floor.Median(), launchAfterChange.Mean() / floor.Mean());

    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return 0;
}
