#pragma once
// The album model's file writes: the platform's safe write, failing with the
// stream errors the album file reports.
#include "platform/SafeFile.h"

// Throws EStreamError: "Cannot create file" when the temporary file cannot be
// made, "Stream write error" when writing or renaming fails.
void WriteFileOrThrow(const QString& fileName, const QByteArray& data, TLinkPolicy links, bool durable);
