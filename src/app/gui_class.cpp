#include "app/gui_class.h"

#include "app/clear_conf_dialog.h"
#include "app/right_panel_widget.h"
#include "app/seams/dialog_seam.h"
#include "app/startup.h"
#include "app/time_rescale_dlg.h"
#include "app/widgets/my_time_edit.h"
#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "editors/events/aevents_dmxout_widget.h"
#include "editors/events/aevents_inputs_widget.h"
#include "editors/events/aevents_ired_widget.h"
#include "editors/events/aevents_vkeys_widget.h"
#include "editors/events/asettings_inputs_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "settings/asettings_clock_widget.h"
#include "settings/asettings_descs_widget.h"
#include "settings/asettings_dmx_in_widget.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "settings/asettings_ired_tab.h"
#include "visualisation/kv_vgraph.h"
#include "xml/xml_node.h"
#include "xml/xml_report.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSignalBlocker>
#include <QSignalMapper>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>
#include <memory>
#include <vector>

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

const QColor green(0, 155, 0);
const QColor red(220, 0, 0);
const QColor darkRed(110, 0, 0);

QFont pageFont()
{
    QFont font(QStringLiteral("MS Shell Dlg"), 10, QFont::Normal);
    font.setItalic(false);
    return font;
}

// Inclusive corners (left, top) and (right, bottom).
void place(QWidget* w, int left, int top, int right, int bottom)
{
    w->setGeometry(left, top, right - left + 1, bottom - top + 1);
}

void showStatus(QLabel* label, const QString& text, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setText(text);
}

QString startDirectory(const QLineEdit* edit)
{
    return edit->text().isEmpty() ? QStringLiteral("./") : edit->text();
}

// The factor lists' entry for a stored factor: "1x" up to 1 (and for text
// that is no number), then the smallest power of two that reaches it, "8x"
// at most.
int factorIndex(const QString& text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v <= 1)
        return 1;
    if (v <= 2)
        return 2;
    if (v <= 4)
        return 3;
    return 4;
}

// A document read the way the visual-project files are read: parsed only
// when its first line, trimmed, opens a tag.
std::unique_ptr<xml_parse_node> parseDocument(QFile& file, bool& parsed)
{
    auto root = std::make_unique<xml_parse_node>(-1);
    root->name = QStringLiteral("@root");
    QTextStream in(&file);
    in.setEncoding(QStringConverter::System);
    QString line = in.readLine().trimmed();
    parsed = line.startsWith(QLatin1Char('<'));
    if (parsed) {
        while (root->read(in, line)) {
        }
    }
    return root;
}

// The first top-level element named exactly "contents" holds the phrase.
bool contentsSays(const xml_node& root, const QString& phrase)
{
    const xml_element* contents = root.findElement(QStringLiteral("contents"), true);
    return contents && contents->value.contains(phrase);
}

// Project trees replaced by reading a project file while fixtures made from
// them still point into them; kept for the rest of the run.
std::vector<std::unique_ptr<xml_node>>& retiredProjectTrees()
{
    static std::vector<std::unique_ptr<xml_node>> trees;
    return trees;
}

// The background and sketch settings of the visual-project page live only in
// its widgets; they are carried over to the next window of a language change.
struct keptProjectField {
    const v_project* project = nullptr;  // the visual project they belong to
    projectFieldTexts texts;
};
keptProjectField& projectFieldOfLastWindow()
{
    static keptProjectField field;
    return field;
}

}  // namespace

gui_class::gui_class(kv310_controller_class* controller, QWidget* parent)
    : gui_base_class(parent), controller(controller)
{
    setupUi(this);
    theMainWindow = this;
    setWindowTitle(QStringLiteral("KvOrbit310+"));

    scrollArea = new QScrollArea(this);
    scrollArea->setWidget(centralwidget);
    centralwidget->resize(1070, 703);
    setCentralWidget(scrollArea);
    resize(maximumSize());

    buildPages();
    buildGeneralSettingsGroups();

    monitor = new ctrl_monitor(tab_settings_other);
    place(monitor, 30, 20, 289, 239);
    connect(monitor, &ctrl_monitor::clrMenu, this, &gui_class::vMenuClr);
    connect(monitor, &ctrl_monitor::forceRefresh, this, &gui_class::refresh);

    projectDetailsGroup = new QGroupBox(tr("Project details"), tab_settings_visual);
    place(projectDetailsGroup, 40, 40, 780, 370);
    libraryGroup = new QGroupBox(tr("External fixtures library"), tab_settings_visual);
    place(libraryGroup, 40, 390, 780, 480);
    oldProjectGroup = new QGroupBox(tr("Old style project definition file"), tab_settings_visual);
    place(oldProjectGroup, 40, 500, 780, 590);
    oldProjectGroup->setEnabled(false);
    oldProjectGroup->hide();

    inputsEvents = new aevents_inputs_widget(tab_events_inputs);
    vkeysEvents = new aevents_vkeys_widget(tab_events_vkeys);
    iredEvents = new aevents_ired_widget(tab_events_ired);
    dmxInEvents = new aevents_dmx_widget(tab_events_dmx);
    dmxOutEvents = new aevents_dmxout_widget(tab_events_dmxout);
    clockEvents = new aevents_clock_widget(tab_events_clock);
    delayEvents = new aevents_dlyd_widget(tab_events_delays);

    connect(tabWidget_main, &QTabWidget::currentChanged, this, &gui_class::tabChange);
    connect(tabWidget_settings, &QTabWidget::currentChanged, this, &gui_class::tabSettingsChange);
    connect(tabWidget_events, &QTabWidget::currentChanged, this, &gui_class::tabEventsChange);
    connect(this, &gui_class::currentTabChanged, sceneEditor, &ascene_settings_widget::sceneLiveOn);
    connect(rightPanel, &right_panel_widget::turnOnSceneLive, this, &gui_class::turnOnLiveButton);
    if (controller)
        connect(controller, &kv310_controller_class::setConnectionStatus, this, &gui_class::connectionStatusChange);
    connect(this, &gui_class::refreshDldEvents, delayEvents, qOverload<>(&aevents_dlyd_widget::refresh));

    buildActions();
    buildMenus();

    clockTimer = new QTimer(this);
    clockTimer->setInterval(1000);
    connect(clockTimer, &QTimer::timeout, this, &gui_class::timerTimeUpdate);
    clockTimer->start();

    if (controller) {
        connect(controller, &kv310_controller_class::readKv310Finished, this, &gui_class::deviceRead);
        connect(controller, &kv310_controller_class::readFileFinished, this, &gui_class::fileRead);
    }
    QSpinBox* channelLimit = dmxOutSettings->settingsPanel->spinChnlMax;
    connect(channelLimit, &QSpinBox::valueChanged, sceneEditor, &ascene_settings_widget::limitChnls);
    connect(channelLimit, &QSpinBox::valueChanged, maskEditor, &amask_settings_widget::limitChnls);

    buildDelayTimes();
    buildSunEvents();
    buildTimeScale();
    buildEventsGenerator();
    buildMisc();
    buildProjectDetails();
    buildLibraryGroup();
    buildProjectFileGroup();

    takeCommandLineFiles();

    connect(rightPanel->clearButton, &QPushButton::clicked, this, qOverload<bool>(&gui_class::ClearConfig));
    connect(programEditor, &aprogram_settings_widget::relabelScenes, sceneEditor, &ascene_settings_widget::relabel);
    connect(programEditor->editSceneButton, &QPushButton::clicked, this, &gui_class::switchToScene);
    if (theVisualProject) {
        connect(theVisualProject, &v_project::validated, this, &gui_class::vprValidated);
        connect(theVisualProject, &v_project::detailsState, projectDetailsGroup, &QGroupBox::setEnabled);
    }

    tabWidget_events->setTabEnabled(EVENTS_TAB_DMX_OUTPUT, false);
    tabWidget_events->setTabEnabled(EVENTS_TAB_REMOTE_CONTROL, false);

    if (theVisualProject)
        theVisualProject->checkFixtures();

    activeScenes = new as_conf_widget(tab_as_settngs);
    place(activeScenes, 10, 20, 830, 630);
    activeSceneEditor = new as_edit_widget(tab_as_edit);
    place(activeSceneEditor, 0, 0, 840, 640);
    connect(tabWidget_actives, &QTabWidget::currentChanged, this, &gui_class::tabAScenesChange);

    showStoredSettings();
    refresh();
}

