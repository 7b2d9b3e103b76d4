#include "visualisation/kv_vgraph.h"

#include "fixtures/light_class.h"
#include "fixtures/light_effect.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "seams/dialog_seam.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <cmath>
#include <cstring>

// The pointer and the keys of the plan: dragging icons, the context menus,
// selection and light control by pointer; redraw, stepping through scenes
// and program steps, and copying a scene onto its neighbour by keys.

namespace {

bool showsScenes(int lightMode)
{
    return lightMode == LIGHT_MODE_OFFLINE || lightMode == LIGHT_MODE_LIVE_DESIGN || lightMode == LIGHT_MODE_COMPOUND;
}

// The 512 channel values of a scene or compound picture; null for a number
// that names neither.
uint8_t* sceneValues(kv310_controller_class* c, int scene)
{
    if (!c)
        return nullptr;
    if (scene >= FIRST_COMPOUND_SCENE && scene <= LAST_COMPOUND_SCENE) {
        const int n = scene - FIRST_COMPOUND_SCENE;
        return c->compoundScenes[n / 2][n % 2];
    }
    if (scene >= 0 && scene < img::SCENES && c->configImage)
        return reinterpret_cast<uint8_t*>(c->configImage) + img::sceneChannelsOf(scene);
    return nullptr;
}

int roundHalfUp(double v)
{
    constexpr double limit = double(std::numeric_limits<int>::max() / 2);
    return std::isnan(v) ? 0 : qRound(std::clamp(v, -limit, limit));
}

}  // namespace

lightEffect* kvVGraph_class::fixtureAt(const QPoint& windowPosition, itemKind* kind) const
{
    if (kind)
        *kind = NO_ITEM;
    QWidget* item = imageLabel->childAt(imagePosition(windowPosition));
    if (auto* icon = qobject_cast<lightEffect*>(item)) {
        if (kind)
            *kind = ICON_ITEM;
        return icon;
    }
    if (auto* beam = qobject_cast<light_class*>(item)) {
        if (kind)
            *kind = BEAM_ITEM;
        return beam->owner;
    }
    if (auto* cross = qobject_cast<sel_cross*>(item)) {
        if (kind)
            *kind = CROSS_ITEM;
        return cross->owner;
    }
    return nullptr;
}

std::vector<std::unique_ptr<efGroup>> kvVGraph_class::controlGroupsOf(const lightEffect* fixture) const
{
    std::vector<std::unique_ptr<efGroup>> out;
    const v_project* vp = theVisualProject;
    if (!vp || !fixture)
        return out;
    // A light-control dialog drives fixtures of one set of channel functions.
    for (const efGroup* g : vp->groups) {
        if (!g->members.contains(fixture))
            continue;
        auto like = std::make_unique<efGroup>(g->name);
        for (lightEffect* m : g->members)
            if (m->chnlCodes == fixture->chnlCodes)
                like->members.append(m);
        if (!like->members.isEmpty())
            out.push_back(std::move(like));
    }
    if (fixture->selected) {
        auto selected = std::make_unique<efGroup>(tr("selected"));
        for (lightEffect* f : vp->fixtures)
            if (f->selected && f->chnlCodes == fixture->chnlCodes)
                selected->members.append(f);
        if (!selected->members.isEmpty())
            out.push_back(std::move(selected));
    }
    return out;
}

void kvVGraph_class::mousePressEvent(QMouseEvent* event)
{
    pointedFixture = nullptr;
    const QPoint at = event->position().toPoint();
    itemKind kind = NO_ITEM;
    lightEffect* f = fixtureAt(at, &kind);
    event->accept();

    if (event->button() == Qt::LeftButton) {
        if (kind == ICON_ITEM) {
            f->updateIcon();
            f->update();
            dragFixture = f;
        } else if (kind == BEAM_ITEM || kind == CROSS_ITEM) {
            pointedFixture = f;
            if (event->modifiers() & Qt::ControlModifier) {
                invertFixt();
                if (f->beam)
                    f->refreshLight(*this);
                makeMenuCtrlGroup();
            } else {
                infoFixture();
            }
        }
        return;
    }
    if (event->button() != Qt::RightButton)
        return;

    if (designMode) {
        pressX = at.x();
        pressY = at.y();
        if (kind == ICON_ITEM || kind == BEAM_ITEM)
            pointedFixture = f;
        const QPoint global = event->globalPosition().toPoint();
        if (pointedFixture) {
            fixtureMenu->popup(global);
        } else {
            actPasteFixture->setEnabled(clipboardFixture != nullptr);
            fieldMenu->popup(global);
        }
        return;
    }

    if (kind != BEAM_ITEM || !theVisualProject || !theVisualProject->fixtures.contains(f))
        return;
    if (!(event->modifiers() & Qt::AltModifier)) {
        designFxt(f);
        return;
    }
    // The groups live only for the calls.
    const std::vector<std::unique_ptr<efGroup>> groups = controlGroupsOf(f);
    for (const auto& g : groups)
        controlByGroup(g.get());
}

