// What the index says about an image the scanner wrote to a file itself.
// The facade reports only the file's name for such images, so the record
// comes from the TIFF file and the tags from the source's extended image
// information, asked for while the image is still the source's current one:
// the same header items, under the same tag numbers, as memory and native
// transfers carry.
#pragma once

#include "QXScanImage.h"

#include <mirelight/QX_SCANNER_SESSION_BEGIN_INFO.h>

#include <string>

class CQXRidgeExtraImageInfo;
class CZKTWSourceManager;

class CQXScanFileImage
{
public:
    // twain may be null (no tags then); session says whether and how the
    // scanner addresses images.
    static void Describe(const std::string& path, CZKTWSourceManager* twain,
                         const QX_SCANNER_SESSION_BEGIN_INFO& session, QXSCAN_IMAGE& image);

private:
    static void _ReadTiff(const std::string& path, QX_SCANNER_IMAGE_INFO& info);
    static void _ReadSide(const CQXRidgeExtraImageInfo& header, QXSCAN_IMAGE& image);
    static void _ReadStandardTags(const CQXRidgeExtraImageInfo& header, CZKTagHolder& tags);
    static void _ReadHeaderTags(const CQXRidgeExtraImageInfo& header, CZKTagHolder& tags);
    static void _ReadImageAddress(const CQXRidgeExtraImageInfo& header,
                                  const QX_SCANNER_SESSION_BEGIN_INFO& session, CZKTagHolder& tags);
};
