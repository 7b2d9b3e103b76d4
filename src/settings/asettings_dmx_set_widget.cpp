#include "settings/asettings_dmx_set_widget.h"

#include "seams/gui_base.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QLabel>
#include <QSpinBox>

namespace {
constexpr int DMX_OUTPUT_EVENTS_TAB = 6;
}

asettings_dmx_set_widget::asettings_dmx_set_widget(QWidget* parent) : QWidget(parent)
{
    auto* caption = new QLabel(tr("Output Channels Limit "), this);
    caption->setGeometry(10, 30, 165, 20);
    spinChnlMax = new QSpinBox(this);
    spinChnlMax->setRange(24, 512);
    spinChnlMax->setValue(512);
    spinChnlMax->setGeometry(180, 30, 60, 20);
}

void asettings_dmx_set_widget::eventGenEnable(bool on)
{
    if (!theController)
        return;
    uint8_t* image = theController->configImage;
    if (on) {
        if (img::getU16(image, img::outEventFirstChannel) >= img::CHANNELS) {
            img::putU16(image, img::outEventFirstChannel, img::CHANNELS - 1);
            img::putU16(image, img::outEventLastChannel, img::CHANNELS - 1);
        }
    } else {
        img::putU16(image, img::outEventFirstChannel, img::NONE16);
    }
    if (theMainWindow)
        theMainWindow->setEventsTabEnabled(DMX_OUTPUT_EVENTS_TAB, on);
}
