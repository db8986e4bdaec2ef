#include <mirelight/QXScannerImpl.h>

#include <hollin/ZKRBuffer.h>

#include <cstdlib>
#include <cstring>
#include <exception>

CQXScannerImpl::~CQXScannerImpl()
{
    delete m_pool;
}

BOOL CQXScannerImpl::GetCapability(EQXScannerCapability cap, int& value)
{
    value = 0;
    if (!m_capabilitiesLoaded)
        return FALSE;
    const auto found = m_capabilities.find(cap);
    if (found != m_capabilities.end())
        value = found->second;
    return TRUE;
}

BOOL CQXScannerImpl::GetCapabilityMask(unsigned int& mask)
{
    // Capability 5 (multistream) has no bit of its own.
    static const struct
    {
        EQXScannerCapability cap;
        unsigned int bit;
    } kBits[] = {{QX_SCANNER_CAP_CUSTOMDATA, 0x1}, {QX_SCANNER_CAP_DUPLEX, 0x2},
                 {QX_SCANNER_CAP_IMPRINTER, 0x4},  {QX_SCANNER_CAP_VENDOR8015, 0x8},
                 {QX_SCANNER_CAP_DSCOMMAND, 0x10}, {QX_SCANNER_CAP_PROFILES, 0x20}};
    mask = 0;
    for (const auto& entry : kBits)
    {
        int value = 0;
        if (!GetCapability(entry.cap, value))
            return FALSE;
        if (value != 0)
            mask |= entry.bit;
    }
    return TRUE;
}

BOOL CQXScannerImpl::Open(const wchar_t* name)
{
    if (!OpenScanner(name))
        return FALSE;
    m_capabilitiesLoaded = LoadCapabilities() ? TRUE : FALSE;
    return TRUE;
}

void CQXScannerImpl::Close()
{
    CloseScanner();
    m_capabilitiesLoaded = FALSE;
    _ClearCapabilities();
}

BOOL CQXScannerImpl::SetTagValue(DWORD tag, DWORD index, void* value)
{
    return _CallTag(&CQXScannerImpl::_SetTag, tag, index, value);
}

BOOL CQXScannerImpl::GetTagValue(DWORD tag, DWORD index, void* result)
{
    return _CallTag(&CQXScannerImpl::_GetTag, tag, index, result);
}

BOOL CQXScannerImpl::_CallTag(TagCall call, DWORD tag, DWORD index, void* value)
{
    if (!value || !GetSessionManager())
        return FALSE;
    try
    {
        return (this->*call)(tag, index, value);
    }
    catch (const std::exception&)
    {
        return FALSE;
    }
}

BOOL CQXScannerImpl::_SetTag(DWORD, DWORD, void*) { return FALSE; }

BOOL CQXScannerImpl::_GetTag(DWORD, DWORD, void*) { return FALSE; }

void CQXScannerImpl::_FreeBlock(void* block)
{
    if (m_pool && m_pool->is_from(block))
        m_pool->free(block);
    else
        std::free(block);
}

BOOL CQXScannerImpl::_AttachJoinedStrips(CZKRBuffer& image, size_t size) const
{
    // Every byte is written by the copy: no need to zero the block first.
    BYTE* joined = static_cast<BYTE*>(std::malloc(size));
    if (!joined || !_CopyJoinedStrips(joined, size))
    {
        std::free(joined);
        return FALSE;
    }
    image.Attach(joined, size);
    return TRUE;
}

BOOL CQXScannerImpl::_CopyJoinedStrips(BYTE* block, size_t size) const
{
    size_t total = 0;
    for (const Strip& strip : m_strips)
    {
        if (strip.second > size - total)
            return FALSE;
        total += strip.second;
    }
    for (const Strip& strip : m_strips)
    {
        std::memcpy(block, strip.first, strip.second);
        block += strip.second;
    }
    return TRUE;
}