gui_class::~gui_class()
{
    keptProjectField& kept = projectFieldOfLastWindow();
    kept.texts = projectField();
    kept.project = theVisualProject;

    // The visualisation window is a child of this window: it goes while the
    // page that it re-enables on its way out still exists.
    if (theVisualProject && theVisualProject->graphWindow && theVisualProject->graphWindow->parent() == this)
        delete theVisualProject->graphWindow;

    delete sceneEditor;
    delete maskEditor;
    delete programEditor;
    delete sequenceEditor;
}

// ---- Construction ---------------------------------------------------------------

void gui_class::buildPages()
{
    sceneEditor = new ascene_settings_widget(controller, tab_scenes);
    programEditor = new aprogram_settings_widget(controller, tab_programs);
    sequenceEditor = new aseq_settings_widget(tab_seqs);
    maskEditor = new amask_settings_widget(controller, tab_masks);
    rightPanel = new right_panel_widget(controller, centralwidget);
    inputsSettings = new asettings_inputs_widget(tab_settings_Inputs);
    dmxOutSettings = new asettings_dmx_widget(tab_settings_dmx);
    dmxInSettings = new asettings_dmx_in_widget(tab_settings_dmxin);
    descsSettings = new asettings_descs_widget(tab_settings_descs);

    dateTimeGroup = new QGroupBox(tr("Date and Time"), tab_settings_other);
    place(dateTimeGroup, 320, 20, 819, 199);
    clockSettings = new asettings_clock_widget(dateTimeGroup);
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

void gui_class::buildActions()
{
    auto make = [this](const QString& text, const QString& tip, const QString& icon, bool checkable) {
        auto* action = icon.isEmpty() ? new QAction(text, this) : new QAction(QIcon(icon), text, this);
        action->setStatusTip(tip);
        if (checkable) {
            action->setCheckable(true);
            action->setChecked(false);
        }
        return action;
    };
    exitAction = make(tr("&Exit"), tr("Close application"), QStringLiteral(":/exit.png"), false);
    connect(exitAction, &QAction::triggered, this, &gui_class::slotMenuFileQuit);
    openAction = make(tr("&Open file"), tr("Open configuration file"), QStringLiteral(":/fileopen.png"), false);
    connect(openAction, &QAction::triggered, this, &gui_class::slotMenuFileOpen);
    saveAction = make(tr("&Save file"), tr("Save configuration file"), QStringLiteral(":/filesave.png"), false);
    connect(saveAction, &QAction::triggered, this, &gui_class::slotMenuFileSave);
    clearAction = make(tr("&Clear"), tr("Clear current configuration"), QStringLiteral(":/filenew.png"), false);
    connect(clearAction, &QAction::triggered, this, qOverload<>(&gui_class::ClearConfig));
    viewInputsAction = make(tr("View &Inputs"), tr("Show inputs' state in another window"), QString(), true);
    connect(viewInputsAction, &QAction::triggered, this, &gui_class::vInputs);
    viewStatesAction = make(tr("View &States"), tr("Show internal states in another window"), QString(), true);
    connect(viewStatesAction, &QAction::triggered, this, &gui_class::vStates);
    viewDmxOutAction = make(tr("View &DMX output"), tr("Show DMX output channels in another window"), QString(), true);
    connect(viewDmxOutAction, &QAction::triggered, this, &gui_class::vDmxOut);
    viewDmxInAction = make(tr("View DM&X input"), tr("Show DMX input channels in another window"), QString(), true);
    connect(viewDmxInAction, &QAction::triggered, this, &gui_class::vDmxIn);
    designModeAction = make(tr("Design mode"), tr("Check or modify your visualisation project"), QString(), true);
    connect(designModeAction, &QAction::triggered, this, qOverload<bool>(&gui_class::startPrjMode));
    visualisationModeAction = make(tr("Visualisation mode"), tr("Visualise your show on the screen"), QString(), true);
    connect(visualisationModeAction, &QAction::triggered, this, qOverload<bool>(&gui_class::startVisMode));
    closeAuxAction = make(tr("Close aux. &windows"), tr("Close all auxiliary windows"), QString(), false);
    connect(closeAuxAction, &QAction::triggered, this, &gui_class::vCloseAll);
    upgradeAction = make(tr("&Upgrade device"), tr("Send upgrade to device"), QStringLiteral(":/wrench.png"), false);
    connect(upgradeAction, &QAction::triggered, this, &gui_class::slotMenuUpgradeUpgradeKv310);
    verifyAction = make(tr("&Verify firmware"), tr("Verify firmware"), QStringLiteral(":/verify.png"), false);
    connect(verifyAction, &QAction::triggered, this, &gui_class::slotMenuUpgradeVerify);
    helpAction = make(tr("&Help"), tr("How to get help"), QStringLiteral(":/message.png"), false);
    connect(helpAction, &QAction::triggered, this, &gui_class::slotMenuHelpHelp);
    aboutAction = make(tr("&About"), tr("Information about application"), QStringLiteral(":/xl_sh.png"), false);
    connect(aboutAction, &QAction::triggered, this, &gui_class::slotMenuHelpAbout);
    aboutProjectAction = make(tr("About &project"), tr("Information about project."), QStringLiteral(":/filenew.png"), false);
    connect(aboutProjectAction, &QAction::triggered, this, &gui_class::slotMenuProject);
}

void gui_class::buildMenus()
{
    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(openAction);
    fileMenu->addAction(saveAction);
    fileMenu->addAction(clearAction);
    fileMenu->addAction(exitAction);
    fileMenu->setStatusTip(tr("Operations on files and exit"));

    languageMenu = menuBar()->addMenu(tr("&Language"));
    languageMenu->setToolTip(tr("Language"));
    languageMapper = new QSignalMapper(this);
    for (int i = 0; i < languageList.size(); ++i) {
        languageEntry& entry = languageList[i];
        auto* action = new QAction(QIcon(QStringLiteral(":/%1.png").arg(entry.code)), entry.name, this);
        action->setStatusTip(tr("Change language to: ") + entry.name);
        entry.action = action;
        languageMenu->addAction(action);
        connect(action, &QAction::triggered, languageMapper, qOverload<>(&QSignalMapper::map));
        languageMapper->setMapping(action, i);
    }
    connect(languageMapper, &QSignalMapper::mappedInt, this, &gui_class::changeUiLanguage);
    languageMenu->setStatusTip(tr("Change application language"));
    connect(menuBar(), &QMenuBar::hovered, this, &gui_class::slotMenuHovered);

    viewsMenu = menuBar()->addMenu(tr("&Views"));
    viewsMenu->addAction(viewInputsAction);
    viewsMenu->addAction(viewStatesAction);
    viewsMenu->addAction(viewDmxOutAction);
    viewsMenu->addAction(viewDmxInAction);
    viewsMenu->addSeparator();
    viewsMenu->addAction(designModeAction);
    viewsMenu->addAction(visualisationModeAction);
    viewsMenu->addSeparator();
    viewsMenu->addAction(closeAuxAction);
    viewsMenu->setStatusTip(tr("Auxiliary windows control"));

    upgradeMenu = menuBar()->addMenu(tr("&Upgrade"));
    upgradeMenu->addAction(upgradeAction);
    upgradeMenu->addAction(verifyAction);
    upgradeMenu->setStatusTip(tr("Firmware version management"));

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(helpAction);
    helpMenu->addAction(aboutAction);
    helpMenu->addAction(aboutProjectAction);
    helpMenu->setStatusTip(tr("Short informations about application"));
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
    latitudeLabel->setGeometry(20, 25, 160, 25);
    latitudeSpin = new QSpinBox(sunEventsGroup);
    latitudeSpin->setGeometry(190, 25, 100, 25);
    latitudeSpin->setRange(-60, 60);
    latitudeSpin->setSuffix(degrees);
    latitudeSpin->setValue(50);
    longitudeLabel = new QLabel(tr("Location longitude:"), sunEventsGroup);
    longitudeLabel->setGeometry(20, 60, 160, 25);
    longitudeSpin = new QSpinBox(sunEventsGroup);
    longitudeSpin->setGeometry(190, 60, 100, 25);
    longitudeSpin->setRange(-180, 180);
    longitudeSpin->setSuffix(degrees);
    longitudeSpin->setValue(20);
    timeZoneLabel = new QLabel(tr("Time zone:"), sunEventsGroup);
    timeZoneLabel->setGeometry(20, 95, 160, 25);
    timeZoneSpin = new QSpinBox(sunEventsGroup);
    timeZoneSpin->setGeometry(190, 95, 100, 25);
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

void gui_class::buildProjectDetails()
{
    const QFont font = pageFont();
    QGroupBox* g = projectDetailsGroup;
    auto label = [&](const QString& text, int x, int y, int w, bool right = false) {
        auto* l = new QLabel(text, g);
        l->setGeometry(x, y, w, 25);
        l->setFont(font);
        if (right)
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    auto button = [&](const QString& text, int x, int y, int w) {
        auto* b = new QPushButton(text, g);
        b->setGeometry(x, y, w, 25);
        b->setFont(font);
        return b;
    };
    auto factors = [&](int x, int y) {
        auto* c = new QComboBox(g);
        c->setGeometry(x, y, 70, 25);
        const int data[] = {0, 1, 2, 4, 8};
        const char* texts[] = {"---", "1x", "2x", "4x", "8x"};
        for (int i = 0; i < 5; ++i)
            c->addItem(QString::fromLatin1(texts[i]), data[i]);
        return c;
    };

    label(tr("Background image:"), 20, 25, 150);
    label(tr("darkened"), 370, 25, 100, true);
    bkFactorCombo = factors(480, 25);
    backgroundBrowseButton = button(tr("Browse"), 560, 25, 80);
    backgroundNoneButton = button(tr("None"), 650, 25, 70);
    bkImageEdit = new QLineEdit(g);
    bkImageEdit->setGeometry(20, 55, 700, 25);

    label(tr("Sketch image:"), 20, 90, 150);
    label(tr("brightened"), 370, 90, 100, true);
    sketchFactorCombo = factors(480, 90);
    sketchBrowseButton = button(tr("Browse"), 560, 90, 80);
    sketchNoneButton = button(tr("None"), 650, 90, 70);
    sketchEdit = new QLineEdit(g);
    sketchEdit->setGeometry(20, 120, 700, 25);

    label(tr("Project area:"), 20, 155, 110, true);
    fieldWidthSpin = new QSpinBox(g);
    fieldWidthSpin->setGeometry(140, 155, 90, 25);
    label(tr("mm    X"), 235, 155, 60);
    fieldHeightSpin = new QSpinBox(g);
    fieldHeightSpin->setGeometry(300, 155, 90, 25);
    label(tr("mm"), 395, 155, 40);
    for (QSpinBox* s : {fieldWidthSpin, fieldHeightSpin}) {
        s->setRange(100, 100000);
        s->setValue(1000);
    }
    refreshFixturesButton = button(tr("Refresh fixtures definition"), 450, 155, 270);
    refreshFixturesButton->setEnabled(false);

    auto* line1 = new QFrame(g);
    line1->setGeometry(20, 188, 700, 5);
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);

    label(tr("Number of fixtures:"), 20, 200, 150, true);
    fixtureCountLabel = label(QStringLiteral("0"), 175, 200, 50);
    label(tr("Number of groups:"), 230, 200, 140, true);
    groupCountLabel = label(QStringLiteral("0"), 375, 200, 50);
    label(tr("Project status:"), 430, 200, 130, true);
    projectStatusValueLabel = label(QString(), 565, 200, 150);
    showStatus(projectStatusValueLabel, tr("invalid!"), red);

    auto* line2 = new QFrame(g);
    line2->setGeometry(20, 233, 700, 5);
    line2->setFrameShape(QFrame::HLine);
    line2->setFrameShadow(QFrame::Sunken);

    hideMonitorCheck = new QCheckBox(tr("Hide monitor window"), g);
    hideMonitorCheck->setGeometry(470, 245, 250, 25);
    hideMonitorCheck->setFont(font);
    hideMonitorCheck->setLayoutDirection(Qt::RightToLeft);

    designModeButton = button(tr("Design mode"), 150, 285, 200);
    visModeButton = button(tr("Visualisation mode"), 390, 285, 200);
    visModeButton->setEnabled(false);

    connect(backgroundBrowseButton, &QPushButton::pressed, this, &gui_class::browseBkImage);
    connect(sketchBrowseButton, &QPushButton::pressed, this, &gui_class::browseSketch);
    connect(backgroundNoneButton, &QPushButton::pressed, this, &gui_class::clearBkImage);
    connect(sketchNoneButton, &QPushButton::pressed, this, &gui_class::clearSketch);
    if (theVisualProject)
        connect(refreshFixturesButton, &QPushButton::pressed, theVisualProject, &v_project::refreshFixtLib);
    connect(designModeButton, &QPushButton::clicked, this, qOverload<>(&gui_class::startPrjMode));
    connect(visModeButton, &QPushButton::clicked, this, qOverload<>(&gui_class::startVisMode));
}

void gui_class::buildLibraryGroup()
{
    const QFont font = pageFont();
    QGroupBox* g = libraryGroup;
    auto* status = new QLabel(tr("Status:"), g);
    status->setGeometry(20, 25, 60, 25);
    libraryStatusLabel = new QLabel(g);
    libraryStatusLabel->setGeometry(85, 25, 200, 25);
    showStatus(libraryStatusLabel, tr("not read"), darkRed);
    browseLibraryButton = new QPushButton(tr("Browse"), g);
    browseLibraryButton->setGeometry(450, 25, 80, 25);
    releaseLibraryButton = new QPushButton(tr("Release"), g);
    releaseLibraryButton->setGeometry(540, 25, 80, 25);
    readLibraryButton = new QPushButton(tr("Read"), g);
    readLibraryButton->setGeometry(630, 25, 80, 25);
    auto* file = new QLabel(tr("File:"), g);
    file->setGeometry(20, 55, 60, 25);
    libraryFileEdit = new QLineEdit(g);
    libraryFileEdit->setGeometry(85, 55, 625, 25);
    for (QWidget* w : std::initializer_list<QWidget*>{status, libraryStatusLabel, browseLibraryButton,
                                                      releaseLibraryButton, readLibraryButton, file})
        w->setFont(font);

    connect(browseLibraryButton, &QPushButton::clicked, this, &gui_class::browseLibrary);
    connect(readLibraryButton, &QPushButton::clicked, this, &gui_class::readLibrary);
    connect(releaseLibraryButton, &QPushButton::clicked, this, &gui_class::releaseLibrary);
}

void gui_class::buildProjectFileGroup()
{
    const QFont font = pageFont();
    QGroupBox* g = oldProjectGroup;
    auto* status = new QLabel(tr("Status:"), g);
    status->setGeometry(20, 25, 60, 25);
    projectStatusLabel = new QLabel(g);
    projectStatusLabel->setGeometry(85, 25, 200, 25);
    showStatus(projectStatusLabel, tr("not read"), red);
    browseProjectButton = new QPushButton(tr("Browse"), g);
    browseProjectButton->setGeometry(540, 25, 80, 25);
    readProjectButton = new QPushButton(tr("Read"), g);
    readProjectButton->setGeometry(630, 25, 80, 25);
    auto* file = new QLabel(tr("File:"), g);
    file->setGeometry(20, 55, 60, 25);
    projectFileEdit = new QLineEdit(g);
    projectFileEdit->setGeometry(85, 55, 625, 25);
    for (QWidget* w :
         std::initializer_list<QWidget*>{status, projectStatusLabel, browseProjectButton, readProjectButton, file})
        w->setFont(font);

    connect(browseProjectButton, &QPushButton::clicked, this, &gui_class::browseProject);
    connect(readProjectButton, &QPushButton::clicked, this, &gui_class::readProject);
}

void gui_class::takeCommandLineFiles()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;

    // A window built after a language change finds the library already in
    // memory: it shows it as read instead of reading the files again, which
    // would throw away what was done with the project since.
    if (vp->libraryTree) {
        libraryFileEdit->setText(vp->libraryFile);
        showStatus(libraryStatusLabel, tr("read"), green);
        oldProjectGroup->setEnabled(true);
        refreshFixturesButton->setEnabled(true);
        projectFileEdit->setText(vp->projectFile);
        if (!vp->projectFile.isEmpty() && QFileInfo(vp->projectFile).isFile())
            showStatus(projectStatusLabel, tr("read"), green);
    } else {
        if (!vp->projectFile.isEmpty())
            projectFileEdit->setText(vp->projectFile);
        if (!vp->libraryFile.isEmpty()) {
            libraryFileEdit->setText(vp->libraryFile);
            readLibrary();
            if (vp->libraryTree && !vp->projectFile.isEmpty())
                readProject();
        }
    }

    keptProjectField& kept = projectFieldOfLastWindow();
    if (kept.project == vp) {
        bkImageEdit->setText(kept.texts.image);
        bkFactorCombo->setCurrentIndex(qMax(0, bkFactorCombo->findData(kept.texts.dark)));
        sketchEdit->setText(kept.texts.outline);
        sketchFactorCombo->setCurrentIndex(qMax(0, sketchFactorCombo->findData(kept.texts.pale)));
        fieldWidthSpin->setValue(vp->fieldWidth);
        fieldHeightSpin->setValue(vp->fieldHeight);
    }
}

// What a read of the configuration loads beyond the visible page, shown here
// without writing anything to the image, so that a window built after a
// language change (or after a file read at start-up) shows the configuration
// in memory rather than defaults.
void gui_class::showStoredSettings()
{
    if (!controller)
        return;
    const uint8_t* image = controller->configImage;

    const int channels = img::getU16(image, img::outputChannelCount);
    QSpinBox* channelLimit = dmxOutSettings->settingsPanel->spinChnlMax;
    if (channels >= channelLimit->minimum() && channels <= channelLimit->maximum())
        channelLimit->setValue(channels);

    {
        const QSignalBlocker startup(startupTimeEdit);
        const QSignalBlocker shutdown(shutdownTimeEdit);
        startupTimeEdit->setTime(fromTenths(img::getU16(image, img::startUpTime)));
        shutdownTimeEdit->setTime(fromTenths(img::getU16(image, img::shutDownTime)));
    }

    const int first = img::getU16(image, img::outEventFirstChannel);
    const bool generating = first < img::CHANNELS;
    if (generating) {
        dmxOutEvents->firstChannel = first + 1;
        dmxOutEvents->lastChannel = img::getU16(image, img::outEventLastChannel) + 1;
    }
    setEventsTabEnabled(EVENTS_TAB_DMX_OUTPUT, generating);
    setEventsTabEnabled(EVENTS_TAB_REMOTE_CONTROL, controller->rcuAddress <= 31);

    programEditor->programRows = img::PROGRAM_SLOTS - int(controller->extraEntries.size());
}

// ---- gui_base_class services ----------------------------------------------------

projectFieldTexts gui_class::projectField() const
{
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
    clockSettings->dstIndicator->setChecked(active);
}

void gui_class::showDeviceCalibration(int value)
{
    clockSettings->showDeviceCalibration(value);
}

void gui_class::setEventsTabEnabled(int index, bool enabled)
{
    tabWidget_events->setTabEnabled(index, enabled);
}

// ---- Refresh ---------------------------------------------------------------------

void gui_class::refresh()
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
    extPanelsCheck->setChecked(img::getU16(image, img::extPanelsEnable) == 0);
    dmxInProgrammingCheck->setChecked(img::getU16(image, img::dmxInProgramming) == 0);
    sunEventsGroup->setChecked(img::getU16(image, img::sunEvents) != img::NONE16);

    const int latitude = img::getI32(image, img::latitude);
    const int longitude = img::getI32(image, img::longitude);
    const int timeZone = img::getI32(image, img::timeZone);
    latitudeSpin->setValue(latitude);
    longitudeSpin->setValue(longitude);
    timeZoneSpin->setValue(timeZone);
    // A stored value out of its range shows as the default, not as the bound.
    timeZoneSpin->setValue(timeZone >= -12 && timeZone <= 12 ? timeZone : 1);
    longitudeSpin->setValue(longitude >= -180 && longitude <= 180 ? longitude : 20);
    latitudeSpin->setValue(latitude >= -60 && latitude <= 60 ? latitude : 50);
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
    if (fromFile) {
        sceneEditor->relabel();
        programEditor->programRows = img::PROGRAM_SLOTS - int(controller->extraEntries.size());
        programEditor->relabel();
    }
    asettings_dmx_set_widget* panel = dmxOutSettings->settingsPanel;
    panel->spinChnlMax->setValue(img::getU16(image, img::outputChannelCount));
    startupTimeEdit->setTime(fromTenths(img::getU16(image, img::startUpTime)));
    shutdownTimeEdit->setTime(fromTenths(img::getU16(image, img::shutDownTime)));
    const int first = img::getU16(image, img::outEventFirstChannel);
    dmxOutEvents->firstChannel = first + 1;
    dmxOutEvents->lastChannel = img::getU16(image, img::outEventLastChannel) + 1;
    panel->eventGenEnable(first < img::CHANNELS);
    if (fromFile)
        sequenceEditor->seqNumberChange(0, 0, 0, 0);
    const int program = qMax(programEditor->currentProgram, 0);
    programEditor->sceneCountChange(controller->programs.stepCount(program), true);
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

void gui_class::turnOnLiveButton()
{
    if (tabWidget_main->currentIndex() == MAIN_TAB_SCENES)
        emit currentTabChanged();
}

void gui_class::switchToScene()
{
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
    if (sceneEditor->tmpDev)
        sceneEditor->destTmpDev();
    if (maskEditor->tmpDev)
        maskEditor->destTmpDev();
    if (programEditor->tmpDev)
        programEditor->destTmpDev();
}

void gui_class::readSettings(xml_node*) {}

// ---- Views menu and auxiliary windows --------------------------------------------------

void gui_class::viewToggled(bool on, uint16_t flag, void (ctrl_monitor::*open)(), QAction* action)
{
    if (!on) {
        monitor->closeMonitors(flag);
        return;
    }
    (monitor->*open)();
    if (!(monitor->monitorFlags & flag))
        action->setChecked(false);
}

void gui_class::vInputs(bool on)
{
    viewToggled(on, MONITOR_FLAG_INPUTS, &ctrl_monitor::shInputsClicked, viewInputsAction);
}

void gui_class::vStates(bool on)
{
    viewToggled(on, MONITOR_FLAG_STATES, &ctrl_monitor::shStatesClicked, viewStatesAction);
}

void gui_class::vDmxOut(bool on)
{
    viewToggled(on, MONITOR_FLAG_DMX_OUT, &ctrl_monitor::shDmxOutClicked, viewDmxOutAction);
}

void gui_class::vDmxIn(bool on)
{
    viewToggled(on, MONITOR_FLAG_DMX_IN, &ctrl_monitor::shDmxInClicked, viewDmxInAction);
}

void gui_class::vMenuClr(uint16_t flags)
{
    const struct {
        uint16_t flag;
        QAction* action;
    } views[] = {{MONITOR_FLAG_INPUTS, viewInputsAction},
                 {MONITOR_FLAG_STATES, viewStatesAction},
                 {MONITOR_FLAG_DMX_OUT, viewDmxOutAction},
                 {MONITOR_FLAG_DMX_IN, viewDmxInAction}};
    for (const auto& v : views)
        if (v.action->isChecked() && (flags & v.flag))
            v.action->setChecked(false);
}

void gui_class::vCloseAll()
{
    monitor->closeMonitors(MONITOR_FLAG_ALL);
    if (theVisualProject && theVisualProject->graphWindow)
        if (auto* window = qobject_cast<kvVGraph_class*>(theVisualProject->graphWindow))
            window->close();
}

void gui_class::closeEvent(QCloseEvent* event)
{
    vCloseAll();
    gui_base_class::closeEvent(event);
}

// ---- Menu commands ---------------------------------------------------------------------

void gui_class::slotMenuFileQuit()
{
    QApplication::closeAllWindows();
}

void gui_class::slotMenuFileOpen()
{
    rightPanel->readConfFromFileClick(true);
}

void gui_class::slotMenuFileSave()
{
    rightPanel->saveConfToFileClick(true);
}

QString gui_class::chooseUpgradeFile()
{
    fileRequest request;
    request.parent = this;
    request.caption = tr("Choose an upgrade file for ") + QStringLiteral("Kv310+") + tr(" controller");
    request.directory = QStringLiteral("./");
    request.filter = tr("Upgrade (*.upg)");
    return dialogs().openFileName(request);
}

void gui_class::slotMenuUpgradeUpgradeKv310()
{
    const QString fileName = chooseUpgradeFile();
    if (fileName.isEmpty())
        return;
    vCloseAll();
    controller->upgradeFirmware(fileName);
}

void gui_class::slotMenuUpgradeVerify()
{
    const QString fileName = chooseUpgradeFile();
    if (!fileName.isEmpty())
        controller->verifyFirmware(fileName);
}

void gui_class::slotMenuHelpHelp()
{
    showMessage(QMessageBox::Information, theMainWindow, QStringLiteral("KvOrbit310+") + tr(" - Help"),
                tr("Please call or send an email.\n\n"
                   "Telephone: the number on your delivery note\n"
                   "Fax: the number on your delivery note\n\n"
                   "E-mail: the support address on your delivery note"));
}

void gui_class::slotMenuHelpAbout()
{
    showMessage(QMessageBox::NoIcon, theMainWindow, QStringLiteral("KvOrbit310+") + tr(" - About"),
                tr("Software for ") + QStringLiteral("Kv310+")
                    + tr(" controller configuration.\nRelease:   ") + QStringLiteral("4.0.1.39")
                    + tr("\n\nSupplied by your Kv310+ dealer")
                    + tr("\nPostal address, telephone, fax, tax number and e-mail:\n"
                         "see the documents delivered with your controller."));
}

void gui_class::slotMenuProject()
{
    QString text = tr("Loaded project info: ");
    if (!controller || controller->projectFileName.isEmpty()) {
        text += tr("not available");
    } else {
        text += QStringLiteral("\nFile name: ") + controller->projectFileName;
        if (controller->projectFileDate.isEmpty())
            text += tr("\nFile date: not available");
        else
            text += tr("\nFile date: ") + controller->projectFileDate;
    }
    showMessage(QMessageBox::Information, theMainWindow, tr("KvOrbit310+ - project info"), text);
}

void gui_class::slotMenuHovered(QAction* action)
{
    if (!action)
        return;
    const QString title = action->toolTip();
    const struct {
        QString text;
        QMenu* menu;
    } menus[] = {{tr("File"), fileMenu}, {tr("Upgrade"), upgradeMenu}, {tr("Help"), helpMenu},
                 {tr("Language"), languageMenu}};
    for (const auto& m : menus) {
        if (title == m.text) {
            statusBar()->showMessage(m.menu->statusTip());
            return;
        }
    }
}

// ---- Clearing and time scale -------------------------------------------------------------

void gui_class::ClearConfig(bool)
{
    {
        clearConf_dialog dialog(this);
        execDialog(&dialog);
    }
    fileRead();
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
    {
        timeRescaleDlg dialog(nullptr);
        execDialog(&dialog);
    }
    timeScaleGroup->setChecked(false);
}

// ---- Language ---------------------------------------------------------------------------

void gui_class::changeUiLanguage(int index)
{
    if (index == installedLanguage || index < 0 || index >= languageList.size())
        return;
    vCloseAll();
    const languageEntry& entry = languageList.at(index);
    if (!writeLanguageFile(QDir::currentPath(), entry.code, entry.name))
        showMessage(QMessageBox::Warning, this, tr("Warning!"), tr("Cannot write new language!"));
    requestedLanguage = index;
    // Only ends the event loop: main deletes this window once the slot has
    // returned. (quit() would first try to close every window.)
    QCoreApplication::exit(0);
}

// ---- Visual-project page -------------------------------------------------------------------

void gui_class::browseLibrary()
{
    fileRequest request;
    request.caption = tr("Choose a library file for KV310 visualisation project");
    request.filter = tr("Light Fixtures Libraries (*.fxl)") + QStringLiteral(";;") + tr("All files (*)");
    request.directory = startDirectory(libraryFileEdit);
    const QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    libraryFileEdit->setText(fileName);
    readLibrary();
}

void gui_class::readLibrary()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    const QString name = libraryFileEdit->text();
    if (name.isEmpty()) {
        showMessage(QMessageBox::Warning, this, tr("Name field empty!"), tr("Choose a library file!"));
        return;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        showMessage(QMessageBox::Critical, this, tr("File error"), tr("Cannot open file \"%1\"!").arg(name));
        releaseLibrary();
        return;
    }
    bool parsed = false;
    const std::unique_ptr<xml_parse_node> root = parseDocument(file, parsed);
    if (parsed)
        reportXmlErrors(*root, name, this);
    if (!contentsSays(*root, QStringLiteral("Fixtures library"))) {
        showMessage(QMessageBox::Warning, this, tr("Invalid file!"),
                    tr("This file is not a valid library file:\n\"%1\"!").arg(name));
        releaseLibrary();
        return;
    }

    // Nothing keeps pointers into the previous external library: fixtures
    // use the copies in the project tree and the hierarchy is rebuilt below.
    if (vp->library == vp->libraryTree)
        vp->library = nullptr;
    delete vp->libraryTree;
    vp->libraryTree = new xml_node(*root, 0);
    vp->libraryFile = name;
    showStatus(libraryStatusLabel, tr("read"), green);
    oldProjectGroup->setEnabled(true);
    refreshFixturesButton->setEnabled(true);
    vp->library = vp->libraryTree;
    vp->buildHierarchy(nullptr);
}

