#include <brackwater/QX_JOBCFG_SCANNER_GROUP_TYPE.h>

#include <hollin/ZKMarkedFile.h>

#include "QXFiles.h"

namespace
{
const int32_t kDefaultSettings[QX_JOBCFG_SCANNER_GROUP_TYPE::SETTING_COUNT] = {1, 0, 0, 0, 0, 0};
} // namespace

QX_JOBCFG_SCANNER_GROUP_TYPE::QX_JOBCFG_SCANNER_GROUP_TYPE()
{
    init();
}

QX_JOBCFG_SCANNER_GROUP_TYPE::QX_JOBCFG_SCANNER_GROUP_TYPE(
    const QX_JOBCFG_SCANNER_GROUP_TYPE& other)
{
    init();
    set(other);
}

QX_JOBCFG_SCANNER_GROUP_TYPE&
QX_JOBCFG_SCANNER_GROUP_TYPE::operator=(const QX_JOBCFG_SCANNER_GROUP_TYPE& other)
{
    set(other);
    return *this;
}

void QX_JOBCFG_SCANNER_GROUP_TYPE::init()
{
    for (int i = 0; i < SETTING_COUNT; ++i)
        nSettings[i] = kDefaultSettings[i];
}

void QX_JOBCFG_SCANNER_GROUP_TYPE::reset()
{
    strScannerName.clear();
    advancedConfig.reset();
    strExtra.clear();
    init();
}

void QX_JOBCFG_SCANNER_GROUP_TYPE::set(const QX_JOBCFG_SCANNER_GROUP_TYPE& other)
{
    if (this == &other)
        return;
    strScannerName = other.strScannerName;
    advancedConfig.set(other.advancedConfig);
    for (int i = 0; i < SETTING_COUNT; ++i)
        nSettings[i] = other.nSettings[i];
    strExtra = other.strExtra;
}

int QX_JOBCFG_SCANNER_GROUP_TYPE::compare(const QX_JOBCFG_SCANNER_GROUP_TYPE& other) const
{
    if (strScannerName != other.strScannerName ||
        advancedConfig.compare(other.advancedConfig) != 0 || strExtra != other.strExtra)
        return -1;
    for (int i = 0; i < SETTING_COUNT; ++i)
    {
        if (nSettings[i] != other.nSettings[i])
            return -1;
    }
    return 0;
}

BOOL QX_JOBCFG_SCANNER_GROUP_TYPE::check() const
{
    if (!strScannerName.empty() && !advancedConfig.check())
        return FALSE;
    if (nSettings[4] != 0 && nSettings[5] < 0)
        return FALSE;
    return TRUE;
}

void QX_JOBCFG_SCANNER_GROUP_TYPE::normalize()
{
    if (!check())
        reset();
}

BOOL QX_JOBCFG_SCANNER_GROUP_TYPE::tofile(const std::wstring& path) const
{
    CZKRBuffer advanced;
    if (!advancedConfig.toBuffer(advanced))
        return FALSE;
    CZKMarkedFile file;
    if (!file.Create(path))
        return FALSE;
    bool ok = file.RW_W_string(strScannerName) && file.RW_W_buffer(advanced);
    for (int i = 0; ok && i < SETTING_COUNT; ++i)
        ok = file.RW_W_long(nSettings[i]);
    ok = ok && file.RW_W_string(strExtra);
    ok = file.Close() && ok;
    if (!ok)
        SQXFiles::Delete(path);
    return ok ? TRUE : FALSE;
}

BOOL QX_JOBCFG_SCANNER_GROUP_TYPE::fromfile(const std::wstring& path)
{
    QX_JOBCFG_SCANNER_GROUP_TYPE loaded;
    CZKRBuffer advanced;
    CZKMarkedFile file;
    bool ok = file.Open(path) && file.RW_R_string(loaded.strScannerName) &&
              file.RW_R_buffer(advanced) && loaded.advancedConfig.fromBuffer(advanced);
    for (int i = 0; ok && i < SETTING_COUNT; ++i)
        ok = file.RW_R_long(loaded.nSettings[i]);
    ok = ok && file.RW_R_string(loaded.strExtra);
    file.Close();
    if (!ok)
    {
        reset();
        return FALSE;
    }
    set(loaded);
    return TRUE;
}
