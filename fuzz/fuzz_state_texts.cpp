// The internal-states block as a controller may send it: any bytes give the
// five texts of the internal-states window, reading nothing beyond the block.
//
// Input: one byte of description switches (bit r for row r), then the block.

#include "monitor/state_texts.h"
#include "model/events.h"
#include "model/kv310_controller.h"
#include "common/fuzz_support.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("state_texts");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Descriptions at both ends of every array, one of them markup.
    static const auto controller = [] {
        auto c = std::make_unique<kv310_controller_class>();
        c->sceneDescriptions.front() = QStringLiteral("First <b>scene</b>");
        c->sceneDescriptions.back() = QStringLiteral("Last scene");
        c->programDescriptions.back() = QStringLiteral("Last program");
        c->maskDescriptions.back() = QStringLiteral("Last mask");
        c->eventDescriptions[EVENT_DELAY_END] = QStringLiteral("First delay");
        c->eventDescriptions[EVENT_DELAY_END + 511] = QStringLiteral("Last delay");
        return c;
    }();
    if (size == 0)
        return 0;
    std::array<bool, STATE_ROWS> withDescriptions{};
    for (int row = 0; row < STATE_ROWS; ++row)
        withDescriptions[size_t(row)] = data[0] & (1 << row);
    // A copy of exactly the bytes given, so that a read past them is caught.
    const std::unique_ptr<uint8_t[]> block(new uint8_t[size - 1]);
    std::memcpy(block.get(), data + 1, size - 1);
    stateTexts::build(block.get(), int(size - 1), withDescriptions, controller.get());
    fuzzSettle();
    return 0;
}
