#include "controller_rig.h"

#include "support/virtual_clock.h"

#include <QLocale>
#include <QTest>

namespace {

const QString noClockText = QStringLiteral("------,  --.--.----  --:--:--");

QString clockText(const QDateTime& t)
{
    return QLocale().toString(t, QStringLiteral("ddd, dd.MM.yyyy  hh:mm:ss"));
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace

class tst_controller_modes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void setDeviceMode_data();
    void setDeviceMode();
    void chooseMode_data();
    void chooseMode();
    void liveValue_data();
    void liveValue();
    void liveScene();
    void liveSceneBudget_data();
    void liveSceneBudget();
    void freezeAndResume_data();
    void freezeAndResume();
    void bcd_data();
    void bcd();
    void calibration_data();
    void calibration();
    void setClock_data();
    void setClock();
    void readClock_data();
    void readClock();
    void clockReadOnceAMinute();
    void clockFailuresLeadToNoClockText();

private:
    virtualClock clock;
};

void tst_controller_modes::setDeviceMode_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("fault");      // 0 none, 1 request refused, 2 bits never change
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("wireValue");  // -1: nothing sent
    QTest::addColumn<bool>("staysConnected");

    QTest::newRow("transfer") << TYPE_WORD_CURRENT << MODE_TRANSFER << 0 << MODE_TRANSFER << 3 << true;
    QTest::newRow("live, old hardware") << TYPE_WORD_OLD << MODE_LIVE << 0 << MODE_LIVE << 0x0400 << true;
    QTest::newRow("normal") << TYPE_WORD_CURRENT << MODE_NORMAL << 0 << MODE_NORMAL << 1 << true;
    QTest::newRow("mode 2 is no device mode") << TYPE_WORD_CURRENT << 2 << 0 << 0 << -1 << true;
    QTest::newRow("halted is never requested") << TYPE_WORD_CURRENT << MODE_HALTED << 0 << 0 << -1 << true;
    QTest::newRow("refused") << TYPE_WORD_CURRENT << MODE_TRANSFER << 1 << 0 << 3 << false;
    QTest::newRow("live not confirmed") << TYPE_WORD_CURRENT << MODE_LIVE << 2 << 0 << 4 << false;
    QTest::newRow("normal not confirmed") << TYPE_WORD_CURRENT << MODE_NORMAL << 2 << 0 << 1 << false;
}

void tst_controller_modes::setDeviceMode()
{
    QFETCH(int, typeWord);
    QFETCH(int, mode);
    QFETCH(int, fault);
    QFETCH(int, result);
    QFETCH(int, wireValue);
    QFETCH(bool, staysConnected);

    controllerRig rig(typeWord);
    QVERIFY(rig.connect());
    // Start from transfer mode, so that each request has something to change.
    QCOMPARE(rig.controller->setDeviceMode(MODE_TRANSFER), MODE_TRANSFER);
    rig.sim->log.clear();
    if (fault == 1)
        rig.sim->refuse(SET_MODE);
    if (fault == 2)
        rig.sim->ignoreModeRequests = true;

    QCOMPARE(rig.controller->setDeviceMode(mode), result);
    QCOMPARE(rig.controller->getDeviceMode(), result);
    const QList<simLogEntry> requests = rig.sim->logOf(SET_MODE);
    if (wireValue < 0) {
        QVERIFY(requests.isEmpty());
    } else {
        QVERIFY(!requests.isEmpty());
        QCOMPARE(int(requests.first().value), wireValue);
        QCOMPARE(requests.first().index, uint16_t(0));
    }
    if (staysConnected) {
        QVERIFY(rig.status->isEmpty());
        if (result)
            QCOMPARE(rig.sim->workingMode(), mode);
        // One poll confirms the mode.
        QCOMPARE(rig.sim->countOf(GET_STATUS), result ? 1 : 0);
    } else {
        QVERIFY(rig.droppedOnce());
    }
}

void tst_controller_modes::chooseMode_data()
{
    QTest::addColumn<int>("deviceModeBefore");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<int>("uiMode");
    QTest::addColumn<int>("deviceMode");
    QTest::addColumn<int>("modeRequests");

    QTest::newRow("normal from live") << MODE_LIVE << 1 << false << 1 << MODE_NORMAL << 1;
    QTest::newRow("normal when already normal") << MODE_NORMAL << 1 << false << 1 << MODE_NORMAL << 0;
    // Live editing reaches the device with the first scene.
    QTest::newRow("live sends nothing") << MODE_NORMAL << 2 << false << 2 << MODE_NORMAL << 0;
    // The failed request, then the one sent when the connection is let go.
    QTest::newRow("normal refused") << MODE_LIVE << 1 << true << 0 << 0 << 2;
}

