#include "app/gui_class.h"
#include "editors/events/aevents_tableview_delegate.h"
#include "editors/events/aevents_tableview_widget.h"
#include "app/clear_conf_dialog.h"
#include "app/right_panel_widget.h"
#include "app/startup.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/my_time_edit.h"
#include "transport/t_threadDevice.h"
#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "editors/events/aevents_dmxout_widget.h"
#include "editors/events/aevents_inputs_widget.h"
#include "editors/events/aevents_ired_widget.h"
#include "editors/events/aevents_vkeys_widget.h"
#include "editors/events/asettings_inputs_widget.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/other_configuration.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "settings/asettings_clock_widget.h"
#include "settings/asettings_descs_widget.h"
#include "settings/asettings_dmx_in_widget.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "settings/asettings_ired_tab.h"
#include "program_rig.h"
#include "support/dialog_recorder.h"
#include "visualisation/kv_vgraph.h"
#include "xml/xml_node.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QSignalBlocker>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalMapper>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include <sys/stat.h>

namespace {

// A controller link that reports a connection and answers nothing else.
class connectedDevice : public t_threadDevice {
public:
    bool isConnected() override { return true; }
};

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

// Every page's reload counter, by the window member that holds the page.
QList<QPair<QString, const int*>> pageCounters(const gui_class& w)
{
    return {
        {"inputsEvents", &w.inputsEvents->refreshCount},
        {"dmxInEvents", &w.dmxInEvents->refreshCount},
        {"clockEvents", &w.clockEvents->refreshCount},
        {"vkeysEvents", &w.vkeysEvents->refreshCount},
        {"delayEvents", &w.delayEvents->refreshCount},
        {"iredEvents", &w.iredEvents->refreshCount},
        {"dmxOutEvents", &w.dmxOutEvents->refreshCount},
        {"sceneEditor", &w.sceneEditor->refreshCount},
        {"programEditor", &w.programEditor->refreshCount},
        {"sequenceEditor", &w.sequenceEditor->refreshCount},
        {"maskEditor", &w.maskEditor->refreshCount},
        {"activeScenes", &w.activeScenes->refreshCount},
        {"activeSceneEditor", &w.activeSceneEditor->refreshCount},
        {"inputsSettings", &w.inputsSettings->refreshCount},
        {"dmxOutSettings", &w.dmxOutSettings->refreshCount},
        {"dmxInSettings", &w.dmxInSettings->refreshCount},
        {"iredSettings", &w.tab_settings_ired->refreshCount},
        {"descsSettings", &w.descsSettings->refreshCount},
        {"clockSettings", &w.clockSettings->refreshCount},
        {"monitor", &w.monitor->stateTextUpdates},
    };
}

QMap<QString, int> snapshot(const gui_class& w)
{
    QMap<QString, int> counts;
    for (const auto& p : pageCounters(w))
        counts.insert(p.first, *p.second);
    return counts;
}

// The pages whose counters moved since `before`, with how far.
QMap<QString, int> moved(const gui_class& w, const QMap<QString, int>& before)
{
    QMap<QString, int> out;
    for (const auto& p : pageCounters(w))
        if (*p.second != before.value(p.first))
            out.insert(p.first, *p.second - before.value(p.first));
    return out;
}

// Sub-tab first, so that only the switch of the main tab brings the page up.
void showTab(gui_class& w, int main, int sub)
{
    if (main == 0)
        w.tabWidget_events->setCurrentIndex(sub);
    else if (main == 6)
        w.tabWidget_actives->setCurrentIndex(sub);
    else if (main == 7)
        w.tabWidget_settings->setCurrentIndex(sub);
    w.tabWidget_main->setCurrentIndex(main);
}

const QByteArray libraryText = "<contents>Fixtures library, test set</contents>\n"
                               "<item nr=\"7\">\n"
                               " <provider>Maker</provider>\n"
                               " <model>Spot</model>\n"
                               "</item>\n"
                               "<item nr=\"8\">\n"
                               " <provider>Maker</provider>\n"
                               " <model>Wash</model>\n"
                               "</item>\n";

const QByteArray projectText = "<contents>visualisation project</contents>\n"
                               "<devices>\n"
                               " <device nr=\"1\">\n"
                               "  <library>7</library>\n"
                               " </device>\n"
                               " <device nr=\"2\">\n"
                               "  <library>7</library>\n"
                               " </device>\n"
                               " <device nr=\"3\">\n"
                               "  <library>07</library>\n"
                               " </device>\n"
                               " <device nr=\"4\">\n"
                               "  <library>x</library>\n"
                               " </device>\n"
                               "</devices>\n"
                               "<groups>\n"
                               " <group name=\"a\">\n"
                               "  <member>1</member>\n"
                               " </group>\n"
                               "</groups>\n"
                               "<field>\n"
                               " <width>2000</width>\n"
                               " <height>1500</height>\n"
                               " <image dark=\"3\">bg.png</image>\n"
                               " <outline pale=\"16\">sketch.png</outline>\n"
                               "</field>\n";

}  // namespace

class tst_main_window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void tabTree_data();
    void tabTree();
    void initialState();
    void constructionWritesNothingToTheImage();
    void aNewWindowShowsTheStoredSettings();
    void refreshReloadsOnePage_data();
    void refreshReloadsOnePage();
    void otherPageCorrectsOutOfRangeValues_data();
    void otherPageCorrectsOutOfRangeValues();
    void fileReadAndDeviceRead();
    void eventGenerationFollowsTheImage();
    void viewActionsWhileDisconnected();
    void viewActionsWhileConnected();
    void menuClearingLeavesTheModeActions();
    void projectInfo_data();
    void projectInfo();
    void helpAndAboutBoxes();
    void hoveringAMenuTitleShowsItsTip();
    void liveButtonSendsTheSceneOnlyOnTheScenesTab();
    void editCurrentSceneJumpsToIt();
    void clearDialogClearsAndReloads();
    void cancelledClearDialogStillReloads();
    void upgradeFileDialog();
    void closingTheWindowClosesTheAuxiliaryWindows();
    void rebuildLeavesNoSecondWindowBehind();
    void projectField_data();
    void projectField();
    void libraryReadFailures_data();
    void libraryReadFailures();
    void libraryAndProjectFromTheCommandLine();
    void largeProjectCopiesEachItemOnce();
    void projectFileThatIsNoRegularFile_data();
    void projectFileThatIsNoRegularFile();
    void projectWithoutLibraryIsNotRead();
    void invalidProjectFileCutsTheName();
    void designModeNeedsALibrary();
    void clockServicesReachTheClockPage();
    void actionTablesReachTheDelayPageAndTheTabs();
    void readsReloadTheProgramPage();
    void copiedScenesReachTheSceneList();
    void oneOtherConfigurationForThreePages();
    void channelLimitReachesTheSceneAndMaskPages();

private:
    std::unique_ptr<gui_class> makeWindow();
    void writeFile(const QString& name, const QByteArray& content);
    // "dir" makes a directory, "pipe" a named pipe, anything else a file.
    void makeFile(const QString& name, const QByteArray& kind);

    std::unique_ptr<QTemporaryDir> dir;
    QString previousDirectory;
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<v_project> project;
};

void tst_main_window::init()
{
    dir = std::make_unique<QTemporaryDir>();
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(dir->path());
    controller = std::make_unique<kv310_controller_class>();
    theController = controller.get();
    project = std::make_unique<v_project>();
    theVisualProject = project.get();
    channelCount = 512;
}

void tst_main_window::cleanup()
{
    theVisualProject = nullptr;
    project.reset();
    theController = nullptr;
    controller.reset();
    QDir::setCurrent(previousDirectory);
    dir.reset();
}

std::unique_ptr<gui_class> tst_main_window::makeWindow()
{
    auto w = std::make_unique<gui_class>(controller.get(), nullptr);
    theMainWindow = w.get();
    return w;
}

