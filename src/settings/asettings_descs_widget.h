#pragma once

#include <QWidget>

// The descriptions page (settings tab "Descriptions"): reloads the current category.
class asettings_descs_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_descs_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    void refresh();
};