void kvVGraph_class::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const QPoint image = imagePosition(at);
    positionLabel->setText(QStringLiteral(" %1 X %2 ")
                               .arg(roundHalfUp(image.x() * scale / zoom))
                               .arg(roundHalfUp(image.y() * scale / zoom))
                           + zoomText);
    if (dragFixture)
        dragFixture->move(image - QPoint(10, 10));
    event->accept();
}

void kvVGraph_class::mouseReleaseEvent(QMouseEvent* event)
{
    lightEffect* f = dragFixture;
    dragFixture = nullptr;
    event->accept();
    if (!f || !designMode)
        return;
    f->updateIcon();
    const QPoint image = imagePosition(event->position().toPoint());
    const QPoint field = fieldPosition(event->position().toPoint());
    f->posX = field.x();
    f->posY = field.y();
    // Dropped above or left of the image: the icon shows where it is kept.
    if (image.x() < 0 || image.y() < 0)
        f->move(fieldToView(f->posX, f->posY));
    if (v_project* vp = theVisualProject)
        vp->modified = true;
    f->storeGeometry();
    if (f->beam)
        f->refreshLight(*this);
}

void kvVGraph_class::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    v_project* vp = theVisualProject;
    itemKind kind = NO_ITEM;
    lightEffect* f = fixtureAt(event->position().toPoint(), &kind);
    if (!designMode || kind != ICON_ITEM || !vp)
        return;
    f->selected = !f->selected;
    f->updateIcon();
    f->update();
    // The default group lists exactly the selected fixtures.
    if (!f->selected)
        vp->defaultGroup.members.removeAll(f);
    else if (!vp->defaultGroup.members.contains(f))
        vp->defaultGroup.members.append(f);
    vp->modified = true;
}

void kvVGraph_class::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_F5:
        setZoom(zoom);
        relayoutFixtures();
        break;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (!designMode && showsScenes(lightMode))
            stepScene(event->key() == Qt::Key_Plus ? 1 : -1, event->modifiers() & Qt::ControlModifier);
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void kvVGraph_class::stepScene(int step, bool copy)
{
    v_project* vp = theVisualProject;
    kv310_controller_class* c = theController;
    if (!vp || !c)
        return;
    const bool compound = lightMode == LIGHT_MODE_COMPOUND;

    // A program's steps, outside the compound pictures, which no step plays.
    if (!compound && vp->programNumber >= 0) {
        const int count = c->programs.stepCount(vp->programNumber);
        if (count < 1)
            return;
        int s = vp->stepNumber;
        if (s < 0 || s >= count)
            s = step > 0 ? 0 : count - 1;
        else
            s = step > 0 ? (s + 1 == count ? 0 : s + 1) : (s > 0 ? s - 1 : count - 1);
        changeScNo(c->programs.scene(vp->programNumber, s), vp->programNumber, s);
        return;
    }

    const int first = compound ? FIRST_COMPOUND_SCENE : 0;
    const int last = compound ? LAST_COMPOUND_SCENE : img::SCENES - 1;
    const int current = vp->sceneNumber;
    if (current < first || current > last)
        return;
    int target = current + step;
    if (target > last)
        target = first;
    else if (target < first)
        target = last;

    if (copy) {
        const QString text =
            compound ? tr("Do you really want to replace compound scene #%1\nwith compound scene #%2 ?")
                           .arg(target - FIRST_COMPOUND_SCENE + 1)
                           .arg(current - FIRST_COMPOUND_SCENE + 1)
                     : tr("Do you really want to replace scene #%1\nwith scene #%2 ?").arg(target + 1).arg(current + 1);
        const int answer =
            askQuestion(QMessageBox::Warning, this, tr("Attention!"), text, {tr("Cancel"), tr("Yes, I do!")}, 0, 0);
        if (answer != 1)
            return;
        uint8_t* from = sceneValues(c, current);
        uint8_t* to = sceneValues(c, target);
        if (!from || !to)
            return;
        std::memmove(to, from, 512);
    }
    changeScNo(target, vp->programNumber, vp->stepNumber);
}
