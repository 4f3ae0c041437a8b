#pragma once
// Node classes of the XML document layer (internal header).
//
// Nodes are owned through std::shared_ptr: a node's child list holds a counted
// reference to each child, and a child points back to its parent with a plain
// pointer that is cleared when the child leaves the list (removal, clearing, or
// destruction of the list while someone else still holds the child).
//
// Callers see the nodes through IXmlNode / IXmlElement / IXmlDocument; inside
// the layer every node is a TXmlNode, and its kind (Type) tells which class.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "XmlDoc.h"
#include "XmlNameTable.h"

namespace quorlet {

// Deepest element nesting the layer accepts: the root element has depth 0, so
// at most this many elements are nested in one another. Deeper input is
// rejected by the parser, and AddChildElement refuses to go deeper, which keeps
// the recursive writer and the destruction of a tree well inside the stack.
const size_t kXmlMaxDepth = 256;

// Child and attribute lists grow by 4 entries while they hold up to 8, by 16
// while they hold up to 64, and by a quarter of their size beyond that.
inline size_t XmlListGrowth(size_t capacity) {
    if (capacity > 64) return capacity / 4;
    if (capacity > 8) return 16;
    return 4;
}

template <class TVector>
inline void XmlReserveOne(TVector& v) {
    if (v.size() == v.capacity()) v.reserve(v.capacity() + XmlListGrowth(v.capacity()));
}

class TXmlNode;
using TXmlNodeRef = std::shared_ptr<TXmlNode>;

class TXmlNodeList : public TXmlBase {
public:
    explicit TXmlNodeList(TXmlNode* owner) : FOwner(owner) {}
    ~TXmlNodeList() override;

    size_t Count() const { return FItems.size(); }
    TXmlNode* Item(size_t index) const { return FItems[index].get(); }
    const TXmlNodeRef& Ref(size_t index) const { return FItems[index]; }
    size_t Capacity() const { return FItems.capacity(); }

    void Add(TXmlNodeRef node);
    // False when node is not in the list.
    bool Remove(const TXmlNode* node);
    void Clear();

private:
    TXmlNode* FOwner;
    std::vector<TXmlNodeRef> FItems;
};

// Attribute values keep the type they were written with; loaded values are text.
enum class TXmlValueKind : uint8_t { Text, Bool, Int, DateTime };

struct TXmlAttr {
    TXmlNameRef Name;
    std::string Text;        // Text
    int32_t IntValue = 0;    // Bool (0/1) and Int
    TXmlValueKind Kind = TXmlValueKind::Text;
    TDateTime DateTime;      // DateTime
};

class TXmlAttrList {
public:
    size_t Count() const { return Items.size(); }
    TXmlAttr* Find(const TXmlName* name);
    const TXmlAttr* Find(const TXmlName* name) const;
    // The attribute of that name, appended (as empty text) when missing.
    TXmlAttr& Obtain(const TXmlNameRef& name);

    std::vector<TXmlAttr> Items;
};

class TXmlNode : public TXmlBase {
public:
    TXmlNode(TXmlNodeType type, TXmlNameRef name) : Type(type), Name(std::move(name)) {}

    const TXmlNodeType Type;
    TXmlNameRef Name;
    TXmlNode* Parent = nullptr;

    virtual IXmlNode* Intf() = 0;
    virtual TXmlNodeList* ChildList() { return nullptr; }
    const TXmlNodeList* ChildList() const { return const_cast<TXmlNode*>(this)->ChildList(); }
    virtual std::string Value() const { return std::string(); }
};

// Implements IXmlNode (or an interface derived from it) over TXmlNode.
template <class TIntf>
class TXmlNodeImpl : public TXmlNode, public TIntf {
public:
    TXmlNodeImpl(TXmlNodeType type, TXmlNameRef name) : TXmlNode(type, std::move(name)) {}

    TXmlNodeType NodeType() const override { return Type; }
    const std::string& NodeName() const override { return Name.Text(); }
    IXmlNode* ParentNode() const override { return Parent ? Parent->Intf() : nullptr; }
    size_t ChildCount() const override {
        const TXmlNodeList* list = ChildList();
        return list ? list->Count() : 0;
    }
    XmlNodePtr Child(size_t index) const override {
        const TXmlNodeList* list = ChildList();
        if (!list || index >= list->Count()) throw EXmlError("Child node index out of range");
        const TXmlNodeRef& ref = list->Ref(index);
        return XmlNodePtr(ref, ref->Intf());
    }
    std::string NodeValue() const override { return Value(); }
    IXmlNode* Intf() override { return this; }
};

class TXmlElement : public TXmlNodeImpl<IXmlElement> {
public:
    explicit TXmlElement(TXmlNameRef name)
        : TXmlNodeImpl<IXmlElement>(xntElement, std::move(name)), Children(this) {}

    TXmlNodeList* ChildList() override { return &Children; }

    size_t AttrCount() const override { return Attrs.Count(); }
    const std::string& AttrName(size_t index) const override;
    std::string AttrText(size_t index) const override;
    bool HasAttr(const std::string& name) const override;

    TXmlNodeList Children;
    TXmlAttrList Attrs;
};

class TXmlText : public TXmlNodeImpl<IXmlNode> {
public:
    explicit TXmlText(std::string text)
        : TXmlNodeImpl<IXmlNode>(xntText, TXmlNameRef(XmlNames().TextName())), Text(std::move(text)) {}
    std::string Value() const override { return Text; }
    std::string Text;
};

class TXmlCharacterData : public TXmlNodeImpl<IXmlNode> {
public:
    TXmlCharacterData(TXmlNodeType type, TXmlName* name, std::string text)
        : TXmlNodeImpl<IXmlNode>(type, TXmlNameRef(name)), Text(std::move(text)) {}
    std::string Value() const override { return Text; }
    std::string Text;
};

class TXmlCDATASection : public TXmlCharacterData {
public:
    explicit TXmlCDATASection(std::string text)
        : TXmlCharacterData(xntCDATASection, XmlNames().CDATAName(), std::move(text)) {}
};

class TXmlComment : public TXmlCharacterData {
public:
    explicit TXmlComment(std::string text)
        : TXmlCharacterData(xntComment, XmlNames().CommentName(), std::move(text)) {}
};

// A processing instruction holds either data text (the declaration made for a
// new document, and every instruction other than "xml" read from a file) or an
// attribute list (the declaration read from a file).
class TXmlProcessingInstruction : public TXmlNodeImpl<IXmlNode> {
public:
    explicit TXmlProcessingInstruction(TXmlNameRef target)
        : TXmlNodeImpl<IXmlNode>(xntProcessingInstruction, std::move(target)) {}
    std::string Value() const override { return Data; }
    std::string Data;
    TXmlAttrList Attrs;
};

class TXmlDocument : public TXmlNodeImpl<IXmlDocument> {
public:
    TXmlDocument() : TXmlNodeImpl<IXmlDocument>(xntDocument, TXmlNameRef(XmlNames().DocumentName())), Children(this) {}

    TXmlNodeList* ChildList() override { return &Children; }
    bool PreserveWhiteSpace() const override { return FPreserveWhiteSpace; }

    TXmlNodeList Children;
    // Size of the text the document was parsed from; lets the writer size its buffer.
    size_t SizeHint = 0;

private:
    bool FPreserveWhiteSpace = false;  // the process-wide default for every document
};

// Text of an attribute value as it is written (before escaping).
std::string XmlValueText(const TXmlAttr& attr);

}  // namespace quorlet
