#pragma once

#include "widgets/cell_editor_delegate.h"

class aprogram_conf_widget;

// The cell editors of the program step table. Every editor is loaded from
// and stored straight into the step of the controller's programs table; the
// table is rebuilt after each store.
class aprogram_conf_delegate : public cellEditorDelegate {
    Q_OBJECT
public:
    explicit aprogram_conf_delegate(aprogram_conf_widget* table);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The program times, in tenths from the program's start, that the step of
    // `row` may end at when its program time is edited; the running total at
    // its end is `total`. Every duration the edit changes stays a time the
    // 16-bit step field holds. False when the step cannot be edited so.
    bool programTimeRange(int row, int total, int& lowest, int& highest) const;

    int programModeRepeat = 0;   // recurrences of the program; not 0: the last fade-down is editable
    int programNumber = 0;       // program whose steps are edited
    aprogram_conf_widget* table; // not owned; the Qt parent

signals:
    // 1-based scene number shown by the scene editor.
    void changeDesc(int v);
    // Internal event number shown by the event editor (0 none).
    void changeEvent(int v);

public slots:
    void setProgramRunMode(int programModeRepeat);
    void setProgramNumber(int programNumber);
};
