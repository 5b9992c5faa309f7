// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// The album model's file writes: the platform's safe write, failing with the
// stream errors the album file reports.
#include "platform/SafeFile.h"

// Throws EStreamError: "Cannot create file" when the temporary file cannot be
// made, "Stream write error" with the system's reason when writing or
// renaming fails. Leftovers of earlier writes that were killed half-way are
// removed first: they may be what fills the disk.
void WriteFileOrThrow(const QString& fileName, const QByteArray& data, TLinkPolicy links, bool durable);
