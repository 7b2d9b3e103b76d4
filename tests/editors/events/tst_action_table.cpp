#include "action_table_rig.h"
#include "editors/events/action_rows.h"
#include "widgets/page_style.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QSignalSpy>

namespace {

constexpr int INPUT3_ON = EVENT_INPUT + 4;

QStringList rowTexts(const QTableWidget& t, int row)
{
    QStringList out;
    for (int c = 0; c < t.columnCount(); ++c)
        out << (t.item(row, c) ? t.item(row, c)->text() : QStringLiteral("<none>"));
    return out;
}

}  // namespace

// The rows of the action table: texts, colours, hidden chain links, and what
// the table reports about its current row.
class tst_action_table : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void actionTexts_data();
    void actionTexts();
    void daytimeTexts_data();
    void daytimeTexts();
    void stateTexts_data();
    void stateTexts();
    void rowsFollowTheEvent();
    void eventsWithoutRows();
    void clockPageShowsNoDaytime();
    void sequencePageHidesItsChainLinks();
    void currentRowReportsTypeAndNumber();
    void typeChangeRewritesTheNumberCell();
    void deleteAndInsertKeysAreForwarded();
    void storedEditsReloadTableAndDelayPage();
    void stopEditingKeepsAnEditorUnderTheMouse();
};

void tst_action_table::actionTexts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("sub");
    QTest::addColumn<QString>("typeText");
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<QString>("subText");
    QTest::newRow("scene all") << 0 << 0x8000 << 4 << "Scene" << "All" << "Off";
    QTest::newRow("scene past all") << 0 << 0x8001 << 0 << "Scene" << "32770" << "On";
    QTest::newRow("scene sub 1 is on") << 0 << 9 << 1 << "Scene" << "10" << "On";
    QTest::newRow("program sub 2 is on") << 1 << 4 << 2 << "Program" << "5" << "On";
    QTest::newRow("program prev") << 1 << 4 << 11 << "Program" << "5" << "Prev. step";
    QTest::newRow("set status 67") << 3 << 67 << 0 << "Set status" << "68" << "Activate";
    QTest::newRow("set status 68 is all") << 3 << 68 << 4 << "Set status" << "All" << "Deactivate";
    QTest::newRow("set status far is all") << 3 << 500 << 2 << "Set status" << "All" << "Toggle";
    QTest::newRow("msg to all panels") << 9 << 0x0F05 << 4 << "Msg for panel" << "All" << "Msg 5";
    QTest::newRow("msg to panel 3") << 9 << 0x0307 << 0 << "Msg for panel" << "Panel 3" << "Msg 7";
    QTest::newRow("delay sub 1 oops") << 5 << 3 << 1 << "Delay" << "4" << "Oops!";
    QTest::newRow("delay start") << 5 << 3 << 0 << "Delay" << "4" << "Start";
    QTest::newRow("enabling") << 2 << 0 << 0 << "Enabling" << "- -" << "Enable";
    QTest::newRow("enabling off") << 2 << 0 << 4 << "Enabling" << "- -" << "Disable";
    QTest::newRow("save show") << 4 << 0 << 4 << "Save show" << "- -" << "Restore";
    QTest::newRow("mask intensity") << 7 << 2 << 8 << "Mask" << "3" << "Increase intensity";
    QTest::newRow("scene brightness") << 0 << 2 << 10 << "Scene" << "3" << "Set brightness";
    QTest::newRow("active scenes") << 10 << 0 << 0 << "Active scenes" << "- -" << "On";
    QTest::newRow("dmx transmission exclusive") << 8 << 0 << 6 << "DMX Transmission" << "- -" << "Oops!";
    QTest::newRow("type 13") << 13 << 0 << 3 << "Oops!" << "- -" << "Freeze";
    QTest::newRow("sub 14") << 0 << 0 << 14 << "Scene" << "1" << "Oops!";
}

void tst_action_table::actionTexts()
{
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(int, sub);
    QFETCH(QString, typeText);
    QFETCH(QString, numberText);
    QFETCH(QString, subText);
    QCOMPARE(aevents_tableview_widget::typeText(type), typeText);
    QCOMPARE(aevents_tableview_widget::numberText(type, number), numberText);
    QCOMPARE(aevents_tableview_widget::subActionText(type, sub, number), subText);
}

