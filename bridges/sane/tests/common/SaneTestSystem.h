// A system folder of a test's own with the build's source manager and the
// SANE bridge, and a private SANE configuration that offers SANE's test
// backend only, with the option values a test chooses. The environment
// points at both while the object lives. libsane reads SANE_CONFIG_DIR once
// per process, so the configuration folder is one per process, rewritten by
// each test.
#pragma once

#include <string>
#include <vector>

class CSaneTestSystem
{
public:
    // options: lines of the test backend's configuration ("mode Color").
    explicit CSaneTestSystem(const std::vector<std::string>& options = {}, const std::string& binding = "");
    ~CSaneTestSystem();
    CSaneTestSystem(const CSaneTestSystem&) = delete;
    CSaneTestSystem& operator=(const CSaneTestSystem&) = delete;

    const std::string& Path() const { return m_path; }
    std::string SystemFolder() const { return m_path + "/system"; }
    static std::string ConfigFolder();

private:
    std::string m_path;
};

// The product name the test backend's devices have as TWAIN sources.
inline const char* const kSaneTestProduct = "frontend-tester";
