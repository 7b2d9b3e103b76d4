#include "app/gui_class.h"

#include "app/gui_page_helpers.h"

#include "app/clear_conf_dialog.h"
#include "app/right_panel_widget.h"
#include "seams/dialog_seam.h"
#include "app/time_rescale_dlg.h"
#include "widgets/cell_editor_delegate.h"
#include "widgets/cell_selection.h"
#include "widgets/late_content.h"
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
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QSignalBlocker>

#include <iterator>
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

// Inclusive corners (left, top) and (right, bottom).
void place(QWidget* w, int left, int top, int right, int bottom)
{
    w->setGeometry(left, top, right - left + 1, bottom - top + 1);
}

}  // namespace

using namespace gui_pages;

gui_class::gui_class(kv310_controller_class* controller, QWidget* parent, windowBuild build,
                     const std::function<void()>& beforeShowRead)
    : gui_base_class(parent), controller(controller)
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
    for (bool b : built)
        if (!b)
            return false;
    return true;
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
    // The show the program starts with, as its first window shows it: what
    // a page repairs when it is first built or shown is no unsaved work.
    if (controller && !controller->hasFingerprint()) {
        controller->takeFingerprint();
        // The page on the screen was loaded from that show as it was made:
        // reloaded, it finds nothing more to repair.
        QWidget* page = visiblePage();
        const std::optional<lazyPage> lazy = pageOn(page);
        if (page && (!lazy || isBuilt(*lazy)))
            shownEpoch.insert(page, controller->fingerprintEpoch);
    }
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

QWidget* gui_class::tabPageOf(lazyPage page) const
{
    QWidget* const tabs[] = {
        tab_programs,       tab_seqs,          tab_masks,          tab_settings_Inputs, tab_settings_dmx,
        tab_settings_dmxin, tab_settings_descs, tab_settings_other, tab_settings_visual, tab_events_inputs,
        tab_events_vkeys,   tab_events_ired,   tab_events_dmx,     tab_events_dmxout,   tab_events_clock,
        tab_events_delays,  tab_as_settngs,    tab_as_edit,        tab_settings_ired,
    };
    static_assert(std::size(tabs) == size_t(lazyPage::count), "one tab page per page built on demand");
    return tabs[size_t(page)];
}

std::optional<gui_class::lazyPage> gui_class::pageOn(const QWidget* tabPage) const
{
    for (size_t p = 0; p < size_t(lazyPage::count); ++p)
        if (tabPageOf(lazyPage(p)) == tabPage)
            return lazyPage(p);
    return std::nullopt;
}

void gui_class::buildPage(lazyPage page)
{
    if (isBuilt(page))
        return;
    // The compound scenes are composed by the active-scenes page.
    if (page == lazyPage::compoundScenes)
        buildPage(lazyPage::activeScenes);
    built[size_t(page)] = true;
    // What a page repairs as it is built is no unsaved work: a show
    // unchanged before is the shown show after.
    std::optional<showRepair> repair;
    if (controller && repairDepth == 0)
        repair.emplace(controller);
    ++repairDepth;
    constructPage(page);
    // A page made on its tab as the tab is shown.
    showLateContent(tabPageOf(page));
    takeMissedRead(page);
    --repairDepth;
    // Chosen as the user chose it in the former window: a visit.
    if (placeToTake)
        placeToTake->restoreInto(this);
}

void gui_class::takePlace(windowPlace place)
{
    placeToTake = std::make_unique<windowPlace>(std::move(place));
    placeToTake->restoreInto(this);
}

