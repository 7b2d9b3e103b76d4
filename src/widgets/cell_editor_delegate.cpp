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
    // Only a delegate knows which widget of its view is an open editor (a
    // view tells its editors and its cell widgets apart to no one), so the
    // editors reached are those of cellEditorDelegates: every table whose
    // cells the user edits has one.
    for (const QPointer<QAbstractItemView>& view : std::as_const(views)) {
        if (!view)
            continue;
        QList<QPointer<QAbstractItemDelegate>> delegates{view->itemDelegate()};
        if (const QAbstractItemModel* model = view->model())
            for (int c = 0; c < model->columnCount(); ++c)
                if (QAbstractItemDelegate* d = view->itemDelegateForColumn(c))
                    delegates.append(d);
        for (const QPointer<QAbstractItemDelegate>& d : std::as_const(delegates))
            if (auto* cells = qobject_cast<cellEditorDelegate*>(d.data()); cells && cells->openEditor())
                cells->finishEdit();
    }
}
