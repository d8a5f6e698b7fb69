#include "check/machine_paths.h"

#include "program_files.h"

#include <cctype>

namespace {

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string normalFolder(const std::string& folder)
{
    std::string text = lowerAscii(folder);
    for (char& c : text)
        if (c == '/')
            c = '\\';
    // "C:\" keeps its slash: "C:" alone means that drive's current folder.
    while (text.size() > 1 && text.back() == '\\' && !(text.size() == 3 && text[1] == ':'))
        text.pop_back();
    return text;
}

} // namespace

std::string commandProgram(const std::string& command)
{
    const std::size_t start = command.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    if (command[start] == '"') {
        const std::size_t end = command.find('"', start + 1);
        return command.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    }
    const std::string lower = lowerAscii(command);
    for (std::size_t at = lower.find(".exe", start); at != std::string::npos; at = lower.find(".exe", at + 1)) {
        const std::size_t end = at + 4;
        if (end == command.size() || command[end] == ' ' || command[end] == '\t')
            return command.substr(start, end - start);
    }
    return command.substr(start, command.find_first_of(" \t", start) - start);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return std::string();
    const bool driveRoot = slash == 2 && path[1] == ':';
    return path.substr(0, driveRoot ? 3 : slash);
}

bool namesProgram(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/:");
    return lowerAscii(slash == std::string::npos ? path : path.substr(slash + 1)) == kProgramFile;
}

bool sameFolder(const std::string& a, const std::string& b)
{
    return normalFolder(a) == normalFolder(b);
}
