// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Memory for many records of one size. Opening an album of a hundred
// thousand photos makes as many records at once; taken one by one from the C
// library, every 4 KiB of them costs a page fault of its own. Here they lie
// in blocks of 2 MiB mapped for them alone, backed by large pages where the
// system gives them; a block goes back to the system when its last record
// is freed. Safe to use from any thread.
#include <cstddef>
#include <mutex>
#include <new>

class TRecordBlocks {
public:
    // For records of at most recordSize bytes, aligned as any object.
    explicit TRecordBlocks(std::size_t recordSize);
    ~TRecordBlocks() = default;
    TRecordBlocks(const TRecordBlocks&) = delete;
    TRecordBlocks& operator=(const TRecordBlocks&) = delete;

    // Memory for one record; throws std::bad_alloc when the system has none.
    void* Take();
    // Gives back memory that Take handed out.
    void Give(void* record);

    // Blocks mapped now.
    int Blocks() const;

private:
    struct TBlock;

    TBlock* NewBlock();
    void Link(TBlock* block);
    void Unlink(TBlock* block);

    const std::size_t m_slotSize;
    const std::size_t m_slots;
    mutable std::mutex m_mutex;
    // Blocks with a free slot.
    TBlock* m_open = nullptr;
    int m_blocks = 0;
};

// The blocks of records of type T, for its class operator new and delete:
//   static void* operator new(std::size_t size) { return TakeRecord<T>(size); }
//   static void operator delete(void* p, std::size_t size) { GiveRecord<T>(p, size); }
// A larger type derived from T gets memory of its own, as do all records
// where a sanitizer must watch each of them.
template <class T> TRecordBlocks& RecordBlocksOf()
{
    // Never destroyed: a record may be freed after every other static.
    static TRecordBlocks* const blocks = new TRecordBlocks(sizeof(T));
    return *blocks;
}

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool RecordsInBlocks = false;
#else
inline constexpr bool RecordsInBlocks = true;
#endif

template <class T> void* TakeRecord(std::size_t size)
{
    return RecordsInBlocks && size == sizeof(T) ? RecordBlocksOf<T>().Take() : ::operator new(size);
}

template <class T> void GiveRecord(void* record, std::size_t size)
{
    if (RecordsInBlocks && size == sizeof(T))
        RecordBlocksOf<T>().Give(record);
    else
        ::operator delete(record);
}
