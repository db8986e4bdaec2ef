#include "QXLegacySystemOutput.h"

#include <hollin/ZKEnvResource.h>

namespace
{
struct FileNameSetting
{
    const wchar_t* resourceName;
    const wchar_t* shippedName;
};

const FileNameSetting kFileNames[SQXLegacySystemOutput::FILE_COUNT] = {
    {L"LEGACY_SYSTEM_OUTPUT_PLUGIN", L"libqxsysoutput.so"},
    {L"LEGACY_SYSTEM_OUTPUT_PLUGIN_DEBUG", L"libqxsysoutputd.so"},
};
} // namespace

void SQXLegacySystemOutput::GetFileNames(std::wstring (&names)[FILE_COUNT])
{
    for (int i = 0; i < FILE_COUNT; ++i)
    {
        std::wstring configured;
        const bool named =
            SZKEnvResource::GetEnvStringValue(kFileNames[i].resourceName, configured) &&
            !configured.empty();
        names[i] = named ? configured : kFileNames[i].shippedName;
    }
}
