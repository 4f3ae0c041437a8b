// The cost of one keystroke of type-to-find: filtering and ranking 200
// buttons (10 tab sheets of 20, with descriptions, command paths and sheet
// names like a real user's) and 500 Start Menu shortcuts, for every
// keystroke of a set of queries (word starts, substrings, scattered letters,
// one letter that matches nearly everything, and no match at all). Also the
// start of a find: reading the buttons from the loaded document and making
// their names ready, and taking in the Start Menu list.
//
//   build/bench/bench/find_bench [rounds]
//
// Figures are microseconds per operation, the median (and the mean) over
// all keystrokes and rounds, and the slowest keystroke by its median.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "FindCorpus.h"
#include "launcher/FindModel.h"
#include "launcher/FindSources.h"
#include "settings/XmlDoc.h"

using namespace quorlet;

namespace {

using findcorpus::kProgramCount;
using findcorpus::kPrograms;
using findcorpus::TProgram;

const char* const kSheets[] = {"Office", "Internet", "Graphics", "Development", "Tools",
                               "Media", "Games", "System", "Work 2023", "Misc"};

// 10 tab sheets of 20 buttons: the programs, then documents and folders.
std::string ButtonsDocumentText() {
    std::string t = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<RKConfig>\r\n\t<Buttons>";
    auto item = [&](const std::string& name, const std::string& value) {
        t += "\r\n\t\t\t<Item Name=\"" + name + "\" Value=\"" + value + "\"/>";
    };
    for (int k = 0; k < 200; ++k) {
        const int id = (k / 20 + 1) * 100 + k % 20 + 1;
        const TProgram& p = kPrograms[k % kProgramCount];
        std::string description = p.Product, command;
        if (k < 100) {
            command = std::string("C:\\Program Files\\") + p.Vendor + "\\" + p.Product + "\\" + p.Exe;
        } else if (k < 160) {
            description = std::string(p.Product) + " notes " + std::to_string(k);
            command = "D:\\Documents\\Projects\\Report " + std::to_string(k) + " - " + p.Vendor + ".docx";
        } else {
            description = std::string("Folder ") + p.Vendor + " " + std::to_string(k);
            command = std::string("D:\\Work\\") + p.Vendor + "\\Archive " + std::to_string(k);
        }
        t += "\r\n\t\t<Button ID=\"" + std::to_string(id) + "\">";
        item("BtnStyle", "0");
        item("IconFile", command);
        item("IconNumber", "0");
        item("Command", command);
        item("Parameters", "");
        item("WorkingDir", "");
        item("Description", description);
        item("HotKey", k % 9 == 0 ? "Ctrl+Alt+F" + std::to_string(k % 12 + 1) : "");
        item("WindowStyle", "1");
        item("Priority", "0");
        item("IgnoreRunTimes", "0");
        item("TotolRunTimes", std::to_string(k * 37 % 120));
        for (int d = 0; d < 7; ++d) item("Day" + std::to_string(d), "0");
        for (int d = 0; d < 7; ++d) item("Day" + std::to_string(d) + "Week", "0");
        t += "\r\n\t\t</Button>";
    }
    return t + "\r\n\t</Buttons>\r\n</RKConfig>\r\n";
}

// The 500 shortcuts as the Start Menu's Programs folders hold them.
std::vector<TStartMenuEntry> StartMenu() {
    std::vector<TStartMenuEntry> entries;
    for (const findcorpus::TShortcutName& shortcut : findcorpus::StartMenuNames()) {
        const std::string folder = shortcut.Shared
                                       ? "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\"
                                       : "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\";
        entries.push_back({shortcut.Name, folder + shortcut.Vendor + "\\" + shortcut.Name + ".lnk"});
    }
    return entries;
}

const char* const kQueries[] = {"notepad", "ntp", "word", "vsc", "e", "uninstall", "adobe reader",
                                "firefox", "calc", "xyzzy", "gmp", "office", "ps"};

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

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
    const XmlDocumentPtr doc = ParseXmlText(ButtonsDocumentText());
    const std::vector<std::string> sheets(std::begin(kSheets), std::end(kSheets));
    const std::vector<std::string> recent = {"105", "1007", "0", "302", "0", "0"};
    const std::vector<TStartMenuEntry> startMenu = StartMenu();

    TFindModel find(1252);
    TSeries begin, takeStartMenu, keystroke;
    std::map<std::string, TSeries> perKeystroke;  // "query|prefix length"
    std::map<std::string, size_t> matches;
    for (int r = 0; r <= rounds; ++r) {
        const bool warmUp = r == 0;
        auto t0 = std::chrono::steady_clock::now();
        find.SetStartMenu(startMenu);
        if (!warmUp) takeStartMenu.Samples.push_back(Micros(t0));
        for (const char* query : kQueries) {
            t0 = std::chrono::steady_clock::now();
            find.Begin(FindButtonsOf(doc, sheets, recent), 1);
            if (!warmUp) begin.Samples.push_back(Micros(t0));
            for (const char* c = query; *c; ++c) {
                t0 = std::chrono::steady_clock::now();
                find.Type(*c);
                const double us = Micros(t0);
                if (warmUp) continue;
                keystroke.Samples.push_back(us);
                perKeystroke[std::string(query) + "|" + std::to_string(c - query + 1)].Samples.push_back(us);
            }
            matches[query] = find.MatchCount();
            find.Clear();
        }
    }

    // The queries found what they should.
    if (matches["notepad"] < 2 || matches["xyzzy"] != 0 || matches["ntp"] < 2 || matches["e"] < 500) {
        std::fprintf(stderr, "unexpected matches: notepad %zu, ntp %zu, e %zu, xyzzy %zu\n", matches["notepad"],
                     matches["ntp"], matches["e"], matches["xyzzy"]);
        return 1;
    }

    std::string slowest;
    double slowestMedian = 0;
    for (const auto& entry : perKeystroke)
        if (entry.second.Median() > slowestMedian) {
            slowestMedian = entry.second.Median();
            slowest = entry.first;
        }
    const size_t bar = slowest.find('|');
    const std::string slowestQuery = slowest.substr(0, bar);
    const std::string slowestPrefix = slowestQuery.substr(0, std::stoul(slowest.substr(bar + 1)));

    std::printf("find: 200 buttons on 10 tab sheets, %zu Start Menu shortcuts; %d rounds of %zu keystrokes\n",
                startMenu.size(), rounds, keystroke.Samples.size() / rounds);
    std::printf("microseconds per operation\n\n%-52s %10s %10s\n", "", "median", "mean");
    std::printf("%-52s %10.1f %10.1f\n", "keystroke: filter and rank", keystroke.Median(), keystroke.Mean());
    std::printf("%-52s %10.1f %10.1f\n", ("slowest keystroke: \"" + slowestPrefix + "\"").c_str(), slowestMedian,
                perKeystroke[slowest].Mean());
    std::printf("%-52s %10.1f %10.1f\n", "start of a find: read and prepare the buttons", begin.Median(),
                begin.Mean());
    std::printf("%-52s %10.1f %10.1f\n", "Start Menu list taken in", takeStartMenu.Median(), takeStartMenu.Mean());
    std::printf("\nslowest keystroke's median: %.1f us (target: under 1000 us)\n", slowestMedian);
    return 0;
}
