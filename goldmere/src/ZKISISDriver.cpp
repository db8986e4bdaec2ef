#include "ZKISISDriver.h"

#include <vector>

#include <hollin/ZKCommon.h>

#include "ZKISISErrorReporter.h"

namespace
{
const char kReporterSource[] = "ZKISISDriver";

// Texts beyond this are not believed, whatever length a driver announces.
const long kMaxTextLength = 1 << 20;
} // namespace

CZKISISDriver::CZKISISDriver(CZKISISScanSession* session, IZKISISEventObserver* observer)
    : m_session(session), m_observer(observer)
{
}

int32_t CZKISISDriver::Send(uint32_t message, uint32_t param, void* data)
{
    if (!m_module || !m_module->proc)
        return ZKISIS_ERR_BAD_PARAMETER;
    try
    {
        return m_module->proc(m_module, message, param, data);
    }
    catch (...)
    {
        return ZKISIS_LAYER_DRIVER_EXCEPTION;
    }
}

BOOL CZKISISDriver::SendPlain(uint32_t message)
{
    if (!m_module)
        return FALSE;
    const int32_t status = Send(message, 0, nullptr);
    return status != ZKISIS_LAYER_DRIVER_EXCEPTION && ZKISIS_CHECK(status);
}

BOOL CZKISISDriver::TagCreate(WORD tag, int32_t type)
{
    if (!m_module)
        return FALSE;
    const int32_t status = Send(ZKISIS_MSG_TAG_CREATE, tag, &type);
    return status != ZKISIS_LAYER_DRIVER_EXCEPTION && ZKISIS_CHECK(status);
}

BOOL CZKISISDriver::_Number(uint32_t message, ZKISIS_VALUE& value, WORD tag, WORD index)
{
    if (!m_module)
        return FALSE;
    value = ZKISIS_VALUE{};
    value.type = -1;
    const int32_t status = Send(message, Param(tag, index), &value);
    if (status == ZKISIS_LAYER_DRIVER_EXCEPTION || !ZKISIS_CHECK(status))
        return FALSE;
    const bool numeric = value.type == ZKISIS_TYPE_LONG || value.type == ZKISIS_TYPE_RATIONAL ||
                         value.type == ZKISIS_TYPE_POINTER;
    if (!numeric || (value.type == ZKISIS_TYPE_RATIONAL && value.rational.denominator == 0))
        return ZKISIS_CHECK(ZKISIS_LAYER_WRONG_ANSWER_TYPE);
    return TRUE;
}

BOOL CZKISISDriver::_Long(uint32_t message, long& value, WORD tag, WORD index)
{
    ZKISIS_VALUE answer;
    if (!_Number(message, answer, tag, index))
        return FALSE;
    value = answer.type == ZKISIS_TYPE_RATIONAL ? answer.rational.numerator / answer.rational.denominator
                                                : answer.longValue;
    return TRUE;
}

BOOL CZKISISDriver::_Float(uint32_t message, float& value, WORD tag, WORD index)
{
    ZKISIS_VALUE answer;
    if (!_Number(message, answer, tag, index))
        return FALSE;
    value = answer.type == ZKISIS_TYPE_RATIONAL
                ? static_cast<float>(double(answer.rational.numerator) / answer.rational.denominator)
                : static_cast<float>(answer.longValue);
    return TRUE;
}

BOOL CZKISISDriver::GetLong(long& value, WORD tag, WORD index)
{
    return _Long(ZKISIS_MSG_GET_LONG, value, tag, index);
}

BOOL CZKISISDriver::GetFloat(float& value, WORD tag, WORD index)
{
    return _Float(ZKISIS_MSG_GET_RATIONAL, value, tag, index);
}

BOOL CZKISISDriver::_Text(uint32_t lengthMessage, uint32_t textMessage, std::wstring& value, WORD tag, WORD index)
{
    if (!m_module)
        return FALSE;
    int32_t length = -1;
    int32_t status = Send(lengthMessage, Param(tag, index), &length);
    if (status == ZKISIS_LAYER_DRIVER_EXCEPTION || !ZKISIS_CHECK(status))
        return FALSE;
    if (length < 0 || length > kMaxTextLength)
        return ZKISIS_CHECK(ZKISIS_LAYER_TEXT_TOO_LONG);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    ZKISIS_TEXT text = {buffer.data(), static_cast<uint32_t>(buffer.size()), 0};
    status = Send(textMessage, Param(tag, index), &text);
    if (status == ZKISIS_LAYER_DRIVER_EXCEPTION || !ZKISIS_CHECK(status))
        return FALSE;
    // A driver that wrote more than it announced has no NUL in the buffer.
    if (text.length >= buffer.size() || buffer.back() != '\0')
        return ZKISIS_CHECK(ZKISIS_LAYER_TEXT_TOO_LONG);
    value = SZKCommon::MBStoWCS(buffer.data());
    return TRUE;
}

BOOL CZKISISDriver::GetText(std::wstring& value, WORD tag, WORD index)
{
    return _Text(ZKISIS_MSG_GET_LENGTH, ZKISIS_MSG_GET_ASCII, value, tag, index);
}

