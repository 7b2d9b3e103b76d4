#include "t_threadTcpDevice.h"

#include "transport/protocol.h"

#include <QMetaType>
#include <QTcpSocket>
#include <QtEndian>

#include <climits>
#include <cstring>

tcpHandshakeReply tcpHandshakeReply::fromBytes(const uint8_t* bytes)
{
    tcpHandshakeReply reply;
    reply.status = bytes[0];
    reply.typeWord = qFromLittleEndian<quint16>(bytes + 2);
    reply.basePort = qFromLittleEndian<quint16>(bytes + 4);
    return reply;
}

void tcpCommandHeader::toBytes(uint8_t* out) const
{
    out[0] = command;
    out[1] = out[2] = out[3] = 0;
    qToLittleEndian<quint32>(length, out + 4);
}

void tcpControlBlock::toBytes(uint8_t* out) const
{
    out[0] = request;
    out[1] = 0;
    qToLittleEndian<quint16>(value, out + 2);
    qToLittleEndian<quint16>(index, out + 4);
    out[6] = out[7] = 0;
    qToLittleEndian<quint32>(dataLength, out + 8);
}

t_threadTcpDevice::t_threadTcpDevice()
{
    if (!QMetaType::fromName("QAbstractSocket::SocketState").isValid())
        qRegisterMetaType<QAbstractSocket::SocketState>("QAbstractSocket::SocketState");
    for (QTcpSocket*& socket : sockets)
        socket = new QTcpSocket(this);
    QObject::connect(sockets[0], &QAbstractSocket::stateChanged, this, &t_threadTcpDevice::stateChanged0);
    QObject::connect(sockets[1], &QAbstractSocket::stateChanged, this, &t_threadTcpDevice::stateChanged1);
    QObject::connect(sockets[2], &QAbstractSocket::stateChanged, this, &t_threadTcpDevice::stateChanged2);
    start(QThread::InheritPriority);
}

t_threadTcpDevice::~t_threadTcpDevice()
{
    // A thread destroyed while it still runs takes the whole program down.
    quit();
    if (QThread::currentThread() != this)
        wait();
    closeSockets();
    connected = false;
    for (QTcpSocket*& socket : sockets) {
        QObject::disconnect(socket, nullptr, this, nullptr);
        delete socket;
        socket = nullptr;
    }
}

void t_threadTcpDevice::run()
{
    exec();
}

bool t_threadTcpDevice::allSocketsConnected() const
{
    for (const QTcpSocket* socket : sockets)
        if (socket->state() != QAbstractSocket::ConnectedState)
            return false;
    return true;
}

void t_threadTcpDevice::stateChanged(int nr, QAbstractSocket::SocketState state)
{
    // One socket up is not a connection: the commands need all three.
    connected = allSocketsConnected();
    if (nr == TCP_SOCKET_CONTROL && state != QAbstractSocket::ConnectedState) {
        for (int i = TCP_SOCKET_BULK_OUT; i < TCP_SOCKET_COUNT; ++i)
            if (sockets[i]->state() != QAbstractSocket::UnconnectedState)
                sockets[i]->disconnectFromHost();
    }
}

void t_threadTcpDevice::stateChanged0(QAbstractSocket::SocketState state)
{
    stateChanged(0, state);
}

void t_threadTcpDevice::stateChanged1(QAbstractSocket::SocketState state)
{
    stateChanged(1, state);
}

void t_threadTcpDevice::stateChanged2(QAbstractSocket::SocketState state)
{
    stateChanged(2, state);
}

bool t_threadTcpDevice::isConnected()
{
    return connected;
}

void t_threadTcpDevice::setHost(const QString& h)
{
    if (h != hostName)
        disconnect();
    hostName = h;
}

int t_threadTcpDevice::connect(const QString& h)
{
    setHost(h);
    return connect();
}

void t_threadTcpDevice::closeSockets()
{
    for (QTcpSocket* socket : sockets)
        if (socket->state() != QAbstractSocket::UnconnectedState)
            socket->disconnectFromHost();
}

void t_threadTcpDevice::disconnect()
{
    // Also a partly open device, so that no connection stays behind.
    closeSockets();
    connected = false;
}

bool t_threadTcpDevice::toUnconnected(QTcpSocket* socket)
{
    const QAbstractSocket::SocketState state = socket->state();
    if (state == QAbstractSocket::HostLookupState || state == QAbstractSocket::ConnectingState
        || state == QAbstractSocket::ConnectedState)
        socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        return true;
    return socket->waitForDisconnected(TCP_SHORT_TIMEOUT_MS);
}

