#include "editors/events/aevents_dmxout_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTableWidget>

aevents_dmxout_widget::aevents_dmxout_widget(QWidget* parent)
    : aevents_source_page(parent)
{
    firstChannel = img::CHANNELS;
    lastChannel = img::CHANNELS;
    makeList(this, 1, {tr("DMX Channel", "table column")}, {180}, QRect(10, 20, 200, 570));
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
    if (eventList->rowCount() != count) {
        // A shrinking list moves its current row, which makes another event
        // current; the rows are rebuilt below in any case.
        listing = true;
        eventList->setRowCount(count);
        listing = false;
    }

    QTableWidgetItem* first = eventList->item(0, 0);
    if (rangeEmpty()) {
        // Generation is off: the one row stands for no event.
        setRowText(0, tr("Generation is off"));
        setRowBrush(0, rowBrush(false, false));
        if ((first = eventList->item(0, 0)))
            first->setFlags(Qt::NoItemFlags);
    } else {
        if (first)
            first->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        for (int r = 0; r < count; ++r) {
            const int id = eventOfRow(r);
            const QString description = theController ? theController->eventDescriptions[size_t(id)] : QString();
            setRowText(r, aevents_dmx_widget::channelRowText(firstChannel + r / 2, r % 2 == 1, description));
            setRowBrush(r, rowBrush(hasActions(id), false));
        }
        followRange();
    }
    actionPanel->refresh();
    const int channel = (currentEvent - EVENT_DMX_OUT) / 2 + 1;
    setTitle(aevents_dmx_widget::channelTitle(channel, currentEvent % 2 == 1));
    if (theController)
        descriptionEdit->setText(theController->eventDescriptions[size_t(currentEvent)].trimmed());
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

void aevents_dmxout_widget::descriptionStored(const QString& text)
{
    const int row = currentRow();
    if (row >= 0 && eventOfRow(row) == currentEvent)
        setRowText(row, aevents_dmx_widget::channelRowText(firstChannel + row / 2, currentEvent % 2 == 1, text));
}
