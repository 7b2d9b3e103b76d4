#include "editors/events/aevents_ired_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "model/event_bookkeeping.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int BUTTONS = 64;
constexpr int ROWS = 3 * BUTTONS;
constexpr int FIRST_BUTTON_SOURCE = 24;  // enablingSource of button 0
constexpr int LAST_KEY_CODE = 63;

}  // namespace

aevents_ired_widget::aevents_ired_widget(QWidget* parent)
    : aevents_source_page(parent)
{
    makeList(parent, ROWS, {tr("R. C. Buttons")}, {180}, QRect(10, 20, 200, 570), [this](int row, int, int role) {
        return rowCell(role, [&] { return rowText(row); },
                       [&] { return rowBrush(hasActions(EVENT_RC_BUTTON + row), buttonUnlearnt(row / 3)); });
    });
    makePanel(5, parent, QRect(220, 75, 610, 520));
    targetDescriptionEdit = makeDescriptionEdit(this, QRect(220, 565, 611, 21), true);
    descriptionEdit = makeDescriptionEdit(this, QRect(200, 615, 631, 21), false);
    titleLabel = makeLabel(tr("Button No. 1 pressed"), QRect(400, 40, 170, 20));
    captionLabel = makeLabel(tr("Event description:"), QRect(10, 615, 180, 21), Qt::AlignRight);

    connect(eventList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aevents_ired_widget::inputChange);
    connectDescriptions();

    currentEvent = EVENT_RC_BUTTON;
    actionPanel->setEvent(EVENT_RC_BUTTON);
    refresh();
}

bool aevents_ired_widget::buttonUnlearnt(int button)
{
    return !theController || button < 0 || button >= BUTTONS || theController->rcuKeyCodes[size_t(button)] > LAST_KEY_CODE;
}

QString aevents_ired_widget::rowText(int row) const
{
    const int button = row / 3;
    const int variant = row % 3;
    // The number goes into the prefix before a description is joined to it,
    // so a description is shown as typed, "%1" and all.
    QString shortPrefix, longPrefix;
    switch (variant) {
    case 0:
        shortPrefix = tr("Btn %1 pres. - ");
        longPrefix = tr("Button No. %1 pressed - ");
        break;
    case 1:
        shortPrefix = tr("Btn %1 rept. - ");
        longPrefix = tr("Button No. %1 repeated - ");
        break;
    default:
        shortPrefix = tr("Btn %1 rlsd. - ");
        longPrefix = tr("Button No. %1 released - ");
        break;
    }
    shortPrefix = shortPrefix.arg(button + 1);
    if (theController) {
        const QString& own = theController->eventDescriptions[size_t(EVENT_RC_BUTTON + row)];
        if (!own.isEmpty())
            return shortPrefix + own;
        const QString& key = theController->rcuKeyDescriptions[size_t(button)];
        if (!key.isEmpty())
            return shortPrefix + key;
    }
    return longPrefix.arg(button + 1) + tr("no description");
}

void aevents_ired_widget::refresh()
{
    ++refreshCount;
    eventModel->allChanged();
    const int button = (currentEvent - EVENT_RC_BUTTON) / 3;
    actionPanel->setEnabled(!buttonUnlearnt(button));
    actionPanel->refresh();

    const QString names[3] = {tr("pressed"), tr("repeated"), tr("released")};
    const QString& name = names[(currentEvent - EVENT_RC_BUTTON) % 3];
    setTitle(tr("Button No. %1").arg(button + 1) + QStringLiteral(" - ") + name);

    if (!theController)
        return;
    QString text = theController->eventDescriptions[size_t(currentEvent)].trimmed();
    if (text.isEmpty() && button >= 0 && button < BUTTONS) {
        const QString& key = theController->rcuKeyDescriptions[size_t(button)];
        if (!key.isEmpty())
            text = key + QStringLiteral(" : ") + name;
    }
    descriptionEdit->setText(text);
}

void aevents_ired_widget::inputChange(const QModelIndex& index_current, const QModelIndex& index_previous)
{
    if (index_current.isValid() && index_current.row() < ROWS)
        currentEvent = EVENT_RC_BUTTON + index_current.row();

    // Only the button's own role is given back; an input holding it keeps it.
    if (theController && index_previous.isValid()) {
        const int left = FIRST_BUTTON_SOURCE + index_previous.row() / 3;
        eventTable& events = theController->events;
        if (events.enablingSource == left && !eventBookkeeping(*theController).sourceHasEnabling(left))
            events.enablingSource = -1;
    }

    selectEvent(currentEvent);
    refresh();
}

void aevents_ired_widget::afterReload()
{
    const QModelIndex current = eventList->currentIndex();
    inputChange(current, current);
}
