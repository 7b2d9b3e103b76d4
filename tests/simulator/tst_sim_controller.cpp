#include "simulator/sim_controller.h"
#include "simulator/sim_environment.h"
#include "transport/device_factory.h"
#include "transport/t_threadUsbDevice.h"
#include "support/virtual_clock.h"

#include <QTest>
#include <QtEndian>

#include <memory>

namespace {

const QString serialA = QStringLiteral("01D30001-0001");

// Keeps the requests as the controller's dispatch saw them.
class recordingController : public simController {
public:
    using simController::simController;
    QList<simRequest> seen;

protected:
    int handleRequest(const simRequest& r, QByteArray* answer) override
    {
        seen.append(r);
        return simController::handleRequest(r, answer);
    }
};

// A device connected to one controller on its own bus.
struct simRig {
    explicit simRig(int typeWord = TYPE_WORD_CURRENT)
    {
        sim = &bus.addController(serialA, typeWord);
        device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
        connected = device.connect() == typeWord;
        sim->log.clear();
    }
    uint32_t status()
    {
        uint8_t answer[STATUS_ANSWER_SIZE];
        if (device.controlRead(GET_STATUS, 0, 0, answer, STATUS_ANSWER_SIZE) != STATUS_ANSWER_SIZE)
            return 0xFFFFFFFFu;
        return qFromLittleEndian<quint32>(answer);
    }
    // Polls until all bits show; the number of polls that did not show them,
    // or -1 when they did not show within `limit` polls.
    int pollsWithout(int bits, int limit = 50)
    {
        for (int i = 0; i < limit; ++i) {
            if ((status() & uint32_t(bits)) == uint32_t(bits))
                return i;
        }
        return -1;
    }

    simBus bus;
    simController* sim = nullptr;
    t_threadUsbDevice device{&bus};
    bool connected = false;
};

} // namespace

// Writes one 64 KB configuration frame after CONFIG_WRITE; the status word after it.
uint32_t writeConfigFrame(simRig& rig, uint32_t address, const QByteArray& data)
{
    if (rig.device.controlWrite(CONFIG_WRITE, swapWordBytes(1, rig.sim->oldHardware()), 0, nullptr, 0) < 0)
        return 0xFFFFFFFFu;
    transferBlock block;
    block.type = CONFIG_WRITE;
    block.length = int(data.size());
    block.address = address;
    block.data = reinterpret_cast<const uint8_t*>(data.constData());
    rig.device.bulkWrite(block.pack(), block.frameSize());
    return rig.status();
}

class tst_sim_controller : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void identity();
    void statusAnswer();
    void bitsRiseAfterPolls();
    void bitsRiseOnTheLinkClock();
    void incomingFrames_data();
    void incomingFrames();
    void outgoingFrames();
    void refuseTheNthRequest();
    void oldHardwareWords_data();
    void oldHardwareWords();
    void unpluggedController();
    void environmentInstallsTheBus();
    void workingModes_data();
    void workingModes();
    void restartLeavesTheBusForAWhile_data();
    void restartLeavesTheBusForAWhile();
    void liveOutput();
    void realTimeClock();
    void raisedEvents();
    void configFlashWrites_data();
    void configFlashWrites();
    void configFlashReadsOneBlockAtATime();
    void remoteControlLearning();

private:
    virtualClock clock;
};

void tst_sim_controller::identity()
{
    simRig rig;
    QVERIFY(rig.connected);
    rig.sim->firmwareMajor = 3;
    rig.sim->firmwareMinor = 5;
    rig.sim->firmwareBuild = -2;
    rig.sim->stateCode = 0xAA;

    uint8_t answer[8] = {};
    QCOMPARE(rig.device.controlRead(GET_FIRMWARE_VERSION, 0, 0, answer, 4), 4);
    QCOMPARE(int8_t(answer[0]), int8_t(3));
    QCOMPARE(int8_t(answer[1]), int8_t(5));
    QCOMPARE(qFromLittleEndian<qint16>(answer + 2), qint16(-2));
    QCOMPARE(rig.device.controlRead(GET_STATE, 0, 0, answer, 4), 4);
    QCOMPARE(answer[1], uint8_t(0xAA));
    // Asked for more than it answers, the controller sends what it has.
    QCOMPARE(rig.device.controlRead(GET_DEVICE_TYPE, 0, 0, answer, 8), 2);
    // Requests it does not know, and known ones in the wrong direction, stall.
    QCOMPARE(rig.device.controlRead(0x60, 0, 0, answer, 4), -1);
    QCOMPARE(rig.device.controlWrite(GET_STATUS, 0, 0, nullptr, 0), -1);
    QCOMPARE(rig.sim->log.size(), 5);
    QCOMPARE(rig.sim->log.last().result, int(USB_ERROR_PIPE));
}

