#include "settings/asettings_dmx_set_widget.h"

#include "seams/gui_base.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QSignalBlocker>

namespace {

constexpr int DMX_OUTPUT_EVENTS_TAB = 6;
constexpr int NOT_TRIGGERED = 255;  // down level of a channel that is not triggered

uint8_t* imageOfController()
{
    return theController ? theController->configImage : nullptr;
}

// A stored channel range as its two boxes show it: 1-based, within 1..512,
// first at most last. Only meaningful while the range is on.
QPair<int, int> shownRange(const uint8_t* image, uint32_t firstOffset, uint32_t lastOffset)
{
    const int first = qMin(int(img::getU16(image, firstOffset)), img::CHANNELS - 1);
    const int last = qBound(first, int(img::getU16(image, lastOffset)), img::CHANNELS - 1);
    return {first + 1, last + 1};
}

}  // namespace

asettings_dmx_set_widget::asettings_dmx_set_widget(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    currentChannel = 0;
    connect(spinBoxMin, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::setMin);
    connect(spinBoxMax, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::setMax);
    attachHysteresis();
    connect(radioButtonLinear, &QRadioButton::toggled, this, &asettings_dmx_set_widget::setLinear);
    connect(radioButtonNonLinear, &QRadioButton::toggled, this, &asettings_dmx_set_widget::setNonLinear);
    connect(radioButtonTriggered, &QRadioButton::toggled, this, &asettings_dmx_set_widget::setTriggered);
    connect(sbMbft, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::setMbft);
    for (QSpinBox* box : {sbFromCh, sbToCh, sbFromChT, sbToChT})
        box->setRange(1, img::CHANNELS);
    connect(sbFromCh, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::fromChnlChanged);
    connect(sbToCh, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::toChnlChanged);
    connect(gbEvGen, &QGroupBox::toggled, this, &asettings_dmx_set_widget::eventGenEnable);
}

QPair<int, int> asettings_dmx_set_widget::storedEventRange(const uint8_t* image)
{
    if (img::getU16(image, img::outEventFirstChannel) >= img::CHANNELS)
        return {img::CHANNELS + 1, img::CHANNELS};
    return shownRange(image, img::outEventFirstChannel, img::outEventLastChannel);
}

int asettings_dmx_set_widget::mbftValueOf(int code)
{
    if (code == 0)
        return 8;
    if (code == 1)
        return 10;
    return code + 10;
}

int asettings_dmx_set_widget::mbftCodeOf(int value)
{
    if (value <= 8)
        return 0;
    // 9 has no code of its own: 10 µs is the nearest step that still delays.
    if (value <= 10)
        return 1;
    return value - 10;
}

uint8_t* asettings_dmx_set_widget::record() const
{
    uint8_t* image = imageOfController();
    return image ? image + img::outputChannelsOf(currentChannel) : nullptr;
}

void asettings_dmx_set_widget::setChannel(unsigned channel)
{
    if (channel < unsigned(img::CHANNELS))
        currentChannel = int(channel);
    loadChannel();
}

void asettings_dmx_set_widget::loadChannel()
{
    uint8_t* image = imageOfController();
    if (!image)
        return;
    uint8_t* r = image + img::outputChannelsOf(currentChannel);

    // Level range: a record whose minimum is not below its maximum opens
    // to the full range.
    if (r[0] >= r[1]) {
        r[0] = 0;
        r[1] = 255;
    }
    const int min = r[0];
    const int max = r[1];
    {
        const QSignalBlocker minBlocker(spinBoxMin);
        const QSignalBlocker maxBlocker(spinBoxMax);
        spinBoxMin->setRange(0, max - 1);
        spinBoxMax->setRange(min + 1, 255);
        spinBoxMin->setValue(min);
        spinBoxMax->setValue(max);
    }
    emit changed();

    // Characteristic: a triggered record whose down level is not below its
    // up level becomes linear.
    int down = r[2];
    int up = r[3];
    if (down != NOT_TRIGGERED && down >= up) {
        down = up = 255;
        r[2] = r[3] = 255;
    }
    const bool triggered = down != NOT_TRIGGERED;
    QRadioButton* button = triggered ? radioButtonTriggered : up != 0 ? radioButtonLinear : radioButtonNonLinear;
    button->setChecked(true);  // a button not checked yet stores its own levels for a moment
    if (triggered) {
        // The bounds left by the channel shown before would clamp these levels.
        const QSignalBlocker downBlocker(spinBoxHDown);
        const QSignalBlocker upBlocker(spinBoxHUp);
        spinBoxHDown->setSpecialValueText(QString());
        spinBoxHUp->setSpecialValueText(QString());
        spinBoxHDown->setRange(1, 254);
        spinBoxHUp->setRange(1, 254);
        attachHysteresis();
    } else {
        showUntriggered();
    }
    // The record keeps its own levels, also those the boxes cannot show.
    setHistDown(down);
    setHistUp(up);

    // The whole output: shown, never written.
    const bool generating = img::getU16(image, img::outEventFirstChannel) < img::CHANNELS;
    {
        const QSignalBlocker groupBlocker(gbEvGen);
        const QSignalBlocker fromBlocker(sbFromCh);
        const QSignalBlocker toBlocker(sbToCh);
        gbEvGen->setChecked(generating);
        if (generating) {
            const QPair<int, int> range = storedEventRange(image);
            sbFromCh->setValue(range.first);
            sbToCh->setValue(range.second);
        }
    }
    if (theMainWindow)
        theMainWindow->setEventsTabEnabled(DMX_OUTPUT_EVENTS_TAB, generating);

    {
        const QSignalBlocker mbftBlocker(sbMbft);
        sbMbft->setValue(mbftValueOf(img::getU16(image, img::mbftCode)));
    }

    {
        const QSignalBlocker groupBlocker(gbTransparency);
        const QSignalBlocker fromBlocker(sbFromChT);
        const QSignalBlocker toBlocker(sbToChT);
        const bool transmitting = img::getU16(image, img::transmitFirstChannel) < img::CHANNELS;
        gbTransparency->setChecked(transmitting);
        if (transmitting) {
            const QPair<int, int> range = shownRange(image, img::transmitFirstChannel, img::transmitLastChannel);
            sbFromChT->setValue(range.first);
            sbToChT->setValue(range.second);
        }
    }
    if (!transmissionAttached) {
        transmissionAttached = true;
        connect(sbFromChT, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::fromChnlChangedT);
        connect(sbToChT, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::toChnlChangedT);
        connect(gbTransparency, &QGroupBox::toggled, this, &asettings_dmx_set_widget::transparencyDisable);
    }
}

