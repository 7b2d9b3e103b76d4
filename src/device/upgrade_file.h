#pragma once

#include <QByteArrayView>
#include <array>
#include <cstdint>
#include <vector>

// Firmware upgrade files (".upg") and the flash layout of each controller
// family. Everything here works on bytes in memory; reading the file and
// talking to the controller is the controller object's part.
//
// File layout, numbers little-endian. The first UPGRADE_HEADER_SIZE bytes are
// the header window; all of the header lies inside it:
//   the magic line, ended by CR ("Kv310SEUPG" or "Kv310+UPG");
//   header text up to the first NUL, with an optional version mark
//   "v_<major>.<minor>.<build>";
//   an end marker: a run of bytes 0x1A, the first of them at position 11 or later;
//   the directory right after the run: one 8-byte record per flash block of
//   the family (u32 file offset or 0xFFFFFFFF for an absent block, u16 length
//   code, u16 qChecksum of the block as stored).
// The block data lie anywhere in the file, scrambled (see descrambleUpgradeBlock).

// Block functions of the two flash layouts; relative to the family's flashBase.
uint32_t sectorBlockAddress(int block);
int sectorBlockSize(int block);
uint32_t uniformBlockAddress(int block);
int uniformBlockSize(int block);

// What the software knows of one controller family's flash.
struct upgradeTarget {
    uint32_t blockCount;
    uint32_t (*blockAddress)(int block);
    int (*blockSize)(int block);
    uint32_t minTypeWord;
    uint32_t maxTypeWord;
    const char* shortName;
    const char* fullName;        // maker and model, the title of the verification result
    uint32_t flashBase;
    uint32_t lengthInPages;      // 1: lengths count 256-byte units; 0: they are length - 1
};

inline constexpr int UPGRADE_TARGET_COUNT = 9;
extern const upgradeTarget upgradeTargetTable[UPGRADE_TARGET_COUNT];

// The rows the two magics select, and the device type word each requires.
inline constexpr int UPGRADE_ROW_SECTORS = 0;
inline constexpr int UPGRADE_ROW_UNIFORM = 2;

inline constexpr int UPGRADE_HEADER_SIZE = 400;
// The end marker is looked for from here on (just past the longer magic line).
inline constexpr int UPGRADE_MARKER_START = 11;
inline constexpr uint8_t UPGRADE_END_MARKER = 0x1A;
inline constexpr int UPGRADE_DIR_ENTRY_SIZE = 8;
// Block lengths are whole groups of this many bytes; the descrambling
// exchanges the two halves of each group.
inline constexpr int UPGRADE_GROUP_SIZE = 16;

// The cyclic XOR key of the block scrambling. Files for real controllers are
// scrambled with the maker's key, which must be put here.
inline constexpr int UPGRADE_KEY_SIZE = 64;
inline constexpr std::array<uint8_t, UPGRADE_KEY_SIZE> upgradeKey = {
    0x5A, 0xC3, 0x17, 0x8E, 0x29, 0xF4, 0x63, 0xB0, 0x0D, 0x9A, 0x4E, 0x71, 0xE6, 0x38, 0xAB, 0x15,
    0xD2, 0x6F, 0x84, 0x3B, 0xC9, 0x50, 0x1E, 0xA7, 0x72, 0xEC, 0x05, 0x99, 0x4B, 0xD6, 0x28, 0xBF,
    0x93, 0x0A, 0x67, 0xF1, 0x3C, 0x85, 0xDA, 0x4F, 0xB6, 0x21, 0x7D, 0xE8, 0x12, 0x9F, 0x54, 0xC7,
    0x6B, 0xF0, 0x2E, 0x83, 0xA5, 0x1C, 0xE9, 0x76, 0x0F, 0xB8, 0x43, 0xDE, 0x97, 0x2A, 0x61, 0xFC,
};

struct upgradeDirEntry {
    static constexpr uint32_t ABSENT = 0xFFFFFFFFu;
    uint32_t offset = ABSENT;
    uint16_t lengthCode = 0;
    uint16_t crc = 0;
    bool present() const { return offset != ABSENT; }
};

// A firmware version, compared as (major, minor, build).
struct upgradeVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
};
int compareVersions(const upgradeVersion& a, const upgradeVersion& b);

struct upgradeHeader {
    int row = -1;                  // into upgradeTargetTable
    int typeWord = 0;              // the device type word the file is for
    bool hasVersion = false;
    upgradeVersion version;        // major and minor as signed bytes, build as signed 16 bits
    std::vector<upgradeDirEntry> directory;  // blockCount records, in block order

    const upgradeTarget& target() const { return upgradeTargetTable[row]; }
    int presentBlocks() const;
};

enum class upgradeHeaderCheck {
    ok,
    tooShort,          // fewer bytes than the header window
    notUpgradeFile,    // unknown magic, or a header outside its limits
};

// Reads the header window at the start of `bytes`; never looks beyond it.
// Refused as no upgrade file: no CR, NUL or end marker in the window, a
// directory running past it, or a present record whose length exceeds its
// block or is not whole groups.
upgradeHeaderCheck parseUpgradeHeader(QByteArrayView bytes, upgradeHeader* header);

// The version mark of a header text (the bytes after the magic's CR up to
// the first NUL): false when there is none, or when it opens the text.
// Numbers that do not follow "v_" read as 0, as with "%d.%d.%d".
bool parseVersionMark(QByteArrayView text, upgradeVersion* version);

// Data bytes of a block with this length code.
int upgradeBlockLength(const upgradeTarget& target, uint16_t lengthCode);

// Turns `length` bytes as stored in the file into flash contents: XOR with
// the key, then the two 8-byte halves of every whole group change places
// (block lengths are whole groups; a partial group is not touched).
void descrambleUpgradeBlock(uint8_t* data, int length);
