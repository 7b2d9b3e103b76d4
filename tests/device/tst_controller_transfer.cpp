#include "controller_rig.h"

#include "model/config_image.h"
#include "model/time_codes.h"
#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"
#include "transport/t_threadUsbDevice.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <functional>

namespace {

const QString sendSucceeded = QStringLiteral("Config and data writing\n     successful!");
const QString sendFailed = QStringLiteral("Config and data writing\n     failed!");
const QString readSucceeded = QStringLiteral("Configuration reading\nsuccessful!");
const QString readFailed = QStringLiteral("Configuration reading\n failed!");
const QString storedInPart = QStringLiteral(
    "Compressed project size exceeds reserved flash area!\nSome information will not be stored in the device!");

// A show that touches every region the tables are packed into, with
// descriptions; `seed` makes two shows differ everywhere.
void buildShow(kv310_controller_class& c, int seed)
{
    for (uint32_t o = img::sceneChannels; o < img::projectArea; o += 4)
        img::putU32(c.configImage, o, o * 2654435761u + uint32_t(seed));
    for (int s = 0; s < img::SCENES; ++s)
        fadeTimes{uint16_t(s + seed), uint16_t(10 + seed), uint16_t(s % 7), 0}.write(c.configImage
                                                                                    + img::sceneTimesOf(s));
    img::putU16(c.configImage, img::outputChannelCount, uint16_t(100 + seed));
    for (int P = 0; P < 40; ++P) {
        c.programs.setStepCount(P, 3 + (P + seed) % 5);
        for (int k = 0; k < c.programs.stepCount(P); ++k) {
            programStep* s = c.programs.step(P, k);
            s->scene = uint16_t((P * 31 + k + seed) % img::SCENES);
            s->duration = fromTenths(unsigned(10 + k + seed));
        }
    }
    for (int n = 0; n < 300; ++n) {
        const int id = (n * 17 + seed) % EVENT_COUNT;
        const int pos = c.events.appendAction(id);
        c.events.setNumber(id, pos, (n + seed) % img::SCENES);
        c.events.setActionType(id, pos, n % 2 ? ACTION_SCENE : ACTION_PROGRAM);
    }
    c.events.appendAction(EVENT_TIMER + 5);
    c.timerTable[5].hour = uint8_t(0x10 + seed);
    c.timerTable[5].minute = 0x30;
    c.coupledSceneGroups[1] = {uint16_t(3 + seed), uint16_t(9 + seed)};
    c.sceneDescriptions[4] = QStringLiteral("scene %1").arg(seed);
    c.programDescriptions[2] = QStringLiteral("program %1").arg(seed);
    c.eventDescriptions[EVENT_DELAY_END + 3] = QStringLiteral("delay %1").arg(seed);
}

QByteArray imageBytes(const kv310_controller_class& c)
{
    return QByteArray(reinterpret_cast<const char*>(c.configImage), int(img::SIZE));
}

// The frame headers of the bulk writes, in order.
QList<QByteArray> frameHeaders(const simController& sim)
{
    QList<QByteArray> out;
    for (const simLogEntry& e : sim.logOf(SIM_BULK_OUT))
        out.append(e.data);
    return out;
}

QByteArray header(int type, int counter, int lengthCode, uint32_t address)
{
    QByteArray h(8, '\0');
    qToLittleEndian<quint32>(blockFrame::headerWord(uint8_t(type), uint8_t(counter), uint16_t(lengthCode)), h.data());
    qToLittleEndian<quint32>(address, h.data() + 4);
    return h;
}

// Another controller object on the rig's bus (the rig's own must be
// disconnected first: the interface has one claim).
std::unique_ptr<kv310_controller_class> secondController(controllerRig& rig)
{
    installUsbBackend(&rig.bus);
    auto c = std::make_unique<kv310_controller_class>();
    installUsbBackend(nullptr);
    return c;
}

QList<int> modeRequests(const simController& sim)
{
    QList<int> out;
    for (const simLogEntry& e : sim.logOf(SET_MODE))
        out.append(e.value);
    return out;
}

using simSetup = std::function<void(simController&)>;

// The controller's flash as an image whose project area holds `area` (the
// rest of the area as it was: 0xFF).
void storeArea(controllerRig& rig, const QByteArray& area)
{
    uint8_t* flash = reinterpret_cast<uint8_t*>(rig.sim->configFlash.data());
    std::memcpy(flash, rig.controller->configImage, img::projectArea);
    std::memcpy(flash + img::projectArea, area.constData(), size_t(qMin<qsizetype>(area.size(), img::PROJECT_AREA_SIZE)));
}

} // namespace

