#include "simulator/sim_controller.h"
#include "transport/device_factory.h"
#include "transport/t_threadUsbDevice.h"
#include "support/virtual_clock.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

// Takes the test requests 0x42 (OUT) and 0x43 (IN, answering `answerSize`
// bytes 0, 1, 2, ...) besides what every controller answers.
class echoController : public simController {
public:
    using simController::simController;
    int answerSize = 64;

protected:
    int handleRequest(const simRequest& r, QByteArray* answer) override
    {
        if (r.request == 0x42 && !r.in)
            return 0;
        if (r.request == 0x43 && r.in) {
            answer->resize(answerSize);
            for (int i = 0; i < answerSize; ++i)
                (*answer)[i] = char(i);
            return 0;
        }
        return simController::handleRequest(r, answer);
    }
};

const QString first = QStringLiteral("01D30001-0001");
const QString second = QStringLiteral("01D30002-0002");
const QString factorySerial = QString::fromLatin1(FACTORY_SERIAL);

// A device line: "ctl <serial> <type word hex>
// [refuseOpen|refuseClaim|refuseConfig|noType|noSerial|hung|serialHangs]"
// or "foreign <vendor hex> <product hex>".
void addDevice(simBus& bus, const QString& line)
{
    const QStringList f = line.split(QLatin1Char(' '));
    if (f[0] == QLatin1String("foreign")) {
        bus.addForeignDevice(uint16_t(f[1].toUInt(nullptr, 16)), uint16_t(f[2].toUInt(nullptr, 16)));
        return;
    }
    simController& c = bus.addController(f[1], int(f[2].toUInt(nullptr, 16)));
    for (int i = 3; i < f.size(); ++i) {
        if (f[i] == QLatin1String("refuseOpen"))
            c.refuseOpen = true;
        else if (f[i] == QLatin1String("refuseClaim"))
            c.refuseClaim = true;
        else if (f[i] == QLatin1String("refuseConfig"))
            c.refuseConfiguration = true;
        else if (f[i] == QLatin1String("noType"))
            c.refuse(GET_DEVICE_TYPE, 1, -1);
        else if (f[i] == QLatin1String("noSerial"))
            c.refuse(SIM_STRING_DESCRIPTOR, 1, -1);
        else if (f[i] == QLatin1String("hung"))
            c.hung = true;
        else if (f[i] == QLatin1String("serialHangs"))
            c.hang(SIM_STRING_DESCRIPTOR);
    }
}

} // namespace

class tst_usb_transport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlWriteLimits_data();
    void controlWriteLimits();
    void controlReadLimits_data();
    void controlReadLimits();
    void deviceTypeNeedsTwoBytes();
    void connectChoosesBySerial_data();
    void connectChoosesBySerial();
    void connectWithoutSink();
    void connectTellsOfAControllerThatDoesNotAnswer_data();
    void connectTellsOfAControllerThatDoesNotAnswer();
    void connectSaysWhenPermissionIsMissing();
    void transfersTellATimeOut();
    void udevRuleGivesTheUserTheController();
    void closingReleasesTheInterface();
    void configurationIsSetOnlyWhenItDiffers();
    void readSerial_data();
    void readSerial();
    void serialFromDescriptor_data();
    void serialFromDescriptor();
    void bulkTransfers();
    void factoryUsesTheInstalledBus();

private:
    virtualClock clock;
};

void tst_usb_transport::controlWriteLimits_data()
{
    QTest::addColumn<bool>("withData");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("dataStage");  // bytes in the data stage on the bus; -1 = nothing reached the bus

    QTest::newRow("0 bytes with a pointer") << true << 0 << 0 << 0;
    QTest::newRow("null pointer with a length") << false << 5 << 0 << 0;
    QTest::newRow("1 byte") << true << 1 << 1 << 1;
    QTest::newRow("64 bytes") << true << 64 << 64 << 64;
    QTest::newRow("65 bytes") << true << 65 << -1 << -1;
    QTest::newRow("4096 bytes") << true << 4096 << -1 << -1;
}

