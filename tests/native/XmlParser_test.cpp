// What the parser accepts, what it makes of it, and what it rejects.
#include <gtest/gtest.h>

#include <iterator>
#include <utility>

#include "settings/XmlDoc.h"

using namespace quorlet;

namespace {

std::string Str(const XmlElementPtr& e, const char* name) { return ReadStrAttr(e, name, "<absent>"); }

std::string Nested(int levels) {
    std::string s;
    for (int i = 0; i < levels; ++i) s += "<e>";
    for (int i = 0; i < levels; ++i) s += "</e>";
    return s;
}

}  // namespace

TEST(XmlParser, HandEditedSettings) {
    const std::string input =
        "<?xml version='1.0' encoding=\"windows-1251\" ?>\n"
        "<!DOCTYPE RKConfig SYSTEM \"x.dtd\">\n"
        "<!-- edited by hand -->\n"
        "<RKConfig>\n"
        "  <Application>\n"
        "    <Item Name='RunStartup' Value='True'/>\n"
        "    <Item Name=\"X\"Value=\"07\"/>\n"           // no space between attributes
        "    <Item   Name = \"Quote\"  Value = 'say \"hi\"' />\n"
        "    <Item Name=\"Apos\" Value=\"it's\"/>\n"
        "  </Application >\n"
        "  <?editor keep?>\n"
        "  <Groups><![CDATA[<raw & text>]]></Groups>\n"
        "</RKConfig  \t>\n";
    XmlDocumentPtr doc = ParseXmlText(input);
    XmlElementPtr root = RootElement(doc);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->NodeName(), "RKConfig");
    XmlElementPtr app = ChildElement(root, "Application");
    ASSERT_TRUE(app);
    ASSERT_EQ(app->ChildCount(), 4u);
    XmlElementPtr run = ChildByAttr(app, "Item", "Name", "RunStartup");
    ASSERT_TRUE(run);
    EXPECT_TRUE(ReadBoolAttr(run, "Value", false));
    XmlElementPtr x = ChildByAttr(app, "Item", "Name", "X");
    ASSERT_TRUE(x);
    EXPECT_EQ(ReadIntAttr(x, "Value", 0), 7);
    EXPECT_EQ(Str(ChildByAttr(app, "Item", "Name", "Quote"), "Value"), "say \"hi\"");
    EXPECT_EQ(Str(ChildByAttr(app, "Item", "Name", "Apos"), "Value"), "it's");

    // declaration, comment, root; the DOCTYPE leaves no node
    ASSERT_EQ(doc->ChildCount(), 3u);
    EXPECT_EQ(doc->Child(0)->NodeType(), xntProcessingInstruction);
    EXPECT_EQ(doc->Child(0)->NodeName(), "xml");
    EXPECT_EQ(doc->Child(1)->NodeType(), xntComment);
    EXPECT_EQ(doc->Child(1)->NodeName(), "#comment");
    EXPECT_EQ(doc->Child(1)->NodeValue(), " edited by hand ");

    ASSERT_EQ(root->ChildCount(), 3u);
    XmlNodePtr pi = root->Child(1);
    EXPECT_EQ(pi->NodeType(), xntProcessingInstruction);
    EXPECT_EQ(pi->NodeName(), "editor");
    EXPECT_EQ(pi->NodeValue(), "keep");
    XmlNodePtr cdata = ChildElement(root, "Groups")->Child(0);
    EXPECT_EQ(cdata->NodeType(), xntCDATASection);
    EXPECT_EQ(cdata->NodeName(), "#cdata-section");
    EXPECT_EQ(cdata->NodeValue(), "<raw & text>");
    EXPECT_EQ(cdata->ParentNode(), ChildElement(root, "Groups").get());
}

