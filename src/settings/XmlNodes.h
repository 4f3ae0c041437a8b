#pragma once
// Node classes of the XML document layer (internal header).
//
// Nodes are owned through std::shared_ptr: a node's child list holds a counted
// reference to each child, and a child points back to its parent with a plain
// pointer that is cleared when the child leaves the list (removal, clearing, or
// destruction of the list while someone else still holds the child).
//
// Memory: every node of a document, its child and attribute arrays and its
// texts come from the document's arena (TXmlArena), which is released when the
// document and the last node anyone still holds are gone. The arena also holds
// the names its nodes use. A parsed document keeps a copy of its input in the
// arena and its values point into it, so a load costs one copy of the file
// instead of one allocation per value; the copy stays as it was read (a value
// with references is decoded elsewhere), so that errors can count its lines.
//
// Callers see the nodes through IXmlNode / IXmlElement / IXmlDocument; inside
// the layer every node is a TXmlNode, and its kind (Type) tells which class.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
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

// ---------------------------------------------------------------------------
// Arena

// Bump allocation in blocks; nothing is freed before the arena goes. Counted
// without atomics: like the rest of the layer it is used from one thread.
class TXmlArena {
public:
    explicit TXmlArena(size_t firstBlock) : FNextBlock(firstBlock < 1024 ? 1024 : firstBlock) {}
    ~TXmlArena();
    TXmlArena(const TXmlArena&) = delete;
    TXmlArena& operator=(const TXmlArena&) = delete;

    // align is a power of two no larger than alignof(std::max_align_t).
    void* Allocate(size_t size, size_t align) {
        if (size == 0) size = 1;
        size_t pad = (align - (reinterpret_cast<uintptr_t>(FCur) & (align - 1))) & (align - 1);
        size_t room = static_cast<size_t>(FEnd - FCur);
        if (room >= pad && room - pad >= size) {
            char* p = FCur + pad;
            FCur = p + size;
            return p;
        }
        return AllocateInNewBlock(size, align);
    }
    // Gives back the end of the latest allocation (p of size bytes) so that it
    // keeps only newSize bytes; false, and nothing changed, when p is not the
    // latest allocation.
    bool ShrinkLatest(void* p, size_t size, size_t newSize) {
        char* end = static_cast<char*>(p) + size;
        if (end != FCur || newSize > size) return false;
        FCur = static_cast<char*>(p) + newSize;
        return true;
    }

    // Keeps the name in the table for as long as the arena lives; the nodes
    // made in the arena point at their names without counting.
    TXmlName* Hold(TXmlName* name) {
        if (name->HeldBy != this) HoldAnother(name);
        return name;
    }

    size_t Refs = 0;
    // The text a parsed document was read from, kept as it was (in the first
    // block): the line of an element is counted there when an error names it.
    const char* Source = nullptr;

private:
    void* AllocateInNewBlock(size_t size, size_t align);
    void HoldAnother(TXmlName* name);

    // Outside the blocks, so that holding a name never comes between an
    // allocation and its ShrinkLatest.
    std::vector<TXmlName*> FHeld;

    struct TBlock {
        TBlock* Next;
    };
    TBlock* FBlocks = nullptr;
    char* FCur = nullptr;
    char* FEnd = nullptr;
    size_t FNextBlock;
};

class TXmlArenaRef {
public:
    TXmlArenaRef() = default;
    explicit TXmlArenaRef(TXmlArena* arena) : FArena(arena) {
        if (FArena) ++FArena->Refs;
    }
    TXmlArenaRef(const TXmlArenaRef& o) : TXmlArenaRef(o.FArena) {}
    TXmlArenaRef& operator=(const TXmlArenaRef& o) {
        TXmlArenaRef copy(o);
        std::swap(FArena, copy.FArena);
        return *this;
    }
    ~TXmlArenaRef() {
        if (FArena) Release(FArena);
    }
    TXmlArena* Get() const { return FArena; }

    // Gives up one counted reference; the last one deletes the arena.
    static void Release(TXmlArena* arena) {
        if (--arena->Refs == 0) Free(arena);
    }

private:
    static void Free(TXmlArena* arena);  // out of line: see XmlArena.cpp
    TXmlArena* FArena = nullptr;
};

// Allocator for std::allocate_shared. Each control block it allocates counts
// as a reference to the arena from its allocation until it is given back,
// which is the last thing done with it; copies of the allocator (the library
// makes several for each node) then cost nothing.
template <class T>
class TXmlArenaAllocator {
public:
    using value_type = T;
    explicit TXmlArenaAllocator(TXmlArena* arena) : Arena(arena) {}
    template <class U>
    TXmlArenaAllocator(const TXmlArenaAllocator<U>& o) : Arena(o.Arena) {}
    T* allocate(size_t n) {
        T* p = static_cast<T*>(Arena->Allocate(n * sizeof(T), alignof(T)));
        ++Arena->Refs;
        return p;
    }
    void deallocate(T*, size_t) noexcept { TXmlArenaRef::Release(Arena); }
    template <class U>
    bool operator==(const TXmlArenaAllocator<U>& o) const { return Arena == o.Arena; }
    template <class U>
    bool operator!=(const TXmlArenaAllocator<U>& o) const { return Arena != o.Arena; }

