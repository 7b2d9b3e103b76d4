#pragma once

#include "editors/events/aevents_source_page.h"

#include <QModelIndex>

// The input events page (events tab "Inputs"): the On and Off events of the
// 24 inputs, two rows per input. The events of an unused input are shown but
// cannot be edited. Leaving an input that no longer holds an Enabling action
// frees the enabling role for another input or button.
class aevents_inputs_widget : public aevents_source_page {
    Q_OBJECT
public:
    explicit aevents_inputs_widget(QWidget* parent);

public slots:
    void refresh();
    void inputChange(const QModelIndex& index_current, const QModelIndex& index_previous);
    // After a configuration was loaded from a file or read from the
    // controller: selects the current row again.
    void afterReload();

private:
    QString rowText(int row) const;
    static bool inputUnused(int input);
};
