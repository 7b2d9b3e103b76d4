#include "app/gui_class.h"

#include "app/gui_page_helpers.h"
#include "app/lazy_pages.h"

#include "app/right_panel_widget.h"
#include "seams/dialog_seam.h"
#include "widgets/my_time_edit.h"
#include "widgets/window_place.h"
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
#include "model/active_scenes.h"
#include "model/kv310_controller.h"
#include "model/other_configuration.h"
#include "model/time_codes.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "settings/asettings_clock_widget.h"
#include "settings/asettings_descs_widget.h"
#include "settings/asettings_dmx_in_widget.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "xml/xml_node.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QSignalBlocker>

#include <optional>
#include <utility>


namespace {

constexpr int MAIN_TAB_EVENTS = 0;
constexpr int MAIN_TAB_SCENES = 1;
constexpr int MAIN_TAB_PROGRAMS = 2;
constexpr int MAIN_TAB_SEQUENCES = 3;
constexpr int MAIN_TAB_MASKS = 4;
constexpr int MAIN_TAB_ACTIVE_SCENES = 6;
constexpr int MAIN_TAB_SETTINGS = 7;
constexpr int EVENTS_TAB_REMOTE_CONTROL = 5;
constexpr int EVENTS_TAB_DMX_OUTPUT = 6;
constexpr int ACTIVES_TAB_COMPOUND = 1;
constexpr int SETTINGS_TAB_OTHER = 5;
// The output channel limit's box offers 24..512.
constexpr int MIN_OUTPUT_CHANNELS = 24;

// The scene and mask pages hold the channel range boxes of their
// "Choose all or..." group.
void limitRangeBoxes(arecord_settings_widget* page, int n)
{
    if (!page)
        return;
    page->limitChannelRanges(n);
}


}  // namespace

using namespace gui_pages;

gui_class::gui_class(kv310_controller_class* controller, QWidget* parent, windowBuild build,
                     const std::function<void()>& beforeShowRead)
    : gui_base_class(parent), controller(controller), pages(std::make_unique<lazyPages>(*this))
{
    setupUi(this);
    theMainWindow = this;

    scrollArea = new QScrollArea(this);
    scrollArea->setWidget(centralwidget);
    centralwidget->resize(1070, 703);
    setCentralWidget(scrollArea);
    resize(maximumSize());

    buildVisiblePart(beforeShowRead, build);
    if (build == windowBuild::complete)
        completeWindow();
}

void gui_class::buildVisiblePart(const std::function<void()>& beforeShowRead, windowBuild build)
{
    // The form opens on the Scenes tab: its page, the panel beside it and
    // the menu bar are all the first frame shows. The panel and the menus
    // read nothing of the show, so they are made while a configuration
    // read at start-up is still being unpacked.
    rightPanel = new right_panel_widget(controller, centralwidget);
    buildActions();
    buildMenus();
    if (beforeShowRead)
        beforeShowRead();
    // The title names the file of the show in memory, read or saved before
    // this window was built.
    setWindowTitle(controller ? controller->mainWindowTitle() : QStringLiteral("KvOrbit310+"));
    // The scene page's hidden tools wait for their tabs, or for the rest of
    // the window.
    sceneEditor = new ascene_settings_widget(controller, tab_scenes,
                                             build == windowBuild::complete
                                                 ? ascene_settings_widget::toolBuild::atOnce
                                                 : ascene_settings_widget::toolBuild::whenNeeded);
    showLinkAsItIs();

    connect(tabWidget_main, &QTabWidget::currentChanged, this, &gui_class::tabChange);
    connect(tabWidget_settings, &QTabWidget::currentChanged, this, &gui_class::tabSettingsChange);
    connect(tabWidget_events, &QTabWidget::currentChanged, this, &gui_class::tabEventsChange);
    connect(tabWidget_actives, &QTabWidget::currentChanged, this, &gui_class::tabAScenesChange);
    connect(this, &gui_class::currentTabChanged, sceneEditor, &ascene_settings_widget::sceneLiveOn);
    connect(rightPanel, &right_panel_widget::turnOnSceneLive, this, &gui_class::turnOnLiveButton);
    connect(rightPanel->clearButton, &QPushButton::clicked, this, qOverload<bool>(&gui_class::ClearConfig));
    if (controller) {
        connect(controller, &kv310_controller_class::setConnectionStatus, this, &gui_class::connectionStatusChange);
        connect(controller, &kv310_controller_class::readKv310Finished, this, &gui_class::deviceRead);
        connect(controller, &kv310_controller_class::readFileFinished, this, &gui_class::fileRead);
    }
    if (theVisualProject)
        connect(theVisualProject, &v_project::validated, this, &gui_class::vprValidated);

    clockTimer = new QTimer(this);
    clockTimer->setInterval(1000);
    connect(clockTimer, &QTimer::timeout, this, &gui_class::timerTimeUpdate);
    clockTimer->start();

    tabWidget_events->setTabEnabled(EVENTS_TAB_DMX_OUTPUT, false);
    tabWidget_events->setTabEnabled(EVENTS_TAB_REMOTE_CONTROL, false);
    showStoredSettings();
    followShowRules();
}

