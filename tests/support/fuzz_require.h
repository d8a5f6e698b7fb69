#pragma once

#include <cstdlib>

// A fuzz target's assertion: libFuzzer reports the abort with the input.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}