Q_DECLARE_METATYPE(simSetup)

class tst_controller_transfer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip();
    void sendAddressesAndProgress_data();
    void sendAddressesAndProgress();
    void faults_data();
    void faults();
    void sendPackOverflow();
    void failuresBeforeTheBlocks_data();
    void failuresBeforeTheBlocks();
    void readRefusedHardware_data();
    void readRefusedHardware();
    void readClampsSettings_data();
    void readClampsSettings();
    void sendStoresTooLargeADescriptionInPart();
    void readPartialDescription();
    void readOddProjectAreas_data();
    void readOddProjectAreas();
    void descriptionsBeyondLatin1RoundTrip();
    void readAreaOfAnEarlierRelease();
    void readPartialAreaCutInsideALetter();

private:
    virtualClock clock;
};

void tst_controller_transfer::roundTrip()
{
    controllerRig rig;
    buildShow(*rig.controller, 1);
    QVERIFY(rig.connect());
    QSignalSpy reset(rig.controller.get(), &kv310_controller_class::forceReset);
    {
        dialogRecorder rec;
        rig.controller->send_alldata();
        QCOMPARE(rec.texts(), QStringList{sendSucceeded});
        QCOMPARE(rec.entries.at(0).icon, QMessageBox::Information);
        QCOMPARE(rec.titles(), QStringList{QStringLiteral("KvOrbit310+")});
    }
    QCOMPARE(reset.count(), 1);
    QVERIFY(rig.controller->progressDialog == nullptr);
    QCOMPARE(rig.sim->configFramesWritten, CONFIG_BLOCKS);
    QVERIFY(rig.sim->configFlash == imageBytes(*rig.controller));
    // Transfer mode for the send, then the mode found before.
    QCOMPARE(modeRequests(*rig.sim), (QList<int>{MODE_TRANSFER, MODE_NORMAL}));
    QCOMPARE(rig.sim->workingMode(), MODE_NORMAL);
    QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
    QVERIFY(rig.status->isEmpty());

    rig.controller->setConnection(false);
    auto reader = secondController(rig);
    buildShow(*reader, 2);
    reader->maskDescriptions[3] = QStringLiteral("only in memory");
    reader->setConnection(true);
    QVERIFY(reader->connected);
    rig.sim->log.clear();
    QSignalSpy finished(reader.get(), &kv310_controller_class::readKv310Finished);
    {
        dialogRecorder rec;
        reader->read_alldata();
        QCOMPARE(rec.texts(), QStringList{readSucceeded});
        QCOMPARE(rec.entries.at(0).icon, QMessageBox::Information);
    }
    QCOMPARE(finished.count(), 1);
    QVERIFY(reader->progressDialog == nullptr);
    QCOMPARE(rig.sim->configFramesRead, CONFIG_BLOCKS);
    QVERIFY(imageBytes(*reader) == imageBytes(*rig.controller));
    const QList<simLogEntry> request = rig.sim->logOf(CONFIG_READ);
    QCOMPARE(request.size(), 1);
    QCOMPARE(int(request.at(0).value), CONFIG_BLOCKS);
    QCOMPARE(modeRequests(*rig.sim), (QList<int>{MODE_TRANSFER, MODE_NORMAL}));
    QCOMPARE(reader->deviceMode, MODE_NORMAL);
    QVERIFY(reader->connected);

    // The tables come out of the image read.
    for (int P = 0; P < 40; ++P) {
        QCOMPARE(reader->programs.stepCount(P), rig.controller->programs.stepCount(P));
        QCOMPARE(reader->programs.step(P, 0)->scene, rig.controller->programs.step(P, 0)->scene);
    }
    for (int id = 0; id < EVENT_COUNT; id += 7)
        QCOMPARE(reader->events.actionCount(id), rig.controller->events.actionCount(id));
    QCOMPARE(reader->timerTable[5].hour, uint8_t(0x11));
    QCOMPARE(reader->coupledSceneGroups[1], (QList<uint16_t>{4, 10}));
    // The descriptions come with the show, and only those.
    QCOMPARE(reader->sceneDescriptions[4], QStringLiteral("scene 1"));
    QCOMPARE(reader->programDescriptions[2], QStringLiteral("program 1"));
    QCOMPARE(reader->eventDescriptions[EVENT_DELAY_END + 3], QStringLiteral("delay 1"));
    QVERIFY(reader->maskDescriptions[3].isEmpty());
}

