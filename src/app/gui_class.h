#pragma once

#include "seams/gui_base.h"
#include "ui_main_window.h"

#include <QHash>
#include <QTime>
#include <cstdint>
#include <functional>
#include <memory>

class MyTimeEdit;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QSignalMapper;
class QSpinBox;
class QTimer;
class aevents_clock_widget;
class aevents_dlyd_widget;
class aevents_dmx_widget;
class aevents_dmxout_widget;
class aevents_inputs_widget;
class aevents_ired_widget;
class aevents_vkeys_widget;
class amask_settings_widget;
class aprogram_settings_widget;
class as_conf_widget;
class as_edit_widget;
class ascene_settings_widget;
class aseq_settings_widget;
class asettings_clock_widget;
class asettings_descs_widget;
class asettings_dmx_in_widget;
class asettings_dmx_widget;
class asettings_inputs_widget;
class ctrl_monitor;
class kv310_controller_class;
class lazyPages;
class right_panel_widget;
class windowPlace;

// The main window: the tab tree of every editor and settings page, the
// right-hand panel, the menus and the one-second clock. Built anew at every
// change of the user-interface language; the program's windows build each
// page when it is first shown or first needed.
//
// Fixed tab indexes (refresh() dispatches on them):
//   tabWidget_main     0 Events, 1 Scenes, 2 Programs, 3 Sequences, 4 Masks,
//                      5 Visual Project, 6 Active scenes, 7 Settings
//   tabWidget_events   0 Inputs, 1 DMX Input, 2 Clock, 3 Internal Events,
//                      4 Delayed Events, 5 Remote Control, 6 DMX Output
//   tabWidget_actives  0 Settings, 1 Compound scenes edition
//   tabWidget_settings 0 Inputs, 1 DMX Output, 2 DMX Input, 3 Remote Control,
//                      4 Descriptions, 5 Other
class gui_class : public gui_base_class, public Ui::MainWindow {
    Q_OBJECT
public:
    // How much of the window the constructor builds. `visibleFirst` builds
    // only what the window shows when it first appears (the form with empty
    // tab pages, the scene page, the right-hand panel and the menus); every
    // other page is built when it is first shown, or first reached by a
    // service or slot that needs it. `complete` builds every page at once
    // (tests and benchmarks). `beforeShowRead` runs once the widgets that
    // read nothing of the show are made, before anything reads the image:
    // start-up takes the configuration file it read meanwhile there.
    enum class windowBuild { complete, visibleFirst };
    explicit gui_class(kv310_controller_class* controller, QWidget* parent = nullptr,
                       windowBuild build = windowBuild::complete, const std::function<void()>& beforeShowRead = {});
    ~gui_class() override;

    // The pages a window builds on demand, each on its own tab page (the
    // compound scenes' editor with the active-scenes page it works from).
    enum class lazyPage {
        programs, sequences, masks, inputsSettings, dmxOutSettings, dmxInSettings, descsSettings, otherSettings,
        visualProject, inputsEvents, vkeysEvents, iredEvents, dmxInEvents, dmxOutEvents, clockEvents, delayEvents,
        activeScenes, compoundScenes, iredSettings, count
    };
    // Builds the page unless it is built, as a window built at once has it
    // by then: it reads the show as it is, and takes the view state the
    // window kept for it (lazyPages). Its construction repairs no unsaved work.
    void buildPage(lazyPage page);
    bool isBuilt(lazyPage page) const;
    // Builds every page not built yet, refreshes the visible one and
    // finishes the start (finishStart).
    void completeWindow();
    bool isComplete() const;
    // What the program does once the first frame is on the screen: the
    // files of the visual project named on the command line are read, the
    // fixtures checked, and the show the program starts with is the one
    // unsaved work is measured against. Once per window.
    void finishStart();
    bool hasStarted() const { return started; }
    // Takes back the place a former window of this program showed (tabs,
    // current rows): now for what is built, the rest as its pages are built.
    void takePlace(windowPlace place);
    // The clear dialog switched the active scenes off.
    void activeScenesSwitchedOff();

