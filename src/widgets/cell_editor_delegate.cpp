#include "widgets/cell_editor_delegate.h"

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
