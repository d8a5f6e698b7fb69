#include "config/ini_reader.h"

#include <cstdio>
#include <cstring>
#include <new>

std::string trim(const std::string& text)
{
    const char* blanks = " \t";
    const std::string::size_type first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const std::string::size_type last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

IniParser::IniParser(IniData& target) : store(target) {}

void IniParser::feed(const char* bytes, std::size_t count)
{
    const char* end = bytes + count;
    while (bytes != end) {
        const char* lineFeed =
            static_cast<const char*>(std::memchr(bytes, '\n', static_cast<std::size_t>(end - bytes)));
        if (!lineFeed) {
            pending.append(bytes, end);
            return;
        }
        pending.append(bytes, lineFeed);
        parseLine();
        bytes = lineFeed + 1;
    }
}

void IniParser::finish()
{
    if (!pending.empty())
        parseLine();
}

void IniParser::parseLine()
{
    // A UTF-8 byte-order mark would otherwise hide the first header.
    if (atStart && pending.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pending.erase(0, 3);
    atStart = false;

    const std::string line = trim(pending);
    pending.clear();
    if (line.empty() || line[0] == ';' || line[0] == '#')
        return;
    if (line[0] == '[' && line[line.size() - 1] == ']' && line.size() >= 2) {
        section = line.substr(1, line.size() - 2);
        return;
    }
    const std::string::size_type equals = line.find('=');
    if (equals == std::string::npos)
        return;
    store[section][trim(line.substr(0, equals))] = trim(line.substr(equals + 1));
}

bool readIniFile(std::FILE* file, IniData& store)
{
    IniParser parser(store);
    char block[4096];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0)
        parser.feed(block, count);
    if (std::ferror(file))
        return false;
    parser.finish();
    return true;
}

IniData IniReader::read(const std::string& filePath)
{
    IniData store;
    store["return"]["failed"] = "true";
    path = filePath;

    // Text mode: the runtime turns CR LF into LF where the platform does so.
    std::FILE* file = std::fopen(filePath.c_str(), "r");
    if (!file)
        return store;
    bool complete = false;
    try {
        complete = readIniFile(file, store);
    } catch (const std::bad_alloc&) {
        // A file too large to hold is no reason to end the program.
    }
    std::fclose(file);

    if (!complete) {
        // As for a file that cannot be opened: the status entry alone.
        store = IniData();
        store["return"]["failed"] = "true";
        return store;
    }
    store["return"]["failed"] = "false";
    return store;
}
