#include "model/kv310_controller.h"
#include "model/sequence_chain.h"

#include <QTest>
#include <algorithm>
#include <memory>

namespace {

constexpr int START5 = EVENT_SEQUENCE_START + 5;

int end(int d)
{
    return EVENT_DELAY_END + d;
}

void addAction(eventTable& events, int id, int type, int number, int sub)
{
    const int i = events.appendAction(id);
    events.setActionType(id, i, type);
    events.setNumber(id, i, number);
    events.setSubAction(id, i, sub);
}

// The actions of an event as "type/number/sub" texts, in order.
QStringList actions(const kv310_controller_class& c, int id)
{
    QStringList out;
    for (int i = 0; i < c.events.actionCount(id); ++i)
        out << QStringLiteral("%1/%2/%3")
                   .arg(c.events.actionType(id, i))
                   .arg(c.events.number(id, i))
                   .arg(c.events.subAction(id, i));
    return out;
}

QString link(int d)
{
    return QStringLiteral("%1/%2/%3").arg(ACTION_DELAY).arg(d).arg(SUB_ON);
}

QString scene(int n, int sub)
{
    return QStringLiteral("%1/%2/%3").arg(ACTION_SCENE).arg(n).arg(sub);
}

QString program(int n, int sub)
{
    return QStringLiteral("%1/%2/%3").arg(ACTION_PROGRAM).arg(n).arg(sub);
}

QList<int> sorted(const QList<uint16_t>& list)
{
    QList<int> out(list.begin(), list.end());
    std::sort(out.begin(), out.end());
    return out;
}

uint32_t word(const kv310_controller_class& c, int d)
{
    return img::getU32(c.configImage, img::delaysOf(d));
}

// What must hold after every edit: each delay of a chain belongs to its
// sequence, is listed once in startedDelays and is started by exactly one
// link on the event before it; the last delay starts no further delay of the
// sequence; startedDelays lists exactly the Delay-Start actions; a delay that
// a sequence owns is in its list.
void checkChains(const kv310_controller_class& c)
{
    QList<int> starts;
    for (int id = 0; id < EVENT_COUNT; ++id)
        for (int i = 0; i < c.events.actionCount(id); ++i)
            if (c.events.actionType(id, i) == ACTION_DELAY && c.events.subAction(id, i) == SUB_ON
                && c.events.number(id, i) < img::DELAYS)
                starts << c.events.number(id, i);
    std::sort(starts.begin(), starts.end());
    QCOMPARE(sorted(c.startedDelays), starts);

    for (int q = 0; q < img::SEQUENCES; ++q) {
        const QList<uint16_t>& list = c.sequenceDelays[size_t(q)];
        int starter = EVENT_SEQUENCE_START + q;
        for (uint16_t d : list) {
            QVERIFY2(d < img::DELAYS, qPrintable(QStringLiteral("sequence %1 holds %2").arg(q).arg(d)));
            QCOMPARE(delayWord::sequence(word(c, d)), uint32_t(q));
            QCOMPARE(c.startedDelays.count(d), 1);
            QCOMPARE(actions(c, starter).count(link(d)), 1);
            starter = end(d);
        }
        if (!list.isEmpty())
            for (int i = 0; i < c.events.actionCount(starter); ++i)
                if (c.events.actionType(starter, i) == ACTION_DELAY && c.events.subAction(starter, i) == SUB_ON)
                    QVERIFY(delayWord::sequence(word(c, c.events.number(starter, i))) != uint32_t(q));
    }
    for (int d = 0; d < img::DELAYS; ++d) {
        const uint32_t q = delayWord::sequence(word(c, d));
        if (q < uint32_t(img::SEQUENCES))
            QVERIFY2(c.sequenceDelays[q].contains(uint16_t(d)), qPrintable(QStringLiteral("delay %1").arg(d)));
    }
}

}  // namespace

