#include "model/huge_pages.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace hugePages {

#if defined(__linux__) && defined(MADV_HUGEPAGE)

namespace {
constexpr uintptr_t SMALL_PAGE = 4096;
constexpr size_t HUGE_PAGE = size_t(2) << 20;
}  // namespace

void advise(void* data, size_t size)
{
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + SMALL_PAGE - 1) & ~(SMALL_PAGE - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(SMALL_PAGE - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// munmap takes whole small pages; a length cut inside one would leave the
// tail of the mapping behind.
static size_t wholePages(size_t size)
{
    return (size + SMALL_PAGE - 1) & ~size_t(SMALL_PAGE - 1);
}

uint8_t* allocate(size_t size)
{
    size = wholePages(size);
    const size_t length = size + HUGE_PAGE;
    void* mapped = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    auto* const start = static_cast<uint8_t*>(mapped);
    const size_t lead = (HUGE_PAGE - reinterpret_cast<uintptr_t>(start) % HUGE_PAGE) % HUGE_PAGE;
    // Only the aligned part stays mapped.
    if (lead)
        munmap(start, lead);
    if (HUGE_PAGE - lead)
        munmap(start + lead + size, HUGE_PAGE - lead);
    advise(start + lead, size);
    return start + lead;
}

void release(uint8_t* data, size_t size)
{
    if (data)
        munmap(data, wholePages(size));
}

#else

void advise(void*, size_t) {}

uint8_t* allocate(size_t size)
{
    return static_cast<uint8_t*>(std::calloc(size, 1));
}

void release(uint8_t* data, size_t)
{
    std::free(data);
}

#endif

}  // namespace hugePages
