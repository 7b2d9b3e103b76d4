#include "events.h"

#include <climits>
#include <new>

namespace {

constexpr int FIRST_PACKED_RECORD = 2;  // records 0 and 1 hold the Enabling actions
constexpr int PACKED_CAPACITY = img::ACTION_RECORDS - FIRST_PACKED_RECORD;

bool validId(int id)
{
    return unsigned(id) < unsigned(EVENT_COUNT);
}

// The free record packing writes; clearing differs only in the state words.
eventAction emptyPackedRecord()
{
    eventAction a;
    a.eventId = 0xFFFF;
    a.number = 0xFFFF;
    a.typeByte = 0x40;
    for (uint32_t& w : a.states5to68)
        w = 0;
    return a;
}

bool isInputEvent(int id)
{
    return id >= EVENT_INPUT && id < EVENT_COUNT;
}

bool isRcButtonEvent(int id)
{
    return id >= EVENT_RC_BUTTON && id < EVENT_INPUT;
}

} // namespace

eventTable::eventTable() = default;
eventTable::~eventTable() = default;

eventActionList* eventTable::listOf(int id) const
{
    return validId(id) ? lists[size_t(id)].get() : nullptr;
}

eventActionList* eventTable::ensureList(int id)
{
    auto& slot = lists[size_t(id)];
    if (!slot)
        slot = std::make_unique<eventActionList>();
    return slot.get();
}

int eventTable::actionCount(int id) const
{
    const eventActionList* list = listOf(id);
    return list ? int(list->size()) : -1;
}

eventAction* eventTable::action(int id, int i) const
{
    const eventActionList* list = listOf(id);
    if (!list || i < 0 || i >= list->size())
        return nullptr;
    return list->at(i).get();
}

int eventTable::setNumber(int id, int i, int value)
{
    eventAction* a = action(id, i);
    if (!a)
        return -1;
    a->number = uint16_t(value);
    return 0;
}

int eventTable::setSubAction(int id, int i, int sub)
{
    eventAction* a = action(id, i);
    if (!a)
        return -1;
    a->setSubAction(sub);
    return 0;
}

int eventTable::setActionType(int id, int i, int type)
{
    eventAction* a = action(id, i);
    if (!a)
        return -1;
    a->setType(type);
    return 0;
}

int eventTable::setAction(const eventAction* record, int i)
{
    if (!record)
        return -1;
    eventAction* a = action(record->eventId, i);
    if (!a)
        return -1;
    *a = *record;
    return 0;
}

int eventTable::setStateLimits(int id, int i, uint8_t states1to4, const uint32_t words[4])
{
    eventAction* a = action(id, i);
    if (!a)
        return -1;
    a->states1to4 = states1to4;
    for (int w = 0; w < 4; ++w)
        a->states5to68[w] = words[w];
    return 0;
}

int eventTable::setDaytimeLimit(int id, int i, uint8_t from, uint8_t to)
{
    eventAction* a = action(id, i);
    if (!a)
        return -1;
    a->daytimeFrom = from;
    a->daytimeTo = to;
    return 0;
}

int eventTable::stateLimits(int id, int i, uint32_t words[4]) const
{
    const eventAction* a = action(id, i);
    if (words) {
        for (int w = 0; w < 4; ++w)
            words[w] = a ? a->states5to68[w] : 0xFFFFFFFF;
    }
    return a ? a->states1to4 : 255;
}

int eventTable::daytimeFrom(int id, int i) const
{
    const eventAction* a = action(id, i);
    return a ? a->daytimeFrom : 255;
}

int eventTable::daytimeTo(int id, int i) const
{
    const eventAction* a = action(id, i);
    return a ? a->daytimeTo : 255;
}

int eventTable::subAction(int id, int i) const
{
    const eventAction* a = action(id, i);
    return a ? a->subAction() : -1;
}

int eventTable::actionType(int id, int i) const
{
    const eventAction* a = action(id, i);
    return a ? a->type() : -1;
}

int eventTable::number(int id, int i) const
{
    const eventAction* a = action(id, i);
    return a ? int(a->number) : -1;
}

QString eventTable::actionText(int id, int i) const
{
    const eventAction* a = action(id, i);
    if (!a)
        return QString();
    return QStringLiteral("{ %1 %2 %3 %4 }").arg(a->eventId).arg(a->number).arg(a->type()).arg(a->subAction());
}

