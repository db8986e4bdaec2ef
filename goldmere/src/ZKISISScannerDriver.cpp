#include "ZKISISScannerDriver.h"

#include <algorithm>
#include <cwctype>

#include <hollin/ZKCommon.h>

#include "ZKISISErrorReporter.h"

namespace
{
const char kReporterSource[] = "ZKISISScannerDriver";

std::wstring UpperTrimmed(std::wstring text)
{
    text.erase(0, text.find_first_not_of(L" \t"));
    text.erase(text.find_last_not_of(L" \t") + 1);
    std::transform(text.begin(), text.end(), text.begin(), ::towupper);
    return text;
}
} // namespace

CZKISISScannerDriver::CZKISISScannerDriver(CZKISISScanSession* session, IZKISISEventObserver* observer)
    : CZKISISDriver(session, observer)
{
}

CZKISISScannerDriver::~CZKISISScannerDriver()
{
    Close();
}

BOOL CZKISISScannerDriver::Open(const std::wstring& driverName)
{
    Close();
    std::string narrow;
    if (driverName.empty() || !SZKCommon::WCStoMBS(driverName, narrow, SZKCommon::CodePageANSI))
        return FALSE;
    ZKISIS_MODULE* module = nullptr;
    if (!ZKISIS_CHECK(ZKISIS_DL_LoadDriver(narrow.c_str(), &module)))
        return FALSE;
    m_module = module;
    m_driverName = UpperTrimmed(driverName);
    m_state.store(SCAN_OPEN);
    return TRUE;
}

BOOL CZKISISScannerDriver::Close()
{
    if (!m_module)
        return TRUE;
    ZKISIS_DL_UnloadDriver(m_module);
    m_module = nullptr;
    m_driverName.clear();
    m_state.store(SCAN_CLOSED);
    return TRUE;
}

BOOL CZKISISScannerDriver::Link(ZKISIS_MODULE* next)
{
    return m_module && next && ZKISIS_CHECK(ZKISIS_MD_Link(m_module, next));
}

void CZKISISScannerDriver::Unlink()
{
    if (m_module)
        ZKISIS_MD_Unlink(m_module);
}

BOOL CZKISISScannerDriver::GetDriverInfo(ZK_ISIS_DRIVERINFO& info)
{
    info = ZK_ISIS_DRIVERINFO();
    info.DriverName = m_driverName;
    info.ProductName = m_driverName;
    if (!m_module)
        return TRUE;
    // The toolkit's answers are the driver's; quiet when a tag is missing.
    GetText(info.VersionText, ZKISIS_TAG_DRIVER_TEXT);
    long capabilities = 0;
    if (GetLong(capabilities, ZKISIS_TAG_CAPABILITIES))
        info.Capabilities = static_cast<DWORD>(capabilities);
    std::wstring folder;
    SZKCommon::GetSHFolderPath(0x24, folder);
    char model[256] = {};
    const std::string path = SZKCommon::WCStoMBS(folder + L"/isisdrv/" + m_driverName + L".isd");
    if (ZKISIS_DL_ModelName(path.c_str(), 0, model, sizeof model) == ZKISIS_OK)
    {
        model[sizeof model - 1] = '\0';
        info.ModelName = info.Description = SZKCommon::MBStoWCS(model);
    }
    return TRUE;
}

BOOL CZKISISScannerDriver::StartScanning()
{
    if (!m_module)
        return FALSE;
    m_state.store(SCAN_STARTING);
    long capabilities = 0;
    m_scanAhead.store(Supported(ZKISIS_TAG_CAPABILITIES) && GetLong(capabilities, ZKISIS_TAG_CAPABILITIES) &&
                      (static_cast<DWORD>(capabilities) & ZKISIS_CAPABILITY_SCAN_AHEAD));
    int32_t scanAhead = m_scanAhead.load() && m_scanAheadAllowed.load() ? 1 : 0;
    const int32_t status = Send(ZKISIS_MSG_SCAN_START, 0, &scanAhead);
    const BOOL started = ZKISIS_CHECK(status);
    m_state.store(started ? SCAN_BETWEEN_PAGES : SCAN_OPEN);
    return started;
}

int CZKISISScannerDriver::ScanPages(int pages)
{
    int scanned = 0;
    while ((pages <= 0 || scanned < pages) && !m_stop.load())
    {
        m_state.store(SCAN_FEEDING);
        const int32_t status = Send(ZKISIS_MSG_SCAN_PAGE, 0, nullptr);
        m_state.store(SCAN_BETWEEN_PAGES);
        if (status == ZKISIS_END_OF_PAGES)
            break;
        if (!ZKISIS_CHECK(status))
            return kScanFailed;
        ++scanned;
    }
    return scanned;
}

void CZKISISScannerDriver::EndScanning()
{
    if (!m_module)
        return;
    ZKISIS_CHECK(Send(ZKISIS_MSG_SCAN_END, 0, nullptr));
    m_state.store(SCAN_OPEN);
}
