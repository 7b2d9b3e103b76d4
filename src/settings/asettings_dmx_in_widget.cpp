#include "settings/asettings_dmx_in_widget.h"

#include "seams/gui_base.h"
#include "settings/phase_grid_model.h"
#include "widgets/cell_selection.h"
#include "widgets/check_grid.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/page_style.h"
#include "model/active_scenes.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <vector>

namespace {

constexpr int GRID_ROWS = 16;
constexpr int GRID_COLUMNS = 32;
constexpr int CELL_SIZE = 24;
constexpr int MIN_OUTPUT_CHANNELS = 24;

uint8_t* imageOfController()
{
    return theController ? theController->configImage : nullptr;
}

// A widget at (left, top) with the given size.
template <class W>
W* placed(W* w, int left, int top, int width, int height)
{
    w->setGeometry(left, top, width, height);
    return w;
}

}  // namespace

asettings_dmx_in_widget::asettings_dmx_in_widget(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 840, 650);
    setFont(pageStyle::listFont());

    // The bulk tool's range ends at the output channel limit as it stands
    // now; a word outside the limit's range leaves it the whole universe.
    int outputs = img::CHANNELS;
    if (const uint8_t* image = imageOfController()) {
        outputs = img::getU16(image, img::outputChannelCount);
        if (outputs < MIN_OUTPUT_CHANNELS || outputs > img::CHANNELS)
            outputs = img::CHANNELS;
    }

    limitCaption = placed(new QLabel(tr("Limit input DMX channels to:"), this), 230, 32, 255, 44);
    limitCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    gridCaption = placed(new QLabel(tr("Checked channels can set scenes' and masks' phases"), this), 20, 65, 800, 24);
    gridCaption->setAlignment(Qt::AlignCenter);
    inputLimitBox = placed(new QSpinBox(this), 500, 28, 50, 24);
    inputLimitBox->setRange(0, img::CHANNELS);
    inputLimitBox->setValue(img::CHANNELS);

    // Columns are headed 1..32 (the model's own numbering), rows by the
    // channel before their first: +0, +32, ...
    phaseCells = new phaseGridModel(GRID_ROWS * GRID_COLUMNS, GRID_COLUMNS, this);
    QStringList rowLabels;
    for (int r = 0; r < GRID_ROWS; ++r)
        rowLabels << QStringLiteral("+%1").arg(GRID_COLUMNS * r);
    phaseCells->setRowLabels(rowLabels);
    phaseGrid = placed(new checkGridView(phaseCells, CELL_SIZE, CELL_SIZE, this), 15, 105, 812, 415);
    phaseGrid->setFocusPolicy(Qt::NoFocus);

    toLabel = placed(new QLabel(tr("to"), this), 600, 540, 21, 22);
    chooseAllLabel = placed(new QLabel(tr("Choose all"), this), 45, 540, 125, 22);
    rangeCheck = placed(new QCheckBox(tr("In range from"), this), 410, 540, 121, 22);
    stepCheck = placed(new QCheckBox(tr("or choose every"), this), 180, 540, 151, 22);
    stepBox = placed(new QSpinBox(this), 340, 540, 52, 22);
    stepBox->setRange(2, 256);
    stepBox->setValue(2);
    stepBox->setEnabled(false);
    fromBox = placed(new guardedSpinBox(this), 540, 540, 52, 22);
    fromBox->setRange(1, outputs);
    fromBox->setValue(1);
    fromBox->setEnabled(false);
    toBox = placed(new guardedSpinBox(this), 630, 540, 52, 22);
    toBox->setRange(1, outputs);
    toBox->setValue(img::CHANNELS);
    toBox->setEnabled(false);
    selectRadio = placed(new QRadioButton(tr("Select"), this), 180, 580, 91, 20);
    deselectRadio = placed(new QRadioButton(tr("Deselect"), this), 310, 580, 91, 20);
    deselectRadio->setChecked(true);
    invertRadio = placed(new QRadioButton(tr("Invert"), this), 420, 580, 91, 20);
    executeButton = placed(new QPushButton(tr("Execute!"), this), 550, 578, 121, 23);
    executeButton->setFont(pageStyle::listFont());

    connect(inputLimitBox, &QSpinBox::editingFinished, this, &asettings_dmx_in_widget::chgLimit);
    bulkTool = new cellSelection({selectRadio, invertRadio, stepCheck, stepBox, rangeCheck, fromBox, toBox}, this);
    connect(executeButton, &QPushButton::clicked, this, &asettings_dmx_in_widget::selectSome);
    // A click or a tool ticks a cell; a refresh shows the image without telling.
    connect(phaseCells, &checkGridModel::toggled, this, [this](int cell, bool) { boxChanged(cell); });
    refresh();
}

