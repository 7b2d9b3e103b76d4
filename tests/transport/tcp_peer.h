#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <functional>

class simBus;
class tcpPeerWorker;

// A controller on the loopback network for the TCP transport's tests. It
// listens on 127.0.0.1 only: a handshake port and three data ports in a row
// (all free ports the system picked). It answers the handshake, reads the
// hello byte of each data connection and answers the commands; control and
// bulk commands go to the first controller on a simulated bus, through the
// bus like a host would.
//
// It runs in its own thread. The test thread sets the knobs before the
// operation it tests and reads what happened through snapshot() and
// waitUntil(); the peer handles each command under the lock, so what a
// snapshot shows (the simulated controller included) is complete.
class tcpPeer {
public:
    // What the peer saw.
    struct record {
        int handshakes = 0;           // handshake connections accepted
        int handshakesClosed = 0;     // of those, closed again
        QByteArray handshakeBytes;    // every byte received on them
        int accepted[3] = {0, 0, 0};  // data connections accepted, per socket
        int closed[3] = {0, 0, 0};    // data connections closed, per socket
        QByteArray wire[3];           // every byte received per socket, hello bytes included
        QList<int> commands;          // command codes handled, in order, all sockets
    };

    // The bus must outlive the peer and hold a controller.
    explicit tcpPeer(simBus& bus);
    ~tcpPeer();
    tcpPeer(const tcpPeer&) = delete;
    tcpPeer& operator=(const tcpPeer&) = delete;

    quint16 handshakePort() const { return controlPort; }
    quint16 basePort() const { return dataPort; }

    // A 6-byte handshake reply.
    static QByteArray handshakeReply(int status, int typeWord, quint16 basePort);
    // The accepted reply pointing at this peer's data ports.
    QByteArray acceptedReply(int typeWord = 0xD3) const { return handshakeReply(1, typeWord, dataPort); }

    // --- Knobs -------------------------------------------------------------
    // The replies to the handshake connections in turn, the last one for all
    // that follow. An empty reply closes the connection without a word; a
    // reply shorter than 6 bytes is sent and then the connection is closed.
    // Default: acceptedReply().
    void setHandshakeReplies(const QList<QByteArray>& replies);
    // Stops listening on the handshake port: connections are refused.
    void refuseHandshake();
    // Stops listening on data port base + nr.
    void refuseDataSocket(int nr);
    // The answer to TCP_GET_TYPE (default: 0xD3 as a word).
    void setTypeReply(const QByteArray& reply);
    // The answer to TCP_GET_SERIAL, sent in one piece (default: word 1, then
    // the controller's serial in ASCII).
    void setSerialReply(const QByteArray& reply);
    // The connection a command with this code arrives on is closed instead of answered.
    void closeOn(int command);
    // Closes the peer's end of data connection nr.
    void dropDataSocket(int nr);
    // Forgets what was seen so far.
    void clearRecord();

    // --- What happened -----------------------------------------------------
    record snapshot() const;
    // Waits (at most a few seconds) until done() holds for the record.
    bool waitUntil(const std::function<bool(const record&)>& done) const;

private:
    friend class tcpPeerWorker;
    void inThread(const std::function<void()>& job);
    void changed();  // under the lock

    mutable QMutex lock;
    mutable QWaitCondition recordChanged;
    record seen;
    QList<QByteArray> handshakeReplies;
    QByteArray typeReply;
    QByteArray serialReply;
    int closeOnCommand = -1;

    QThread thread;
    tcpPeerWorker* worker = nullptr;
    quint16 controlPort = 0;
    quint16 dataPort = 0;
};
