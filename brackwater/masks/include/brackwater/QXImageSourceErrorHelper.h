// Turns an image-source error number into a localised text.
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

enum EQXImageSourceError
{
    QX_IMAGESOURCEERROR_SCANNER_GENERIC = 1,
    QX_IMAGESOURCEERROR_SCANNER_NOPAPER = 2,
    QX_IMAGESOURCEERROR_SCANNER_PAPERJAM = 3,
    QX_IMAGESOURCEERROR_SCANNER_MULTIFEED = 4,
    QX_IMAGESOURCEERROR_SCANNER_LOWMEMORY = 5,
    QX_IMAGESOURCEERROR_SCANNER_MAXCONNECTIONS = 6,
    QX_IMAGESOURCEERROR_IMPORT_BADFILE = 100,
    QX_IMAGESOURCEERROR_UNKNOWN = 9999,
};

class BRACKWATER_EXPORT SQXImageSourceErrorHelper
{
public:
    // The text of error's resource key; an unknown error uses the key of
    // QX_IMAGESOURCEERROR_UNKNOWN. A key without a resource text is
    // returned as the text. 0 (empty text) only when the map is not built.
    static BOOL TranslateError(int error, std::wstring& text);
    // The resource key of error; nullptr when it is not in the map.
    static const wchar_t* GetErrorKey(int error);

    // Fills the error map; run once when the library loads.
    static BOOL BuildErrorMap();
    static void ClearErrorMap();
};
