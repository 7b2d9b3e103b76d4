#include "controller_rig.h"

#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"

#include <QTest>

#include <functional>

namespace {

using simSetup = std::function<void(simController&)>;

const QString usbTitle = QStringLiteral("USB Interface");
const QString remoteTitle = QStringLiteral("Remote control:");

simSetup outcome(simRcuOutcome o)
{
    return [o](simController& s) { s.rcuOutcomes.append(o); };
}

simSetup none()
{
    return [](simController&) {};
}

// The keys of the RCU_SET_KEY requests that reached the controller, in order.
QList<int> keysWritten(const simController& sim)
{
    QList<int> keys;
    for (const simLogEntry& e : sim.logOf(RCU_COMMAND)) {
        if (e.index == RCU_SET_KEY && e.result == 4)
            keys.append(e.value & 0xFF);
    }
    return keys;
}

// Title and text of every message, as "title / text".
QStringList messages(const dialogRecorder& rec)
{
    QStringList out;
    for (const dialogRecorder::entry& e : rec.entries)
        out.append(e.title + QStringLiteral(" / ") + e.text);
    return out;
}

QString msg(const QString& title, const char* text)
{
    return title + QStringLiteral(" / ") + QString::fromLatin1(text);
}

} // namespace

Q_DECLARE_METATYPE(simSetup)

class tst_controller_rcu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void learnAddress_data();
    void learnAddress();
    void learnKeyCode_data();
    void learnKeyCode();
    void readRcu_data();
    void readRcu();
    void writeRcu_data();
    void writeRcu();
    void writeRcuWireValues_data();
    void writeRcuWireValues();
    void setAddressAndKeyCode();

private:
    virtualClock clock;
};

void tst_controller_rcu::learnAddress_data()
{
    QTest::addColumn<bool>("connect");
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("address");       // rcuAddress afterwards; it was 9
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("icon");

    const int critical = QMessageBox::Critical;
    const int warning = QMessageBox::Warning;
    QTest::newRow("learnt") << true << outcome({500, false, 5}) << 5 << 5 << QStringList() << 0;
    QTest::newRow("learnt just in time") << true << outcome({2990, false, 0}) << 0 << 0 << QStringList() << 0;
    QTest::newRow("nothing learnt") << true << outcome({0, false, 0xFF}) << 255 << 9 << QStringList() << 0;
    QTest::newRow("invalid address") << true << outcome({0, false, 40}) << -1 << 9
                                     << QStringList{msg(remoteTitle, "Invalid R. C. address!")} << critical;
    QTest::newRow("learning failed") << true << outcome({100, true, 5}) << -1 << 9
                                     << QStringList{msg(usbTitle, "Operation failed!")} << critical;
    QTest::newRow("no answer") << true << none() << -1 << 9 << QStringList{msg(remoteTitle, "Time exceeded!")}
                               << warning;
    QTest::newRow("answer too late") << true << outcome({3100, false, 5}) << -1 << 9
                                     << QStringList{msg(remoteTitle, "Time exceeded!")} << warning;
    QTest::newRow("not connected") << false << outcome({0, false, 5}) << -1 << 9
                                   << QStringList{msg(usbTitle, "Not connected!")} << critical;
    QTest::newRow("request through at the tenth try")
        << true
        << simSetup([](simController& s) {
               s.refuse(RCU_COMMAND, 1, 9);
               s.rcuOutcomes.append({0, false, 7});
           })
        << 7 << 7 << QStringList() << 0;
    QTest::newRow("request through only at the eleventh try")
        << true
        << simSetup([](simController& s) {
               s.refuse(RCU_COMMAND, 1, 10);
               s.rcuOutcomes.append({0, false, 7});
           })
        << -1 << 9 << QStringList{msg(usbTitle, "Operation failed!")} << critical;
    QTest::newRow("status unreadable") << true
                                       << simSetup([](simController& s) {
                                              s.rcuOutcomes.append({0, false, 7});
                                              s.refuse(GET_STATUS, 1, 10);
                                          })
                                       << -1 << 9 << QStringList{msg(usbTitle, "Operation failed!")} << critical;
    QTest::newRow("result unreadable") << true
                                       << simSetup([](simController& s) {
                                              s.rcuOutcomes.append({0, false, 7});
                                              s.refuse(RCU_COMMAND, 2, 10);
                                          })
                                       << -1 << 9 << QStringList{msg(usbTitle, "Operation failed!")} << critical;
}

