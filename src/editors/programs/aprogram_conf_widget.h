#pragma once

#include "model/programs.h"

#include <QModelIndex>
#include <QTableView>
#include <QTime>
#include <memory>
#include <vector>

class QKeyEvent;
class QStandardItemModel;
class aprogram_conf_delegate;
class aprogram_settings_widget;

// The running time of a program at the end of a step, in tenths of a second
// from the program's start (-1 undetermined), is kept in the "Prog. Time"
// cell under this role beside the time of day under Qt::UserRole: programs
// may run longer than a day.
constexpr int progTimeTenthsRole = Qt::UserRole + 1;

// A step time as the table shows it: hours, minutes, seconds and tenths.
QString stepTimeText(const QTime& t);

// The steps of one program, one row per step, rebuilt from the controller's
// programs table after every change. While it rebuilds, it enforces that no
// step has both a zero fade-up and a zero duration.
class aprogram_conf_widget : public QTableView {
    Q_OBJECT
public:
    aprogram_conf_widget(aprogram_settings_widget* page, QWidget* parent);
    ~aprogram_conf_widget() override;

    // Shows program p; the page sets the rows next.
    void setProgramNumber(int p);
    // The program's recurrences (0 endless); redraws.
    void setProgramRunMode(int n);
    // Brings the model to n rows and redraws; the program is not touched.
    void setRows(int n);

    int programNumber = 0;
    int programModeRepeat = 1;
    // The steps of the last copy in row order; `row` holds the number of
    // unselected rows between a step and the one copied before it.
    std::vector<stepClipEntry> stepClipboard;
    std::unique_ptr<QStandardItemModel> stepModel;
    aprogram_conf_delegate* delegate;   // child of the table
    aprogram_settings_widget* page;     // not owned

signals:
    // The step count after an insert, a delete or a paste changed it.
    void changeStepNumber(int n);

public slots:
    // Commits and closes the duration editor once the mouse is out of it.
    void stopEditing(QWidget* ed);
    void refresh(int x);
    void refresh();
    // An editor was closed: time editors and the duration column redraw.
    void refresh(QWidget* editor);
    void indexChanged(const QModelIndex& current, const QModelIndex& previous);
    void insertStep();
    void deleteStep();
    void copyStep();
    void pasteStep();
    void fillSteps();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // Widens the columns whose titles do not fit on two lines, and the
    // scene column for the last scene, and makes the header two lines high.
    void fitHeader();
    void setCell(int row, int column, const QString& text);
    void finishEdit();

    bool resizing = false;   // setRows is changing the rows
};