void tst_main_window::writeFile(const QString& name, const QByteArray& content)
{
    QFile f(dir->filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

void tst_main_window::makeFile(const QString& name, const QByteArray& kind)
{
    if (kind == "dir")
        QVERIFY(QDir(dir->path()).mkdir(name));
    else if (kind == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(dir->filePath(name)).constData(), 0600), 0);
    else
        writeFile(name, kind);
}

void tst_main_window::tabTree_data()
{
    QTest::addColumn<QString>("tabWidget");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("caption");

    const struct {
        const char* tabs;
        int index;
        const char* page;
        const char* caption;
    } rows[] = {
        {"tabWidget_main", 0, "tab_events", "Events"},
        {"tabWidget_main", 1, "tab_scenes", "Scenes"},
        {"tabWidget_main", 2, "tab_programs", "Programs"},
        {"tabWidget_main", 3, "tab_seqs", "Sequences"},
        {"tabWidget_main", 4, "tab_masks", "Masks"},
        {"tabWidget_main", 5, "tab_settings_visual", "Visual Project"},
        {"tabWidget_main", 6, "tab_actives", "Active scenes"},
        {"tabWidget_main", 7, "tab_settings", "Settings"},
        {"tabWidget_events", 0, "tab_events_inputs", "Inputs"},
        {"tabWidget_events", 1, "tab_events_dmx", "DMX Input"},
        {"tabWidget_events", 2, "tab_events_clock", "Clock"},
        {"tabWidget_events", 3, "tab_events_vkeys", "Internal Events"},
        {"tabWidget_events", 4, "tab_events_delays", "Delayed Events"},
        {"tabWidget_events", 5, "tab_events_ired", "Remote Control"},
        {"tabWidget_events", 6, "tab_events_dmxout", "DMX Output"},
        {"tabWidget_actives", 0, "tab_as_settngs", "Settings"},
        {"tabWidget_actives", 1, "tab_as_edit", "Compound scenes edition"},
        {"tabWidget_settings", 0, "tab_settings_Inputs", "Inputs"},
        {"tabWidget_settings", 1, "tab_settings_dmx", "DMX Output"},
        {"tabWidget_settings", 2, "tab_settings_dmxin", "DMX Input"},
        {"tabWidget_settings", 3, "tab_settings_ired", "Remote Control"},
        {"tabWidget_settings", 4, "tab_settings_descs", "Descriptions"},
        {"tabWidget_settings", 5, "tab_settings_other", "Other"},
    };
    for (const auto& r : rows)
        QTest::addRow("%s %d", r.tabs, r.index) << r.tabs << r.index << r.page << r.caption;
}

void tst_main_window::tabTree()
{
    QFETCH(QString, tabWidget);
    QFETCH(int, index);
    QFETCH(QString, page);
    QFETCH(QString, caption);
    const auto w = makeWindow();
    auto* tabs = w->findChild<QTabWidget*>(tabWidget);
    QVERIFY(tabs);
    QVERIFY(tabs->widget(index));
    QCOMPARE(tabs->widget(index)->objectName(), page);
    QCOMPARE(tabs->tabText(index), caption);
    QCOMPARE(w->tabWidget_main->count(), 8);
    QCOMPARE(w->tabWidget_events->count(), 7);
    QCOMPARE(w->tabWidget_actives->count(), 2);
    QCOMPARE(w->tabWidget_settings->count(), 6);
    QVERIFY(qobject_cast<asettings_ired_tab*>(w->tabWidget_settings->widget(3)));
}

void tst_main_window::initialState()
{
    const auto w = makeWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("KvOrbit310+"));
    QCOMPARE(w->objectName(), QStringLiteral("MainWindow"));
    // It opens as large as it may grow; its content scrolls when it is made smaller.
    QCOMPARE(w->size(), w->maximumSize());
    QCOMPARE(w->centralWidget(), w->scrollArea);
    QCOMPARE(w->scrollArea->widget(), w->centralwidget);
    for (const QWidget* child : w->centralwidget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(w->centralwidget->rect().contains(child->geometry()), qPrintable(child->objectName()));
    QCOMPARE(w->tabWidget_main->currentIndex(), 1);
    QCOMPARE(w->tabWidget_events->currentIndex(), 0);
    QCOMPARE(w->tabWidget_actives->currentIndex(), 0);
    QCOMPARE(w->tabWidget_settings->currentIndex(), 0);
    QVERIFY(!w->tabWidget_events->isTabEnabled(5));
    QVERIFY(!w->tabWidget_events->isTabEnabled(6));
    QVERIFY(w->tabWidget_events->isTabEnabled(4));
    // Loaded once by its own construction, once more as the Scenes tab is shown.
    QCOMPARE(w->sceneEditor->refreshCount, 2);

    QVERIFY(w->timeScaleGroup->isHidden());
    QVERIFY(!w->timeScaleGroup->isChecked());
    QVERIFY(w->oldProjectGroup->isHidden());
    QVERIFY(!w->oldProjectGroup->isEnabled());
    QVERIFY(!w->refreshFixturesButton->isEnabled());
    QVERIFY(!w->visModeButton->isEnabled());
    QVERIFY(!w->visualisationModeAction->isEnabled());
    QCOMPARE(w->libraryStatusLabel->text(), QStringLiteral("not read"));
    QCOMPARE(w->projectStatusLabel->text(), QStringLiteral("not read"));
    QCOMPARE(w->projectStatusValueLabel->text(), QStringLiteral("invalid!"));
    QVERIFY(w->libraryFileEdit->text().isEmpty());
    QVERIFY(w->projectFileEdit->text().isEmpty());
    QCOMPARE(w->fieldWidthSpin->value(), 1000);
    QCOMPARE(w->fieldHeightSpin->value(), 1000);
    QCOMPARE(w->bkFactorCombo->count(), 5);
    QCOMPARE(w->bkFactorCombo->itemData(4).toInt(), 8);

    QCOMPARE(w->latitudeSpin->value(), 50);
    QCOMPARE(w->longitudeSpin->value(), 20);
    QCOMPARE(w->timeZoneSpin->value(), 1);
    QCOMPARE(w->timeZoneSpin->prefix(), QStringLiteral("GMT +"));
    QVERIFY(!w->sunEventsGroup->isChecked());
    QCOMPARE(w->eventTypeCombo->count(), 8);
    QCOMPARE(w->eventTypeCombo->itemText(7), QStringLiteral("R. C. Key"));
    QCOMPARE(w->eventTypeCombo->itemData(0).toInt(), 0x1340);
    QCOMPARE(w->eventTypeCombo->itemData(7).toInt(), 0x1280);
    QCOMPARE(w->eventNumberSpin->maximum(), 24);
    QCOMPARE(w->startupTimeEdit->maximumTime(), QTime(1, 49, 13, 500));
    QCOMPARE(w->startupTimeEdit->displayFormat(), QStringLiteral("hh:mm:ss.zzz"));

    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&Language", "&Views", "&Upgrade", "&Help"}));
    for (QAction* a : {w->viewInputsAction, w->viewStatesAction, w->viewDmxOutAction, w->viewDmxInAction,
                       w->designModeAction, w->visualisationModeAction}) {
        QVERIFY(a->isCheckable());
        QVERIFY(!a->isChecked());
    }
    QVERIFY(w->clockTimer->isActive());
    QCOMPARE(w->clockTimer->interval(), 1000);
    QCOMPARE(theMainWindow, w.get());
}

void tst_main_window::constructionWritesNothingToTheImage()
{
    uint8_t* image = controller->configImage;
    // Values the window shows, some of them out of their widgets' ranges.
    img::putU16(image, img::outputChannelCount, 20);
    img::putU16(image, img::startUpTime, 0xFFFF);
    img::putU16(image, img::shutDownTime, 13);
    img::putU16(image, img::outEventFirstChannel, 700);
    img::putI32(image, img::latitude, 70);
    img::putI32(image, img::timeZone, 13);
    controller->rcuAddress = 4;
    const QByteArray before = imageHash(*controller);
    {
        const auto w = makeWindow();
        QCOMPARE(imageHash(*controller), before);
    }
    QCOMPARE(imageHash(*controller), before);
}

void tst_main_window::aNewWindowShowsTheStoredSettings()
{
    uint8_t* image = controller->configImage;
    img::putU16(image, img::outputChannelCount, 100);
    img::putU16(image, img::startUpTime, 13);
    img::putU16(image, img::shutDownTime, 600);
    img::putU16(image, img::outEventFirstChannel, 9);
    img::putU16(image, img::outEventLastChannel, 19);
    controller->rcuAddress = 5;
    const QByteArray before = imageHash(*controller);

    const auto w = makeWindow();
    QCOMPARE(w->startupTimeEdit->time(), QTime(0, 0, 1, 300));
    QCOMPARE(w->shutdownTimeEdit->time(), QTime(0, 1, 0));
    QCOMPARE(w->dmxOutSettings->settingsPanel->spinChnlMax->value(), 100);
    QCOMPARE(channelCount, 100);
    QVERIFY(w->tabWidget_events->isTabEnabled(5));
    QVERIFY(w->tabWidget_events->isTabEnabled(6));
    QCOMPARE(w->dmxOutEvents->firstChannel, 10);
    QCOMPARE(w->dmxOutEvents->lastChannel, 20);
    QCOMPARE(imageHash(*controller), before);
}

void tst_main_window::refreshReloadsOnePage_data()
{
    QTest::addColumn<int>("mainTab");
    QTest::addColumn<int>("subTab");
    QTest::addColumn<QStringList>("pages");

    const QStringList events{"inputsEvents", "dmxInEvents", "clockEvents", "vkeysEvents",
                             "delayEvents",  "iredEvents",  "dmxOutEvents"};
    for (int i = 0; i < events.size(); ++i)
        QTest::addRow("events %d", i) << 0 << i << QStringList{events.at(i)};
    QTest::newRow("scenes") << 1 << 0 << QStringList{"sceneEditor"};
    QTest::newRow("programs") << 2 << 0 << QStringList{"programEditor"};
    QTest::newRow("sequences") << 3 << 0 << QStringList{"sequenceEditor"};
    QTest::newRow("masks") << 4 << 0 << QStringList{"maskEditor"};
    QTest::newRow("visual project") << 5 << 0 << QStringList{};
    QTest::newRow("active scenes 0") << 6 << 0 << QStringList{"activeScenes"};
    QTest::newRow("active scenes 1") << 6 << 1 << QStringList{"activeSceneEditor"};
    const QStringList settings{"inputsSettings", "dmxOutSettings", "dmxInSettings", "iredSettings", "descsSettings"};
    for (int i = 0; i < settings.size(); ++i)
        QTest::addRow("settings %d", i) << 7 << i << QStringList{settings.at(i)};
    QTest::newRow("settings other") << 7 << 5 << QStringList{"clockSettings", "monitor"};
}

void tst_main_window::refreshReloadsOnePage()
{
    QFETCH(int, mainTab);
    QFETCH(int, subTab);
    QFETCH(QStringList, pages);
    const auto w = makeWindow();
    w->setEventsTabEnabled(5, true);
    w->setEventsTabEnabled(6, true);

    QMap<QString, int> expected;
    for (const QString& page : pages)
        expected.insert(page, 1);

    // Switching to the tab reloads the page that comes up, and only that one.
    if (mainTab != 1) {
        if (mainTab == 0 || mainTab == 6 || mainTab == 7)
            showTab(*w, mainTab, subTab);
        w->tabWidget_main->setCurrentIndex(1);
        const QMap<QString, int> before = snapshot(*w);
        w->tabWidget_main->setCurrentIndex(mainTab);
        QCOMPARE(moved(*w, before), expected);
    }

    const QMap<QString, int> before = snapshot(*w);
    w->refresh();
    QCOMPARE(moved(*w, before), expected);
}

void tst_main_window::otherPageCorrectsOutOfRangeValues_data()
{
    QTest::addColumn<int>("latitude");
    QTest::addColumn<int>("longitude");
    QTest::addColumn<int>("timeZone");
    QTest::addColumn<int>("panels");  // the stored external-panels switch
    QTest::addColumn<int>("shownLatitude");
    QTest::addColumn<int>("shownLongitude");
    QTest::addColumn<int>("shownTimeZone");
    QTest::addColumn<int>("keptPanels");

    // A new window shows 50, 20 and 1 already: a correction to those values
    // changes no widget, and still reaches the image.
    QTest::newRow("in range") << -60 << 180 << -12 << 0 << -60 << 180 << -12 << 0;
    QTest::newRow("latitude 70") << 70 << 20 << 1 << 0 << 50 << 20 << 1 << 0;
    QTest::newRow("zone 13") << 50 << 20 << 13 << 0 << 50 << 20 << 1 << 0;
    QTest::newRow("zone 12") << 50 << 20 << 12 << 0 << 50 << 20 << 12 << 0;
    QTest::newRow("longitude -181") << 50 << -181 << 1 << 0 << 50 << 20 << 1 << 0;
    QTest::newRow("all out") << -61 << 181 << -13 << 0 << 50 << 20 << 1 << 0;
    QTest::newRow("switch neither on nor off") << 50 << 20 << 1 << 0x1234 << 50 << 20 << 1 << 0xFFFF;
}

void tst_main_window::otherPageCorrectsOutOfRangeValues()
{
    QFETCH(int, latitude);
    QFETCH(int, longitude);
    QFETCH(int, timeZone);
    QFETCH(int, panels);
    QFETCH(int, shownLatitude);
    QFETCH(int, shownLongitude);
    QFETCH(int, shownTimeZone);
    QFETCH(int, keptPanels);
    uint8_t* image = controller->configImage;
    img::putI32(image, img::latitude, latitude);
    img::putI32(image, img::longitude, longitude);
    img::putI32(image, img::timeZone, timeZone);
    img::putU16(image, img::extPanelsEnable, uint16_t(panels));
    img::putU16(image, img::dmxInProgramming, 0xFFFF);
    img::putU16(image, img::sunEvents, 0x0102);

    const auto w = makeWindow();
    w->delayTimesGroup->hide();
    // The image as the page must leave it: the corrections, nothing else.
    QByteArray expected(reinterpret_cast<const char*>(image), img::SIZE);
    auto* repaired = reinterpret_cast<uint8_t*>(expected.data());
    img::putI32(repaired, img::latitude, shownLatitude);
    img::putI32(repaired, img::longitude, shownLongitude);
    img::putI32(repaired, img::timeZone, shownTimeZone);
    img::putU16(repaired, img::extPanelsEnable, uint16_t(keptPanels));

    showTab(*w, 7, 5);
    QTEST(w->latitudeSpin->value(), "shownLatitude");
    QTEST(w->longitudeSpin->value(), "shownLongitude");
    QTEST(w->timeZoneSpin->value(), "shownTimeZone");
    QCOMPARE(w->timeZoneSpin->prefix(), shownTimeZone < 0 ? QStringLiteral("GMT ") : QStringLiteral("GMT +"));
    QCOMPARE(w->extPanelsCheck->isChecked(), keptPanels == 0);
    QVERIFY(!w->dmxInProgrammingCheck->isChecked());
    QVERIFY(w->sunEventsGroup->isChecked());
    QVERIFY(!w->delayTimesGroup->isHidden());
    QVERIFY(!w->eventsGeneratorGroup->isHidden());
    QCOMPARE(img::getI32(image, img::latitude), shownLatitude);
    QCOMPARE(img::getI32(image, img::longitude), shownLongitude);
    QCOMPARE(img::getI32(image, img::timeZone), shownTimeZone);
    QCOMPARE(img::getU16(image, img::extPanelsEnable), uint16_t(keptPanels));
    QVERIFY2(QByteArrayView(image, img::SIZE) == expected, "the reload wrote more than its corrections");

    img::putU16(image, img::extPanelsEnable, 0xFFFF);
    img::putU16(image, img::dmxInProgramming, 0);
    img::putU16(image, img::sunEvents, 0xFFFF);
    w->refresh();
    QVERIFY(!w->extPanelsCheck->isChecked());
    QVERIFY(w->dmxInProgrammingCheck->isChecked());
    QVERIFY(!w->sunEventsGroup->isChecked());
    QCOMPARE(img::getU16(image, img::extPanelsEnable), uint16_t(0xFFFF));
    QCOMPARE(img::getU16(image, img::dmxInProgramming), uint16_t(0));
    QCOMPARE(img::getU16(image, img::sunEvents), uint16_t(0xFFFF));
}

void tst_main_window::fileReadAndDeviceRead()
{
    const auto w = makeWindow();
    uint8_t* image = controller->configImage;
    controller->extraEntries.push_back(std::make_unique<extraEntry>());
    controller->extraEntries.push_back(std::make_unique<extraEntry>());
    controller->programs.setStepCount(0, 4);
    img::putU16(image, img::outputChannelCount, 200);
    img::putU16(image, img::startUpTime, 25);
    img::putU16(image, img::shutDownTime, 70);
    w->sequenceEditor->seqNumberChange(5, 0, 0, 0);
    const int relabels = w->sceneEditor->relabelCount;
    const int programRelabels = w->programEditor->relabelCount;
    const int sceneRefreshes = w->sceneEditor->refreshCount;

    w->deviceRead();
    QCOMPARE(w->sceneEditor->relabelCount, relabels);
    QCOMPARE(w->programEditor->relabelCount, programRelabels);
    QCOMPARE(w->programEditor->programRows, 512);
    QCOMPARE(w->sequenceEditor->currentSequence, 5);
    QCOMPARE(w->dmxOutSettings->settingsPanel->spinChnlMax->value(), 200);
    QCOMPARE(w->dmxOutSettings->channelModel->rowCount(), 200);
    QCOMPARE(channelCount, 200);
    QCOMPARE(w->startupTimeEdit->time(), QTime(0, 0, 2, 500));
    QCOMPARE(w->shutdownTimeEdit->time(), QTime(0, 0, 7));
    QCOMPARE(w->programEditor->shownSteps, 4);
    QCOMPARE(w->sceneEditor->refreshCount, sceneRefreshes + 1);

    w->fileRead();
    QCOMPARE(w->sceneEditor->relabelCount, relabels + 1);
    QCOMPARE(w->programEditor->relabelCount, programRelabels + 1);
    QCOMPARE(w->programEditor->programRows, 510);
    QCOMPARE(w->sequenceEditor->currentSequence, 0);
    QCOMPARE(w->sceneEditor->refreshCount, sceneRefreshes + 2);
}

void tst_main_window::eventGenerationFollowsTheImage()
{
    const auto w = makeWindow();
    uint8_t* image = controller->configImage;
    img::putU16(image, img::outEventFirstChannel, 9);
    img::putU16(image, img::outEventLastChannel, 19);
    w->fileRead();
    QVERIFY(w->tabWidget_events->isTabEnabled(6));
    QCOMPARE(w->dmxOutEvents->firstChannel, 10);
    QCOMPARE(w->dmxOutEvents->lastChannel, 20);
    QCOMPARE(img::getU16(image, img::outEventFirstChannel), 9);

    img::putU16(image, img::outEventFirstChannel, 0xFFFF);
    w->deviceRead();
    QVERIFY(!w->tabWidget_events->isTabEnabled(6));
    QCOMPARE(img::getU16(image, img::outEventFirstChannel), 0xFFFF);
    QCOMPARE(img::getU16(image, img::outEventLastChannel), 19);
}

void tst_main_window::viewActionsWhileDisconnected()
{
    const auto w = makeWindow();
    dialogRecorder rec;
    for (QAction* a : {w->viewInputsAction, w->viewStatesAction, w->viewDmxOutAction, w->viewDmxInAction}) {
        a->trigger();
        QVERIFY2(!a->isChecked(), qPrintable(a->text()));
    }
    QCOMPARE(w->monitor->monitorFlags, uint16_t(0));
    QCOMPARE(rec.titles(), QStringList(4, QStringLiteral("Controller error")));
    QCOMPARE(rec.texts(), QStringList(4, QStringLiteral("Not connected!")));
}

void tst_main_window::viewActionsWhileConnected()
{
    delete controller->device;
    controller->device = new connectedDevice;
    const auto w = makeWindow();
    dialogRecorder rec;
    const struct {
        QAction* action;
        uint16_t flag;
    } views[] = {{w->viewInputsAction, 1}, {w->viewDmxInAction, 2}, {w->viewDmxOutAction, 4}, {w->viewStatesAction, 8}};
    uint16_t open = 0;
    for (const auto& v : views) {
        v.action->trigger();
        open |= v.flag;
        QVERIFY(v.action->isChecked());
        QCOMPARE(w->monitor->monitorFlags, open);
    }
    QSignalSpy refreshes(w->monitor, &ctrl_monitor::forceRefresh);
    w->viewDmxInAction->trigger();
    QVERIFY(!w->viewDmxInAction->isChecked());
    QCOMPARE(w->monitor->monitorFlags, uint16_t(1 | 4 | 8));
    QVERIFY(w->monitor->showDmxInButton->isEnabled());
    QVERIFY(!w->monitor->showInputsButton->isEnabled());
    QCOMPARE(refreshes.count(), 1);

    // Asking the panel for an open window closes it, and the menu follows.
    w->monitor->shDmxOutClicked();
    QVERIFY(!w->viewDmxOutAction->isChecked());
    QVERIFY(w->viewInputsAction->isChecked());
    QVERIFY(rec.entries.isEmpty());
}

void tst_main_window::menuClearingLeavesTheModeActions()
{
    const auto w = makeWindow();
    for (QAction* a : {w->viewInputsAction, w->viewStatesAction, w->viewDmxOutAction, w->viewDmxInAction,
                       w->designModeAction, w->visualisationModeAction})
        a->setChecked(true);
    w->monitor->closeMonitors(0xFFFF);
    for (QAction* a : {w->viewInputsAction, w->viewStatesAction, w->viewDmxOutAction, w->viewDmxInAction})
        QVERIFY(!a->isChecked());
    QVERIFY(w->designModeAction->isChecked());
    QVERIFY(w->visualisationModeAction->isChecked());

    w->viewInputsAction->setChecked(true);
    w->viewStatesAction->setChecked(true);
    w->monitor->closeMonitors(8);
    QVERIFY(w->viewInputsAction->isChecked());
    QVERIFY(!w->viewStatesAction->isChecked());
}

void tst_main_window::projectInfo_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("fileDate");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << QString() << QString() << QStringLiteral("Loaded project info: not available");
    QTest::newRow("no date") << QStringLiteral("show.31xcfg") << QString()
                             << QStringLiteral("Loaded project info: \nFile name: show.31xcfg\nFile date: not available");
    QTest::newRow("both") << QStringLiteral("show.31xcfg") << QStringLiteral("2024-05-01")
                          << QStringLiteral("Loaded project info: \nFile name: show.31xcfg\nFile date: 2024-05-01");
}

