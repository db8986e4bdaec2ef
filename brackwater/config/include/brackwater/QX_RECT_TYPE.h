// A rectangle of four signed integers (left, top, right, bottom), stored
// under one key as four integers. Empty means all four are 0.
#pragma once

#include <brackwater/QXRecordScript.h>
#include <wincompat/WinTypes.h>

struct QX_RECT_TYPE
{
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    void reset() { *this = QX_RECT_TYPE(); }
    bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool operator==(const QX_RECT_TYPE& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const QX_RECT_TYPE& o) const { return !(*this == o); }

    BOOL toscript(CZKScript& script, const wchar_t* key) const
    {
        const int values[4] = {left, top, right, bottom};
        return SQXRecordScript::WriteInt4(script, key, values);
    }
    // A failed read leaves the rectangle empty.
    BOOL fromscript(CZKScript& script, const wchar_t* key)
    {
        int values[4] = {0, 0, 0, 0};
        if (!SQXRecordScript::ReadInt4(script, key, values))
        {
            reset();
            return FALSE;
        }
        left = values[0];
        top = values[1];
        right = values[2];
        bottom = values[3];
        return TRUE;
    }
};