void tst_controller_transfer::sendAddressesAndProgress_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<uint32_t>("base");
    QTest::addColumn<int>("progressRange");
    QTest::addColumn<int>("requestValue");  // CONFIG_WRITE value on the wire

    QTest::newRow("current hardware") << TYPE_WORD_CURRENT << uint32_t(0x68000000) << 128 << 0x0001;
    QTest::newRow("old hardware") << TYPE_WORD_OLD << uint32_t(0x62000000) << 135 << 0x0100;
}

void tst_controller_transfer::sendAddressesAndProgress()
{
    QFETCH(int, typeWord);
    QFETCH(uint32_t, base);
    QFETCH(int, progressRange);
    QFETCH(int, requestValue);

    controllerRig rig(typeWord);
    QVERIFY(rig.connect());
    struct seen {
        QString label;
        int maximum;
        int value;
        bool visible;
        bool modal;
    };
    QList<seen> progress;
    rig.sim->configBlockWritten = [&](int) {
        const QProgressDialog* d = rig.controller->progressDialog;
        QVERIFY(d);
        progress.append({d->labelText(), d->maximum(), d->value(), d->isVisible(), d->isModal()});
    };
    dialogRecorder rec;
    rig.controller->send_alldata();
    QCOMPARE(rec.texts(), QStringList{sendSucceeded});

    const QList<QByteArray> headers = frameHeaders(*rig.sim);
    QCOMPARE(headers.size(), CONFIG_BLOCKS);
    QCOMPARE(headers.at(0), header(CONFIG_WRITE, 0, 0xFFFF, base));
    QCOMPARE(headers.at(5), header(CONFIG_WRITE, 5, 0xFFFF, base + 0x50000));
    QCOMPARE(headers.at(127), header(CONFIG_WRITE, 127, 0xFFFF, base + 0x7F0000));
    for (const simLogEntry& e : rig.sim->logOf(CONFIG_WRITE))
        QCOMPARE(int(e.value), requestValue);

    // One step per block, shown without blocking anyone.
    QCOMPARE(progress.size(), CONFIG_BLOCKS);
    QCOMPARE(progress.at(0).label, QStringLiteral("Sending configuration and data..."));
    QCOMPARE(progress.at(0).maximum, progressRange);
    QCOMPARE(progress.at(0).value, 0);
    QCOMPARE(progress.at(77).value, 77);
    QVERIFY(progress.at(0).visible);
    QVERIFY(!progress.at(0).modal);
    QVERIFY(rig.controller->progressDialog == nullptr);
}

