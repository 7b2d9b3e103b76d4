#include "editors/scenes/arecord_settings_widget.h"

#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

// The "Groupped Channels" tool of the record pages: a grid of channels
// ticked one by one or by rule, whose ticked channels of the current record
// are set to one level or copied to higher channels. The ticks are the
// grid's alone; the show never holds them.

namespace {

constexpr int CHANNELS = img::CHANNELS;
constexpr int GRID_COLUMNS = 10;
constexpr int CELL_WIDTH = 22;
constexpr int CELL_HEIGHT = 24;

}  // namespace

void arecord_settings_widget::buildGroupChannels()
{
    QWidget* page = groupPage;
    const QFont fontA = pageStyle::listFont();

    // Every channel has its cell whatever the limit when the page is built:
    // a later, larger limit enables them again.
    channelGrid = new checkGridModel(CHANNELS, GRID_COLUMNS);
    QStringList rowLabels;
    for (int r = 0; r < channelGrid->rowCount(); ++r)
        rowLabels << QString::number(GRID_COLUMNS * r);
    channelGrid->setRowLabels(rowLabels);
    channelGrid->setEnabledCount(channelsAtStart);
    groupTable = new checkGridView(channelGrid, CELL_WIDTH, CELL_HEIGHT, page);
    channelGrid->setParent(groupTable);
    // The cell the user last ticked or moved to stays marked, as the cell of
    // the check box that had the focus did.
    groupTable->setSelectionMode(QAbstractItemView::SingleSelection);
    groupTable->setGeometry(10, 20, 276, 602);

    groupLabel = pageStyle::centredLabel(tr(kind.toolLabelAtStart).arg(1), QRect(408, 20, 91, 20),
                                         {tr(kind.toolLabel).arg(kind.count)}, page);

    selectionGroup = new cellSelectionGroup({140, 56, kind.stepMaximum, outputsAtStart, kind.rangeEndAtStart}, page);
    selectionGroup->move(310, 60);

    valuesEnableBox = new QCheckBox(tr("Enable"), page);
    valuesEnableBox->setGeometry(320, 380, 100, 19);
    valuesLabel = new QLabel(tr("values setting"), page);
    valuesLabel->setGeometry(320, 400, 150, 17);
    withSliderLabel = new QLabel(tr("with slider"), page);
    withSliderLabel->setGeometry(320, 420, 101, 17);
    valueFader = std::make_unique<admx_slider_widget>(0, 480, 330, page);
    valueFader->slider->setValue(kind.valueAtStart);
    valueFader->slider->setEnabled(false);
    valueFader->valueBox->setEnabled(false);

    copyEnableBox = new QCheckBox(tr("Enable"), page);
    copyEnableBox->setGeometry(320, 550, 100, 19);
    copyingLabel = new QLabel(tr("copying"), page);
    copyingLabel->setGeometry(320, 570, 100, 17);
    relocationLabel = new QLabel(tr("with relocation"), page);
    relocationLabel->setGeometry(340, 590, 111, 21);
    relocationLabel->setFont(fontA);
    relocationBox = new QSpinBox(page);
    relocationBox->setGeometry(490, 590, 56, 21);
    relocationBox->setRange(1, CHANNELS - 1);
    relocationBox->setEnabled(false);
    copyButton = new QPushButton(tr("Copy"), page);
    copyButton->setGeometry(430, 560, 111, 23);
    copyButton->setFont(fontA);
    copyButton->setEnabled(false);

    connect(selectionGroup->executeButton, &QPushButton::clicked, this, &arecord_settings_widget::selectSome);
    connect(valuesEnableBox, &QCheckBox::toggled, valueFader->slider, &QSlider::setEnabled);
    connect(valuesEnableBox, &QCheckBox::toggled, valueFader->valueBox, &QSpinBox::setEnabled);
    connect(valuesEnableBox, &QCheckBox::toggled, this, &arecord_settings_widget::sliderEnabled);
    connect(copyEnableBox, &QCheckBox::toggled, relocationBox, &QSpinBox::setEnabled);
    connect(copyEnableBox, &QCheckBox::toggled, copyButton, &QPushButton::setEnabled);
    connect(copyEnableBox, &QCheckBox::toggled, this, &arecord_settings_widget::copyEnabled);
    connect(valueFader.get(), &admx_slider_widget::chValCh, this, &arecord_settings_widget::groupSetValue);
    connect(copyButton, &QPushButton::clicked, this, &arecord_settings_widget::copyGroup);
}

void arecord_settings_widget::selectSome()
{
    // Cells at or above the channel limit stay unticked.
    selectionGroup->apply(*channelGrid, qMin(channelCount, CHANNELS));
}

void arecord_settings_widget::groupSetValue(int, int val)
{
    const int end = qMin(channelCount, CHANNELS);
    for (int ch = 0; ch < end; ++ch)
        if (channelGrid->isChecked(ch))
            sliderBank->sCh(ch, val);
    refresh();
}

void arecord_settings_widget::copyGroup()
{
    if (!controller)
        return;
    const int offset = relocationBox->value();
    const int end = qMin(channelCount, CHANNELS);
    // In ascending order, each source read when its turn comes: a ticked
    // channel that an earlier copy of this run reached passes its new level on.
    for (int ch = 0; offset + ch < end; ++ch)
        if (channelGrid->isChecked(ch))
            sliderBank->sCh(offset + ch, sliderBank->levels()[ch]);
    refresh();
}

void arecord_settings_widget::copyEnabled(bool state)
{
    if (state)
        valuesEnableBox->setChecked(false);
}

void arecord_settings_widget::sliderEnabled(bool state)
{
    if (state)
        copyEnableBox->setChecked(false);
}

void arecord_settings_widget::limitChnls(int n)
{
    // The threshold page offers 24..512; anything else names no limit.
    if (n < admx512_sliders_widget::FADERS || n > CHANNELS)
        return;
    sliderBank->setChannelLimit(n);
    whenTools([this, n] {
        selectionGroup->toBox->setMaximum(n);
        channelGrid->apply(checkGridModel::tick::off, n, CHANNELS);
        channelGrid->setEnabledCount(n);
    });
    channelCount = n;
}

void arecord_settings_widget::limitChannelRanges(int n)
{
    whenTools([this, n] { selectionGroup->setRangeMaximum(n); });
}
