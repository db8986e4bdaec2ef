#include <goldmere/ZKISISManager.h>

#include <algorithm>
#include <cwctype>
#include <exception>

#include <hollin/ZKBuffer.h>
#include <hollin/ZKCommon.h>
#include <hollin/ZKTempFileKeeper.h>

#include "ZKISISErrorReporter.h"
#include "ZKISISFileOutput.h"
#include "ZKISISProcessModule.h"
#include "ZKISISProcessState.h"
#include "ZKISISScanPage.h"
#include "ZKISISScanSession.h"
#include "ZKISISScannerDriver.h"

namespace
{
const char kReporterSource[] = "ZKISISManager";
const size_t kEnvValueBytes = 4192;
const size_t kDriverNameBytes = 512;

std::wstring UpperTrimmed(std::wstring text)
{
    text.erase(0, text.find_first_not_of(L" \t"));
    text.erase(text.find_last_not_of(L" \t") + 1);
    std::transform(text.begin(), text.end(), text.begin(), ::towupper);
    return text;
}

std::wstring DriverFolder()
{
    std::wstring folder;
    SZKCommon::GetSHFolderPath(0x24, folder);
    return folder + L"/isisdrv";
}

// Models of one driver file until the toolkit answers with an error.
void AppendModels(const std::string& fileName, std::vector<ZK_ISIS_DRIVERLIST_ITEM>& drivers)
{
    const std::string path = SZKCommon::WCStoMBS(DriverFolder()) + "/" + fileName;
    std::wstring driverName = SZKCommon::MBStoWCS(fileName);
    if (driverName.size() > 4)
        driverName.resize(driverName.size() - 4);
    for (int32_t index = 0;; ++index)
    {
        char model[256] = {};
        if (ZKISIS_DL_ModelName(path.c_str(), index, model, sizeof model) != ZKISIS_OK)
            break;
        model[sizeof model - 1] = '\0';
        ZK_ISIS_DRIVERLIST_ITEM item;
        item.DriverName = UpperTrimmed(driverName);
        item.ModelName = SZKCommon::MBStoWCS(model);
        item.ModelIndex = index;
        drivers.push_back(item);
    }
}
} // namespace

CZKISISManager::CZKISISManager()
{
    try
    {
        m_session = new CZKISISScanSession(*this);
    }
    catch (const std::exception&)
    {
        m_session = nullptr;
    }
}

CZKISISManager::~CZKISISManager()
{
    if (CZKISISErrorReporter::GetObserver() == m_observer)
        CZKISISErrorReporter::SetObserver(nullptr);
    delete m_session;
    m_session = nullptr;
    _DeleteModules();
}

void CZKISISManager::SetObserver(IZKISISEventObserver* observer)
{
    m_observer = observer;
    CZKISISErrorReporter::SetObserver(observer);
    if (m_session)
        m_session->SetObserver(observer);
    for (CZKISISDriver* module : std::initializer_list<CZKISISDriver*>{m_scanner, m_scanPage, m_processModule, m_fileOutput})
        if (module)
            module->SetObserver(observer);
}

EZKISISState CZKISISManager::GetState()
{
    return SZKISISProcessState::Get();
}

void CZKISISManager::EnableErrorReport(BOOL enable)
{
    CZKISISErrorReporter::Enable(enable);
}

WORD CZKISISManager::GetLastError()
{
    return CZKISISErrorReporter::GetLastError();
}

BOOL CZKISISManager::Initialize()
{
    try
    {
        if (!ZKISIS_CHECK(ZKISIS_DL_Initialize()))
            return FALSE;
        if (!ZKISIS_CHECK(ZKISIS_MD_Initialize()))
        {
            ZKISIS_DL_Terminate();
            return FALSE;
        }
        _DeleteModules();
        m_scanner = new CZKISISScannerDriver(m_session, m_observer);
        m_scanPage = new CZKISISScanPage(m_session, m_observer);
        m_processModule = new CZKISISProcessModule(m_session, m_observer);
        m_fileOutput = new CZKISISFileOutput(m_session, m_observer);
        SZKISISProcessState::Set(ZKISIS_STATE_INITIALISED);
        return TRUE;
    }
    catch (const std::exception&)
    {
        _DeleteModules();
        return FALSE;
    }
}

BOOL CZKISISManager::Uninitialize()
{
    if (m_session)
        m_session->End();
    delete m_session;
    m_session = nullptr;
    _DeleteModules();
    ZKISIS_MD_Terminate();
    ZKISIS_DL_Terminate();
    SZKISISProcessState::Set(ZKISIS_STATE_NOT_INITIALISED);
    return TRUE;
}

void CZKISISManager::_DeleteModules()
{
    delete m_fileOutput;
    delete m_processModule;
    delete m_scanPage;
    delete m_scanner;
    m_fileOutput = nullptr;
    m_processModule = nullptr;
    m_scanPage = nullptr;
    m_scanner = nullptr;
}

