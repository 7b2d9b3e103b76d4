#include "visualisation/kv_vgraph.h"

#include "visualisation/sc_no_dlg.h"

#include "fixtures/light_effect.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "monitor/pokaz.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <QtDebug>

// The presentation modes of the show kind: where the plan's 512 values come
// from, what follows them, and the choice of the scene shown.

namespace {

// A fixture's light from the values, drawn on the plan where it has a beam.
void relight(lightEffect* f, const uint8_t* values, const fixtureView& plan)
{
    f->computeLight(values);
    if (f->beam)
        f->refreshLight(plan);
}

bool isCompoundScene(int scene)
{
    return scene >= FIRST_COMPOUND_SCENE && scene <= LAST_COMPOUND_SCENE;
}

// One connection attempt when there is none; false when the controller
// still does not answer, after telling the user.
bool ensureConnected(QWidget* parent)
{
    kv310_controller_class* c = theController;
    if (c && !c->isConnected())
        c->setConnection(true);
    if (c && c->isConnected())
        return true;
    showMessage(QMessageBox::Information, parent, kvVGraph_class::tr("Controller error"),
                kvVGraph_class::tr("Not connected!"));
    return false;
}

}  // namespace

QString kvVGraph_class::sceneText(int scene, int program, int step)
{
    if (program < 0)
        return tr("Scene %1").arg(scene + 1);
    return tr("Program %1, step %2 (scene %3)").arg(program + 1).arg(step + 1).arg(scene + 1);
}

QString kvVGraph_class::compoundText(int compoundScene)
{
    const int n = compoundScene - FIRST_COMPOUND_SCENE;
    return tr("Active compound scene (range %1, %2)")
        .arg(n / 2 + 1)
        .arg(n % 2 ? tr("in motion") : tr("static"));
}

QString kvVGraph_class::compoundChooserText(int compoundScene)
{
    const int n = compoundScene - FIRST_COMPOUND_SCENE;
    // Short, so that the menu bar keeps every menu in sight; the chooser it
    // opens is titled with the mode too.
    return tr("Choose range (%1 %2)").arg(n / 2 + 1).arg(n % 2 ? tr("in motion") : tr("static"));
}

// ---- Releasing the previous sources ------------------------------------------------

void kvVGraph_class::releaseMonitor()
{
    if (ctrl_monitor* monitor = theMainWindow ? theMainWindow->monitorPanel() : nullptr)
        disconnect(monitor, nullptr, this, nullptr);
}

void kvVGraph_class::closeControlDialogs()
{
    v_project* vp = theVisualProject;
    while (vp && !vp->controlDialogs.isEmpty())
        vp->controlDialogs.takeFirst()->close();
}

void kvVGraph_class::releaseOutputWindow()
{
    ctrl_monitor* monitor = theMainWindow ? theMainWindow->monitorPanel() : nullptr;
    if (monitor && monitor->dmxOutWindow)
        disconnect(monitor->dmxOutWindow, nullptr, this, nullptr);
}

void kvVGraph_class::releaseSceneFaders()
{
    // The compound pictures' bank goes with it: its record numbers would
    // be taken for scene numbers.
    disconnect(sceneFaderLink);
    disconnect(compoundFaderLink);
}

void kvVGraph_class::followSceneFaders()
{
    disconnect(sceneFaderLink);
    if (theMainWindow)
        sceneFaderLink = theMainWindow->followFaderBank(gui_base_class::SCENE_FADERS, this,
                                                        [this](int sc, int ch) { chnlChanged(sc, ch); });
}

void kvVGraph_class::followCompoundFaders()
{
    disconnect(compoundFaderLink);
    if (theMainWindow)
        compoundFaderLink = theMainWindow->followFaderBank(gui_base_class::COMPOUND_FADERS, this,
                                                           [this](int sc, int ch) { chnlChanged(sc, ch); });
}

void kvVGraph_class::revertMode()
{
    if (QAction* entry = presentationMenu->actions().value(lightMode))
        entry->setChecked(true);
}

void kvVGraph_class::hideSceneChoice()
{
    actChooseScene->setVisible(false);
    setMenuTitle(ctrlGroupMenu, QString());
    setMenuEnabled(ctrlGroupMenu, false);
}

// ---- The modes ------------------------------------------------------------------------

void kvVGraph_class::changeLightModeOn()
{
    releaseMonitor();
    closeControlDialogs();
    releaseOutputWindow();
    releaseSceneFaders();
    if (v_project* vp = theVisualProject)
        for (lightEffect* f : std::as_const(vp->fixtures))
            f->lightColor = Qt::white;
    relayoutFixtures();
    lightMode = LIGHT_MODE_ALL_ON;
    hideSceneChoice();
    setWindowTitle(tr("KvOrbit310+ visualisation: all fixtures on (offline)"));
}