void tst_controller_modes::chooseMode()
{
    QFETCH(int, deviceModeBefore);
    QFETCH(int, mode);
    QFETCH(bool, refuse);
    QFETCH(int, uiMode);
    QFETCH(int, deviceMode);
    QFETCH(int, modeRequests);

    controllerRig rig;
    QVERIFY(rig.connect());
    QCOMPARE(rig.controller->setDeviceMode(deviceModeBefore), deviceModeBefore);
    rig.sim->log.clear();
    if (refuse)
        rig.sim->refuse(SET_MODE, 1, -1);

    rig.controller->ch_mode(mode);
    QCOMPARE(rig.controller->uiMode, uiMode);
    QCOMPARE(rig.controller->deviceMode, deviceMode);
    QCOMPARE(rig.sim->countOf(SET_MODE), modeRequests);
    QCOMPARE(rig.controller->connected == 1, !refuse);
}

void tst_controller_modes::liveValue_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("uiMode");
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("wireValue");   // -1: nothing sent
    QTest::addColumn<int>("wireIndex");

    QTest::newRow("scene 3, channel 17") << TYPE_WORD_CURRENT << 2 << 3 << 17 << 0xB4 << 0xB4 << 17;
    QTest::newRow("old hardware exchanges level and channel") << TYPE_WORD_OLD << 2 << 0 << 0x105 << 0x12 << 0x1200
                                                              << 0x0501;
    QTest::newRow("last channel of the last scene") << TYPE_WORD_CURRENT << 2 << 10239 << 511 << 7 << 7 << 511;
    QTest::newRow("not in live editing") << TYPE_WORD_CURRENT << 1 << 3 << 17 << 0xB4 << -1 << 0;
    QTest::newRow("channel beyond the record") << TYPE_WORD_CURRENT << 2 << 3 << 512 << 0 << -1 << 0;
    QTest::newRow("scene beyond the image") << TYPE_WORD_CURRENT << 2 << 10240 << 0 << 0 << -1 << 0;
}

void tst_controller_modes::liveValue()
{
    QFETCH(int, typeWord);
    QFETCH(int, uiMode);
    QFETCH(int, scene);
    QFETCH(int, channel);
    QFETCH(int, level);
    QFETCH(int, wireValue);
    QFETCH(int, wireIndex);

    controllerRig rig(typeWord);
    QVERIFY(rig.connect());
    QCOMPARE(rig.controller->setDeviceMode(MODE_LIVE), MODE_LIVE);
    rig.controller->uiMode = uiMode;
    if (scene < img::SCENES && channel < img::CHANNELS)
        rig.controller->configImage[0x80000 + 512 * scene + channel] = uint8_t(level);
    rig.sim->log.clear();

    rig.controller->send_new_val(scene, channel);
    const QList<simLogEntry> sent = rig.sim->logOf(SET_LIVE_VALUE);
    QVERIFY(rig.controller->connected);
    if (wireValue < 0) {
        QVERIFY(rig.sim->log.isEmpty());
        return;
    }
    QCOMPARE(sent.size(), 1);
    QCOMPARE(int(sent[0].value), wireValue);
    QCOMPARE(int(sent[0].index), wireIndex);
    QCOMPARE(int(uint8_t(rig.sim->output[channel])), level);
    QCOMPARE(rig.controller->lastIndex, channel);
    QCOMPARE(rig.controller->lastValue, level);
}

