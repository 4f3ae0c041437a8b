// Loads and saves a settings document of realistic size (200 buttons of 26
// items each, about 250 KB) with the XML document layer and with pugixml in the
// same run, and prints both times and their ratio (ours / pugixml).
//
//   build/native/bench/xml_bench [rounds]
//   build/native/bench/xml_bench --write FILE   (only writes the document, for profiling)
//   build/native/bench/xml_bench --parse ours|pugixml N   (only parses it N times, for profiling)
//
// It also gives the memory a loaded document holds: the private memory the
// process touches (RssAnon) for one document of each library, loaded and kept.
//
// Each figure is the best mean over a number of rounds, in microseconds per
// operation; the rounds of the two libraries alternate. Both sides build a fresh document for every load and destroy it
// afterwards, so allocation and release are counted on both sides.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "base/FileIo.h"
#include "settings/XmlDoc.h"

using namespace quorlet;

namespace {

volatile size_t g_sink = 0;

void Item(const XmlElementPtr& parent, const std::string& name, const std::string& value) {
    XmlElementPtr item = AddChildElement(parent, "Item");
    WriteStrAttr(item, "Name", name);
    WriteStrAttr(item, "Value", value);
}

void Item(const XmlElementPtr& parent, const std::string& name, int value) {
    XmlElementPtr item = AddChildElement(parent, "Item");
    WriteStrAttr(item, "Name", name);
    WriteIntAttr(item, "Value", value);
}

void BoolItem(const XmlElementPtr& parent, const std::string& name, bool value) {
    XmlElementPtr item = AddChildElement(parent, "Item");
    WriteStrAttr(item, "Name", name);
    WriteBoolAttr(item, "Value", value);
}

TDateTime When(int day, int hour) {
    TDateTime dt;
    dt.Year = 2008;
    dt.Month = 12;
    dt.Day = day;
    dt.Hour = hour;
    dt.Minute = 30;
    dt.Second = 15;
    return dt;
}

// A settings document laid out as the program writes it.
std::string SettingsDocumentText() {
    XmlDocumentPtr doc = NewXmlDocument("RKConfig");
    XmlElementPtr root = RootElement(doc);

    XmlElementPtr app = AddChildElement(root, "Application");
    BoolItem(app, "RunStartup", false);
    BoolItem(app, "ActiveAppPanel", false);
    BoolItem(app, "ShowAppPanel", true);
    Item(app, "LastPanelIndex", 3);
    BoolItem(app, "SplashScreen", false);
    BoolItem(app, "AlwaysOnTop", true);
    BoolItem(app, "IgnoreBlankButton", true);
    BoolItem(app, "AnalyseLinkFile", true);
    Item(app, "GlobalHotKey", "Ctrl+Alt+Q");
    Item(app, "FavoriteGroup", "Quorlet Tab");
    Item(app, "IconSize", 32);
    Item(app, "ButtonSpacing", 2);
    Item(app, "TabStyle", 0);
    Item(app, "X", 1572);
    Item(app, "Y", 930);
    BoolItem(app, "AutoCheckUpdate", true);
    Item(app, "CheckInterval", 7);
    XmlElementPtr checked = AddChildElement(app, "Item");
    WriteStrAttr(checked, "Name", "LastChecking");
    WriteDateTimeAttr(checked, "Value", When(11, 9));
    Item(app, "LastVersion", "1.3.0.1");
    BoolItem(app, "HideAfterClicking", false);

    XmlElementPtr alarm = AddChildElement(root, "AlarmClock");
    BoolItem(alarm, "AlarmOn", true);
    XmlElementPtr time = AddChildElement(alarm, "Item");
    WriteStrAttr(time, "Name", "Time");
    WriteDateTimeAttr(time, "Value", When(12, 7));
    Item(alarm, "TimerOut", 10);
    Item(alarm, "Message", "Time for the \"weekly\" backup & report <now>");
    BoolItem(alarm, "ToneOn", true);
    Item(alarm, "Tone", "C:\\Windows\\Media\\tada.wav");
    BoolItem(alarm, "SystemEventOn", false);
    Item(alarm, "SystemEvent", 0);
    BoolItem(alarm, "RepeatOn", true);
    for (int d = 0; d < 7; ++d) BoolItem(alarm, "Day" + std::to_string(d), d >= 1 && d <= 5);

    XmlElementPtr groups = AddChildElement(root, "Groups");
    WriteIntAttr(groups, "Count", 10);
    for (int g = 1; g <= 10; ++g) {
        XmlElementPtr item = AddChildElement(groups, "Item");
        WriteIntAttr(item, "ID", g);
        WriteStrAttr(item, "Value", "Tabsheet " + std::to_string(g));
    }

    XmlElementPtr recent = AddChildElement(root, "Last6Buttons");
    for (int k = 1; k <= 6; ++k) {
        XmlElementPtr item = AddChildElement(recent, "Item");
        WriteIntAttr(item, "ID", k);
        WriteIntAttr(item, "Value", 100 * k + k);
    }

    XmlElementPtr buttons = AddChildElement(root, "Buttons");
    for (int g = 1; g <= 10; ++g) {
        for (int p = 1; p <= 20; ++p) {
            const int id = g * 100 + p;
            const std::string n = std::to_string(id);
            const std::string folder = "C:\\Program Files\\Vendor " + std::to_string(g) + "\\Application " + n;
            XmlElementPtr button = AddChildElement(buttons, "Button");
            WriteIntAttr(button, "ID", id);
            Item(button, "BtnStyle", 0);
            Item(button, "IconFile", folder + "\\app" + n + ".exe");
            Item(button, "IconNumber", p % 3);
            Item(button, "Command", folder + "\\app" + n + ".exe");
            Item(button, "Parameters", p % 4 == 0 ? "/n /e,\"D:\\Work\\Project " + n + "\"" : "");
            Item(button, "WorkingDir", folder);
            Item(button, "Description", "Application " + n + " (tab " + std::to_string(g) + ")");
            Item(button, "HotKey", p % 5 == 0 ? "Ctrl+Shift+F" + std::to_string(p % 12 + 1) : "");
            Item(button, "WindowStyle", 1);
            Item(button, "Priority", 0);
            BoolItem(button, "IgnoreRunTimes", p % 7 == 0);
            Item(button, "TotolRunTimes", id * 7 % 1000);
            for (int d = 0; d < 7; ++d) Item(button, "Day" + std::to_string(d), (id + d) % 9);
            for (int d = 0; d < 7; ++d) Item(button, "Day" + std::to_string(d) + "Week", 49 + (d + p) % 2);
        }
    }
    return XmlDocumentText(doc);
}

struct StringWriter : pugi::xml_writer {
    std::string Text;
    void write(const void* data, size_t size) override { Text.append(static_cast<const char*>(data), size); }
};

struct TPair {
    double Ours;
    double Theirs;
};

// Rounds of both sides alternate, so that both meet the same conditions of
// the machine; each side's figure is its best round.
template <class FOurs, class FTheirs>
TPair BestMicros(int rounds, int perRound, FOurs&& ours, FTheirs&& theirs) {
    ours();  // warm up
    theirs();
    TPair best{1e300, 1e300};
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < perRound; ++i) ours();
        auto t1 = std::chrono::steady_clock::now();
        for (int i = 0; i < perRound; ++i) theirs();
        auto t2 = std::chrono::steady_clock::now();
        best.Ours = std::min(best.Ours, std::chrono::duration<double, std::micro>(t1 - t0).count() / perRound);
        best.Theirs = std::min(best.Theirs, std::chrono::duration<double, std::micro>(t2 - t1).count() / perRound);
    }
    return best;
}

