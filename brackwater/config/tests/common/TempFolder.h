// A private folder for one test's files, removed with everything in it.
#pragma once

#include <string>

class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // Wide path of name inside the folder.
    std::wstring File(const std::string& name) const;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