BOOL CZKISISManager::Open(const wchar_t* driverName)
{
    if (!driverName || !m_scanner || !m_scanPage || !m_processModule || !m_fileOutput || DeviceBusy())
        return FALSE;
    if (!m_scanner->Open(driverName) || !m_scanPage->Open() || !m_processModule->Create() || !m_fileOutput->Open() ||
        !_LinkChain())
    {
        Close();
        return FALSE;
    }
    EnvPut(L"Scanner", L"Driver", driverName);
    SZKISISProcessState::Set(ZKISIS_STATE_DRIVER_OPEN);
    return TRUE;
}

BOOL CZKISISManager::_LinkChain()
{
    if (GetTransferType() == ZKISIS_TRANSFER_FILE)
        return m_scanner->Link(m_fileOutput->Module());
    return m_scanner->Link(m_scanPage->Module()) && m_scanPage->Link(m_processModule->Module());
}

void CZKISISManager::_UnlinkChain()
{
    m_scanner->Unlink();
    m_scanPage->Unlink();
}

BOOL CZKISISManager::Close()
{
    if (!m_scanner || DeviceBusy())
        return FALSE;
    _UnlinkChain();
    m_fileOutput->Close();
    m_scanPage->Close();
    m_scanner->Close();
    if (SZKISISProcessState::Get() > ZKISIS_STATE_INITIALISED)
        SZKISISProcessState::Set(ZKISIS_STATE_INITIALISED);
    return TRUE;
}

BOOL CZKISISManager::IsOpened()
{
    return m_scanner && m_scanner->IsOpened();
}

BOOL CZKISISManager::SetLocale(const DWORD& localeId)
{
    return ZKISIS_CHECK(ZKISIS_LC_SetLocale(localeId));
}

// ---- Drivers ---------------------------------------------------------------------

BOOL CZKISISManager::QueryAvailableDrivers(std::vector<ZK_ISIS_DRIVERLIST_ITEM>& drivers)
{
    drivers.clear();
    try
    {
        const std::string pattern = SZKCommon::WCStoMBS(DriverFolder()) + "/*.isd";
        char name[kDriverNameBytes] = {};
        ZKISIS_FIND* find = nullptr;
        for (int32_t status = ZKISIS_DL_FindFirst(pattern.c_str(), name, sizeof name, &find); status == ZKISIS_OK;
             status = ZKISIS_DL_FindNext(find, name, sizeof name))
        {
            name[sizeof name - 1] = '\0';
            AppendModels(name, drivers);
        }
        ZKISIS_DL_FindClose(find);
        return TRUE;
    }
    catch (const std::exception&)
    {
        return FALSE;
    }
}

BOOL CZKISISManager::GetScannerModel(std::wstring& model, const wchar_t* driverName, int index)
{
    std::string narrow;
    if (!driverName || index < 0 || !SZKCommon::WCStoMBS(driverName, narrow, SZKCommon::CodePageANSI))
        return FALSE;
    const std::string path = SZKCommon::WCStoMBS(DriverFolder()) + "/" + narrow + ".isd";
    char name[256] = {};
    if (ZKISIS_DL_ModelName(path.c_str(), index, name, sizeof name) != ZKISIS_OK)
        return FALSE;
    name[sizeof name - 1] = '\0';
    model = SZKCommon::MBStoWCS(name);
    return TRUE;
}

BOOL CZKISISManager::GetDefaultDriver(std::wstring& driver)
{
    char name[256] = {};
    if (!ZKISIS_CHECK(ZKISIS_DL_DefaultDriver(name, sizeof name)))
        return FALSE;
    name[sizeof name - 1] = '\0';
    driver = UpperTrimmed(SZKCommon::MBStoWCS(name));
    return TRUE;
}

BOOL CZKISISManager::GetCurrentDriver(std::wstring& driver)
{
    return GetDefaultDriver(driver);
}

EZKISISUIReturnCode CZKISISManager::UISelectDrive(HWND parent, std::wstring& driver)
{
    const int32_t status = ZKISIS_DL_SelectDriver(parent);
    if (status == ZKISIS_OK)
    {
        if (!GetDefaultDriver(driver))
            return ZKISIS_UI_FAILED;
        EnvPut(L"Scanner", L"Driver", driver);
        return ZKISIS_UI_OK;
    }
    const int16_t id = CZKISISErrorReporter::ErrorId(status);
    if (id == ZKISIS_ERR_DIALOG_CANCELLED || id == ZKISIS_ERR_DIALOG_CLOSED)
        return ZKISIS_UI_CANCELLED;
    ZKISIS_CHECK(status);
    return ZKISIS_UI_FAILED;
}

