#include "compressed_block.h"

#include <QtEndian>
#include <libdeflate.h>
#include <memory>

namespace cfgfile {

namespace {

// Level 6 compresses the images as tightly as zlib at its best level, for an
// empty show as for a full one, in a sixth of zlib's time; libdeflate's
// higher levels cost twice the time for a few bytes and are larger on an
// empty image.
constexpr int COMPRESSION_LEVEL = 6;
constexpr int LENGTH_BYTES = 4;

struct compressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
struct decompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

} // namespace

QByteArray compressBlock(const void* data, qsizetype size)
{
    if (size < 0 || quint64(size) > 0xFFFFFFFFu)
        return QByteArray();
    const std::unique_ptr<libdeflate_compressor, compressorFree> compressor(
        libdeflate_alloc_compressor(COMPRESSION_LEVEL));
    if (!compressor)
        return QByteArray();
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), size_t(size));
    QByteArray block;
    block.resize(qsizetype(LENGTH_BYTES + bound));
    if (block.size() != qsizetype(LENGTH_BYTES + bound))
        return QByteArray();
    qToBigEndian<uint32_t>(uint32_t(size), block.data());
    const size_t written =
        libdeflate_zlib_compress(compressor.get(), data, size_t(size), block.data() + LENGTH_BYTES, bound);
    if (written == 0)
        return QByteArray();
    block.truncate(qsizetype(LENGTH_BYTES + written));
    return block;
}

uint32_t announcedLength(const char* block, qint64 blockSize)
{
    return blockSize < LENGTH_BYTES ? 0 : qFromBigEndian<uint32_t>(block);
}

bool inflateBlock(const char* block, qint64 blockSize, void* out, uint32_t size)
{
    if (announcedLength(block, blockSize) != size || size == 0)
        return false;
    const std::unique_ptr<libdeflate_decompressor, decompressorFree> decompressor(libdeflate_alloc_decompressor());
    if (!decompressor)
        return false;
    // Without a place for the decoded length, libdeflate fails a stream that
    // decodes to fewer or to more bytes than the room given.
    return libdeflate_zlib_decompress(decompressor.get(), block + LENGTH_BYTES, size_t(blockSize - LENGTH_BYTES),
                                      out, size, nullptr)
           == LIBDEFLATE_SUCCESS;
}

QByteArray inflateBlock(const char* block, qint64 blockSize, uint32_t maxSize)
{
    const uint32_t size = announcedLength(block, blockSize);
    if (size == 0 || size > maxSize)
        return QByteArray();
    QByteArray data;
    data.resize(qsizetype(size));
    if (data.size() != qsizetype(size) || !inflateBlock(block, blockSize, data.data(), size))
        return QByteArray();
    return data;
}

} // namespace cfgfile
