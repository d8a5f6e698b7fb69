#include "scratch_prefix.h"

#include "e2e_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

// wineserver itself, not a program under wine.
void runWineserver(const std::string& prefix, const char* option)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("WINEPREFIX", prefix.c_str(), 1);
        execlp("wineserver", "wineserver", option, static_cast<char*>(nullptr));
        _exit(127);
    }
    ChildProcess child{pid};
    waitForExit(child, std::chrono::seconds(20));
}

} // namespace

// A copy costs about a second where a new prefix takes half a minute.
ScratchPrefix::ScratchPrefix()
{
    const std::string warm = requiredEnv("WINEPREFIX");
    folder = makeTempDir("halvesta-prefix");
    if (warm.empty() || folder.empty())
        return;
    std::error_code error;
    std::filesystem::copy(warm, folder + "/prefix",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks,
                          error);
    if (error)
        ADD_FAILURE() << "cannot copy the prefix " << warm << ": " << error.message();
    else
        prefix = folder + "/prefix";
}

ScratchPrefix::~ScratchPrefix()
{
    if (!prefix.empty()) {
        runWineserver(prefix, "-k");
        runWineserver(prefix, "-w");
    }
    if (!folder.empty())
        removeTree(folder);
}

int ScratchPrefix::wine(const std::vector<std::string>& arguments) const
{
    ChildProcess child = startWine(arguments, folder, folder + "/wine.log", {variable()});
    return waitForExit(child, std::chrono::seconds(30));
}
