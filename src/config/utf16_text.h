#pragma once

#include <cstddef>
#include <string>

enum class Utf16Order { None, LittleEndian, BigEndian };

// The byte order that a UTF-16 byte-order mark at the start of `bytes`
// names, or None when they begin with no such mark.
Utf16Order utf16OrderOfMark(const char* bytes, std::size_t count);

// UTF-16 text in the given order (its mark already skipped) as UTF-8, with
// CR LF taken as LF, as text mode reads other files. An unpaired surrogate
// becomes U+FFFD and an odd last byte is dropped.
std::string utf16ToUtf8(const char* bytes, std::size_t count, Utf16Order order);
