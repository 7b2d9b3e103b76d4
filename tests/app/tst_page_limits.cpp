#include "app/gui_class.h"
#include "editors/events/aevents_dmxout_widget.h"
#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/clear_flags.h"
#include "model/config_image.h"
#include "settings/asettings_dmx_in_widget.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/page_list.h"
#include "program_rig.h"

#include "support/golden_files.h"

#include <QGroupBox>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

// The window a change of language builds in place of the old one.
void rebuild(programRig& rig)
{
    rig.window.reset();
    theMainWindow = nullptr;
    rig.window = std::make_unique<gui_class>(rig.controller.get(), nullptr);
    theMainWindow = rig.window.get();
}

// The channel the last of a bank's faders shows once the bank is scrolled to
// its end: the highest channel the bank lets the user reach.
int lastChannelReached(admx512_sliders_widget* bank)
{
    bank->scrollBar->setValue(bank->scrollBar->maximum());
    return bank->sliders.back()->channelNumber;
}

void setOutputLimit(gui_class& w, int n)
{
    w.tabWidget_main->setCurrentIndex(7);
    w.tabWidget_settings->setCurrentIndex(1);
    w.dmxOutSettings->settingsPanel->spinChnlMax->setValue(n);
}

}  // namespace

// A limit the user sets on one page governs every page that uses it, at once
// and in a window built later (after a change of language, or over a file
// read before the first window).
class tst_page_limits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void theOutputChannelLimit_data();
    void theOutputChannelLimit();
    void theOutputEventRange_data();
    void theOutputEventRange();
    void theInputChannelLimit_data();
    void theInputChannelLimit();

private:
    std::unique_ptr<programSession> session;
};

void tst_page_limits::init()
{
    session = std::make_unique<programSession>();
}

void tst_page_limits::cleanup()
{
    session.reset();
}

void tst_page_limits::theOutputChannelLimit_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("limit");
    QTest::newRow("set on the DMX Output page") << "set" << 300;
    QTest::newRow("the least") << "set" << 24;
    QTest::newRow("raised again") << "raised" << 512;
    QTest::newRow("read from a file") << "read" << 300;
    QTest::newRow("read before the window was built") << "read first" << 300;
    QTest::newRow("set, then the window rebuilt") << "rebuilt" << 300;
}

void tst_page_limits::theOutputChannelLimit()
{
    QFETCH(QString, how);
    QFETCH(int, limit);
    programRig& rig = *session->rig;
    const QString show = goldenCopy(session->dir, QStringLiteral("show.31xcfg"));
    if (how == QLatin1String("set")) {
        setOutputLimit(*rig.window, limit);
    } else if (how == QLatin1String("raised")) {
        setOutputLimit(*rig.window, 100);
        setOutputLimit(*rig.window, limit);
    } else if (how == QLatin1String("read")) {
        rig.controller->read_confDataFromFile(show);
    } else if (how == QLatin1String("read first")) {
        // As a file named on the command line: read while no window exists.
        rig.window.reset();
        theMainWindow = nullptr;
        rig.controller->ClearConfig(CLEAR_ALL);
        rig.controller->readFirstConfiguration(show);
        rebuild(rig);
    } else {
        setOutputLimit(*rig.window, limit);
        rebuild(rig);
    }
    gui_class& w = *rig.window;

    QCOMPARE(int(img::getU16(rig.controller->configImage, img::outputChannelCount)), limit);
    QCOMPARE(w.dmxOutSettings->settingsPanel->spinChnlMax->value(), limit);
    QCOMPARE(w.dmxOutSettings->channelView->model()->rowCount(), limit);

    // Every bank of faders reaches the limit and no further.
    QCOMPARE(lastChannelReached(w.sceneEditor->sliderBank.get()), limit);
    QCOMPARE(lastChannelReached(w.maskEditor->sliderBank.get()), limit);
    QCOMPARE(lastChannelReached(w.activeSceneEditor->sliders.get()), limit);

    // The channel groups of the scene and mask pages offer the channels
    // below the limit, and their range boxes end at it.
    for (arecord_settings_widget* page : {static_cast<arecord_settings_widget*>(w.sceneEditor),
                                          static_cast<arecord_settings_widget*>(w.maskEditor)}) {
        int offered = 0;
        for (int ch = 0; ch < page->channelGrid->cells(); ++ch)
            offered += page->channelGrid->isEnabled(ch);
        QCOMPARE(offered, limit);
        QVERIFY(page->channelGrid->isEnabled(limit - 1));
        QCOMPARE(page->selectionGroup->fromBox->maximum(), limit);
        QCOMPARE(page->selectionGroup->toBox->maximum(), limit);
    }
    // So does the range of the DMX input page's bulk tool.
    QCOMPARE(w.dmxInSettings->fromBox->maximum(), limit);
    QCOMPARE(w.dmxInSettings->toBox->maximum(), limit);
}

