// Test set-up for the ISIS layer: a private system folder with virtual
// drivers under the profiles a test writes, and an observer that records
// what the layer tells it.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <goldmere/ZKISISManager.h>
#include <wincompat/ZKEvent.h>

// A scratch system folder, pointed at by ZK_SYSTEM_DIR while it lives.
class CIsisTestFolder
{
public:
    CIsisTestFolder();
    ~CIsisTestFolder();
    CIsisTestFolder(const CIsisTestFolder&) = delete;
    CIsisTestFolder& operator=(const CIsisTestFolder&) = delete;

    // The virtual driver installed as <name>.isd with this profile.
    void AddDriver(const std::string& name, const std::string& profile) const;
    // Any file in the driver folder.
    void AddFile(const std::string& name, const std::string& bytes) const;
    void CopyFile(const std::string& from, const std::string& name) const;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A sample profile of the simulators with lines replaced and additions:
// driverLines go into [Driver], sections are appended.
std::string IsisSampleProfile(const std::string& sample, const std::map<std::string, std::string>& replace = {},
                              const std::string& driverLines = "", const std::string& sections = "");

struct ZK_TEST_IMAGE
{
    ZK_ISIS_IMAGE_INFO info;
    std::vector<BYTE> data;
};

class CIsisRecorder : public IZKISISEventObserver
{
public:
    void OnISISSessionBegin(ZK_ISIS_SESSION_BEGIN*) override;
    void OnISISImageBegin(ZK_ISIS_IMAGE_BEGIN*) override;
    BOOL OnISISImageData(ZK_ISIS_IMAGE_DATA* data) override;
    BOOL OnISISImageEnd(ZK_ISIS_IMAGE_END* end) override;
    void OnISISImageNotAccepted() override;
    void OnISISSessionEnd(ZK_ISIS_SESSION_END*) override;
    void OnISISError(ZK_ISIS_ERROR* error) override;
    void OnISISQueryImageFileName(ZK_ISIS_IMAGEFILE_BEGIN_INFO* file) override;
    void OnISISImageFileEnd(ZK_ISIS_IMAGEFILE_END_INFO*) override {}

    // Waits (bounded) for the end of the current run.
    bool WaitSessionEnd(DWORD timeoutMs = 20000) { return m_sessionEnded.Wait(timeoutMs) == WAIT_OBJECT_0; }

    // Set before a run.
    int refuseDataOfImage = -1; // 0-based image whose first data block is refused
    std::function<void(size_t imagesEnded)> onImageEnd;
    std::string fileFolder;     // file transfers: where images are written
    SHORT fileFormat = 1;

    std::vector<ZK_TEST_IMAGE> Images();
    std::vector<ZK_ISIS_ERROR> Errors();
    std::vector<std::string> Events();
    int NotAccepted();

private:
    std::mutex m_lock;
    std::vector<ZK_TEST_IMAGE> m_images;
    std::vector<BYTE> m_current;
    std::vector<ZK_ISIS_ERROR> m_errors;
    std::vector<std::string> m_events;
    int m_notAccepted = 0;
    int m_imageBegins = 0;
    int m_files = 0;
    CZKEvent m_sessionEnded{false, false}; // one Set per run end
};