void gui_class::followShowRules()
{
    // What the rules of the active scenes make of the show the window
    // starts with, whether or not their pages are ever built: the numbers as
    // the page shows them, the control channel free to set phases, and
    // pictures composed where none are (a show read before the first window).
    // A repair, not the user's work: the fingerprint is looked at only when
    // a rule changes something.
    if (!controller)
        return;
    uint8_t* image = controller->configImage;
    if (activeSceneRules::needsRepair(image)) {
        const showRepair repair(controller);
        activeSceneRules::repair(image);
    }
    if (activeSceneRules::picturesEmpty(*controller))
        activeSceneRules::composePictures(*controller);
    showCompoundTabAsStored();
}

void gui_class::showCompoundTabAsStored()
{
    // Until the active-scenes page is built, the compound scenes' tab is
    // open as the page would leave it: exactly when all three numbers are
    // set (the page is switched on then, and the user cannot switch it off
    // without it).
    if (!activeScenes && controller)
        setActiveScenesTabEnabled(ACTIVES_TAB_COMPOUND, activeSceneRules::allSet(controller->configImage));
}

void gui_class::showLinkAsItIs()
{
    // A window built while the controller is connected (after a language
    // change) shows the link, the controller and the mode the user chose as
    // they are, without asking the controller for anything.
    if (!controller || !controller->isConnected())
        return;
    rightPanel->setConnectionStatus(true);
    displaySN();
    const QSignalBlocker normal(rightPanel->normalButton);
    const QSignalBlocker live(rightPanel->liveButton);
    rightPanel->normalButton->setChecked(controller->uiMode == 1);
    rightPanel->liveButton->setChecked(controller->uiMode == 2);
    rightPanel->freezeButton->setEnabled(controller->uiMode == 1);
}

bool gui_class::isComplete() const
{
    return pages->allBuilt();
}

void gui_class::completeWindow()
{
    sceneEditor->ensureTools();
    if (!isComplete()) {
        for (size_t p = 0; p < size_t(lazyPage::count); ++p)
            buildPage(lazyPage(p));
        refresh();
    }
    finishStart();
}

void gui_class::finishStart()
{
    if (started)
        return;
    started = true;
    // The library and project files named on the command line are the
    // visual-project page's to read, as its buttons read them.
    v_project* vp = theVisualProject;
    if (vp && !isBuilt(lazyPage::visualProject) && !vp->libraryTree
        && (!vp->libraryFile.isEmpty() || !vp->projectFile.isEmpty()))
        buildPage(lazyPage::visualProject);
    // A project file read there has checked its fixtures already: the user
    // hears of an incomplete one once.
    if (vp && !projectCheckedAtBuild)
        vp->checkFixtures();
    // The show the program starts with, as its first window shows it, the
    // show's rules applied.
    if (controller && !controller->hasFingerprint())
        controller->takeFingerprint();
}

