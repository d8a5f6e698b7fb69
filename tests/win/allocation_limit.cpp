// The test binary's own global operator new. A unit of its own: where the
// replacement is visible, GCC inlines it and then mistakes its free() for a
// mismatch.
#include "allocation_limit.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> failAllocationsFrom{0};

} // namespace

void setAllocationLimit(std::size_t bytes)
{
    failAllocationsFrom = bytes;
}

void* operator new(std::size_t size)
{
    const std::size_t limit = failAllocationsFrom.load();
    if (limit != 0 && size >= limit)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