long CZKISISDriver::ValueLength(WORD tag, WORD index)
{
    if (!m_module || !Supported(tag))
        return -1;
    int32_t length = 0;
    const int32_t status = Send(ZKISIS_MSG_GET_LENGTH, Param(tag, index), &length);
    if (status == ZKISIS_LAYER_DRIVER_EXCEPTION || !ZKISIS_CHECK(status) || length <= 0)
        return -1;
    return length;
}

BOOL CZKISISDriver::SetText(const std::wstring& value, WORD tag, WORD index)
{
    if (!m_module)
        return FALSE;
    std::string narrow;
    if (!SZKCommon::WCStoMBS(value, narrow, SZKCommon::CodePageANSI))
        return FALSE;
    const int32_t status = Send(ZKISIS_MSG_SET_ASCII, Param(tag, index), const_cast<char*>(narrow.c_str()));
    return status != ZKISIS_LAYER_DRIVER_EXCEPTION && ZKISIS_CHECK(status);
}

BOOL CZKISISDriver::SetLong(long value, WORD tag, WORD index)
{
    if (!m_module)
        return FALSE;
    int32_t narrow = static_cast<int32_t>(value);
    const int32_t status = Send(ZKISIS_MSG_SET_LONG, Param(tag, index), &narrow);
    return status != ZKISIS_LAYER_DRIVER_EXCEPTION && ZKISIS_CHECK(status);
}

BOOL CZKISISDriver::SetFloat(float value, WORD tag, WORD index)
{
    if (!m_module)
        return FALSE;
    // The toolkit takes the value as the rational (integer part, 1).
    ZKISIS_RATIONAL rational = {static_cast<int32_t>(value), 1};
    const int32_t status = Send(ZKISIS_MSG_SET_RATIONAL, Param(tag, index), &rational);
    return status != ZKISIS_LAYER_DRIVER_EXCEPTION && ZKISIS_CHECK(status);
}

BOOL CZKISISDriver::Supported(WORD tag)
{
    if (!m_module)
        return FALSE;
    int32_t count = 0;
    const int32_t status = Send(ZKISIS_MSG_CHOICE_COUNT, tag, &count);
    return status != ZKISIS_LAYER_DRIVER_EXCEPTION && ZKISIS_CHECK(status);
}

long CZKISISDriver::ChoiceCount(WORD tag)
{
    if (!Supported(tag))
        return -1;
    int32_t count = 0;
    const int32_t status = Send(ZKISIS_MSG_CHOICE_COUNT, tag, &count);
    if (status == ZKISIS_LAYER_DRIVER_EXCEPTION || !ZKISIS_CHECK(status))
        return -1;
    return static_cast<uint16_t>(count);
}

BOOL CZKISISDriver::ChoiceLong(long& value, WORD tag, WORD index)
{
    return _Long(ZKISIS_MSG_CHOICE_LONG, value, tag, index);
}

BOOL CZKISISDriver::ChoiceFloat(float& value, WORD tag, WORD index)
{
    return _Float(ZKISIS_MSG_CHOICE_RATIONAL, value, tag, index);
}

BOOL CZKISISDriver::ChoiceText(std::wstring& value, WORD tag, WORD index)
{
    return _Text(ZKISIS_MSG_CHOICE_LENGTH, ZKISIS_MSG_CHOICE_ASCII, value, tag, index);
}

BOOL CZKISISDriver::Type(DWORD& type, WORD tag)
{
    if (!m_module)
        return FALSE;
    uint32_t flags = 0;
    const int32_t status = Send(ZKISIS_MSG_TAG_TYPE, tag, &flags);
    if (status == ZKISIS_LAYER_DRIVER_EXCEPTION || !ZKISIS_CHECK(status))
        return FALSE;
    type = flags;
    return TRUE;
}

long CZKISISDriver::ValueType(WORD tag)
{
    if (!m_module)
        return -1;
    int32_t type = -1;
    const int32_t status = Send(ZKISIS_MSG_VALUE_TYPE, tag, &type);
    if (status == ZKISIS_LAYER_DRIVER_EXCEPTION || !ZKISIS_CHECK(status))
        return -1;
    return type;
}

BOOL CZKISISDriver::RangeGet(long& minimum, long& maximum, long& step, WORD tag)
{
    DWORD type = 0;
    if (!Type(type, tag) || !(type & ZKISIS_TAGTYPE_RANGE))
        return FALSE;
    return ChoiceLong(minimum, tag, static_cast<WORD>(ZKISIS_RANGE_MIN)) &&
           ChoiceLong(maximum, tag, static_cast<WORD>(ZKISIS_RANGE_MAX)) &&
           ChoiceLong(step, tag, static_cast<WORD>(ZKISIS_RANGE_STEP));
}

BOOL CZKISISDriver::IsChoice(WORD tag, long value)
{
    DWORD type = 0;
    long minimum = 0, maximum = 0, step = 0;
    if (Type(type, tag) && (type & ZKISIS_TAGTYPE_RANGE))
        return RangeGet(minimum, maximum, step, tag) && value >= minimum && value <= maximum;
    const long count = ChoiceCount(tag);
    for (long i = 0; i < count; ++i)
    {
        long choice = 0;
        if (ChoiceLong(choice, tag, static_cast<WORD>(i)) && choice == value)
            return TRUE;
    }
    return FALSE;
}
