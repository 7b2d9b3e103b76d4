#pragma once

#include <QGroupBox>

// The active-scenes settings page: a checkable group box "Enable active
// scenes" on the page given to the constructor.
class as_conf_widget : public QGroupBox {
    Q_OBJECT
public:
    explicit as_conf_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    // Both reload every field from the image, whatever the argument.
    void refresh(bool v);
    void refresh();
};
