// Version of a file. Linux files carry no version resource, so a version is
// found, in this order:
//  1. a sidecar text file "<file>.version" whose first line is the version
//     ("1.2.3.4");
//  2. a marker embedded in the file itself: the bytes "ZKFILEVERSION=" directly
//     followed by the version text (a binary gets one with
//     ZK_DECLARE_FILE_VERSION("1.2.3.4") in one of its sources).
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

#define ZK_FILE_VERSION_MARKER "ZKFILEVERSION="
#define ZK_DECLARE_FILE_VERSION(text) \
    extern "C" __attribute__((used, visibility("hidden"))) const char zk_file_version_marker[] = ZK_FILE_VERSION_MARKER text

class HOLLIN_EXPORT CZKFileVersionInfo
{
public:
    // Reads the version of the file. FALSE (and no version) when the file is
    // missing or carries no valid version.
    BOOL SetFile(const std::wstring& path);

    BOOL HasVersion() const { return m_valid ? TRUE : FALSE; }
    // "1.2.3.4" with all four parts.
    std::wstring GetFileVersion() const;
    // The four parts; FALSE when no version was read.
    BOOL GetFileVersion(WORD& major, WORD& minor, WORD& build, WORD& revision) const;

    // Parses "a.b.c.d" (commas also accepted as separators, blanks around
    // parts ignored). One to four decimal parts, each 0..65535; missing parts
    // are 0. Anything else fails and leaves the outputs unchanged.
    static BOOL SplitStdFileVersion(const std::wstring& text, WORD& major, WORD& minor, WORD& build, WORD& revision);

private:
    bool m_valid = false;
    WORD m_parts[4] = {0, 0, 0, 0};
};
