#pragma once

namespace pictaven {

// For as long as it lives, memory the program frees stays in its heap for the next photo.
// Decoding a large progressive JPEG takes tens of megabytes, which glibc would otherwise give
// back to the system after every photo, so that the next one pays again for every page to be
// mapped and cleared. At the end the free memory goes back to the system. One at a time.
class HeapReuse {
public:
    HeapReuse();
    ~HeapReuse();
    HeapReuse(const HeapReuse&) = delete;
    HeapReuse& operator=(const HeapReuse&) = delete;
};

} // namespace pictaven
