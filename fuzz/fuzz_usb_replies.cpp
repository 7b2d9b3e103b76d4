// Whatever the controller answers over USB (device lists, type words, serial
// descriptors, status words, clock records, firmware versions, frames), the
// controller object neither crashes nor reads beyond an answer, and every
// operation ends. The input scripts both the operations and the answers
// (support/reply_session.h, support/fuzz_usb_bus.h).

#include "transport/device_factory.h"
#include "model/kv310_controller.h"
#include "common/fuzz_support.h"
#include "common/fuzz_usb_bus.h"
#include "common/reply_session.h"
#include "support/virtual_clock.h"

#include <cstdio>
#include <memory>

namespace {

struct run {
    run()
    {
        installUsbBackend(&bus);
        controller = std::make_unique<kv310_controller_class>();
        installUsbBackend(nullptr);
        files = writeReplyFiles(fuzzDirectory());
    }
    virtualClock clock;
    fuzzUsbBus bus;
    std::unique_ptr<kv310_controller_class> controller;
    replyFiles files;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("usb_replies");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static run r;
    fuzzDialogs dialogs;
    fuzzInput in(data, size);
    r.bus.feed(&in);
    runReplySession(*r.controller, in, r.files);
    if (qEnvironmentVariableIntValue("KVFUZZ_TRACE"))
        std::fprintf(stderr, "messages %d, last: %s\n", dialogs.shown, qPrintable(dialogs.lastText));
    r.bus.feed(nullptr);
    resetReplyController(*r.controller);
    fuzzSettle();
    return 0;
}
