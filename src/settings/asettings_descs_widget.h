#pragma once

#include <QWidget>

// The descriptions page (settings tab "Descriptions"): reloads the current category.
class asettings_descs_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_descs_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
