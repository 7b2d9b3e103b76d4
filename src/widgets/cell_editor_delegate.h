#pragma once

#include <QItemDelegate>
#include <QPointer>

// An item delegate that knows the editor its view holds open. A table whose
// rows are about to stand for other data (another event, program or
// sequence) finishes that edit first, so that what the user typed is stored
// where the editor was opened, or nowhere, and never into what the rows
// show next.
class cellEditorDelegate : public QItemDelegate {
    Q_OBJECT
public:
    using QItemDelegate::QItemDelegate;

    // The editor open in the view; null while none is.
    QWidget* openEditor() const { return editor; }
    // Ends the open edit as leaving the cell does: stores what the editor
    // holds (unless it stores only when the user confirms it) and closes it.
    void finishEdit();

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

protected:
    // createEditor hands every editor it makes back through this.
    QWidget* opened(QWidget* editor) const;
    // Whether leaving the editor stores it; an editor with a button of its
    // own that stores ("Set") is closed without storing.
    virtual bool storesWhenLeft(const QWidget* editor) const;

private:
    mutable QPointer<QWidget> editor;
};

// Ends every cell edit still open in an item view under `root` (the root
// included) as leaving the cell does, before what the editors were opened
// on is replaced or retired (a show read or cleared, the window rebuilt):
// an edit stores into the show it was made in, never into the one that
// follows, and is not lost with the window. An editor that stores only on
// its own button ("Set") closes without storing.
void finishCellEdits(QWidget* root);
