// Typing reaches the model: a number or text typed key by key into a box of
// the window, then Enter, is what the show holds, also where the first digits
// typed are a number of their own (the "not set" minimum, a number the box
// would clamp or redraw). And every box with a special text for its minimum
// stores typed digits only when they are complete.

#include "app/gui_class.h"
#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_inputs_widget.h"
#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/events.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "editors/programs/aseq_settings_widget.h"
#include "settings/asettings_dmx_in_widget.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "settings/asettings_ired_tab.h"
#include "support/golden_files.h"
#include "visit_rig.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <functional>

namespace {

using showValue = std::function<QString(kv310_controller_class&)>;

// A box of the window that stores into the show: how the user reaches it
// (the box, or the cell editor opened), and what the show holds.
struct typingTarget {
    std::function<QWidget*(gui_class*, kv310_controller_class&)> reach;
    showValue stored;
};

QString word(kv310_controller_class& c, uint32_t offset)
{
    return QString::number(img::getU16(c.configImage, offset));
}

void showTab(gui_class* w, int main, QTabWidget* sub = nullptr, int index = 0)
{
    w->tabWidget_main->setCurrentIndex(main);
    if (sub)
        sub->setCurrentIndex(index);
    visit::settle();
}

// The cell editor the view opens on a cell, as a double click opens it.
QWidget* openEditor(QAbstractItemView* view, int row, int column)
{
    const QModelIndex index = view->model()->index(row, column);
    view->setCurrentIndex(index);
    view->edit(index);
    visit::settle();
    for (QAbstractSpinBox* box : view->viewport()->findChildren<QAbstractSpinBox*>()) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

const QMap<QString, typingTarget>& targets()
{
    static const QMap<QString, typingTarget> table{
        {"start scene",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 6, w->tabWidget_actives, 0);
              w->activeScenes->setChecked(true);  // "Enable active scenes"
              return w->activeScenes->startSceneBox;
          },
          [](kv310_controller_class& c) { return word(c, img::asStartScene); }}},
        {"start event",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 6, w->tabWidget_actives, 0);
              w->activeScenes->setChecked(true);  // "Enable active scenes"
              return w->activeScenes->startEventBox;
          },
          [](kv310_controller_class& c) { return word(c, img::asStartEvent); }}},
        {"control channel",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 6, w->tabWidget_actives, 0);
              w->activeScenes->setChecked(true);  // "Enable active scenes"
              return w->activeScenes->controlChannelBox;
          },
          [](kv310_controller_class& c) { return word(c, img::asControlChannel); }}},
        {"sector from",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 6, w->tabWidget_actives, 0);
              w->activeScenes->setChecked(true);
              return openEditor(w->activeScenes->sectorTable, 2, 1);
          },
          [](kv310_controller_class& c) {
              return QString::number(sectorRange::read(c.configImage + img::asSectorRangesOf(2)).from);
          }}},
        {"recurrences",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 2);
              return w->programEditor->recurrencesBox;
          },
          [](kv310_controller_class& c) { return QString::number(c.programs.recurrences(0)); }}},
        {"chained internal event",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 2);
              w->programEditor->chainTypeBox->setCurrentIndex(3);  // "Internal Event"
              return w->programEditor->chainNumberBox;
          },
          [](kv310_controller_class& c) { return word(c, img::programChainEventOf(0)); }}},
        {"program steps",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 2);
              return w->programEditor->stepCountBox;
          },
          [](kv310_controller_class& c) { return QString::number(c.programs.stepCount(0)); }}},
        {"step event",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 2);
              w->programEditor->toolTabs->setCurrentIndex(0);  // "Single Steps"
              w->programEditor->programList->setCurrentCell(0, 0);
              return openEditor(w->programEditor->stepTable, 0, 5);
          },
          [](kv310_controller_class& c) { return QString::number(c.programs.stepEvent(0, 0)); }}},
        {"action number",
         {[](gui_class* w, kv310_controller_class& c) {
              showTab(w, 0, w->tabWidget_events, 0);
              const int id = w->inputsEvents->currentEvent;
              while (c.events.actionCount(id) > 0)
                  c.events.removeAction(id, 0);
              c.events.appendAction(id);  // scene 1 off
              w->refresh();
              return openEditor(w->inputsEvents->actionPanel->actionTable, 0, 1);
          },
          [](kv310_controller_class& c) { return QString::number(c.events.number(EVENT_INPUT, 0)); }}},
        {"fader",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 1);
              return w->sceneEditor->sliderBank->sliders.at(0)->valueBox;
          },
          [](kv310_controller_class& c) { return QString::number(c.configImage[img::sceneChannelsOf(0)]); }}},
        {"scene description",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 1);
              return w->sceneEditor->descriptionEdit;
          },
          [](kv310_controller_class& c) { return c.sceneDescriptions[0]; }}},
        {"mask description",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 4);
              return w->maskEditor->descriptionEdit;
          },
          [](kv310_controller_class& c) { return c.maskDescriptions[0]; }}},
        {"program description",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 2);
              return w->programEditor->descriptionEdit;
          },
          [](kv310_controller_class& c) { return c.programDescriptions[0]; }}},
        {"input event description",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 0, w->tabWidget_events, 0);
              return w->inputsEvents->descriptionEdit;
          },
          [](kv310_controller_class& c) { return c.eventDescriptions[EVENT_INPUT]; }}},
        {"sun delay",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 0, w->tabWidget_events, 2);
              w->clockEvents->eventList->setCurrentCell(0, 0);
              return w->clockEvents->sunDelayBox;
          },
          [](kv310_controller_class& c) { return QString::number(int8_t(c.configImage[img::sunriseDelay])); }}},
        {"DMX input limit",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 7, w->tabWidget_settings, 2);
              return w->dmxInSettings->inputLimitBox;
          },
          [](kv310_controller_class& c) { return word(c, img::inputChannelLimit); }}},
        {"latitude",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 7, w->tabWidget_settings, 5);
              w->sunEventsGroup->setChecked(true);
              return w->latitudeSpin;
          },
          [](kv310_controller_class& c) { return QString::number(img::getI32(c.configImage, img::latitude)); }}},
        {"time zone",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 7, w->tabWidget_settings, 5);
              w->sunEventsGroup->setChecked(true);
              return w->timeZoneSpin;
          },
          [](kv310_controller_class& c) { return QString::number(img::getI32(c.configImage, img::timeZone)); }}},
        {"longitude",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 7, w->tabWidget_settings, 5);
              w->sunEventsGroup->setChecked(true);
              return w->longitudeSpin;
          },
          [](kv310_controller_class& c) { return QString::number(img::getI32(c.configImage, img::longitude)); }}},
        {"output channel limit",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 7, w->tabWidget_settings, 1);
              return w->dmxOutSettings->settingsPanel->spinChnlMax;
          },
          [](kv310_controller_class& c) { return word(c, img::outputChannelCount); }}},
        {"break between frames",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 7, w->tabWidget_settings, 1);
              return w->dmxOutSettings->settingsPanel->sbMbft;
          },
          [](kv310_controller_class& c) { return word(c, img::mbftCode); }}},
        {"sequence description",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 3);
              return w->sequenceEditor->descriptionEdit;
          },
          [](kv310_controller_class& c) { return c.eventDescriptions[EVENT_SEQUENCE_START]; }}},
        {"remote-control button description",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 7, w->tabWidget_settings, 3);
              QTableView* buttons = w->tab_settings_ired->buttonView;
              buttons->setCurrentIndex(buttons->model()->index(0, 0));
              return w->tab_settings_ired->descriptionEdit;
          },
          [](kv310_controller_class& c) { return c.rcuKeyDescriptions[0]; }}},
        {"field height",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 5);
              return w->fieldHeightSpin;
          },
          [](kv310_controller_class&) { return theMainWindow->projectField().height; }}},
        {"field width",
         {[](gui_class* w, kv310_controller_class&) {
              showTab(w, 5);
              return w->fieldWidthSpin;
          },
          [](kv310_controller_class&) { return theMainWindow->projectField().width; }}},
    };
    return table;
}

}  // namespace

