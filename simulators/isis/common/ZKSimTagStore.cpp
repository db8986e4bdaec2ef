#include "ZKSimTagStore.h"

#include <cstring>

namespace
{
double AsNumber(int32_t type, const ZK_SIM_TAG_VALUE& value)
{
    if (type == ZKISIS_TYPE_RATIONAL)
        return value.rational.denominator ? double(value.rational.numerator) / value.rational.denominator : 0.0;
    return value.longValue;
}
} // namespace

bool CZKSimTagStore::IsTagMessage(uint32_t message)
{
    return (message >= 768 && message <= 837) || (message >= 1040 && message <= 1045);
}

ZK_SIM_TAG* CZKSimTagStore::Find(uint16_t tag)
{
    auto it = m_tags.find(tag);
    return it == m_tags.end() ? nullptr : &it->second;
}

const ZK_SIM_TAG* CZKSimTagStore::Find(uint16_t tag) const
{
    auto it = m_tags.find(tag);
    return it == m_tags.end() ? nullptr : &it->second;
}

double CZKSimTagStore::Number(uint16_t tag, double fallback) const
{
    const ZK_SIM_TAG* found = Find(tag);
    return found ? AsNumber(found->type, found->values.front()) : fallback;
}

void CZKSimTagStore::SetLong(uint16_t tag, int32_t value)
{
    ZK_SIM_TAG& entry = m_tags[tag];
    if (entry.type == ZKISIS_TYPE_RATIONAL)
        entry.values.front().rational = {value, 1};
    else
        entry.values.front().longValue = value;
}

void CZKSimTagStore::SetText(uint16_t tag, const std::string& text)
{
    ZK_SIM_TAG& entry = m_tags[tag];
    entry.type = ZKISIS_TYPE_ASCII;
    entry.values.front().text = text;
}

std::string CZKSimTagStore::Text(uint16_t tag) const
{
    const ZK_SIM_TAG* found = Find(tag);
    return found ? found->values.front().text : std::string();
}

void CZKSimTagStore::RestoreAll()
{
    if (m_hasSaved)
        m_tags = m_saved;
}

void CZKSimTagStore::SetAllDefault()
{
    for (auto& entry : m_tags)
        entry.second.values = entry.second.defaults;
}

int32_t CZKSimTagStore::Handle(uint32_t message, uint32_t param, void* data)
{
    const uint16_t tagId = static_cast<uint16_t>(param & 0xFFFF);
    const uint16_t index = static_cast<uint16_t>(param >> 16);
    switch (message)
    {
    case ZKISIS_MSG_TAG_CREATE: return _Create(tagId, static_cast<const int32_t*>(data));
    case ZKISIS_MSG_SET_ALL_DEFAULT: SetAllDefault(); return ZKISIS_OK;
    case ZKISIS_MSG_SAVE_TAGS: SaveAll(); return ZKISIS_OK;
    case ZKISIS_MSG_FLUSH_TAGS: m_saved.clear(); m_hasSaved = false; return ZKISIS_OK;
    case ZKISIS_MSG_RESTORE_TAGS: RestoreAll(); return ZKISIS_OK;
    default: break;
    }
    ZK_SIM_TAG* tag = Find(tagId);
    if (!tag)
        return ZKISIS_ERR_TAG_UNSUPPORTED;
    if (!data && message != ZKISIS_MSG_CHOICE_COUNT)
        return ZKISIS_ERR_BAD_PARAMETER;
    const ZK_SIM_TAG_VALUE* value = index < tag->values.size() ? &tag->values[index] : nullptr;
    switch (message)
    {
    case ZKISIS_MSG_GET_LONG:
    case ZKISIS_MSG_GET_RATIONAL: return _GetNumber(*tag, value, static_cast<ZKISIS_VALUE*>(data));
    case ZKISIS_MSG_GET_ASCII: return _GetText(value, static_cast<ZKISIS_TEXT*>(data));
    case ZKISIS_MSG_GET_LENGTH:
        if (!value)
            return ZKISIS_ERR_BAD_PARAMETER;
        *static_cast<int32_t*>(data) = static_cast<int32_t>(value->text.size());
        return ZKISIS_OK;
    case ZKISIS_MSG_SET_ASCII:
    case ZKISIS_MSG_SET_LONG:
    case ZKISIS_MSG_SET_RATIONAL:
    case ZKISIS_MSG_SET_POINTER: return _Set(*tag, index, message, data);
    case ZKISIS_MSG_VALUE_TYPE: *static_cast<int32_t*>(data) = tag->type; return ZKISIS_OK;
    case ZKISIS_MSG_CHOICE_COUNT:
        if (data)
            *static_cast<int32_t*>(data) = tag->hasRange ? 3 : static_cast<int32_t>(tag->choices.size());
        return ZKISIS_OK;
    case ZKISIS_MSG_TAG_TYPE:
        *static_cast<uint32_t*>(data) = (tag->choices.empty() ? 0u : uint32_t(ZKISIS_TAGTYPE_CHOICES)) |
                                        (tag->hasRange ? uint32_t(ZKISIS_TAGTYPE_RANGE) : 0u);
        return ZKISIS_OK;
    default: return _Choice(*tag, static_cast<int16_t>(index), message, data);
    }
}

int32_t CZKSimTagStore::_Create(uint16_t tag, const int32_t* type)
{
    if (!type || *type < ZKISIS_TYPE_RATIONAL || *type > ZKISIS_TYPE_POINTER)
        return ZKISIS_ERR_BAD_PARAMETER;
    ZK_SIM_TAG definition;
    definition.type = *type;
    m_tags[tag] = definition;
    return ZKISIS_OK;
}

