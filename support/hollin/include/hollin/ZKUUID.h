// UUID text and creation helpers over the platform GUID record.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class HOLLIN_EXPORT SZKUUID
{
public:
    // Accepts "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx" (hex digits of either
    // case), optionally inside one pair of braces. Anything else fails and
    // leaves uuid unchanged.
    static BOOL StringToUUID(const std::wstring& text, GUID& uuid);

    // Lower-case canonical text, with braces when asked.
    static std::wstring UUIDToString(const GUID& uuid, BOOL withBraces = FALSE);

    static GUID CreateNilUUID();
    static void CreateNilUUID(GUID& uuid);
    static BOOL IsNilUUID(const GUID& uuid);

    // A random (version 4) UUID.
    static BOOL CreateUUID(GUID& uuid);
};