bool t_threadTcpDevice::send(QTcpSocket* socket, const void* data, qint64 length, int timeoutMs)
{
    if (socket->state() != QAbstractSocket::ConnectedState)
        return false;
    if (socket->write(static_cast<const char*>(data), length) != length)
        return false;
    while (socket->bytesToWrite() > 0)
        if (!socket->waitForBytesWritten(timeoutMs)) {
            lastTimedOut = socket->error() == QAbstractSocket::SocketTimeoutError;
            return false;
        }
    return true;
}

bool t_threadTcpDevice::sendHeader(QTcpSocket* socket, uint8_t command, uint32_t length)
{
    tcpCommandHeader header;
    header.command = command;
    header.length = length;
    uint8_t bytes[tcpCommandHeader::SIZE];
    header.toBytes(bytes);
    return send(socket, bytes, tcpCommandHeader::SIZE, TCP_SHORT_TIMEOUT_MS);
}

bool t_threadTcpDevice::receive(QTcpSocket* socket, void* buffer, qint64 length, int timeoutMs)
{
    // TCP may cut a reply anywhere, so read until all of it arrived.
    char* out = static_cast<char*>(buffer);
    qint64 received = 0;
    while (received < length) {
        if (socket->bytesAvailable() <= 0 && !socket->waitForReadyRead(timeoutMs)) {
            lastTimedOut = socket->error() == QAbstractSocket::SocketTimeoutError;
            return false;
        }
        const qint64 n = socket->read(out + received, length - received);
        if (n < 0)
            return false;
        received += n;
    }
    return true;
}

bool t_threadTcpDevice::handshake(tcpHandshakeReply* reply)
{
    QTcpSocket* socket = sockets[TCP_SOCKET_CONTROL];
    socket->connectToHost(hostName, controlPort, QIODevice::ReadWrite);
    socket->waitForConnected(TCP_SHORT_TIMEOUT_MS);
    if (socket->state() != QAbstractSocket::ConnectedState)
        return false;

    const uint8_t hello = TCP_HELLO;
    uint8_t bytes[tcpHandshakeReply::SIZE];
    const bool answered = send(socket, &hello, 1, TCP_SHORT_TIMEOUT_MS)
                          && receive(socket, bytes, tcpHandshakeReply::SIZE, TCP_SHORT_TIMEOUT_MS);
    // The handshake port only hands out the data ports.
    socket->disconnectFromHost();
    if (socket->state() != QAbstractSocket::UnconnectedState)
        socket->waitForDisconnected(TCP_SHORT_TIMEOUT_MS);
    if (!answered)
        return false;
    *reply = tcpHandshakeReply::fromBytes(bytes);
    return true;
}

int t_threadTcpDevice::openDataSocket(int nr)
{
    QTcpSocket* socket = sockets[nr];
    const int port = int(dataBasePort) + nr;
    for (int attempt = 0; attempt < TCP_ATTEMPTS; ++attempt) {
        if (!toUnconnected(socket))
            return -1;
        if (port > 0xFFFF)
            return 0;
        socket->connectToHost(hostName, quint16(port), QIODevice::ReadWrite);
        socket->waitForConnected(TCP_SHORT_TIMEOUT_MS);
        if (socket->state() != QAbstractSocket::ConnectedState)
            continue;
        const uint8_t hello = TCP_HELLO;
        if (send(socket, &hello, 1, TCP_SHORT_TIMEOUT_MS))
            return 1;
    }
    return 0;
}

int t_threadTcpDevice::connect()
{
    if (connected) {
        const int type = deviceType();
        return type == TYPE_WORD_OLD ? type : 0;
    }

    tcpHandshakeReply reply;
    bool accepted = false;
    for (int attempt = 0; attempt < TCP_ATTEMPTS && !accepted; ++attempt) {
        if (!toUnconnected(sockets[TCP_SOCKET_CONTROL])) {
            disconnect();
            return -1;
        }
        accepted = handshake(&reply) && reply.status == 1;
    }
    // Whatever fails from here on leaves no connection open behind it.
    if (!accepted || (reply.typeWord != 0 && reply.typeWord != TYPE_WORD_OLD)) {
        disconnect();
        return -1;
    }

    dataBasePort = reply.basePort;
    // Every socket is tried, even after one was given up.
    for (int nr = 0; nr < TCP_SOCKET_COUNT; ++nr) {
        if (openDataSocket(nr) < 0) {
            disconnect();
            return -1;
        }
    }
    if (!connected) {
        disconnect();
        return -1;
    }
    return reply.typeWord;
}

int t_threadTcpDevice::deviceType()
{
    lastTimedOut = false;
    if (!connected)
        return 0;
    QTcpSocket* socket = sockets[TCP_SOCKET_CONTROL];
    uint8_t word[2];
    if (!sendHeader(socket, TCP_GET_TYPE, 0) || !receive(socket, word, 2, TCP_SHORT_TIMEOUT_MS)) {
        disconnect();
        return 0;
    }
    return word[0] | (word[1] << 8);
}

