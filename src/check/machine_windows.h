#pragma once

// The machine checks that ask Windows, one concern each.
#include "check/machine_facts.h"

#include <string>
#include <vector>

// The shortcuts in both Startup folders and the Run values that start a
// halvesta.exe; `folder` decides which is this copy. Needs COM.
std::vector<StartEntry> startEntries(const std::string& folder);

// The OpenGL the strip would get, through its own window set-up and font
// loading, on a window of this tool's that is never shown.
GraphicsFacts graphicsFacts(const std::string& atlasPath);