gui_class::~gui_class()
{
    // A window that never showed its visual-project page leaves the last
    // window's field settings to the next one.
    if (isBuilt(lazyPage::visualProject))
        keepProjectField();

    // The visualisation window is a child of this window: it goes while the
    // page that it re-enables on its way out still exists.
    if (theVisualProject && theVisualProject->graphWindow && theVisualProject->graphWindow->parent() == this)
        delete theVisualProject->graphWindow;
    releaseFixtureIcons();

    // The output DMX window may still be open: from here on its closing
    // finds no scene editor to tell.
    delete sceneEditor;
    sceneEditor = nullptr;
    delete maskEditor;
    delete programEditor;
    delete sequenceEditor;
}

// ---- Pages built on demand ---------------------------------------------------------

void gui_class::buildPage(lazyPage page)
{
    pages->build(page);
}

bool gui_class::isBuilt(lazyPage page) const
{
    return pages->isBuilt(page);
}

void gui_class::takePlace(windowPlace place)
{
    pages->takePlace(std::move(place));
}

void gui_class::buildVisualProjectPage()
{
    projectDetailsGroup = new QGroupBox(tr("Project details"), tab_settings_visual);
    place(projectDetailsGroup, 40, 40, 780, 370);
    libraryGroup = new QGroupBox(tr("External fixtures library"), tab_settings_visual);
    place(libraryGroup, 40, 390, 780, 480);
    oldProjectGroup = new QGroupBox(tr("Old style project definition file"), tab_settings_visual);
    place(oldProjectGroup, 40, 500, 780, 590);
    oldProjectGroup->setEnabled(false);
    oldProjectGroup->hide();
    buildProjectDetails();
    buildLibraryGroup();
    buildProjectFileGroup();
    if (theVisualProject)
        connect(theVisualProject, &v_project::detailsState, projectDetailsGroup, &QGroupBox::setEnabled);
    if (pages->projectValid)
        showValidity(*pages->projectValid);
    projectCheckedAtBuild = takeCommandLineFiles() || projectCheckedAtBuild;
}

// What a read of the configuration loads beyond the visible page, shown here
// without writing anything to the image, so that a window built after a
// language change (or after a file read at start-up) shows the configuration
// in memory rather than defaults. Pages built later take it when they are.
void gui_class::showStoredSettings()
{
    if (!controller)
        return;
    const uint8_t* image = controller->configImage;

    const int channels = img::getU16(image, img::outputChannelCount);
    if (channels >= MIN_OUTPUT_CHANNELS && channels <= img::CHANNELS)
        showOutputLimit(channels);

    const bool generating = img::getU16(image, img::outEventFirstChannel) < img::CHANNELS;
    if (generating)
        setDmxOutEventRange(asettings_dmx_set_widget::storedEventRange(image).first,
                            asettings_dmx_set_widget::storedEventRange(image).second);
    setEventsTabEnabled(EVENTS_TAB_DMX_OUTPUT, generating);
    setEventsTabEnabled(EVENTS_TAB_REMOTE_CONTROL, controller->rcuAddress <= 31);

    pages->programRows = img::PROGRAM_SLOTS - int(controller->extraEntries.size());
}

void gui_class::showOutputLimit(int n)
{
    // As the DMX output page's limit box takes a value: bounded, and telling
    // only a change.
    n = qBound(MIN_OUTPUT_CHANNELS, n, int(img::CHANNELS));
    if (dmxOutSettings) {
        dmxOutSettings->settingsPanel->spinChnlMax->setValue(n);
        return;
    }
    if (n == outputLimit)
        return;
    // What the page does with a new limit, then what follows it.
    if (controller)
        img::putU16(controller->configImage, img::outputChannelCount, uint16_t(n));
    limitChannelRangeBoxes(n);
    outputLimitShown(n);
}