void tst_controller_rcu::learnAddress()
{
    QFETCH(bool, connect);
    QFETCH(simSetup, setup);
    QFETCH(int, result);
    QFETCH(int, address);
    QFETCH(QStringList, shown);
    QFETCH(int, icon);

    controllerRig rig;
    // Polling back to back takes time on the bus too: the time limits are reached.
    rig.sim->transferMs = 1;
    rig.controller->rcuAddress = 9;
    if (connect)
        QVERIFY(rig.connect());
    setup(*rig.sim);
    const qint64 start = clock.now;
    dialogRecorder rec;
    QCOMPARE(rig.controller->learnRcuAddress(), result);
    QCOMPARE(int(rig.controller->rcuAddress), address);
    QCOMPARE(messages(rec), shown);
    if (!shown.isEmpty())
        QCOMPARE(int(rec.entries.at(0).icon), icon);
    if (!connect)
        QVERIFY(rig.sim->log.isEmpty());
    if (shown.value(0).endsWith(QStringLiteral("Time exceeded!"))) {
        QVERIFY(clock.now - start > 3000);
        QVERIFY(clock.now - start < 3100);
    }
    // Learning never ends the link.
    QVERIFY(rig.status->isEmpty());
}

void tst_controller_rcu::learnKeyCode_data()
{
    QTest::addColumn<bool>("connect");
    QTest::addColumn<int>("key");
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("code");          // rcuKeyCodes[key & 63] afterwards; it was 0x11
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("learnt") << true << 7 << outcome({9000, false, 3, 0x21}) << 0x21 << 0x21 << QStringList();
    QTest::newRow("no code") << true << 7 << outcome({0, false, 3, 0xFF}) << 255 << 0x11 << QStringList();
    QTest::newRow("divergent key") << true << 7 << outcome({0, false, 3, 0x21, 5}) << -1 << 0x11
                                   << QStringList{msg(remoteTitle, "Divergent key!")};
    QTest::newRow("invalid code") << true << 7 << outcome({0, false, 3, 0x50}) << -1 << 0x11
                                  << QStringList{msg(remoteTitle, "Invalid key code!")};
    QTest::newRow("too late") << true << 7 << outcome({9600, false, 3, 0x21}) << -1 << 0x11
                              << QStringList{msg(remoteTitle, "Time exceeded!")};
    QTest::newRow("learning failed") << true << 7 << outcome({0, true, 3, 0x21}) << -1 << 0x11
                                     << QStringList{msg(usbTitle, "Operation failed!")};
    QTest::newRow("request refused") << true << 7 << simSetup([](simController& s) { s.refuse(RCU_COMMAND, 1, 10); })
                                     << -1 << 0x11 << QStringList{msg(usbTitle, "Operation failed!")};
    QTest::newRow("no row selected") << false << -1 << none() << -1 << 0x11
                                     << QStringList{msg(remoteTitle, "Please select button!")};
    QTest::newRow("key 64") << true << 64 << none() << -1 << 0x11
                            << QStringList{msg(remoteTitle, "Please select button!")};
    QTest::newRow("not connected") << false << 7 << none() << -1 << 0x11
                                   << QStringList{msg(usbTitle, "Not connected!")};
}

void tst_controller_rcu::learnKeyCode()
{
    QFETCH(bool, connect);
    QFETCH(int, key);
    QFETCH(simSetup, setup);
    QFETCH(int, result);
    QFETCH(int, code);
    QFETCH(QStringList, shown);

    controllerRig rig;
    rig.sim->transferMs = 1;
    rig.controller->rcuKeyCodes.fill(0x11);
    if (connect)
        QVERIFY(rig.connect());
    setup(*rig.sim);
    dialogRecorder rec;
    QCOMPARE(rig.controller->learnRcuKeyCode(key), result);
    QCOMPARE(int(rig.controller->rcuKeyCodes[size_t(key & 63)]), code);
    QCOMPARE(messages(rec), shown);
    if (key < 0 || key > 63) {
        QCOMPARE(rig.sim->countOf(RCU_COMMAND), 0);
    } else if (connect) {
        const simLogEntry learn = rig.sim->logOf(RCU_COMMAND).at(0);
        QCOMPARE(int(learn.index), int(RCU_LEARN_KEY));
        QCOMPARE(int(learn.value), key);
    }
    QVERIFY(rig.status->isEmpty());
}

