#include "generate/HeapReuse.h"

#include <cstdlib> // says whether the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pictaven {

#if defined(__GLIBC__)

namespace {

constexpr int MiB = 1024 * 1024;

} // namespace

HeapReuse::HeapReuse()
{
    // Blocks of any picture's size come from the heap, and free memory is never trimmed. Some
    // versions of glibc refuse a threshold above 32 MB.
    if (mallopt(M_MMAP_THRESHOLD, 1024 * MiB) == 0)
        mallopt(M_MMAP_THRESHOLD, 32 * MiB);
    mallopt(M_TRIM_THRESHOLD, 2047 * MiB);
}

HeapReuse::~HeapReuse()
{
    // The limits glibc's own adjustment reaches once large blocks have been freed.
    mallopt(M_MMAP_THRESHOLD, 32 * MiB);
    mallopt(M_TRIM_THRESHOLD, 64 * MiB);
    malloc_trim(0);
}

#else

HeapReuse::HeapReuse() = default;
HeapReuse::~HeapReuse() = default;

#endif

} // namespace pictaven
