// Time input masks and the values typed against them: mask, NUL, value.
#include <brackwater/QXIOMask.h>

#include "common/FuzzInput.h"
#include "common/MaskChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const std::wstring mask = input.TakeText();
    const std::wstring value = input.TakeText();

    DWORD code = 0;
    CheckRefusalExplained(SQXIOMask::ValidateTimeInputMask(mask, code), code, 1001, 1118);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const BOOL accepted = SQXIOMask::ValidateTimeInput(mask, value, year, month, day, hour, minute, second, code);
    CheckRefusalExplained(accepted, code, 1001, 1118);
    return 0;
}
