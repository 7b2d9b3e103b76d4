#pragma once

#include "widgets/cell_editor_delegate.h"

// Opens the delay time editor (delayTimeEdit) over the delay page for the
// time cell of a delay that no sequence owns, and stores its time into the
// time bits of the delay word; the owner bits stay as they are.
class aevents_dlyd_delegate : public cellEditorDelegate {
    Q_OBJECT
public:
    // page: the parent of the editors it opens.
    aevents_dlyd_delegate(QWidget* page, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    // The editor keeps the place setEditorData gave it.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // The pop-up stores only on its "O.K.".
    bool storesWhenLeft(const QWidget* editor) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QWidget* page;
};
