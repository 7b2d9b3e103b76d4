// The tables of a configuration image as a file or the controller brings
// them: any bytes in them are unpacked into the memory tables, the
// active-scenes page takes the configuration read and applies it, and the
// show that results packs, rescales and clears again. Before that, programs
// of the image as it came are copied into another show, as the program page
// copies them from "Another Configuration".
//
// Input: u8 base (bit 0: a small show instead of the cleared image; bits 1-2
// what is done after reading), u32 clear flags (also choosing the programs
// copied and the answers to the copy's questions), then patches until the
// input ends: u8 region, u32 offset into it, u8 length - 1, the bytes.

#include "editors/scenes/as_conf_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/program_copy.h"
#include "common/fuzz_input.h"
#include "common/fuzz_support.h"
#include "support/sample_show.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Everything the unpacking reads lies below the mask channels.
constexpr uint32_t TABLES_END = img::maskChannels;

struct region {
    uint32_t offset;
    uint32_t size;
};

constexpr region regions[] = {
    {img::settingsWords, img::coupledByGroup - img::settingsWords},
    {img::coupledByGroup, img::programStepCount - img::coupledByGroup},
    {img::programStepCount, img::sunTable - img::programStepCount},
    {img::sunTable, img::outputChannels - img::sunTable},
    {img::outputChannels, img::delays - img::outputChannels},
    {img::delays, img::programEntryInfo - img::delays},
    {img::programEntryInfo, img::timers - img::programEntryInfo},
    {img::timers, img::stepEvents - img::timers},
    {img::stepEvents, img::sceneTimes - img::stepEvents},
    {img::sceneTimes, img::programSteps - img::sceneTimes},
    {img::programSteps, img::eventActions - img::programSteps},
    {img::eventActions, TABLES_END - img::eventActions},
};
constexpr int REGION_COUNT = int(sizeof regions / sizeof regions[0]);

struct run {
    run()
    {
        controller = std::make_unique<kv310_controller_class>();
        theController = controller.get();
        cleared.assign(controller->configImage, controller->configImage + TABLES_END);
        sampleShow::build(*controller, sampleShow::small);
        show.assign(controller->configImage, controller->configImage + TABLES_END);
        page = std::make_unique<as_conf_widget>(nullptr);
    }
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<as_conf_widget> page;
    std::vector<uint8_t> cleared;
    std::vector<uint8_t> show;
};

// Programs of `other`'s packed image copied into a show of their own, read
// step by step from the image as it is: first program, how many, where they
// go, the pool and the order are drawn from `choice`, and so are the answers
// to the copy's questions.
void copyProgramsOf(const kv310_controller_class& other, uint32_t choice, fuzzDialogs& dialogs)
{
    static const auto show = std::make_unique<kv310_controller_class>();
    show->programs.clear();
    show->extraEntries.clear();
    programCopyRequest request;
    request.first = int(choice & 0x1FF);
    request.last = request.first + int((choice >> 9) & 0x3F) - 1;
    request.destination = int((choice >> 15) & 0x1FF);
    request.pool = int((choice >> 24) & 0x7F) * 80;
    request.reverse = (choice >> 31) != 0;
    dialogs.choices = choice;
    programCopy::fromOther(other, *show, request);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("config_image");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static run r;
    fuzzDialogs dialogs;
    kv310_controller_class& c = *r.controller;
    fuzzInput in(data, size);

    const uint8_t base = in.u8();
    const uint32_t clearFlags = in.u32();
    std::memcpy(c.configImage, (base & 1 ? r.show : r.cleared).data(), TABLES_END);
    while (!in.exhausted()) {
        const region& g = regions[in.u8() % REGION_COUNT];
        const uint32_t offset = in.u32() % g.size;
        const size_t length = std::min<size_t>(size_t(in.u8()) + 1, g.size - offset);
        in.bytes(c.configImage + g.offset + offset, length);
    }

    copyProgramsOf(c, clearFlags, dialogs);

    // As a file or a read from the controller leaves the image.
    c.programs.unpackPrograms(c.configImage);
    c.events.unpackEvents(c.configImage);
    c.unpackTimers();
    c.unpackCoupledScenes();
    c.rebuildSequences();
    r.page->configRead();
    r.page->applyActiveScenes();

    switch ((base >> 1) & 3) {
    case 0:
        // Saved or sent again.
        c.events.packEvents(c.configImage);
        c.programs.packPrograms(c.configImage);
        c.packTimers();
        c.packCoupledScenes();
        c.rebuildSequences();
        break;
    case 1:
        c.rescaleTimes(base & 0x80 ? 2.5f : 0.3f);
        break;
    case 2:
        c.ClearConfig(clearFlags & CLEAR_ALL & ~CLEAR_VISUAL_PROJECT);
        break;
    default: {
        QString xml;
        c.writeProjectXml(xml);
        break;
    }
    }
    fuzzSettle();
    return 0;
}