void gui_class::releaseLibrary()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    if (vp->libraryTree) {
        if (vp->library == vp->libraryTree)
            vp->library = nullptr;
        delete vp->libraryTree;
        vp->libraryTree = nullptr;
    }
    vp->libraryFile.clear();
    libraryFileEdit->clear();
    showStatus(libraryStatusLabel, tr("not read"), darkRed);
    oldProjectGroup->setEnabled(false);
    refreshFixturesButton->setEnabled(false);
    vp->library = vp->projectTree ? vp->projectTree->findNode(QStringLiteral("library")) : nullptr;
}

void gui_class::browseProject()
{
    fileRequest request;
    request.caption = tr("Choose a definition file for KV310 visualisation project");
    request.filter = tr("KvOrbit310+ Visual Projects (*.kvp)") + QStringLiteral(";;") + tr("All files (*)");
    request.directory = startDirectory(projectFileEdit);
    const QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    projectFileEdit->setText(fileName);
    readProject();
}

void gui_class::readProject()
{
    v_project* vp = theVisualProject;
    if (!vp || !vp->libraryTree)
        return;
    const QString name = projectFileEdit->text();
    if (name.isEmpty()) {
        showMessage(QMessageBox::Warning, this, tr("Name field empty!"), tr("Choose a project file!"));
        return;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        showMessage(QMessageBox::Critical, this, tr("File error"), tr("Cannot open file \"%1\"!").arg(name));
        return;
    }
    bool parsed = false;
    const std::unique_ptr<xml_parse_node> root = parseDocument(file, parsed);
    if (parsed)
        reportXmlErrors(*root, name, this);
    if (!contentsSays(*root, QStringLiteral("visualisation project"))) {
        showMessage(QMessageBox::Warning, this, tr("Invalid file!"),
                    tr("This file is not a valid project file:\n\"%1\"!").arg(name));
        QString directory = projectFileEdit->text();
        const int slash = directory.lastIndexOf(QLatin1Char('/'));
        directory = slash < 0 ? QString() : directory.left(slash);
        projectFileEdit->setText(directory);
        vp->projectFile = directory;
        showStatus(projectStatusLabel, tr("not read"), red);
        return;
    }

    vp->projectFile = projectFileEdit->text();
    showStatus(projectStatusLabel, tr("read"), green);

    // Fixtures made from the old tree keep pointers into it.
    if (vp->library && vp->library != vp->libraryTree)
        vp->library = vp->libraryTree;
    xml_node* oldTree = vp->projectTree;
    if (vp->fixtures.isEmpty())
        delete oldTree;
    else
        retiredProjectTrees().emplace_back(oldTree);
    auto* tree = new xml_node(0);
    vp->projectTree = tree;
    xml_node* library = tree->addNode(QStringLiteral("library"));

    xml_node* devices = root->findNode(QStringLiteral("devices"));
    if (devices) {
        tree->insertNode(*devices);
        // The library's items by "nr", the first of a number winning, and
        // the numbers copied already: found in hashes, so that a project of
        // many fixtures over a large library is read in linear time.
        QHash<QString, const xml_node*> items;
        for (const xml_node& item : std::as_const(vp->libraryTree->nodes))
            if (const QString* nr = item.attrValue(QStringLiteral("nr")))
                if (!items.contains(*nr))
                    items.insert(*nr, &item);
        QSet<QString> copied;
        for (const xml_node& device : std::as_const(devices->nodes)) {
            const QString* ref = device.elementValue(QStringLiteral("library"));
            if (!ref)
                continue;
            bool ok = false;
            if (ref->toInt(&ok) <= 0 || !ok || copied.contains(*ref))
                continue;
            if (const xml_node* item = items.value(*ref)) {
                library->insertNode(*item);
                copied.insert(*ref);
            }
        }
    } else {
        tree->addNode(QStringLiteral("devices"));
    }
    fixtureCountLabel->setText(QString::number(tree->findNode(QStringLiteral("devices"))->nodes.size()));

    if (xml_node* groups = root->findNode(QStringLiteral("groups")))
        tree->insertNode(*groups);
    else
        tree->addNode(QStringLiteral("groups"));
    groupCountLabel->setText(QString::number(tree->findNode(QStringLiteral("groups"))->nodes.size()));

    setProjectField(root->findNode(QStringLiteral("field")));
    vp->modified = false;
}

