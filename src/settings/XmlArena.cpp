// The arena of the XML document layer (see XmlNodes.h). Kept in a file of
// its own so that the compiler does not see the deletion of the arena where
// references to it are counted down.
#include <cstdlib>
#include <new>

#include "XmlNodes.h"

namespace quorlet {

namespace {
const size_t kArenaMaxBlock = 4u << 20;
const size_t kArenaHeader =
    (sizeof(void*) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) * alignof(std::max_align_t);
}  // namespace

TXmlArena::~TXmlArena() {
    for (TXmlName* name : FHeld) {
        if (name->HeldBy == this) name->HeldBy = nullptr;
        XmlReleaseName(name);
    }
    while (FBlocks) {
        TBlock* next = FBlocks->Next;
        std::free(FBlocks);
        FBlocks = next;
    }
}

void TXmlArenaRef::Free(TXmlArena* arena) { delete arena; }

void TXmlArena::HoldAnother(TXmlName* name) {
    FHeld.push_back(name);
    ++name->Refs;
    name->HeldBy = this;
}

void* TXmlArena::AllocateInNewBlock(size_t size, size_t align) {
    if (size > SIZE_MAX / 2) throw std::bad_alloc();
    size_t dataSize = FNextBlock > size + align ? FNextBlock : size + align;
    void* memory = std::malloc(kArenaHeader + dataSize);
    if (!memory) throw std::bad_alloc();
    TBlock* block = static_cast<TBlock*>(memory);
    block->Next = FBlocks;
    FBlocks = block;
    FCur = static_cast<char*>(memory) + kArenaHeader;
    FEnd = FCur + dataSize;
    if (FNextBlock < kArenaMaxBlock) FNextBlock = FNextBlock * 2 < kArenaMaxBlock ? FNextBlock * 2 : kArenaMaxBlock;
    return Allocate(size, align);
}

}  // namespace quorlet