    TXmlArena* Arena;
};

// A byte string in arena memory. Cap is the room at Ptr, so a value that is
// rewritten with one no longer than before reuses its bytes (a value in the
// copy of a parsed input has none).
struct TXmlStr {
    char* Ptr = nullptr;
    uint32_t Len = 0;
    uint32_t Cap = 0;

    std::string_view View() const { return std::string_view(Ptr, Len); }
    std::string Str() const { return Len ? std::string(Ptr, Len) : std::string(); }
    void Assign(TXmlArena& arena, const char* p, size_t n);
};

// ---------------------------------------------------------------------------
// Nodes and lists

class TXmlNode;
using TXmlNodeRef = std::shared_ptr<TXmlNode>;

class TXmlNodeList : public TXmlBase {
public:
    explicit TXmlNodeList(TXmlNode* owner) : FOwner(owner) {}
    ~TXmlNodeList() override;

    size_t Count() const { return FCount; }
    TXmlNode* Item(size_t index) const { return FItems[index].get(); }
    const TXmlNodeRef& Ref(size_t index) const { return FItems[index]; }
    size_t Capacity() const { return FCapacity; }

    inline void Add(TXmlNodeRef node);
    // Takes over the n nodes at items (moved from) into an empty list, in an
    // array of exactly that size: the parser knows a list's length when the
    // element ends.
    void Adopt(TXmlNodeRef* items, size_t n);
    // False when node is not in the list.
    bool Remove(const TXmlNode* node);
    void Clear();

private:
    void Grow();
    TXmlNode* FOwner;
    TXmlNodeRef* FItems = nullptr;
    uint32_t FCount = 0;
    uint32_t FCapacity = 0;
};

// Attribute values keep the type they were written with; loaded values are text.
enum class TXmlValueKind : uint8_t { Text, Bool, Int, DateTime };

struct TXmlAttr {
    TXmlName* Name = nullptr;  // held by the arena
    // The text of a Text value; for a DateTime value Ptr points at the TDateTime
    // (arena memory) and Len and Cap are 0.
    TXmlStr Text;
    int32_t IntValue = 0;  // Bool (0/1) and Int
    TXmlValueKind Kind = TXmlValueKind::Text;

    const TDateTime& DateTime() const { return *reinterpret_cast<const TDateTime*>(Text.Ptr); }
};

class TXmlAttrList {
public:
    TXmlAttrList() = default;
    TXmlAttrList(const TXmlAttrList&) = delete;
    TXmlAttrList& operator=(const TXmlAttrList&) = delete;

    size_t Count() const { return FCount; }
    size_t Capacity() const { return FCapacity; }
    TXmlAttr& operator[](size_t index) { return FItems[index]; }
    const TXmlAttr& operator[](size_t index) const { return FItems[index]; }
    TXmlAttr* Find(const TXmlName* name);
    const TXmlAttr* Find(const TXmlName* name) const;
    // Room for the first four attributes of an empty list, as its first growth
    // would make it.
    void ReserveFirst(TXmlArena& arena) {
        const uint32_t capacity = static_cast<uint32_t>(XmlListGrowth(0));
        FItems = static_cast<TXmlAttr*>(arena.Allocate(capacity * sizeof(TXmlAttr), alignof(TXmlAttr)));
        FCapacity = capacity;
    }
    // A new attribute (empty text) at the end.
    TXmlAttr& Append(TXmlArena& arena, TXmlName* name) {
        if (FCount == FCapacity) Grow(arena);
        TXmlAttr* a = new (&FItems[FCount]) TXmlAttr();
        a->Name = arena.Hold(name);
        ++FCount;
        return *a;
    }
    // The attribute of that name, appended (as empty text) when missing.
    TXmlAttr& Obtain(TXmlArena& arena, TXmlName* name);
    // Drops the unused room at the end of the array when the array is the
    // arena's latest allocation (a parsed start tag's attributes are).
    void Fit(TXmlArena& arena) {
        if (FCapacity > FCount &&
            arena.ShrinkLatest(FItems, FCapacity * sizeof(TXmlAttr), FCount * sizeof(TXmlAttr)))
            FCapacity = FCount;
    }

private:
    void Grow(TXmlArena& arena);
    TXmlAttr* FItems = nullptr;
    uint32_t FCount = 0;
    uint32_t FCapacity = 0;
};

