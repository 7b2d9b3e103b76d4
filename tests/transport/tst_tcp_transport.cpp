#include "simulator/sim_controller.h"
#include "transport/t_threadTcpDevice.h"
#include "tcp_peer.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QtEndian>

#include <memory>

namespace {

const QString localHost = QStringLiteral("127.0.0.1");
const QString controllerSerial = QStringLiteral("00D30310-0042");
constexpr uint16_t testValue = 0x1234;
constexpr uint16_t testIndex = 0x5678;

// Takes the test requests 0x42 (OUT, any data) and 0x43 (IN, answering bytes
// 0, 1, 2, ...) besides what every controller answers; 0x44 it refuses.
class echoController : public simController {
public:
    using simController::simController;

protected:
    int handleRequest(const simRequest& r, QByteArray* answer) override
    {
        if (r.request == 0x42 && !r.in)
            return 0;
        if (r.request == 0x43 && r.in) {
            answer->resize(r.length);
            for (int i = 0; i < r.length; ++i)
                (*answer)[i] = char(i);
            return 0;
        }
        return simController::handleRequest(r, answer);
    }
};

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// Bytes 0, 1, 2, ... as echoController answers request 0x43.
QByteArray ascending(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i);
    return bytes;
}

// Test data of the given size.
QByteArray counting(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + 3);
    return bytes;
}

// A controller on a simulated bus, a loopback peer in front of it and a
// device pointed at the peer's handshake port.
struct rig {
    simBus bus;
    echoController* sim = nullptr;
    std::unique_ptr<tcpPeer> peer;
    std::unique_ptr<t_threadTcpDevice> device;

    rig()
    {
        sim = &static_cast<echoController&>(
            bus.add(std::make_unique<echoController>(controllerSerial, TYPE_WORD_OLD)));
        peer = std::make_unique<tcpPeer>(bus);
        device = std::make_unique<t_threadTcpDevice>();
        device->setHandshakePort(peer->handshakePort());
    }
    ~rig()
    {
        device.reset();
        peer.reset();
    }

    // Connects and waits until the peer has taken the hello byte of every data connection.
    bool open()
    {
        return device->connect(localHost) == TYPE_WORD_OLD && peer->waitUntil([](const tcpPeer::record& s) {
            return !s.wire[0].isEmpty() && !s.wire[1].isEmpty() && !s.wire[2].isEmpty();
        });
    }

    // The device's sockets in the order made: control, bulk out, bulk in.
    QTcpSocket* socket(int nr) const
    {
        return device->findChildren<QTcpSocket*>(QString(), Qt::FindDirectChildrenOnly).value(nr);
    }
    bool allSocketsUnconnected() const
    {
        for (int nr = 0; nr < TCP_SOCKET_COUNT; ++nr)
            if (socket(nr)->state() != QAbstractSocket::UnconnectedState)
                return false;
        return true;
    }
    // Waits until the peer saw every data connection it accepted closed again.
    bool peerSeesAllClosed() const
    {
        return peer->waitUntil([](const tcpPeer::record& r) {
            for (int nr = 0; nr < TCP_SOCKET_COUNT; ++nr)
                if (r.closed[nr] != r.accepted[nr])
                    return false;
            return r.handshakesClosed == r.handshakes;
        });
    }
    // What arrived on socket nr after its hello byte.
    QByteArray commandsOn(int nr) const { return peer->snapshot().wire[nr].mid(1); }
};

} // namespace

class tst_tcp_transport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void handshake_data();
    void handshake();
    void handshakeRefused();
    void dataSocketRefused_data();
    void dataSocketRefused();
    void connectionNeedsAllSockets_data();
    void connectionNeedsAllSockets();
    void connectWhileConnected_data();
    void connectWhileConnected();
    void hostChange();
    void controlWrite_data();
    void controlWrite();
    void controlRead_data();
    void controlRead();
    void refusedArguments_data();
    void refusedArguments();
    void peerHangsUp_data();
    void peerHangsUp();
    void bulkWrite_data();
    void bulkWrite();
    void bulkRead_data();
    void bulkRead();
    void serialReply_data();
    void serialReply();
    void destruction();
};