// ---- The channel record -------------------------------------------------------------

void asettings_dmx_set_widget::setMin(int a)
{
    {
        const QSignalBlocker minBlocker(spinBoxMin);
        const QSignalBlocker maxBlocker(spinBoxMax);
        spinBoxMin->setValue(a);
        spinBoxMax->setMinimum(a + 1);
    }
    if (uint8_t* r = record())
        r[0] = uint8_t(a);
    emit changed();
}

void asettings_dmx_set_widget::setMax(int a)
{
    {
        const QSignalBlocker minBlocker(spinBoxMin);
        const QSignalBlocker maxBlocker(spinBoxMax);
        spinBoxMax->setValue(a);
        spinBoxMin->setMaximum(a - 1);
    }
    if (uint8_t* r = record())
        r[1] = uint8_t(a);
    emit changed();
}

void asettings_dmx_set_widget::setHistDown(int a)
{
    {
        const QSignalBlocker downBlocker(spinBoxHDown);
        const QSignalBlocker upBlocker(spinBoxHUp);
        spinBoxHDown->setValue(a);
        spinBoxHUp->setMinimum(spinBoxHDown->value() + 1);
    }
    if (uint8_t* r = record())
        r[2] = uint8_t(a);
    emit changed();
}

void asettings_dmx_set_widget::setHistUp(int a)
{
    {
        const QSignalBlocker downBlocker(spinBoxHDown);
        const QSignalBlocker upBlocker(spinBoxHUp);
        spinBoxHUp->setValue(a);
        spinBoxHDown->setMaximum(spinBoxHUp->value() - 1);
    }
    if (uint8_t* r = record())
        r[3] = uint8_t(a);
    emit changed();
}

void asettings_dmx_set_widget::attachHysteresis()
{
    if (!hDownConnection)
        hDownConnection = connect(spinBoxHDown, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::setHistDown);
    if (!hUpConnection)
        hUpConnection = connect(spinBoxHUp, &QSpinBox::valueChanged, this, &asettings_dmx_set_widget::setHistUp);
}

void asettings_dmx_set_widget::detachHysteresis()
{
    disconnect(hDownConnection);
    disconnect(hUpConnection);
    hDownConnection = {};
    hUpConnection = {};
}

void asettings_dmx_set_widget::showUntriggered()
{
    detachHysteresis();
    const QSignalBlocker downBlocker(spinBoxHDown);
    const QSignalBlocker upBlocker(spinBoxHUp);
    // A one-value range always shows its special text: the boxes stay blank.
    for (QSpinBox* box : {spinBoxHDown, spinBoxHUp}) {
        box->setSpecialValueText(QStringLiteral(" "));
        box->setRange(1, 1);
    }
}

void asettings_dmx_set_widget::setLinear(bool on)
{
    if (!on)
        return;
    if (uint8_t* r = record()) {
        r[3] = 255;
        r[2] = NOT_TRIGGERED;
    }
    showUntriggered();
    emit changed();
}

