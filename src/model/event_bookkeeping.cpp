#include "event_bookkeeping.h"

#include "kv310_controller.h"

#include <bitset>

eventBookkeeping::eventBookkeeping(kv310_controller_class& controller)
    : c(controller)
{
}

bool eventBookkeeping::isDelayStart(const eventAction& a)
{
    return a.type() == ACTION_DELAY && a.subAction() == SUB_ON && a.number < img::DELAYS;
}

int eventBookkeeping::delayOwner(int d) const
{
    if (d < 0 || d >= img::DELAYS)
        return -1;
    const uint32_t q = delayWord::sequence(img::getU32(c.configImage, img::delaysOf(d)));
    return q < uint32_t(img::SEQUENCES) ? int(q) : -1;
}

bool eventBookkeeping::isLocked(const eventAction& a) const
{
    return isDelayStart(a) && delayOwner(a.number) >= 0;
}

bool eventBookkeeping::anyDelayOwned() const
{
    for (int d = 0; d < img::DELAYS; ++d)
        if (delayOwner(d) >= 0)
            return true;
    return false;
}

int eventBookkeeping::firstFreeDelay() const
{
    std::bitset<img::DELAYS> started;
    for (uint16_t d : c.startedDelays)
        if (d < img::DELAYS)
            started.set(d);
    for (int d = 0; d < img::DELAYS; ++d)
        if (!started.test(size_t(d)))
            return d;
    return -1;
}

int eventBookkeeping::enablingSourceOf(int id)
{
    if (id >= EVENT_INPUT && id < EVENT_COUNT)
        return (id - EVENT_INPUT) / 2;
    if (id >= EVENT_RC_BUTTON && id < EVENT_INPUT)
        return 24 + (id - EVENT_RC_BUTTON) / 3;
    return -1;
}

bool eventBookkeeping::sourceHasEnabling(int source) const
{
    int first, count;
    if (source >= 0 && source < 24) {
        first = EVENT_INPUT + 2 * source;
        count = 2;
    } else if (source >= 24 && source < 24 + 64) {
        first = EVENT_RC_BUTTON + 3 * (source - 24);
        count = 3;
    } else {
        return false;
    }
    for (int id = first; id < first + count; ++id) {
        const int n = c.events.actionCount(id);
        for (int k = 0; k < n; ++k)
            if (c.events.actionType(id, k) == ACTION_ENABLING)
                return true;
    }
    return false;
}

void eventBookkeeping::dropStarted(int d)
{
    const int at = int(c.startedDelays.indexOf(uint16_t(d)));
    if (at >= 0) {
        c.startedDelays.removeAt(at);
        startedChanged = true;
    }
}

void eventBookkeeping::addStarted(int d)
{
    c.startedDelays.append(uint16_t(d));
    startedChanged = true;
}

void eventBookkeeping::releaseIfUnused(int source)
{
    // Another source's role is never touched, and the role stays while any
    // event of the source still carries an Enabling action.
    if (source >= 0 && c.events.enablingSource == source && !sourceHasEnabling(source))
        c.events.enablingSource = -1;
}

void eventBookkeeping::changed(int id, const eventAction& before, const eventAction& after)
{
    const bool wasStart = isDelayStart(before);
    const bool isStart = isDelayStart(after);
    if (wasStart && (!isStart || before.number != after.number))
        dropStarted(before.number);
    if (isStart && (!wasStart || before.number != after.number))
        addStarted(after.number);

    const int source = enablingSourceOf(id);
    if (before.type() == ACTION_ENABLING && after.type() != ACTION_ENABLING)
        releaseIfUnused(source);
    else if (after.type() == ACTION_ENABLING && source >= 0 && c.events.enablingSource == -1)
        c.events.enablingSource = source;
}

int eventBookkeeping::remove(int id, int i)
{
    const eventAction* a = c.events.action(id, i);
    if (!a)
        return -1;
    const eventAction gone = *a;
    c.events.removeAction(id, i);
    if (isDelayStart(gone))
        dropStarted(gone.number);
    if (gone.type() == ACTION_ENABLING)
        releaseIfUnused(enablingSourceOf(id));
    return 0;
}

void eventBookkeeping::removeAll(int id)
{
    for (int i = c.events.actionCount(id) - 1; i >= 0; --i)
        remove(id, i);
}

int eventBookkeeping::insertCopy(int id, int pos, const eventAction& record)
{
    if (record.type() == ACTION_ENABLING) {
        // The image holds the Enabling actions of one source only; one pasted
        // anywhere else would silently move or lose the role on the next save.
        const int source = enablingSourceOf(id);
        if (source < 0 || (c.events.enablingSource != -1 && c.events.enablingSource != source))
            return -2;
    }
    const int last = c.events.insertActionCopy(id, pos, &record);
    if (last < 0)
        return -1;
    if (isDelayStart(record))
        addStarted(record.number);
    if (record.type() == ACTION_ENABLING)
        c.events.enablingSource = enablingSourceOf(id);
    return last;
}
