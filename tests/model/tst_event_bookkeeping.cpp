#include "model/event_bookkeeping.h"
#include "model/kv310_controller.h"

#include <QTest>
#include <algorithm>

namespace {

constexpr int INPUT3_ON = EVENT_INPUT + 4;
constexpr int INPUT3_OFF = INPUT3_ON + 1;

eventAction makeAction(int type, int number, int sub)
{
    eventAction a;
    a.number = uint16_t(number);
    a.setType(type);
    a.setSubAction(sub);
    return a;
}

QList<int> sorted(const QList<uint16_t>& list)
{
    QList<int> out(list.begin(), list.end());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

// The lists kept beside the action lists: started delays and the enabling
// source, through edits, removals and insertions.
class tst_event_bookkeeping : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void delaysAndTheirOwners();
    void firstFreeDelay();
    void enablingSources_data();
    void enablingSources();
    void changesMoveTheStartedDelay_data();
    void changesMoveTheStartedDelay();
    void removalDropsWhatTheActionHeld();
    void enablingRoleStaysWhileTheSourceUsesIt();
    void insertingCopies();

private:
    std::unique_ptr<kv310_controller_class> c;
    void ownDelay(int d, uint32_t q) { img::putU32(c->configImage, img::delaysOf(d), delayWord::make(5, q)); }
};

void tst_event_bookkeeping::init()
{
    c = std::make_unique<kv310_controller_class>();
}

void tst_event_bookkeeping::cleanup()
{
    c.reset();
}

void tst_event_bookkeeping::delaysAndTheirOwners()
{
    ownDelay(4, 0);
    ownDelay(5, 127);
    ownDelay(6, 128);  // no sequence has that number
    const eventBookkeeping book(*c);
    QCOMPARE(book.delayOwner(4), 0);
    QCOMPARE(book.delayOwner(5), 127);
    QCOMPARE(book.delayOwner(6), -1);
    QCOMPARE(book.delayOwner(7), -1);
    QCOMPARE(book.delayOwner(-1), -1);
    QCOMPARE(book.delayOwner(512), -1);
    QCOMPARE(book.delayOwner(ACTION_NUMBER_ALL), -1);
    QVERIFY(book.anyDelayOwned());

    QVERIFY(book.isLocked(makeAction(ACTION_DELAY, 4, SUB_ON)));
    QVERIFY(!book.isLocked(makeAction(ACTION_DELAY, 4, SUB_OFF)));
    QVERIFY(!book.isLocked(makeAction(ACTION_SEQUENCE, 4, SUB_ON)));
    QVERIFY(!book.isLocked(makeAction(ACTION_DELAY, 7, SUB_ON)));
    QVERIFY(eventBookkeeping::isDelayStart(makeAction(ACTION_DELAY, 511, SUB_ON)));
    QVERIFY(!eventBookkeeping::isDelayStart(makeAction(ACTION_DELAY, 512, SUB_ON)));
    QVERIFY(!eventBookkeeping::isDelayStart(makeAction(ACTION_DELAY, ACTION_NUMBER_ALL, SUB_ON)));

    for (int d : {4, 5})
        ownDelay(d, 0xFFF);
    QVERIFY(!eventBookkeeping(*c).anyDelayOwned());
}

void tst_event_bookkeeping::firstFreeDelay()
{
    QCOMPARE(eventBookkeeping(*c).firstFreeDelay(), 0);
    c->startedDelays = {0, 0, 2, 1, 0x8000, 4};
    QCOMPARE(eventBookkeeping(*c).firstFreeDelay(), 3);
    c->startedDelays.clear();
    for (int d = 511; d >= 0; --d)
        c->startedDelays.append(uint16_t(d));
    QCOMPARE(eventBookkeeping(*c).firstFreeDelay(), -1);
}

void tst_event_bookkeeping::enablingSources_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("source");
    QTest::newRow("input 1 on") << int(EVENT_INPUT) << 0;
    QTest::newRow("input 24 off") << int(EVENT_INPUT) + 47 << 23;
    QTest::newRow("button 1 pressed") << int(EVENT_RC_BUTTON) << 24;
    QTest::newRow("button 64 released") << int(EVENT_RC_BUTTON) + 191 << 87;
    QTest::newRow("sequence start") << int(EVENT_SEQUENCE_START) + 127 << -1;
    QTest::newRow("power on") << int(EVENT_POWER_ON) << -1;
    QTest::newRow("past the last id") << int(EVENT_COUNT) << -1;
}

