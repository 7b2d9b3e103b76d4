#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_tableview_delegate.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/events/action_rows.h"
#include "editors/events/daytime_limit_editor.h"
#include "model/event_bookkeeping.h"
#include "support/page_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int INPUTS_PAGE = 0;
constexpr int DMX_IN_PAGE = 1;
constexpr int INPUT3_ON = EVENT_INPUT + 4;
constexpr int INPUT3_OFF = INPUT3_ON + 1;
constexpr int INPUT4_ON = EVENT_INPUT + 6;
constexpr int INPUT4_OFF = INPUT4_ON + 1;
constexpr int INPUT5_ON = EVENT_INPUT + 8;
constexpr int NONE = -1;

// An action as "type:number:sub", the way the assertions read.
QString actionText(const eventAction& a)
{
    return QStringLiteral("%1:%2:%3").arg(a.type()).arg(a.number).arg(a.subAction());
}

// The action panel of one page kind on the page fixture.
struct panelRig : pageFixture {
    explicit panelRig(int pageKind)
        : panel(pageKind, &tab)
    {
    }

    eventTable& events() { return controller().events; }
    aevents_tableview_widget& table() { return *panel.actionTable; }

    int add(int id, int type, int number, int sub)
    {
        const int i = events().appendAction(id);
        events().setActionType(id, i, type);
        events().setNumber(id, i, number);
        events().setSubAction(id, i, sub);
        return i;
    }
    // Delay d owned by sequence q (q 0xFFF frees it).
    void ownDelay(int d, int q) { img::putU32(controller().configImage, img::delaysOf(d), delayWord::make(1, uint32_t(q))); }

