// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/FreedMemory.h"

#include <QFile>

#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace {

qint64 ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * ::sysconf(_SC_PAGESIZE) : -1;
}

constexpr qint64 MiB = 1024 * 1024;

} // namespace

TEST(FreedMemory, RecordsFreedAmongOthersStillInUseGoBackToTheSystem)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
#endif
    const qint64 before = ResidentBytes();
    ASSERT_GT(before, 0);
    // An album's worth of small records, written as a reader writes them.
    std::vector<std::unique_ptr<char[]>> records;
    for (int i = 0; i < 500000; ++i) {
        records.emplace_back(new char[120]);
        std::memset(records.back().get(), i & 0xFF, 120);
    }
    EXPECT_GT(ResidentBytes() - before, 48 * MiB);
    // A few stay, the last one among them: the library cannot shrink its
    // heap by itself, as it does when only its end is free.
    for (size_t i = 0; i < records.size(); ++i)
        if (i % 1000 != 999)
            records[i].reset();
    GiveBackFreedMemory();
    EXPECT_LT(ResidentBytes() - before, 12 * MiB);
}