void tst_controller_transfer::faults_data()
{
    QTest::addColumn<bool>("send");
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("framesWritten");  // into the controller's flash by a send

    // Every fault strikes at block 10.
    const auto afterWrittenBlock9 = [](std::function<void(simController&)> knob) {
        return simSetup([knob](simController& sim) {
            sim.configBlockWritten = [&sim, knob](int block) {
                if (block == 9)
                    knob(sim);
            };
        });
    };
    const auto readAddress = [](uint32_t address) {
        return simSetup([address](simController& s) { s.configReadAddress[10] = address; });
    };
    const uint32_t base = CONFIG_BASE_ADDRESS;

    QTest::newRow("send 1: stays busy") << true << afterWrittenBlock9([](simController& s) { s.raise(STATUS_BUSY); })
                                        << 1 << 10;
    QTest::newRow("send 2: write request refused")
        << true << simSetup([](simController& s) { s.refuse(CONFIG_WRITE, 11); }) << 2 << 10;
    QTest::newRow("send 3: never ready for data")
        << true << afterWrittenBlock9([](simController& s) { s.setRiseDelay(STATUS_READY_FOR_DATA, 10); }) << 3 << 10;
    QTest::newRow("send 4: frame cut") << true << simSetup([](simController& s) { s.shorten(SIM_BULK_OUT, 1000, 11); })
                                       << 4 << 10;
    QTest::newRow("send 4: frame refused") << true << simSetup([](simController& s) { s.refuse(SIM_BULK_OUT, 11); })
                                           << 4 << 10;
    QTest::newRow("send 5: frame never taken")
        << true << afterWrittenBlock9([](simController& s) { s.setRiseDelay(STATUS_DONE, 80); }) << 5 << 11;

    QTest::newRow("read 1: next block never ready") << false << simSetup([](simController& sim) {
        sim.configBlockReading = [&sim](int block) {
            if (block == 10)
                sim.setRiseDelay(STATUS_DONE, 20);
        };
    }) << 1 << 0;
    QTest::newRow("read 2: address before the image") << false << readAddress(0x67FF0000) << 2 << 0;
    QTest::newRow("read 2: address past the image") << false << readAddress(0x68800000) << 2 << 0;
    QTest::newRow("read 2: a block twice") << false << readAddress(base + 9 * 0x10000) << 2 << 0;
    QTest::newRow("read 2: block off its boundary") << false << readAddress(base + 10 * 0x10000 + 0x100) << 2 << 0;
    QTest::newRow("read 3: checksum wrong") << false << simSetup([](simController& s) { s.corruptFrames(11); }) << 3
                                            << 0;
    QTest::newRow("read 3: frame cut") << false << simSetup([](simController& s) { s.shorten(SIM_BULK_IN, 100, 11); })
                                       << 3 << 0;
}

void tst_controller_transfer::faults()
{
    QFETCH(bool, send);
    QFETCH(simSetup, setup);
    QFETCH(int, fault);
    QFETCH(int, framesWritten);

    controllerRig rig;
    {
        // The controller holds another show than the one in memory.
        const auto other = secondController(rig);
        buildShow(*other, 5);
        other->programs.packPrograms(other->configImage);
        other->events.packEvents(other->configImage);
        rig.sim->configFlash = imageBytes(*other);
    }
    buildShow(*rig.controller, 6);
    QVERIFY(rig.connect());
    setup(*rig.sim);
    const QByteArray image = imageBytes(*rig.controller);
    QSignalSpy reset(rig.controller.get(), &kv310_controller_class::forceReset);
    QSignalSpy finished(rig.controller.get(), &kv310_controller_class::readKv310Finished);
    dialogRecorder rec;
    const QByteArray text = QStringLiteral("fault %1!").arg(fault).toLatin1();
    QTest::ignoreMessage(QtDebugMsg, text.constData());
    send ? rig.controller->send_alldata() : rig.controller->read_alldata();

    QCOMPARE(rec.texts(), QStringList{send ? sendFailed : readFailed});
    QCOMPARE(rec.entries.at(0).icon, QMessageBox::Critical);
    QVERIFY(rig.droppedOnce());
    QCOMPARE(rig.controller->deviceMode, 0);
    QVERIFY(rig.controller->progressDialog == nullptr);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(finished.count(), 0);
    if (send) {
        QCOMPARE(rig.sim->configFramesWritten, framesWritten);
        return;
    }
    // Nothing of the other show came in; nothing of this one went.
    QVERIFY(imageBytes(*rig.controller) == image);
    QCOMPARE(rig.controller->programs.stepCount(0), 4);
    QCOMPARE(rig.controller->programs.step(0, 1)->scene, uint16_t(7));
    QCOMPARE(rig.controller->events.actionCount(6), 1);
    QCOMPARE(rig.controller->sceneDescriptions[4], QStringLiteral("scene 6"));
    QCOMPARE(rig.controller->eventDescriptions[EVENT_DELAY_END + 3], QStringLiteral("delay 6"));
}

