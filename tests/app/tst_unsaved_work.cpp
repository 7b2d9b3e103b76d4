// Closing the window with a show not yet saved asks whether to save it;
// an unchanged show (as read, saved, cleared, or as its pages repair it
// when they first show it) closes without a word.

#include "app/clear_conf_dialog.h"
#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "editors/events/aevents_source_page.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "fixtures/light_effect.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "program_rig.h"
#include "support/golden_files.h"
#include "xml/xml_node.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <functional>

namespace {

const QString question = QStringLiteral("Save changes?");
enum answer { SAVE, DISCARD, CANCEL };

using step = std::function<void(programSession&)>;

void clearWith(programSession& s, bool all)
{
    s.rec.answerExec([all](QDialog* d) {
        auto* dialog = qobject_cast<clearConf_dialog*>(d);
        (all ? dialog->cbAll : dialog->cbMasks)->setChecked(true);
        dialog->okButton->click();
        return dialog->result();
    });
    s.rig->panel()->clearButton->click();
}

void saveAs(programSession& s, const QString& name)
{
    s.rec.answerFile(s.dir.filePath(name));
    s.rig->panel()->saveFileButton->click();
}

void showTab(programSession& s, int main, int inner = -1)
{
    gui_class* w = s.rig->window.get();
    w->tabWidget_main->setCurrentIndex(main);
    if (inner >= 0)
        w->tabWidget_settings->setCurrentIndex(inner);
}

void showEveryPage(gui_class* w)
{
    for (int main = 0; main < w->tabWidget_main->count(); ++main) {
        w->tabWidget_main->setCurrentIndex(main);
        for (QTabWidget* inner : {w->tabWidget_events, w->tabWidget_actives, w->tabWidget_settings})
            for (int i = 0; i < inner->count(); ++i)
                inner->setCurrentIndex(i);
    }
}

void changeScene(programSession& s)
{
    s.rig->controller->configImage[img::sceneChannelsOf(3) + 7] ^= 0x5A;
}

// The golden show as read from its file: descriptions in every array, a
// visual project with a library, fixtures, a group and a field.
void readGolden(programSession& s)
{
    const QString golden = goldenCopy(s.dir, QStringLiteral("show.31xcfg"));
    QVERIFY(!golden.isEmpty());
    s.rec.answerFile(golden);
    s.rig->panel()->readFileButton->click();
    QVERIFY(theVisualProject->fixtures.size() == 4 && theVisualProject->groups.size() == 1);
}

// The first event with actions, from `from` on.
int eventWithActions(const kv310_controller_class& c, int from)
{
    for (int id = from; id < EVENT_COUNT; ++id)
        if (c.events.actionCount(id) > 0)
            return id;
    return -1;
}

xml_node* projectNode(const char* name)
{
    for (xml_node& n : theVisualProject->projectTree->nodes)
        if (n.name == QLatin1String(name))
            return &n;
    return nullptr;
}

// The user opens the editor of every cell of the row in turn and leaves
// each with Enter, changing nothing (on the state-limit window Enter is its
// "Set"). The number of editors opened.
int openAndLeave(QAbstractItemView* table, int row)
{
    int opened = 0;
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        const QModelIndex index = table->model()->index(row, column);
        table->setCurrentIndex(index);
        table->edit(index);
        const QPointer<QWidget> editor = table->indexWidget(index);
        if (!editor)
            continue;
        ++opened;
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return opened;
}

} // namespace

class tst_unsaved_work : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyEditASaveWritesCounts_data();
    void everyEditASaveWritesCounts();
    void asksOnlyWhenTheShowChanged_data();
    void asksOnlyWhenTheShowChanged();
    void answers_data();
    void answers();
    void exitAsksFirst();
    void fingerprintsOnlyWhereTheShowMayHaveChanged();
};