// The chain of delays that makes a sequence: growing and shrinking it,
// inserting and deleting steps, switching off what the step before switched
// on, and the step times; after every edit the delays, the derived lists and
// the links agree, as they do after the configuration is read back.
class tst_sequence_chain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void growingTakesTheLowestFreeDelays();
    void finishActionsStayOnTheFinishRow();
    void insertAndDeleteKeepTheLinks();
    void editsOutsideTheStepsAreIgnored();
    void droppedActionsReleaseTheirDelays();
    void growingStopsWhereTheDelaysRunOut();
    void insertWithoutAFreeDelayChangesNothing();
    void finishingThePreviousStep();
    void stepTimesKeepTheOwner();
    void theChainReadsBackAsBuilt();

private:
    std::unique_ptr<kv310_controller_class> c;
    // Three steps of sequence 5 on an empty configuration: delays 0, 1, 2.
    void threeSteps();
};

void tst_sequence_chain::init()
{
    c = std::make_unique<kv310_controller_class>();
}

void tst_sequence_chain::cleanup()
{
    c.reset();
}

void tst_sequence_chain::threeSteps()
{
    QCOMPARE(sequenceChain(*c, 5).setLength(3), 3);
    checkChains(*c);
}

void tst_sequence_chain::growingTakesTheLowestFreeDelays()
{
    // Delay 1 is started elsewhere: the sequence passes it by.
    addAction(c->events, EVENT_POWER_ON, ACTION_DELAY, 1, SUB_ON);
    c->startedDelays.append(1);

    sequenceChain chain(*c, 5);
    QCOMPARE(chain.setLength(3), 3);
    checkChains(*c);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{0, 2, 3}));
    for (int d : {0, 2, 3})
        QCOMPARE(word(*c, d), (5u << 20) | 1u);
    QCOMPARE(word(*c, 1), sequenceChain::FREE_WORD);
    QCOMPARE(sorted(c->startedDelays), (QList<int>{0, 1, 2, 3}));
    QCOMPARE(actions(*c, START5), QStringList{link(0)});
    QCOMPARE(actions(*c, end(0)), QStringList{link(2)});
    QCOMPARE(actions(*c, end(2)), QStringList{link(3)});
    QCOMPARE(actions(*c, end(3)), QStringList());
    QVERIFY(chain.startedDelaysChanged());

    QCOMPARE(chain.rowEvent(0), START5);
    QCOMPARE(chain.rowEvent(1), end(0));
    QCOMPARE(chain.rowEvent(3), end(3));  // the finish row
    QCOMPARE(chain.rowEvent(4), -1);
    QCOMPARE(chain.rowEvent(-1), -1);
    QCOMPARE(sequenceChain(*c, 6).rowEvent(0), -1);
}

void tst_sequence_chain::finishActionsStayOnTheFinishRow()
{
    threeSteps();
    addAction(c->events, end(2), ACTION_MASK, 9, SUB_ON);       // finish
    addAction(c->events, end(1), ACTION_SCENE, 40, SUB_ON);     // step 3

    QCOMPARE(sequenceChain(*c, 5).setLength(4), 4);
    checkChains(*c);
    QCOMPARE(actions(*c, end(3)), QStringList{QStringLiteral("7/9/0")});
    QCOMPARE(actions(*c, end(2)), QStringList{link(3)});

    QCOMPARE(sequenceChain(*c, 5).setLength(2), 2);
    checkChains(*c);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{0, 1}));
    QCOMPARE(actions(*c, end(1)), QStringList{QStringLiteral("7/9/0")});
    QCOMPARE(actions(*c, end(2)), QStringList());
    QCOMPARE(actions(*c, end(3)), QStringList());
    QCOMPARE(word(*c, 2), sequenceChain::FREE_WORD);
    QCOMPARE(word(*c, 3), sequenceChain::FREE_WORD);

    // Down to nothing: the finish actions end on the start of the sequence.
    QCOMPARE(sequenceChain(*c, 5).setLength(0), 0);
    checkChains(*c);
    QCOMPARE(actions(*c, START5), QStringList{QStringLiteral("7/9/0")});
    QVERIFY(c->startedDelays.isEmpty());
}