void tst_controller_transfer::sendPackOverflow()
{
    controllerRig rig;
    // More steps than the image has step records.
    for (int P = 0; P < 9; ++P)
        rig.controller->programs.setStepCount(P, 999);
    QVERIFY(rig.connect());
    QSignalSpy reset(rig.controller.get(), &kv310_controller_class::forceReset);
    dialogRecorder rec;
    rig.controller->send_alldata();

    QCOMPARE(rec.texts().size(), 2);
    QCOMPARE(rec.texts().at(0), QStringLiteral("Program steps limit exceed!"));
    QCOMPARE(rec.texts().at(1), sendFailed);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(rig.sim->countOf(CONFIG_WRITE), 0);
    QCOMPARE(rig.sim->countOf(SIM_BULK_OUT), 0);
    // Nothing went wrong on the link: the mode found is back and the link stays.
    QCOMPARE(modeRequests(*rig.sim), (QList<int>{MODE_TRANSFER, MODE_NORMAL}));
    QVERIFY(rig.controller->connected);
    QVERIFY(rig.status->isEmpty());
}

void tst_controller_transfer::failuresBeforeTheBlocks_data()
{
    QTest::addColumn<bool>("send");
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("framesWritten");

    const simSetup noTransferMode = [](simController& s) { s.ignoreModeRequests = true; };
    QTest::newRow("send, transfer mode not confirmed") << true << noTransferMode << 0;
    QTest::newRow("read, transfer mode not confirmed") << false << noTransferMode << 0;
    QTest::newRow("read, controller stays busy")
        << false << simSetup([](simController& s) { s.busyForPolls(11); }) << 0;
    QTest::newRow("read, read request refused")
        << false << simSetup([](simController& s) { s.refuse(CONFIG_READ, 1, 10); }) << 0;
    // The controller gone while the program was idle, or hung: each ends at
    // its first failed request, a hung one after a single time-out.
    const simSetup unplugged = [](simController& s) { s.plugged = false; };
    const simSetup hung = [](simController& s) { s.hung = true; };
    QTest::newRow("send, unplugged while idle") << true << unplugged << 0;
    QTest::newRow("read, unplugged while idle") << false << unplugged << 0;
    QTest::newRow("send, hung") << true << hung << 0;
    QTest::newRow("read, hung") << false << hung << 0;
}

void tst_controller_transfer::failuresBeforeTheBlocks()
{
    QFETCH(bool, send);
    QFETCH(simSetup, setup);

    controllerRig rig;
    buildShow(*rig.controller, 3);
    rig.controller->programs.packPrograms(rig.controller->configImage);
    QVERIFY(rig.connect());
    setup(*rig.sim);
    const QByteArray before = imageBytes(*rig.controller);
    QSignalSpy finished(rig.controller.get(), &kv310_controller_class::readKv310Finished);
    dialogRecorder rec;
    const qint64 start = clock.now;
    send ? rig.controller->send_alldata() : rig.controller->read_alldata();
    QVERIFY(clock.now - start <= USB_TIMEOUT_MS + 2000);

    // The user is told; the status label alone is easily missed.
    QCOMPARE(rec.texts(), QStringList{send ? sendFailed : readFailed});
    QCOMPARE(rec.entries.at(0).icon, QMessageBox::Critical);
    QVERIFY(rig.droppedOnce());
    QCOMPARE(rig.sim->countOf(SIM_BULK_OUT) + rig.sim->countOf(SIM_BULK_IN), 0);
    QCOMPARE(finished.count(), 0);
    QVERIFY(rig.controller->progressDialog == nullptr);
    if (!send) {
        QVERIFY(imageBytes(*rig.controller) == before);
        QCOMPARE(rig.controller->sceneDescriptions[4], QStringLiteral("scene 3"));
    }
}

