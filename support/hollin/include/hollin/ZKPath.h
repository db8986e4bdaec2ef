// Path text helpers. Input may use '\' or '/' as separator (stored data and
// callers written for Windows use '\'); results always use '/'.
#pragma once

#include <hollin/hollin_export.h>

#include <string>

class HOLLIN_EXPORT SZKPath
{
public:
    // path + name + extension. Separators at the joint are merged, so
    // ("/a/", "\\b\\c.ini", "") and ("/a", "b/c", "ini") give "/a/b/c.ini".
    // The extension may come with or without its dot; empty means none.
    // An empty path gives the name alone (relative).
    static std::wstring MergePath_PNF(const std::wstring& path, const std::wstring& name, const std::wstring& extension);

    // Parts of "/a/b/name.ext":
    static std::wstring SplitPath_P(const std::wstring& path);  // "/a/b" ("/" for a root file, "" without folder)
    static std::wstring SplitPath_N(const std::wstring& path);  // "name"
    static std::wstring SplitPath_E(const std::wstring& path);  // "ext" (no dot; "" if none)
    static std::wstring SplitPath_NE(const std::wstring& path); // "name.ext"
    // A leading dot does not start an extension: ".profile" has name ".profile".

    // Every '\' turned into '/'.
    static std::wstring Normalize(const std::wstring& path);

    // Wide path <-> the narrow (UTF-8) path the file system takes, normalised.
    static std::string ToNative(const std::wstring& path);
    static std::wstring FromNative(const std::string& path);
};