TEST(XmlParser, References) {
    struct Case {
        const char* input;
        std::string value;
    };
    const Case cases[] = {
        {"&amp;&quot;&lt;&gt;&apos;", "&\"<>'"},
        {"&#65;&#x41;&#x4a;&#x4A;", "AAJJ"},
        {"&#1025;", std::string(1, '\x01')},  // 1025 modulo 256
        {"&#256;", std::string(1, '\0')},
        {"&#0065;", "A"},
        {"&#x141;", "A"},
        {"&#99999999999999999999999999999999;", "\xFF"},  // 10^32 - 1 modulo 256
        {"&#200;", "\xC8"},
        {"a\r\n\tb", "a\r\n\tb"},  // white space inside a value stays as it is
        {"it's", "it's"},
    };
    for (const Case& c : cases) {
        // the same in an attribute value and in character data (bracketed, as
        // a run of bytes up to 32 alone would be dropped)
        const std::string input = c.input;
        XmlDocumentPtr doc = ParseXmlText("<r v=\"" + input + "\">[" + input + "]</r>");
        XmlElementPtr r = RootElement(doc);
        EXPECT_EQ(Str(r, "v"), c.value) << c.input;
        ASSERT_EQ(r->ChildCount(), 1u) << c.input;
        EXPECT_EQ(r->Child(0)->NodeType(), xntText);
        EXPECT_EQ(r->Child(0)->NodeName(), "#text");
        EXPECT_EQ(r->Child(0)->NodeValue(), "[" + c.value + "]") << c.input;
    }
}

TEST(XmlParser, WhiteSpaceRunsAreDropped) {
    XmlDocumentPtr doc = ParseXmlText(" \r\n<r> \t\r\n <a/>\x01\x1f <b> x </b>&#32;&#9;</r>\r\n ");
    XmlElementPtr r = RootElement(doc);
    ASSERT_EQ(doc->ChildCount(), 1u);
    ASSERT_EQ(r->ChildCount(), 2u);  // a, b: the runs of bytes up to 32 made no nodes
    XmlElementPtr b = ChildElement(r, "b");
    ASSERT_EQ(b->ChildCount(), 1u);
    EXPECT_EQ(b->Child(0)->NodeValue(), " x ");  // a run with content is kept whole
}

TEST(XmlParser, EmptyAndTrailingInput) {
    for (const char* input : {"", "  \r\n\t "}) {
        XmlDocumentPtr doc = ParseXmlText(input);
        EXPECT_EQ(doc->ChildCount(), 0u);
        EXPECT_FALSE(RootElement(doc));
    }
    // an end tag at the top ends the document; what follows is not looked at
    XmlDocumentPtr doc = ParseXmlText("<a/></x> <<< & <b/>");
    ASSERT_EQ(doc->ChildCount(), 1u);
    EXPECT_EQ(RootElement(doc)->NodeName(), "a");
    // a comment before the root: RootElement skips it
    EXPECT_EQ(RootElement(ParseXmlText("<!--c--><z/>"))->NodeName(), "z");
}

TEST(XmlParser, NamesAndDuplicates) {
    // windows-1251 letters in names; "-", ".", ":" and digits after the first byte
    XmlDocumentPtr doc = ParseXmlText("<\xC8\xEC\xFF a-b.c:d_1='1' _x='2' \xA8='3' \xB8\xBF='4'/>");
    XmlElementPtr r = RootElement(doc);
    EXPECT_EQ(r->NodeName(), "\xC8\xEC\xFF");
    EXPECT_EQ(Str(r, "a-b.c:d_1"), "1");
    EXPECT_EQ(Str(r, "_x"), "2");
    EXPECT_EQ(Str(r, "\xA8"), "3");
    EXPECT_EQ(Str(r, "\xB8\xBF"), "4");

    // a repeated attribute replaces the earlier value and keeps its place
    r = RootElement(ParseXmlText("<r a='1' b='2' a='3'/>"));
    ASSERT_EQ(r->AttrCount(), 2u);
    EXPECT_EQ(r->AttrName(0), "a");
    EXPECT_EQ(r->AttrText(0), "3");
    EXPECT_EQ(r->AttrName(1), "b");

    for (const char* good : {"a", "_", "A1", "a-b", "x.y", "ns:t", "\xC0", "\xB5m"}) EXPECT_TRUE(IsValidXmlName(good)) << good;
    for (const char* bad : {"", "1a", "-a", ".a", ":a", "a b", "a/", "\xAB", "\xA0", "a\x97", "\x98", "a>"})
        EXPECT_FALSE(IsValidXmlName(bad)) << bad;
}

