#include "editors/scenes/as_conf_widget.h"

as_conf_widget::as_conf_widget(QWidget* parent) : QGroupBox(parent)
{
    setTitle(tr("Enable active scenes"));
    setCheckable(true);
    setChecked(false);
    connect(this, &QGroupBox::toggled, this, qOverload<bool>(&as_conf_widget::refresh));
}

void as_conf_widget::refresh(bool)
{
    ++refreshCount;
}

void as_conf_widget::refresh()
{
    refresh(false);
}
