#pragma once

#include "render/text_format.h"

// What the checker needs of the system beyond the portable code.

// The power status as the program reads it; false where there is no such
// query (then --power must say it).
bool readSystemPower(PowerReading& power);

// True when the checker was started on a console of its own, reading from
// it: a double-click from Explorer, whose window would close at once.
bool ownsItsConsole();
void waitForKey();

// Closing the console window ends the checker with status 0, as Ctrl-C
// ends --watch.
void endWithZeroWhenConsoleCloses();

// Lets text in UTF-8 show as such on a Windows console; restores the
// console's own setting when the object goes.
class Utf8Output {
public:
    Utf8Output();
    ~Utf8Output();
    Utf8Output(const Utf8Output&) = delete;
    Utf8Output& operator=(const Utf8Output&) = delete;

private:
    [[maybe_unused]] unsigned int previous = 0;
};
