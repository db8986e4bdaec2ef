// Owning, ordered list of time input mask items.
#pragma once

#include <brackwater/QXTimeInputMaskItem.h>
#include <brackwater/brackwater_export.h>

#include <memory>
#include <vector>

class BRACKWATER_EXPORT CQXTimeInputMaskItemList
{
public:
    CQXTimeInputMaskItemList() = default;
    CQXTimeInputMaskItemList(const CQXTimeInputMaskItemList& other);
    CQXTimeInputMaskItemList& operator=(const CQXTimeInputMaskItemList& other);
    CQXTimeInputMaskItemList(CQXTimeInputMaskItemList&&) noexcept = default;
    CQXTimeInputMaskItemList& operator=(CQXTimeInputMaskItemList&&) noexcept = default;

    // Takes ownership of item; a null item is refused (FALSE).
    BOOL Add(CQXTimeInputMaskItem* item);
    // nullptr for an index out of range.
    CQXTimeInputMaskItem* Get(int index) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    void RemoveAll() { m_items.clear(); }

    // Sums of the item widths; -1 when an item has no width, 0 when empty.
    int GetItemsLength() const;
    int GetItemsMaxLength() const;
    int GetItemsMinLength() const;

private:
    std::vector<std::unique_ptr<CQXTimeInputMaskItem>> m_items;
};
