// The project area of a configuration image, as a file or the controller
// gives it back: plain, compressed or partial, any bytes are read.

#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "common/fuzz_support.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("stored_project");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto controller = std::make_unique<kv310_controller_class>();
    static auto project = std::make_unique<v_project>();
    theController = controller.get();
    theVisualProject = project.get();
    fuzzDialogs dialogs;

    // The input lies at the start of the area, erased flash after it.
    uint8_t* area = controller->configImage + img::projectArea;
    const size_t n = std::min<size_t>(size, img::PROJECT_AREA_SIZE);
    std::memcpy(area, data, n);
    std::memset(area + n, 0xFF, img::PROJECT_AREA_SIZE - n);
    controller->loadStoredProjectDescription();
    fuzzSettle();
    return 0;
}