void gui_class::outputLimitShown(int n)
{
    outputLimit = n;
    outputLimitChanged = true;
    sceneEditor->limitChnls(n);
    if (maskEditor)
        maskEditor->limitChnls(n);
    if (activeSceneEditor)
        activeSceneEditor->limitChnls(n);
}

void gui_class::showEventGeneration(bool on)
{
    if (dmxOutSettings) {
        dmxOutSettings->settingsPanel->eventGenEnable(on);
        return;
    }
    // What the output page's switch does, without the page: generation off
    // is stored as off, on keeps the stored range.
    if (!on) {
        img::putU16(controller->configImage, img::outEventFirstChannel, img::NONE16);
        setEventsTabEnabled(EVENTS_TAB_DMX_OUTPUT, false);
        setDmxOutEventRange(img::CHANNELS + 1, img::CHANNELS);
        return;
    }
    const QPair<int, int> range = asettings_dmx_set_widget::storedEventRange(controller->configImage);
    setDmxOutEventRange(range.first, range.second);
    setEventsTabEnabled(EVENTS_TAB_DMX_OUTPUT, true);
    refreshDmxOutEvents();
}

void gui_class::activeScenesSwitchedOff()
{
    // A page not built yet finds the cleared image when it is.
    if (activeScenes)
        activeScenes->setChecked(false);
}

// ---- gui_base_class services ----------------------------------------------------

projectFieldTexts gui_class::projectField() const
{
    // Until the page has its widgets, the field it will show.
    if (!visModeButton)
        return fieldAtBuild();
    projectFieldTexts t;
    t.dark = bkFactorCombo->currentData().toInt();
    t.image = bkImageEdit->text();
    t.pale = sketchFactorCombo->currentData().toInt();
    t.outline = sketchEdit->text();
    t.width = QString::number(fieldWidthSpin->value());
    t.height = QString::number(fieldHeightSpin->value());
    return t;
}

void gui_class::showDeviceDst(bool active)
{
    // Only the check state: the daylight-saving switch says whether the user may change it.
    pages->deviceDst = active;
    if (clockSettings)
        clockSettings->dstBox->setChecked(active);
}

void gui_class::showDeviceCalibration(int value)
{
    pages->deviceCalibration = value;
    if (clockSettings)
        clockSettings->showDeviceCalibration(value);
}

void gui_class::setEventsTabEnabled(int index, bool enabled)
{
    tabWidget_events->setTabEnabled(index, enabled);
}

void gui_class::refreshDelayEvents()
{
    // A page not built yet shows the delays as they are when it is.
    emit refreshDldEvents();
}

void gui_class::reloadRemoteControlEvents()
{
    if (iredEvents)
        iredEvents->afterReload();
}

int gui_class::currentEventPageKind() const
{
    return tabWidget_main->currentIndex() == MAIN_TAB_EVENTS ? tabWidget_events->currentIndex() : 103;
}

void gui_class::setDmxOutEventRange(int first, int last)
{
    pages->dmxOutRange = QPair<int, int>(first, last);
    if (!dmxOutEvents)
        return;
    dmxOutEvents->firstChannel = first;
    dmxOutEvents->lastChannel = last;
}

void gui_class::refreshDmxOutEvents()
{
    if (dmxOutEvents)
        dmxOutEvents->refresh();
}

void gui_class::limitChannelRangeBoxes(int n)
{
    pages->rangeBoxLimit = n;
    limitRangeBoxes(sceneEditor, n);
    limitRangeBoxes(maskEditor, n);
    if (dmxInSettings)
        dmxInSettings->limitRangeBoxes(n);
}

void gui_class::setActiveScenesInputLimit(int n)
{
    // The show's rule, whether or not the page shows it.
    if (activeScenes)
        activeScenes->setInputLimit(n);
    else if (controller)
        activeSceneRules::limitControlChannel(controller->configImage, n);
    showCompoundTabAsStored();
}