void tst_event_bookkeeping::enablingSources()
{
    QFETCH(int, id);
    QFETCH(int, source);
    QCOMPARE(eventBookkeeping::enablingSourceOf(id), source);
}

void tst_event_bookkeeping::changesMoveTheStartedDelay_data()
{
    QTest::addColumn<int>("beforeNumber");
    QTest::addColumn<int>("beforeSub");
    QTest::addColumn<int>("afterType");
    QTest::addColumn<int>("afterNumber");
    QTest::addColumn<int>("afterSub");
    QTest::addColumn<QList<int>>("started");
    // startedDelays holds {7, 3, 7} before each change of a Delay action.
    QTest::newRow("other delay") << 7 << 0 << 5 << 6 << 0 << QList<int>{3, 6, 7};
    QTest::newRow("same delay") << 7 << 0 << 5 << 7 << 0 << QList<int>{3, 7, 7};
    QTest::newRow("turned off") << 7 << 0 << 5 << 7 << 4 << QList<int>{3, 7};
    QTest::newRow("all delays") << 7 << 0 << 5 << 0x8000 << 0 << QList<int>{3, 7};
    QTest::newRow("another type") << 7 << 0 << 6 << 7 << 0 << QList<int>{3, 7};
    QTest::newRow("started") << 7 << 4 << 5 << 9 << 0 << QList<int>{3, 7, 7, 9};
    QTest::newRow("off stays off") << 7 << 4 << 5 << 9 << 4 << QList<int>{3, 7, 7};
    QTest::newRow("from all") << 0x8000 << 0 << 5 << 2 << 0 << QList<int>{2, 3, 7, 7};
}

void tst_event_bookkeeping::changesMoveTheStartedDelay()
{
    QFETCH(int, beforeNumber);
    QFETCH(int, beforeSub);
    QFETCH(int, afterType);
    QFETCH(int, afterNumber);
    QFETCH(int, afterSub);
    QFETCH(QList<int>, started);
    c->startedDelays = {7, 3, 7};
    eventBookkeeping book(*c);
    book.changed(INPUT3_ON, makeAction(ACTION_DELAY, beforeNumber, beforeSub), makeAction(afterType, afterNumber, afterSub));
    QCOMPARE(sorted(c->startedDelays), started);
    QCOMPARE(book.startedDelaysChanged(), started != (QList<int>{3, 7, 7}));
}

void tst_event_bookkeeping::removalDropsWhatTheActionHeld()
{
    eventBookkeeping book(*c);
    QCOMPARE(book.remove(INPUT3_ON, 0), -1);
    for (const eventAction& a : {makeAction(ACTION_DELAY, 8, SUB_ON), makeAction(ACTION_DELAY, 9, SUB_OFF),
                                 makeAction(ACTION_SCENE, 8, SUB_ON)})
        c->events.insertActionCopy(INPUT3_ON, 99, &a);
    c->startedDelays = {8, 1, 8};
    QCOMPARE(book.remove(INPUT3_ON, 1), 0);
    QVERIFY(!book.startedDelaysChanged());
    QCOMPARE(book.remove(INPUT3_ON, 0), 0);
    QVERIFY(book.startedDelaysChanged());
    QCOMPARE(sorted(c->startedDelays), (QList<int>{1, 8}));
    QCOMPARE(c->events.actionCount(INPUT3_ON), 1);
    QCOMPARE(c->events.actionType(INPUT3_ON, 0), int(ACTION_SCENE));
    book.removeAll(INPUT3_ON);
    QCOMPARE(c->events.actionCount(INPUT3_ON), 0);
}

