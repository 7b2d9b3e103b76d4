#pragma once

#include "editors/events/aevents_source_page.h"

#include <QModelIndex>

// The DMX input events page (events tab "DMX Input"): the On and Off events
// of the 512 input channels, two rows per channel. The events of the
// active-scenes control channel, and the Off event of a channel that may set
// phases, are shown but cannot be edited.
class aevents_dmx_widget : public aevents_source_page {
    Q_OBJECT
public:
    explicit aevents_dmx_widget(QWidget* parent);

    // The row text of a DMX channel event, shared with the output page:
    // "Dmx Ch. n (On) - " and the description or "no description".
    static QString channelRowText(int channel, bool off, const QString& description);
    // "Dmx Ch. n (On)" / "(Off)".
    static QString channelTitle(int channel, bool off);

public slots:
    void refresh();
    // After a configuration was loaded from a file or read from the
    // controller: selects the current row again.
    void afterReload();
    void dmxEventChange(const QModelIndex& index_current, const QModelIndex& index_previous);

private:
    static bool eventUnavailable(int id);
};
