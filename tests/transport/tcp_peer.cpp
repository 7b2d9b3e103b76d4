#include "tcp_peer.h"

#include "support/tcp_commands.h"
#include "support/tcp_ports.h"

#include "simulator/sim_controller.h"
#include "transport/t_threadTcpDevice.h"
#include "transport/t_threadUsbDevice.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>

#include <memory>

namespace {

// What to do on the wire once the lock is given up.
struct action {
    QByteArray reply;
    bool close = false;
};

} // namespace

// The part of the peer that lives in its thread: servers, connections and
// the handle on the simulated controller.
class tcpPeerWorker : public QObject {
public:
    tcpPeerWorker(tcpPeer& owner, simBus& simulatedBus)
        : peer(owner)
        , bus(simulatedBus)
    {
    }

    void start()
    {
        for (const usbDeviceInfo& info : bus.listDevices()) {
            if (info.vendorId == CONTROLLER_VENDOR_ID && info.productId == CONTROLLER_PRODUCT_ID) {
                handle = bus.open(info, nullptr);
                break;
            }
        }
        if (handle) {
            bus.setConfiguration(handle, USB_CONFIGURATION);
            bus.claimInterface(handle, USB_INTERFACE);
        }

        handshakeServer = new QTcpServer(this);
        handshakeServer->listen(QHostAddress::LocalHost, 0);
        QObject::connect(handshakeServer, &QTcpServer::newConnection, this, [this] { acceptHandshake(); });

        // Three ports in a row: take a free one and try the two after it.
        for (int i = 0; i < TCP_SOCKET_COUNT; ++i)
            dataServers[i] = new QTcpServer(this);
        basePort = listenOnConsecutivePorts(dataServers);
        for (int i = 0; i < TCP_SOCKET_COUNT; ++i)
            QObject::connect(dataServers[i], &QTcpServer::newConnection, this, [this, i] { acceptData(i); });
    }

    void stop()
    {
        for (QTcpSocket* socket : findChildren<QTcpSocket*>())
            QObject::disconnect(socket, nullptr, this, nullptr);
        delete handshakeServer;
        handshakeServer = nullptr;
        for (QTcpServer*& server : dataServers) {
            delete server;
            server = nullptr;
        }
        if (handle) {
            bus.releaseInterface(handle, USB_INTERFACE);
            bus.close(handle);
            handle = nullptr;
        }
    }

    tcpPeer& peer;
    simBus& bus;
    usbDeviceHandle* handle = nullptr;
    QTcpServer* handshakeServer = nullptr;
    QTcpServer* dataServers[TCP_SOCKET_COUNT] = {};
    QPointer<QTcpSocket> dataSockets[TCP_SOCKET_COUNT];
    quint16 basePort = 0;

private:
    struct handshakeState {
        bool replied = false;
    };

    void acceptHandshake()
    {
        while (QTcpSocket* socket = handshakeServer->nextPendingConnection()) {
            int attempt = 0;
            {
                QMutexLocker locker(&peer.lock);
                attempt = peer.seen.handshakes++;
                peer.changed();
            }
            auto state = std::make_shared<handshakeState>();
            QObject::connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                {
                    QMutexLocker locker(&peer.lock);
                    ++peer.seen.handshakesClosed;
                    peer.changed();
                }
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket, state, attempt] {
                const QByteArray bytes = socket->readAll();
                QByteArray reply;
                {
                    QMutexLocker locker(&peer.lock);
                    peer.seen.handshakeBytes += bytes;
                    peer.changed();
                    const QList<QByteArray>& replies = peer.handshakeReplies;
                    reply = replies.isEmpty() ? peer.handshakeReply(1, 0xD3, basePort)
                                              : replies[qMin(attempt, int(replies.size()) - 1)];
                }
                if (state->replied)
                    return;
                state->replied = true;
                if (!reply.isEmpty())
                    socket->write(reply);
                if (reply.size() < tcpHandshakeReply::SIZE)
                    socket->disconnectFromHost();
            });
        }
    }

    void acceptData(int nr)
    {
        while (QTcpSocket* socket = dataServers[nr]->nextPendingConnection()) {
            dataSockets[nr] = socket;
            {
                QMutexLocker locker(&peer.lock);
                ++peer.seen.accepted[nr];
                peer.changed();
            }
            auto commands = std::make_shared<tcpCommandSplitter>();
            QObject::connect(socket, &QTcpSocket::disconnected, this, [this, socket, nr] {
                {
                    QMutexLocker locker(&peer.lock);
                    ++peer.seen.closed[nr];
                    peer.changed();
                }
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, this,
                             [this, socket, commands, nr] { readData(socket, nr, *commands); });
        }
    }

    // Under the lock: carries out one whole command.
    action run(const QByteArray& command)
    {
        action out;
        const uint8_t code = uint8_t(command[0]);
        if (code == peer.closeOnCommand) {
            out.close = true;
            return out;
        }
        const int block = tcpCommandHeader::SIZE;
        switch (code) {
        case TCP_GET_TYPE:
            out.reply = peer.typeReply;
            break;
        case TCP_GET_SERIAL:
            out.reply = peer.serialReply;
            break;
        case TCP_CONTROL_READ: {
            QByteArray data(qsizetype(wireU32(command, block + 8)), '\0');
            const int result = bus.controlTransfer(handle, USB_REQUEST_VENDOR_IN, uint8_t(command[block]),
                                                   wireU16(command, block + 2), wireU16(command, block + 4),
                                                   reinterpret_cast<uint8_t*>(data.data()), uint16_t(data.size()),
                                                   USB_TIMEOUT_MS);
            out.reply = data + char(result >= 0 ? 0 : 1);
            break;
        }
        case TCP_CONTROL_WRITE: {
            QByteArray data = command.mid(block + tcpControlBlock::SIZE);
            const int result = bus.controlTransfer(handle, USB_REQUEST_VENDOR_OUT, uint8_t(command[block]),
                                                   wireU16(command, block + 2), wireU16(command, block + 4),
                                                   data.isEmpty() ? nullptr : reinterpret_cast<uint8_t*>(data.data()),
                                                   uint16_t(data.size()), USB_TIMEOUT_MS);
            out.reply = QByteArray(1, char(result >= 0 ? 0 : 1));
            break;
        }
        case TCP_BULK_READ: {
            const int wanted = int(wireU32(command, 4));
            QByteArray data(wanted, '\0');
            int transferred = 0;
            bus.bulkTransfer(handle, USB_ENDPOINT_IN, reinterpret_cast<uint8_t*>(data.data()), wanted, &transferred,
                             USB_TIMEOUT_MS);
            out.reply = data.left(transferred);
            // Less than asked for: the host would wait for the rest, so hang up.
            out.close = transferred < wanted;
            break;
        }
        case TCP_BULK_WRITE: {
            QByteArray data = command.mid(block);
            int transferred = 0;
            bus.bulkTransfer(handle, USB_ENDPOINT_OUT, reinterpret_cast<uint8_t*>(data.data()), int(data.size()),
                             &transferred, USB_TIMEOUT_MS);
            break;
        }
        default:
            break;
        }
        return out;
    }

    void readData(QTcpSocket* socket, int nr, tcpCommandSplitter& commands)
    {
        const QByteArray bytes = socket->readAll();
        QList<action> actions;
        {
            QMutexLocker locker(&peer.lock);
            peer.seen.wire[nr] += bytes;
            commands.add(bytes);
            QByteArray command;
            while (commands.next(command)) {
                peer.seen.commands.append(uint8_t(command[0]));
                actions.append(run(command));
                if (actions.last().close)
                    break;
            }
            if (commands.unknown() && (actions.isEmpty() || !actions.last().close))
                actions.append(action{QByteArray(), true});
            peer.changed();
        }
        for (const action& a : actions) {
            if (!a.reply.isEmpty())
                socket->write(a.reply);
            if (a.close) {
                socket->disconnectFromHost();
                return;
            }
        }
    }
};

