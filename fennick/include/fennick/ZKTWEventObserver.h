// What the source manager reports to its owner. Every slot except
// OnAcquireBegin runs on the manager's window thread; the manager does not
// own the observer.
#pragma once

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

protected:
    // Never deleted through this interface.
    ~IZKTWEventObserver() = default;
};
