// Whatever a controller on the network answers (handshake, type word,
// serial, control and bulk replies, cut short or running long), the TCP
// device neither crashes nor reads beyond an answer, and never waits for
// bytes that will not come.
//
// Input: u8 n, then n % 12 + 1 operations of four bytes each (u8 operation,
// u8 a, u16 b), then the peer's answers (common/fuzz_tcp_peer.h).

#include "common/fuzz_input.h"
#include "common/fuzz_support.h"
#include "common/fuzz_tcp_peer.h"
#include "transport/protocol.h"
#include "transport/t_threadTcpDevice.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

enum tcpOp : int {
    TCP_OP_CONNECT,
    TCP_OP_TYPE,
    TCP_OP_CONTROL_READ,   // a: request, length a % 64 + 1; b: value
    TCP_OP_CONTROL_WRITE,  // a: request; b: value, b % 65 data bytes
    TCP_OP_BULK_READ,      // b: 0 a configuration frame, else b % 4096 + 1 bytes
    TCP_OP_BULK_WRITE,     // b: b % 4096 + 1 bytes
    TCP_OP_SERIAL,
    TCP_OP_DISCONNECT,
    TCP_OPS
};

constexpr int CONFIG_FRAME_SIZE = 0x10000 + blockFrame::OVERHEAD;

struct run {
    run()
    {
        device = std::make_unique<t_threadTcpDevice>();
        device->setHandshakePort(peer.handshakePort());
        device->setHost(QStringLiteral("127.0.0.1"));
    }
    fuzzTcpPeer peer;
    std::unique_ptr<t_threadTcpDevice> device;
};

// The operation's result; KVFUZZ_TRACE=1 prints them while an input runs.
long long runOp(t_threadTcpDevice& device, int op, uint8_t a, uint16_t b)
{
    switch (op) {
    case TCP_OP_CONNECT:
        return device.connect();
    case TCP_OP_TYPE:
        return device.deviceType();
    case TCP_OP_CONTROL_READ: {
        uint8_t buffer[64];
        return device.controlRead(a, b, 0, buffer, a % 64u + 1);
    }
    case TCP_OP_CONTROL_WRITE: {
        const std::vector<uint8_t> data(size_t(b % 65), a);
        return device.controlWrite(a, b, 0, data.empty() ? nullptr : data.data(), unsigned(data.size()));
    }
    case TCP_OP_BULK_READ: {
        transferBlock block;
        const int wanted = b == 0 ? CONFIG_FRAME_SIZE : b % 4096 + 1;
        const int received = device.bulkRead(block.rawBuffer(), wanted);
        block.lengthInPages = a & 1;
        return (long long)block.unpack(received) << 32 | unsigned(received);
    }
    case TCP_OP_BULK_WRITE: {
        const std::vector<uint8_t> data(size_t(b % 4096 + 1), a);
        return device.bulkWrite(data.data(), int(data.size()));
    }
    case TCP_OP_SERIAL:
        return device.readSerial();
    case TCP_OP_DISCONNECT:
        device.disconnect();
        return 0;
    default:
        return 0;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("tcp_replies");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static run r;
    fuzzInput in(data, size);
    const int count = in.u8() % 12 + 1;
    struct op {
        int code;
        uint8_t a;
        uint16_t b;
    };
    std::vector<op> ops;
    for (int i = 0; i < count; ++i) {
        const int code = in.u8() % TCP_OPS;
        const uint8_t a = in.u8();
        ops.push_back({code, a, in.u16()});
    }
    r.peer.arm(in.rest());
    static const bool trace = qEnvironmentVariableIntValue("KVFUZZ_TRACE") != 0;
    for (const op& o : ops) {
        const long long result = runOp(*r.device, o.code, o.a, o.b);
        if (trace)
            std::fprintf(stderr, "op %d a %d b %d: %llx\n", o.code, o.a, o.b, result);
    }
    r.device->disconnect();
    fuzzSettle();
    return 0;
}
