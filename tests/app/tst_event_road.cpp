// The road of an event edit through the program's own window: the On event
// of input 3 gets an action, its number is edited in the action table, and
// the show is saved and loaded again with the page still on that event. And
// a sequence, a timer and a delay set on their pages come back from a file.

#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "editors/events/aevents_clock_set_widget.h"
#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "editors/events/aevents_dmxout_widget.h"
#include "editors/events/aevents_inputs_widget.h"
#include "editors/events/aevents_tableview_delegate.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/programs/aseq_conf_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"
#include "program_rig.h"

#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTest>
#include <memory>

namespace {

constexpr int INPUT3_ON = EVENT_INPUT + 4;

}  // namespace

class tst_event_road : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { session = std::make_unique<programSession>(); }
    void cleanup() { session.reset(); }
    void inputActionAddedEditedSavedAndLoaded();
    void outputEventsStayWithinTheirRangeAfterALoad();
    void sequenceTimerAndDelaySavedAndLoaded();

private:
    std::unique_ptr<programSession> session;
};

void tst_event_road::inputActionAddedEditedSavedAndLoaded()
{
    gui_class* w = session->rig->window.get();
    kv310_controller_class* c = session->rig->controller.get();
    w->tabWidget_main->setCurrentIndex(0);
    w->tabWidget_events->setCurrentIndex(0);
    aevents_inputs_widget* page = w->inputsEvents;

    // 1. The On row of input 3 makes its event current.
    page->eventList->setCurrentCell(4, 0);
    QCOMPARE(page->actionPanel->panelEvent, INPUT3_ON);

    // 2. "Add" appends Scene 1, Off.
    page->actionPanel->addActionButton->click();
    QCOMPARE(c->events.actionCount(INPUT3_ON), 1);
    aevents_tableview_widget* table = page->actionPanel->actionTable;
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("1"));

    // 3. The No. cell is edited to scene 7; the table and the delay page reload.
    const int delayReloads = w->delayEvents->refreshCount;
    const QModelIndex cell = table->model()->index(0, 1);
    std::unique_ptr<QWidget> editor(table->actionDelegate->createEditor(table->viewport(), QStyleOptionViewItem(), cell));
    auto* spin = qobject_cast<QSpinBox*>(editor.get());
    QVERIFY(spin);
    table->actionDelegate->setEditorData(spin, cell);
    spin->setValue(7);
    table->actionDelegate->setModelData(spin, table->model(), cell);
    QCOMPARE(c->events.number(INPUT3_ON, 0), 6);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("7"));
    QCOMPARE(w->delayEvents->refreshCount, delayReloads + 1);

    // 4. Saved, cleared in memory, loaded: the page is still on input 3 On.
    const QString file = session->dir.filePath(QStringLiteral("road.31xcfg"));
    session->rec.answerFile(file);
    w->rightPanel->saveConfToFileClick(true);
    c->events.removeAction(INPUT3_ON, 0);
    page->refresh();
    QCOMPARE(table->rowCount(), 0);
    session->rec.answerFile(file);
    w->rightPanel->readConfFromFileClick(true);
    QCOMPARE(page->eventList->currentRow(), 4);
    QCOMPARE(page->currentEvent, INPUT3_ON);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("7"));
}

void tst_event_road::outputEventsStayWithinTheirRangeAfterALoad()
{
    gui_class* w = session->rig->window.get();
    kv310_controller_class* c = session->rig->controller.get();
    aevents_dmxout_widget* page = w->dmxOutEvents;
    uint8_t* image = c->configImage;

    img::putU16(image, img::outEventFirstChannel, 2);
    img::putU16(image, img::outEventLastChannel, 4);
    w->fileRead();
    w->tabWidget_main->setCurrentIndex(0);
    w->tabWidget_events->setCurrentIndex(6);
    QCOMPARE(page->eventList->rowCount(), 6);
    page->eventList->setCurrentCell(5, 0);
    QCOMPARE(page->currentEvent, 0xC09);

    // Generation off: the window writes 65536 for both ends; the page lists no event.
    img::putU16(image, img::outEventFirstChannel, 0xFFFF);
    img::putU16(image, img::outEventLastChannel, 0xFFFF);
    w->deviceRead();
    page->refresh();
    QCOMPARE(page->eventList->rowCount(), 1);
    QCOMPARE(page->firstChannel, 513);
    QCOMPARE(page->lastChannel, 512);
    QCOMPARE(page->currentEvent, 0xC09);
}

void tst_event_road::sequenceTimerAndDelaySavedAndLoaded()
{
    gui_class* w = session->rig->window.get();
    kv310_controller_class* c = session->rig->controller.get();

    // Sequence 4 gets three steps and a scene on its second step.
    w->tabWidget_main->setCurrentIndex(3);
    aseq_settings_widget* sequences = w->sequenceEditor;
    sequences->sequenceList->setCurrentCell(3, 0);
    sequences->stepCountBox->setValue(3);
    aseq_conf_widget* steps = sequences->stepTable;
    steps->setCurrentIndex(steps->model()->index(1, 0));
    sequences->actionPanel->addActionButton->click();
    QCOMPARE(c->events.actionCount(EVENT_DELAY_END + 0), 2);  // the link and the scene

    // Timer 5 fires at 7:30 on Mondays and switches something.
    w->tabWidget_main->setCurrentIndex(0);
    w->tabWidget_events->setCurrentIndex(2);
    aevents_clock_widget* clock = w->clockEvents;
    clock->eventList->setCurrentCell(4, 0);
    clock->clearButton->click();
    clock->timerForm->checkBoxHourAny->click();
    clock->timerForm->spinBoxHour->setValue(7);
    clock->timerForm->checkBoxMinAny->click();
    clock->timerForm->spinBoxMin->setValue(30);
    clock->timerForm->checkBoxDwAny->click();
    clock->actionPanel->addActionButton->click();
    const QString timerText = QStringLiteral("07:30 Mo --.--.----");
    QCOMPARE(clock->eventList->text(4, 1), timerText);

    // Delay 20 runs 1.5 s.
    img::putU32(c->configImage, img::delaysOf(19), 0xFFF00000u | 15u);

    const QString file = session->dir.filePath(QStringLiteral("sequence.31xcfg"));
    session->rec.answerFile(file);
    w->rightPanel->saveConfToFileClick(true);
    c->ClearConfig(0xFFFFF);
    session->rec.answerFile(file);
    w->rightPanel->readConfFromFileClick(true);

    QCOMPARE(c->sequenceDelays[3], (QList<uint16_t>{0, 1, 2}));
    QCOMPARE(sequences->currentSequence, 0);
    w->tabWidget_main->setCurrentIndex(3);
    sequences->sequenceList->setCurrentCell(3, 0);
    QCOMPARE(sequences->stepCountBox->value(), 3);
    QCOMPARE(steps->model()->rowCount(), 4);
    steps->setCurrentIndex(steps->model()->index(1, 0));
    QCOMPARE(sequences->actionPanel->actionTable->rowCount(), 1);

    w->tabWidget_main->setCurrentIndex(0);
    QCOMPARE(clock->eventList->text(4, 1), timerText);
    w->tabWidget_events->setCurrentIndex(4);
    QCOMPARE(w->delayEvents->eventList->text(19, 1), QStringLiteral("0h 0m 1.5s"));
    QCOMPARE(w->delayEvents->eventList->text(1, 1), QStringLiteral("0h 0m 0.1s"));
}

QTEST_MAIN(tst_event_road)
#include "tst_event_road.moc"
