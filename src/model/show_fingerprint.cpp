// The fingerprint of the show: what a save would write of it, reduced to
// checksums, so that closing the program can tell unsaved work from a show
// that is on disk (or in the controller) as it is.

#include "model/kv310_controller.h"

#include "model/globals.h"
#include "seams/gui_base.h"

#include <libdeflate.h>

#include <cstring>
#include <memory>
#include <new>

namespace {

// The memory tables are packed into the image's first part, below the mask
// records; nothing from there on is written by packing.
constexpr uint32_t TABLES_END = img::maskChannels;
static_assert(img::eventActionsOf(img::ACTION_RECORDS) <= TABLES_END);

// Two checksums of different kinds over the same bytes: a change that one
// of them misses by chance the other one catches.
struct sums {
    uint32_t crc = 0;
    uint32_t adler = 1;
    void add(const void* data, size_t size)
    {
        crc = libdeflate_crc32(crc, data, size);
        adler = libdeflate_adler32(adler, data, size);
    }
    uint64_t value() const { return uint64_t(crc) << 32 | adler; }
};

} // namespace

kv310_controller_class::showFingerprint kv310_controller_class::currentFingerprint()
{
    showFingerprint f;
    // The memory tables as a save packs them, into a copy of the part of the
    // image they are packed into: the image itself stays as it is, and the
    // rest of it is summed where it is. The copy is kept for the next time,
    // a fresh one costing more in page faults than the copying.
    if (!fingerprintImage)
        fingerprintImage.reset(new (std::nothrow) uint8_t[TABLES_END]);
    uint8_t* const copy = fingerprintImage.get();
    if (!copy)
        return f;
    std::memcpy(copy, configImage, TABLES_END);
    uint8_t* const image = configImage;
    configImage = copy;
    const bool eventsPacked = events.packEvents(configImage) == 0;
    const bool programsPacked = programs.packPrograms(configImage) == 0;
    packTimers();
    packCoupledScenes();
    configImage = image;

    // The project area only holds a copy of the descriptions, stored there
    // before a send: the descriptions count through the project text.
    sums imageSums;
    imageSums.add(copy, TABLES_END);
    imageSums.add(image + TABLES_END, img::STORED_SIZE - TABLES_END);
    QString text;
    writeProjectXml(text);
    sums textSums;
    textSums.add(text.constData(), size_t(text.size()) * sizeof(QChar));

    f.taken = true;
    // A show whose tables do not fit the image cannot be saved as it is.
    f.packed = eventsPacked && programsPacked;
    f.image = imageSums.value();
    f.text = textSums.value();
    return f;
}

void kv310_controller_class::takeFingerprint()
{
    // Only the show of the run counts, and only once a window shows it: the
    // first window takes it when it has its pages.
    if (this != theController || !theMainWindow)
        return;
    const showFingerprint now = currentFingerprint();
    // The same show again: the pages have shown it already.
    if (now == fingerprint)
        return;
    fingerprint = now;
    ++fingerprintEpoch;
}

bool kv310_controller_class::showChanged()
{
    return fingerprint.taken && currentFingerprint() != fingerprint;
}

showRepair::showRepair(kv310_controller_class* controller)
    : controller(controller)
    , unchanged(controller && controller->hasFingerprint() && !controller->showChanged())
{
}

showRepair::~showRepair()
{
    if (unchanged)
        controller->takeFingerprint();
}