    projectFieldTexts projectField() const override;
    void showDeviceDst(bool active) override;
    void showDeviceCalibration(int value) override;
    void setEventsTabEnabled(int index, bool enabled) override;
    void refreshDelayEvents() override;
    void reloadRemoteControlEvents() override;
    int currentEventPageKind() const override;
    void setDmxOutEventRange(int first, int last) override;
    void refreshDmxOutEvents() override;
    void limitChannelRangeBoxes(int n) override;
    void setActiveScenesInputLimit(int n) override;
    // The visualisation window's neighbours.
    ctrl_monitor* monitorPanel() const override;
    void clickLiveButton() override;
    void enterLiveEditing() override;
    void saveConfigurationToFile() override;
    bool visualMonitorHidden() const override;
    void showFixtureCount(int count) override;
    QMetaObject::Connection followFaderBank(faderBankKind kind, QObject* context,
                                            std::function<void(int sc, int ch)> onChange) override;
    void showCompoundPicture(int range, int motion) override;
    int shownFaderChannel(faderBankKind kind, int record) const override;
    void refreshSceneEditor() override;
    void showCompoundScene() override;
    void setSceneTransparency(bool on) override;
    bool sceneMonitorHidden() const override;
    void setActiveScenesTabEnabled(int index, bool enabled) override;
    void refreshCompoundScenes() override;
    void refreshVisiblePage() override;

    kv310_controller_class* controller;
    QTimer* clockTimer = nullptr;
    QSignalMapper* languageMapper = nullptr;
    QScrollArea* scrollArea = nullptr;
    // The four editors are page objects that are never shown themselves;
    // their widgets live on the tab pages. The window owns them.
    ascene_settings_widget* sceneEditor = nullptr;
    amask_settings_widget* maskEditor = nullptr;
    aprogram_settings_widget* programEditor = nullptr;
    aseq_settings_widget* sequenceEditor = nullptr;
    right_panel_widget* rightPanel = nullptr;
    asettings_inputs_widget* inputsSettings = nullptr;
    aevents_inputs_widget* inputsEvents = nullptr;
    aevents_vkeys_widget* vkeysEvents = nullptr;
    aevents_ired_widget* iredEvents = nullptr;
    aevents_clock_widget* clockEvents = nullptr;
    aevents_dlyd_widget* delayEvents = nullptr;
    aevents_dmx_widget* dmxInEvents = nullptr;
    aevents_dmxout_widget* dmxOutEvents = nullptr;
    asettings_dmx_widget* dmxOutSettings = nullptr;
    asettings_dmx_in_widget* dmxInSettings = nullptr;
    asettings_clock_widget* clockSettings = nullptr;
    asettings_descs_widget* descsSettings = nullptr;
    as_conf_widget* activeScenes = nullptr;
    as_edit_widget* activeSceneEditor = nullptr;
    ctrl_monitor* monitor = nullptr;

    // General settings page ("Other").
    QGroupBox *dateTimeGroup = nullptr, *sunEventsGroup = nullptr, *delayTimesGroup = nullptr, *miscGroup = nullptr, *eventsGeneratorGroup = nullptr, *timeScaleGroup = nullptr;
    QCheckBox *extPanelsCheck = nullptr, *dmxInProgrammingCheck = nullptr;
    QLabel *startupTimeLabel = nullptr, *shutdownTimeLabel = nullptr;
    MyTimeEdit *startupTimeEdit = nullptr, *shutdownTimeEdit = nullptr;
    QLabel *latitudeLabel = nullptr, *longitudeLabel = nullptr, *timeZoneLabel = nullptr;
    QSpinBox *eventNumberSpin = nullptr;
    QSpinBox *latitudeSpin = nullptr, *longitudeSpin = nullptr, *timeZoneSpin = nullptr;
    QPushButton *generateButton = nullptr, *calculateButton = nullptr, *readSunTimesButton = nullptr, *saveSunTimesButton = nullptr, *pbRescale = nullptr;
    QLabel *chooseEventLabel = nullptr;
    QComboBox *eventTypeCombo = nullptr, *eventVariantCombo = nullptr;

