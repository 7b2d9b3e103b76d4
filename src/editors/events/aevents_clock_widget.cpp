#include "editors/events/aevents_clock_widget.h"

aevents_clock_widget::aevents_clock_widget(QWidget* parent) : QWidget(parent) {}

void aevents_clock_widget::refresh()
{
    ++refreshCount;
}
