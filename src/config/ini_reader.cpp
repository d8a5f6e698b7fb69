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

IniParser::IniParser(IniData& target, IniLineReport* lineReport) : store(target), report(lineReport) {}

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
    ++lineNumber;
    // A UTF-8 byte-order mark would otherwise hide the first header.
    const bool byteOrderMark = lineNumber == 1 && pending.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (byteOrderMark)
        pending.erase(0, 3);

    IniLine* seen = nullptr;
    if (report) {
        report->push_back(IniLine());
        seen = &report->back();
        seen->number = lineNumber;
        seen->text = pending;
        seen->byteOrderMark = byteOrderMark;
    }

    const std::string line = trim(pending);
    pending.clear();
    if (line.empty() || line[0] == ';' || line[0] == '#') {
        if (seen)
            seen->kind = line.empty() ? IniLineKind::Blank : IniLineKind::Comment;
        return;
    }
    if (line[0] == '[' && line[line.size() - 1] == ']' && line.size() >= 2) {
        section = line.substr(1, line.size() - 2);
        if (seen) {
            seen->kind = IniLineKind::Header;
            seen->section = section;
        }
        return;
    }
    const std::string::size_type equals = line.find('=');
    if (equals == std::string::npos) {
        if (seen)
            seen->kind = IniLineKind::Stray;
        return;
    }
    std::string key = trim(line.substr(0, equals));
    std::string value = trim(line.substr(equals + 1));
    if (seen) {
        seen->kind = IniLineKind::Entry;
        seen->section = section;
        seen->key = key;
        seen->value = value;
    }
    store[section][std::move(key)] = std::move(value);
}

namespace {

// Hands the rest of the file to `take` block by block; false on a read error.
template <typename Take>
bool readBlocks(std::FILE* file, Take take)
{
    char block[4096];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0)
        take(block, count);
    return !std::ferror(file);
}

} // namespace

bool readIniFile(std::FILE* file, IniData& store, IniLineReport* report)
{
    IniParser parser(store, report);
    if (!readBlocks(file, [&](const char* bytes, std::size_t count) { parser.feed(bytes, count); }))
        return false;
    parser.finish();
    return true;
}

bool readUtf16IniFile(std::FILE* file, Utf16Order order, IniData& store, IniLineReport* report)
{
    std::string bytes;
    if (!readBlocks(file, [&](const char* block, std::size_t count) { bytes.append(block, count); }))
        return false;
    const std::string text = utf16ToUtf8(bytes.data(), bytes.size(), order);
    IniParser parser(store, report);
    parser.feed(text.data(), text.size());
    parser.finish();
    return true;
}

namespace {

// The order a UTF-16 mark at the start of the file names; the stream is
// left at its start. False when even that cannot be read.
bool peekUtf16Order(std::FILE* file, Utf16Order& order)
{
    char mark[2];
    const std::size_t count = std::fread(mark, 1, sizeof mark, file);
    if (std::ferror(file))
        return false;
    order = utf16OrderOfMark(mark, count);
    std::rewind(file);
    return true;
}

// What a file that cannot be opened or read wholly gives: the status entry
// alone, so nothing half-read is ever used.
IniData unreadableStore()
{
    IniData store;
    store["return"]["failed"] = "true";
    return store;
}

} // namespace

IniData IniReader::read(const std::string& filePath, IniLineReport* report, Utf16Order* order)
{
    if (report)
        report->clear();
    if (order)
        *order = Utf16Order::None;
    path = filePath;

    // Text mode: the runtime turns CR LF into LF where the platform does so.
    std::FILE* file = std::fopen(filePath.c_str(), "r");
    if (!file)
        return unreadableStore();
    IniData store;
    bool complete = false;
    Utf16Order utf16 = Utf16Order::None;
    if (!peekUtf16Order(file, utf16)) {
        std::fclose(file);
        file = nullptr;
    } else if (utf16 != Utf16Order::None) {
        // Text mode would mangle UTF-16's bytes.
        std::fclose(file);
        file = std::fopen(filePath.c_str(), "rb");
        if (file && std::fseek(file, 2, SEEK_SET) != 0) {
            std::fclose(file);
            file = nullptr;
        }
    }
    if (file) {
        try {
            complete = utf16 == Utf16Order::None ? readIniFile(file, store, report)
                                                 : readUtf16IniFile(file, utf16, store, report);
        } catch (const std::bad_alloc&) {
            // A file too large to hold is no reason to end the program.
        }
        std::fclose(file);
    }

    if (!complete) {
        if (report)
            IniLineReport().swap(*report);
        return unreadableStore();
    }
    if (order)
        *order = utf16;
    store["return"]["failed"] = "false";
    return store;
}