void tst_action_table::daytimeTexts_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0xFF << 0x30 << "Not set";
    QTest::newRow("daytime") << 0xFE << 0xFF << "Daytime only";
    QTest::newRow("night") << 0xFE << 0x00 << "Night-time only";
    QTest::newRow("to end of day") << 0x30 << 0x90 << "8:00 - 24:00";
    QTest::newRow("clamped from") << 0x97 << 0x10 << "24:00 - 2:40";
    QTest::newRow("from sunrise") << 0xFD << 0x8A << "sunrise - 23:00";
    QTest::newRow("to sunset") << 0x30 << 0xFC << "8:00 - sunset";
    QTest::newRow("to sunrise") << 0 << 0xFD << "0:00 - sunrise";
    QTest::newRow("clamped to") << 39 << 200 << "6:30 - 24:00";
}

void tst_action_table::daytimeTexts()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, text);
    QCOMPARE(aevents_tableview_widget::daytimeText(from, to), text);
}

void tst_action_table::stateTexts_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<uint>("word0");
    QTest::addColumn<uint>("word3");
    QTest::addColumn<QString>("text");
    QTest::newRow("ignore all") << 0xFF << 0xFFFFFFFFu << 0xFFFFFFFFu << "";
    QTest::newRow("first four set") << 0xAA << 0xFFFFFFFFu << 0xFFFFFFFFu << "S1 S2 S3 S4 ";
    QTest::newRow("mixed") << 0xFE << 0xFFFFCFFFu << 0xBFFFFFFFu << "S1 s11 S68 ";
    QTest::newRow("code 01 ignores") << 0xFD << 0xFFFFFFFFu << 0xFFFFFFFFu << "";
}

void tst_action_table::stateTexts()
{
    QFETCH(int, first);
    QFETCH(uint, word0);
    QFETCH(uint, word3);
    QFETCH(QString, text);
    const uint32_t words[4] = {word0, 0xFFFFFFFF, 0xFFFFFFFF, word3};
    QCOMPARE(aevents_tableview_widget::stateLimitsText(uint8_t(first), words), text);
}

void tst_action_table::rowsFollowTheEvent()
{
    actionTableRig rig(0);
    rig.add(INPUT3_ON, ACTION_SCENE, 4, SUB_ON);
    const int second = rig.add(INPUT3_ON, ACTION_DELAY, 7, SUB_OFF);
    rig.events().setDaytimeLimit(INPUT3_ON, second, 0xFD, 0x8A);
    const uint32_t words[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xBFFFFFFF};
    rig.events().setStateLimits(INPUT3_ON, second, 0xFE, words);
    rig.ownDelay(7, 2);
    rig.show(INPUT3_ON);

    QCOMPARE(rig.table.rowCount(), 2);
    QCOMPARE(rowTexts(rig.table, 0), (QStringList{"Scene", "5", "On", "Not set", ""}));
    QCOMPARE(rowTexts(rig.table, 1), (QStringList{"Delay", "8", "Off", "sunrise - 23:00", "S1 S68 "}));
    // Every action on a delay of a sequence is marked, not only its starts.
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(rig.table.item(0, c)->background(), pageStyle::emptyBrush());
        QCOMPARE(rig.table.item(1, c)->background().color(), pageStyle::lockedColour());
    }

    rig.events().removeAction(INPUT3_ON, 0);
    rig.table.refresh();
    QCOMPARE(rig.table.rowCount(), 1);
    QCOMPARE(rig.table.item(0, 0)->text(), QStringLiteral("Delay"));
}

void tst_action_table::eventsWithoutRows()
{
    actionTableRig rig(0);
    rig.add(INPUT3_ON, ACTION_SCENE, 4, SUB_ON);
    rig.show(INPUT3_ON);
    QCOMPARE(rig.table.rowCount(), 1);
    rig.show(5000);
    QCOMPARE(rig.table.rowCount(), 0);
    QCOMPARE(rig.table.shownEvent, 5000);
    // The delegate keeps the last event it may edit.
    QCOMPARE(rig.delegate().editedEvent, INPUT3_ON);
    rig.show(EVENT_INPUT);
    QCOMPARE(rig.table.rowCount(), 0);
}