    void show(int id) { panel.setEvent(id); }
    QStringList actions(int id)
    {
        QStringList out;
        for (int i = 0; i < qMax(0, events().actionCount(id)); ++i)
            out << actionText(*events().action(id, i));
        return out;
    }
    void select(const QList<int>& rows)
    {
        table().clearSelection();
        for (int r : rows)
            table().selectionModel()->select(table().model()->index(r, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void setCurrentRow(int row)
    {
        table().selectionModel()->setCurrentIndex(row < 0 ? QModelIndex() : table().model()->index(row, 0),
                                                  QItemSelectionModel::NoUpdate);
    }

    aevents_conf_widget panel;
};

QString act(int type, int number, int sub)
{
    return QStringLiteral("%1:%2:%3").arg(type).arg(number).arg(sub);
}

}  // namespace

// The action panel: adding, inserting, deleting, copying and pasting actions
// with the lists that follow them (started delays, the enabling source).
class tst_action_panel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addContinuesThePreviousAction_data();
    void addContinuesThePreviousAction();
    void addOnTheSequencePageSkipsChainLinks();
    void insertButtonAndInsertKey();
    void deleteSkipsLockedActionsAndKeepsTheLists();
    void deleteReleasesTheEnablingSource_data();
    void deleteReleasesTheEnablingSource();
    void pastePosition_data();
    void pastePosition();
    void pasteOutlivesTheCopiedActions();
    void pasteIntoAnotherConfiguration();
    void pasteSkipsDelaysOfSequences();
    void pasteKeepsOneEnablingSource_data();
    void pasteKeepsOneEnablingSource();
    void pasteButtonFollowsTheClipboard();
    void noEventNoOperation();
    void openEditStoresBeforeRowsMove_data();
    void openEditStoresBeforeRowsMove();
};

void tst_action_panel::addContinuesThePreviousAction_data()
{
    QTest::addColumn<int>("type");    // previous action; -1 for an empty event
    QTest::addColumn<int>("number");
    // A delay owned by a sequence; for an Enabling action the source holding
    // the role (input 3's own when -1).
    QTest::addColumn<int>("other");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty event") << NONE << 0 << NONE << act(ACTION_SCENE, 0, SUB_OFF) << QString();
    QTest::newRow("program 5") << int(ACTION_PROGRAM) << 4 << NONE << act(ACTION_PROGRAM, 5, SUB_OFF) << QString();
    QTest::newRow("panel 2 message 7") << int(ACTION_MSG_FOR_PANEL) << 0x207 << NONE << act(ACTION_MSG_FOR_PANEL, 0x208, SUB_OFF) << QString();
    QTest::newRow("panel 2 message 255 stays in its panel")
        << int(ACTION_MSG_FOR_PANEL) << 0x2FF << NONE << act(ACTION_MSG_FOR_PANEL, 0x2FF, SUB_OFF) << QString();
    QTest::newRow("all scenes stay all") << int(ACTION_SCENE) << 0x8000 << NONE << act(ACTION_SCENE, 0x8000, SUB_OFF) << QString();
    QTest::newRow("scene 10240 is repeated") << int(ACTION_SCENE) << 10239 << NONE << act(ACTION_SCENE, 10239, SUB_OFF) << QString();
    QTest::newRow("program 512 is repeated") << int(ACTION_PROGRAM) << 511 << NONE << act(ACTION_PROGRAM, 511, SUB_OFF) << QString();
    QTest::newRow("mask 256 is repeated") << int(ACTION_MASK) << 255 << NONE << act(ACTION_MASK, 255, SUB_OFF) << QString();
    QTest::newRow("sequence 128 is repeated") << int(ACTION_SEQUENCE) << 127 << NONE << act(ACTION_SEQUENCE, 127, SUB_OFF) << QString();
    QTest::newRow("S68 is repeated") << int(ACTION_SET_STATUS) << 67 << NONE << act(ACTION_SET_STATUS, 67, SUB_OFF) << QString();
    QTest::newRow("all states stay all") << int(ACTION_SET_STATUS) << 68 << NONE << act(ACTION_SET_STATUS, 68, SUB_OFF) << QString();
    QTest::newRow("mask 3") << int(ACTION_MASK) << 2 << NONE << act(ACTION_MASK, 3, SUB_OFF) << QString();
    QTest::newRow("delay 10 before a locked delay") << int(ACTION_DELAY) << 9 << 10 << act(ACTION_SCENE, 0, SUB_OFF) << QStringLiteral("This delay is locked!");
    QTest::newRow("delay 10 before a free delay") << int(ACTION_DELAY) << 9 << 11 << act(ACTION_DELAY, 10, SUB_OFF) << QString();
    QTest::newRow("delay 512 is repeated, locked or not") << int(ACTION_DELAY) << 511 << 511 << act(ACTION_DELAY, 511, SUB_OFF) << QString();
    QTest::newRow("enabling keeps its number") << int(ACTION_ENABLING) << 0 << NONE << act(ACTION_ENABLING, 0, SUB_OFF) << QString();
    QTest::newRow("enabling while input 6 holds the role")
        << int(ACTION_ENABLING) << 0 << 5 << act(ACTION_SCENE, 0, SUB_OFF) << QStringLiteral("Enabling input already defined: 6");
}

void tst_action_panel::addContinuesThePreviousAction()
{
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(int, other);
    QFETCH(QString, added);
    QFETCH(QString, message);

    panelRig rig(INPUTS_PAGE);
    const bool enabling = type == ACTION_ENABLING;
    if (other >= 0 && !enabling)
        rig.ownDelay(other, 3);
    if (type >= 0)
        rig.add(INPUT3_ON, type, number, SUB_ON);
    rig.events().enablingSource = !enabling ? -1 : other >= 0 ? other : 2;
    rig.show(INPUT3_ON);

    rig.panel.addActionButton->click();
    const QStringList actions = rig.actions(INPUT3_ON);
    QCOMPARE(actions.size(), type >= 0 ? 2 : 1);
    QCOMPARE(actions.last(), added);
    QCOMPARE(rig.table().rowCount(), actions.size());
    QCOMPARE(rig.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(rig.controller().startedDelays.isEmpty());
}

void tst_action_panel::addOnTheSequencePageSkipsChainLinks()
{
    panelRig rig(SEQUENCE_PAGE);
    const int start = EVENT_SEQUENCE_START + 2;
    rig.ownDelay(40, 2);
    rig.add(start, ACTION_DELAY, 40, SUB_ON);  // the chain link to the sequence's first delay
    rig.show(start);
    QCOMPARE(rig.table().rowCount(), 0);

    rig.panel.addActionButton->click();
    QCOMPARE(rig.actions(start), (QStringList{act(ACTION_DELAY, 40, SUB_ON), act(ACTION_SCENE, 0, SUB_OFF)}));
    QCOMPARE(rig.table().rowCount(), 1);

    // A shown action is continued as on every page.
    rig.events().setNumber(start, 1, 6);
    rig.panel.addActionButton->click();
    QCOMPARE(rig.actions(start).last(), act(ACTION_SCENE, 7, SUB_OFF));
    QVERIFY(rig.dialogs.entries.isEmpty());
}

void tst_action_panel::insertButtonAndInsertKey()
{
    panelRig rig(INPUTS_PAGE);
    for (int n = 0; n < 3; ++n)
        rig.add(INPUT3_ON, ACTION_PROGRAM, n, SUB_ON);
    rig.show(INPUT3_ON);

    // Nothing selected: the button inserts nothing.
    rig.panel.insertActionButton->click();
    QCOMPARE(rig.actions(INPUT3_ON).size(), 3);

    // In front of the first selected row.
    rig.select({2, 1});
    rig.panel.insertActionButton->click();
    QCOMPARE(rig.actions(INPUT3_ON), (QStringList{act(1, 0, 0), act(0, 0, 4), act(1, 1, 0), act(1, 2, 0)}));

    // The Insert key of the table adds at the end, as "Add" does.
    rig.table().setFocus();
    QTest::keyClick(&rig.table(), Qt::Key_Insert);
    QCOMPARE(rig.actions(INPUT3_ON).size(), 5);
    QCOMPARE(rig.actions(INPUT3_ON).last(), act(ACTION_PROGRAM, 3, SUB_OFF));
    QCOMPARE(rig.table().rowCount(), 5);
}

void tst_action_panel::deleteSkipsLockedActionsAndKeepsTheLists()
{
    panelRig rig(INPUTS_PAGE);
    rig.ownDelay(3, 1);
    rig.add(INPUT3_ON, ACTION_SCENE, 0, SUB_ON);
    rig.add(INPUT3_ON, ACTION_DELAY, 3, SUB_ON);  // locked: delay 3 belongs to sequence 1
    rig.add(INPUT3_ON, ACTION_DELAY, 5, SUB_ON);
    rig.add(INPUT3_ON, ACTION_PROGRAM, 2, SUB_ON);
    rig.add(INPUT3_ON, ACTION_DELAY, 5, SUB_ON);
    rig.controller().startedDelays = {3, 5, 5};
    rig.show(INPUT3_ON);
    QSignalSpy reload(&rig.panel, &aevents_conf_widget::forceRefresh);

    rig.select({0, 1, 2, 3});
    rig.panel.delActionButton->click();
    QCOMPARE(rig.actions(INPUT3_ON), (QStringList{act(ACTION_DELAY, 3, SUB_ON), act(ACTION_DELAY, 5, SUB_ON)}));
    QCOMPARE(rig.controller().startedDelays, (QList<uint16_t>{3, 5}));
    QCOMPARE(reload.count(), 1);
    QCOMPARE(rig.table().rowCount(), 2);
    QVERIFY(rig.table().selectionModel()->selectedIndexes().isEmpty());
    QVERIFY(rig.dialogs.entries.isEmpty());

    // The Delete key does the same; a locked action alone changes nothing.
    rig.select({0});
    QTest::keyClick(&rig.table(), Qt::Key_Delete);
    QCOMPARE(rig.actions(INPUT3_ON).size(), 2);
    QCOMPARE(reload.count(), 1);
    rig.select({1});
    QTest::keyClick(&rig.table(), Qt::Key_Delete);
    QCOMPARE(rig.actions(INPUT3_ON), QStringList{act(ACTION_DELAY, 3, SUB_ON)});
    QCOMPARE(rig.controller().startedDelays, QList<uint16_t>{3});
    QCOMPARE(reload.count(), 2);
}

void tst_action_panel::deleteReleasesTheEnablingSource_data()
{
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("otherEvent");  // another event of the source holding an Enabling action, -1 none
    QTest::addColumn<int>("expected");

    QTest::newRow("input 4 on, the only one") << INPUT4_ON << 3 << NONE << -1;
    QTest::newRow("input 4 on, off keeps one") << INPUT4_ON << 3 << INPUT4_OFF << 3;
    QTest::newRow("button 3 pressed, the only one") << EVENT_RC_BUTTON + 6 << 26 << NONE << -1;
    QTest::newRow("button 3 pressed, released keeps one") << EVENT_RC_BUTTON + 6 << 26 << EVENT_RC_BUTTON + 8 << 26;
    QTest::newRow("another source's role stays") << INPUT4_ON << 7 << NONE << 7;
}

void tst_action_panel::deleteReleasesTheEnablingSource()
{
    QFETCH(int, event);
    QFETCH(int, source);
    QFETCH(int, otherEvent);
    QFETCH(int, expected);

    panelRig rig(INPUTS_PAGE);
    rig.add(event, ACTION_ENABLING, 0, SUB_TOGGLE);
    if (otherEvent >= 0)
        rig.add(otherEvent, ACTION_ENABLING, 0, SUB_ON);
    rig.events().enablingSource = source;
    rig.show(event);
    rig.select({0});
    rig.panel.delActionButton->click();
    QCOMPARE(rig.events().actionCount(event), 0);
    QCOMPARE(rig.events().enablingSource, expected);
}

void tst_action_panel::pastePosition_data()
{
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<bool>("before");
    QTest::addColumn<QStringList>("expected");

    const QString p0 = act(1, 0, 0), p1 = act(1, 1, 0), p2 = act(1, 2, 0);
    const QString s2 = act(0, 2, 0), s5 = act(0, 5, 0);
    QTest::newRow("after row 0") << 0 << false << QStringList{p0, s2, s5, p1, p2};
    QTest::newRow("before row 0") << 0 << true << QStringList{s2, s5, p0, p1, p2};
    QTest::newRow("after the last row") << 2 << false << QStringList{p0, p1, p2, s2, s5};
    QTest::newRow("no current row") << -1 << false << QStringList{s2, s5, p0, p1, p2};
}

void tst_action_panel::pastePosition()
{
    QFETCH(int, currentRow);
    QFETCH(bool, before);
    QFETCH(QStringList, expected);

    panelRig rig(INPUTS_PAGE);
    for (int n = 0; n < 6; ++n)
        rig.add(INPUT3_ON, ACTION_SCENE, n, SUB_ON);
    for (int n = 0; n < 3; ++n)
        rig.add(INPUT5_ON, ACTION_PROGRAM, n, SUB_ON);
    rig.show(INPUT3_ON);
    rig.select({2, 5});
    rig.panel.copyActionsButton->click();
    QCOMPARE(rig.events().actionClipboard.size(), 2);

    rig.show(INPUT5_ON);
    rig.setCurrentRow(currentRow);
    rig.panel.beforeBox->setChecked(before);
    rig.panel.pasteActionsButton->click();
    QCOMPARE(rig.actions(INPUT5_ON), expected);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(rig.events().action(INPUT5_ON, i)->eventId, uint16_t(INPUT5_ON));
    QCOMPARE(rig.actions(INPUT3_ON).size(), 6);
    QCOMPARE(rig.table().rowCount(), 5);
}

void tst_action_panel::pasteOutlivesTheCopiedActions()
{
    panelRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_MASK, 4, SUB_ON);
    rig.add(INPUT3_ON, ACTION_SCENE, 1, SUB_ON);
    rig.show(INPUT3_ON);
    rig.select({0});
    rig.panel.copyActionsButton->click();

    // The copied action is changed, then deleted: the clipboard keeps its copy.
    rig.events().setNumber(INPUT3_ON, 0, 9);
    rig.select({0});
    rig.panel.delActionButton->click();
    rig.setCurrentRow(0);
    rig.panel.pasteActionsButton->click();
    QCOMPARE(rig.actions(INPUT3_ON), (QStringList{act(ACTION_SCENE, 1, SUB_ON), act(ACTION_MASK, 4, SUB_ON)}));
    // Pasting again pastes again.
    rig.panel.pasteActionsButton->click();
    QCOMPARE(rig.actions(INPUT3_ON).size(), 3);
}

void tst_action_panel::pasteIntoAnotherConfiguration()
{
    panelRig rig(DMX_IN_PAGE);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("other.31xcfg"));

