#pragma once

#include <cstddef>
#include <string>

// Length of the well-formed UTF-8 sequence that starts at `at` (1 to 4
// bytes; no overlong forms, surrogates or code points past U+10FFFF), or 0
// when the byte there starts none.
std::size_t utf8SequenceAt(const std::string& text, std::size_t at);

// `text` with each well-formed UTF-8 character kept as it is, except
// control characters, '"' and '\\', which go through escape(byte) as do
// the bytes of anything that is not well-formed UTF-8.
template <typename Escape>
std::string escapedText(const std::string& text, Escape escape)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8SequenceAt(text, i);
        if (length == 0 || byte < 0x20 || byte == 0x7F || byte == '"' || byte == '\\') {
            out += escape(byte);
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return out;
}