void tst_main_window::projectInfo()
{
    QFETCH(QString, fileName);
    QFETCH(QString, fileDate);
    controller->projectFileName = fileName;
    controller->projectFileDate = fileDate;
    const auto w = makeWindow();
    dialogRecorder rec;
    w->aboutProjectAction->trigger();
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("KvOrbit310+ - project info")});
    QTEST(rec.texts().value(0), "text");
    QCOMPARE(rec.entries.at(0).icon, QMessageBox::Information);
    QCOMPARE(rec.entries.at(0).parent, w.get());
}

void tst_main_window::helpAndAboutBoxes()
{
    const auto w = makeWindow();
    dialogRecorder rec;
    w->helpAction->trigger();
    w->aboutAction->trigger();
    QCOMPARE(rec.titles(), (QStringList{"KvOrbit310+ - Help", "KvOrbit310+ - About"}));
    QVERIFY(rec.texts().at(0).startsWith(QStringLiteral("Please call or send an email.\n\n")));
    QVERIFY(rec.texts().at(1).startsWith(
        QStringLiteral("Software for Kv310+ controller configuration.\nRelease:   4.0.1.39\n\n")));
}

void tst_main_window::hoveringAMenuTitleShowsItsTip()
{
    const auto w = makeWindow();
    emit w->menuBar()->hovered(w->upgradeMenu->menuAction());
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("Firmware version management"));
    emit w->menuBar()->hovered(w->languageMenu->menuAction());
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("Change application language"));
    emit w->menuBar()->hovered(w->viewsMenu->menuAction());
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("Change application language"));
    emit w->menuBar()->hovered(w->fileMenu->menuAction());
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("Operations on files and exit"));
}

