// Typed script access shared by every configuration record. Records always
// address the script's default section (flag 1, no section); the one
// exception is the stored format version, read from its own section.
#pragma once

#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKScript;

class BRACKWATER_EXPORT SQXRecordScript
{
public:
    static BOOL WriteInt(CZKScript& script, const wchar_t* key, int value);
    static BOOL ReadInt(CZKScript& script, const wchar_t* key, int& value);
    static BOOL WriteBool(CZKScript& script, const wchar_t* key, BOOL value);
    static BOOL ReadBool(CZKScript& script, const wchar_t* key, BOOL& value);
    static BOOL WriteDouble(CZKScript& script, const wchar_t* key, double value);
    static BOOL ReadDouble(CZKScript& script, const wchar_t* key, double& value);
    static BOOL WriteInt4(CZKScript& script, const wchar_t* key, const int values[4]);
    static BOOL ReadInt4(CZKScript& script, const wchar_t* key, int values[4]);
    static BOOL WriteText(CZKScript& script, const wchar_t* key, const std::wstring& value);
    static BOOL ReadText(CZKScript& script, const wchar_t* key, std::wstring& value);

    static std::wstring GetSection(CZKScript& script);
    static void SetSection(CZKScript& script, const std::wstring& section);

    // True when the script's stored format ("VersionNumber" in "Version") is
    // at least fixedVersion, i.e. keys added in that version may be read.
    static bool IsStoredVersionAtLeast(CZKScript& script, const wchar_t* fixedVersion);
    // Declares the script's stored format: the key IsStoredVersionAtLeast reads.
    static BOOL WriteStoredVersion(CZKScript& script, const wchar_t* version);
};
