#include "model/config_image.h"
#include "model/events.h"

#include <QTest>
#include <vector>

// The events table, its clipboard and the action records of the image.
class tst_events : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingActionsGiveFixedResults_data();
    void missingActionsGiveFixedResults();
    void insertPositions_data();
    void insertPositions();
    void settersKeepTheOtherNibble();
    void setActionCopiesTheWholeRecord();
    void moveActionsReplacesTheTarget();
    void moveActionsOntoItselfKeepsTheList();
    void clipboardSharesRecords();
    void fullTableRoundTrip();
    void overflowLeavesTheImageAsItWas();
    void enablingRecords_data();
    void enablingRecords();
    void recordsWithoutNumberAreNotRead();

private:
    std::vector<uint8_t> image = std::vector<uint8_t>(img::SIZE, 0xFF);
};

namespace {

eventAction makeAction(int id, int number, int type, int sub)
{
    eventAction a;
    a.eventId = uint16_t(id);
    a.number = uint16_t(number);
    a.setType(type);
    a.setSubAction(sub);
    return a;
}

QByteArray actionRecords(const std::vector<uint8_t>& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data() + img::eventActions), 24 * img::ACTION_RECORDS);
}

bool sameRecord(const eventAction& a, const eventAction& b)
{
    uint8_t x[24], y[24];
    a.write(x);
    b.write(y);
    return memcmp(x, y, 24) == 0;
}

} // namespace

void tst_events::missingActionsGiveFixedResults_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("count");

    // id 7 holds two actions, id 9 had one that was removed, id 8 never had any.
    QTest::newRow("id above the ids") << 5000 << 0 << -1;
    QTest::newRow("id 4976") << 4976 << 0 << -1;
    QTest::newRow("negative id") << -1 << 0 << -1;
    QTest::newRow("id without list") << 8 << 0 << -1;
    QTest::newRow("emptied list") << 9 << 0 << 0;
    QTest::newRow("position past the end") << 7 << 2 << 2;
    QTest::newRow("negative position") << 7 << -1 << 2;
}

void tst_events::missingActionsGiveFixedResults()
{
    QFETCH(int, id);
    QFETCH(int, pos);
    QFETCH(int, count);

    eventTable t;
    t.appendAction(7);
    t.appendAction(7);
    t.appendAction(9);
    t.removeAction(9, 0);

    QCOMPARE(t.actionCount(id), count);
    QCOMPARE(t.action(id, pos), nullptr);
    QCOMPARE(t.number(id, pos), -1);
    QCOMPARE(t.actionType(id, pos), -1);
    QCOMPARE(t.subAction(id, pos), -1);
    QCOMPARE(t.daytimeFrom(id, pos), 255);
    QCOMPARE(t.daytimeTo(id, pos), 255);
    uint32_t words[4] = {1, 2, 3, 4};
    QCOMPARE(t.stateLimits(id, pos, words), 255);
    for (uint32_t w : words)
        QCOMPARE(w, 0xFFFFFFFFu);
    QVERIFY(t.actionText(id, pos).isNull());

    const uint32_t limits[4] = {0, 0, 0, 0};
    QCOMPARE(t.setNumber(id, pos, 3), -1);
    QCOMPARE(t.setActionType(id, pos, 1), -1);
    QCOMPARE(t.setSubAction(id, pos, 1), -1);
    QCOMPARE(t.setDaytimeLimit(id, pos, 1, 2), -1);
    QCOMPARE(t.setStateLimits(id, pos, 0, limits), -1);
    const eventAction record = makeAction(id, 1, 0, 0);
    QCOMPARE(t.setAction(&record, pos), -1);
    QCOMPARE(t.removeAction(id, pos), -1);
    // Nothing was created for the missing action.
    QCOMPARE(t.actionCount(id), count);
}

void tst_events::insertPositions_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("at");

    QTest::newRow("negative: front") << -3 << 0;
    QTest::newRow("zero: front") << 0 << 0;
    QTest::newRow("inside") << 1 << 1;
    QTest::newRow("at the end") << 2 << 2;
    QTest::newRow("beyond the end") << 99 << 2;
}

