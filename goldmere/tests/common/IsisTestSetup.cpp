#include "IsisTestSetup.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <hollin/ZKCommon.h>

namespace fs = std::filesystem;

CIsisTestFolder::CIsisTestFolder()
{
    std::string pattern = (fs::temp_directory_path() / "isis-test-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        m_path = pattern;
    fs::create_directories(fs::path(m_path) / "isisdrv");
    setenv("ZK_SYSTEM_DIR", m_path.c_str(), 1);
}

CIsisTestFolder::~CIsisTestFolder()
{
    unsetenv("ZK_SYSTEM_DIR");
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

void CIsisTestFolder::AddDriver(const std::string& name, const std::string& profile) const
{
    CopyFile(ZK_ISIS_VIRTUAL_DRIVER, name + ".isd");
    AddFile(name + ".profile", profile);
}

void CIsisTestFolder::AddFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream(fs::path(m_path) / "isisdrv" / name, std::ios::binary) << bytes;
}

void CIsisTestFolder::CopyFile(const std::string& from, const std::string& name) const
{
    fs::copy_file(from, fs::path(m_path) / "isisdrv" / name, fs::copy_options::overwrite_existing);
}

std::string IsisSampleProfile(const std::string& sample, const std::map<std::string, std::string>& replace,
                              const std::string& driverLines, const std::string& sections)
{
    std::ifstream in(std::string(ZK_ISIS_SIM_PROFILES) + "/" + sample + ".profile");
    std::stringstream text;
    std::string line;
    while (std::getline(in, line))
    {
        auto replaced = replace.find(line);
        text << (replaced == replace.end() ? line : replaced->second) << "\n";
        if (line == "[Driver]")
            text << driverLines;
    }
    return text.str() + "\n" + sections;
}

void CIsisRecorder::OnISISSessionBegin(ZK_ISIS_SESSION_BEGIN*)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_events.push_back("begin");
}

void CIsisRecorder::OnISISImageBegin(ZK_ISIS_IMAGE_BEGIN*)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_current.clear();
    ++m_imageBegins;
    m_events.push_back("image");
}

BOOL CIsisRecorder::OnISISImageData(ZK_ISIS_IMAGE_DATA* data)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (refuseDataOfImage == m_imageBegins - 1)
        return TRUE;
    m_current.insert(m_current.end(), data->Data, data->Data + data->Length);
    return FALSE;
}

BOOL CIsisRecorder::OnISISImageEnd(ZK_ISIS_IMAGE_END* end)
{
    size_t ended = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_images.push_back({end->Info, m_current});
        m_events.push_back("end");
        ended = m_images.size();
    }
    if (onImageEnd)
        onImageEnd(ended);
    return FALSE;
}

void CIsisRecorder::OnISISImageNotAccepted()
{
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_notAccepted;
    m_events.push_back("not accepted");
}

void CIsisRecorder::OnISISSessionEnd(ZK_ISIS_SESSION_END*)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_events.push_back("session end");
    }
    m_sessionEnded.Set();
}

void CIsisRecorder::OnISISError(ZK_ISIS_ERROR* error)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_errors.push_back(*error);
    m_events.push_back("error " + std::to_string(error->Id));
}

void CIsisRecorder::OnISISQueryImageFileName(ZK_ISIS_IMAGEFILE_BEGIN_INFO* file)
{
    std::lock_guard<std::mutex> hold(m_lock);
    file->FileName = SZKCommon::MBStoWCS(fileFolder + "/image" + std::to_string(++m_files) + ".bin");
    file->Format = fileFormat;
}

std::vector<ZK_TEST_IMAGE> CIsisRecorder::Images()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_images;
}

std::vector<ZK_ISIS_ERROR> CIsisRecorder::Errors()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_errors;
}

std::vector<std::string> CIsisRecorder::Events()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_events;
}

int CIsisRecorder::NotAccepted()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_notAccepted;
}
