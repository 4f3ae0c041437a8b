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

TXmlStr Span(char* p, size_t length, size_t room) {
    TXmlStr s;
    s.Ptr = p;
    s.Len = static_cast<uint32_t>(length);
    s.Cap = static_cast<uint32_t>(room);
    return s;
}

// Works on a copy of the input in the document's arena, followed by one "<"
// that stops every scanning loop at the end without a bounds check of its own.
// Values point into the copy; references are replaced in place (the result is
// never longer than the reference).
class TXmlParser {
public:
    explicit TXmlParser(const std::string& bytes) : FInput(bytes), FNames(XmlNames()) {}

    XmlDocumentPtr Parse();

private:
    [[noreturn]] void Fail(const char* at, const std::string& what) const;
    bool IsAt(const char* literal, size_t n) const {
        return static_cast<size_t>(FEnd - FP) >= n && std::memcmp(FP, literal, n) == 0;
    }
    static bool Is(char c, uint8_t cls) { return (kXmlCharTable[static_cast<unsigned char>(c)] & cls) != 0; }
    void SkipSpace() {
        char* p = FP;
        while (static_cast<unsigned char>(*p) <= 32) ++p;
        FP = p;
    }
    // Position of the next occurrence of literal from FP on, or null.
    char* FindFromHere(const char* literal) const {
        std::string_view rest(FP, static_cast<size_t>(FEnd - FP));
        size_t at = rest.find(literal);
        return at == std::string_view::npos ? nullptr : FP + at;
    }

    TXmlNameRef ReadName();
    char ReadReference();
    void ReadText(TXmlNodeList& list);
    void ReadAttributes(TXmlAttrList& attrs);
    TXmlStr ReadAttrValue(char quote);
    void ReadElementStart(TXmlNodeList& list);
    void ReadEndTag();
    void ReadProcessingInstruction(TXmlNodeList& list);
    void ReadMarkupDeclaration(TXmlNodeList& list);

    const std::string& FInput;
    TXmlNameTable& FNames;
    TXmlArena* FArena = nullptr;
    char* FBegin = nullptr;
    char* FP = nullptr;
    char* FEnd = nullptr;
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
    if (!Is(*FP, xcNameStart)) Fail(FP, "a name must start with a letter or \"_\"");
    const char* start = FP;
    const char* p = FP;
    uint32_t hash = static_cast<unsigned char>(*p++);
    while (Is(*p, xcNameChar)) hash = hash * 33u + static_cast<unsigned char>(*p++);
    FP = const_cast<char*>(p);
    return FNames.Intern(start, static_cast<size_t>(p - start), hash);
}

// FP is at "&": returns the byte the reference stands for.
char TXmlParser::ReadReference() {
    const char* amp = FP++;
    if (FP == FEnd) Fail(amp, "\"&\" at the end of the input");
    if (*FP == '#') {
        ++FP;
        unsigned base = 10;
        if (*FP == 'x') {
            base = 16;
            ++FP;
        }
        unsigned value = 0;
        bool digits = false;
        for (;; ++FP) {
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
        return static_cast<char>(value);
    }
    const char* name = FP;
    while (Is(*FP, xcNameChar)) ++FP;
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
    return c;
}

void TXmlParser::ReadText(TXmlNodeList& list) {
    char* start = FP;
    char* p = FP;
    uint8_t spaces = xcSpace;  // stays so while every byte is white space
    for (;;) {
        uint8_t cls = kXmlCharTable[static_cast<unsigned char>(*p)];
        if (cls & xcTextStop) break;
        spaces &= cls;
        ++p;
    }
    FP = p;
    if (*FP == '<') {
        if (!spaces) list.Add(XmlNewNode<TXmlText>(FArena, Span(start, FP - start, FP - start)));
        return;
    }
    char* w = FP;
    while (FP < FEnd && *FP != '<') {
        char c;
        if (*FP == '&') {
            c = ReadReference();
        } else {
            c = *FP++;
        }
        if (static_cast<unsigned char>(c) > 32) spaces = 0;
        *w++ = c;
    }
    if (!spaces) list.Add(XmlNewNode<TXmlText>(FArena, Span(start, w - start, FP - start)));
}

TXmlStr TXmlParser::ReadAttrValue(char quote) {
    char* start = FP;
    char* p = FP;
    for (;;) {  // four bytes a round: values are mostly plain text
        if (Is(p[0], xcAttrStop)) break;
        if (Is(p[1], xcAttrStop)) {
            p += 1;
            break;
        }
        if (Is(p[2], xcAttrStop)) {
            p += 2;
            break;
        }
        if (Is(p[3], xcAttrStop)) {
            p += 3;
            break;
        }
        p += 4;
    }
    FP = p;
    if (*FP == quote) {
        TXmlStr value = Span(start, FP - start, FP - start);
        ++FP;
        return value;
    }
    char* w = FP;
    for (;;) {
        if (FP == FEnd) Fail(FP, std::string("expected the closing quote ") + quote + " of the attribute value");
        char c = *FP;
        if (c == quote) break;
        if (c == '<') Fail(FP, "\"<\" inside an attribute value");
        if (c == '&') {
            *w++ = ReadReference();
        } else {
            *w++ = c;  // the other kind of quote
            ++FP;
        }
        while (!Is(*FP, xcAttrStop)) *w++ = *FP++;
    }
    TXmlStr value = Span(start, w - start, FP - start);
    ++FP;
    return value;
}

void TXmlParser::ReadAttributes(TXmlAttrList& attrs) {
    const uint64_t tag = ++g_xmlTagSerial;
    SkipSpace();
    while (Is(*FP, xcNameStart)) {
        TXmlNameRef name = ReadName();
        SkipSpace();
        if (*FP != '=') Fail(FP, "expected \"=\" after the attribute name \"" + name.Text() + "\"");
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
            attr = &attrs[n->MarkIndex];
        } else {
            attr = &attrs.Append(*FArena, std::move(name));
            n->MarkTag = tag;
            n->MarkIndex = attrs.Count() - 1;
        }
        attr->Text = ReadAttrValue(quote);
        SkipSpace();
    }
}

