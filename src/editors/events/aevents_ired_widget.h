#pragma once

#include "editors/events/aevents_source_page.h"

#include <QModelIndex>

// The remote-control button events page (events tab "Remote Control"): the
// pressed, repeated and released events of the 64 buttons, three rows per
// button. The events of a button whose key code has not been learnt are
// shown but cannot be edited. Leaving a button that no longer holds an
// Enabling action frees the enabling role.
class aevents_ired_widget : public aevents_source_page {
    Q_OBJECT
public:
    explicit aevents_ired_widget(QWidget* parent);

public slots:
    void refresh();
    void inputChange(const QModelIndex& index_current, const QModelIndex& index_previous);
    // After the remote-control settings were read (from the controller or a
    // settings file): shows the new key codes and descriptions and selects
    // the current row again.
    void afterReload();

private:
    QString rowText(int row) const;
    static bool buttonUnlearnt(int button);
};