void tst_usb_transport::controlWriteLimits()
{
    QFETCH(bool, withData);
    QFETCH(int, length);
    QFETCH(int, result);
    QFETCH(int, dataStage);

    simBus bus;
    auto& sim = static_cast<echoController&>(bus.add(std::make_unique<echoController>(first, TYPE_WORD_CURRENT)));
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QByteArray data(4096, '\x5A');

    // Nothing is sent while no device is open.
    QCOMPARE(device.controlWrite(0x42, 1, 2, withData ? data.constData() : nullptr, unsigned(length)), -1);

    QCOMPARE(device.connect(), TYPE_WORD_CURRENT);
    sim.log.clear();
    QCOMPARE(device.controlWrite(0x42, 0x1234, 0x5678, withData ? data.constData() : nullptr, unsigned(length)),
             result);
    if (dataStage < 0) {
        QVERIFY(sim.log.isEmpty());
        return;
    }
    QCOMPARE(sim.log.size(), 1);
    const simLogEntry& e = sim.log.first();
    QCOMPARE(e.kind, 0x42);
    QVERIFY(!e.in);
    QCOMPARE(e.value, 0x1234);
    QCOMPARE(e.index, 0x5678);
    QCOMPARE(e.length, dataStage);
    QCOMPARE(e.data, data.left(dataStage));

    // A refused request is -1, whatever the library said.
    sim.refuse(0x42, 1, 1, USB_ERROR_TIMEOUT);
    QCOMPARE(device.controlWrite(0x42, 0, 0, data.constData(), 4), -1);
}

void tst_usb_transport::controlReadLimits_data()
{
    QTest::addColumn<bool>("withBuffer");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("answerSize");
    QTest::addColumn<int>("result");

    QTest::newRow("0 bytes") << true << 0 << 64 << -1;
    QTest::newRow("65 bytes") << true << 65 << 64 << -1;
    QTest::newRow("null buffer") << false << 8 << 64 << -1;
    QTest::newRow("1 byte") << true << 1 << 64 << 1;
    QTest::newRow("64 bytes") << true << 64 << 64 << 64;
    QTest::newRow("short answer") << true << 8 << 3 << 3;
}

void tst_usb_transport::controlReadLimits()
{
    QFETCH(bool, withBuffer);
    QFETCH(int, length);
    QFETCH(int, answerSize);
    QFETCH(int, result);

    simBus bus;
    auto& sim = static_cast<echoController&>(bus.add(std::make_unique<echoController>(first, TYPE_WORD_CURRENT)));
    sim.answerSize = answerSize;
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QByteArray buffer(128, '\xEE');

    QCOMPARE(device.controlRead(0x43, 0, 0, buffer.data(), 8), -1);
    QCOMPARE(device.connect(), TYPE_WORD_CURRENT);
    sim.log.clear();
    QCOMPARE(device.controlRead(0x43, 7, 9, withBuffer ? buffer.data() : nullptr, unsigned(length)), result);
    if (result < 0) {
        QVERIFY(sim.log.isEmpty());
        return;
    }
    QCOMPARE(sim.log.size(), 1);
    QVERIFY(sim.log.first().in);
    QCOMPARE(sim.log.first().length, length);
    for (int i = 0; i < result; ++i)
        QCOMPARE(uint8_t(buffer[i]), uint8_t(i));
    // Nothing beyond what arrived is touched.
    QCOMPARE(buffer[result], '\xEE');
}

void tst_usb_transport::deviceTypeNeedsTwoBytes()
{
    simBus bus;
    simController& sim = bus.addController(first, TYPE_WORD_CURRENT);
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QCOMPARE(device.deviceType(), -1);
    QCOMPARE(device.connect(), TYPE_WORD_CURRENT);
    QCOMPARE(device.deviceType(), 0x1D3);
    const simLogEntry e = sim.logOf(GET_DEVICE_TYPE).last();
    QCOMPARE(e.value, 0);
    QCOMPARE(e.index, 0);
    QCOMPARE(e.length, 2);
    sim.shorten(GET_DEVICE_TYPE, 1);
    QCOMPARE(device.deviceType(), -1);
    sim.refuse(GET_DEVICE_TYPE);
    QCOMPARE(device.deviceType(), -1);
    QCOMPARE(device.deviceType(), 0x1D3);
}