void tst_controller_modes::liveScene()
{
    controllerRig rig;
    QVERIFY(rig.connect());
    uint8_t* scene = rig.controller->configImage + img::sceneChannelsOf(42);
    for (int ch = 0; ch < 512; ++ch)
        scene[ch] = uint8_t(ch * 3);

    // Live editing chosen, device still in normal mode: values wait for a scene.
    rig.controller->ch_mode(2);
    rig.controller->send_new_val(42, 5);
    QVERIFY(rig.sim->log.isEmpty());

    rig.controller->send_sc_prep(42);
    QCOMPARE(rig.controller->deviceMode, MODE_LIVE);
    QCOMPARE(rig.sim->workingMode(), MODE_LIVE);
    QCOMPARE(rig.sim->countOf(LIVE_SCENE_WRITE), 1);
    const simLogEntry announce = rig.sim->logOf(LIVE_SCENE_WRITE).first();
    QCOMPARE(announce.value, uint16_t(1));
    QCOMPARE(announce.index, uint16_t(0));
    const simLogEntry frame = rig.sim->logOf(SIM_BULK_OUT).first();
    QCOMPARE(frame.length, 524);
    QCOMPARE(frame.data, bytes({17, 0, 0xFF, 0x01, 0, 0, 0, 0}));
    QCOMPARE(rig.sim->output, QByteArray(reinterpret_cast<const char*>(scene), 512));
    QVERIFY(rig.status->isEmpty());

    // Now single values go out.
    scene[5] = 200;
    rig.controller->send_new_val(42, 5);
    QCOMPARE(uint8_t(rig.sim->output[5]), uint8_t(200));

    // Back in normal mode nothing is sent for a scene.
    rig.controller->ch_mode(1);
    rig.sim->log.clear();
    rig.controller->send_sc_prep(42);
    QVERIFY(rig.sim->log.isEmpty());
}

void tst_controller_modes::liveSceneBudget_data()
{
    QTest::addColumn<int>("rejected");    // frames rejected; -1 all
    QTest::addColumn<int>("doneDelay");   // polls before STATUS_DONE shows
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("staysConnected");

    QTest::newRow("taken at once") << 0 << 0 << 1 << true;
    QTest::newRow("three rejected, then taken") << 3 << 0 << 4 << true;
    QTest::newRow("ten rejected, taken at the last resend") << 10 << 0 << 11 << true;
    QTest::newRow("every frame rejected") << -1 << 0 << 11 << false;
    // The answer comes with the last poll the budget allows.
    QTest::newRow("done at the last poll") << 0 << 10 << 1 << true;
    QTest::newRow("done one poll too late") << 0 << 11 << 1 << false;
}

void tst_controller_modes::liveSceneBudget()
{
    QFETCH(int, rejected);
    QFETCH(int, doneDelay);
    QFETCH(int, frames);
    QFETCH(bool, staysConnected);

    controllerRig rig;
    QVERIFY(rig.connect());
    rig.controller->uiMode = 2;
    QCOMPARE(rig.controller->setDeviceMode(MODE_LIVE), MODE_LIVE);
    rig.sim->log.clear();
    rig.sim->rejectLiveFrames = rejected;
    rig.sim->setRiseDelay(STATUS_DONE, doneDelay);

    rig.controller->send_sc_prep(7);
    QCOMPARE(rig.sim->countOf(LIVE_SCENE_WRITE), frames);
    QCOMPARE(rig.sim->countOf(SIM_BULK_OUT), frames);
    if (staysConnected) {
        QVERIFY(rig.status->isEmpty());
        QCOMPARE(rig.sim->liveFramesTaken, 1);
    } else {
        QVERIFY(rig.droppedOnce());
    }
}

void tst_controller_modes::freezeAndResume_data()
{
    QTest::addColumn<bool>("freeze");
    QTest::addColumn<int>("fault");    // 0 none, 1 stays busy, 2 request refused, 3 state bit late
    QTest::addColumn<int>("result");

    QTest::newRow("freeze") << true << 0 << 0;
    QTest::newRow("resume") << false << 0 << 0;
    QTest::newRow("freeze, busy") << true << 1 << -1;
    QTest::newRow("resume, busy") << false << 1 << -1;
    QTest::newRow("freeze refused") << true << 2 << -1;
    QTest::newRow("resume refused") << false << 2 << -1;
    QTest::newRow("frozen only after ten polls") << true << 3 << -1;
}

