// Owns one temporary file: creates it under a unique name in the temporary
// folder and deletes it when the keeper goes (or on the next Create).
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class HOLLIN_EXPORT CZKTempFileKeeper
{
public:
    CZKTempFileKeeper() = default;
    ~CZKTempFileKeeper();
    CZKTempFileKeeper(const CZKTempFileKeeper&) = delete;
    CZKTempFileKeeper& operator=(const CZKTempFileKeeper&) = delete;

    // createFile non-zero: the file exists (empty, owner-only) on return.
    // Zero: only a unique name is chosen, for a writer that creates the file
    // itself; whatever is at that path is still deleted at the end.
    // The extension is optional, with or without its dot.
    BOOL Create(BOOL createFile = TRUE, const std::wstring& extension = std::wstring());

    // The full path, empty before Create.
    const std::wstring& Get() const { return m_path; }
    std::string GetA() const;

    // Deletes the file now.
    BOOL Delete();
    // Gives the file up: it is no longer deleted by this keeper.
    void Release() { m_path.clear(); }

private:
    std::wstring m_path;
};
