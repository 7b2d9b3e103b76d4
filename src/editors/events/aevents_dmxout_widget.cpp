#include "editors/events/aevents_dmxout_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

aevents_dmxout_widget::aevents_dmxout_widget(QWidget* parent)
    : aevents_source_page(parent)
{
    firstChannel = img::CHANNELS;
    lastChannel = img::CHANNELS;
    makeList(this, 1, {tr("DMX Channel", "table column")}, {180}, QRect(10, 20, 200, 570),
             [this](int row, int, int role) { return cell(row, role); });
    // While generation is off the one row stands for no event.
    setCellFlags([this](int, int, Qt::ItemFlags usual) { return listedEmpty ? Qt::NoItemFlags : usual; });
    connect(eventList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aevents_dmxout_widget::dmxEventChange);
    makePanel(6, this, QRect(220, 75, 610, 520));
    targetDescriptionEdit = makeDescriptionEdit(this, QRect(220, 565, 611, 21), true);
    descriptionEdit = makeDescriptionEdit(this, QRect(200, 615, 631, 21), false);
    captionLabel = makeLabel(tr("Event description:"), QRect(10, 615, 180, 21), Qt::AlignRight);
    connectDescriptions();

    currentEvent = EVENT_DMX_OUT;
    actionPanel->setEvent(EVENT_DMX_OUT);
    titleLabel = makeLabel(QString(), QRect(400, 40, 150, 20));
    refresh();
}

void aevents_dmxout_widget::boundRange()
{
    lastChannel = qBound(1, lastChannel, img::CHANNELS);
    firstChannel = qBound(1, firstChannel, lastChannel + 1);
}

int aevents_dmxout_widget::eventOfRow(int row) const
{
    if (rangeEmpty() || row < 0 || row >= 2 * (lastChannel - firstChannel + 1))
        return -1;
    return EVENT_DMX_OUT + 2 * (firstChannel - 1) + row;
}

void aevents_dmxout_widget::refresh()
{
    ++refreshCount;
    boundRange();
    const int count = rangeEmpty() ? 1 : 2 * (lastChannel - firstChannel + 1);
    listedFirst = firstChannel;
    listedEmpty = rangeEmpty();
    if (eventModel->rowCount() != count) {
        // A shrinking list moves its current row, which makes another event
        // current; followRange() settles which one below.
        const QScopedValueRollback<bool> held(listing, true);
        eventModel->setRowCount(count);
    }
    eventModel->allChanged();
    if (!rangeEmpty())
        followRange();
    actionPanel->refresh();
    const int channel = (currentEvent - EVENT_DMX_OUT) / 2 + 1;
    setTitle(aevents_dmx_widget::channelTitle(channel, currentEvent % 2 == 1));
    if (theController)
        descriptionEdit->setText(theController->eventDescriptions[size_t(currentEvent)].trimmed());
}

QVariant aevents_dmxout_widget::cell(int row, int role) const
{
    if (listedEmpty)
        return rowCell(role, [] { return tr("Generation is off"); }, [] { return rowBrush(false, false); });
    const int id = EVENT_DMX_OUT + 2 * (listedFirst - 1) + row;
    return rowCell(
        role,
        [&] {
            const QString description = theController ? theController->eventDescriptions[size_t(id)] : QString();
            return aevents_dmx_widget::channelRowText(listedFirst + row / 2, row % 2 == 1, description);
        },
        [&] { return rowBrush(hasActions(id), false); });
}

void aevents_dmxout_widget::followRange()
{
    const int rows = 2 * (lastChannel - firstChannel + 1);
    const int own = currentEvent - eventOfRow(0);
    const QScopedValueRollback<bool> held(listing, true);
    if (own >= 0 && own < rows) {
        // The highlight stays on the event the panel shows.
        if (currentRow() != own)
            eventList->setCurrentCell(own, 0);
        return;
    }
    // The panel never edits an event the list does not show: the event of
    // the highlighted row becomes current.
    const int row = qBound(0, currentRow(), rows - 1);
    if (currentRow() != row)
        eventList->setCurrentCell(row, 0);
    selectEvent(eventOfRow(row));
}

void aevents_dmxout_widget::dmxEventChange(const QModelIndex& index_current, const QModelIndex&)
{
    boundRange();
    const int id = index_current.isValid() ? eventOfRow(index_current.row()) : -1;
    if (id >= 0)
        selectEvent(id);
    if (!listing)
        refresh();
}
