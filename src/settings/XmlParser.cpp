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
//
// Each element keeps where in the text its start tag is, and the document's
// arena keeps the text unchanged: an error in a value read later counts the
// lines up to there, so that reading costs no counting.
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

// A value in the copy of the input. It has no room: the copy stays as it was
// read, and a new value written over this one gets memory of its own.
TXmlStr InputSpan(char* p, size_t length) { return Span(p, length, 0); }

// Bytes after the end of the copy of the input: one "<" and the rest of the
// eight bytes XmlNameHead may read at a name that ends the input.
const size_t kInputPadding = 8;

// Works on a copy of the input in the document's arena, followed by one "<"
// that stops every scanning loop at the end without a bounds check of its own.
// Values point into the copy, which is never written: a value with references
// is decoded into memory of its own.
class TXmlParser {
public:
    explicit TXmlParser(const std::string& bytes) : FInput(bytes), FNames(XmlNames()) {
        FChildren.reserve(256);
    }

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

    // The name at FP, held by the document's arena.
    TXmlName* ReadName();
    TXmlName* InternName(const char* p, size_t n, TXmlName*& slot);
    [[noreturn]] void NotAName() const;
    // A node of the element being read (or of the document, at the top).
    void AddNode(TXmlNodeRef node) {
        if (FOpen.empty())
            FDoc->Children.Add(std::move(node));
        else
            FChildren.push_back(std::move(node));
    }
    char ReadReference();
    void ReadText();
    // The run [start, end), whose references were checked, with each one
    // replaced by its byte, in memory of its own; FP ends at end.
    TXmlStr Decode(char* start, char* end);
    void ReadAttributes(TXmlAttrList& attrs);
    TXmlStr ReadAttrValue(char quote);
    void ReadElementStart();
    void ReadEndTag();
    void ReadProcessingInstruction();
    void ReadMarkupDeclaration();

    // An element whose content is being read, and where its children start
    // in FChildren.
    struct TOpenElement {
        TXmlElement* Element;
        size_t FirstChild;
    };

    const std::string& FInput;
    TXmlNameTable& FNames;
    TXmlDocument* FDoc = nullptr;
    TXmlArena* FArena = nullptr;
    char* FBegin = nullptr;
    char* FP = nullptr;
    char* FEnd = nullptr;
    std::vector<TOpenElement> FOpen;
    // The children of the open elements, each element's after its parent's
    // earlier ones; an element takes its own when it ends.
    std::vector<TXmlNodeRef> FChildren;
    // The names met last, by a hash of their heads: a settings file repeats a
    // handful of names, which are then found without the table.
    TXmlName* FRecent[256] = {};
};

void TXmlParser::Fail(const char* at, const std::string& what) const {
    size_t line = 1;
    for (const char* p = FBegin; p < at; ++p)
        if (*p == '\n') ++line;
    throw EXmlError("XML error at line " + std::to_string(line) + " (byte offset " +
                    std::to_string(static_cast<size_t>(at - FBegin)) + "): " + what);
}

inline TXmlName* TXmlParser::ReadName() {
    if (!Is(*FP, xcNameStart)) NotAName();
    const char* start = FP;
    const char* p = FP + 1;
    while (Is(*p, xcNameChar)) ++p;
    FP = const_cast<char*>(p);
    const size_t n = static_cast<size_t>(p - start);
    const uint64_t head = XmlNameHead(start, n);
    TXmlName*& slot = FRecent[(head * 0x9E3779B97F4A7C15ull) >> 56];
    TXmlName* e = slot;
    if (e && e->Head == head && e->Text.size() == n &&
        (n <= 8 || std::memcmp(e->Text.data() + 8, start + 8, n - 8) == 0))
        return e;
    return InternName(start, n, slot);
}

// A remembered name is held by the arena of the document being read, which
// keeps it in the table for the whole parse.
TXmlName* TXmlParser::InternName(const char* p, size_t n, TXmlName*& slot) {
    slot = FArena->Hold(FNames.Intern(p, n, TXmlNameTable::HashOf(p, n)).Get());
    return slot;
}

