#include <hollin/ZKTempFileKeeper.h>

#include <hollin/ZKPath.h>
#include <wincompat/ZKKnownFolders.h>

#include <unistd.h>

#include <cerrno>
#include <cstdlib>

CZKTempFileKeeper::~CZKTempFileKeeper()
{
    Delete();
}

BOOL CZKTempFileKeeper::Create(BOOL createFile, const std::wstring& extension)
{
    Delete();
    // The suffix is measured on its own so an extension can hold anything.
    const std::string suffix = SZKPath::ToNative(SZKPath::MergePath_PNF(L"", L"", extension));
    std::string pattern =
        SZKPath::ToNative(SZKPath::MergePath_PNF(CZKKnownFolders::TempFolder(), L"zktmp_XXXXXX", L"")) + suffix;
    const int suffixLength = static_cast<int>(suffix.size());
    const int fd = ::mkstemps(pattern.data(), suffixLength);
    if (fd < 0)
        return FALSE;
    ::close(fd);
    if (!createFile)
        ::unlink(pattern.c_str());
    m_path = SZKPath::FromNative(pattern);
    return TRUE;
}

std::string CZKTempFileKeeper::GetA() const
{
    return SZKPath::ToNative(m_path);
}

BOOL CZKTempFileKeeper::Delete()
{
    if (m_path.empty())
        return FALSE;
    const bool removed = ::unlink(GetA().c_str()) == 0 || errno == ENOENT;
    m_path.clear();
    return removed ? TRUE : FALSE;
}