void tst_page_limits::theOutputEventRange_data()
{
    QTest::addColumn<bool>("rebuilt");
    QTest::newRow("at once") << false;
    QTest::newRow("after a rebuild") << true;
}

void tst_page_limits::theOutputEventRange()
{
    QFETCH(bool, rebuilt);
    programRig& rig = *session->rig;
    {
        gui_class& w = *rig.window;
        w.tabWidget_main->setCurrentIndex(7);
        w.tabWidget_settings->setCurrentIndex(1);
        asettings_dmx_set_widget* panel = w.dmxOutSettings->settingsPanel;
        panel->gbEvGen->setChecked(true);
        panel->sbToCh->setValue(5);
        panel->sbFromCh->setValue(3);
    }
    if (rebuilt)
        rebuild(rig);
    gui_class& w = *rig.window;

    // The events page lists channels 3 to 5, on and off, and nothing else.
    w.tabWidget_main->setCurrentIndex(0);
    QVERIFY(w.tabWidget_events->isTabEnabled(6));
    w.tabWidget_events->setCurrentIndex(6);
    pageListView* list = w.dmxOutEvents->eventList;
    QCOMPARE(list->rowCount(), 6);
    QVERIFY(list->text(0).contains(QStringLiteral("Ch. 3 ")));
    QVERIFY(list->text(5).contains(QStringLiteral("Ch. 5 ")));
}

void tst_page_limits::theInputChannelLimit_data()
{
    QTest::addColumn<bool>("rebuilt");
    QTest::newRow("at once") << false;
    QTest::newRow("after a rebuild") << true;
}

void tst_page_limits::theInputChannelLimit()
{
    QFETCH(bool, rebuilt);
    programRig& rig = *session->rig;
    {
        gui_class& w = *rig.window;
        w.tabWidget_main->setCurrentIndex(7);
        w.tabWidget_settings->setCurrentIndex(2);
        QSpinBox* limitBox = w.dmxInSettings->inputLimitBox;
        limitBox->setValue(40);
        emit limitBox->editingFinished();
    }
    QCOMPARE(int(img::getU16(rig.controller->configImage, img::inputChannelLimit)), 40);
    if (rebuilt)
        rebuild(rig);
    gui_class& w = *rig.window;

    // The active scenes' control channel reaches no channel above the limit.
    w.tabWidget_main->setCurrentIndex(6);
    w.tabWidget_actives->setCurrentIndex(0);
    QCOMPARE(w.activeScenes->controlChannelBox->maximum(), 40);
    // The DMX input page shows the limit the show holds.
    w.tabWidget_main->setCurrentIndex(7);
    w.tabWidget_settings->setCurrentIndex(2);
    QCOMPARE(w.dmxInSettings->inputLimitBox->value(), 40);
}

QTEST_MAIN(tst_page_limits)
#include "tst_page_limits.moc"