class TXmlNode : public TXmlBase {
public:
    TXmlNode(TXmlNodeType type, TXmlName* name, TXmlArena* arena)
        : Type(type), Name(arena->Hold(name)), Arena(arena) {}

    const TXmlNodeType Type;
    // Where a parsed element's start tag is in the arena's Source: one more
    // than its byte offset (0 for nodes made in memory). It fills the room
    // that the alignment of Name leaves after Type.
    uint32_t SourcePos = 0;
    TXmlName* const Name;  // held by the arena
    TXmlNode* Parent = nullptr;
    TXmlArena* const Arena;  // kept alive by this node's control block (TXmlArenaAllocator)

    virtual IXmlNode* Intf() = 0;
    virtual TXmlNodeList* ChildList() { return nullptr; }
    const TXmlNodeList* ChildList() const { return const_cast<TXmlNode*>(this)->ChildList(); }
    virtual std::string Value() const { return std::string(); }
};

inline void TXmlNodeList::Add(TXmlNodeRef node) {
    if (FCount == FCapacity) Grow();
    node->Parent = FOwner;
    new (&FItems[FCount]) TXmlNodeRef(std::move(node));
    ++FCount;
}

// Implements IXmlNode (or an interface derived from it) over TXmlNode.
template <class TIntf>
class TXmlNodeImpl : public TXmlNode, public TIntf {
public:
    TXmlNodeImpl(TXmlNodeType type, TXmlName* name, TXmlArena* arena) : TXmlNode(type, name, arena) {}

    TXmlNodeType NodeType() const override { return Type; }
    const std::string& NodeName() const override { return Name->Text; }
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
    TXmlElement(TXmlName* name, TXmlArena* arena)
        : TXmlNodeImpl<IXmlElement>(xntElement, name, arena), Children(this) {}

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
    TXmlText(TXmlStr text, TXmlArena* arena)
        : TXmlNodeImpl<IXmlNode>(xntText, XmlNames().TextName(), arena), Text(text) {}
    std::string Value() const override { return Text.Str(); }
    TXmlStr Text;
};

class TXmlCharacterData : public TXmlNodeImpl<IXmlNode> {
public:
    TXmlCharacterData(TXmlNodeType type, TXmlName* name, TXmlStr text, TXmlArena* arena)
        : TXmlNodeImpl<IXmlNode>(type, name, arena), Text(text) {}
    std::string Value() const override { return Text.Str(); }
    TXmlStr Text;
};

class TXmlCDATASection : public TXmlCharacterData {
public:
    TXmlCDATASection(TXmlStr text, TXmlArena* arena)
        : TXmlCharacterData(xntCDATASection, XmlNames().CDATAName(), text, arena) {}
};

class TXmlComment : public TXmlCharacterData {
public:
    TXmlComment(TXmlStr text, TXmlArena* arena)
        : TXmlCharacterData(xntComment, XmlNames().CommentName(), text, arena) {}
};

// A processing instruction holds either data text (the declaration made for a
// new document, and every instruction other than "xml" read from a file) or an
// attribute list (the declaration read from a file).
class TXmlProcessingInstruction : public TXmlNodeImpl<IXmlNode> {
public:
    TXmlProcessingInstruction(TXmlName* target, TXmlArena* arena)
        : TXmlNodeImpl<IXmlNode>(xntProcessingInstruction, target, arena) {}
    std::string Value() const override { return Data.Str(); }
    TXmlStr Data;
    TXmlAttrList Attrs;
};

class TXmlDocument : public TXmlNodeImpl<IXmlDocument> {
public:
    explicit TXmlDocument(TXmlArena* arena)
        : TXmlNodeImpl<IXmlDocument>(xntDocument, XmlNames().DocumentName(), arena), Children(this) {}

    TXmlNodeList* ChildList() override { return &Children; }
    bool PreserveWhiteSpace() const override { return FPreserveWhiteSpace; }

    TXmlNodeList Children;
    // Size of the text last read or written; lets the writer size its buffer.
    size_t SizeHint = 0;
    // The file the document was read from, named by errors in its values.
    std::string FileName;

private:
    bool FPreserveWhiteSpace = false;  // the process-wide default for every document
};

// A new node in the arena; its control block holds a reference to the arena.
template <class T, class... TArgs>
std::shared_ptr<T> XmlNewNode(TXmlArena* arena, TArgs&&... args) {
    return std::allocate_shared<T>(TXmlArenaAllocator<T>(arena), std::forward<TArgs>(args)..., arena);
}

// An empty document with a fresh arena whose first block holds firstBlock bytes.
std::shared_ptr<TXmlDocument> XmlNewDocument(size_t firstBlock);

// Text of an attribute value as it is written (before escaping).
std::string XmlValueText(const TXmlAttr& attr);

}  // namespace quorlet