// Unsaved work is what a save would write differently: every kind of edit
// counts, the memory tables' before they are packed; an edit undone by
// hand, what the save writes the same and what it does not write at all
// do not.
void tst_unsaved_work::everyEditASaveWritesCounts_data()
{
    QTest::addColumn<step>("work");
    QTest::addColumn<bool>("counts");

    const auto controller = [](programSession& s) -> kv310_controller_class& { return *s.rig->controller; };
    const auto flip = [](programSession& s, uint32_t offset) { s.rig->controller->configImage[offset] ^= 0x01; };

    QTest::newRow("event action, not yet packed") << step([=](programSession& s) {
        kv310_controller_class& c = controller(s);
        const int id = eventWithActions(c, 0);
        c.events.setNumber(id, 0, c.events.action(id, 0)->number + 1);
    }) << true;
    QTest::newRow("event action added") << step([=](programSession& s) {
        const int i = controller(s).events.appendAction(EVENT_INPUT);
        controller(s).events.setActionType(EVENT_INPUT, i, ACTION_SCENE);
    }) << true;
    QTest::newRow("program step, not yet packed") << step([=](programSession& s) {
        programStep* first = controller(s).programs.step(0, 0);
        first->scene = uint16_t(first->scene + 1);
    }) << true;
    QTest::newRow("timer, not yet packed") << step([=](programSession& s) {
        kv310_controller_class& c = controller(s);
        const int id = eventWithActions(c, EVENT_TIMER + 2);
        QVERIFY(id >= 0 && id < EVENT_TIMER + img::TIMER_RECORDS);
        c.timerTable[size_t(id - EVENT_TIMER)].minute ^= 0x01;
    }) << true;
    QTest::newRow("coupled scene, not yet packed") << step([=](programSession& s) {
        controller(s).coupledSceneGroups[2].append(uint16_t(img::SCENES - 1));
    }) << true;
    QTest::newRow("settings in the tables' part of the image")
        << step([=](programSession& s) { flip(s, img::sunTableOf(100)); }) << true;
    QTest::newRow("first mask level") << step([=](programSession& s) { flip(s, img::maskChannels); }) << true;
    QTest::newRow("last scene's last level")
        << step([=](programSession& s) { flip(s, img::projectArea - 1); }) << true;

    using K = kv310_controller_class;
    const struct {
        const char* name;
        std::function<QString&(K&)> text;
    } descriptions[] = {
        {"scene", [](K& c) -> QString& { return c.sceneDescriptions.back(); }},
        {"mask", [](K& c) -> QString& { return c.maskDescriptions.back(); }},
        {"program", [](K& c) -> QString& { return c.programDescriptions.back(); }},
        {"event", [](K& c) -> QString& { return c.eventDescriptions.back(); }},
        {"state", [](K& c) -> QString& { return c.stateDescriptions.back(); }},
        {"input", [](K& c) -> QString& { return c.inputDescriptions.back(); }},
        {"remote-control key", [](K& c) -> QString& { return c.rcuKeyDescriptions.back(); }},
        {"panel", [](K& c) -> QString& { return c.panelDescriptions.back(); }},
    };
    for (const auto& d : descriptions) {
        const auto text = d.text;
        QTest::addRow("%s description", d.name)
            << step([=](programSession& s) { text(controller(s)) += QLatin1Char('x'); }) << true;
    }

    QTest::newRow("fixture moved") << step([](programSession&) {
        lightEffect* f = theVisualProject->fixtures.at(1);
        f->posX += 5;
        f->storeGeometry();
    }) << true;
    QTest::newRow("fixture selected") << step([](programSession&) {
        theVisualProject->fixtures.at(1)->selected = !theVisualProject->fixtures.at(1)->selected;
    }) << true;
    QTest::newRow("group member added") << step([](programSession&) {
        theVisualProject->groups.at(0)->members.append(theVisualProject->fixtures.at(0));
    }) << true;
    QTest::newRow("group renamed") << step([](programSession&) {
        theVisualProject->groups.at(0)->name += QLatin1Char('!');
    }) << true;
    QTest::newRow("library item") << step([](programSession&) {
        xml_node* library = projectNode("library");
        QVERIFY(library && !library->nodes.isEmpty());
        library->nodes.first().setElement(QStringLiteral("model"), QStringLiteral("Other"));
    }) << true;
    QTest::newRow("field width") << step([](programSession& s) {
        s.rig->window->fieldWidthSpin->setValue(s.rig->window->fieldWidthSpin->value() + 1);
    }) << true;
    QTest::newRow("background darkened otherwise") << step([](programSession& s) {
        QComboBox* dark = s.rig->window->bkFactorCombo;
        dark->setCurrentIndex(dark->currentIndex() == 1 ? 2 : 1);
    }) << true;

    QTest::newRow("edits undone by hand") << step([=](programSession& s) {
        kv310_controller_class& c = controller(s);
        flip(s, img::sceneChannelsOf(5) + 9);
        programStep* first = c.programs.step(0, 0);
        first->scene = uint16_t(first->scene + 1);
        c.sceneDescriptions[6] += QLatin1Char('x');
        theVisualProject->fixtures.at(1)->selected = !theVisualProject->fixtures.at(1)->selected;
        QVERIFY(c.showChanged());
        flip(s, img::sceneChannelsOf(5) + 9);
        first->scene = uint16_t(first->scene - 1);
        c.sceneDescriptions[6].chop(1);
        theVisualProject->fixtures.at(1)->selected = !theVisualProject->fixtures.at(1)->selected;
    }) << false;
    QTest::newRow("every action cell editor opened and left") << step([](programSession& s) {
        gui_class* w = s.rig->window.get();
        kv310_controller_class& c = *s.rig->controller;
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->tabWidget_main->setCurrentIndex(0);
        w->tabWidget_events->setCurrentIndex(1);
        aevents_conf_widget* panel = w->dmxInEvents->actionPanel;
        QVERIFY(c.events.actionCount(panel->panelEvent) > 0);
        QVERIFY(!c.showChanged());
        QCOMPARE(openAndLeave(panel->actionTable, 0), panel->actionTable->model()->columnCount());
    }) << false;
    QTest::newRow("every step cell editor opened and left") << step([](programSession& s) {
        gui_class* w = s.rig->window.get();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->tabWidget_main->setCurrentIndex(2);
        QCOMPARE(w->programEditor->currentProgram, 0);
        QVERIFY(!s.rig->controller->showChanged());
        QVERIFY(openAndLeave(w->programEditor->stepTable, 1) >= 5);
    }) << false;
    // A save sorts the scenes of a coupled-scenes group.
    QTest::newRow("coupled scenes in another order") << step([=](programSession& s) {
        QList<uint16_t>& group = controller(s).coupledSceneGroups[0];
        QVERIFY(group.size() > 1);
        std::reverse(group.begin(), group.end());
    }) << false;
    QTest::newRow("no description, empty instead of null or the other way") << step([=](programSession& s) {
        QString& text = controller(s).sceneDescriptions[300];
        QVERIFY(text.isEmpty());
        text = text.isNull() ? QLatin1String("") : QString();
    }) << false;
    // Holds the description a send stores there: written by no save.
    QTest::newRow("image's project area") << step([=](programSession& s) { flip(s, img::projectArea + 3); })
                                          << false;
}