void tst_main_window::liveButtonSendsTheSceneOnlyOnTheScenesTab()
{
    const auto w = makeWindow();
    QSignalSpy live(w.get(), &gui_class::currentTabChanged);
    w->tabWidget_main->setCurrentIndex(2);
    emit w->rightPanel->turnOnSceneLive();
    QCOMPARE(live.count(), 0);
    w->tabWidget_main->setCurrentIndex(1);
    const int refreshes = w->sceneEditor->refreshCount;
    emit w->rightPanel->turnOnSceneLive();
    QCOMPARE(live.count(), 1);
    QCOMPARE(w->sceneEditor->refreshCount, refreshes + 1);  // the scene editor went live again
}

void tst_main_window::editCurrentSceneJumpsToIt()
{
    controller->programs.setStepCount(0, 3);
    controller->programs.setScene(0, 1, 42);
    const auto w = makeWindow();
    w->tabWidget_main->setCurrentIndex(2);

    // No step selected: nothing happens.
    w->programEditor->sceneCountChange(3);
    w->programEditor->editSceneButton->click();
    QCOMPARE(w->tabWidget_main->currentIndex(), 2);

    aprogram_conf_widget* steps = w->programEditor->stepTable;
    steps->setCurrentIndex(steps->model()->index(1, 0));
    w->sceneEditor->toolTabs->setCurrentIndex(2);
    const int refreshes = w->sceneEditor->refreshCount;
    w->programEditor->editSceneButton->click();
    QCOMPARE(w->tabWidget_main->currentIndex(), 1);
    QCOMPARE(w->sceneEditor->sceneList->currentRow(), 42);
    QCOMPARE(w->sceneEditor->currentScene, 42);
    QCOMPARE(w->sceneEditor->toolTabs->currentIndex(), 0);
    QVERIFY(w->sceneEditor->refreshCount > refreshes);
}

