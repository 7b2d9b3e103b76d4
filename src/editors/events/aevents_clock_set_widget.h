#pragma once

#include "model/config_image.h"
#include "ui_timer_event_set.h"

#include <QWidget>

// The date and time of one timer: hour, minute, day of week, day, month and
// year, each with an "Any" box. Every edit goes straight into the timer's
// record of the controller's timerTable (BCD bytes, 0xFF for any) and is
// announced with changed(); loading a timer writes nothing.
class aevents_clock_set_widget : public QWidget, public Ui::timerEventSet {
    Q_OBJECT
public:
    explicit aevents_clock_set_widget(QWidget* parent);

    // Shows the timer of event eventId (0x800..0xBFF).
    void setTimer(int eventId);
    // Shows the current timer's record and the form.
    void load();
    // The day box allows the days of the chosen month; a day beyond them
    // becomes the month's last (stored, unless the day is any).
    void adjustDayRange();

    int currentTimer = 0x800;

signals:
    void changed();

public slots:
    void hourAnyChange(bool checked);
    void hourChange(int v);
    void minAnyChange(bool checked);
    void minChange(int v);
    void dOWAnyChange(bool checked);
    void dOWChange(int v);
    void dOMAnyChange(bool checked);
    void dOMChange(int v);
    void mAnyChange(bool checked);
    void mChange(int v);
    void yAnyChange(bool checked);
    void yChange(int v);
    // Sets every field to any, one "Any" box after the other.
    void clearAll(bool checked = false);

private:
    void fitTexts();
    // The record edited; null without a controller or for a bad id.
    timerRecord* record() const;
};
