#include <brackwater/QXDefaultValueTagItem.h>

CQXDefaultValueTagItem::CQXDefaultValueTagItem(const std::wstring& name, const std::wstring& value,
                                               int level)
    : m_strName(name), m_strValue(value), m_nLevel(level)
{
}

void CQXDefaultValueTagItem::CopyObject(const CQXDefaultValueTagItem& source)
{
    if (this != &source)
        *this = source;
}
