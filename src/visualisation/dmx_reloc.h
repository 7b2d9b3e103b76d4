#pragma once

#include "ui_chnl_relocator.h"

#include <QDialog>
#include <QItemDelegate>
#include <QVector>

class ModiFxt_class;
class lightEffect;

// The channel relocation dialog of the fixture properties dialog: one row
// per fixture channel with its library description and the DMX channel it
// lands on, which the user edits. "OK" turns the rows back into the owner's
// first channel and relocation offsets; nothing reaches the fixture before
// the owner is saved.
class dmxReloc_class : public QDialog, public Ui::chnlRelocator {
    Q_OBJECT
public:
    explicit dmxReloc_class(ModiFxt_class* owner);
    ~dmxReloc_class() override;

    lightEffect* fixture = nullptr;  // the owner's; not owned
    ModiFxt_class* owner = nullptr;
    int count = 0;
    QVector<int> values;  // per fixture channel the DMX channel (1-based) it lands on

    // The DMX channels row 0 may take: the first channel must leave room
    // for all channels of the fixture, as the owner's first-channel box does.
    int firstRowMinimum() const;
    int firstRowMaximum() const;

public slots:
    void clearReloc();
    void save();
};

// Edits the DMX channel column of the relocation table in a spin box.
class dmxReloc_delegate : public QItemDelegate {
    Q_OBJECT
public:
    explicit dmxReloc_delegate(QObject* owner);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    dmxReloc_class* owner = nullptr;
};
