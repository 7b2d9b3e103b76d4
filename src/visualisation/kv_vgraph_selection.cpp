#include "visualisation/kv_vgraph.h"

#include "visualisation/ctrl_effects.h"
#include "visualisation/modi_grp.h"

#include "fixtures/ctrl_menu_entry.h"
#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/v_project.h"
#include "seams/dialog_seam.h"
#include "transport/link_clock.h"
#include "widgets/page_style.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

#include <memory>
#include <vector>

// The selection of fixtures, the named groups, and the light-control dialogs
// opened for one fixture or for a set of like fixtures.

namespace {

// A dialog without channels shows its title this long before it closes.
constexpr int NO_CHANNELS_MS = 1500;

}  // namespace

void kvVGraph_class::connectSelection()
{
    connect(actionSelect_all, &QAction::triggered, this, &kvVGraph_class::selectAll);
    connect(actionDeselect_all, &QAction::triggered, this, &kvVGraph_class::deselectAll);
    connect(actionInvert_selection, &QAction::triggered, this, &kvVGraph_class::invertSel);
    connect(actInvertFixture, &QAction::triggered, this, &kvVGraph_class::invertFixt);
    connect(actSelectThisOnly, &QAction::triggered, this, &kvVGraph_class::singleSel);
    connect(actGroupMembership, &QAction::triggered, this, &kvVGraph_class::sglGroupShip);
    connect(actGroupManagement, &QAction::triggered, this, qOverload<>(&kvVGraph_class::groupShip));
    connect(menubar, &QMenuBar::hovered, this, &kvVGraph_class::makeMenuSelGroup);
}

bool kvVGraph_class::controlMenuInUse() const
{
    return lightMode == LIGHT_MODE_OFFLINE || lightMode == LIGHT_MODE_LIVE_DESIGN || lightMode == LIGHT_MODE_COMPOUND;
}

void kvVGraph_class::redrawFixture(lightEffect* f)
{
    if (designMode) {
        f->updateIcon();
        f->repaint();
    }
    if (f->beam)
        f->refreshLight(*this);
}

void kvVGraph_class::selectionEnded()
{
    if (v_project* vp = theVisualProject)
        vp->modified = true;
    // The menu's "selected" entry follows the selection wherever the menu is in use.
    if (controlMenuInUse())
        makeMenuCtrlGroup();
}

// ---- Selection ------------------------------------------------------------------------

void kvVGraph_class::selectAll()
{
    v_project* vp = theVisualProject;
    if (!vp || vp->fixtures.isEmpty() || vp->defaultGroup.members.size() == vp->fixtures.size())
        return;
    QSet<const lightEffect*> members(vp->defaultGroup.members.cbegin(), vp->defaultGroup.members.cend());
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        if (f->selected)
            continue;
        f->selected = true;
        redrawFixture(f);
        if (!members.contains(f)) {
            vp->defaultGroup.members.append(f);
            members.insert(f);
        }
    }
    selectionEnded();
}

void kvVGraph_class::deselectAll()
{
    v_project* vp = theVisualProject;
    if (!vp || vp->fixtures.isEmpty())
        return;
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        if (!f->selected)
            continue;
        f->selected = false;
        redrawFixture(f);
        vp->modified = true;
    }
    vp->defaultGroup.members.clear();
    if (controlMenuInUse())
        makeMenuCtrlGroup();
}

void kvVGraph_class::invertSel()
{
    v_project* vp = theVisualProject;
    if (!vp || vp->fixtures.isEmpty())
        return;
    QList<lightEffect*>& members = vp->defaultGroup.members;
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        f->selected = !f->selected;
        redrawFixture(f);
        if (!members.removeOne(f))
            members.append(f);
    }
    selectionEnded();
}

void kvVGraph_class::invertFixt()
{
    v_project* vp = theVisualProject;
    lightEffect* f = pointedFixture;
    if (!vp || !f)
        return;
    f->selected = !f->selected;
    f->updateIcon();
    f->repaint();
    QList<lightEffect*>& members = vp->defaultGroup.members;
    if (f->selected) {
        if (!members.contains(f))
            members.append(f);
    } else {
        members.removeOne(f);
    }
    selectionEnded();
}

void kvVGraph_class::singleSel()
{
    v_project* vp = theVisualProject;
    if (!vp || !pointedFixture || !designMode)
        return;
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        f->selected = f == pointedFixture;
        f->updateIcon();
        f->repaint();
        vp->modified = true;
    }
    vp->defaultGroup.members = {pointedFixture};
}

void kvVGraph_class::selectGroup()
{
    v_project* vp = theVisualProject;
    const auto* action = qobject_cast<const QAction*>(sender());
    if (!vp || !action)
        return;
    bool ok = false;
    const int index = action->data().toInt(&ok);
    if (!ok || index < 0 || index >= vp->groups.size())
        return;
    const efGroup* group = vp->groups.at(index);
    const QSet<const lightEffect*> inGroup(group->members.cbegin(), group->members.cend());
    vp->defaultGroup.members.clear();
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        f->selected = inGroup.contains(f);
        redrawFixture(f);
        if (f->selected)
            vp->defaultGroup.members.append(f);
    }
    selectionEnded();
}

void kvVGraph_class::makeMenuSelGroup(QAction* hovered)
{
    v_project* vp = theVisualProject;
    if (!vp || !hovered || hovered != menuSelect->menuAction())
        return;
    menuSelect_group->clear();
    for (int i = 0; i < vp->groups.size(); ++i) {
        QAction* action = menuSelect_group->addAction(pageStyle::asTyped(vp->groups.at(i)->name));
        action->setData(i);
        connect(action, &QAction::triggered, this, &kvVGraph_class::selectGroup);
    }
}

