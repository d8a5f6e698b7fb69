#pragma once

#include <string>
#include <unordered_map>

// Section name -> key -> value, all plain byte strings compared exactly.
// operator[] inserts missing sections and keys as empty strings, which the
// settings loader relies on.
using IniSection = std::unordered_map<std::string, std::string>;
using IniData = std::unordered_map<std::string, IniSection>;
