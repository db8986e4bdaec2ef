// One complete image in memory. The image info and the tags become the
// observer's; the bytes are released when OnImageData returns.
#pragma once

class CZKBuffer;
class CZKTagHolder;
struct QX_SCANNER_IMAGE_INFO;

struct QX_SCANNER_IMAGEDATA_INFO
{
    CZKBuffer* pData = nullptr;
    QX_SCANNER_IMAGE_INFO* pImageInfo = nullptr;
    CZKTagHolder* pTags = nullptr;
};