int32_t CZKSimTagStore::_GetNumber(const ZK_SIM_TAG& tag, const ZK_SIM_TAG_VALUE* value, ZKISIS_VALUE* out) const
{
    if (!value || tag.type == ZKISIS_TYPE_ASCII)
        return ZKISIS_ERR_BAD_VALUE;
    out->type = tag.type;
    out->longValue = tag.type == ZKISIS_TYPE_RATIONAL ? static_cast<int32_t>(AsNumber(tag.type, *value))
                                                      : value->longValue;
    out->rational = tag.type == ZKISIS_TYPE_RATIONAL ? value->rational : ZKISIS_RATIONAL{value->longValue, 1};
    out->pointer = value->pointer;
    return ZKISIS_OK;
}

int32_t CZKSimTagStore::_GetText(const ZK_SIM_TAG_VALUE* value, ZKISIS_TEXT* out) const
{
    if (!value || !out->buffer || out->size == 0)
        return ZKISIS_ERR_BAD_PARAMETER;
    out->length = static_cast<uint32_t>(value->text.size());
    if (value->text.size() >= out->size)
        return ZKISIS_ERR_BUFFER_TOO_SMALL;
    std::memcpy(out->buffer, value->text.c_str(), value->text.size() + 1);
    return ZKISIS_OK;
}

int32_t CZKSimTagStore::_Set(ZK_SIM_TAG& tag, uint16_t index, uint32_t message, void* data)
{
    if (tag.readOnly)
        return ZKISIS_ERR_BAD_VALUE;
    ZK_SIM_TAG_VALUE value;
    switch (message)
    {
    case ZKISIS_MSG_SET_ASCII:
        if (tag.type != ZKISIS_TYPE_ASCII)
            return ZKISIS_ERR_BAD_VALUE;
        value.text = static_cast<const char*>(data);
        break;
    case ZKISIS_MSG_SET_LONG:
        value.longValue = *static_cast<const int32_t*>(data);
        value.rational = {value.longValue, 1};
        break;
    case ZKISIS_MSG_SET_RATIONAL:
        value.rational = *static_cast<const ZKISIS_RATIONAL*>(data);
        if (value.rational.denominator == 0)
            return ZKISIS_ERR_BAD_VALUE;
        value.longValue = value.rational.numerator / value.rational.denominator;
        break;
    default:
        if (tag.type != ZKISIS_TYPE_POINTER)
            return ZKISIS_ERR_BAD_VALUE;
        value.pointer = *static_cast<void* const*>(data);
        break;
    }
    if ((message == ZKISIS_MSG_SET_LONG || message == ZKISIS_MSG_SET_RATIONAL) &&
        (tag.type == ZKISIS_TYPE_ASCII || tag.type == ZKISIS_TYPE_POINTER))
        return ZKISIS_ERR_BAD_VALUE;
    if (!_Allowed(tag, value))
        return ZKISIS_ERR_BAD_VALUE;
    if (index >= tag.values.size())
        tag.values.resize(index + 1u);
    tag.values[index] = value;
    return ZKISIS_OK;
}

bool CZKSimTagStore::_Allowed(const ZK_SIM_TAG& tag, const ZK_SIM_TAG_VALUE& value)
{
    if (tag.type == ZKISIS_TYPE_ASCII || tag.type == ZKISIS_TYPE_POINTER)
        return true;
    const double number = tag.type == ZKISIS_TYPE_RATIONAL ? AsNumber(tag.type, value) : value.longValue;
    if (tag.hasRange)
        return number >= tag.rangeMin && number <= tag.rangeMax;
    if (tag.choices.empty())
        return true;
    for (const ZK_SIM_TAG_VALUE& choice : tag.choices)
        if (AsNumber(tag.type, choice) == number)
            return true;
    return false;
}

int32_t CZKSimTagStore::_Choice(const ZK_SIM_TAG& tag, int16_t index, uint32_t message, void* data) const
{
    ZK_SIM_TAG_VALUE rangeValue;
    const ZK_SIM_TAG_VALUE* choice = nullptr;
    if (tag.hasRange && index < 0 && index >= ZKISIS_RANGE_STEP)
    {
        rangeValue.longValue = index == ZKISIS_RANGE_MIN ? tag.rangeMin
                               : index == ZKISIS_RANGE_MAX ? tag.rangeMax : tag.rangeStep;
        rangeValue.rational = {rangeValue.longValue, 1};
        choice = &rangeValue;
    }
    else if (index >= 0 && static_cast<size_t>(index) < tag.choices.size())
        choice = &tag.choices[index];
    if (!choice)
        return ZKISIS_ERR_BAD_PARAMETER;
    switch (message)
    {
    case ZKISIS_MSG_CHOICE_LONG:
    case ZKISIS_MSG_CHOICE_RATIONAL:
        return _GetNumber(tag.hasRange ? ZK_SIM_TAG{} : tag, choice, static_cast<ZKISIS_VALUE*>(data));
    case ZKISIS_MSG_CHOICE_ASCII: return _GetText(choice, static_cast<ZKISIS_TEXT*>(data));
    case ZKISIS_MSG_CHOICE_LENGTH: *static_cast<int32_t*>(data) = static_cast<int32_t>(choice->text.size()); return ZKISIS_OK;
    default: return ZKISIS_ERR_BAD_MESSAGE;
    }
}
