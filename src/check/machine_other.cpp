#include "check/doctor.h"
#include "check/machine_paths.h"

#include <climits>
#include <unistd.h>

std::string ownFolder()
{
    char path[PATH_MAX];
    const ssize_t size = readlink("/proc/self/exe", path, sizeof path - 1);
    if (size <= 0)
        return ".";
    return folderOf(std::string(path, static_cast<std::size_t>(size)));
}

MachineFacts gatherMachineFacts(const std::string& folder)
{
    return folderFacts(folder);
}
