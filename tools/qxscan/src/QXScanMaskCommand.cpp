#include "QXScanMaskCommand.h"

#include <brackwater/QXDefaultValueTagItemList.h>
#include <brackwater/QXIOMask.h>
#include <hollin/ZKCommon.h>

namespace
{
std::wstring Wide(const std::string& text)
{
    return SZKCommon::MBStoWCS(text);
}

BOOL ValidateMask(const std::string& kind, const std::wstring& mask, DWORD& code)
{
    if (kind == "input")
        return SQXIOMask::ValidateInputMask(mask, code);
    if (kind == "time")
        return SQXIOMask::ValidateTimeInputMask(mask, code);
    if (kind == "output")
        return SQXIOMask::ValidateOutputMask(mask, code);
    return SQXIOMask::ValidateDefaultValueExp(mask, code);
}
} // namespace

EQXScanExitCode CQXScanMaskCommand::_Result(bool valid, unsigned long code, const std::string& text,
                                            std::FILE* out)
{
    if (valid)
    {
        std::fprintf(out, "%s\n", text.c_str());
        return QXSCAN_EXIT_OK;
    }
    std::wstring message;
    if (code == 0 || !SQXIOMask::GetErrorMessage(static_cast<DWORD>(code), message))
        std::fprintf(stderr, "qxscan: not valid (code %lu)\n", code);
    else
        std::fprintf(stderr, "qxscan: error %lu: %s\n", code, SZKCommon::WCStoMBS(message).c_str());
    return QXSCAN_EXIT_INVALID;
}

EQXScanExitCode CQXScanMaskCommand::Validate(const std::string& kind, const std::string& mask,
                                             const std::string* value, std::FILE* out)
{
    DWORD code = 0;
    if (!value)
        return _Result(ValidateMask(kind, Wide(mask), code) != 0, code, "valid", out);
    BOOL valid = FALSE;
    if (kind == "input")
        valid = SQXIOMask::ValidateInput(Wide(mask), Wide(*value), code);
    else if (kind == "time")
        valid = SQXIOMask::ValidateTimeInput(Wide(mask), Wide(*value), code);
    else
    {
        std::fprintf(stderr, "qxscan: only input and time masks check a value\n");
        return QXSCAN_EXIT_BAD_ARGUMENTS;
    }
    return _Result(valid != 0, code, "valid", out);
}

EQXScanExitCode CQXScanMaskCommand::Format(const std::string& outputMask, const std::string& value,
                                           const std::string& inputMask, std::FILE* out)
{
    std::wstring text;
    DWORD code = 0;
    const BOOL formatted =
        SQXIOMask::FormatOutput(Wide(outputMask), Wide(inputMask), Wide(value), text, code);
    return _Result(formatted != 0, code, SZKCommon::WCStoMBS(text), out);
}

EQXScanExitCode CQXScanMaskCommand::Default(const std::string& expression, std::FILE* out)
{
    const CQXDefaultValueTagItemList tags;
    std::wstring value;
    int level = 0;
    DWORD code = 0;
    const BOOL evaluated = SQXIOMask::GetDefaultValue(Wide(expression), tags, value, level, code);
    return _Result(evaluated != 0, code, SZKCommon::WCStoMBS(value), out);
}
