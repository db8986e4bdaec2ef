#include "QXSettingsScript.h"

#include <hollin/ZKScript.h>

#include <cstdint>

namespace
{
bool ReadBounded(const CZKScript& script, const wchar_t* key, int low, int high, int& value)
{
    int read = 0;
    if (!script.R_int(key, read) || read < low || read > high)
        return false;
    value = read;
    return true;
}
} // namespace

bool SQXSettingsScript::ReadFlag(const CZKScript& script, const wchar_t* key, int& value)
{
    BOOL read = FALSE;
    if (!script.R_BOOL(key, read))
        return false;
    value = read ? 1 : 0;
    return true;
}

bool SQXSettingsScript::ReadShort(const CZKScript& script, const wchar_t* key, short& value)
{
    int read = 0;
    if (!ReadBounded(script, key, INT16_MIN, INT16_MAX, read))
        return false;
    value = static_cast<short>(read);
    return true;
}

bool SQXSettingsScript::ReadWord(const CZKScript& script, const wchar_t* key, WORD& value)
{
    int read = 0;
    if (!ReadBounded(script, key, 0, UINT16_MAX, read))
        return false;
    value = static_cast<WORD>(read);
    return true;
}

bool SQXSettingsScript::ReadDouble(const CZKScript& script, const wchar_t* key, double& value)
{
    return script.R_double(key, value) != FALSE;
}

bool SQXSettingsScript::WriteFlag(CZKScript& script, const wchar_t* key, int value)
{
    return script.W_BOOL(key, value ? TRUE : FALSE) != FALSE;
}

bool SQXSettingsScript::WriteInt(CZKScript& script, const wchar_t* key, int value)
{
    return script.W_int(key, value) != FALSE;
}

bool SQXSettingsScript::WriteDouble(CZKScript& script, const wchar_t* key, double value)
{
    return script.W_double(key, value) != FALSE;
}