void tst_main_window::clearDialogClearsAndReloads()
{
    uint8_t* image = controller->configImage;
    image[img::sceneChannelsOf(3)] = 77;
    const auto w = makeWindow();
    w->activeScenes->setChecked(true);
    const int relabels = w->sceneEditor->relabelCount;
    dialogRecorder rec;
    rec.answerExec([](QDialog* d) {
        auto* dialog = qobject_cast<clearConf_dialog*>(d);
        dialog->cbScenes->setChecked(true);
        dialog->cbAScenes->setChecked(true);
        dialog->okButton->click();
        return dialog->result();
    });
    w->clearAction->trigger();
    QCOMPARE(rec.entries.value(0).dialogClass, QStringLiteral("clearConf_dialog"));
    QCOMPARE(rec.entries.value(0).parent, w.get());
    QCOMPARE(image[img::sceneChannelsOf(3)], uint8_t(0));
    QVERIFY(!w->activeScenes->isChecked());
    QCOMPARE(w->sceneEditor->relabelCount, relabels + 1);  // fileRead ran
}

void tst_main_window::cancelledClearDialogStillReloads()
{
    uint8_t* image = controller->configImage;
    image[img::sceneChannelsOf(3)] = 77;
    const auto w = makeWindow();
    const int relabels = w->sceneEditor->relabelCount;
    dialogRecorder rec;
    rec.answerExec([](QDialog* d) {
        auto* dialog = qobject_cast<clearConf_dialog*>(d);
        dialog->cbAll->setChecked(true);
        dialog->cancelButton->click();
        return dialog->result();
    });
    w->rightPanel->clearButton->click();
    QCOMPARE(image[img::sceneChannelsOf(3)], uint8_t(77));
    QCOMPARE(w->sceneEditor->relabelCount, relabels + 1);
}

void tst_main_window::upgradeFileDialog()
{
    delete controller->device;
    controller->device = new connectedDevice;
    const auto w = makeWindow();
    w->viewInputsAction->trigger();
    QCOMPARE(w->monitor->monitorFlags, uint16_t(1));

    dialogRecorder rec;
    rec.answerFile(QString());
    w->upgradeAction->trigger();
    QCOMPARE(rec.entries.value(0).kind, QStringLiteral("open"));
    QCOMPARE(rec.entries.value(0).title, QStringLiteral("Choose an upgrade file for Kv310+ controller"));
    QCOMPARE(rec.entries.value(0).filter, QStringLiteral("Upgrade (*.upg)"));
    QCOMPARE(rec.entries.value(0).directory, QStringLiteral("./"));
    QCOMPARE(w->monitor->monitorFlags, uint16_t(1));  // cancelled: nothing

    rec.answerFile(QStringLiteral("fw.upg"));
    w->verifyAction->trigger();
    QCOMPARE(w->monitor->monitorFlags, uint16_t(1));  // verifying keeps the windows open
    QCOMPARE(rec.titles().value(0), QStringLiteral("Firmware verification"));

    rec.answerFile(QStringLiteral("fw.upg"));
    w->upgradeAction->trigger();
    QCOMPARE(w->monitor->monitorFlags, uint16_t(0));
    QVERIFY(!w->viewInputsAction->isChecked());
    QCOMPARE(rec.titles().value(1), QStringLiteral("Firmware upgrade"));
}

void tst_main_window::closingTheWindowClosesTheAuxiliaryWindows()
{
    delete controller->device;
    controller->device = new connectedDevice;
    const auto w = makeWindow();
    w->viewStatesAction->trigger();
    auto* graph = new kvVGraph_class(true, w.get());
    project->graphWindow = graph;
    QPointer<kvVGraph_class> watch(graph);
    w->show();
    QVERIFY(w->close());
    QCOMPARE(w->monitor->monitorFlags, uint16_t(0));
    QVERIFY(!w->viewStatesAction->isChecked());
    QTRY_VERIFY(watch.isNull());
    QVERIFY(!project->graphWindow);
}

void tst_main_window::rebuildLeavesNoSecondWindowBehind()
{
    auto first = makeWindow();
    first->show();
    const int widgets = QApplication::allWidgets().size();
    const QPointer<QTimer> timer(first->clockTimer);
    const QPointer<QWidget> editor(first->sceneEditor);
    const QPointer<QWidget> program(first->programEditor);
    const QPointer<QWidget> sequence(first->sequenceEditor);
    const QPointer<QWidget> mask(first->maskEditor);
    const QPointer<QObject> mapper(first->languageMapper);
    first.reset();
    QVERIFY(!theMainWindow);
    QVERIFY(timer.isNull() && editor.isNull() && program.isNull() && sequence.isNull() && mask.isNull());
    QVERIFY(mapper.isNull());

    auto second = makeWindow();
    second->show();
    QCOMPARE(QApplication::allWidgets().size(), widgets);
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows += qobject_cast<gui_class*>(w) != nullptr;
    QCOMPARE(windows, 1);
    int clockTimers = 0;
    for (QTimer* t : second->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
        clockTimers += t == second->clockTimer;
    QCOMPARE(clockTimers, 1);
}

void tst_main_window::projectField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("elements");  // name=value, an attribute after '@'
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("image");
    QTest::addColumn<int>("dark");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<int>("pale");

    QTest::newRow("size") << "field" << QStringList{"width=2000", "height=1500"} << 2000 << 1500 << "" << 0 << "" << 0;
    QTest::newRow("dark 3") << "field" << QStringList{"image=bg.png@dark=3"} << 1000 << 1000 << "bg.png" << 3 << "" << 0;
    QTest::newRow("dark 16") << "field" << QStringList{"image=bg.png@dark=16"} << 1000 << 1000 << "bg.png" << 4 << ""
                             << 0;
    QTest::newRow("dark 0") << "field" << QStringList{"image=bg.png@dark=0"} << 1000 << 1000 << "bg.png" << 1 << ""
                            << 0;
    QTest::newRow("dark text") << "field" << QStringList{"image=bg.png@dark=x"} << 1000 << 1000 << "bg.png" << 1 << ""
                               << 0;
    QTest::newRow("pale 2, no factor") << "field" << QStringList{"outline=s.png@pale=2", "image=b.png"} << 1000 << 1000
                                       << "b.png" << 0 << "s.png" << 2;
    QTest::newRow("other node") << "stuff" << QStringList{"width=2000"} << 1000 << 1000 << "" << 0 << "" << 0;
}

