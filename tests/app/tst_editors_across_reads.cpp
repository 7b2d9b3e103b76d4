// A cell editor left open while the show is replaced or the window rebuilt:
// a read from a file or from the controller, a read the program refuses, a
// clear, a change of language. On every page with an action or step table
// and on the tables of the active scenes, the input types and the
// descriptions, the user opens an editor, changes it without finishing it
// and takes the road. What the editor holds goes into the show it was
// opened in, never into the show that replaces it; a refused read keeps it
// as unsaved work; a rebuilt window shows it. The state-limit window stores
// on its "Set" alone, on every road.

#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "app/clear_conf_dialog.h"
#include "app/startup.h"
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
#include "editors/events/asettings_inputs_widget.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/programs/aseq_conf_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "editors/scenes/as_conf_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "settings/asettings_descs_widget.h"
#include "cell_editing.h"
#include "program_rig.h"
#include "visit_rig.h"

#include <QCheckBox>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>

namespace {

enum class road { fileRead, controllerRead, missingFile, damagedFile, clearMasks, clearAll, language, anotherRow };

const char* roadName(road r)
{
    switch (r) {
    case road::fileRead:
        return "file read";
    case road::controllerRead:
        return "controller read";
    case road::missingFile:
        return "missing file";
    case road::damagedFile:
        return "damaged file";
    case road::clearMasks:
        return "clear of the masks";
    case road::clearAll:
        return "clear of everything";
    case road::language:
        return "language change";
    case road::anotherRow:
        return "another row";
    }
    return "";
}

constexpr int MAIN_EVENTS = 0;
constexpr int MAIN_PROGRAMS = 2;
constexpr int MAIN_SEQUENCES = 3;
constexpr int MAIN_ACTIVE_SCENES = 6;
constexpr int MAIN_SETTINGS = 7;
constexpr int SETTINGS_INPUTS = 0;
constexpr int SETTINGS_DESCRIPTIONS = 4;
constexpr int SEQUENCE_PAGE = 7;
constexpr int PROGRAM_STEPS = 8;
constexpr int SECTORS = 9;
constexpr int INPUT_TYPES = 10;
constexpr int DESCRIPTIONS = 11;
constexpr int DELAY_TIMES = 12;
constexpr int DELAYS_SUB_TAB = 4;

// A table with its cell: the page (an events sub-tab 0..6, or one of the
// pages above), the row of the page's list the editor is opened under, and
// the cell.
struct tableCell {
    const char* name;
    int page;
    int listRow;
    int column;
};

const tableCell cells[] = {
    {"inputs, daytime limits", 0, 0, 3},
    {"DMX input, daytime limits", 1, 0, 3},
    {"clock, action", 2, 0, 2},
    {"internal events, daytime limits", 3, 1, 3},
    {"delays, daytime limits", 4, 0, 3},
    {"remote control, daytime limits", 5, 0, 3},
    {"DMX output, daytime limits", 6, 0, 3},
    {"sequence, daytime limits", SEQUENCE_PAGE, 0, 3},
    {"inputs, state-limit window", 0, 0, 4},
    {"DMX output, state-limit window", 6, 0, 4},
    {"delay times, delay-time pop-up", DELAY_TIMES, 0, 1},
    {"program steps, scene", PROGRAM_STEPS, 0, 0},
    {"active-scene sectors, from", SECTORS, 0, 1},
    {"input types, type", INPUT_TYPES, 0, 1},
    {"input types, description", INPUT_TYPES, 0, 2},
    {"descriptions, description", DESCRIPTIONS, 0, 1},
};

bool isActionTable(const tableCell& cell)
{
    return cell.page <= SEQUENCE_PAGE;
}

}  // namespace

Q_DECLARE_METATYPE(road)

class tst_editors_across_reads : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void editorLeftOpen_data();
    void editorLeftOpen();