void tst_usb_transport::connectChoosesBySerial_data()
{
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("serialAfter");
    QTest::addColumn<QStringList>("others");
    QTest::addColumn<int>("openDevice");  // index of the device left open, -1 = none

    const QString c1 = QStringLiteral("ctl ") + first + QStringLiteral(" 1d3");
    const QString c2 = QStringLiteral("ctl ") + second + QStringLiteral(" 1d3");
    const QString cp = QStringLiteral("ctl ") + factorySerial + QStringLiteral(" 1d3");

    QTest::newRow("nothing plugged in") << QStringList() << first << -1 << first << QStringList() << -1;
    QTest::newRow("any serial takes the first") << QStringList{c1, c2} << QString() << 0x1D3 << first
                                                << QStringList() << 0;
    QTest::newRow("wanted serial is the second") << QStringList{c1, c2} << second << 0x1D3 << second
                                                 << QStringList{first} << 1;
    QTest::newRow("wanted serial is gone") << QStringList{c1, c2} << QStringLiteral("01D30003-0003") << -1
                                           << QStringLiteral("01D30003-0003") << QStringList{first, second} << -1;
    QTest::newRow("wanted factory serial takes the first") << QStringList{c1, c2} << factorySerial << 0x1D3 << first
                                                        << QStringList() << 0;
    QTest::newRow("controller with factory serial matches any") << QStringList{cp, c2} << second << 0x1D3
                                                             << factorySerial << QStringList() << 0;
    QTest::newRow("foreign devices are skipped")
        << QStringList{QStringLiteral("foreign 16c0 0781"), QStringLiteral("foreign 1234 0780"), c1} << QString()
        << 0x1D3 << first << QStringList() << 2;
    QTest::newRow("wrong type word is closed and not listed")
        << QStringList{QStringLiteral("ctl 01D30009-0009 1d4"), c2} << second << 0x1D3 << second << QStringList()
        << 1;
    QTest::newRow("unreadable type word is skipped")
        << QStringList{c1 + QStringLiteral(" noType"), c2} << QString() << 0x1D3 << second << QStringList() << 1;
    QTest::newRow("unreadable serial is skipped and not listed")
        << QStringList{c1 + QStringLiteral(" noSerial"), c2} << second << 0x1D3 << second << QStringList() << 1;
    QTest::newRow("device that cannot be opened")
        << QStringList{c1 + QStringLiteral(" refuseOpen"), c2} << QString() << 0x1D3 << second << QStringList()
        << 1;
    QTest::newRow("interface that cannot be claimed")
        << QStringList{c1 + QStringLiteral(" refuseClaim"), c2} << QString() << 0x1D3 << second << QStringList()
        << 1;
    QTest::newRow("configuration that cannot be set")
        << QStringList{c1 + QStringLiteral(" refuseConfig"), c2} << QString() << 0x1D3 << second << QStringList()
        << 1;
    QTest::newRow("old hardware") << QStringList{QStringLiteral("ctl ") + first + QStringLiteral(" d3")} << first
                                  << 0xD3 << first << QStringList() << 0;
    QTest::newRow("family code with another high byte is returned open")
        << QStringList{QStringLiteral("ctl ") + first + QStringLiteral(" 2d3")} << QString() << 0x2D3 << first
        << QStringList() << 0;
}

void tst_usb_transport::connectChoosesBySerial()
{
    QFETCH(QStringList, devices);
    QFETCH(QString, wanted);
    QFETCH(int, result);
    QFETCH(QString, serialAfter);
    QFETCH(QStringList, others);
    QFETCH(int, openDevice);

    simBus bus;
    for (const QString& line : std::as_const(devices))
        addDevice(bus, line);
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    device.setSerial(wanted);
    QStringList otherSerials{QStringLiteral("left from before")};
    device.setOtherSerialsList(&otherSerials);

    QCOMPARE(device.connect(), result);
    QCOMPARE(device.isConnected(), openDevice >= 0);
    QCOMPARE(device.serialNumber, serialAfter);
    QCOMPARE(otherSerials, others);
    if (result >= 0)
        QCOMPARE(int(device.deviceTypeWord), result);
    for (int i = 0; i < bus.deviceCount(); ++i) {
        const simUsbDevice& d = bus.device(i);
        QCOMPARE(d.closedWhileClaimed, 0);
        QCOMPARE(d.openHandles, i == openDevice ? 1 : 0);
        if (d.vendorId != CONTROLLER_VENDOR_ID || d.productId != CONTROLLER_PRODUCT_ID)
            QCOMPARE(d.opens, 0);
        if (i == openDevice) {
            QVERIFY(d.interfaceClaimed);
            QCOMPARE(d.configuration, USB_CONFIGURATION);
        }
    }
}

