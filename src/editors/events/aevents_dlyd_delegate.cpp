#include "editors/events/aevents_dlyd_delegate.h"

#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/events/delay_time_edit.h"
#include "model/event_bookkeeping.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"

#include <QEvent>

namespace {

constexpr int TIME_COLUMN = 1;
// Where the editor opens, from the corner of the action table's rows.
constexpr int POPUP_INSET = 8;

// The delay of a time cell that may be edited; -1 otherwise.
int editableDelay(const QModelIndex& index)
{
    if (!theController || !index.isValid() || index.column() != TIME_COLUMN || index.row() >= img::DELAYS)
        return -1;
    if (eventBookkeeping(*theController).delayOwner(index.row()) >= 0)
        return -1;
    return index.row();
}

}  // namespace

aevents_dlyd_delegate::aevents_dlyd_delegate(QWidget* page, QObject* parent)
    : cellEditorDelegate(parent)
    , page(page)
{
}

QWidget* aevents_dlyd_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex& index) const
{
    if (editableDelay(index) < 0)
        return nullptr;
    auto* editor = new delayTimeEdit(page ? page : parent);
    auto* self = const_cast<aevents_dlyd_delegate*>(this);
    connect(editor, &delayTimeEdit::abort, self, [self](QWidget* e) { emit self->closeEditor(e); });
    connect(editor, &delayTimeEdit::save, self, &QAbstractItemDelegate::commitData);
    editor->installEventFilter(self);
    return opened(editor);
}

bool aevents_dlyd_delegate::storesWhenLeft(const QWidget*) const
{
    return false;
}

void aevents_dlyd_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<delayTimeEdit*>(editor);
    const int d = editableDelay(index);
    if (!edit || d < 0)
        return;
    const QSize size = edit->size();
    edit->setWindowFlags(Qt::Popup);
    edit->resize(size);
    // Over the rows of the page's action table, whichever row is edited: the
    // page's title and the table's header stay in sight.
    QWidget* rows = page;
    if (auto* delayPage = qobject_cast<aevents_dlyd_widget*>(page))
        rows = delayPage->actionPanel->actionTable->viewport();
    if (rows)
        edit->move(rows->mapToGlobal(QPoint(POPUP_INSET, POPUP_INSET)));
    edit->setValue(delayWord::time(img::getU32(theController->configImage, img::delaysOf(d))));
}

void aevents_dlyd_delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* edit = qobject_cast<delayTimeEdit*>(editor);
    const int d = editableDelay(index);
    if (!edit || d < 0)
        return;
    const uint32_t v = edit->value();
    const uint32_t time = v == 0xFFFFFFFF ? delayWord::TIME_NOT_SET : v;
    const uint32_t word = img::getU32(theController->configImage, img::delaysOf(d));
    img::putU32(theController->configImage, img::delaysOf(d), delayWord::make(time, delayWord::sequence(word)));
    // The list reads the time from the delay word.
    if (auto* list = qobject_cast<pageListModel*>(model))
        list->rowChanged(index.row());
}

void aevents_dlyd_delegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                 const QModelIndex& index) const
{
    if (!qobject_cast<delayTimeEdit*>(editor))
        QItemDelegate::updateEditorGeometry(editor, option, index);
}

bool aevents_dlyd_delegate::eventFilter(QObject* object, QEvent* event)
{
    // The pop-up closes when the user clicks elsewhere: that is a Cancel,
    // never a store.
    if (event->type() == QEvent::Hide) {
        if (auto* edit = qobject_cast<delayTimeEdit*>(object)) {
            edit->slotAbort();
            return false;
        }
    }
    return QItemDelegate::eventFilter(object, event);
}
