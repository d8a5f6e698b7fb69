#include "config/ini_reader.h"

#include <fstream>

std::string trim(const std::string& text)
{
    const char* blanks = " \t";
    const std::string::size_type first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const std::string::size_type last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool readIniStream(std::istream& in, IniData& store)
{
    std::string section;
    std::string line;
    bool firstLine = true;
    while (std::getline(in, line)) {
        // A UTF-8 byte-order mark would otherwise hide the first header.
        if (firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        firstLine = false;

        line = trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[' && line[line.size() - 1] == ']' && line.size() >= 2) {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::string::size_type equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        store[section][trim(line.substr(0, equals))] = trim(line.substr(equals + 1));
    }
    return !in.bad();
}

IniData IniReader::read(const std::string& filePath)
{
    IniData store;
    store["return"]["failed"] = "true";
    path = filePath;

    std::ifstream file(filePath.c_str());
    if (!file.is_open())
        return store;
    const bool complete = readIniStream(file, store);
    file.close();

    store["return"]["failed"] = complete ? "false" : "true";
    return store;
}
