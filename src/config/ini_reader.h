#pragma once

#include <istream>
#include <string>
#include <unordered_map>

// Section name -> key -> value, all plain byte strings compared exactly.
// operator[] inserts missing sections and keys as empty strings, which the
// settings loader relies on.
using IniSection = std::unordered_map<std::string, std::string>;
using IniData = std::unordered_map<std::string, IniSection>;

// Strips blanks and tabs only; carriage returns and other white space stay.
std::string trim(const std::string& text);

// Parses INI text from a stream into `store`. Returns false when the stream
// reports a read error, so the caller can treat the file as unreadable.
bool readIniStream(std::istream& in, IniData& store);

class IniReader {
public:
    // Never fails: store["return"]["failed"] is "true" when the file could
    // not be opened or read, "false" after a complete read.
    IniData read(const std::string& path);

private:
    std::string path;
};
