// Owning, ordered list of input mask items.
#pragma once

#include <brackwater/QXInputMaskItem.h>
#include <brackwater/brackwater_export.h>

#include <memory>
#include <vector>

class BRACKWATER_EXPORT CQXInputMaskItemList
{
public:
    CQXInputMaskItemList() = default;
    CQXInputMaskItemList(const CQXInputMaskItemList& other);
    CQXInputMaskItemList& operator=(const CQXInputMaskItemList& other);
    CQXInputMaskItemList(CQXInputMaskItemList&&) noexcept = default;
    CQXInputMaskItemList& operator=(CQXInputMaskItemList&&) noexcept = default;

    // Takes ownership of item; a null item is refused (FALSE).
    BOOL Add(CQXInputMaskItem* item);
    // nullptr for an index out of range.
    CQXInputMaskItem* Get(int index) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    void RemoveAll() { m_items.clear(); }

    // Sum of the fixed lengths; -1 if an item varies, 0 when empty.
    int GetItemsLength() const;
    // Sum of the maximum lengths; -1 if an item has no maximum.
    int GetItemsMaxLength() const;
    // Sum of the minimum lengths up to the first item without one.
    int GetItemsMinLength() const;

private:
    std::vector<std::unique_ptr<CQXInputMaskItem>> m_items;
};
