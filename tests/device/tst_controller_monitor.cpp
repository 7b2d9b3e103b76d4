#include "controller_rig.h"

#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"

#include <QTest>

#include <cstring>
#include <functional>

namespace {

using simSetup = std::function<void(simController&)>;

QStringList messages(const dialogRecorder& rec)
{
    QStringList out;
    for (const dialogRecorder::entry& e : rec.entries)
        out.append(e.title + QStringLiteral(" / ") + e.text);
    return out;
}

QStringList usb(const char* text)
{
    return {QStringLiteral("USB Interface / ") + QString::fromLatin1(text)};
}

simSetup none()
{
    return [](simController&) {};
}

uint16_t word(const QByteArray& block, int offset)
{
    return qFromLittleEndian<quint16>(block.constData() + offset);
}

} // namespace

Q_DECLARE_METATYPE(simSetup)

class tst_controller_monitor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void notConnected_data();
    void notConnected();
    void nothingToRead_data();
    void nothingToRead();
    void inputLevels_data();
    void inputLevels();
    void dmxValues_data();
    void dmxValues();
    void internalStates_data();
    void internalStates();
    void statesBlockLayout();
    void statesDebugCounters();

private:
    virtualClock clock;
};

void tst_controller_monitor::notConnected_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("inputs") << MONITOR_INPUTS;
    QTest::newRow("DMX") << MONITOR_DMX;
    QTest::newRow("internal states") << MONITOR_STATES;
    QTest::newRow("no kind") << 2;
}

void tst_controller_monitor::notConnected()
{
    QFETCH(int, kind);
    controllerRig rig;
    QByteArray buffer(STATES_BLOCK_SIZE, '\0');
    dialogRecorder rec;
    QCOMPARE(rig.controller->readInputStates(kind, buffer.data(), DMX_SOURCE_OUTPUT), -1);
    QCOMPARE(messages(rec), usb("Not connected!"));
    QCOMPARE(rec.entries.at(0).icon, QMessageBox::Critical);
    QVERIFY(rig.sim->log.isEmpty());
}

void tst_controller_monitor::nothingToRead_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("withBuffer");
    QTest::newRow("kind 2") << 2 << true;
    QTest::newRow("kind 5") << 5 << true;
    QTest::newRow("DMX without buffer") << MONITOR_DMX << false;
    QTest::newRow("inputs without buffer") << MONITOR_INPUTS << false;
}

void tst_controller_monitor::nothingToRead()
{
    QFETCH(int, kind);
    QFETCH(bool, withBuffer);
    controllerRig rig;
    QVERIFY(rig.connect());
    QByteArray buffer(STATES_BLOCK_SIZE, '\0');
    dialogRecorder rec;
    QCOMPARE(rig.controller->readInputStates(kind, withBuffer ? buffer.data() : nullptr, DMX_SOURCE_OUTPUT), -1);
    QVERIFY(rec.entries.isEmpty());
    QVERIFY(rig.sim->log.isEmpty());
}

void tst_controller_monitor::inputLevels_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("requests");

    QTest::newRow("read") << TYPE_WORD_CURRENT << none() << 0 << QStringList() << 1;
    QTest::newRow("read, old hardware") << TYPE_WORD_OLD << none() << 0 << QStringList() << 1;
    QTest::newRow("four short answers, then one whole")
        << TYPE_WORD_CURRENT << simSetup([](simController& s) { s.shorten(MONITOR_READ, 2, 1, 4); }) << 0
        << QStringList() << 5;
    QTest::newRow("five short answers")
        << TYPE_WORD_CURRENT << simSetup([](simController& s) { s.shorten(MONITOR_READ, 2, 1, 5); }) << -1
        << usb("Cannot read inputs' states!") << 5;
    QTest::newRow("five refusals")
        << TYPE_WORD_CURRENT << simSetup([](simController& s) { s.refuse(MONITOR_READ, 1, 5); }) << -1
        << usb("Cannot read inputs' states!") << 5;
}

void tst_controller_monitor::inputLevels()
{
    QFETCH(int, typeWord);
    QFETCH(simSetup, setup);
    QFETCH(int, result);
    QFETCH(QStringList, shown);
    QFETCH(int, requests);

    controllerRig rig(typeWord);
    QVERIFY(rig.connect());
    // Inputs 1, 10 and 24.
    rig.sim->inputLevels = 0x800201;
    setup(*rig.sim);
    quint32 levels = 0;
    dialogRecorder rec;
    QCOMPARE(rig.controller->readInputStates(MONITOR_INPUTS, &levels, 0), result);
    QCOMPARE(messages(rec), shown);
    QCOMPARE(rig.sim->countOf(MONITOR_READ), requests);
    if (result == 0)
        QCOMPARE(qFromLittleEndian(levels), quint32(0x800201));
    QVERIFY(rig.controller->connected);
}