void tst_controller_rcu::readRcu_data()
{
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("address");       // rcuAddress afterwards; it was 9
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("codesRead");     // keys whose code was taken

    const auto addresses = [](std::function<int(int)> of) {
        return simSetup([of](simController& s) {
            for (int k = 0; k < 64; ++k) {
                s.rcuKeyAddresses[size_t(k)] = uint8_t(of(k));
                s.rcuCodes[size_t(k)] = uint8_t(k);
            }
        });
    };
    const QString ambiguous = msg(remoteTitle, "Ambiguous R. C. address!");
    QTest::newRow("one address") << addresses([](int) { return 3; }) << 3 << QStringList() << 64;
    QTest::newRow("3, 3, then 4") << addresses([](int k) { return k < 2 ? 3 : 4; }) << 0xFF
                                  << QStringList{ambiguous} << 64;
    QTest::newRow("address 0, then 7 at key 5") << addresses([](int k) { return k == 5 ? 7 : 0; }) << 0xFF
                                                << QStringList{ambiguous} << 64;
    QTest::newRow("address 0 throughout") << addresses([](int) { return 0; }) << 0 << QStringList() << 64;
    QTest::newRow("invalid first address") << addresses([](int k) { return k == 0 ? 40 : 3; }) << 3
                                           << QStringList{msg(remoteTitle, "Invalid R. C. address!")} << 64;
    QTest::newRow("no address") << addresses([](int) { return 0xFF; }) << 0xFF << QStringList() << 64;
    QTest::newRow("no address, then 3") << addresses([](int k) { return k == 0 ? 0xFF : 3; }) << 0xFF
                                        << QStringList{ambiguous} << 64;
    QTest::newRow("odd code at key 9") << simSetup([](simController& s) {
        s.rcuKeyAddresses.fill(2);
        for (int k = 0; k < 64; ++k)
            s.rcuCodes[size_t(k)] = uint8_t(k);
        s.rcuCodes[9] = 0x40;
    }) << 2 << QStringList{msg(remoteTitle, "Invalid key code [9]!")} << 64;
    QTest::newRow("reading fails at key 20") << simSetup([](simController& s) {
        s.rcuKeyAddresses.fill(2);
        for (int k = 0; k < 64; ++k)
            s.rcuCodes[size_t(k)] = uint8_t(k);
        s.refuse(RCU_COMMAND, 21, 10);
    }) << 9 << QStringList{msg(usbTitle, "RCU key code reading failed!")} << 20;
}

void tst_controller_rcu::readRcu()
{
    QFETCH(simSetup, setup);
    QFETCH(int, address);
    QFETCH(QStringList, shown);
    QFETCH(int, codesRead);

    controllerRig rig;
    rig.controller->rcuAddress = 9;
    rig.controller->rcuKeyCodes.fill(0x11);
    QVERIFY(rig.connect());
    setup(*rig.sim);
    dialogRecorder rec;
    rig.controller->readRCU();

    QCOMPARE(messages(rec), shown);
    QCOMPARE(int(rig.controller->rcuAddress), address);
    for (int k = 0; k < 64; ++k) {
        const int expected = k < codesRead ? rig.sim->rcuCodes[size_t(k)] : 0x11;
        QCOMPARE(int(rig.controller->rcuKeyCodes[size_t(k)]), expected);
    }
    QVERIFY(rig.status->isEmpty());
}

void tst_controller_rcu::writeRcu_data()
{
    QTest::addColumn<bool>("connect");
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("keysSent");
    QTest::addColumn<bool>("addressSent");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("dropped");

    QTest::newRow("all written") << true << none() << QStringList() << 64 << true << true << false;
    QTest::newRow("fails at key 12") << true << simSetup([](simController& s) { s.refuse(RCU_COMMAND, 13, 10); })
                                     << QStringList{msg(usbTitle, "RCU key code writing failed!"),
                                                    QStringLiteral("info / key no. 13")}
                                     << 12 << false << false << false;
    QTest::newRow("controller stays busy") << true << simSetup([](simController& s) { s.raise(STATUS_BUSY); })
                                           << QStringList() << 1 << false << false << true;
    QTest::newRow("address refused") << true << simSetup([](simController& s) { s.refuse(RCU_COMMAND, 65, 10); })
                                     << QStringList{msg(usbTitle, "RCU address writing failed!")} << 64 << false
                                     << false << false;
    QTest::newRow("save refused") << true << simSetup([](simController& s) { s.refuse(RCU_COMMAND, 66, 10); })
                                  << QStringList{msg(usbTitle, "RCU data saving failed!")} << 64 << true << false
                                  << false;
    QTest::newRow("not connected") << false << none() << QStringList{msg(usbTitle, "Not connected!")} << 0 << false
                                   << false << false;
}

