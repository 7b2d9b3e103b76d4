#include "editors/programs/aseq_conf_delegate.h"

#include "editors/programs/aseq_conf_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/sequence_chain.h"
#include "model/time_codes.h"
#include "widgets/my_time_edit.h"

namespace {

constexpr int DELAY_COLUMN = 1;

// The delay of the step a cell belongs to; -1 for the finish row, other
// columns and a missing controller.
int delayOfCell(const QModelIndex& index, int sequence)
{
    if (!theController || !index.isValid() || index.column() != DELAY_COLUMN)
        return -1;
    return sequenceChain(*theController, sequence).delayOf(index.row());
}

}  // namespace

aseq_conf_delegate::aseq_conf_delegate(QObject* parent)
    : cellEditorDelegate(parent)
{
}

void aseq_conf_delegate::setSequence(int q)
{
    if (q >= 0 && q < img::SEQUENCES)
        sequenceNumber = q;
}

QWidget* aseq_conf_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const
{
    if (delayOfCell(index, sequenceNumber) < 0)
        return nullptr;
    auto* edit = new MyTimeEdit(parent);
    edit->setTimeRange(QTime(0, 0, 0, 100), QTime(23, 59, 59, 999));
    edit->installEventFilter(const_cast<aseq_conf_delegate*>(this));
    return opened(edit);
}

void aseq_conf_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<MyTimeEdit*>(editor);
    const int d = delayOfCell(index, sequenceNumber);
    if (!edit || d < 0)
        return;
    const uint32_t time = delayWord::time(img::getU32(theController->configImage, img::delaysOf(d)));
    // A time the edit cannot show (not set) leaves it at its lowest.
    if (time >= 1 && time <= delayWord::MAX_TIME)
        edit->setTime(fromTenths(time));
}

void aseq_conf_delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* edit = qobject_cast<MyTimeEdit*>(editor);
    if (!edit || delayOfCell(index, sequenceNumber) < 0)
        return;
    const uint32_t tenths = uint32_t(toTenths(edit->time()));
    if (sequenceChain(*theController, sequenceNumber).setStepTime(index.row(), tenths))
        model->setData(index, sequenceTimeText(tenths));
}

void aseq_conf_delegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
