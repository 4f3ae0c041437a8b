// Typed attribute reads, lookups by attribute, and editing the tree.
#include <gtest/gtest.h>

#include <cstdio>

#include "settings/XmlDoc.h"
#include "settings/XmlNameTable.h"
#include "settings/XmlNodes.h"

using namespace quorlet;

namespace {


// An element as a loaded file gives it: the attribute V holds text.
XmlElementPtr Loaded(const std::string& value) {
    XmlDocumentPtr doc = NewXmlDocument("R");
    WriteStrAttr(RootElement(doc), "V", value);
    return RootElement(ParseXmlText(XmlDocumentText(doc)));
}

std::string Show(const TDateTime& dt) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "%d-%d-%d %d:%d:%d.%d", dt.Year, dt.Month, dt.Day, dt.Hour, dt.Minute, dt.Second,
                  dt.Millisecond);
    return buf;
}

}  // namespace

TEST(XmlAttributes, ReadBool) {
    struct Case {
        const char* text;
        bool ok;
        bool value;
    };
    const Case cases[] = {
        {"1", true, true},      {"0", true, false},     {"-3", true, true},     {"00", true, false},
        {"0.0", true, false},   {"2.5", true, true},    {"+0", true, false},    {"true", true, true},
        {"TRUE", true, true},   {"True", true, true},   {"false", true, false}, {"FaLsE", true, false},
        {"99999999999999999999", true, true},
        {"yes", false, false},  {"", false, false},     {" 1", false, false},   {"1 ", false, false},
        {"1x", false, false},   {"t", false, false},    {"-", false, false},    {".", false, false},
        {"truee", false, false}, {"0x1", false, false},
    };
    for (const Case& c : cases) {
        XmlElementPtr e = Loaded(c.text);
        if (c.ok) {
            EXPECT_EQ(ReadBoolAttr(e, "V", !c.value), c.value) << c.text;
        } else {
            EXPECT_THROW(ReadBoolAttr(e, "V", false), EXmlError) << c.text;
        }
    }
}

TEST(XmlAttributes, ReadInt) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"7", true, 7},
        {"07", true, 7},
        {"-7", true, -7},
        {"+7", true, 7},
        {"0", true, 0},
        {"-0", true, 0},
        {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},
        {"000000000000000000042", true, 42},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"1.0", false, 0},
        {"0x10", false, 0},
        {" 7", false, 0},
        {"7 ", false, 0},
        {"true", false, 0},
        {"1e3", false, 0},
    };
    for (const Case& c : cases) {
        XmlElementPtr e = Loaded(c.text);
        if (c.ok) {
            EXPECT_EQ(ReadIntAttr(e, "V", -99), c.value) << c.text;
        } else {
            EXPECT_THROW(ReadIntAttr(e, "V", 0), EXmlError) << c.text;
        }
    }
}