    // Visual-project page.
    QGroupBox *libraryGroup = nullptr, *projectDetailsGroup = nullptr, *oldProjectGroup = nullptr;
    QLabel *libraryStatusLabel = nullptr;
    QLineEdit *libraryFileEdit = nullptr;
    QPushButton *readLibraryButton = nullptr, *browseLibraryButton = nullptr, *releaseLibraryButton = nullptr;
    QLabel *projectStatusLabel = nullptr;
    QLineEdit *projectFileEdit = nullptr;
    QPushButton *browseProjectButton = nullptr, *readProjectButton = nullptr;
    QCheckBox *hideMonitorCheck = nullptr;
    QComboBox *bkFactorCombo = nullptr, *sketchFactorCombo = nullptr;
    QLineEdit *sketchEdit = nullptr, *bkImageEdit = nullptr;
    QPushButton *sketchNoneButton = nullptr, *sketchBrowseButton = nullptr, *backgroundBrowseButton = nullptr, *backgroundNoneButton = nullptr;
    QSpinBox *fieldHeightSpin = nullptr, *fieldWidthSpin = nullptr;
    QPushButton *refreshFixturesButton = nullptr;
    QLabel *groupCountLabel = nullptr, *fixtureCountLabel = nullptr, *projectStatusValueLabel = nullptr;
    QPushButton *designModeButton = nullptr, *visModeButton = nullptr;

