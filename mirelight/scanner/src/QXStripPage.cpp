#include "QXStripPage.h"

#include <algorithm>
#include <cstdlib>

CQXStripPage::~CQXStripPage()
{
    Release();
}

BYTE* CQXStripPage::Reserve(size_t offset, size_t minimum, size_t wanted, size_t limit)
{
    if (offset > limit || minimum > limit - offset)
        return nullptr;
    // A new image gets the size it announced at once, rather than growing
    // (and copying) part-way through.
    const bool newImage = offset == 0 && m_capacity < wanted;
    if (newImage || Room(offset) < minimum)
    {
        const size_t capacity = std::min(std::max(wanted, offset + minimum), limit);
        if (!_Grow(offset, capacity))
            return nullptr;
    }
    return m_block + offset;
}

// Only the first offset bytes are worth keeping.
bool CQXStripPage::_Grow(size_t offset, size_t capacity)
{
    if (offset == 0)
    {
        Release();
        m_block = static_cast<BYTE*>(std::malloc(capacity));
    }
    else if (BYTE* grown = static_cast<BYTE*>(std::realloc(m_block, capacity)))
        m_block = grown;
    else
        return false;
    m_capacity = m_block ? capacity : 0;
    return m_block != nullptr;
}

BYTE* CQXStripPage::Detach()
{
    BYTE* block = m_block;
    m_block = nullptr;
    m_capacity = 0;
    return block;
}

void CQXStripPage::Adopt(BYTE* block, size_t capacity)
{
    if (m_block || capacity == 0)
    {
        std::free(block);
        return;
    }
    m_block = block;
    m_capacity = block ? capacity : 0;
}

void CQXStripPage::Release()
{
    std::free(Detach());
}
