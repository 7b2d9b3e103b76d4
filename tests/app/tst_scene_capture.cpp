#include "app/gui_class.h"
#include "app/startup.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "monitor/ctrl_monitor.h"
#include "monitor/pokaz.h"
#include "widgets/my_time_edit.h"
#include "program_rig.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

// The scene page's DMX capture and the active-scenes pages in the program's
// window, on a simulated controller.
class tst_scene_capture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void closingTheOutputWindowSwitchesOff();
    void aNewOutputWindowFollowsTheHideBox();
    void rebuildingWithTheWindowOpen_data();
    void rebuildingWithTheWindowOpen();
    void disconnectingWithTheWindowsOpen_data();
    void disconnectingWithTheWindowsOpen();
    void theCompoundTabFollowsTheSettings();
    void aConfigurationReadReachesTheActiveScenes();

private:
    std::unique_ptr<programSession> session;
};

void tst_scene_capture::init()
{
    session = std::make_unique<programSession>();
}

void tst_scene_capture::cleanup()
{
    session.reset();
    settle();
}

void tst_scene_capture::closingTheOutputWindowSwitchesOff()
{
    programRig& rig = *session->rig;
    gui_class& w = *rig.window;
    QVERIFY(rig.connect());
    w.sceneEditor->transparencyGroup->setChecked(true);
    QVERIFY(rig.sim->dmxTransparency);
    QPointer<pokaz> window = w.monitor->dmxOutWindow.data();
    QVERIFY(window);

    window->pbStop->click();
    settle();
    QVERIFY(window.isNull());
    QVERIFY(!w.sceneEditor->transparencyGroup->isChecked());
    QVERIFY(!rig.sim->dmxTransparency);
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_scene_capture::aNewOutputWindowFollowsTheHideBox()
{
    programRig& rig = *session->rig;
    gui_class& w = *rig.window;
    QVERIFY(rig.connect());
    w.sceneEditor->hideMonitorBox->setChecked(true);
    w.monitor->shDmxOutClicked();
    QVERIFY(w.monitor->dmxOutWindow->keepHidden);
    w.monitor->closeMonitors(MONITOR_FLAG_DMX_OUT);
    settle();
    w.sceneEditor->hideMonitorBox->setChecked(false);
    w.monitor->shDmxOutClicked();
    QVERIFY(!w.monitor->dmxOutWindow->keepHidden);
}

void tst_scene_capture::rebuildingWithTheWindowOpen_data()
{
    QTest::addColumn<bool>("languageChosen");
    QTest::newRow("for another language") << true;
    QTest::newRow("the window goes with the monitor") << false;
}

void tst_scene_capture::rebuildingWithTheWindowOpen()
{
    QFETCH(bool, languageChosen);
    programRig& rig = *session->rig;
    QVERIFY(rig.connect());
    rig.window->sceneEditor->transparencyGroup->setChecked(true);
    QPointer<pokaz> window = rig.window->monitor->dmxOutWindow.data();
    QVERIFY(window);

    // What the language menu and the rebuild loop do; nothing is served in
    // between, the loop's event loop has ended.
    const QList<languageEntry> languages = languageList;
    const int installed = installedLanguage;
    if (languageChosen) {
        languageList = {languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr},
                        languageEntry{QStringLiteral("Deutsch"), QStringLiteral("de"), nullptr, nullptr}};
        installedLanguage = 0;
        QVERIFY(QMetaObject::invokeMethod(rig.window.get(), "changeUiLanguage", Q_ARG(int, 1)));
        requestedLanguage = -1;
    }
    retireMainWindow(rig.window.release());
    rig.window = std::make_unique<gui_class>(rig.controller.get(), nullptr);
    theMainWindow = rig.window.get();
    settle();
    languageList = languages;
    installedLanguage = installed;

    // Transparency ended while the controller could still be told: nothing
    // passes through that the new window does not show.
    QVERIFY(window.isNull());
    QVERIFY(!rig.sim->dmxTransparency);
    QVERIFY(!rig.window->sceneEditor->transparencyGroup->isChecked());
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_scene_capture::disconnectingWithTheWindowsOpen_data()
{
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("passingThrough");  // the controller's transparency afterwards
    QTest::addColumn<QStringList>("messages");
    // The user's Disconnect ends transparency and closes the windows while
    // the link is still up: nothing is left on, nothing fails.
    QTest::newRow("Disconnect") << true << false << QStringList();
    // A link that fails takes the windows with it; the page is told when the
    // controller can no longer be, and says so.
    QTest::newRow("the link fails") << false << true << QStringList{"Not connected!"};
}

void tst_scene_capture::disconnectingWithTheWindowsOpen()
{
    QFETCH(bool, asked);
    programRig& rig = *session->rig;
    gui_class& w = *rig.window;
    QVERIFY(rig.connect());
    for (QAction* view : {w.viewInputsAction, w.viewStatesAction, w.viewDmxInAction})
        view->trigger();
    w.sceneEditor->transparencyGroup->setChecked(true);
    QVERIFY(rig.sim->dmxTransparency);
    QCOMPARE(w.monitor->monitorFlags, uint16_t(0xF));
    QList<QPointer<pokaz>> windows{w.monitor->inputsWindow, w.monitor->dmxInWindow, w.monitor->dmxOutWindow,
                                   w.monitor->statesWindow};

    if (asked) {
        rig.panel()->disconnectButton->click();
    } else {
        // What an operation does when it finds the controller gone.
        rig.sim->plugged = false;
        rig.controller->dropConnection();
    }
    settle();
    QVERIFY(!rig.controller->isConnected());
    for (const QPointer<pokaz>& window : windows)
        QVERIFY(window.isNull());
    QCOMPARE(w.monitor->monitorFlags, uint16_t(0));
    QVERIFY(!w.sceneEditor->transparencyGroup->isChecked());
    QTEST(rig.sim->dmxTransparency, "passingThrough");
    QTEST(session->rec.texts(), "messages");
}

void tst_scene_capture::theCompoundTabFollowsTheSettings()
{
    gui_class& w = *session->rig->window;
    as_conf_widget* page = w.activeScenes;
    QVERIFY(!w.tabWidget_actives->isTabEnabled(1));
    page->setChecked(true);
    page->startSceneBox->setValue(101);
    page->startEventBox->setValue(5);
    QVERIFY(!w.tabWidget_actives->isTabEnabled(1));
    page->controlChannelBox->setValue(3);
    QVERIFY(w.tabWidget_actives->isTabEnabled(1));
    page->setChecked(false);
    QVERIFY(!w.tabWidget_actives->isTabEnabled(1));
    QVERIFY(page->applyButton->isEnabled());
}

void tst_scene_capture::aConfigurationReadReachesTheActiveScenes()
{
    programRig& rig = *session->rig;
    kv310_controller_class& c = *rig.controller;
    uint8_t* image = c.configImage;
    img::putU16(image, img::asStartScene, 99);
    img::putU16(image, img::asStartEvent, 4);
    img::putU16(image, img::asControlChannel, 0);
    img::putU16(image, img::asFadeUp, 30);
    sectorRange{2, 5}.write(image + img::asSectorRangesOf(0));
    std::memset(image + img::sceneChannelsOf(147), 33, 512);
    const QString file = session->dir.filePath(QStringLiteral("active.31xcfg"));
    c.write_confDataToFile(file, false);

    c.ClearConfig(CLEAR_ALL & ~CLEAR_VISUAL_PROJECT);
    gui_class& w = *rig.window;
    w.activeScenes->setChecked(false);
    w.tabWidget_main->setCurrentIndex(6);
    session->rec.clear();
    c.read_confDataFromFile(file);
    QCOMPARE(session->rec.texts(), QStringList{"Data read from file\n    successful!"});
    QVERIFY(w.activeScenes->isChecked());
    QCOMPARE(w.activeScenes->startSceneBox->value(), 100);
    QCOMPARE(w.activeScenes->fadeUpEdit->time(), QTime(0, 0, 3));
    QVERIFY(w.tabWidget_actives->isTabEnabled(1));
    QCOMPARE(int(c.compoundScenes[1][0][2]), 33);
    QCOMPARE(int(c.compoundScenes[1][0][6]), 0);
}

QTEST_MAIN(tst_scene_capture)
#include "tst_scene_capture.moc"
