// Input masks and the values typed against them: mask, NUL, value; the
// first byte switches the literal search.
#include <brackwater/QXIOMask.h>

#include "common/FuzzInput.h"
#include "common/MaskChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const BOOL literalSearch = input.TakeByte() & 1;
    const std::wstring mask = input.TakeText();
    const std::wstring value = input.TakeText();

    DWORD code = 0;
    const BOOL valid = SQXIOMask::ValidateInputMask(mask, code);
    CheckRefusalExplained(valid, code, 2001, 2107);
    SQXIOMask::ValidateSingleStringInputMask(mask);
    int minLength = 0;
    int maxLength = 0;
    const BOOL haveMin = SQXIOMask::GetInputMaskMinLength(mask, minLength, code);
    const BOOL haveMax = SQXIOMask::GetInputMaskMaxLength(mask, maxLength, code);
    // A negative longest means no limit.
    if (haveMin && haveMax && maxLength >= 0 && minLength > maxLength)
        FuzzFail("an input mask's shortest value is longer than its longest");

    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const BOOL accepted =
        SQXIOMask::ValidateInput(mask, value, year, month, day, hour, minute, second, code, literalSearch);
    CheckRefusalExplained(accepted, code, 2001, 2107);
    return 0;
}