void tst_action_table::clockPageShowsNoDaytime()
{
    actionTableRig rig(2);
    const int i = rig.add(EVENT_SUNRISE, ACTION_SCENE, 0, SUB_ON);
    rig.events().setDaytimeLimit(EVENT_SUNRISE, i, 0x30, 0x90);
    rig.show(EVENT_SUNRISE);
    QCOMPARE(rig.table.item(0, 3)->text(), QStringLiteral("Not set"));
    QCOMPARE(rig.table.item(0, 3)->background(), QApplication::palette().brush(QPalette::Disabled, QPalette::Base));
    // The daytime column, which shows nothing here, is narrowed below the action column.
    QVERIFY(rig.table.columnWidth(3) < rig.table.columnWidth(2));
}

void tst_action_table::sequencePageHidesItsChainLinks()
{
    actionTableRig rig(SEQUENCE_PAGE);
    // Sequence 3 runs delays 10 then 11; delay 20 belongs to sequence 4.
    rig.ownDelay(10, 3);
    rig.ownDelay(11, 3);
    rig.ownDelay(20, 4);
    rig.controller().sequenceDelays[3] = {10, 11};
    const int endOf10 = EVENT_DELAY_END + 10;
    rig.add(endOf10, ACTION_DELAY, 11, SUB_ON);  // the link to the next step
    rig.add(endOf10, ACTION_SCENE, 1, SUB_ON);
    rig.add(endOf10, ACTION_DELAY, 20, SUB_ON);  // starts another sequence's delay
    rig.show(endOf10);

    QCOMPARE(rig.table.rowCount(), 2);
    QCOMPARE(rig.table.item(0, 0)->text(), QStringLiteral("Scene"));
    QCOMPARE(rig.table.item(1, 1)->text(), QStringLiteral("21"));
    QCOMPARE(rig.table.item(1, 0)->background().color(), pageStyle::lockedColour());
    QCOMPARE(shownActions(SEQUENCE_PAGE, endOf10), (QList<int>{1, 2}));
    // The same event on an event page shows its link.
    QCOMPARE(shownActions(4, endOf10), (QList<int>{0, 1, 2}));
    // The start event of the sequence hides the start of its first delay.
    rig.add(EVENT_SEQUENCE_START + 3, ACTION_DELAY, 10, SUB_ON);
    rig.show(EVENT_SEQUENCE_START + 3);
    QCOMPARE(rig.table.rowCount(), 0);
}

void tst_action_table::currentRowReportsTypeAndNumber()
{
    actionTableRig rig(0);
    rig.add(INPUT3_ON, ACTION_SCENE, 4, SUB_ON);
    rig.add(INPUT3_ON, ACTION_SCENE, ACTION_NUMBER_ALL, SUB_OFF);
    rig.add(INPUT3_ON, ACTION_MSG_FOR_PANEL, 0x0307, SUB_OFF);
    rig.add(INPUT3_ON, ACTION_ACTIVE_SCENES, 0, SUB_ON);
    rig.add(INPUT3_ON, 13, 0, SUB_ON);
    rig.show(INPUT3_ON);
    QSignalSpy reports(&rig.table, &aevents_tableview_widget::actionChgd);

    QCOMPARE(rig.table.actionTypeOfRow(), -1);
    const QList<QList<int>> expected = {{0, 4}, {0, -1}, {9, -1}, {-1, -1}, {-1, -1}};
    for (int r = 0; r < expected.size(); ++r) {
        rig.table.setCurrentCell(r, 0);
        QCOMPARE(reports.last(), (QVariantList{expected[r][0], expected[r][1]}));
    }
    // The type is kept with the row, not read back from a caption.
    rig.table.setCurrentCell(0, 0);
    rig.table.item(0, 0)->setText(QStringLiteral("Self programming "));
    QCOMPARE(rig.table.actionTypeOfRow(), int(ACTION_SCENE));

    emit rig.delegate().actionNoChgd(0);
    QCOMPARE(reports.last(), (QVariantList{0, -1}));
    emit rig.delegate().actionNoChgd(12);
    QCOMPARE(reports.last(), (QVariantList{0, 11}));
}

