#include <brackwater/QX_RANGE_L_TYPE.h>

#include <brackwater/QXRecordScript.h>

BOOL QX_RANGE_L_TYPE::toscript(CZKScript& script, const wchar_t* key) const
{
    const int values[4] = {byLowMode, low, byHighMode, high};
    return SQXRecordScript::WriteInt4(script, key, values);
}

BOOL QX_RANGE_L_TYPE::fromscript(CZKScript& script, const wchar_t* key)
{
    int values[4] = {0, 0, 0, 0};
    if (!SQXRecordScript::ReadInt4(script, key, values))
    {
        reset();
        return FALSE;
    }
    byLowMode = ModeFromStored(values[0]);
    low = values[1];
    byHighMode = ModeFromStored(values[2]);
    high = values[3];
    normalize();
    return TRUE;
}
