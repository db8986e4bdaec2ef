// What the source manager reports to its owner. Every slot except
// OnAcquireBegin runs on the manager's window thread; the manager does not
// own the observer.
#pragma once

#include <fennick/ZKTWStripDestination.h>
#include <fennick/ZKTWTypes.h>

class CZKTWExtraImageInfo;

class IZKTWEventObserver
{
public:
    virtual void OnAcquireBegin() = 0;
    virtual void OnAcquireEnd(BOOL cancelled) = 0;
    // event is valid during the call only.
    virtual void OnDeviceEvent(TW_DEVICEEVENT* event) = 0;
    virtual void OnTWAINError(DWORD DG, WORD DAT, WORD MSG, WORD rc, WORD cc) = 0;
    // info comes in null; the observer may create an object and store it.
    virtual void OnCreateExtraImageInfo(CZKTWExtraImageInfo*& info) = 0;
    // The observer owns dib, info and extra.
    virtual void OnNativeImage(HGLOBAL dib, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) = 0;
    virtual void OnSetupFileTransfer(TW_SETUPFILEXFER* setup) = 0;
    virtual void OnFileTransferred(TW_SETUPFILEXFER* setup) = 0;
    // block is the manager's and valid during the call; on the last strip the
    // observer owns info and extra.
    virtual void OnMemoryBlock(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                               CZKTWExtraImageInfo* extra) = 0;

    // Opt-in: strips written straight into the observer's own block, so an
    // image is copied once, from the source to where it is kept. Asked before
    // each strip; an observer that answers TRUE with a block of at least
    // destination.MinimumLength bytes gets the strip there and then hears of
    // it through OnMemoryBlockInPlace instead of OnMemoryBlock. A strip whose
    // block is refused comes through OnMemoryBlock as before. What the source
    // reports is checked against the block: BytesWritten never exceeds it,
    // and for uncompressed strips Rows x BytesPerRow never exceeds
    // BytesWritten and YOffset is destination.RowOffset.
    virtual BOOL OnGetStripDestination(ZKTW_STRIP_DESTINATION& destination)
    {
        (void)destination;
        return FALSE;
    }
    // A strip that is already in the observer's block: block->Memory.TheMem
    // is the block it gave, BytesWritten bytes of it were written. last, info
    // and extra as for OnMemoryBlock.
    virtual void OnMemoryBlockInPlace(TW_IMAGEMEMXFER* block, BOOL last, ZKTWIMAGEINFO* info,
                                      CZKTWExtraImageInfo* extra)
    {
        OnMemoryBlock(block, last, info, extra);
    }

protected:
    // Never deleted through this interface.
    ~IZKTWEventObserver() = default;
};
