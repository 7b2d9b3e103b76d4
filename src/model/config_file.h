#pragma once

#include "compressed_block.h"
#include "config_image.h"

#include <QByteArray>
#include <QtEndian>
#include <cstdint>

// Configuration files. Every format but the oldest starts with a line that
// names it; the current and the old-style (v3) format share one frame:
//
//   text header     H bytes, H a multiple of 16, ended by its only zero byte
//   fileBlockRecord 16 bytes at H
//   compressed      the image as a compressed block (compressed_block.h) at
//                   dataOffset (H + 16)
//   padding         zero bytes up to a multiple of 16
//   project XML     at textOffset: UTF-8 text and one line feed (files
//                   written elsewhere may hold Latin-1 or a Windows code page)
//
// The v2 format (read only) is a text header ended by a zero byte, the
// compressed old-style image with optional description blocks, and a u16
// checksum over everything before it.

namespace cfgfile {

constexpr char MAGIC_CURRENT[] = "Kv310+CFG";
constexpr char MAGIC_CURRENT_SV[] = "SV310+CFG";
constexpr char MAGIC_CURRENT_MVS[] = "M-VS-0207CFG";
constexpr char MAGIC_OLD_STYLE[] = "Kv310v3CFG";
constexpr char MAGIC_V2[] = "Kv310v2CFG";
constexpr char MAGIC_V1[] = "Kv310CFG";

constexpr char RELEASE[] = "4.0.1.39";
constexpr char DATE_FORMAT[] = "dd.MM.yyyy hh:mm.ss";

// The header and the record lie within the first bytes of a file.
constexpr int HEADER_LIMIT = 512;
constexpr int MAX_HEADER_SIZE = HEADER_LIMIT - 16;
constexpr int RECORD_SIZE = 16;
constexpr uint8_t HEADER_FILL = 0x1A;

// Image bytes carried by each format.
constexpr uint32_t CURRENT_IMAGE_SIZE = img::STORED_SIZE;
constexpr uint32_t OLD_IMAGE_SIZE = 0x200000;

// v2: what is read of the file, and the decompressed sizes that tell which
// description blocks follow the old-style image.
constexpr qint64 V2_READ_LIMIT = 0x260F00;
constexpr int V2_TEXT_BLOCK = 100;
constexpr uint32_t V2_SIZE_IMAGE = 0x200000;
constexpr uint32_t V2_SIZE_SCENES_PROGRAMS = 0x257800;
constexpr uint32_t V2_SIZE_SEQUENCES = 0x25AA00;
constexpr uint32_t V2_SIZE_MASKS = 0x260E00;
constexpr int V2_SCENE_TEXTS = 3072;

// The 16 bytes after the text header.
struct fileBlockRecord {
    uint16_t dataOffset = 0;  // offset of the compressed block (H + 16)
    uint16_t checksum = 0;    // qChecksum over the compressed block
    uint32_t dataSize = 0;    // bytes of the compressed block
    uint32_t textOffset = 0;  // offset of the project XML, a multiple of 16
    uint32_t textLength = 0;  // characters of the project XML: fewer in the file means it was cut

    static fileBlockRecord read(const uint8_t* p)
    {
        return {qFromLittleEndian<uint16_t>(p), qFromLittleEndian<uint16_t>(p + 2),
                qFromLittleEndian<uint32_t>(p + 4), qFromLittleEndian<uint32_t>(p + 8),
                qFromLittleEndian<uint32_t>(p + 12)};
    }
    void write(uint8_t* p) const
    {
        qToLittleEndian<uint16_t>(dataOffset, p);
        qToLittleEndian<uint16_t>(checksum, p + 2);
        qToLittleEndian<uint32_t>(dataSize, p + 4);
        qToLittleEndian<uint32_t>(textOffset, p + 8);
        qToLittleEndian<uint32_t>(textLength, p + 12);
    }
};

// Program start addresses of the old layout lie this far below ours.
constexpr uint32_t OLD_STEP_ADDRESS_SHIFT = 0x5E80000;

// The old-style image (OLD_IMAGE_SIZE bytes) made from the image: all 0xFF
// but the regions the old layout has, with its coupled-scene entries and
// program start addresses.
void buildOldStyleImage(const uint8_t* image, uint8_t* old);
// The regions of an old-style image copied into the image, converted back.
void takeOldStyleImage(const uint8_t* old, uint8_t* image);

// The file checksum: the CRC that qChecksum computes (ISO 3309, the Qt 4
// result), the same value for every input, several times faster over the
// megabytes of a compressed image.
uint16_t checksum(const char* data, qsizetype size);
inline uint16_t checksum(const QByteArray& data)
{
    return checksum(data.constData(), data.size());
}

} // namespace cfgfile
