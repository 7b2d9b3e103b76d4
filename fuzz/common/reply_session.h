#pragma once

#include "fuzz_input.h"

#include <QString>
#include <cstdint>

class kv310_controller_class;

// The operations the reply harness runs on a controller object whose
// controller answers from the input. Each operation is four bytes of input:
// u8 operation (modulo REPLY_OPS), u8 a, u16 b; the answers the operation
// draws from the bus follow it. The seed generator records sessions with
// the simulated controller in the same form.
enum replyOp : int {
    REPLY_CONNECT,
    REPLY_DISCONNECT,
    REPLY_CLOCK_TEXT,       // a: a value of 10 reads the clock now
    REPLY_SET_MODE,         // a: the mode
    REPLY_UI_MODE,          // a: the mode chosen in the user interface
    REPLY_FREEZE,           // a bit 0: unfreeze
    REPLY_STATE,
    REPLY_RESTART,
    REPLY_LIVE_SCENE,       // b: the scene
    REPLY_LIVE_VALUE,       // a: the channel's low byte, b: the scene
    REPLY_SET_CLOCK,        // a bit 0: daylight saving time, b: minutes from 2026
    REPLY_CALIBRATION,      // a: the adjustment (signed)
    REPLY_SERIAL,
    REPLY_TRANSPARENCY,     // a bit 0: on
    REPLY_STATUS_WAIT,      // a bit 0: poll for set bits, b: the bits (shifted up 8)
    REPLY_READ_BLOCK,
    REPLY_UPGRADE,          // a bit 0: verify instead
    REPLY_SEND_CONFIG,
    REPLY_READ_CONFIG,
    REPLY_READ_RCU,
    REPLY_WRITE_RCU,
    REPLY_LEARN_RCU,        // a % 3: 0 the address, 1 key b, 2 set address b
    REPLY_MONITOR,          // a % 3: inputs, DMX values (source b), internal states
    REPLY_OPS
};

// Upgrade files the upgrade operations use, one per controller family.
struct replyFiles {
    QString oldHardware;
    QString currentHardware;
};

// Writes the two upgrade files into the directory.
replyFiles writeReplyFiles(const QString& directory);

// Runs one operation.
void runReplyOp(kv310_controller_class& c, int op, uint8_t a, uint16_t b, const replyFiles& files);

// Reads operations from the input and runs them until the input ends (at
// most `limit` of them).
void runReplySession(kv310_controller_class& c, fuzzInput& in, const replyFiles& files, int limit = 48);

// Writes one operation for runReplySession.
inline void writeReplyOp(fuzzOutput& out, int op, uint8_t a = 0, uint16_t b = 0)
{
    out.u8(unsigned(op));
    out.u8(a);
    out.u16(b);
}

// Puts the controller object back to how it is before its first connection.
void resetReplyController(kv310_controller_class& c);
