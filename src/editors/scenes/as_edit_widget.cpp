#include "editors/scenes/as_edit_widget.h"

as_edit_widget::as_edit_widget(QWidget* parent) : QWidget(parent) {}

void as_edit_widget::refresh()
{
    ++refreshCount;
}