void tst_controller_modes::freezeAndResume()
{
    QFETCH(bool, freeze);
    QFETCH(int, fault);
    QFETCH(int, result);

    controllerRig rig;
    QVERIFY(rig.connect());
    if (!freeze)
        rig.sim->raise(STATUS_FROZEN);
    const int request = freeze ? FREEZE : RESUME;
    if (fault == 1)
        rig.sim->raise(STATUS_BUSY);
    if (fault == 2)
        rig.sim->refuse(request);
    if (fault == 3)
        rig.sim->setRiseDelay(STATUS_FROZEN, 10);

    QCOMPARE(freeze ? rig.controller->freezeDevice() : rig.controller->unfreezeDevice(), result);
    if (result == 0) {
        QCOMPARE(bool(rig.sim->status & STATUS_FROZEN), freeze);
        QCOMPARE(rig.controller->lastRequest, request);
        QVERIFY(rig.status->isEmpty());
    } else {
        QVERIFY(rig.droppedOnce());
    }
    QCOMPARE(rig.sim->countOf(request), fault == 1 ? 0 : 1);
}

void tst_controller_modes::bcd_data()
{
    QTest::addColumn<bool>("toBcd");
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");

    QTest::newRow("to 59") << true << 59 << 0x59;
    QTest::newRow("to 0") << true << 0 << 0x00;
    QTest::newRow("to 99") << true << 99 << 0x99;
    QTest::newRow("to 100") << true << 100 << 0xFF;
    QTest::newRow("to -1") << true << -1 << 0xFF;
    QTest::newRow("from 0x59") << false << 0x59 << 59;
    QTest::newRow("from 0x99") << false << 0x99 << 99;
    QTest::newRow("from 0x1A reads 20") << false << 0x1A << 20;
    QTest::newRow("from 0x9A") << false << 0x9A << -1;
    QTest::newRow("from 0x5B") << false << 0x5B << -1;
    QTest::newRow("from 0xA0") << false << 0xA0 << -1;
    QTest::newRow("from the low byte only") << false << 0x123 << 23;
}

void tst_controller_modes::bcd()
{
    QFETCH(bool, toBcd);
    QFETCH(int, in);
    QFETCH(int, out);
    QCOMPARE(toBcd ? kv310_controller_class::toBcd(in) : kv310_controller_class::fromBcd(in), out);
}

void tst_controller_modes::calibration_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("adjust");
    QTest::addColumn<int>("wireValue");

    QTest::newRow("-5") << TYPE_WORD_CURRENT << -5 << 5;
    QTest::newRow("+5") << TYPE_WORD_CURRENT << 5 << 37;
    QTest::newRow("0") << TYPE_WORD_CURRENT << 0 << 32;
    QTest::newRow("+31") << TYPE_WORD_CURRENT << 31 << 63;
    QTest::newRow("-31") << TYPE_WORD_CURRENT << -31 << 31;
    QTest::newRow("+5, old hardware") << TYPE_WORD_OLD << 5 << 0x2500;
}

void tst_controller_modes::calibration()
{
    QFETCH(int, typeWord);
    QFETCH(int, adjust);
    QFETCH(int, wireValue);

    controllerRig rig(typeWord);
    QVERIFY(rig.connect());
    QCOMPARE(rig.controller->setClockCalibration(adjust), 0);
    QCOMPARE(rig.controller->clockCalibration, adjust);
    QCOMPARE(rig.controller->lastRequest, int(SET_CALIBRATION));
    QCOMPARE(int(rig.sim->logOf(SET_CALIBRATION).first().value), wireValue);
    QCOMPARE(rig.sim->clockCalibration, adjust);

    // A refused calibration is reported to the page and keeps the connection.
    rig.sim->refuse(SET_CALIBRATION);
    QCOMPARE(rig.controller->setClockCalibration(-adjust), -1);
    QVERIFY(rig.status->isEmpty());
}

void tst_controller_modes::setClock_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<bool>("dst");
    QTest::addColumn<int>("fault");         // 0 none, 1 busy, 2 short write
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("record"); // empty: nothing sent

    const QDateTime example(QDate(2026, 3, 15), QTime(14, 7, 9));
    QTest::newRow("example with DST") << example << true << 0 << 0
                                      << bytes({0x09, 0x07, 0x14, 0x07, 0x15, 0xE3, 0x26, 0});
    QTest::newRow("example without DST") << example << false << 0 << 0
                                         << bytes({0x09, 0x07, 0x14, 0x07, 0x15, 0x03, 0x26, 0});
    QTest::newRow("new year's eve") << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59)) << false << 0 << 0
                                    << bytes({0x59, 0x59, 0x23, 0x04, 0x31, 0x12, 0x99, 0});
    QTest::newRow("year the record cannot hold") << QDateTime(QDate(2100, 1, 1), QTime(0, 0)) << false << 0 << -1
                                                 << QByteArray();
    QTest::newRow("short write") << example << true << 2 << -1 << QByteArray();
    QTest::newRow("controller stays busy") << example << true << 1 << -1 << QByteArray();
}

