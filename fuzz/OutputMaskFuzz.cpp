// Output masks formatting values: strictness flags and date parts from the
// first bytes, then output mask, NUL, value, NUL, input mask.
#include <brackwater/QXIOMask.h>

#include "common/FuzzInput.h"
#include "common/MaskChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const uint8_t flags = input.TakeByte();
    const int year = static_cast<int16_t>(input.TakeWord());
    const int month = static_cast<int8_t>(input.TakeByte());
    const int day = static_cast<int8_t>(input.TakeByte());
    const int hour = static_cast<int8_t>(input.TakeByte());
    const int minute = static_cast<int8_t>(input.TakeByte());
    const int second = static_cast<int8_t>(input.TakeByte());
    const std::wstring mask = input.TakeText();
    const std::wstring value = input.TakeText();
    const std::wstring inputMask = input.TakeText();
    const BOOL strictText = flags & 1;
    const BOOL strictNumber = (flags >> 1) & 1;
    const BOOL strictTime = (flags >> 2) & 1;

    DWORD code = 0;
    CheckRefusalExplained(SQXIOMask::ValidateOutputMask(mask, code), code, 3001, 3111);
    std::wstring text;
    const BOOL formatted = SQXIOMask::FormatOutput(mask, value, year, month, day, hour, minute, second, text,
                                                   code, strictText, strictNumber, strictTime);
    CheckRefusalExplained(formatted, code, 3001, 3111);
    std::wstring viaInputMask;
    SQXIOMask::FormatOutput(mask, inputMask, value, viaInputMask, code, strictText, strictNumber, strictTime);
    return 0;
}