void tst_tcp_transport::handshake_data()
{
    // Each reply: "ok:<type word hex>", "status:<n>" (type word 0xD3),
    // "close" (no reply) or "short" (3 bytes, then closed).
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("handshakes");

    QTest::newRow("old type word") << QStringList{"ok:d3"} << 0xD3 << 1;
    QTest::newRow("type word 0") << QStringList{"ok:0"} << 0 << 1;
    QTest::newRow("status 0 twice, then accepted") << QStringList{"status:0", "status:0", "ok:d3"} << 0xD3 << 3;
    QTest::newRow("status 0 always") << QStringList{"status:0"} << -1 << 5;
    QTest::newRow("status 2 always") << QStringList{"status:2"} << -1 << 5;
    QTest::newRow("accepted on the fifth try") << QStringList{"close", "short", "status:0", "status:3", "ok:d3"}
                                               << 0xD3 << 5;
    QTest::newRow("current type word refused") << QStringList{"ok:1d3"} << -1 << 1;
    QTest::newRow("unknown type word refused") << QStringList{"ok:d4"} << -1 << 1;
    QTest::newRow("closed without a reply") << QStringList{"close"} << -1 << 5;
    QTest::newRow("short reply") << QStringList{"short"} << -1 << 5;
}

void tst_tcp_transport::handshake()
{
    QFETCH(QStringList, replies);
    QFETCH(int, result);
    QFETCH(int, handshakes);

    rig r;
    QList<QByteArray> script;
    for (const QString& reply : replies) {
        const QString kind = reply.section(QLatin1Char(':'), 0, 0);
        const int number = reply.section(QLatin1Char(':'), 1).toInt(nullptr, 16);
        if (kind == QLatin1String("ok"))
            script.append(tcpPeer::handshakeReply(1, number, r.peer->basePort()));
        else if (kind == QLatin1String("status"))
            script.append(tcpPeer::handshakeReply(number, 0xD3, r.peer->basePort()));
        else if (kind == QLatin1String("short"))
            script.append(r.peer->acceptedReply().left(3));
        else
            script.append(QByteArray());
    }
    r.peer->setHandshakeReplies(script);

    QCOMPARE(r.device->connect(localHost), result);
    const bool connected = result >= 0;
    QCOMPARE(r.device->isConnected(), connected);

    const tcpPeer::record seen = r.peer->snapshot();
    QCOMPARE(seen.handshakes, handshakes);
    QCOMPARE(seen.handshakeBytes, QByteArray(handshakes, '\x01'));
    if (connected) {
        QCOMPARE(r.device->basePort(), r.peer->basePort());
        // One connection on each data port, each opened with the hello byte.
        QVERIFY(r.peer->waitUntil([](const tcpPeer::record& s) {
            return s.wire[0] == "\x01" && s.wire[1] == "\x01" && s.wire[2] == "\x01";
        }));
        const tcpPeer::record data = r.peer->snapshot();
        for (int nr = 0; nr < TCP_SOCKET_COUNT; ++nr)
            QCOMPARE(data.accepted[nr], 1);
        for (int nr = 0; nr < TCP_SOCKET_COUNT; ++nr)
            QCOMPARE(r.socket(nr)->state(), QAbstractSocket::ConnectedState);
    } else {
        QVERIFY(r.allSocketsUnconnected());
        for (int nr = 0; nr < TCP_SOCKET_COUNT; ++nr)
            QCOMPARE(seen.accepted[nr], 0);
    }
    // The handshake connections never stay open.
    QVERIFY(r.peer->waitUntil([](const tcpPeer::record& s) { return s.handshakesClosed == s.handshakes; }));
}

void tst_tcp_transport::handshakeRefused()
{
    rig r;
    r.peer->refuseHandshake();
    QCOMPARE(r.device->connect(localHost), -1);
    QVERIFY(!r.device->isConnected());
    QVERIFY(r.allSocketsUnconnected());
    QCOMPARE(r.peer->snapshot().handshakes, 0);
}

