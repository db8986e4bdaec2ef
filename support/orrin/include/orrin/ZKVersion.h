// A four-part version number ("major.minor.build.revision") as stored in
// configuration files and file version resources.
#pragma once

#include <orrin/orrin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

// Ordering rules:
// - An empty version (never set, or made from an empty or malformed text)
//   compares below every real version, "0.0.0.0" included, and equal to
//   another empty one. Stored files without a version therefore read as
//   "older than anything".
// - Missing trailing parts count as 0: "1.3" equals "1.3.0.0".
// Accepted text: one to four decimal parts in 0..65535 separated by '.',
// blanks around the whole text ignored. Anything else is malformed.
class ORRIN_EXPORT CZKVersion
{
public:
    static constexpr int PartCount = 4;
    static constexpr unsigned MaxPartValue = 0xFFFF;

    CZKVersion();
    CZKVersion(WORD major, WORD minor, WORD build = 0, WORD revision = 0);
    // Same as CreateVersionFromString; a malformed text leaves it empty.
    explicit CZKVersion(const wchar_t* text);

    // Parses the text into this object. An empty text (or null) gives an
    // empty version and succeeds; a malformed text fails and also leaves
    // the version empty, so a later Compare still behaves sensibly.
    BOOL CreateVersionFromString(const wchar_t* text);
    BOOL CreateVersionFromString(const std::wstring& text);

    // -1, 0 or 1 as this version is below, equal to or above the other.
    int Compare(const CZKVersion& other) const;

    // Always all four parts ("1.3.0.0"); empty text for an empty version.
    std::wstring ToString() const;

    bool IsEmpty() const { return m_empty; }
    void Clear();

    // Part 0 is the major number; out-of-range indexes and empty versions give 0.
    WORD GetPart(int index) const;
    WORD GetMajor() const { return GetPart(0); }
    WORD GetMinor() const { return GetPart(1); }
    WORD GetBuild() const { return GetPart(2); }
    WORD GetRevision() const { return GetPart(3); }

    bool operator==(const CZKVersion& other) const { return Compare(other) == 0; }
    bool operator!=(const CZKVersion& other) const { return Compare(other) != 0; }
    bool operator<(const CZKVersion& other) const { return Compare(other) < 0; }
    bool operator<=(const CZKVersion& other) const { return Compare(other) <= 0; }
    bool operator>(const CZKVersion& other) const { return Compare(other) > 0; }
    bool operator>=(const CZKVersion& other) const { return Compare(other) >= 0; }

private:
    WORD m_parts[PartCount];
    bool m_empty;
};
