#pragma once

#include <QByteArray>
#include <QThread>

class fuzzTcpPeerWorker;

// A controller on the loopback network whose every answer comes from the
// fuzzer's input: the handshake reply and the reply to each command on the
// three data connections. It listens on 127.0.0.1 only, on ports the system
// picks, in its own thread. The handshake always points at its own data
// ports, so that the device never knocks on a port of someone else.
//
// Each answer, read in the order the commands arrive (numbers little-endian):
//   handshake   u8 r: 0xFF hangs up; else the first r % 7 bytes of the
//               reply (u8 status, u8 type word low, u8 high; the base port
//               is the peer's own), hanging up when fewer than 6
//   command     u8 r: 0xFF hangs up; 0 sends the whole reply the command
//               expects; 1 sends, for a bulk read, a frame of the expected
//               size that checks (u8 type, u8 counter, u32 address, u8
//               inPages, the data, u8 xor into the checksum); r >= 2 sends
//               r - 2 bytes. The data is u32 given, the given bytes, u8 fill.
//               A reply shorter than expected is followed by hanging up,
//               so that the device never waits for more (the serial is
//               read as far as it came: only an empty one is short).
// Bulk writes get no reply. Once the answers are used up, every connection
// is closed as it speaks.
class fuzzTcpPeer {
public:
    fuzzTcpPeer();
    ~fuzzTcpPeer();
    fuzzTcpPeer(const fuzzTcpPeer&) = delete;
    fuzzTcpPeer& operator=(const fuzzTcpPeer&) = delete;

    quint16 handshakePort() const { return controlPort; }

    // Closes every connection of the last session and takes the answers of
    // the next one. Returns once the peer has done so.
    void arm(const QByteArray& answers);

private:
    QThread thread;
    fuzzTcpPeerWorker* worker = nullptr;
    quint16 controlPort = 0;
};
