#pragma once

#include <QWidget>

// The compound-scene picture editor of the active-scenes tab.
class as_edit_widget : public QWidget {
    Q_OBJECT
public:
    explicit as_edit_widget(QWidget* parent);

    int refreshCount = 0;  // redraws so far

public slots:
    void refresh();
};