void Row(const char* what, const TPair& t) {
    std::printf("%-34s %12.1f %12.1f %8.2fx\n", what, t.Ours, t.Theirs, t.Ours / t.Theirs);
}

// Private memory touched by the process, in KiB.
long RssAnonKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = -1;
    while (status >> key) {
        if (key == "RssAnon:") {
            status >> value;
            break;
        }
        std::getline(status, key);
    }
    return value;
}

// What holding one loaded document costs: the growth of the process's private
// memory while it is loaded and kept, each library's document in turn.
void PrintMemory(const std::string& source) {
    const long before = RssAnonKiB();
    XmlDocumentPtr ours = LoadXmlFile(source);
    const long withOurs = RssAnonKiB();
    auto theirs = std::make_unique<pugi::xml_document>();
    theirs->load_file(source.c_str(), pugi::parse_default, pugi::encoding_utf8);
    const long withTheirs = RssAnonKiB();
    std::printf("%-34s %9ld KiB %8ld KiB %8.2fx\n", "memory of a loaded document", withOurs - before,
                withTheirs - withOurs, double(withOurs - before) / double(withTheirs - withOurs));
}

size_t CountElements(const IXmlNode& node) {
    size_t n = node.NodeType() == xntElement ? 1 : 0;
    for (size_t i = 0; i < node.ChildCount(); ++i) n += CountElements(*node.Child(i));
    return n;
}