void gui_class::setProjectField(xml_node* node)
{
    if (!node) {
        bkImageEdit->clear();
        sketchEdit->clear();
        bkFactorCombo->setCurrentIndex(0);
        sketchFactorCombo->setCurrentIndex(0);
        fieldWidthSpin->setValue(1000);
        fieldHeightSpin->setValue(1000);
        fixtureCountLabel->setText(QStringLiteral("0"));
        groupCountLabel->setText(QStringLiteral("0"));
        return;
    }
    if (node->name == QLatin1String("field")) {
        if (const QString* width = node->elementValue(QStringLiteral("width")))
            fieldWidthSpin->setValue(width->toInt());
        if (const QString* height = node->elementValue(QStringLiteral("height")))
            fieldHeightSpin->setValue(height->toInt());
        if (const xml_element* image = node->findElement(QStringLiteral("image"))) {
            bkImageEdit->setText(image->value);
            if (const QString* dark = image->attrValue(QStringLiteral("dark")))
                bkFactorCombo->setCurrentIndex(factorIndex(*dark));
        }
        if (const xml_element* outline = node->findElement(QStringLiteral("outline"))) {
            sketchEdit->setText(outline->value);
            if (const QString* pale = outline->attrValue(QStringLiteral("pale")))
                sketchFactorCombo->setCurrentIndex(factorIndex(*pale));
        }
        if (theVisualProject) {
            theVisualProject->fieldWidth = fieldWidthSpin->value();
            theVisualProject->fieldHeight = fieldHeightSpin->value();
            theVisualProject->checkFixtures();
        }
    } else if (node->name == QLatin1String("devices")) {
        fixtureCountLabel->setText(QString::number(node->nodes.size()));
    } else if (node->name == QLatin1String("groups")) {
        groupCountLabel->setText(QString::number(node->nodes.size()));
    }
}

