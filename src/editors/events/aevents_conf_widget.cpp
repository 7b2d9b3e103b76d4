#include "editors/events/aevents_conf_widget.h"

#include "editors/events/action_rows.h"
#include "editors/events/aevents_tableview_delegate.h"
#include "editors/events/aevents_tableview_widget.h"
#include "model/event_bookkeeping.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

namespace {

constexpr int CLOCK_PAGE = 2;
constexpr int TABLE_EXTRA = 45;  // row header and frame beside the five columns
constexpr int TABLE_HEIGHT = 475;
constexpr int SEQUENCE_TABLE_HEIGHT = 264;
constexpr int LAST_MESSAGE = 0xFF;

// The last object an action of a numbered type can address; -1 for the
// types whose number means nothing ("- -" in the table).
int lastObject(int type)
{
    switch (type) {
    case ACTION_SCENE:
        return img::SCENES - 1;
    case ACTION_PROGRAM:
        return img::PROGRAM_SLOTS - 1;
    case ACTION_DELAY:
        return img::DELAYS - 1;
    case ACTION_SEQUENCE:
        return img::SEQUENCES - 1;
    case ACTION_MASK:
        return img::MASKS - 1;
    case ACTION_SET_STATUS:
        return 67;  // S68
    default:
        return -1;
    }
}

// The number of the action that continues one of the given type and number:
// the next object, but never past the last one, and "All" stays "All". A
// panel message advances within its panel.
int continuedNumber(int type, int number)
{
    if (type == ACTION_MSG_FOR_PANEL)
        return (number & LAST_MESSAGE) < LAST_MESSAGE ? number + 1 : number;
    const int last = lastObject(type);
    if (last < 0)
        return number;
    return number < last ? number + 1 : number;
}

}  // namespace

aevents_conf_widget::aevents_conf_widget(int eventPageKind, QWidget* parent)
    : QWidget(parent)
    , pageKind(eventPageKind)
{
    const int dy = pageKind == SEQUENCE_PAGE ? 20 : 0;
    const int x0 = pageKind == CLOCK_PAGE ? 520 : 540;
    const QFont font = pageStyle::listFont();

    actionTable = new aevents_tableview_widget(pageKind, this);
    int width = TABLE_EXTRA;
    for (int c = 0; c < actionTable->columnCount(); ++c)
        width += actionTable->columnWidth(c);
    actionTable->setGeometry(0, 0, width, pageKind == SEQUENCE_PAGE ? SEQUENCE_TABLE_HEIGHT : TABLE_HEIGHT);
    // Once the rows need a scroll bar, or their numbers two digits, the last
    // column gives up the room rather than the table scrolling sideways.
    actionTable->horizontalHeader()->setSectionResizeMode(actionTable->columnCount() - 1, QHeaderView::Stretch);

    const auto button = [&](const QString& text, int y) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(x0, y - dy, 60, 30);
        b->setFont(font);
        return b;
    };
    addActionButton = button(tr("Add"), 50);
    insertActionButton = button(tr("Insert"), 90);
    delActionButton = button(tr("Del"), 130);
    copyActionsButton = button(tr("Copy"), 180);
    pasteActionsButton = button(tr("Paste"), 220);
    beforeBox = new QCheckBox(tr("Before"), this);
    beforeBox->setFont(font);
    beforeBox->setGeometry(x0, 252 - dy, 60, 22);
    // A translated caption longer than the 60 pixels given widens its control.
    beforeBox->resize(qMax(60, beforeBox->sizeHint().width()), 22);
    for (QPushButton* b : {addActionButton, insertActionButton, delActionButton, copyActionsButton, pasteActionsButton})
        b->resize(qMax(60, b->fontMetrics().horizontalAdvance(b->text()) + 16), 30);

    connect(addActionButton, &QPushButton::clicked, this, &aevents_conf_widget::pushButton_addClicked);
    connect(insertActionButton, &QPushButton::clicked, this, &aevents_conf_widget::pushButton_insClicked);
    connect(delActionButton, &QPushButton::clicked, this, &aevents_conf_widget::pushButton_delClicked);
    connect(actionTable, &aevents_tableview_widget::deletePressed, this, &aevents_conf_widget::deletePressed);
    connect(actionTable, &aevents_tableview_widget::insertPressed, this, &aevents_conf_widget::insertPressed);
    connect(copyActionsButton, &QPushButton::clicked, this, &aevents_conf_widget::copyActions);
    connect(pasteActionsButton, &QPushButton::clicked, this, &aevents_conf_widget::pasteActions);
}

void aevents_conf_widget::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    // The panel is larger than what it holds, and its pages place their
    // description lines in the empty part: leave that part to them.
    setMask(childrenRegion());
}

void aevents_conf_widget::finishEdit()
{
    // Inserting, deleting and pasting move actions to other rows: an edit
    // still open stores into the action it was opened on first.
    actionTable->actionDelegate->finishEdit();
}

void aevents_conf_widget::setEvent(int id)
{
    panelEvent = id;
    actionTable->setEvent(id);
}

bool aevents_conf_widget::eventShown() const
{
    return theController && panelEvent >= 0 && panelEvent < EVENT_COUNT;
}

QList<int> aevents_conf_widget::rowActions() const
{
    return shownActions(pageKind, panelEvent);
}

