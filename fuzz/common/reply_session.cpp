#include "reply_session.h"

#include "transport/protocol.h"
#include "transport/t_threadDevice.h"
#include "device/upgrade_file.h"
#include "model/kv310_controller.h"
#include "device/upgrade_file_builder.h"

#include <QDir>

#include <cstdio>
#include <vector>

replyFiles writeReplyFiles(const QString& directory)
{
    replyFiles files;
    files.oldHardware = QDir(directory).filePath(QStringLiteral("old.upg"));
    files.currentHardware = QDir(directory).filePath(QStringLiteral("current.upg"));
    upgradeFileBuilder(UPGRADE_ROW_SECTORS).withBlock(1, 64).withBlock(4, 32).write(files.oldHardware);
    upgradeFileBuilder current(UPGRADE_ROW_UNIFORM);
    current.text = "\nv_4.2.1 fuzz firmware";
    current.withBlock(0, 256).withBlock(5, 512).write(files.currentHardware);
    return files;
}

void resetReplyController(kv310_controller_class& c)
{
    c.device->disconnect();
    c.device->serialNumber.clear();
    c.otherSerials.clear();
    c.connected = 0;
    c.uiMode = 0;
    c.deviceMode = 0;
    c.clockSyncCounter = 10;
    c.clockValid = 0;
    c.hardwareCode = TYPE_WORD_CURRENT;
    c.swapBytes = true;
}

void runReplyOp(kv310_controller_class& c, int op, uint8_t a, uint16_t b, const replyFiles& files)
{
    switch (op) {
    case REPLY_CONNECT:
        c.setConnection(true);
        break;
    case REPLY_DISCONNECT:
        c.setConnection(false);
        break;
    case REPLY_CLOCK_TEXT:
        c.clockSyncCounter = a % 12;
        c.readDeviceClockText();
        break;
    case REPLY_SET_MODE:
        c.setDeviceMode(a % 8);
        break;
    case REPLY_UI_MODE:
        c.ch_mode(a % 3);
        break;
    case REPLY_FREEZE:
        if (a & 1)
            c.unfreezeDevice();
        else
            c.freezeDevice();
        break;
    case REPLY_STATE:
        c.deviceState();
        break;
    case REPLY_RESTART:
        c.restartDevice();
        break;
    case REPLY_LIVE_SCENE:
        c.uiMode = 2;
        c.send_sc_prep(b % img::SCENES);
        break;
    case REPLY_LIVE_VALUE:
        c.uiMode = 2;
        c.deviceMode = MODE_LIVE;
        c.send_new_val(b % img::SCENES, a);
        break;
    case REPLY_SET_CLOCK:
        c.setDeviceClock(QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(qint64(b) * 60), a & 1);
        break;
    case REPLY_CALIBRATION:
        c.setClockCalibration(int8_t(a) % 32);
        break;
    case REPLY_SERIAL:
        c.readSerialNumber();
        break;
    case REPLY_TRANSPARENCY:
        c.setDmxTransparency(a & 1);
        break;
    case REPLY_STATUS_WAIT:
        if (a & 1)
            c.pollDeviceStatus(int(b) << 8, a >> 4);
        else
            c.waitDeviceStatus(int(b) << 8, a >> 4);
        break;
    case REPLY_READ_BLOCK: {
        transferBlock block;
        c.readBlock(block);
        break;
    }
    case REPLY_UPGRADE: {
        const QString& file = c.hardwareCode == TYPE_WORD_OLD ? files.oldHardware : files.currentHardware;
        if (a & 1)
            c.verifyFirmware(file);
        else
            c.upgradeFirmware(file);
        break;
    }
    case REPLY_SEND_CONFIG:
        c.send_alldata();
        break;
    case REPLY_READ_CONFIG:
        c.read_alldata();
        break;
    case REPLY_READ_RCU:
        c.readRCU();
        break;
    case REPLY_WRITE_RCU:
        c.writeRCU();
        break;
    case REPLY_LEARN_RCU:
        switch (a % 3) {
        case 0:
            c.learnRcuAddress();
            break;
        case 1:
            c.learnRcuKeyCode(b);
            break;
        default:
            c.setRcuAddress(b);
            break;
        }
        break;
    case REPLY_MONITOR: {
        // Each kind gets a buffer of exactly the size it is read into.
        static const int kinds[] = {MONITOR_INPUTS, MONITOR_DMX, MONITOR_STATES};
        static const int sizes[] = {INPUT_LEVELS_SIZE, DMX_MONITOR_FRAME_SIZE, STATES_BLOCK_SIZE};
        const int k = a % 3;
        std::vector<uint8_t> buffer(static_cast<size_t>(sizes[k]));
        c.readInputStates(kinds[k], buffer.data(), b);
        break;
    }
    default:
        break;
    }
}

void runReplySession(kv310_controller_class& c, fuzzInput& in, const replyFiles& files, int limit)
{
    // KVFUZZ_TRACE=1 prints the operations and the state they leave.
    static const bool trace = qEnvironmentVariableIntValue("KVFUZZ_TRACE") != 0;
    for (int n = 0; n < limit && !in.exhausted(); ++n) {
        const int op = in.u8() % REPLY_OPS;
        const uint8_t a = in.u8();
        const uint16_t b = in.u16();
        runReplyOp(c, op, a, b, files);
        if (trace)
            std::fprintf(stderr, "op %d a %d b %d: connected %d mode %d type %x %s %s\n", op, a, b, c.connected,
                         c.deviceMode, c.hardwareCode, qPrintable(c.serialNumberText()),
                         qPrintable(c.firmwareVersionText()));
    }
}
