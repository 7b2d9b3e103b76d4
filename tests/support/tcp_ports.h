#pragma once

#include <QHostAddress>
#include <QTcpServer>

// The TCP device opens its data connections on a base port and the two after
// it: listens on 127.0.0.1 with three consecutive free ports. Returns the base
// port, or 0 when no run of three was found.
inline quint16 listenOnConsecutivePorts(QTcpServer* const (&servers)[3])
{
    for (int tries = 0; tries < 200; ++tries) {
        if (!servers[0]->listen(QHostAddress::LocalHost, 0))
            continue;
        const quint16 base = servers[0]->serverPort();
        if (base <= 0xFFFF - 2 && servers[1]->listen(QHostAddress::LocalHost, base + 1)
            && servers[2]->listen(QHostAddress::LocalHost, base + 2))
            return base;
        for (QTcpServer* server : servers)
            server->close();
    }
    return 0;
}
