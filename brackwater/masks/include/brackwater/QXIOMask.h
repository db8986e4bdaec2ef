// One call per task over the mask and expression languages: each parses
// the mask or expression it is given and runs it. The parsed forms of the
// texts most recently used are kept, shared by all threads, so a field's
// mask is not parsed again for every value; results and error codes are
// those of a fresh parse. Every operation returns 1 on success and 0 on
// failure with code set; nothing throws.
#pragma once

#include <brackwater/QXDefaultValueOptionList.h>
#include <brackwater/QXDefaultValueTagItemList.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKDict;

class BRACKWATER_EXPORT SQXIOMask
{
public:
    static constexpr DWORD ERR_INTERNAL = 0x7FFFFFFF;

    // Input masks.
    static BOOL ValidateInputMask(const std::wstring& mask, DWORD& code);
    // 1 if the mask parses into exactly one literal item.
    static BOOL ValidateSingleStringInputMask(const std::wstring& mask);
    static BOOL GetInputMaskMinLength(const std::wstring& mask, int& length, DWORD& code);
    static BOOL GetInputMaskMaxLength(const std::wstring& mask, int& length, DWORD& code);
    static BOOL ValidateInput(const std::wstring& mask, const std::wstring& value, int& year,
                              int& month, int& day, int& hour, int& minute, int& second,
                              DWORD& code, BOOL literalSearch = FALSE);
    static BOOL ValidateInput(const std::wstring& mask, const std::wstring& value, DWORD& code,
                              BOOL literalSearch = FALSE);

    // Time input masks.
    static BOOL ValidateTimeInputMask(const std::wstring& mask, DWORD& code);
    static BOOL ValidateTimeInput(const std::wstring& mask, const std::wstring& value, int& year,
                                  int& month, int& day, int& hour, int& minute, int& second,
                                  DWORD& code);
    static BOOL ValidateTimeInput(const std::wstring& mask, const std::wstring& value, DWORD& code);

    // Output masks. FormatOutput appends to text as passed in (an empty
    // mask assigns it).
    static BOOL ValidateOutputMask(const std::wstring& mask, DWORD& code);
    static BOOL FormatOutput(const std::wstring& outputMask, const std::wstring& value, int year,
                             int month, int day, int hour, int minute, int second,
                             std::wstring& text, DWORD& code, BOOL strictText = FALSE,
                             BOOL strictNumber = FALSE, BOOL strictTime = FALSE);
    // A non-empty input mask first validates value (literal search off) to
    // obtain the date/time parts; its failure is the result.
    static BOOL FormatOutput(const std::wstring& outputMask, const std::wstring& inputMask,
                             const std::wstring& value, std::wstring& text, DWORD& code,
                             BOOL strictText = FALSE, BOOL strictNumber = FALSE,
                             BOOL strictTime = FALSE);

    // Default-value expressions (always parsed with the options emptied on
    // error).
    static BOOL ValidateDefaultValueExp(const std::wstring& expression, DWORD& code);
    static BOOL ValidateDefaultValueExp(const std::wstring& expression,
                                        const CQXDefaultValueTagItemList& tags, DWORD& code);
    static BOOL ValidateDefaultValueExp(const std::wstring& expression,
                                        const CQXDefaultValueTagItemList& tags,
                                        CQXDefaultValueOptionList& options, DWORD& code);
    static BOOL ValidateDefaultValueExp(const std::wstring& expression, const CZKDict& dict,
                                        DWORD& code);
    static BOOL GetDefaultValue(const std::wstring& expression,
                                const CQXDefaultValueTagItemList& tags, std::wstring& value,
                                int& level, DWORD& code);
    static BOOL GetDefaultValue(const std::wstring& expression, const CZKDict& dict,
                                std::wstring& value, int& level, DWORD& code);

    // Empty text (FALSE) for 0; otherwise the first message found among the
    // time input mask's, the input mask's, the output mask's and the
    // default value's (which ends in the reader's).
    static BOOL GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText = TRUE);
};