void tst_action_table::typeChangeRewritesTheNumberCell()
{
    actionTableRig rig(0);
    rig.add(INPUT3_ON, ACTION_SCENE, 4, SUB_ON);
    rig.show(INPUT3_ON);
    rig.table.setCurrentCell(0, 2);
    QSignalSpy reports(&rig.table, &aevents_tableview_widget::actionChgd);

    rig.table.slotTypeChgd(ACTION_PROGRAM);
    QCOMPARE(rig.table.item(0, 1)->text(), QStringLiteral("5"));
    QCOMPARE(reports.takeLast(), (QVariantList{1, 4}));
    rig.table.slotTypeChgd(ACTION_MSG_FOR_PANEL);
    QCOMPARE(rig.table.item(0, 1)->text(), QStringLiteral("Panel 0"));
    QCOMPARE(reports.takeLast(), (QVariantList{9, -1}));
    // Types whose number names no object with a description stay silent.
    for (int type : {ACTION_ENABLING, ACTION_SET_STATUS, ACTION_SAVE_SHOW, ACTION_SELF_PROGRAMMING})
        rig.table.slotTypeChgd(type);
    QCOMPARE(reports.size(), 0);
    QCOMPARE(rig.table.item(0, 1)->text(), QStringLiteral("- -"));
}

void tst_action_table::deleteAndInsertKeysAreForwarded()
{
    actionTableRig rig(0);
    rig.add(INPUT3_ON, ACTION_SCENE, 0, SUB_ON);
    rig.add(INPUT3_ON, ACTION_SCENE, 1, SUB_ON);
    rig.show(INPUT3_ON);
    rig.tab.show();
    rig.table.setCurrentCell(0, 0);
    QSignalSpy deletes(&rig.table, &aevents_tableview_widget::deletePressed);
    QSignalSpy inserts(&rig.table, &aevents_tableview_widget::insertPressed);

    QTest::keyClick(&rig.table, Qt::Key_Delete);
    QTest::keyClick(&rig.table, Qt::Key_Insert);
    QCOMPARE(deletes.size(), 1);
    QCOMPARE(inserts.size(), 1);
    // Other keys still move through the rows.
    QTest::keyClick(&rig.table, Qt::Key_Down);
    QCOMPARE(rig.table.currentRow(), 1);
    QCOMPARE(rig.events().actionCount(INPUT3_ON), 2);
}

void tst_action_table::storedEditsReloadTableAndDelayPage()
{
    actionTableRig rig(0);
    rig.add(INPUT3_ON, ACTION_SCENE, 4, SUB_ON);
    rig.show(INPUT3_ON);
    const int before = rig.table.refreshCount;
    rig.setNumber(0, 9);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 8);
    QCOMPARE(rig.table.refreshCount, before + 1);
    QCOMPARE(rig.window().delayEventsRefreshes, 1);
    QCOMPARE(rig.table.item(0, 1)->text(), QStringLiteral("9"));
}

void tst_action_table::stopEditingKeepsAnEditorUnderTheMouse()
{
    actionTableRig rig(0);
    rig.add(INPUT3_ON, ACTION_SCENE, 4, SUB_ON);
    rig.show(INPUT3_ON);
    rig.tab.resize(600, 300);
    rig.table.resize(535, 250);
    rig.tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.tab));
    rig.table.setCurrentCell(0, 1);
    rig.table.edit(rig.index(0, 1));
    auto* spin = rig.table.viewport()->findChild<QSpinBox*>();
    QVERIFY(spin);
    spin->setValue(20);

    QCursor::setPos(spin->mapToGlobal(QPoint(spin->width() / 2, spin->height() / 2)));
    if (QCursor::pos() != spin->mapToGlobal(QPoint(spin->width() / 2, spin->height() / 2)))
        QSKIP("the platform does not move the cursor");
    rig.table.stopEditing(spin);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 4);
    QCOMPARE(rig.table.indexWidget(rig.index(0, 1)), spin);

    QCursor::setPos(spin->mapToGlobal(QPoint(spin->width() + 5, 0)));
    rig.table.stopEditing(spin);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 19);
    QVERIFY(!rig.table.indexWidget(rig.index(0, 1)));
}

QTEST_MAIN(tst_action_table)
#include "tst_action_table.moc"
