#include "MaskChecks.h"

#include "FuzzInput.h"

#include <brackwater/QXIOMask.h>

#include <string>

void CheckRefusalExplained(BOOL accepted, DWORD code, DWORD firstCode, DWORD lastCode)
{
    if (accepted || code < firstCode || code > lastCode)
        return;
    std::wstring text;
    if (!SQXIOMask::GetErrorMessage(code, text, FALSE) || text.empty())
        FuzzFail("a refusal code without a message");
}
