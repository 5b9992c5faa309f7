// SPDX-License-Identifier: GPL-2.0-or-later
#include "imaging/FreeImageBinding.h"

#include <QFile>

#include <dlfcn.h>

FreeImage::TProcs FreeImageProcs;

namespace FreeImage {

const char* const EntryPointNames[EntryPointCount] = {
    "FreeImage_GetVersion",
    "FreeImage_GetCopyrightMessage",
    "FreeImage_Initialise",
    "FreeImage_DeInitialise",
    "FreeImage_SetOutputMessage",
    "FreeImage_Allocate",
    "FreeImage_Unload",
    "FreeImage_Clone",
    "FreeImage_OpenMultiBitmap",
    "FreeImage_GetPageCount",
    "FreeImage_AppendPage",
    "FreeImage_InsertPage",
    "FreeImage_DeletePage",
    "FreeImage_LockPage",
    "FreeImage_UnlockPage",
    "FreeImage_MovePage",
    "FreeImage_GetLockedPageNumbers",
    "FreeImage_GetBits",
    "FreeImage_GetBPP",
    "FreeImage_GetWidth",
    "FreeImage_GetHeight",
    "FreeImage_GetInfoHeader",
    "FreeImage_GetInfo",
    "FreeImage_Load",
    "FreeImage_LoadFromHandle",
    "FreeImage_Save",
    "FreeImage_SaveToHandle",
};

} // namespace FreeImage

namespace {

void* g_library = nullptr;
bool g_done = false;
bool g_complete = false;
QString g_libraryName;

// Stores a looked-up address in a slot of any function-pointer type.
template <typename F> void Assign(F& slot, void* address)
{
    slot = reinterpret_cast<F>(address);
}

// The slots of the 27 entry points in lookup order.
template <typename Visit> void ForEachSlot(FreeImage::TProcs& p, Visit visit)
{
    visit(p.FreeImage_GetVersion);
    visit(p.FreeImage_GetCopyrightMessage);
    visit(p.FreeImage_Initialise);
    visit(p.FreeImage_DeInitialise);
    visit(p.FreeImage_SetOutputMessage);
    visit(p.FreeImage_Allocate);
    visit(p.FreeImage_Unload);
    visit(p.FreeImage_Clone);
    visit(p.FreeImage_OpenMultiBitmap);
    visit(p.FreeImage_GetPageCount);
    visit(p.FreeImage_AppendPage);
    visit(p.FreeImage_InsertPage);
    visit(p.FreeImage_DeletePage);
    visit(p.FreeImage_LockPage);
    visit(p.FreeImage_UnlockPage);
    visit(p.FreeImage_MovePage);
    visit(p.FreeImage_GetLockedPageNumbers);
    visit(p.FreeImage_GetBits);
    visit(p.FreeImage_GetBPP);
    visit(p.FreeImage_GetWidth);
    visit(p.FreeImage_GetHeight);
    visit(p.FreeImage_GetInfoHeader);
    visit(p.FreeImage_GetInfo);
    visit(p.FreeImage_Load);
    visit(p.FreeImage_LoadFromHandle);
    visit(p.FreeImage_Save);
    visit(p.FreeImage_SaveToHandle);
}

} // namespace

QString FreeImageLibraryName()
{
    if (!g_libraryName.isEmpty())
        return g_libraryName;
    const QString fromEnvironment = qEnvironmentVariable("TAVRI_FREEIMAGE_LIBRARY");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStringLiteral("libfreeimage.so.3");
}

void SetFreeImageLibraryName(const QString& name)
{
    g_libraryName = name;
}

void LoadFreeImageLibrary()
{
    if (g_done)
        return;
    FreeImageProcs = FreeImage::TProcs();
    g_complete = false;
    g_library = ::dlopen(QFile::encodeName(FreeImageLibraryName()).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!g_library)
        return;

    int index = 0;
    bool missing = false;
    ForEachSlot(FreeImageProcs, [&](auto& slot) {
        if (missing)
            return;
        void* address = ::dlsym(g_library, FreeImage::EntryPointNames[index++]);
        if (!address) {
            missing = true;
            return;
        }
        Assign(slot, address);
    });
    g_complete = !missing;
    FreeImage::TProcs& p = FreeImageProcs;
    Assign(p.FreeImage_GetPitch, ::dlsym(g_library, "FreeImage_GetPitch"));
    Assign(p.FreeImage_GetImageType, ::dlsym(g_library, "FreeImage_GetImageType"));
    Assign(p.FreeImage_GetColorType, ::dlsym(g_library, "FreeImage_GetColorType"));
    Assign(p.FreeImage_GetPalette, ::dlsym(g_library, "FreeImage_GetPalette"));
    Assign(p.FreeImage_GetColorsUsed, ::dlsym(g_library, "FreeImage_GetColorsUsed"));
    Assign(p.FreeImage_GetRedMask, ::dlsym(g_library, "FreeImage_GetRedMask"));
    Assign(p.FreeImage_GetGreenMask, ::dlsym(g_library, "FreeImage_GetGreenMask"));
    Assign(p.FreeImage_GetBlueMask, ::dlsym(g_library, "FreeImage_GetBlueMask"));
    Assign(p.FreeImage_ConvertToStandardType, ::dlsym(g_library, "FreeImage_ConvertToStandardType"));
    Assign(p.FreeImage_FIFSupportsNoPixels, ::dlsym(g_library, "FreeImage_FIFSupportsNoPixels"));
    Assign(p.FreeImage_HasPixels, ::dlsym(g_library, "FreeImage_HasPixels"));
    g_done = true;
}

void UnloadFreeImageLibrary()
{
    if (!g_done)
        return;
    FreeImageProcs = FreeImage::TProcs();
    ::dlclose(g_library);
    g_library = nullptr;
    g_done = false;
    g_complete = false;
}

bool FreeImageDone()
{
    return g_done;
}

bool FreeImageComplete()
{
    return g_complete;
}

void FreeImageInitialise(bool loadLocalPluginsOnly)
{
    if (FreeImageProcs.FreeImage_Initialise)
        FreeImageProcs.FreeImage_Initialise(loadLocalPluginsOnly ? 1 : 0);
}

void FreeImageDeInitialise()
{
    if (FreeImageProcs.FreeImage_DeInitialise)
        FreeImageProcs.FreeImage_DeInitialise();
}
