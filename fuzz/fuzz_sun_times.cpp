// The sunrise and sunset CSV: any file is read, checked and either stored or
// refused, and what is stored exports again.

#include "model/kv310_controller.h"
#include "common/fuzz_support.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("sun_times");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto controller = std::make_unique<kv310_controller_class>();
    const QString path = fuzzWriteFile(QStringLiteral("sun.csv"), data, size);
    fuzzDialogs dialogs;
    // Half of the inputs are taken day by day ("Skip this"), half cancelled.
    dialogs.escape = size % 2 != 0;
    controller->importSunTimes(path);
    controller->exportSunTimes(path);
    fuzzSettle();
    return 0;
}
