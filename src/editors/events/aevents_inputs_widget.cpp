#include "editors/events/aevents_inputs_widget.h"

aevents_inputs_widget::aevents_inputs_widget(QWidget* parent) : QWidget(parent) {}

void aevents_inputs_widget::refresh()
{
    ++refreshCount;
}
