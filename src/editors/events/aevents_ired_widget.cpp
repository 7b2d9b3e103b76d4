#include "editors/events/aevents_ired_widget.h"

aevents_ired_widget::aevents_ired_widget(QWidget* parent) : QWidget(parent) {}

void aevents_ired_widget::refresh()
{
    ++refreshCount;
}

void aevents_ired_widget::afterReload()
{
    refresh();
}
