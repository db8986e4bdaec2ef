// Session, error and file events of the ISIS layer turned into the facade's
// records. Image data and image ends are in ISISScannerImplImages.
#include "QXISISScannerImpl.h"

#include <mirelight/QX_SCANNER_ERROR_INFO.h>
#include <mirelight/QX_SCANNER_IMAGEFILE_BEGIN_INFO.h>
#include <mirelight/QX_SCANNER_SESSION_BEGIN_INFO.h>
#include <mirelight/QX_SCANNER_SESSION_END_INFO.h>

namespace
{
// ISIS error ids with a meaning of their own to the application.
constexpr int32_t kCancelled = -4401;
constexpr int32_t kPaperJam = -4426;
constexpr int32_t kDoubleFeed = -4619;
constexpr int32_t kOutOfMemory = -4500;
constexpr int32_t kApplicationOutOfMemory = -8001;
} // namespace

int CQXISISScannerImpl::MapError(int32_t isisError)
{
    switch (isisError)
    {
    case kCancelled:
        return QX_SCANNER_ERROR_CANCELLED;
    case kPaperJam:
        return QX_SCANNER_ERROR_PAPERJAM;
    case kDoubleFeed:
        return QX_SCANNER_ERROR_DOUBLEFEED;
    case kOutOfMemory:
    case kApplicationOutOfMemory:
        return QX_SCANNER_ERROR_LOWMEMORY;
    default:
        return QX_SCANNER_ERROR_FAILURE;
    }
}

void CQXISISScannerImpl::OnISISSessionBegin(ZK_ISIS_SESSION_BEGIN*)
{
    if (!m_observer)
        return;
    QX_SCANNER_SESSION_BEGIN_INFO info;
    int images = 0;
    info.nImagesPerSheet = _GetImagesPerSheet(images) ? images : 0;
    m_observer->OnSessionBegin(info);
}

void CQXISISScannerImpl::OnISISSessionEnd(ZK_ISIS_SESSION_END*)
{
    _DestroyPool();
    if (!m_observer)
        return;
    QX_SCANNER_SESSION_END_INFO info;
    m_observer->OnSessionEnd(info);
}

void CQXISISScannerImpl::OnISISError(ZK_ISIS_ERROR* error)
{
    if (error)
        _NotifyError(MapError(error->Id));
}

void CQXISISScannerImpl::_NotifyError(int error)
{
    if (!m_observer)
        return;
    QX_SCANNER_ERROR_INFO info;
    info.nError = error;
    m_observer->OnError(info);
}

void CQXISISScannerImpl::OnISISQueryImageFileName(ZK_ISIS_IMAGEFILE_BEGIN_INFO* file)
{
    if (!file || !m_observer)
        return;
    QX_SCANNER_IMAGEFILE_BEGIN_INFO info;
    m_observer->OnImageFileBegin(info);
    file->FileName = info.strFileName;
    file->Format = static_cast<SHORT>(info.wFormat);
}
