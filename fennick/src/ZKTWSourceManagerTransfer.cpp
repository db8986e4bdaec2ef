// The transfer loop and the three transfer mechanisms of CZKTWSourceManager.
// Everything here runs on the window thread.
#include <fennick/ZKTWHelper.h>
#include <fennick/ZKTWSourceManager.h>

#include "ZKTWMemory.h"
#include "ZKTWNativeImage.h"
#include "ZKTWStripBudget.h"
#include "ZKTWStripPlacement.h"
#include "ZKTWTrace.h"

#include <hollin/ZKRBuffer.h>
#include <wincompat/ZKGlobalMemory.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace
{
double RoundResolution(double dpi)
{
    if (dpi == 1.0)
        return dpi;
    return static_cast<int>(dpi * 0.2 + 0.5) * 5;
}

// The source's native image (a TWAIN memory handle) as a DIB handle the
// observer can lock and free; the source's block is released. TWAIN hands no
// length with a native image, but its handle is a heap block: never read more
// than the block holds, whatever its contents say.
HGLOBAL AdoptNativeImage(TW_HANDLE sourceHandle)
{
    const size_t size = SZKTWMemory::BlockSize(sourceHandle);
    const auto* block = static_cast<const BYTE*>(SZKTWMemory::Lock(sourceHandle));
    HGLOBAL handle = block && size ? SZKTWNativeImage::ToDib(block, size) : nullptr;
    SZKTWMemory::Unlock(sourceHandle);
    SZKTWMemory::Free(sourceHandle);
    return handle;
}
} // namespace

BOOL CZKTWSourceManager::_DoTransfers()
{
    TW_UINT16 unitValue = ZKTW_UNIT_INCHES;
    if (GetCapOnevalue(ICAP_UNITS, ZKTW_GETCAP_CURRENT, TWTY_UINT16, &unitValue) != ZKTW_CAP_SUCCESS)
    {
        _ResetPendingTransfers();
        return FALSE;
    }
    const EZKTWImageUnit unit = static_cast<EZKTWImageUnit>(unitValue);
    TW_PENDINGXFERS pending{};
    do
    {
        ZKTWIMAGEINFO info;
        _GetImageInfo(info, unit);
        _SetState(ZKTW_STATE_TRANSFERRING);
        const WORD rc = ZKTWReturnCode(_OnceTransfer(&info, unit));
        if (rc == TWRC_FAILURE)
        {
            if (!std::exchange(m_transfersReset, false))
                _ResetPendingTransfers();
            return FALSE;
        }
        if (rc == TWRC_CANCEL || rc == TWRC_XFERDONE)
        {
            if (!ZKTWSucceeded(_EndTransfer(pending)))
            {
                _ResetPendingTransfers();
                return FALSE;
            }
            _SetState(ZKTW_STATE_TRANSFER_READY);
            continue;
        }
        // No image came and none was ended: asking again would only repeat
        // the same answer.
        _ResetPendingTransfers();
        return FALSE;
    } while (pending.Count != 0);
    return TRUE;
}

DWORD CZKTWSourceManager::_EndTransfer(TW_PENDINGXFERS& pending)
{
    if (m_interceptor)
        return m_interceptor->OnEndTransfer(this, &pending);
    const DWORD result = _SourceCall(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending, TRUE);
    if (ZKTWSucceeded(result) && m_cancelPending)
        _CheckCancelRequest(&pending, MSG_RESET);
    return result;
}

void CZKTWSourceManager::_ResetPendingTransfers()
{
    TW_PENDINGXFERS pending{};
    _SourceCall(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending, TRUE);
}

DWORD CZKTWSourceManager::_OnceTransfer(ZKTWIMAGEINFO* info, EZKTWImageUnit unit)
{
    switch (m_transferMode.load())
    {
    case TWSX_NATIVE:
        return _NativeTransfer(info, unit);
    case TWSX_FILE:
        return _FileTransfer();
    case TWSX_MEMORY:
        return _MemoryTransfer(info, unit);
    default:
        return 0;
    }
}

BOOL CZKTWSourceManager::_GetImageInfo(ZKTWIMAGEINFO& info, EZKTWImageUnit unit)
{
    TW_IMAGEINFO source{};
    if (!ZKTWSucceeded(_SourceCall(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &source, TRUE)))
        return FALSE;
    const double unitsPerInch = CZKTWHelper::ConvertUnit(unit, 1.0, ZKTW_UNIT_INCHES);
    info.XResolution = RoundResolution(CZKTWHelper::Fix32ToDouble(source.XResolution) / unitsPerInch);
    info.YResolution = RoundResolution(CZKTWHelper::Fix32ToDouble(source.YResolution) / unitsPerInch);
    info.ImageWidth = source.ImageWidth;
    info.ImageLength = source.ImageLength;
    info.SamplesPerPixel = source.SamplesPerPixel;
    for (int i = 0; i < 8; ++i)
        info.BitsPerSample[i] = source.BitsPerSample[i];
    info.BitsPerPixel = source.BitsPerPixel;
    info.Planar = source.Planar;
    info.PixelType = source.PixelType;
    info.Compression = source.Compression;
    info.BytesPerRow = 0;
    return TRUE;
}

