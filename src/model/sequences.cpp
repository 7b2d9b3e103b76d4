#include "kv310_controller.h"

namespace {

// Byte 4 of an action record that starts a delay: ACTION_DELAY with SUB_ON.
constexpr uint8_t STARTS_DELAY = uint8_t(ACTION_DELAY | (SUB_ON << 4));

} // namespace

void kv310_controller_class::rebuildSequences()
{
    const uint8_t* image = configImage;
    startedDelays.clear();
    for (auto& list : sequenceDelays)
        list.clear();

    // The sequence a delay belongs to; 0xFFF (free) for a number that is no
    // delay, such as the "all objects" target.
    const auto sequenceOf = [image](unsigned d) -> uint32_t {
        return d < unsigned(img::DELAYS) ? delayWord::sequence(img::getU32(image, img::delaysOf(int(d))))
                                         : delayWord::SEQUENCE_FREE;
    };

    for (int r = 0; r < img::ACTION_RECORDS; ++r) {
        const uint8_t* p = image + img::eventActionsOf(r);
        if (p[4] != STARTS_DELAY)
            continue;
        const uint16_t d = img::getU16(p, 2);
        if (d >= img::DELAYS)
            continue;
        startedDelays.append(d);
        const unsigned q = unsigned(img::getU16(p, 0)) - EVENT_SEQUENCE_START;
        if (q < unsigned(img::SEQUENCES) && sequenceOf(d) == q)
            sequenceDelays[q].append(d);
    }

    // Follow each sequence from its start along the links by which the end
    // of one delay starts the next; a link back into the list ends it.
    for (int q = 0; q < img::SEQUENCES; ++q) {
        QList<uint16_t>& list = sequenceDelays[size_t(q)];
        for (int i = 0; i < list.size(); ++i) {
            const int id = EVENT_DELAY_END + list.last();
            const int n = events.actionCount(id);
            for (int k = 0; k < n; ++k) {
                const eventAction* a = events.action(id, k);
                if (a->type() != ACTION_DELAY || a->subAction() != SUB_ON || sequenceOf(a->number) != uint32_t(q))
                    continue;
                if (!list.contains(a->number))
                    list.append(a->number);
                break;
            }
        }
    }
}
