// Selection moves under open editors: an editor the user leaves open in an
// action table or a step table while picking another event, step, sequence
// or program stores into what it was opened on (a window that waits for its
// "Set" stores nothing); never into what the table shows next. Walked through the program's own window on
// every page with such a table, as the user goes: the editor is opened on a
// cell, changed, the user clicks another row of the page's list and then
// finishes whatever is still open. What counts is the model: the events
// table, the programs table and the configuration image.
//
// And the program list, which gives up its last rows to extra entries: a
// configuration read while the last program is chosen shows the program
// before it, on every road of a read, and the list tells its view once of
// the row it gives up.

#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "editors/events/aevents_dmxout_widget.h"
#include "editors/events/aevents_inputs_widget.h"
#include "editors/events/aevents_ired_widget.h"
#include "editors/events/aevents_source_page.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/events/aevents_vkeys_widget.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/programs/aseq_conf_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/sequence_chain.h"
#include "model/time_codes.h"
#include "cell_editing.h"
#include "program_rig.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

enum class road { anotherEvent, anotherStep, anotherSequence };

constexpr int MAIN_EVENTS = 0;
constexpr int MAIN_PROGRAMS = 2;
constexpr int MAIN_SEQUENCES = 3;
constexpr int SEQUENCE_PAGE = -1;   // no events sub-tab: the sequence page

// The event pages by their events sub-tab, with the two list rows the road
// goes between.
struct eventPage {
    const char* name;
    int subTab;
    int opened;
    int picked;
};

const eventPage eventPages[] = {
    {"inputs", 0, 0, 2},
    {"DMX input", 1, 0, 2},
    {"clock", 2, 0, 1},
    {"internal events", 3, 1, 2},
    {"delays", 4, 0, 1},
    {"remote control", 5, 0, 3},
    {"DMX output", 6, 0, 2},
};

const char* const actionColumns[] = {"type", "number", "action", "daytime limits", "state limits"};
const char* const stepColumns[] = {"scene", "fade up", "duration", "fade down", "program time", "event"};

// What the events table holds: every action's record, by event id.
using eventsImage = std::map<int, std::vector<QByteArray>>;

eventsImage eventsOf(const kv310_controller_class& c)
{
    eventsImage out;
    for (int id = 0; id < EVENT_COUNT; ++id) {
        const int n = c.events.actionCount(id);
        for (int i = 0; i < n; ++i) {
            uint8_t bytes[24];
            c.events.action(id, i)->write(bytes);
            out[id].emplace_back(reinterpret_cast<const char*>(bytes), int(sizeof bytes));
        }
    }
    return out;
}

QByteArray imageOf(const kv310_controller_class& c)
{
    return QByteArray(reinterpret_cast<const char*>(c.configImage), int(img::SIZE));
}

// Every step of every program as the programs table holds it.
using programsImage = std::map<int, std::vector<QString>>;

programsImage programsOf(const kv310_controller_class& c)
{
    programsImage out;
    for (int p = 0; p < img::PROGRAM_SLOTS; ++p) {
        const int n = c.programs.stepCount(p);
        if (n < 0)
            continue;
        out[p].push_back(QStringLiteral("runs %1").arg(c.programs.recurrences(p)));
        for (int s = 0; s < n; ++s) {
            programStep step;
            c.programs.getStep(p, s, step);
            out[p].push_back(QStringLiteral("%1 %2 %3 %4 %5 %6")
                                 .arg(step.scene)
                                 .arg(step.infinite)
                                 .arg(c.programs.stepEvent(p, s))
                                 .arg(toTenths(step.fadeUp))
                                 .arg(toTenths(step.duration))
                                 .arg(toTenths(step.fadeDown)));
        }
    }
    return out;
}

// The rows a model has told its views of: its count when watching began,
// with every insertion and removal it reported since. A list rebuilt from
// within its own change of rows reports a removal twice, and a view that
// follows the reports loses a row the model still holds.
class toldRows {
public:
    explicit toldRows(QAbstractItemModel* model) : rows(model->rowCount())
    {
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &watch,
                         [this](const QModelIndex& parent, int first, int last) {
                             if (!parent.isValid())
                                 rows += last - first + 1;
                         });
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, &watch,
                         [this](const QModelIndex& parent, int first, int last) {
                             if (!parent.isValid())
                                 rows -= last - first + 1;
                         });
        QObject::connect(model, &QAbstractItemModel::modelReset, &watch,
                         [this, model] { rows = model->rowCount(); });
    }
    int count() const { return rows; }

