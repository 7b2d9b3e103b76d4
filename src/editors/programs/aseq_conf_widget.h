#pragma once

#include <QModelIndex>
#include <QTableView>
#include <cstdint>
#include <memory>

class QStandardItemModel;
class aevents_conf_widget;
class aseq_conf_delegate;
class aseq_settings_widget;
class sequenceChain;

// The time of a step as the sequence table shows it: hours without a
// leading zero, then minutes, seconds and milliseconds ("0:00:01:500").
QString sequenceTimeText(uint32_t tenths);

// The steps of one sequence: one row per step with its delay time and the
// time from the start of the sequence at which the next row's actions run,
// then the "finish" row. The chain itself lives in the model (sequenceChain);
// the table edits it and rewrites its cells from it.
class aseq_conf_widget : public QTableView {
    Q_OBJECT
public:
    explicit aseq_conf_widget(QWidget* parent);
    ~aseq_conf_widget() override;

    // Shows sequence q (its delegate follows) and reports its step count.
    void setSequence(int q);

    int sequenceNumber = 0;
    std::unique_ptr<QStandardItemModel> stepModel;
    aevents_conf_widget* actionPanel = nullptr;  // the page's; told the event of a changed row
    aseq_settings_widget* page = nullptr;        // receives the current row again after emptying
    aseq_conf_delegate* delegate;                // child of the table

signals:
    // The number of steps after an edit changed it, and when a sequence is
    // shown by setSequence().
    void changeStepNumber(int n);
    // The actions of a row changed ("Finish prev. step"): the page reloads.
    void refreshEvents();

public slots:
    void refresh(QWidget* editor);
    void refresh();
    // Makes the sequence n steps long; when the delays run out it grows as
    // far as they reach, tells the user and reports the count reached.
    void setRows(int n);
    // Shows sequence q without changing it.
    void load(int q);
    void insertStep();
    void deleteStep();
    void cleanPrevStep();

private:
    // Before the rows show sequence q instead of the delegate's.
    void finishEditOf(int q);
    void warnNoDelay();
    // Brings the model to the rows of n steps.
    void setModelRows(int n);
    void setCell(int row, int column, const QString& text);
    void showRowEvent(int id);
    // The step of the current row; -1 for none and for the row past the last step.
    int currentStep(const sequenceChain& chain) const;
    // After the chain changed its length: the table and the step count follow it.
    void followLength(int steps);
};
