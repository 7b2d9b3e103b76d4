#include "editors/events/aevents_tableview_widget.h"

#include "editors/events/action_rows.h"
#include "editors/events/aevents_tableview_delegate.h"
#include "model/event_bookkeeping.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "seams/gui_base.h"
#include "widgets/page_style.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>

namespace {

constexpr int CLOCK_PAGE = 2;
constexpr int COLUMNS = 5;
constexpr int STATES = 68;
constexpr int END_OF_DAY = 144;

QString oops()
{
    return QStringLiteral("Oops!");
}

QString noNumber()
{
    return QStringLiteral("- -");
}

// h:mm of a time of day in 10-minute units; 144 is the end of the day.
QString dayTime(int v)
{
    if (v == END_OF_DAY)
        return QStringLiteral("24:00");
    return QStringLiteral("%1:%2").arg(v / 6).arg((v % 6) * 10, 2, 10, QLatin1Char('0'));
}

}  // namespace

aevents_tableview_widget::aevents_tableview_widget(int eventPageKind, QWidget* parent)
    : QTableWidget(parent)
    , pageKind(eventPageKind)
{
    setRowCount(0);
    setColumnCount(COLUMNS);
    setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Type")));
    setHorizontalHeaderItem(1, new QTableWidgetItem(tr("No.")));
    setHorizontalHeaderItem(2, new QTableWidgetItem(tr("Action")));
    setHorizontalHeaderItem(3, new QTableWidgetItem(tr("Daytime Limits")));
    setHorizontalHeaderItem(4, new QTableWidgetItem(tr("State Limits")));

    actionDelegate = new aevents_tableview_delegate(eventPageKind, this);
    setItemDelegate(actionDelegate);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // The longest word of a type name and "All" in some languages need wider
    // type and number columns; the daytime limits, whose texts wrap, lend
    // the room, so the table keeps clear of the buttons beside it.
    setColumnWidth(0, 110);
    setColumnWidth(1, 82);
    setColumnWidth(2, 110);
    setColumnWidth(3, pageKind == CLOCK_PAGE ? 92 : 112);
    setColumnWidth(4, 80);
    wrapHeader();
    // Type and action names of two words take two lines rather than being cut.
    setWordWrap(true);
    verticalHeader()->setDefaultSectionSize(2 * fontMetrics().lineSpacing() + 6);

    connect(actionDelegate, &aevents_tableview_delegate::actionTypeChgd, this, &aevents_tableview_widget::slotTypeChgd);
    connect(actionDelegate, &aevents_tableview_delegate::forceRefresh, this, &aevents_tableview_widget::refresh);
    // The delay page shows which delays are started; an edit can change that.
    connect(actionDelegate, &aevents_tableview_delegate::forceRefresh, this, [] {
        if (theMainWindow)
            theMainWindow->refreshDelayEvents();
    });
    connect(actionDelegate, &aevents_tableview_delegate::actionNoChgd, this, &aevents_tableview_widget::slotNoChgd);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &aevents_tableview_widget::rowChgd);
}

void aevents_tableview_widget::wrapHeader()
{
    // The columns keep their widths, so a title wider than its column goes
    // onto a second line rather than being cut; the header drawing titles
    // bold once a row is selected must still hold them.
    QHeaderView* header = horizontalHeader();
    header->setTextElideMode(Qt::ElideNone);
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    int height = metrics.height();
    for (int c = 0; c < COLUMNS; ++c) {
        QTableWidgetItem* item = horizontalHeaderItem(c);
        // The header wraps a title that does not fit; the wrap flag is no
        // alignment, so it goes in as the role's plain value.
        item->setData(Qt::TextAlignmentRole, int(Qt::AlignCenter | Qt::TextWordWrap));
        const QRect room(0, 0, columnWidth(c) - 2 * margin, 100000);
        height = qMax(height, metrics.boundingRect(room, Qt::TextWordWrap, item->text()).height());
    }
    header->setMinimumHeight(height + 2 * margin + 2);
}

void aevents_tableview_widget::setEvent(int id)
{
    // An editor still open belongs to the event shown so far: it stores
    // there, or nowhere, before the rows stand for another event.
    if (id != shownEvent)
        actionDelegate->finishEdit();
    shownEvent = id;
    actionDelegate->setEventId(id);
    refresh();
}

// ---- Cell texts --------------------------------------------------------------------