void tst_sim_controller::statusAnswer()
{
    simRig rig;
    rig.sim->raise(STATUS_FROZEN | STATUS_HALTED);
    uint8_t answer[STATUS_ANSWER_SIZE];
    std::memset(answer, 0xEE, sizeof answer);
    QCOMPARE(rig.device.controlRead(GET_STATUS, 0, 0, answer, STATUS_ANSWER_SIZE), STATUS_ANSWER_SIZE);
    QCOMPARE(qFromLittleEndian<quint32>(answer), quint32(STATUS_FROZEN | STATUS_HALTED));
    QCOMPARE(qFromLittleEndian<quint32>(answer + 4), 0u);

    rig.sim->lower(STATUS_HALTED);
    QCOMPARE(rig.status(), uint32_t(STATUS_FROZEN));

    // Busy for three polls, then clear.
    rig.sim->busyForPolls(3);
    QCOMPARE(rig.pollsWithout(0, 1), 0);
    QCOMPARE(rig.status() & STATUS_BUSY, uint32_t(STATUS_BUSY));
    QCOMPARE(rig.status() & STATUS_BUSY, uint32_t(STATUS_BUSY));
    QCOMPARE(rig.status() & STATUS_BUSY, 0u);

    // A short status answer.
    rig.sim->shorten(GET_STATUS, 4);
    QCOMPARE(rig.device.controlRead(GET_STATUS, 0, 0, answer, STATUS_ANSWER_SIZE), 4);
}

void tst_sim_controller::bitsRiseAfterPolls()
{
    simRig rig;
    rig.sim->raiseAfterPolls(STATUS_DONE, 2);
    QCOMPARE(rig.pollsWithout(STATUS_DONE), 2);

    // A rise delay holds back every later rise of the bit; lowering forgets a scheduled rise.
    rig.sim->lower(STATUS_DONE);
    rig.sim->setRiseDelay(STATUS_DONE, 3);
    rig.sim->raise(STATUS_DONE);
    QCOMPARE(rig.pollsWithout(STATUS_DONE), 3);
    rig.sim->lower(STATUS_DONE);
    rig.sim->raise(STATUS_DONE);
    rig.sim->lower(STATUS_DONE);
    QCOMPARE(rig.pollsWithout(STATUS_DONE, 10), -1);
    rig.sim->setRiseDelay(STATUS_DONE, 0);
    rig.sim->raise(STATUS_DONE);
    QCOMPARE(rig.pollsWithout(STATUS_DONE), 0);
}

void tst_sim_controller::bitsRiseOnTheLinkClock()
{
    simRig rig;
    rig.sim->raiseAtMs(STATUS_HALTED, clock.now + 250);
    rig.sim->busyForMs(150);
    int polls = 0;
    while (!(rig.status() & STATUS_HALTED) && polls < 10) {
        ++polls;
        clock.sleepMs(100);
    }
    QCOMPARE(polls, 3);
    QCOMPARE(rig.status() & STATUS_BUSY, 0u);

    // The log carries the link-clock time of each request.
    const QList<simLogEntry> statusReads = rig.sim->logOf(GET_STATUS);
    QCOMPARE(statusReads.size(), 5);
    QCOMPARE(statusReads[1].atMs - statusReads[0].atMs, 100);
}

void tst_sim_controller::incomingFrames_data()
{
    QTest::addColumn<int>("flipByte");    // -1 = intact
    QTest::addColumn<int>("frameType");
    QTest::addColumn<bool>("handlerAccepts");
    QTest::addColumn<int>("moved");       // bytes the controller takes; -1 = all
    QTest::addColumn<int>("statusAfter");

    QTest::newRow("intact") << -1 << int(CONFIG_WRITE) << true << -1 << STATUS_DONE;
    QTest::newRow("one flipped data bit") << 300 << int(CONFIG_WRITE) << true << -1 << STATUS_FAILED;
    QTest::newRow("flipped checksum bit") << 65547 << int(CONFIG_WRITE) << true << -1 << STATUS_FAILED;
    QTest::newRow("other frame type") << -1 << int(FLASH_WRITE) << true << -1 << STATUS_FAILED;
    QTest::newRow("refused by the controller") << -1 << int(CONFIG_WRITE) << false << -1 << STATUS_FAILED;
    QTest::newRow("cut short") << -1 << int(CONFIG_WRITE) << true << 1000 << STATUS_FAILED;
}