void tst_sequence_chain::insertAndDeleteKeepTheLinks()
{
    threeSteps();
    addAction(c->events, end(0), ACTION_SCENE, 7, SUB_ON);  // step 2's own action

    sequenceChain chain(*c, 5);
    QCOMPARE(chain.insertStep(1), sequenceChain::done);
    checkChains(*c);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{0, 3, 1, 2}));
    QCOMPARE(actions(*c, end(0)), QStringList{link(3)});
    QCOMPARE(actions(*c, end(3)), (QStringList{link(1), scene(7, SUB_ON)}));
    QCOMPARE(word(*c, 3), (5u << 20) | 1u);

    QCOMPARE(chain.deleteStep(0), sequenceChain::done);
    checkChains(*c);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{3, 1, 2}));
    QCOMPARE(word(*c, 0), sequenceChain::FREE_WORD);
    QCOMPARE(actions(*c, START5), QStringList{link(3)});
    QCOMPARE(actions(*c, end(0)), QStringList());

    // Inserting before the first step and deleting the last one.
    QCOMPARE(chain.insertStep(0), sequenceChain::done);
    checkChains(*c);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{0, 3, 1, 2}));
    QCOMPARE(actions(*c, START5), QStringList{link(0)});
    QCOMPARE(chain.deleteStep(3), sequenceChain::done);
    checkChains(*c);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{0, 3, 1}));
    QCOMPARE(actions(*c, end(1)), QStringList());
}

void tst_sequence_chain::editsOutsideTheStepsAreIgnored()
{
    sequenceChain empty(*c, 5);
    QCOMPARE(empty.insertStep(0), sequenceChain::ignored);
    QCOMPARE(empty.deleteStep(0), sequenceChain::ignored);
    QCOMPARE(empty.finishPreviousStep(1), 0);

    threeSteps();
    sequenceChain chain(*c, 5);
    for (int row : {-1, 3, 4}) {
        QCOMPARE(chain.insertStep(row), sequenceChain::ignored);
        QCOMPARE(chain.deleteStep(row), sequenceChain::ignored);
    }
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{0, 1, 2}));
    QVERIFY(!chain.startedDelaysChanged());
    checkChains(*c);
}

void tst_sequence_chain::droppedActionsReleaseTheirDelays()
{
    threeSteps();
    // Step 3 starts delay 40 of its own; deleting the step drops that action,
    // and delay 40 is free again.
    addAction(c->events, end(1), ACTION_DELAY, 40, SUB_ON);
    c->startedDelays.append(40);
    QCOMPARE(sequenceChain(*c, 5).deleteStep(2), sequenceChain::done);
    checkChains(*c);
    QVERIFY(!c->startedDelays.contains(40));

    // A free delay's end may hold actions: taking the delay replaces them.
    addAction(c->events, end(2), ACTION_DELAY, 41, SUB_ON);
    c->startedDelays.append(41);
    QCOMPARE(sequenceChain(*c, 5).setLength(3), 3);
    checkChains(*c);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{0, 1, 2}));
    QVERIFY(!c->startedDelays.contains(41));
}

void tst_sequence_chain::growingStopsWhereTheDelaysRunOut()
{
    // 510 delays started by other events; 3 and 200 are free.
    for (int d = 0; d < img::DELAYS; ++d) {
        if (d == 3 || d == 200)
            continue;
        addAction(c->events, EVENT_POWER_ON, ACTION_DELAY, d, SUB_ON);
        c->startedDelays.append(uint16_t(d));
    }
    sequenceChain chain(*c, 5);
    QCOMPARE(chain.setLength(4), 2);
    checkChains(*c);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{3, 200}));
    QCOMPARE(chain.rowEvent(2), end(200));
    QCOMPARE(chain.rowEvent(3), -1);
}

void tst_sequence_chain::insertWithoutAFreeDelayChangesNothing()
{
    threeSteps();
    for (int d = 3; d < img::DELAYS; ++d) {
        addAction(c->events, EVENT_POWER_ON, ACTION_DELAY, d, SUB_ON);
        c->startedDelays.append(uint16_t(d));
    }
    sequenceChain chain(*c, 5);
    QCOMPARE(chain.insertStep(1), sequenceChain::noFreeDelay);
    QCOMPARE(c->sequenceDelays[5], (QList<uint16_t>{0, 1, 2}));
    QVERIFY(!chain.startedDelaysChanged());
    checkChains(*c);
}