QString aevents_tableview_widget::typeText(int type)
{
    switch (type) {
    case ACTION_SCENE:
        return tr("Scene");
    case ACTION_PROGRAM:
        return tr("Program");
    case ACTION_ENABLING:
        return tr("Enabling");
    case ACTION_SET_STATUS:
        return tr("Set status");
    case ACTION_SAVE_SHOW:
        return tr("Save show");
    case ACTION_DELAY:
        return tr("Delay");
    case ACTION_SEQUENCE:
        return tr("Sequence");
    case ACTION_MASK:
        return tr("Mask");
    case ACTION_DMX_TRANSMISSION:
        return tr("DMX Transmission");
    case ACTION_MSG_FOR_PANEL:
        return tr("Msg for panel");
    case ACTION_ACTIVE_SCENES:
        return tr("Active scenes");
    case ACTION_SELF_PROGRAMMING:
        return tr("Self programming");
    default:
        return oops();
    }
}

QString aevents_tableview_widget::numberText(int type, int number)
{
    switch (type) {
    case ACTION_SCENE:
    case ACTION_PROGRAM:
    case ACTION_DELAY:
    case ACTION_SEQUENCE:
    case ACTION_MASK:
        return number == ACTION_NUMBER_ALL ? tr("All") : QString::number(number + 1);
    case ACTION_SET_STATUS:
        return number >= 0 && number < STATES ? QString::number(number + 1) : tr("All");
    case ACTION_MSG_FOR_PANEL: {
        const int panel = number >> 8;
        return panel == 15 ? tr("All") : tr("Panel %1").arg(panel);
    }
    default:
        return noNumber();
    }
}

QString aevents_tableview_widget::subActionText(int type, int sub, int number)
{
    if (type == ACTION_MSG_FOR_PANEL)
        return tr("Msg %1").arg(number & 0xFF);
    const bool sceneOrMask = type == ACTION_SCENE || type == ACTION_MASK;
    switch (sub) {
    case SUB_ON:
        switch (type) {
        case ACTION_ENABLING:
            return tr("Enable", "Akcja");
        case ACTION_SET_STATUS:
            return tr("Activate");
        case ACTION_SAVE_SHOW:
            return tr("Save");
        case ACTION_DELAY:
        case ACTION_SEQUENCE:
            return tr("Start");
        default:
            return tr("On");
        }
    case SUB_NEXT_STEP:
        if (type == ACTION_PROGRAM)
            return tr("Next step");
        if (sceneOrMask)
            return tr("On");
        return oops();
    case SUB_TOGGLE:
        if (sceneOrMask || type == ACTION_ENABLING || type == ACTION_SET_STATUS)
            return tr("Toggle");
        return tr("On");
    case SUB_FREEZE:
        return tr("Freeze");
    case SUB_OFF:
        switch (type) {
        case ACTION_SET_STATUS:
            return tr("Deactivate");
        case ACTION_ENABLING:
            return tr("Disable", "Akcja");
        case ACTION_SAVE_SHOW:
            return tr("Restore");
        default:
            return tr("Off");
        }
    case SUB_UNFREEZE:
        return tr("Unfreeze");
    case SUB_EXCLUSIVE_ON:
        if (sceneOrMask || type == ACTION_PROGRAM)
            return tr("Exclusive on");
        return oops();
    case SUB_RESTART:
        return tr("Restart");
    case SUB_INCREASE:
        if (type == ACTION_SCENE)
            return tr("Increase brightness");
        if (type == ACTION_MASK)
            return tr("Increase intensity");
        return oops();
    case SUB_DECREASE:
        if (type == ACTION_SCENE)
            return tr("Decrease brightness");
        if (type == ACTION_MASK)
            return tr("Decrease intensity");
        return oops();
    case SUB_SET_LEVEL:
        if (type == ACTION_SCENE)
            return tr("Set brightness");
        if (type == ACTION_MASK)
            return tr("Set intensity");
        return oops();
    case SUB_PREV_STEP:
        if (type == ACTION_PROGRAM)
            return tr("Prev. step");
        return oops();
    default:
        return oops();
    }
}

QString aevents_tableview_widget::daytimeText(int from, int to)
{
    if (from == DAYTIME_NONE)
        return tr("Not set");
    if (from == DAYTIME_DAYNIGHT)
        return to == DAYTIME_NONE ? tr("Daytime only") : tr("Night-time only");
    QString fromPart, toPart;
    if (from == DAYTIME_SUNRISE || from == DAYTIME_SUNSET) {
        // From the sun, the end is always a time of day.
        fromPart = from == DAYTIME_SUNRISE ? tr("sunrise") : tr("sunset");
        toPart = dayTime(to);
    } else {
        fromPart = dayTime(qMin(from, END_OF_DAY));
        if (to == DAYTIME_SUNSET)
            toPart = tr("sunset");
        else if (to == DAYTIME_SUNRISE)
            toPart = tr("sunrise");
        else
            toPart = dayTime(qMin(to, END_OF_DAY));
    }
    return QStringLiteral("%1 - %2").arg(fromPart, toPart);
}