// The parser finds names it met before without the name table: names that
// share their first bytes, or differ only in length, must stay apart.
TEST(XmlParser, NamesAlikeInTheirFirstBytesStayApart) {
    const char* const names[] = {"Application1", "Application2", "Item", "Items", "It", "abcdefgh",
                                 "abcdefghi", "abcdefgh", "Item", "Application1", "abcdefgi"};
    std::string input = "<R>";
    for (const char* name : names) input += std::string("<") + name + " Value='" + name + "' Values='s' V='v'/>";
    XmlElementPtr root = RootElement(ParseXmlText(input + "</R>"));
    ASSERT_EQ(root->ChildCount(), std::size(names));
    for (size_t i = 0; i < std::size(names); ++i) {
        auto e = std::dynamic_pointer_cast<IXmlElement>(root->Child(i));
        EXPECT_EQ(e->NodeName(), names[i]);
        EXPECT_EQ(Str(e, "Value"), names[i]);
        EXPECT_EQ(Str(e, "Values"), "s");
        EXPECT_EQ(Str(e, "V"), "v");
    }
    // The same name is the same entry of the table wherever it was read.
    EXPECT_EQ(Str(ChildElement(root, "abcdefgh"), "Value"), "abcdefgh");
    EXPECT_EQ(Str(ChildElement(root, "abcdefgi"), "Value"), "abcdefgi");
    EXPECT_EQ(Str(ChildByAttr(root, "Item", "Value", "Item"), "V"), "v");
    EXPECT_FALSE(ChildElement(root, "abcdefghij"));
    // A name may end the input.
    EXPECT_THROW(ParseXmlText("<R><abcdefghijk"), EXmlError);
    EXPECT_THROW(ParseXmlText("<R a"), EXmlError);
}

// Each element knows the line its start tag begins on, counted over every
// kind of markup that can hold a line feed; a line feed that a reference
// stands for is no line of the file.
TEST(XmlParser, ElementsKnowTheLineTheyStartOn) {
    const std::string input =
        "<?xml version='1.0'?>\r\n"                   // 1
        "<!-- a comment\r\n"                          // 2
        "     over two lines -->\r\n"                 // 3
        "<!DOCTYPE R\n"                                // 4
        ">\n"                                          // 5
        "<R V='x'><a V='x'/>\n"                        // 6
        "<b\n"                                         // 7
        "   V='x'/>\n"                                 // 8
        "<c V='1\n2'/>\n"                              // 9, 10
        "<d V='&#10;&#xA;x'/>\n"                       // 11
        "<e>text &amp; more\r\nlines<f V='x'/></e>\n"  // 12, 13
        "<![CDATA[\n\n]]><?pi one\ntwo?><g V='x'/>\n"  // 14, 15, 16, 17
        "<h\tV='x'\r\n/>\n\n"                          // 18, 19, 20
        "<i V=\"x\"/></R>";                             // 21
    XmlDocumentPtr doc = ParseXmlText(input);
    XmlElementPtr root = RootElement(doc);
    // A new value as long as the old one, with line feeds of its own, moves
    // no line.
    WriteStrAttr(ChildElement(root, "c"), "V", "\n\nx");
    const std::pair<XmlElementPtr, int> expected[] = {
        {root, 6},
        {ChildElement(root, "a"), 6},
        {ChildElement(root, "b"), 7},
        {ChildElement(root, "c"), 9},
        {ChildElement(root, "d"), 11},
        {ChildElement(ChildElement(root, "e"), "f"), 13},
        {ChildElement(root, "g"), 17},
        {ChildElement(root, "h"), 18},
        {ChildElement(root, "i"), 21},
    };
    for (const auto& [element, line] : expected) {
        ASSERT_TRUE(element) << line;
        try {
            ReadIntAttr(element, "V", 0);
            ADD_FAILURE() << "read as a number: " << element->NodeName();
        } catch (const EXmlError& e) {
            const std::string where = "XML error at line " + std::to_string(line) + " (element <" +
                                      element->NodeName() + ">): Attribute \"V\"";
            EXPECT_EQ(std::string(e.what()).compare(0, where.size(), where), 0) << e.what();
        }
    }
}