// FP is at "<" followed by neither "/", "?" nor "!".
void TXmlParser::ReadElementStart(TXmlNodeList& list) {
    const char* tagStart = FP++;
    TXmlNameRef name = ReadName();
    if (FP == FEnd) Fail(FP, "unexpected end of input inside the start tag <" + name.Text());
    const char after = *FP;
    if (!Is(after, xcSpace) && after != '/' && after != '>')
        Fail(FP, "invalid character after the element name \"" + name.Text() + "\"");
    if (FOpen.size() >= kXmlMaxDepth)
        Fail(tagStart, "elements nested deeper than " + std::to_string(kXmlMaxDepth) + " levels");
    std::shared_ptr<TXmlElement> element = XmlNewNode<TXmlElement>(FArena, std::move(name));
    TXmlElement* e = element.get();
    list.Add(std::move(element));
    if (Is(after, xcSpace)) {
        ReadAttributes(e->Attrs);
        // Most elements of a settings file have two attributes: the room
        // for more is given back (about a fifth of a parsed document).
        e->Attrs.Fit(*FArena);
    }
    if (FP == FEnd) Fail(FP, "unexpected end of input inside the start tag <" + e->Name.Text());
    if (*FP == '>') {
        ++FP;
        FOpen.push_back(e);
    } else if (*FP == '/' && FP[1] == '>') {
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
    if (*FP != '>' || FP == FEnd) Fail(FP, "expected \">\" to end the end tag </" + name + ">");
    ++FP;
    FOpen.pop_back();
}

// FP is at "<?".
void TXmlParser::ReadProcessingInstruction(TXmlNodeList& list) {
    FP += 2;
    auto pi = XmlNewNode<TXmlProcessingInstruction>(FArena, ReadName());
    if (pi->Name.Get() == FNames.XmlName()) {
        ReadAttributes(pi->Attrs);
        if (!IsAt("?>", 2)) Fail(FP, "expected \"?>\" to end the XML declaration");
        FP += 2;
    } else {
        // The data starts after the white space that separates it from the
        // target, as the writer puts exactly one space there.
        SkipSpace();
        char* close = FindFromHere("?>");
        if (!close) Fail(FEnd, "expected \"?>\" to end the processing instruction");
        pi->Data = Span(FP, close - FP, close - FP);
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
        char* close = FindFromHere("-->");
        if (!close) Fail(FEnd, "expected \"-->\" to end the comment");
        list.Add(XmlNewNode<TXmlComment>(FArena, Span(FP, close - FP, close - FP)));
        FP = close + 3;
    } else if (IsAt("[CDATA[", 7)) {
        FP += 7;
        char* close = FindFromHere("]]>");
        if (!close) Fail(FEnd, "expected \"]]>\" to end the CDATA section");
        list.Add(XmlNewNode<TXmlCDATASection>(FArena, Span(FP, close - FP, close - FP)));
        FP = close + 3;
    } else {
        if (!IsAt("DOCTYPE", 7)) Fail(FP, "expected \"DOCTYPE\", \"--\" or \"[CDATA[\" after \"<!\"");
        FP += 7;
        char* close = static_cast<char*>(std::memchr(FP, '>', static_cast<size_t>(FEnd - FP)));
        if (!close) Fail(FEnd, "expected \">\" to end the DOCTYPE");
        FP = close + 1;
    }
}

XmlDocumentPtr TXmlParser::Parse() {
    const size_t size = FInput.size();
    if (size > kBinaryMarkerSize && std::memcmp(FInput.data(), kBinaryMarker, kBinaryMarkerSize) == 0)
        throw EXmlError("The packed binary XML form is not supported");
    if (size >= UINT32_MAX) throw EXmlError("XML input too large");
    // The copy of the text and the tree of a settings file take about six
    // times the size of the text; one block then holds them.
    std::shared_ptr<TXmlDocument> doc = XmlNewDocument(size * 6 + 4096);
    FArena = doc->Arena;
    FBegin = static_cast<char*>(FArena->Allocate(size + 1, 1));
    if (size) std::memcpy(FBegin, FInput.data(), size);
    FEnd = FBegin + size;
    *FEnd = '<';
    FP = FBegin;
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
