// Scratch folders for the simulator tests.
#pragma once

#include <string>

// A scratch folder removed again with everything in it.
class CTwainTempFolder
{
public:
    CTwainTempFolder();
    ~CTwainTempFolder();
    const std::string& Path() const { return m_path; }
    void Write(const std::string& name, const std::string& text) const;
    void CopyFrom(const std::string& path, const std::string& name) const;

private:
    std::string m_path;
};
