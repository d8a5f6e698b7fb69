#pragma once

// Settings text parsed in one piece, as the file reader's parser sees it.

#include "config/ini_reader.h"

#include <string>

inline IniData parseIniText(const std::string& text)
{
    IniData store;
    IniParser parser(store);
    parser.feed(text.data(), text.size());
    parser.finish();
    return store;
}
