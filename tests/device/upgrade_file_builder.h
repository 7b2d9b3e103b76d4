#pragma once

#include "device/upgrade_file.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>

#include <algorithm>

// Builds upgrade files the way the maker's tool lays them out: magic line,
// header text, NUL, end marker, directory, padding to the header window, then
// the scrambled blocks. Blocks hold flash contents; the builder scrambles them
// with upgradeKey, so the reader's descrambling must give them back.
struct upgradeFileBuilder {
    struct block {
        bool present = false;
        QByteArray flash;        // contents for the flash, whole 16-byte groups
        int lengthCode = -1;     // -1: from the size of flash
        int crc = -1;            // -1: the checksum of the stored bytes
    };

    explicit upgradeFileBuilder(int targetRow = UPGRADE_ROW_UNIFORM)
        : row(targetRow)
        , magic(targetRow == UPGRADE_ROW_SECTORS ? "Kv310SEUPG" : "Kv310+UPG")
        , blocks(int(upgradeTargetTable[targetRow].blockCount))
    {
    }

    const upgradeTarget& target() const { return upgradeTargetTable[row]; }

    // Block b present with pseudo-random firmware of `length` bytes.
    upgradeFileBuilder& withBlock(int b, int length)
    {
        blocks[b].present = true;
        blocks[b].flash = firmware(length, b);
        return *this;
    }
    upgradeFileBuilder& withAllBlocks(int length)
    {
        for (int b = 0; b < blocks.size(); ++b)
            withBlock(b, std::min(length, target().blockSize(b)));
        return *this;
    }

    // What block b must hold in the flash after an upgrade: its contents,
    // then 0xFF up to the block size.
    QByteArray expectedFlash(int b) const
    {
        QByteArray out = blocks[b].flash;
        out.append(QByteArray(target().blockSize(b) - int(out.size()), char(0xFF)));
        return out;
    }

    QByteArray build() const
    {
        QByteArray out = magic;
        if (withCr)
            out.append('\r');
        out.append(text);
        if (withNul)
            out.append('\0');
        out.append(QByteArray(markerRun, char(UPGRADE_END_MARKER)));
        const qsizetype dirAt = out.size();
        out.append(QByteArray(blocks.size() * UPGRADE_DIR_ENTRY_SIZE, '\0'));
        if (out.size() < UPGRADE_HEADER_SIZE)
            out.append(QByteArray(UPGRADE_HEADER_SIZE - out.size(), '\0'));

        for (int b = 0; b < blocks.size(); ++b) {
            uchar* record = reinterpret_cast<uchar*>(out.data()) + dirAt + b * UPGRADE_DIR_ENTRY_SIZE;
            const block& blk = blocks[b];
            if (!blk.present) {
                qToLittleEndian<quint32>(upgradeDirEntry::ABSENT, record);
                qToLittleEndian<quint16>(quint16(std::max(blk.lengthCode, 0)), record + 4);
                continue;
            }
            const QByteArray stored = scramble(blk.flash);
            const int length = int(stored.size());
            const int code = blk.lengthCode >= 0 ? blk.lengthCode
                                                 : (target().lengthInPages ? length >> 8 : length - 1);
            const int crc = blk.crc >= 0 ? blk.crc : qChecksum(QByteArrayView(stored));
            qToLittleEndian<quint32>(quint32(out.size()), record);
            qToLittleEndian<quint16>(quint16(code), record + 4);
            qToLittleEndian<quint16>(quint16(crc), record + 6);
            out.append(stored);
        }
        return out;
    }

    bool write(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(build()) >= 0;
    }

    // The inverse of descrambleUpgradeBlock: halves of each group exchanged,
    // then XOR with the key.
    static QByteArray scramble(QByteArray flash)
    {
        char* d = flash.data();
        const int half = UPGRADE_GROUP_SIZE / 2;
        for (qsizetype g = 0; g + UPGRADE_GROUP_SIZE <= flash.size(); g += UPGRADE_GROUP_SIZE)
            std::swap_ranges(d + g, d + g + half, d + g + half);
        for (qsizetype i = 0; i < flash.size(); ++i)
            d[i] = char(d[i] ^ upgradeKey[size_t(i) % UPGRADE_KEY_SIZE]);
        return flash;
    }

    // Deterministic bytes that differ from block to block.
    static QByteArray firmware(int length, int seed)
    {
        QByteArray out(length, Qt::Uninitialized);
        quint32 x = 0x9E3779B9u * quint32(seed + 1);
        for (int i = 0; i < length; ++i) {
            x = x * 1664525u + 1013904223u;
            out[i] = char(x >> 24);
        }
        return out;
    }

    int row;
    QByteArray magic;
    bool withCr = true;
    QByteArray text = "\nKvOrbit test firmware";  // after the magic's CR
    bool withNul = true;
    int markerRun = 3;
    QList<block> blocks;
};