void tst_sim_controller::incomingFrames()
{
    QFETCH(int, flipByte);
    QFETCH(int, frameType);
    QFETCH(bool, handlerAccepts);
    QFETCH(int, moved);
    QFETCH(int, statusAfter);

    simRig rig;
    QByteArray image(0x10000, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i);
    uint32_t seenAddress = 0;
    int seenLength = 0;
    rig.sim->expectFrames(CONFIG_WRITE, 2, false, [&](const blockFrameView& frame) {
        seenAddress = frame.address;
        seenLength = frame.length;
        return handlerAccepts;
    });
    QCOMPARE(rig.status(), uint32_t(STATUS_READY_FOR_DATA));

    transferBlock block;
    block.type = frameType;
    block.counter = 0;
    block.length = 0x10000;
    block.address = 0x68000000;
    block.data = reinterpret_cast<const uint8_t*>(image.constData());
    uint8_t* frame = block.pack();
    if (flipByte >= 0)
        frame[flipByte] ^= 0x10;
    if (moved >= 0)
        rig.sim->shorten(SIM_BULK_OUT, moved);
    QCOMPARE(rig.device.bulkWrite(frame, block.frameSize()), moved >= 0 ? moved : 65548);

    const uint32_t status = rig.status();
    QCOMPARE(status & uint32_t(STATUS_DONE | STATUS_FAILED), uint32_t(statusAfter));
    if (statusAfter == STATUS_DONE) {
        QCOMPARE(seenAddress, 0x68000000u);
        QCOMPARE(seenLength, 0x10000);
        // One more frame was announced.
        QCOMPARE(status & STATUS_READY_FOR_DATA, uint32_t(STATUS_READY_FOR_DATA));
        QCOMPARE(rig.sim->framesExpected(), 1);
    } else {
        // A rejected frame ends the transfer.
        QCOMPARE(status & STATUS_READY_FOR_DATA, 0u);
        QCOMPARE(rig.sim->framesExpected(), 0);
    }
    const simLogEntry e = rig.sim->logOf(SIM_BULK_OUT).first();
    QCOMPARE(e.length, 65548);
    QCOMPARE(uint8_t(e.data[0]), uint8_t(frameType));
}

void tst_sim_controller::outgoingFrames()
{
    simRig rig;
    QByteArray values(512, '\0');
    for (int i = 0; i < values.size(); ++i)
        values[i] = char(255 - i);
    int taken = 0;
    rig.sim->sendFrame(DMX_MONITOR_READ, 0, 0, values, false, [&] { ++taken; });
    rig.sim->sendFrame(DMX_MONITOR_READ, 1, 0, values);
    QCOMPARE(rig.sim->framesQueued(), 2);
    QCOMPARE(rig.status(), uint32_t(STATUS_DONE));

    transferBlock block;
    QCOMPARE(rig.device.bulkRead(block.rawBuffer(), 524), 524);
    QCOMPARE(block.unpack(524), 0u);
    QCOMPARE(block.type, int(DMX_MONITOR_READ));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.data), block.length), values);
    QCOMPARE(taken, 1);
    // The next frame is ready.
    QCOMPARE(rig.status(), uint32_t(STATUS_DONE));

    rig.sim->corruptFrames();
    QCOMPARE(rig.device.bulkRead(block.rawBuffer(), 524), 524);
    QVERIFY(block.unpack(524) != 0u);
    QCOMPARE(blockFrame::wordSum(block.rawBuffer(), 131), 1u);
    // The queue is empty: no more data ready.
    QCOMPARE(rig.status(), 0u);

    // A short read, and a read asking for less than the frame.
    rig.sim->sendFrame(DMX_MONITOR_READ, 2, 0, values);
    rig.sim->shorten(SIM_BULK_IN, 100);
    QCOMPARE(rig.device.bulkRead(block.rawBuffer(), 524), 100);
    rig.sim->sendFrame(DMX_MONITOR_READ, 3, 0, values);
    QCOMPARE(rig.device.bulkRead(block.rawBuffer(), 512), int(USB_ERROR_OVERFLOW));

    // Paged frames are built with the paged length code.
    rig.sim->sendFrame(FLASH_READ, 0, 0x08040000, QByteArray(0x20000, '\x7F'), true);
    transferBlock paged;
    paged.lengthInPages = true;
    QCOMPARE(rig.device.bulkRead(paged.rawBuffer(), transferBlock::BUFFER_SIZE), 131084);
    QCOMPARE(paged.unpack(131084), 0u);
    QCOMPARE(paged.length, 0x20000);
    QCOMPARE(paged.address, 0x08040000u);
}

