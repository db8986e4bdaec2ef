// The tags of one simulated ISIS module: each tag's value type, current
// values (one per value index), default, choices or range, and the answers
// to the toolkit's tag messages. Drivers and toolkit modules share it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <isisdefs/ZKIsisToolkit.h>

struct ZK_SIM_TAG_VALUE
{
    int32_t longValue = 0;
    ZKISIS_RATIONAL rational = {0, 1};
    std::string text;
    void* pointer = nullptr;
};

struct ZK_SIM_TAG
{
    int32_t type = ZKISIS_TYPE_LONG;
    std::vector<ZK_SIM_TAG_VALUE> values{ZK_SIM_TAG_VALUE()};
    std::vector<ZK_SIM_TAG_VALUE> defaults{ZK_SIM_TAG_VALUE()};
    std::vector<ZK_SIM_TAG_VALUE> choices;
    bool hasRange = false;
    int32_t rangeMin = 0, rangeMax = 0, rangeStep = 1;
    bool readOnly = false;
};

class CZKSimTagStore
{
public:
    // Answers the tag messages (768-1045); ZKISIS_ERR_BAD_MESSAGE for others.
    int32_t Handle(uint32_t message, uint32_t param, void* data);
    static bool IsTagMessage(uint32_t message);

    void Define(uint16_t tag, const ZK_SIM_TAG& definition) { m_tags[tag] = definition; }
    bool Has(uint16_t tag) const { return m_tags.count(tag) != 0; }
    ZK_SIM_TAG* Find(uint16_t tag);
    const ZK_SIM_TAG* Find(uint16_t tag) const;
    // Numeric value of index 0 (a rational is divided out); fallback when absent.
    double Number(uint16_t tag, double fallback) const;
    void SetLong(uint16_t tag, int32_t value);
    void SetText(uint16_t tag, const std::string& text);
    std::string Text(uint16_t tag) const;
    const std::map<uint16_t, ZK_SIM_TAG>& Tags() const { return m_tags; }

    void SaveAll() { m_saved = m_tags; m_hasSaved = true; }
    void RestoreAll();
    void SetAllDefault();

private:
    int32_t _Create(uint16_t tag, const int32_t* type);
    int32_t _GetNumber(const ZK_SIM_TAG& tag, const ZK_SIM_TAG_VALUE* value, ZKISIS_VALUE* out) const;
    int32_t _GetText(const ZK_SIM_TAG_VALUE* value, ZKISIS_TEXT* out) const;
    int32_t _Set(ZK_SIM_TAG& tag, uint16_t index, uint32_t message, void* data);
    int32_t _Choice(const ZK_SIM_TAG& tag, int16_t index, uint32_t message, void* data) const;
    static bool _Allowed(const ZK_SIM_TAG& tag, const ZK_SIM_TAG_VALUE& value);

    std::map<uint16_t, ZK_SIM_TAG> m_tags;
    std::map<uint16_t, ZK_SIM_TAG> m_saved;
    bool m_hasSaved = false;
};
