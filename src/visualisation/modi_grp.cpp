#include "visualisation/modi_grp.h"

#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/v_project.h"
#include "seams/dialog_seam.h"

#include <QSet>
#include <QSignalBlocker>
#include <QtDebug>

namespace {

// The fixture an item stands for travels in its user data.
lightEffect* fixtureOf(const QListWidgetItem* item)
{
    return item ? reinterpret_cast<lightEffect*>(item->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

QString itemText(const lightEffect* f)
{
    const int colon = f->caption.indexOf(QLatin1Char(':'));
    return QStringLiteral("(%1) %2").arg(f->number).arg(f->caption.mid(colon + 1));
}

void markModified()
{
    if (v_project* vp = theVisualProject)
        vp->modified = true;
}

}  // namespace

ModiGrp_class::ModiGrp_class(lightEffect* fixture, QWidget* parent) : QDialog(parent), focusFixture(fixture)
{
    setupUi(this);
    int focusGroup = -1;
    if (const v_project* vp = theVisualProject) {
        for (int i = 0; i < vp->groups.size(); ++i) {
            efGroup* g = vp->groups.at(i);
            cbGroups->addItem(g->name, QVariant::fromValue(reinterpret_cast<quintptr>(g)));
            if (focusGroup < 0 && focusFixture && g->members.contains(focusFixture))
                focusGroup = i;
        }
    }
    if (focusGroup >= 0)
        cbGroups->setCurrentIndex(focusGroup);
    fillLists(cbGroups->currentIndex());

    lwInGroup->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lwOutGroup->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(tbAdd, &QToolButton::pressed, this, &ModiGrp_class::addToGroup);
    connect(tbRemove, &QToolButton::pressed, this, &ModiGrp_class::delFromGroup);
    connect(tbAddAll, &QToolButton::pressed, this, &ModiGrp_class::allToGroup);
    connect(tbClear, &QToolButton::pressed, this, &ModiGrp_class::clearGroup);
    connect(tbSelect, &QToolButton::pressed, this, &ModiGrp_class::copySelected);
    connect(pbRename, &QPushButton::pressed, this, &ModiGrp_class::renameGroup);
    connect(pbRemove, &QPushButton::pressed, this, &ModiGrp_class::removeGroup);
    connect(pbDelAll, &QPushButton::pressed, this, &ModiGrp_class::removeAllGroups);
    connect(pbCreate, &QPushButton::pressed, this, &ModiGrp_class::createGroup);
    connect(pbClose, &QPushButton::pressed, this, &ModiGrp_class::reject);
    connect(cbGroups, &QComboBox::currentIndexChanged, this, &ModiGrp_class::fillLists);
}

efGroup* ModiGrp_class::groupAt(int index) const
{
    if (index < 0 || index >= cbGroups->count())
        return nullptr;
    return reinterpret_cast<efGroup*>(cbGroups->itemData(index).value<quintptr>());
}

void ModiGrp_class::setMembershipTitle(const QString& name)
{
    gbFixt->setTitle(tr("Membership of \"%1\"").arg(name));
}

void ModiGrp_class::addItem(QListWidget* list, lightEffect* f)
{
    auto* item = new QListWidgetItem(itemText(f), list);
    item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(f)));
    if (f == focusFixture)
        item->setSelected(true);
}

void ModiGrp_class::showFocus(QListWidget* list)
{
    for (int i = 0; focusFixture && i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (fixtureOf(item) == focusFixture) {
            item->setSelected(true);
            list->scrollToItem(item);
            return;
        }
    }
}

void ModiGrp_class::fillBoth(bool sorted)
{
    lwInGroup->clear();
    lwOutGroup->clear();
    const v_project* vp = theVisualProject;
    if (!vp || !shownMembers)
        return;
    const QSet<const lightEffect*> members(shownMembers->cbegin(), shownMembers->cend());
    for (lightEffect* f : vp->fixtures)
        addItem(members.contains(f) ? lwInGroup : lwOutGroup, f);
    if (sorted) {
        lwInGroup->sortItems();
        lwOutGroup->sortItems();
    }
    showFocus(lwInGroup);
    showFocus(lwOutGroup);
}

