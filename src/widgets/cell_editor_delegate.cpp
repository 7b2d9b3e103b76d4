#include "widgets/cell_editor_delegate.h"

#include <QAbstractItemView>
#include <QList>

void cellEditorDelegate::finishEdit()
{
    const QPointer<QWidget> open = editor;
    if (!open)
        return;
    if (storesWhenLeft(open))
        emit commitData(open);
    // Storing may rebuild the rows, and the view then lets the editor go.
    if (open && editor == open)
        emit closeEditor(open, QAbstractItemDelegate::NoHint);
}

void cellEditorDelegate::destroyEditor(QWidget* closing, const QModelIndex& index) const
{
    if (closing == editor)
        editor = nullptr;
    QItemDelegate::destroyEditor(closing, index);
}

QWidget* cellEditorDelegate::opened(QWidget* made) const
{
    if (made)
        editor = made;
    return made;
}

bool cellEditorDelegate::storesWhenLeft(const QWidget*) const
{
    return true;
}

namespace {

// An editor a delegate of another kind holds open: the view keeps it at
// the cell being edited, which is the current one.
void finishForeignEdit(QAbstractItemView* view)
{
    const QModelIndex at = view->currentIndex();
    QAbstractItemDelegate* delegate = at.isValid() ? view->itemDelegateForIndex(at) : nullptr;
    const QPointer<QWidget> open = delegate ? view->indexWidget(at) : nullptr;
    if (!open)
        return;
    emit delegate->commitData(open);
    if (open)
        emit delegate->closeEditor(open, QAbstractItemDelegate::NoHint);
}

}  // namespace

void finishCellEdits(QWidget* root)
{
    if (!root)
        return;
    QList<QPointer<QAbstractItemView>> views;
    if (auto* view = qobject_cast<QAbstractItemView*>(root))
        views.append(view);
    for (QAbstractItemView* view : root->findChildren<QAbstractItemView*>())
        views.append(view);
    // Storing an edit may rebuild other tables, or a page, under the root.
    for (const QPointer<QAbstractItemView>& view : std::as_const(views)) {
        if (!view)
            continue;
        bool finished = false;
        QList<QAbstractItemDelegate*> delegates{view->itemDelegate()};
        if (const QAbstractItemModel* model = view->model())
            for (int c = 0; c < model->columnCount(); ++c)
                delegates.append(view->itemDelegateForColumn(c));
        for (QAbstractItemDelegate* d : std::as_const(delegates)) {
            if (auto* cells = qobject_cast<cellEditorDelegate*>(d); cells && cells->openEditor()) {
                cells->finishEdit();
                finished = true;
            }
        }
        if (view && !finished)
            finishForeignEdit(view);
    }
}
