#include "editors/events/aevents_tableview_delegate.h"

#include "editors/events/action_rows.h"
#include "editors/events/action_rules.h"
#include "editors/events/daytime_limit_editor.h"
#include "editors/events/state_limit_editor.h"
#include "model/event_bookkeeping.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"

#include <QComboBox>
#include <QPointer>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

enum column { TYPE_COLUMN, NUMBER_COLUMN, ACTION_COLUMN, DAYTIME_COLUMN, STATES_COLUMN };

constexpr int INPUTS_PAGE = 0;
constexpr int CLOCK_PAGE = 2;
constexpr int REMOTE_CONTROL_PAGE = 5;
// The two events of input 24, the input that sets scenes from the DMX input.
constexpr int INPUT24_ON = EVENT_INPUT + 2 * 23;
constexpr int INPUT24_OFF = INPUT24_ON + 1;
constexpr int STATES = 68;
constexpr int SET_STATUS_ALL_ITEM = STATES;

// The number as the number editor shows it: 0 for "All", otherwise number + 1.
int shownValue(int number)
{
    return number >= ACTION_NUMBER_ALL ? 0 : number + 1;
}

bool holdsType(const eventTable& events, int id, int type)
{
    const int n = events.actionCount(id);
    for (int k = 0; k < n; ++k)
        if (events.actionType(id, k) == type)
            return true;
    return false;
}

struct subItem {
    QString caption;
    int code;
    bool singleOnly;
};

}  // namespace

aevents_tableview_delegate::aevents_tableview_delegate(int eventPageKind, QObject* parent)
    : cellEditorDelegate(parent)
    , pageKind(eventPageKind)
    , editedAction(std::make_unique<eventAction>())
    , ownerTable(qobject_cast<QWidget*>(parent))
{
}

aevents_tableview_delegate::~aevents_tableview_delegate() = default;

void aevents_tableview_delegate::setEventId(int id)
{
    if (id >= 0 && id < EVENT_COUNT)
        editedEvent = id;
}

int aevents_tableview_delegate::actionIndex(int row) const
{
    const QList<int> rows = shownActions(pageKind, editedEvent);
    return row >= 0 && row < rows.size() ? rows[row] : -1;
}

QWidget* aevents_tableview_delegate::hostPage() const
{
    QWidget* w = ownerTable;
    while (w && w->parentWidget() && !qobject_cast<QStackedWidget*>(w->parentWidget()))
        w = w->parentWidget();
    return w;
}

bool aevents_tableview_delegate::selfProgrammingOffered() const
{
    // The general settings page writes its "Enable setting scenes with DMX
    // inputs" box to the image at every change: 0 while it is ticked.
    return pageKind == INPUTS_PAGE && img::getU16(theController->configImage, img::dmxInProgramming) == 0;
}

// ---- Editors -----------------------------------------------------------------------

