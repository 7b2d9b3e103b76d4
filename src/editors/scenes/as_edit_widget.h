#pragma once

#include <QWidget>

// The compound-scene picture editor of the active-scenes tab.
class as_edit_widget : public QWidget {
    Q_OBJECT
public:
    explicit as_edit_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
