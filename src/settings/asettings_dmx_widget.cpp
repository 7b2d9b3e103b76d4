#include "settings/asettings_dmx_widget.h"

#include "settings/asettings_dmx_set_widget.h"

#include <QSpinBox>

asettings_dmx_widget::asettings_dmx_widget(QWidget* parent) : QWidget(parent)
{
    settingsPanel = new asettings_dmx_set_widget(parent);
    settingsPanel->move(350, 100);
    connect(settingsPanel->spinChnlMax, &QSpinBox::valueChanged, this, &asettings_dmx_widget::limitChnls);
}

void asettings_dmx_widget::refresh()
{
    ++refreshCount;
}

void asettings_dmx_widget::limitChnls(int n)
{
    channelLimit = n;
}
