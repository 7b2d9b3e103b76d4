#pragma once

#include <QWidget>

// The Power On and internal events page (events tab "Internal Events").
class aevents_vkeys_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_vkeys_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    void refresh();
};
