#include "controller_rig.h"

#include "support/virtual_clock.h"

#include <QTest>

#include <functional>

class tst_controller_protocol : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void deviceWordFollowsSwapBytes_data();
    void deviceWordFollowsSwapBytes();
    void statusWaits_data();
    void statusWaits();
    void failedStatusReadDropsOnce_data();
    void failedStatusReadDropsOnce();
    void readBlock_data();
    void readBlock();
    void dmxTransparency_data();
    void dmxTransparency();

private:
    virtualClock clock;
};

void tst_controller_protocol::deviceWordFollowsSwapBytes_data()
{
    QTest::addColumn<bool>("swapBytes");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("word");

    QTest::newRow("exchanged") << true << 0x0105 << 0x0501;
    QTest::newRow("exchanged, low 16 bits only") << true << 0x12345 << 0x4523;
    QTest::newRow("as given") << false << 0x0105 << 0x0105;
    QTest::newRow("as given, low 16 bits only") << false << 0x12345 << 0x2345;
}

void tst_controller_protocol::deviceWordFollowsSwapBytes()
{
    QFETCH(bool, swapBytes);
    QFETCH(int, value);
    QFETCH(int, word);

    controllerRig rig;
    rig.controller->swapBytes = swapBytes;
    QCOMPARE(int(rig.controller->deviceWord(value)), word);
}

void tst_controller_protocol::statusWaits_data()
{
    QTest::addColumn<bool>("poll");         // pollDeviceStatus, else waitDeviceStatus
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("tries");
    QTest::addColumn<int>("bitsSet");       // status bits held from the start
    QTest::addColumn<int>("busyPolls");     // polls showing STATUS_BUSY
    QTest::addColumn<int>("risingBits");    // bits that rise ...
    QTest::addColumn<int>("riseAfter");     // ... after this many polls
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("polls");
    QTest::addColumn<int>("sleeps");

    QTest::newRow("not busy") << false << STATUS_BUSY << 10 << 0 << 0 << 0 << 0 << 0 << 1 << 0;
    QTest::newRow("busy for three polls") << false << STATUS_BUSY << 10 << 0 << 3 << 0 << 0 << 0 << 4 << 3;
    QTest::newRow("stays busy") << false << STATUS_BUSY << 10 << STATUS_BUSY << 0 << 0 << 0 << STATUS_BUSY << 10
                                << 10;
    QTest::newRow("stays busy, one try") << false << STATUS_BUSY << 1 << STATUS_BUSY << 0 << 0 << 0 << STATUS_BUSY
                                         << 1 << 1;
    QTest::newRow("no tries still polls once") << false << STATUS_BUSY << 0 << STATUS_BUSY << 0 << 0 << 0
                                               << STATUS_BUSY << 1 << 0;
    QTest::newRow("mode mask, live set") << false << STATUS_MODE_MASK << 1 << STATUS_MODE_LIVE << 0 << 0 << 0
                                         << STATUS_MODE_LIVE << 1 << 1;
    QTest::newRow("done at once") << true << STATUS_DONE << 1 << STATUS_DONE << 0 << 0 << 0 << STATUS_DONE << 1 << 0;
    QTest::newRow("done missing, one try") << true << STATUS_DONE << 1 << 0 << 0 << 0 << 0 << 0 << 1 << 1;
    QTest::newRow("done after five polls") << true << STATUS_DONE << 20 << 0 << 0 << STATUS_DONE << 5 << STATUS_DONE
                                           << 6 << 5;
    QTest::newRow("done never, 80 tries") << true << STATUS_DONE << 80 << 0 << 0 << 0 << 0 << 0 << 80 << 80;
    QTest::newRow("part of the bits") << true << (STATUS_DONE | STATUS_FAILED) << 1 << STATUS_FAILED << 0 << 0 << 0
                                      << STATUS_FAILED << 1 << 1;
}