void asettings_dmx_in_widget::limitRangeBoxes(int n)
{
    if (n < 1 || n > img::CHANNELS)
        return;
    bulkTool->setRangeMaximum(n);
}

void asettings_dmx_in_widget::boxChanged(int channel)
{
    uint8_t* image = imageOfController();
    if (!image || channel < 0 || channel >= phaseCells->cells())
        return;
    const uint32_t offset = img::dmxInPhaseMaskOf(channel / GRID_COLUMNS);
    const uint32_t bit = 1u << (channel % GRID_COLUMNS);
    uint32_t word = img::getU32(image, offset);
    // A clear bit lets the channel set phases.
    word = phaseCells->isChecked(channel) ? word & ~bit : word | bit;
    img::putU32(image, offset, word);
}

void asettings_dmx_in_widget::refresh()
{
    ++refreshCount;
    const uint8_t* image = imageOfController();
    if (!image)
        return;
    const int limit = img::getU16(image, img::inputChannelLimit);
    {
        const QSignalBlocker blocker(inputLimitBox);
        inputLimitBox->setValue(limit);
    }
    const int control = img::getU16(image, img::asControlChannel);
    // Showing writes nothing: a channel beyond the limit shows unticked and
    // keeps the bit it has (the user's choice comes back when the limit is
    // raised again).
    std::vector<bool> shown(size_t(phaseCells->cells()), false);
    for (int c = 0; c < qMin(limit, phaseCells->cells()); ++c)
        shown[size_t(c)] = (img::getU32(image, img::dmxInPhaseMaskOf(c / GRID_COLUMNS)) & (1u << (c % GRID_COLUMNS))) == 0;
    phaseCells->setControlCell(control, tr("Active Scenes control channel"));
    if (phaseCells->controlCell() >= 0)
        shown[size_t(control)] = true;
    phaseCells->setEnabledCount(limit);
    phaseCells->load(shown);
    // Ticked whatever its bit said: the control channel can always set
    // phases, and a bit that says otherwise is repaired.
    if (phaseCells->controlCell() >= 0 && activeSceneRules::controlPhaseLocked(image)) {
        const showRepair repair(theController);
        boxChanged(control);
    }
}

bool asettings_dmx_in_widget::isLocked(int channel) const
{
    const uint8_t* image = imageOfController();
    return !image || channel >= img::getU16(image, img::inputChannelLimit)
        || channel == img::getU16(image, img::asControlChannel);
}

void asettings_dmx_in_widget::chgLimit()
{
    uint8_t* image = imageOfController();
    const int n = inputLimitBox->value();
    // The box also finishes editing when the focus merely passes through
    // it: a limit that did not change moves nothing.
    const int stored = image ? int(img::getU16(image, img::inputChannelLimit)) : img::CHANNELS;
    if (image && n == qBound(0, stored, int(img::CHANNELS)))
        return;
    // The channels that fall out of the limit can no longer set phases, so
    // that raising the limit again shows them unchecked. (A control channel
    // among them moves into the limit below.)
    if (image) {
        for (int c = n; c < qMin(stored, int(img::CHANNELS)); ++c) {
            const uint32_t offset = img::dmxInPhaseMaskOf(c / GRID_COLUMNS);
            img::putU32(image, offset, img::getU32(image, offset) | 1u << (c % GRID_COLUMNS));
        }
    }
    if (theController)
        theController->setDmxInLimit(n);
    if (theMainWindow)
        theMainWindow->setActiveScenesInputLimit(n);
    refresh();
}

void asettings_dmx_in_widget::selectSome()
{
    const uint8_t* image = imageOfController();
    if (!image)
        return;
    cellSelection::choice c = bulkTool->chosen(inputLimitBox->value());
    // The cells the user cannot change (the control channel, channels
    // beyond the stored limit) keep their states and bits.
    c.end = qMin(c.end, int(img::getU16(image, img::inputChannelLimit)));
    const int control = img::getU16(image, img::asControlChannel);
    if (control < c.first || control >= c.end) {
        phaseCells->apply(c.mode, c.first, c.end, c.step);
        return;
    }
    phaseCells->apply(c.mode, c.first, control, c.step);
    // The tool goes on at the first of its channels past the control channel.
    const int after = control + 1 + (c.step - (control + 1 - c.first) % c.step) % c.step;
    phaseCells->apply(c.mode, after, c.end, c.step);
}