void tst_event_bookkeeping::enablingRoleStaysWhileTheSourceUsesIt()
{
    const eventAction enable = makeAction(ACTION_ENABLING, 0, SUB_ON);
    const eventAction disable = makeAction(ACTION_ENABLING, 0, SUB_OFF);
    c->events.insertActionCopy(INPUT3_ON, 0, &enable);
    c->events.insertActionCopy(INPUT3_ON, 1, &enable);
    c->events.insertActionCopy(INPUT3_OFF, 0, &disable);
    c->events.enablingSource = 2;
    eventBookkeeping book(*c);
    book.remove(INPUT3_ON, 0);
    book.remove(INPUT3_OFF, 0);
    QCOMPARE(c->events.enablingSource, 2);
    // The last one goes by a type change.
    c->events.setActionType(INPUT3_ON, 0, ACTION_SCENE);
    book.changed(INPUT3_ON, enable, *c->events.action(INPUT3_ON, 0));
    QCOMPARE(c->events.enablingSource, -1);

    // A button's role is released like an input's; another source's never.
    const int button = EVENT_RC_BUTTON + 3 * 5;
    c->events.insertActionCopy(button, 0, &disable);
    c->events.enablingSource = 29;
    book.remove(button, 0);
    QCOMPARE(c->events.enablingSource, -1);
    c->events.insertActionCopy(INPUT3_ON, 0, &enable);
    c->events.enablingSource = 7;
    book.remove(INPUT3_ON, 0);
    QCOMPARE(c->events.enablingSource, 7);
}

void tst_event_bookkeeping::insertingCopies()
{
    eventBookkeeping book(*c);
    eventAction start = makeAction(ACTION_DELAY, 12, SUB_ON);
    start.daytimeFrom = 0x30;
    QCOMPARE(book.insertCopy(EVENT_POWER_ON, 0, start), 0);
    QCOMPARE(c->startedDelays, (QList<uint16_t>{12}));
    QCOMPARE(c->events.action(EVENT_POWER_ON, 0)->daytimeFrom, uint8_t(0x30));
    QCOMPARE(c->events.action(EVENT_POWER_ON, 0)->eventId, uint16_t(EVENT_POWER_ON));
    QCOMPARE(book.insertCopy(EVENT_POWER_ON, 0, makeAction(ACTION_DELAY, ACTION_NUMBER_ALL, SUB_ON)), 1);
    QCOMPARE(c->startedDelays, (QList<uint16_t>{12}));
    QCOMPARE(book.insertCopy(EVENT_COUNT, 0, start), -1);
    QCOMPARE(c->startedDelays, (QList<uint16_t>{12}));

    // Enabling actions go only to the events of a source that may hold the role.
    const eventAction enable = makeAction(ACTION_ENABLING, 0, SUB_ON);
    QCOMPARE(book.insertCopy(EVENT_POWER_ON, 0, enable), -2);
    QCOMPARE(book.insertCopy(INPUT3_OFF, 0, enable), 0);
    QCOMPARE(c->events.enablingSource, 2);
    QCOMPARE(book.insertCopy(INPUT3_ON, 0, enable), 0);
    QCOMPARE(book.insertCopy(EVENT_INPUT, 0, enable), -2);
    QCOMPARE(book.insertCopy(EVENT_RC_BUTTON, 0, enable), -2);
    QCOMPARE(c->events.actionCount(EVENT_INPUT), -1);
    QCOMPARE(c->events.actionCount(EVENT_POWER_ON), 2);
}

QTEST_GUILESS_MAIN(tst_event_bookkeeping)
#include "tst_event_bookkeeping.moc"