    // Another configuration: event 7 holds one Mask action.
    rig.add(7, ACTION_MASK, 11, SUB_OFF);
    rig.controller().write_confDataToFile(file, false);
    rig.controller().events.removeAction(7, 0);

    rig.add(3, ACTION_PROGRAM, 8, SUB_ON);
    rig.add(3, ACTION_SEQUENCE, 2, SUB_ON);
    rig.show(3);
    rig.select({0, 1});
    rig.panel.copyActionsButton->click();

    rig.controller().read_confDataFromFile(file);
    QCOMPARE(rig.events().actionCount(3), -1);
    rig.show(7);
    rig.setCurrentRow(0);
    rig.panel.pasteActionsButton->click();
    QCOMPARE(rig.actions(7), (QStringList{act(ACTION_MASK, 11, SUB_OFF), act(ACTION_PROGRAM, 8, SUB_ON),
                                          act(ACTION_SEQUENCE, 2, SUB_ON)}));
}

void tst_action_panel::pasteSkipsDelaysOfSequences()
{
    panelRig rig(INPUTS_PAGE);
    rig.ownDelay(20, 4);
    rig.add(INPUT3_ON, ACTION_DELAY, 20, SUB_ON);   // locked
    rig.add(INPUT3_ON, ACTION_SCENE, 3, SUB_ON);
    rig.add(INPUT3_ON, ACTION_DELAY, 20, SUB_OFF);  // stops a delay of a sequence
    rig.add(INPUT3_ON, ACTION_DELAY, 21, SUB_ON);
    rig.controller().startedDelays = {20, 21};
    rig.show(INPUT3_ON);
    rig.select({0, 1, 2, 3});
    rig.panel.copyActionsButton->click();
    QCOMPARE(rig.events().actionClipboard.size(), 4);

    QSignalSpy reload(&rig.panel, &aevents_conf_widget::forceRefresh);
    rig.show(INPUT5_ON);
    rig.panel.pasteActionsButton->click();
    QCOMPARE(rig.actions(INPUT5_ON), (QStringList{act(ACTION_SCENE, 3, SUB_ON), act(ACTION_DELAY, 21, SUB_ON)}));
    QCOMPARE(rig.dialogs.texts(), (QStringList{"This delay is locked!", "This delay is locked!"}));
    QCOMPARE(rig.dialogs.entries.first().parent, &rig.panel);
    QCOMPARE(rig.controller().startedDelays, (QList<uint16_t>{20, 21, 21}));
    QCOMPARE(reload.count(), 1);
}

