#pragma once

#include "test_files.h"

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// Paths and helpers shared by the end-to-end tests.
std::string requiredEnv(const char* name);
std::string makeTempDir(const std::string& prefix);
void removeTree(const std::string& path);
void copyTree(const std::string& from, const std::string& to);
std::string windowsPath(const std::string& unixPath);
void sleepMs(int milliseconds);

// A child process: wine with arguments, in a working directory, with
// NAME=VALUE entries added to the environment; a bare NAME removes it.
struct ChildProcess {
    pid_t pid = -1;
};
ChildProcess startWine(const std::vector<std::string>& arguments, const std::string& workingDirectory,
                       const std::string& logPath, const std::vector<std::string>& environment = {});
// Exit status, or -1 when it did not end in time (it is then killed).
int waitForExit(ChildProcess& child, std::chrono::milliseconds limit);
bool hasExited(ChildProcess& child, int& status);