void ModiGrp_class::fillLists(int index)
{
    setMembershipTitle(cbGroups->currentText());
    efGroup* group = groupAt(index);
    shownMembers = group ? &group->members : nullptr;
    if (!group) {
        lwInGroup->clear();
        lwOutGroup->clear();
        leGName->clear();
        return;
    }
    fillBoth(true);
    leGName->setText(cbGroups->currentText());
}

bool ModiGrp_class::moveSelected(QListWidget* from, QListWidget* to, bool add)
{
    const QList<QListWidgetItem*> items = from->selectedItems();
    for (int i = 0; i < items.size(); ++i) {
        if (!fixtureOf(items.at(i))) {
            qDebug().noquote() << i << "null pointer!";
            return false;
        }
    }
    for (QListWidgetItem* item : items) {
        lightEffect* f = fixtureOf(item);
        if (add)
            shownMembers->append(f);
        else
            shownMembers->removeOne(f);
        to->addItem(from->takeItem(from->row(item)));
    }
    to->clearSelection();
    to->sortItems();
    showFocus(to);
    return true;
}

void ModiGrp_class::addToGroup()
{
    if (shownMembers && moveSelected(lwOutGroup, lwInGroup, true))
        markModified();
}

void ModiGrp_class::delFromGroup()
{
    if (shownMembers && moveSelected(lwInGroup, lwOutGroup, false))
        markModified();
}

void ModiGrp_class::allToGroup()
{
    const v_project* vp = theVisualProject;
    if (!shownMembers || !vp)
        return;
    const bool changed = lwInGroup->count() != vp->fixtures.size();
    *shownMembers = vp->fixtures;
    fillBoth(false);
    if (changed)
        markModified();
}

void ModiGrp_class::clearGroup()
{
    if (!shownMembers)
        return;
    const bool changed = lwInGroup->count() > 0;
    shownMembers->clear();
    fillBoth(false);
    if (changed)
        markModified();
}

void ModiGrp_class::copySelected()
{
    const v_project* vp = theVisualProject;
    if (!shownMembers || !vp)
        return;
    shownMembers->clear();
    for (lightEffect* f : vp->fixtures)
        if (f->selected)
            shownMembers->append(f);
    fillBoth(false);
    markModified();
}

void ModiGrp_class::createGroup()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    const QString name = tr("-- no name --");
    auto* group = new efGroup(name);
    vp->groups.append(group);
    cbGroups->addItem(name, QVariant::fromValue(reinterpret_cast<quintptr>(group)));
    cbGroups->setCurrentIndex(cbGroups->count() - 1);
    vp->modified = true;
}

void ModiGrp_class::renameGroup()
{
    const int index = cbGroups->currentIndex();
    efGroup* group = groupAt(index);
    const QString name = leGName->text();
    if (!group || name.trimmed().isEmpty())
        return;
    group->name = name;
    cbGroups->setItemText(index, name);
    setMembershipTitle(name);
    markModified();
}

void ModiGrp_class::removeGroup()
{
    v_project* vp = theVisualProject;
    const int index = cbGroups->currentIndex();
    efGroup* group = groupAt(index);
    if (!vp || !group)
        return;
    // Nothing keeps a group but the project: a removed one is deleted.
    vp->groups.removeOne(group);
    shownMembers = nullptr;
    delete group;
    {
        const QSignalBlocker quiet(cbGroups);
        cbGroups->removeItem(index);
    }
    fillLists(cbGroups->currentIndex());
    vp->modified = true;
}

void ModiGrp_class::removeAllGroups()
{
    v_project* vp = theVisualProject;
    if (!vp)
        return;
    shownMembers = nullptr;
    qDeleteAll(vp->groups);
    vp->groups.clear();
    {
        const QSignalBlocker quiet(cbGroups);
        cbGroups->clear();
    }
    fillLists(-1);
    vp->modified = true;
}

void ModiGrp_class::reject()
{
    const QString unnamed = tr("-- no name --");
    for (int i = 0; i < cbGroups->count(); ++i) {
        const QString name = cbGroups->itemText(i);
        if (name.isEmpty() || name == unnamed) {
            cbGroups->setCurrentIndex(i);
            showMessage(QMessageBox::Warning, this, tr("Invalid entry"), tr("Set the group name!"));
            return;
        }
    }
    QDialog::reject();
}
