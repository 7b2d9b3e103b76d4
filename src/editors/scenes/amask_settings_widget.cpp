#include "editors/scenes/amask_settings_widget.h"

amask_settings_widget::amask_settings_widget(kv310_controller_class* controller, QWidget* parent)
    : arecord_settings_widget(controller, parent, recordPageKind::masks())
{
    refresh();
}