bool t_threadTcpDevice::sendControl(QTcpSocket* socket, uint8_t command, uint8_t request, uint16_t value,
                                    uint16_t index, uint32_t dataLength)
{
    tcpControlBlock block;
    block.request = request;
    block.value = value;
    block.index = index;
    block.dataLength = dataLength;
    uint8_t blockBytes[tcpControlBlock::SIZE];
    block.toBytes(blockBytes);
    return sendHeader(socket, command, tcpControlBlock::SIZE)
           && send(socket, blockBytes, tcpControlBlock::SIZE, TCP_SHORT_TIMEOUT_MS);
}

int t_threadTcpDevice::controlWrite(uint8_t request, uint16_t value, uint16_t index, const void* data,
                                    unsigned length)
{
    lastTimedOut = false;
    if (!connected || length > unsigned(INT_MAX))
        return -1;
    QTcpSocket* socket = sockets[TCP_SOCKET_CONTROL];
    if (!sendControl(socket, TCP_CONTROL_WRITE, request, value, index, data ? length : 0))
        return -1;
    const bool withData = data && length > 0;
    if (withData && !send(socket, data, qint64(length), TCP_SHORT_TIMEOUT_MS))
        return -1;
    uint8_t status = 0xFF;
    if (!receive(socket, &status, 1, TCP_SHORT_TIMEOUT_MS) || status != 0)
        return -1;
    return withData ? int(length) : tcpControlBlock::SIZE;
}

int t_threadTcpDevice::controlRead(uint8_t request, uint16_t value, uint16_t index, void* buffer, unsigned length)
{
    lastTimedOut = false;
    if (!connected || !buffer || length == 0 || length > unsigned(INT_MAX))
        return -1;
    QTcpSocket* socket = sockets[TCP_SOCKET_CONTROL];
    if (!sendControl(socket, TCP_CONTROL_READ, request, value, index, length))
        return -1;
    if (!receive(socket, buffer, qint64(length), TCP_DATA_TIMEOUT_MS))
        return -1;
    uint8_t status = 0xFF;
    if (!receive(socket, &status, 1, TCP_SHORT_TIMEOUT_MS) || status != 0)
        return -1;
    return int(length);
}

int t_threadTcpDevice::bulkWrite(const void* data, int length)
{
    lastTimedOut = false;
    if (!data || length <= 0 || !connected)
        return -1;
    QTcpSocket* socket = sockets[TCP_SOCKET_BULK_OUT];
    if (!sendHeader(socket, TCP_BULK_WRITE, uint32_t(length)))
        return -1;
    const char* bytes = static_cast<const char*>(data);
    for (int offset = 0; offset < length; offset += TCP_BULK_PIECE) {
        const int piece = qMin(TCP_BULK_PIECE, length - offset);
        if (!send(socket, bytes + offset, piece, TCP_SHORT_TIMEOUT_MS))
            return -1;
    }
    return length;
}

int t_threadTcpDevice::bulkRead(void* buffer, int length)
{
    lastTimedOut = false;
    if (!buffer || length <= 0 || !connected)
        return -1;
    QTcpSocket* socket = sockets[TCP_SOCKET_BULK_IN];
    if (!sendHeader(socket, TCP_BULK_READ, uint32_t(length)))
        return -1;
    if (!receive(socket, buffer, length, TCP_DATA_TIMEOUT_MS))
        return -1;
    return length;
}

int t_threadTcpDevice::readSerial()
{
    lastTimedOut = false;
    serialNumber.clear();
    QTcpSocket* socket = sockets[TCP_SOCKET_CONTROL];
    uint8_t reply[TCP_SERIAL_REPLY_MAX];
    qint64 received = -1;
    if (sendHeader(socket, TCP_GET_SERIAL, 0)
        && (socket->bytesAvailable() > 0 || socket->waitForReadyRead(TCP_SHORT_TIMEOUT_MS)))
        received = socket->read(reinterpret_cast<char*>(reply), TCP_SERIAL_REPLY_MAX);

    // The reply is a word and then the text; fewer than 2 bytes carry neither.
    const bool refused = received <= 2 || (received >= 10 && qFromLittleEndian<quint16>(reply) == 0);
    if (refused) {
        if (socket->state() != QAbstractSocket::UnconnectedState)
            socket->disconnectFromHost();
        return -1;
    }
    serialNumber = QString::fromLatin1(reinterpret_cast<const char*>(reply + 2), int(received) - 2);
    return 0;
}