// ---- Refresh ---------------------------------------------------------------------

QWidget* gui_class::visiblePage() const
{
    QWidget* page = tabWidget_main->currentWidget();
    for (QTabWidget* inner : {tabWidget_events, tabWidget_actives, tabWidget_settings})
        if (page && inner->parentWidget() == page)
            return inner->currentWidget();
    return page;
}

void gui_class::refresh()
{
    // A page whose construction moves a tab makes the window refresh while
    // it is being built: the page then current is refreshed once the build
    // ends, never a page that is not there yet.
    if (pages->building()) {
        pages->holdRefresh();
        return;
    }
    // Showing a show writes nothing to it: what a page cannot show the
    // show's rules stored as it shows it at start and at every read, and a
    // page that finds such a value later stores it as a repair of its own.
    QWidget* page = visiblePage();
    const bool outer = !std::exchange(refreshing, true);
    // Building the page may disable its tab and make another current: the
    // page current once every build is done is the one reloaded.
    for (std::optional<lazyPage> lazy = pages->pageOn(page); lazy && !isBuilt(*lazy);
         lazy = pages->pageOn(page)) {
        buildPage(*lazy);
        page = visiblePage();
    }
    pages->dropHeldRefresh();
    refreshPage();
    if (outer)
        refreshing = false;
    // A page the reload built moved the tab: the page current now.
    if (outer && pages->refreshWaiting()) {
        pages->dropHeldRefresh();
        refresh();
    }
}