DWORD CZKTWSourceManager::_GetExtraImageInfo(CZKTWExtraImageInfo& info)
{
    const DWORD result = _SourceCall(DG_IMAGE, DAT_EXTIMAGEINFO, MSG_GET, info.GetBlock(), FALSE);
    info.AdoptSourceValues();
    return result;
}

CZKTWExtraImageInfo* CZKTWSourceManager::_CollectExtraImageInfo(IZKTWEventObserver* observer, EZKTWImageUnit unit)
{
    CZKTWExtraImageInfo* extra = nullptr;
    observer->OnCreateExtraImageInfo(extra);
    if (!extra)
        return nullptr;
    extra->SetUnit(unit);
    _GetExtraImageInfo(*extra);
    return extra;
}

DWORD CZKTWSourceManager::_NativeTransfer(ZKTWIMAGEINFO* info, EZKTWImageUnit unit)
{
    SZKTWTrace::Log("Native transfer", 1);
    TW_HANDLE dib = nullptr;
    const DWORD result = _SourceCall(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib, TRUE);
    const WORD rc = ZKTWReturnCode(result);
    if (rc == TWRC_CANCEL)
        SZKTWMemory::Free(dib);
    if (rc != TWRC_XFERDONE)
        return result;
    IZKTWEventObserver* observer = _Observer();
    if (!observer)
    {
        // Nobody takes the image: dropping it here beats leaking it.
        SZKTWMemory::Free(dib);
        return result;
    }
    HGLOBAL image = AdoptNativeImage(dib);
    if (!image)
    {
        // Never an image-less success: the observer hears of the loss and
        // the batch goes on with the next image.
        SZKTWTrace::Log("Native transfer: the source's image is neither a DIB nor a readable TIFF", 0);
        _NotifyError(&m_sourceIdentity, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, nullptr, TWRC_FAILURE, TWCC_BUMMER);
        return result;
    }
    CZKTWExtraImageInfo* extra = _CollectExtraImageInfo(observer, unit);
    observer->OnNativeImage(image, new ZKTWIMAGEINFO(*info), extra);
    return result;
}

DWORD CZKTWSourceManager::_FileTransfer()
{
    SZKTWTrace::Log("File transfer", 1);
    TW_SETUPFILEXFER setup{};
    DWORD result = _SourceCall(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &setup, TRUE);
    if (!ZKTWSucceeded(result))
        return result;
    IZKTWEventObserver* observer = _Observer();
    if (observer)
        observer->OnSetupFileTransfer(&setup);
    result = _SourceCall(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup, TRUE);
    if (!ZKTWSucceeded(result))
        return result;
    result = _SourceCall(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr, TRUE);
    if (ZKTWReturnCode(result) == TWRC_XFERDONE && observer)
        observer->OnFileTransferred(&setup);
    return result;
}

namespace
{
// The strip buffer, not zero-filled: the source writes every byte it reports.
bool AllocateStrip(CZKRBuffer& strip, TW_UINT32 size)
{
    void* block = std::malloc(size);
    if (!block)
        return false;
    strip.Attach(block, size);
    return true;
}

// What the source reports about a strip fits the buffer it was given: a
// source that claims more bytes than the buffer holds, or moved the buffer,
// would make the observer read past it.
bool StripFits(const TW_IMAGEMEMXFER& block, const TW_MEMORY& given, const CZKTWStripPlacement* placement)
{
    if (placement)
        return placement->Fits(block);
    return block.Memory.TheMem == given.TheMem && block.BytesWritten <= given.Length;
}
} // namespace

// A fault of the source's that ends the batch: reported like the source's
// own failures, after which the pending transfers are reset.
DWORD CZKTWSourceManager::_FailTransfer(WORD DAT, WORD cc, const char* why)
{
    SZKTWTrace::Log(why, 0);
    _NotifyError(&m_sourceIdentity, DAT == DAT_IMAGEMEMXFER ? DG_IMAGE : DG_CONTROL, DAT, MSG_GET, nullptr,
                 TWRC_FAILURE, cc);
    return ZKTWPack(TWRC_FAILURE, cc);
}

// Leaves an image the source is still inside (TWAIN state 7): MSG_ENDXFER,
// then MSG_RESET for what is still pending, so the batch ends with the
// source back in state 5 and the transfer loop does not reset again.
void CZKTWSourceManager::_AbortImage()
{
    TW_PENDINGXFERS pending{};
    if (!ZKTWSucceeded(_SourceCall(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending, FALSE)))
        return; // the loop's own reset is all that is left to try
    if (pending.Count != 0)
        _SourceCall(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending, FALSE);
    m_transfersReset = true;
}