class tst_typing_invariants : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingReachesTheModel_data();
    void typingReachesTheModel();
    void boxesWithASpecialMinimumStoreOnEnter();
};

void tst_typing_invariants::typingReachesTheModel_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    const auto row = [](const char* target, const char* typed, const QString& stored) {
        QTest::addRow("%s: %s", target, typed) << QString::fromLatin1(target) << QString::fromUtf8(typed) << stored;
    };
    const QString notSet = QString::number(0xFFFF);
    // "1" is "not set" in the start event box, "0" in the other two.
    row("start event", "15", "14");
    row("start event", "100", "99");
    row("start event", "1000", "999");
    row("start event", "1008", "1007");
    row("start event", "1", notSet);
    row("start scene", "12", "11");
    row("start scene", "2304", "2303");
    row("start scene", "0", notSet);
    row("control channel", "10", "9");
    row("control channel", "512", "511");
    row("control channel", "0", notSet);
    row("sector from", "10", "9");
    row("sector from", "100", "99");
    row("recurrences", "10", "10");
    row("recurrences", "0", "0");
    row("chained internal event", "15", QString::number(0x400 + 14));
    row("chained internal event", "1024", QString::number(0x7FF));
    row("program steps", "12", "12");
    row("step event", "15", QString::number(0x400 + 14));
    row("step event", "0", notSet);
    row("action number", "10", "9");
    row("action number", "100", "99");
    row("fader", "200", "200");
    row("fader", "25", "25");
    row("scene description", "Finale", "Finale");
    row("mask description", "Wash 1", "Wash 1");
    row("program description", "Opening", "Opening");
    row("input event description", "Door", "Door");
    row("sun delay", "30", "6");
    row("sun delay", "-12", "-2");
    row("DMX input limit", "100", "100");
    row("DMX input limit", "5", "5");
    row("latitude", "45", "45");
    row("latitude", "-45", "-45");
    row("time zone", "-5", "-5");
    row("longitude", "-120", "-120");
    row("output channel limit", "300", "300");
    row("output channel limit", "48", "48");
    // "no delay" is 8 µs; 9 and 10 µs share the first code.
    row("break between frames", "8", "0");
    row("break between frames", "10", "1");
    row("break between frames", "88", "78");
    row("sequence description", "Chase", "Chase");
    row("remote-control button description", "Play", "Play");
    row("field width", "1500", "1500");
    row("field height", "100000", "100000");
}