void gui_class::browseFile(bool sketch)
{
    QLineEdit* edit = sketch ? sketchEdit : bkImageEdit;
    fileRequest request;
    request.caption = tr("Choose a %1 image for KV310 visualisation project").arg(sketch ? tr("sketch") : tr("background"));
    request.filter = tr("Image files (*.bmp; *.jpg; *.png)") + QStringLiteral(";;") + tr("All files (*)");
    request.directory = startDirectory(edit);
    QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    // Inside the application's directory the name is kept relative to it.
    const QString home = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    if (fileName.startsWith(home))
        fileName = fileName.mid(home.size());
    edit->setText(fileName);
}

void gui_class::browseBkImage()
{
    browseFile(false);
}

void gui_class::browseSketch()
{
    browseFile(true);
}

void gui_class::clearBkImage()
{
    bkImageEdit->clear();
}

void gui_class::clearSketch()
{
    sketchEdit->clear();
}

void gui_class::vprValidated(bool valid)
{
    visualisationModeAction->setEnabled(valid);
    visModeButton->setEnabled(valid);
    if (valid)
        showStatus(projectStatusValueLabel, tr("valid"), green);
    else
        showStatus(projectStatusValueLabel, tr("invalid!"), red);
    if (theVisualProject) {
        fixtureCountLabel->setText(QString::number(theVisualProject->fixtures.size()));
        groupCountLabel->setText(QString::number(theVisualProject->groups.size()));
    }
}