void tst_main_window::projectField()
{
    QFETCH(QString, name);
    QFETCH(QStringList, elements);
    const auto w = makeWindow();
    xml_node node(0);
    node.name = name;
    for (const QString& e : elements) {
        const QStringList parts = e.split(QLatin1Char('@'));
        const int eq = parts.at(0).indexOf(QLatin1Char('='));
        xml_element* element = node.setElement(parts.at(0).left(eq), parts.at(0).mid(eq + 1));
        if (parts.size() > 1) {
            const int aeq = parts.at(1).indexOf(QLatin1Char('='));
            element->setAttr(parts.at(1).left(aeq), parts.at(1).mid(aeq + 1));
        }
    }
    w->setProjectField(&node);
    QTEST(w->fieldWidthSpin->value(), "width");
    QTEST(w->fieldHeightSpin->value(), "height");
    QTEST(w->bkImageEdit->text(), "image");
    QTEST(w->bkFactorCombo->currentIndex(), "dark");
    QTEST(w->sketchEdit->text(), "outline");
    QTEST(w->sketchFactorCombo->currentIndex(), "pale");
    if (name == QLatin1String("field")) {
        QCOMPARE(project->fieldWidth, w->fieldWidthSpin->value());
        QCOMPARE(project->fieldHeight, w->fieldHeightSpin->value());
    }

    w->setProjectField(nullptr);
    QCOMPARE(w->fieldWidthSpin->value(), 1000);
    QCOMPARE(w->bkFactorCombo->currentIndex(), 0);
    QVERIFY(w->bkImageEdit->text().isEmpty());
    QCOMPARE(w->fixtureCountLabel->text(), QStringLiteral("0"));
}

void tst_main_window::libraryReadFailures_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");  // null: no file
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("no name") << QString() << QByteArray() << QStringList{"Name field empty!"};
    QTest::newRow("missing") << QStringLiteral("none.fxl") << QByteArray() << QStringList{"File error"};
    QTest::newRow("directory") << QStringLiteral("dir.fxl") << QByteArray("dir") << QStringList{"File error"};
    QTest::newRow("named pipe") << QStringLiteral("pipe.fxl") << QByteArray("pipe") << QStringList{"File error"};
    QTest::newRow("text first") << QStringLiteral("a.fxl") << QByteArray("hello\n<contents>Fixtures library</contents>\n")
                                << QStringList{"Invalid file!"};
    QTest::newRow("lower case") << QStringLiteral("a.fxl") << QByteArray("<contents>fixtures library</contents>\n")
                                << QStringList{"Invalid file!"};
    QTest::newRow("other case") << QStringLiteral("a.fxl") << QByteArray("<Contents>Fixtures library</Contents>\n")
                                << QStringList{"Invalid file!"};
}

void tst_main_window::libraryReadFailures()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    if (!content.isNull())
        makeFile(fileName, content);
    const auto w = makeWindow();
    dialogRecorder rec;
    w->libraryFileEdit->setText(fileName);
    w->readLibraryButton->click();
    QTEST(rec.titles(), "titles");
    QVERIFY(!project->libraryTree);
    QVERIFY(!w->oldProjectGroup->isEnabled());
    QVERIFY(!w->refreshFixturesButton->isEnabled());
    QCOMPARE(w->libraryStatusLabel->text(), QStringLiteral("not read"));
    QCOMPARE(w->libraryStatusLabel->palette().color(QPalette::WindowText), QColor(110, 0, 0));
}

void tst_main_window::libraryAndProjectFromTheCommandLine()
{
    writeFile(QStringLiteral("lib.fxl"), libraryText);
    writeFile(QStringLiteral("show.kvp"), projectText);
    project->libraryFile = dir->filePath(QStringLiteral("lib.fxl"));
    project->projectFile = dir->filePath(QStringLiteral("show.kvp"));
    dialogRecorder rec;
    auto w = makeWindow();
    // The project's fixtures have no place and no channels: the user hears
    // of it once.
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("Incomplete fixture(s) found!")});
    QCOMPARE(w->libraryFileEdit->text(), project->libraryFile);
    QCOMPARE(w->libraryStatusLabel->text(), QStringLiteral("read"));
    QVERIFY(w->oldProjectGroup->isEnabled());
    QVERIFY(w->refreshFixturesButton->isEnabled());
    QVERIFY(project->libraryTree);
    QCOMPARE(project->library, project->libraryTree);
    QVERIFY(project->hierarchy);
    QCOMPARE(w->projectStatusLabel->text(), QStringLiteral("read"));

    // The items the devices use are copied once; "07" and "x" name none.
    xml_node* tree = project->projectTree;
    QCOMPARE(tree->nodes.size(), 3);
    QCOMPARE(tree->nodes[0].name, QStringLiteral("library"));
    QCOMPARE(tree->nodes[0].nodes.size(), 1);
    QCOMPARE(*tree->nodes[0].nodes[0].attrValue(QStringLiteral("nr")), QStringLiteral("7"));
    QCOMPARE(tree->nodes[1].name, QStringLiteral("devices"));
    QCOMPARE(tree->nodes[1].nodes.size(), 4);
    QCOMPARE(tree->nodes[2].name, QStringLiteral("groups"));
    QCOMPARE(tree->nodes[2].nodes.size(), 1);
    QCOMPARE(w->fieldWidthSpin->value(), 2000);
    QCOMPARE(w->fieldHeightSpin->value(), 1500);
    QCOMPARE(project->fieldWidth, 2000);
    QCOMPARE(w->bkFactorCombo->currentIndex(), 3);
    QCOMPARE(w->sketchFactorCombo->currentIndex(), 4);
    QVERIFY(!project->modified);

    // A window built after a language change shows the same without reading again.
    xml_node* const treeBefore = project->projectTree;
    w->bkImageEdit->setText(QStringLiteral("changed.png"));
    w.reset();
    rec.clear();
    const auto again = makeWindow();
    QCOMPARE(project->projectTree, treeBefore);
    QCOMPARE(again->libraryStatusLabel->text(), QStringLiteral("read"));
    QVERIFY(again->oldProjectGroup->isEnabled());
    QCOMPARE(again->bkImageEdit->text(), QStringLiteral("changed.png"));
    QCOMPARE(again->fieldWidthSpin->value(), 2000);
    QCOMPARE(again->fixtureCountLabel->text(), QStringLiteral("4"));
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("Incomplete fixture(s) found!")});

    // Releasing falls back to the project's own library.
    again->releaseLibraryButton->click();
    QVERIFY(!project->libraryTree);
    QCOMPARE(project->library, project->projectTree->findNode(QStringLiteral("library")));
    QVERIFY(again->libraryFileEdit->text().isEmpty());
    QVERIFY(!again->oldProjectGroup->isEnabled());
}