void asettings_dmx_set_widget::setNonLinear(bool on)
{
    if (!on)
        return;
    if (uint8_t* r = record()) {
        r[3] = 0;
        r[2] = NOT_TRIGGERED;
    }
    showUntriggered();
    emit changed();
}

void asettings_dmx_set_widget::setTriggered(bool on)
{
    if (!on)
        return;
    {
        const QSignalBlocker downBlocker(spinBoxHDown);
        const QSignalBlocker upBlocker(spinBoxHUp);
        spinBoxHDown->setSpecialValueText(QString());
        spinBoxHUp->setSpecialValueText(QString());
        spinBoxHUp->setRange(51, 254);
        spinBoxHDown->setRange(1, 199);
    }
    attachHysteresis();
    setHistUp(200);
    setHistDown(50);
    emit changed();
}

// ---- Event generation -----------------------------------------------------------------

void asettings_dmx_set_widget::fromChnlChanged(int a)
{
    if (sbToCh->value() < a)
        sbToCh->setValue(a);  // its own slot stores the new last channel
    if (uint8_t* image = imageOfController())
        img::putU16(image, img::outEventFirstChannel, uint16_t(a - 1));
    if (theMainWindow)
        theMainWindow->setDmxOutEventRange(a, sbToCh->value());
}

void asettings_dmx_set_widget::toChnlChanged(int a)
{
    if (sbFromCh->value() > a)
        sbFromCh->setValue(a);
    if (uint8_t* image = imageOfController())
        img::putU16(image, img::outEventLastChannel, uint16_t(a - 1));
    if (theMainWindow)
        theMainWindow->setDmxOutEventRange(sbFromCh->value(), a);
}

void asettings_dmx_set_widget::eventGenEnable(bool on)
{
    uint8_t* image = imageOfController();
    if (!image)
        return;
    if (!on) {
        img::putU16(image, img::outEventFirstChannel, img::NONE16);
        if (theMainWindow) {
            theMainWindow->setEventsTabEnabled(DMX_OUTPUT_EVENTS_TAB, false);
            theMainWindow->setDmxOutEventRange(img::CHANNELS + 1, img::CHANNELS);
        }
        return;
    }
    {
        const QSignalBlocker fromBlocker(sbFromCh);
        const QSignalBlocker toBlocker(sbToCh);
        if (img::getU16(image, img::outEventFirstChannel) >= img::CHANNELS) {
            const int m = sbToCh->maximum();
            sbFromCh->setValue(m);
            sbToCh->setValue(m);
            img::putU16(image, img::outEventFirstChannel, uint16_t(m - 1));
            img::putU16(image, img::outEventLastChannel, uint16_t(m - 1));
        } else {
            const QPair<int, int> range = storedEventRange(image);
            sbFromCh->setValue(range.first);
            sbToCh->setValue(range.second);
        }
    }
    if (theMainWindow) {
        const QPair<int, int> range = storedEventRange(image);
        theMainWindow->setDmxOutEventRange(range.first, range.second);
        theMainWindow->setEventsTabEnabled(DMX_OUTPUT_EVENTS_TAB, true);
        theMainWindow->refreshDmxOutEvents();
    }
}

// ---- DMX input signal transmission ------------------------------------------------------

void asettings_dmx_set_widget::fromChnlChangedT(int a)
{
    if (sbToChT->value() < a)
        sbToChT->setValue(a);
    if (uint8_t* image = imageOfController())
        img::putU16(image, img::transmitFirstChannel, uint16_t(a - 1));
}

void asettings_dmx_set_widget::toChnlChangedT(int a)
{
    if (sbFromChT->value() > a)
        sbFromChT->setValue(a);
    if (uint8_t* image = imageOfController())
        img::putU16(image, img::transmitLastChannel, uint16_t(a - 1));
}

void asettings_dmx_set_widget::transparencyDisable(bool on)
{
    uint8_t* image = imageOfController();
    if (!image)
        return;
    if (!on) {
        img::putU16(image, img::transmitFirstChannel, img::NONE16);
        return;
    }
    const QSignalBlocker fromBlocker(sbFromChT);
    const QSignalBlocker toBlocker(sbToChT);
    if (img::getU16(image, img::transmitFirstChannel) >= img::CHANNELS) {
        sbFromChT->setValue(1);
        sbToChT->setValue(1);
        img::putU16(image, img::transmitFirstChannel, 0);
        img::putU16(image, img::transmitLastChannel, 0);
    } else {
        const QPair<int, int> range = shownRange(image, img::transmitFirstChannel, img::transmitLastChannel);
        sbFromChT->setValue(range.first);
        sbToChT->setValue(range.second);
    }
}

// ---- Mark between frames ------------------------------------------------------------------

void asettings_dmx_set_widget::setMbft(int v)
{
    if (uint8_t* image = imageOfController())
        img::putU16(image, img::mbftCode, uint16_t(mbftCodeOf(v)));
}
