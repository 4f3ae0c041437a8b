// The writer of the XML document layer: the one text form of every document.
//
// Elements start on a new line (CR LF) indented by one tab per level; an
// element without children is written in the short form "<name .../>"; an
// element's end tag goes on its own line whenever its content holds a line
// break. Only & " < > are escaped. Nothing precedes the declaration and nothing
// follows the root's end tag.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "XmlChars.h"
#include "XmlNodes.h"

namespace quorlet {

namespace {

// Nesting depth of the element being written, shared by all writes of the
// process; raised while an element's children are written and lowered again
// when they are done or writing fails.
int g_xmlWriteDepth = 0;

class TWriteDepthStep {
public:
    TWriteDepthStep() { ++g_xmlWriteDepth; }
    ~TWriteDepthStep() { --g_xmlWriteDepth; }
    TWriteDepthStep(const TWriteDepthStep&) = delete;
    TWriteDepthStep& operator=(const TWriteDepthStep&) = delete;
};

// The output text with a write cursor: room is made once per piece, then bytes
// are stored without a call per byte or per short string.
class TXmlOutput {
public:
    explicit TXmlOutput(size_t expected) {
        FText.resize(expected < 256 ? 256 : expected);
        FCur = &FText[0];
        FEnd = FCur + FText.size();
    }

    void Room(size_t n) {
        if (static_cast<size_t>(FEnd - FCur) < n) Grow(n);
    }
    // The calls below expect Room to have been made for them.
    void Put(char c) { *FCur++ = c; }
    void Put(const char* p, size_t n) {
        if (n <= 16) {
            for (size_t i = 0; i < n; ++i) FCur[i] = p[i];
        } else {
            std::memcpy(FCur, p, n);
        }
        FCur += n;
    }
    void Put(std::string_view s) { Put(s.data(), s.size()); }
    void Tabs(size_t n) {
        for (size_t i = 0; i < n; ++i) FCur[i] = '\t';
        FCur += n;
    }

    size_t Size() const { return static_cast<size_t>(FCur - FText.data()); }
    const char* At(size_t offset) const { return FText.data() + offset; }
    std::string Finish() {
        FText.resize(Size());
        return std::move(FText);
    }

private:
    void Grow(size_t n) {
        size_t used = Size();
        size_t size = FText.size() * 2;
        if (size < used + n) size = used + n;
        FText.resize(size);
        FCur = &FText[0] + used;
        FEnd = &FText[0] + FText.size();
    }

