// The image deliveries of the page module, on the session thread: each
// image's begin, data blocks and end, checked against what the driver
// announced before anything reaches the observer.
#include "ZKISISScanSession.h"

#include <goldmere/ZKISISEventObserver.h>
#include <goldmere/ZKISISManager.h>
#include <hollin/ZKDebugLog.h>

#include "ZKISISErrorReporter.h"
#include "ZKISISFileOutput.h"
#include "ZKISISOptions.h"
#include "ZKISISScanPage.h"
#include "ZKISISScannerDriver.h"

namespace
{
const double kMillimetresToInches = 0.03937007874015748;
const long kCentimetreUnits = 3;
const int kColorMapMinimum = 2;

long LongTag(CZKISISDriver* source, WORD tag, long fallback)
{
    long value = fallback;
    if (!source || !source->GetLong(value, tag))
        return fallback;
    return value;
}
} // namespace

CZKISISDriver* CZKISISScanSession::_ImageTagSource() const
{
    if (m_manager.GetTransferType() == ZKISIS_TRANSFER_FILE)
        return m_manager.GetFileOutputHandler();
    return m_manager.GetScanPage();
}

uint64_t CZKISISScanSession::_RawImageSize(const ZK_ISIS_IMAGE_INFO& info)
{
    const uint64_t bitsPerRow = uint64_t(info.ImageWidth) * uint16_t(info.SamplesPerPixel) * uint16_t(info.BitsPerSample);
    return (bitsPerRow + 7) / 8 * info.ImageLength;
}

int32_t CZKISISScanSession::_ImageBegin()
{
    m_inImage = true;
    m_bytesDelivered = 0;
    // Uncompressed data has a known size; more than that is a broken driver.
    ZK_ISIS_IMAGE_INFO announced;
    CZKISISDriver* source = _ImageTagSource();
    announced.ImageWidth = static_cast<DWORD>(LongTag(source, ZKISIS_TAG_IMAGE_WIDTH, 0));
    announced.ImageLength = static_cast<DWORD>(LongTag(source, ZKISIS_TAG_IMAGE_LENGTH, 0));
    announced.SamplesPerPixel = static_cast<SHORT>(LongTag(source, ZKISIS_TAG_SAMPLES_PER_PIXEL, 0));
    announced.BitsPerSample = static_cast<SHORT>(LongTag(source, ZKISIS_TAG_BITS_PER_SAMPLE, 0));
    // Raw also where the coding named is one the image type cannot have.
    const long compression = LongTag(source, ZKISIS_TAG_COMPRESSION, 1);
    const bool raw = compression == 1 || (announced.BitsPerSample == 1 && compression == 6) ||
                     (announced.BitsPerSample == 8 && compression == 4);
    m_announcedBytes = raw ? _RawImageSize(announced) : 0;
    if (IZKISISEventObserver* observer = m_observer.load())
    {
        ZK_ISIS_IMAGE_BEGIN begin;
        observer->OnISISImageBegin(&begin);
    }
    return ZKISIS_OK;
}

int32_t CZKISISScanSession::_ImageData(const uint8_t* data, uint32_t length)
{
    const bool failedBefore = m_errorFlags.load() != 0;
    if (!m_inImage)
    {
        if (!failedBefore)
            _RunError(ZKISIS_LAYER_IMAGE_SEQUENCE, "image data without image begin");
        return ZKISIS_OK;
    }
    m_bytesDelivered += length;
    if (!failedBefore && m_announcedBytes && m_bytesDelivered > m_announcedBytes)
    {
        _RunError(ZKISIS_LAYER_DATA_BEYOND_IMAGE, "image data beyond the image size");
        return ZKISIS_OK;
    }
    IZKISISEventObserver* observer = m_observer.load();
    const bool pastStop = m_stopRequested.load() && m_imagesEnded.load() > m_stopAt.load();
    if (!observer || failedBefore || pastStop || !data)
        return ZKISIS_OK;
    ZK_ISIS_IMAGE_DATA block;
    block.Data = data;
    block.Length = length;
    if (observer->OnISISImageData(&block))
        _RunError(ZKISIS_LAYER_APPLICATION_ERROR, "discard image data for application error");
    return ZKISIS_OK;
}

int32_t CZKISISScanSession::_ImageEnd()
{
    if (!m_inImage)
    {
        if (!m_errorFlags.load())
            _RunError(ZKISIS_LAYER_IMAGE_SEQUENCE, "image end without image begin");
        return ZKISIS_OK;
    }
    m_inImage = false;
    ZK_ISIS_IMAGE_END end;
    {
        CZKCriticalSection::ScopedLock hold(m_lock);
        _BuildImageInfo(end.Info);
    }
    const int ended = ++m_imagesEnded;
    if (m_stopRequested.load() && ended == m_stopAt.load())
        m_manager.GetScanner()->SetStopFlag(true);
    IZKISISEventObserver* observer = m_observer.load();
    if (!observer)
        return ZKISIS_OK;
    if (_Accepted(end.Info, ended))
    {
        if (observer->OnISISImageEnd(&end))
            _RunError(ZKISIS_LAYER_APPLICATION_ERROR, "abort scanning for application error");
    }
    else
    {
        observer->OnISISImageNotAccepted();
        SZKDebugLog::Log(std::string("Image Not Accept"), 0, "ZKISIS");
    }
    return ZKISIS_OK;
}