TEST(XmlAttributes, ReadDateTime) {
    struct Case {
        const char* text;
        bool ok;
        TDateTime value;
    };
    const Case cases[] = {
        {"2024-12-31T23-59-59", true, MakeDateTime(2024, 12, 31, 23, 59, 59)},
        {"2024-12-31", true, MakeDateTime(2024, 12, 31)},                  // midnight
        {"2024-02-29T10", true, MakeDateTime(2024, 2, 29, 10)},
        {"2024-1-5T1-2-3", true, MakeDateTime(2024, 1, 5, 1, 2, 3)},
        {"2024-12-31T-30", true, MakeDateTime(2024, 12, 31, 0, 30)},       // empty hour run
        {"2024-12-31 23:59:59", true, MakeDateTime(2024, 12, 31)},        // separator missing
        {"2024-12-31T23:59:59", true, MakeDateTime(2024, 12, 31, 23)},
        {"2024-12-31T23-59-59.700", true, MakeDateTime(2024, 12, 31, 23, 59, 59)},
        {"0001-01-01T00-00-00", true, MakeDateTime(1, 1, 1)},
        {"9999-12-31T23-59-59", true, MakeDateTime(9999, 12, 31, 23, 59, 59)},
        {"2023-02-29", false, {}},
        {"2024-13-01", false, {}},
        {"2024-00-10", false, {}},
        {"2024-04-31", false, {}},
        {"2024-12-31T24-00-00", false, {}},
        {"2024-12-31T23-60-00", false, {}},
        {"2024-12-31T23-59-60", false, {}},
        {"10000-01-01", false, {}},
        {"99999999999999999999-01-01", false, {}},
        {"2024", false, {}},  // month and day count as 0
        {"abc", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        XmlElementPtr e = Loaded(c.text);
        if (c.ok) {
            EXPECT_EQ(Show(ReadDateTimeAttr(e, "V", MakeDateTime(2000, 1, 1))), Show(c.value)) << c.text;
        } else {
            EXPECT_THROW(ReadDateTimeAttr(e, "V", TDateTime()), EXmlError) << c.text;
        }
    }
}

TEST(XmlAttributes, DefaultsWhenAbsent) {
    XmlElementPtr e = Loaded("x");
    EXPECT_EQ(ReadStrAttr(e, "W", "dflt"), "dflt");
    EXPECT_TRUE(ReadBoolAttr(e, "W", true));
    EXPECT_FALSE(ReadBoolAttr(e, "W", false));
    EXPECT_EQ(ReadIntAttr(e, "W", -5), -5);
    EXPECT_EQ(Show(ReadDateTimeAttr(e, "W", MakeDateTime(2001, 2, 3, 4, 5, 6, 7))), "2001-2-3 4:5:6.7");
    EXPECT_EQ(ReadStrAttr(e, "v", "case"), "case");  // attribute names are case sensitive
    EXPECT_FALSE(e->HasAttr("W"));
    EXPECT_TRUE(e->HasAttr("V"));
}

TEST(XmlAttributes, TypedValuesReadBackBeforeAndAfterSaving) {
    XmlDocumentPtr doc = NewXmlDocument("R");
    XmlElementPtr e = RootElement(doc);
    WriteBoolAttr(e, "B", true);
    WriteIntAttr(e, "I", -12);
    WriteDateTimeAttr(e, "D", MakeDateTime(2024, 12, 31, 23, 59, 59, 700));
    WriteStrAttr(e, "S", "text");
    XmlDocumentPtr loaded = ParseXmlText(XmlDocumentText(doc));
    for (const XmlElementPtr& x : {e, RootElement(loaded)}) {
        EXPECT_TRUE(ReadBoolAttr(x, "B", false));
        EXPECT_EQ(ReadIntAttr(x, "B", 0), 1);
        EXPECT_EQ(ReadStrAttr(x, "B", ""), "1");
        EXPECT_EQ(ReadIntAttr(x, "I", 0), -12);
        EXPECT_TRUE(ReadBoolAttr(x, "I", false));
        EXPECT_EQ(ReadStrAttr(x, "I", ""), "-12");
        EXPECT_EQ(Show(ReadDateTimeAttr(x, "D", TDateTime())), "2024-12-31 23:59:59.0");
        EXPECT_EQ(ReadStrAttr(x, "D", ""), "2024-12-31T23-59-59");
        EXPECT_THROW(ReadIntAttr(x, "D", 0), EXmlError);
        EXPECT_THROW(ReadBoolAttr(x, "S", false), EXmlError);
        EXPECT_THROW(ReadDateTimeAttr(x, "I", TDateTime()), EXmlError);
    }
    EXPECT_EQ(e->AttrText(0), "1");
    EXPECT_EQ(e->AttrText(1), "-12");
    EXPECT_EQ(e->AttrText(2), "2024-12-31T23-59-59");
    // a date-time that does not exist is written as given but cannot be read
    WriteDateTimeAttr(e, "Bad", MakeDateTime(2023, 2, 29));
    EXPECT_EQ(ReadStrAttr(e, "Bad", ""), "2023-02-29T00-00-00");
    EXPECT_THROW(ReadDateTimeAttr(e, "Bad", TDateTime()), EXmlError);
}

TEST(XmlAttributes, ChildByTextValue) {
    XmlElementPtr s = RootElement(ParseXmlText(
        "<S><Item Name='a' V='1'/><Other Name='b' V='2'/><Item V='3'/><Item Name='b' V='4'/>"
        "<Item Name='B' V='5'/><Item Name='b' V='6'/><Item Name='b ' V='7'/></S>"));
    auto v = [](const XmlElementPtr& e) { return e ? ReadStrAttr(e, "V", "") : std::string("none"); };
    EXPECT_EQ(v(ChildByAttr(s, "Item", "Name", "a")), "1");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "Name", "b")), "4");  // the first match; <Other> is skipped
    EXPECT_EQ(v(ChildByAttr(s, "Item", "Name", "B")), "5");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "Name", "b ")), "7");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "Name", "c")), "none");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "Missing", "a")), "none");
    EXPECT_EQ(v(ChildByAttr(s, "Nothing", "Name", "a")), "none");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "Name", "")), "none");
    // typed values compare by their text
    XmlElementPtr item = AddChildElement(s, "Item");
    WriteIntAttr(item, "Name", 42);
    WriteStrAttr(item, "V", "typed");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "Name", "42")), "typed");
}

