// Any bytes as a settings file: the reader must not crash, and what it
// stores must be what the line rules allow.
#include "config/ini_reader.h"
#include "fuzz_require.h"
#include "ini_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool hasOuterBlank(const std::string& text)
{
    if (text.empty())
        return false;
    const char first = text.front();
    const char last = text.back();
    return first == ' ' || first == '\t' || last == ' ' || last == '\t';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::string trimmed = trim(text);
    require(!hasOuterBlank(trimmed));
    require(trim(trimmed) == trimmed);
    require(text.find(trimmed) != std::string::npos);

    const IniData store = parseIniText(text);

    for (const auto& section : store) {
        require(section.first.find('\n') == std::string::npos);
        for (const auto& entry : section.second) {
            require(!hasOuterBlank(entry.first) && !hasOuterBlank(entry.second));
            require(entry.first.find('=') == std::string::npos);
            require(entry.first.find('\n') == std::string::npos);
            require(entry.second.find('\n') == std::string::npos);
            // A key never starts like a comment; the empty key is allowed.
            require(entry.first.empty() || (entry.first[0] != ';' && entry.first[0] != '#'));
        }
    }

    // The same bytes in uneven pieces must give the same store.
    IniData pieces;
    IniParser parser(pieces);
    std::size_t offset = 0;
    std::size_t step = size == 0 ? 1 : 1 + data[0] % 7;
    while (offset < size) {
        const std::size_t count = step < size - offset ? step : size - offset;
        parser.feed(text.data() + offset, count);
        offset += count;
        step = step * 3 % 11 + 1;
    }
    parser.finish();
    require(pieces == store);
    return 0;
}
