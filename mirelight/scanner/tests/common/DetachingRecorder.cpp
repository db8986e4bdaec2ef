#include "DetachingRecorder.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QX_SCANNER_IMAGEDATA_INFO.h>

#include <hollin/ZKRBuffer.h>

#include <cstdlib>

CDetachingRecorder::~CDetachingRecorder()
{
    for (const auto& block : m_kept)
        std::free(block.first);
}

void CDetachingRecorder::OnImageData(QX_SCANNER_IMAGEDATA_INFO& info)
{
    CScannerRecorder::OnImageData(info);
    auto* bytes = dynamic_cast<CZKRBuffer*>(info.pData);
    if (bytes && images % 2 == 1)
    {
        const size_t size = bytes->GetSize();
        m_kept.emplace_back(static_cast<BYTE*>(bytes->Detach()), size);
    }
}

bool CDetachingRecorder::AcquireOnce(CQXScanner& scanner, IQXScannerEventObserver& next)
{
    scanner.SetObserver(this);
    const bool acquired = scanner.Acquire(nullptr, -1) && WaitForSessionEnds(sessionEnds + 1);
    scanner.SetObserver(&next);
    return acquired;
}

std::vector<std::vector<BYTE>> CDetachingRecorder::Kept() const
{
    std::vector<std::vector<BYTE>> kept;
    for (const auto& block : m_kept)
        kept.emplace_back(block.first, block.first + block.second);
    return kept;
}
