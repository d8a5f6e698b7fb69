#pragma once

#include <cstddef>

// While not 0, every allocation of this many bytes or more fails with
// std::bad_alloc, as it would for a file too large to hold in memory.
void setAllocationLimit(std::size_t bytes);
