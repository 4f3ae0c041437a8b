// The writer's text form, byte for byte.
#include <gtest/gtest.h>

#include <climits>

#include "settings/XmlDoc.h"

using namespace quorlet;

namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>";


}  // namespace

TEST(XmlWriter, NewDocumentIsDeclarationAndShortRoot) {
    EXPECT_EQ(XmlDocumentText(NewXmlDocument("Config")), kDecl + "\r\n<Config/>");
    EXPECT_EQ(XmlDocumentText(NewXmlDocument("Config", "1.0", "")), kDecl + "\r\n<Config/>");
    EXPECT_EQ(XmlDocumentText(NewXmlDocument("R", "1.1", "utf-8")),
              "<?xml version=\"1.1\" encoding=\"utf-8\"?>\r\n<R/>");
}

TEST(XmlWriter, NewDocumentNodes) {
    XmlDocumentPtr doc = NewXmlDocument("Config");
    ASSERT_EQ(doc->ChildCount(), 2u);
    XmlNodePtr decl = doc->Child(0);
    EXPECT_EQ(decl->NodeType(), xntProcessingInstruction);
    EXPECT_EQ(decl->NodeName(), "xml");
    EXPECT_EQ(decl->NodeValue(), "version=\"1.0\" encoding=\"windows-1251\"");
    EXPECT_EQ(doc->NodeType(), xntDocument);
    EXPECT_EQ(doc->NodeName(), "#document");
    EXPECT_FALSE(doc->PreserveWhiteSpace());
    XmlElementPtr root = RootElement(doc);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->NodeName(), "Config");
    EXPECT_EQ(root->ParentNode(), doc.get());
    EXPECT_THROW(NewXmlDocument("1st"), EXmlError);
}

TEST(XmlWriter, SettingsLayoutWithTabsAndCrLf) {
    XmlDocumentPtr doc = NewXmlDocument("RKConfig");
    XmlElementPtr root = RootElement(doc);
    XmlElementPtr app = AddChildElement(root, "Application");
    XmlElementPtr item = AddChildElement(app, "Item");
    WriteStrAttr(item, "Name", "RunStartup");
    WriteBoolAttr(item, "Value", false);
    item = AddChildElement(app, "Item");
    WriteStrAttr(item, "Name", "ShowAppPanel");
    WriteBoolAttr(item, "Value", true);
    XmlElementPtr groups = AddChildElement(root, "Groups");
    WriteIntAttr(groups, "Count", 2);
    item = AddChildElement(groups, "Item");
    WriteIntAttr(item, "ID", 1);
    WriteStrAttr(item, "Value", "Tabsheet 1");
    AddChildElement(root, "Buttons");
    EXPECT_EQ(XmlDocumentText(doc), kDecl +
                                        "\r\n<RKConfig>"
                                        "\r\n\t<Application>"
                                        "\r\n\t\t<Item Name=\"RunStartup\" Value=\"0\"/>"
                                        "\r\n\t\t<Item Name=\"ShowAppPanel\" Value=\"1\"/>"
                                        "\r\n\t</Application>"
                                        "\r\n\t<Groups Count=\"2\">"
                                        "\r\n\t\t<Item ID=\"1\" Value=\"Tabsheet 1\"/>"
                                        "\r\n\t</Groups>"
                                        "\r\n\t<Buttons/>"
                                        "\r\n</RKConfig>");
}

TEST(XmlWriter, ValuesAndEscapes) {
    struct Case {
        const char* what;
        void (*write)(const XmlElementPtr&);
        std::string written;
    };
    const Case cases[] = {
        {"four escapes, apostrophe and control bytes unchanged",
         [](const XmlElementPtr& e) { WriteStrAttr(e, "V", "a&b\"c<d>e'f\tg\r\nh\xC0\xFF"); },
         "a&amp;b&quot;c&lt;d&gt;e'f\tg\r\nh\xC0\xFF"},
        {"already escaped text is escaped again",
         [](const XmlElementPtr& e) { WriteStrAttr(e, "V", "&amp;"); }, "&amp;amp;"},
        {"empty text", [](const XmlElementPtr& e) { WriteStrAttr(e, "V", ""); }, ""},
        {"true", [](const XmlElementPtr& e) { WriteBoolAttr(e, "V", true); }, "1"},
        {"false", [](const XmlElementPtr& e) { WriteBoolAttr(e, "V", false); }, "0"},
        {"negative integer", [](const XmlElementPtr& e) { WriteIntAttr(e, "V", -42); }, "-42"},
        {"zero", [](const XmlElementPtr& e) { WriteIntAttr(e, "V", 0); }, "0"},
        {"int min", [](const XmlElementPtr& e) { WriteIntAttr(e, "V", INT32_MIN); }, "-2147483648"},
        {"int max", [](const XmlElementPtr& e) { WriteIntAttr(e, "V", INT32_MAX); }, "2147483647"},
        {"date-time drops milliseconds",
         [](const XmlElementPtr& e) { WriteDateTimeAttr(e, "V", MakeDateTime(2024, 12, 31, 23, 59, 59, 700)); },
         "2024-12-31T23-59-59"},
        {"date-time pads with zeros",
         [](const XmlElementPtr& e) { WriteDateTimeAttr(e, "V", MakeDateTime(2025, 3, 5, 14, 7, 9)); },
         "2025-03-05T14-07-09"},
        {"small year", [](const XmlElementPtr& e) { WriteDateTimeAttr(e, "V", MakeDateTime(7, 1, 2, 0, 0, 0)); },
         "0007-01-02T00-00-00"},
    };
    for (const Case& c : cases) {
        XmlDocumentPtr doc = NewXmlDocument("R");
        XmlElementPtr item = AddChildElement(RootElement(doc), "Item");
        c.write(item);
        EXPECT_EQ(XmlDocumentText(doc), kDecl + "\r\n<R>\r\n\t<Item V=\"" + c.written + "\"/>\r\n</R>") << c.what;
    }
}

