#pragma once

#include "check/machine_facts.h"

#include <string>
#include <vector>

// For people: one line per fact, then the notes.
std::string machineSection(const MachineFacts& facts, const std::vector<std::string>& notes);

// For scripts: the "machine" object, indented to sit in the report.
std::string machineJson(const MachineFacts& facts);
