#include "action_table_rig.h"
#include "editors/events/action_rows.h"
#include "model/event_bookkeeping.h"

#include <QPointer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <algorithm>

// Under the sanitizers, freed memory is overwritten at once, so that an editor
// used after the view deleted it fails even where Qt's own code reads it.
extern "C" const char* __asan_default_options()
{
    return "max_free_fill_size=4096:free_fill_byte=255";
}

namespace {

constexpr int INPUTS_PAGE = 0;
constexpr int CLOCK_PAGE = 2;
constexpr int RC_PAGE = 5;
constexpr int INPUT3_ON = EVENT_INPUT + 4;
constexpr int INPUT3_OFF = INPUT3_ON + 1;
constexpr int INPUT5_ON = EVENT_INPUT + 8;
constexpr int INPUT24_ON = EVENT_INPUT + 46;
constexpr int INPUT24_OFF = INPUT24_ON + 1;
constexpr int REPAIR = 0;
constexpr int CANCEL = 1;

// Button b's pressed event.
constexpr int pressed(int b)
{
    return EVENT_RC_BUTTON + 3 * b;
}

QList<int> comboCodes(const QComboBox* combo)
{
    QList<int> out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemData(i).toInt();
    return out;
}

QList<int> sorted(QList<uint16_t> list)
{
    QList<int> out(list.begin(), list.end());
    std::sort(out.begin(), out.end());
    return out;
}

// Every delay that a Delay-Start action of the events table starts, once per action.
QList<int> delayStarts(const eventTable& events)
{
    QList<int> out;
    for (int id = 0; id < EVENT_COUNT; ++id)
        for (int k = 0; k < qMax(0, events.actionCount(id)); ++k)
            if (eventBookkeeping::isDelayStart(*events.action(id, k)))
                out << events.number(id, k);
    std::sort(out.begin(), out.end());
    return out;
}

// Answers every message as a user would while the view, having lost the
// focus to the box, closes the editor and deletes it.
class closingSeam final : public dialogSeam {
public:
    closingSeam(QWidget* editor, int answer)
        : editor(editor)
        , answer(answer)
    {
        installDialogSeam(this);
    }
    ~closingSeam() override { installDialogSeam(nullptr); }
    int message(const messageRequest& r) override
    {
        texts << r.text;
        delete editor.data();
        return r.buttonTexts.isEmpty() ? int(QMessageBox::Ok) : answer;
    }
    QString openFileName(fileRequest&) override { return {}; }
    QString saveFileName(fileRequest&) override { return {}; }
    QColor color(const QColor&, QWidget*, const QString&) override { return {}; }
    int exec(QDialog*) override { return 0; }

    QPointer<QWidget> editor;
    int answer;
    QStringList texts;
};

}  // namespace

// Editing the cells of the action table: which editors open, what they
// load, and what storing does to the events table and the lists kept with it.
class tst_action_delegate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellsWithoutEditor_data();
    void cellsWithoutEditor();
    void typeItemsByPage_data();
    void typeItemsByPage();
    void subActionItemsFollowTheNumber_data();
    void subActionItemsFollowTheNumber();
    void loadingNumbers_data();
    void loadingNumbers();
    void sceneSubActionOneOpensAsOn();
    void typeNotOfferedStoresNothing();
    void numbersOfTypesWithoutOne_data();
    void numbersOfTypesWithoutOne();
    void ruleCheckAfterTypeAndNumber_data();
    void ruleCheckAfterTypeAndNumber();
    void enablingTakesTheOneSource();
    void enablingOnASecondSource_data();
    void enablingOnASecondSource();
    void enablingReleasedWithItsLastAction();
    void delayOfASequenceAsksForRepair_data();
    void delayOfASequenceAsksForRepair();
    void noDelayLeftForRepair();
    void allDelaysWhileSequencesOwnSome();
    void startedDelaysFollowTheNumber();
    void allOnADelayStart();
    void allRefusedForAnUnlistedSequenceDelay();
    void selfProgrammingTakesInput24();
    void input24LockIsTestedFirst();
    void msgForPanelNumbers();
    void sequencePageEditsTheShownAction();
    void editorClosedWhileABoxIsOpen_data();
    void editorClosedWhileABoxIsOpen();
    void startedDelaysStayTheStartsAfterRandomEdits();
};

void tst_action_delegate::cellsWithoutEditor_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("sub");
    QTest::addColumn<QList<int>>("editable");
    QTest::newRow("active scenes") << INPUTS_PAGE << int(ACTION_ACTIVE_SCENES) << 0 << 0 << QList<int>{};
    QTest::newRow("locked delay start") << INPUTS_PAGE << int(ACTION_DELAY) << 12 << 0 << QList<int>{};
    QTest::newRow("delay off of a sequence") << INPUTS_PAGE << int(ACTION_DELAY) << 12 << 4 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("clock page daytime") << CLOCK_PAGE << int(ACTION_SCENE) << 0 << 0 << QList<int>{0, 1, 2, 4};
}