void tst_controller_transfer::readRefusedHardware_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("hardwareCode");
    QTest::addColumn<QString>("text");

    QTest::newRow("old hardware") << TYPE_WORD_OLD << 0xD3
                                  << QStringLiteral("For Kv310 version 3.99 or less, use older KvOrbit310.exe!");
    QTest::newRow("another code") << TYPE_WORD_CURRENT << 0xD8
                                  << QStringLiteral("This software supports Kv310+ controllers only!");
}

void tst_controller_transfer::readRefusedHardware()
{
    QFETCH(int, typeWord);
    QFETCH(int, hardwareCode);
    QFETCH(QString, text);

    controllerRig rig(typeWord);
    buildShow(*rig.controller, 7);
    QVERIFY(rig.connect());
    rig.controller->hardwareCode = hardwareCode;
    const QByteArray image = imageBytes(*rig.controller);
    QSignalSpy finished(rig.controller.get(), &kv310_controller_class::readKv310Finished);
    dialogRecorder rec;
    rig.controller->read_alldata();

    QCOMPARE(rec.texts(), QStringList{text});
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("Improper hardware")});
    QCOMPARE(rec.entries.at(0).icon, QMessageBox::Information);
    QCOMPARE(rig.sim->countOf(CONFIG_READ), 0);
    // The mode found before the read is back, and the link stays.
    QCOMPARE(rig.sim->workingMode(), MODE_NORMAL);
    QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
    QCOMPARE(modeRequests(*rig.sim).size(), 2);
    QVERIFY(rig.controller->connected);
    QVERIFY(rig.status->isEmpty());
    // Refused means untouched: no descriptions cleared, nothing reloaded.
    QCOMPARE(finished.count(), 0);
    QVERIFY(imageBytes(*rig.controller) == image);
    QCOMPARE(rig.controller->sceneDescriptions[4], QStringLiteral("scene 7"));
    QCOMPARE(rig.controller->programDescriptions[2], QStringLiteral("program 7"));
}

void tst_controller_transfer::readClampsSettings_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("mbft");
    QTest::addColumn<int>("channelsRead");
    QTest::addColumn<int>("mbftRead");

    QTest::newRow("no channels, no code") << 0 << 0xFFFF << 24 << 10;
    QTest::newRow("too many channels, code too large") << 600 << 200 << 512 << 90;
    QTest::newRow("in range") << 300 << 90 << 300 << 90;
    QTest::newRow("edges") << 24 << 0 << 24 << 0;
}

void tst_controller_transfer::readClampsSettings()
{
    QFETCH(int, channels);
    QFETCH(int, mbft);
    QFETCH(int, channelsRead);
    QFETCH(int, mbftRead);

    controllerRig rig;
    uint8_t* flash = reinterpret_cast<uint8_t*>(rig.sim->configFlash.data());
    std::memcpy(flash, rig.controller->configImage, img::SIZE);
    img::putU16(flash, img::outputChannelCount, uint16_t(channels));
    img::putU16(flash, img::mbftCode, uint16_t(mbft));
    QVERIFY(rig.connect());
    dialogRecorder rec;
    rig.controller->read_alldata();

    QCOMPARE(rec.texts(), QStringList{readSucceeded});
    QCOMPARE(int(img::getU16(rig.controller->configImage, img::outputChannelCount)), channelsRead);
    QCOMPARE(int(img::getU16(rig.controller->configImage, img::mbftCode)), mbftRead);
}

