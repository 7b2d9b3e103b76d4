#include "editors/events/aevents_dmxout_widget.h"

aevents_dmxout_widget::aevents_dmxout_widget(QWidget* parent) : QWidget(parent) {}

void aevents_dmxout_widget::refresh()
{
    ++refreshCount;
}
