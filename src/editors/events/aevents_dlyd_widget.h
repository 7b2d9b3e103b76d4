#pragma once

#include "editors/events/aevents_source_page.h"

#include <QModelIndex>
#include <cstdint>

class aevents_dlyd_delegate;

// The delay events page (events tab "Delayed Events"): the 512 delays with
// their times, green when an action starts them, the time beige when a
// sequence owns the delay (its time is set on the sequence page). A double
// click on a free delay's time opens the delay time editor; the action
// panel edits the actions of the selected delay's end.
class aevents_dlyd_widget : public aevents_source_page {
    Q_OBJECT
public:
    explicit aevents_dlyd_widget(QWidget* parent);

    // A delay time of 1..864000 tenths as "0h 20m 34.5s"; "not set" otherwise.
    static QString delayTimeText(uint32_t tenths);

    aevents_dlyd_delegate* delayDelegate;

public slots:
    // Rebuilds the delay rows; the widget argument names the editor that
    // asked for it, if any.
    void refresh(QWidget* w);
    void refresh();
    void delayChange(const QModelIndex& index_current, const QModelIndex& index_previous);

private:
    // What a list row shows: the delay's number and time, green when an
    // action starts it, the time beige when a sequence owns the delay.
    QVariant cell(int row, int column, int role) const;
};
