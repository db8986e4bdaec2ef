#include <brackwater/QX_JOBCFG_OUTPUT_SYSTEMLIST_TYPE.h>

#include "QXText.h"

namespace
{
const wchar_t kCountKey[] = L"SystemCount";
const QXSectionAbsolute kSystemSection{L"System"};

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
} // namespace

BOOL QX_JOBCFG_OUTPUT_SYSTEMLIST_TYPE::toscript(CZKScript& script) const
{
    return writeList(script, kCountKey, kSystemSection);
}

BOOL QX_JOBCFG_OUTPUT_SYSTEMLIST_TYPE::fromscript(CZKScript& script)
{
    return readList(script, kCountKey, kSystemSection);
}

BOOL QX_JOBCFG_OUTPUT_SYSTEMLIST_TYPE::is_system_enable() const
{
    return anyElement([](const QX_JOBCFG_OUTPUT_SYSTEM_TYPE& system) { return system.bEnable; });
}

BOOL QX_JOBCFG_OUTPUT_SYSTEMLIST_TYPE::HasEnabledPluginFile(const std::wstring fileNames[],
                                                            int count) const
{
    return anyElement(
        [&](const QX_JOBCFG_OUTPUT_SYSTEM_TYPE& system)
        {
            const std::wstring name = FileNameOf(system.plugin.GetPluginPath());
            if (!system.bEnable || name.empty())
                return false;
            for (int i = 0; i < count; ++i)
            {
                if (SQXText::EqualNoCase(name, fileNames[i]))
                    return true;
            }
            return false;
        });
}
