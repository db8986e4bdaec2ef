// The serial form of an image's extended information, as it travels with
// the image. Every getter must cope with what loaded; a loaded object must
// save, copy and load back to the same bytes.
#include <fennick/ZKTWExtraImageInfo.h>

#include <hollin/ZKRBuffer.h>

#include "common/FuzzInput.h"

namespace
{
void AskEveryValue(const CZKTWExtraImageInfo& info)
{
    unsigned number = 0;
    WORD flavor = 0;
    std::wstring text;
    ZKTWFRAME frame;
    info.GetDeskewStatus(number);
    info.GetSkewOriginalAngle(number);
    info.GetChapterNumber(number);
    info.GetDocumentNumber(number);
    info.GetPageNumber(number);
    info.GetFrameNumber(number);
    info.GetPixelFlavor(flavor);
    info.GetBookName(text);
    info.GetCamera(text);
    info.GetFrame(frame);
}

CZKRBuffer Saved(const CZKTWExtraImageInfo& info)
{
    CZKRBuffer buffer;
    if (!info.Save(buffer))
        FuzzFail("loaded image info cannot be saved");
    return buffer;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CZKRBuffer buffer(data, size);
    CZKTWExtraImageInfo info;
    const bool loaded = info.Load(buffer);
    AskEveryValue(info);
    if (!loaded)
        return 0;

    const CZKRBuffer saved = Saved(info);
    const CZKTWExtraImageInfo copy(info);
    if (Saved(copy) != saved)
        FuzzFail("a copy of image info saves differently");
    CZKRBuffer again(saved);
    CZKTWExtraImageInfo reloaded;
    if (!reloaded.Load(again) || Saved(reloaded) != saved)
        FuzzFail("image info changes on a save/load round trip");
    return 0;
}