void TXmlParser::NotAName() const {
    if (FP == FEnd) Fail(FP, "unexpected end of input where a name should start");
    Fail(FP, "a name must start with a letter or \"_\"");
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

void TXmlParser::ReadText() {
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
        if (!spaces) AddNode(XmlNewNode<TXmlText>(FArena, InputSpan(start, FP - start)));
        return;
    }
    // A reference: the run goes on to the next "<", its references checked
    // on the way.
    while (FP < FEnd && *FP != '<') {
        if (*FP == '&')
            ReadReference();
        else
            ++FP;
    }
    TXmlStr text = Decode(start, FP);
    for (uint32_t i = 0; i < text.Len; ++i) {
        if (static_cast<unsigned char>(text.Ptr[i]) > 32) {
            AddNode(XmlNewNode<TXmlText>(FArena, text));
            break;
        }
    }
}

TXmlStr TXmlParser::Decode(char* start, char* end) {
    char* out = static_cast<char*>(FArena->Allocate(static_cast<size_t>(end - start), 1));
    char* w = out;
    FP = start;
    while (FP < end) *w++ = *FP == '&' ? ReadReference() : *FP++;
    return Span(out, w - out, end - start);
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
        TXmlStr value = InputSpan(start, FP - start);
        ++FP;
        return value;
    }
    // The other kind of quote or a reference stopped the run: on to the
    // closing quote, with the references checked on the way.
    bool references = false;
    for (;;) {
        if (FP == FEnd) Fail(FP, std::string("expected the closing quote ") + quote + " of the attribute value");
        char c = *FP;
        if (c == quote) break;
        if (c == '<') Fail(FP, "\"<\" inside an attribute value");
        if (c == '&') {
            ReadReference();
            references = true;
        } else {
            ++FP;  // the other kind of quote
        }
        while (!Is(*FP, xcAttrStop)) ++FP;
    }
    TXmlStr value = references ? Decode(start, FP) : InputSpan(start, FP - start);
    ++FP;
    return value;
}

void TXmlParser::ReadAttributes(TXmlAttrList& attrs) {
    const uint64_t tag = ++g_xmlTagSerial;
    SkipSpace();
    while (Is(*FP, xcNameStart)) {
        TXmlName* n = ReadName();
        SkipSpace();
        if (*FP != '=') Fail(FP, "expected \"=\" after the attribute name \"" + n->Text + "\"");
        ++FP;
        SkipSpace();
        if (FP == FEnd) Fail(FP, "unexpected end of input where an attribute value should start");
        char quote = *FP;
        if (quote != '"' && quote != '\'') Fail(FP, "attribute value not enclosed in quotes");
        ++FP;
        // A repeated name replaces the earlier value; the mark on the interned
        // name finds it without searching the list.
        TXmlAttr* attr;
        if (n->MarkTag == tag) {
            attr = &attrs[n->MarkIndex];
        } else {
            attr = &attrs.Append(*FArena, n);
            n->MarkTag = tag;
            n->MarkIndex = attrs.Count() - 1;
        }
        attr->Text = ReadAttrValue(quote);
        SkipSpace();
    }
}

// FP is at "<" followed by neither "/", "?" nor "!".
void TXmlParser::ReadElementStart() {
    const char* tagStart = FP++;
    TXmlName* name = ReadName();
    if (FP == FEnd) Fail(FP, "unexpected end of input inside the start tag <" + name->Text);
    const char after = *FP;
    if (!Is(after, xcSpace) && after != '/' && after != '>')
        Fail(FP, "invalid character after the element name \"" + name->Text + "\"");
    if (FOpen.size() >= kXmlMaxDepth)
        Fail(tagStart, "elements nested deeper than " + std::to_string(kXmlMaxDepth) + " levels");
    std::shared_ptr<TXmlElement> element = XmlNewNode<TXmlElement>(FArena, name);
    TXmlElement* e = element.get();
    e->SourcePos = static_cast<uint32_t>(tagStart - FBegin) + 1;
    AddNode(std::move(element));
    if (Is(after, xcSpace)) {
        e->Attrs.ReserveFirst(*FArena);
        ReadAttributes(e->Attrs);
        // Most elements of a settings file have two attributes: the room
        // for more is given back (about a fifth of a parsed document), unless
        // a value with references took memory after the array.
        e->Attrs.Fit(*FArena);
    }
    if (FP == FEnd) Fail(FP, "unexpected end of input inside the start tag <" + e->Name->Text);
    if (*FP == '>') {
        ++FP;
        FOpen.push_back(TOpenElement{e, FChildren.size()});
    } else if (*FP == '/' && FP[1] == '>') {
        FP += 2;
    } else {
        Fail(FP, "expected \">\" or \"/>\" to end the start tag <" + e->Name->Text);
    }
}

