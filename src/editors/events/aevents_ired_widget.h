#pragma once

#include <QWidget>

// The remote-control button events page (events tab "Remote Control").
class aevents_ired_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_ired_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    void refresh();
    // After the remote-control settings were read: shows the current button again.
    void afterReload();
};