QWidget* aevents_tableview_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                                  const QModelIndex& index) const
{
    if (!theController || !index.isValid())
        return nullptr;
    const int i = actionIndex(index.row());
    if (i < 0)
        return nullptr;
    const eventAction* a = theController->events.action(editedEvent, i);
    // Active scenes actions belong to the active-scenes generator, locked
    // delay starts to the sequence table, and clock events take no daytime.
    if (a->type() == ACTION_ACTIVE_SCENES || eventBookkeeping(*theController).isLocked(*a))
        return nullptr;
    if (index.column() == DAYTIME_COLUMN && pageKind == CLOCK_PAGE)
        return nullptr;

    editedAction->number = a->number;
    editedAction->setType(a->type());
    editedAction->setSubAction(a->subAction());

    auto* self = const_cast<aevents_tableview_delegate*>(this);
    const int type = a->type();
    const int number = a->number;
    QWidget* editor = nullptr;

    switch (index.column()) {
    case TYPE_COLUMN: {
        auto* combo = new QComboBox(parent);
        combo->addItem(tr("Scene"), ACTION_SCENE);
        combo->addItem(tr("Program"), ACTION_PROGRAM);
        combo->addItem(tr("Sequence"), ACTION_SEQUENCE);
        combo->addItem(tr("Delay"), ACTION_DELAY);
        combo->addItem(tr("Mask"), ACTION_MASK);
        combo->addItem(tr("Set status"), ACTION_SET_STATUS);
        const bool rcPressed = pageKind == REMOTE_CONTROL_PAGE && editedEvent % 3 == 2;
        if (pageKind == INPUTS_PAGE || rcPressed) {
            combo->addItem(tr("Enabling"), ACTION_ENABLING);
            combo->addItem(tr("Save show"), ACTION_SAVE_SHOW);
        }
        combo->addItem(tr("DMX Transmission"), ACTION_DMX_TRANSMISSION);
        combo->addItem(tr("Msg for panel"), ACTION_MSG_FOR_PANEL);
        if (selfProgrammingOffered())
            combo->addItem(tr("Self programming "), ACTION_SELF_PROGRAMMING);
        editor = combo;
        break;
    }
    case NUMBER_COLUMN:
        if (type == ACTION_SET_STATUS) {
            auto* combo = new QComboBox(parent);
            for (int s = 1; s <= STATES; ++s)
                combo->addItem(QStringLiteral("S%1").arg(s), s);
            combo->addItem(tr("All"), 0);
            connect(combo, &QComboBox::currentIndexChanged, self,
                    [self, combo](int ix) { emit self->actionNoChgd(combo->itemData(ix).toInt()); });
            editor = combo;
        } else {
            auto* spin = new QSpinBox(parent);
            int maximum = 1;
            bool withAll = true;
            switch (type) {
            case ACTION_SCENE:
                maximum = img::SCENES;
                break;
            case ACTION_PROGRAM:
                maximum = img::PROGRAM_SLOTS;
                break;
            case ACTION_DELAY:
                maximum = img::DELAYS;
                break;
            case ACTION_SEQUENCE:
                maximum = img::SEQUENCES;
                break;
            case ACTION_MASK:
                maximum = img::MASKS;
                break;
            case ACTION_MSG_FOR_PANEL:
                maximum = 14;
                spin->setPrefix(tr("Panel "));
                break;
            default:
                withAll = false;
                break;
            }
            if (withAll) {
                spin->setRange(0, maximum);
                spin->setSpecialValueText(tr("All"));
            } else {
                // Types without a number: the box always reads "- -".
                spin->setRange(1, 1);
                spin->setSpecialValueText(QStringLiteral("- -"));
            }
            // Typed digits count on Enter or when the editor is left: a
            // first digit may be the "All" minimum.
            spin->setKeyboardTracking(false);
            connect(spin, &QSpinBox::valueChanged, self, &aevents_tableview_delegate::actionNoChgd);
            editor = spin;
        }
        break;
    case ACTION_COLUMN:
        if (type == ACTION_MSG_FOR_PANEL) {
            auto* spin = new QSpinBox(parent);
            spin->setRange(0, 255);
            spin->setPrefix(tr("Msg "));
            editor = spin;
        } else {
            QList<subItem> items;
            int singleLimit = 0;
            switch (type) {
            case ACTION_SCENE:
                singleLimit = img::SCENES - 1;
                items = {{tr("On"), SUB_ON, true},
                         {tr("Toggle"), SUB_TOGGLE, true},
                         {tr("Freeze"), SUB_FREEZE, false},
                         {tr("Unfreeze"), SUB_UNFREEZE, false},
                         {tr("Off"), SUB_OFF, false},
                         {tr("Inc. brightness"), SUB_INCREASE, false},
                         {tr("Dec. brightness"), SUB_DECREASE, false},
                         {tr("Set brightness"), SUB_SET_LEVEL, false},
                         {tr("Exclusive on"), SUB_EXCLUSIVE_ON, true}};
                break;
            case ACTION_PROGRAM:
                singleLimit = img::PROGRAM_SLOTS - 1;
                items = {{tr("On"), SUB_ON, true},
                         {tr("Next step"), SUB_NEXT_STEP, false},
                         {tr("Prev. step"), SUB_PREV_STEP, false},
                         {tr("Freeze"), SUB_FREEZE, false},
                         {tr("Unfreeze"), SUB_UNFREEZE, false},
                         {tr("Off"), SUB_OFF, false},
                         {tr("Exclusive on"), SUB_EXCLUSIVE_ON, true},
                         {tr("Restart"), SUB_RESTART, false}};
                break;
            case ACTION_ENABLING:
                if (pageKind == INPUTS_PAGE)
                    items = {{tr("Enable", "Akcja"), SUB_ON, false}, {tr("Disable", "Akcja"), SUB_OFF, false}};
                else if (pageKind == REMOTE_CONTROL_PAGE)
                    items = {{tr("Toggle", "Akcja"), SUB_TOGGLE, false}};
                break;
            case ACTION_SET_STATUS:
                items = {{tr("Activate"), SUB_ON, false},
                         {tr("Deactivate"), SUB_OFF, false},
                         {tr("Toggle"), SUB_TOGGLE, false}};
                break;
            case ACTION_SAVE_SHOW:
                items = {{tr("Save"), SUB_ON, false}, {tr("Restore"), SUB_OFF, false}};
                break;
            case ACTION_DELAY:
                singleLimit = img::DELAYS - 1;
                items = {{tr("Start"), SUB_ON, true}, {tr("Off"), SUB_OFF, false}};
                break;
            case ACTION_SEQUENCE:
                singleLimit = img::SEQUENCES - 1;
                items = {{tr("Start"), SUB_ON, true}, {tr("Off"), SUB_OFF, false}};
                break;
            case ACTION_MASK:
                singleLimit = img::SCENES - 1;
                items = {{tr("On"), SUB_ON, true},
                         {tr("Toggle"), SUB_TOGGLE, true},
                         {tr("Freeze"), SUB_FREEZE, false},
                         {tr("Unfreeze"), SUB_UNFREEZE, false},
                         {tr("Off"), SUB_OFF, false},
                         {tr("Increase intensity"), SUB_INCREASE, false},
                         {tr("Decrease intensity"), SUB_DECREASE, false},
                         {tr("Set intensity"), SUB_SET_LEVEL, false}};
                if (number <= img::MASKS - 1)
                    items.append({tr("Exclusive on"), SUB_EXCLUSIVE_ON, false});
                break;
            case ACTION_DMX_TRANSMISSION:
                items = {{tr("On"), SUB_ON, false}, {tr("Off"), SUB_OFF, false}};
                break;
            case ACTION_SELF_PROGRAMMING:
                items = {{tr("On"), SUB_ON, false}};
                break;
            default:
                break;
            }
            auto* combo = new QComboBox(parent);
            for (const subItem& it : items)
                if (!it.singleOnly || number <= singleLimit)
                    combo->addItem(it.caption, it.code);
            editor = combo;
        }
        break;
    case DAYTIME_COLUMN:
        editor = new DTL_widget(parent);
        break;
    case STATES_COLUMN: {
        auto* states = new StL_widget(hostPage());
        // Qt 6 has the view's commit and close as signals with a hint.
        connect(states, &StL_widget::abort, self, [self](QWidget* w) { emit self->closeEditor(w); });
        connect(states, &StL_widget::save, self, [self](QWidget* w) { emit self->commitData(w); });
        editor = states;
        break;
    }
    default:
        return nullptr;
    }
    editor->installEventFilter(self);
    return opened(editor);
}

