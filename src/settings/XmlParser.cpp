// The parser of the XML document layer: 8-bit text in, a document tree out.
//
// It reads the subset of XML the program's files use and the hand edits they
// may receive: elements with attributes in single or double quotes, character
// data with the five named references and decimal or hexadecimal byte
// references, comments, CDATA sections, processing instructions (the "xml"
// declaration's pseudo-attributes are read as attributes) and a DOCTYPE that is
// skipped. Runs of character data made only of bytes up to 32 are dropped.
//
// Every malformed input raises EXmlError naming the line and byte offset. The
// parser keeps its open elements on an explicit stack and refuses nesting
// deeper than kXmlMaxDepth, so no input can exhaust the call stack.
#include <cstring>
#include <string_view>
#include <vector>

#include "XmlChars.h"
#include "XmlNodes.h"

namespace quorlet {

namespace {

// Serial number of the start tag being read; see TXmlName::MarkTag.
uint64_t g_xmlTagSerial = 0;

const char kBinaryMarker[] = "< binary-xml >";
const size_t kBinaryMarkerSize = sizeof kBinaryMarker - 1;

class TXmlParser {
public:
    explicit TXmlParser(const std::string& bytes)
        : FBegin(bytes.data()), FP(FBegin), FEnd(FBegin + bytes.size()), FNames(XmlNames()) {}

    XmlDocumentPtr Parse();

private:
    [[noreturn]] void Fail(const char* at, const std::string& what) const;
    bool IsAt(const char* literal, size_t n) const {
        return static_cast<size_t>(FEnd - FP) >= n && std::memcmp(FP, literal, n) == 0;
    }
    void SkipSpace() {
        while (FP < FEnd && static_cast<unsigned char>(*FP) <= 32) ++FP;
    }
    // Position of the next occurrence of literal from FP on, or null.
    const char* FindFromHere(const char* literal) const {
        std::string_view rest(FP, static_cast<size_t>(FEnd - FP));
        size_t at = rest.find(literal);
        return at == std::string_view::npos ? nullptr : FP + at;
    }

    TXmlNameRef ReadName();
    void ReadText(TXmlNodeList& list);
    void ReadReference(std::string& out);
    void ReadAttributes(TXmlAttrList& attrs);
    void ReadAttrValue(char quote, std::string& out);
    void ReadElementStart(TXmlNodeList& list);
    void ReadEndTag();
    void ReadProcessingInstruction(TXmlNodeList& list);
    void ReadMarkupDeclaration(TXmlNodeList& list);

