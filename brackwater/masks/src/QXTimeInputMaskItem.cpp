#include <brackwater/QXTimeInputMaskItem.h>

int CQXTimeInputMaskItem::GetItemLength() const
{
    static const int kWidths[] = {-1, 4, 2, 2, 2, 3, 2, 2, 2, 2, 2, 1, 2, 1};
    if (m_nType == TYPE_STRING)
        return static_cast<int>(m_strText.size());
    if (m_nType < TYPE_YYYY || m_nType > TYPE_T_LOWER)
        return -1;
    return kWidths[m_nType];
}