private:
    gui_class* window() const { return session->rig->window.get(); }
    kv310_controller_class& controller() const { return *session->rig->controller; }
    // Shows the page of the cell and gives it what the cell edits; the
    // table the cell is in.
    QAbstractItemView* prepare(const tableCell& cell);
    aevents_conf_widget* actionPanelOf(const tableCell& cell) const;
    // Shows the page of the cell again (in a rebuilt window, too).
    QAbstractItemView* showTable(const tableCell& cell);
    // What the cell edits, as the show holds it.
    QByteArray probe(const tableCell& cell) const;
    void clearWith(QCheckBox* clearConf_dialog::*box);
    void takeRoad(road r);
    // Whether closing the window asks about unsaved work (the answer: stay).
    bool closingAsks();

    std::unique_ptr<programSession> session;
    QString showFile;
    int editedEvent = -1;  // the event of an action table's cell
    QTranslator* installed = nullptr;
};

void tst_editors_across_reads::init()
{
    // English and the program's Polish catalogue, in the window's menu.
    languageRequest english{QStringLiteral("en"), QString()};
    const languageChoice choice =
        buildLanguageList(QString(), {QStringLiteral(KV_CATALOGUE_DIR "/KvOrbit310_pl.qm")}, english);
    languageList = choice.languages;
    QCOMPARE(languageList.size(), 2);
    installedLanguage = -1;
    session = std::make_unique<programSession>();
    controller().inputDescriptions[0] = QStringLiteral("door");
    QVERIFY(showEditableEvents(*session));
}

