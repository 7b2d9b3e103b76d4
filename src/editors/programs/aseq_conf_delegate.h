#pragma once

#include "widgets/cell_editor_delegate.h"

// The delay time editor of the sequence table: a time edit over the "Delay
// Time" cell of a step, from 0.1 s to 23:59:59.9, stored into the time bits
// of the step's delay word (its owner stays).
class aseq_conf_delegate : public cellEditorDelegate {
    Q_OBJECT
public:
    explicit aseq_conf_delegate(QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // Sequences 0..127; any other number is ignored.
    void setSequence(int q);

    int sequenceNumber = 0;
};
