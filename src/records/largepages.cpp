#include "records/largepages.h"

#include <cstdint>
#include <cstdlib>

#include <sys/mman.h>

namespace vorlane {

void AdviseLargePages(const void *data, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr std::size_t kWorthIt = std::size_t(4) << 20;
    constexpr std::uintptr_t kPage = 4096;
    if (!data || bytes < kWorthIt)
        return;
    const auto from = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    // Only advice: where it is refused, the pages come as before.
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

void *AllocateLarge(std::size_t bytes)
{
    constexpr std::size_t kLarge = std::size_t(2) << 20;
    void *p = nullptr;
    if (bytes >= kLarge / 2) {
        const std::size_t rounded = (bytes + kLarge - 1) / kLarge * kLarge;
        p = std::aligned_alloc(kLarge, rounded);
#ifdef MADV_HUGEPAGE
        if (p)
            ::madvise(p, rounded, MADV_HUGEPAGE);
#endif
    } else {
        p = std::malloc(bytes ? bytes : 1);
    }
    if (!p)
        throw std::bad_alloc();
    return p;
}

void FreeLarge(void *p) noexcept
{
    std::free(p);
}

} // namespace vorlane