void tst_editors_across_reads::cleanup()
{
    session.reset();
    if (installed)
        QCoreApplication::removeTranslator(installed);
    installed = nullptr;
    for (const languageEntry& entry : std::as_const(languageList))
        delete entry.translator;
    languageList.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

aevents_conf_widget* tst_editors_across_reads::actionPanelOf(const tableCell& cell) const
{
    gui_class* w = window();
    if (cell.page == SEQUENCE_PAGE)
        return w->sequenceEditor->actionPanel;
    return eventPageOf(w, cell.page)->actionPanel;
}

QAbstractItemView* tst_editors_across_reads::showTable(const tableCell& cell)
{
    gui_class* w = window();
    switch (cell.page) {
    case SEQUENCE_PAGE:
        w->tabWidget_main->setCurrentIndex(MAIN_SEQUENCES);
        clickRow(w->sequenceEditor->sequenceList, cell.listRow);
        clickRow(w->sequenceEditor->stepTable, 0);
        return w->sequenceEditor->actionPanel->actionTable;
    case PROGRAM_STEPS:
        w->tabWidget_main->setCurrentIndex(MAIN_PROGRAMS);
        clickRow(w->programEditor->programList, cell.listRow);
        return w->programEditor->stepTable;
    case SECTORS:
        w->tabWidget_main->setCurrentIndex(MAIN_ACTIVE_SCENES);
        w->tabWidget_actives->setCurrentIndex(0);
        return w->activeScenes->sectorTable;
    case INPUT_TYPES:
        w->tabWidget_main->setCurrentIndex(MAIN_SETTINGS);
        w->tabWidget_settings->setCurrentIndex(SETTINGS_INPUTS);
        return w->inputsSettings;
    case DELAY_TIMES:
        w->tabWidget_main->setCurrentIndex(MAIN_EVENTS);
        w->tabWidget_events->setCurrentIndex(DELAYS_SUB_TAB);
        return w->delayEvents->eventList;
    case DESCRIPTIONS:
        w->tabWidget_main->setCurrentIndex(MAIN_SETTINGS);
        w->tabWidget_settings->setCurrentIndex(SETTINGS_DESCRIPTIONS);
        return w->descsSettings->descTable;
    default:
        w->tabWidget_main->setCurrentIndex(MAIN_EVENTS);
        w->tabWidget_events->setCurrentIndex(cell.page);
        clickRow(eventPageOf(w, cell.page)->eventList, cell.listRow);
        return actionPanelOf(cell)->actionTable;
    }
}

QAbstractItemView* tst_editors_across_reads::prepare(const tableCell& cell)
{
    gui_class* w = window();
    kv310_controller_class& c = controller();
    if (cell.page == SEQUENCE_PAGE) {
        w->tabWidget_main->setCurrentIndex(MAIN_SEQUENCES);
        clickRow(w->sequenceEditor->sequenceList, cell.listRow);
        w->sequenceEditor->stepCountBox->setValue(2);
    } else if (cell.page == PROGRAM_STEPS) {
        c.programs.setStepCount(0, 2);
        for (int s = 0; s < 2; ++s) {
            c.programs.setScene(0, s, 10 + s);
            c.programs.setDuration(0, s, fromTenths(50));
        }
    } else if (cell.page == DELAY_TIMES) {
        img::putU32(c.configImage, img::delaysOf(0), 0xFFF00000u | 50u);
    } else if (cell.page == SECTORS) {
        w->tabWidget_main->setCurrentIndex(MAIN_ACTIVE_SCENES);
        w->activeScenes->setChecked(true);
    }
    QAbstractItemView* table = showTable(cell);
    if (isActionTable(cell)) {
        // Two actions, so that another row of the table can be clicked.
        editedEvent = actionPanelOf(cell)->panelEvent;
        giveAction(c.events, editedEvent);
        giveAction(c.events, editedEvent);
    }
    w->refresh();
    table = showTable(cell);
    return table;
}

QByteArray tst_editors_across_reads::probe(const tableCell& cell) const
{
    const kv310_controller_class& c = controller();
    QByteArray out;
    if (isActionTable(cell)) {
        for (int i = 0; i < c.events.actionCount(editedEvent); ++i) {
            uint8_t bytes[24];
            c.events.action(editedEvent, i)->write(bytes);
            out.append(reinterpret_cast<const char*>(bytes), int(sizeof bytes));
        }
        return out;
    }
    switch (cell.page) {
    case PROGRAM_STEPS: {
        programStep step;
        c.programs.getStep(0, 0, step);
        return QByteArray::number(step.scene);
    }
    case SECTORS:
        return QByteArray(reinterpret_cast<const char*>(c.configImage + img::asSectorRangesOf(0)), 4);
    case DELAY_TIMES:
        return QByteArray(reinterpret_cast<const char*>(c.configImage + img::delaysOf(0)), 4);
    case INPUT_TYPES:
        return QByteArray(reinterpret_cast<const char*>(c.configImage + img::inputTypesOf(0)), 4)
               + c.inputDescriptions[0].toUtf8();
    case DESCRIPTIONS:
        return window()->descsSettings->descTable->descriptionAt(0)->toUtf8();
    default:
        return out;
    }
}

void tst_editors_across_reads::clearWith(QCheckBox* clearConf_dialog::*box)
{
    session->rec.answerExec([box](QDialog* d) {
        auto* dialog = qobject_cast<clearConf_dialog*>(d);
        (dialog->*box)->setChecked(true);
        dialog->okButton->click();
        return dialog->result();
    });
    session->rig->panel()->clearButton->click();
}

void tst_editors_across_reads::takeRoad(road r)
{
    right_panel_widget* panel = session->rig->panel();
    switch (r) {
    case road::fileRead:
        session->rec.answerFile(showFile);
        panel->readFileButton->click();
        break;
    case road::controllerRead:
        panel->readButton->click();
        break;
    case road::missingFile:
        session->rec.answerFile(session->dir.filePath(QStringLiteral("gone.31xcfg")));
        panel->readFileButton->click();
        break;
    case road::damagedFile: {
        const QString name = session->dir.filePath(QStringLiteral("damaged.31xcfg"));
        QFile damaged(name);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(600, 'x'));
        damaged.close();
        session->rec.answerFile(name);
        panel->readFileButton->click();
        break;
    }
    case road::clearMasks:
        clearWith(&clearConf_dialog::cbMasks);
        break;
    case road::clearAll:
        clearWith(&clearConf_dialog::cbAll);
        break;
    case road::language:
        // Language > Polski, as the user picks it.
        window()->languageMenu->actions().at(1)->trigger();
        visit::rebuildWindow(*session->rig, installed, languageList.at(1).translator);
        break;
    case road::anotherRow:
        break;
    }
    visit::settle();
}

