#pragma once

#include "check/findings.h"
#include "check/machine_facts.h"

#include <string>

// The settings file of `folder` checked as always, then the folder and the
// machine as the program started there would find them.
CheckResult doctorCheck(const std::string& folder);

// A file of the folder, as the program opens it there.
std::string inFolder(const std::string& folder, const char* file);

// The folder that holds this tool.
std::string ownFolder();

// What the folder holds, the same on every platform.
MachineFacts folderFacts(const std::string& folder);

// The folder's facts and, on Windows, the machine's.
MachineFacts gatherMachineFacts(const std::string& folder);