void tst_controller_modes::setClock()
{
    QFETCH(QDateTime, time);
    QFETCH(bool, dst);
    QFETCH(int, fault);
    QFETCH(int, result);
    QFETCH(QByteArray, record);

    controllerRig rig;
    QVERIFY(rig.connect());
    rig.controller->clockSyncCounter = 0;
    rig.controller->clockValid = 1;
    if (fault == 1)
        rig.sim->raise(STATUS_BUSY);
    if (fault == 2)
        rig.sim->shorten(SET_CLOCK, 4);

    QCOMPARE(rig.controller->setDeviceClock(time, dst), result);
    QCOMPARE(rig.controller->clockValid, 0);
    if (fault == 1) {
        QVERIFY(rig.droppedOnce());
        QCOMPARE(rig.sim->countOf(SET_CLOCK), 0);
        return;
    }
    QVERIFY(rig.status->isEmpty());
    if (record.isEmpty()) {
        if (fault == 0)
            QCOMPARE(rig.sim->countOf(SET_CLOCK), 0);
        return;
    }
    QCOMPARE(rig.sim->logOf(SET_CLOCK).first().data, record);
    QCOMPARE(rig.sim->clockNow(), time);
    QCOMPARE(rig.sim->clockDst, dst);
    // The display reads the clock back next.
    QCOMPARE(rig.controller->clockSyncCounter, 10);
}

void tst_controller_modes::readClock_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QDateTime>("time");     // invalid: the read fails
    QTest::addColumn<bool>("dst");
    QTest::addColumn<int>("calibration");

    QTest::newRow("example with DST") << bytes({0x09, 0x07, 0x14, 0x07, 0x15, 0xE3, 0x26, 0x25})
                                      << QDateTime(QDate(2026, 3, 15), QTime(14, 7, 9)) << true << 5;
    QTest::newRow("any DST bit, negative calibration") << bytes({0x59, 0x30, 0x08, 0x01, 0x02, 0x21, 0x24, 0x05})
                                                       << QDateTime(QDate(2024, 1, 2), QTime(8, 30, 59)) << true << -5;
    QTest::newRow("flag bits beside the fields are masked") << bytes({0x80, 0x80, 0xC0, 0xF8, 0xC1, 0x01, 0x00, 0x20})
                                                            << QDateTime(QDate(2000, 1, 1), QTime(0, 0)) << false << 0;
    QTest::newRow("hours 0x1A read as 20") << bytes({0x00, 0x00, 0x1A, 0x01, 0x01, 0x01, 0x26, 0x20})
                                           << QDateTime(QDate(2026, 1, 1), QTime(20, 0)) << false << 0;
    QTest::newRow("minutes no BCD") << bytes({0x00, 0x5B, 0x10, 0x01, 0x01, 0x01, 0x26, 0x20}) << QDateTime() << false
                                    << 0;
    QTest::newRow("31 February") << bytes({0x00, 0x00, 0x10, 0x01, 0x31, 0x02, 0x26, 0x20}) << QDateTime() << false
                                 << 0;
    QTest::newRow("short record") << bytes({0x09, 0x07, 0x14, 0x07, 0x15, 0x03}) << QDateTime() << false << 0;
}

void tst_controller_modes::readClock()
{
    QFETCH(QByteArray, record);
    QFETCH(QDateTime, time);
    QFETCH(bool, dst);
    QFETCH(int, calibration);

    controllerRig rig;
    QVERIFY(rig.connect());
    publishedMainWindow window;
    rig.sim->clockRecordOverride = record;
    rig.controller->dstActive = !dst;
    rig.controller->clockCalibration = 99;

    const QString text = rig.controller->readDeviceClockText();
    QVERIFY(rig.status->isEmpty());
    if (!time.isValid()) {
        // A record that is no date counts as a failed read, tried ten times.
        QCOMPARE(text, noClockText);
        QCOMPARE(rig.sim->countOf(GET_CLOCK), 10);
        QCOMPARE(rig.controller->clockValid, 0);
        QCOMPARE(rig.controller->clockSyncCounter, 10);
        QVERIFY(window.dst.isEmpty());
        QVERIFY(window.calibration.isEmpty());
        return;
    }
    QCOMPARE(text, clockText(time));
    QVERIFY(text.endsWith(time.toString(QStringLiteral("dd.MM.yyyy  hh:mm:ss"))));
    QCOMPARE(rig.sim->countOf(GET_CLOCK), 1);
    QCOMPARE(rig.controller->clockValid, 1);
    QCOMPARE(rig.controller->clockSyncCounter, 0);
    QCOMPARE(rig.controller->dstActive, dst);
    QCOMPARE(rig.controller->clockCalibration, calibration);
    QCOMPARE(window.dst, QList<bool>{dst});
    QCOMPARE(window.calibration, QList<int>{calibration});
}

