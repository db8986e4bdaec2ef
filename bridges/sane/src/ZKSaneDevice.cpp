#include "ZKSaneDevice.h"

#include "ZKSaneReaderSettle.h"

#include <cstring>

namespace
{
double FromWord(SANE_Value_Type type, SANE_Word word)
{
    return type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : static_cast<double>(word);
}

SANE_Word ToWord(SANE_Value_Type type, double value)
{
    if (type == SANE_TYPE_FIXED)
        return SANE_FIX(value);
    return static_cast<SANE_Word>(value < 0 ? value - 0.5 : value + 0.5);
}

bool IsNumber(SANE_Value_Type type)
{
    return type == SANE_TYPE_INT || type == SANE_TYPE_FIXED || type == SANE_TYPE_BOOL;
}

// No option of any device needs more; a larger size is a broken descriptor.
constexpr SANE_Int kLargestOption = 64 * 1024;
} // namespace

std::unique_ptr<CZKSaneDevice> CZKSaneDevice::Open(const std::string& name, SANE_Status& status)
{
    SANE_Handle handle = nullptr;
    status = sane_open(name.c_str(), &handle);
    if (status != SANE_STATUS_GOOD || !handle)
    {
        if (status == SANE_STATUS_GOOD)
            status = SANE_STATUS_INVAL;
        return nullptr;
    }
    return std::unique_ptr<CZKSaneDevice>(new CZKSaneDevice(handle));
}

CZKSaneDevice::~CZKSaneDevice()
{
    sane_close(m_handle);
}

