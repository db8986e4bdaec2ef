// One alternative of a default-value expression: its items in order.
#pragma once

#include <brackwater/QXDefaultValueItem.h>
#include <brackwater/brackwater_export.h>

#include <memory>
#include <vector>

class BRACKWATER_EXPORT CQXDefaultValueItemList
{
public:
    CQXDefaultValueItemList() = default;
    CQXDefaultValueItemList(const CQXDefaultValueItemList& other);
    CQXDefaultValueItemList& operator=(const CQXDefaultValueItemList& other);
    CQXDefaultValueItemList(CQXDefaultValueItemList&&) noexcept = default;
    CQXDefaultValueItemList& operator=(CQXDefaultValueItemList&&) noexcept = default;

    // Takes ownership of item; a null item is refused (FALSE).
    BOOL Add(CQXDefaultValueItem* item);
    // nullptr for an index out of range.
    CQXDefaultValueItem* Get(int index) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    BOOL IsEmpty() const { return m_items.empty() ? TRUE : FALSE; }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<CQXDefaultValueItem>> m_items;
};