void tst_sim_controller::refuseTheNthRequest()
{
    simRig rig;
    rig.sim->refuse(GET_FIRMWARE_VERSION, 2, 2);
    rig.sim->refuse(GET_STATE, 1, -1);
    uint8_t answer[4];
    QList<int> results;
    for (int i = 0; i < 5; ++i)
        results.append(rig.device.controlRead(GET_FIRMWARE_VERSION, 0, 0, answer, 4));
    QCOMPARE(results, QList<int>({4, -1, -1, 4, 4}));
    for (int i = 0; i < 12; ++i)
        QCOMPARE(rig.device.controlRead(GET_STATE, 0, 0, answer, 4), -1);
    // Refused requests are logged with what the host was told.
    QCOMPARE(rig.sim->countOf(GET_FIRMWARE_VERSION), 5);
    QCOMPARE(rig.sim->logOf(GET_FIRMWARE_VERSION)[1].result, int(USB_ERROR_PIPE));
    rig.sim->clearFaults();
    QCOMPARE(rig.device.controlRead(GET_STATE, 0, 0, answer, 4), 4);
}

void tst_sim_controller::oldHardwareWords_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("wordValue");
    QTest::addColumn<int>("wordIndex");

    QTest::newRow("mode on old hardware") << 0xD3 << int(SET_MODE) << 0x0300 << 0 << 3 << 0;
    QTest::newRow("mode on current hardware") << 0x1D3 << int(SET_MODE) << 3 << 0 << 3 << 0;
    QTest::newRow("live value on old hardware") << 0xD3 << int(SET_LIVE_VALUE) << 0x1200 << 0x0501 << 0x12
                                                << 0x0105;
    QTest::newRow("transparency is never exchanged") << 0xD3 << int(SET_DMX_TRANSPARENCY) << 0x100 << 0 << 0x100
                                                     << 0;
    QTest::newRow("restart into upgrade is never exchanged") << 0xD3 << int(RESTART) << 0x15 << 0 << 0x15 << 0;
    QTest::newRow("DMX monitor source is never exchanged") << 0xD3 << int(DMX_MONITOR_READ) << 0 << 2 << 0 << 2;
    QTest::newRow("remote key read") << 0xD3 << int(RCU_COMMAND) << 0x0A00 << 0x0100 << 0x0A << int(RCU_READ_KEY);
    QTest::newRow("remote key set keeps its value") << 0xD3 << int(RCU_COMMAND) << 0x210A << 0x0500 << 0x210A
                                                    << int(RCU_SET_KEY);
    QTest::newRow("event on old hardware") << 0xD3 << int(RAISE_EVENT) << 0 << 0x3412 << 0 << 0x1234;
}

void tst_sim_controller::oldHardwareWords()
{
    QFETCH(int, typeWord);
    QFETCH(int, request);
    QFETCH(int, value);
    QFETCH(int, index);
    QFETCH(int, wordValue);
    QFETCH(int, wordIndex);

    simBus bus;
    auto& sim = static_cast<recordingController&>(
        bus.add(std::make_unique<recordingController>(serialA, typeWord)));
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QCOMPARE(device.connect(), typeWord);
    sim.seen.clear();
    device.controlWrite(uint8_t(request), uint16_t(value), uint16_t(index), nullptr, 0);
    QCOMPARE(sim.seen.size(), 1);
    QCOMPARE(int(sim.seen[0].value), value);
    QCOMPARE(int(sim.seen[0].index), index);
    QCOMPARE(int(sim.seen[0].wordValue), wordValue);
    QCOMPARE(int(sim.seen[0].wordIndex), wordIndex);
}

void tst_sim_controller::unpluggedController()
{
    simRig rig;
    rig.sim->plugged = false;
    uint8_t answer[8];
    QCOMPARE(rig.device.controlRead(GET_STATUS, 0, 0, answer, 8), -1);
    QVERIFY(rig.sim->log.isEmpty());
    // Still open until the host closes it; then it is gone from the bus.
    QVERIFY(rig.device.isConnected());
    QCOMPARE(rig.device.connect(), -1);
    QCOMPARE(rig.sim->openHandles, 0);
    rig.sim->plugged = true;
    QCOMPARE(rig.device.connect(), TYPE_WORD_CURRENT);
}

