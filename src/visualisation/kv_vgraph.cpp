#include "visualisation/kv_vgraph.h"

#include "fixtures/light_class.h"
#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "monitor/monitor_flags.h"
#include "monitor/pokaz.h"
#include "seams/gui_base.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include <QPointer>

#include <algorithm>

namespace {

// The icons a closed plan hands back to the visual project, kept together
// for the next plan. A widget that moves to another window is looked up
// among every widget of the window it leaves (Qt's focus chain): icons
// moved one by one would take time quadratic in the fixtures, a keeper
// holding them moves at once. It goes when the project's fixtures go.
struct iconKeeper {
    const v_project* project = nullptr;
    QPointer<QWidget> widget;
};

iconKeeper& keptIcons()
{
    static iconKeeper keeper;
    return keeper;
}

// The keeper of this project's icons, or null.
QWidget* keeperOf(const v_project* vp)
{
    iconKeeper& k = keptIcons();
    return k.project == vp ? k.widget.data() : nullptr;
}

QWidget* newKeeper(v_project* vp, QWidget* plan)
{
    // A keeper of another project still holding icons goes with that
    // project's fixtures.
    iconKeeper& k = keptIcons();
    auto* keeper = new QWidget(plan);
    keeper->hide();
    k.project = vp;
    k.widget = keeper;
    // Deleted fixtures leave it empty; a new list has icons of its own.
    QObject::connect(vp, &v_project::fixturesReplaced, keeper, [keeper] { delete keeper; });
    return keeper;
}

} // namespace

// The window itself: its menus and connections, the arrangement of the
// fixture items for its kind, and its closing. Zoom and set-up are in
// kv_vgraph_view.cpp, the presentation modes in kv_vgraph_modes.cpp.

void kvVGraph_class::setMenuTitle(QMenu* menu, const QString& title)
{
    menu->setTitle(title);
    menu->menuAction()->setVisible(!title.isEmpty());
}

void kvVGraph_class::setMenuEnabled(QMenu* menu, bool enabled)
{
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}

