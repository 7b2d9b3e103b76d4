#include "sequence_chain.h"

#include "kv310_controller.h"

sequenceChain::sequenceChain(kv310_controller_class& controller, int sequence)
    : c(controller)
    , q(sequence)
    , book(controller)
{
}

int sequenceChain::length() const
{
    if (q < 0 || q >= img::SEQUENCES)
        return 0;
    return int(c.sequenceDelays[size_t(q)].size());
}

int sequenceChain::delayOf(int step) const
{
    if (step < 0 || step >= length())
        return -1;
    const int d = c.sequenceDelays[size_t(q)].at(step);
    return d < img::DELAYS ? d : -1;
}

int sequenceChain::rowEvent(int row) const
{
    const int n = length();
    if (n == 0 || row < 0 || row > n)
        return -1;
    if (row == 0)
        return EVENT_SEQUENCE_START + q;
    const int d = delayOf(row - 1);
    return d < 0 ? -1 : EVENT_DELAY_END + d;
}

void sequenceChain::link(int starter, int d)
{
    eventTable& events = c.events;
    const int i = events.appendAction(starter);
    if (i < 0)
        return;
    eventAction* a = events.action(starter, i);
    const eventAction before = *a;
    a->setType(ACTION_DELAY);
    a->setSubAction(SUB_ON);
    a->number = uint16_t(d);
    book.changed(starter, before, *a);
}

void sequenceChain::moveActions(int from, int to)
{
    // What `to` held goes: the delays its actions started are no longer
    // started by them.
    book.removeAll(to);
    c.events.moveActions(from, to);
}

void sequenceChain::freeDelay(int d)
{
    img::putU32(c.configImage, img::delaysOf(d), FREE_WORD);
}

int sequenceChain::setLength(int n)
{
    if (q < 0 || q >= img::SEQUENCES)
        return 0;
    n = qBound(0, n, int(img::DELAYS));
    QList<uint16_t>& list = c.sequenceDelays[size_t(q)];

    while (list.size() > n) {
        const int gone = list.takeLast();
        // The finish actions move to the end of the chain that is left; the
        // link to the removed delay and the removed step's actions go.
        const int starter = list.isEmpty() ? EVENT_SEQUENCE_START + q : EVENT_DELAY_END + list.last();
        if (gone < img::DELAYS) {
            moveActions(EVENT_DELAY_END + gone, starter);
            freeDelay(gone);
        }
    }

    while (list.size() < n) {
        const int d = book.firstFreeDelay();
        if (d < 0)
            break;
        const int starter = list.isEmpty() ? EVENT_SEQUENCE_START + q : EVENT_DELAY_END + list.last();
        img::putU32(c.configImage, img::delaysOf(d), delayWord::make(NEW_STEP_TIME, uint32_t(q)));
        list.append(uint16_t(d));
        // The finish actions stay on the finish row, now the end of d.
        moveActions(starter, EVENT_DELAY_END + d);
        link(starter, d);
    }
    return int(list.size());
}

sequenceChain::result sequenceChain::insertStep(int row)
{
    if (row < 0 || row >= length())
        return ignored;
    const int d = book.firstFreeDelay();
    if (d < 0)
        return noFreeDelay;
    const int e = rowEvent(row);
    if (e < 0)
        return ignored;
    img::putU32(c.configImage, img::delaysOf(d), delayWord::make(NEW_STEP_TIME, uint32_t(q)));
    c.sequenceDelays[size_t(q)].insert(row, uint16_t(d));
    // The step that was at `row` keeps its actions, its link included, on
    // the end of the new delay.
    moveActions(e, EVENT_DELAY_END + d);
    link(e, d);
    return done;
}

sequenceChain::result sequenceChain::deleteStep(int row)
{
    if (row < 0 || row >= length())
        return ignored;
    const int starter = rowEvent(row);
    QList<uint16_t>& list = c.sequenceDelays[size_t(q)];
    const int gone = list.takeAt(row);
    if (gone < img::DELAYS) {
        // The next row's actions, with the link to the delay after the gone
        // one, replace the gone step's actions and its own link.
        if (starter >= 0)
            moveActions(EVENT_DELAY_END + gone, starter);
        freeDelay(gone);
    }
    return done;
}

int sequenceChain::finishPreviousStep(int row)
{
    if (row < 1)
        return 0;
    const int previous = rowEvent(row - 1);
    const int current = rowEvent(row);
    if (previous < 0 || current < 0)
        return 0;
    eventTable& events = c.events;
    int added = 0;
    const int n = events.actionCount(previous);
    for (int i = 0; i < n; ++i) {
        const int type = events.actionType(previous, i);
        if ((type != ACTION_SCENE && type != ACTION_PROGRAM) || events.subAction(previous, i) != SUB_ON)
            continue;
        const int number = events.number(previous, i);
        bool switchedOff = false;
        for (int k = events.actionCount(current) - 1; k >= 0 && !switchedOff; --k)
            switchedOff = events.actionType(current, k) == type && events.number(current, k) == number
                          && events.subAction(current, k) == SUB_OFF;
        if (switchedOff)
            continue;
        const int at = events.appendAction(current);
        if (at < 0)
            break;
        eventAction* a = events.action(current, at);
        const eventAction before = *a;
        a->setType(type);
        a->setSubAction(SUB_OFF);
        a->number = uint16_t(number);
        book.changed(current, before, *a);
        ++added;
    }
    return added;
}

bool sequenceChain::setStepTime(int row, uint32_t tenths)
{
    const int d = delayOf(row);
    if (d < 0 || tenths < 1 || tenths > delayWord::MAX_TIME)
        return false;
    const uint32_t word = img::getU32(c.configImage, img::delaysOf(d));
    img::putU32(c.configImage, img::delaysOf(d), delayWord::make(tenths, delayWord::sequence(word)));
    return true;
}
