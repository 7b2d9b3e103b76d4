#include "upgrade_file.h"

#include <QtEndian>

#include <algorithm>
#include <climits>
#include <tuple>

namespace {

constexpr uint32_t sectorBlockOffsets[5] = {0x8000, 0x10000, 0x20000, 0x30000, 0xC0000};
constexpr int sectorBlockSizes[5] = {0x8000, 0x10000, 0x10000, 0x10000, 0x4000};

constexpr int UNIFORM_BLOCK_SHIFT = 17;

constexpr uint8_t CR = 0x0D;

struct magicLine {
    const char* text;
    int row;
    int typeWord;
};

constexpr magicLine magics[] = {
    {"Kv310SEUPG", UPGRADE_ROW_SECTORS, 0xD3},
    {"Kv310+UPG", UPGRADE_ROW_UNIFORM, 0x1D3},
};

bool isScanfSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%d" at pos: leading white space, an optional sign, at least one digit.
// Values beyond the int range stick at its ends.
bool scanInt(QByteArrayView text, qsizetype& pos, int* value)
{
    qsizetype p = pos;
    while (p < text.size() && isScanfSpace(text[p]))
        ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    const qsizetype digits = p;
    qint64 v = 0;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9') {
        v = std::min<qint64>(v * 10 + (text[p] - '0'), qint64(INT_MAX) + 1);
        ++p;
    }
    if (p == digits)
        return false;
    if (negative)
        v = -v;
    *value = int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
    pos = p;
    return true;
}

} // namespace

uint32_t sectorBlockAddress(int block)
{
    return block >= 0 && block < 5 ? sectorBlockOffsets[block] : 0;
}

int sectorBlockSize(int block)
{
    return block >= 0 && block < 5 ? sectorBlockSizes[block] : 0;
}

uint32_t uniformBlockAddress(int block)
{
    return uint32_t(block) << UNIFORM_BLOCK_SHIFT;
}

int uniformBlockSize(int)
{
    return 1 << UNIFORM_BLOCK_SHIFT;
}

const upgradeTarget upgradeTargetTable[UPGRADE_TARGET_COUNT] = {
    {5, sectorBlockAddress, sectorBlockSize, 0x8004, 0x8008, "Kv310SE", "KVO Kv310", 0x40000000, 0},
    {5, sectorBlockAddress, sectorBlockSize, 0x8004, 0x8008, "Kv315SE", "KVO Kv315", 0x40000000, 0},
    {6, uniformBlockAddress, uniformBlockSize, 0x1CF, 0x1D7, "Kv310+", "KVO Kv310+", 0x08040000, 1},
    {6, uniformBlockAddress, uniformBlockSize, 0x1CF, 0x1D7, "Kv315+", "KVO Kv315+", 0x08040000, 1},
    {6, uniformBlockAddress, uniformBlockSize, 0x1CF, 0x1D7, "M-VS-0207", "MIRTAN M-VS-0207", 0x08040000, 1},
    {6, uniformBlockAddress, uniformBlockSize, 0x1CF, 0x1D7, "M-VS-0206", "MIRTAN M-VS-0206", 0x08040000, 1},
    {6, uniformBlockAddress, uniformBlockSize, 0x1CF, 0x1D7, "SV310+", "SELVANITE SV310+", 0x08040000, 1},
    {6, uniformBlockAddress, uniformBlockSize, 0x1CF, 0x1D7, "SV315+", "SELVANITE SV315+", 0x08040000, 1},
    {6, uniformBlockAddress, uniformBlockSize, 0x1CF, 0x1D7, "Z9Tester", "Z9Tester", 0x08040000, 1},
};

int compareVersions(const upgradeVersion& a, const upgradeVersion& b)
{
    const auto ta = std::tie(a.major, a.minor, a.build);
    const auto tb = std::tie(b.major, b.minor, b.build);
    return ta < tb ? -1 : (tb < ta ? 1 : 0);
}

int upgradeHeader::presentBlocks() const
{
    return int(std::count_if(directory.begin(), directory.end(), [](const upgradeDirEntry& e) { return e.present(); }));
}