void tst_action_panel::pasteKeepsOneEnablingSource_data()
{
    QTest::addColumn<int>("source");  // enablingSource before the paste
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<int>("sourceAfter");
    QTest::addColumn<QStringList>("messages");

    const QStringList none;
    QTest::newRow("second input refused") << 2 << INPUT5_ON << false << 2 << QStringList{"Enabling input already defined: 3"};
    QTest::newRow("button holds the role") << 25 << INPUT5_ON << false << 25 << QStringList{"Enabling input already defined: RC 2"};
    QTest::newRow("same input") << 2 << INPUT3_OFF << true << 2 << none;
    QTest::newRow("free role taken") << -1 << INPUT5_ON << true << 4 << none;
    QTest::newRow("button takes a free role") << -1 << EVENT_RC_BUTTON + 9 << true << 27 << none;
    QTest::newRow("dmx event skipped silently") << -1 << 12 << false << -1 << none;
}

void tst_action_panel::pasteKeepsOneEnablingSource()
{
    QFETCH(int, source);
    QFETCH(int, target);
    QFETCH(bool, pasted);
    QFETCH(int, sourceAfter);
    QFETCH(QStringList, messages);

    panelRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_ENABLING, 0, SUB_ON);
    rig.add(INPUT3_ON, ACTION_SCENE, 4, SUB_ON);
    rig.show(INPUT3_ON);
    rig.select({0, 1});
    rig.panel.copyActionsButton->click();
    rig.events().enablingSource = source;

    rig.show(target);
    rig.panel.pasteActionsButton->click();
    QStringList expected;
    if (pasted)
        expected << act(ACTION_ENABLING, 0, SUB_ON);
    expected << act(ACTION_SCENE, 4, SUB_ON);
    QCOMPARE(rig.actions(target), expected);
    QCOMPARE(rig.events().enablingSource, sourceAfter);
    QCOMPARE(rig.dialogs.texts(), messages);
    if (!messages.isEmpty())
        QCOMPARE(rig.dialogs.titles(), QStringList{" Illegal value!"});
}