BOOL CZKISISManager::GetDriverInfo(ZK_ISIS_DRIVERINFO& info)
{
    if (m_scanner)
        m_scanner->GetDriverInfo(info);
    return TRUE;
}

EZKISISUIReturnCode CZKISISManager::Setup(HWND parent)
{
    if (!m_scanner || !m_scanner->IsOpened())
        return ZKISIS_UI_FAILED;
    ZKISIS_SETUP setup = {parent, 6};
    const int32_t answer = m_scanner->Send(ZKISIS_MSG_SETUP, 0, &setup);
    if (answer == ZKISIS_OK)
        return ZKISIS_UI_OK;
    if (answer == ZKISIS_SETUP_CANCELLED)
        return ZKISIS_UI_CANCELLED;
    ZKISIS_CHECK(answer);
    return ZKISIS_UI_FAILED;
}

// ---- Configuration and environment ----------------------------------------------------

BOOL CZKISISManager::ReadConfig(CZKBuffer& config)
{
    if (!m_scanner || !m_scanner->IsOpened())
        return FALSE;
    CZKTempFileKeeper file;
    if (!file.Create(FALSE))
        return FALSE;
    const std::string path = file.GetA();
    ZKISIS_CONFIG_FILE target = {"ISIS", path.c_str()};
    if (!ZKISIS_CHECK(m_scanner->Send(ZKISIS_MSG_SAVE_CONFIG, 0, &target)))
        return FALSE;
    return SZKCommon::FileToBuffer(file.Get(), config);
}

BOOL CZKISISManager::WriteConfig(CZKBuffer& config)
{
    if (!m_scanner || !m_scanner->IsOpened())
        return FALSE;
    CZKTempFileKeeper file;
    if (!file.Create(FALSE) || !SZKCommon::BufferToFile(config, file.Get()))
        return FALSE;
    const std::string path = file.GetA();
    ZKISIS_CONFIG_FILE source = {"ISIS", path.c_str()};
    return ZKISIS_CHECK(m_scanner->Send(ZKISIS_MSG_LOAD_CONFIG, 0, &source));
}

BOOL CZKISISManager::ResetConfig()
{
    return m_scanner && m_scanner->IsOpened() && m_scanner->SendPlain(ZKISIS_MSG_RESET_CONFIG);
}

BOOL CZKISISManager::EnvPut(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    std::string narrowSection, narrowKey, narrowValue;
    if (!SZKCommon::WCStoMBS(section, narrowSection, SZKCommon::CodePageANSI) ||
        !SZKCommon::WCStoMBS(key, narrowKey, SZKCommon::CodePageANSI) ||
        !SZKCommon::WCStoMBS(value, narrowValue, SZKCommon::CodePageANSI))
        return FALSE;
    return ZKISIS_MD_EnvPut(narrowSection.c_str(), narrowKey.c_str(), narrowValue.c_str()) == ZKISIS_OK;
}

BOOL CZKISISManager::EnvGet(const std::wstring& section, const std::wstring& key, std::wstring& value)
{
    std::string narrowSection, narrowKey;
    if (!SZKCommon::WCStoMBS(section, narrowSection, SZKCommon::CodePageANSI) ||
        !SZKCommon::WCStoMBS(key, narrowKey, SZKCommon::CodePageANSI))
        return FALSE;
    std::vector<char> buffer(kEnvValueBytes, '\0');
    if (ZKISIS_MD_EnvGet(narrowSection.c_str(), narrowKey.c_str(), buffer.data(),
                         static_cast<uint32_t>(buffer.size())) != ZKISIS_OK)
        return TRUE;
    buffer.back() = '\0';
    return SZKCommon::MBStoWCS(buffer.data(), value, SZKCommon::CodePageUTF8);
}

// ---- Runs ------------------------------------------------------------------------------

void CZKISISManager::SetCompressionType(EZKISISCompressionType type)
{
    if (m_session)
        m_session->SetCompressionType(type);
}

// Back windows have negative ids, so only ids that name no window at all
// are ignored.
void CZKISISManager::SetCompression(int windowId, int compression)
{
    if (windowId < -2 || windowId > 2 || !m_session ||
        m_session->GetCompressionType() != ZKISIS_COMPRESSION_PER_WINDOW)
        return;
    m_session->SetCompression(windowId, compression);
}

BOOL CZKISISManager::StartRun(int pages)
{
    if (!m_session || !m_scanner || !m_scanner->IsOpened() || m_session->IsRunning())
        return FALSE;
    _UnlinkChain();
    if (!_LinkChain())
        return FALSE;
    return m_session->StartRun(pages);
}

BOOL CZKISISManager::StopRun(int how)
{
    return m_session ? m_session->StopRun(how) : FALSE;
}

BOOL CZKISISManager::DeviceBusy()
{
    return m_session && m_session->IsRunning();
}
