#pragma once
// Interned names of the XML document layer (internal header).
//
// Every element, attribute and processing-instruction target name lives once in
// one process-wide table, so two names are equal exactly when their entries are
// the same object. Each document's arena holds a counted reference to every
// name its nodes use (nodes point at their names without counting, which spares
// a count per node and per attribute), and an entry that no document uses any
// more is dropped from the table: the table stays small however many different
// names the program meets over a long run.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace quorlet {

// Root of the layer's classes; lifetime is managed by std::shared_ptr, so the
// base only provides the virtual destructor.
class TXmlBase {
public:
    TXmlBase() = default;
    TXmlBase(const TXmlBase&) = delete;
    TXmlBase& operator=(const TXmlBase&) = delete;
    virtual ~TXmlBase() = default;
};

// The first eight bytes of a name (fewer for a shorter name, the rest zero) as
// one word; p must have eight readable bytes. Two names of up to eight bytes
// are equal exactly when their heads and lengths are.
inline uint64_t XmlNameHead(const char* p, size_t n) {
    static const unsigned char kMasks[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
    uint64_t word, mask;
    std::memcpy(&word, p, 8);
    std::memcpy(&mask, kMasks + 8 - (n < 8 ? n : 8), 8);
    return word & mask;
}

struct TXmlName {
    std::string Text;
    uint64_t Head = 0;  // XmlNameHead of Text
    uint32_t Hash = 0;
    TXmlName* Next = nullptr;  // chain of the bucket
    size_t Refs = 0;
    bool Reserved = false;      // the five names below never leave the table
    // The arena that took a reference last (see TXmlArena::Hold); cleared
    // when that arena goes.
    const void* HeldBy = nullptr;
    // Scratch for the parser's duplicate-attribute check: the serial number of
    // the start tag that last used this name as an attribute, and where.
    uint64_t MarkTag = 0;
    size_t MarkIndex = 0;
};

// A counted reference to a table entry.
class TXmlNameRef {
public:
    TXmlNameRef() = default;
    explicit TXmlNameRef(TXmlName* name) : FName(name) {
        if (FName) ++FName->Refs;
    }
    TXmlNameRef(const TXmlNameRef& o) : FName(o.FName) {
        if (FName) ++FName->Refs;
    }
    TXmlNameRef(TXmlNameRef&& o) noexcept : FName(o.FName) { o.FName = nullptr; }
    TXmlNameRef& operator=(TXmlNameRef o) noexcept {
        TXmlName* t = FName;
        FName = o.FName;
        o.FName = t;
        return *this;
    }
    ~TXmlNameRef() { Release(); }

    TXmlName* Get() const { return FName; }
    const std::string& Text() const { return FName->Text; }

private:
    void Release();
    TXmlName* FName = nullptr;
};

class TXmlNameTable : public TXmlBase {
public:
    static const size_t BucketCount = 4096;

    TXmlNameTable();
    ~TXmlNameTable() override;

    static uint32_t HashOf(const char* p, size_t n) {
        uint32_t h = 0;
        for (size_t i = 0; i < n; ++i) h = h * 33u + static_cast<unsigned char>(p[i]);
        return h;
    }

    // The entry for the name, added when missing (hash as HashOf computes it).
    // Returned as a reference so that a new entry is always counted.
    TXmlNameRef Intern(const char* p, size_t n, uint32_t hash) {
        for (TXmlName* e = FBuckets[hash & (BucketCount - 1)]; e; e = e->Next) {
            if (e->Hash == hash && e->Text.size() == n && SameBytes(e->Text.data(), p, n)) return TXmlNameRef(e);
        }
        return Add(p, n, hash);
    }
    TXmlNameRef Intern(const std::string& s) { return Intern(s.data(), s.size(), HashOf(s.data(), s.size())); }
    // The entry if the name is in the table, else null; never adds.
    TXmlName* Find(const std::string& s) const;
    // Called when the last reference to a non-reserved entry goes.
    void Drop(TXmlName* name);

    size_t Size() const { return FSize; }

    TXmlName* TextName() const { return FText; }
    TXmlName* CDATAName() const { return FCDATA; }
    TXmlName* CommentName() const { return FComment; }
    TXmlName* DocumentName() const { return FDocument; }
    TXmlName* XmlName() const { return FXml; }

private:
    // Names are short: a plain loop beats a call to memcmp.
    static bool SameBytes(const char* a, const char* b, size_t n) {
        for (size_t i = 0; i < n; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    TXmlNameRef Add(const char* p, size_t n, uint32_t hash);
    TXmlName* AddReserved(const char* text);

    TXmlName* FBuckets[BucketCount];
    size_t FSize = 0;
    TXmlName* FText;
    TXmlName* FCDATA;
    TXmlName* FComment;
    TXmlName* FDocument;
    TXmlName* FXml;
};

// The one table of the process (created on first use, never destroyed, so that
// documents held by other static objects can still release their names at exit).
TXmlNameTable& XmlNames();

// Gives up one counted reference to the entry.
inline void XmlReleaseName(TXmlName* name) {
    if (--name->Refs == 0 && !name->Reserved) XmlNames().Drop(name);
}

inline void TXmlNameRef::Release() {
    if (FName) XmlReleaseName(FName);
    FName = nullptr;
}

}  // namespace quorlet