void tst_controller_monitor::dmxValues_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<unsigned>("source");
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("polls");

    const int current = TYPE_WORD_CURRENT;
    QTest::newRow("output values") << current << DMX_SOURCE_OUTPUT << none() << 0 << QStringList() << 1;
    QTest::newRow("input values") << current << DMX_SOURCE_INPUT << none() << 0 << QStringList() << 1;
    QTest::newRow("output values, old hardware") << TYPE_WORD_OLD << DMX_SOURCE_OUTPUT << none() << 0 << QStringList()
                                                 << 1;
    QTest::newRow("ready at the tenth poll")
        << current << DMX_SOURCE_OUTPUT << simSetup([](simController& s) { s.monitorReadyAfterPolls = 9; }) << 0
        << QStringList() << 10;
    QTest::newRow("not ready in ten polls")
        << current << DMX_SOURCE_OUTPUT << simSetup([](simController& s) { s.monitorReadyAfterPolls = 10; }) << -1
        << usb("Protocol error!") << 10;
    QTest::newRow("checksum off by one")
        << current << DMX_SOURCE_OUTPUT << simSetup([](simController& s) { s.corruptFrames(); }) << -1
        << usb("Reading error!") << 1;
    QTest::newRow("frame cut") << current << DMX_SOURCE_INPUT
                               << simSetup([](simController& s) { s.shorten(SIM_BULK_IN, 500); }) << -1
                               << usb("Reading error!") << 1;
    QTest::newRow("status unreadable")
        << current << DMX_SOURCE_OUTPUT << simSetup([](simController& s) { s.refuse(GET_STATUS); }) << -1
        << usb("Control error!") << 1;
    QTest::newRow("request taken at the fiftieth try")
        << current << DMX_SOURCE_OUTPUT << simSetup([](simController& s) { s.refuse(DMX_MONITOR_READ, 1, 49); })
        << 0 << QStringList() << 1;
    QTest::newRow("request refused fifty times")
        << current << DMX_SOURCE_OUTPUT << simSetup([](simController& s) { s.refuse(DMX_MONITOR_READ, 1, 50); })
        << -1 << QStringList{QStringLiteral("USB Interface / Cannot initiate reading!")} << 0;
}

void tst_controller_monitor::dmxValues()
{
    QFETCH(int, typeWord);
    QFETCH(unsigned, source);
    QFETCH(simSetup, setup);
    QFETCH(int, result);
    QFETCH(QStringList, shown);
    QFETCH(int, polls);

    controllerRig rig(typeWord);
    QVERIFY(rig.connect());
    for (int c = 0; c < 512; ++c) {
        rig.sim->output[c] = char(c * 7);
        rig.sim->dmxInput[c] = char(255 - c);
    }
    setup(*rig.sim);
    QByteArray buffer(DMX_MONITOR_FRAME_SIZE, '\0');
    const qint64 start = clock.now;
    dialogRecorder rec;
    QCOMPARE(rig.controller->readInputStates(MONITOR_DMX, buffer.data(), source), result);
    QCOMPARE(messages(rec), shown);
    QCOMPARE(rig.sim->countOf(GET_STATUS), polls);
    // The source goes out as it is, also where words are exchanged.
    for (const simLogEntry& e : rig.sim->logOf(DMX_MONITOR_READ)) {
        QCOMPARE(int(e.value), 0);
        QCOMPARE(unsigned(e.index), source);
    }
    if (result == 0) {
        const QByteArray& values = source == DMX_SOURCE_INPUT ? rig.sim->dmxInput : rig.sim->output;
        QCOMPARE(buffer.mid(8, 512), values);
    } else if (polls == 0) {
        // A refused request is asked again 1 ms later.
        QCOMPARE(clock.now - start, qint64(50));
    }
    QVERIFY(rig.controller->connected);
}

void tst_controller_monitor::internalStates_data()
{
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("polls");
    QTest::addColumn<QStringList>("debug");

    const QString first0 = QStringLiteral("1.max 0");
    QTest::newRow("read") << none() << 0 << QStringList() << 2 << QStringList{first0};
    QTest::newRow("ready at the 120th poll")
        << simSetup([](simController& s) { s.monitorReadyAfterPolls = 119; }) << 0 << QStringList() << 121
        << QStringList{QStringLiteral("1.max 119")};
    QTest::newRow("not ready in 120 polls")
        << simSetup([](simController& s) { s.monitorReadyAfterPolls = 120; }) << -1 << usb("Protocol error!") << 120
        << QStringList{QStringLiteral("1.max 120")};
    QTest::newRow("finished at the 100th poll")
        << simSetup([](simController& s) { s.statesFinishedAfterPolls = 99; }) << 0 << QStringList() << 101
        << QStringList{first0, QStringLiteral("2.max 99")};
    QTest::newRow("not finished in 100 polls")
        << simSetup([](simController& s) { s.statesFinishedAfterPolls = 100; }) << -1 << usb("Protocol error!")
        << 101
        << QStringList{first0, QStringLiteral("2.max 100"), QStringLiteral("Niepowodzenie odczytu stanow wewn.!")};
    QTest::newRow("last two bytes outside the check")
        << simSetup([](simController& s) { s.statesTail = 0xBEEF; }) << 0 << QStringList() << 2
        << QStringList{first0};
    QTest::newRow("checked word wrong") << simSetup([](simController& s) { s.corruptFrames(); }) << -1
                                        << usb("Reading error!") << 2 << QStringList{first0};
    QTest::newRow("block cut") << simSetup([](simController& s) { s.shorten(SIM_BULK_IN, 2000); }) << -1
                               << usb("Reading error!") << 1 << QStringList{first0};
    QTest::newRow("status unreadable after the block")
        << simSetup([](simController& s) { s.refuse(GET_STATUS, 2); }) << -1 << usb("Control error!") << 2
        << QStringList{first0};
    QTest::newRow("request refused fifty times")
        << simSetup([](simController& s) { s.refuse(MONITOR_READ, 1, 50); }) << -1
        << QStringList{QStringLiteral("USB Interface / Cannot initiate reading!")} << 0 << QStringList();
}