void tst_sim_controller::environmentInstallsTheBus()
{
    qunsetenv("KVORBIT_SIMULATED_CONTROLLER");
    QVERIFY(!installSimulatedBusFromEnvironment());
    QCOMPARE(&theUsbBackend(), &systemUsbBackend());
    qputenv("KVORBIT_SIMULATED_CONTROLLER", "1");
    QVERIFY(installSimulatedBusFromEnvironment());
    qunsetenv("KVORBIT_SIMULATED_CONTROLLER");
    QVERIFY(environmentSimulatedBus());
    QCOMPARE(&theUsbBackend(), static_cast<usbBackend*>(environmentSimulatedBus()));

    std::unique_ptr<t_threadDevice> device(createControllerDevice());
    installUsbBackend(nullptr);
    device->setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QCOMPARE(device->connect(), TYPE_WORD_CURRENT);
    QCOMPARE(device->readSerial(), 0);
    QCOMPARE(device->serialNumber.size(), 13);
    uint8_t answer[8];
    QCOMPARE(device->controlRead(GET_STATUS, 0, 0, answer, 8), 8);
    // It plays a show for the monitor windows: inputs 3 and 10 stay on.
    uint8_t levels[3] = {};
    QCOMPARE(device->controlRead(MONITOR_READ, 0, 0, levels, 3), 3);
    QCOMPARE(levels[0] & 0x04, 0x04);
    QCOMPARE(levels[1] & 0x02, 0x02);
}

void tst_sim_controller::workingModes_data()
{
    QTest::addColumn<int>("statusBefore");
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("statusAfter");

    QTest::newRow("transfer") << 0 << int(SET_MODE) << 3 << 0 << STATUS_MODE_TRANSFER;
    QTest::newRow("live replaces transfer") << STATUS_MODE_TRANSFER << int(SET_MODE) << 4 << 0 << STATUS_MODE_LIVE;
    QTest::newRow("normal clears the mode bits") << STATUS_MODE_LIVE << int(SET_MODE) << 1 << 0 << 0;
    QTest::newRow("no such mode") << STATUS_MODE_LIVE << int(SET_MODE) << 2 << -1 << STATUS_MODE_LIVE;
    QTest::newRow("halted takes no mode") << STATUS_HALTED << int(SET_MODE) << 1 << -1 << STATUS_HALTED;
    QTest::newRow("freeze") << STATUS_MODE_LIVE << int(FREEZE) << 0 << 0 << (STATUS_MODE_LIVE | STATUS_FROZEN);
    QTest::newRow("halted does not freeze") << STATUS_HALTED << int(FREEZE) << 0 << -1 << STATUS_HALTED;
    QTest::newRow("resume") << STATUS_FROZEN << int(RESUME) << 0 << 0 << 0;
    QTest::newRow("resume leaves the halted state") << (STATUS_FROZEN | STATUS_HALTED) << int(RESUME) << 0 << 0 << 0;
}

void tst_sim_controller::workingModes()
{
    QFETCH(int, statusBefore);
    QFETCH(int, request);
    QFETCH(int, value);
    QFETCH(int, result);
    QFETCH(int, statusAfter);

    simRig rig;
    rig.sim->raise(statusBefore);
    QCOMPARE(rig.device.controlWrite(uint8_t(request), uint16_t(value), 0, nullptr, 0), result);
    QCOMPARE(rig.status(), uint32_t(statusAfter));

    // The knobs: mode requests taken without effect; a controller that stays halted.
    rig.sim->ignoreModeRequests = true;
    rig.sim->staysHalted = true;
    rig.sim->lower(0xFFFFFF);
    rig.sim->raise(STATUS_MODE_TRANSFER);
    QCOMPARE(rig.device.controlWrite(SET_MODE, 1, 0, nullptr, 0), 0);
    QCOMPARE(rig.sim->workingMode(), MODE_TRANSFER);
    rig.sim->raise(STATUS_HALTED);
    QCOMPARE(rig.device.controlWrite(RESUME, 0, 0, nullptr, 0), 0);
    QCOMPARE(rig.sim->workingMode(), MODE_HALTED);
}

void tst_sim_controller::restartLeavesTheBusForAWhile_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("statusAfter");

    QTest::newRow("plain restart") << 0 << 0;
    QTest::newRow("into the upgrade state") << int(RESTART_INTO_UPGRADE) << STATUS_HALTED;
}

void tst_sim_controller::restartLeavesTheBusForAWhile()
{
    QFETCH(int, value);
    QFETCH(int, statusAfter);

    simRig rig;
    rig.sim->raise(STATUS_MODE_LIVE | STATUS_FROZEN);
    rig.sim->output[0] = char(77);
    rig.sim->rebootMs = 800;
    QCOMPARE(rig.device.controlWrite(RESTART, uint16_t(value), 0, nullptr, 0), 0);
    QCOMPARE(rig.sim->restarts, 1);

    // Gone from the bus, and the old handle is dead for good.
    uint8_t answer[8];
    QCOMPARE(rig.device.controlRead(GET_STATUS, 0, 0, answer, 8), -1);
    QVERIFY(rig.bus.listDevices().isEmpty());
    clock.sleepMs(799);
    QCOMPARE(rig.device.connect(), -1);
    clock.sleepMs(1);
    QCOMPARE(rig.bus.listDevices().size(), 1);

    // Back as a new device: a fresh connection works and configures it again.
    QCOMPARE(rig.sim->configuration, 0);
    QCOMPARE(rig.device.connect(), TYPE_WORD_CURRENT);
    QCOMPARE(rig.sim->setConfigurationCalls, 2);
    QCOMPARE(rig.status(), uint32_t(statusAfter));
    QCOMPARE(rig.sim->output, QByteArray(512, '\0'));
}

