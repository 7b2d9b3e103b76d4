#pragma once

#include "widgets/cell_editor_delegate.h"
#include <QTableView>

class QStandardItemModel;

// The cell editors of the input-types table: a choice of "Unused", "Normal
// Open" and "Normal Close" for the type, a line edit for the description.
// Each edit goes straight into the controller's data.
class asettings_inputs_delegate : public cellEditorDelegate {
    Q_OBJECT
public:
    explicit asettings_inputs_delegate(QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};

// The input-types table of the 24 inputs (settings tab "Inputs"): each input
// unused, a normally open or a normally closed contact, with its description.
class asettings_inputs_widget : public QTableView {
    Q_OBJECT
public:
    explicit asettings_inputs_widget(QWidget* parent);

    QStandardItemModel* inputsModel;
    asettings_inputs_delegate* inputsDelegate;
    int refreshCount = 0;  // reloads from the model so far

public slots:
    // Fills the table from the image; a type the controller does not know
    // is stored as unused.
    void refresh();
};
