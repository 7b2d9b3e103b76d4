#include "fuzz_tcp_peer.h"

#include "transport/protocol.h"
#include "transport/t_threadTcpDevice.h"
#include "fuzz_input.h"
#include "support/tcp_commands.h"
#include "support/tcp_ports.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>

#include <algorithm>
#include <cstring>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace {

constexpr uint8_t HANG_UP = 0xFF;

// The device writes a command in several small pieces; Nagle's algorithm
// holds each next piece until the last one is acknowledged, and a delayed
// acknowledgement makes that 40 ms a command. The peer acknowledges at once
// (Linux clears the flag again after a while, so it is set after every read).
void acknowledgeAtOnce(QTcpSocket* socket)
{
    const int one = 1;
    setsockopt(int(socket->socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
}

} // namespace

class fuzzTcpPeerWorker : public QObject {
public:
    void start()
    {
        handshakeServer = new QTcpServer(this);
        handshakeServer->listen(QHostAddress::LocalHost, 0);
        QObject::connect(handshakeServer, &QTcpServer::newConnection, this, [this] { acceptHandshake(); });
        // Three ports in a row: take a free one and try the two after it.
        for (QTcpServer*& server : dataServers)
            server = new QTcpServer(this);
        basePort = listenOnConsecutivePorts(dataServers);
        for (int i = 0; i < TCP_SOCKET_COUNT; ++i)
            QObject::connect(dataServers[i], &QTcpServer::newConnection, this, [this, i] { acceptData(i); });
    }

    void arm(const QByteArray& bytes)
    {
        for (QTcpSocket* socket : findChildren<QTcpSocket*>()) {
            QObject::disconnect(socket, nullptr, this, nullptr);
            socket->abort();
            delete socket;
        }
        answers = bytes;
        in = std::make_unique<fuzzInput>(reinterpret_cast<const uint8_t*>(answers.constData()), size_t(answers.size()));
    }

    QTcpServer* handshakeServer = nullptr;
    QTcpServer* dataServers[TCP_SOCKET_COUNT] = {};
    quint16 basePort = 0;

private:
    void hangUp(QTcpSocket* socket)
    {
        socket->flush();
        socket->disconnectFromHost();
    }

    // The data of a reply: u32 given, the given bytes, u8 fill.
    QByteArray replyData(int count)
    {
        QByteArray out(count, '\0');
        const size_t given = std::min<size_t>(in->u32(), size_t(count));
        const size_t got = in->bytes(out.data(), given);
        std::memset(out.data() + got, in->u8(), size_t(count) - got);
        return out;
    }

    void acceptHandshake()
    {
        while (QTcpSocket* socket = handshakeServer->nextPendingConnection()) {
            socket->setParent(this);
            acknowledgeAtOnce(socket);
            QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                socket->readAll();
                acknowledgeAtOnce(socket);
                if (socket->property("answered").toBool())
                    return;
                socket->setProperty("answered", true);
                const uint8_t r = in->exhausted() ? HANG_UP : in->u8();
                if (r == HANG_UP) {
                    hangUp(socket);
                    return;
                }
                uint8_t reply[tcpHandshakeReply::SIZE] = {in->u8(), 0, in->u8(), in->u8()};
                qToLittleEndian<quint16>(basePort, reply + 4);
                const int n = r % (tcpHandshakeReply::SIZE + 1);
                socket->write(reinterpret_cast<const char*>(reply), n);
                if (n < tcpHandshakeReply::SIZE)
                    hangUp(socket);
            });
        }
    }

    void acceptData(int nr)
    {
        while (QTcpSocket* socket = dataServers[nr]->nextPendingConnection()) {
            socket->setParent(this);
            acknowledgeAtOnce(socket);
            auto commands = std::make_shared<tcpCommandSplitter>();
            QObject::connect(socket, &QTcpSocket::readyRead, this,
                             [this, socket, commands] { readCommands(socket, *commands); });
        }
    }

    // The bytes the device waits for after this command; -1 for none.
    static qint64 expectedReply(const QByteArray& command)
    {
        switch (uint8_t(command[0])) {
        case TCP_GET_TYPE:
            return 2;
        case TCP_GET_SERIAL:
            return TCP_SERIAL_REPLY_MAX;
        case TCP_CONTROL_READ:
            return qint64(wireU32(command, tcpCommandHeader::SIZE + 8)) + 1;
        case TCP_CONTROL_WRITE:
            return 1;
        case TCP_BULK_READ:
            return qint64(wireU32(command, 4));
        default:
            return -1;
        }
    }

    // Answers one command; false when the connection was hung up.
    bool answer(QTcpSocket* socket, const QByteArray& command)
    {
        const qint64 expected = expectedReply(command);
        if (expected < 0)
            return true;
        const uint8_t r = in->exhausted() ? HANG_UP : in->u8();
        if (r == HANG_UP || expected > 0x1000000) {
            hangUp(socket);
            return false;
        }
        // The serial is read as far as it came: only no reply at all is short.
        const qint64 least = uint8_t(command[0]) == TCP_GET_SERIAL ? 1 : expected;
        QByteArray reply;
        if (r == 0) {
            reply = replyData(int(expected));
        } else if (r == 1 && uint8_t(command[0]) == TCP_BULK_READ && expected >= blockFrame::OVERHEAD) {
            reply = frame(int(expected));
        } else {
            reply = replyData(std::max(r - 2, 0));
        }
        socket->write(reply);
        if (reply.size() < least) {
            hangUp(socket);
            return false;
        }
        return true;
    }

    QByteArray frame(int size)
    {
        const uint8_t type = in->u8();
        const uint8_t counter = in->u8();
        const uint32_t address = in->u32();
        bool inPages = in->u8() & 1;
        int length = size - blockFrame::OVERHEAD;
        if (inPages)
            length &= ~0xFF;
        if (!inPages && length == 0)
            inPages = true;
        QByteArray out(size, '\0');
        const QByteArray data = replyData(length);
        auto* p = reinterpret_cast<uint8_t*>(out.data());
        blockFrame::build(p, size, type, counter, address, reinterpret_cast<const uint8_t*>(data.constData()), length,
                          inPages);
        p[blockFrame::HEADER_SIZE + length] ^= in->u8();
        return out;
    }

    void readCommands(QTcpSocket* socket, tcpCommandSplitter& commands)
    {
        commands.add(socket->readAll());
        acknowledgeAtOnce(socket);
        QByteArray command;
        while (commands.next(command)) {
            if (!answer(socket, command))
                return;
        }
        if (commands.unknown())
            hangUp(socket);
    }

    QByteArray answers;
    std::unique_ptr<fuzzInput> in = std::make_unique<fuzzInput>(nullptr, 0);
};

fuzzTcpPeer::fuzzTcpPeer()
{
    worker = new fuzzTcpPeerWorker;
    worker->moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(worker, [this] { worker->start(); }, Qt::BlockingQueuedConnection);
    controlPort = worker->handshakeServer->serverPort();
}

fuzzTcpPeer::~fuzzTcpPeer()
{
    QMetaObject::invokeMethod(worker, [this] { delete worker; }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
}

void fuzzTcpPeer::arm(const QByteArray& answers)
{
    QMetaObject::invokeMethod(worker, [this, answers] { worker->arm(answers); }, Qt::BlockingQueuedConnection);
}