void kvVGraph_class::changeLightModeOff()
{
    releaseMonitor();
    closeControlDialogs();
    releaseOutputWindow();
    releaseSceneFaders();
    if (v_project* vp = theVisualProject)
        for (lightEffect* f : std::as_const(vp->fixtures))
            f->lightColor = QColor(0, 0, 0, 0);
    relayoutFixtures();
    lightMode = LIGHT_MODE_ALL_OFF;
    hideSceneChoice();
    setWindowTitle(tr("KvOrbit310+ visualisation: all fixtures off (offline)"));
}

bool kvVGraph_class::chooseShownScene(QString& text, uint8_t*& buffer)
{
    v_project* vp = theVisualProject;
    kv310_controller_class* c = theController;
    if (!vp || !c || !c->configImage)
        return false;
    if (isCompoundScene(vp->sceneNumber))
        vp->sceneNumber = 0;
    if (vp->sceneNumber < 0 || vp->sceneNumber >= img::SCENES || vp->programNumber > 511)
        return false;
    int s = vp->sceneNumber;
    if (vp->programNumber < 0) {
        text = sceneText(s, -1, -1);
    } else {
        const int n = c->programs.stepCount(vp->programNumber);
        if (n < 0 || vp->stepNumber >= n)
            return false;
        s = c->programs.scene(vp->programNumber, vp->stepNumber);
        // A step may name a scene the image does not hold.
        if (s < 0 || s >= img::SCENES)
            return false;
        vp->sceneNumber = s;
        text = sceneText(s, vp->programNumber, vp->stepNumber);
    }
    buffer = reinterpret_cast<uint8_t*>(c->configImage) + img::sceneChannelsOf(s);
    return true;
}

void kvVGraph_class::showSceneChoice()
{
    const v_project* vp = theVisualProject;
    if (vp->programNumber < 0)
        actChooseScene->setText(tr("Choose scene no. (%1)").arg(vp->sceneNumber + 1));
    else
        actChooseScene->setText(tr("Choose scene no. (%1/%2)").arg(vp->programNumber + 1).arg(vp->stepNumber + 1));
    actChooseScene->setVisible(true);
}

void kvVGraph_class::changeLightModeOffline()
{
    QString text;
    uint8_t* buffer = nullptr;
    if (!chooseShownScene(text, buffer)) {
        revertMode();
        return;
    }
    v_project* vp = theVisualProject;
    vp->dmxBuffer = buffer;
    lightMode = LIGHT_MODE_OFFLINE;
    setWindowTitle(tr("KvOrbit310+ visualisation: %1 offline").arg(text));
    releaseSceneFaders();
    releaseMonitor();
    releaseOutputWindow();
    followSceneFaders();
    showSceneChoice();
    makeMenuCtrlGroup();
    sceneChanged();
}

void kvVGraph_class::changeLightModeDesign()
{
    if (!ensureConnected(this)) {
        revertMode();
        return;
    }
    QString text;
    uint8_t* buffer = nullptr;
    if (!chooseShownScene(text, buffer)) {
        revertMode();
        return;
    }
    if (theMainWindow)
        theMainWindow->enterLiveEditing();
    releaseSceneFaders();
    releaseMonitor();
    releaseOutputWindow();
    followSceneFaders();
    v_project* vp = theVisualProject;
    setWindowTitle(tr("KvOrbit310+ visualisation: %1 live design").arg(text));
    vp->dmxBuffer = buffer;
    lightMode = LIGHT_MODE_LIVE_DESIGN;
    showSceneChoice();
    makeMenuCtrlGroup();
    sceneChanged();
    if (theController)
        theController->send_sc_prep(vp->sceneNumber);
}

void kvVGraph_class::changeLightModeLive()
{
    if (!ensureConnected(this)) {
        revertMode();
        return;
    }
    if (theController->uiMode == 2)
        emit setLiveMode();
    ctrl_monitor* monitor = theMainWindow ? theMainWindow->monitorPanel() : nullptr;
    if (monitor && !monitor->dmxOutWindow)
        monitor->shDmxOutClicked();
    pokaz* output = monitor ? monitor->dmxOutWindow.data() : nullptr;
    if (!output || output->buffer.size() < 512) {
        showMessage(QMessageBox::Warning, this, tr("Warning!"), tr("Cannot start DMX monitor!"));
        revertMode();
        return;
    }
    closeControlDialogs();
    v_project* vp = theVisualProject;
    liveSource = output->buffer.data();
    vp->dmxBuffer = output->buffer.data();
    if (theMainWindow->visualMonitorHidden())
        output->hide();
    lightMode = LIGHT_MODE_LIVE_SHOW;
    hideSceneChoice();
    releaseSceneFaders();
    connect(monitor, &ctrl_monitor::countTick, this, &kvVGraph_class::sceneChanged, Qt::UniqueConnection);
    connect(output, qOverload<>(&pokaz::closed), this, &kvVGraph_class::outputWindowClosed, Qt::UniqueConnection);
    connect(output, qOverload<>(&pokaz::closed), this, &QObject::deleteLater, Qt::UniqueConnection);
    setWindowTitle(tr("KvOrbit310+ visualisation: live show"));
    sceneChanged();
}

