// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/SafeFile.h"

#include "model/StreamError.h"

void WriteFileOrThrow(const QString& fileName, const QByteArray& data, TLinkPolicy links, bool durable)
{
    RemoveStaleTemporaries(fileName, links);
    TAtomicFile file(fileName, links, durable);
    if (!file.Open())
        throw EStreamError::CreateError(fileName, file.ErrorText());
    if (!file.Write(data) || !file.Commit())
        throw EStreamError::WriteError(file.ErrorText());
}