void tst_controller_transfer::sendStoresTooLargeADescriptionInPart()
{
    controllerRig rig;
    // Descriptions that even compressed do not fit the project area.
    QRandomGenerator random(7);
    for (QString& d : rig.controller->sceneDescriptions) {
        d.resize(400);
        for (QChar& c : d)
            c = QChar(char16_t('0' + random.bounded(75)));
    }
    QVERIFY(rig.connect());
    QSignalSpy reset(rig.controller.get(), &kv310_controller_class::forceReset);
    dialogRecorder rec;
    rig.controller->send_alldata();

    QCOMPARE(rec.texts(), (QStringList{storedInPart, sendSucceeded}));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(rig.sim->configFramesWritten, CONFIG_BLOCKS);
    QVERIFY(rig.sim->configFlash.mid(img::projectArea).startsWith("<partial>\n"));
}

void tst_controller_transfer::readPartialDescription()
{
    controllerRig rig;
    QByteArray xml;
    {
        const auto other = secondController(rig);
        other->sceneDescriptions[8] = QStringLiteral("from the controller");
        QString text;
        other->writeProjectXml(text);
        xml = text.toLatin1();
    }
    storeArea(rig, "<partial>\n" + xml + '\0');
    rig.controller->sceneDescriptions[8] = QStringLiteral("in memory");
    QVERIFY(rig.connect());
    QSignalSpy finished(rig.controller.get(), &kv310_controller_class::readKv310Finished);
    dialogRecorder rec;
    rig.controller->read_alldata();

    // The user learns of the cut before the parse, and before the result.
    QCOMPARE(rec.texts(), (QStringList{storedInPart, readSucceeded}));
    QCOMPARE(rig.controller->sceneDescriptions[8], QStringLiteral("from the controller"));
    QCOMPARE(finished.count(), 1);
}

void tst_controller_transfer::readOddProjectAreas_data()
{
    QTest::addColumn<QByteArray>("area");
    QTest::addColumn<QStringList>("shown");

    const int size = int(img::PROJECT_AREA_SIZE);
    const auto filled = [size](QByteArray head, char fill) {
        head.append(QByteArray(size - int(head.size()), fill));
        return head;
    };
    const QStringList succeeded{readSucceeded};
    QTest::newRow("no end in the area") << filled("", 'x') << succeeded;
    QTest::newRow("a project cut by the end of the area")
        << filled("\n<project>\n<file>", 'x')
        << QStringList{QStringLiteral("Errors parsing file\n\"\" occured!\nRefer to \"xml_report.log\"."),
                       readSucceeded};
    QTest::newRow("compressed, size beyond the area") << filled("<compressed size=9999999 >", 'x') << succeeded;
    QTest::newRow("compressed, digits to the end") << filled("<compressed size=", '9') << succeeded;
    QTest::newRow("compressed, no closing bracket") << filled("<compressed size=100", 'y') << succeeded;
    QTest::newRow("compressed, block past the end") << filled("<compressed size=2621000 >", 'x') << succeeded;
    QTest::newRow("compressed, not compressed") << filled("<compressed size=100 >", 'x') << succeeded;
    QTest::newRow("partial, no end") << filled("<partial>\n", 'x') << QStringList{storedInPart, readSucceeded};
}

void tst_controller_transfer::readOddProjectAreas()
{
    QFETCH(QByteArray, area);
    QFETCH(QStringList, shown);

    // A project cut short is reported in a file of the working directory.
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    controllerRig rig;
    storeArea(rig, area);
    rig.controller->sceneDescriptions[4] = QStringLiteral("in memory");
    QVERIFY(rig.connect());
    QSignalSpy finished(rig.controller.get(), &kv310_controller_class::readKv310Finished);
    dialogRecorder rec;
    rig.controller->read_alldata();
    QDir::setCurrent(previous);

    QCOMPARE(rec.texts(), shown);
    QCOMPARE(finished.count(), 1);
    // The show was taken over: its descriptions are the area's, here none.
    QVERIFY(rig.controller->sceneDescriptions[4].isEmpty());
    QVERIFY(rig.controller->configImage[img::projectArea] == uint8_t(area.at(0)));
}

