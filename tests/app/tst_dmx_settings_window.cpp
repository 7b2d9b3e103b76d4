#include "app/gui_class.h"
#include "editors/events/aevents_dmxout_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"
#include "program_rig.h"

#include <QStandardItemModel>
#include <QTest>

// The DMX output settings in the program's window: what they tell the
// editors and the DMX output events page.
class tst_dmx_settings_window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void theChannelLimitReachesTheEditors();
    void eventGenerationReachesTheEventsPage();
    void aFileWithAnUnboundedEventRange();

private:
    std::unique_ptr<programSession> session;
    gui_class& window() { return *session->rig->window; }
    asettings_dmx_set_widget* panel() { return window().dmxOutSettings->settingsPanel; }
    uint8_t* image() { return session->rig->controller->configImage; }
};

void tst_dmx_settings_window::init()
{
    session = std::make_unique<programSession>();
}

void tst_dmx_settings_window::cleanup()
{
    session.reset();
}

void tst_dmx_settings_window::theChannelLimitReachesTheEditors()
{
    gui_class& w = window();
    w.sceneEditor->selectionGroup->toBox->setValue(300);
    panel()->spinChnlMax->setValue(24);
    QCOMPARE(w.dmxOutSettings->channelModel->rowCount(), 24);
    QCOMPARE(img::getU16(image(), img::outputChannelCount), 24);
    QCOMPARE(channelCount, 24);
    for (QSpinBox* box : {static_cast<QSpinBox*>(w.sceneEditor->selectionGroup->fromBox),
                          static_cast<QSpinBox*>(w.sceneEditor->selectionGroup->toBox)}) {
        QCOMPARE(box->minimum(), 1);
        QCOMPARE(box->maximum(), 24);
    }
    QCOMPARE(w.sceneEditor->selectionGroup->toBox->value(), 24);

    panel()->spinChnlMax->setValue(512);
    QCOMPARE(w.sceneEditor->selectionGroup->fromBox->maximum(), 512);
    QCOMPARE(w.sceneEditor->selectionGroup->toBox->maximum(), 512);
    QCOMPARE(w.dmxOutSettings->channelModel->rowCount(), 512);
}

void tst_dmx_settings_window::eventGenerationReachesTheEventsPage()
{
    gui_class& w = window();
    aevents_dmxout_widget* events = w.dmxOutEvents;
    QVERIFY(!w.tabWidget_events->isTabEnabled(6));
    const int refreshes = events->refreshCount;

    panel()->gbEvGen->setChecked(true);
    QVERIFY(w.tabWidget_events->isTabEnabled(6));
    QCOMPARE(events->firstChannel, 512);
    QCOMPARE(events->lastChannel, 512);
    QCOMPARE(events->refreshCount, refreshes + 1);

    panel()->sbFromCh->setValue(500);
    QCOMPARE(events->firstChannel, 500);
    QCOMPARE(events->lastChannel, 512);

    panel()->gbEvGen->setChecked(false);
    QVERIFY(!w.tabWidget_events->isTabEnabled(6));
    QCOMPARE(events->firstChannel, 513);
    QCOMPARE(events->lastChannel, 512);
    QCOMPARE(img::getU16(image(), img::outEventFirstChannel), 0xFFFF);
}

void tst_dmx_settings_window::aFileWithAnUnboundedEventRange()
{
    programRig& rig = *session->rig;
    img::putU16(image(), img::outEventFirstChannel, 9);
    img::putU16(image(), img::outEventLastChannel, 0xFFFF);
    const QString fileName = session->dir.path() + QStringLiteral("/unbounded.31xcfg");
    rig.controller->write_confDataToFile(fileName, false);
    img::putU16(image(), img::outEventFirstChannel, 0xFFFF);
    img::putU16(image(), img::outEventLastChannel, 0);

    // Read with the "DMX Output" settings in front.
    window().tabWidget_main->setCurrentIndex(7);
    window().tabWidget_settings->setCurrentIndex(1);
    rig.controller->read_confDataFromFile(fileName);
    QCOMPARE(img::getU16(image(), img::outEventLastChannel), 0xFFFF);
    QCOMPARE(window().dmxOutEvents->firstChannel, 10);
    QCOMPARE(window().dmxOutEvents->lastChannel, 512);
    QVERIFY(window().tabWidget_events->isTabEnabled(6));
    QVERIFY(panel()->gbEvGen->isChecked());
    QCOMPARE(panel()->sbFromCh->value(), 10);
    QCOMPARE(panel()->sbToCh->value(), 512);

    // A window built on that configuration (after a change of language) shows the same.
    rig.window.reset();
    rig.window = std::make_unique<gui_class>(rig.controller.get(), nullptr);
    theMainWindow = rig.window.get();
    QCOMPARE(window().dmxOutEvents->firstChannel, 10);
    QCOMPARE(window().dmxOutEvents->lastChannel, 512);
    QCOMPARE(img::getU16(image(), img::outEventLastChannel), 0xFFFF);
}

QTEST_MAIN(tst_dmx_settings_window)
#include "tst_dmx_settings_window.moc"