void tst_unsaved_work::everyEditASaveWritesCounts()
{
    QFETCH(step, work);
    QFETCH(bool, counts);

    programSession s;
    readGolden(s);
    if (QTest::currentTestFailed())
        return;
    kv310_controller_class& c = *s.rig->controller;
    QVERIFY(c.hasFingerprint());
    QVERIFY(!c.showChanged());
    work(s);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(c.showChanged(), counts);
}

void tst_unsaved_work::asksOnlyWhenTheShowChanged_data()
{
    QTest::addColumn<step>("work");
    QTest::addColumn<bool>("asks");

    QTest::newRow("nothing done") << step([](programSession&) {}) << false;
    QTest::newRow("every page shown") << step([](programSession& s) { showEveryPage(s.rig->window.get()); }) << false;
    QTest::newRow("scene level") << step(changeScene) << true;
    QTest::newRow("program steps, not yet packed") << step([](programSession& s) {
        s.rig->controller->programs.setStepCount(3, 2);
    }) << true;
    QTest::newRow("description") << step([](programSession& s) {
        s.rig->controller->sceneDescriptions[12] = QStringLiteral("Finale");
    }) << true;
    QTest::newRow("visual project area") << step([](programSession& s) {
        s.rig->window->fieldWidthSpin->setValue(2400);
    }) << true;
    QTest::newRow("changed, then saved") << step([](programSession& s) {
        changeScene(s);
        saveAs(s, QStringLiteral("show.31xcfg"));
    }) << false;
    QTest::newRow("saved, then changed") << step([](programSession& s) {
        saveAs(s, QStringLiteral("show.31xcfg"));
        changeScene(s);
    }) << true;
    QTest::newRow("changed, then another file read") << step([](programSession& s) {
        saveAs(s, QStringLiteral("show.31xcfg"));
        changeScene(s);
        s.rec.answerFile(s.dir.filePath(QStringLiteral("show.31xcfg")));
        s.rig->panel()->readFileButton->click();
    }) << false;
    QTest::newRow("changed, then cleared whole") << step([](programSession& s) {
        changeScene(s);
        clearWith(s, true);
    }) << false;
    QTest::newRow("changed, then cleared in part") << step([](programSession& s) {
        changeScene(s);
        clearWith(s, false);
    }) << true;
    QTest::newRow("changed, then read from the controller") << step([](programSession& s) {
        QVERIFY(s.rig->connect());
        changeScene(s);
        s.rig->panel()->readButton->click();
    }) << false;
    // The general settings page writes back a location it cannot show as
    // its default: a page first shown after the read repairs the show.
    QTest::newRow("file with a location out of range, its page shown late") << step([](programSession& s) {
        img::putI32(s.rig->controller->configImage, img::latitude, 70);
        saveAs(s, QStringLiteral("far.31xcfg"));
        clearWith(s, true);
        s.rec.answerFile(s.dir.filePath(QStringLiteral("far.31xcfg")));
        s.rig->panel()->readFileButton->click();
        QCOMPARE(img::getI32(s.rig->controller->configImage, img::latitude), 70);
        showTab(s, 7, 5);
        QCOMPARE(img::getI32(s.rig->controller->configImage, img::latitude), 50);
    }) << false;
    // The scene page gives a scene of all times 0 a duration as it shows
    // it: a repair, not work, though it comes after the read.
    QTest::newRow("file with a scene of all times 0, shown after the read") << step([](programSession& s) {
        readGolden(s);
        kv310_controller_class& c = *s.rig->controller;
        uint8_t* times = c.configImage + img::sceneTimesOf(0);
        QVERIFY(fadeTimes::read(times).duration != 0);
        fadeTimes{}.write(times);
        saveAs(s, QStringLiteral("zero.31xcfg"));
        readGolden(s);
        showTab(s, 2);
        s.rec.answerFile(s.dir.filePath(QStringLiteral("zero.31xcfg")));
        s.rig->panel()->readFileButton->click();
        QCOMPARE(fadeTimes::read(times).duration, uint16_t(0));
        showTab(s, 1);
        QCOMPARE(fadeTimes::read(times).duration, uint16_t(10));
        QVERIFY(s.rec.texts().contains(QStringLiteral("All times cannot equal 0!\nDuration will be fixed.")));
    }) << false;
    QTest::newRow("page shown late, then changed") << step([](programSession& s) {
        img::putI32(s.rig->controller->configImage, img::latitude, 70);
        saveAs(s, QStringLiteral("far.31xcfg"));
        s.rec.answerFile(s.dir.filePath(QStringLiteral("far.31xcfg")));
        s.rig->panel()->readFileButton->click();
        showTab(s, 7, 5);
        s.rig->window->timeZoneSpin->setValue(5);
    }) << true;
}

