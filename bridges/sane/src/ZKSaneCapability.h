// One TWAIN capability as the bridge offers it: numeric items of one type,
// the values allowed (a list or a range), current and default, and the
// containers TWAIN exchanges them in. Values are held as doubles; FIX32
// keeps its fraction, the integer types are rounded on the way out.
#pragma once

#include <vector>

#include <twaindefs/ZKTwainDefs.h>

class CZKSaneCapability
{
public:
    CZKSaneCapability() = default;
    // A list of allowed values (ENUMERATION on MSG_GET).
    static CZKSaneCapability List(TW_UINT16 id, TW_UINT16 type, std::vector<double> items, double current,
                                  bool settable = true);
    // A range (RANGE on MSG_GET).
    static CZKSaneCapability Range(TW_UINT16 id, TW_UINT16 type, double min, double max, double step,
                                   double current, bool settable = true);
    // A single value within bounds (ONEVALUE on every read).
    static CZKSaneCapability One(TW_UINT16 id, TW_UINT16 type, double current, double min, double max,
                                 bool settable = true);
    // An array of values (ARRAY on MSG_GET and MSG_SET), any of items.
    static CZKSaneCapability Array(TW_UINT16 id, TW_UINT16 type, std::vector<double> items,
                                   std::vector<double> current, bool settable);

    TW_UINT16 GetId() const { return m_id; }
    double GetCurrent() const { return m_current.empty() ? 0 : m_current.front(); }
    const std::vector<double>& GetCurrentArray() const { return m_current; }
    void SetDefault(double value) { m_default = {value}; }

    // MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_QUERYSUPPORT: a new
    // container in cap.
    TW_UINT16 Get(TW_UINT16 msg, TW_CAPABILITY& cap, TW_UINT16& condition) const;
    // The value (or values) an application's container asks for, checked
    // against what is allowed; the capability itself does not change.
    TW_UINT16 Requested(const TW_CAPABILITY& cap, std::vector<double>& values, TW_UINT16& condition) const;
    bool Allows(double value) const;
    void SetCurrent(std::vector<double> values) { m_current = std::move(values); }
    const std::vector<double>& GetDefault() const { return m_default; }
    bool IsSettable() const { return m_settable; }

private:
    enum class EKind
    {
        LIST,
        RANGE,
        ARRAY,
        ONE
    };
    TW_HANDLE _OneValue(double value) const;
    TW_HANDLE _Enumeration() const;
    TW_HANDLE _Range() const;
    TW_HANDLE _ArrayOf(const std::vector<double>& values) const;
    TW_INT32 _Operations() const;

    TW_UINT16 m_id = 0;
    TW_UINT16 m_type = TWTY_UINT16;
    EKind m_kind = EKind::LIST;
    std::vector<double> m_items;
    double m_min = 0, m_max = 0, m_step = 1;
    std::vector<double> m_current;
    std::vector<double> m_default;
    bool m_settable = true;
};