    QMenu *fileMenu = nullptr, *upgradeMenu = nullptr, *languageMenu = nullptr, *helpMenu = nullptr, *viewsMenu = nullptr;
    QAction *exitAction, *openAction, *saveAction, *clearAction, *upgradeAction, *verifyAction, *helpAction,
        *aboutAction, *aboutProjectAction, *viewInputsAction, *viewStatesAction, *viewDmxOutAction,
        *viewDmxInAction, *designModeAction, *visualisationModeAction, *closeAuxAction;

signals:
    void currentTabChanged();
    void refreshDldEvents();

private slots:
    // Location and time zone of the sun table, written to the image as they change.
    void saveLatit(int lat);
    void timerTimeUpdate();
    void saveLongit(int longitude);
    void saveTZone(int zone);

public slots:
    void tabChange(int index);
    void tabSettingsChange(int index);
    void tabEventsChange(int index);
    void tabAScenesChange(int index);
    void turnOnLiveButton();
    // Reloads the one page that is visible; the first reload of a page after
    // the show was read, saved or cleared takes in what it repaired.
    void refresh();
    // After a configuration was read from a file or from the controller.
    void fileRead();
    void deviceRead();
    // Start-up and shut-down times, written as whole tenths.
    void enableTimeChanged(QTime t);
    void disableTimeChanged(QTime t);
    void browseLibrary();
    void readLibrary();
    void releaseLibrary();
    void browseProject();
    void readProject();
    // Extra program entries on (a non-zero check state) or off (0). No
    // widget drives it; it is reached by name.
    void entriesEnable(int state);
    void destTmpDev() override;
    void readSettings(xml_node* node) override;
    void setProjectField(xml_node* node) override;
    void startPrjMode(bool x);
    void startPrjMode();
    void startVisMode(bool x);
    void startVisMode() override;
    void browseFile(bool sketch);
    void browseBkImage();
    void browseSketch();
    void clearBkImage();
    void clearSketch();
    void vprValidated(bool valid);
    void vCloseAll();
    // Closes what shows the controller live at once, while the link and this
    // window are still there: the monitor windows, and with the output
    // window the scene page's DMX transparency, so the controller is told.
    // Before a disconnect the user asked for, a change of language and the
    // program's end.
    void closeLiveViews();
    void prjTimeRescale();
    void displaySN();
    void connectionStatusChange(bool connectionStatus);

private slots:
    void slotMenuFileQuit();
    void slotMenuFileOpen();
    void slotMenuFileSave();
    void slotMenuUpgradeUpgradeKv310();
    void slotMenuUpgradeVerify();
    void slotMenuHelpHelp();
    void slotMenuHelpAbout();
    void slotMenuProject();
    void slotMenuHovered(QAction* action);
    void ClearConfig(bool);
    void ClearConfig();
    void ClearExec(uint16_t flags);
    // Events generator: makes the connected controller raise the chosen event.
    void Wygeneruj();
    // Variants and number range of the chosen event type.
    void evTypeChanged(int index);
    // Fills the variant list for 1, 2 or 3 variants.
    void prepEvMode(int variants);
    void switchToScene();
    void changeUiLanguage(int index);
    void extPanelEnable(int state);
    void selfPgmEnable(int state);
    void sunEventsEnable(bool on);
    // Sun table from the location and zone shown on the page.
    void recalculate();
    // Sun table from and to a CSV file.
    void getSunEventsTimes();
    void saveSunEventsTimes();
    void vInputs(bool on);
    void vStates(bool on);
    void vDmxOut(bool on);
    void vDmxIn(bool on);
    void vMenuClr(uint16_t flags);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend class lazyPages;
    // The part of the window its first frame shows.
    void buildVisiblePart(const std::function<void()>& beforeShowRead, windowBuild build);
    void showLinkAsItIs();
    void followShowRules();
    void showCompoundTabAsStored();
    // The pages built on demand, and what they take when they are.
    std::unique_ptr<lazyPages> pages;
    // Within refresh(): a page built there leaves the reload to it.
    bool refreshing = false;
    bool started = false;
    bool projectCheckedAtBuild = false;
    // The output channel limit the fader banks follow, and whether it ever
    // changed, for banks made later.
    int outputLimit = 512;
    bool outputLimitChanged = false;
    // The output channel limit the DMX output page's box would show.
    void showOutputLimit(int n);
    void outputLimitShown(int n);
    void showEventGeneration(bool on);
    // The visual-project page's field as the page shows it when built.
    projectFieldTexts fieldAtBuild() const;
    void showField(const projectFieldTexts& field);
    void showValidity(bool valid);
    // Carries the page's field over to the next window.
    void keepProjectField();
    void buildOtherPage();
    void buildVisualProjectPage();
    void buildGeneralSettingsGroups();
    void buildActions();
    void buildMenus();
    void buildDelayTimes();
    void buildSunEvents();
    void buildTimeScale();
    void buildEventsGenerator();
    void buildMisc();
    void buildProjectDetails();
    void buildLibraryGroup();
    void buildProjectFileGroup();
    // True when it read a project file, whose reading checked the fixtures.
    bool takeCommandLineFiles();
    // readProject: true when the file was taken.
    bool readProjectFile();
    void showStoredSettings();
    // The innermost tab page shown, and its reload.
    QWidget* visiblePage() const;
    void refreshPage();
    // False when the user keeps the window open: cancelled the question about
    // unsaved changes, or the save they asked for did not happen.
    bool unsavedWorkSettled();
    // The field settings of a project's "field" node, without checking the fixtures.
    void showProjectField(const xml_node& field);
    void reloadOtherPage();
    void reloadAfterRead(bool fromFile);
    void takeRead();
    void viewToggled(bool on, uint16_t flag, void (ctrl_monitor::*open)(), QAction* action);
    // Chooses an upgrade file; empty when cancelled.
    QString chooseUpgradeFile();
    // Lets go of the fixture icons the visualisation window left here.
    void releaseFixtureIcons();
};