private:
    QObject watch;
    int rows;
};

// Whatever is still open after the click the user finishes with Enter (on
// the state-limit window that stands for its "Set").
void finishEditor(const QPointer<QWidget>& editor)
{
    QCoreApplication::sendPostedEvents();
    if (editor && editor->isVisible()) {
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

enum class editorKind { none, inCell, window };

// The road: the user opens the editor of a cell of `table`, changes it,
// clicks row `picked` of `list` and finishes later what is still open.
editorKind leaveEditorOpen(QAbstractItemView* table, int row, int column, QAbstractItemView* list, int picked)
{
    const QPointer<QWidget> editor = openEditor(table, row, column);
    if (!editor)
        return editorKind::none;
    const editorKind kind = editor->isWindow() ? editorKind::window : editorKind::inCell;
    changeEditor(editor);
    clickRow(list, picked);
    finishEditor(editor);
    return kind;
}

}  // namespace

Q_DECLARE_METATYPE(road)

class tst_open_editors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { session.reset(); }
    void actionEditorStoresIntoItsEvent_data();
    void actionEditorStoresIntoItsEvent();
    void stepEditorStoresIntoItsProgram_data();
    void stepEditorStoresIntoItsProgram();
    void delayEditorStoresIntoItsSequence();
    void lastProgramGivesWayToAnExtraEntry_data();
    void lastProgramGivesWayToAnExtraEntry();

private:
    gui_class* window() const { return session->rig->window.get(); }
    kv310_controller_class& controller() const { return *session->rig->controller; }
    // A sequence of `steps` steps, made as the user makes it.
    void makeSequence(int q, int steps);

    std::unique_ptr<programSession> session;
};

void tst_open_editors::init()
{
    session = std::make_unique<programSession>();
    QVERIFY(showEditableEvents(*session));
}

void tst_open_editors::makeSequence(int q, int steps)
{
    aseq_settings_widget* page = window()->sequenceEditor;
    clickRow(page->sequenceList, q);
    page->stepCountBox->setValue(steps);
    QCOMPARE(int(controller().sequenceDelays[size_t(q)].size()), steps);
}

void tst_open_editors::actionEditorStoresIntoItsEvent_data()
{
    QTest::addColumn<int>("subTab");
    QTest::addColumn<int>("opened");
    QTest::addColumn<int>("picked");
    QTest::addColumn<road>("move");
    QTest::addColumn<int>("column");

    for (int column = 0; column < 5; ++column) {
        for (const eventPage& page : eventPages) {
            // The clock events take no daytime limit: that cell has no editor.
            if (page.subTab == 2 && column == 3)
                continue;
            QTest::addRow("%s, %s", page.name, actionColumns[column])
                << page.subTab << page.opened << page.picked << road::anotherEvent << column;
        }
        QTest::addRow("sequence, another step, %s", actionColumns[column])
            << SEQUENCE_PAGE << 0 << 1 << road::anotherStep << column;
        QTest::addRow("sequence, another sequence, %s", actionColumns[column])
            << SEQUENCE_PAGE << 0 << 1 << road::anotherSequence << column;
    }
}