bool aevents_tableview_delegate::storesWhenLeft(const QWidget* editor) const
{
    return !qobject_cast<const StL_widget*>(editor);
}

void aevents_tableview_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (!theController || !editor)
        return;
    const int i = actionIndex(index.row());
    const eventAction* a = theController->events.action(editedEvent, i);
    if (!a)
        return;
    const int number = a->number;
    const int type = editedAction->type();

    switch (index.column()) {
    case TYPE_COLUMN:
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(combo->findData(a->type()));
        }
        break;
    case NUMBER_COLUMN:
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const QSignalBlocker quiet(combo);
            const int ix = combo->findData(number + 1);
            combo->setCurrentIndex(ix >= 0 ? ix : SET_STATUS_ALL_ITEM);
        } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
            const QSignalBlocker quiet(spin);
            if (type == ACTION_MSG_FOR_PANEL)
                spin->setValue((number >> 8) == 15 ? 0 : number >> 8);
            else
                spin->setValue(shownValue(number));
        }
        break;
    case ACTION_COLUMN:
        if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
            const QSignalBlocker quiet(spin);
            spin->setValue(number & 0xFF);
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            int sub = a->subAction();
            // Scenes and masks store "On" also as sub-action 1.
            if (sub == SUB_NEXT_STEP && (type == ACTION_SCENE || type == ACTION_MASK))
                sub = SUB_ON;
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(combo->findData(sub));
        }
        break;
    case DAYTIME_COLUMN:
        if (auto* daytime = qobject_cast<DTL_widget*>(editor))
            loadDaytimeLimit(daytime, a->daytimeFrom, a->daytimeTo);
        break;
    case STATES_COLUMN:
        if (auto* states = qobject_cast<StL_widget*>(editor)) {
            states->setWindowFlags(Qt::Window);
            states->resize(872, 216);
            if (theMainWindow) {
                const QWidget* w = theMainWindow;
                states->move(w->x() + (w->width() - states->width()) / 2, w->y() + (w->height() - states->height()) / 2);
            }
            loadStateLimits(states, a->states1to4, a->states5to68);
        }
        break;
    default:
        break;
    }
}

