#include "editors/events/aevents_dlyd_widget.h"

aevents_dlyd_widget::aevents_dlyd_widget(QWidget* parent) : QWidget(parent) {}

void aevents_dlyd_widget::refresh(QWidget*)
{
    ++refreshCount;
}

void aevents_dlyd_widget::refresh()
{
    refresh(nullptr);
}
