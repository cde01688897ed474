#include "records/largepages.h"

#include <cstdint>
#include <cstdlib>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

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

void KeepHeapForOneJob(std::size_t bytes)
{
#if defined(M_TOP_PAD) && defined(M_TRIM_THRESHOLD) && defined(M_MMAP_THRESHOLD)
    constexpr int kLargestHeapBlock = 32 << 20;  // the most malloc takes for its threshold
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, int(bytes) * 4);
    mallopt(M_TOP_PAD, int(bytes));
    // Grow the heap once now and advise the whole new top for 2 MB pages; freed, it stays
    // in the heap (the trim threshold above) and is faulted in only as it is used.
    void *first = std::malloc(1 << 20);
    if (!first)
        return;
    const void *top = ::sbrk(0);
    if (top != reinterpret_cast<void *>(-1) && top > first)
        AdviseLargePages(first, std::size_t(static_cast<const char *>(top) - static_cast<const char *>(first)));
    std::free(first);
#else
    (void)bytes;
#endif
}

} // namespace vorlane
