#include "config_file.h"

#include <array>
#include <cstring>

namespace cfgfile {

namespace {

// CRC-16 as ISO 3309 (HDLC) defines it: reflected polynomial 0x8408, all
// ones before and after. Eight tables let eight bytes pass per step.
constexpr uint16_t POLYNOMIAL = 0x8408;

struct crcTables {
    std::array<std::array<uint16_t, 256>, 8> t{};

    crcTables()
    {
        for (unsigned b = 0; b < 256; ++b) {
            unsigned crc = b;
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1) ? (crc >> 1) ^ POLYNOMIAL : crc >> 1;
            t[0][b] = uint16_t(crc);
        }
        for (size_t k = 1; k < t.size(); ++k)
            for (unsigned b = 0; b < 256; ++b)
                t[k][b] = uint16_t((t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF]);
    }
};

const crcTables& tables()
{
    static const crcTables instance;
    return instance;
}

} // namespace

uint16_t checksum(const char* data, qsizetype size)
{
    const auto& t = tables().t;
    const auto* p = reinterpret_cast<const uint8_t*>(data);
    uint32_t crc = 0xFFFF;
    for (; size >= 8; size -= 8, p += 8) {
        uint8_t b[8];
        std::memcpy(b, p, 8);
        b[0] = uint8_t(b[0] ^ crc);
        b[1] = uint8_t(b[1] ^ (crc >> 8));
        crc = t[7][b[0]] ^ t[6][b[1]] ^ t[5][b[2]] ^ t[4][b[3]] ^ t[3][b[4]] ^ t[2][b[5]] ^ t[1][b[6]] ^ t[0][b[7]];
    }
    for (; size > 0; --size, ++p)
        crc = (crc >> 8) ^ t[0][(crc ^ *p) & 0xFF];
    return uint16_t(~crc);
}

} // namespace cfgfile
