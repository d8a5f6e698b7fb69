#include "config/ini_reader.h"

#include <istream>

// Kept apart from the file reader so the program itself never links the
// stream library.
bool readIniStream(std::istream& in, IniData& store)
{
    IniParser parser(store);
    char block[4096];
    while (in.read(block, sizeof block) || in.gcount() > 0)
        parser.feed(block, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return false;
    parser.finish();
    return true;
}
