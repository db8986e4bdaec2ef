// A recorder that also takes the bytes of every other image (the first, the
// third, ...) by detaching them from the buffer, as an observer that keeps
// images may. The kept blocks are its own until it is destroyed.
#pragma once

#include "ScannerRecorder.h"

#include <wincompat/WinTypes.h>

class CQXScanner;
class IQXScannerEventObserver;

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

    // One acquisition of the scanner's whole feeder with this recorder as
    // its observer; then the scanner goes back to observer next. FALSE when
    // it did not start or did not end.
    bool AcquireOnce(CQXScanner& scanner, IQXScannerEventObserver& next);

    // The bytes of the kept images as they are now.
    std::vector<std::vector<BYTE>> Kept() const;

private:
    std::vector<std::pair<BYTE*, size_t>> m_kept;
};
