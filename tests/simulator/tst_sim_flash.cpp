#include "simulator/sim_controller.h"
#include "transport/t_threadUsbDevice.h"
#include "support/virtual_clock.h"

#include <QTest>
#include <QtEndian>

namespace {

// A device opened on a bus with one controller.
struct flashRig {
    explicit flashRig(int typeWord, bool halted = true)
    {
        sim = &bus.addController(QStringLiteral("01D30001-0001"), typeWord);
        device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
        opened = device.connect() == typeWord;
        if (halted)
            sim->raise(STATUS_HALTED);
    }
    uint32_t status()
    {
        uint8_t answer[STATUS_ANSWER_SIZE];
        if (device.controlRead(GET_STATUS, 0, 0, answer, STATUS_ANSWER_SIZE) != STATUS_ANSWER_SIZE)
            return 0xFFFFFFFFu;
        return qFromLittleEndian<quint32>(answer);
    }
    // Writes one frame of type 21; the status word afterwards.
    uint32_t writeFrame(uint32_t address, const QByteArray& data)
    {
        QByteArray frame(data.size() + blockFrame::OVERHEAD, '\0');
        blockFrame::build(reinterpret_cast<uint8_t*>(frame.data()), int(frame.size()), FLASH_WRITE, 0, address,
                          reinterpret_cast<const uint8_t*>(data.constData()), int(data.size()), sim->flashInPages());
        device.bulkWrite(frame.constData(), int(frame.size()));
        return status();
    }

    simBus bus;
    simController* sim = nullptr;
    t_threadUsbDevice device{&bus};
    bool opened = false;
};

} // namespace

class tst_sim_flash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void announcements_data();
    void announcements();
    void framesWriteWholeBlocks_data();
    void framesWriteWholeBlocks();
    void readBack_data();
    void readBack();
    void stuckByteAndRejectedFrames();
    void flashOutlivesRestart();

private:
    virtualClock clock;
};

void tst_sim_flash::announcements_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<bool>("halted");
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("value");      // as on the wire
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("taken");

    const int cur = TYPE_WORD_CURRENT;
    QTest::newRow("write, upgrade state") << cur << true << int(FLASH_WRITE) << 6 << 0 << true;
    QTest::newRow("write, running") << cur << false << int(FLASH_WRITE) << 6 << 0 << false;
    QTest::newRow("write, index inside a block") << cur << true << int(FLASH_WRITE) << 1 << 0x100 << false;
    QTest::newRow("write, no frames") << cur << true << int(FLASH_WRITE) << 0 << 0 << false;
    QTest::newRow("write, more frames than blocks") << cur << true << int(FLASH_WRITE) << 7 << 0 << false;
    QTest::newRow("write, old hardware, words exchanged")
        << TYPE_WORD_OLD << true << int(FLASH_WRITE) << 0x0500 << 0x8000 << true;
    QTest::newRow("write, old hardware, words as they are")
        << TYPE_WORD_OLD << true << int(FLASH_WRITE) << 5 << 0x80 << false;
    QTest::newRow("read, last block") << cur << true << int(FLASH_READ) << 1 << 0x0A00 << true;
    QTest::newRow("read, old hardware, sector 4")
        << TYPE_WORD_OLD << true << int(FLASH_READ) << 0x0100 << 0x000C << true;
    QTest::newRow("read, value 2") << cur << true << int(FLASH_READ) << 2 << 0 << false;
    QTest::newRow("read, running") << cur << false << int(FLASH_READ) << 1 << 0 << false;
}

void tst_sim_flash::announcements()
{
    QFETCH(int, typeWord);
    QFETCH(bool, halted);
    QFETCH(int, request);
    QFETCH(int, value);
    QFETCH(int, index);
    QFETCH(bool, taken);

    flashRig rig(typeWord, halted);
    QVERIFY(rig.opened);
    const int result = rig.device.controlWrite(uint8_t(request), uint16_t(value), uint16_t(index), nullptr, 0);
    QCOMPARE(result >= 0, taken);
    const uint32_t status = rig.status();
    if (request == FLASH_WRITE) {
        QCOMPARE(bool(status & STATUS_READY_FOR_DATA), taken);
        QCOMPARE(rig.sim->framesExpected(), taken ? (typeWord == TYPE_WORD_OLD ? 5 : 6) : 0);
    } else {
        QCOMPARE(bool(status & STATUS_DONE), taken);
        QCOMPARE(rig.sim->framesQueued(), taken ? 1 : 0);
    }
}

void tst_sim_flash::framesWriteWholeBlocks_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("taken");

    QTest::newRow("current, block 5") << TYPE_WORD_CURRENT << 5 << 0x080E0000 << 0x20000 << true;
    QTest::newRow("current, half a block") << TYPE_WORD_CURRENT << 1 << 0x08060000 << 0x10000 << false;
    QTest::newRow("current, inside a block") << TYPE_WORD_CURRENT << 1 << 0x08060100 << 0x20000 << false;
    QTest::newRow("current, below the flash") << TYPE_WORD_CURRENT << 0 << 0x08020000 << 0x20000 << false;
    QTest::newRow("old, sector 4") << TYPE_WORD_OLD << 4 << 0x400C0000 << 0x4000 << true;
    QTest::newRow("old, sector 0") << TYPE_WORD_OLD << 0 << 0x40008000 << 0x8000 << true;
    QTest::newRow("old, sector 0 with sector 1's size") << TYPE_WORD_OLD << 0 << 0x40008000 << 0x10000 << false;
}