kvVGraph_class::kvVGraph_class(bool designMode, QWidget* parent)
    : QMainWindow(parent), designMode(designMode)
{
    setupUi(this);
    setObjectName(QStringLiteral("VisualShowWindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    v_project* vp = theVisualProject;
    fieldWidth = vp ? vp->fieldWidth : 1000;
    fieldHeight = vp ? vp->fieldHeight : 1000;

    actionAuto->setCheckable(true);
    actionAuto->setChecked(true);
    // "Auto" fits the field to the window from the start: a zoom of one's
    // own would find no scroll bars to reach the rest of the field.
    enableManualZoom(!autoZoom);
    levelGroup = new QActionGroup(menuLighten_image);
    levelGroup->setExclusive(true);
    const struct {
        QAction* action;
        int level;
    } levels[] = {{action1x, 1}, {action2x, 2}, {action4x, 4}, {action8x, 8}};
    for (const auto& l : levels) {
        l.action->setCheckable(true);
        l.action->setData(l.level);
        levelGroup->addAction(l.action);
    }

    presentationMenu = new QMenu(tr("Light presentation"), this);
    menubar->addMenu(presentationMenu);
    actAllOn = presentationMenu->addAction(tr("All fixt. on"));
    actOffline = presentationMenu->addAction(tr("Show channels offline"));
    actLive = presentationMenu->addAction(tr("Show channels live"));
    actLiveDesign = presentationMenu->addAction(tr("Live design"));
    actCompound = presentationMenu->addAction(tr("Active scenes (compound)"));
    actAllOff = presentationMenu->addAction(tr("All fixt. off"));
    modeGroup = new QActionGroup(presentationMenu);
    modeGroup->setExclusive(true);
    for (QAction* a : {actAllOn, actOffline, actLive, actLiveDesign, actCompound, actAllOff}) {
        a->setCheckable(true);
        modeGroup->addAction(a);
    }
    actAllOn->setChecked(true);
    actChooseScene = menubar->addAction(tr("Choose scene no. (1)"));
    actChooseScene->setVisible(false);
    ctrlGroupMenu = new QMenu(this);
    menubar->addMenu(ctrlGroupMenu);
    setMenuTitle(ctrlGroupMenu, QString());
    setMenuEnabled(ctrlGroupMenu, false);
    actGroupManagement = menubar->addAction(tr("Group management"));

    fixtureMenu = new QMenu(this);
    actShowDetails = fixtureMenu->addAction(tr("Show details"));
    actEditFixture = fixtureMenu->addAction(tr("Edit fixture"));
    actCopyFixture = fixtureMenu->addAction(tr("Copy to clipboard"));
    actRemoveFixture = fixtureMenu->addAction(tr("Remove fixture"));
    actInvertFixture = fixtureMenu->addAction(tr("Invert selection"));
    actSelectThisOnly = fixtureMenu->addAction(tr("Select this only"));
    actGroupMembership = fixtureMenu->addAction(tr("Group membership"));
    fieldMenu = new QMenu(this);
    actAddFixture = fieldMenu->addAction(tr("Add fixture"));
    actPasteFixture = fieldMenu->addAction(tr("Paste from clipboard"));

    setMenuEnabled(menuLighten_image, false);
    setMenuEnabled(menuTools, designMode);
    devList->setVisible(false);

    scrollArea = new QScrollArea(centralwidget);
    scrollArea->setBackgroundRole(QPalette::Dark);
    scrollArea->resize(width(), height() - menubar->height() - statusbar->height());
    imageLabel = new QLabel(scrollArea);
    imageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imageLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    scrollArea->setWidget(imageLabel);

    for (QWidget* w : std::initializer_list<QWidget*>{this, centralwidget, scrollArea, imageLabel})
        w->setMouseTracking(true);

    positionLabel = new QLabel(QStringLiteral(" 0 X 0 "), this);
    statusbar->addPermanentWidget(positionLabel);

    connect(actionSwitch_mode, &QAction::triggered, this, &kvVGraph_class::switchMode);
    connect(actionSave_project, &QAction::triggered, this, [] {
        if (theMainWindow)
            theMainWindow->saveConfigurationToFile();
    });
    connect(actionClose, &QAction::triggered, this, &kvVGraph_class::close);
    connect(actionZoom_In, &QAction::triggered, this, &kvVGraph_class::zoomIn);
    connect(actionZoom_Out, &QAction::triggered, this, &kvVGraph_class::zoomOut);
    connect(actionAuto, &QAction::triggered, this, &kvVGraph_class::autoZoomChanged);
    connect(action400, &QAction::triggered, this, &kvVGraph_class::zoom400);
    connect(action200, &QAction::triggered, this, &kvVGraph_class::zoom200);
    connect(action150, &QAction::triggered, this, &kvVGraph_class::zoom150);
    connect(action100, &QAction::triggered, this, &kvVGraph_class::zoom100);
    connect(action75, &QAction::triggered, this, &kvVGraph_class::zoom75);
    connect(action50, &QAction::triggered, this, &kvVGraph_class::zoom50);
    connect(action25, &QAction::triggered, this, &kvVGraph_class::zoom25);
    connect(action10, &QAction::triggered, this, &kvVGraph_class::zoom10);
    connect(actionAdjust, &QAction::triggered, this, &kvVGraph_class::autoRescale);
    connect(levelGroup, &QActionGroup::triggered, this, &kvVGraph_class::lighter);
    connect(actAllOn, &QAction::triggered, this, &kvVGraph_class::changeLightModeOn);
    connect(actOffline, &QAction::triggered, this, &kvVGraph_class::changeLightModeOffline);
    connect(actLive, &QAction::triggered, this, &kvVGraph_class::changeLightModeLive);
    connect(actLiveDesign, &QAction::triggered, this, &kvVGraph_class::changeLightModeDesign);
    connect(actCompound, &QAction::triggered, this, &kvVGraph_class::changeToCompoundAS);
    connect(actAllOff, &QAction::triggered, this, &kvVGraph_class::changeLightModeOff);
    connect(actChooseScene, &QAction::triggered, this, &kvVGraph_class::chooseScene);
    connectSelection();
    connect(scrollArea->horizontalScrollBar(), &QScrollBar::valueChanged, this, &kvVGraph_class::hScrollVal);
    connect(scrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this, &kvVGraph_class::vScrollVal);
    if (vp) {
        connect(this, &QObject::destroyed, vp, &v_project::enableDetails);
        connect(vp, &v_project::fixturesReplaced, this, &kvVGraph_class::fixturesReplaced);
        connect(vp, &v_project::fixtureRemoved, this, &kvVGraph_class::fixtureRemoved);
    }
    connectFixtureCommands();
    if (gui_base_class* mainWindow = theMainWindow)
        connect(this, &kvVGraph_class::setLiveMode, mainWindow, [mainWindow] { mainWindow->clickLiveButton(); });

    setWindowTitle(designMode ? tr("KvOrbit310+ visualisation: design mode")
                              : tr("KvOrbit310+ visualisation: all fixtures on (offline)"));
    arrangeItems();
}

kvVGraph_class::~kvVGraph_class()
{
    releaseItems();
}

void kvVGraph_class::arrangeItems()
{
    if (v_project* vp = theVisualProject) {
        // Icons a closed plan handed back come onto this plan's window at
        // once; from there each moves within the window.
        QWidget* keeper = keeperOf(vp);
        if (keeper)
            keeper->setParent(imageLabel);
        for (lightEffect* f : std::as_const(vp->fixtures)) {
            if (!f->beam)
                f->beam = new light_class(f, imageLabel);
            else
                f->beam->setParent(imageLabel);
            if (!f->cross)
                f->cross = new sel_cross(f, imageLabel);
            else
                f->cross->setParent(imageLabel);
            if (designMode) {
                if (f->parentWidget() != imageLabel)
                    f->setParent(imageLabel);
                f->show();
                f->cross->hide();
            } else {
                f->hide();
            }
            f->beam->show();
            f->beam->setMouseTracking(true);
        }
        // In a show the icons stay with the keeper, out of sight.
        if (keeper && keeper->children().isEmpty())
            delete keeper;
        else if (keeper)
            keeper->hide();
    }

    if (designMode) {
        menuLighten_image->setTitle(tr("Lighten background"));
        actionSwitch_mode->setIcon(QIcon(QStringLiteral(":/lupka.png")));
        actGroupManagement->setVisible(true);
        setMenuTitle(presentationMenu, QString());
        setMenuTitle(ctrlGroupMenu, QString());
    } else {
        menuLighten_image->setTitle(tr("Dimm background"));
        actionSwitch_mode->setIcon(QIcon(QStringLiteral(":/LE-zs.png")));
        actGroupManagement->setVisible(false);
        setMenuTitle(presentationMenu, tr("Light presentation"));
    }
    updatePositionLabel();
    relayoutFixtures();
    imageLabel->update();
}

QPoint kvVGraph_class::fieldToView(int x, int y) const
{
    if (!isVisible())
        return QPoint(0, 0);
    // Far off the field the icon stays where a widget can be placed.
    const auto pixel = [this](int v) { return qRound(std::clamp(v * zoom / scale, -1e7, 1e7)) - 11; };
    return QPoint(pixel(x), pixel(y));
}

const uint8_t* kvVGraph_class::shownValues() const
{
    return theVisualProject ? theVisualProject->dmxBuffer : nullptr;
}

void kvVGraph_class::showStatusText(const QString& text, int ms)
{
    statusbar->showMessage(text, ms);
}

void kvVGraph_class::fixturesReplaced()
{
    // The fixtures the window pointed at may be gone.
    pointedFixture = nullptr;
    dragFixture = nullptr;
    clipboardFixture = nullptr;
    if (closing)
        return;
    // New fixtures come without a place on the plan: they get their items
    // here, and the colours of what the window shows.
    arrangeItems();
    paintAll(QColor(192, 192, 192, 80));
    if (designMode)
        return;
    if (lightMode == LIGHT_MODE_ALL_ON)
        paintAll(Qt::white);
    else if (lightMode == LIGHT_MODE_ALL_OFF)
        paintAll(QColor(0, 0, 0, 0));
    else
        sceneChanged();
    // The light-control menu named the fixtures that went; the new ones
    // get their groups and selection after this, so it is rebuilt then.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!closing && controlMenuInUse())
                makeMenuCtrlGroup();
        },
        Qt::QueuedConnection);
}