void tst_action_delegate::cellsWithoutEditor()
{
    QFETCH(int, page);
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(int, sub);
    QFETCH(QList<int>, editable);
    actionTableRig rig(page);
    rig.ownDelay(12, 1);
    const int id = page == CLOCK_PAGE ? EVENT_SUNRISE : INPUT3_ON;
    rig.add(id, type, number, sub);
    rig.show(id);
    for (int column = 0; column < 5; ++column) {
        std::unique_ptr<QWidget> editor = rig.open(0, column);
        QCOMPARE(editor != nullptr, editable.contains(column));
    }
}

void tst_action_delegate::typeItemsByPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("selfProgramming");
    QTest::addColumn<QList<int>>("codes");
    const QList<int> common = {0, 1, 6, 5, 7, 3};
    QTest::newRow("inputs") << INPUTS_PAGE << INPUT3_ON << false << common + QList<int>{2, 4, 8, 9};
    QTest::newRow("inputs self programming") << INPUTS_PAGE << INPUT3_ON << true << common + QList<int>{2, 4, 8, 9, 11};
    QTest::newRow("button pressed") << RC_PAGE << pressed(2) << true << common + QList<int>{2, 4, 8, 9};
    QTest::newRow("button released") << RC_PAGE << pressed(2) + 2 << false << common + QList<int>{8, 9};
    QTest::newRow("dmx input") << 1 << 7 << true << common + QList<int>{8, 9};
    QTest::newRow("sequences") << SEQUENCE_PAGE << int(EVENT_SEQUENCE_START) << true << common + QList<int>{8, 9};
}

void tst_action_delegate::typeItemsByPage()
{
    QFETCH(int, page);
    QFETCH(int, id);
    QFETCH(bool, selfProgramming);
    QFETCH(QList<int>, codes);
    actionTableRig rig(page);
    rig.allowSelfProgramming(selfProgramming);
    rig.add(id, ACTION_SCENE, 0, SUB_ON);
    rig.show(id);
    std::unique_ptr<QWidget> editor = rig.open(0, 0);
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    QVERIFY(combo);
    QCOMPARE(comboCodes(combo), codes);
    if (selfProgramming && codes.contains(11))
        QCOMPARE(combo->itemText(combo->findData(11)), QStringLiteral("Self programming "));
}

void tst_action_delegate::subActionItemsFollowTheNumber_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("scene") << INPUTS_PAGE << 0 << 3 << QList<int>{0, 2, 3, 5, 4, 8, 9, 10, 6};
    QTest::newRow("all scenes") << INPUTS_PAGE << 0 << 0x8000 << QList<int>{3, 5, 4, 8, 9, 10};
    QTest::newRow("program") << INPUTS_PAGE << 1 << 511 << QList<int>{0, 1, 11, 3, 5, 4, 6, 7};
    QTest::newRow("program past the last") << INPUTS_PAGE << 1 << 512 << QList<int>{1, 11, 3, 5, 4, 7};
    QTest::newRow("mask of a scene number") << INPUTS_PAGE << 7 << 300 << QList<int>{0, 2, 3, 5, 4, 8, 9, 10};
    QTest::newRow("mask") << INPUTS_PAGE << 7 << 255 << QList<int>{0, 2, 3, 5, 4, 8, 9, 10, 6};
    QTest::newRow("sequence") << INPUTS_PAGE << 6 << 128 << QList<int>{4};
    QTest::newRow("enabling on inputs") << INPUTS_PAGE << 2 << 0 << QList<int>{0, 4};
    QTest::newRow("enabling on remote control") << RC_PAGE << 2 << 0 << QList<int>{2};
    QTest::newRow("enabling elsewhere") << 3 << 2 << 0 << QList<int>{};
    QTest::newRow("set status") << INPUTS_PAGE << 3 << 0x8000 << QList<int>{0, 4, 2};
}

void tst_action_delegate::subActionItemsFollowTheNumber()
{
    QFETCH(int, page);
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(QList<int>, codes);
    actionTableRig rig(page);
    const int id = page == RC_PAGE ? pressed(0) : page == 3 ? EVENT_POWER_ON : INPUT3_ON;
    rig.add(id, type, number, SUB_OFF);
    rig.show(id);
    std::unique_ptr<QWidget> editor = rig.open(0, 2);
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    QVERIFY(combo);
    QCOMPARE(comboCodes(combo), codes);
}

