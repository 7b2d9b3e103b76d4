#include "editors/events/asettings_inputs_widget.h"

asettings_inputs_widget::asettings_inputs_widget(QWidget* parent) : QWidget(parent) {}

void asettings_inputs_widget::refresh()
{
    ++refreshCount;
}
