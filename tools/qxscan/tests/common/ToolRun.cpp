#include "ToolRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace
{
// A tool run longer than this is a hang.
constexpr auto kRunLimit = std::chrono::seconds(60);
} // namespace

std::string CToolRun::_ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TOOL_RESULT CToolRun::Run(const std::vector<std::string>& args,
                          const std::function<void(int pid)>& whileRunning)
{
    CTempFolder capture;
    const std::string outPath = capture.Path() + "/out";
    const std::string errPath = capture.Path() + "/err";
    std::vector<std::string> argv = {QXSCAN_TOOL};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    TOOL_RESULT result;
    const int spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0)
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        if (whileRunning)
            whileRunning(pid);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = _ReadAll(outPath);
    result.err = _ReadAll(errPath);
    return result;
}

CTempFolder::CTempFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/qxscan_test_XXXXXX";
    if (mkdtemp(pattern.data()))
        m_path = pattern;
}

CTempFolder::~CTempFolder()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}
