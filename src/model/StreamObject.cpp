#include "model/StreamObject.h"

TStreamObject::~TStreamObject() = default;

void TStreamObject::SaveToWriter(TWriter&) const { }

void TStreamObject::LoadFromReader(TReader&, int) { }