void gui_class::constructPage(lazyPage page)
{
    switch (page) {
    case lazyPage::programs:
        programEditor = new aprogram_settings_widget(controller, tab_programs);
        programEditor->programRows = programRows;
        connect(programEditor, &aprogram_settings_widget::relabelScenes, sceneEditor, &ascene_settings_widget::relabel);
        connect(programEditor->editSceneButton, &QPushButton::clicked, this, &gui_class::switchToScene);
        break;
    case lazyPage::sequences:
        sequenceEditor = new aseq_settings_widget(tab_seqs);
        break;
    case lazyPage::masks:
        maskEditor = new amask_settings_widget(controller, tab_masks);
        // In the order a limit reaches a page built before it: its range
        // boxes, then its faders.
        if (rangeBoxLimit)
            limitRangeBoxes(maskEditor, *rangeBoxLimit);
        if (outputLimitChanged)
            maskEditor->limitChnls(outputLimit);
        break;
    case lazyPage::inputsSettings:
        inputsSettings = new asettings_inputs_widget(tab_settings_Inputs);
        break;
    case lazyPage::dmxOutSettings: {
        dmxOutSettings = new asettings_dmx_widget(tab_settings_dmx);
        QSpinBox* channelLimit = dmxOutSettings->settingsPanel->spinChnlMax;
        connect(channelLimit, &QSpinBox::valueChanged, this, &gui_class::outputLimitShown);
        channelLimit->setValue(outputLimit);
        break;
    }
    case lazyPage::dmxInSettings:
        dmxInSettings = new asettings_dmx_in_widget(tab_settings_dmxin);
        if (rangeBoxLimit)
            dmxInSettings->limitRangeBoxes(*rangeBoxLimit);
        break;
    case lazyPage::descsSettings:
        descsSettings = new asettings_descs_widget(tab_settings_descs);
        break;
    case lazyPage::otherSettings:
        buildOtherPage();
        break;
    case lazyPage::visualProject:
        buildVisualProjectPage();
        break;
    case lazyPage::inputsEvents:
        inputsEvents = new aevents_inputs_widget(tab_events_inputs);
        break;
    case lazyPage::vkeysEvents:
        vkeysEvents = new aevents_vkeys_widget(tab_events_vkeys);
        break;
    case lazyPage::iredEvents:
        iredEvents = new aevents_ired_widget(tab_events_ired);
        break;
    case lazyPage::dmxInEvents:
        dmxInEvents = new aevents_dmx_widget(tab_events_dmx);
        break;
    case lazyPage::dmxOutEvents:
        dmxOutEvents = new aevents_dmxout_widget(tab_events_dmxout);
        if (dmxOutRange) {
            dmxOutEvents->firstChannel = dmxOutRange->first;
            dmxOutEvents->lastChannel = dmxOutRange->second;
        }
        break;
    case lazyPage::clockEvents:
        clockEvents = new aevents_clock_widget(tab_events_clock);
        break;
    case lazyPage::delayEvents:
        delayEvents = new aevents_dlyd_widget(tab_events_delays);
        connect(this, &gui_class::refreshDldEvents, delayEvents, qOverload<>(&aevents_dlyd_widget::refresh));
        break;
    case lazyPage::activeScenes:
        activeScenes = new as_conf_widget(tab_as_settngs);
        place(activeScenes, 10, 20, 830, 630);
        if (activeScenesInputLimit)
            activeScenes->setInputLimit(*activeScenesInputLimit);
        break;
    case lazyPage::compoundScenes:
        activeSceneEditor = new as_edit_widget(tab_as_edit);
        place(activeSceneEditor, 0, 0, 840, 640);
        // Every bank of faders follows the output channel limit, whenever
        // the window was built.
        if (outputLimitChanged)
            activeSceneEditor->limitChnls(outputLimit);
        break;
    case lazyPage::iredSettings:
        tab_settings_ired->build();
        break;
    case lazyPage::count:
        break;
    }
}

void gui_class::takeMissedRead(lazyPage page)
{
    const uint8_t missed = std::exchange(missedReads[size_t(page)], 0);
    if (!missed || !controller)
        return;
    const bool fromFile = missed & 2;
    switch (page) {
    case lazyPage::programs: {
        if (fromFile)
            programEditor->relabel();
        programEditor->keepCurrentProgramOffered();
        const int program = qMax(programEditor->currentProgram, 0);
        programEditor->sceneCountChange(controller->programs.stepCount(program), true);
        break;
    }
    case lazyPage::sequences:
        if (fromFile)
            sequenceEditor->seqNumberChange(0, 0, 0, 0);
        break;
    case lazyPage::inputsEvents:
        inputsEvents->afterReload();
        break;
    case lazyPage::dmxInEvents:
        dmxInEvents->afterReload();
        break;
    case lazyPage::activeScenes:
        activeScenes->configRead();
        break;
    default:
        break;
    }
}

void gui_class::buildOtherPage()
{
    dateTimeGroup = new QGroupBox(tr("Date and Time"), tab_settings_other);
    place(dateTimeGroup, 320, 20, 819, 199);
    clockSettings = new asettings_clock_widget(dateTimeGroup);
    buildGeneralSettingsGroups();

    monitor = new ctrl_monitor(tab_settings_other);
    place(monitor, 30, 20, 289, 239);
    connect(monitor, &ctrl_monitor::clrMenu, this, &gui_class::vMenuClr);
    connect(monitor, &ctrl_monitor::forceRefresh, this, &gui_class::refresh);

    buildDelayTimes();
    buildSunEvents();
    buildTimeScale();
    buildEventsGenerator();
    buildMisc();

    if (controller) {
        const uint8_t* image = controller->configImage;
        const QSignalBlocker startup(startupTimeEdit);
        const QSignalBlocker shutdown(shutdownTimeEdit);
        startupTimeEdit->setTime(fromTenths(img::getU16(image, img::startUpTime)));
        shutdownTimeEdit->setTime(fromTenths(img::getU16(image, img::shutDownTime)));
    }
    // What the controller reported of its clock while the page was not there.
    if (deviceDst)
        clockSettings->dstBox->setChecked(*deviceDst);
    if (deviceCalibration)
        clockSettings->showDeviceCalibration(*deviceCalibration);
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
    if (projectValid)
        showValidity(*projectValid);
    projectCheckedAtBuild = takeCommandLineFiles() || projectCheckedAtBuild;
}

