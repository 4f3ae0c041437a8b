// The XML document layer: name table, node lists, tree navigation and editing,
// typed attributes, loading and saving files. The parser is in XmlParser.cpp,
// the writer in XmlWriter.cpp.
#include "XmlDoc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

#include "base/FileIo.h"
#include "XmlChars.h"
#include "XmlNodes.h"

namespace quorlet {

// ---------------------------------------------------------------------------
// Name table

TXmlNameTable::TXmlNameTable() {
    for (size_t i = 0; i < BucketCount; ++i) FBuckets[i] = nullptr;
    FText = AddReserved("#text");
    FCDATA = AddReserved("#cdata-section");
    FComment = AddReserved("#comment");
    FDocument = AddReserved("#document");
    FXml = AddReserved("xml");
}

TXmlNameTable::~TXmlNameTable() {
    for (size_t i = 0; i < BucketCount; ++i) {
        TXmlName* e = FBuckets[i];
        while (e) {
            TXmlName* next = e->Next;
            delete e;
            e = next;
        }
    }
}

TXmlName* TXmlNameTable::AddReserved(const char* text) {
    TXmlNameRef ref = Intern(text);
    ref.Get()->Reserved = true;
    return ref.Get();
}

TXmlNameRef TXmlNameTable::Add(const char* p, size_t n, uint32_t hash) {
    TXmlName*& head = FBuckets[hash & (BucketCount - 1)];
    TXmlName* e = new TXmlName;
    e->Text.assign(p, n);
    char first[8] = {};
    std::memcpy(first, p, n < 8 ? n : 8);
    e->Head = XmlNameHead(first, n);
    e->Hash = hash;
    e->Next = head;
    head = e;
    ++FSize;
    return TXmlNameRef(e);
}

TXmlName* TXmlNameTable::Find(const std::string& s) const {
    uint32_t hash = HashOf(s.data(), s.size());
    for (TXmlName* e = FBuckets[hash & (BucketCount - 1)]; e; e = e->Next) {
        if (e->Hash == hash && e->Text == s) return e;
    }
    return nullptr;
}

void TXmlNameTable::Drop(TXmlName* name) {
    TXmlName** link = &FBuckets[name->Hash & (BucketCount - 1)];
    while (*link && *link != name) link = &(*link)->Next;
    if (*link) {
        *link = name->Next;
        --FSize;
        delete name;
    }
}

TXmlNameTable& XmlNames() {
    static TXmlNameTable* table = new TXmlNameTable;
    return *table;
}

// ---------------------------------------------------------------------------
// Strings

void TXmlStr::Assign(TXmlArena& arena, const char* p, size_t n) {
    if (n > UINT32_MAX) throw EXmlError("XML value too long");
    if (n > Cap) {
        Ptr = static_cast<char*>(arena.Allocate(n, 1));
        Cap = static_cast<uint32_t>(n);
    }
    if (n) std::memmove(Ptr, p, n);
    Len = static_cast<uint32_t>(n);
}

std::shared_ptr<TXmlDocument> XmlNewDocument(size_t firstBlock) {
    TXmlArenaRef arena(new TXmlArena(firstBlock));
    return XmlNewNode<TXmlDocument>(arena.Get());
}

// ---------------------------------------------------------------------------
// Node and attribute lists

namespace {
uint32_t GrownCapacity(uint32_t capacity) {
    size_t grown = capacity + XmlListGrowth(capacity);
    if (grown > UINT32_MAX) throw EXmlError("XML list too long");
    return static_cast<uint32_t>(grown);
}
}  // namespace

TXmlNodeList::~TXmlNodeList() {
    for (uint32_t i = 0; i < FCount; ++i) {
        FItems[i]->Parent = nullptr;
        FItems[i].~TXmlNodeRef();
    }
}

void TXmlNodeList::Grow() {
    uint32_t capacity = GrownCapacity(FCapacity);
    void* memory = FOwner->Arena->Allocate(capacity * sizeof(TXmlNodeRef), alignof(TXmlNodeRef));
    TXmlNodeRef* items = static_cast<TXmlNodeRef*>(memory);
    for (uint32_t i = 0; i < FCount; ++i) {
        new (&items[i]) TXmlNodeRef(std::move(FItems[i]));
        FItems[i].~TXmlNodeRef();
    }
    FItems = items;  // the old array stays in the arena until it goes
    FCapacity = capacity;
}

void TXmlNodeList::Adopt(TXmlNodeRef* items, size_t n) {
    if (n == 0) return;
    if (n > UINT32_MAX) throw EXmlError("XML list too long");
    void* memory = FOwner->Arena->Allocate(n * sizeof(TXmlNodeRef), alignof(TXmlNodeRef));
    FItems = static_cast<TXmlNodeRef*>(memory);
    for (size_t i = 0; i < n; ++i) {
        items[i]->Parent = FOwner;
        new (&FItems[i]) TXmlNodeRef(std::move(items[i]));
    }
    FCount = FCapacity = static_cast<uint32_t>(n);
}

bool TXmlNodeList::Remove(const TXmlNode* node) {
    for (uint32_t i = 0; i < FCount; ++i) {
        if (FItems[i].get() != node) continue;
        TXmlNodeRef keep = std::move(FItems[i]);
        for (uint32_t j = i + 1; j < FCount; ++j) FItems[j - 1] = std::move(FItems[j]);
        FItems[FCount - 1].~TXmlNodeRef();
        --FCount;
        keep->Parent = nullptr;
        return true;  // keep releases the child here, after the list is consistent
    }
    return false;
}

void TXmlNodeList::Clear() {
    uint32_t n = FCount;
    FCount = 0;
    for (uint32_t i = 0; i < n; ++i) {
        FItems[i]->Parent = nullptr;
        FItems[i].~TXmlNodeRef();
    }
}


TXmlAttr* TXmlAttrList::Find(const TXmlName* name) {
    for (uint32_t i = 0; i < FCount; ++i)
        if (FItems[i].Name == name) return &FItems[i];
    return nullptr;
}

const TXmlAttr* TXmlAttrList::Find(const TXmlName* name) const {
    for (uint32_t i = 0; i < FCount; ++i)
        if (FItems[i].Name == name) return &FItems[i];
    return nullptr;
}

void TXmlAttrList::Grow(TXmlArena& arena) {
    uint32_t capacity = GrownCapacity(FCapacity);
    TXmlAttr* items = static_cast<TXmlAttr*>(arena.Allocate(capacity * sizeof(TXmlAttr), alignof(TXmlAttr)));
    for (uint32_t i = 0; i < FCount; ++i) new (&items[i]) TXmlAttr(FItems[i]);
    FItems = items;
    FCapacity = capacity;
}

TXmlAttr& TXmlAttrList::Obtain(TXmlArena& arena, TXmlName* name) {
    if (TXmlAttr* a = Find(name)) return *a;
    return Append(arena, name);
}

// ---------------------------------------------------------------------------
// Element interface

const std::string& TXmlElement::AttrName(size_t index) const {
    if (index >= Attrs.Count()) throw EXmlError("Attribute index out of range");
    return Attrs[index].Name->Text;
}

std::string TXmlElement::AttrText(size_t index) const {
    if (index >= Attrs.Count()) throw EXmlError("Attribute index out of range");
    return XmlValueText(Attrs[index]);
}

bool TXmlElement::HasAttr(const std::string& name) const {
    const TXmlName* key = XmlNames().Find(name);
    return key && Attrs.Find(key);
}

// ---------------------------------------------------------------------------
// Helpers

namespace {

TXmlNode* NodeOf(const IXmlNode* node) {
    if (!node) throw EXmlError("No XML node given");
    auto* impl = dynamic_cast<TXmlNode*>(const_cast<IXmlNode*>(node));
    if (!impl) throw EXmlError("Not a node of this XML document layer");
    return impl;
}

TXmlElement* ElementOf(const IXmlElement* element) {
    TXmlNode* node = NodeOf(element);
    if (node->Type != xntElement) throw EXmlError("Not an XML element");
    return static_cast<TXmlElement*>(node);
}

XmlElementPtr ElementPtr(const TXmlNodeRef& ref) {
    return XmlElementPtr(ref, static_cast<TXmlElement*>(ref.get()));
}

void CheckName(const std::string& name, const char* what) {
    if (!IsValidXmlName(name)) throw EXmlError(std::string("Invalid XML ") + what + " name \"" + name + "\"");
}

const TXmlAttr* FindAttr(const TXmlElement* element, const std::string& name) {
    const TXmlName* key = XmlNames().Find(name);
    return key ? element->Attrs.Find(key) : nullptr;
}

// The attribute, created when missing, ready to take a value of the kind.
TXmlAttr& ObtainAttr(TXmlElement* e, const std::string& name, TXmlValueKind kind) {
    CheckName(name, "attribute");
    TXmlAttr& a = e->Attrs.Obtain(*e->Arena, XmlNames().Intern(name).Get());
    if (kind == TXmlValueKind::DateTime) {
        if (a.Kind != TXmlValueKind::DateTime) {
            a.Text.Ptr = static_cast<char*>(e->Arena->Allocate(sizeof(TDateTime), alignof(TDateTime)));
            new (a.Text.Ptr) TDateTime();
            a.Text.Len = 0;
            a.Text.Cap = 0;
        }
    } else if (a.Kind == TXmlValueKind::DateTime) {
        a.Text = TXmlStr();
    }
    a.Kind = kind;
    return a;
}

// Names the file and the line as the parser's errors do, where the element
// has them: a hand-edited value is then found in the file.
[[noreturn]] void ConversionError(const TXmlElement* e, const std::string& name, const std::string& text,
                                  const char* type) {
    const TXmlNode* top = e;
    while (top->Parent) top = top->Parent;
    std::string where;
    if (top->Type == xntDocument) {
        const std::string& fileName = static_cast<const TXmlDocument*>(top)->FileName;
        if (!fileName.empty()) where = "File \"" + fileName + "\": ";
    }
    where += "XML error";
    if (e->SourcePos) {
        const char* source = e->Arena->Source;
        const auto feeds = std::count(source, source + (e->SourcePos - 1), '\n');
        where += " at line " + std::to_string(feeds + 1);
    }
    where += " (element <" + e->Name->Text + ">): ";
    throw EXmlError(where + "Attribute \"" + name + "\": \"" + text + "\" is not a valid " + type + " value");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EqualsNoCase(std::string_view s, const char* word) {
    size_t n = std::strlen(word);
    if (s.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return true;
}

// A decimal number: optional sign, digits, optional "." and digits, at least
// one digit in all, nothing else. Tells whether the value is zero.
bool ScanDecimal(std::string_view s, bool& isZero) {
    size_t i = 0, n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false;
    isZero = true;
    for (; i < n && IsDigit(s[i]); ++i) {
        digits = true;
        if (s[i] != '0') isZero = false;
    }
    if (i < n && s[i] == '.') {
        for (++i; i < n && IsDigit(s[i]); ++i) {
            digits = true;
            if (s[i] != '0') isZero = false;
        }
    }
    return digits && i == n;
}

bool ParseBoolText(std::string_view s, bool& value) {
    if (EqualsNoCase(s, "true")) {
        value = true;
        return true;
    }
    if (EqualsNoCase(s, "false")) {
        value = false;
        return true;
    }
    bool isZero;
    if (!ScanDecimal(s, isZero)) return false;
    value = !isZero;
    return true;
}

bool ParseIntText(std::string_view s, int32_t& value) {
    size_t i = 0, n = s.size();
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == n) return false;
    int64_t magnitude = 0;
    for (; i < n; ++i) {
        if (!IsDigit(s[i])) return false;
        magnitude = magnitude * 10 + (s[i] - '0');
        if (magnitude > 2147483648LL) return false;
    }
    int64_t v = negative ? -magnitude : magnitude;
    if (v > 2147483647LL) return false;
    value = static_cast<int32_t>(v);
    return true;
}

// The written form yyyy-mm-ddThh-nn-ss. Runs of digits separated by "-", "-",
// "T", "-", "-"; an empty run counts as 0 and where a separator is missing the
// remaining fields are 0 (so "2024-12-31" is midnight). Whatever follows the
// last field read is ignored.
bool ParseDateTimeText(std::string_view s, TDateTime& value) {
    static const char kSeparators[5] = {'-', '-', 'T', '-', '-'};
    int parts[6] = {0, 0, 0, 0, 0, 0};
    size_t i = 0, n = s.size();
    for (int k = 0; k < 6; ++k) {
        int v = 0;
        for (; i < n && IsDigit(s[i]); ++i)
            if (v < 100000) v = v * 10 + (s[i] - '0');  // past that no field is valid anyway
        parts[k] = v;
        if (k == 5 || i >= n || s[i] != kSeparators[k]) break;
        ++i;
    }
    TDateTime dt;
    dt.Year = parts[0];
    dt.Month = parts[1];
    dt.Day = parts[2];
    dt.Hour = parts[3];
    dt.Minute = parts[4];
    dt.Second = parts[5];
    dt.Millisecond = 0;
    if (!IsValidDateTime(dt)) return false;
    value = dt;
    return true;
}

// Numeric equality of an attribute's text with an integer: "12", "012", "+12"
// and "12.0" equal 12; "12.5" does not; text that is not a decimal number
// (including exponent forms) equals nothing.
bool DecimalTextEquals(std::string_view s, int32_t value) {
    size_t i = 0, n = s.size();
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool digits = false;
    int64_t magnitude = 0;
    for (; i < n && IsDigit(s[i]); ++i) {
        digits = true;
        if (magnitude < 10000000000LL) magnitude = magnitude * 10 + (s[i] - '0');  // saturates out of range
    }
    if (i < n && s[i] == '.') {
        for (++i; i < n && IsDigit(s[i]); ++i) {
            digits = true;
            if (s[i] != '0') return false;
        }
    }
    if (!digits || i != n) return false;
    return (negative ? -magnitude : magnitude) == static_cast<int64_t>(value);
}

bool AttrEqualsInt(const TXmlAttr& a, int32_t value) {
    switch (a.Kind) {
        case TXmlValueKind::Int:
        case TXmlValueKind::Bool:
            return a.IntValue == value;
        case TXmlValueKind::Text:
            return DecimalTextEquals(a.Text.View(), value);
        default:
            return false;  // a date-time's text is not a number
    }
}

}  // namespace

bool IsValidXmlName(const std::string& name) {
    if (name.empty() || !XmlCharIs(name[0], xcNameStart)) return false;
    for (size_t i = 1; i < name.size(); ++i)
        if (!XmlCharIs(name[i], xcNameChar)) return false;
    return true;
}

// ---------------------------------------------------------------------------
// Documents

XmlDocumentPtr NewXmlDocument(const std::string& rootName, const std::string& version,
                              const std::string& encoding) {
    CheckName(rootName, "element");
    std::shared_ptr<TXmlDocument> doc = XmlNewDocument(4096);
    TXmlArena* arena = doc->Arena;
    auto decl = XmlNewNode<TXmlProcessingInstruction>(arena, XmlNames().XmlName());
    const std::string data =
        "version=\"" + version + "\" encoding=\"" + (encoding.empty() ? "windows-1251" : encoding) + "\"";
    decl->Data.Assign(*arena, data.data(), data.size());
    doc->Children.Add(std::move(decl));
    doc->Children.Add(XmlNewNode<TXmlElement>(arena, XmlNames().Intern(rootName).Get()));
    return doc;
}

XmlDocumentPtr LoadXmlFile(const std::string& fileName) {
    std::string bytes;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(fileName), ec);
    if (!ec && size < (std::uintmax_t(1) << 31)) bytes.reserve(static_cast<size_t>(size));  // read without regrowing
    if (!ReadWholeFile(fileName, bytes)) throw EXmlError("Cannot open file \"" + fileName + "\"");
    return ParseXmlText(bytes, fileName);
}

void SaveXmlFile(const XmlDocumentPtr& doc, const std::string& fileName) {
    std::string text = XmlDocumentText(doc);
    try {
        WriteFileAtomically(fileName, text);
    } catch (const EXmlError&) {
        throw;
    } catch (const std::exception& e) {
        throw EXmlError(e.what());
    }
}

// ---------------------------------------------------------------------------
// Navigation and editing

XmlElementPtr RootElement(const XmlDocumentPtr& doc) {
    const TXmlNodeList* list = NodeOf(doc.get())->ChildList();
    if (!list) return nullptr;
    for (size_t i = 0; i < list->Count(); ++i)
        if (list->Item(i)->Type == xntElement) return ElementPtr(list->Ref(i));
    return nullptr;
}

XmlElementPtr ChildElement(const XmlNodePtr& node, const std::string& name) {
    CheckName(name, "element");
    const TXmlNodeList* list = NodeOf(node.get())->ChildList();
    const TXmlName* key = XmlNames().Find(name);
    if (!list || !key) return nullptr;
    for (size_t i = 0; i < list->Count(); ++i) {
        const TXmlNode* child = list->Item(i);
        if (child->Type == xntElement && child->Name == key) return ElementPtr(list->Ref(i));
    }
    return nullptr;
}

namespace {
template <class TMatch>
XmlElementPtr FindChildByAttr(const XmlNodePtr& node, const std::string& elementName,
                              const std::string& attrName, TMatch matches) {
    const TXmlNodeList* list = NodeOf(node.get())->ChildList();
    const TXmlName* elementKey = XmlNames().Find(elementName);
    const TXmlName* attrKey = XmlNames().Find(attrName);
    if (!list || !elementKey || !attrKey) return nullptr;
    for (size_t i = 0; i < list->Count(); ++i) {
        const TXmlNode* child = list->Item(i);
        if (child->Type != xntElement || child->Name != elementKey) continue;
        const TXmlAttr* a = static_cast<const TXmlElement*>(child)->Attrs.Find(attrKey);
        if (a && matches(*a)) return ElementPtr(list->Ref(i));
    }
    return nullptr;
}
}  // namespace

XmlElementPtr ChildByAttr(const XmlNodePtr& node, const std::string& elementName,
                          const std::string& attrName, const std::string& value) {
    return FindChildByAttr(node, elementName, attrName, [&value](const TXmlAttr& a) {
        return a.Kind == TXmlValueKind::Text ? a.Text.View() == value : XmlValueText(a) == value;
    });
}

XmlElementPtr ChildByAttr(const XmlNodePtr& node, const std::string& elementName,
                          const std::string& attrName, int32_t value) {
    return FindChildByAttr(node, elementName, attrName,
                           [value](const TXmlAttr& a) { return AttrEqualsInt(a, value); });
}

XmlElementPtr AddChildElement(const XmlNodePtr& node, const std::string& name) {
    TXmlNode* parent = NodeOf(node.get());
    TXmlNodeList* list = parent->ChildList();
    if (!list) throw EXmlError("An XML " + parent->Name->Text + " node cannot hold child elements");
    CheckName(name, "element");
    size_t depth = 0;
    for (const TXmlNode* p = parent; p; p = p->Parent)
        if (p->Type == xntElement) ++depth;
    if (depth >= kXmlMaxDepth)
        throw EXmlError("XML elements nested deeper than " + std::to_string(kXmlMaxDepth) + " levels");
    auto element = XmlNewNode<TXmlElement>(parent->Arena, XmlNames().Intern(name).Get());
    list->Add(element);
    return XmlElementPtr(element, element.get());
}

void RemoveChildNode(const XmlNodePtr& node, const XmlNodePtr& child) {
    TXmlNode* parent = NodeOf(node.get());
    if (!child) return;
    const TXmlNode* c = dynamic_cast<const TXmlNode*>(child.get());
    TXmlNodeList* list = parent->ChildList();
    if (!c || !list || c->Parent != parent) return;
    list->Remove(c);
}

void ClearChildNodes(const XmlNodePtr& node) {
    if (TXmlNodeList* list = NodeOf(node.get())->ChildList()) list->Clear();
}

// ---------------------------------------------------------------------------
// Typed attributes

std::string ReadStrAttr(const XmlElementPtr& element, const std::string& name,
                        const std::string& defaultValue) {
    const TXmlAttr* a = FindAttr(ElementOf(element.get()), name);
    return a ? XmlValueText(*a) : defaultValue;
}

void WriteStrAttr(const XmlElementPtr& element, const std::string& name, const std::string& value) {
    TXmlElement* e = ElementOf(element.get());
    TXmlAttr& a = ObtainAttr(e, name, TXmlValueKind::Text);
    a.Text.Assign(*e->Arena, value.data(), value.size());
}

bool ReadBoolAttr(const XmlElementPtr& element, const std::string& name, bool defaultValue) {
    const TXmlElement* e = ElementOf(element.get());
    const TXmlAttr* a = FindAttr(e, name);
    if (!a) return defaultValue;
    if (a->Kind == TXmlValueKind::Bool || a->Kind == TXmlValueKind::Int) return a->IntValue != 0;
    std::string text = XmlValueText(*a);
    bool value = false;
    if (!ParseBoolText(text, value)) ConversionError(e, name, text, "boolean");
    return value;
}

void WriteBoolAttr(const XmlElementPtr& element, const std::string& name, bool value) {
    TXmlAttr& a = ObtainAttr(ElementOf(element.get()), name, TXmlValueKind::Bool);
    a.IntValue = value ? 1 : 0;
}

int32_t ReadIntAttr(const XmlElementPtr& element, const std::string& name, int32_t defaultValue) {
    const TXmlElement* e = ElementOf(element.get());
    const TXmlAttr* a = FindAttr(e, name);
    if (!a) return defaultValue;
    if (a->Kind == TXmlValueKind::Int || a->Kind == TXmlValueKind::Bool) return a->IntValue;
    std::string text = XmlValueText(*a);
    int32_t value = 0;
    if (!ParseIntText(text, value)) ConversionError(e, name, text, "integer");
    return value;
}

void WriteIntAttr(const XmlElementPtr& element, const std::string& name, int32_t value) {
    TXmlAttr& a = ObtainAttr(ElementOf(element.get()), name, TXmlValueKind::Int);
    a.IntValue = value;
}

TDateTime ReadDateTimeAttr(const XmlElementPtr& element, const std::string& name,
                           const TDateTime& defaultValue) {
    const TXmlElement* e = ElementOf(element.get());
    const TXmlAttr* a = FindAttr(e, name);
    if (!a) return defaultValue;
    if (a->Kind == TXmlValueKind::DateTime && IsValidDateTime(a->DateTime())) return a->DateTime();
    std::string text = XmlValueText(*a);
    TDateTime value;
    if (!ParseDateTimeText(text, value)) ConversionError(e, name, text, "date-time");
    return value;
}

// Only whole seconds are kept: the value reads back the same before and after
// the document has been saved and loaded again.
void WriteDateTimeAttr(const XmlElementPtr& element, const std::string& name, const TDateTime& value) {
    TXmlAttr& a = ObtainAttr(ElementOf(element.get()), name, TXmlValueKind::DateTime);
    TDateTime& stored = *reinterpret_cast<TDateTime*>(a.Text.Ptr);
    stored = value;
    stored.Millisecond = 0;
}

}  // namespace quorlet
