// Settings buffers of every scanner family, in script or binary form. The
// first byte picks the family. A refused buffer must leave the settings as
// they were; accepted settings must write and read back.
#include <mirelight/QXScannerSettingsManipulator.h>

#include <hollin/ZKRBuffer.h>

#include "common/FuzzInput.h"

namespace
{
constexpr int kFamilyCount = 10;

CZKRBuffer WrittenSettings(CQXScannerSettingsManipulator& manipulator)
{
    CZKRBuffer buffer;
    if (!manipulator.WriteToBuffer(buffer))
        FuzzFail("settings cannot be written to a buffer");
    return buffer;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const auto family = static_cast<EQXScannerFamily>(input.TakeByte() % kFamilyCount);
    CQXScannerSettingsManipulator manipulator(family);
    const CZKRBuffer defaults = WrittenSettings(manipulator);

    CZKRBuffer buffer(input.Rest(), input.RestSize());
    if (!manipulator.ReadFromBuffer(buffer))
    {
        if (WrittenSettings(manipulator) != defaults)
            FuzzFail("a refused buffer changed the settings");
        return 0;
    }
    CZKRBuffer written = WrittenSettings(manipulator);
    CQXScannerSettingsManipulator reader(family);
    if (!reader.ReadFromBuffer(written))
        FuzzFail("written settings are refused");
    if (WrittenSettings(reader) != written)
        FuzzFail("settings change on a write/read round trip");
    return 0;
}
