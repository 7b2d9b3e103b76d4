#include "settings/asettings_dmx_in_widget.h"

asettings_dmx_in_widget::asettings_dmx_in_widget(QWidget* parent) : QWidget(parent) {}

void asettings_dmx_in_widget::refresh()
{
    ++refreshCount;
}
