// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::wstring WidePath(const std::string& name) const;

private:
    std::string m_path;
};
