// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/StreamObject.h"

TStreamObject::~TStreamObject() = default;

void TStreamObject::SaveToWriter(TWriter&) const { }

void TStreamObject::LoadFromReader(TReader&, int) { }