void tst_action_delegate::loadingNumbers_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("shows");
    QTest::newRow("scene") << 0 << 41 << "42";
    QTest::newRow("all scenes") << 0 << 0x8000 << "All";
    QTest::newRow("past all") << 0 << 0x8001 << "All";
    QTest::newRow("state") << 3 << 67 << "S68";
    QTest::newRow("all states") << 3 << 90 << "All";
    QTest::newRow("panel") << 9 << 0x0307 << "Panel 3";
    QTest::newRow("all panels") << 9 << 0x0F07 << "All";
    QTest::newRow("save show") << 4 << 0 << "- -";
}

void tst_action_delegate::loadingNumbers()
{
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(QString, shows);
    actionTableRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, type, number, SUB_OFF);
    rig.show(INPUT3_ON);
    QSignalSpy shown(&rig.delegate(), &aevents_tableview_delegate::actionNoChgd);
    std::unique_ptr<QWidget> editor = rig.open(0, 1);
    if (auto* combo = qobject_cast<QComboBox*>(editor.get()))
        QCOMPARE(combo->currentText(), shows);
    else if (auto* spin = qobject_cast<QSpinBox*>(editor.get()))
        QCOMPARE(spin->text(), shows);
    else
        QFAIL("no number editor");
    // Loading reports nothing; changing does.
    QCOMPARE(shown.size(), 0);
}

void tst_action_delegate::sceneSubActionOneOpensAsOn()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_SCENE, 3, SUB_NEXT_STEP);
    rig.show(INPUT3_ON);
    rig.edit<QComboBox>(0, 2, [](QComboBox* combo) { QCOMPARE(combo->currentData().toInt(), int(SUB_ON)); });
    QCOMPARE(rig.events().subAction(INPUT3_ON, 0), int(SUB_ON));
    QCOMPARE(rig.table.item(0, 2)->text(), QStringLiteral("On"));
}

void tst_action_delegate::typeNotOfferedStoresNothing()
{
    // A Self programming action while the box that allows it is clear: its
    // type editor shows no item, and leaving it changes nothing.
    actionTableRig rig(INPUTS_PAGE);
    rig.allowSelfProgramming(false);
    rig.add(INPUT24_ON, ACTION_SELF_PROGRAMMING, 0, SUB_ON);
    rig.show(INPUT24_ON);
    QSignalSpy refreshes(&rig.delegate(), &aevents_tableview_delegate::forceRefresh);
    rig.edit<QComboBox>(0, 0, [](QComboBox* combo) { QCOMPARE(combo->currentIndex(), -1); });
    QCOMPARE(rig.events().actionType(INPUT24_ON, 0), int(ACTION_SELF_PROGRAMMING));
    QCOMPARE(rig.events().subAction(INPUT24_ON, 0), int(SUB_ON));
    QCOMPARE(refreshes.size(), 0);
    // The same for an action column that offers nothing on this page.
    actionTableRig other(3);
    other.add(EVENT_POWER_ON, ACTION_ENABLING, 0, SUB_TOGGLE);
    other.show(EVENT_POWER_ON);
    other.edit<QComboBox>(0, 2, [](QComboBox*) {});
    QCOMPARE(other.events().subAction(EVENT_POWER_ON, 0), int(SUB_TOGGLE));
}

void tst_action_delegate::numbersOfTypesWithoutOne_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("enabling") << int(ACTION_ENABLING);
    QTest::newRow("save show") << int(ACTION_SAVE_SHOW);
    QTest::newRow("dmx transmission") << int(ACTION_DMX_TRANSMISSION);
    QTest::newRow("self programming") << int(ACTION_SELF_PROGRAMMING);
}

void tst_action_delegate::numbersOfTypesWithoutOne()
{
    QFETCH(int, type);
    actionTableRig rig(INPUTS_PAGE);
    rig.controller().events.enablingSource = 2;
    rig.add(INPUT3_ON, type, 77, SUB_OFF);
    rig.show(INPUT3_ON);
    rig.edit<QSpinBox>(0, 1, [](QSpinBox* spin) {
        QCOMPARE(spin->text(), QStringLiteral("- -"));
        spin->setValue(5);
        QCOMPARE(spin->text(), QStringLiteral("- -"));
    });
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 0);
}