tcpPeer::tcpPeer(simBus& bus)
{
    typeReply = QByteArray::fromHex("d300");
    if (simController* controller = bus.controller(0)) {
        serialReply = QByteArray::fromHex("0100") + controller->serial.toLatin1().left(TCP_SERIAL_REPLY_MAX - 2);
    }
    worker = new tcpPeerWorker(*this, bus);
    worker->moveToThread(&thread);
    thread.start();
    inThread([this] {
        worker->start();
        controlPort = worker->handshakeServer->serverPort();
        dataPort = worker->basePort;
    });
}

tcpPeer::~tcpPeer()
{
    inThread([this] { worker->stop(); });
    worker->deleteLater();
    thread.quit();
    thread.wait();
}

void tcpPeer::inThread(const std::function<void()>& job)
{
    QMetaObject::invokeMethod(worker, [&job] { job(); }, Qt::BlockingQueuedConnection);
}

void tcpPeer::changed()
{
    recordChanged.wakeAll();
}

QByteArray tcpPeer::handshakeReply(int status, int typeWord, quint16 basePort)
{
    QByteArray reply(tcpHandshakeReply::SIZE, '\0');
    reply[0] = char(status);
    qToLittleEndian<quint16>(quint16(typeWord), reply.data() + 2);
    qToLittleEndian<quint16>(basePort, reply.data() + 4);
    return reply;
}

void tcpPeer::setHandshakeReplies(const QList<QByteArray>& replies)
{
    QMutexLocker locker(&lock);
    handshakeReplies = replies;
}

void tcpPeer::refuseHandshake()
{
    inThread([this] { worker->handshakeServer->close(); });
}

void tcpPeer::refuseDataSocket(int nr)
{
    inThread([this, nr] { worker->dataServers[nr]->close(); });
}

void tcpPeer::setTypeReply(const QByteArray& reply)
{
    QMutexLocker locker(&lock);
    typeReply = reply;
}

void tcpPeer::setSerialReply(const QByteArray& reply)
{
    QMutexLocker locker(&lock);
    serialReply = reply;
}

void tcpPeer::closeOn(int command)
{
    QMutexLocker locker(&lock);
    closeOnCommand = command;
}

void tcpPeer::dropDataSocket(int nr)
{
    inThread([this, nr] {
        if (worker->dataSockets[nr])
            worker->dataSockets[nr]->disconnectFromHost();
    });
}

void tcpPeer::clearRecord()
{
    QMutexLocker locker(&lock);
    seen = record();
}

tcpPeer::record tcpPeer::snapshot() const
{
    QMutexLocker locker(&lock);
    return seen;
}

bool tcpPeer::waitUntil(const std::function<bool(const record&)>& done) const
{
    QMutexLocker locker(&lock);
    QDeadlineTimer deadline(5000);
    while (!done(seen)) {
        if (!recordChanged.wait(&lock, deadline))
            return done(seen);
    }
    return true;
}