void tst_sim_controller::liveOutput()
{
    simRig rig;
    // Outside live editing the controller takes no live data.
    QCOMPARE(rig.device.controlWrite(SET_LIVE_VALUE, 200, 5, nullptr, 0), -1);
    QCOMPARE(rig.device.controlWrite(LIVE_SCENE_WRITE, 1, 0, nullptr, 0), -1);

    QCOMPARE(rig.device.controlWrite(SET_MODE, MODE_LIVE, 0, nullptr, 0), 0);
    QCOMPARE(rig.device.controlWrite(LIVE_SCENE_WRITE, 1, 0, nullptr, 0), 0);
    QCOMPARE(rig.status(), uint32_t(STATUS_MODE_LIVE | STATUS_READY_FOR_DATA));
    QByteArray scene(512, '\0');
    for (int i = 0; i < scene.size(); ++i)
        scene[i] = char(i);
    transferBlock block;
    block.type = LIVE_SCENE_WRITE;
    block.length = 512;
    block.data = reinterpret_cast<const uint8_t*>(scene.constData());
    QCOMPARE(rig.device.bulkWrite(block.pack(), block.frameSize()), 524);
    QCOMPARE(rig.status(), uint32_t(STATUS_MODE_LIVE | STATUS_DONE));
    QCOMPARE(rig.sim->output, scene);

    QCOMPARE(rig.device.controlWrite(SET_LIVE_VALUE, 200, 5, nullptr, 0), 0);
    QCOMPARE(uint8_t(rig.sim->output[5]), uint8_t(200));
    QCOMPARE(rig.device.controlWrite(SET_LIVE_VALUE, 1, 512, nullptr, 0), -1);
    QCOMPARE(rig.device.controlWrite(SET_LIVE_VALUE, 256, 0, nullptr, 0), -1);

    // Rejected frames: STATUS_FAILED, the output stays.
    rig.sim->rejectLiveFrames = 1;
    QCOMPARE(rig.device.controlWrite(LIVE_SCENE_WRITE, 1, 0, nullptr, 0), 0);
    QCOMPARE(rig.device.bulkWrite(block.pack(), block.frameSize()), 524);
    QCOMPARE(rig.status(), uint32_t(STATUS_MODE_LIVE | STATUS_FAILED));
    QCOMPARE(uint8_t(rig.sim->output[5]), uint8_t(200));
    QCOMPARE(rig.sim->liveFramesTaken, 1);
}

void tst_sim_controller::raisedEvents()
{
    simRig current;
    QCOMPARE(current.device.controlWrite(RAISE_EVENT, 0, 0x1285, nullptr, 0), 0);
    QCOMPARE(current.device.controlWrite(RAISE_EVENT, 0, 0, nullptr, 0), 0);
    QCOMPARE(current.device.controlWrite(RAISE_EVENT, 0, 4975, nullptr, 0), 0);
    // Ids beyond the event numbering, a value, and the wrong direction stall.
    QCOMPARE(current.device.controlWrite(RAISE_EVENT, 0, 4976, nullptr, 0), -1);
    QCOMPARE(current.device.controlWrite(RAISE_EVENT, 1, 0x800, nullptr, 0), -1);
    uint8_t answer[4];
    QCOMPARE(current.device.controlRead(RAISE_EVENT, 0, 0x800, answer, 4), -1);
    QCOMPARE(current.sim->raisedEvents, (QList<uint16_t>{0x1285, 0, 4975}));

    // Old hardware takes the id with its bytes exchanged.
    simRig old(TYPE_WORD_OLD);
    QCOMPARE(old.device.controlWrite(RAISE_EVENT, 0, 0x6F13, nullptr, 0), 0);
    QCOMPARE(old.sim->raisedEvents, QList<uint16_t>{0x136F});
}