void gui_class::buildGeneralSettingsGroups()
{
    delayTimesGroup = new QGroupBox(tr("Enable / Disable Delay Times"), tab_settings_other);
    place(delayTimesGroup, 30, 500, 379, 609);
    timeScaleGroup = new QGroupBox(tr("Time scale"), tab_settings_other);
    place(timeScaleGroup, 320, 370, 439, 479);
    timeScaleGroup->setCheckable(true);
    timeScaleGroup->setChecked(false);
    timeScaleGroup->hide();
    eventsGeneratorGroup = new QGroupBox(tr("Events Generator"), tab_settings_other);
    place(eventsGeneratorGroup, 320, 370, 819, 479);
    miscGroup = new QGroupBox(tr("Miscellaneous"), tab_settings_other);
    place(miscGroup, 30, 260, 289, 479);
    sunEventsGroup = new QGroupBox(tr("Enable Sunrise / Sunset Events"), tab_settings_other);
    place(sunEventsGroup, 320, 220, 819, 349);
    sunEventsGroup->setCheckable(true);
    sunEventsGroup->setChecked(false);
}

void gui_class::buildDelayTimes()
{
    startupTimeLabel = new QLabel(tr("Start-up Time"), delayTimesGroup);
    startupTimeLabel->setGeometry(20, 30, 150, 25);
    shutdownTimeLabel = new QLabel(tr("Shut-down Time"), delayTimesGroup);
    shutdownTimeLabel->setGeometry(20, 70, 150, 25);
    const QTime longest = fromTenths(0xFFFF);
    startupTimeEdit = new MyTimeEdit(delayTimesGroup);
    startupTimeEdit->setGeometry(190, 30, 130, 25);
    startupTimeEdit->setMaximumTime(longest);
    shutdownTimeEdit = new MyTimeEdit(delayTimesGroup);
    shutdownTimeEdit->setGeometry(190, 70, 130, 25);
    shutdownTimeEdit->setMaximumTime(longest);
    connect(startupTimeEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &gui_class::enableTimeChanged);
    connect(shutdownTimeEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &gui_class::disableTimeChanged);
}

void gui_class::buildSunEvents()
{
    const QFont font = pageFont();
    const QString degrees = QStringLiteral(" ") + QChar(0x00B0);
    latitudeLabel = new QLabel(tr("Location latitude:"), sunEventsGroup);
    latitudeLabel->setGeometry(20, 25, 185, 25);
    latitudeSpin = new QSpinBox(sunEventsGroup);
    latitudeSpin->setGeometry(210, 25, 100, 25);
    latitudeSpin->setRange(-60, 60);
    latitudeSpin->setSuffix(degrees);
    latitudeSpin->setValue(50);
    longitudeLabel = new QLabel(tr("Location longitude:"), sunEventsGroup);
    longitudeLabel->setGeometry(20, 60, 185, 25);
    longitudeSpin = new QSpinBox(sunEventsGroup);
    longitudeSpin->setGeometry(210, 60, 100, 25);
    longitudeSpin->setRange(-180, 180);
    longitudeSpin->setSuffix(degrees);
    longitudeSpin->setValue(20);
    timeZoneLabel = new QLabel(tr("Time zone:"), sunEventsGroup);
    timeZoneLabel->setGeometry(20, 95, 185, 25);
    timeZoneSpin = new QSpinBox(sunEventsGroup);
    timeZoneSpin->setGeometry(210, 95, 100, 25);
    timeZoneSpin->setRange(-12, 12);
    timeZoneSpin->setPrefix(QStringLiteral("GMT +"));
    timeZoneSpin->setValue(1);

    calculateButton = new QPushButton(tr("Calculate"), sunEventsGroup);
    calculateButton->setGeometry(330, 22, 150, 28);
    readSunTimesButton = new QPushButton(tr("Read from file"), sunEventsGroup);
    readSunTimesButton->setGeometry(330, 57, 150, 28);
    saveSunTimesButton = new QPushButton(tr("Save to file"), sunEventsGroup);
    saveSunTimesButton->setGeometry(330, 92, 150, 28);
    for (QPushButton* b : {calculateButton, readSunTimesButton, saveSunTimesButton})
        b->setFont(font);

    connect(sunEventsGroup, &QGroupBox::toggled, this, &gui_class::sunEventsEnable);
    connect(calculateButton, &QPushButton::clicked, this, &gui_class::recalculate);
    connect(readSunTimesButton, &QPushButton::clicked, this, &gui_class::getSunEventsTimes);
    connect(saveSunTimesButton, &QPushButton::clicked, this, &gui_class::saveSunEventsTimes);
    connect(latitudeSpin, &QSpinBox::valueChanged, this, &gui_class::saveLatit);
    connect(longitudeSpin, &QSpinBox::valueChanged, this, &gui_class::saveLongit);
    connect(timeZoneSpin, &QSpinBox::valueChanged, this, &gui_class::saveTZone);
}

