// Lists of names that own a script section: writing clears the section's
// items and writes one "Key = name" line per name; reading collects every
// line of the key.
#pragma once

#include <brackwater/brackwater_export.h>

#include <hollin/ZKStringList.h>
#include <wincompat/WinTypes.h>

class CZKScript;

class BRACKWATER_EXPORT SQXNameLines
{
public:
    static BOOL Write(CZKScript& script, const wchar_t* key, const CZKStringList& names);
    static BOOL Read(CZKScript& script, const wchar_t* key, CZKStringList& names);
};

// A name list record; Tag names its key (Tag::KEY).
template <class Tag> struct TQXNameList
{
    CZKStringList names;

    TQXNameList() = default;
    TQXNameList(const TQXNameList& other) { set(other); }
    TQXNameList& operator=(const TQXNameList& other)
    {
        set(other);
        return *this;
    }

    void reset() { names.RemoveAll(); }
    void set(const TQXNameList& other) { names.CopyFrom(other.names); }
    int compare(const TQXNameList& other) const { return names == other.names ? 0 : -1; }
    bool operator==(const TQXNameList& other) const { return compare(other) == 0; }
    bool operator!=(const TQXNameList& other) const { return compare(other) != 0; }

    BOOL toscript(CZKScript& script) const { return SQXNameLines::Write(script, Tag::KEY, names); }
    BOOL fromscript(CZKScript& script)
    {
        if (SQXNameLines::Read(script, Tag::KEY, names))
            return TRUE;
        reset();
        return FALSE;
    }
};
