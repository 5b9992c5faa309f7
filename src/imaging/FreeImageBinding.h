// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// FreeImage, bound at run time with dlopen/dlsym by plain names. The
// declarations are our own: the program neither includes FreeImage's header
// nor links the library, so it runs (without FreeImage's formats) where the
// library is missing. Never call a slot that is null.
#include <QString>

extern "C" {
struct FIBITMAP;
struct FIMULTIBITMAP;
struct FreeImageIO;
struct tagBITMAPINFOHEADER;
struct tagBITMAPINFO;
}

namespace FreeImage {

using BOOL = int;
using FREE_IMAGE_FORMAT = int;
using fi_handle = void*;
using FreeImage_OutputMessageFunction = void (*)(FREE_IMAGE_FORMAT fif, const char* msg);

// A palette entry as the library keeps it: blue, green, red, unused.
struct FreeImageRgbQuad {
    unsigned char blue;
    unsigned char green;
    unsigned char red;
    unsigned char reserved;
};

// The procedure slots, one per entry point, named as the library exports them.
// clang-format off
struct TProcs {
    const char* (*FreeImage_GetVersion)() = nullptr;
    const char* (*FreeImage_GetCopyrightMessage)() = nullptr;
    void (*FreeImage_Initialise)(BOOL loadLocalPluginsOnly) = nullptr;
    void (*FreeImage_DeInitialise)() = nullptr;
    void (*FreeImage_SetOutputMessage)(FreeImage_OutputMessageFunction omf) = nullptr;
    FIBITMAP* (*FreeImage_Allocate)(
        int width, int height, int bpp, unsigned redMask, unsigned greenMask, unsigned blueMask)
        = nullptr;
    void (*FreeImage_Unload)(FIBITMAP* dib) = nullptr;
    FIBITMAP* (*FreeImage_Clone)(FIBITMAP* dib) = nullptr;
    FIMULTIBITMAP* (*FreeImage_OpenMultiBitmap)(FREE_IMAGE_FORMAT fif, const char* filename, BOOL createNew,
        BOOL readOnly, BOOL keepCacheInMemory, int flags)
        = nullptr;
    int (*FreeImage_GetPageCount)(FIMULTIBITMAP* bitmap) = nullptr;
    void (*FreeImage_AppendPage)(FIMULTIBITMAP* bitmap, FIBITMAP* data) = nullptr;
    void (*FreeImage_InsertPage)(FIMULTIBITMAP* bitmap, int page, FIBITMAP* data) = nullptr;
    void (*FreeImage_DeletePage)(FIMULTIBITMAP* bitmap, int page) = nullptr;
    FIBITMAP* (*FreeImage_LockPage)(FIMULTIBITMAP* bitmap, int page) = nullptr;
    void (*FreeImage_UnlockPage)(FIMULTIBITMAP* bitmap, FIBITMAP* data, BOOL changed) = nullptr;
    BOOL (*FreeImage_MovePage)(FIMULTIBITMAP* bitmap, int target, int source) = nullptr;
    BOOL (*FreeImage_GetLockedPageNumbers)(FIMULTIBITMAP* bitmap, int* pages, int* count) = nullptr;
    unsigned char* (*FreeImage_GetBits)(FIBITMAP* dib) = nullptr;
    unsigned (*FreeImage_GetBPP)(FIBITMAP* dib) = nullptr;
    unsigned (*FreeImage_GetWidth)(FIBITMAP* dib) = nullptr;
    unsigned (*FreeImage_GetHeight)(FIBITMAP* dib) = nullptr;
    tagBITMAPINFOHEADER* (*FreeImage_GetInfoHeader)(FIBITMAP* dib) = nullptr;
    tagBITMAPINFO* (*FreeImage_GetInfo)(FIBITMAP* dib) = nullptr;
    FIBITMAP* (*FreeImage_Load)(FREE_IMAGE_FORMAT fif, const char* filename, int flags) = nullptr;
    FIBITMAP* (*FreeImage_LoadFromHandle)(FREE_IMAGE_FORMAT fif, FreeImageIO* io, fi_handle handle, int flags)
        = nullptr;
    BOOL (*FreeImage_Save)(FREE_IMAGE_FORMAT fif, FIBITMAP* dib, const char* filename, int flags) = nullptr;
    BOOL (*FreeImage_SaveToHandle)
    (FREE_IMAGE_FORMAT fif, FIBITMAP* dib, FreeImageIO* io, fi_handle handle, int flags) = nullptr;

    // Looked up after the 27 above and not part of the complete flag: the
    // decoder program reads every depth and pixel type with them.
    unsigned (*FreeImage_GetPitch)(FIBITMAP* dib) = nullptr;
    int (*FreeImage_GetImageType)(FIBITMAP* dib) = nullptr;
    int (*FreeImage_GetColorType)(FIBITMAP* dib) = nullptr;
    FreeImageRgbQuad* (*FreeImage_GetPalette)(FIBITMAP* dib) = nullptr;
    unsigned (*FreeImage_GetColorsUsed)(FIBITMAP* dib) = nullptr;
    unsigned (*FreeImage_GetRedMask)(FIBITMAP* dib) = nullptr;
    unsigned (*FreeImage_GetGreenMask)(FIBITMAP* dib) = nullptr;
    unsigned (*FreeImage_GetBlueMask)(FIBITMAP* dib) = nullptr;
    FIBITMAP* (*FreeImage_ConvertToStandardType)(FIBITMAP* src, BOOL scaleLinear) = nullptr;
    // Reading a header without the pixels, where the format allows it.
    BOOL (*FreeImage_FIFSupportsNoPixels)(FREE_IMAGE_FORMAT fif) = nullptr;
    BOOL (*FreeImage_HasPixels)(FIBITMAP* dib) = nullptr;
};
// clang-format on

// The 27 entry points in the order they are looked up.
inline constexpr int EntryPointCount = 27;
extern const char* const EntryPointNames[EntryPointCount];

} // namespace FreeImage

// The slots; all null until LoadFreeImageLibrary found them.
extern FreeImage::TProcs FreeImageProcs;

// Loads the library once and looks up the 27 entry points in order, stopping
// at the first missing one. Does nothing when already done; when the library
// cannot be opened, FreeImage stays unavailable and the done flag clear.
void LoadFreeImageLibrary();
// Clears the slots and releases the library when done.
void UnloadFreeImageLibrary();

// The binding ran and the library is loaded.
bool FreeImageDone();
// Every one of the 27 entry points was found.
bool FreeImageComplete();

// FreeImage_Initialise(loadLocalPluginsOnly) and FreeImage_DeInitialise,
// when found; nothing otherwise.
void FreeImageInitialise(bool loadLocalPluginsOnly = false);
void FreeImageDeInitialise();

// The library file opened by LoadFreeImageLibrary: the setter's value, else
// $TAVRI_FREEIMAGE_LIBRARY, else "libfreeimage.so.3". Tests name a missing
// file to run the program without FreeImage; an empty text restores the default.
QString FreeImageLibraryName();
void SetFreeImageLibraryName(const QString& name);