void tst_action_delegate::ruleCheckAfterTypeAndNumber_data()
{
    // An action (type, number, sub) on a page gets a new type or a new
    // number (shown value); the sub-action it keeps.
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("sub");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("keeps");
    QTest::newRow("all scenes frozen to sequence") << INPUTS_PAGE << 0 << 0x8000 << 3 << 0 << 6 << 4;
    QTest::newRow("all scenes frozen to program") << INPUTS_PAGE << 0 << 0x8000 << 3 << 0 << 1 << 3;
    QTest::newRow("scene on to program") << INPUTS_PAGE << 0 << 4 << 0 << 0 << 1 << 0;
    QTest::newRow("program on to all") << INPUTS_PAGE << 1 << 4 << 0 << 1 << 0 << 4;
    QTest::newRow("program restart to scene") << INPUTS_PAGE << 1 << 4 << 7 << 0 << 0 << 4;
    QTest::newRow("program restart to mask") << INPUTS_PAGE << 1 << 4 << 7 << 0 << 7 << 7;
    QTest::newRow("to dmx transmission") << INPUTS_PAGE << 0 << 4 << 0 << 0 << 8 << 4;
    QTest::newRow("to msg for panel") << INPUTS_PAGE << 0 << 4 << 0 << 0 << 9 << 4;
    QTest::newRow("msg panel changed") << INPUTS_PAGE << 9 << 0x0305 << 0 << 1 << 4 << 4;
    QTest::newRow("enable on inputs") << INPUTS_PAGE << 0 << 4 << 0 << 0 << 2 << 0;
    QTest::newRow("enable on remote control") << RC_PAGE << 0 << 4 << 0 << 0 << 2 << 4;
    QTest::newRow("toggle on remote control") << RC_PAGE << 0 << 4 << 2 << 0 << 2 << 2;
    QTest::newRow("pasted save show on sequences") << SEQUENCE_PAGE << 4 << 0 << 0 << 1 << 1 << 4;
    QTest::newRow("scene toggle on sequences") << SEQUENCE_PAGE << 1 << 4 << 2 << 0 << 0 << 2;
    QTest::newRow("nibble from a file") << INPUTS_PAGE << 0 << 4 << 13 << 0 << 1 << 4;
}

void tst_action_delegate::ruleCheckAfterTypeAndNumber()
{
    QFETCH(int, page);
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(int, sub);
    QFETCH(int, column);
    QFETCH(int, value);
    QFETCH(int, keeps);
    actionTableRig rig(page);
    const int id = page == RC_PAGE ? pressed(1) : page == SEQUENCE_PAGE ? EVENT_SEQUENCE_START + 9 : INPUT3_ON;
    rig.add(id, type, number, sub);
    rig.show(id);
    if (column == 0)
        rig.choose(0, 0, value);
    else
        rig.setNumber(0, value);
    QCOMPARE(rig.events().subAction(id, 0), keeps);
}

void tst_action_delegate::enablingTakesTheOneSource()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_SCENE, 0, SUB_ON);
    rig.add(INPUT5_ON, ACTION_SCENE, 0, SUB_ON);
    rig.show(INPUT3_ON);
    QSignalSpy typeChanges(&rig.delegate(), &aevents_tableview_delegate::actionTypeChgd);
    rig.choose(0, 0, ACTION_ENABLING);
    QCOMPARE(rig.events().enablingSource, 2);
    QCOMPARE(rig.events().actionType(INPUT3_ON, 0), int(ACTION_ENABLING));
    QCOMPARE(typeChanges.size(), 0);

    rig.show(INPUT5_ON);
    rig.choose(0, 0, ACTION_ENABLING);
    QCOMPARE(rig.dialogs.titles(), QStringList{" Illegal value!"});
    QCOMPARE(rig.dialogs.texts(), QStringList{"Enabling input already defined: 3"});
    QCOMPARE(rig.dialogs.entries.last().icon, QMessageBox::Warning);
    QCOMPARE(rig.dialogs.entries.last().parent, static_cast<QWidget*>(&rig.window()));
    QCOMPARE(rig.events().actionType(INPUT5_ON, 0), int(ACTION_SCENE));
    QCOMPARE(rig.events().enablingSource, 2);
    QCOMPARE(typeChanges.size(), 0);
}

void tst_action_delegate::enablingOnASecondSource_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("text");
    QTest::newRow("button 2 holds it") << INPUTS_PAGE << INPUT3_ON << 25 << "Enabling input already defined: RC 2";
    QTest::newRow("input 1 holds it") << RC_PAGE << pressed(4) << 0 << "Enabling input already defined: 1";
    QTest::newRow("button 1 holds it") << RC_PAGE << pressed(4) << 24 << "Enabling input already defined: RC 1";
}

void tst_action_delegate::enablingOnASecondSource()
{
    QFETCH(int, page);
    QFETCH(int, id);
    QFETCH(int, source);
    QFETCH(QString, text);
    actionTableRig rig(page);
    rig.events().enablingSource = source;
    rig.add(id, ACTION_PROGRAM, 5, SUB_ON);
    rig.show(id);
    rig.choose(0, 0, ACTION_ENABLING);
    QCOMPARE(rig.dialogs.texts(), QStringList{text});
    QCOMPARE(rig.events().actionType(id, 0), int(ACTION_SCENE));
    QCOMPARE(rig.events().number(id, 0), 5);
    QCOMPARE(rig.events().enablingSource, source);
}

