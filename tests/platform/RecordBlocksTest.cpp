// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/RecordBlocks.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include <gtest/gtest.h>

TEST(RecordBlocks, RecordsStayApartAndEachBlockGoesBackWithItsLastRecord)
{
    TRecordBlocks blocks(300);
    // Some blocks' worth, each record written whole.
    std::vector<void*> records;
    for (int i = 0; i < 20000; ++i) {
        records.push_back(blocks.Take());
        std::memset(records.back(), i & 0xFF, 300);
        EXPECT_EQ(std::uintptr_t(records.back()) % alignof(std::max_align_t), 0u);
    }
    const int full = blocks.Blocks();
    EXPECT_GT(full, 1);
    EXPECT_EQ(std::set<void*>(records.begin(), records.end()).size(), records.size());
    for (size_t i = 0; i < records.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char*>(records[i])[299], i & 0xFF);

    // Every other one freed and taken again: the room is used, no block is added.
    for (size_t i = 0; i < records.size(); i += 2)
        blocks.Give(records[i]);
    for (size_t i = 0; i < records.size(); i += 2)
        records[i] = blocks.Take();
    EXPECT_EQ(blocks.Blocks(), full);

    for (void* record : records)
        blocks.Give(record);
    EXPECT_EQ(blocks.Blocks(), 0);
}
