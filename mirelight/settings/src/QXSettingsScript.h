// Typed reads of the settings sections, with the range checks the adapters'
// fields need: a script comes from disk, so a value that does not fit its
// field is refused rather than truncated. All address the default section.
#pragma once

#include <wincompat/WinTypes.h>

class CZKScript;

class SQXSettingsScript
{
public:
    static bool ReadFlag(const CZKScript& script, const wchar_t* key, int& value);
    static bool ReadShort(const CZKScript& script, const wchar_t* key, short& value);
    static bool ReadWord(const CZKScript& script, const wchar_t* key, WORD& value);
    static bool ReadDouble(const CZKScript& script, const wchar_t* key, double& value);

    static bool WriteFlag(CZKScript& script, const wchar_t* key, int value);
    static bool WriteInt(CZKScript& script, const wchar_t* key, int value);
    static bool WriteDouble(CZKScript& script, const wchar_t* key, double value);

private:
    SQXSettingsScript() = delete;
};
