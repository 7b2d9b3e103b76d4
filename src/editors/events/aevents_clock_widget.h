#pragma once

#include "editors/events/aevents_source_page.h"

#include <QDate>
#include <QModelIndex>
#include <functional>

class QPushButton;
class QSpinBox;
class aevents_clock_set_widget;

// The sunrise, sunset and timer events page (events tab "Clock"): the 1024
// clock events with their settings, the delay of the sun events with
// today's resulting time, the timer form of a timer, and the actions of the
// event chosen.
class aevents_clock_widget : public aevents_source_page {
    Q_OBJECT
public:
    explicit aevents_clock_widget(QWidget* parent);

    // The date and the daylight-saving state today's sun time is worked
    // out for.
    struct day {
        QDate date;
        bool daylightSaving = false;
    };
    // The computer's clock; tests put another day in.
    std::function<day()> today;

    // A timer's settings on one line: "08:05 Fr --.03.----".
    static QString timerText(int eventId);
    // A sun event delay in 5-minute units: "      +1 h 30 min.".
    static QString sunDelayText(int delay);

    aevents_clock_set_widget* timerForm;
    QPushButton* clearButton;
    QSpinBox* sunDelayBox;
    QLabel* sunDelayLabel;
    QLabel* sunTimeLabel;

public slots:
    void refresh();
    void timerChange(const QModelIndex& index_current, const QModelIndex& index_previous);
    // The timer form changed a field: the current row's settings text follows.
    void updateStr();
    // Stores the delay of the sun event shown, in minutes (-240..240).
    void sunService(int minutes);

private:
    bool sunEventsOff() const;
    void showSunEvent(bool sunrise);
    // What a list row shows: its name, and the sun delay or timer settings.
    QVariant cell(int row, int column, int role) const;
};
