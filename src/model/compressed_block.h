#pragma once

#include <QByteArray>
#include <cstdint>

// The compressed blocks of configuration files and of the stored project
// description: the uncompressed length as a 32-bit big-endian number, then a
// zlib stream. It is the frame qCompress writes and qUncompress reads, so
// every reader of the format reads these blocks unchanged; libdeflate makes
// and reads them several times faster than zlib.

namespace cfgfile {

// The block of `size` bytes from `data`; an empty array when memory ran out.
QByteArray compressBlock(const void* data, qsizetype size);

// The length a block announces; 0 for a block too short to hold one.
uint32_t announcedLength(const char* block, qint64 blockSize);

// Inflates a block into `out`, which holds `size` bytes: true only when the
// block announces `size` and its stream decodes to exactly that many bytes
// (bytes after the end of the stream are not read). On false `out` may have
// been written in part.
bool inflateBlock(const char* block, qint64 blockSize, void* out, uint32_t size);

// The block inflated into a new array of the length it announces, which must
// lie in 1..maxSize; a null array otherwise or when the stream is damaged.
QByteArray inflateBlock(const char* block, qint64 blockSize, uint32_t maxSize);

} // namespace cfgfile
