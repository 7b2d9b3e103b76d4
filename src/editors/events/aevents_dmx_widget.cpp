#include "editors/events/aevents_dmx_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int ROWS = 2 * img::CHANNELS;

}  // namespace

aevents_dmx_widget::aevents_dmx_widget(QWidget* parent)
    : aevents_source_page(parent)
{
    makeList(this, ROWS, {tr("DMX Channel", "table column")}, {180}, QRect(10, 20, 200, 570),
             [this](int row, int, int role) {
                 return rowCell(
                     role,
                     [&] {
                         return channelRowText(row / 2 + 1, row % 2 == 1,
                                               theController ? theController->eventDescriptions[size_t(row)] : QString());
                     },
                     [&] { return rowBrush(hasActions(EVENT_DMX_IN + row), eventUnavailable(row)); });
             });
    connect(eventList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aevents_dmx_widget::dmxEventChange);
    makePanel(1, this, QRect(220, 75, 610, 520));
    targetDescriptionEdit = makeDescriptionEdit(this, QRect(220, 565, 611, 21), true);
    descriptionEdit = makeDescriptionEdit(this, QRect(200, 615, 631, 21), false);
    captionLabel = makeLabel(tr("Event description:"), QRect(10, 615, 180, 21), Qt::AlignRight);
    connectDescriptions();
    if (theController) {
        connect(theController, &kv310_controller_class::readFileFinished, this, &aevents_dmx_widget::afterReload);
        connect(theController, &kv310_controller_class::readKv310Finished, this, &aevents_dmx_widget::afterReload);
    }

    currentEvent = EVENT_DMX_IN;
    actionPanel->setEvent(EVENT_DMX_IN);
    titleLabel = makeLabel(QString(), QRect(400, 40, 150, 20));
    refresh();
}

QString aevents_dmx_widget::channelRowText(int channel, bool off, const QString& description)
{
    const QString prefix = (off ? tr("Dmx Ch. %1 (Off) - ") : tr("Dmx Ch. %1 (On) - ")).arg(channel);
    return prefix + (description.isEmpty() ? tr("no description") : description);
}

QString aevents_dmx_widget::channelTitle(int channel, bool off)
{
    return tr("Dmx Ch. %1 (%2)").arg(channel).arg(off ? tr("Off") : tr("On"));
}

bool aevents_dmx_widget::eventUnavailable(int id)
{
    if (!theController || id < 0 || id >= ROWS)
        return false;
    const uint8_t* image = theController->configImage;
    const int channel = id / 2;
    // The channel that selects the active-scene range raises no events of its own.
    if (channel == img::getU16(image, img::asControlChannel))
        return true;
    // A channel that may set phases is switched off by the phase it sets.
    const uint32_t mask = img::getU32(image, img::dmxInPhaseMaskOf(channel / 32));
    return id % 2 == 1 && !(mask & (1u << (channel % 32)));
}

void aevents_dmx_widget::refresh()
{
    ++refreshCount;
    eventModel->allChanged();
    actionPanel->setEnabled(!eventUnavailable(currentEvent));
    actionPanel->refresh();
    setTitle(channelTitle(currentEvent / 2 + 1, currentEvent % 2 == 1));
    if (theController)
        descriptionEdit->setText(theController->eventDescriptions[size_t(currentEvent)].trimmed());
}

void aevents_dmx_widget::dmxEventChange(const QModelIndex& index_current, const QModelIndex&)
{
    if (index_current.isValid() && index_current.row() < ROWS)
        selectEvent(EVENT_DMX_IN + index_current.row());
    refresh();
}

void aevents_dmx_widget::afterReload()
{
    const QModelIndex current = eventList->currentIndex();
    dmxEventChange(current, current);
}
