#include <mirelight/QXScannerImpl.h>

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
