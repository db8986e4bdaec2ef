// Well-known folders. The system folder stands for the Windows directory: it
// holds the TWAIN DSM library, the "twain_32" data-source folder and the
// "isisdrv" driver folder. Paths carry no trailing slash.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <string>

#define ZK_CSIDL_COMMON_APPDATA 0x23
#define ZK_CSIDL_WINDOWS 0x24
#define ZK_CSIDL_SYSTEM 0x25

class WINCOMPAT_EXPORT CZKKnownFolders
{
public:
    // $ZK_SYSTEM_DIR, else /usr/local/share/capturecore/system.
    static std::wstring SystemFolder();
    // $ZK_COMMON_APPDATA_DIR, else /usr/local/share/capturecore/appdata.
    static std::wstring CommonAppDataFolder();
    // $TMPDIR, else /tmp.
    static std::wstring TempFolder();
    // The CSIDL numbers callers use (common app data, Windows and system
    // folders; the last two are the same here). FALSE for any other.
    static BOOL FromCsidl(int csidl, std::wstring& out);
};
