#include "editors/events/action_rows.h"

#include "model/event_bookkeeping.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

int chainSequenceOf(int id)
{
    if (!theController)
        return -1;
    if (id >= EVENT_SEQUENCE_START && id < EVENT_SEQUENCE_START + img::SEQUENCES)
        return id - EVENT_SEQUENCE_START;
    if (id >= EVENT_DELAY_END && id < EVENT_DELAY_END + img::DELAYS) {
        const uint16_t d = uint16_t(id - EVENT_DELAY_END);
        for (int q = 0; q < img::SEQUENCES; ++q)
            if (theController->sequenceDelays[size_t(q)].contains(d))
                return q;
    }
    return -1;
}

QList<int> shownActions(int pageKind, int id)
{
    QList<int> rows;
    if (!theController)
        return rows;
    const int n = theController->events.actionCount(id);
    if (n <= 0)
        return rows;
    rows.reserve(n);
    const int q = pageKind == SEQUENCE_PAGE ? chainSequenceOf(id) : -1;
    const eventBookkeeping book(*theController);
    for (int i = 0; i < n; ++i) {
        const eventAction* a = theController->events.action(id, i);
        if (q >= 0 && eventBookkeeping::isDelayStart(*a) && book.delayOwner(a->number) == q)
            continue;
        rows.append(i);
    }
    return rows;
}