void tst_sim_flash::framesWriteWholeBlocks()
{
    QFETCH(int, typeWord);
    QFETCH(int, block);
    QFETCH(int, address);
    QFETCH(int, length);
    QFETCH(bool, taken);

    flashRig rig(typeWord);
    const int offset = int(rig.sim->flashLayout()[0].offset) >> 8;
    QVERIFY(rig.device.controlWrite(FLASH_WRITE, swapWordBytes(1, rig.sim->oldHardware()),
                                    swapWordBytes(offset, rig.sim->oldHardware()), nullptr, 0)
            >= 0);
    QByteArray data(length, '\0');
    for (int i = 0; i < length; ++i)
        data[i] = char(i * 7 + 3);
    const uint32_t status = rig.writeFrame(uint32_t(address), data);

    QCOMPARE(bool(status & STATUS_DONE), taken);
    QCOMPARE(bool(status & STATUS_FAILED), !taken);
    QCOMPARE(rig.sim->flashFramesTaken, taken ? 1 : 0);
    const QByteArray erased(rig.sim->flashLayout()[block].size, char(0xFF));
    QCOMPARE(rig.sim->flashBlock(block), taken ? data : erased);
}

void tst_sim_flash::readBack_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("lengthCode");

    QTest::newRow("current, block 3") << TYPE_WORD_CURRENT << 3 << 0x080A0000 << 0x200;
    QTest::newRow("old, sector 4") << TYPE_WORD_OLD << 4 << 0x400C0000 << 0x3FFF;
}

void tst_sim_flash::readBack()
{
    QFETCH(int, typeWord);
    QFETCH(int, block);
    QFETCH(int, address);
    QFETCH(int, lengthCode);

    flashRig rig(typeWord);
    const bool swap = rig.sim->oldHardware();
    const QByteArray contents = QByteArray(100, 'k');
    rig.sim->setFlashBlock(block, contents);
    const int size = rig.sim->flashLayout()[block].size;
    const int index = int(rig.sim->flashLayout()[block].offset >> 8);
    QVERIFY(rig.device.controlWrite(FLASH_READ, swapWordBytes(1, swap), swapWordBytes(index, swap), nullptr, 0) >= 0);

    QByteArray frame(size + blockFrame::OVERHEAD, '\0');
    QCOMPARE(rig.device.bulkRead(frame.data(), int(frame.size())), int(frame.size()));
    blockFrameView view;
    QCOMPARE(blockFrame::read(reinterpret_cast<const uint8_t*>(frame.constData()), int(frame.size()),
                              rig.sim->flashInPages(), &view),
             FRAME_INTACT);
    QCOMPARE(int(view.type), int(FLASH_READ));
    QCOMPARE(view.address, uint32_t(address));
    QCOMPARE(int(view.lengthCode), lengthCode);
    const QByteArray data(reinterpret_cast<const char*>(view.data), view.length);
    QCOMPARE(data, contents + QByteArray(size - 100, char(0xFF)));
    QCOMPARE(bool(rig.status() & STATUS_DONE), false);
}

void tst_sim_flash::stuckByteAndRejectedFrames()
{
    flashRig rig(TYPE_WORD_CURRENT);
    rig.sim->stuckFlashBytes[0x08060000 + 0x1234] = 0x42;
    rig.sim->rejectFlashFrames(2);
    QVERIFY(rig.device.controlWrite(FLASH_WRITE, 3, 0, nullptr, 0) >= 0);
    const QByteArray zeros(0x20000, '\0');

    QVERIFY(rig.writeFrame(0x08040000, zeros) & STATUS_DONE);
    // The second frame is rejected and ends the announcement.
    QVERIFY(rig.writeFrame(0x08060000, zeros) & STATUS_FAILED);
    QCOMPARE(rig.sim->framesExpected(), 0);
    QVERIFY(rig.device.controlWrite(FLASH_WRITE, 1, 0, nullptr, 0) >= 0);
    QVERIFY(rig.writeFrame(0x08060000, zeros) & STATUS_DONE);

    QCOMPARE(rig.sim->flashBlock(0), zeros);
    QByteArray stuck = zeros;
    stuck[0x1234] = 0x42;
    QCOMPARE(rig.sim->flashBlock(1), stuck);
    QCOMPARE(rig.sim->flashFramesTaken, 2);
}

void tst_sim_flash::flashOutlivesRestart()
{
    flashRig rig(TYPE_WORD_CURRENT, false);
    rig.sim->setFlashBlock(2, QByteArray("firmware"));
    QVERIFY(rig.device.controlWrite(RESTART, RESTART_INTO_UPGRADE, 0, nullptr, 0) >= 0);
    clock.sleepMs(rig.sim->rebootMs);
    QCOMPARE(rig.device.connect(), TYPE_WORD_CURRENT);
    // The restart into the upgrade state is the halted state.
    QCOMPARE(rig.sim->workingMode(), MODE_HALTED);
    QVERIFY(rig.sim->flashBlock(2).startsWith("firmware"));
    QVERIFY(rig.device.controlWrite(FLASH_READ, 1, 0x400, nullptr, 0) >= 0);
    QVERIFY(rig.device.controlWrite(RESUME, 0, 0, nullptr, 0) >= 0);
    QVERIFY(rig.device.controlWrite(FLASH_READ, 1, 0x400, nullptr, 0) < 0);
}

QTEST_GUILESS_MAIN(tst_sim_flash)
#include "tst_sim_flash.moc"
