// Default-value expressions evaluated against a few tags: expression, then
// pairs of tag name and tag value, each ended by a NUL byte.
#include <brackwater/QXDefaultValueTagItemList.h>
#include <brackwater/QXIOMask.h>

#include "common/FuzzInput.h"
#include "common/MaskChecks.h"

namespace
{
constexpr int kMaxTags = 4;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const std::wstring expression = input.TakeText();
    CQXDefaultValueTagItemList tags;
    for (int i = 0; i < kMaxTags && input.RestSize() > 0; ++i)
    {
        const std::wstring name = input.TakeText();
        tags.SetTag(name, input.TakeText());
    }

    DWORD code = 0;
    CheckRefusalExplained(SQXIOMask::ValidateDefaultValueExp(expression, code), code, 4001, 4101);
    CQXDefaultValueOptionList options;
    SQXIOMask::ValidateDefaultValueExp(expression, tags, options, code);
    std::wstring value;
    int level = 0;
    const BOOL evaluated = SQXIOMask::GetDefaultValue(expression, tags, value, level, code);
    CheckRefusalExplained(evaluated, code, 4001, 4101);
    return 0;
}
