// Memory hints of Linux.
#include <sys/mman.h>

#include <cstdint>

#include "support/platform.h"

void hint_large_buffer(void* data, std::size_t bytes) {
    // Only whole huge pages can be given; smaller buffers gain nothing.
    constexpr std::uintptr_t huge = std::uintptr_t{2} << 20;
    if (!data || bytes < 2 * huge) return;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + huge - 1) & ~(huge - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(huge - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}