void tst_unsaved_work::asksOnlyWhenTheShowChanged()
{
    QFETCH(step, work);
    QFETCH(bool, asks);

    programSession s;
    work(s);
    if (QTest::currentTestFailed())
        return;
    s.rec.clear();
    if (asks)
        s.rec.answer(DISCARD);
    QVERIFY(s.rig->window->close());
    QCOMPARE(s.rec.texts().contains(question), asks);
    if (asks) {
        QCOMPARE(s.rec.entries.last().title, QStringLiteral("KvOrbit310+"));
        QCOMPARE(s.rec.entries.last().buttons, (QStringList{QStringLiteral("Save"), QStringLiteral("Discard"),
                                                            QStringLiteral("Cancel")}));
    }
}

void tst_unsaved_work::answers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("file");  // empty: the file dialog is cancelled
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");

    QTest::newRow("save") << int(SAVE) << QStringLiteral("kept.31xcfg") << true << true;
    QTest::newRow("save, file dialog cancelled") << int(SAVE) << QString() << false << false;
    QTest::newRow("discard") << int(DISCARD) << QString() << true << false;
    QTest::newRow("cancel") << int(CANCEL) << QString() << false << false;
}

void tst_unsaved_work::answers()
{
    QFETCH(int, answer);
    QFETCH(QString, file);
    QFETCH(bool, closes);
    QFETCH(bool, written);

    programSession s;
    changeScene(s);
    s.rec.answer(answer);
    if (answer == SAVE)
        s.rec.answerFile(file.isEmpty() ? QString() : s.dir.filePath(file));
    s.rig->window->show();
    QCOMPARE(s.rig->window->close(), closes);
    QCOMPARE(s.rig->window->isVisible(), !closes);
    QCOMPARE(QFile::exists(s.dir.filePath(QStringLiteral("kept.31xcfg"))), written);
    QCOMPARE(s.rec.pendingAnswers(), 0);
    // A window kept open asks again at the next close.
    if (!closes) {
        s.rec.answer(DISCARD);
        QVERIFY(s.rig->window->close());
    }
}

