#include "e2e_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

std::string requiredEnv(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value) {
        ADD_FAILURE() << "environment variable " << name << " is not set";
        return std::string();
    }
    return value;
}

std::string makeTempDir(const std::string& prefix)
{
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const char* made = mkdtemp(buffer.data());
    return made ? std::string(made) : std::string();
}

void removeTree(const std::string& path)
{
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

void copyTree(const std::string& from, const std::string& to)
{
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string windowsPath(const std::string& unixPath)
{
    std::string out = "Z:";
    for (const char c : fs::absolute(unixPath).string())
        out += c == '/' ? '\\' : c;
    return out;
}

void sleepMs(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

ChildProcess startWine(const std::vector<std::string>& arguments, const std::string& workingDirectory,
                       const std::string& logPath, const std::vector<std::string>& environment)
{
    ChildProcess child;
    child.pid = fork();
    if (child.pid == 0) {
        if (chdir(workingDirectory.c_str()) != 0)
            _exit(127);
        for (const std::string& entry : environment)
            if (entry.find('=') == std::string::npos)
                unsetenv(entry.c_str());
            else
                putenv(const_cast<char*>(entry.c_str()));
        const int devNull = open("/dev/null", O_RDONLY);
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (devNull >= 0)
            dup2(devNull, 0);
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
        }
        std::vector<char*> argv;
        static char wine[] = "wine";
        argv.push_back(wine);
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp("wine", argv.data());
        _exit(127);
    }
    return child;
}

bool hasExited(ChildProcess& child, int& status)
{
    if (child.pid <= 0)
        return true;
    int raw = 0;
    if (waitpid(child.pid, &raw, WNOHANG) != child.pid)
        return false;
    child.pid = -1;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
}

int waitForExit(ChildProcess& child, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = -1;
    while (std::chrono::steady_clock::now() < deadline) {
        if (hasExited(child, status))
            return status;
        sleepMs(50);
    }
    if (child.pid > 0) {
        kill(child.pid, SIGKILL);
        int raw = 0;
        waitpid(child.pid, &raw, 0);
        child.pid = -1;
    }
    return -1;
}
