// An owning, ordered list of the items a mask or expression parses into.
// Copies are deep; the list deletes its items.
#pragma once

#include <wincompat/WinTypes.h>

#include <memory>
#include <vector>

template <class Item> class TQXOwningItemList
{
public:
    TQXOwningItemList() = default;
    TQXOwningItemList(const TQXOwningItemList& other) : m_items(CopyOf(other.m_items)) {}
    TQXOwningItemList& operator=(const TQXOwningItemList& other)
    {
        if (this != &other)
            m_items = CopyOf(other.m_items);
        return *this;
    }
    TQXOwningItemList(TQXOwningItemList&&) noexcept = default;
    TQXOwningItemList& operator=(TQXOwningItemList&&) noexcept = default;

    // Takes ownership of item; a null item is refused (FALSE).
    BOOL Add(Item* item)
    {
        if (item == nullptr)
            return FALSE;
        m_items.emplace_back(item);
        return TRUE;
    }
    // nullptr for an index out of range.
    Item* Get(int index) const
    {
        if (index < 0 || static_cast<size_t>(index) >= m_items.size())
            return nullptr;
        return m_items[static_cast<size_t>(index)].get();
    }
    int GetCount() const { return static_cast<int>(m_items.size()); }
    BOOL IsEmpty() const { return m_items.empty() ? TRUE : FALSE; }
    void RemoveAll() { m_items.clear(); }

protected:
    ~TQXOwningItemList() = default;

    const std::vector<std::unique_ptr<Item>>& Items() const { return m_items; }

private:
    static std::vector<std::unique_ptr<Item>>
    CopyOf(const std::vector<std::unique_ptr<Item>>& source)
    {
        std::vector<std::unique_ptr<Item>> copies;
        copies.reserve(source.size());
        for (const auto& item : source)
            copies.push_back(std::make_unique<Item>(*item));
        return copies;
    }

    std::vector<std::unique_ptr<Item>> m_items;
};
