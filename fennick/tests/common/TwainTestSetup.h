// Test set-up for the TWAIN layer: a private system folder holding the
// simulated DSM and virtual source with the profiles a test chooses, the
// scriptable fake DSM, and an observer that records what it is told.
#pragma once

#include "fakedsm/FakeDsmScan.h"

#include <fennick/ZKTWSourceManager.h>

#include <dlfcn.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// A scratch system folder, pointed at by the environment while it lives.
class CTestSystemFolder
{
public:
    // profiles: names of the sample profiles to install ("production_duplex").
    explicit CTestSystemFolder(const std::vector<std::string>& profiles = {}, bool withDsm = true);
    ~CTestSystemFolder();
    CTestSystemFolder(const CTestSystemFolder&) = delete;
    CTestSystemFolder& operator=(const CTestSystemFolder&) = delete;

    // A profile written from text, optionally with extra lines appended, and
    // the virtual data-source file that serves it.
    void AddProfile(const std::string& name, const std::string& text) const;
    void AddSampleProfile(const std::string& sample, const std::string& extra = "") const;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    bool m_withDsm;
};

// The fake DSM's control functions, reached through a second load.
class CFakeDsm
{
public:
    CFakeDsm();
    ~CFakeDsm();
    CFakeDsm(const CFakeDsm&) = delete;
    CFakeDsm& operator=(const CFakeDsm&) = delete;

    void Reset(int sources);
    void Answer(WORD dat, WORD rc, WORD cc);
    void QueueEvent(WORD msg);
    int Calls(WORD dat);
    int MessageCalls(WORD dat, WORD msg);
    void OverrunStrips(bool on);
    // The source lies about its scans as scan says.
    void Scan(const FAKE_DSM_SCAN& scan);
    // Reads of cap answer these bytes, in a block of exactly their size.
    void Container(WORD cap, WORD conType, const std::vector<unsigned char>& bytes);
    // Calls of dat are answered after ms milliseconds.
    void Delay(WORD dat, unsigned ms);
    // The strip buffer length of the last memory strip asked for.
    TW_UINT32 LastBufferLength();

private:
    template <typename F> F* Control(const char* name) { return reinterpret_cast<F*>(dlsym(m_handle, name)); }

    void* m_handle = nullptr;
};

struct RECORDED_ERROR
{
    DWORD DG;
    WORD DAT;
    WORD MSG;
    WORD rc;
    WORD cc;
};

class CRecordingObserver : public IZKTWEventObserver
{
public:
    void OnAcquireBegin() override { ++acquireBegins; }
    void OnAcquireEnd(BOOL) override { ++acquireEnds; }
    void OnDeviceEvent(TW_DEVICEEVENT*) override { ++deviceEvents; }
    void OnTWAINError(DWORD DG, WORD DAT, WORD MSG, WORD rc, WORD cc) override;
    void OnCreateExtraImageInfo(CZKTWExtraImageInfo*&) override {}
    // Images are dropped, releasing what the observer owns.
    void OnNativeImage(HGLOBAL dib, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override;
    void OnSetupFileTransfer(TW_SETUPFILEXFER*) override {}
    void OnFileTransferred(TW_SETUPFILEXFER*) override {}
    void OnMemoryBlock(TW_IMAGEMEMXFER*, BOOL, ZKTWIMAGEINFO* info, CZKTWExtraImageInfo* extra) override;

    std::vector<RECORDED_ERROR> Errors();
    // Runs inside OnTWAINError, on the thread that reports it.
    std::function<void()> onError;
    std::atomic<DWORD> errorThread{0};
    std::atomic<int> acquireBegins{0};
    std::atomic<int> acquireEnds{0};
    std::atomic<int> deviceEvents{0};
    std::atomic<int> memoryImages{0}; // memory transfers that completed

private:
    std::mutex m_lock;
    std::vector<RECORDED_ERROR> m_errors;
};

// Collects trace lines of the FENNICK module while it lives.
class CTraceCapture
{
public:
    CTraceCapture();
    ~CTraceCapture();
    std::vector<std::string> Lines();
    bool Contains(const std::string& text);

private:
    std::mutex m_lock;
    std::vector<std::string> m_lines;
};

void RegisterTestApp(CZKTWSourceManager& manager);
// The identity with this product name among the listed sources.
bool FindSource(CZKTWSourceManager& manager, const std::string& productName, TW_IDENTITY& identity);