void tst_tcp_transport::dataSocketRefused_data()
{
    QTest::addColumn<int>("refused");
    QTest::newRow("control") << 0;
    QTest::newRow("bulk out") << 1;
    QTest::newRow("bulk in") << 2;
}

void tst_tcp_transport::dataSocketRefused()
{
    QFETCH(int, refused);

    // Two sockets of three make no connection, and none of them stays open.
    rig r;
    r.peer->refuseDataSocket(refused);
    QCOMPARE(r.device->connect(localHost), -1);
    QVERIFY(!r.device->isConnected());
    QVERIFY(r.allSocketsUnconnected());
    // The others were still tried, each once.
    QVERIFY(r.peer->waitUntil([refused](const tcpPeer::record& s) {
        for (int nr = 0; nr < TCP_SOCKET_COUNT; ++nr)
            if (s.accepted[nr] != (nr == refused ? 0 : 1))
                return false;
        return true;
    }));
    QVERIFY(r.peerSeesAllClosed());
    QCOMPARE(r.device->controlWrite(0x42, 0, 0, nullptr, 0), -1);
}

void tst_tcp_transport::connectionNeedsAllSockets_data()
{
    QTest::addColumn<int>("dropped");
    QTest::newRow("control") << 0;
    QTest::newRow("bulk out") << 1;
    QTest::newRow("bulk in") << 2;
}

void tst_tcp_transport::connectionNeedsAllSockets()
{
    QFETCH(int, dropped);

    rig r;
    QVERIFY(r.open());
    QVERIFY(r.device->isConnected());
    r.peer->dropDataSocket(dropped);
    QTRY_VERIFY(!r.device->isConnected());
    if (dropped == TCP_SOCKET_CONTROL) {
        // Losing the control connection takes the bulk connections down.
        QVERIFY(r.peer->waitUntil([](const tcpPeer::record& s) { return s.closed[1] == 1 && s.closed[2] == 1; }));
    } else {
        QCOMPARE(r.socket(TCP_SOCKET_CONTROL)->state(), QAbstractSocket::ConnectedState);
    }
    QCOMPARE(r.device->controlWrite(0x42, 0, 0, nullptr, 0), -1);
    QCOMPARE(r.device->deviceType(), 0);

    // A new connect brings all three up again.
    QCOMPARE(r.device->connect(), 0xD3);
    QVERIFY(r.device->isConnected());
    QCOMPARE(r.peer->snapshot().handshakes, 2);
    QVERIFY(r.peer->waitUntil([](const tcpPeer::record& s) {
        return s.accepted[0] == 2 && s.accepted[1] == 2 && s.accepted[2] == 2;
    }));
    QCOMPARE(r.device->controlWrite(0x42, 0, 0, nullptr, 0), tcpControlBlock::SIZE);
}

void tst_tcp_transport::connectWhileConnected_data()
{
    QTest::addColumn<QByteArray>("typeReply");
    QTest::addColumn<int>("result");
    QTest::newRow("old type word") << hex("d300") << 0xD3;
    QTest::newRow("current type word") << hex("d301") << 0;
    QTest::newRow("type word 0") << hex("0000") << 0;
}

void tst_tcp_transport::connectWhileConnected()
{
    QFETCH(QByteArray, typeReply);
    QFETCH(int, result);

    // An open device only asks for the type word again.
    rig r;
    QVERIFY(r.open());
    r.peer->setTypeReply(typeReply);
    QCOMPARE(r.device->connect(), result);
    QVERIFY(r.device->isConnected());
    QCOMPARE(r.peer->snapshot().handshakes, 1);
    QCOMPARE(r.commandsOn(0), hex("0100000000000000"));
}