void tst_usb_transport::connectTellsOfAControllerThatDoesNotAnswer_data()
{
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("timedOut");
    QTest::addColumn<qint64>("waitedMs");

    const QString c1 = QStringLiteral("ctl ") + first + QStringLiteral(" 1d3");
    const QString c2 = QStringLiteral("ctl ") + second + QStringLiteral(" 1d3");
    QTest::newRow("nothing plugged in") << QStringList() << -1 << false << qint64(0);
    QTest::newRow("only a hung controller") << QStringList{c1 + QStringLiteral(" hung")} << -1 << true
                                            << qint64(USB_TIMEOUT_MS);
    QTest::newRow("a hung controller before one that answers")
        << QStringList{c1 + QStringLiteral(" hung"), c2} << 0x1D3 << false << qint64(USB_TIMEOUT_MS);
    QTest::newRow("serial descriptor never answered") << QStringList{c1 + QStringLiteral(" serialHangs")} << -1
                                                      << true << qint64(USB_DESCRIPTOR_TIMEOUT_MS);
    QTest::newRow("a refused type word is no time-out") << QStringList{c1 + QStringLiteral(" noType")} << -1 << false
                                                        << qint64(0);
}

void tst_usb_transport::connectTellsOfAControllerThatDoesNotAnswer()
{
    QFETCH(QStringList, devices);
    QFETCH(int, result);
    QFETCH(bool, timedOut);
    QFETCH(qint64, waitedMs);

    simBus bus;
    for (const QString& line : std::as_const(devices))
        addDevice(bus, line);
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    const qint64 start = clock.now;
    QCOMPARE(device.connect(), result);
    QCOMPARE(device.timedOut(), timedOut);
    QCOMPARE(clock.now - start, waitedMs);
}

// A controller seen but not opened for lack of permission is named in the
// debug output, so that a user without the udev rule can find out why.
void tst_usb_transport::connectSaysWhenPermissionIsMissing()
{
    simBus bus;
    simController& c = bus.addController(first, TYPE_WORD_CURRENT);
    c.refuseOpen = true;
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^USB device 16c0:0780 on bus 1, address 1: "
                                                                       "no permission to open it")));
    QCOMPARE(device.connect(), -1);

    // Other reasons are not blamed on permissions.
    c.openError = USB_ERROR_BUSY;
    static QStringList said;
    said.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { said.append(text); });
    const int result = device.connect();
    qInstallMessageHandler(previous);
    QCOMPARE(result, -1);
    QCOMPARE(said, QStringList());
}

void tst_usb_transport::transfersTellATimeOut()
{
    simBus bus;
    simController& c = bus.addController(first, TYPE_WORD_CURRENT);
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QCOMPARE(device.connect(), TYPE_WORD_CURRENT);
    uint8_t status[8];

    c.hang(GET_STATUS, 1, 1);
    QCOMPARE(device.controlRead(GET_STATUS, 0, 0, status, 8), -1);
    QVERIFY(device.timedOut());
    QCOMPARE(device.controlRead(GET_STATUS, 0, 0, status, 8), 8);
    QVERIFY(!device.timedOut());

    // A refusal is an answer.
    c.refuse(GET_STATUS);
    QCOMPARE(device.controlRead(GET_STATUS, 0, 0, status, 8), -1);
    QVERIFY(!device.timedOut());

    // A bulk transfer that moved part of its data before the time-out was answered.
    QByteArray frame(524, '\0');
    c.hang(SIM_BULK_OUT, 1, 1);
    QCOMPARE(device.bulkWrite(frame.constData(), frame.size()), int(USB_ERROR_TIMEOUT));
    QVERIFY(device.timedOut());
    QCOMPARE(device.controlWrite(SET_MODE, MODE_LIVE, 0, nullptr, 0), 0);
    QCOMPARE(device.controlWrite(LIVE_SCENE_WRITE, 1, 0, nullptr, 0), 0);
    c.shorten(SIM_BULK_OUT, 100);
    QCOMPARE(device.bulkWrite(frame.constData(), frame.size()), 100);
    QVERIFY(!device.timedOut());
}