void tst_action_panel::pasteButtonFollowsTheClipboard()
{
    panelRig rig(INPUTS_PAGE);
    aevents_conf_widget other(DMX_IN_PAGE, &rig.tab);
    rig.panel.refresh();
    other.refresh();
    QVERIFY(!rig.panel.pasteActionsButton->isEnabled());
    QVERIFY(!other.pasteActionsButton->isEnabled());

    // Nothing pasted from an empty clipboard.
    rig.show(INPUT3_ON);
    rig.panel.pasteActions();
    QCOMPARE(rig.events().actionCount(INPUT3_ON), -1);

    rig.add(INPUT3_ON, ACTION_SCENE, 0, SUB_ON);
    rig.show(INPUT3_ON);
    rig.select({0});
    rig.panel.copyActionsButton->click();
    QVERIFY(rig.panel.pasteActionsButton->isEnabled());
    QVERIFY(!other.pasteActionsButton->isEnabled());
    other.refresh();
    QVERIFY(other.pasteActionsButton->isEnabled());

    // A copy with nothing selected empties the clipboard.
    rig.table().clearSelection();
    rig.panel.copyActionsButton->click();
    QVERIFY(rig.events().actionClipboard.isEmpty());
    QVERIFY(!rig.panel.pasteActionsButton->isEnabled());
}