namespace {

// Shows the visualisation window of the project, making one of the given
// kind when there is none.
void openGraphWindow(bool designKind, QWidget* mainWindow)
{
    v_project* vp = theVisualProject;
    auto* window = qobject_cast<kvVGraph_class*>(vp->graphWindow);
    const bool isNew = !window;
    if (isNew) {
        window = new kvVGraph_class(designKind, mainWindow);
        vp->graphWindow = window;
    }
    window->setupView();
    if (isNew) {
        window->showMaximized();
    } else {
        window->setZoom(window->zoom);
        window->show();
        window->relayoutFixtures();
    }
}

}  // namespace

void gui_class::startPrjMode(bool)
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    if (!vp->library) {
        showMessage(QMessageBox::Warning, this, tr("Warning!"), tr("No active library information!"));
        return;
    }
    openGraphWindow(true, this);
    projectDetailsGroup->setEnabled(false);
}

void gui_class::startPrjMode()
{
    startPrjMode(false);
}

void gui_class::startVisMode(bool)
{
    v_project* vp = theVisualProject;
    if (!vp || !vp->checkFixtures())
        return;
    openGraphWindow(false, this);
    projectDetailsGroup->setEnabled(false);
}

void gui_class::startVisMode()
{
    startVisMode(false);
}
