// Static helpers of the TWAIN layer: building and reading capability
// containers, item sizes, fixed-point and unit conversion, text conversion,
// and the process-wide trait registries.
//
// Container handles are TWAIN memory handles as a source sees them on Linux:
// zero-filled heap blocks, taken from the source manager's memory entry
// points when it offers them, else from calloc, and released with
// FreeContainer.
#pragma once

#include <fennick/ZKTWCapTrait.h>
#include <fennick/ZKTWEITrait.h>
#include <fennick/ZKTWTypes.h>
#include <fennick/fennick_export.h>

#include <string>

class FENNICK_EXPORT CZKTWHelper
{
public:
    static BOOL AllocOnevalue(void*& handle, WORD itemType, const void* value);
    static BOOL AllocArray(void*& handle, WORD itemType, const void* items, unsigned count);
    static BOOL AllocEnumeration(void*& handle, WORD itemType, DWORD currentIndex, DWORD defaultIndex,
                                 const void* items, unsigned count);
    // Releases a container built here or handed over by a source.
    static void FreeContainer(void* handle);

    // The extractors read a container at the layout of its kind; a null out
    // only reports the count. FALSE for a null handle, and for a container
    // whose header, count and item size do not fit in the block it is in.
    static BOOL ExtractOnevalue(void* handle, WORD itemType, void* out);
    // The item size comes from the ItemType stored in the container; out
    // must have room for the largest item (1026 bytes).
    static BOOL ExtractOnevalueImprecise(void* handle, unsigned size, void* out);
    static BOOL ExtractArray(void* handle, WORD itemType, void* out, unsigned& count);
    static BOOL ExtractEnumeration(void* handle, WORD itemType, DWORD& currentIndex, DWORD& defaultIndex,
                                   void* out, unsigned& count);

    static unsigned TWSizeOf(WORD itemType);

    static double Fix32ToDouble(const TW_FIX32& value);
    static TW_FIX32 DoubleToFix32(const double& value);
    // Units above pixels are not TWAIN 1.x units: the value comes back as is.
    static double ConvertUnit(EZKTWImageUnit from, double value, EZKTWImageUnit to);

    // Wide text to a NUL-terminated UTF-8 buffer (at most 255 bytes) and back.
    static void ConvertType(const std::wstring& text, char (&out)[256]);
    static void ConvertType(const char (&text)[256], std::wstring& out);

    // Registries. Adding never replaces an entry; looking up an unknown id
    // adds an all-zero entry (no container allowed).
    static void AddCapTrait(WORD cap, WORD itemType, WORD getConMask, WORD setConMask);
    static void AddEITrait(WORD infoId, WORD itemType);
    static const SZKTWEITrait& QueryEITrait(WORD infoId);
    static BOOL IsCapTypeMatched(WORD cap, WORD itemType);
    static BOOL IsCapGetConTypeAllowed(WORD cap, WORD conType);
    static BOOL IsCapSetConTypeAllowed(WORD cap, WORD conType);

    // Fills both registries with the built-in traits; run at library load.
    static void InitializeTraits();

    static WORD _GetContainerTypeMask(WORD conType);
    static SZKTWCapTrait& _QueryCapTrait(WORD cap);

protected:
    CZKTWHelper() = default;
};