void tst_action_panel::noEventNoOperation()
{
    panelRig rig(SEQUENCE_PAGE);
    rig.add(INPUT3_ON, ACTION_SCENE, 0, SUB_ON);
    rig.show(INPUT3_ON);
    rig.select({0});
    rig.panel.copyActionsButton->click();

    rig.show(0xFFFF);
    const int refreshes = rig.table().refreshCount;
    rig.panel.pushButton_addClicked(false);
    rig.panel.pushButton_insClicked(false);
    rig.panel.pushButton_delClicked(false);
    rig.panel.pasteActions();
    rig.panel.copyActions();
    QCOMPARE(rig.table().refreshCount, refreshes);
    QCOMPARE(rig.events().actionClipboard.size(), 1);
    for (int id = 0; id < EVENT_COUNT; ++id)
        QVERIFY(rig.events().actionCount(id) <= 0 || id == INPUT3_ON);
}

void tst_action_panel::openEditStoresBeforeRowsMove_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("after");  // number and daytime start of each action

    QTest::newRow("Insert") << "Insert" << QStringList{"0 255", "0 255", "1 254", "2 255"};
    QTest::newRow("Del") << "Del" << QStringList{"0 255", "2 255"};
    QTest::newRow("Paste before") << "Paste" << QStringList{"0 255", "8 255", "1 254", "2 255"};
}

void tst_action_panel::openEditStoresBeforeRowsMove()
{
    QFETCH(QString, button);
    QFETCH(QStringList, after);

    // The daytime limit of the second of three actions is being edited: the
    // editor stays open when the user clicks a button of the panel.
    panelRig rig(INPUTS_PAGE);
    for (int n = 0; n < 3; ++n)
        rig.add(INPUT3_ON, ACTION_SCENE, n, SUB_OFF);
    auto pasted = std::make_shared<eventAction>();
    pasted->number = 8;
    rig.events().actionClipboard = {pasted};
    rig.show(INPUT3_ON);
    rig.panel.refresh();
    rig.panel.beforeBox->setChecked(true);
    rig.select({1});
    rig.setCurrentRow(1);
    aevents_tableview_delegate* delegate = rig.table().actionDelegate;
    const QModelIndex cell = rig.table().model()->index(1, 3);
    rig.table().edit(cell);
    const QPointer<QWidget> editor = rig.table().indexWidget(cell);
    auto* daytime = qobject_cast<DTL_widget*>(editor.data());
    QVERIFY(daytime);
    daytime->modeCombo->setCurrentIndex(DTL_widget::DAYTIME_ONLY);

    const QList<QPushButton*> buttons{rig.panel.insertActionButton, rig.panel.delActionButton,
                                      rig.panel.pasteActionsButton};
    for (QPushButton* b : buttons)
        if (b->text() == button)
            b->click();
    // Whatever is still open the user leaves later.
    if (editor) {
        emit delegate->commitData(editor);
        emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

    QStringList actions;
    for (int i = 0; i < rig.events().actionCount(INPUT3_ON); ++i)
        actions << QStringLiteral("%1 %2")
                       .arg(rig.events().number(INPUT3_ON, i))
                       .arg(rig.events().daytimeFrom(INPUT3_ON, i));
    QCOMPARE(actions, after);
}

QTEST_MAIN(tst_action_panel)
#include "tst_action_panel.moc"
