#pragma once

// A read-only device that hands out its bytes a few at a time, as a slow
// pipe or a network share may: readers that take their input in pieces must
// read the same whatever the pieces. A header only, for the fuzz build too.

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

class trickleDevice : public QIODevice {
public:
    // Each read gives at most `step` bytes (at least 1).
    trickleDevice(const QByteArray& bytes, qint64 step)
        : bytes(bytes)
        , step(std::max<qint64>(step, 1))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return bytes.size() - at + QIODevice::bytesAvailable(); }

    int reads = 0;  // pieces handed out so far

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min({maxSize, step, qint64(bytes.size()) - at});
        if (n <= 0)
            return at >= bytes.size() ? -1 : 0;
        std::copy_n(bytes.constData() + at, n, data);
        at += n;
        ++reads;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes;
    qint64 step;
    qint64 at = 0;
};