void tst_events::insertPositions()
{
    QFETCH(int, pos);
    QFETCH(int, at);

    eventTable t;
    const int id = EVENT_INPUT + 5;
    QCOMPARE(t.appendAction(id), 0);
    QCOMPARE(t.appendAction(id), 1);
    t.setNumber(id, 0, 100);
    t.setNumber(id, 1, 101);

    QCOMPARE(t.insertAction(id, pos), 2);
    QCOMPARE(t.actionCount(id), 3);
    const eventAction* a = t.action(id, at);
    QVERIFY(a);
    // The default action: scene, sub-action 4, no limits.
    QCOMPARE(a->eventId, uint16_t(id));
    QCOMPARE(a->number, uint16_t(0));
    QCOMPARE(a->typeByte, uint8_t(0x40));
    QCOMPARE(a->daytimeFrom, uint8_t(0xFF));
    QCOMPARE(a->daytimeTo, uint8_t(0xFF));
    QCOMPARE(a->states1to4, uint8_t(0xFF));
    for (uint32_t w : a->states5to68)
        QCOMPARE(w, 0xFFFFFFFFu);
    // The others keep their order around it.
    QList<int> numbers;
    for (int i = 0; i < 3; ++i)
        if (i != at)
            numbers << t.number(id, i);
    QCOMPARE(numbers, QList<int>({100, 101}));

    QCOMPARE(t.insertAction(EVENT_COUNT, 0), -1);
    QCOMPARE(t.appendAction(-1), -1);
}

void tst_events::settersKeepTheOtherNibble()
{
    eventTable t;
    t.appendAction(3);
    QCOMPARE(t.setActionType(3, 0, 0x15), 0);  // only the low nibble counts
    QCOMPARE(t.actionType(3, 0), 5);
    QCOMPARE(t.subAction(3, 0), SUB_OFF);
    QCOMPARE(t.setSubAction(3, 0, SUB_PREV_STEP), 0);
    QCOMPARE(t.actionType(3, 0), 5);
    QCOMPARE(t.subAction(3, 0), SUB_PREV_STEP);
    QCOMPARE(t.setNumber(3, 0, 0x8000), 0);
    QCOMPARE(t.number(3, 0), 0x8000);
    QCOMPARE(t.actionText(3, 0), QStringLiteral("{ 3 32768 5 11 }"));

    const uint32_t words[4] = {1, 2, 3, 4};
    QCOMPARE(t.setStateLimits(3, 0, 0x0E, words), 0);
    QCOMPARE(t.setDaytimeLimit(3, 0, DAYTIME_DAYNIGHT, DAYTIME_NONE), 0);
    uint32_t back[4];
    QCOMPARE(t.stateLimits(3, 0, back), 0x0E);
    QCOMPARE(back[3], 4u);
    QCOMPARE(t.daytimeFrom(3, 0), 0xFE);
    QCOMPARE(t.daytimeTo(3, 0), 0xFF);
}

void tst_events::setActionCopiesTheWholeRecord()
{
    eventTable t;
    t.appendAction(0x500);
    t.appendAction(0x500);
    eventAction record = makeAction(0x500, 77, ACTION_MASK, SUB_TOGGLE);
    record.daytimeFrom = 12;
    record.states5to68[2] = 0x12345678;
    QCOMPARE(t.setAction(&record, 1), 0);
    QVERIFY(sameRecord(*t.action(0x500, 1), record));
    QCOMPARE(t.number(0x500, 0), 0);
}

void tst_events::moveActionsReplacesTheTarget()
{
    eventTable t;
    const int a = EVENT_DELAY_END + 4, b = EVENT_DELAY_END + 5, fresh = EVENT_DELAY_END + 6;
    t.appendAction(a);
    t.appendAction(a);
    t.setNumber(a, 0, 10);
    t.setNumber(a, 1, 11);
    t.appendAction(b);
    std::weak_ptr<eventAction> dropped = t.lists[size_t(b)]->first();

    QCOMPARE(t.moveActions(a, b), 0);
    QCOMPARE(t.actionCount(a), 0);
    QCOMPARE(t.actionCount(b), 2);
    QCOMPARE(t.number(b, 0), 10);
    QCOMPARE(t.number(b, 1), 11);
    QCOMPARE(t.action(b, 1)->eventId, uint16_t(b));
    QVERIFY(dropped.expired());

    // A target without a list gets one; a source without one leaves it empty.
    QCOMPARE(t.moveActions(fresh + 1, fresh), 0);
    QCOMPARE(t.actionCount(fresh), 0);
    QCOMPARE(t.moveActions(a, EVENT_COUNT), -1);
    QCOMPARE(t.moveActions(EVENT_COUNT, a), -1);
    QCOMPARE(t.actionCount(b), 2);
}

