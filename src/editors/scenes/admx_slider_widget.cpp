#include "editors/scenes/admx_slider_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>
#include <QVBoxLayout>

admx_slider_widget::admx_slider_widget(int channel, int x, int y, QWidget* parent)
    : QWidget(nullptr), channelBase(channel), channelNumber(channel)
{
    container = new QWidget(parent);
    container->setGeometry(x, y, 67, 200);

    columnLayout = new QVBoxLayout(container);
    // Narrow margins leave the caption room for "Value" in every language.
    columnLayout->setContentsMargins(2, 2, 2, 2);
    labelLayout = new QHBoxLayout();
    labelLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    label = new QLabel(container);
    label->setText(channel == 0 ? tr("Value") : QString::number(channelNumber));
    labelLayout->addWidget(label);
    labelLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    columnLayout->addLayout(labelLayout);

    sliderLayout = new QHBoxLayout();
    slider = new QSlider(Qt::Vertical, container);
    slider->setRange(0, 255);
    slider->setValue(0);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(10);
    slider->setSingleStep(1);
    slider->setFocusPolicy(Qt::StrongFocus);
    sliderLayout->addWidget(slider);
    columnLayout->addLayout(sliderLayout);

    valueBox = new QSpinBox(container);
    valueBox->setRange(0, 255);
    valueBox->setSingleStep(1);
    valueBox->setValue(0);
    columnLayout->addWidget(valueBox);

    connect(slider, &QSlider::valueChanged, valueBox, &QSpinBox::setValue);
    connect(valueBox, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    connect(slider, &QSlider::valueChanged, this, &admx_slider_widget::emitChannelChanges);
}

void admx_slider_widget::setChannel(int ch)
{
    channelNumber = channelBase + ch;
    label->setText(QString::number(channelNumber));
}

void admx_slider_widget::emitChannelChanges(int value)
{
    emit chValCh(channelNumber - 1, value);
}