bool tst_editors_across_reads::closingAsks()
{
    dialogRecorder& rec = session->rec;
    rec.clear();
    rec.answer(2);  // "Cancel": the window stays
    window()->close();
    const bool asked = rec.texts().contains(QStringLiteral("Save changes?"));
    rec.clear();
    return asked;
}

void tst_editors_across_reads::editorLeftOpen_data()
{
    QTest::addColumn<int>("cellIndex");
    QTest::addColumn<road>("way");
    const road roads[] = {road::fileRead,   road::controllerRead, road::missingFile, road::damagedFile,
                          road::clearMasks, road::clearAll,       road::language,    road::anotherRow};
    for (int i = 0; i < int(std::size(cells)); ++i)
        for (road r : roads)
            if (r != road::anotherRow || isActionTable(cells[i]))
                QTest::addRow("%s, %s", cells[i].name, roadName(r)) << i << r;
}

void tst_editors_across_reads::editorLeftOpen()
{
    QFETCH(int, cellIndex);
    QFETCH(road, way);
    const tableCell& cell = cells[cellIndex];
    kv310_controller_class& c = controller();

    QAbstractItemView* table = prepare(cell);
    if (QTest::currentTestFailed())
        return;
    // The show as it is now is the one in the file and in the controller.
    showFile = session->dir.filePath(QStringLiteral("show.31xcfg"));
    session->rec.answerFile(showFile);
    session->rig->panel()->saveFileButton->click();
    if (way == road::controllerRead) {
        QVERIFY(session->rig->connect());
        session->rig->panel()->sendButton->click();
    }
    c.takeFingerprint();
    table = showTable(cell);
    const QString shownBefore = table->model()->index(0, cell.column).data().toString();
    const QByteArray before = probe(cell);

    const QPointer<QWidget> editor = openEditor(table, 0, cell.column);
    QVERIFY2(editor, "the cell opens an editor");
    const bool inCell = !editor->isWindow();
    changeEditor(editor);
    if (way == road::anotherRow)
        clickRow(table, 1);
    else
        takeRoad(way);

    switch (way) {
    case road::fileRead:
    case road::controllerRead:
    case road::clearAll: {
        // The show is exactly the one read, or the cleared one: taking the
        // road again, with no editor open, changes nothing.
        QVERIFY(!editor || !editor->isVisible());
        const kv310_controller_class::showFingerprint after = c.currentFingerprint();
        takeRoad(way);
        QVERIFY(c.currentFingerprint() == after);
        break;
    }
    case road::missingFile:
    case road::damagedFile:
        // The kept show holds the edit, which is unsaved work.
        QVERIFY(!editor || !editor->isVisible());
        QCOMPARE(probe(cell) != before, inCell);
        QCOMPARE(closingAsks(), inCell);
        break;
    case road::clearMasks:
    case road::anotherRow:
        QCOMPARE(probe(cell) != before, inCell);
        break;
    case road::language: {
        QCOMPARE(probe(cell) != before, inCell);
        // A window rebuilt in the language the edit was made in shows it.
        visit::rebuildWindow(*session->rig, installed, nullptr);
        table = showTable(cell);
        QCOMPARE(table->model()->index(0, cell.column).data().toString() != shownBefore, inCell);
        break;
    }
    }
}

QTEST_MAIN(tst_editors_across_reads)
#include "tst_editors_across_reads.moc"