bool CZKISISScanSession::_Accepted(const ZK_ISIS_IMAGE_INFO& info, int imagesEnded) const
{
    const bool photometricKnown = (info.Photometric >= 0 && info.Photometric <= 3) || info.Photometric == 120;
    const bool compressionKnown = info.Compression == 1 || info.Compression == 4 || info.Compression == 6;
    const bool pastStop = m_stopRequested.load() && imagesEnded > m_stopAt.load();
    return info.ImageWidth > 0 && info.ImageLength > 0 && photometricKnown && info.XResolution >= 0 &&
           info.YResolution >= 0 && compressionKnown && m_errorFlags.load() == 0 && !pastStop;
}

void CZKISISScanSession::_BuildImageInfo(ZK_ISIS_IMAGE_INFO& info)
{
    CZKISISDriver* source = _ImageTagSource();
    CZKISISScannerDriver* scanner = m_manager.GetScanner();
    float x = 0, y = 0;
    source->GetFloat(x, ZKISIS_TAG_XRESOLUTION);
    source->GetFloat(y, ZKISIS_TAG_YRESOLUTION);
    const bool metric = LongTag(source, ZKISIS_TAG_UNITS, 2) == kCentimetreUnits;
    info.XResolution = metric ? x * kMillimetresToInches : x;
    info.YResolution = metric ? y * kMillimetresToInches : y;
    info.SamplesPerPixel = static_cast<SHORT>(LongTag(source, ZKISIS_TAG_SAMPLES_PER_PIXEL, 0));
    info.BitsPerSample = static_cast<SHORT>(LongTag(source, ZKISIS_TAG_BITS_PER_SAMPLE, 0));
    info.Photometric = static_cast<SHORT>(LongTag(source, ZKISIS_TAG_PHOTOMETRIC, -1));
    info.PlanarConfiguration = static_cast<SHORT>(LongTag(source, ZKISIS_TAG_PLANAR_CONFIG, 1));
    info.ImageWidth = static_cast<DWORD>(LongTag(source, ZKISIS_TAG_IMAGE_WIDTH, 0));
    info.ImageLength = static_cast<DWORD>(LongTag(source, ZKISIS_TAG_IMAGE_LENGTH, 0));
    info.ImageDataSize = m_bytesDelivered;
    info.Compression = static_cast<SHORT>(LongTag(source, ZKISIS_TAG_COMPRESSION, 1));
    _NormaliseCompression(info);
    const long mapLength = source->ValueLength(ZKISIS_TAG_COLORMAP);
    for (long i = 0, entry = 0; mapLength > kColorMapMinimum && i < mapLength; ++i)
        if (source->GetLong(entry, ZKISIS_TAG_COLORMAP, static_cast<WORD>(i)))
            info.ColorMap.push_back(static_cast<DWORD>(entry));
    info.ColorMapLength = static_cast<LONG>(info.ColorMap.size());
    const int ended = m_imagesEnded.load();
    const int perPage = m_imagesPerPage.load();
    long pageNumber = 0;
    const bool driverNumbers = scanner->AutoBlankPageRemove() && source->Supported(ZKISIS_TAG_PAGE_NUMBER) &&
                               source->GetLong(pageNumber, ZKISIS_TAG_PAGE_NUMBER);
    info.PageNumber = static_cast<DWORD>(driverNumbers ? pageNumber : ended / perPage);
    const long computedSide = ended % perPage < m_frontImagesPerPage ? 0 : 1;
    info.Side = static_cast<SHORT>(source->Supported(ZKISIS_TAG_SIDE) ? LongTag(source, ZKISIS_TAG_SIDE, computedSide)
                                                                     : computedSide);
}

void CZKISISScanSession::_NormaliseCompression(ZK_ISIS_IMAGE_INFO& info) const
{
    if (info.Compression == 7)
        info.Compression = 6;
    // Drivers report a window's coding even where the image type cannot have
    // it and then send raw rows; only data of the raw size is relabelled, so
    // coded data of an unknown kind is never passed off as pixels.
    const bool rawSized = m_bytesDelivered == 0 || m_bytesDelivered == _RawImageSize(info);
    if (rawSized && ((info.BitsPerSample == 1 && info.Compression != 4) ||
                     (info.BitsPerSample == 8 && info.Compression != 6)))
        info.Compression = 1;
    if (!SZKISISOptions::IsCompressionOptionDriver(m_manager.GetScanner()->GetDriverName()))
        return;
    if (info.BitsPerSample == 1)
        info.Compression = m_anyWindowG4 ? 4 : 1;
    else if (info.BitsPerSample == 8)
        info.Compression = m_anyWindowJpeg ? 6 : 1;
}
