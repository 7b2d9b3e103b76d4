#pragma once

#include "widgets/cell_editor_delegate.h"

class aprogram_settings_widget;

// The cell editors of the extra program entries: the program an entry
// starts and the step it starts from, stored straight into the controller's
// extraEntries; the program page is refreshed after each store.
class aprogram_entry_delegate : public cellEditorDelegate {
    Q_OBJECT
public:
    explicit aprogram_entry_delegate(aprogram_settings_widget* page);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    aprogram_settings_widget* page;   // not owned; the Qt parent

signals:
    // 1-based program number shown by the program editor.
    void changeDesc(int v);
};
