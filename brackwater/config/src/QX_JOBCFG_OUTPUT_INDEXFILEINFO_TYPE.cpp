#include <brackwater/QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE.h>

#include "QXRecordFields.h"

namespace
{
typedef QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE IndexInfo;

const wchar_t kSpaceToken[] = L"<space>";
const wchar_t kTabToken[] = L"<tab>";

struct NamingDefaults
{
    const wchar_t* path;
    const wchar_t* name;
};

const NamingDefaults kLevelDefaults[IndexInfo::LEVEL_COUNT] = {
    {L"<EXPORT_PATH>\"\\\"<BATCH_NAME>\"\\\"", L"<BATCH_NAME>\".XML\""},
    {L"<EXPORT_PATH>\"\\\"<BATCH_NAME>\"\\\"<DOCUMENT_ID_8>\"\\\"", L"<DOCUMENT_ID_8>\".XML\""},
    {L"<EXPORT_PATH>\"\\\"<BATCH_NAME>\"\\\"<DOCUMENT_ID_8>\"\\\"<PAGE_SEQUENCENUMBER_8>\"\\\"",
     L"<PAGE_SEQUENCENUMBER_8>\".XML\""},
    {L"<EXPORT_PATH>\"\\\"<BATCH_NAME>\"\\\"<DOCUMENT_ID_8>\"\\\"<IMAGE_SEQUENCENUMBER_8>\"\\\"",
     L"<IMAGE_SEQUENCENUMBER_8>\".XML\""},
};

const auto kFields = [](auto& r, auto& io)
{
    io.template NestedAs<QX_JOBCFG_OUTPUT_FILEINFO_TYPE>(r);
    io.Int(L"DelimiterType", r.nDelimiterType);
    const int32_t type = r.nDelimiterType;
    io.EncodedText(
        L"Delimiter", r.strDelimiter,
        [type](const std::wstring& text) { return IndexInfo::EncodeDelimiter(type, text); },
        IndexInfo::DecodeDelimiter);
    if constexpr (QX_READING(io))
        r.strDelimiter = IndexInfo::ImpliedDelimiter(type, r.strDelimiter);
    io.Text(L"Endorseitem", r.strEndorseItem);
    io.Bool(L"IncludeHeader", r.bIncludeHeader);
    io.Lines(L"IndexItem", r.indexItems);
};
} // namespace

QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE()
    : QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE(LEVEL_BATCH)
{
}

QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE(LEVEL level)
    : QX_JOBCFG_OUTPUT_FILEINFO_TYPE(kLevelDefaults[level < LEVEL_COUNT ? level : LEVEL_BATCH].path,
                                     kLevelDefaults[level < LEVEL_COUNT ? level : LEVEL_BATCH].name)
{
    init();
}

QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE(
    const QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE& other)
    : QX_JOBCFG_OUTPUT_FILEINFO_TYPE(other)
{
    init();
    set(other);
}

QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE&
QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::operator=(const QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE& other)
{
    if (this != &other)
        set(other);
    return *this;
}

void QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::init()
{
    nDelimiterType = 0;
    bIncludeHeader = FALSE;
}

void QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::reset()
{
    QX_JOBCFG_OUTPUT_FILEINFO_TYPE::reset();
    strDelimiter.clear();
    strEndorseItem.clear();
    indexItems.RemoveAll();
    init();
}

void QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::set(const QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE& other)
{
    QX_JOBCFG_OUTPUT_FILEINFO_TYPE::set(other);
    nDelimiterType = other.nDelimiterType;
    strDelimiter = other.strDelimiter;
    strEndorseItem = other.strEndorseItem;
    bIncludeHeader = other.bIncludeHeader;
    indexItems.CopyFrom(other.indexItems);
}

int QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::compare(const QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE& o) const
{
    const bool same = QX_JOBCFG_OUTPUT_FILEINFO_TYPE::compare(o) == 0 &&
                      nDelimiterType == o.nDelimiterType && strDelimiter == o.strDelimiter &&
                      strEndorseItem == o.strEndorseItem && bIncludeHeader == o.bIncludeHeader &&
                      indexItems == o.indexItems;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::check() const
{
    return QX_JOBCFG_OUTPUT_FILEINFO_TYPE::check();
}

void QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::normalize()
{
    QX_JOBCFG_OUTPUT_FILEINFO_TYPE::normalize();
}

std::wstring QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::EncodeDelimiter(int32_t type,
                                                                  const std::wstring& delimiter)
{
    if (type == DELIMITER_TAB)
        return kTabToken;
    if (type == DELIMITER_BLANK)
        return kSpaceToken;
    std::wstring stored;
    for (wchar_t c : delimiter)
    {
        if (c == L' ')
            stored += kSpaceToken;
        else if (c == L'\t')
            stored += kTabToken;
        else
            stored += c;
    }
    return stored;
}

// Blank and tab types store only their type; their text is what they name.
std::wstring QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::ImpliedDelimiter(int32_t type,
                                                                   const std::wstring& delimiter)
{
    if (type == DELIMITER_TAB)
        return L"\t";
    if (type == DELIMITER_BLANK)
        return L" ";
    return delimiter;
}

std::wstring QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::DecodeDelimiter(const std::wstring& stored)
{
    const std::wstring space = kSpaceToken;
    const std::wstring tab = kTabToken;
    std::wstring text;
    for (size_t i = 0; i < stored.size();)
    {
        if (stored.compare(i, space.size(), space) == 0)
        {
            text += L' ';
            i += space.size();
        }
        else if (stored.compare(i, tab.size(), tab) == 0)
        {
            text += L'\t';
            i += tab.size();
        }
        else
            text += stored[i++];
    }
    return text;
}

BOOL QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
