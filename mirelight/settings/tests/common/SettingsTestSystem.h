// A private system folder with the simulated TWAIN manager and virtual
// source, holding the scanner profiles a test picks. The environment points
// at it while it lives.
#pragma once

#include <string>
#include <vector>

class CSettingsTestSystem
{
public:
    // profiles: names of the sample profiles to install ("vantrel_px530").
    explicit CSettingsTestSystem(const std::vector<std::string>& profiles);
    ~CSettingsTestSystem();
    CSettingsTestSystem(const CSettingsTestSystem&) = delete;
    CSettingsTestSystem& operator=(const CSettingsTestSystem&) = delete;

    // The text of a sample profile, for a test that installs a variant.
    static std::string SampleProfile(const std::string& name);
    void AddProfile(const std::string& name, const std::string& text) const;

private:
    std::string m_path;
};