void tst_sim_controller::realTimeClock()
{
    simRig rig;
    // 15 March 2026 14:07:09, a Sunday, with daylight saving time.
    const QByteArray record("\x09\x07\x14\x07\x15\xE3\x26\x00", 8);
    QCOMPARE(rig.device.controlWrite(SET_CLOCK, 0, 0, record.constData(), 8), 8);
    QCOMPARE(rig.sim->clockNow(), QDateTime(QDate(2026, 3, 15), QTime(14, 7, 9)));
    QVERIFY(rig.sim->clockDst);
    QCOMPARE(rig.device.controlWrite(SET_CALIBRATION, 0x25, 0, nullptr, 0), 0);
    QCOMPARE(rig.sim->clockCalibration, 5);

    // It runs on link-clock time.
    clock.sleepMs(61000);
    uint8_t answer[8];
    QCOMPARE(rig.device.controlRead(GET_CLOCK, 0, 0, answer, 8), 8);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(answer), 8), QByteArray("\x10\x08\x14\x07\x15\xE3\x26\x25", 8));
    QCOMPARE(rig.device.controlWrite(SET_CALIBRATION, 0x05, 0, nullptr, 0), 0);
    QCOMPARE(rig.device.controlRead(GET_CLOCK, 0, 0, answer, 8), 8);
    QCOMPARE(answer[7], uint8_t(0x05));

    // Records that are no date, and short ones, are refused; the clock stays.
    QCOMPARE(rig.device.controlWrite(SET_CLOCK, 0, 0, "\x00\x5B\x14\x07\x15\x03\x26\x00", 8), -1);
    QCOMPARE(rig.device.controlWrite(SET_CLOCK, 0, 0, "\x00\x00\x14\x07\x31\x02\x26\x00", 8), -1);
    QCOMPARE(rig.device.controlWrite(SET_CLOCK, 0, 0, record.constData(), 6), -1);
    QCOMPARE(rig.device.controlWrite(SET_CALIBRATION, 0x40, 0, nullptr, 0), -1);
    QCOMPARE(rig.sim->clockNow(), QDateTime(QDate(2026, 3, 15), QTime(14, 8, 10)));

    // The override answers instead of the clock.
    rig.sim->clockRecordOverride = QByteArray("\x01\x02", 2);
    QCOMPARE(rig.device.controlRead(GET_CLOCK, 0, 0, answer, 8), 2);
}


void tst_sim_controller::configFlashWrites_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<uint32_t>("address");
    QTest::addColumn<int>("flashOffset");    // -1: rejected

    QTest::newRow("first block") << TYPE_WORD_CURRENT << uint32_t(0x68000000) << 0;
    QTest::newRow("last block") << TYPE_WORD_CURRENT << uint32_t(0x687F0000) << 0x7F0000;
    QTest::newRow("old hardware maps lower") << TYPE_WORD_OLD << uint32_t(0x62050000) << 0x50000;
    QTest::newRow("before the flash") << TYPE_WORD_CURRENT << uint32_t(0x67FF0000) << -1;
    QTest::newRow("past the flash") << TYPE_WORD_CURRENT << uint32_t(0x687F0100) << -1;
    QTest::newRow("old hardware, current address") << TYPE_WORD_OLD << uint32_t(0x68000000) << -1;
}

void tst_sim_controller::configFlashWrites()
{
    QFETCH(int, typeWord);
    QFETCH(uint32_t, address);
    QFETCH(int, flashOffset);

    simRig rig(typeWord);
    QVERIFY(rig.connected);
    const QByteArray data(0x10000, '\x5A');
    // Outside transfer mode nothing is announced.
    QVERIFY(rig.device.controlWrite(CONFIG_WRITE, swapWordBytes(1, rig.sim->oldHardware()), 0, nullptr, 0) < 0);
    QVERIFY(rig.device.controlWrite(SET_MODE, swapWordBytes(MODE_TRANSFER, rig.sim->oldHardware()), 0, nullptr, 0)
            >= 0);
    const QByteArray before = rig.sim->configFlash;
    int written = 0;
    rig.sim->configBlockWritten = [&](int block) { written = block; };
    const uint32_t status = writeConfigFrame(rig, address, data);
    if (flashOffset < 0) {
        QCOMPARE(status & uint32_t(STATUS_DONE | STATUS_FAILED), uint32_t(STATUS_FAILED));
        QVERIFY(rig.sim->configFlash == before);
        QCOMPARE(rig.sim->configFramesWritten, 0);
    } else {
        QCOMPARE(status & uint32_t(STATUS_DONE | STATUS_FAILED), uint32_t(STATUS_DONE));
        QVERIFY(rig.sim->configFlash.mid(flashOffset, 0x10000) == data);
        QCOMPARE(uint8_t(rig.sim->configFlash[flashOffset == 0 ? 0x10000 : 0]), uint8_t(0xFF));
        QCOMPARE(rig.sim->configFramesWritten, 1);
        QCOMPARE(written, flashOffset / 0x10000);
    }
}

