#include <brackwater/QXIOMask.h>

#include <brackwater/QXDefaultValueEI.h>
#include <brackwater/QXInputMaskEI.h>
#include <brackwater/QXOutputMaskEI.h>
#include <brackwater/QXTimeInputMaskEI.h>

#include "QXParsedMaskCache.h"

#include <hollin/ZKDict.h>

namespace
{
// One cache per language; the application validates and formats the same
// few field masks over and over.
CQXParsedMaskCache<CQXInputMaskItemList>& InputMasks()
{
    static CQXParsedMaskCache<CQXInputMaskItemList> cache(&CQXInputMaskEI::Parse);
    return cache;
}

CQXParsedMaskCache<CQXTimeInputMaskItemList>& TimeInputMasks()
{
    static CQXParsedMaskCache<CQXTimeInputMaskItemList> cache(&CQXTimeInputMaskEI::Parse);
    return cache;
}

CQXParsedMaskCache<CQXOutputMaskItemList>& OutputMasks()
{
    static CQXParsedMaskCache<CQXOutputMaskItemList> cache(&CQXOutputMaskEI::Parse);
    return cache;
}

// The facade always parses expressions with the options emptied on error.
BOOL ParseDefaultValue(const std::wstring& expression, CQXDefaultValueOptionList& options, DWORD& code)
{
    return CQXDefaultValueEI::Parse(expression, options, code, TRUE);
}

CQXParsedMaskCache<CQXDefaultValueOptionList>& DefaultValues()
{
    static CQXParsedMaskCache<CQXDefaultValueOptionList> cache(&ParseDefaultValue);
    return cache;
}

BOOL Fail(DWORD failure, DWORD& code)
{
    code = failure;
    return FALSE;
}

// The tag list a dictionary stands for; FALSE when an entry has no name.
BOOL TagsFromDict(const CZKDict& dict, CQXDefaultValueTagItemList& tags)
{
    tags.RemoveAll();
    return tags.SetTags(dict);
}
} // namespace

// ---- input masks -------------------------------------------------------------

BOOL SQXIOMask::ValidateInputMask(const std::wstring& mask, DWORD& code)
{
    return InputMasks().Get(mask, code) ? TRUE : FALSE;
}

BOOL SQXIOMask::ValidateSingleStringInputMask(const std::wstring& mask)
{
    DWORD code = 0;
    const auto list = InputMasks().Get(mask, code);
    if (!list || list->GetCount() != 1)
        return FALSE;
    return list->Get(0)->m_nType == CQXInputMaskItem::TYPE_STRING ? TRUE : FALSE;
}

BOOL SQXIOMask::GetInputMaskMinLength(const std::wstring& mask, int& length, DWORD& code)
{
    const auto list = InputMasks().Get(mask, code);
    if (!list)
        return FALSE;
    length = list->GetItemsMinLength();
    return TRUE;
}

BOOL SQXIOMask::GetInputMaskMaxLength(const std::wstring& mask, int& length, DWORD& code)
{
    const auto list = InputMasks().Get(mask, code);
    if (!list)
        return FALSE;
    length = list->GetItemsMaxLength();
    return TRUE;
}

BOOL SQXIOMask::ValidateInput(const std::wstring& mask, const std::wstring& value, int& year,
                              int& month, int& day, int& hour, int& minute, int& second,
                              DWORD& code, BOOL literalSearch)
{
    year = month = day = hour = minute = second = -1;
    const auto list = InputMasks().Get(mask, code);
    if (!list)
        return FALSE;
    return CQXInputMaskEI::Validate(*list, value, year, month, day, hour, minute, second, code,
                                    literalSearch);
}

BOOL SQXIOMask::ValidateInput(const std::wstring& mask, const std::wstring& value, DWORD& code,
                              BOOL literalSearch)
{
    int parts[6];
    return ValidateInput(mask, value, parts[0], parts[1], parts[2], parts[3], parts[4], parts[5],
                         code, literalSearch);
}

// ---- time input masks --------------------------------------------------------

BOOL SQXIOMask::ValidateTimeInputMask(const std::wstring& mask, DWORD& code)
{
    return TimeInputMasks().Get(mask, code) ? TRUE : FALSE;
}

BOOL SQXIOMask::ValidateTimeInput(const std::wstring& mask, const std::wstring& value, int& year,
                                  int& month, int& day, int& hour, int& minute, int& second,
                                  DWORD& code)
{
    year = month = day = hour = minute = second = -1;
    const auto list = TimeInputMasks().Get(mask, code);
    if (!list)
        return FALSE;
    return CQXTimeInputMaskEI::Validate(*list, value, year, month, day, hour, minute, second, code);
}

