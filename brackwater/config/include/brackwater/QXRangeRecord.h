// Common part of the two range records: a low and a high bound, each with a
// mode 0 = unbounded, 1 = exclusive, 2 = inclusive.
#pragma once

#include <wincompat/WinTypes.h>

template <typename T> struct TQXRangeRecord
{
    enum MODE : BYTE
    {
        MODE_NONE = 0,
        MODE_EXCLUSIVE = 1,
        MODE_INCLUSIVE = 2
    };

    BYTE byLowMode;
    T low;
    BYTE byHighMode;
    T high;

    TQXRangeRecord() { init(); }
    TQXRangeRecord(BYTE lowMode, T lowValue, BYTE highMode, T highValue)
        : byLowMode(lowMode), low(lowValue), byHighMode(highMode), high(highValue)
    {
    }
    TQXRangeRecord(const TQXRangeRecord& other)
    {
        init();
        set(other);
    }
    TQXRangeRecord& operator=(const TQXRangeRecord& other)
    {
        set(other);
        return *this;
    }

    void reset() { init(); }
    void set(const TQXRangeRecord& other)
    {
        byLowMode = other.byLowMode;
        low = other.low;
        byHighMode = other.byHighMode;
        high = other.high;
    }
    int compare(const TQXRangeRecord& other) const
    {
        const bool same = byLowMode == other.byLowMode && low == other.low &&
                          byHighMode == other.byHighMode && high == other.high;
        return same ? 0 : -1;
    }
    bool operator==(const TQXRangeRecord& other) const { return compare(other) == 0; }
    bool operator!=(const TQXRangeRecord& other) const { return compare(other) != 0; }

    // Bounds only need to be ordered when both sides are bounded.
    BOOL check() const
    {
        if (byLowMode > MODE_INCLUSIVE || byHighMode > MODE_INCLUSIVE)
            return FALSE;
        if (byLowMode != MODE_NONE && byHighMode != MODE_NONE && !(low <= high))
            return FALSE;
        return TRUE;
    }
    void normalize()
    {
        if (!check())
            reset();
    }

    void range_set(BYTE mode)
    {
        byLowMode = mode;
        byHighMode = mode;
    }

    // A stored mode that does not fit a byte is invalid rather than wrapped
    // onto a valid one, so normalize catches it.
    static BYTE ModeFromStored(long stored)
    {
        return (stored < 0 || stored > 0xFF) ? 0xFF : static_cast<BYTE>(stored);
    }

    BOOL range_test(T v) const { return (passesLow(v) && passesHigh(v)) ? TRUE : FALSE; }

protected:
    void init()
    {
        byLowMode = MODE_NONE;
        low = T();
        byHighMode = MODE_NONE;
        high = T();
    }

private:
    bool passesLow(T v) const
    {
        switch (byLowMode)
        {
        case MODE_NONE:
            return true;
        case MODE_EXCLUSIVE:
            return v > low;
        case MODE_INCLUSIVE:
            return v >= low;
        default:
            return false;
        }
    }
    bool passesHigh(T v) const
    {
        switch (byHighMode)
        {
        case MODE_NONE:
            return true;
        case MODE_EXCLUSIVE:
            return v < high;
        case MODE_INCLUSIVE:
            return v <= high;
        default:
            return false;
        }
    }
};