void tst_action_delegate::enablingReleasedWithItsLastAction()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_ENABLING, 0, SUB_ON);
    rig.add(INPUT3_OFF, ACTION_ENABLING, 0, SUB_OFF);
    rig.events().enablingSource = 2;
    rig.show(INPUT3_ON);
    rig.choose(0, 0, ACTION_SCENE);
    QCOMPARE(rig.events().enablingSource, 2);  // input 3 Off still enables
    rig.show(INPUT3_OFF);
    rig.choose(0, 0, ACTION_MASK);
    QCOMPARE(rig.events().enablingSource, -1);
    // Only the holder of the role releases it.
    rig.events().enablingSource = 30;
    rig.add(INPUT3_OFF, ACTION_ENABLING, 0, SUB_OFF);
    rig.table.refresh();
    rig.choose(1, 0, ACTION_SCENE);
    QCOMPARE(rig.events().enablingSource, 30);
}

void tst_action_delegate::delayOfASequenceAsksForRepair_data()
{
    // How the action reaches delay 3 (of sequence 2): a new number, a new
    // type, or "Start" chosen.
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("sub");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << int(ACTION_DELAY) << 9 << int(SUB_ON) << 1 << 4;
    QTest::newRow("type") << int(ACTION_SCENE) << 3 << int(SUB_ON) << 0 << int(ACTION_DELAY);
    QTest::newRow("start") << int(ACTION_DELAY) << 3 << int(SUB_OFF) << 2 << int(SUB_ON);
    QTest::newRow("panel 3") << int(ACTION_MSG_FOR_PANEL) << 0x0305 << int(SUB_ON) << 0 << int(ACTION_DELAY);
}

void tst_action_delegate::delayOfASequenceAsksForRepair()
{
    QFETCH(int, type);
    QFETCH(int, number);
    QFETCH(int, sub);
    QFETCH(int, column);
    QFETCH(int, value);
    for (int answer : {CANCEL, REPAIR}) {
        actionTableRig rig(INPUTS_PAGE);
        rig.ownDelay(3, 2);
        rig.add(INPUT3_ON, type, number, sub);
        rig.controller().startedDelays = {0, 1};
        if (eventBookkeeping::isDelayStart(*rig.events().action(INPUT3_ON, 0)))
            rig.controller().startedDelays.append(uint16_t(number));
        rig.show(INPUT3_ON);
        const QList<int> startedBefore = sorted(rig.controller().startedDelays);

        rig.dialogs.answer(answer);
        if (column == 1)
            rig.setNumber(0, value);
        else
            rig.choose(0, column, value);
        QCOMPARE(rig.dialogs.titles(), QStringList{"Delay already in use!"});
        QCOMPARE(rig.dialogs.texts(), QStringList{"Delay #4 is blocked by sequence #3!"});
        QCOMPARE(rig.dialogs.entries[0].buttons, (QStringList{"Repair", "Cancel"}));
        if (answer == CANCEL) {
            QCOMPARE(rig.events().actionType(INPUT3_ON, 0), type);
            QCOMPARE(rig.events().number(INPUT3_ON, 0), number);
            QCOMPARE(rig.events().subAction(INPUT3_ON, 0), sub);
            QCOMPARE(sorted(rig.controller().startedDelays), startedBefore);
        } else {
            QCOMPARE(rig.events().actionType(INPUT3_ON, 0), int(ACTION_DELAY));
            QCOMPARE(rig.events().number(INPUT3_ON, 0), 2);
            QCOMPARE(rig.events().subAction(INPUT3_ON, 0), int(SUB_ON));
            QCOMPARE(rig.table.item(0, 1)->text(), QStringLiteral("3"));
            QCOMPARE(sorted(rig.controller().startedDelays), (QList<int>{0, 1, 2}));
        }
    }
}

void tst_action_delegate::noDelayLeftForRepair()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.ownDelay(3, 2);
    rig.add(INPUT3_ON, ACTION_DELAY, 9, SUB_ON);
    for (int d = 0; d < 512; ++d)
        rig.controller().startedDelays.append(uint16_t(d));
    rig.show(INPUT3_ON);
    QSignalSpy refreshes(&rig.delegate(), &aevents_tableview_delegate::forceRefresh);
    rig.setNumber(0, 4);
    QCOMPARE(rig.dialogs.titles(), QStringList{"Action failed!"});
    QCOMPARE(rig.dialogs.texts(), QStringList{"To many delays defined!"});
    QCOMPARE(rig.dialogs.entries[0].icon, QMessageBox::Critical);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 9);
    QCOMPARE(refreshes.size(), 0);
}

