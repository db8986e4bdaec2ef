#include "QXImprinterMessageList.h"

#include <hollin/ZKBuffer.h>
#include <hollin/ZKScript.h>

bool CQXImprinterMessageList::ReadScript(const CZKScript& script)
{
    std::vector<std::wstring> read(m_texts.size());
    for (size_t i = 0; i < m_slots.size(); ++i)
        if (!script.GetKeyValue(m_slots[i].scriptKey, read[i]))
            return false;
    m_texts = read;
    return true;
}

bool CQXImprinterMessageList::WriteScript(CZKScript& script) const
{
    for (size_t i = 0; i < m_slots.size(); ++i)
        if (!script.SetKeyValue(m_slots[i].scriptKey, m_texts[i]))
            return false;
    return true;
}

bool CQXImprinterMessageList::ReadBuffer(CZKBuffer& buffer)
{
    std::vector<std::wstring> read(m_texts.size());
    for (std::wstring& text : read)
        if (!buffer.RW_R_string(text))
            return false;
    m_texts = read;
    return true;
}

bool CQXImprinterMessageList::WriteBuffer(CZKBuffer& buffer) const
{
    for (const std::wstring& text : m_texts)
        if (!buffer.RW_W_string(text))
            return false;
    return true;
}
