#include "framework/core/heap.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <utility>

namespace {

// Freed memory the heap keeps for the next list and document before it hands any back.
constexpr int kKeptBytes = 64 << 20;

std::function<void()> releaseSeam;

} // namespace

void ConfigureHeap()
{
#if defined(__GLIBC__)
    // A long list and the text widget's document are blocks of megabytes that each calculation
    // frees and makes anew. Kept in the heap, up to 64 MiB, they are not handed back to the
    // system page by page at each free and faulted in again at the next use.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, kKeptBytes);
#endif
}

void ReleaseFreeMemory()
{
    if (releaseSeam) {
        releaseSeam();
        return;
    }
#if defined(__GLIBC__)
    // Up to what the heap keeps, freed memory stays for the next list, as the thresholds mean;
    // beyond it, every free page goes back, wherever in the heap it lies.
    if (mallinfo2().fordblks > static_cast<size_t>(kKeptBytes))
        malloc_trim(0);
#endif
}

void SetReleaseFreeMemoryForTesting(std::function<void()> release) { releaseSeam = std::move(release); }
