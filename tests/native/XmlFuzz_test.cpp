// Robustness: seeded random mutations of valid documents. Every input must
// either parse or raise EXmlError (no crash, hang or other exception), and what
// parses must be written in a form that parses back to the same document.
//
// Runs a short fixed-seed pass by default. For a longer run set
// QUORLET_FUZZ_ITERATIONS (and optionally QUORLET_FUZZ_SEED), e.g.
//   QUORLET_FUZZ_ITERATIONS=2000000 core_tests --gtest_filter='XmlFuzz*'
#include <gtest/gtest.h>

#include <cstdio>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/XmlDoc.h"
#include "settings/XmlNodes.h"

using namespace quorlet;

namespace {

// xorshift64*: the same sequence on every compiler and library.
class TRandom {
public:
    explicit TRandom(uint64_t seed) : FState(seed ? seed : 0x9E3779B97F4A7C15ULL) {}
    uint64_t Next() {
        FState ^= FState >> 12;
        FState ^= FState << 25;
        FState ^= FState >> 27;
        return FState * 2685821657736338717ULL;
    }
    size_t Below(size_t n) { return n ? static_cast<size_t>(Next() % n) : 0; }

private:
    uint64_t FState;
};

uint64_t EnvNumber(const char* name, uint64_t fallback) {
    const char* v = std::getenv(name);
    if (!v || !*v) return fallback;
    return std::strtoull(v, nullptr, 10);
}

std::vector<std::string> Seeds() {
    std::vector<std::string> seeds;
    // as the program writes its settings
    XmlDocumentPtr doc = NewXmlDocument("RKConfig");
    XmlElementPtr root = RootElement(doc);
    XmlElementPtr app = AddChildElement(root, "Application");
    for (int i = 0; i < 4; ++i) {
        XmlElementPtr item = AddChildElement(app, "Item");
        WriteStrAttr(item, "Name", "Key" + std::to_string(i));
        WriteIntAttr(item, "Value", i * 37 - 5);
    }
    XmlElementPtr buttons = AddChildElement(root, "Buttons");
    XmlElementPtr button = AddChildElement(buttons, "Button");
    WriteIntAttr(button, "ID", 203);
    XmlElementPtr item = AddChildElement(button, "Item");
    WriteStrAttr(item, "Name", "Command");
    WriteStrAttr(item, "Value", "C:\\Tools\\a&b \"x\" <y>.exe");
    AddChildElement(root, "Last6Buttons");
    seeds.push_back(XmlDocumentText(doc));
    // hand edits: every construct the parser knows
    seeds.push_back(
        "<?xml version='1.0' encoding=\"windows-1251\"?>\n<!DOCTYPE r>\n<!-- c -->\n"
        "<r a='1'b=\"2\"><?pi data?><x>t&amp;&#65;&#x42;&lt;&gt;&quot;&apos;</x>\n"
        "<![CDATA[ <raw> ]]><\xC8\xEC\xFF \xA8='\xB8'/>mixed<y/>tail</r  >");
    // nesting close to the limit
    std::string deep;
    for (int i = 0; i < 250; ++i) deep += "<d>";
    for (int i = 0; i < 250; ++i) deep += "</d>";
    seeds.push_back(deep);
    seeds.push_back("<a/>");
    return seeds;
}

const char* const kTokens[] = {"<",      "</",       "/>",    ">",      "<!--", "-->",  "<![CDATA[", "]]>",
                               "<?",     "?>",       "<?xml", "<!DOCTYPE x>", "&", "&amp;", "&#", "&#x",
                               ";",      "\"",       "'",     "=",      " ",    "\r\n", "<a>",       "</a>",
                               "<d>",    "</d>",     "a",     "\xC0",   "\x98", "0",    "&#1025;",   "&#x;"};

std::string Mutate(const std::string& input, const std::vector<std::string>& seeds, TRandom& rnd) {
    std::string s = input;
    const size_t steps = 1 + rnd.Below(4);
    for (size_t step = 0; step < steps; ++step) {
        switch (rnd.Below(7)) {
            case 0:  // replace a byte by any byte
                if (!s.empty()) s[rnd.Below(s.size())] = static_cast<char>(rnd.Below(256));
                break;
            case 1:  // flip one bit
                if (!s.empty()) s[rnd.Below(s.size())] ^= static_cast<char>(1 << rnd.Below(8));
                break;
            case 2: {  // insert a token the parser cares about
                const char* token = kTokens[rnd.Below(sizeof kTokens / sizeof kTokens[0])];
                s.insert(rnd.Below(s.size() + 1), token);
                break;
            }
            case 3:  // delete a range
                if (!s.empty()) {
                    size_t at = rnd.Below(s.size());
                    s.erase(at, 1 + rnd.Below(16));
                }
                break;
            case 4:  // truncate
                s.resize(rnd.Below(s.size() + 1));
                break;
            case 5: {  // splice in a piece of some seed
                const std::string& other = seeds[rnd.Below(seeds.size())];
                size_t from = rnd.Below(other.size());
                s.insert(rnd.Below(s.size() + 1), other.substr(from, 1 + rnd.Below(64)));
                break;
            }
            default:  // duplicate a range in place
                if (!s.empty()) {
                    size_t from = rnd.Below(s.size());
                    s.insert(from, s.substr(from, 1 + rnd.Below(32)));
                }
                break;
        }
    }
    return s;
}

std::string RightTrimmed(const std::string& s) {
    size_t n = s.size();
    while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= 32) --n;
    return s.substr(0, n);
}

