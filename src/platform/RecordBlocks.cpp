// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/RecordBlocks.h"

#include "platform/LargePages.h"

#include <cstdint>
#include <new>

namespace {

// A block starts on a multiple of its size, so that a record tells its
// block by its address alone.
constexpr std::size_t BlockSize = LargePageSize;
constexpr std::size_t Alignment = alignof(std::max_align_t);

constexpr std::size_t RoundUp(std::size_t size, std::size_t unit)
{
    return (size + unit - 1) / unit * unit;
}

} // namespace

// At the start of each block. Slots that were never handed out are not on
// the free list: their memory is touched only when they are first taken.
struct TRecordBlocks::TBlock {
    TBlock* Previous = nullptr;
    TBlock* Next = nullptr;
    void* FreeList = nullptr;
    std::size_t Untouched = 0;
    std::size_t Used = 0;
    bool Linked = false;

    unsigned char* Slot(std::size_t index, std::size_t slotSize)
    {
        return reinterpret_cast<unsigned char*>(this) + RoundUp(sizeof(TBlock), Alignment) + index * slotSize;
    }
};

TRecordBlocks::TRecordBlocks(std::size_t recordSize)
    : m_slotSize(RoundUp(recordSize < sizeof(void*) ? sizeof(void*) : recordSize, Alignment))
    , m_slots((BlockSize - RoundUp(sizeof(TBlock), Alignment)) / m_slotSize)
{
}

TRecordBlocks::TBlock* TRecordBlocks::NewBlock()
{
    void* memory = MapLargePages(BlockSize);
    if (!memory)
        return nullptr;
    ++m_blocks;
    return new (memory) TBlock;
}

void TRecordBlocks::Link(TBlock* block)
{
    block->Previous = nullptr;
    block->Next = m_open;
    if (m_open)
        m_open->Previous = block;
    m_open = block;
    block->Linked = true;
}

void TRecordBlocks::Unlink(TBlock* block)
{
    if (block->Previous)
        block->Previous->Next = block->Next;
    else
        m_open = block->Next;
    if (block->Next)
        block->Next->Previous = block->Previous;
    block->Previous = block->Next = nullptr;
    block->Linked = false;
}

void* TRecordBlocks::Take()
{
    const std::lock_guard lock(m_mutex);
    if (!m_open) {
        TBlock* block = NewBlock();
        if (!block)
            throw std::bad_alloc();
        Link(block);
    }
    TBlock* block = m_open;
    void* record;
    if (block->FreeList) {
        record = block->FreeList;
        block->FreeList = *static_cast<void**>(record);
    } else {
        record = block->Slot(block->Untouched++, m_slotSize);
    }
    if (++block->Used == m_slots)
        Unlink(block);
    return record;
}

void TRecordBlocks::Give(void* record)
{
    if (!record)
        return;
    const std::lock_guard lock(m_mutex);
    auto* block = reinterpret_cast<TBlock*>(std::uintptr_t(record) & ~std::uintptr_t(BlockSize - 1));
    if (--block->Used == 0) {
        if (block->Linked)
            Unlink(block);
        --m_blocks;
        block->~TBlock();
        UnmapLargePages(block, BlockSize);
        return;
    }
    *static_cast<void**>(record) = block->FreeList;
    block->FreeList = record;
    if (!block->Linked)
        Link(block);
}

int TRecordBlocks::Blocks() const
{
    const std::lock_guard lock(m_mutex);
    return m_blocks;
}