void gui_class::refreshPage()
{
    switch (tabWidget_main->currentIndex()) {
    case MAIN_TAB_EVENTS:
        switch (tabWidget_events->currentIndex()) {
        case 0:
            inputsEvents->refresh();
            break;
        case 1:
            dmxInEvents->refresh();
            break;
        case 2:
            clockEvents->refresh();
            break;
        case 3:
            vkeysEvents->refresh();
            break;
        case 4:
            delayEvents->refresh();
            break;
        case EVENTS_TAB_REMOTE_CONTROL:
            iredEvents->refresh();
            break;
        case EVENTS_TAB_DMX_OUTPUT:
            dmxOutEvents->refresh();
            break;
        default:
            break;
        }
        break;
    case MAIN_TAB_SCENES:
        sceneEditor->refresh();
        break;
    case MAIN_TAB_PROGRAMS:
        programEditor->refresh();
        break;
    case MAIN_TAB_SEQUENCES:
        sequenceEditor->refresh();
        break;
    case MAIN_TAB_MASKS:
        maskEditor->refresh();
        break;
    case MAIN_TAB_ACTIVE_SCENES:
        switch (tabWidget_actives->currentIndex()) {
        case 0:
            activeScenes->refresh();
            break;
        case 1:
            activeSceneEditor->refresh();
            break;
        default:
            break;
        }
        break;
    case MAIN_TAB_SETTINGS:
        switch (tabWidget_settings->currentIndex()) {
        case 0:
            inputsSettings->refresh();
            break;
        case 1:
            dmxOutSettings->refresh();
            break;
        case 2:
            dmxInSettings->refresh();
            break;
        case 3:
            tab_settings_ired->refresh();
            break;
        case 4:
            descsSettings->refresh();
            break;
        case SETTINGS_TAB_OTHER:
            reloadOtherPage();
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

void gui_class::fileRead()
{
    takeRead();
    reloadAfterRead(true);
}

void gui_class::deviceRead()
{
    takeRead();
    reloadAfterRead(false);
}

void gui_class::takeRead()
{
    // What a read makes of the active scenes, whether or not their page
    // exists to hear of it. The read takes the fingerprint after it.
    if (controller)
        activeSceneRules::takeRead(*controller);
}

void gui_class::reloadAfterRead(bool fromFile)
{
    if (!controller)
        return;
    const uint8_t* image = controller->configImage;
    // Pages not built yet take the read when they are.
    pages->noteRead(fromFile);
    showCompoundTabAsStored();
    if (fromFile) {
        sceneEditor->relabel();
        pages->programRows = img::PROGRAM_SLOTS - int(controller->extraEntries.size());
        if (programEditor) {
            programEditor->programRows = pages->programRows;
            programEditor->relabel();
        }
    }
    showOutputLimit(img::getU16(image, img::outputChannelCount));
    if (startupTimeEdit) {
        startupTimeEdit->setTime(fromTenths(img::getU16(image, img::startUpTime)));
        shutdownTimeEdit->setTime(fromTenths(img::getU16(image, img::shutDownTime)));
    }
    const QPair<int, int> range = asettings_dmx_set_widget::storedEventRange(image);
    setDmxOutEventRange(range.first, range.second);
    showEventGeneration(img::getU16(image, img::outEventFirstChannel) < img::CHANNELS);
    if (fromFile && sequenceEditor)
        sequenceEditor->seqNumberChange(0, 0, 0, 0);
    if (programEditor) {
        // The current program may have become an extra entry's slot.
        programEditor->keepCurrentProgramOffered();
        const int program = qMax(programEditor->currentProgram, 0);
        programEditor->sceneCountChange(controller->programs.stepCount(program), true);
    }
    refresh();
}

// ---- Tabs, live scene, scene jump ---------------------------------------------------

void gui_class::tabChange(int)
{
    refresh();
}

void gui_class::tabSettingsChange(int)
{
    refresh();
}

void gui_class::tabEventsChange(int)
{
    refresh();
}

void gui_class::tabAScenesChange(int)
{
    refresh();
}

// ---- Services of the pages ------------------------------------------------------------

void gui_class::setSceneTransparency(bool on)
{
    if (sceneEditor)
        sceneEditor->setTransparency(on);
}

bool gui_class::sceneMonitorHidden() const
{
    return sceneEditor && sceneEditor->hideMonitorBox && sceneEditor->hideMonitorBox->isChecked();
}

void gui_class::setActiveScenesTabEnabled(int index, bool enabled)
{
    tabWidget_actives->setTabEnabled(index, enabled);
}

void gui_class::refreshCompoundScenes()
{
    if (activeSceneEditor)
        activeSceneEditor->refresh();
}

void gui_class::refreshVisiblePage()
{
    refresh();
}

void gui_class::turnOnLiveButton()
{
    if (tabWidget_main->currentIndex() == MAIN_TAB_SCENES)
        emit currentTabChanged();
}

void gui_class::switchToScene()
{
    buildPage(lazyPage::programs);
    if (!controller)
        return;
    const int row = programEditor->stepTable->currentIndex().row();
    if (row < 0)
        return;
    const int scene = controller->programs.scene(programEditor->currentProgram, row);
    if (scene < 0)
        return;
    sceneEditor->sceneList->setCurrentCell(scene, 0);
    sceneEditor->toolTabs->setCurrentIndex(0);
    tabWidget_main->setCurrentIndex(MAIN_TAB_SCENES);
    refresh();
}

// ---- Clock and connection ------------------------------------------------------------

void gui_class::timerTimeUpdate()
{
    if (controller)
        rightPanel->clockLabel->setText(controller->readDeviceClockText());
}

void gui_class::displaySN()
{
    if (!controller)
        return;
    rightPanel->serialLabel->setText(controller->serialNumberText());
    rightPanel->firmwareLabel->setText(controller->firmwareVersionText());
}

void gui_class::connectionStatusChange(bool)
{
    displaySN();
    if (controller && controller->getDeviceMode() == 1)
        rightPanel->normalButton->setChecked(true);
}

void gui_class::destTmpDev()
{
    // Pages and tools not built yet hold none.
    if (sceneEditor->copySource)
        sceneEditor->copySource->release();
    if (maskEditor)
        maskEditor->copySource->release();
    if (programEditor)
        programEditor->copySource->release();
}

void gui_class::readSettings(xml_node*) {}