void tst_typing_invariants::typingReachesTheModel()
{
    QFETCH(QString, target);
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    programSession session;
    QTemporaryDir files;
    session.rig->controller->read_confDataFromFile(goldenCopy(files, QStringLiteral("show.31xcfg")));
    gui_class* w = session.rig->window.get();
    w->show();
    visit::settle();

    QVERIFY2(targets().contains(target), qPrintable(target));
    const typingTarget& t = targets()[target];
    QWidget* box = t.reach(w, *session.rig->controller);
    QVERIFY(box);
    QVERIFY(box->isEnabled());
    box->setFocus();
    // The box holds another number than the one shown first.
    QTest::keyClick(box, Qt::Key_Up);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key_Return);
    visit::settle();
    QCOMPARE(t.stored(*session.rig->controller), stored);
}

// Found in the window as it is, on every page and sub-page, so a box added
// later is checked without being named; the cell editors with such a box
// are opened.
void tst_typing_invariants::boxesWithASpecialMinimumStoreOnEnter()
{
    programSession session;
    QTemporaryDir files;
    session.rig->controller->read_confDataFromFile(goldenCopy(files, QStringLiteral("show.31xcfg")));
    gui_class* w = session.rig->window.get();
    w->show();
    QStringList tracking;
    const auto check = [&tracking](QWidget* scope) {
        for (QAbstractSpinBox* box : scope->findChildren<QAbstractSpinBox*>()) {
            auto* spin = qobject_cast<QSpinBox*>(box);
            if (spin && !spin->specialValueText().isEmpty() && box->keyboardTracking())
                tracking << box->parentWidget()->metaObject()->className() + QStringLiteral("/")
                                + spin->specialValueText();
        }
    };
    visit::walk(w, check);
    for (const char* name : {"sector from", "step event", "action number"}) {
        QWidget* editor = targets()[QString::fromLatin1(name)].reach(w, *session.rig->controller);
        QVERIFY2(editor, name);
        check(editor->parentWidget());
        QTest::keyClick(editor, Qt::Key_Escape);
        visit::settle();
    }
    tracking.removeDuplicates();
    QVERIFY2(tracking.isEmpty(), qPrintable(tracking.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_typing_invariants)
#include "tst_typing_invariants.moc"
