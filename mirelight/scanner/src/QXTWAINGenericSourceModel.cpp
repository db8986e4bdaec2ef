#include "QXTWAINGenericSourceModel.h"

#include "QXTWAINMakerConfig.h"

void CQXTWAINGenericSourceModel::NormalizeScannerName(std::wstring& name)
{
    if (!SQXTWAINMakerConfig::NamesMaker(name))
        return;
    const size_t hash = name.rfind(L'#');
    if (hash == std::wstring::npos)
        return;
    name.erase(hash);
    const size_t end = name.find_last_not_of(L" \t");
    name.erase(end == std::wstring::npos ? 0 : end + 1);
}