// Two differences between a parsed tree and the tree its written text parses
// into are inherent in the text form, and the comparison allows for them:
// - The writer starts each element on a new indented line, so a text node that
//   stands before an element or an end tag picks up that line break and
//   indentation when the output is read again (mixed content is not kept
//   exactly). Text is compared without trailing white space.
// - A DOCTYPE leaves no node, so the text runs on both sides of it are two
//   text nodes that the writer puts side by side; read again they are one.
//   Adjacent text nodes are compared joined.
// Everything else must match exactly.
struct TChild {
    const TXmlNode* Node;  // null for joined text
    std::string Text;
};

std::vector<TChild> ChildrenOf(const TXmlNode& n, bool& textSeen) {
    std::vector<TChild> out;
    const TXmlNodeList* list = n.ChildList();
    if (!list) return out;
    bool lastWasText = false;
    for (size_t i = 0; i < list->Count(); ++i) {
        const TXmlNode* c = list->Item(i);
        if (c->Type == xntText) {
            textSeen = true;
            if (lastWasText)
                out.back().Text += c->Value();
            else
                out.push_back({nullptr, c->Value()});
            lastWasText = true;
        } else {
            out.push_back({c, std::string()});
            lastWasText = false;
        }
    }
    return out;
}

void ExpectSameTree(const TXmlNode& a, const TXmlNode& b, bool& textSeen, const std::string& path) {
    ASSERT_EQ(a.Type, b.Type) << path;
    ASSERT_EQ(a.Name, b.Name) << path;
    switch (a.Type) {
        case xntElement: {
            const auto& ea = static_cast<const TXmlElement&>(a);
            const auto& eb = static_cast<const TXmlElement&>(b);
            ASSERT_EQ(ea.AttrCount(), eb.AttrCount()) << path;
            for (size_t i = 0; i < ea.AttrCount(); ++i) {
                EXPECT_EQ(ea.AttrName(i), eb.AttrName(i)) << path;
                EXPECT_EQ(ea.AttrText(i), eb.AttrText(i)) << path;
            }
            break;
        }
        case xntProcessingInstruction: {
            const auto& pa = static_cast<const TXmlProcessingInstruction&>(a);
            const auto& pb = static_cast<const TXmlProcessingInstruction&>(b);
            EXPECT_EQ(pa.Data.Str(), pb.Data.Str()) << path;
            ASSERT_EQ(pa.Attrs.Count(), pb.Attrs.Count()) << path;
            for (size_t i = 0; i < pa.Attrs.Count(); ++i) {
                EXPECT_EQ(pa.Attrs[i].Name, pb.Attrs[i].Name) << path;
                EXPECT_EQ(XmlValueText(pa.Attrs[i]), XmlValueText(pb.Attrs[i])) << path;
            }
            return;
        }
        case xntDocument:
            break;
        default:
            EXPECT_EQ(a.Value(), b.Value()) << path;
            return;
    }
    bool unused = false;
    const std::vector<TChild> ca = ChildrenOf(a, textSeen);
    const std::vector<TChild> cb = ChildrenOf(b, unused);
    ASSERT_EQ(ca.size(), cb.size()) << path;
    for (size_t i = 0; i < ca.size(); ++i) {
        ASSERT_EQ(ca[i].Node == nullptr, cb[i].Node == nullptr) << path << " child " << i;
        if (!ca[i].Node) {
            EXPECT_EQ(RightTrimmed(ca[i].Text), RightTrimmed(cb[i].Text)) << path << " child " << i;
            continue;
        }
        ExpectSameTree(*ca[i].Node, *cb[i].Node, textSeen, path + "/" + ca[i].Node->Name->Text);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

std::string Printable(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c >= 32 && c < 127 && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

}  // namespace

TEST(XmlFuzz, MutatedDocumentsParseOrFailCleanly) {
    const uint64_t iterations = EnvNumber("QUORLET_FUZZ_ITERATIONS", 10000);
    const uint64_t seed = EnvNumber("QUORLET_FUZZ_SEED", 20240531);
    const std::vector<std::string> seeds = Seeds();
    TRandom rnd(seed);
    uint64_t parsed = 0, rejected = 0, exact = 0;
    for (uint64_t n = 0; n < iterations; ++n) {
        std::string input = Mutate(seeds[rnd.Below(seeds.size())], seeds, rnd);
        XmlDocumentPtr first;
        try {
            first = ParseXmlText(input);
        } catch (const EXmlError&) {
            ++rejected;
            continue;
        } catch (const std::exception& e) {
            FAIL() << "iteration " << n << ": " << e.what() << "\ninput: " << Printable(input);
        }
        ++parsed;
        const std::string text = XmlDocumentText(first);
        XmlDocumentPtr second;
        try {
            second = ParseXmlText(text);
        } catch (const std::exception& e) {
            FAIL() << "iteration " << n << ": written text does not parse: " << e.what()
                   << "\ninput: " << Printable(input) << "\nwritten: " << Printable(text);
        }
        bool textSeen = false;
        ExpectSameTree(dynamic_cast<const TXmlNode&>(*first), dynamic_cast<const TXmlNode&>(*second), textSeen,
                       "");
        if (!textSeen) {
            // without text nodes the written form is a fixed point
            EXPECT_EQ(XmlDocumentText(second), text) << "input: " << Printable(input);
            ++exact;
        }
        if (::testing::Test::HasFailure()) {
            FAIL() << "iteration " << n << " (seed " << seed << ")\ninput: " << Printable(input)
                   << "\nwritten: " << Printable(text);
        }
    }
    // the mutations must reach both outcomes, or the test is not exercising anything
    if (iterations >= 1000) {
        EXPECT_GT(parsed, iterations / 20);
        EXPECT_GT(rejected, iterations / 20);
        EXPECT_GT(exact, iterations / 50);
    }
    std::printf("[ fuzz     ] %llu inputs: %llu parsed (%llu byte-exact rewrites), %llu rejected\n",
                static_cast<unsigned long long>(iterations), static_cast<unsigned long long>(parsed),
                static_cast<unsigned long long>(exact), static_cast<unsigned long long>(rejected));
}