TEST(XmlAttributes, ChildByIntegerValue) {
    XmlElementPtr s = RootElement(ParseXmlText(
        "<S><Item ID='x' V='a'/><Item V='b'/><Item ID='7.5' V='c'/><Item ID='' V='d'/><Item ID='07' V='e'/>"
        "<Item ID='7' V='f'/><Item ID='12.0' V='g'/><Item ID='-3' V='h'/><Item ID='99999999999999999999' V='i'/>"
        "<Item ID='+8' V='j'/><Item ID='1e1' V='k'/><Item ID='10' V='l'/><Item ID='0.000' V='m'/>"
        "<Item ID=' 11' V='n'/><Item ID='11' V='o'/></S>"));
    auto v = [](const XmlElementPtr& e) { return e ? ReadStrAttr(e, "V", "") : std::string("none"); };
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", 7)), "e");  // x, missing, 7.5 and '' are skipped
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", 12)), "g");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", -3)), "h");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", 8)), "j");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", 10)), "l");  // 1e1 is not a decimal number here
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", 0)), "m");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", 11)), "o");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", 5)), "none");
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", INT32_MAX)), "none");
    // values written in this session keep their type
    XmlElementPtr a = AddChildElement(s, "Item");
    WriteIntAttr(a, "ID", 500);
    XmlElementPtr b = AddChildElement(s, "Item");
    WriteBoolAttr(b, "ID", true);
    WriteStrAttr(b, "V", "bool");
    XmlElementPtr c = AddChildElement(s, "Item");
    WriteDateTimeAttr(c, "ID", MakeDateTime(2024, 1, 1));
    EXPECT_EQ(ChildByAttr(s, "Item", "ID", 500), a);
    EXPECT_EQ(v(ChildByAttr(s, "Item", "ID", 1)), "bool");
    EXPECT_EQ(ChildByAttr(s, "Item", "ID", 2024), nullptr);
}

TEST(XmlAttributes, ChildElementByName) {
    XmlDocumentPtr doc = ParseXmlText("<r>text<!--Groups--><a/><Groups n='1'/><Groups n='2'/></r>");
    XmlElementPtr r = RootElement(doc);
    XmlElementPtr g = ChildElement(r, "Groups");
    ASSERT_TRUE(g);
    EXPECT_EQ(ReadStrAttr(g, "n", ""), "1");
    EXPECT_FALSE(ChildElement(r, "groups"));
    EXPECT_FALSE(ChildElement(r, "NoSuchNameAnywhere"));
    EXPECT_EQ(ChildElement(doc, "r"), r);  // a document is a node too
    for (const char* bad : {"", "1x", "a b", "<a>"}) EXPECT_THROW(ChildElement(r, bad), EXmlError) << bad;
    EXPECT_THROW(ChildElement(nullptr, "a"), EXmlError);
}

