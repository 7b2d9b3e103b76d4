#pragma once

#include "editors/programs/step_grid.h"
#include "widgets/page_list.h"

#include <QFont>
#include <QList>
#include <QModelIndex>
#include <QPointer>
#include <QTime>
#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class MyTimeEdit;
class aprogram_conf_widget;
class aprogram_entry_delegate;
class cellSelectionGroup;
class infTime_class;
class kv310_controller_class;
class otherConfiguration;

// The "Programs" page of the main window: the program list, the steps of the
// current program with its recurrences, chained event, break time and
// description, and the tool tabs. The page object itself is never shown: its
// widgets are children of the tab page given to the constructor. It keeps no
// copy of the model and works on theController.
class aprogram_settings_widget : public QWidget {
    Q_OBJECT
public:
    aprogram_settings_widget(kv310_controller_class* controller, QWidget* parent);
    ~aprogram_settings_widget() override;

    // With false removes the extra-entries page when it stands at index 3
    // of toolTabs; with true changes nothing.
    void showEntriesTab(bool on);
    // A current program in a slot that an extra entry took gives way to the
    // last program offered. Every refresh does it first; the window does it
    // after a read, before it applies the current program's step count.
    void keepCurrentProgramOffered();
    // Most extra entries "Add" makes: one program slot stays ordinary.
    static constexpr int MAX_EXTRA_ENTRIES = 511;

    int currentProgram = 0;                     // row of programList
    int shownSteps = 0;                         // steps of currentProgram last applied to the grid
    otherConfiguration* copySource;             // another configuration to copy from, with its controls
    int programRows = 512;                      // program slots offered: 512 minus the extra entries
    int refreshCount = 0;                       // reloads from the programs table so far
    int relabelCount = 0;                       // rebuilds of the program list texts so far

    QFont listFont;
    QFont descriptionFont;

    // On the main window's tab page.
    pageListView* programList;                  // its rows read the show when drawn
    pageListModel* programListModel;            // owned by programList
    QTabWidget* toolTabs;
    QLabel* descriptionLabel;
    QLineEdit* descriptionEdit;

    // "Single Steps"
    QWidget* singleStepsTab;
    QLabel* programNumberLabel;
    aprogram_conf_widget* stepTable;            // steps of currentProgram; its current row is the selected step
    QPushButton* fillButton;                    // "Scenes' Sequence"
    QPushButton* editSceneButton;               // "Edit current scene"; wired by the main window
    QPushButton* importTimesButton;
    QPushButton* insertStepButton;
    QPushButton* deleteStepButton;
    QPushButton* copyStepButton;
    QPushButton* pasteStepButton;
    QCheckBox* replaceBox;
    QSpinBox* stepCountBox;
    QSpinBox* recurrencesBox;
    QComboBox* chainTypeBox;
    QSpinBox* chainNumberBox;
    infTime_class* breakTimeEdit;
    QLineEdit* sceneDescriptionEdit;

    // "Groupped Steps"
    QWidget* groupTab;
    stepGridView* stepGrid;                     // cell (s / 10, s % 10) marks step s
    QLabel* groupProgramLabel;
    cellSelectionGroup* selectionGroup;         // marks steps in stepGrid by rule
    QSpinBox* sceneBox;
    QPushButton* setSceneButton;
    MyTimeEdit* fadeUpEdit;
    QPushButton* setFadeUpButton;
    MyTimeEdit* durationEdit;
    QPushButton* setDurationButton;
    QCheckBox* infiniteBox;

    // "Copying"
    QWidget* copyTab;
    QLabel* copyProgramLabel;
    QSpinBox* poolBox;
    QCheckBox* reverseBox;
    QSpinBox* copyFromBox;
    QSpinBox* copyToBox;
    QPushButton* copyButton;
    QCheckBox* noScenesBox;
    QLineEdit* fileEdit;
    QPushButton* browseButton;
    QPushButton* openButton;
    QPushButton* releaseButton;
    QSpinBox* altFromBox;
    QSpinBox* altToBox;
    QPushButton* altCopyButton;

    // The extra-entries page: built and owned here, but not one of the tabs.
    QPointer<QWidget> entriesPage;
    QTableView* entriesView;
    std::unique_ptr<QStandardItemModel> entriesModel;
    aprogram_entry_delegate* entriesDelegate;
    QPushButton* addEntryButton;
    QPushButton* removeEntryButton;
    QPushButton* clearEntriesButton;

signals:
    void relabelScenes();

public slots:
    // Applies n steps to currentProgram: the grid, the range boxes, the
    // program's step count and the step table. With force every grid cell
    // follows n; without, only the cells between the old and the new count.
    void sceneCountChange(int n, bool force);
    void sceneCountChange(int n);
    void programNumberChange(const QModelIndex& current, const QModelIndex& previous);
    void programRunModeChange(int r);
    void disableDescEdition();
    void currentSceneChanged(int n);
    void sceneRowChange(const QModelIndex& current, const QModelIndex& previous);
    void chainTypeChanged(int index);
    void chainNoChanged();
    // The step table changed the count itself: show it without applying it.
    void stepCountChanged(int n);
    // "Groupped Steps": marking steps and setting the marked ones.
    void selectSome();
    void setStepScene();
    void setRiseTime();
    void setLastTime();
    // "Copying"
    void lowLimit_1(int v);
    void lowLimit_2(int v);
    void copyPgm();
    void copyAltPgm();
    void tabChanged(int index);
    // Rebuilds the programs table from the image.
    void rollOver();
    // Extra entries
    void addEntry();
    void delEntry();
    void clrEntries();
    void showEntryDesc(const QModelIndex& current, const QModelIndex& previous);
    void showEntryDesc(int n);
    void newBreakTime(QTime& t);
    void newBreakTime(QWidget* w);
    void breakTimeOff(int state);
    void impTimes();
    void refresh();
    void relabel();

private:
    void buildSingleSteps();
    void buildGroupTab();
    void buildCopyTab();
    void buildEntriesPage();
    // "Program: %1" at the top of a tool, centred at x.
    QLabel* programLabel(QWidget* tab, int x) const;
    void refreshSingleSteps();
    void refreshChainedEvent();
    void refreshBreakTime();
    void refreshGroupTab();
    void refreshCopyTab();
    void refreshEntriesPage();
    // What a copy that went through updates.
    void copyDone();
    // The steps of the current program marked in the grid.
    QList<int> markedSteps() const;
    void rebuildProgramList();
    // Makes program p current: an open step editor is finished first, and
    // the grid follows p's step count.
    void showProgram(int p);
    bool rebuildingList = false;   // the program list is changing its rows
    // Shows a description that belongs to another program: it cannot be
    // edited there, or it would be stored as the current program's.
    void showForeignDescription(const QString& text);
    void showOwnDescription();
    // The chained event by kind data d and number n.
    void storeChainedEvent(int d, int n);
    void applyChainRange(int d);
    void storeBreakTime(int tenths);
};