void tst_tcp_transport::hostChange()
{
    rig r;
    QVERIFY(r.open());
    QCOMPARE(r.device->host(), localHost);
    r.device->setHost(localHost);
    QVERIFY(r.device->isConnected());
    QCOMPARE(r.device->deviceType(), 0xD3);

    r.device->setHost(QStringLiteral("127.0.0.2"));
    QVERIFY(!r.device->isConnected());
    QVERIFY(r.allSocketsUnconnected());
    QVERIFY(r.peerSeesAllClosed());
    QCOMPARE(r.device->host(), QStringLiteral("127.0.0.2"));
    QCOMPARE(r.device->deviceType(), 0);
}

void tst_tcp_transport::controlWrite_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<bool>("withData");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("block");  // the control block on the wire, after the header

    // header 04 000000 0c000000; block: request, 0, value, index, 0000, data length
    QTest::newRow("5 bytes") << 0x42 << true << 5 << 5 << hex("420034127856000005000000");
    QTest::newRow("no data") << 0x42 << false << 0 << 12 << hex("420034127856000000000000");
    QTest::newRow("pointer, length 0") << 0x42 << true << 0 << 12 << hex("420034127856000000000000");
    QTest::newRow("no pointer, length 5") << 0x42 << false << 5 << 12 << hex("420034127856000000000000");
    QTest::newRow("100 bytes") << 0x42 << true << 100 << 100 << hex("420034127856000064000000");
    QTest::newRow("refused by the controller") << 0x44 << true << 3 << -1 << hex("440034127856000003000000");
}

void tst_tcp_transport::controlWrite()
{
    QFETCH(int, request);
    QFETCH(bool, withData);
    QFETCH(int, length);
    QFETCH(int, result);
    QFETCH(QByteArray, block);

    rig r;
    const QByteArray data = counting(128);
    QCOMPARE(r.device->controlWrite(uint8_t(request), testValue, testIndex, data.constData(), 5), -1);
    QVERIFY(r.open());

    QCOMPARE(r.device->controlWrite(uint8_t(request), testValue, testIndex, withData ? data.constData() : nullptr,
                                    unsigned(length)),
             result);
    const QByteArray sent = withData ? data.left(length) : QByteArray();
    QCOMPARE(r.commandsOn(0), hex("040000000c000000") + block + sent);
    QVERIFY(r.device->isConnected());

    // The controller got the request as sent.
    const simLogEntry e = r.sim->logOf(request).last();
    QVERIFY(!e.in);
    QCOMPARE(e.value, testValue);
    QCOMPARE(e.index, testIndex);
    QCOMPARE(e.length, int(sent.size()));
    if (result >= 0)
        QCOMPARE(e.data, sent);
}

void tst_tcp_transport::controlRead_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("answer");

    QTest::newRow("firmware version") << int(GET_FIRMWARE_VERSION) << 4 << 4 << hex("04010700");
    QTest::newRow("status") << int(GET_STATUS) << 8 << 8 << hex("2000000000000000");
    QTest::newRow("100 bytes") << 0x43 << 100 << 100 << ascending(100);
    QTest::newRow("refused by the controller") << 0x44 << 4 << -1 << QByteArray();
}

void tst_tcp_transport::controlRead()
{
    QFETCH(int, request);
    QFETCH(int, length);
    QFETCH(int, result);
    QFETCH(QByteArray, answer);

    rig r;
    r.sim->raise(STATUS_FROZEN);
    QByteArray buffer(length + 4, '\xEE');
    QCOMPARE(r.device->controlRead(uint8_t(request), testValue, testIndex, buffer.data(), unsigned(length)), -1);
    QVERIFY(r.open());

    QCOMPARE(r.device->controlRead(uint8_t(request), testValue, testIndex, buffer.data(), unsigned(length)), result);
    QByteArray block = hex("000034127856000000000000");
    block[0] = char(request);
    block[8] = char(length);
    QCOMPARE(r.commandsOn(0), hex("030000000c000000") + block);
    if (result > 0)
        QCOMPARE(buffer.left(length), answer);
    // Nothing beyond the length asked for is touched.
    QCOMPARE(buffer.mid(length), QByteArray(4, '\xEE'));
    // The status byte was taken: the next command gets its own answer.
    QCOMPARE(r.device->deviceType(), 0xD3);
}