TEST(XmlTree, AddRemoveClear) {
    XmlDocumentPtr doc = NewXmlDocument("R");
    XmlElementPtr r = RootElement(doc);
    XmlElementPtr a = AddChildElement(r, "A");
    XmlElementPtr b = AddChildElement(r, "B");
    XmlElementPtr c = AddChildElement(r, "C");
    XmlElementPtr inner = AddChildElement(b, "Inner");
    EXPECT_EQ(b->ParentNode(), r.get());
    EXPECT_EQ(inner->ParentNode(), b.get());

    RemoveChildNode(r, b);
    EXPECT_EQ(b->ParentNode(), nullptr);
    EXPECT_EQ(inner->ParentNode(), b.get());  // the subtree stays whole
    ASSERT_EQ(r->ChildCount(), 2u);
    EXPECT_EQ(r->Child(1), c);
    RemoveChildNode(r, b);      // not a child any more: no effect
    RemoveChildNode(r, inner);  // a grandchild: no effect
    RemoveChildNode(r, nullptr);
    EXPECT_EQ(r->ChildCount(), 2u);
    EXPECT_THROW(r->Child(2), EXmlError);

    ClearChildNodes(r);
    EXPECT_EQ(r->ChildCount(), 0u);
    EXPECT_EQ(a->ParentNode(), nullptr);
    EXPECT_EQ(c->ParentNode(), nullptr);
    EXPECT_EQ(XmlDocumentText(doc), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<R/>");

    // a node held after its document is gone no longer points at it
    XmlElementPtr survivor = AddChildElement(r, "S");
    doc.reset();
    r.reset();
    EXPECT_EQ(survivor->ParentNode(), nullptr);
    EXPECT_EQ(survivor->NodeName(), "S");
}

TEST(XmlTree, EditingErrors) {
    XmlDocumentPtr doc = ParseXmlText("<r>text</r>");
    XmlElementPtr r = RootElement(doc);
    XmlNodePtr text = r->Child(0);
    EXPECT_THROW(AddChildElement(text, "a"), EXmlError);  // a text node holds no children
    EXPECT_THROW(AddChildElement(r, "a b"), EXmlError);
    EXPECT_THROW(AddChildElement(nullptr, "a"), EXmlError);
    EXPECT_THROW(WriteStrAttr(nullptr, "a", "b"), EXmlError);
    EXPECT_THROW(ReadStrAttr(nullptr, "a", "b"), EXmlError);
    EXPECT_THROW(RootElement(nullptr), EXmlError);
    EXPECT_EQ(ChildElement(text, "a"), nullptr);
    // nesting is limited as for parsed documents
    XmlNodePtr node = r;
    for (size_t depth = 1; depth < kXmlMaxDepth; ++depth) node = AddChildElement(node, "d");
    EXPECT_THROW(AddChildElement(node, "d"), EXmlError);
    // a second element at the top is allowed; RootElement stays the first one
    XmlElementPtr second = AddChildElement(doc, "Second");
    EXPECT_EQ(RootElement(doc), r);
    EXPECT_EQ(second->ParentNode(), doc.get());
}

TEST(XmlTree, NamesAreInternedOnceAndDroppedWhenUnused) {
    XmlDocumentPtr one = NewXmlDocument("Shared");
    XmlDocumentPtr two = ParseXmlText("<Shared/>");
    EXPECT_EQ(&RootElement(one)->NodeName(), &RootElement(two)->NodeName());

    const size_t before = XmlNames().Size();
    std::string input = "<uniqueRoot>";
    for (int i = 0; i < 500; ++i) input += "<unique" + std::to_string(i) + " attr" + std::to_string(i) + "='1'/>";
    input += "</uniqueRoot>";
    {
        XmlDocumentPtr doc = ParseXmlText(input);
        EXPECT_EQ(XmlNames().Size(), before + 1000 + 1);
    }
    EXPECT_EQ(XmlNames().Size(), before);
    EXPECT_THROW(ParseXmlText(input.substr(0, input.size() - 2)), EXmlError);
    EXPECT_EQ(XmlNames().Size(), before);
    EXPECT_NE(XmlNames().Find("xml"), nullptr);  // reserved names stay
    EXPECT_NE(XmlNames().Find("#text"), nullptr);
    EXPECT_EQ(TXmlNameTable::HashOf("ab", 2), 97u * 33u + 98u);
}

TEST(XmlTree, ListsGrowInSteps) {
    XmlDocumentPtr doc = NewXmlDocument("R");
    XmlElementPtr r = RootElement(doc);
    auto* list = &dynamic_cast<TXmlElement&>(*r).Children;
    std::vector<size_t> capacities;
    for (int i = 0; i < 100; ++i) {
        AddChildElement(r, "c");
        if (capacities.empty() || capacities.back() != list->Capacity()) capacities.push_back(list->Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<size_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

TEST(XmlTree, ParsedListsKeepNoSpareRoom) {
    XmlDocumentPtr doc = ParseXmlText(
        "<R><a x='1'/><b x='1' y='2'><p/><q/><r/></b><c x='1' y='2' z='3' w='4' v='5'/><d/></R>");
    XmlElementPtr root = RootElement(doc);
    const auto& r = dynamic_cast<const TXmlElement&>(*root);
    EXPECT_EQ(r.Children.Capacity(), 4u);
    for (size_t i = 0; i < root->ChildCount(); ++i) {
        const auto& e = dynamic_cast<const TXmlElement&>(*root->Child(i));
        EXPECT_EQ(e.Attrs.Capacity(), e.Attrs.Count()) << e.Name->Text;
        EXPECT_EQ(e.Children.Capacity(), e.Children.Count()) << e.Name->Text;
    }
    // The arrays sit next to each other in the arena: growing them (and the
    // root's new attribute and child) must leave their neighbours whole.
    XmlElementPtr a = ChildElement(root, "a");
    for (int i = 0; i < 6; ++i) WriteIntAttr(a, "n" + std::to_string(i), i);
    WriteStrAttr(root, "k", "v");
    XmlElementPtr b = ChildElement(root, "b");
    for (const char* name : {"s", "t"}) AddChildElement(b, name);
    RemoveChildNode(b, ChildElement(b, "q"));
    AddChildElement(root, "e");
    const char* const expected =
        "<R k='v'><a x='1' n0='0' n1='1' n2='2' n3='3' n4='4' n5='5'/><b x='1' y='2'><p/><r/><s/><t/></b>"
        "<c x='1' y='2' z='3' w='4' v='5'/><d/><e/></R>";
    EXPECT_EQ(XmlDocumentText(doc), XmlDocumentText(ParseXmlText(expected)));
    EXPECT_EQ(ChildElement(b, "t")->ParentNode(), b.get());
}
