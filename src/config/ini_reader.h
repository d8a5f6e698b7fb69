#pragma once

#include "config/ini_data.h"
#include "config/utf16_text.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// Strips blanks and tabs only; carriage returns and other white space stay.
std::string trim(const std::string& text);

enum class IniLineKind { Blank, Comment, Header, Entry, Stray };

// One line as the parser took it, for a tool that explains a file to its
// author; the program itself asks for none.
struct IniLine {
    int number = 0; // from 1
    IniLineKind kind = IniLineKind::Blank;
    std::string text;    // as read, without its line feed or a skipped byte-order mark
    std::string section; // a header's name, or the section an entry went to
    std::string key;
    std::string value;
    bool byteOrderMark = false; // a UTF-8 byte-order mark was skipped before it
};
using IniLineReport = std::vector<IniLine>;

// Parses INI text fed in arbitrary pieces: lines end at line feeds, the
// last one needs none. With a report, every line is also appended to it.
class IniParser {
public:
    explicit IniParser(IniData& target, IniLineReport* lineReport = nullptr);
    void feed(const char* bytes, std::size_t count);
    void finish();

private:
    void parseLine();

    IniData& store;
    IniLineReport* report;
    std::string section;
    std::string pending;
    int lineNumber = 0;
};

// Parse a whole file into `store`. False when reading reports an error, so
// the caller can treat the input as unreadable.
bool readIniFile(std::FILE* file, IniData& store, IniLineReport* report = nullptr);
// The same for UTF-16 text in that order, opened in binary mode and read
// from just past its byte-order mark.
bool readUtf16IniFile(std::FILE* file, Utf16Order order, IniData& store, IniLineReport* report = nullptr);

class IniReader {
public:
    // Never fails: store["return"]["failed"] is "true" when the file could
    // not be opened or read, "false" after a complete read. A report, when
    // asked for, is left empty unless the read was complete. A file that
    // begins with a UTF-16 byte-order mark is read as that text; `order`,
    // when asked for, says which (None for any other file).
    IniData read(const std::string& path, IniLineReport* report = nullptr, Utf16Order* order = nullptr);

private:
    std::string path;
};