QList<int> aevents_conf_widget::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& ix : actionTable->selectionModel()->selectedIndexes())
        if (!rows.contains(ix.row()))
            rows.append(ix.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void aevents_conf_widget::warnLocked()
{
    showMessage(QMessageBox::Warning, this, tr("Warning!"), tr("This delay is locked!"));
}

bool aevents_conf_widget::enablingAllowed()
{
    // One source only carries Enabling actions, and on an event that is no
    // input or button they would not run at all.
    const int source = eventBookkeeping::enablingSourceOf(panelEvent);
    const int holder = theController->events.enablingSource;
    if (source < 0)
        return false;
    if (holder == -1 || holder == source)
        return true;
    const QString name = holder < 24 ? QString::number(holder + 1) : QStringLiteral("RC %1").arg(holder - 23);
    showMessage(QMessageBox::Warning, theMainWindow,
                QCoreApplication::translate("aevents_tableview_delegate", " Illegal value!"),
                QCoreApplication::translate("aevents_tableview_delegate", "Enabling input already defined: ") + name);
    return false;
}

void aevents_conf_widget::refresh()
{
    actionTable->refresh();
    pasteActionsButton->setEnabled(theController && !theController->events.actionClipboard.isEmpty());
}

// ---- Add and insert ----------------------------------------------------------------

void aevents_conf_widget::pushButton_addClicked(bool)
{
    if (!eventShown())
        return;
    eventTable& events = theController->events;
    const int n = events.appendAction(panelEvent);
    if (n > 0) {
        const eventAction previous = *events.action(panelEvent, n - 1);
        eventBookkeeping book(*theController);
        // The sequence table keeps the chain links on this page; a new action
        // never continues one.
        const bool hiddenLink = pageKind == SEQUENCE_PAGE && !rowActions().contains(n - 1);
        const int type = previous.type();
        const int number = previous.number;
        if (hiddenLink) {
            // stays the default action
        } else if (type == ACTION_DELAY && number + 1 < img::DELAYS && book.delayOwner(number + 1) >= 0) {
            warnLocked();
        } else if (type == ACTION_ENABLING && !enablingAllowed()) {
            // stays the default action, as a pasted one would be refused
        } else {
            eventAction* added = events.action(panelEvent, n);
            const eventAction before = *added;
            added->setType(type);
            added->number = uint16_t(continuedNumber(type, number));
            book.changed(panelEvent, before, *added);
        }
    }
    refresh();
}

void aevents_conf_widget::insertPressed()
{
    pushButton_addClicked(false);
}

void aevents_conf_widget::pushButton_insClicked(bool)
{
    finishEdit();
    if (!eventShown())
        return;
    const QList<int> rows = selectedRows();
    const QList<int> actions = rowActions();
    if (!rows.isEmpty() && rows.first() < actions.size())
        theController->events.insertAction(panelEvent, actions[rows.first()]);
    refresh();
}

// ---- Delete ------------------------------------------------------------------------

void aevents_conf_widget::pushButton_delClicked(bool)
{
    finishEdit();
    if (!eventShown())
        return;
    const QList<int> rows = selectedRows();
    const QList<int> actions = rowActions();
    eventBookkeeping book(*theController);
    // From the last row up, so the positions of the rows still to go hold.
    for (auto r = rows.crbegin(); r != rows.crend(); ++r) {
        if (*r >= actions.size())
            continue;
        const int i = actions[*r];
        const eventAction* a = theController->events.action(panelEvent, i);
        if (!a || book.isLocked(*a))
            continue;
        book.remove(panelEvent, i);
    }
    actionTable->clearSelection();
    if (book.startedDelaysChanged())
        emit forceRefresh();
    refresh();
}

void aevents_conf_widget::deletePressed()
{
    pushButton_delClicked(false);
}

// ---- Copy and paste ----------------------------------------------------------------

void aevents_conf_widget::copyActions()
{
    if (!eventShown())
        return;
    auto& clipboard = theController->events.actionClipboard;
    clipboard.clear();
    const QList<int> actions = rowActions();
    for (const QModelIndex& ix : actionTable->selectionModel()->selectedIndexes()) {
        if (ix.column() != 0 || ix.row() >= actions.size())
            continue;
        if (const eventAction* a = theController->events.action(panelEvent, actions[ix.row()]))
            clipboard.append(std::make_shared<eventAction>(*a));
    }
    refresh();
}

void aevents_conf_widget::pasteActions()
{
    finishEdit();
    if (!eventShown() || theController->events.actionClipboard.isEmpty())
        return;
    eventTable& events = theController->events;
    const QList<int> actions = rowActions();
    const int row = actionTable->currentRow();
    int pos;
    if (row >= 0 && row < actions.size()) {
        pos = actions[row] + (beforeBox->isChecked() ? 0 : 1);
    } else {
        // The front of the rows: on the sequence page behind the chain links
        // that open the list.
        pos = actions.isEmpty() ? qMax(events.actionCount(panelEvent), 0) : actions.first();
    }

    eventBookkeeping book(*theController);
    // The clipboard is walked on a copy: a message box lets other code run.
    const QList<std::shared_ptr<eventAction>> records = events.actionClipboard;
    for (const std::shared_ptr<eventAction>& record : records) {
        if (record->type() == ACTION_DELAY && book.delayOwner(record->number) >= 0) {
            warnLocked();
            continue;
        }
        const int result = book.insertCopy(panelEvent, pos, *record);
        if (result == -2) {
            enablingAllowed();  // tells the user why
            continue;
        }
        if (result >= 0)
            ++pos;
    }
    if (book.startedDelaysChanged())
        emit forceRefresh();
    refresh();
}
