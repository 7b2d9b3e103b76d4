#include "editors/events/aevents_dmx_widget.h"

aevents_dmx_widget::aevents_dmx_widget(QWidget* parent) : QWidget(parent) {}

void aevents_dmx_widget::refresh()
{
    ++refreshCount;
}