void aevents_tableview_delegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                      const QModelIndex&) const
{
    // The state-limit window keeps its place over the main window.
    if (!editor || editor->isWindow())
        return;
    QRect r = option.rect;
    // An editor wider than its column may reach into the next one while it
    // is open, rather than show a cut caption.
    if (qobject_cast<QComboBox*>(editor) || qobject_cast<DTL_widget*>(editor))
        r.setWidth(qMax(r.width(), editor->sizeHint().width()));
    editor->setGeometry(r);
}

// ---- Storing -----------------------------------------------------------------------

int aevents_tableview_delegate::repairDelay(int d, int q) const
{
    const int f = eventBookkeeping(*theController).firstFreeDelay();
    if (f < 0) {
        showMessage(QMessageBox::Critical, theMainWindow, tr("Action failed!"), tr("To many delays defined!"));
        return -2;
    }
    const int answer = askQuestion(QMessageBox::Question, theMainWindow, tr("Delay already in use!"),
                                   tr("Delay #%1 is blocked by sequence #%2!").arg(d + 1).arg(q + 1),
                                   {tr("Repair"), tr("Cancel")}, 0, 1);
    return answer == 0 ? f : -1;
}

std::optional<aevents_tableview_delegate::outcome>
aevents_tableview_delegate::claimDelay(int number, QAbstractItemModel* model, const QModelIndex& index, int i,
                                       bool& moved) const
{
    const eventBookkeeping book(*theController);
    if (number >= ACTION_NUMBER_ALL) {
        if (book.anyDelayOwned()) {
            showMessage(QMessageBox::Critical, theMainWindow, tr("Action failed!"),
                        tr("Some delays are blocked by sequences!"));
            return outcome::refused;
        }
    } else if (const int q = book.delayOwner(number); q >= 0) {
        const int f = repairDelay(number, q);
        if (f == -2)
            return outcome::unchanged;
        if (f < 0)
            return outcome::refused;
        theController->events.setNumber(editedEvent, i, f);
        editedAction->number = uint16_t(f);
        model->setData(index.siblingAtColumn(NUMBER_COLUMN), QString::number(f + 1));
        moved = true;
    }
    return std::nullopt;
}

void aevents_tableview_delegate::checkRule(int i, int type, int shown, int oldSub) const
{
    if (!isSubActionAllowed(type, shown, oldSub, pageKind))
        theController->events.setSubAction(editedEvent, i, SUB_OFF);
}

