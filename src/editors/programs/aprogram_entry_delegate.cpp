#include "editors/programs/aprogram_entry_delegate.h"

#include "editors/programs/aprogram_settings_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QSpinBox>

namespace {

enum column { PROGRAM, STEP };

// The entry of the cell's row; null when the row holds none.
extraEntry* entryOf(const QModelIndex& index)
{
    if (!theController || index.row() < 0 || size_t(index.row()) >= theController->extraEntries.size())
        return nullptr;
    return theController->extraEntries[size_t(index.row())].get();
}

} // namespace

aprogram_entry_delegate::aprogram_entry_delegate(aprogram_settings_widget* page)
    : cellEditorDelegate(page)
    , page(page)
{
}

QWidget* aprogram_entry_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                               const QModelIndex& index) const
{
    const extraEntry* entry = entryOf(index);
    if (!entry)
        return nullptr;
    QSpinBox* box = nullptr;
    switch (index.column()) {
    case PROGRAM:
        box = new QSpinBox(parent);
        box->setRange(1, qMax(1, page->programRows));
        box->setPrefix(tr("Program "));
        connect(box, &QSpinBox::valueChanged, this, &aprogram_entry_delegate::changeDesc);
        break;
    case STEP:
        // An entry starts its program after the first step at the earliest.
        box = new QSpinBox(parent);
        box->setRange(2, qMax(2, theController->programs.stepCount(entry->program)));
        box->setPrefix(tr("Step "));
        break;
    default:
        return nullptr;
    }
    box->installEventFilter(const_cast<aprogram_entry_delegate*>(this));
    return opened(box);
}

void aprogram_entry_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* box = qobject_cast<QSpinBox*>(editor);
    const extraEntry* entry = entryOf(index);
    if (!box || !entry)
        return;
    if (index.column() == PROGRAM)
        box->setValue(entry->program + 1);
    else if (index.column() == STEP)
        box->setValue(entry->fromStep + 1);
}

void aprogram_entry_delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* box = qobject_cast<QSpinBox*>(editor);
    extraEntry* entry = entryOf(index);
    if (!box || !entry)
        return;
    const int value = box->value();
    if (index.column() == PROGRAM) {
        entry->program = uint16_t(value - 1);
        model->setData(index, tr("Program %1").arg(value));
    } else if (index.column() == STEP) {
        entry->fromStep = uint16_t(value - 1);
        model->setData(index, tr("Step %1").arg(value));
    } else {
        return;
    }
    page->refresh();
}