void tst_controller_rcu::writeRcu()
{
    QFETCH(bool, connect);
    QFETCH(simSetup, setup);
    QFETCH(QStringList, shown);
    QFETCH(int, keysSent);
    QFETCH(bool, addressSent);
    QFETCH(bool, saved);
    QFETCH(bool, dropped);

    controllerRig rig;
    for (int k = 0; k < 64; ++k)
        rig.controller->rcuKeyCodes[size_t(k)] = uint8_t(k % 3 ? 63 - k : 0xFF);
    rig.controller->rcuAddress = 6;
    if (connect)
        QVERIFY(rig.connect());
    setup(*rig.sim);
    dialogRecorder rec;
    rig.controller->writeRCU();

    QCOMPARE(messages(rec), shown);
    QList<int> expectedKeys;
    for (int k = 0; k < keysSent; ++k)
        expectedKeys.append(k);
    QCOMPARE(keysWritten(*rig.sim), expectedKeys);
    for (int k = 0; k < keysSent; ++k)
        QCOMPARE(rig.sim->rcuCodes[size_t(k)], rig.controller->rcuKeyCodes[size_t(k)]);
    QCOMPARE(int(rig.sim->rcuAddress), addressSent ? 6 : 0xFF);
    QCOMPARE(rig.sim->rcuSaves, saved ? 1 : 0);
    if (saved) {
        QVERIFY(rig.sim->rcuSavedCodes == rig.controller->rcuKeyCodes);
        QCOMPARE(int(rig.sim->rcuSavedAddress), 6);
    }
    if (dropped)
        QVERIFY(rig.droppedOnce());
    else
        QVERIFY(rig.status->isEmpty());
}

void tst_controller_rcu::writeRcuWireValues_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("setKeyIndex");
    QTest::addColumn<int>("addressValue");

    QTest::newRow("current hardware") << TYPE_WORD_CURRENT << 0x0005 << 0x0006;
    QTest::newRow("old hardware") << TYPE_WORD_OLD << 0x0500 << 0x0600;
}

void tst_controller_rcu::writeRcuWireValues()
{
    QFETCH(int, typeWord);
    QFETCH(int, setKeyIndex);
    QFETCH(int, addressValue);

    controllerRig rig(typeWord);
    rig.controller->rcuKeyCodes.fill(0xFF);
    rig.controller->rcuKeyCodes[10] = 0x21;
    rig.controller->rcuAddress = 6;
    QVERIFY(rig.connect());
    dialogRecorder rec;
    rig.controller->writeRCU();
    QVERIFY(rec.entries.isEmpty());

    const QList<simLogEntry> requests = rig.sim->logOf(RCU_COMMAND);
    QCOMPARE(requests.size(), 66);
    // Key and code as two bytes, never exchanged; the operation as a word.
    QCOMPARE(int(requests.at(10).value), 0x210A);
    QCOMPARE(int(requests.at(10).index), setKeyIndex);
    QCOMPARE(int(requests.at(64).value), addressValue);
    QCOMPARE(rig.sim->rcuSavedCodes[10], uint8_t(0x21));
}

void tst_controller_rcu::setAddressAndKeyCode()
{
    controllerRig rig;
    rig.sim->transferMs = 1;
    dialogRecorder rec;
    // Not connected: stored only.
    QCOMPARE(rig.controller->setRcuAddress(4), 0);
    QCOMPARE(int(rig.controller->rcuAddress), 4);
    QVERIFY(rig.sim->log.isEmpty());

    QVERIFY(rig.connect());
    QCOMPARE(rig.controller->setRcuAddress(12), 12);
    QCOMPARE(int(rig.sim->rcuAddress), 12);
    QCOMPARE(rig.controller->setRcuAddress(40), -1);
    QCOMPARE(int(rig.controller->rcuAddress), 12);
    QVERIFY(rec.entries.isEmpty());

    QCOMPARE(rig.controller->setRcuKeyCode(3, 0x21), 0);
    QCOMPARE(int(rig.controller->rcuKeyCodes[3]), 0x21);
    QCOMPARE(rig.controller->setRcuKeyCode(64, 1), -1);
    QCOMPARE(rig.controller->setRcuKeyCode(3, 0xFF), -1);
    QCOMPARE(int(rig.controller->rcuKeyCodes[3]), 0x21);
}

QTEST_MAIN(tst_controller_rcu)
#include "tst_controller_rcu.moc"
