#include <brackwater/QX_JOBCFG_OUTPUT_FILELIST_TYPE.h>

namespace
{
const wchar_t kCountKey[] = L"FileCount";
const QXSectionAbsolute kFileSection{L"File"};
} // namespace

BOOL QX_JOBCFG_OUTPUT_FILELIST_TYPE::toscript(CZKScript& script) const
{
    return writeList(script, kCountKey, kFileSection);
}

BOOL QX_JOBCFG_OUTPUT_FILELIST_TYPE::fromscript(CZKScript& script)
{
    return readList(script, kCountKey, kFileSection);
}

BOOL QX_JOBCFG_OUTPUT_FILELIST_TYPE::is_file_enable() const
{
    return anyElement([](const QX_JOBCFG_OUTPUT_FILE_TYPE& file)
                      { return file.imageFile.bEnable || file.indexFile.bEnable; });
}