void tst_controller_protocol::statusWaits()
{
    QFETCH(bool, poll);
    QFETCH(int, bits);
    QFETCH(int, tries);
    QFETCH(int, bitsSet);
    QFETCH(int, busyPolls);
    QFETCH(int, risingBits);
    QFETCH(int, riseAfter);
    QFETCH(int, result);
    QFETCH(int, polls);
    QFETCH(int, sleeps);

    controllerRig rig;
    QVERIFY(rig.connect());
    rig.sim->raise(bitsSet);
    rig.sim->busyForPolls(busyPolls);
    if (risingBits)
        rig.sim->raiseAfterPolls(risingBits, riseAfter);
    const int sleepsBefore = clock.sleeps;
    const qint64 before = clock.now;

    const int got = poll ? rig.controller->pollDeviceStatus(bits, tries) : rig.controller->waitDeviceStatus(bits, tries);
    QCOMPARE(got, result);
    QCOMPARE(rig.sim->countOf(GET_STATUS), polls);
    QCOMPARE(clock.sleeps - sleepsBefore, sleeps);
    QCOMPARE(clock.now - before, qint64(100) * sleeps);
    // Bits not as wanted only return an error.
    QVERIFY(rig.controller->connected);
    QVERIFY(rig.status->isEmpty());
}

void tst_controller_protocol::failedStatusReadDropsOnce_data()
{
    using op = std::function<int(controllerRig&)>;
    QTest::addColumn<op>("operation");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("shortAnswer");   // else refused

    QTest::newRow("wait, refused") << op([](controllerRig& r) { return r.controller->waitDeviceStatus(STATUS_BUSY, 10); })
                                   << STATUS_BUSY << false;
    QTest::newRow("wait, short answer")
        << op([](controllerRig& r) { return r.controller->waitDeviceStatus(STATUS_BUSY, 10); }) << STATUS_BUSY << true;
    QTest::newRow("poll") << op([](controllerRig& r) { return r.controller->pollDeviceStatus(STATUS_DONE, 80); }) << 0
                          << false;
    QTest::newRow("freeze") << op([](controllerRig& r) { return r.controller->freezeDevice(); }) << -1 << false;
    QTest::newRow("resume") << op([](controllerRig& r) { return r.controller->unfreezeDevice(); }) << -1 << true;
    QTest::newRow("mode") << op([](controllerRig& r) { return r.controller->setDeviceMode(MODE_TRANSFER); }) << 0
                          << false;
    QTest::newRow("set clock") << op([](controllerRig& r) {
        return r.controller->setDeviceClock(QDateTime(QDate(2026, 3, 15), QTime(14, 7, 9)), false);
    }) << -1 << false;
    QTest::newRow("read block") << op([](controllerRig& r) {
        transferBlock block;
        return r.controller->readBlock(block);
    }) << -1 << false;
    QTest::newRow("live scene") << op([](controllerRig& r) {
        r.sim->raise(STATUS_MODE_LIVE);
        r.controller->uiMode = 2;
        r.controller->deviceMode = MODE_LIVE;
        r.controller->send_sc_prep(0);
        return 0;
    }) << 0 << false;
    QTest::newRow("live value") << op([](controllerRig& r) {
        r.sim->raise(STATUS_MODE_LIVE);
        r.controller->uiMode = 2;
        r.controller->deviceMode = MODE_LIVE;
        r.controller->send_new_val(0, 0);
        return 0;
    }) << 0 << true;
}

void tst_controller_protocol::failedStatusReadDropsOnce()
{
    QFETCH(std::function<int(controllerRig&)>, operation);
    QFETCH(int, result);
    QFETCH(bool, shortAnswer);

    controllerRig rig;
    QVERIFY(rig.connect());
    if (shortAnswer)
        rig.sim->shorten(GET_STATUS, 4, 1, -1);
    else
        rig.sim->refuse(GET_STATUS, 1, -1);

    debugLineCounter lines("can't get stat!");
    QTest::ignoreMessage(QtDebugMsg, "can't get stat!");
    QCOMPARE(operation(rig), result);
    QCOMPARE(lines.seen(), 1);
    QVERIFY(rig.droppedOnce());
    // The wait ended at the failure: one status read only.
    QCOMPARE(rig.sim->countOf(GET_STATUS), 1);
}