void tst_tcp_transport::refusedArguments_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("control read of 0 bytes") << "controlRead0";
    QTest::newRow("control read without buffer") << "controlReadNull";
    QTest::newRow("bulk write without data") << "bulkWriteNull";
    QTest::newRow("bulk write of 0 bytes") << "bulkWrite0";
    QTest::newRow("bulk write of -1 bytes") << "bulkWriteNegative";
    QTest::newRow("bulk read without buffer") << "bulkReadNull";
    QTest::newRow("bulk read of 0 bytes") << "bulkRead0";
    QTest::newRow("bulk read of -1 bytes") << "bulkReadNegative";
}

void tst_tcp_transport::refusedArguments()
{
    QFETCH(QString, operation);

    rig r;
    QVERIFY(r.open());
    QByteArray buffer(16, '\0');
    int result = 0;
    if (operation == QLatin1String("controlRead0"))
        result = r.device->controlRead(GET_STATUS, 0, 0, buffer.data(), 0);
    else if (operation == QLatin1String("controlReadNull"))
        result = r.device->controlRead(GET_STATUS, 0, 0, nullptr, 8);
    else if (operation == QLatin1String("bulkWriteNull"))
        result = r.device->bulkWrite(nullptr, 8);
    else if (operation == QLatin1String("bulkWrite0"))
        result = r.device->bulkWrite(buffer.constData(), 0);
    else if (operation == QLatin1String("bulkWriteNegative"))
        result = r.device->bulkWrite(buffer.constData(), -1);
    else if (operation == QLatin1String("bulkReadNull"))
        result = r.device->bulkRead(nullptr, 8);
    else if (operation == QLatin1String("bulkRead0"))
        result = r.device->bulkRead(buffer.data(), 0);
    else if (operation == QLatin1String("bulkReadNegative"))
        result = r.device->bulkRead(buffer.data(), -1);
    else
        QFAIL("unknown operation");
    QCOMPARE(result, -1);

    // Nothing went out: one command on each socket finds only the hello byte before it.
    QCOMPARE(r.device->deviceType(), 0xD3);
    r.sim->sendFrame(CONFIG_READ, 0, 0, QByteArray(4, '\x11'));
    QCOMPARE(r.device->bulkRead(buffer.data(), 16), 16);
    r.sim->expectFrames(CONFIG_WRITE, 1, false, [](const blockFrameView&) { return true; });
    QCOMPARE(blockFrame::build(reinterpret_cast<uint8_t*>(buffer.data()), 16, CONFIG_WRITE, 0, 0,
                               reinterpret_cast<const uint8_t*>("\x22\x22\x22\x22"), 4, false),
             16);
    QCOMPARE(r.device->bulkWrite(buffer.constData(), 16), 16);
    QVERIFY(r.peer->waitUntil([](const tcpPeer::record& s) { return s.commands.size() == 3; }));

    const tcpPeer::record seen = r.peer->snapshot();
    QCOMPARE(seen.commands, (QList<int>{TCP_GET_TYPE, TCP_BULK_READ, TCP_BULK_WRITE}));
    QCOMPARE(seen.wire[0], hex("01") + hex("0100000000000000"));
    QCOMPARE(seen.wire[1], hex("01") + hex("0600000010000000") + buffer);
    QCOMPARE(seen.wire[2], hex("01") + hex("0500000010000000"));
    QVERIFY(r.device->isConnected());
}

void tst_tcp_transport::peerHangsUp_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("result");
    QTest::newRow("type query") << int(TCP_GET_TYPE) << 0;
    QTest::newRow("control write") << int(TCP_CONTROL_WRITE) << -1;
    QTest::newRow("control read") << int(TCP_CONTROL_READ) << -1;
    QTest::newRow("bulk read") << int(TCP_BULK_READ) << -1;
    QTest::newRow("serial") << int(TCP_GET_SERIAL) << -1;
}