void tst_action_delegate::allDelaysWhileSequencesOwnSome()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.ownDelay(300, 0);
    rig.add(INPUT3_ON, ACTION_SCENE, ACTION_NUMBER_ALL, SUB_ON);
    rig.show(INPUT3_ON);
    rig.choose(0, 0, ACTION_DELAY);
    QCOMPARE(rig.dialogs.texts(), QStringList{"Some delays are blocked by sequences!"});
    QCOMPARE(rig.dialogs.entries[0].icon, QMessageBox::Critical);
    QCOMPARE(rig.events().actionType(INPUT3_ON, 0), int(ACTION_SCENE));
    // With no delay in a sequence the type is taken, and the rule check
    // turns "Start all" off.
    rig.ownDelay(300, 0xFFF);
    rig.choose(0, 0, ACTION_DELAY);
    QCOMPARE(rig.events().actionType(INPUT3_ON, 0), int(ACTION_DELAY));
    QCOMPARE(rig.events().subAction(INPUT3_ON, 0), int(SUB_OFF));
    QVERIFY(rig.controller().startedDelays.isEmpty());
}

void tst_action_delegate::startedDelaysFollowTheNumber()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_DELAY, 7, SUB_ON);
    rig.add(INPUT5_ON, ACTION_DELAY, 7, SUB_ON);
    rig.controller().startedDelays = {7, 2, 7};
    rig.show(INPUT3_ON);
    rig.setNumber(0, 7);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 6);
    QCOMPARE(sorted(rig.controller().startedDelays), (QList<int>{2, 6, 7}));
    // Off stops it, Start again starts it.
    rig.choose(0, 2, SUB_OFF);
    QCOMPARE(sorted(rig.controller().startedDelays), (QList<int>{2, 7}));
    rig.choose(0, 2, SUB_ON);
    QCOMPARE(sorted(rig.controller().startedDelays), (QList<int>{2, 6, 7}));
    // Another type stops it too.
    rig.choose(0, 0, ACTION_PROGRAM);
    QCOMPARE(sorted(rig.controller().startedDelays), (QList<int>{2, 7}));
    QCOMPARE(rig.window().delayEventsRefreshes, 4);
}

void tst_action_delegate::allOnADelayStart()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_DELAY, 7, SUB_ON);
    rig.controller().startedDelays = {7};
    rig.show(INPUT3_ON);
    rig.setNumber(0, 0);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), int(ACTION_NUMBER_ALL));
    QCOMPARE(rig.events().subAction(INPUT3_ON, 0), int(SUB_OFF));
    QVERIFY(rig.controller().startedDelays.isEmpty());
    QVERIFY(rig.dialogs.entries.isEmpty());
}

void tst_action_delegate::allRefusedForAnUnlistedSequenceDelay()
{
    // The start's delay was taken into sequence 5 while its editor was open,
    // and the lists do not know it: "All" would lose the chain's link.
    actionTableRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_DELAY, 7, SUB_ON);
    rig.show(INPUT3_ON);
    std::unique_ptr<QWidget> editor = rig.open(0, 1);
    rig.ownDelay(7, 5);
    qobject_cast<QSpinBox*>(editor.get())->setValue(0);
    rig.store(editor.get(), 0, 1);
    QCOMPARE(rig.dialogs.titles(), QStringList{"Delay already in use!"});
    QCOMPARE(rig.dialogs.texts(), QStringList{"Delay #8 is blocked by sequence #6!"});
    QCOMPARE(rig.dialogs.entries[0].icon, QMessageBox::Warning);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 7);
    // A delay of no sequence may become "All".
    rig.ownDelay(7, 0xFFF);
    rig.setNumber(0, 0);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), int(ACTION_NUMBER_ALL));
}

void tst_action_delegate::selfProgrammingTakesInput24()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.allowSelfProgramming(true);
    rig.add(INPUT24_ON, ACTION_SCENE, 3, SUB_ON);
    rig.add(INPUT24_ON, ACTION_DELAY, 40, SUB_ON);
    rig.add(INPUT24_ON, ACTION_ENABLING, 0, SUB_ON);
    rig.add(INPUT24_OFF, ACTION_MASK, 2, SUB_OFF);
    rig.controller().startedDelays = {40};
    rig.events().enablingSource = 23;
    rig.show(INPUT24_ON);

    rig.choose(0, 0, ACTION_SELF_PROGRAMMING);
    QCOMPARE(rig.events().actionCount(INPUT24_ON), 1);
    QCOMPARE(rig.events().actionType(INPUT24_ON, 0), int(ACTION_SELF_PROGRAMMING));
    QCOMPARE(rig.events().subAction(INPUT24_ON, 0), int(SUB_ON));
    QCOMPARE(rig.events().number(INPUT24_ON, 0), 0);
    QCOMPARE(rig.events().actionCount(INPUT24_OFF), 2);
    QCOMPARE(rig.events().actionType(INPUT24_OFF, 0), int(ACTION_SELF_PROGRAMMING));
    QCOMPARE(rig.events().subAction(INPUT24_OFF, 0), int(SUB_OFF));
    // The removed actions take their started delay and the enabling role along.
    QVERIFY(rig.controller().startedDelays.isEmpty());
    QCOMPARE(rig.events().enablingSource, -1);
    QCOMPARE(rig.table.rowCount(), 1);

    rig.choose(0, 0, ACTION_SELF_PROGRAMMING);
    QCOMPARE(rig.events().actionCount(INPUT24_ON), 1);
    QCOMPARE(rig.events().actionCount(INPUT24_OFF), 2);
}

