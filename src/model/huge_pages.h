#pragma once

#include <cstddef>
#include <cstdint>

// Buffers of megabytes that are filled or read end to end (the
// configuration image, the bytes of a configuration file) pay a page fault
// at the first touch of each small page, milliseconds per megabyte on some
// systems. On Linux they are laid on huge pages where the system offers
// them; elsewhere, and where it has none, nothing changes.
namespace hugePages {

// Asks for huge pages under the whole pages of [data, data + size).
void advise(void* data, size_t size);

// Zeroed memory of `size` bytes that starts on a huge page, or null;
// given back with release().
uint8_t* allocate(size_t size);
void release(uint8_t* data, size_t size);

}  // namespace hugePages