void tst_events::moveActionsOntoItselfKeepsTheList()
{
    eventTable t;
    const int a = EVENT_DELAY_END + 9;
    t.appendAction(a);
    t.appendAction(a);
    t.setNumber(a, 1, 42);
    QCOMPARE(t.moveActions(a, a), 0);
    QCOMPARE(t.actionCount(a), 2);
    QCOMPARE(t.number(a, 1), 42);
}

void tst_events::clipboardSharesRecords()
{
    eventTable t;
    const int id = EVENT_INTERNAL + 3;
    t.appendAction(id);
    t.appendAction(id);
    t.setNumber(id, 0, 5);
    t.actionClipboard = {t.lists[size_t(id)]->at(0), t.lists[size_t(id)]->at(1)};
    std::weak_ptr<eventAction> second = t.actionClipboard.at(1);

    // Edits after copying are seen by the clipboard; removal keeps the record.
    t.setNumber(id, 0, 6);
    QCOMPARE(t.removeAction(id, 0), 0);
    QCOMPARE(t.actionClipboard.at(0)->number, uint16_t(6));
    QCOMPARE(t.actionClipboard.at(0)->eventId, uint16_t(id));

    // Clearing and reloading the table leave the clipboard alone.
    t.clear();
    t.unpackEvents(image.data());
    QCOMPARE(t.actionClipboard.size(), 2);
    QVERIFY(!second.expired());

    // Pasting inserts copies under the new id.
    const int target = EVENT_INPUT;
    for (int i = 0; i < t.actionClipboard.size(); ++i)
        QCOMPARE(t.insertActionCopy(target, i, t.actionClipboard.at(i).get()), i);
    QCOMPARE(t.actionCount(target), 2);
    QCOMPARE(t.number(target, 0), 6);
    QCOMPARE(t.action(target, 0)->eventId, uint16_t(target));
    QVERIFY(t.action(target, 0) != t.actionClipboard.at(0).get());
    QCOMPARE(t.insertActionCopy(target, 0, nullptr), -1);

    // A record nobody refers to any more is gone.
    t.actionClipboard.clear();
    QVERIFY(second.expired());
}

void tst_events::fullTableRoundTrip()
{
    // Every event id with an action, then more until the 8190 records are full.
    eventTable t;
    for (int n = 0; n < 8190; ++n) {
        const int id = n % EVENT_COUNT;
        const int pos = t.appendAction(id);
        eventAction a = makeAction(id, n % 10240, n % 12 == ACTION_ENABLING ? ACTION_SCENE : n % 12, n % 12);
        a.daytimeFrom = uint8_t(n % 145);
        a.daytimeTo = uint8_t(n % 7);
        a.states1to4 = uint8_t(n);
        a.states5to68[n % 4] = uint32_t(n) * 2654435761u;
        t.setAction(&a, pos);
    }
    QCOMPARE(t.packEvents(image.data()), 0);

    eventTable back;
    QCOMPARE(back.unpackEvents(image.data()), 0);
    QCOMPARE(back.enablingSource, -1);
    for (int id = 0; id < EVENT_COUNT; ++id) {
        QCOMPARE(back.actionCount(id), t.actionCount(id));
        for (int i = 0; i < t.actionCount(id); ++i)
            QVERIFY2(sameRecord(*back.action(id, i), *t.action(id, i)), qPrintable(t.actionText(id, i)));
    }
}

void tst_events::overflowLeavesTheImageAsItWas()
{
    eventTable t;
    for (int n = 0; n < 8191; ++n)
        t.appendAction(n % EVENT_COUNT);
    // Enabling actions use no record of their own.
    t.appendAction(EVENT_INPUT);
    t.setActionType(EVENT_INPUT, t.actionCount(EVENT_INPUT) - 1, ACTION_ENABLING);
    t.removeAction(100, 0);
    QCOMPARE(t.packEvents(image.data()), 0);
    QCOMPARE(eventAction::read(image.data() + img::eventActionsOf(8191)).eventId, uint16_t(EVENT_COUNT - 1));

    t.appendAction(100);
    const QByteArray before = actionRecords(image);
    QCOMPARE(t.packEvents(image.data()), -1);
    QCOMPARE(actionRecords(image), before);
}