void kvVGraph_class::outputWindowClosed()
{
    v_project* vp = theVisualProject;
    if (vp && liveSource && vp->dmxBuffer == liveSource)
        vp->dmxBuffer = nullptr;
    liveSource = nullptr;
}

void kvVGraph_class::changeToCompoundAS()
{
    v_project* vp = theVisualProject;
    kv310_controller_class* c = theController;
    if (!vp || !c || unsigned(vp->sceneNumber) > unsigned(LAST_COMPOUND_SCENE)) {
        revertMode();
        return;
    }
    if (vp->sceneNumber < FIRST_COMPOUND_SCENE)
        vp->sceneNumber = FIRST_COMPOUND_SCENE;
    const int n = vp->sceneNumber - FIRST_COMPOUND_SCENE;
    vp->dmxBuffer = c->compoundScenes[n / 2][n % 2];
    lightMode = LIGHT_MODE_COMPOUND;
    setWindowTitle(tr("KvOrbit310+ visualisation: %1 ").arg(compoundText(vp->sceneNumber)));
    actChooseScene->setText(compoundChooserText(vp->sceneNumber));
    actChooseScene->setVisible(true);
    // A compound view follows the active-scene editor, not the live show.
    releaseMonitor();
    releaseOutputWindow();
    followCompoundFaders();
    actCompound->setChecked(true);
    makeMenuCtrlGroup();
    sceneChanged();
}

void kvVGraph_class::changeScNo(int scene, int program, int step)
{
    v_project* vp = theVisualProject;
    kv310_controller_class* c = theController;
    if (!vp || !c || !c->configImage)
        return;
    // Only a scene of the kind the mode shows has values to show.
    const bool compound = lightMode == LIGHT_MODE_COMPOUND;
    if (compound ? !isCompoundScene(scene) : (scene < 0 || scene >= img::SCENES))
        return;

    QString text = sceneText(scene, program, step);
    if (!compound) {
        vp->dmxBuffer = reinterpret_cast<uint8_t*>(c->configImage) + img::sceneChannelsOf(scene);
        if (program < 0)
            actChooseScene->setText(tr("Choose scene no. (%1)").arg(scene + 1));
        else
            actChooseScene->setText(tr("Choose scene no. (%1/%2)").arg(program + 1).arg(step + 1));
    }
    switch (lightMode) {
    case LIGHT_MODE_LIVE_DESIGN:
        setWindowTitle(tr("KvOrbit310+ visualisation: %1 live design").arg(text));
        break;
    case LIGHT_MODE_OFFLINE:
        setWindowTitle(tr("KvOrbit310+ visualisation: %1 offline").arg(text));
        break;
    case LIGHT_MODE_COMPOUND: {
        const int n = scene - FIRST_COMPOUND_SCENE;
        vp->dmxBuffer = c->compoundScenes[n / 2][n % 2];
        text = compoundText(scene);
        setWindowTitle(tr("KvOrbit310+ visualisation: %1").arg(text));
        actChooseScene->setText(compoundChooserText(scene));
        break;
    }
    default:
        return;
    }
    vp->sceneNumber = scene;
    vp->programNumber = program;
    vp->stepNumber = step;
    for (lightEffect* f : std::as_const(vp->fixtures))
        relight(f, vp->dmxBuffer, *this);
}

void kvVGraph_class::sceneChanged()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    const uint8_t* values = vp->dmxBuffer;
    QSet<const lightEffect*> handled;
    handled.reserve(vp->fixtures.size());
    for (const chnlMapEntry& e : std::as_const(vp->chnlMap)) {
        lightEffect* f = e.fixture;
        if (handled.contains(f))
            continue;
        handled.insert(f);
        relight(f, values, *this);
    }
}

void kvVGraph_class::chnlChanged(int sc, int ch)
{
    v_project* vp = theVisualProject;
    if (!vp || lightMode != LIGHT_MODE_OFFLINE || sc != vp->sceneNumber)
        return;
    for (const chnlMapEntry& e : std::as_const(vp->chnlMap)) {
        lightEffect* f = e.fixture;
        if (e.channel - 1 <= ch && ch <= e.channel + f->chnlCount)
            relight(f, vp->dmxBuffer, *this);
    }
}

void kvVGraph_class::chooseScene()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    qDebug() << vp->sceneNumber;
    scNoDlg chooser(vp->sceneNumber, this);
    execDialog(&chooser);
}
