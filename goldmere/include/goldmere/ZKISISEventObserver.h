// What the ISIS layer reports to its owner. Session and image events run on
// the manager's session thread; errors of the application's own calls come
// on the calling thread. The manager does not own the observer.
#pragma once

#include <goldmere/ZKISISTypes.h>

class IZKISISEventObserver
{
public:
    virtual void OnISISSessionBegin(ZK_ISIS_SESSION_BEGIN* begin) = 0;
    virtual void OnISISImageBegin(ZK_ISIS_IMAGE_BEGIN* begin) = 0;
    // Non-zero: the application could not take the data; the run stops.
    virtual BOOL OnISISImageData(ZK_ISIS_IMAGE_DATA* data) = 0;
    // Non-zero: the application could not take the image; the run stops.
    virtual BOOL OnISISImageEnd(ZK_ISIS_IMAGE_END* end) = 0;
    virtual void OnISISImageNotAccepted() = 0;
    virtual void OnISISSessionEnd(ZK_ISIS_SESSION_END* end) = 0;
    virtual void OnISISError(ZK_ISIS_ERROR* error) = 0;
    // File transfers: fill in the file name and format of the next image.
    virtual void OnISISQueryImageFileName(ZK_ISIS_IMAGEFILE_BEGIN_INFO* file) = 0;
    // Reserved; the layer does not call it.
    virtual void OnISISImageFileEnd(ZK_ISIS_IMAGEFILE_END_INFO* file) = 0;

protected:
    ~IZKISISEventObserver() = default;
};