void aevents_tableview_delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (!theController || !editor || !model)
        return;
    const int i = actionIndex(index.row());
    const eventAction* a = theController->events.action(editedEvent, i);
    if (!a)
        return;
    const eventAction before = *a;

    outcome result = outcome::unchanged;
    switch (index.column()) {
    case TYPE_COLUMN:
        result = storeType(editor, model, index, i);
        break;
    case NUMBER_COLUMN:
        result = storeNumber(editor, model, index, i);
        break;
    case ACTION_COLUMN:
        result = storeSubAction(editor, model, index, i);
        break;
    case DAYTIME_COLUMN:
        if (auto* daytime = qobject_cast<DTL_widget*>(editor)) {
            const QPair<uint8_t, uint8_t> limit = storedDaytimeLimit(daytime);
            theController->events.setDaytimeLimit(editedEvent, i, limit.first, limit.second);
            model->setData(index, daytimeLimitText(daytime));
            result = outcome::stored;
        }
        break;
    case STATES_COLUMN:
        if (auto* states = qobject_cast<StL_widget*>(editor); states && states->confirmed()) {
            uint32_t words[4];
            const uint8_t first = storedStateLimits(states, words);
            theController->events.setStateLimits(editedEvent, i, first, words);
            model->setData(index, QString());
            result = outcome::stored;
        }
        break;
    default:
        break;
    }
    if (result == outcome::unchanged)
        return;
    if (result == outcome::stored) {
        if (const eventAction* after = theController->events.action(editedEvent, i))
            eventBookkeeping(*theController).changed(editedEvent, before, *after);
    }
    emit const_cast<aevents_tableview_delegate*>(this)->forceRefresh();
}

aevents_tableview_delegate::outcome aevents_tableview_delegate::storeType(QWidget* editor, QAbstractItemModel* model,
                                                                          const QModelIndex& index, int i) const
{
    auto* box = qobject_cast<QComboBox*>(editor);
    // A type this page does not offer shows no item; leaving it must not
    // turn the action into something else.
    if (!box || box->currentIndex() < 0)
        return outcome::unchanged;
    // A message box takes the focus from the editor, and the view then closes
    // and deletes it: everything needed of it is read before any box.
    const QPointer<QComboBox> combo(box);
    int v = box->currentData().toInt();
    QString caption = box->currentText();
    const QString firstCaption = box->itemText(0);
    auto* self = const_cast<aevents_tableview_delegate*>(this);
    eventTable& events = theController->events;
    eventBookkeeping book(*theController);
    const int oldType = editedAction->type();
    const int oldSub = editedAction->subAction();

    // Input 24 keeps its Self programming action until it is deleted. Tested
    // first, so that a refused change leaves everything as it was.
    if (v != ACTION_SELF_PROGRAMMING && editedEvent == INPUT24_ON && holdsType(events, INPUT24_ON, ACTION_SELF_PROGRAMMING))
        return outcome::refused;

    if (v == ACTION_ENABLING) {
        const int source = eventBookkeeping::enablingSourceOf(editedEvent);
        if (source < 0)
            return outcome::unchanged;
        if (events.enablingSource == -1 || events.enablingSource == source) {
            events.enablingSource = source;
        } else {
            const int current = events.enablingSource;
            const QString holder = current < 24 ? QString::number(current + 1) : QStringLiteral("RC %1").arg(current - 23);
            showMessage(QMessageBox::Warning, theMainWindow, tr(" Illegal value!"),
                        tr("Enabling input already defined: ") + holder);
            v = ACTION_SCENE;
            caption = firstCaption;
            if (combo) {
                const QSignalBlocker quiet(combo);
                combo->setCurrentIndex(0);
            }
        }
    } else {
        emit self->actionTypeChgd(v);
    }

    // A message's panel becomes the number of the new type.
    const bool fromPanel = oldType == ACTION_MSG_FOR_PANEL && v != ACTION_MSG_FOR_PANEL;
    bool repaired = false;
    if (v == ACTION_DELAY && oldSub == SUB_ON) {
        // The delay the action is going to start, so that no start of a
        // sequence's delay slips through as a former panel number.
        const int oldNumber = fromPanel ? editedAction->number >> 8 : editedAction->number;
        if (const auto refusal = claimDelay(oldNumber, model, index, i, repaired))
            return *refusal;
    }

    bool listsKept = false;
    if (v == ACTION_SELF_PROGRAMMING) {
        if (editedEvent == INPUT24_ON) {
            // Self programming takes input 24 On for itself and gives input 24
            // Off the matching Off action.
            book.removeAll(INPUT24_ON);
            eventAction selfProgramming;
            selfProgramming.setType(ACTION_SELF_PROGRAMMING);
            selfProgramming.setSubAction(SUB_ON);
            book.insertCopy(INPUT24_ON, 0, selfProgramming);
            if (events.actionType(INPUT24_OFF, 0) != ACTION_SELF_PROGRAMMING) {
                eventAction off;
                off.setType(ACTION_SELF_PROGRAMMING);
                off.setSubAction(SUB_OFF);
                book.insertCopy(INPUT24_OFF, 0, off);
            }
            i = 0;
            listsKept = true;
        } else {
            events.setSubAction(editedEvent, i, SUB_ON);
            events.setNumber(editedEvent, i, 0);
        }
    }

    events.setActionType(editedEvent, i, v);

    if (v == ACTION_MSG_FOR_PANEL) {
        events.setSubAction(editedEvent, i, SUB_ON);
        if (oldType != ACTION_MSG_FOR_PANEL)
            events.setNumber(editedEvent, i, 0x100);
    } else if (fromPanel && !repaired) {
        events.setNumber(editedEvent, i, editedAction->number >> 8);
    }

    model->setData(index, caption);
    model->setData(index, v, Qt::UserRole);
    checkRule(i, v, shownValue(editedAction->number), oldSub);
    return listsKept ? outcome::listsKept : outcome::stored;
}