void tst_tcp_transport::peerHangsUp()
{
    QFETCH(int, command);
    QFETCH(int, result);

    // A controller that hangs up instead of answering fails the operation at once.
    rig r;
    QVERIFY(r.open());
    r.peer->closeOn(command);
    QByteArray buffer(8, '\0');
    int got = 0;
    switch (command) {
    case TCP_GET_TYPE:
        got = r.device->deviceType();
        break;
    case TCP_CONTROL_WRITE:
        got = r.device->controlWrite(0x42, 0, 0, buffer.constData(), 8);
        break;
    case TCP_CONTROL_READ:
        got = r.device->controlRead(GET_STATUS, 0, 0, buffer.data(), 8);
        break;
    case TCP_BULK_READ:
        got = r.device->bulkRead(buffer.data(), 8);
        break;
    case TCP_GET_SERIAL:
        got = r.device->readSerial();
        break;
    }
    QCOMPARE(got, result);
    QVERIFY(!r.device->isConnected());
    QCOMPARE(r.peer->snapshot().commands, QList<int>{command});
}

void tst_tcp_transport::bulkWrite_data()
{
    QTest::addColumn<int>("payload");
    QTest::addColumn<QList<qint64>>("pieces");  // as they leave the socket, after the 8-byte header

    QTest::newRow("16-byte frame") << 4 << QList<qint64>{16};
    QTest::newRow("one whole piece") << 16372 << QList<qint64>{16384};
    QTest::newRow("one byte more") << 16373 << QList<qint64>{16384, 1};
    QTest::newRow("64 KB frame") << 65536 << QList<qint64>{16384, 16384, 16384, 16384, 12};
}

void tst_tcp_transport::bulkWrite()
{
    QFETCH(int, payload);
    QFETCH(QList<qint64>, pieces);

    rig r;
    QVERIFY(r.open());
    // Room for the whole frame in the kernel, so every piece leaves in one write.
    r.socket(TCP_SOCKET_BULK_OUT)->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 1 << 20);
    QSignalSpy written(r.socket(TCP_SOCKET_BULK_OUT), &QTcpSocket::bytesWritten);

    QByteArray received;
    r.sim->expectFrames(CONFIG_WRITE, 1, false, [&received](const blockFrameView& view) {
        received = QByteArray(reinterpret_cast<const char*>(view.data), view.length);
        return true;
    });
    const QByteArray data = counting(payload);
    QByteArray frame(payload + blockFrame::OVERHEAD, '\0');
    QCOMPARE(blockFrame::build(reinterpret_cast<uint8_t*>(frame.data()), int(frame.size()), CONFIG_WRITE, 1, 0x2000,
                               reinterpret_cast<const uint8_t*>(data.constData()), payload, false),
             int(frame.size()));

    QCOMPARE(r.device->bulkWrite(frame.constData(), int(frame.size())), int(frame.size()));
    QList<qint64> sizes;
    for (const QList<QVariant>& signal : written)
        sizes.append(signal.first().toLongLong());
    QCOMPARE(sizes, QList<qint64>{8} + pieces);

    QVERIFY(r.peer->waitUntil([](const tcpPeer::record& s) { return s.commands.contains(TCP_BULK_WRITE); }));
    QByteArray header = hex("0600000000000000");
    qToLittleEndian<quint32>(quint32(frame.size()), header.data() + 4);
    QVERIFY(r.commandsOn(TCP_SOCKET_BULK_OUT) == header + frame);
    QVERIFY(received == data);
    QVERIFY(r.sim->status & STATUS_DONE);
}

void tst_tcp_transport::bulkRead_data()
{
    QTest::addColumn<int>("payload");
    QTest::addColumn<int>("extra");  // asked for beyond the frame
    QTest::addColumn<int>("result");

    QTest::newRow("small frame") << 16 << 0 << 28;
    QTest::newRow("large frame") << 40000 << 0 << 40012;
    QTest::newRow("part of a frame") << 16 << -8 << 20;
    QTest::newRow("more than the frame") << 16 << 4 << -1;
}

