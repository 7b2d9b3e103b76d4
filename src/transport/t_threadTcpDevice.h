#pragma once

#include "transport/t_threadDevice.h"

#include <QAbstractSocket>

class QTcpSocket;

// The port a controller on the network answers the handshake on.
inline constexpr quint16 TCP_CONTROL_PORT = 49160;
// Connecting, disconnecting, writing and short replies.
inline constexpr int TCP_SHORT_TIMEOUT_MS = 5000;
// The data of a control read and each wait of a bulk read.
inline constexpr int TCP_DATA_TIMEOUT_MS = 20000;
// Tries of the handshake and of each data connection.
inline constexpr int TCP_ATTEMPTS = 5;
// A bulk write goes out in pieces of at most this many bytes.
inline constexpr int TCP_BULK_PIECE = 16384;
// The longest serial reply read.
inline constexpr int TCP_SERIAL_REPLY_MAX = 20;
// The byte that opens the handshake and every data connection.
inline constexpr uint8_t TCP_HELLO = 0x01;

// The three data connections, at the base port and the two following.
enum tcpSocket : int {
    TCP_SOCKET_CONTROL = 0,  // type, serial and control transfers
    TCP_SOCKET_BULK_OUT = 1,
    TCP_SOCKET_BULK_IN = 2,
    TCP_SOCKET_COUNT = 3,
};

// Command codes, the first byte of every command header.
enum tcpCommand : uint8_t {
    TCP_GET_TYPE = 1,
    TCP_CONTROL_READ = 3,
    TCP_CONTROL_WRITE = 4,
    TCP_BULK_READ = 5,
    TCP_BULK_WRITE = 6,
    TCP_GET_SERIAL = 7,
};

// All multi-byte fields on the wire are little-endian.

// The answer to the hello byte on the handshake port:
//   0 status (1 = accepted), 1 not used, 2-3 type word, 4-5 base port.
struct tcpHandshakeReply {
    static constexpr int SIZE = 6;
    uint8_t status = 0;
    uint16_t typeWord = 0;
    uint16_t basePort = 0;
    static tcpHandshakeReply fromBytes(const uint8_t* bytes);
};

// In front of every command: 0 command, 1-3 reserved (0), 4-7 length
// (12 for control commands, the byte count for bulk commands, else 0).
struct tcpCommandHeader {
    static constexpr int SIZE = 8;
    uint8_t command = 0;
    uint32_t length = 0;
    void toBytes(uint8_t* out) const;
};

// After the header of a control command: 0 request, 1 reserved, 2-3 value,
// 4-5 index, 6-7 reserved, 8-11 data length (0 without a data buffer).
struct tcpControlBlock {
    static constexpr int SIZE = 12;
    uint8_t request = 0;
    uint16_t value = 0;
    uint16_t index = 0;
    uint32_t dataLength = 0;
    void toBytes(uint8_t* out) const;
};

// A controller reached over TCP: a handshake on the control port gives its
// type word and the base port of three data connections (control, bulk out,
// bulk in), and every device operation is a command on one of them. The
// program itself always uses the USB device.
//
// The device runs an idle event loop in its own thread, but every operation
// is called from the creating thread and blocks it on the sockets' waits; the
// sockets belong to the creating thread.
class t_threadTcpDevice : public t_threadDevice {
    Q_OBJECT
public:
    t_threadTcpDevice();
    ~t_threadTcpDevice() override;

    void run() override;
    int deviceType() override;
    // True only while all three data connections are up.
    bool isConnected() override;
    int controlWrite(uint8_t request, uint16_t value, uint16_t index, const void* data, unsigned length) override;
    int controlRead(uint8_t request, uint16_t value, uint16_t index, void* buffer, unsigned length) override;
    int bulkWrite(const void* data, int length) override;
    int bulkRead(void* buffer, int length) override;
    int readSerial() override;

    // The handshake port; TCP_CONTROL_PORT unless set (a test peer listens elsewhere).
    void setHandshakePort(quint16 port) { controlPort = port; }
    quint16 handshakePort() const { return controlPort; }
    QString host() const { return hostName; }
    // The base port the last accepted handshake gave.
    quint16 basePort() const { return dataBasePort; }

public Q_SLOTS:
    int connect() override;
    int connect(const QString& h);
    void disconnect() override;
    void setHost(const QString& h);
    void stateChanged(int nr, QAbstractSocket::SocketState state);
    void stateChanged0(QAbstractSocket::SocketState state);
    void stateChanged1(QAbstractSocket::SocketState state);
    void stateChanged2(QAbstractSocket::SocketState state);

private:
    bool allSocketsConnected() const;
    // Disconnects every socket that is not yet unconnected.
    void closeSockets();
    // Brings a socket to the unconnected state; false when it does not get there in time.
    bool toUnconnected(QTcpSocket* socket);
    // Writes all bytes and waits until they have left the socket.
    bool send(QTcpSocket* socket, const void* data, qint64 length, int timeoutMs);
    bool sendHeader(QTcpSocket* socket, uint8_t command, uint32_t length);
    // A control command (TCP_CONTROL_WRITE or TCP_CONTROL_READ) with its block.
    bool sendControl(QTcpSocket* socket, uint8_t command, uint8_t request, uint16_t value, uint16_t index,
                     uint32_t dataLength);
    // Reads exactly length bytes, waiting up to timeoutMs whenever none are available.
    bool receive(QTcpSocket* socket, void* buffer, qint64 length, int timeoutMs);
    // One handshake try: true with the reply when a whole reply arrived.
    bool handshake(tcpHandshakeReply* reply);
    // Up to TCP_ATTEMPTS tries to open data connection nr; -1 when the
    // socket cannot be brought to the unconnected state.
    int openDataSocket(int nr);

    QTcpSocket* sockets[TCP_SOCKET_COUNT];
    QString hostName;
    quint16 dataBasePort = 0;
    quint16 controlPort = TCP_CONTROL_PORT;
    // Follows the sockets' state signals: all three connected.
    bool connected = false;
};
