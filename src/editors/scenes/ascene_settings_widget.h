#pragma once

#include <QWidget>

class QTabWidget;
class QTableWidget;
class kv310_controller_class;

// The "Scenes" page of the main window. The page object itself is never
// shown: its widgets are children of the tab page given to the constructor.
class ascene_settings_widget : public QWidget {
    Q_OBJECT
public:
    ascene_settings_widget(kv310_controller_class* controller, QWidget* parent);
    ~ascene_settings_widget() override;

    int currentScene = 0;                       // row of sceneList
    kv310_controller_class* tmpDev = nullptr;   // another configuration to copy from; owned
    QTableWidget* sceneList;                    // one row per scene
    QTabWidget* toolTabs;                       // index 0: the faders of the current scene
    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;
    // Calls of relabel() so far; there are no list texts to rebuild yet.
    int relabelCount = 0;

public slots:
    void refresh();
    void relabel();
    void sceneLiveOn();
    void limitChnls(int n);
    void destTmpDev();

private:
    kv310_controller_class* controller;
    int appliedLimit = -1;
};