TEST(XmlParser, MalformedInputRaisesError) {
    struct Case {
        std::string input;
        const char* what;
    };
    const Case cases[] = {
        {"<", "end after <"},
        {"<a", "end inside start tag"},
        {"<a ", "end inside start tag after space"},
        {"<a x", "end after attribute name"},
        {"<a x=", "end where value should start"},
        {"<a x=\"1", "end inside value"},
        {"<a x=\"1'/>", "value closed by the other quote"},
        {"<a x=1/>", "value not in quotes"},
        {"<a x=\"a<b\"/>", "< in value"},
        {"<a x \"1\"/>", "missing ="},
        {"<1a/>", "name starting with a digit"},
        {"< a/>", "name starting with a space"},
        {"<a$/>", "invalid byte after element name"},
        {"<a/ >", "slash not followed by >"},
        {"<a x='1' $/>", "junk in attribute list"},
        {"<a>", "missing end tag"},
        {"<a>text", "end inside content"},
        {"<a></b>", "end tag with another name"},
        {"<a></ab>", "end tag with a longer name"},
        {"<a></A>", "end tag in other letter case"},
        {"<a></a", "end tag without >"},
        {"<a></a x>", "junk in end tag"},
        {"<a><b></a></b>", "crossed tags"},
        {"<?pi data", "unterminated processing instruction"},
        {"<?1?>", "invalid target"},
        {"<?xml version=\"1.0\"", "unterminated declaration"},
        {"<?xml version=\"1.0\" ?", "declaration with lone ?"},
        {"<?xml version=\"1.0\" $?>", "junk in declaration"},
        {"<!-- never closed", "unterminated comment"},
        {"<!- x -->", "single dash"},
        {"<![CDATA[ open", "unterminated CDATA"},
        {"<!DOCTYPE never closed", "unterminated DOCTYPE"},
        {"<!doctype r>", "doctype in lower case"},
        {"<!ELEMENT r>", "other declaration"},
        {"<!", "end after <!"},
        {"<a>&</a>", "bare ampersand"},
        {"<a>&", "ampersand at end"},
        {"<a x='&'/>", "bare ampersand in value"},
        {"<a>&#;</a>", "decimal reference without digits"},
        {"<a>&#x;</a>", "hex reference without digits"},
        {"<a>&#X41;</a>", "upper-case X"},
        {"<a>&#12</a>", "reference without ;"},
        {"<a>&#12", "reference at end"},
        {"<a>&foo;</a>", "unknown name"},
        {"<a>&AMP;</a>", "names are case sensitive"},
        {"<a>&amp</a>", "named reference without ;"},
        {"<a>&;</a>", "empty reference name"},
        {"< binary-xml >\x01\x02", "packed binary form"},
        {Nested(257), "nesting deeper than the limit"},
    };
    for (const Case& c : cases) {
        try {
            ParseXmlText(c.input);
            ADD_FAILURE() << "accepted: " << c.what;
        } catch (const EXmlError& e) {
            if (c.input.compare(0, 3, "< b") != 0) {
                EXPECT_NE(std::string(e.what()).find("byte offset"), std::string::npos) << c.what << ": " << e.what();
            }
        }
    }
}

TEST(XmlParser, ErrorNamesLineAndOffset) {
    try {
        ParseXmlText("<r>\r\n  <a>\r\n  </b>\r\n</r>");
        FAIL() << "accepted";
    } catch (const EXmlError& e) {
        std::string msg = e.what();
        EXPECT_NE(msg.find("line 3"), std::string::npos) << msg;
        EXPECT_NE(msg.find("offset 16"), std::string::npos) << msg;
        EXPECT_NE(msg.find("</a>"), std::string::npos) << msg;
    }
}

TEST(XmlParser, NestingUpToTheLimitIsAccepted) {
    XmlDocumentPtr doc = ParseXmlText(Nested(256));
    XmlNodePtr node = RootElement(doc);
    int depth = 0;
    while (node->ChildCount() > 0) {
        node = node->Child(0);
        ++depth;
    }
    EXPECT_EQ(depth, 255);
    // and the writer writes it back the same way it reads
    EXPECT_NO_THROW(ParseXmlText(XmlDocumentText(doc)));
    // deeply nested input that never closes fails cleanly too
    EXPECT_THROW(ParseXmlText(std::string(100000, '<') + "a>"), EXmlError);
    EXPECT_THROW(ParseXmlText(Nested(100000)), EXmlError);
}

TEST(XmlParser, BinaryMarkerOnlyWithMoreBytes) {
    // exactly the 14 marker bytes are parsed as text (and are not valid XML)
    EXPECT_THROW(ParseXmlText("< binary-xml >"), EXmlError);
    try {
        ParseXmlText(std::string("< binary-xml >\x00\x01", 16));
        ADD_FAILURE() << "accepted";
    } catch (const EXmlError& e) {
        EXPECT_NE(std::string(e.what()).find("not supported"), std::string::npos) << e.what();
    }
}
