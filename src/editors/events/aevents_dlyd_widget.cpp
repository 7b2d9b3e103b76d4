#include "editors/events/aevents_dlyd_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dlyd_delegate.h"
#include "model/event_bookkeeping.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>

namespace {

constexpr int DELAY_PAGE = 4;
constexpr int TIME_COLUMN = 1;
constexpr int LIST_RIGHT = 218;  // just left of the action panel
constexpr int CELL_MARGIN = 12;

}  // namespace

aevents_dlyd_widget::aevents_dlyd_widget(QWidget* parent)
    : aevents_source_page(parent)
{
    makeList(parent, img::DELAYS, {tr("Delay No."), tr("Delay Time")}, {80, 80}, QRect(10, 20, 180, 570),
             [this](int row, int column, int role) { return cell(row, column, role); });
    // A double click on a time opens its editor (the delegate opens none
    // for a delay a sequence owns).
    eventList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setCellFlags([](int, int column, Qt::ItemFlags usual) {
        return column == TIME_COLUMN ? usual | Qt::ItemIsEditable : usual;
    });
    // The longest time is wider than its column: the column and the list
    // grow into the room left of the action panel, and where that is not
    // enough the number column gives what its texts do not need.
    const QFontMetrics metrics = eventList->fontMetrics();
    const int timeWidth = metrics.horizontalAdvance(delayTimeText(delayWord::MAX_TIME)) + CELL_MARGIN;
    eventList->setColumnWidth(TIME_COLUMN, qMax(eventList->columnWidth(TIME_COLUMN), timeWidth));
    const int chrome = 2 * eventList->frameWidth()
                       + eventList->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, eventList);
    const int room = LIST_RIGHT - eventList->x() - chrome - eventList->columnWidth(TIME_COLUMN);
    const int numberWidth = metrics.horizontalAdvance(tr("Delay %1", "list row").arg(img::DELAYS)) + CELL_MARGIN;
    if (eventList->columnWidth(0) > room)
        eventList->setColumnWidth(0, qMax(room, numberWidth));
    const int listWidth = chrome + eventList->columnWidth(0) + eventList->columnWidth(TIME_COLUMN);
    eventList->resize(qBound(eventList->width(), listWidth, LIST_RIGHT - eventList->x()), eventList->height());
    delayDelegate = new aevents_dlyd_delegate(this, eventList);
    eventList->setItemDelegate(delayDelegate);
    makePanel(DELAY_PAGE, parent, QRect(220, 75, 610, 520));
    targetDescriptionEdit = makeDescriptionEdit(this, QRect(220, 565, 611, 21), true);
    descriptionEdit = makeDescriptionEdit(this, QRect(200, 615, 631, 21), false);
    titleLabel = makeLabel(tr("Delay %1").arg(1), QRect(400, 40, 150, 20));
    captionLabel = makeLabel(tr("Delay description:"), QRect(10, 615, 180, 21), Qt::AlignRight);

    connect(eventList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aevents_dlyd_widget::delayChange);
    connect(delayDelegate, &QAbstractItemDelegate::closeEditor, this, qOverload<QWidget*>(&aevents_dlyd_widget::refresh));
    connectDescriptions();
    connect(actionPanel, &aevents_conf_widget::forceRefresh, this, qOverload<>(&aevents_dlyd_widget::refresh));

    currentEvent = EVENT_DELAY_END;
    actionPanel->setEvent(EVENT_DELAY_END);
    refresh();
}

QString aevents_dlyd_widget::delayTimeText(uint32_t t)
{
    if (t < 1 || t > 864000)
        return tr("not set");
    return QStringLiteral("%1h ").arg(t / 36000) + QStringLiteral("%1m ").arg((t % 36000) / 600)
           + QStringLiteral("%1.%2s").arg((t % 600) / 10).arg(t % 10);
}

void aevents_dlyd_widget::refresh(QWidget*)
{
    refresh();
}

QVariant aevents_dlyd_widget::cell(int row, int column, int role) const
{
    const uint32_t word = theController ? img::getU32(theController->configImage, img::delaysOf(row)) : 0xFFFFFFFF;
    if (role == Qt::DisplayRole)
        return column == TIME_COLUMN ? delayTimeText(delayWord::time(word)) : tr("Delay %1", "list row").arg(row + 1);
    if (role != Qt::BackgroundRole)
        return QVariant();
    if (column == TIME_COLUMN && delayWord::sequence(word) < uint32_t(img::SEQUENCES))
        return QBrush(pageStyle::lockedColour());
    const bool started = theController && theController->startedDelays.contains(uint16_t(row));
    return started ? QBrush(pageStyle::usedColour()) : pageStyle::emptyBrush();
}

void aevents_dlyd_widget::refresh()
{
    ++refreshCount;
    setTitle(tr("Delay %1").arg(currentEvent - EVENT_DELAY_END + 1));
    eventModel->allChanged();
    actionPanel->refresh();
    if (theController)
        descriptionEdit->setText(theController->eventDescriptions[size_t(currentEvent)].trimmed());
}

void aevents_dlyd_widget::delayChange(const QModelIndex& index_current, const QModelIndex&)
{
    if (index_current.isValid() && index_current.row() < img::DELAYS)
        selectEvent(EVENT_DELAY_END + index_current.row());
    refresh();
}