// Every device's item is looked up by number in a hash, not by a walk over
// the library and the copies made so far (which made a large project over a
// large library take minutes). The first item of a number is the one copied.
void tst_main_window::largeProjectCopiesEachItemOnce()
{
    constexpr int N = 20000;
    QByteArray library = "<contents>Fixtures library</contents>\n";
    for (int i = 1; i <= N; ++i)
        library += "<item nr=\"" + QByteArray::number(i) + "\">\n<provider>P</provider>\n<model>M"
                   + QByteArray::number(i) + "</model>\n</item>\n";
    library += "<item nr=\"5\">\n<provider>P</provider>\n<model>second five</model>\n</item>\n";
    QByteArray devices = "<contents>visualisation project</contents>\n<devices>\n";
    for (int i = 1; i <= N; ++i) {
        // Items from the last to the first, each used twice; and one missing.
        const QByteArray ref = QByteArray::number(N + 1 - (i + 1) / 2);
        devices += "<device nr=\"" + QByteArray::number(i) + "\">\n<library>" + ref + "</library>\n</device>\n";
    }
    devices += "<device nr=\"0\">\n<library>" + QByteArray::number(N + 1) + "</library>\n</device>\n";
    devices += "<device nr=\"" + QByteArray::number(N + 1) + "\">\n<library>5</library>\n</device>\n</devices>\n";
    writeFile(QStringLiteral("lib.fxl"), library);
    writeFile(QStringLiteral("show.kvp"), devices);
    project->libraryFile = dir->filePath(QStringLiteral("lib.fxl"));
    project->projectFile = dir->filePath(QStringLiteral("show.kvp"));
    dialogRecorder rec;
    const auto w = makeWindow();
    QCOMPARE(w->projectStatusLabel->text(), QStringLiteral("read"));
    QCOMPARE(project->fixtures.size(), N + 2);
    // What the event loop would deliver before the fixtures go at the end.
    QCoreApplication::sendPostedEvents();

    const xml_node& copies = project->projectTree->nodes[0];
    QCOMPARE(copies.name, QStringLiteral("library"));
    QCOMPARE(copies.nodes.size(), N / 2 + 1);
    QCOMPARE(*copies.nodes[0].attrValue(QStringLiteral("nr")), QString::number(N));
    QCOMPARE(*copies.nodes[N / 2 - 1].attrValue(QStringLiteral("nr")), QString::number(N / 2 + 1));
    QCOMPARE(*copies.nodes[N / 2].elementValue(QStringLiteral("model")), QStringLiteral("M5"));
    QCOMPARE(project->projectTree->nodes[1].nodes.size(), N + 2);
}

void tst_main_window::projectFileThatIsNoRegularFile_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("directory") << QByteArray("dir");
    QTest::newRow("named pipe") << QByteArray("pipe");
}

void tst_main_window::projectFileThatIsNoRegularFile()
{
    QFETCH(QByteArray, kind);
    writeFile(QStringLiteral("lib.fxl"), libraryText);
    project->libraryFile = QStringLiteral("lib.fxl");
    makeFile(QStringLiteral("special.kvp"), kind);
    const auto w = makeWindow();
    xml_node* const tree = project->projectTree;
    dialogRecorder rec;
    w->projectFileEdit->setText(QStringLiteral("special.kvp"));
    w->readProjectButton->click();
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("File error")});
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Cannot open file \"special.kvp\"!")});
    QCOMPARE(project->projectTree, tree);
}

void tst_main_window::projectWithoutLibraryIsNotRead()
{
    writeFile(QStringLiteral("show.kvp"), projectText);
    project->projectFile = dir->filePath(QStringLiteral("show.kvp"));
    xml_node* const tree = project->projectTree;
    dialogRecorder rec;
    const auto w = makeWindow();
    QCOMPARE(w->projectFileEdit->text(), project->projectFile);
    QCOMPARE(w->projectStatusLabel->text(), QStringLiteral("not read"));
    QCOMPARE(project->projectTree, tree);
    w->readProject();
    QCOMPARE(project->projectTree, tree);
    QVERIFY(rec.entries.isEmpty());
}

void tst_main_window::invalidProjectFileCutsTheName()
{
    writeFile(QStringLiteral("lib.fxl"), libraryText);
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("sub")));
    writeFile(QStringLiteral("sub/bad.kvp"), "<contents>something else</contents>\n");
    writeFile(QStringLiteral("bad.kvp"), "<contents>something else</contents>\n");
    project->libraryFile = QStringLiteral("lib.fxl");
    const auto w = makeWindow();
    dialogRecorder rec;
    w->projectFileEdit->setText(QStringLiteral("sub/bad.kvp"));
    w->readProjectButton->click();
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("Invalid file!")});
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("This file is not a valid project file:\n\"sub/bad.kvp\"!")});
    QCOMPARE(w->projectFileEdit->text(), QStringLiteral("sub"));
    QCOMPARE(project->projectFile, QStringLiteral("sub"));
    QCOMPARE(w->projectStatusLabel->text(), QStringLiteral("not read"));

    w->projectFileEdit->setText(QStringLiteral("bad.kvp"));
    w->readProjectButton->click();
    QVERIFY(w->projectFileEdit->text().isEmpty());
}

void tst_main_window::designModeNeedsALibrary()
{
    const auto w = makeWindow();
    dialogRecorder rec;
    w->designModeButton->click();
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("Warning!")});
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("No active library information!")});
    QVERIFY(!project->graphWindow);

    // An empty project is no valid one: no window and no message.
    rec.clear();
    w->visModeButton->setEnabled(true);
    w->visModeButton->click();
    QVERIFY(!project->graphWindow);
    QVERIFY(rec.entries.isEmpty());

    writeFile(QStringLiteral("lib.fxl"), libraryText);
    w->libraryFileEdit->setText(QStringLiteral("lib.fxl"));
    w->readLibrary();
    w->designModeAction->trigger();
    auto* graph = qobject_cast<kvVGraph_class*>(project->graphWindow);
    QVERIFY(graph);
    QVERIFY(graph->designMode);
    QCOMPARE(graph->parentWidget(), w.get());
    QVERIFY(!w->projectDetailsGroup->isEnabled());
    w->startPrjMode();
    QCOMPARE(project->graphWindow, graph);

    w->vCloseAll();
    QTRY_VERIFY(!project->graphWindow);
    QVERIFY(w->projectDetailsGroup->isEnabled());
}

void tst_main_window::clockServicesReachTheClockPage()
{
    const auto w = makeWindow();
    gui_base_class* base = w.get();
    // The controller's report sets the box's check state only; the
    // daylight-saving switch alone makes it editable.
    QCheckBox* dst = w->clockSettings->dstBox;
    QVERIFY(!dst->isEnabled());
    base->showDeviceDst(true);
    QVERIFY(dst->isChecked());
    QVERIFY(!dst->isEnabled());
    w->clockSettings->dstEnableBox->setChecked(true);
    base->showDeviceDst(false);
    QVERIFY(!dst->isChecked());
    QVERIFY(dst->isEnabled());

    base->showDeviceCalibration(7);
    QCOMPARE(w->clockSettings->calibrationSpin->value(), 7);
    {
        // Editing as it would be while connected.
        const QSignalBlocker editing(w->clockSettings->calibrationGroup);
        w->clockSettings->calibrationGroup->setChecked(true);
    }
    base->showDeviceCalibration(-3);
    QCOMPARE(w->clockSettings->calibrationSpin->value(), 7);
    QCOMPARE(w->clockSettings->shownCalibration, 7);

    // Not connected: the clock shows no time.
    w->rightPanel->clockLabel->clear();
    QVERIFY(QMetaObject::invokeMethod(w.get(), "timerTimeUpdate"));
    QCOMPARE(w->rightPanel->clockLabel->text(), QStringLiteral("------,  --.--.----  --:--:--"));
}

void tst_main_window::actionTablesReachTheDelayPageAndTheTabs()
{
    const auto w = makeWindow();
    showTab(*w, 0, 2);
    QCOMPARE(static_cast<gui_base_class*>(w.get())->currentEventPageKind(), 2);
    showTab(*w, 3, 0);
    QCOMPARE(static_cast<gui_base_class*>(w.get())->currentEventPageKind(), 103);
    showTab(*w, 0, 0);

    // A stored cell edit reloads the table and, through the window, the delay page.
    aevents_tableview_widget table(0, w->tab_events_inputs);
    const QMap<QString, int> before = snapshot(*w);
    emit table.actionDelegate->forceRefresh();
    QCOMPARE(moved(*w, before), (QMap<QString, int>{{"delayEvents", 1}}));
    QCOMPARE(table.refreshCount, 1);
}

