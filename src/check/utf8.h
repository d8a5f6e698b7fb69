#pragma once

#include <cstddef>
#include <string>

// Length of the well-formed UTF-8 sequence that starts at `at` (1 to 4
// bytes; no overlong forms, surrogates or code points past U+10FFFF), or 0
// when the byte there starts none.
std::size_t utf8SequenceAt(const std::string& text, std::size_t at);
