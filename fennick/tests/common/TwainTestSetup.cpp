#include "TwainTestSetup.h"

#include <fennick/ZKTWExtraImageInfo.h>
#include <hollin/ZKDebugLog.h>
#include <wincompat/ZKGlobalMemory.h>
#include <wincompat/ZKThread.h>

#include <dlfcn.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

CTestSystemFolder::CTestSystemFolder(const std::vector<std::string>& profiles, bool withDsm) : m_withDsm(withDsm)
{
    std::string pattern = (fs::temp_directory_path() / "zkfennick-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
    fs::create_directories(m_path + "/twain_32/profiles");
    if (withDsm)
        fs::create_symlink(std::string(ZK_FENNICK_SIM_DIR) + "/libtwaindsm.so", m_path + "/libtwaindsm.so");
    for (const std::string& profile : profiles)
        AddSampleProfile(profile);
    setenv("ZK_SYSTEM_DIR", m_path.c_str(), 1);
    setenv("ZK_TWAIN_DS_DIR", (m_path + "/twain_32").c_str(), 1);
    setenv("ZK_TWAIN_PROFILE_DIR", (m_path + "/twain_32/profiles").c_str(), 1);
    unsetenv("ZK_TWAIN_DSM");
}

CTestSystemFolder::~CTestSystemFolder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

// Every scanner is a data-source file of its own, named after its profile. A
// copy, not a link: the loader would take links to one file for one library.
void CTestSystemFolder::AddProfile(const std::string& name, const std::string& text) const
{
    std::ofstream(m_path + "/twain_32/profiles/" + name + ".profile", std::ios::binary) << text;
    if (m_withDsm)
        fs::copy_file(std::string(ZK_FENNICK_SIM_DIR) + "/zkvirtualsource.so", m_path + "/twain_32/" + name + ".ds",
                      fs::copy_options::overwrite_existing);
}

void CTestSystemFolder::AddSampleProfile(const std::string& sample, const std::string& extra) const
{
    std::ifstream in(std::string(ZK_FENNICK_SIM_PROFILES) + "/" + sample + ".profile", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf() << "\n" << extra;
    AddProfile(sample, text.str());
}

CFakeDsm::CFakeDsm() : m_handle(dlopen(ZK_FENNICK_FAKE_DSM, RTLD_NOW | RTLD_LOCAL))
{
    if (!m_handle)
        throw std::runtime_error("cannot load the fake DSM");
    setenv("ZK_TWAIN_DSM", ZK_FENNICK_FAKE_DSM, 1);
    Reset(1);
}

CFakeDsm::~CFakeDsm()
{
    unsetenv("ZK_TWAIN_DSM");
    dlclose(m_handle);
}

void CFakeDsm::Reset(int sources)
{
    reinterpret_cast<void (*)(int)>(dlsym(m_handle, "FakeDsm_Reset"))(sources);
}

void CFakeDsm::Answer(WORD dat, WORD rc, WORD cc)
{
    reinterpret_cast<void (*)(WORD, WORD, WORD)>(dlsym(m_handle, "FakeDsm_Answer"))(dat, rc, cc);
}

void CFakeDsm::OverrunStrips(bool on)
{
    reinterpret_cast<void (*)(int)>(dlsym(m_handle, "FakeDsm_OverrunStrips"))(on ? 1 : 0);
}

int CFakeDsm::MessageCalls(WORD dat, WORD msg) { return Control<int(WORD, WORD)>("FakeDsm_MessageCalls")(dat, msg); }

void CFakeDsm::Scan(const FAKE_DSM_SCAN& scan) { Control<void(const FAKE_DSM_SCAN*)>("FakeDsm_Scan")(&scan); }

void CFakeDsm::Container(WORD cap, WORD conType, const std::vector<unsigned char>& bytes)
{
    Control<void(WORD, WORD, const void*, TW_UINT32)>("FakeDsm_Container")(
        cap, conType, bytes.data(), static_cast<TW_UINT32>(bytes.size()));
}

void CFakeDsm::Delay(WORD dat, unsigned ms) { Control<void(WORD, unsigned)>("FakeDsm_Delay")(dat, ms); }

TW_UINT32 CFakeDsm::LastBufferLength() { return Control<TW_UINT32()>("FakeDsm_LastBufferLength")(); }

void CFakeDsm::QueueEvent(WORD msg)
{
    reinterpret_cast<void (*)(WORD)>(dlsym(m_handle, "FakeDsm_QueueEvent"))(msg);
}

int CFakeDsm::Calls(WORD dat)
{
    return reinterpret_cast<int (*)(WORD)>(dlsym(m_handle, "FakeDsm_Calls"))(dat);
}

void CRecordingObserver::OnTWAINError(DWORD DG, WORD DAT, WORD MSG, WORD rc, WORD cc)
{
    errorThread = CZKThread::CurrentId();
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_errors.push_back(RECORDED_ERROR{DG, DAT, MSG, rc, cc});
    }
    if (onError)
        onError();
}

std::vector<RECORDED_ERROR> CRecordingObserver::Errors()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_errors;
}

CTraceCapture::CTraceCapture()
{
    SZKDebugLog::SetSink(
        [this](const std::string& line) {
            std::lock_guard<std::mutex> guard(m_lock);
            m_lines.push_back(line);
        },
        2);
}

CTraceCapture::~CTraceCapture()
{
    SZKDebugLog::SetSink(nullptr);
    SZKDebugLog::Disable();
}

std::vector<std::string> CTraceCapture::Lines()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lines;
}

bool CTraceCapture::Contains(const std::string& text)
{
    for (const std::string& line : Lines())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

void RegisterTestApp(CZKTWSourceManager& manager)
{
    manager.RegisterApp(1, 0, 13 /* English */, 1 /* USA */, "1.0 test", "ZK Tests", "Capture", "fennick tests");
}

bool FindSource(CZKTWSourceManager& manager, const std::string& productName, TW_IDENTITY& identity)
{
    std::vector<TW_IDENTITY> sources;
    if (!manager.QueryAvailableSources(sources))
        return false;
    for (const TW_IDENTITY& source : sources)
        if (productName == source.ProductName)
        {
            identity = source;
            return true;
        }
    return false;
}

void CRecordingObserver::OnNativeImage(HGLOBAL dib, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra)
{
    CZKGlobalMemory::Free(dib);
    delete info;
    delete extra;
}

void CRecordingObserver::OnMemoryBlock(TW_IMAGEMEMXFER*, BOOL last, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra)
{
    if (last)
        ++memoryImages;
    delete info;
    delete extra;
}