size_t CountElements(const pugi::xml_node& node) {
    size_t n = node.type() == pugi::node_element ? 1 : 0;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) n += CountElements(c);
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string text = SettingsDocumentText();
    if (argc > 2 && std::string(argv[1]) == "--write") {
        WriteFileAtomically(argv[2], text);
        return 0;
    }
    if (argc > 3 && std::string(argv[1]) == "--parse") {
        const bool ours = std::string(argv[2]) == "ours";
        for (int i = std::atoi(argv[3]); i > 0; --i) {
            if (ours) {
                g_sink = g_sink + ParseXmlText(text)->ChildCount();
            } else {
                pugi::xml_document d;
                d.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
                g_sink = g_sink + static_cast<size_t>(d.first_child().type());
            }
        }
        return 0;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const auto dir = std::filesystem::temp_directory_path() / "quorlet-xml-bench";
    std::filesystem::create_directories(dir);
    const std::string source = (dir / "settings.xml").string();
    const std::string oursOut = (dir / "ours.xml").string();
    const std::string pugiOut = (dir / "pugi.xml").string();
    const std::string pugiAtomicOut = (dir / "pugi-atomic.xml").string();
    WriteFileAtomically(source, text);
    if (argc > 1 && std::string(argv[1]) == "--memory") {  // in a fresh process, before any other load
        PrintMemory(source);
        std::filesystem::remove_all(dir);
        return 0;
    }

    // Both read the same thing, and ours writes back exactly what it read.
    XmlDocumentPtr doc = LoadXmlFile(source);
    pugi::xml_document pdoc;
    if (!pdoc.load_file(source.c_str(), pugi::parse_default, pugi::encoding_utf8)) {
        std::fprintf(stderr, "pugixml cannot load the document\n");
        return 1;
    }
    const size_t ourElements = CountElements(*doc);
    const size_t pugiElements = CountElements(pdoc);
    if (XmlDocumentText(doc) != text || ourElements != pugiElements) {
        std::fprintf(stderr, "the two libraries disagree about the document\n");
        return 1;
    }
    std::printf("document: %zu bytes, %zu elements; best of %d rounds, microseconds per operation\n\n",
                text.size(), ourElements, rounds);
    std::printf("%-34s %12s %12s %9s\n", "", "quorlet", "pugixml", "ratio");

    const int fast = 20;
    TPair parse = BestMicros(
        rounds, fast, [&] { g_sink = g_sink + ParseXmlText(text)->ChildCount(); },
        [&] {
            pugi::xml_document d;
            d.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
            g_sink = g_sink + static_cast<size_t>(d.first_child().type());
        });
    TPair load = BestMicros(
        rounds, fast, [&] { g_sink = g_sink + LoadXmlFile(source)->ChildCount(); },
        [&] {
            pugi::xml_document d;
            d.load_file(source.c_str(), pugi::parse_default, pugi::encoding_utf8);
            g_sink = g_sink + static_cast<size_t>(d.first_child().type());
        });
    TPair serialise = BestMicros(
        rounds, fast, [&] { g_sink = g_sink + XmlDocumentText(doc).size(); },
        [&] {
            StringWriter w;
            pdoc.save(w, "\t", pugi::format_default, pugi::encoding_utf8);
            g_sink = g_sink + w.Text.size();
        });
    const int slow = 3;
    TPair save = BestMicros(
        rounds, slow, [&] { SaveXmlFile(doc, oursOut); }, [&] { pdoc.save_file(pugiOut.c_str(), "\t"); });
    TPair saveAtomic = BestMicros(
        rounds, slow, [&] { SaveXmlFile(doc, oursOut); },
        [&] {
            StringWriter w;
            pdoc.save(w, "\t", pugi::format_default, pugi::encoding_utf8);
            WriteFileAtomically(pugiAtomicOut, w.Text);
        });

    Row("parse (bytes in memory)", parse);
    Row("load (file)", load);
    Row("serialise (text in memory)", serialise);
    Row("save (file; pugixml plain write)", save);
    Row("save (file; both atomic + flush)", saveAtomic);
    // Measured in a fresh process: memory freed by the rounds above would
    // otherwise be reused and hide the growth.
    std::fflush(stdout);
    if (std::system(("\"" + std::string(argv[0]) + "\" --memory").c_str()) != 0)
        std::fprintf(stderr, "the memory figure failed\n");
    std::printf("\nOur save writes a temporary file, flushes it to disk and renames it over the\n"
                "target; pugixml's save_file only writes. The last row gives pugixml the same\n"
                "atomic write, so it compares like with like.\n");

    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return 0;
}