QString aevents_tableview_widget::stateLimitsText(uint8_t states1to4, const uint32_t words[4])
{
    QString text;
    for (int n = 1; n <= STATES; ++n) {
        const uint32_t bits = n <= 4 ? uint32_t(states1to4) >> (2 * (n - 1)) : words[(n - 5) / 16] >> (2 * ((n - 5) % 16));
        if (bits & 1)
            continue;
        text += QStringLiteral("%1%2 ").arg(bits & 2 ? QLatin1Char('S') : QLatin1Char('s')).arg(n);
    }
    return text;
}

// ---- Rows --------------------------------------------------------------------------

QTableWidgetItem* aevents_tableview_widget::cell(int row, int column)
{
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, column, it);
    }
    return it;
}

void aevents_tableview_widget::refresh()
{
    ++refreshCount;
    const QList<int> rows = theController && shownEvent >= 0 && shownEvent < EVENT_COUNT
                                ? shownActions(pageKind, shownEvent)
                                : QList<int>();
    if (rowCount() != rows.size())
        setRowCount(int(rows.size()));
    if (rows.isEmpty())
        return;

    const eventTable& events = theController->events;
    const eventBookkeeping book(*theController);
    const QPalette palette = QApplication::palette();
    const QBrush base = palette.brush(QPalette::Current, QPalette::Base);
    const QBrush locked(pageStyle::lockedColour());
    const QBrush noDaytime = palette.brush(QPalette::Disabled, QPalette::Base);
    for (int r = 0; r < rows.size(); ++r) {
        const eventAction* a = events.action(shownEvent, rows[r]);
        const int type = a->type();
        // Delays of a sequence belong to the sequence table; only their
        // starts are locked, but every action on them is marked.
        const QBrush& background = type == ACTION_DELAY && book.delayOwner(a->number) >= 0 ? locked : base;

        QTableWidgetItem* typeCell = cell(r, 0);
        typeCell->setText(typeText(type));
        typeCell->setData(Qt::UserRole, type);
        cell(r, 1)->setText(numberText(type, a->number));
        cell(r, 2)->setText(subActionText(type, a->subAction(), a->number));
        cell(r, 3)->setText(pageKind == CLOCK_PAGE ? tr("Not set") : daytimeText(a->daytimeFrom, a->daytimeTo));
        cell(r, 4)->setText(stateLimitsText(a->states1to4, a->states5to68));
        for (int c = 0; c < COLUMNS; ++c)
            cell(r, c)->setBackground(c == 3 && pageKind == CLOCK_PAGE ? noDaytime : background);
    }
}

int aevents_tableview_widget::actionTypeOfRow() const
{
    const int r = currentRow();
    const QTableWidgetItem* typeCell = r >= 0 ? item(r, 0) : nullptr;
    if (!typeCell)
        return -1;
    bool ok = false;
    const int type = typeCell->data(Qt::UserRole).toInt(&ok);
    if (!ok || type < 0 || type > ACTION_SELF_PROGRAMMING || type == ACTION_ACTIVE_SCENES)
        return -1;
    return type;
}

int aevents_tableview_widget::shownNumber(int row) const
{
    const QTableWidgetItem* numberCell = row >= 0 ? item(row, 1) : nullptr;
    // "All", "- -" and panel texts read as 0, so they name no object.
    return numberCell ? numberCell->text().toInt() - 1 : -1;
}

// ---- Slots -------------------------------------------------------------------------

void aevents_tableview_widget::rowChgd(const QModelIndex& current, const QModelIndex&)
{
    emit actionChgd(actionTypeOfRow(), current.isValid() ? shownNumber(current.row()) : -1);
}

void aevents_tableview_widget::slotNoChgd(int shown)
{
    emit actionChgd(actionTypeOfRow(), shown - 1);
}

void aevents_tableview_widget::slotTypeChgd(int type)
{
    const int r = currentRow();
    int number = -1;
    if (r >= 0 && theController) {
        const QList<int> rows = shownActions(pageKind, shownEvent);
        if (r < rows.size()) {
            cell(r, 1)->setText(numberText(type, theController->events.number(shownEvent, rows[r])));
            number = shownNumber(r);
        }
    }
    if (type != ACTION_ENABLING && type != ACTION_SET_STATUS && type != ACTION_SAVE_SHOW && type != ACTION_SELF_PROGRAMMING)
        emit actionChgd(type, number);
}

void aevents_tableview_widget::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Delete:
        emit deletePressed();
        break;
    case Qt::Key_Insert:
        emit insertPressed();
        break;
    default:
        QAbstractItemView::keyPressEvent(e);
        break;
    }
}

void aevents_tableview_widget::stopEditing(QWidget* editor)
{
    if (!editor)
        return;
    const QPoint p = editor->mapFromGlobal(QCursor::pos());
    if (p.x() > 0 && p.x() < editor->width() && p.y() > 0 && p.y() < editor->height())
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}