int upgradeBlockLength(const upgradeTarget& target, uint16_t lengthCode)
{
    return target.lengthInPages ? int(lengthCode) << 8 : int(lengthCode) + 1;
}

bool parseVersionMark(QByteArrayView text, upgradeVersion* version)
{
    const qsizetype mark = text.indexOf(QByteArrayView("v_"));
    if (mark <= 0)
        return false;
    // "%d.%d.%d": the numbers up to the first that does not follow stay 0.
    int numbers[3] = {0, 0, 0};
    qsizetype pos = mark + 2;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != '.')
                break;
            ++pos;
        }
        if (!scanInt(text, pos, &numbers[i]))
            break;
    }
    version->major = int8_t(numbers[0] & 0xFF);
    version->minor = int8_t(numbers[1] & 0xFF);
    version->build = int16_t(numbers[2] & 0xFFFF);
    return true;
}

upgradeHeaderCheck parseUpgradeHeader(QByteArrayView bytes, upgradeHeader* header)
{
    *header = upgradeHeader();
    if (bytes.size() < UPGRADE_HEADER_SIZE)
        return upgradeHeaderCheck::tooShort;
    const QByteArrayView window = bytes.first(UPGRADE_HEADER_SIZE);

    const qsizetype cr = window.indexOf(char(CR));
    if (cr < 0)
        return upgradeHeaderCheck::notUpgradeFile;
    const QByteArrayView line = window.first(cr);
    const magicLine* magic = nullptr;
    for (const magicLine& m : magics) {
        if (line == QByteArrayView(m.text))
            magic = &m;
    }
    if (!magic)
        return upgradeHeaderCheck::notUpgradeFile;
    const upgradeTarget& target = upgradeTargetTable[magic->row];

    const qsizetype textStart = cr + 1;
    const qsizetype nul = window.indexOf('\0', textStart);
    if (nul < 0)
        return upgradeHeaderCheck::notUpgradeFile;

    const qsizetype marker = window.indexOf(char(UPGRADE_END_MARKER), UPGRADE_MARKER_START);
    if (marker < 0)
        return upgradeHeaderCheck::notUpgradeFile;
    qsizetype dirStart = marker;
    while (dirStart < window.size() && uint8_t(window[dirStart]) == UPGRADE_END_MARKER)
        ++dirStart;
    if (dirStart + qsizetype(target.blockCount) * UPGRADE_DIR_ENTRY_SIZE > window.size())
        return upgradeHeaderCheck::notUpgradeFile;

    std::vector<upgradeDirEntry> directory(target.blockCount);
    for (uint32_t b = 0; b < target.blockCount; ++b) {
        const uint8_t* record = reinterpret_cast<const uint8_t*>(window.data()) + dirStart + b * UPGRADE_DIR_ENTRY_SIZE;
        upgradeDirEntry& e = directory[b];
        e.offset = qFromLittleEndian<quint32>(record);
        e.lengthCode = qFromLittleEndian<quint16>(record + 4);
        e.crc = qFromLittleEndian<quint16>(record + 6);
        if (!e.present())
            continue;
        // The descrambling works on whole groups, and a block never spills
        // into the next one.
        const int length = upgradeBlockLength(target, e.lengthCode);
        if (length > target.blockSize(int(b)) || length % UPGRADE_GROUP_SIZE != 0)
            return upgradeHeaderCheck::notUpgradeFile;
    }

    header->row = magic->row;
    header->typeWord = magic->typeWord;
    header->hasVersion = parseVersionMark(window.sliced(textStart, nul - textStart), &header->version);
    header->directory = std::move(directory);
    return upgradeHeaderCheck::ok;
}

void descrambleUpgradeBlock(uint8_t* data, int length)
{
    for (int i = 0; i < length; ++i)
        data[i] ^= upgradeKey[size_t(i) % UPGRADE_KEY_SIZE];
    const int half = UPGRADE_GROUP_SIZE / 2;
    for (int g = 0; g + UPGRADE_GROUP_SIZE <= length; g += UPGRADE_GROUP_SIZE)
        std::swap_ranges(data + g, data + g + half, data + g + half);
}
