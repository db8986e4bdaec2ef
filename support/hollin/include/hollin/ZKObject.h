// Base of every element kept in an owning object list.
#pragma once

#include <hollin/hollin_export.h>

class HOLLIN_EXPORT CZKObject
{
public:
    CZKObject() = default;
    CZKObject(const CZKObject&) = default;
    CZKObject& operator=(const CZKObject&) = default;
    virtual ~CZKObject();

    // A new deep copy owned by the caller, or nullptr when the element cannot
    // be copied (CZKObList::CopyFrom then fails). Override in copyable types.
    virtual CZKObject* Clone() const;
};