void tst_action_delegate::input24LockIsTestedFirst()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.allowSelfProgramming(true);
    rig.ownDelay(3, 2);
    rig.add(INPUT24_ON, ACTION_ENABLING, 0, SUB_ON);
    rig.add(INPUT24_ON, ACTION_SCENE, 3, SUB_ON);
    rig.add(INPUT24_ON, ACTION_SELF_PROGRAMMING, 0, SUB_ON);
    rig.events().enablingSource = 23;
    rig.show(INPUT24_ON);
    const QList<QList<int>> before = {{2, 0, 0}, {0, 3, 0}, {11, 0, 0}};
    const auto state = [&rig] {
        QList<QList<int>> out;
        for (int k = 0; k < rig.events().actionCount(INPUT24_ON); ++k)
            out << QList<int>{rig.events().actionType(INPUT24_ON, k), rig.events().number(INPUT24_ON, k),
                              rig.events().subAction(INPUT24_ON, k)};
        return out;
    };

    // Leaving Enabling would release the role; becoming a start of delay 3
    // would ask for a repair: neither happens, and no question is asked.
    rig.choose(0, 0, ACTION_SCENE);
    rig.choose(1, 0, ACTION_DELAY);
    rig.choose(2, 0, ACTION_MASK);
    QCOMPARE(state(), before);
    QCOMPARE(rig.events().enablingSource, 23);
    QVERIFY(rig.dialogs.entries.isEmpty());
    QVERIFY(rig.controller().startedDelays.isEmpty());
}

void tst_action_delegate::msgForPanelNumbers()
{
    actionTableRig rig(INPUTS_PAGE);
    rig.add(INPUT3_ON, ACTION_SCENE, 20, SUB_ON);
    rig.show(INPUT3_ON);
    rig.choose(0, 0, ACTION_MSG_FOR_PANEL);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 0x100);
    rig.setNumber(0, 3);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 0x300);
    rig.edit<QSpinBox>(0, 2, [](QSpinBox* spin) {
        QCOMPARE(spin->text(), QStringLiteral("Msg 0"));
        spin->setValue(7);
    });
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 0x307);
    QCOMPARE(rig.table.item(0, 2)->text(), QStringLiteral("Msg 7"));
    rig.setNumber(0, 0);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 0xF07);
    QCOMPARE(rig.table.item(0, 1)->text(), QStringLiteral("All"));
    rig.setNumber(0, 3);
    // Back to a scene: the panel becomes the scene number.
    rig.choose(0, 0, ACTION_SCENE);
    QCOMPARE(rig.events().number(INPUT3_ON, 0), 3);
    QCOMPARE(rig.table.item(0, 1)->text(), QStringLiteral("4"));
}

void tst_action_delegate::sequencePageEditsTheShownAction()
{
    actionTableRig rig(SEQUENCE_PAGE);
    rig.ownDelay(10, 3);
    rig.ownDelay(11, 3);
    rig.controller().sequenceDelays[3] = {10, 11};
    rig.controller().startedDelays = {10, 11};
    const int endOf10 = EVENT_DELAY_END + 10;
    rig.add(endOf10, ACTION_DELAY, 11, SUB_ON);
    rig.add(endOf10, ACTION_SCENE, 1, SUB_ON);
    rig.show(endOf10);
    rig.setNumber(0, 50);
    QCOMPARE(rig.events().number(endOf10, 0), 11);
    QCOMPARE(rig.events().number(endOf10, 1), 49);
    QCOMPARE(rig.table.item(0, 1)->text(), QStringLiteral("50"));
}

void tst_action_delegate::editorClosedWhileABoxIsOpen_data()
{
    // An edit that shows a box: what its cell and the action then hold.
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QList<int>>("action");
    QTest::newRow("enabling refused") << 0 << int(ACTION_ENABLING) << "Scene" << QList<int>{0, 3, 0};
    QTest::newRow("repaired by type") << 0 << int(ACTION_DELAY) << "Delay" << QList<int>{5, 0, 0};
    QTest::newRow("repaired by number") << 1 << 4 << "1" << QList<int>{5, 0, 0};
    QTest::newRow("repaired by start") << 2 << int(SUB_ON) << "Start" << QList<int>{5, 0, 0};
}

