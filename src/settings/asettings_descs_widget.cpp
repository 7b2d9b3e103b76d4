#include "settings/asettings_descs_widget.h"

asettings_descs_widget::asettings_descs_widget(QWidget* parent) : QWidget(parent) {}

void asettings_descs_widget::refresh()
{
    ++refreshCount;
}
