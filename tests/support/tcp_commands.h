#pragma once

// The commands a TCP device sends on one of its data connections, for the
// peers that stand in for a controller (the transport tests' and the fuzz
// harness's). Header only: the fuzz build builds no tests.

#include "transport/t_threadTcpDevice.h"

#include <QByteArray>
#include <QtEndian>

// Numbers on the wire are little-endian.
inline quint16 wireU16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

inline quint32 wireU32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// Takes the commands one by one out of the bytes as they arrive: the hello
// byte that opens the connection is dropped, and a command is handed out once
// all of its bytes are there.
class tcpCommandSplitter {
public:
    void add(const QByteArray& bytes)
    {
        pending += bytes;
        if (!hello && !pending.isEmpty()) {
            hello = true;
            pending.remove(0, 1);
        }
    }

    // The next whole command into `command`. False when the bytes at hand do
    // not complete one, or when they begin with a command no controller
    // knows: unknown() tells that, and nothing after it can be read.
    bool next(QByteArray& command)
    {
        if (stuck || pending.size() < tcpCommandHeader::SIZE)
            return false;
        const qsizetype size = commandSize(pending);
        if (size == 0) {
            stuck = true;
            return false;
        }
        if (pending.size() < size)
            return false;
        command = pending.left(size);
        pending.remove(0, size);
        return true;
    }

    bool unknown() const { return stuck; }

private:
    // Bytes a command takes, header included, as far as the bytes at hand
    // (a whole header at least) tell; 0 for a command no controller knows.
    static qsizetype commandSize(const QByteArray& bytes)
    {
        const qsizetype withBlock = tcpCommandHeader::SIZE + tcpControlBlock::SIZE;
        switch (uint8_t(bytes[0])) {
        case TCP_GET_TYPE:
        case TCP_GET_SERIAL:
        case TCP_BULK_READ:
            return tcpCommandHeader::SIZE;
        case TCP_CONTROL_READ:
            return withBlock;
        case TCP_CONTROL_WRITE:
            // The data length stands in the control block: wait for it.
            return bytes.size() < withBlock ? withBlock : withBlock + qsizetype(wireU32(bytes, tcpCommandHeader::SIZE + 8));
        case TCP_BULK_WRITE:
            return tcpCommandHeader::SIZE + qsizetype(wireU32(bytes, 4));
        default:
            return 0;
        }
    }

    QByteArray pending;
    bool hello = false;
    bool stuck = false;
};