DWORD CZKTWSourceManager::_MemoryTransfer(ZKTWIMAGEINFO* info, EZKTWImageUnit unit)
{
    SZKTWTrace::Log("Memory transfer", 1);
    TW_SETUPMEMXFER setup{};
    DWORD result = _SourceCall(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup, TRUE);
    if (!ZKTWSucceeded(result))
        return result;
    if (CZKTWStripBudget::BufferSize(setup) == 0)
        return _FailTransfer(DAT_SETUPMEMXFER, TWCC_BADVALUE,
                             "Memory transfer: the source's buffer sizes leave no strip buffer");
    TW_IMAGEMEMXFER block{};
    block.Compression = TWON_DONTCARE16;
    block.BytesPerRow = block.Columns = block.Rows = TWON_DONTCARE32;
    block.XOffset = block.YOffset = block.BytesWritten = TWON_DONTCARE32;
    const ZKTWIMAGEINFO announced = info ? *info : ZKTWIMAGEINFO{};
    return _ReadStrips(block, setup, announced, unit);
}

// The manager's own strip buffer, made on first use: an observer that places
// every strip itself never needs one.
bool CZKTWSourceManager::_UseOwnStrip(CZKRBuffer& strip, const TW_SETUPMEMXFER& setup, TW_IMAGEMEMXFER& block)
{
    const TW_UINT32 size = CZKTWStripBudget::BufferSize(setup);
    if (!strip.GetPtr() && !AllocateStrip(strip, size))
        return false;
    block.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
    block.Memory.Length = size;
    block.Memory.TheMem = strip.GetPtr();
    return true;
}

DWORD CZKTWSourceManager::_ReadStrips(TW_IMAGEMEMXFER& block, const TW_SETUPMEMXFER& setup,
                                      const ZKTWIMAGEINFO& announced, EZKTWImageUnit unit)
{
    CZKTWStripBudget budget(announced);
    CZKTWStripPlacement placement(setup, announced);
    CZKRBuffer strip;
    for (;;)
    {
        IZKTWEventObserver* observer = _Observer();
        const bool placed = observer && placement.Place(*observer, block);
        if (!placed && !_UseOwnStrip(strip, setup, block))
            return _FailTransfer(DAT_SETUPMEMXFER, TWCC_LOWMEMORY, "Memory transfer: no memory for the strip buffer");
        const TW_MEMORY given = block.Memory;
        const DWORD result = _SourceCall(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &block, TRUE);
        const WORD rc = ZKTWReturnCode(result);
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE)
            return result;
        if (!StripFits(block, given, placed ? &placement : nullptr))
        {
            _AbortImage();
            return _FailTransfer(DAT_IMAGEMEMXFER, TWCC_BUMMER,
                                 "Memory transfer: the source's strip does not fit its buffer");
        }
        block.Memory = given;
        if (!budget.Take(block.BytesWritten))
        {
            _AbortImage();
            return _FailTransfer(DAT_IMAGEMEMXFER, TWCC_BUMMER,
                                 "Memory transfer: the strips go on past the image the source announced");
        }
        placement.Advance(block);
        if (rc == TWRC_XFERDONE)
        {
            _DeliverLastStrip(_Observer(), block, placed, unit);
            return result;
        }
        // Asked per strip: a manager being destroyed stops calling at once.
        if (IZKTWEventObserver* current = _Observer())
            _DeliverStrip(*current, block, placed, FALSE, nullptr, nullptr);
        if (m_cancelPending && budget.PastAnnouncedSize())
        {
            // Ended as a cancelled image: MSG_ENDXFER and the reset follow.
            SZKTWTrace::Log("Memory transfer: cancelled inside an image that does not end", 1);
            return ZKTWPack(TWRC_CANCEL, TWCC_SUCCESS);
        }
    }
}

void CZKTWSourceManager::_DeliverStrip(IZKTWEventObserver& observer, TW_IMAGEMEMXFER& block, bool placed,
                                       BOOL last, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra)
{
    if (placed)
        observer.OnMemoryBlockInPlace(&block, last, info, extra);
    else
        observer.OnMemoryBlock(&block, last, info, extra);
}

void CZKTWSourceManager::_DeliverLastStrip(IZKTWEventObserver* observer, TW_IMAGEMEMXFER& block, bool placed,
                                           EZKTWImageUnit unit)
{
    if (!observer)
        return;
    CZKTWExtraImageInfo* extra = _CollectExtraImageInfo(observer, unit);
    auto info = std::make_unique<ZKTWIMAGEINFO>();
    _GetImageInfo(*info, unit);
    info->BytesPerRow = block.BytesPerRow;
    _DeliverStrip(*observer, block, placed, TRUE, info.release(), extra);
}
