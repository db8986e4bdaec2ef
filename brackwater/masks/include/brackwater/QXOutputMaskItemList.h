// Owning, ordered list of output mask items.
#pragma once

#include <brackwater/QXOutputMaskItem.h>
#include <brackwater/brackwater_export.h>

#include <memory>
#include <vector>

class BRACKWATER_EXPORT CQXOutputMaskItemList
{
public:
    CQXOutputMaskItemList() = default;
    CQXOutputMaskItemList(const CQXOutputMaskItemList& other);
    CQXOutputMaskItemList& operator=(const CQXOutputMaskItemList& other);
    CQXOutputMaskItemList(CQXOutputMaskItemList&&) noexcept = default;
    CQXOutputMaskItemList& operator=(CQXOutputMaskItemList&&) noexcept = default;

    // Takes ownership of item; a null item is refused (FALSE).
    BOOL Add(CQXOutputMaskItem* item);
    // nullptr for an index out of range.
    CQXOutputMaskItem* Get(int index) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    BOOL IsEmpty() const { return m_items.empty() ? TRUE : FALSE; }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<CQXOutputMaskItem>> m_items;
};
