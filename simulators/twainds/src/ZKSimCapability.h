// One capability of a virtual scanner: its item type, the container it is
// reported in, its current and default values, the values it accepts and the
// operations it supports (TWQC_ bits). Containers handed to the application
// are calloc'ed; the application frees them.
#pragma once

#include <vector>

#include "ZKSimItemCodec.h"

class CZKSimCapability
{
public:
    CZKSimCapability() = default;

    TW_UINT16 GetId() const { return m_id; }
    TW_INT32 GetOperations() const { return m_operations; }
    const ZKSimItem& GetCurrent() const { return m_current; }
    TW_UINT16 GetItemType() const { return m_itemType; }
    // The current list of an array capability.
    const std::vector<ZKSimItem>& GetItems() const { return m_items; }

    // Configuration, as read from a profile.
    void SetId(TW_UINT16 id) { m_id = id; }
    void SetItemType(TW_UINT16 itemType) { m_itemType = itemType; }
    void SetContainer(TW_UINT16 conType) { m_conType = conType; }
    void SetOperations(TW_INT32 operations) { m_operations = operations; }
    // Enumerations: the items offered. One values: the values accepted (all
    // when empty). Arrays: the current list.
    void SetItems(const std::vector<ZKSimItem>& items) { m_items = items; }
    void SetDefaultItems(const std::vector<ZKSimItem>& items) { m_defaultItems = items; }
    // Arrays: the values a set may hold (any when empty).
    void SetAllowedItems(const std::vector<ZKSimItem>& items) { m_allowedItems = items; }
    void SetRange(const ZKSimItem& min, const ZKSimItem& max, const ZKSimItem& step);
    void SetCurrent(const ZKSimItem& item) { m_current = item; }
    void SetDefault(const ZKSimItem& item) { m_default = item; }
    // Checks the configuration is complete and consistent; fills defaults.
    bool Validate(std::string& error);

    // MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_RESET and MSG_SET, each
    // answering with a TWAIN return code and a condition code.
    TW_UINT16 Get(TW_UINT16 msg, TW_CAPABILITY& cap, TW_UINT16& condition);
    TW_UINT16 Set(const TW_CAPABILITY& cap, TW_UINT16& condition);
    TW_UINT16 QuerySupport(TW_CAPABILITY& cap, TW_UINT16& condition) const;

private:
    static TW_UINT16 _Operation(TW_UINT16 msg);
    bool _Accepts(const ZKSimItem& item) const;
    long _IndexOf(const ZKSimItem& item) const;
    bool _IsAllowedInArray(const ZKSimItem& item) const;
    TW_HANDLE _MakeOneValue(const ZKSimItem& item) const;
    TW_HANDLE _MakeArray(const std::vector<ZKSimItem>& items) const;
    TW_HANDLE _MakeEnumeration() const;
    TW_HANDLE _MakeRange() const;
    TW_HANDLE _MakeContainer(TW_UINT16 msg, TW_UINT16& conType) const;
    bool _SetFromOneValue(const TW_ONEVALUE* container);
    bool _SetFromArray(const TW_ARRAY* container);
    bool _SetFromEnumeration(const TW_ENUMERATION* container);
    bool _SetFromRange(const TW_RANGE* container);
    bool _Store(const ZKSimItem& item);

    TW_UINT16 m_id = 0;
    TW_UINT16 m_itemType = TWTY_UINT16;
    TW_UINT16 m_conType = TWON_ONEVALUE;
    TW_INT32 m_operations = 0;
    std::vector<ZKSimItem> m_items;
    std::vector<ZKSimItem> m_defaultItems;
    std::vector<ZKSimItem> m_allowedItems;
    ZKSimItem m_current;
    ZKSimItem m_default;
    ZKSimItem m_min;
    ZKSimItem m_max;
    ZKSimItem m_step;
};
