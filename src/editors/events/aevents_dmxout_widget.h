#pragma once

#include "editors/events/aevents_source_page.h"

#include <QModelIndex>

// The DMX output events page (events tab "DMX Output"): the On and Off
// events of the output channels within the event-generation range, two rows
// per channel.
class aevents_dmxout_widget : public aevents_source_page {
    Q_OBJECT
public:
    explicit aevents_dmxout_widget(QWidget* parent);

    // The event-generation range, 1-based channels, written by the main
    // window after every read of the configuration and by the DMX output
    // settings page whenever it changes; the list follows at the next
    // refresh(). Whatever is written, the page lists channels within 1..512
    // only: lastChannel is taken within 1..512 and firstChannel within
    // 1..lastChannel + 1, and firstChannel = lastChannel + 1 (generation off,
    // 513 and 512) lists no channel.
    int firstChannel = 512;
    int lastChannel = 512;

public slots:
    void refresh();
    void dmxEventChange(const QModelIndex& index_current, const QModelIndex& index_previous);

private:
    // Brings firstChannel and lastChannel within the bounds above.
    void boundRange();
    bool rangeEmpty() const { return firstChannel > lastChannel; }
    // The event of a list row; -1 for a row that stands for none.
    int eventOfRow(int row) const;
    // After the range changed: the highlighted row and the current event
    // agree, and the current event lies within the range.
    void followRange();
    // What a list row shows, for the range of the last refresh().
    QVariant cell(int row, int role) const;

    bool listing = false;  // the list is changing its rows
    // The range the list shows: it follows firstChannel and lastChannel at
    // refresh() only, whatever is written to them in between.
    int listedFirst = 512;
    bool listedEmpty = false;
};