// The rule shipped for Linux names the controller this program opens.
void tst_usb_transport::udevRuleGivesTheUserTheController()
{
    QFile rule(QStringLiteral(KV_UDEV_RULE));
    QVERIFY(rule.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList rules;
    while (!rule.atEnd()) {
        const QString line = QString::fromUtf8(rule.readLine()).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            rules.append(line);
    }
    QCOMPARE(rules.size(), 1);
    QStringList keys = rules.first().split(QStringLiteral(", "));
    keys.sort();
    const auto hex = [](uint16_t id) { return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')); };
    QCOMPARE(keys, (QStringList{QStringLiteral("ATTR{idProduct}==\"%1\"").arg(hex(CONTROLLER_PRODUCT_ID)),
                                QStringLiteral("ATTR{idVendor}==\"%1\"").arg(hex(CONTROLLER_VENDOR_ID)),
                                QStringLiteral("SUBSYSTEM==\"usb\""), QStringLiteral("TAG+=\"uaccess\"")}));
}

void tst_usb_transport::connectWithoutSink()
{
    simBus bus;
    bus.addController(first, TYPE_WORD_CURRENT);
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    device.setSerial(second);
    QCOMPARE(device.connect(), -1);
    QVERIFY(!device.isConnected());
}

void tst_usb_transport::closingReleasesTheInterface()
{
    simBus bus;
    simController& sim = bus.addController(first, TYPE_WORD_CURRENT);
    auto device = std::make_unique<t_threadUsbDevice>(&bus);
    device->setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);

    // Connecting again closes the open handle first, releasing the interface.
    QCOMPARE(device->connect(), TYPE_WORD_CURRENT);
    QCOMPARE(device->connect(), TYPE_WORD_CURRENT);
    QCOMPARE(sim.opens, 2);
    QCOMPARE(sim.openHandles, 1);

    device->disconnect();
    QVERIFY(!device->isConnected());
    QCOMPARE(sim.openHandles, 0);
    QVERIFY(!sim.interfaceClaimed);
    device->disconnect();

    // The serial survives the disconnection: the next connect looks for the same controller.
    QCOMPARE(device->serialNumber, first);
    QCOMPARE(device->connect(), TYPE_WORD_CURRENT);
    device.reset();
    QCOMPARE(sim.openHandles, 0);
    QCOMPARE(sim.closedWhileClaimed, 0);
}

void tst_usb_transport::configurationIsSetOnlyWhenItDiffers()
{
    simBus bus;
    simController& configured = bus.addController(first, TYPE_WORD_CURRENT);
    configured.configuration = USB_CONFIGURATION;
    simController& unconfigured = bus.addController(second, TYPE_WORD_CURRENT);
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);

    QCOMPARE(device.connect(), TYPE_WORD_CURRENT);
    QCOMPARE(configured.setConfigurationCalls, 0);
    device.setSerial(second);
    QCOMPARE(device.connect(), TYPE_WORD_CURRENT);
    QCOMPARE(unconfigured.setConfigurationCalls, 1);
    QCOMPARE(unconfigured.configuration, USB_CONFIGURATION);
}

void tst_usb_transport::readSerial_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("descriptorBytes");  // -1 = whole descriptor, -2 = refused
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("serialAfter");

    QTest::newRow("current hardware reads index 3") << 0x1D3 << first << -1 << 0 << 3 << first;
    QTest::newRow("old hardware reads index 42") << 0xD3 << first << -1 << 0 << 42 << first;
    QTest::newRow("short descriptor") << 0x1D3 << QStringLiteral("AB12") << -1 << 0 << 3 << QStringLiteral("AB12");
    QTest::newRow("transfer cut short") << 0x1D3 << first << 9 << 0 << 3 << QStringLiteral("01D");
    QTest::newRow("header only") << 0x1D3 << first << 2 << 0 << 3 << QString();
    QTest::newRow("longer serial keeps 13 characters")
        << 0x1D3 << QStringLiteral("01D30001-00019") << -1 << 0 << 3 << first;
    QTest::newRow("refused") << 0x1D3 << first << -2 << -1 << 3 << QString();
}

void tst_usb_transport::readSerial()
{
    QFETCH(int, typeWord);
    QFETCH(QString, serial);
    QFETCH(int, descriptorBytes);
    QFETCH(int, result);
    QFETCH(int, index);
    QFETCH(QString, serialAfter);

    simBus bus;
    simController& sim = bus.addController(serial, typeWord);
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QCOMPARE(device.readSerial(), -1);
    QCOMPARE(device.connect(), typeWord);

    sim.log.clear();
    if (descriptorBytes == -2)
        sim.refuse(SIM_STRING_DESCRIPTOR);
    else if (descriptorBytes >= 0)
        sim.shorten(SIM_STRING_DESCRIPTOR, descriptorBytes);
    QCOMPARE(device.readSerial(), result);
    QCOMPARE(device.serialNumber, serialAfter);
    QCOMPARE(sim.log.size(), 1);
    QCOMPARE(sim.log.first().kind, int(SIM_STRING_DESCRIPTOR));
    QCOMPARE(int(sim.log.first().index), index);
    QCOMPARE(sim.log.first().length, SERIAL_DESCRIPTOR_SIZE);
}