void tst_controller_monitor::internalStates()
{
    QFETCH(simSetup, setup);
    QFETCH(int, result);
    QFETCH(QStringList, shown);
    QFETCH(int, polls);
    QFETCH(QStringList, debug);

    controllerRig rig(TYPE_WORD_OLD);
    QVERIFY(rig.connect());
    rig.sim->internalStates.scenes = {4, 10239};
    rig.sim->internalStates.setState(17, true);
    setup(*rig.sim);
    for (const QString& line : std::as_const(debug))
        QTest::ignoreMessage(QtDebugMsg, line.toLatin1().constData());
    QByteArray buffer(STATES_BLOCK_SIZE, '\0');
    dialogRecorder rec;
    QCOMPARE(rig.controller->readInputStates(MONITOR_STATES, buffer.data(), 0), result);
    QCOMPARE(messages(rec), shown);
    QCOMPARE(rig.sim->countOf(GET_STATUS), polls);
    if (result == 0)
        QCOMPARE(buffer, rig.sim->statesBlock());
    // The request carries its value as a word.
    QCOMPARE(int(rig.sim->logOf(MONITOR_READ).at(0).value), 0x0600);
    QVERIFY(rig.controller->connected);
}

void tst_controller_monitor::statesBlockLayout()
{
    controllerRig rig;
    QVERIFY(rig.connect());
    simInternalStates& s = rig.sim->internalStates;
    s.scenes = {4, 11};
    s.programs = {{5, 2}, {5, 9}};
    s.masks = {6};
    s.delays = {0, 511};
    s.setState(2, true);
    s.setState(68, true);
    QByteArray block(STATES_BLOCK_SIZE, '\0');
    QTest::ignoreMessage(QtDebugMsg, "1.max 0");
    QCOMPARE(rig.controller->readInputStates(MONITOR_STATES, block.data(), 0), 0);

    // Counts and offsets (in words from the list area at byte 26), from byte 0.
    QCOMPARE(word(block, 0), uint16_t(2));
    QCOMPARE(word(block, 4), uint16_t(2));
    QCOMPARE(word(block, 8), uint16_t(1));
    QCOMPARE(word(block, 12), uint16_t(2));
    const auto entry = [&block](int offsetField, int i) { return word(block, 26 + 2 * (word(block, offsetField) + i)); };
    QCOMPARE(entry(2, 0), uint16_t(4));
    QCOMPARE(entry(2, 1), uint16_t(11));
    QCOMPARE(entry(6, 2), uint16_t(5));
    QCOMPARE(entry(6, 3), uint16_t(9));
    QCOMPARE(entry(10, 0), uint16_t(6));
    QCOMPARE(entry(14, 1), uint16_t(511));
    // State n is bit 11 + n of the 80 bits from byte 16.
    QCOMPARE(word(block, 16), uint16_t(1u << 13));
    QCOMPARE(word(block, 24), uint16_t(1u << 15));
    // The check: the first 606 words sum to 0.
    QCOMPARE(blockFrame::wordSum(reinterpret_cast<const uint8_t*>(block.constData()), STATES_CHECKED_WORDS), 0u);
}

void tst_controller_monitor::statesDebugCounters()
{
    controllerRig rig;
    QVERIFY(rig.connect());
    QByteArray buffer(STATES_BLOCK_SIZE, '\0');
    const auto read = [&](int ready, int finished) {
        rig.sim->monitorReadyAfterPolls = ready;
        rig.sim->statesFinishedAfterPolls = finished;
        return rig.controller->readInputStates(MONITOR_STATES, buffer.data(), 0);
    };
    debugLineCounter five("1.max 5");
    QTest::ignoreMessage(QtDebugMsg, "1.max 5");
    QTest::ignoreMessage(QtDebugMsg, "2.max 3");
    QCOMPARE(read(5, 3), 0);
    // Waits no longer than the longest so far add nothing.
    QCOMPARE(read(5, 3), 0);
    QCOMPARE(read(2, 0), 0);
    QCOMPARE(five.seen(), 1);
    QTest::ignoreMessage(QtDebugMsg, "1.max 7");
    QCOMPARE(read(7, 1), 0);
    QCOMPARE(rig.controller->statesReadyMaxPolls, 7);
    QCOMPARE(rig.controller->statesFinishedMaxPolls, 3);
}

QTEST_MAIN(tst_controller_monitor)
#include "tst_controller_monitor.moc"
