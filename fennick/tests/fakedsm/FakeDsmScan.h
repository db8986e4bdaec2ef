// What the fake DSM's source tells about a scan when a test makes it lie:
// shared by the fake and the tests that drive it.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

struct FAKE_DSM_SCAN
{
    // DAT_IMAGEINFO.
    TW_INT32 width = 100;
    TW_INT32 length = 100;
    TW_INT16 bitsPerPixel = 1;
    // DAT_SETUPMEMXFER.
    TW_UINT32 minBufSize = 0;
    TW_UINT32 maxBufSize = 0;
    TW_UINT32 preferred = 64;
    // DAT_IMAGEMEMXFER: what each strip claims, and how many end an image
    // (-1: they never do).
    TW_UINT32 stripBytes = 64;
    int strips = 3;
    int images = 1;
    // What else each strip reports: its rows, BytesPerRow, compression, and
    // (when reportYOffset) a YOffset that is the rows sent before it plus
    // yOffsetSkew.
    TW_UINT32 stripRows = 1;
    TW_UINT32 bytesPerRow = TWON_DONTCARE32;
    TW_UINT16 compression = TWCP_NONE;
    bool reportYOffset = false;
    TW_INT32 yOffsetSkew = 0;
    // The strip is reported in a buffer of the source's own instead of the
    // application's.
    bool moveBuffer = false;
    // DAT_EXTIMAGEINFO: the camera entry comes back with this type and count
    // in a block of cameraBlock bytes (0: not delivered); the page number is
    // always delivered as 7.
    TW_UINT16 cameraType = TWTY_STR255;
    TW_UINT16 cameraItems = 1;
    TW_UINT32 cameraBlock = 0;
};