    std::string FText;
    char* FCur;
    char* FEnd;
};

void PutEscaped(TXmlOutput& out, std::string_view text) {
    out.Room(text.size() * 6);  // "&quot;" is the longest replacement
    for (char c : text) {
        if (!XmlCharIs(c, xcEscape)) {
            out.Put(c);
            continue;
        }
        switch (c) {
            case '&': out.Put("&amp;", 5); break;
            case '"': out.Put("&quot;", 6); break;
            case '<': out.Put("&lt;", 4); break;
            default: out.Put("&gt;", 4); break;
        }
    }
}

size_t FormatDateTime(char (&buf)[96], const TDateTime& dt) {
    int n = std::snprintf(buf, sizeof buf, "%.4d-%.2d-%.2dT%.2d-%.2d-%.2d", dt.Year, dt.Month, dt.Day, dt.Hour,
                          dt.Minute, dt.Second);
    if (n < 0) return 0;
    return static_cast<size_t>(n) < sizeof buf ? static_cast<size_t>(n) : sizeof buf - 1;
}

// Value text; the other kinds never hold a byte that needs escaping.
void PutValue(TXmlOutput& out, const TXmlAttr& a) {
    switch (a.Kind) {
        case TXmlValueKind::Text:
            PutEscaped(out, a.Text.View());
            break;
        case TXmlValueKind::Bool:
            out.Room(1);
            out.Put(a.IntValue ? '1' : '0');
            break;
        case TXmlValueKind::Int: {
            char buf[32];
            std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, a.IntValue);
            out.Room(sizeof buf);
            out.Put(buf, static_cast<size_t>(r.ptr - buf));
            break;
        }
        case TXmlValueKind::DateTime: {
            char buf[96];
            size_t n = FormatDateTime(buf, a.DateTime());
            out.Room(n);
            out.Put(buf, n);
            break;
        }
    }
}

void PutAttrs(TXmlOutput& out, const TXmlAttrList& attrs) {
    for (size_t i = 0; i < attrs.Count(); ++i) {
        const TXmlAttr& a = attrs[i];
        const std::string& name = a.Name->Text;
        out.Room(name.size() + 3);
        out.Put(' ');
        out.Put(name);
        out.Put("=\"", 2);
        PutValue(out, a);
        out.Room(1);
        out.Put('"');
    }
}

void WriteNode(TXmlOutput& out, const TXmlNode& node);

void WriteElement(TXmlOutput& out, const TXmlElement& e) {
    const std::string& name = e.Name->Text;
    const size_t depth = static_cast<size_t>(g_xmlWriteDepth);
    out.Room(3 + depth + name.size());
    out.Put("\r\n", 2);
    out.Tabs(depth);
    out.Put('<');
    out.Put(name);
    PutAttrs(out, e.Attrs);
    const TXmlNodeList& children = e.Children;
    if (children.Count() == 0) {
        out.Room(2);
        out.Put("/>", 2);
        return;
    }
    out.Room(1);
    out.Put('>');
    const size_t contentStart = out.Size();
    bool lineBreak = false;  // the content holds CR or LF
    {
        TWriteDepthStep step;
        for (size_t i = 0; i < children.Count(); ++i) {
            const TXmlNode& child = *children.Item(i);
            WriteNode(out, child);
            if (child.Type == xntElement) lineBreak = true;  // it began with CR LF
        }
    }
    const size_t contentSize = out.Size() - contentStart;
    if (!lineBreak) {
        std::string_view content(out.At(contentStart), contentSize);
        lineBreak = content.find_first_of("\r\n") != std::string_view::npos;
    }
    out.Room(5 + depth + name.size());
    if (lineBreak) {
        const char* end = out.At(out.Size());
        bool endsWithLineBreak = contentSize >= 2 && end[-2] == '\r' && end[-1] == '\n';
        if (!endsWithLineBreak) out.Put("\r\n", 2);
        out.Tabs(depth);
    }
    out.Put("</", 2);
    out.Put(name);
    out.Put('>');
}

void WriteNode(TXmlOutput& out, const TXmlNode& node) {
    switch (node.Type) {
        case xntElement:
            WriteElement(out, static_cast<const TXmlElement&>(node));
            break;
        case xntText:
            PutEscaped(out, static_cast<const TXmlText&>(node).Text.View());
            break;
        case xntCDATASection: {
            std::string_view text = static_cast<const TXmlCharacterData&>(node).Text.View();
            out.Room(text.size() + 12);
            out.Put("<![CDATA[", 9);
            out.Put(text);
            out.Put("]]>", 3);
            break;
        }
        case xntComment: {
            std::string_view text = static_cast<const TXmlCharacterData&>(node).Text.View();
            out.Room(text.size() + 7);
            out.Put("<!--", 4);
            out.Put(text);
            out.Put("-->", 3);
            break;
        }
        case xntProcessingInstruction: {
            const auto& pi = static_cast<const TXmlProcessingInstruction&>(node);
            const std::string& target = pi.Name->Text;
            out.Room(target.size() + pi.Data.Len + 5);
            out.Put("<?", 2);
            out.Put(target);
            if (pi.Data.Len) {
                out.Put(' ');
                out.Put(pi.Data.View());
            } else {
                PutAttrs(out, pi.Attrs);
            }
            out.Room(2);
            out.Put("?>", 2);
            break;
        }
        case xntDocument:
            break;  // never a child
    }
}

}  // namespace

std::string XmlValueText(const TXmlAttr& attr) {
    switch (attr.Kind) {
        case TXmlValueKind::Text:
            return attr.Text.Str();
        case TXmlValueKind::Bool:
            return attr.IntValue ? "1" : "0";
        case TXmlValueKind::Int:
            return std::to_string(attr.IntValue);
        case TXmlValueKind::DateTime: {
            char buf[96];
            return std::string(buf, FormatDateTime(buf, attr.DateTime()));
        }
    }
    return std::string();
}

std::string XmlDocumentText(const XmlDocumentPtr& doc) {
    auto* d = dynamic_cast<TXmlDocument*>(doc.get());
    if (!d) throw EXmlError(doc ? "Not a document of this XML document layer" : "No XML document given");
    TXmlOutput out(d->SizeHint + d->SizeHint / 8);
    for (size_t i = 0; i < d->Children.Count(); ++i) WriteNode(out, *d->Children.Item(i));
    std::string text = out.Finish();
    d->SizeHint = text.size();
    return text;
}

}  // namespace quorlet
