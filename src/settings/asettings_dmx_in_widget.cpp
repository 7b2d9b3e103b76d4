#include "settings/asettings_dmx_in_widget.h"

#include "seams/gui_base.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/page_style.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSignalMapper>
#include <QSpinBox>
#include <QTableWidget>

namespace {

constexpr int GRID_ROWS = 16;
constexpr int GRID_COLUMNS = 32;
constexpr int CELL_SIZE = 24;
constexpr int MIN_OUTPUT_CHANNELS = 24;
const QColor controlChannelColour(220, 173, 33);

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

mCheckBox::mCheckBox(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QCheckBox::stateChanged, this, &mCheckBox::sendMonit);
}

void mCheckBox::sendMonit(int)
{
    emit monit();
}

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

    phaseGrid = placed(new QTableWidget(GRID_ROWS, GRID_COLUMNS, this), 15, 105, 812, 415);
    phaseGrid->setGridStyle(Qt::DotLine);
    phaseGrid->setSelectionMode(QAbstractItemView::NoSelection);
    phaseGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    phaseGrid->setFocusPolicy(Qt::NoFocus);
    phaseGrid->horizontalHeader()->setMinimumSectionSize(CELL_SIZE);
    phaseGrid->verticalHeader()->setMinimumSectionSize(CELL_SIZE);
    QStringList columnLabels;
    for (int k = 0; k < GRID_COLUMNS; ++k) {
        columnLabels << QString::number(k + 1);
        phaseGrid->setColumnWidth(k, CELL_SIZE);
    }
    QStringList rowLabels;
    for (int r = 0; r < GRID_ROWS; ++r) {
        rowLabels << QStringLiteral("+%1").arg(GRID_COLUMNS * r);
        phaseGrid->setRowHeight(r, CELL_SIZE);
    }
    phaseGrid->setHorizontalHeaderLabels(columnLabels);
    phaseGrid->setVerticalHeaderLabels(rowLabels);

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

    boxMapper = new QSignalMapper(this);
    for (int c = 0; c < img::CHANNELS; ++c) {
        auto* box = new mCheckBox(this);
        connect(box, &mCheckBox::monit, boxMapper, qOverload<>(&QSignalMapper::map));
        boxMapper->setMapping(box, c);
        phaseGrid->setCellWidget(c / GRID_COLUMNS, c % GRID_COLUMNS, box);
    }

    connect(inputLimitBox, &QSpinBox::editingFinished, this, &asettings_dmx_in_widget::chgLimit);
    connect(stepCheck, &QCheckBox::toggled, stepBox, &QSpinBox::setEnabled);
    connect(rangeCheck, &QCheckBox::toggled, fromBox, &QSpinBox::setEnabled);
    connect(rangeCheck, &QCheckBox::toggled, toBox, &QSpinBox::setEnabled);
    connect(executeButton, &QPushButton::clicked, this, &asettings_dmx_in_widget::selectSome);
    connect(fromBox, &guardedSpinBox::valueAccepted, this, &asettings_dmx_in_widget::validStart);
    connect(toBox, &guardedSpinBox::valueAccepted, this, &asettings_dmx_in_widget::validEnd);
    connect(boxMapper, &QSignalMapper::mappedInt, this, &asettings_dmx_in_widget::boxChanged);
    refresh();
}

mCheckBox* asettings_dmx_in_widget::boxOf(int channel) const
{
    if (channel < 0 || channel >= img::CHANNELS)
        return nullptr;
    return static_cast<mCheckBox*>(phaseGrid->cellWidget(channel / GRID_COLUMNS, channel % GRID_COLUMNS));
}

void asettings_dmx_in_widget::limitRangeBoxes(int n)
{
    if (n < 1 || n > img::CHANNELS)
        return;
    fromBox->setMaximum(n);
    toBox->setMaximum(n);
}

void asettings_dmx_in_widget::boxChanged(int channel)
{
    uint8_t* image = imageOfController();
    mCheckBox* box = boxOf(channel);
    if (!image || !box)
        return;
    const uint32_t offset = img::dmxInPhaseMaskOf(channel / GRID_COLUMNS);
    const uint32_t bit = 1u << (channel % GRID_COLUMNS);
    uint32_t word = img::getU32(image, offset);
    // A clear bit lets the channel set phases.
    word = box->isChecked() ? word & ~bit : word | bit;
    img::putU32(image, offset, word);
}

void asettings_dmx_in_widget::refresh()
{
    ++refreshCount;
    const uint8_t* image = imageOfController();
    if (!image)
        return;
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::AlternateBase, controlChannelColour);

    const int limit = img::getU16(image, img::inputChannelLimit);
    {
        const QSignalBlocker blocker(inputLimitBox);
        inputLimitBox->setValue(limit);
    }
    const int control = img::getU16(image, img::asControlChannel);
    for (int c = 0; c < img::CHANNELS; ++c) {
        mCheckBox* box = boxOf(c);
        // Showing writes nothing: a channel beyond the limit keeps the bit
        // it has, whatever its box showed before (the user's choice comes
        // back when the limit is raised again).
        const QSignalBlocker quiet(box);
        box->setPalette(palette);
        box->setAutoFillBackground(c == control);
        if (c == control) {
            box->setEnabled(false);
            box->setChecked(true);
            box->setBackgroundRole(QPalette::AlternateBase);
            box->setToolTip(tr("Active Scenes control channel"));
            // Checked whatever its bit said: the control channel can always set phases.
            boxChanged(c);
            continue;
        }
        box->setToolTip(QStringLiteral("%1").arg(c + 1));
        box->setBackgroundRole(QPalette::Base);
        if (c < limit) {
            const uint32_t word = img::getU32(image, img::dmxInPhaseMaskOf(c / GRID_COLUMNS));
            box->setChecked((word & (1u << (c % GRID_COLUMNS))) == 0);
            box->setEnabled(true);
        } else {
            box->setChecked(false);
            box->setEnabled(false);
        }
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

void asettings_dmx_in_widget::validStart(int a)
{
    if (toBox->value() < a)
        toBox->setValue(a);
}

void asettings_dmx_in_widget::validEnd(int a)
{
    if (fromBox->value() > a)
        fromBox->setValue(a);
}

void asettings_dmx_in_widget::selectSome()
{
    enum { SELECT, DESELECT, INVERT } action = invertRadio->isChecked() ? INVERT
        : selectRadio->isChecked()                                      ? SELECT
                                                                        : DESELECT;
    int start = 0;
    int end = inputLimitBox->value();
    if (rangeCheck->isChecked()) {
        start = fromBox->value() - 1;
        end = toBox->value();
    }
    end = qMin(end, int(img::CHANNELS));
    const int step = stepCheck->isChecked() ? stepBox->value() : 1;
    // The boxes the user cannot change (the control channel, channels
    // beyond the limit) keep their states and bits.
    for (int c = qMax(start, 0); c < end; c += step) {
        if (isLocked(c))
            continue;
        mCheckBox* box = boxOf(c);
        box->setChecked(action == SELECT || (action == INVERT && !box->isChecked()));
    }
}
