// Runs the built qxscan as a separate process, the way an operator or a
// script does, and keeps its exit code and output.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct TOOL_RESULT
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

class CToolRun
{
public:
    // whileRunning (optional) is called every few milliseconds with the
    // child's process id until it ends.
    static TOOL_RESULT Run(const std::vector<std::string>& args,
                           const std::function<void(int pid)>& whileRunning = nullptr);

private:
    static std::string _ReadAll(const std::string& path);
};

// A fresh temporary folder, removed with its contents at the end.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