void tst_open_editors::actionEditorStoresIntoItsEvent()
{
    QFETCH(int, subTab);
    QFETCH(int, opened);
    QFETCH(int, picked);
    QFETCH(road, move);
    QFETCH(int, column);

    gui_class* w = window();
    kv310_controller_class& c = controller();
    QAbstractItemView* list = nullptr;
    aevents_conf_widget* panel = nullptr;
    int openedEvent = -1;
    int pickedEvent = -1;
    if (subTab == SEQUENCE_PAGE) {
        w->tabWidget_main->setCurrentIndex(MAIN_SEQUENCES);
        aseq_settings_widget* page = w->sequenceEditor;
        makeSequence(1, 3);
        makeSequence(0, 2);
        openedEvent = EVENT_SEQUENCE_START;
        if (move == road::anotherStep) {
            list = page->stepTable;
            pickedEvent = sequenceChain(c, 0).rowEvent(picked);
        } else {
            list = page->sequenceList;
            pickedEvent = EVENT_SEQUENCE_START + picked;
        }
        panel = page->actionPanel;
        // Both events get the same action, so the table shows the same texts
        // after the move and nothing reloads an editor left open: what it
        // holds goes wherever it is stored.
        giveAction(c.events, openedEvent);
        giveAction(c.events, pickedEvent);
        clickRow(page->stepTable, 0);
        page->refresh();
    } else {
        w->tabWidget_main->setCurrentIndex(MAIN_EVENTS);
        w->tabWidget_events->setCurrentIndex(subTab);
        aevents_source_page* page = eventPageOf(window(), subTab);
        list = page->eventList;
        panel = page->actionPanel;
        clickRow(list, picked);
        pickedEvent = panel->panelEvent;
        clickRow(list, opened);
        openedEvent = panel->panelEvent;
        giveAction(c.events, openedEvent);
        giveAction(c.events, pickedEvent);
        w->refresh();
    }
    QVERIFY(openedEvent != pickedEvent);
    QCOMPARE(panel->panelEvent, openedEvent);
    QVERIFY(panel->isEnabled());
    aevents_tableview_widget* table = panel->actionTable;
    QCOMPARE(table->model()->rowCount(), 1);
    const int openedAction = c.events.actionCount(openedEvent) - 1;

    const eventsImage eventsBefore = eventsOf(c);
    const QByteArray imageBefore = imageOf(c);
    const editorKind editor = leaveEditorOpen(table, 0, column, list, picked);
    QVERIFY2(editor != editorKind::none, "the cell opens an editor");
    QCOMPARE(panel->panelEvent, pickedEvent);

    eventsImage eventsAfter = eventsOf(c);
    QCOMPARE(eventsAfter.size(), eventsBefore.size());
    QCOMPARE(eventsAfter[pickedEvent], eventsBefore.at(pickedEvent));
    // An editor in the cell stored the edit into the action it was opened
    // on; the state-limit window, whose "Set" was never pressed, nothing.
    QByteArray& edited = eventsAfter[openedEvent][size_t(openedAction)];
    QCOMPARE(edited != eventsBefore.at(openedEvent)[size_t(openedAction)], editor == editorKind::inCell);
    edited = eventsBefore.at(openedEvent)[size_t(openedAction)];
    QVERIFY(eventsAfter == eventsBefore);
    QVERIFY(imageOf(c) == imageBefore);
}

void tst_open_editors::stepEditorStoresIntoItsProgram_data()
{
    QTest::addColumn<int>("column");
    for (int column = 0; column < 6; ++column)
        QTest::newRow(stepColumns[column]) << column;
}

void tst_open_editors::stepEditorStoresIntoItsProgram()
{
    QFETCH(int, column);

    gui_class* w = window();
    kv310_controller_class& c = controller();
    programTable& programs = c.programs;
    // Programs 1 and 2 have the same steps, so the table shows the same
    // texts after the move; they repeat, so the last fade-down can be edited.
    for (int p = 0; p < 2; ++p) {
        programs.setStepCount(p, 3);
        programs.setRecurrences(p, 2);
        for (int s = 0; s < 3; ++s) {
            programs.setScene(p, s, 10 + s);
            programs.setFadeUp(p, s, fromTenths(unsigned(20 + s)));
            programs.setDuration(p, s, fromTenths(unsigned(50 + s)));
            programs.setStepEvent(p, s, EVENT_INTERNAL + s);
        }
        programs.setFadeDown(p, 2, fromTenths(5));
    }
    w->tabWidget_main->setCurrentIndex(MAIN_PROGRAMS);
    aprogram_settings_widget* page = w->programEditor;
    clickRow(page->programList, 0);
    QCOMPARE(page->currentProgram, 0);
    aprogram_conf_widget* table = page->stepTable;
    const int row = column == 3 ? 2 : 1;   // the fade-down of the last step only

    const programsImage before = programsOf(c);
    QVERIFY2(leaveEditorOpen(table, row, column, page->programList, 1) != editorKind::none,
             "the cell opens an editor");
    QCOMPARE(page->currentProgram, 1);

    programsImage after = programsOf(c);
    QCOMPARE(after[1], before.at(1));
    // The step the editor was opened on took the edit; a changed program
    // time moves the start of the step after it too.
    QVERIFY(after[0][size_t(row + 1)] != before.at(0)[size_t(row + 1)]);
    after[0][size_t(row + 1)] = before.at(0)[size_t(row + 1)];
    if (column == 4)
        after[0][size_t(row + 2)] = before.at(0)[size_t(row + 2)];
    QVERIFY(after == before);
}