aevents_tableview_delegate::outcome aevents_tableview_delegate::storeNumber(QWidget* editor, QAbstractItemModel* model,
                                                                            const QModelIndex& index, int i) const
{
    eventTable& events = theController->events;
    const eventBookkeeping book(*theController);
    const int type = editedAction->type();
    const int oldSub = editedAction->subAction();
    // Read before any message box, which may end the editor's life.
    int v;
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() < 0)
            return outcome::unchanged;
        v = combo->currentData().toInt();
        text = combo->currentText();
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        spin->interpretText();
        v = spin->value();
        text = spin->text();
    } else {
        return outcome::unchanged;
    }

    if (type == ACTION_DELAY && oldSub == SUB_ON) {
        if (v > 0) {
            if (const int q = book.delayOwner(v - 1); q >= 0) {
                const int f = repairDelay(v - 1, q);
                if (f == -2)
                    return outcome::unchanged;
                if (f < 0)
                    return outcome::refused;
                v = f + 1;
                text = QString::number(v);
            }
        } else {
            // "All" from a start that the lists do not know: when its delay
            // belongs to a sequence, the chain must not lose its link.
            const int old = editedAction->number;
            const int q = book.delayOwner(old);
            if (q >= 0 && !theController->startedDelays.contains(uint16_t(old))) {
                showMessage(QMessageBox::Warning, theMainWindow, tr("Delay already in use!"),
                            tr("Delay #%1 is blocked by sequence #%2!").arg(old + 1).arg(q + 1));
                return outcome::refused;
            }
        }
    }

    model->setData(index, text);
    if (type == ACTION_MSG_FOR_PANEL) {
        const int panel = v == 0 ? 15 : v;
        events.setNumber(editedEvent, i, (panel << 8) | (events.number(editedEvent, i) & 0xFF));
    } else {
        events.setNumber(editedEvent, i, v == 0 ? ACTION_NUMBER_ALL : v - 1);
    }
    checkRule(i, type, v, oldSub);
    emit const_cast<aevents_tableview_delegate*>(this)->actionNoChgd(v);
    return outcome::stored;
}

aevents_tableview_delegate::outcome aevents_tableview_delegate::storeSubAction(QWidget* editor,
                                                                               QAbstractItemModel* model,
                                                                               const QModelIndex& index, int i) const
{
    eventTable& events = theController->events;
    if (editedAction->type() == ACTION_MSG_FOR_PANEL) {
        auto* spin = qobject_cast<QSpinBox*>(editor);
        if (!spin)
            return outcome::unchanged;
        events.setNumber(editedEvent, i, (events.number(editedEvent, i) & 0xFF00) + spin->value());
        model->setData(index, spin->text());
        return outcome::stored;
    }
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo || combo->currentIndex() < 0)
        return outcome::unchanged;
    // Read before any message box, which may end the editor's life.
    const int v = combo->currentData().toInt();
    const QString caption = combo->currentText();
    if (editedAction->type() == ACTION_DELAY && v == SUB_ON) {
        bool moved = false;
        if (const auto refusal = claimDelay(events.number(editedEvent, i), model, index, i, moved))
            return *refusal;
    }
    events.setSubAction(editedEvent, i, v);
    model->setData(index, caption);
    return outcome::stored;
}
