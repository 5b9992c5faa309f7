#include "imaging/FreeImageBinding.h"

FreeImage::TProcs FreeImageProcs;

namespace FreeImage {
const char* const EntryPointNames[EntryPointCount] = {};
}

void LoadFreeImageLibrary() { }
void UnloadFreeImageLibrary() { }
bool FreeImageDone() { return false; }
bool FreeImageComplete() { return false; }
void FreeImageInitialise(bool) { }
void FreeImageDeInitialise() { }
QString FreeImageLibraryName() { return QString(); }
void SetFreeImageLibraryName(const QString&) { }
