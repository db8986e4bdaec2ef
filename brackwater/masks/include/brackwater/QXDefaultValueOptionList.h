// The alternatives of a default-value expression, in order (separated by
// OR in the expression).
#pragma once

#include <brackwater/QXDefaultValueItemList.h>
#include <brackwater/brackwater_export.h>

#include <memory>
#include <vector>

class BRACKWATER_EXPORT CQXDefaultValueOptionList
{
public:
    CQXDefaultValueOptionList() = default;
    CQXDefaultValueOptionList(const CQXDefaultValueOptionList& other);
    CQXDefaultValueOptionList& operator=(const CQXDefaultValueOptionList& other);
    CQXDefaultValueOptionList(CQXDefaultValueOptionList&&) noexcept = default;
    CQXDefaultValueOptionList& operator=(CQXDefaultValueOptionList&&) noexcept = default;

    // Takes ownership of option; a null option is refused (FALSE).
    BOOL Add(CQXDefaultValueItemList* option);
    // nullptr for an index out of range.
    CQXDefaultValueItemList* Get(int index) const;
    int GetCount() const { return static_cast<int>(m_options.size()); }
    BOOL IsEmpty() const { return m_options.empty() ? TRUE : FALSE; }
    void RemoveAll() { m_options.clear(); }

private:
    std::vector<std::unique_ptr<CQXDefaultValueItemList>> m_options;
};