void tst_events::enablingRecords_data()
{
    QTest::addColumn<QList<int>>("actions");  // pairs of id and sub-action, all Enabling
    QTest::addColumn<int>("record0");         // event id in record 0 (0xFFFF free)
    QTest::addColumn<int>("record1");
    QTest::addColumn<int>("source");          // enablingSource after unpacking
    QTest::addColumn<QList<int>>("readBack"); // ids that get their action back

    const int in3on = EVENT_INPUT + 6, in3off = EVENT_INPUT + 7, in2off = EVENT_INPUT + 5, in5on = EVENT_INPUT + 10;
    const int rc2pressed = EVENT_RC_BUTTON + 6, rc2released = EVENT_RC_BUTTON + 8;
    QTest::newRow("enable and disable of one input") << QList<int>{in3on, SUB_ON, in3off, SUB_OFF} << in3on << in3off
                                                   << 3 << QList<int>{in3on, in3off};
    QTest::newRow("toggle clears an earlier disable") << QList<int>{in2off, SUB_OFF, in5on, SUB_TOGGLE} << in5on
                                                      << 0xFFFF << 5 << QList<int>{in5on};
    QTest::newRow("second input is refused") << QList<int>{in3on, SUB_ON, in5on + 1, SUB_OFF} << in3on << in5on + 1
                                             << 3 << QList<int>{in3on};
    QTest::newRow("one action per button") << QList<int>{rc2pressed, SUB_ON, rc2released, SUB_OFF} << rc2pressed
                                           << rc2released << 26 << QList<int>{rc2pressed};
    QTest::newRow("button after input is refused") << QList<int>{rc2pressed, SUB_OFF, in3on, SUB_ON} << in3on
                                                   << rc2pressed << 3 << QList<int>{in3on};
    QTest::newRow("other ids are not read") << QList<int>{0x10, SUB_ON} << 0x10 << 0xFFFF << -1 << QList<int>{};
    QTest::newRow("other sub-actions are not written") << QList<int>{in3on, SUB_FREEZE} << 0xFFFF << 0xFFFF << -1
                                                       << QList<int>{};
}

void tst_events::enablingRecords()
{
    QFETCH(QList<int>, actions);
    QFETCH(int, record0);
    QFETCH(int, record1);
    QFETCH(int, source);
    QFETCH(QList<int>, readBack);

    eventTable t;
    for (int i = 0; i < actions.size(); i += 2) {
        const int pos = t.appendAction(actions[i]);
        t.setActionType(actions[i], pos, ACTION_ENABLING);
        t.setSubAction(actions[i], pos, actions[i + 1]);
    }
    QCOMPARE(t.packEvents(image.data()), 0);
    QCOMPARE(int(img::getU16(image.data(), img::eventActionsOf(0))), record0);
    QCOMPARE(int(img::getU16(image.data(), img::eventActionsOf(1))), record1);
    QCOMPARE(int(img::getU16(image.data(), img::eventActionsOf(2))), 0xFFFF);

    eventTable back;
    back.unpackEvents(image.data());
    QCOMPARE(back.enablingSource, source);
    int total = 0;
    for (int id = 0; id < EVENT_COUNT; ++id)
        total += std::max(back.actionCount(id), 0);
    QCOMPARE(total, readBack.size());
    for (int id : readBack) {
        QCOMPARE(back.actionCount(id), 1);
        QCOMPARE(back.actionType(id, 0), int(ACTION_ENABLING));
    }
}

void tst_events::recordsWithoutNumberAreNotRead()
{
    eventTable t;
    t.appendAction(20);
    t.appendAction(21);
    t.setNumber(21, 0, 0xFFFF);
    QCOMPARE(t.packEvents(image.data()), 0);
    // Free records carry zero state words after packing.
    const eventAction free = eventAction::read(image.data() + img::eventActionsOf(100));
    QCOMPARE(free.eventId, uint16_t(0xFFFF));
    QCOMPARE(free.typeByte, uint8_t(0x40));
    QCOMPARE(free.states5to68[0], 0u);
    QCOMPARE(free.daytimeFrom, uint8_t(0xFF));

    // An id beyond the ids is not read back either.
    img::putU16(image.data(), img::eventActionsOf(5), 4976);
    img::putU16(image.data(), img::eventActionsOf(5) + 2, 1);
    eventTable back;
    back.unpackEvents(image.data());
    QCOMPARE(back.actionCount(20), 1);
    QCOMPARE(back.actionCount(21), -1);
}

QTEST_GUILESS_MAIN(tst_events)
#include "tst_events.moc"
