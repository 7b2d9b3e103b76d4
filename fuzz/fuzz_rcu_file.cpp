// The remote-control settings file (".rcu") the remote-control tab reads:
// any file is read with its warnings answered, leaves the settings within
// their ranges, and is written and read back again.
//
// Input: a byte choosing the answers to the "Ignore" / "Ignore all"
// questions, then the file.

#include "common/fuzz_input.h"
#include "common/fuzz_support.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "settings/asettings_ired_tab.h"
#include "support/fake_main_window.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct run {
    run()
    {
        controller = std::make_unique<kv310_controller_class>();
        theController = controller.get();
        theMainWindow = &window;
        fuzzDialogs dialogs;
        tab = std::make_unique<asettings_ired_tab>();
    }
    std::unique_ptr<kv310_controller_class> controller;
    fakeMainWindow window;
    std::unique_ptr<asettings_ired_tab> tab;
};

// A file may give an address 0..31 or none, and key codes 0..63 or none.
void checkRanges(const kv310_controller_class& c)
{
    bool ok = c.rcuAddress <= 31 || c.rcuAddress == 0xFF;
    for (uint8_t code : c.rcuKeyCodes)
        ok = ok && (code <= 63 || code == 0xFF);
    if (!ok) {
        std::fprintf(stderr, "remote-control settings out of range after reading a file\n");
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("rcu_file");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static run r;
    kv310_controller_class& c = *r.controller;
    fuzzDialogs dialogs;
    fuzzInput in(data, size);
    dialogs.choices = in.u8();
    const QByteArray file = in.rest();

    c.rcuAddress = 5;
    c.rcuKeyCodes.fill(7);
    for (QString& d : c.rcuKeyDescriptions)
        d = QStringLiteral("kept");
    r.tab->readRcuFile(fuzzWriteFile(QStringLiteral("input.rcu"), reinterpret_cast<const uint8_t*>(file.constData()),
                                     size_t(file.size())));
    checkRanges(c);

    const QString again = fuzzDirectory() + QStringLiteral("/again.rcu");
    if (r.tab->writeRcuFile(again))
        r.tab->readRcuFile(again);
    checkRanges(c);
    fuzzSettle();
    return 0;
}
