#pragma once

#include <QWidget>

class QPushButton;
class QTabWidget;
class QTableWidget;
class kv310_controller_class;

// The "Programs" page of the main window. The page object itself is never
// shown: its widgets are children of the tab page given to the constructor.
class aprogram_settings_widget : public QWidget {
    Q_OBJECT
public:
    aprogram_settings_widget(kv310_controller_class* controller, QWidget* parent);
    ~aprogram_settings_widget() override;

    // With false removes the extra-entries tab when it stands at index 3 of
    // toolTabs; with true changes nothing.
    void showEntriesTab(bool on);

    int currentProgram = 0;                     // row of programList
    int shownSteps = 0;                         // steps of currentProgram last shown
    kv310_controller_class* tmpDev = nullptr;   // another configuration to copy from; owned
    int programRows = 512;                      // program slots offered: 512 minus the extra entries
    QTableWidget* programList;
    QTabWidget* toolTabs;
    QTableWidget* stepTable;                    // steps of currentProgram; its current row is the selected step
    QPushButton* editSceneButton;               // "Edit current scene"; wired by the main window
    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;
    // Calls of relabel() so far; there are no list texts to rebuild yet.
    int relabelCount = 0;

signals:
    void relabelScenes();

public slots:
    // Shows the step table of currentProgram with n steps (-1: no program).
    void sceneCountChange(int n, bool b);
    void sceneCountChange(int n);
    void destTmpDev();
    void refresh();
    void relabel();
};