void tst_sim_controller::configFlashReadsOneBlockAtATime()
{
    simRig rig;
    for (int b = 0; b < 128; ++b)
        rig.sim->configFlash[b * 0x10000 + 3] = char(b);
    rig.sim->configReadAddress[3] = 0x12345600;
    QVERIFY(rig.device.controlWrite(SET_MODE, MODE_TRANSFER, 0, nullptr, 0) >= 0);
    QList<int> reading;
    rig.sim->configBlockReading = [&](int block) { reading.append(block); };
    // Three blocks from block 2.
    QVERIFY(rig.device.controlWrite(CONFIG_READ, 3, 2, nullptr, 0) >= 0);
    QList<uint32_t> addresses;
    for (int b = 2; b < 5; ++b) {
        QCOMPARE(rig.sim->framesQueued(), 1);
        QCOMPARE(rig.status() & uint32_t(STATUS_DONE), uint32_t(STATUS_DONE));
        transferBlock block;
        QCOMPARE(rig.device.bulkRead(block.rawBuffer(), 65548), 65548);
        QCOMPARE(block.unpack(65548), 0u);
        QCOMPARE(block.type, int(CONFIG_READ));
        QCOMPARE(int(block.counter), b);
        QCOMPARE(block.length, 0x10000);
        QCOMPARE(int(block.data[3]), b);
        addresses.append(block.address);
    }
    QCOMPARE(addresses, (QList<uint32_t>{0x68020000, 0x12345600, 0x68040000}));
    QCOMPARE(reading, (QList<int>{2, 3, 4}));
    QCOMPARE(rig.sim->framesQueued(), 0);
    QCOMPARE(rig.status() & uint32_t(STATUS_DONE), 0u);
    QCOMPARE(rig.sim->configFramesRead, 3);
}

void tst_sim_controller::remoteControlLearning()
{
    simRig rig;
    rig.sim->rcuOutcomes = {{200, false, 4, 0xFF}, {0, true}, {0, false, 4, 0x21, 9}};
    uint8_t answer[4];
    const auto command = [&](int operation, int value) {
        return rig.device.controlRead(RCU_COMMAND, uint16_t(value), uint16_t(operation), answer, 4);
    };
    // The address comes 200 ms after the request.
    QCOMPARE(command(RCU_LEARN_ADDRESS, 0), 4);
    QCOMPARE(rig.status() & uint32_t(STATUS_DONE), 0u);
    clock.sleepMs(200);
    QCOMPARE(rig.status() & uint32_t(STATUS_DONE), uint32_t(STATUS_DONE));
    QCOMPARE(command(RCU_RESULT, 0), 4);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(answer), 3), QByteArray("\x04\xFF\x00", 3));
    // A failed learning, then a result for another key than asked.
    QCOMPARE(command(RCU_LEARN_KEY, 7), 4);
    QCOMPARE(rig.status() & uint32_t(STATUS_DONE | STATUS_FAILED), uint32_t(STATUS_FAILED));
    QCOMPARE(command(RCU_LEARN_KEY, 7), 4);
    QCOMPARE(command(RCU_RESULT, 0), 4);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(answer), 3), QByteArray("\x04\x21\x09", 3));
    // No outcome left: no result ever comes.
    QCOMPARE(command(RCU_LEARN_KEY, 1), 4);
    clock.sleepMs(60000);
    QCOMPARE(rig.status() & uint32_t(STATUS_DONE | STATUS_FAILED), 0u);

    // Stored codes and address; SET_KEY carries key and code as two bytes.
    QCOMPARE(command(RCU_SET_KEY, 10 + 0x21 * 256), 4);
    QVERIFY(command(RCU_SET_KEY, 64) < 0);
    QCOMPARE(command(RCU_SET_ADDRESS, 3), 4);
    QVERIFY(command(RCU_SET_ADDRESS, 32) < 0);
    QCOMPARE(command(RCU_READ_KEY, 10), 4);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(answer), 3), QByteArray("\x03\x21\x0A", 3));
    QCOMPARE(rig.sim->rcuSaves, 0);
    QCOMPARE(command(RCU_SAVE, 0), 4);
    QCOMPARE(rig.sim->rcuSaves, 1);
    QCOMPARE(int(rig.sim->rcuSavedCodes[10]), 0x21);
    QCOMPARE(int(rig.sim->rcuSavedAddress), 3);
}

QTEST_GUILESS_MAIN(tst_sim_controller)
#include "tst_sim_controller.moc"