void tst_controller_transfer::descriptionsBeyondLatin1RoundTrip()
{
    controllerRig rig;
    kv310_controller_class& c = *rig.controller;
    const QString polish = QStringLiteral("zażółć gęślą");
    const QString dash = QStringLiteral("Scene 0 – front wash");
    const QString mixed = QStringLiteral("Żółty € <&> ½");
    c.sceneDescriptions[0] = polish;
    c.sceneDescriptions[10239] = dash;
    c.programDescriptions[3] = mixed;
    QVERIFY(rig.connect());
    {
        dialogRecorder rec;
        c.send_alldata();
        QCOMPARE(rec.texts(), QStringList{sendSucceeded});
    }
    QVERIFY(rig.sim->configFlash.mid(img::projectArea).contains(polish.toUtf8()));

    c.sceneDescriptions[0] = QStringLiteral("changed");
    c.sceneDescriptions[10239].clear();
    c.programDescriptions[3].clear();
    dialogRecorder rec;
    c.read_alldata();
    QCOMPARE(rec.texts(), QStringList{readSucceeded});
    QCOMPARE(c.sceneDescriptions[0], polish);
    QCOMPARE(c.sceneDescriptions[10239], dash);
    QCOMPARE(c.programDescriptions[3], mixed);
}

// Earlier releases stored the text as Latin-1: it reads as it did.
void tst_controller_transfer::readAreaOfAnEarlierRelease()
{
    controllerRig rig;
    const QString text = QStringLiteral("Café crème à ½ prix");
    QByteArray latin1;
    {
        const auto other = secondController(rig);
        other->sceneDescriptions[2] = text;
        QString xml;
        other->writeProjectXml(xml);
        latin1 = xml.toLatin1();
    }
    QVERIFY(latin1.contains("Caf\xe9 cr\xe8me"));
    storeArea(rig, latin1 + '\0');
    QVERIFY(rig.connect());
    dialogRecorder rec;
    rig.controller->read_alldata();

    QCOMPARE(rec.texts(), QStringList{readSucceeded});
    QCOMPARE(rig.controller->sceneDescriptions[2], text);
}

// A text too long for the area even compressed is stored in part, cut by
// the end of the area wherever that falls: here inside a Polish letter.
// The text is UTF-8 still, which the parse-error report shows.
void tst_controller_transfer::readPartialAreaCutInsideALetter()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    controllerRig rig;
    const QString polish = QStringLiteral("zażółć gęślą – przód");
    QByteArray utf8;
    {
        const auto other = secondController(rig);
        other->sceneDescriptions[0] = polish;
        // Past the end of the area, in two-byte letters; one "a" more or
        // less moves the area's end onto the first byte of a letter.
        for (const QString& before : {QString(), QStringLiteral("a")}) {
            other->sceneDescriptions[1] = before + QString(int(img::PROJECT_AREA_SIZE / 2), QChar(0x17C));
            QString xml;
            other->writeProjectXml(xml);
            utf8 = ("<partial>\n" + xml.toUtf8()).left(img::PROJECT_AREA_SIZE);
            if (uint8_t(utf8.back()) == 0xC5)
                break;
        }
    }
    QCOMPARE(uint8_t(utf8.back()), uint8_t(0xC5));
    storeArea(rig, utf8);
    QVERIFY(rig.connect());
    dialogRecorder rec;
    rig.controller->read_alldata();
    QFile report(QStringLiteral("xml_report.log"));
    const bool opened = report.open(QIODevice::ReadOnly);
    const QByteArray reported = report.readAll();
    report.close();
    QDir::setCurrent(previous);

    QCOMPARE(rec.texts(), (QStringList{storedInPart,
                                       QStringLiteral("Errors parsing file\n\"\" occured!\nRefer to \"xml_report.log\"."),
                                       readSucceeded}));
    QVERIFY(opened);
    QVERIFY(reported.contains(polish.toUtf8()));
}

QTEST_MAIN(tst_controller_transfer)
#include "tst_controller_transfer.moc"
