#include <brackwater/QXImageSourceErrorHelper.h>

#include <orrin/ZKRCM.h>

#include <map>

namespace
{
std::map<int, const wchar_t*>& ErrorMap()
{
    // Constructed on first use: the load-time build may run before this
    // file's other statics.
    static std::map<int, const wchar_t*> map;
    return map;
}
} // namespace

BOOL SQXImageSourceErrorHelper::BuildErrorMap()
{
    try
    {
        auto& map = ErrorMap();
        map[QX_IMAGESOURCEERROR_SCANNER_GENERIC] = L"STR_IMAGESOURCEERROR_SCANNER_GENERIC";
        map[QX_IMAGESOURCEERROR_SCANNER_NOPAPER] = L"STR_IMAGESOURCEERROR_SCANNER_NOPAPER";
        map[QX_IMAGESOURCEERROR_SCANNER_PAPERJAM] = L"STR_IMAGESOURCEERROR_SCANNER_PAPERJAM";
        map[QX_IMAGESOURCEERROR_SCANNER_MULTIFEED] = L"STR_IMAGESOURCEERROR_SCANNER_MULTIFEED";
        map[QX_IMAGESOURCEERROR_SCANNER_LOWMEMORY] = L"STR_IMAGESOURCEERROR_SCANNER_LOWMEMORY";
        map[QX_IMAGESOURCEERROR_SCANNER_MAXCONNECTIONS] =
            L"STR_IMAGESOURCEERROR_SCANNER_MAXCONNECTIONS";
        map[QX_IMAGESOURCEERROR_IMPORT_BADFILE] = L"STR_IMAGESOURCEERROR_IMPORT_BADFILE";
        map[QX_IMAGESOURCEERROR_UNKNOWN] = L"STR_IMAGESOURCEERROR_UNKNOWN";
        return TRUE;
    }
    catch (...)
    {
        return FALSE;
    }
}

void SQXImageSourceErrorHelper::ClearErrorMap()
{
    ErrorMap().clear();
}

const wchar_t* SQXImageSourceErrorHelper::GetErrorKey(int error)
{
    const auto& map = ErrorMap();
    const auto found = map.find(error);
    return found != map.end() ? found->second : nullptr;
}

BOOL SQXImageSourceErrorHelper::TranslateError(int error, std::wstring& text)
{
    text.clear();
    const wchar_t* key = GetErrorKey(error);
    if (key == nullptr)
        key = GetErrorKey(QX_IMAGESOURCEERROR_UNKNOWN);
    if (key == nullptr)
        return FALSE;
    try
    {
        if (!SZKRCM::LoadText(key, text) || text.empty())
            text = key;
        return TRUE;
    }
    catch (...)
    {
        text.clear();
        return FALSE;
    }
}