    const char* FBegin;
    const char* FP;
    const char* FEnd;
    TXmlNameTable& FNames;
    std::vector<TXmlElement*> FOpen;  // elements whose content is being read
};

void TXmlParser::Fail(const char* at, const std::string& what) const {
    size_t line = 1;
    for (const char* p = FBegin; p < at; ++p)
        if (*p == '\n') ++line;
    throw EXmlError("XML error at line " + std::to_string(line) + " (byte offset " +
                    std::to_string(static_cast<size_t>(at - FBegin)) + "): " + what);
}

TXmlNameRef TXmlParser::ReadName() {
    if (FP == FEnd) Fail(FP, "unexpected end of input where a name should start");
    if (!XmlCharIs(*FP, xcNameStart)) Fail(FP, "a name must start with a letter or \"_\"");
    const char* start = FP;
    uint32_t hash = static_cast<unsigned char>(*FP++);
    while (FP < FEnd && XmlCharIs(*FP, xcNameChar)) hash = hash * 33u + static_cast<unsigned char>(*FP++);
    return FNames.Intern(start, static_cast<size_t>(FP - start), hash);
}

// FP is at "&": appends the one byte the reference stands for.
void TXmlParser::ReadReference(std::string& out) {
    const char* amp = FP++;
    if (FP == FEnd) Fail(amp, "\"&\" at the end of the input");
    if (*FP == '#') {
        ++FP;
        unsigned base = 10;
        if (FP < FEnd && *FP == 'x') {
            base = 16;
            ++FP;
        }
        unsigned value = 0;
        bool digits = false;
        for (; FP < FEnd; ++FP) {
            char c = *FP;
            unsigned d;
            if (c >= '0' && c <= '9')
                d = static_cast<unsigned>(c - '0');
            else if (base == 16 && c >= 'a' && c <= 'f')
                d = static_cast<unsigned>(c - 'a' + 10);
            else if (base == 16 && c >= 'A' && c <= 'F')
                d = static_cast<unsigned>(c - 'A' + 10);
            else
                break;
            value = (value * base + d) & 0xFFu;  // the byte is the number modulo 256
            digits = true;
        }
        if (!digits) Fail(FP, "number reference without digits");
        if (FP == FEnd || *FP != ';') Fail(FP, "expected \";\" to end the reference");
        ++FP;
        out.push_back(static_cast<char>(value));
        return;
    }
    const char* name = FP;
    while (FP < FEnd && XmlCharIs(*FP, xcNameChar)) ++FP;
    if (FP == FEnd || *FP != ';') Fail(FP, "expected \";\" to end the reference");
    std::string_view n(name, static_cast<size_t>(FP - name));
    char c = 0;
    if (n == "amp")
        c = '&';
    else if (n == "quot")
        c = '"';
    else if (n == "lt")
        c = '<';
    else if (n == "gt")
        c = '>';
    else if (n == "apos")
        c = '\'';
    else
        Fail(amp, "unknown reference \"&" + std::string(n) + ";\"");
    ++FP;
    out.push_back(c);
}

void TXmlParser::ReadText(TXmlNodeList& list) {
    const char* start = FP;
    bool content = false;  // a byte above 32 was seen
    while (FP < FEnd) {
        uint8_t cls = kXmlCharTable[static_cast<unsigned char>(*FP)];
        if (cls & xcTextStop) break;
        if (!(cls & xcSpace)) content = true;
        ++FP;
    }
    if (FP == FEnd || *FP == '<') {
        if (content) list.Add(std::make_shared<TXmlText>(std::string(start, FP)));
        return;
    }
    std::string text(start, FP);
    while (FP < FEnd && *FP != '<') {
        if (*FP == '&') {
            ReadReference(text);
            if (static_cast<unsigned char>(text.back()) > 32) content = true;
            continue;
        }
        start = FP;
        while (FP < FEnd) {
            uint8_t cls = kXmlCharTable[static_cast<unsigned char>(*FP)];
            if (cls & xcTextStop) break;
            if (!(cls & xcSpace)) content = true;
            ++FP;
        }
        text.append(start, FP);
    }
    if (content) list.Add(std::make_shared<TXmlText>(std::move(text)));
}

void TXmlParser::ReadAttrValue(char quote, std::string& out) {
    const char* start = FP;
    while (FP < FEnd && !XmlCharIs(*FP, xcAttrStop)) ++FP;
    out.assign(start, FP);
    for (;;) {
        if (FP == FEnd) Fail(FP, std::string("expected the closing quote ") + quote + " of the attribute value");
        char c = *FP;
        if (c == quote) {
            ++FP;
            return;
        }
        if (c == '<') Fail(FP, "\"<\" inside an attribute value");
        if (c == '&') {
            ReadReference(out);
        } else {
            out.push_back(c);  // the other kind of quote
            ++FP;
        }
        start = FP;
        while (FP < FEnd && !XmlCharIs(*FP, xcAttrStop)) ++FP;
        out.append(start, FP);
    }
}

void TXmlParser::ReadAttributes(TXmlAttrList& attrs) {
    const uint64_t tag = ++g_xmlTagSerial;
    SkipSpace();
    while (FP < FEnd && XmlCharIs(*FP, xcNameStart)) {
        TXmlNameRef name = ReadName();
        SkipSpace();
        if (FP == FEnd || *FP != '=') Fail(FP, "expected \"=\" after the attribute name \"" + name.Text() + "\"");
        ++FP;
        SkipSpace();
        if (FP == FEnd) Fail(FP, "unexpected end of input where an attribute value should start");
        char quote = *FP;
        if (quote != '"' && quote != '\'') Fail(FP, "attribute value not enclosed in quotes");
        ++FP;
        // A repeated name replaces the earlier value; the mark on the interned
        // name finds it without searching the list.
        TXmlName* n = name.Get();
        TXmlAttr* attr;
        if (n->MarkTag == tag) {
            attr = &attrs.Items[n->MarkIndex];
        } else {
            XmlReserveOne(attrs.Items);
            attrs.Items.emplace_back();
            attr = &attrs.Items.back();
            attr->Name = std::move(name);
            n->MarkTag = tag;
            n->MarkIndex = attrs.Items.size() - 1;
        }
        ReadAttrValue(quote, attr->Text);
        SkipSpace();
    }
}

// FP is at "<" followed by neither "/", "?" nor "!".
void TXmlParser::ReadElementStart(TXmlNodeList& list) {
    const char* tagStart = FP++;
    TXmlNameRef name = ReadName();
    if (FP == FEnd) Fail(FP, "unexpected end of input inside the start tag <" + name.Text());
    if (!XmlCharIs(*FP, xcSpace) && *FP != '/' && *FP != '>')
        Fail(FP, "invalid character after the element name \"" + name.Text() + "\"");
    if (FOpen.size() >= kXmlMaxDepth)
        Fail(tagStart, "elements nested deeper than " + std::to_string(kXmlMaxDepth) + " levels");
    auto element = std::make_shared<TXmlElement>(std::move(name));
    TXmlElement* e = element.get();
    list.Add(std::move(element));
    ReadAttributes(e->Attrs);
    if (FP == FEnd) Fail(FP, "unexpected end of input inside the start tag <" + e->Name.Text());
    if (*FP == '>') {
        ++FP;
        FOpen.push_back(e);
    } else if (*FP == '/' && FEnd - FP >= 2 && FP[1] == '>') {
        FP += 2;
    } else {
        Fail(FP, "expected \">\" or \"/>\" to end the start tag <" + e->Name.Text());
    }
}

// FP is at "</" inside an element.
void TXmlParser::ReadEndTag() {
    const TXmlElement* e = FOpen.back();
    const std::string& name = e->Name.Text();
    FP += 2;
    if (!IsAt(name.data(), name.size())) Fail(FP, "expected the end tag </" + name + ">");
    FP += name.size();
    SkipSpace();
    if (FP == FEnd || *FP != '>') Fail(FP, "expected \">\" to end the end tag </" + name + ">");
    ++FP;
    FOpen.pop_back();
}

// FP is at "<?".
void TXmlParser::ReadProcessingInstruction(TXmlNodeList& list) {
    FP += 2;
    auto pi = std::make_shared<TXmlProcessingInstruction>(ReadName());
    if (pi->Name.Get() == FNames.XmlName()) {
        ReadAttributes(pi->Attrs);
        if (!IsAt("?>", 2)) Fail(FP, "expected \"?>\" to end the XML declaration");
        FP += 2;
    } else {
        // The data starts after the white space that separates it from the
        // target, as the writer puts exactly one space there.
        SkipSpace();
        const char* close = FindFromHere("?>");
        if (!close) Fail(FEnd, "expected \"?>\" to end the processing instruction");
        pi->Data.assign(FP, close);
        FP = close + 2;
    }
    list.Add(std::move(pi));
}

// FP is at "<!".
void TXmlParser::ReadMarkupDeclaration(TXmlNodeList& list) {
    FP += 2;
    if (FP < FEnd && *FP == '-') {
        if (!IsAt("--", 2)) Fail(FP, "expected \"--\" to start a comment");
        FP += 2;
        const char* close = FindFromHere("-->");
        if (!close) Fail(FEnd, "expected \"-->\" to end the comment");
        list.Add(std::make_shared<TXmlComment>(std::string(FP, close)));
        FP = close + 3;
    } else if (IsAt("[CDATA[", 7)) {
        FP += 7;
        const char* close = FindFromHere("]]>");
        if (!close) Fail(FEnd, "expected \"]]>\" to end the CDATA section");
        list.Add(std::make_shared<TXmlCDATASection>(std::string(FP, close)));
        FP = close + 3;
    } else {
        if (!IsAt("DOCTYPE", 7)) Fail(FP, "expected \"DOCTYPE\", \"--\" or \"[CDATA[\" after \"<!\"");
        FP += 7;
        const char* close = static_cast<const char*>(std::memchr(FP, '>', static_cast<size_t>(FEnd - FP)));
        if (!close) Fail(FEnd, "expected \">\" to end the DOCTYPE");
        FP = close + 1;
    }
}

XmlDocumentPtr TXmlParser::Parse() {
    const size_t size = static_cast<size_t>(FEnd - FBegin);
    if (size > kBinaryMarkerSize && std::memcmp(FBegin, kBinaryMarker, kBinaryMarkerSize) == 0)
        throw EXmlError("The packed binary XML form is not supported");
    auto doc = std::make_shared<TXmlDocument>();
    doc->SizeHint = size;
    for (;;) {
        TXmlNodeList& list = FOpen.empty() ? doc->Children : FOpen.back()->Children;
        if (FP == FEnd) {
            if (!FOpen.empty())
                Fail(FP, "unexpected end of input: expected the end tag </" + FOpen.back()->Name.Text() + ">");
            break;
        }
        if (*FP != '<') {
            ReadText(list);
            continue;
        }
        if (FEnd - FP < 2) Fail(FP + 1, "unexpected end of input after \"<\"");
        switch (FP[1]) {
            case '/':
                if (FOpen.empty()) return doc;  // an end tag at the top ends the document
                ReadEndTag();
                break;
            case '?':
                ReadProcessingInstruction(list);
                break;
            case '!':
                ReadMarkupDeclaration(list);
                break;
            default:
                ReadElementStart(list);
                break;
        }
    }
    return doc;
}

}  // namespace

XmlDocumentPtr ParseXmlText(const std::string& bytes) { return TXmlParser(bytes).Parse(); }

}  // namespace quorlet
