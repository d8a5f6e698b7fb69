#pragma once

// A strict reader of JSON text (RFC 8259): one value, nothing after it,
// well-formed UTF-8 throughout, no control characters inside strings,
// \u escapes that pair their surrogates. Used to hold the checker to "one
// valid document for any input".
#include <cstddef>
#include <map>
#include <string>

class JsonValidator {
public:
    static bool valid(const std::string& text)
    {
        JsonValidator reader(text);
        reader.space();
        if (!reader.value())
            return false;
        reader.space();
        return reader.at == text.size();
    }

    // Every value of a valid document as written, by its path: "a.b" for
    // a member, "a.0" for an array's first element. Empty when invalid.
    static std::map<std::string, std::string> values(const std::string& text)
    {
        std::map<std::string, std::string> found;
        JsonValidator reader(text);
        reader.found = &found;
        reader.space();
        const bool whole = reader.value();
        reader.space();
        if (!whole || reader.at != text.size())
            found.clear();
        return found;
    }

private:
    explicit JsonValidator(const std::string& text) : s(text) {}

    bool more() const { return at < s.size(); }
    unsigned char peek() const { return more() ? static_cast<unsigned char>(s[at]) : 0; }
    void space()
    {
        while (more() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++at;
    }
    bool word(const char* expected)
    {
        const std::string w(expected);
        if (s.compare(at, w.size(), w) != 0)
            return false;
        at += w.size();
        return true;
    }
    bool value()
    {
        if (++depth > 64)
            return false;
        const std::size_t start = at;
        bool ok;
        switch (peek()) {
        case '{':
            ok = members('}', true);
            break;
        case '[':
            ok = members(']', false);
            break;
        case '"':
            ok = string();
            break;
        case 't':
            ok = word("true");
            break;
        case 'f':
            ok = word("false");
            break;
        case 'n':
            ok = word("null");
            break;
        default:
            ok = number();
        }
        if (ok && found)
            (*found)[path] = s.substr(start, at - start);
        --depth;
        return ok;
    }
    bool members(char close, bool named)
    {
        ++at;
        space();
        if (peek() == static_cast<unsigned char>(close)) {
            ++at;
            return true;
        }
        const std::string outer = path;
        for (int index = 0;; ++index) {
            space();
            path = outer + (outer.empty() ? "" : ".") + std::to_string(index);
            if (named) {
                const std::size_t name = at + 1;
                if (peek() != '"' || !string())
                    return false;
                path = outer + (outer.empty() ? "" : ".") + s.substr(name, at - 1 - name);
                space();
                if (peek() != ':')
                    return false;
                ++at;
                space();
            }
            if (!value())
                return false;
            path = outer;
            space();
            if (peek() == ',') {
                ++at;
                continue;
            }
            if (peek() != static_cast<unsigned char>(close))
                return false;
            ++at;
            return true;
        }
    }
    bool digits()
    {
        const std::size_t start = at;
        while (peek() >= '0' && peek() <= '9')
            ++at;
        return at > start;
    }
    bool number()
    {
        if (peek() == '-')
            ++at;
        if (peek() == '0')
            ++at;
        else if (!digits())
            return false;
        if (peek() == '.') {
            ++at;
            if (!digits())
                return false;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++at;
            if (peek() == '+' || peek() == '-')
                ++at;
            if (!digits())
                return false;
        }
        return true;
    }
    bool hex4(unsigned& code)
    {
        code = 0;
        for (int i = 0; i < 4; ++i, ++at) {
            const unsigned char c = peek();
            const int digit = c >= '0' && c <= '9' ? c - '0'
                : c >= 'a' && c <= 'f'             ? c - 'a' + 10
                : c >= 'A' && c <= 'F'             ? c - 'A' + 10
                                                   : -1;
            if (digit < 0)
                return false;
            code = code * 16 + static_cast<unsigned>(digit);
        }
        return true;
    }
    bool string()
    {
        ++at;
        while (more()) {
            const unsigned char c = peek();
            if (c == '"') {
                ++at;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                ++at;
                const unsigned char e = peek();
                ++at;
                if (e == 'u') {
                    unsigned code;
                    if (!hex4(code))
                        return false;
                    if (code >= 0xDC00 && code <= 0xDFFF)
                        return false;
                    if (code >= 0xD800 && code <= 0xDBFF) {
                        unsigned low;
                        if (!word("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF)
                            return false;
                    }
                } else if (std::string("\"\\/bfnrt").find(static_cast<char>(e)) == std::string::npos || e == 0) {
                    return false;
                }
                continue;
            }
            if (!utf8())
                return false;
        }
        return false;
    }
    bool utf8()
    {
        const unsigned char lead = peek();
        std::size_t length = lead < 0x80   ? 1
            : lead >= 0xC2 && lead <= 0xDF ? 2
            : lead >= 0xE0 && lead <= 0xEF ? 3
            : lead >= 0xF0 && lead <= 0xF4 ? 4
                                           : 0;
        if (length == 0 || s.size() - at < length)
            return false;
        const unsigned char second = static_cast<unsigned char>(s[at + 1 < s.size() ? at + 1 : at]);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90)
            || (lead == 0xF4 && second > 0x8F))
            return false;
        for (std::size_t i = 1; i < length; ++i) {
            const unsigned char c = static_cast<unsigned char>(s[at + i]);
            if (c < 0x80 || c > 0xBF)
                return false;
        }
        at += length;
        return true;
    }

    const std::string& s;
    std::size_t at = 0;
    int depth = 0;
    std::map<std::string, std::string>* found = nullptr;
    std::string path;
};
