#pragma once

#include "check/findings.h"
#include "check/machine_facts.h"

#include <string>
#include <vector>

// What the facts mean for the strip: a finding for each thing a user would
// see go wrong (or blurred, or not follow the Windows zone), in plain words
// with what to do.
std::vector<Finding> machineFindings(const MachineFacts& facts);

// What is worth knowing but wrong with nothing: a login entry that starts
// another copy of Halvesta.
std::vector<std::string> machineNotes(const MachineFacts& facts);

// Scaling in percent of 96 dots per inch, rounded.
int scalingPercent(int dpi);