void tst_action_delegate::editorClosedWhileABoxIsOpen()
{
    QFETCH(int, column);
    QFETCH(int, value);
    QFETCH(QString, cell);
    QFETCH(QList<int>, action);
    actionTableRig rig(INPUTS_PAGE);
    rig.ownDelay(3, 2);
    rig.events().enablingSource = 10;
    rig.add(INPUT3_ON, column == 0 ? ACTION_SCENE : ACTION_DELAY, 3, column == 2 ? SUB_OFF : SUB_ON);
    if (column == 1)
        rig.events().setNumber(INPUT3_ON, 0, 9);
    rig.show(INPUT3_ON);
    QWidget* editor = rig.open(0, column).release();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(combo->findData(value));
    else
        qobject_cast<QSpinBox*>(editor)->setValue(value);
    closingSeam seam(editor, REPAIR);
    rig.store(editor, 0, column);
    QVERIFY(!seam.editor);
    QCOMPARE(seam.texts.size(), 1);
    QCOMPARE(rig.table.item(0, column)->text(), cell);
    QCOMPARE((QList<int>{rig.events().actionType(INPUT3_ON, 0), rig.events().number(INPUT3_ON, 0),
                         rig.events().subAction(INPUT3_ON, 0)}),
             action);
}

void tst_action_delegate::startedDelaysStayTheStartsAfterRandomEdits()
{
    actionTableRig rig(INPUTS_PAGE);
    aevents_tableview_widget sequenceTable(SEQUENCE_PAGE, &rig.tab);
    kv310_controller_class& c = rig.controller();
    rig.allowSelfProgramming(true);
    // Sequence 1 runs delays 0, 1, 2; a few other actions start delays too.
    for (int d : {0, 1, 2})
        rig.ownDelay(d, 1);
    rig.add(EVENT_SEQUENCE_START + 1, ACTION_DELAY, 0, SUB_ON);
    rig.add(EVENT_DELAY_END + 0, ACTION_DELAY, 1, SUB_ON);
    rig.add(EVENT_DELAY_END + 1, ACTION_DELAY, 2, SUB_ON);
    rig.add(EVENT_DELAY_END + 1, ACTION_SCENE, 5, SUB_ON);
    const QList<int> inputEvents = {INPUT3_ON, INPUT3_OFF, INPUT5_ON, INPUT24_ON, INPUT24_OFF};
    for (int id : inputEvents) {
        rig.add(id, ACTION_DELAY, 5, SUB_ON);
        rig.add(id, ACTION_SCENE, 1, SUB_OFF);
        rig.add(id, ACTION_DELAY, 6, SUB_OFF);
    }
    QCOMPARE(c.events.packEvents(c.configImage), 0);
    c.rebuildSequences();
    QCOMPARE(sorted(c.startedDelays), delayStarts(c.events));
    QCOMPARE(c.sequenceDelays[1], (QList<uint16_t>{0, 1, 2}));

    QRandomGenerator random(20240611);
    for (int step = 0; step < 600; ++step) {
        const bool onSequence = random.bounded(4) == 0;
        rig.current = onSequence ? &sequenceTable : &rig.table;
        const int id = onSequence ? EVENT_DELAY_END + int(random.bounded(2)) : inputEvents[random.bounded(int(inputEvents.size()))];
        rig.show(id);
        if (rig.current->rowCount() == 0) {
            const int d = int(random.bounded(8));
            rig.add(id, ACTION_DELAY, d, SUB_ON);
            c.startedDelays.append(uint16_t(d));
            rig.show(id);
            if (rig.current->rowCount() == 0)
                continue;
        }
        const int row = int(random.bounded(rig.current->rowCount()));
        const int column = int(random.bounded(3));
        std::unique_ptr<QWidget> editor = rig.open(row, column);
        if (!editor)
            continue;
        if (auto* combo = qobject_cast<QComboBox*>(editor.get())) {
            if (combo->count() > 0)
                combo->setCurrentIndex(int(random.bounded(combo->count())));
        } else if (auto* spin = qobject_cast<QSpinBox*>(editor.get())) {
            // Mostly low numbers, so that delays of the sequence come up.
            const int top = qMin(spin->maximum() - spin->minimum(), 12);
            spin->setValue(random.bounded(4) == 0 ? 0 : spin->minimum() + int(random.bounded(top + 1)));
        }
        rig.dialogs.answer(random.bounded(2) == 0 ? REPAIR : CANCEL);
        rig.store(editor.get(), row, column);
        rig.dialogs.clear();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(sorted(c.startedDelays), delayStarts(c.events));
        // The enabling role is held exactly while its source has Enabling actions.
        const eventBookkeeping book(c);
        if (c.events.enablingSource >= 0)
            QVERIFY(book.sourceHasEnabling(c.events.enablingSource));
        for (int source = 0; source < 24; ++source)
            if (source != c.events.enablingSource)
                QVERIFY(!book.sourceHasEnabling(source));
    }
}

QTEST_MAIN(tst_action_delegate)
#include "tst_action_delegate.moc"