void kvVGraph_class::paintAll(const QColor& colour)
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        f->lightColor = colour;
        if (f->beam)
            f->refreshLight(*this);
    }
}

void kvVGraph_class::releaseItems()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    if (!designMode)
        vp->dmxBuffer = nullptr;
    while (!vp->controlDialogs.isEmpty())
        vp->controlDialogs.takeFirst()->reject();

    gui_base_class* mainWindow = theMainWindow;
    ctrl_monitor* monitor = mainWindow ? mainWindow->monitorPanel() : nullptr;
    if (!designMode && lightMode == LIGHT_MODE_LIVE_SHOW && mainWindow && mainWindow->visualMonitorHidden() && monitor
        && monitor->dmxOutWindow) {
        disconnect(monitor->dmxOutWindow, nullptr, this, nullptr);
        monitor->closeMonitors(MONITOR_FLAG_DMX_OUT);
    }
    // A closed window draws nothing more.
    if (monitor)
        disconnect(monitor, nullptr, this, nullptr);

    // The plan goes out of sight first: items hidden one by one on a plan
    // still shown would each have the rest of the plan worked out again.
    imageLabel->hide();
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        f->hide();
        // Their fixture may go before the plan does.
        for (QLabel* item : std::initializer_list<QLabel*>{f->beam, f->cross}) {
            if (auto* beam = qobject_cast<light_class*>(item))
                beam->owner = nullptr;
            else if (auto* cross = qobject_cast<sel_cross*>(item))
                cross->owner = nullptr;
            if (item && item->parentWidget() != imageLabel)
                item->deleteLater();
        }
        f->beam = nullptr;
        f->cross = nullptr;
    }

    // The icons outlive the window: the project still lists them. They
    // leave the plan in its own order (each then comes first in it, found at
    // once), beams and crosses for a bin that goes with the plan, icons for
    // the keeper, which then leaves the window with all of them.
    QWidget* keeper = keeperOf(vp);
    if (keeper && keeper->parentWidget() != imageLabel)
        keeper = nullptr;
    QWidget* bin = new QWidget(imageLabel);
    const QObjectList items = imageLabel->children();
    for (QObject* item : items) {
        if (item == bin || item == keeper)
            continue;
        if (auto* icon = qobject_cast<lightEffect*>(item)) {
            if (!keeper)
                keeper = newKeeper(vp, imageLabel);
            icon->setParent(keeper);
        } else if (qobject_cast<light_class*>(item) || qobject_cast<sel_cross*>(item)) {
            static_cast<QWidget*>(item)->setParent(bin);
        }
    }
    if (keeper) {
        keeper->hide();
        keeper->setParent(nullptr);
    }
    delete bin;
}

bool kvVGraph_class::close()
{
    releaseItems();
    closing = true;
    deleteLater();
    return true;
}

void kvVGraph_class::closeEvent(QCloseEvent* event)
{
    close();
    event->accept();
}
