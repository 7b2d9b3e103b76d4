#include "editors/events/aevents_vkeys_widget.h"

aevents_vkeys_widget::aevents_vkeys_widget(QWidget* parent) : QWidget(parent) {}

void aevents_vkeys_widget::refresh()
{
    ++refreshCount;
}
