// The application's side of an acquisition. Calls may come from a thread
// other than the one that called Acquire, and may call back into the facade.
#pragma once

#include <mirelight/QX_SCANNER_ERROR_INFO.h>
#include <mirelight/QX_SCANNER_IMAGEDATA_INFO.h>
#include <mirelight/QX_SCANNER_IMAGEFILE_BEGIN_INFO.h>
#include <mirelight/QX_SCANNER_SESSION_BEGIN_INFO.h>
#include <mirelight/QX_SCANNER_SESSION_END_INFO.h>
#include <mirelight/mirelight_export.h>

class MIRELIGHT_EXPORT IQXScannerEventObserver
{
public:
    virtual ~IQXScannerEventObserver() = default;

    virtual void OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO& info) = 0;
    virtual void OnSessionEnd(QX_SCANNER_SESSION_END_INFO& info) = 0;
    virtual void OnError(QX_SCANNER_ERROR_INFO& info) = 0;
    // In-out: the observer names the file and its format.
    virtual void OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO& info) = 0;
    virtual void OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO& info) = 0;
    virtual void OnImageData(QX_SCANNER_IMAGEDATA_INFO& info) = 0;
};
