#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "transport/protocol.h"
#include "program_rig.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

// The scene page in the program's window, on a simulated controller.
class tst_scene_live : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void liveEditingReachesTheController();
    void theChannelLimitReachesThePage();

private:
    std::unique_ptr<programSession> session;
};

void tst_scene_live::init()
{
    session = std::make_unique<programSession>();
}

void tst_scene_live::cleanup()
{
    session.reset();
}

void tst_scene_live::liveEditingReachesTheController()
{
    programRig& rig = *session->rig;
    uint8_t* scene = rig.controller->configImage + img::sceneChannelsOf(2);
    for (int ch = 0; ch < 512; ++ch)
        scene[ch] = uint8_t(ch % 200);
    gui_class& w = *rig.window;
    ascene_settings_widget* page = w.sceneEditor;
    QCOMPARE(w.tabWidget_main->currentIndex(), 1);
    page->sceneList->setCurrentCell(2, 0);
    QVERIFY(rig.connect());

    rig.panel()->liveButton->click();
    QCOMPARE(rig.controller->uiMode, 2);
    QVERIFY(rig.sim->liveFramesTaken > 0);
    QCOMPARE(rig.sim->output, QByteArray(reinterpret_cast<const char*>(scene), 512));

    page->sliderBank->scrollBar->setValue(40);
    page->sliderBank->sliders[3]->slider->setValue(222);
    QCOMPARE(scene[43], uint8_t(222));
    QCOMPARE(uint8_t(rig.sim->output[43]), uint8_t(222));

    // Back to normal: the page edits the image alone.
    rig.panel()->normalButton->click();
    rig.sim->log.clear();
    page->sliderBank->sliders[3]->slider->setValue(11);
    QCOMPARE(scene[43], uint8_t(11));
    QVERIFY(rig.sim->logOf(SET_LIVE_VALUE).isEmpty());
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_scene_live::theChannelLimitReachesThePage()
{
    gui_class& w = *session->rig->window;
    w.dmxOutSettings->settingsPanel->spinChnlMax->setValue(100);
    QCOMPARE(channelCount, 100);
    QCOMPARE(w.sceneEditor->sliderBank->scrollBar->maximum(), 90);
    QVERIFY(!w.sceneEditor->channelGrid->isEnabled(100));
    w.dmxOutSettings->settingsPanel->spinChnlMax->setValue(512);
    QVERIFY(w.sceneEditor->channelGrid->isEnabled(511));
    QCOMPARE(w.sceneEditor->sliderBank->scrollBar->maximum(), 502);
}

QTEST_MAIN(tst_scene_live)
#include "tst_scene_live.moc"