void tst_usb_transport::serialFromDescriptor_data()
{
    QTest::addColumn<QByteArray>("descriptor");
    QTest::addColumn<QString>("serial");

    QTest::newRow("nothing") << QByteArray() << QString();
    QTest::newRow("one byte") << QByteArray("\x1C", 1) << QString();
    QTest::newRow("two characters") << QByteArray("\x06\x03" "A\0B\0", 6) << QStringLiteral("AB");
    QTest::newRow("odd byte at the end") << QByteArray("\x1C\x03" "A\0B\0C", 7) << QStringLiteral("AB");
    QTest::newRow("own length below what arrived") << QByteArray("\x04\x03" "A\0B\0C\0", 8) << QStringLiteral("A");
    QTest::newRow("non-Latin character") << QByteArray("\x04\x03\xAC\x20", 4) << QString(QChar(0x20AC));
}

void tst_usb_transport::serialFromDescriptor()
{
    QFETCH(QByteArray, descriptor);
    QFETCH(QString, serial);
    QCOMPARE(::serialFromDescriptor(reinterpret_cast<const uint8_t*>(descriptor.constData()),
                                    int(descriptor.size())),
             serial);
}

void tst_usb_transport::bulkTransfers()
{
    simBus bus;
    simController& sim = bus.addController(first, TYPE_WORD_CURRENT);
    t_threadUsbDevice device(&bus);
    device.setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QByteArray data(524, '\0');

    QCOMPARE(device.bulkWrite(data.constData(), 524), -1);
    QCOMPARE(device.bulkRead(data.data(), 524), -1);
    QCOMPARE(device.connect(), TYPE_WORD_CURRENT);
    QCOMPARE(device.bulkWrite(nullptr, 524), -1);
    QCOMPARE(device.bulkWrite(data.constData(), 0), -1);
    QCOMPARE(device.bulkRead(nullptr, 524), -1);
    QCOMPARE(device.bulkRead(data.data(), -1), -1);

    // Nothing expected, nothing to read: the library's time-out code comes back.
    QCOMPARE(device.bulkWrite(data.constData(), 524), int(USB_ERROR_TIMEOUT));
    QCOMPARE(device.bulkRead(data.data(), 524), int(USB_ERROR_TIMEOUT));

    // A time-out after part of the data reports the part.
    sim.expectFrames(LIVE_SCENE_WRITE, 1, false, {});
    sim.shorten(SIM_BULK_OUT, 100);
    QCOMPARE(device.bulkWrite(data.constData(), 524), 100);

    sim.sendFrame(DMX_MONITOR_READ, 0, 0, QByteArray(512, '\x11'));
    QCOMPARE(device.bulkRead(data.data(), 524), 524);
    sim.refuse(SIM_BULK_IN, 1, 1, USB_ERROR_PIPE);
    sim.sendFrame(DMX_MONITOR_READ, 0, 0, QByteArray(512, '\x11'));
    QCOMPARE(device.bulkRead(data.data(), 524), int(USB_ERROR_PIPE));

    // Endpoints: out 0x02, in 0x81.
    QCOMPARE(sim.logOf(SIM_BULK_OUT).size(), 2);
    QCOMPARE(sim.logOf(SIM_BULK_IN).size(), 3);
}

void tst_usb_transport::factoryUsesTheInstalledBus()
{
    simBus bus;
    bus.addController(first, TYPE_WORD_CURRENT);
    installUsbBackend(&bus);
    QCOMPARE(&theUsbBackend(), static_cast<usbBackend*>(&bus));
    std::unique_ptr<t_threadDevice> device(createControllerDevice());
    installUsbBackend(nullptr);
    QCOMPARE(&theUsbBackend(), &systemUsbBackend());

    QVERIFY(dynamic_cast<t_threadUsbDevice*>(device.get()));
    device->setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    QCOMPARE(device->connect(), TYPE_WORD_CURRENT);
    QCOMPARE(device->serialNumber, first);
    QCOMPARE(bus.controller()->openHandles, 1);
}

QTEST_GUILESS_MAIN(tst_usb_transport)
#include "tst_usb_transport.moc"
