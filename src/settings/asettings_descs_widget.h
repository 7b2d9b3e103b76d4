#pragma once

#include "widgets/cell_editor_delegate.h"

#include <QList>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>

class QComboBox;
class QLabel;
class showDesc_class;

// The line editor of a description cell: it writes straight into the
// controller's description array of the category shown.
class showDesc_delegate : public cellEditorDelegate {
    Q_OBJECT
public:
    explicit showDesc_delegate(QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    showDesc_class* ownerTable;
};

// Two columns, "Item" and "Description"; row r shows entry r of the
// category's description array.
class showDesc_class : public QTableWidget {
    Q_OBJECT
public:
    showDesc_class(int rows, int columns, QWidget* parent);

    // The description of row r of the category shown; null when there is none.
    QString* descriptionAt(int row) const;

    showDesc_delegate* descDelegate;
    int currentCategory = 0;
    QString* currentDescriptions = nullptr;  // row r edits entry r
};

// The descriptions page (settings tab "Descriptions"): one description
// category at a time, every numbered object of the show with its description.
class asettings_descs_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_descs_widget(QWidget* parent);

    static constexpr int CATEGORIES = 15;
    static const int categoryRowCounts[CATEGORIES];

    // The captions while the combo box is filled; the item-label formats afterwards.
    QStringList labelFormats;
    // Per category the first description of its array in the controller.
    QList<QString*> categoryArrays;
    QComboBox* categoryCombo;
    QLabel* categoryLabel;
    showDesc_class* descTable;
    int refreshCount = 0;  // reloads from the model so far

public slots:
    void chgCategory(int index);

public:
    // Rewrites every row of the category shown.
    void refresh();

private:
    // The item column as wide as the category's labels, at least its usual width.
    void fitItemColumn();
};