// File > Exit asks before any window goes: a cancelled exit leaves the
// auxiliary windows open too.
void tst_unsaved_work::exitAsksFirst()
{
    programSession s;
    QVERIFY(s.rig->connect());
    gui_class* w = s.rig->window.get();
    w->show();
    w->viewStatesAction->trigger();
    QVERIFY(w->viewStatesAction->isChecked());
    changeScene(s);
    s.rec.clear();
    s.rec.answer(CANCEL);
    w->exitAction->trigger();
    QCOMPARE(s.rec.texts(), QStringList{question});
    QVERIFY(w->isVisible());
    QVERIFY(w->viewStatesAction->isChecked());
}

// The check costs a pass over the show only where the show may have become
// another: at start, at a read, a save or a clear of everything, and where
// a page repairs what it cannot show. Showing a page, first or again, built
// then or before, costs none, nor does a new window for another language.
void tst_unsaved_work::fingerprintsOnlyWhereTheShowMayHaveChanged()
{
    programSession s(false);
    kv310_controller_class& c = *s.rig->controller;
    const QString golden = goldenCopy(s.dir, QStringLiteral("show.31xcfg"));
    QVERIFY(!golden.isEmpty());
    c.read_confDataFromFile(golden);
    s.rig->window = std::make_unique<gui_class>(&c, nullptr, gui_class::windowBuild::visibleFirst);
    theMainWindow = s.rig->window.get();
    s.rig->window->show();
    QCOMPARE(c.fingerprintsComputed, 0);
    s.rig->window->finishStart();
    QCOMPARE(c.fingerprintsComputed, 1);

    const auto costOf = [&c](const std::function<void()>& work) {
        const int before = c.fingerprintsComputed;
        work();
        return c.fingerprintsComputed - before;
    };
    QCOMPARE(costOf([&s] { showEveryPage(s.rig->window.get()); }), 0);
    QCOMPARE(costOf([&s] { showEveryPage(s.rig->window.get()); }), 0);
    QCOMPARE(costOf([&s, &golden] {
                 s.rec.answerFile(golden);
                 s.rig->panel()->readFileButton->click();
             }),
             1);
    QCOMPARE(costOf([&s] { showEveryPage(s.rig->window.get()); }), 0);
    QCOMPARE(costOf([&s] { saveAs(s, QStringLiteral("saved.31xcfg")); }), 1);
    QCOMPARE(costOf([&s] { clearWith(s, true); }), 1);
    QCOMPARE(costOf([&s] {
                 s.rig->window.reset();
                 theMainWindow = nullptr;
                 s.rig->window = std::make_unique<gui_class>(s.rig->controller.get(), nullptr,
                                                             gui_class::windowBuild::visibleFirst);
                 theMainWindow = s.rig->window.get();
                 s.rig->window->finishStart();
                 showEveryPage(s.rig->window.get());
             }),
             0);
    QVERIFY(!c.showChanged());
}

QTEST_MAIN(tst_unsaved_work)
#include "tst_unsaved_work.moc"
