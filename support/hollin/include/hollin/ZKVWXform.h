// How one image-view pane shows its image: zoom, quarter-turn rotation,
// mirroring, scroll offset and fit mode.
//
// Saved as one script value under a caller-chosen key, seven fields joined by
// ',': zoom, rotation, flip horizontal, flip vertical, offset x, offset y,
// fit mode, e.g. "1.5,90,0,1,-20,35,0". The zoom is written in the shortest
// form that reads back exactly, independent of the locale.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKScript;

enum EZKVWFitMode
{
    ZKVW_FIT_NONE = 0,
    ZKVW_FIT_WIDTH = 1,
    ZKVW_FIT_HEIGHT = 2,
    ZKVW_FIT_PAGE = 3
};

class HOLLIN_EXPORT CZKVWXform
{
public:
    double dZoom = 1.0;   // 1.0 = 100 %; above 0
    int nRotation = 0;    // clockwise degrees: 0, 90, 180 or 270
    BOOL bFlipHorizontal = FALSE;
    BOOL bFlipVertical = FALSE;
    LONG nOffsetX = 0;    // scroll position in image pixels
    LONG nOffsetY = 0;
    int nFitMode = ZKVW_FIT_NONE;

    void Reset() { *this = CZKVWXform(); }
    BOOL IsValid() const;

    // flag and section address the script as for its own reads and writes
    // (flag 1 with no section: the default section). An invalid record is not
    // written (FALSE).
    BOOL SaveToScript(CZKScript& script, const wchar_t* key, int flag = 1, const wchar_t* section = nullptr) const;
    // FALSE, record unchanged, when the key is missing or its value is not
    // seven valid fields.
    BOOL LoadFromScript(const CZKScript& script, const wchar_t* key, int flag = 1, const wchar_t* section = nullptr);

    std::wstring ToString() const;
    BOOL FromString(const std::wstring& text);

    bool operator==(const CZKVWXform& other) const;
    bool operator!=(const CZKVWXform& other) const { return !(*this == other); }
};