// A configuration read from a file and from the controller reaches the
// program page as the user looks at it: the program list with its slots and
// descriptions, and the step grid of the current program.
void tst_main_window::readsReloadTheProgramPage()
{
    programSession session;
    gui_class& w = *session.rig->window;
    kv310_controller_class& c = *session.rig->controller;
    aprogram_settings_widget* programs = w.programEditor;
    // The step grid as its view reads it.
    checkGridModel* grid = programs->stepGrid->grid();
    const auto takesTicks = [grid](int s) { return bool(grid->flags(grid->indexOf(s)) & Qt::ItemIsEnabled); };
    const auto ticked = [grid](int s) { return grid->indexOf(s).data(Qt::CheckStateRole).toInt() == Qt::Checked; };
    const QString path = session.dir.filePath(QStringLiteral("show.31xcfg"));
    {
        kv310_controller_class other;
        other.programs.setStepCount(0, 7);
        other.programDescriptions[0] = QStringLiteral("seven steps");
        other.sceneDescriptions[3] = QStringLiteral("scene four");
        for (int i = 0; i < 2; ++i) {
            auto entry = std::make_unique<extraEntry>();
            entry->program = 0;
            entry->fromStep = uint16_t(2 + i);
            entry->slot = uint16_t(511 - i);
            other.extraEntries.push_back(std::move(entry));
        }
        img::putU16(other.configImage, img::firstExtraSlot, 510);
        img::putU16(other.configImage, img::outputChannelCount, 100);
        other.write_confDataToFile(path, false);
    }
    w.tabWidget_main->setCurrentIndex(2);
    programs->stepCountBox->setValue(3);
    programs->toolTabs->setCurrentIndex(1);
    grid->setChecked(1, true);
    QVERIFY(takesTicks(2) && !takesTicks(3));

    session.rec.answerFile(path);
    w.rightPanel->readFileButton->click();
    QCOMPARE(session.rec.texts().last(), QStringLiteral("Data read from file\n    successful!"));
    QCOMPARE(c.extraEntries.size(), size_t(2));
    QCOMPARE(programs->programRows, 510);
    QCOMPARE(programs->programList->rowCount(), 510);
    QCOMPARE(programs->programList->text(0), QStringLiteral("seven steps"));
    for (int s = 0; s < 10; ++s)
        QCOMPARE(takesTicks(s), s < 7);
    QVERIFY(ticked(1));
    QCOMPARE(programs->selectionGroup->toBox->maximum(), 7);
    QCOMPARE(channelCount, 100);
    QCOMPARE(w.sceneEditor->sceneList->text(3), QStringLiteral("scene four"));

    // Sent to the controller, changed here, read back.
    QVERIFY(session.rig->connect());
    session.rec.clear();
    w.rightPanel->sendButton->click();
    QCOMPARE(session.rec.texts().last(), QStringLiteral("Config and data writing\n     successful!"));
    programs->stepCountBox->setValue(2);
    w.dmxOutSettings->settingsPanel->spinChnlMax->setValue(200);
    QCOMPARE(channelCount, 200);
    programs->toolTabs->setCurrentIndex(0);
    programs->toolTabs->setCurrentIndex(1);
    QVERIFY(!takesTicks(2));
    w.rightPanel->readButton->click();
    QCOMPARE(session.rec.texts().last(), QStringLiteral("Configuration reading\nsuccessful!"));
    QCOMPARE(c.programs.stepCount(0), 7);
    for (int s = 0; s < 10; ++s)
        QCOMPARE(takesTicks(s), s < 7);
    QCOMPARE(programs->shownSteps, 7);
    QCOMPARE(channelCount, 100);
    QCOMPARE(w.dmxOutSettings->settingsPanel->spinChnlMax->value(), 100);
}

// A copy on the program page relabels the scene list, and "Edit current
// scene" jumps to a copied scene.
void tst_main_window::copiedScenesReachTheSceneList()
{
    programSession session;
    gui_class& w = *session.rig->window;
    kv310_controller_class& c = *session.rig->controller;
    aprogram_settings_widget* programs = w.programEditor;
    c.programs.setStepCount(0, 2);
    c.programs.setScene(0, 0, 5);
    c.programs.setScene(0, 1, 6);
    c.sceneDescriptions[6] = QStringLiteral("second");
    w.tabWidget_main->setCurrentIndex(2);
    programs->toolTabs->setCurrentIndex(2);
    programs->programList->setCurrentCell(4, 0);
    programs->poolBox->setValue(1001);
    programs->copyButton->click();
    QCOMPARE(c.programs.scene(4, 1), 1001);
    QCOMPARE(w.sceneEditor->sceneList->text(1001), QStringLiteral("second"));

    programs->toolTabs->setCurrentIndex(0);
    programs->stepTable->setCurrentIndex(programs->stepTable->model()->index(1, 0));
    programs->editSceneButton->click();
    QCOMPARE(w.tabWidget_main->currentIndex(), 1);
    QCOMPARE(w.sceneEditor->currentScene, 1001);
    QCOMPARE(w.sceneEditor->descriptionEdit->text(), QStringLiteral("second"));
}

// Each page that opens another configuration releases those of the other
// pages first; a window that goes takes its pages' with it.
void tst_main_window::oneOtherConfigurationForThreePages()
{
    programSession session;
    const QString path = session.dir.filePath(QStringLiteral("other.31xcfg"));
    {
        kv310_controller_class other;
        other.write_confDataToFile(path, false);
    }
    gui_class& w = *session.rig->window;
    aprogram_settings_widget* programs = w.programEditor;
    ascene_settings_widget* scenes = w.sceneEditor;
    amask_settings_widget* masks = w.maskEditor;

    scenes->fileEdit->setText(path);
    scenes->openFileButton->click();
    masks->fileEdit->setText(path);
    masks->openFileButton->click();
    QVERIFY(!scenes->copySource->show() && masks->copySource->show());

    programs->fileEdit->setText(path);
    programs->openButton->click();
    QVERIFY(programs->copySource->show());
    QVERIFY(programs->altCopyButton->isEnabled());
    QVERIFY(!masks->copySource->show() && !masks->altCopyButton->isEnabled());

    const QPointer<kv310_controller_class> held(programs->copySource->show());
    scenes->openFileButton->click();
    QVERIFY(held.isNull());
    QVERIFY(!programs->copySource->show() && !programs->altCopyButton->isEnabled());
    QVERIFY(scenes->copySource->show());

    scenes->releaseButton->click();
    programs->openButton->click();
    const QPointer<kv310_controller_class> last(programs->copySource->show());
    QVERIFY(!last.isNull());
    session.rig->window.reset();
    theMainWindow = nullptr;
    QVERIFY(last.isNull());
}

void tst_main_window::channelLimitReachesTheSceneAndMaskPages()
{
    programSession session;
    gui_class& w = *session.rig->window;
    w.dmxOutSettings->settingsPanel->spinChnlMax->setValue(64);
    QCOMPARE(channelCount, 64);
    for (arecord_settings_widget* page : {static_cast<arecord_settings_widget*>(w.sceneEditor),
                                          static_cast<arecord_settings_widget*>(w.maskEditor)}) {
        QCOMPARE(page->selectionGroup->toBox->maximum(), 64);
        QVERIFY(page->channelGrid->isEnabled(63));
        QVERIFY(!page->channelGrid->isEnabled(64));
    }
    w.dmxOutSettings->settingsPanel->spinChnlMax->setValue(512);
    QVERIFY(w.maskEditor->channelGrid->isEnabled(511));
}

QTEST_MAIN(tst_main_window)
#include "tst_main_window.moc"