// FP is at "</" inside an element.
void TXmlParser::ReadEndTag() {
    const TOpenElement open = FOpen.back();
    const std::string& name = open.Element->Name->Text;
    FP += 2;
    if (!IsAt(name.data(), name.size())) Fail(FP, "expected the end tag </" + name + ">");
    FP += name.size();
    SkipSpace();
    if (*FP != '>' || FP == FEnd) Fail(FP, "expected \">\" to end the end tag </" + name + ">");
    ++FP;
    open.Element->Children.Adopt(FChildren.data() + open.FirstChild, FChildren.size() - open.FirstChild);
    FChildren.resize(open.FirstChild);
    FOpen.pop_back();
}

// FP is at "<?".
void TXmlParser::ReadProcessingInstruction() {
    FP += 2;
    auto pi = XmlNewNode<TXmlProcessingInstruction>(FArena, ReadName());
    if (pi->Name == FNames.XmlName()) {
        ReadAttributes(pi->Attrs);
        if (!IsAt("?>", 2)) Fail(FP, "expected \"?>\" to end the XML declaration");
        FP += 2;
    } else {
        // The data starts after the white space that separates it from the
        // target, as the writer puts exactly one space there.
        SkipSpace();
        char* close = FindFromHere("?>");
        if (!close) Fail(FEnd, "expected \"?>\" to end the processing instruction");
        pi->Data = InputSpan(FP, close - FP);
        FP = close + 2;
    }
    AddNode(std::move(pi));
}

// FP is at "<!".
void TXmlParser::ReadMarkupDeclaration() {
    FP += 2;
    if (FP < FEnd && *FP == '-') {
        if (!IsAt("--", 2)) Fail(FP, "expected \"--\" to start a comment");
        FP += 2;
        char* close = FindFromHere("-->");
        if (!close) Fail(FEnd, "expected \"-->\" to end the comment");
        AddNode(XmlNewNode<TXmlComment>(FArena, InputSpan(FP, close - FP)));
        FP = close + 3;
    } else if (IsAt("[CDATA[", 7)) {
        FP += 7;
        char* close = FindFromHere("]]>");
        if (!close) Fail(FEnd, "expected \"]]>\" to end the CDATA section");
        AddNode(XmlNewNode<TXmlCDATASection>(FArena, InputSpan(FP, close - FP)));
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
    FDoc = doc.get();
    FArena = doc->Arena;
    FBegin = static_cast<char*>(FArena->Allocate(size + kInputPadding, 1));
    if (size) std::memcpy(FBegin, FInput.data(), size);
    FEnd = FBegin + size;
    std::memset(FEnd, 0, kInputPadding);
    *FEnd = '<';
    FArena->Source = FBegin;
    FP = FBegin;
    doc->SizeHint = size;
    for (;;) {
        if (FP == FEnd) {
            if (!FOpen.empty())
                Fail(FP, "unexpected end of input: expected the end tag </" +
                             FOpen.back().Element->Name->Text + ">");
            break;
        }
        if (*FP != '<') {
            ReadText();
            continue;
        }
        if (FEnd - FP < 2) Fail(FP + 1, "unexpected end of input after \"<\"");
        switch (FP[1]) {
            case '/':
                if (FOpen.empty()) return doc;  // an end tag at the top ends the document
                ReadEndTag();
                break;
            case '?':
                ReadProcessingInstruction();
                break;
            case '!':
                ReadMarkupDeclaration();
                break;
            default:
                ReadElementStart();
                break;
        }
    }
    return doc;
}

}  // namespace

XmlDocumentPtr ParseXmlText(const std::string& bytes) { return TXmlParser(bytes).Parse(); }

XmlDocumentPtr ParseXmlText(const std::string& bytes, const std::string& fileName) {
    XmlDocumentPtr doc;
    try {
        doc = ParseXmlText(bytes);
    } catch (const EXmlError& e) {
        throw EXmlError("File \"" + fileName + "\": " + e.what());
    }
    static_cast<TXmlDocument&>(*doc).FileName = fileName;
    return doc;
}

}  // namespace quorlet