void tst_controller_modes::clockReadOnceAMinute()
{
    controllerRig rig;
    QVERIFY(rig.connect());
    const QDateTime first(QDate(2026, 3, 15), QTime(14, 7, 9));
    rig.sim->setClock(first, false);
    // No main window: the clock page hooks are skipped.
    QVERIFY(!theMainWindow);

    QCOMPARE(rig.controller->readDeviceClockText(), clockText(first));
    QCOMPARE(rig.sim->countOf(GET_CLOCK), 1);

    // The controller's clock is set elsewhere; the display counts on its own.
    const QDateTime other(QDate(2027, 6, 1), QTime(8, 0, 0));
    rig.sim->setClock(other, false);
    clock.now += 1000;
    QCOMPARE(rig.controller->readDeviceClockText(), clockText(first.addSecs(1)));
    clock.now += 58000;
    QCOMPARE(rig.controller->readDeviceClockText(), clockText(first.addSecs(59)));
    QCOMPARE(rig.sim->countOf(GET_CLOCK), 1);

    clock.now += 2000;
    QCOMPARE(rig.controller->readDeviceClockText(), clockText(other.addSecs(61)));
    QCOMPARE(rig.sim->countOf(GET_CLOCK), 2);

    // A busy controller is not asked; the clock is counted on and read at the next call.
    clock.now += 61000;
    rig.sim->busyForPolls(1);
    const QDateTime counted = other.addSecs(122);
    rig.sim->setClock(counted.addSecs(30), false);
    QCOMPARE(rig.controller->readDeviceClockText(), clockText(counted));
    QCOMPARE(rig.sim->countOf(GET_CLOCK), 2);
    // The busy wait took 100 ms of the controller's time.
    QCOMPARE(rig.controller->readDeviceClockText(), clockText(counted.addSecs(30).addMSecs(100)));
    QCOMPARE(rig.sim->countOf(GET_CLOCK), 3);
}

void tst_controller_modes::clockFailuresLeadToNoClockText()
{
    controllerRig rig;
    QVERIFY(rig.connect());
    const QDateTime start(QDate(2026, 3, 15), QTime(14, 7, 9));
    rig.sim->setClock(start, false);
    QCOMPARE(rig.controller->readDeviceClockText(), clockText(start));

    rig.sim->refuse(GET_CLOCK, 1, -1);
    clock.now += 61000;
    // Each failed read tries ten times and shows the counted-on clock ...
    for (int failure = 1; failure <= 10; ++failure) {
        QCOMPARE(rig.controller->readDeviceClockText(), clockText(start.addSecs(60 + failure)));
        QCOMPARE(rig.sim->countOf(GET_CLOCK), 1 + 10 * failure);
        QCOMPARE(rig.controller->clockSyncCounter, failure);
        clock.now += 1000;
    }
    // ... until ten in a row have failed.
    QCOMPARE(rig.controller->readDeviceClockText(), noClockText);
    QCOMPARE(rig.sim->countOf(GET_CLOCK), 111);
    QCOMPARE(rig.controller->readDeviceClockText(), noClockText);
    QCOMPARE(rig.sim->countOf(GET_CLOCK), 121);

    // The controller answers again.
    rig.sim->clearFaults();
    const QString text = rig.controller->readDeviceClockText();
    QCOMPARE(text, clockText(rig.sim->clockNow()));
    QCOMPARE(rig.controller->clockSyncCounter, 0);
    QVERIFY(rig.status->isEmpty());
}

QTEST_MAIN(tst_controller_modes)
#include "tst_controller_modes.moc"