int eventTable::insertRecord(int id, int pos, const eventAction& content)
{
    std::shared_ptr<eventAction> record;
    try {
        record = std::make_shared<eventAction>(content);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    record->eventId = uint16_t(id);
    eventActionList* list = ensureList(id);
    if (pos <= 0)
        list->prepend(std::move(record));
    else if (pos >= list->size())
        list->append(std::move(record));
    else
        list->insert(pos, std::move(record));
    return int(list->size()) - 1;
}

int eventTable::insertAction(int id, int pos)
{
    if (!validId(id))
        return -1;
    return insertRecord(id, pos, eventAction());
}

int eventTable::insertActionCopy(int id, int pos, const eventAction* record)
{
    if (!validId(id) || !record)
        return -1;
    return insertRecord(id, pos, *record);
}

int eventTable::appendAction(int id)
{
    if (!validId(id))
        return -1;
    return insertRecord(id, INT_MAX, eventAction());
}

int eventTable::removeAction(int id, int i)
{
    eventActionList* list = listOf(id);
    if (!list || i < 0 || i >= list->size())
        return -1;
    list->removeAt(i);
    return 0;
}

int eventTable::moveActions(int from, int to)
{
    if (!validId(from) || !validId(to))
        return -1;
    // Moving a list onto itself keeps it.
    if (from == to)
        return 0;
    eventActionList* target = ensureList(to);
    target->clear();
    if (eventActionList* source = listOf(from)) {
        for (auto& record : *source) {
            record->eventId = uint16_t(to);
            target->append(std::move(record));
        }
        source->clear();
    }
    return 0;
}

void eventTable::clear()
{
    for (auto& list : lists)
        list.reset();
}

int eventTable::packEvents(uint8_t* image) const
{
    // Count first, so that actions that do not fit leave the image as it was
    // rather than half rewritten.
    int needed = 0;
    for (const auto& list : lists) {
        if (!list)
            continue;
        for (const auto& a : *list)
            needed += a->type() != ACTION_ENABLING;
    }
    if (needed > PACKED_CAPACITY)
        return -1;

    const eventAction empty = emptyPackedRecord();
    empty.write(image + img::eventActionsOf(0));
    empty.write(image + img::eventActionsOf(1));
    int r = FIRST_PACKED_RECORD;
    for (const auto& list : lists) {
        if (!list)
            continue;
        for (const auto& a : *list) {
            if (a->type() != ACTION_ENABLING) {
                a->write(image + img::eventActionsOf(r++));
                continue;
            }
            // A later Enabling action overwrites an earlier one.
            switch (a->subAction()) {
            case SUB_ON:
                a->write(image + img::eventActionsOf(0));
                break;
            case SUB_TOGGLE:
                a->write(image + img::eventActionsOf(0));
                empty.write(image + img::eventActionsOf(1));
                break;
            case SUB_OFF:
                a->write(image + img::eventActionsOf(1));
                break;
            default:
                break;
            }
        }
    }
    for (; r < img::ACTION_RECORDS; ++r)
        empty.write(image + img::eventActionsOf(r));
    return 0;
}

int eventTable::unpackEvents(const uint8_t* image)
{
    clear();
    enablingSource = -1;
    for (int r = 0; r < img::ACTION_RECORDS; ++r) {
        const uint8_t* p = image + img::eventActionsOf(r);
        const int id = img::getU16(p, 0);
        if (id == 0xFFFF || img::getU16(p, 2) == 0xFFFF || !validId(id))
            continue;
        const eventAction record = eventAction::read(p);
        if (record.type() == ACTION_ENABLING) {
            // Only one source may carry Enabling actions: the first input
            // (either of its events) or one remote-control button.
            if (isInputEvent(id)) {
                const int source = (id - EVENT_INPUT) / 2;
                if (enablingSource != -1 && enablingSource != source)
                    continue;
                enablingSource = source;
            } else if (isRcButtonEvent(id)) {
                if (enablingSource != -1)
                    continue;
                enablingSource = 24 + (id - EVENT_RC_BUTTON) / 3;
            } else {
                continue;
            }
        }
        const int pos = appendAction(id);
        if (pos >= 0)
            setAction(&record, pos);
    }
    return 0;
}