void tst_tcp_transport::bulkRead()
{
    QFETCH(int, payload);
    QFETCH(int, extra);
    QFETCH(int, result);

    rig r;
    QVERIFY(r.open());
    const QByteArray data = counting(payload);
    r.sim->sendFrame(CONFIG_READ, 3, 0x4000, data);
    const int wanted = payload + blockFrame::OVERHEAD + extra;
    QByteArray buffer(wanted, '\0');

    QCOMPARE(r.device->bulkRead(buffer.data(), wanted), result);
    QByteArray header = hex("0500000000000000");
    qToLittleEndian<quint32>(quint32(wanted), header.data() + 4);
    QCOMPARE(r.commandsOn(TCP_SOCKET_BULK_IN), header);
    if (extra == 0) {
        blockFrameView view;
        QCOMPARE(blockFrame::read(reinterpret_cast<const uint8_t*>(buffer.constData()), result, false, &view),
                 FRAME_INTACT);
        QCOMPARE(view.type, uint8_t(CONFIG_READ));
        QCOMPARE(view.counter, uint8_t(3));
        QCOMPARE(view.address, 0x4000u);
        QVERIFY(QByteArray(reinterpret_cast<const char*>(view.data), view.length) == data);
    }
    QCOMPARE(r.device->isConnected(), result > 0);
}

void tst_tcp_transport::serialReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("serial");

    QTest::newRow("1 byte") << hex("01") << -1 << QString();
    QTest::newRow("2 bytes") << hex("0100") << -1 << QString();
    QTest::newRow("3 bytes, word 0") << hex("000041") << 0 << QStringLiteral("A");
    QTest::newRow("9 bytes, word 0") << hex("0000") + QByteArray("ABCDEFG") << 0 << QStringLiteral("ABCDEFG");
    QTest::newRow("10 bytes, word 0") << hex("0000") + QByteArray("ABCDEFGH") << -1 << QString();
    QTest::newRow("10 bytes, word 1") << hex("0100") + QByteArray("ABCDEFGH") << 0 << QStringLiteral("ABCDEFGH");
    QTest::newRow("20 bytes") << hex("0100") + QByteArray("00D30310-0042ABCDE") << 0
                              << QStringLiteral("00D30310-0042ABCDE");
}

void tst_tcp_transport::serialReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, result);
    QFETCH(QString, serial);

    rig r;
    QVERIFY(r.open());
    r.peer->setSerialReply(reply);
    r.device->serialNumber = QStringLiteral("wanted");
    QCOMPARE(r.device->readSerial(), result);
    QCOMPARE(r.device->serialNumber, serial);
    QCOMPARE(r.commandsOn(0), hex("0700000000000000"));
    // A refused reply drops the control connection, and with it the device.
    QCOMPARE(r.device->isConnected(), result == 0);
    if (result < 0) {
        QCOMPARE(r.socket(TCP_SOCKET_CONTROL)->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(r.peerSeesAllClosed());
    }
}

void tst_tcp_transport::destruction()
{
    {
        // Destroyed right after it was made: its thread may just be starting.
        t_threadTcpDevice device;
        QVERIFY(device.isRunning());
        QCOMPARE(device.handshakePort(), TCP_CONTROL_PORT);
        QVERIFY(!device.isConnected());
        QCOMPARE(device.deviceType(), 0);
        QCOMPARE(device.readSerial(), -1);
    }

    rig r;
    QVERIFY(r.open());
    QVERIFY(r.device->isRunning());
    r.device.reset();
    QVERIFY(r.peerSeesAllClosed());
    const tcpPeer::record seen = r.peer->snapshot();
    for (int nr = 0; nr < TCP_SOCKET_COUNT; ++nr)
        QCOMPARE(seen.closed[nr], 1);
}

QTEST_GUILESS_MAIN(tst_tcp_transport)
#include "tst_tcp_transport.moc"