void gui_class::buildTimeScale()
{
    pbRescale = new QPushButton(tr("Recalculate\nproject\ntimes"), timeScaleGroup);
    pbRescale->setObjectName(QStringLiteral("pbRescale"));
    pbRescale->setGeometry(10, 25, 100, 75);
    connect(pbRescale, &QPushButton::clicked, this, &gui_class::prjTimeRescale);
}

void gui_class::buildEventsGenerator()
{
    chooseEventLabel = new QLabel(tr("Choose event:"), eventsGeneratorGroup);
    chooseEventLabel->setGeometry(20, 25, 200, 25);
    eventTypeCombo = new QComboBox(eventsGeneratorGroup);
    eventTypeCombo->setGeometry(20, 60, 150, 28);
    const struct {
        const char* text;
        int firstId;
    } types[] = {
        {QT_TR_NOOP("Input"), 0x1340},   {QT_TR_NOOP("Seq. start"), 0x1200}, {QT_TR_NOOP("Delay"), 0x1000},
        {QT_TR_NOOP("Internal Event"), 0x400}, {QT_TR_NOOP("DMX In"), 0},   {QT_TR_NOOP("DMX Out"), 0xC00},
        {QT_TR_NOOP("Timer"), 0x800},    {QT_TR_NOOP("R. C. Key"), 0x1280},
    };
    for (const auto& t : types)
        eventTypeCombo->addItem(tr(t.text), t.firstId);
    eventVariantCombo = new QComboBox(eventsGeneratorGroup);
    eventVariantCombo->setGeometry(180, 60, 100, 28);
    prepEvMode(2);
    eventNumberSpin = new QSpinBox(eventsGeneratorGroup);
    eventNumberSpin->setGeometry(290, 60, 70, 28);
    eventNumberSpin->setRange(1, 24);
    generateButton = new QPushButton(tr("Generate"), eventsGeneratorGroup);
    generateButton->setGeometry(370, 60, 110, 28);
    generateButton->setFont(pageFont());
    connect(eventTypeCombo, &QComboBox::currentIndexChanged, this, &gui_class::evTypeChanged);
    connect(generateButton, &QPushButton::clicked, this, &gui_class::Wygeneruj);
}

void gui_class::buildMisc()
{
    extPanelsCheck = new QCheckBox(tr("Enable communication\nwith external panels"), miscGroup);
    extPanelsCheck->setGeometry(20, 40, 230, 50);
    dmxInProgrammingCheck = new QCheckBox(tr("Enable setting scenes\nwith DMX inputs"), miscGroup);
    dmxInProgrammingCheck->setGeometry(20, 110, 230, 50);
    connect(extPanelsCheck, &QCheckBox::stateChanged, this, &gui_class::extPanelEnable);
    connect(dmxInProgrammingCheck, &QCheckBox::stateChanged, this, &gui_class::selfPgmEnable);
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

    programRows = img::PROGRAM_SLOTS - int(controller->extraEntries.size());
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
    deviceDst = active;
    if (clockSettings)
        clockSettings->dstBox->setChecked(active);
}

void gui_class::showDeviceCalibration(int value)
{
    deviceCalibration = value;
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
    dmxOutRange = QPair<int, int>(first, last);
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
    rangeBoxLimit = n;
    limitRangeBoxes(sceneEditor, n);
    limitRangeBoxes(maskEditor, n);
    if (dmxInSettings)
        dmxInSettings->limitRangeBoxes(n);
}

