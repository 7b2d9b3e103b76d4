#include "editors/scenes/ascene_groups_widget.h"

#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "seams/dialog_seam.h"
#include "widgets/late_content.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int MAX_COUPLED = 64;

QTableWidget* listTable(int rows, int columns, QWidget* parent)
{
    auto* table = new QTableWidget(rows, columns, parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setFont(pageStyle::listFont());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            table->setItem(r, c, new QTableWidgetItem());
    return table;
}

}  // namespace

ascene_groups_widget::ascene_groups_widget(pageListView* sceneList, QWidget* parent)
    : QWidget(parent), sceneList(sceneList)
{
}

void ascene_groups_widget::showEvent(QShowEvent* event)
{
    build();
    QWidget::showEvent(event);
}

void ascene_groups_widget::build()
{
    if (isBuilt())
        return;
    groupsTable = listTable(GROUPS, 1, this);
    groupsTable->setGeometry(30, 100, 116, 480);
    groupsTable->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Group No.")));
    groupsTable->verticalHeader()->hide();
    groupsTable->setColumnWidth(0, 110);

    membersTable = listTable(MEMBER_ROWS, 2, this);
    membersTable->setGeometry(190, 100, 434, 420);
    membersTable->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Scene")));
    membersTable->setHorizontalHeaderItem(1, new QTableWidgetItem(tr("Description")));
    membersTable->setColumnWidth(0, 80);
    membersTable->setColumnWidth(1, 310);
    // Room for the last scene, taken from the descriptions, which elide.
    pageStyle::fitColumn(membersTable, 0, {tr("Scene %1").arg(img::SCENES)}, 1);

    selectLabel = new QLabel(tr("Select group:"), this);
    selectLabel->setGeometry(30, 60, 120, 24);
    membersLabel = new QLabel(tr("Group %1 members:").arg(1), this);
    membersLabel->setGeometry(320, 60, 140, 24);
    groupsModel = groupsTable->model();

    addButton = new QPushButton(tr("Add selected scene"), this);
    addButton->setGeometry(190, 556, 200, 24);
    addButton->setFont(pageStyle::listFont());
    removeButton = new QPushButton(tr("Remove selected member"), this);
    removeButton->setGeometry(420, 556, 200, 24);
    removeButton->setFont(pageStyle::listFont());

    groupsTable->setCurrentCell(0, 0);

    connect(groupsTable, &QTableWidget::itemSelectionChanged, this, &ascene_groups_widget::grpChange);
    connect(addButton, &QPushButton::clicked, this, &ascene_groups_widget::addMember);
    connect(removeButton, &QPushButton::clicked, this, &ascene_groups_widget::removeMember);

    // Made as the tab is shown, perhaps: shown with it, and loaded.
    showLateContent(this);
    refresh();
}

int ascene_groups_widget::shownGroup() const
{
    const int row = groupsTable->currentRow();
    return row >= 0 && row < GROUPS ? row : 0;
}

void ascene_groups_widget::refresh()
{
    // Nothing shows the groups before the tab is first shown; it loads them then.
    if (!isBuilt())
        return;
    ++refreshCount;
    kv310_controller_class* c = theController;
    if (!c)
        return;
    const QBrush used(pageStyle::usedColour());
    for (int g = 0; g < GROUPS; ++g) {
        QTableWidgetItem* item = groupsTable->item(g, 0);
        item->setText(tr("Group %1").arg(g + 1));
        item->setBackground(c->coupledSceneGroups[size_t(g)].isEmpty() ? pageStyle::emptyBrush() : used);
    }

    const int group = shownGroup();
    membersLabel->setText(tr("Group %1 members:").arg(group + 1));
    QList<uint16_t>& members = c->coupledSceneGroups[size_t(group)];
    std::sort(members.begin(), members.end());

    const int shown = int(qMin<qsizetype>(members.size(), MEMBER_ROWS));
    for (int i = 0; i < shown; ++i) {
        const int scene = members.at(i);
        QTableWidgetItem* number = membersTable->item(i, 0);
        number->setText(tr("Scene %1").arg(scene + 1));
        number->setData(Qt::UserRole, scene);
        const QString description = c->descriptionText(0, scene);
        membersTable->item(i, 1)->setText(description.isEmpty() ? tr("no description") : description);
    }
    for (int i = shown; i < MEMBER_ROWS; ++i) {
        membersTable->item(i, 0)->setText(QString());
        membersTable->item(i, 0)->setData(Qt::UserRole, QVariant());
        membersTable->item(i, 1)->setText(QString());
    }
}

void ascene_groups_widget::grpChange()
{
    build();
    refresh();
    membersTable->scrollToTop();
}

void ascene_groups_widget::addMember()
{
    build();
    kv310_controller_class* c = theController;
    const int scene = sceneList ? sceneList->currentRow() : -1;
    const int group = groupsTable->currentRow();
    if (!c || scene < 0 || group < 0 || group >= GROUPS)
        return;
    auto& groups = c->coupledSceneGroups;
    if (groups[size_t(group)].size() >= MAX_COUPLED)
        return;

    for (int h = 0; h < GROUPS; ++h) {
        if (!groups[size_t(h)].contains(uint16_t(scene)))
            continue;
        if (h == group) {
            showMessage(QMessageBox::Information, this, tr("Nothing to do!"),
                        tr("Scene %1 already coupled with group %2!").arg(scene + 1).arg(group + 1));
            return;
        }
        const QString text = tr("Scene %1 is coupled with group %2!").arg(scene + 1).arg(h + 1)
            + tr("\nDo you really move it to group %1?").arg(group + 1);
        if (askQuestion(QMessageBox::Question, this, tr("Are you sure?"), text, {tr("Cancel"), tr("Yes, I do!")}, 0)
            != 1)
            return;
        groups[size_t(h)].removeOne(uint16_t(scene));
        break;
    }
    if (c->coupledSceneCount() >= MAX_COUPLED) {
        showMessage(QMessageBox::Information, this, tr("Unrealisable action!"), tr("To many coupled scenes!"));
        return;
    }

    groups[size_t(group)].append(uint16_t(scene));
    // The next scene is ready to be added at once.
    sceneList->setCurrentCell(scene + 1, 0);
    refresh();
    const int last = int(groups[size_t(group)].size()) - 1;
    if (last < MEMBER_ROWS)
        membersTable->scrollToItem(membersTable->item(last, 0), QAbstractItemView::EnsureVisible);
}

void ascene_groups_widget::removeMember()
{
    build();
    kv310_controller_class* c = theController;
    const int row = membersTable->currentRow();
    const int group = groupsTable->currentRow();
    if (!c || row < 0 || group < 0 || group >= GROUPS || row >= c->coupledSceneGroups[size_t(group)].size())
        return;
    bool ok = false;
    const int scene = membersTable->item(row, 0)->data(Qt::UserRole).toInt(&ok);
    if (!ok)
        return;
    c->coupledSceneGroups[size_t(group)].removeOne(uint16_t(scene));
    refresh();
}
