#include "editors/events/aevents_vkeys_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int ROWS = 1024;

}  // namespace

aevents_vkeys_widget::aevents_vkeys_widget(QWidget* parent)
    : aevents_source_page(parent)
{
    makeList(parent, ROWS, {tr("Internal Events")}, {180}, QRect(10, 20, 200, 570), [this](int row, int, int role) {
        return rowCell(role, [&] { return rowText(row); },
                       [&] { return rowBrush(hasActions(EVENT_INTERNAL + row), false); });
    });
    makePanel(3, parent, QRect(220, 75, 610, 520));
    targetDescriptionEdit = makeDescriptionEdit(this, QRect(220, 565, 611, 21), true);
    descriptionEdit = makeDescriptionEdit(this, QRect(200, 615, 631, 21), false);
    titleLabel = makeLabel(tr("Power On"), QRect(400, 40, 150, 20));
    captionLabel = makeLabel(tr("Event description:"), QRect(10, 615, 180, 21), Qt::AlignRight);

    connect(eventList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aevents_vkeys_widget::inputChange);
    connectDescriptions();

    currentEvent = EVENT_POWER_ON;
    actionPanel->setEvent(EVENT_POWER_ON);
    refresh();
}

QString aevents_vkeys_widget::rowText(int row) const
{
    const QString description = theController ? theController->eventDescriptions[size_t(EVENT_INTERNAL + row)] : QString();
    if (row == 0)
        return description.isEmpty() ? tr("Power On") : description;
    if (!description.isEmpty())
        return tr("Int. ev. %1 - ").arg(row + 1) + description;
    return tr("Internal Event %1 - ").arg(row + 1) + tr("no description");
}

void aevents_vkeys_widget::refresh()
{
    ++refreshCount;
    eventModel->allChanged();
    const int row = currentRow();
    setTitle(row <= 0 ? tr("Power On") : tr("Internal Event %1").arg(row + 1));
    actionPanel->refresh();
    if (theController)
        descriptionEdit->setText(theController->eventDescriptions[size_t(currentEvent)].trimmed());
}

void aevents_vkeys_widget::inputChange(const QModelIndex& index_current, const QModelIndex&)
{
    if (index_current.isValid() && index_current.row() < ROWS)
        selectEvent(EVENT_INTERNAL + index_current.row());
    refresh();
}
