#pragma once

#include <QWidget>

class QTabWidget;
class QTableWidget;
class kv310_controller_class;

// The "Masks" page of the main window; built like the scene page: the page
// object is never shown, its widgets are children of the given tab page.
class amask_settings_widget : public QWidget {
    Q_OBJECT
public:
    amask_settings_widget(kv310_controller_class* controller, QWidget* parent);
    ~amask_settings_widget() override;

    int currentMask = 0;                        // row of maskList
    kv310_controller_class* tmpDev = nullptr;   // another configuration to copy from; owned
    QTableWidget* maskList;                     // one row per mask
    QTabWidget* toolTabs;
    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
    void limitChnls(int n);
    void destTmpDev();

private:
    kv310_controller_class* controller;
    int appliedLimit = -1;
};
