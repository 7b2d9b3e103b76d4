#include "editors/events/action_rules.h"
#include "model/events.h"
#include "support/fake_main_window.h"

#include <QSet>
#include <QTest>

namespace {

constexpr int SEQUENCE_PAGE = 103;
const QList<int> everyPage = {0, 1, 2, 3, 4, 5, 6, SEQUENCE_PAGE};

// What each type allows, said type by type: sub-actions for a single object
// only, sub-actions also for "All", and the pages on which they hold.
struct typeRule {
    QSet<int> singleOnly;
    QSet<int> alsoAll;
    QList<int> pages;
};

typeRule ruleOf(int type)
{
    switch (type) {
    case ACTION_SCENE:
        return {{0, 2, 6}, {1, 3, 4, 5, 8, 9, 10}, everyPage};
    case ACTION_MASK:
        return {{0, 2, 6}, {1, 3, 4, 5, 7, 8, 9, 10}, everyPage};
    case ACTION_PROGRAM:
        return {{0, 6}, {1, 3, 4, 5, 7, 10, 11}, everyPage};
    case ACTION_SET_STATUS:
        return {{}, {0, 2, 4}, everyPage};
    case ACTION_SAVE_SHOW:
        return {{}, {0, 4}, {0, 5}};
    case ACTION_DELAY:
    case ACTION_SEQUENCE:
        return {{0}, {4}, everyPage};
    case ACTION_DMX_TRANSMISSION:
        return {{4}, {}, everyPage};
    case ACTION_ACTIVE_SCENES:
        return {{0, 4}, {}, everyPage};
    case ACTION_SELF_PROGRAMMING:
        return {{}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0}};
    default:  // Msg for panel allows nothing; Enabling is page-dependent
        return {};
    }
}

bool expected(int type, bool all, int sub, int page)
{
    if (type == ACTION_ENABLING)
        return !all && ((page == 0 && (sub == SUB_ON || sub == SUB_OFF)) || (page == 5 && sub == SUB_TOGGLE));
    const typeRule rule = ruleOf(type);
    if (!rule.pages.contains(page))
        return false;
    return rule.alsoAll.contains(sub) || (!all && rule.singleOnly.contains(sub));
}

}  // namespace

// Which sub-action each type may have on which page, with a single object
// and with "All".
class tst_action_rules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCombination();
    void outOfRangeIsRefused();
    void frontPageDecidesWithoutAPage_data();
    void frontPageDecidesWithoutAPage();
};

void tst_action_rules::everyCombination()
{
    for (int page : everyPage)
        for (int type = 0; type < 12; ++type)
            for (int sub = 0; sub < 12; ++sub)
                for (int value : {0, 1, 7}) {
                    const bool want = expected(type, value == 0, sub, page);
                    if (isSubActionAllowed(type, value, sub, page) != want)
                        QFAIL(qPrintable(QStringLiteral("page %1 type %2 sub %3 value %4: expected %5")
                                             .arg(page)
                                             .arg(type)
                                             .arg(sub)
                                             .arg(value)
                                             .arg(want)));
                }
}

void tst_action_rules::outOfRangeIsRefused()
{
    // A record read from a file can carry any nibble.
    for (int sub : {12, 15, -1})
        QVERIFY(!isSubActionAllowed(ACTION_SELF_PROGRAMMING, 1, sub, 0));
    for (int type : {12, 15, -1})
        QVERIFY(!isSubActionAllowed(type, 1, SUB_OFF, 0));
    // Any kind other than an event page's is the sequence page.
    QCOMPARE(isSubActionAllowed(ACTION_SAVE_SHOW, 1, SUB_ON, 42), false);
    QCOMPARE(isSubActionAllowed(ACTION_SCENE, 1, SUB_ON, 42), true);
}

void tst_action_rules::frontPageDecidesWithoutAPage_data()
{
    QTest::addColumn<int>("front");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("sub");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("enable on inputs") << 0 << int(ACTION_ENABLING) << int(SUB_ON) << true;
    QTest::newRow("enable on remote control") << 5 << int(ACTION_ENABLING) << int(SUB_ON) << false;
    QTest::newRow("toggle on remote control") << 5 << int(ACTION_ENABLING) << int(SUB_TOGGLE) << true;
    QTest::newRow("save show elsewhere") << SEQUENCE_PAGE << int(ACTION_SAVE_SHOW) << int(SUB_ON) << false;
    QTest::newRow("scene on the sequence page") << SEQUENCE_PAGE << int(ACTION_SCENE) << int(SUB_TOGGLE) << true;
}

void tst_action_rules::frontPageDecidesWithoutAPage()
{
    QFETCH(int, front);
    QFETCH(int, type);
    QFETCH(int, sub);
    QFETCH(bool, allowed);
    fakeMainWindow window;
    window.eventPageKind = front;
    theMainWindow = &window;
    QCOMPARE(isSubActionAllowed(type, 3, sub), allowed);
    theMainWindow = nullptr;
    // Without a window the sequence page's rule holds.
    QCOMPARE(isSubActionAllowed(type, 3, sub), isSubActionAllowed(type, 3, sub, SEQUENCE_PAGE));
}

QTEST_MAIN(tst_action_rules)
#include "tst_action_rules.moc"
