// A recorder that also takes the bytes of every other image (the first, the
// third, ...) by detaching them from the buffer, as an observer that keeps
// images may. The kept blocks are its own until it is destroyed.
#pragma once

#include "ScannerRecorder.h"

#include <wincompat/WinTypes.h>

#include <cstddef>
#include <utility>
#include <vector>

class CDetachingRecorder : public CScannerRecorder
{
public:
    CDetachingRecorder() = default;
    ~CDetachingRecorder();
    CDetachingRecorder(const CDetachingRecorder&) = delete;
    CDetachingRecorder& operator=(const CDetachingRecorder&) = delete;

    void OnImageData(QX_SCANNER_IMAGEDATA_INFO& info) override;

    // The bytes of the kept images as they are now.
    std::vector<std::vector<BYTE>> Kept() const;

private:
    std::vector<std::pair<BYTE*, size_t>> m_kept;
};