void tst_controller_protocol::readBlock_data()
{
    QTest::addColumn<int>("fault");       // 0 none, 1 corrupt frame, 2 nothing sent, 3 stays busy, 4 short read
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("staysConnected");

    QTest::newRow("intact") << 0 << 0 << true;
    QTest::newRow("checksum error keeps the link") << 1 << -1 << true;
    QTest::newRow("no frame comes") << 2 << -1 << false;
    QTest::newRow("controller stays busy") << 3 << -1 << false;
    QTest::newRow("short read") << 4 << -1 << false;
}

void tst_controller_protocol::readBlock()
{
    QFETCH(int, fault);
    QFETCH(int, result);
    QFETCH(bool, staysConnected);

    controllerRig rig;
    QVERIFY(rig.connect());
    QByteArray payload(0x10000, '\0');
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char(i * 7);
    if (fault != 2)
        rig.sim->sendFrame(CONFIG_READ, 4, 0x68040000, payload);
    if (fault == 1)
        rig.sim->corruptFrames();
    if (fault == 3)
        rig.sim->raise(STATUS_BUSY);
    if (fault == 4)
        rig.sim->shorten(SIM_BULK_IN, 65000);

    transferBlock block;
    QCOMPARE(rig.controller->readBlock(block), result);
    QCOMPARE(rig.controller->connected == 1, staysConnected);
    QCOMPARE(rig.status->isEmpty(), staysConnected);
    if (result == 0) {
        QCOMPARE(block.length, 0x10000);
        QCOMPARE(block.address, 0x68040000u);
        QCOMPARE(block.counter, uint8_t(4));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.data), block.length), payload);
    }
    if (fault == 3)
        QCOMPARE(rig.sim->countOf(SIM_BULK_IN), 0);
}

void tst_controller_protocol::dmxTransparency_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("refusals");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("requests");
    QTest::addColumn<int>("wireValue");

    // The value is never exchanged, not even on old hardware.
    QTest::newRow("on, old hardware") << TYPE_WORD_OLD << true << 0 << 1 << 1 << 0x100;
    QTest::newRow("off") << TYPE_WORD_CURRENT << false << 0 << 1 << 1 << 0;
    QTest::newRow("taken at the tenth try") << TYPE_WORD_CURRENT << true << 9 << 1 << 10 << 0x100;
    QTest::newRow("refused ten times") << TYPE_WORD_CURRENT << true << 10 << 0 << 10 << 0x100;
}

void tst_controller_protocol::dmxTransparency()
{
    QFETCH(int, typeWord);
    QFETCH(bool, on);
    QFETCH(int, refusals);
    QFETCH(int, result);
    QFETCH(int, requests);
    QFETCH(int, wireValue);

    controllerRig rig(typeWord);
    // Not connected: nothing reaches the bus.
    QCOMPARE(rig.controller->setDmxTransparency(on), 0);
    QVERIFY(rig.sim->log.isEmpty());
    QVERIFY(rig.connect());
    if (refusals)
        rig.sim->refuse(SET_DMX_TRANSPARENCY, 1, refusals);
    if (!on)
        rig.sim->dmxTransparency = true;
    QCOMPARE(rig.controller->setDmxTransparency(on), result);
    QCOMPARE(rig.sim->countOf(SET_DMX_TRANSPARENCY), requests);
    QCOMPARE(int(rig.sim->logOf(SET_DMX_TRANSPARENCY).last().value), wireValue);
    QCOMPARE(rig.sim->dmxTransparency, result ? on : !on);
    // Refusals never cost the connection, and there is no pause between tries.
    QVERIFY(rig.controller->connected);
    QCOMPARE(rig.sim->countOf(GET_STATUS), 0);
}

QTEST_MAIN(tst_controller_protocol)
#include "tst_controller_protocol.moc"