SANE_Int CZKSaneDevice::_Find(const char* name, const SANE_Option_Descriptor*& descriptor)
{
    descriptor = nullptr;
    SANE_Int count = 0;
    if (sane_control_option(m_handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return -1;
    for (SANE_Int i = 1; i < count; ++i)
    {
        const SANE_Option_Descriptor* option = sane_get_option_descriptor(m_handle, i);
        if (option && option->name && std::strcmp(option->name, name) == 0 && SANE_OPTION_IS_ACTIVE(option->cap))
        {
            descriptor = option;
            return i;
        }
    }
    return -1;
}

bool CZKSaneDevice::Has(const char* name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const SANE_Option_Descriptor* option = nullptr;
    return _Find(name, option) >= 0;
}

bool CZKSaneDevice::IsSettable(const char* name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const SANE_Option_Descriptor* option = nullptr;
    return _Find(name, option) >= 0 && SANE_OPTION_IS_SETTABLE(option->cap);
}

bool CZKSaneDevice::GetNumber(const char* name, double& value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const SANE_Option_Descriptor* option = nullptr;
    const SANE_Int index = _Find(name, option);
    if (index < 0 || !IsNumber(option->type) || option->size < static_cast<SANE_Int>(sizeof(SANE_Word)) ||
        option->size > kLargestOption)
        return false;
    // Vector options are read whole: the backend writes size bytes.
    std::vector<SANE_Word> words(static_cast<size_t>(option->size) / sizeof(SANE_Word) + 1);
    if (sane_control_option(m_handle, index, SANE_ACTION_GET_VALUE, words.data(), nullptr) != SANE_STATUS_GOOD)
        return false;
    value = FromWord(option->type, words[0]);
    return true;
}

bool CZKSaneDevice::GetString(const char* name, std::string& value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const SANE_Option_Descriptor* option = nullptr;
    const SANE_Int index = _Find(name, option);
    if (index < 0 || option->type != SANE_TYPE_STRING || option->size <= 0 || option->size > kLargestOption)
        return false;
    std::vector<char> text(static_cast<size_t>(option->size) + 1, '\0');
    if (sane_control_option(m_handle, index, SANE_ACTION_GET_VALUE, text.data(), nullptr) != SANE_STATUS_GOOD)
        return false;
    value.assign(text.data(), strnlen(text.data(), static_cast<size_t>(option->size)));
    return true;
}

bool CZKSaneDevice::NumberChoices(const char* name, ZK_SANE_CHOICES& choices)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const SANE_Option_Descriptor* option = nullptr;
    if (_Find(name, option) < 0 || !IsNumber(option->type))
        return false;
    choices = ZK_SANE_CHOICES();
    if (option->constraint_type == SANE_CONSTRAINT_RANGE && option->constraint.range)
    {
        const SANE_Range& range = *option->constraint.range;
        choices.isRange = true;
        choices.min = FromWord(option->type, range.min);
        choices.max = FromWord(option->type, range.max);
        choices.quant = FromWord(option->type, range.quant);
        return choices.min <= choices.max;
    }
    if (option->constraint_type == SANE_CONSTRAINT_WORD_LIST && option->constraint.word_list)
    {
        // The first word is the count; a backend's list is bounded by it.
        const SANE_Word* words = option->constraint.word_list;
        for (SANE_Word i = 1; i <= words[0] && i <= 4096; ++i)
            choices.list.push_back(FromWord(option->type, words[i]));
        return !choices.list.empty();
    }
    return false;
}

std::vector<std::string> CZKSaneDevice::StringChoices(const char* name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<std::string> choices;
    const SANE_Option_Descriptor* option = nullptr;
    if (_Find(name, option) < 0 || option->constraint_type != SANE_CONSTRAINT_STRING_LIST ||
        !option->constraint.string_list)
        return choices;
    for (size_t i = 0; option->constraint.string_list[i] && i < 4096; ++i)
        choices.emplace_back(option->constraint.string_list[i]);
    return choices;
}

SANE_Status CZKSaneDevice::SetNumber(const char* name, double value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const SANE_Option_Descriptor* option = nullptr;
    const SANE_Int index = _Find(name, option);
    if (index < 0 || !IsNumber(option->type) || !SANE_OPTION_IS_SETTABLE(option->cap) ||
        option->size < static_cast<SANE_Int>(sizeof(SANE_Word)) || option->size > kLargestOption)
        return SANE_STATUS_UNSUPPORTED;
    // Every element of a vector option gets the value.
    std::vector<SANE_Word> words(static_cast<size_t>(option->size) / sizeof(SANE_Word) + 1,
                                 ToWord(option->type, value));
    return sane_control_option(m_handle, index, SANE_ACTION_SET_VALUE, words.data(), nullptr);
}

SANE_Status CZKSaneDevice::SetString(const char* name, const std::string& value)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const SANE_Option_Descriptor* option = nullptr;
    const SANE_Int index = _Find(name, option);
    if (index < 0 || option->type != SANE_TYPE_STRING || !SANE_OPTION_IS_SETTABLE(option->cap) ||
        option->size > kLargestOption)
        return SANE_STATUS_UNSUPPORTED;
    if (value.size() + 1 > static_cast<size_t>(option->size))
        return SANE_STATUS_INVAL;
    std::vector<char> text(static_cast<size_t>(option->size), '\0');
    std::memcpy(text.data(), value.data(), value.size());
    return sane_control_option(m_handle, index, SANE_ACTION_SET_VALUE, text.data(), nullptr);
}

SANE_Unit CZKSaneDevice::Unit(const char* name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const SANE_Option_Descriptor* option = nullptr;
    return _Find(name, option) >= 0 ? option->unit : SANE_UNIT_NONE;
}

SANE_Status CZKSaneDevice::Start()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return sane_start(m_handle);
}

SANE_Status CZKSaneDevice::Parameters(SANE_Parameters& parameters)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return sane_get_parameters(m_handle, &parameters);
}

SANE_Status CZKSaneDevice::Read(SANE_Byte* buffer, SANE_Int max, SANE_Int& length)
{
    std::lock_guard<std::mutex> guard(m_lock);
    length = 0;
    return sane_read(m_handle, buffer, max, &length);
}

void CZKSaneDevice::Cancel()
{
    std::lock_guard<std::mutex> guard(m_lock);
    ZKSaneLetReaderSettle();
    sane_cancel(m_handle);
}