// ---- Groups ---------------------------------------------------------------------------

void kvVGraph_class::groupShip(lightEffect* fixture)
{
    ModiGrp_class dialog(fixture, this);
    execDialog(&dialog);
    if (v_project* vp = theVisualProject)
        vp->checkFixtures();
}

void kvVGraph_class::groupShip()
{
    groupShip(nullptr);
}

void kvVGraph_class::sglGroupShip()
{
    if (pointedFixture)
        groupShip(pointedFixture);
}

// ---- Light control --------------------------------------------------------------------

void kvVGraph_class::makeMenuCtrlGroup()
{
    v_project* vp = theVisualProject;
    if (!vp || !vp->library)
        return;

    struct subgroup {
        QString codes;
        QList<lightEffect*> fixtures;
    };
    struct heading {
        QString name;
        std::vector<subgroup> subgroups;
        void add(lightEffect* f)
        {
            for (subgroup& s : subgroups) {
                if (s.codes == f->chnlCodes) {
                    s.fixtures.append(f);
                    return;
                }
            }
            subgroups.push_back({f->chnlCodes, {f}});
        }
    };
    std::vector<heading> headings;
    headings.push_back({tr("selected"), {}});
    for (lightEffect* f : std::as_const(vp->fixtures))
        if (f->selected)
            headings.front().add(f);
    // Members that are no longer fixtures of the project are left out.
    const QSet<const lightEffect*> fixtures(vp->fixtures.cbegin(), vp->fixtures.cend());
    for (const efGroup* g : std::as_const(vp->groups)) {
        headings.push_back({g->name, {}});
        for (lightEffect* f : g->members)
            if (fixtures.contains(f))
                headings.back().add(f);
    }

    // The previous entries go with their actions and submenus.
    qDeleteAll(vp->ctrlMenuEntries);
    vp->ctrlMenuEntries.clear();
    const QList<QMenu*> submenus = ctrlGroupMenu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    ctrlGroupMenu->clear();
    qDeleteAll(submenus);

    const auto addEntry = [this, vp](QAction* action, const subgroup& s, const QString& name) {
        connect(action, &QAction::triggered, this, qOverload<>(&kvVGraph_class::controlByGroup));
        auto* entry = new ctrlMenuEntry;
        entry->action = action;
        entry->members = s.fixtures;
        entry->name = name;
        vp->ctrlMenuEntries.append(entry);
    };
    for (const heading& h : headings) {
        if (h.subgroups.size() == 1) {
            addEntry(ctrlGroupMenu->addAction(pageStyle::asTyped(h.name)), h.subgroups.front(), h.name);
        } else if (h.subgroups.size() > 1) {
            QMenu* submenu = ctrlGroupMenu->addMenu(pageStyle::asTyped(h.name));
            for (const subgroup& s : h.subgroups)
                addEntry(submenu->addAction(pageStyle::asTyped(s.codes)), s, h.name);
        }
    }
    setMenuTitle(ctrlGroupMenu, tr("Light control by groups"));
    setMenuEnabled(ctrlGroupMenu, true);
}

bool kvVGraph_class::showsControllableValues() const
{
    const v_project* vp = theVisualProject;
    return vp && vp->dmxBuffer && controlMenuInUse();
}

void kvVGraph_class::openControlDialog(ctrlEffects* dialog)
{
    const QPoint corner = centralwidget->mapToGlobal(QPoint(centralwidget->width(), centralwidget->height()));
    dialog->move(corner.x() - dialog->width(), corner.y() - dialog->height());
    dialog->show();
    if (dialog->noChannels) {
        // The title says why nothing is offered; the dialog goes by itself.
        theLinkClock().sleepMs(NO_CHANNELS_MS);
        dialog->close();
    }
}

void kvVGraph_class::designFxt(lightEffect* fixture)
{
    v_project* vp = theVisualProject;
    if (!vp || !fixture || (lightMode != LIGHT_MODE_OFFLINE && lightMode != LIGHT_MODE_LIVE_DESIGN)
        || !vp->dmxBuffer)
        return;
    for (QDialog* d : std::as_const(vp->controlDialogs)) {
        auto* open = qobject_cast<ctrlEffects*>(d);
        if (open && open->controls({fixture})) {
            open->show();
            open->raise();
            open->activateWindow();
            return;
        }
    }
    openControlDialog(new ctrlEffects(fixture, this));
}

void kvVGraph_class::controlByGroup(efGroup* group)
{
    v_project* vp = theVisualProject;
    // Only a scene or a compound picture has values to set.
    if (!vp || !showsControllableValues())
        return;
    QList<lightEffect*> members;
    QString name;
    if (group) {
        members = group->members;
        name = group->name;
    } else {
        const QObject* action = sender();
        const ctrlMenuEntry* entry = nullptr;
        for (const ctrlMenuEntry* e : std::as_const(vp->ctrlMenuEntries)) {
            if (action && e->action == action) {
                entry = e;
                break;
            }
        }
        if (!entry)
            return;
        members = entry->members;
        name = entry->name;
    }
    const QSet<const lightEffect*> fixtures(vp->fixtures.cbegin(), vp->fixtures.cend());
    members.removeIf([&fixtures](const lightEffect* f) { return !fixtures.contains(f); });
    if (members.isEmpty())
        return;

    for (QDialog* d : std::as_const(vp->controlDialogs)) {
        auto* open = qobject_cast<ctrlEffects*>(d);
        if (open && open->controls(members)) {
            open->show();
            open->raise();
            open->activateWindow();
            return;
        }
    }
    openControlDialog(new ctrlEffects(members, name + QLatin1Char(':') + members.first()->chnlCodes, this));
}

void kvVGraph_class::controlByGroup()
{
    controlByGroup(nullptr);
}
