#include "editors/events/aevents_inputs_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "model/event_bookkeeping.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int ROWS = 2 * img::INPUTS;

}  // namespace

aevents_inputs_widget::aevents_inputs_widget(QWidget* parent)
    : aevents_source_page(parent)
{
    makeList(parent, ROWS, {tr("Input")}, {180}, QRect(10, 20, 200, 570), [this](int row, int, int role) {
        return rowCell(role, [&] { return rowText(row); },
                       [&] { return rowBrush(hasActions(EVENT_INPUT + row), inputUnused(row / 2)); });
    });
    makePanel(0, parent, QRect(220, 75, 610, 530));
    targetDescriptionEdit = makeDescriptionEdit(this, QRect(220, 565, 611, 21), true);
    descriptionEdit = makeDescriptionEdit(this, QRect(200, 615, 631, 21), false);
    titleLabel = makeLabel(tr("Input 1 (On)"), QRect(400, 40, 150, 20));
    captionLabel = makeLabel(tr("Event description:"), QRect(10, 615, 180, 21), Qt::AlignRight);

    connect(eventList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aevents_inputs_widget::inputChange);
    connectDescriptions();
    if (theController) {
        connect(theController, &kv310_controller_class::readFileFinished, this, &aevents_inputs_widget::afterReload);
        connect(theController, &kv310_controller_class::readKv310Finished, this, &aevents_inputs_widget::afterReload);
    }

    currentEvent = EVENT_INPUT;
    actionPanel->setEvent(EVENT_INPUT);
    refresh();
}

bool aevents_inputs_widget::inputUnused(int input)
{
    if (!theController || input < 0 || input >= img::INPUTS)
        return true;
    // The input types table shows any value but the two contact types as
    // "Unused" (and stores it so); the events follow it.
    const int32_t type = img::getI32(theController->configImage, img::inputTypesOf(input));
    return type != 0 && type != 1;
}

QString aevents_inputs_widget::rowText(int row) const
{
    const int input = row / 2;
    const QString prefix = (row % 2 == 0 ? tr("Input %1 (On) - ") : tr("Input %1 (Off) - ")).arg(input + 1);
    if (!theController)
        return prefix + tr("no description");
    const QString& own = theController->eventDescriptions[size_t(EVENT_INPUT + row)];
    if (!own.isEmpty())
        return prefix + own;
    const QString& inputs = theController->inputDescriptions[size_t(input)];
    return prefix + (inputs.isEmpty() ? tr("no description") : inputs);
}

void aevents_inputs_widget::refresh()
{
    ++refreshCount;
    eventModel->allChanged();
    const int input = (currentEvent - EVENT_INPUT) / 2;
    actionPanel->setEnabled(!inputUnused(input));
    actionPanel->refresh();

    const int row = qMax(currentRow(), 0);
    setTitle((row % 2 == 0 ? tr("Input %1 (On)") : tr("Input %1 (Off)")).arg(row / 2 + 1));

    if (!theController)
        return;
    QString text = theController->eventDescriptions[size_t(currentEvent)].trimmed();
    if (text.isEmpty() && input >= 0 && input < img::INPUTS) {
        const QString& inputs = theController->inputDescriptions[size_t(input)];
        if (!inputs.isEmpty())
            text = inputs + (row % 2 == 0 ? tr(": On") : tr(": Off"));
    }
    descriptionEdit->setText(text);
}

void aevents_inputs_widget::inputChange(const QModelIndex& index_current, const QModelIndex& index_previous)
{
    if (index_current.isValid() && index_current.row() < ROWS)
        currentEvent = EVENT_INPUT + index_current.row();

    // The enabling role goes back to the pool once the input just left holds
    // no Enabling action any more.
    if (theController && index_previous.isValid()) {
        const int left = index_previous.row() / 2;
        eventTable& events = theController->events;
        if (events.enablingSource == left && !eventBookkeeping(*theController).sourceHasEnabling(left))
            events.enablingSource = -1;
    }

    selectEvent(currentEvent);
    refresh();
}

void aevents_inputs_widget::afterReload()
{
    const QModelIndex current = eventList->currentIndex();
    inputChange(current, current);
}
