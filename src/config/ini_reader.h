#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <unordered_map>

// Section name -> key -> value, all plain byte strings compared exactly.
// operator[] inserts missing sections and keys as empty strings, which the
// settings loader relies on.
using IniSection = std::unordered_map<std::string, std::string>;
using IniData = std::unordered_map<std::string, IniSection>;

// Strips blanks and tabs only; carriage returns and other white space stay.
std::string trim(const std::string& text);

// Parses INI text fed in arbitrary pieces: lines end at line feeds, the
// last one needs none.
class IniParser {
public:
    explicit IniParser(IniData& target);
    void feed(const char* bytes, std::size_t count);
    void finish();

private:
    void parseLine();

    IniData& store;
    std::string section;
    std::string pending;
    bool atStart = true;
};

// Parse a whole file into `store`. False when reading reports an error, so
// the caller can treat the input as unreadable.
bool readIniFile(std::FILE* file, IniData& store);

class IniReader {
public:
    // Never fails: store["return"]["failed"] is "true" when the file could
    // not be opened or read, "false" after a complete read.
    IniData read(const std::string& path);

private:
    std::string path;
};
