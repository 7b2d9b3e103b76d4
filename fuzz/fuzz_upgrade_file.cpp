// Firmware upgrade files (".upg"): any file is either refused or its blocks
// are prepared, written into the simulated controller's flash and verified,
// without reading beyond the file or a block.
//
// The blocks carry checksums a changed byte would only ever meet, so a file
// whose header reads is also upgraded and verified with its directory's
// checksums made right.

#include "simulator/sim_controller.h"
#include "transport/device_factory.h"
#include "device/upgrade_file.h"
#include "model/kv310_controller.h"
#include "common/fuzz_support.h"
#include "support/virtual_clock.h"

#include <QtEndian>

#include <memory>
#include <vector>

namespace {

struct rig {
    explicit rig(int typeWord)
    {
        sim = &bus.addController(QStringLiteral("01D30001-0001"), typeWord);
        installUsbBackend(&bus);
        controller = std::make_unique<kv310_controller_class>();
        installUsbBackend(nullptr);
    }
    simBus bus;
    simController* sim = nullptr;
    std::unique_ptr<kv310_controller_class> controller;
};

struct run {
    virtualClock clock;
    rig old{TYPE_WORD_OLD};
    rig current{TYPE_WORD_CURRENT};
};

// The file with the checksum of every present block that lies inside it made right.
QByteArray withChecksums(QByteArray file, const upgradeHeader& header)
{
    const qsizetype dirStart = [&] {
        qsizetype at = file.indexOf(char(UPGRADE_END_MARKER), UPGRADE_MARKER_START);
        while (at < UPGRADE_HEADER_SIZE && uint8_t(file[at]) == UPGRADE_END_MARKER)
            ++at;
        return at;
    }();
    for (size_t b = 0; b < header.directory.size(); ++b) {
        const upgradeDirEntry& e = header.directory[b];
        if (!e.present())
            continue;
        const qint64 length = upgradeBlockLength(header.target(), e.lengthCode);
        if (qint64(e.offset) + length > file.size())
            continue;
        const quint16 crc = qChecksum(QByteArrayView(file.constData() + e.offset, length));
        qToLittleEndian<quint16>(crc, file.data() + dirStart + qsizetype(b) * UPGRADE_DIR_ENTRY_SIZE + 6);
    }
    return file;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("upgrade_file");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static run r;
    fuzzDialogs dialogs;
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    std::vector<uint8_t> scratch(data, data + size);
    descrambleUpgradeBlock(scratch.data(), int(scratch.size()));

    upgradeHeader header;
    if (parseUpgradeHeader(file, &header) != upgradeHeaderCheck::ok)
        return 0;

    // Older firmware is installed, or a difference ignored, as the last byte says.
    dialogs.choices = size > 0 ? data[size - 1] : 0;
    rig& target = header.typeWord == TYPE_WORD_OLD ? r.old : r.current;
    // The simulated controller logs every transfer; a log over all inputs
    // would only grow.
    target.sim->log.clear();
    kv310_controller_class& c = *target.controller;
    const auto connected = [&c] {
        if (!c.connected)
            c.setConnection(true);
    };

    const QByteArray fixed = withChecksums(QByteArray(file.constData(), file.size()), header);
    if (fixed != file) {
        connected();
        c.verifyFirmware(fuzzWriteFile(QStringLiteral("input.upg"), data, size));
    }
    const QString path = fuzzWriteFile(QStringLiteral("checked.upg"), reinterpret_cast<const uint8_t*>(fixed.constData()),
                                       size_t(fixed.size()));
    connected();
    c.upgradeFirmware(path);
    connected();
    c.verifyFirmware(path);
    fuzzSettle();
    return 0;
}
