#include "editors/scenes/admx512_sliders_widget.h"

#include "editors/scenes/admx_slider_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>

namespace {

constexpr int LAST_FIRST_CHANNEL = img::CHANNELS - admx512_sliders_widget::FADERS;

struct bankKind {
    const char* caption;
    int xOffset;
};

const bankKind bankKinds[] = {
    {QT_TRANSLATE_NOOP("admx512_sliders_widget", "Scene: "), 0},
    {QT_TRANSLATE_NOOP("admx512_sliders_widget", "Mask"), 0},
    {QT_TRANSLATE_NOOP("admx512_sliders_widget", "Compound scene: "), 200},
};

uint8_t* recordsOf(kv310_controller_class* controller, int kind)
{
    if (!controller)
        return nullptr;
    switch (kind) {
    case admx512_sliders_widget::KIND_SCENES:
        return controller->configImage + img::sceneChannels;
    case admx512_sliders_widget::KIND_MASKS:
        return controller->configImage + img::maskChannels;
    case admx512_sliders_widget::KIND_COMPOUND:
        return &controller->compoundScenes[0][0][0];
    default:
        return nullptr;
    }
}

}  // namespace

int admx512_sliders_widget::recordCount(int kind)
{
    switch (kind) {
    case KIND_SCENES:
        return img::SCENES;
    case KIND_MASKS:
        return img::MASKS;
    case KIND_COMPOUND:
        return int(sizeof(kv310_controller_class::compoundScenes) / img::CHANNELS);
    default:
        return 0;
    }
}

admx512_sliders_widget::admx512_sliders_widget(kv310_controller_class* controller, int channels, QWidget* parent,
                                               int kind)
    : QWidget(nullptr), recordData(recordsOf(controller, kind)), controller(controller), kind(kind)
{
    const bankKind& look = bankKinds[kind >= KIND_SCENES && kind <= KIND_COMPOUND ? kind : KIND_SCENES];
    const int dx = look.xOffset;

    header = new QWidget(parent);
    header->setGeometry(280 + dx, 30, 188, 31);
    headerLayout = new QHBoxLayout(header);
    headerLayout->setSpacing(6);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    titleLabel = new QLabel(tr(look.caption), header);
    numberLabel = new QLabel(QStringLiteral("1"), header);
    headerLayout->addWidget(titleLabel);
    headerLayout->addWidget(numberLabel);

    faderArea = new QWidget(parent);
    faderArea->setGeometry(20 + dx, 150, 1000, 200);
    for (int i = 0; i < FADERS; ++i)
        sliders[i] = std::make_unique<admx_slider_widget>(i + 1, 60 * i, 0, faderArea);

    scrollBar = new QScrollBar(Qt::Horizontal, parent);
    scrollBar->setGeometry(30 + dx, 350, 587, 20);
    scrollBar->setRange(0, qBound(0, channels - FADERS, LAST_FIRST_CHANNEL));
    scrollBar->setSingleStep(1);
    scrollBar->setValue(0);

    for (const auto& fader : sliders) {
        connect(scrollBar, &QScrollBar::valueChanged, fader.get(), &admx_slider_widget::setChannel);
        connect(fader.get(), &admx_slider_widget::chValCh, this, &admx512_sliders_widget::sCh);
    }
    connect(scrollBar, &QScrollBar::valueChanged, this, &admx512_sliders_widget::setSliders);

    // The controller's live operations send scene records; a mask or a
    // compound picture with the same number is another record, so those
    // banks keep their signals to themselves.
    if (controller && kind == KIND_SCENES) {
        connect(this, &admx512_sliders_widget::liveNewValue, controller, &kv310_controller_class::send_new_val);
        connect(this, &admx512_sliders_widget::livePrepareScene, controller, &kv310_controller_class::send_sc_prep);
    }
}

admx512_sliders_widget::~admx512_sliders_widget() = default;

void admx512_sliders_widget::setChannelLimit(int n)
{
    if (n < FADERS || n > img::CHANNELS)
        return;
    scrollBar->setMaximum(n - FADERS);
}

void admx512_sliders_widget::sCh(int ch, int val)
{
    if (!recordData || ch < 0 || ch >= img::CHANNELS || val < 0 || val > 255)
        return;
    uint8_t* level = levels() + ch;
    if (*level == val)
        return;
    *level = uint8_t(val);
    emit liveNewValue(recordNumber, ch);
    if (ch >= firstChannel && ch < firstChannel + FADERS)
        sliders[ch - firstChannel]->slider->setValue(val);
}

void admx512_sliders_widget::setSliders(int firstSliderNumber)
{
    if (unsigned(firstSliderNumber) > unsigned(LAST_FIRST_CHANNEL) || !recordData)
        return;
    firstChannel = firstSliderNumber;
    // A fader reports the level it is given back under its own channel, so
    // its channel must be the one whose level it shows: an owner that jumps
    // to other channels moves the scroll bar and the captions along.
    if (scrollBar->value() != firstChannel) {
        const QSignalBlocker quiet(scrollBar);
        scrollBar->setValue(firstChannel);
    }
    for (const auto& fader : sliders)
        if (fader->channelNumber != fader->channelBase + firstChannel)
            fader->setChannel(firstChannel);
    const uint8_t* shown = levels() + firstChannel;
    for (int i = 0; i < FADERS; ++i)
        sliders[i]->slider->setValue(shown[i]);
}

void admx512_sliders_widget::setSceneNumber(int sc)
{
    if (sc < 0 || sc >= recordCount(kind))
        return;
    recordNumber = sc;
    numberLabel->setText(QString::number(sc + 1));
    setSliders(scrollBar->value());
    emit livePrepareScene(sc);
}