BOOL SQXIOMask::ValidateTimeInput(const std::wstring& mask, const std::wstring& value, DWORD& code)
{
    int parts[6];
    return ValidateTimeInput(mask, value, parts[0], parts[1], parts[2], parts[3], parts[4],
                             parts[5], code);
}

// ---- output masks ------------------------------------------------------------

BOOL SQXIOMask::ValidateOutputMask(const std::wstring& mask, DWORD& code)
{
    return OutputMasks().Get(mask, code) ? TRUE : FALSE;
}

BOOL SQXIOMask::FormatOutput(const std::wstring& outputMask, const std::wstring& value, int year,
                             int month, int day, int hour, int minute, int second,
                             std::wstring& text, DWORD& code, BOOL strictText, BOOL strictNumber,
                             BOOL strictTime)
{
    const auto list = OutputMasks().Get(outputMask, code);
    if (!list)
        return FALSE;
    return CQXOutputMaskEI::Format(*list, value, year, month, day, hour, minute, second, strictText,
                                   strictNumber, strictTime, text, code);
}

BOOL SQXIOMask::FormatOutput(const std::wstring& outputMask, const std::wstring& inputMask,
                             const std::wstring& value, std::wstring& text, DWORD& code,
                             BOOL strictText, BOOL strictNumber, BOOL strictTime)
{
    int parts[6] = {-1, -1, -1, -1, -1, -1};
    code = 0;
    if (!inputMask.empty() && !ValidateInput(inputMask, value, parts[0], parts[1], parts[2],
                                             parts[3], parts[4], parts[5], code, FALSE))
        return FALSE;
    return FormatOutput(outputMask, value, parts[0], parts[1], parts[2], parts[3], parts[4],
                        parts[5], text, code, strictText, strictNumber, strictTime);
}

// ---- default values ----------------------------------------------------------

BOOL SQXIOMask::ValidateDefaultValueExp(const std::wstring& expression, DWORD& code)
{
    return DefaultValues().Get(expression, code) ? TRUE : FALSE;
}

BOOL SQXIOMask::ValidateDefaultValueExp(const std::wstring& expression,
                                        const CQXDefaultValueTagItemList& tags, DWORD& code)
{
    const auto options = DefaultValues().Get(expression, code);
    if (!options)
        return FALSE;
    return CQXDefaultValueEI::CheckTags(*options, tags, code);
}

BOOL SQXIOMask::ValidateDefaultValueExp(const std::wstring& expression,
                                        const CQXDefaultValueTagItemList& tags,
                                        CQXDefaultValueOptionList& options, DWORD& code)
{
    options.RemoveAll();
    try
    {
        const auto parsed = DefaultValues().Get(expression, code);
        if (!parsed)
            return FALSE;
        options = *parsed; // the caller's own copy
    }
    catch (...)
    {
        options.RemoveAll();
        return Fail(ERR_INTERNAL, code);
    }
    return CQXDefaultValueEI::CheckTags(options, tags, code);
}

BOOL SQXIOMask::ValidateDefaultValueExp(const std::wstring& expression, const CZKDict& dict,
                                        DWORD& code)
{
    try
    {
        CQXDefaultValueTagItemList tags;
        if (!TagsFromDict(dict, tags))
            return Fail(ERR_INTERNAL, code);
        return ValidateDefaultValueExp(expression, tags, code);
    }
    catch (...)
    {
        return Fail(ERR_INTERNAL, code);
    }
}

BOOL SQXIOMask::GetDefaultValue(const std::wstring& expression,
                                const CQXDefaultValueTagItemList& tags, std::wstring& value,
                                int& level, DWORD& code)
{
    value.clear();
    level = 0;
    const auto options = DefaultValues().Get(expression, code);
    if (!options)
        return FALSE;
    return CQXDefaultValueEI::GetValue(*options, tags, value, level, FALSE, code);
}

BOOL SQXIOMask::GetDefaultValue(const std::wstring& expression, const CZKDict& dict,
                                std::wstring& value, int& level, DWORD& code)
{
    value.clear();
    level = 0;
    try
    {
        CQXDefaultValueTagItemList tags;
        if (!TagsFromDict(dict, tags))
            return Fail(ERR_INTERNAL, code);
        return GetDefaultValue(expression, tags, value, level, code);
    }
    catch (...)
    {
        return Fail(ERR_INTERNAL, code);
    }
}

// ---- messages ----------------------------------------------------------------

BOOL SQXIOMask::GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText)
{
    text.clear();
    if (code == 0)
        return FALSE;
    try
    {
        if (CQXTimeInputMaskEI::GetErrorMessage(code, text, loadText) && !text.empty())
            return TRUE;
        if (CQXInputMaskEI::GetErrorMessage(code, text, loadText) && !text.empty())
            return TRUE;
        return CQXDefaultValueEI::GetErrorMessage(code, text, loadText);
    }
    catch (...)
    {
        text.clear();
        return FALSE;
    }
}