TEST(XmlWriter, EscapedTextReadsBackUnchanged) {
    const std::string value = "a&b\"c<d>e'f\tg\r\nh\xC0 &amp; ]]> -->";
    XmlDocumentPtr doc = NewXmlDocument("R");
    WriteStrAttr(RootElement(doc), "V", value);
    XmlDocumentPtr back = ParseXmlText(XmlDocumentText(doc));
    EXPECT_EQ(ReadStrAttr(RootElement(back), "V", ""), value);
}

TEST(XmlWriter, AttributeReplacedInPlaceOrAppended) {
    XmlDocumentPtr doc = NewXmlDocument("R");
    XmlElementPtr e = RootElement(doc);
    WriteStrAttr(e, "A", "1");
    WriteStrAttr(e, "B", "2");
    WriteStrAttr(e, "C", "3");
    WriteIntAttr(e, "A", 9);         // replaced where it stands, now an integer
    WriteBoolAttr(e, "B", true);     // and now a boolean
    WriteStrAttr(e, "D", "4");       // appended
    WriteStrAttr(e, "a", "5");       // names are case sensitive: a new attribute
    EXPECT_EQ(XmlDocumentText(doc), kDecl + "\r\n<R A=\"9\" B=\"1\" C=\"3\" D=\"4\" a=\"5\"/>");
    ASSERT_EQ(e->AttrCount(), 5u);
    EXPECT_EQ(e->AttrName(4), "a");
    EXPECT_THROW(e->AttrName(5), EXmlError);
    EXPECT_THROW(WriteStrAttr(e, "bad name", "x"), EXmlError);
    EXPECT_THROW(WriteIntAttr(e, "", 1), EXmlError);
}

// Parsed input, then written: the three rules for closing an element with
// children, and the node kinds that are written without line breaks.
TEST(XmlWriter, ClosingRulesAndNodeKinds) {
    struct Case {
        const char* input;
        std::string expected;
    };
    const Case cases[] = {
        // content without line break: end tag on the same line
        {"<r><a>x</a></r>", "\r\n<r>\r\n\t<a>x</a>\r\n</r>"},
        // content ending in CR LF: only the indentation is added
        {"<r><a>x&#13;&#10;</a></r>", "\r\n<r>\r\n\t<a>x\r\n\t</a>\r\n</r>"},
        // a line break inside the content: CR LF and indentation are added
        {"<r><a>x&#10;y</a></r>", "\r\n<r>\r\n\t<a>x\ny\r\n\t</a>\r\n</r>"},
        {"<r><a>x&#13;y</a></r>", "\r\n<r>\r\n\t<a>x\ry\r\n\t</a>\r\n</r>"},
        // mixed content: the child element brings its own line break
        {"<r><a>t<b/></a></r>", "\r\n<r>\r\n\t<a>t\r\n\t\t<b/>\r\n\t</a>\r\n</r>"},
        // the root's content ends in CR LF at depth 0: nothing is added
        {"<r>x&#13;&#10;</r>", "\r\n<r>x\r\n</r>"},
        {"<r><a><!--c--></a></r>", "\r\n<r>\r\n\t<a><!--c--></a>\r\n</r>"},
        {"<r><a><![CDATA[<x>&amp;]]></a></r>", "\r\n<r>\r\n\t<a><![CDATA[<x>&amp;]]></a>\r\n</r>"},
        {"<r><?pi  some data ?></r>", "\r\n<r><?pi some data ?></r>"},
        {"<r>&lt;&amp;&gt;&quot;&apos;</r>", "\r\n<r>&lt;&amp;&gt;&quot;'</r>"},
        {"<?xml version='1.0' encoding='windows-1251'?><r/>", kDecl + "\r\n<r/>"},
        {"<?xml version=\"1.0\"?><?pi?><r/>", "<?xml version=\"1.0\"?><?pi?>\r\n<r/>"},
        {"abc<r/>", "abc\r\n<r/>"},
        {"<!--top--><r/><!--end-->", "<!--top-->\r\n<r/><!--end-->"},
        {"  \r\n\t<r>  \r\n  <a>\t</a>\n</r>  ", "\r\n<r>\r\n\t<a/>\r\n</r>"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XmlDocumentText(ParseXmlText(c.input)), c.expected) << c.input;
    }
}

TEST(XmlWriter, DeepDocumentIndentation) {
    XmlDocumentPtr doc = NewXmlDocument("L0");
    XmlNodePtr node = RootElement(doc);
    std::string expected = kDecl;
    const int levels = 40;
    for (int i = 1; i < levels; ++i) node = AddChildElement(node, "L" + std::to_string(i));
    for (int i = 0; i < levels; ++i)
        expected += "\r\n" + std::string(i, '\t') + "<L" + std::to_string(i) + (i + 1 == levels ? "/>" : ">");
    for (int i = levels - 2; i >= 0; --i) expected += "\r\n" + std::string(i, '\t') + "</L" + std::to_string(i) + ">";
    EXPECT_EQ(XmlDocumentText(doc), expected);
    // The depth counter is back at zero: a second document starts unindented.
    EXPECT_EQ(XmlDocumentText(NewXmlDocument("Config")), kDecl + "\r\n<Config/>");
}

TEST(XmlWriter, NullDocumentIsAnError) { EXPECT_THROW(XmlDocumentText(nullptr), EXmlError); }
