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

void AppendEscaped(std::string& out, const std::string& text) {
    const char* p = text.data();
    const char* end = p + text.size();
    const char* run = p;
    for (; p < end; ++p) {
        if (!XmlCharIs(*p, xcEscape)) continue;
        out.append(run, static_cast<size_t>(p - run));
        switch (*p) {
            case '&': out.append("&amp;", 5); break;
            case '"': out.append("&quot;", 6); break;
            case '<': out.append("&lt;", 4); break;
            default: out.append("&gt;", 4); break;
        }
        run = p + 1;
    }
    out.append(run, static_cast<size_t>(end - run));
}

void AppendInt(std::string& out, int32_t value) {
    char buf[16];
    std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, static_cast<size_t>(r.ptr - buf));
}

void AppendDateTime(std::string& out, const TDateTime& dt) {
    char buf[96];
    int n = std::snprintf(buf, sizeof buf, "%.4d-%.2d-%.2dT%.2d-%.2d-%.2d", dt.Year, dt.Month, dt.Day, dt.Hour,
                          dt.Minute, dt.Second);
    if (n > 0) out.append(buf, static_cast<size_t>(n) < sizeof buf ? static_cast<size_t>(n) : sizeof buf - 1);
}

// Value text; the other kinds never hold a byte that needs escaping.
void AppendValue(std::string& out, const TXmlAttr& a) {
    switch (a.Kind) {
        case TXmlValueKind::Text: AppendEscaped(out, a.Text); break;
        case TXmlValueKind::Bool: out.push_back(a.IntValue ? '1' : '0'); break;
        case TXmlValueKind::Int: AppendInt(out, a.IntValue); break;
        case TXmlValueKind::DateTime: AppendDateTime(out, a.DateTime); break;
    }
}

void AppendAttrs(std::string& out, const TXmlAttrList& attrs) {
    for (const TXmlAttr& a : attrs.Items) {
        out.push_back(' ');
        out.append(a.Name.Text());
        out.append("=\"", 2);
        AppendValue(out, a);
        out.push_back('"');
    }
}

void AppendIndent(std::string& out) { out.append(static_cast<size_t>(g_xmlWriteDepth), '\t'); }

void WriteNode(std::string& out, const TXmlNode& node);

void WriteElement(std::string& out, const TXmlElement& e) {
    out.append("\r\n", 2);
    AppendIndent(out);
    out.push_back('<');
    out.append(e.Name.Text());
    AppendAttrs(out, e.Attrs);
    const TXmlNodeList& children = e.Children;
    if (children.Count() == 0) {
        out.append("/>", 2);
        return;
    }
    out.push_back('>');
    const size_t contentStart = out.size();
    bool lineBreak = false;  // the content holds CR or LF
    {
        TWriteDepthStep step;
        for (size_t i = 0; i < children.Count(); ++i) {
            const TXmlNode& child = *children.Item(i);
            WriteNode(out, child);
            if (child.Type == xntElement) lineBreak = true;  // it began with CR LF
        }
    }
    if (!lineBreak) lineBreak = out.find_first_of("\r\n", contentStart) != std::string::npos;
    if (lineBreak) {
        bool endsWithLineBreak = out.size() - contentStart >= 2 && out[out.size() - 2] == '\r' &&
                                 out[out.size() - 1] == '\n';
        if (!endsWithLineBreak) out.append("\r\n", 2);
        AppendIndent(out);
    }
    out.append("</", 2);
    out.append(e.Name.Text());
    out.push_back('>');
}

void WriteNode(std::string& out, const TXmlNode& node) {
    switch (node.Type) {
        case xntElement:
            WriteElement(out, static_cast<const TXmlElement&>(node));
            break;
        case xntText:
            AppendEscaped(out, static_cast<const TXmlText&>(node).Text);
            break;
        case xntCDATASection:
            out.append("<![CDATA[", 9);
            out.append(static_cast<const TXmlCharacterData&>(node).Text);
            out.append("]]>", 3);
            break;
        case xntComment:
            out.append("<!--", 4);
            out.append(static_cast<const TXmlCharacterData&>(node).Text);
            out.append("-->", 3);
            break;
        case xntProcessingInstruction: {
            const auto& pi = static_cast<const TXmlProcessingInstruction&>(node);
            out.append("<?", 2);
            out.append(pi.Name.Text());
            if (!pi.Data.empty()) {
                out.push_back(' ');
                out.append(pi.Data);
            } else {
                AppendAttrs(out, pi.Attrs);
            }
            out.append("?>", 2);
            break;
        }
        case xntDocument:
            break;  // never a child
    }
}

}  // namespace

std::string XmlValueText(const TXmlAttr& attr) {
    if (attr.Kind == TXmlValueKind::Text) return attr.Text;
    std::string text;
    AppendValue(text, attr);
    return text;
}

std::string XmlDocumentText(const XmlDocumentPtr& doc) {
    auto* d = dynamic_cast<TXmlDocument*>(doc.get());
    if (!d) throw EXmlError(doc ? "Not a document of this XML document layer" : "No XML document given");
    std::string out;
    out.reserve(d->SizeHint + d->SizeHint / 8 + 64);
    for (size_t i = 0; i < d->Children.Count(); ++i) WriteNode(out, *d->Children.Item(i));
    d->SizeHint = out.size();
    return out;
}

}  // namespace quorlet