void tst_sequence_chain::finishingThePreviousStep()
{
    threeSteps();
    // Row 1 (event 0x1000) switches on scene 12 and program 3.
    addAction(c->events, end(0), ACTION_SCENE, 12, SUB_ON);
    addAction(c->events, end(0), ACTION_PROGRAM, 3, SUB_ON);
    addAction(c->events, end(0), ACTION_MASK, 4, SUB_ON);
    addAction(c->events, end(0), ACTION_SCENE, 13, SUB_OFF);

    sequenceChain chain(*c, 5);
    QCOMPARE(chain.finishPreviousStep(0), 0);
    QCOMPARE(chain.finishPreviousStep(2), 2);
    checkChains(*c);
    QCOMPARE(actions(*c, end(1)), (QStringList{link(2), scene(12, SUB_OFF), program(3, SUB_OFF)}));
    QCOMPARE(chain.finishPreviousStep(2), 0);
    QCOMPARE(actions(*c, end(1)).size(), 3);

    // A row that switches scene 12 off already gets only the program.
    sequenceChain(*c, 5).setLength(0);
    threeSteps();
    addAction(c->events, end(0), ACTION_SCENE, 12, SUB_ON);
    addAction(c->events, end(0), ACTION_PROGRAM, 3, SUB_ON);
    addAction(c->events, end(1), ACTION_SCENE, 12, SUB_OFF);
    QCOMPARE(sequenceChain(*c, 5).finishPreviousStep(2), 1);
    QCOMPARE(actions(*c, end(1)), (QStringList{link(2), scene(12, SUB_OFF), program(3, SUB_OFF)}));

    // The finish row finishes the last step.
    addAction(c->events, end(1), ACTION_SCENE, 14, SUB_ON);
    QCOMPARE(sequenceChain(*c, 5).finishPreviousStep(3), 1);
    QCOMPARE(actions(*c, end(2)), QStringList{scene(14, SUB_OFF)});
    checkChains(*c);
}

void tst_sequence_chain::stepTimesKeepTheOwner()
{
    threeSteps();
    sequenceChain chain(*c, 5);
    QVERIFY(chain.setStepTime(1, delayWord::MAX_TIME));
    QCOMPARE(word(*c, 1), (5u << 20) | delayWord::MAX_TIME);
    QVERIFY(!chain.setStepTime(1, 0));
    QVERIFY(!chain.setStepTime(1, delayWord::MAX_TIME + 1));
    QVERIFY(!chain.setStepTime(3, 10));  // the finish row has no delay
    QCOMPARE(word(*c, 1), (5u << 20) | delayWord::MAX_TIME);
}

void tst_sequence_chain::theChainReadsBackAsBuilt()
{
    // Two sequences edited in turns, packed and read back as a load does.
    sequenceChain(*c, 5).setLength(4);
    sequenceChain(*c, 9).setLength(2);
    sequenceChain(*c, 5).insertStep(2);
    sequenceChain(*c, 9).deleteStep(0);
    sequenceChain(*c, 5).deleteStep(1);
    sequenceChain(*c, 9).setLength(3);
    addAction(c->events, EVENT_POWER_ON, ACTION_SEQUENCE, 5, SUB_ON);
    checkChains(*c);
    const QList<uint16_t> five = c->sequenceDelays[5];
    const QList<uint16_t> nine = c->sequenceDelays[9];
    const QList<int> started = sorted(c->startedDelays);

    QCOMPARE(c->events.packEvents(c->configImage), 0);
    c->events.unpackEvents(c->configImage);
    c->rebuildSequences();
    QCOMPARE(c->sequenceDelays[5], five);
    QCOMPARE(c->sequenceDelays[9], nine);
    QCOMPARE(sorted(c->startedDelays), started);
    checkChains(*c);
}

QTEST_GUILESS_MAIN(tst_sequence_chain)
#include "tst_sequence_chain.moc"