void gui_class::setActiveScenesInputLimit(int n)
{
    activeScenesInputLimit = n;
    if (activeScenes)
        activeScenes->setInputLimit(n);
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
    // The first time a page shows a show, what it repairs (values it cannot
    // show, written back as it shows them) is no unsaved work: a page first
    // shown late must not make an unchanged show ask at close. Later
    // refreshes of the same show find nothing more to repair. A page is
    // built when it is first shown, within the same repair.
    QWidget* page = visiblePage();
    std::optional<showRepair> repair;
    if (controller && page && repairDepth == 0 && shownEpoch.value(page, -1) != controller->fingerprintEpoch)
        repair.emplace(controller);
    ++repairDepth;
    if (const std::optional<lazyPage> lazy = pageOn(page))
        buildPage(*lazy);
    refreshPage();
    --repairDepth;
    if (repair) {
        repair.reset();
        shownEpoch.insert(page, controller->fingerprintEpoch);
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

void gui_class::reloadOtherPage()
{
    clockSettings->refresh();
    monitor->updateStateTexts(MONITOR_FLAG_ALL);
    delayTimesGroup->show();
    eventsGeneratorGroup->show();
    if (!controller)
        return;
    const uint8_t* image = controller->configImage;
    // The image ends holding what the page shows: a switch that holds
    // neither on (0) nor off (0xFFFF) shows off and is written off. Any other
    // value of the sun events is a pair of delays and is kept as it is.
    {
        const QSignalBlocker panels(extPanelsCheck);
        const QSignalBlocker programming(dmxInProgrammingCheck);
        const QSignalBlocker sun(sunEventsGroup);
        extPanelsCheck->setChecked(img::getU16(image, img::extPanelsEnable) == 0);
        dmxInProgrammingCheck->setChecked(img::getU16(image, img::dmxInProgramming) == 0);
        sunEventsGroup->setChecked(img::getU16(image, img::sunEvents) != img::NONE16);
    }
    extPanelEnable(extPanelsCheck->checkState());
    selfPgmEnable(dmxInProgrammingCheck->checkState());

    // Likewise a stored location or time zone outside its range shows as its
    // default, not as the bound, and the image takes that default too.
    const int storedZone = img::getI32(image, img::timeZone);
    const int storedLongitude = img::getI32(image, img::longitude);
    const int storedLatitude = img::getI32(image, img::latitude);
    const int zone = storedZone >= -12 && storedZone <= 12 ? storedZone : 1;
    const int longitude = storedLongitude >= -180 && storedLongitude <= 180 ? storedLongitude : 20;
    const int latitude = storedLatitude >= -60 && storedLatitude <= 60 ? storedLatitude : 50;
    {
        const QSignalBlocker zoneBlocker(timeZoneSpin);
        const QSignalBlocker longitudeBlocker(longitudeSpin);
        const QSignalBlocker latitudeBlocker(latitudeSpin);
        timeZoneSpin->setValue(zone);
        longitudeSpin->setValue(longitude);
        latitudeSpin->setValue(latitude);
    }
    saveTZone(zone);
    saveLongit(longitude);
    saveLatit(latitude);
}

void gui_class::fileRead()
{
    reloadAfterRead(true);
}

void gui_class::deviceRead()
{
    reloadAfterRead(false);
}

void gui_class::reloadAfterRead(bool fromFile)
{
    if (!controller)
        return;
    const uint8_t* image = controller->configImage;
    // Pages not built yet take the read when they are.
    for (size_t p = 0; p < size_t(lazyPage::count); ++p)
        if (!built[p])
            missedReads[p] |= fromFile ? 3 : 1;
    if (fromFile) {
        sceneEditor->relabel();
        programRows = img::PROGRAM_SLOTS - int(controller->extraEntries.size());
        if (programEditor) {
            programEditor->programRows = programRows;
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

// ---- Clearing and time scale -------------------------------------------------------------

void gui_class::ClearConfig(bool)
{
    uint32_t cleared = 0;
    finishCellEdits(this);
    {
        clearConf_dialog dialog(this);
        execDialog(&dialog);
        cleared = dialog.clearedFlags;
    }
    fileRead();
    // A show cleared whole is a new show with nothing to save; one cleared
    // in part is the old show changed.
    if (cleared == CLEAR_ALL && controller)
        controller->takeFingerprint();
}

void gui_class::ClearConfig()
{
    ClearConfig(true);
}

void gui_class::ClearExec(uint16_t flags)
{
    if (controller)
        controller->ClearConfig(uint32_t(flags));
}

void gui_class::prjTimeRescale()
{
    buildPage(lazyPage::otherSettings);
    {
        timeRescaleDlg dialog(nullptr);
        execDialog(&dialog);
    }
    timeScaleGroup->setChecked(false);
}