void tst_open_editors::delayEditorStoresIntoItsSequence()
{
    gui_class* w = window();
    kv310_controller_class& c = controller();
    w->tabWidget_main->setCurrentIndex(MAIN_SEQUENCES);
    makeSequence(1, 3);
    makeSequence(0, 3);
    aseq_settings_widget* page = w->sequenceEditor;
    const int delay = c.sequenceDelays[0].at(1);

    QByteArray before = imageOf(c);
    QVERIFY2(leaveEditorOpen(page->stepTable, 1, 1, page->sequenceList, 1) != editorKind::none,
             "the cell opens an editor");
    QCOMPARE(page->currentSequence, 1);

    // The delay of the step the editor was opened on took the edit, and
    // nothing else changed.
    QByteArray after = imageOf(c);
    const int word = int(img::delaysOf(delay));
    QVERIFY(after.mid(word, 4) != before.mid(word, 4));
    after.replace(word, 4, before.mid(word, 4));
    QVERIFY(after == before);
}

void tst_open_editors::lastProgramGivesWayToAnExtraEntry_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<bool>("onAnotherTab");

    QTest::newRow("file read on the programs page") << true << false;
    QTest::newRow("controller read on the programs page") << false << false;
    QTest::newRow("file read on another page, then a visit") << true << true;
    QTest::newRow("controller read on another page, then a visit") << false << true;
}

void tst_open_editors::lastProgramGivesWayToAnExtraEntry()
{
    QFETCH(bool, fromFile);
    QFETCH(bool, onAnotherTab);

    gui_class* w = window();
    kv310_controller_class& c = controller();
    right_panel_widget* panel = session->rig->panel();
    dialogRecorder& rec = session->rec;

    // A show whose last program slot is an extra entry into program 1.
    c.programs.setStepCount(0, 3);
    img::putU16(c.configImage, img::firstExtraSlot, img::PROGRAM_SLOTS);
    auto entry = std::make_unique<extraEntry>();
    entry->program = 0;
    entry->fromStep = 1;
    entry->slot = img::PROGRAM_SLOTS - 1;
    c.extraEntries.push_back(std::move(entry));
    const QString file = session->dir.filePath(QStringLiteral("entry.31xcfg"));
    if (fromFile) {
        rec.answerFile(file);
        panel->saveConfToFileClick(true);
    } else {
        QVERIFY(session->rig->connect());
        panel->sendButton->click();
        QVERIFY(c.isConnected());
    }

    // In memory the entry is gone again, and the user chooses program 512.
    c.extraEntries.clear();
    w->tabWidget_main->setCurrentIndex(MAIN_PROGRAMS);
    aprogram_settings_widget* page = w->programEditor;
    QCOMPARE(page->programList->model()->rowCount(), img::PROGRAM_SLOTS);
    clickRow(page->programList, img::PROGRAM_SLOTS - 1);
    QCOMPARE(page->currentProgram, img::PROGRAM_SLOTS - 1);

    if (onAnotherTab)
        w->tabWidget_main->setCurrentIndex(MAIN_EVENTS);
    rec.clear();
    const toldRows told(page->programList->model());
    if (fromFile) {
        rec.answerFile(file);
        panel->readConfFromFileClick(true);
    } else {
        panel->readButton->click();
    }
    QCOMPARE(int(c.extraEntries.size()), 1);
    if (onAnotherTab)
        w->tabWidget_main->setCurrentIndex(MAIN_PROGRAMS);

    // The list offers 511 programs and shows the last of them.
    QAbstractItemView* list = page->programList;
    QCOMPARE(list->model()->rowCount(), img::PROGRAM_SLOTS - 1);
    QCOMPARE(told.count(), img::PROGRAM_SLOTS - 1);
    QCOMPARE(list->currentIndex().row(), img::PROGRAM_SLOTS - 2);
    QCOMPARE(page->programNumberLabel->text(), QStringLiteral("511"));
    QCOMPARE(page->currentProgram, img::PROGRAM_SLOTS - 2);
    // Nothing of the page went into the entry's slot.
    QVERIFY(!c.programs.findProgram(img::PROGRAM_SLOTS - 1));
    QCOMPARE(c.extraEntries.front()->program, uint16_t(0));
    QCOMPARE(c.extraEntries.front()->fromStep, uint16_t(1));
}

QTEST_MAIN(tst_open_editors)
#include "tst_open_editors.moc"
