#pragma once

#include "widgets/page_list.h"

#include <QModelIndex>
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class aevents_conf_widget;
class aseq_conf_widget;

// The "Sequences" page of the main window: the 128 sequences with their
// descriptions, the steps of the chosen one with their delay times, and the
// actions of the chosen step row. The page object itself is never shown: its
// widgets are children of the tab page given to the constructor. It keeps no
// copy of the model and works on theController.
class aseq_settings_widget : public QWidget {
    Q_OBJECT
public:
    explicit aseq_settings_widget(QWidget* parent);
    ~aseq_settings_widget() override;

    QPointer<pageListView> sequenceList;   // on the tab; the page deletes it
    pageListModel* sequenceListModel;      // owned by sequenceList
    aevents_conf_widget* actionPanel;      // page kind 103
    QLabel* sequenceLabel;
    QLabel* stepsLabel;
    QSpinBox* stepCountBox;
    QPushButton* insertButton;
    QPushButton* deleteButton;
    QPushButton* finishButton;             // "Finish prev. step"
    QLabel* descriptionLabel;
    QLineEdit* descriptionEdit;
    aseq_conf_widget* stepTable;
    int currentSequence = 0;   // 0..127
    int refreshCount = 0;      // reloads from the model so far

public slots:
    // The user set the number of steps.
    void stepCountChange(int sceneCount);
    // Shows the sequence of the row given first.
    void seqNumberChange(int row, int column, int previousRow, int previousColumn);
    // Stores the description of the current sequence.
    void disableDescEdition();
    // The action panel shows the actions of the chosen step row.
    void stepRowChange(const QModelIndex& current, const QModelIndex& previous);
    // The step table reports a new step count: the box shows it without
    // changing the sequence again.
    void stepCountChanged(int n);
    void refresh();
    // Rewrites the texts and colours of the sequence list.
    void tableSeqRefresh();

private:
    void connectStepRows();
};
