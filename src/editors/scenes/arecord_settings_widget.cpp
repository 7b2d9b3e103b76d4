#include "editors/scenes/arecord_settings_widget.h"

#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/other_configuration.h"
#include "model/time_codes.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "seams/regular_file.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include <cstring>

namespace {

constexpr int CHANNELS = img::CHANNELS;
constexpr int GRID_COLUMNS = 10;
constexpr int GRID_ROWS = (CHANNELS + GRID_COLUMNS - 1) / GRID_COLUMNS;
constexpr int LIST_COLUMN_WIDTH = 110;
constexpr int DESCRIPTION_LENGTH = 100;
constexpr uint16_t INFINITE = 0xFFFF;
constexpr uint16_t ONE_SECOND = 10;
// Offsets inside a fadeTimes record.
constexpr int FADE_UP = 0;
constexpr int DURATION = 2;
constexpr int FADE_DOWN = 4;

const char TIME_FORMAT[] = "hh'[h] 'mm'[m] 'ss'.'zzz'[s]'";

// True when all 512 levels hold v; compared a word at a time, since a
// refresh looks at every record of the kind.
bool allLevels(const uint8_t* p, uint8_t v)
{
    const uint64_t pattern = 0x0101010101010101ull * v;
    for (int i = 0; i < CHANNELS; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, sizeof w);
        if (w != pattern)
            return false;
    }
    return true;
}

// Where the widgets of the DMX sheet form sit for a kind.
struct sheetFormPlace {
    QRect group, importButton, exportButton, rangeLabel, fromBox, toLabel, toBox, relocateLabel, relocationBox,
        actionButton;
};

const sheetFormPlace sheetForms[] = {
    {{10, 480, 631, 141}, {90, 20, 90, 24}, {240, 20, 110, 24}, {30, 102, 131, 21}, {170, 100, 75, 22},
     {260, 102, 21, 17}, {300, 100, 75, 22}, {390, 102, 131, 21}, {530, 100, 75, 22}, {505, 20, 101, 24}},
    {{10, 430, 631, 181}, {200, 20, 90, 24}, {350, 20, 110, 24}, {60, 102, 131, 21}, {200, 100, 75, 22},
     {290, 102, 21, 17}, {330, 100, 75, 22}, {60, 142, 131, 21}, {200, 140, 75, 22}, {440, 140, 101, 23}},
};

// Where the widgets of the copy tools sit for a kind. The spin boxes are a
// little wider than the controller's own software drew them, so that five
// digits fit beside the arrows.
struct copyToolsPlace {
    QRect currentGroup, rangeLabel, fromBox, toLabel, toBox, copyButton, sourceDescription;
    QRect anotherGroup, altRangeLabel, altFromBox, altToLabel, altToBox, altCopyButton;
};

const copyToolsPlace copyTools[] = {
    {{10, 10, 631, 121}, {30, 42, 131, 21}, {170, 40, 75, 22}, {260, 42, 21, 17}, {300, 40, 75, 22},
     {505, 40, 101, 23}, {10, 80, 611, 21}, {10, 150, 631, 131}, {30, 92, 131, 21}, {170, 90, 75, 22},
     {260, 92, 21, 17}, {300, 90, 75, 22}, {415, 92, 101, 23}},
    {{10, 60, 631, 161}, {60, 42, 131, 21}, {200, 40, 75, 22}, {290, 42, 21, 17}, {330, 40, 75, 22},
     {200, 80, 101, 23}, {10, 120, 611, 21}, {10, 240, 631, 171}, {60, 92, 131, 21}, {200, 90, 75, 22},
     {290, 92, 21, 17}, {330, 90, 75, 22}, {200, 130, 101, 23}},
};

}  // namespace

// ---- Kinds of record ---------------------------------------------------------------

const recordPageKind& recordPageKind::scenes()
{
    static const recordPageKind kind{
        admx512_sliders_widget::KIND_SCENES,
        img::SCENES,
        img::sceneChannels,
        img::sceneTimes,
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Scene"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Scene: %1"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Scene %1"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Clear channels"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Import / Export Scenes"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Relocate scenes:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose different source scene!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "KvOrbit 310 project/config files (*.kvg;*.cfg;*.cfg310)"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Import scenes:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Export scenes:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "No valid scenes found!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "Scene %1 of the sheet would become scene %2!\n"
                          "Scenes run from 1 to %3: nothing imported.\nChoose a smaller range."),
        QT_TRANSLATE_N_NOOP("arecord_settings_widget", "%n scene(s) imported!"),
        QT_TRANSLATE_N_NOOP("arecord_settings_widget", "%n scene(s) exported!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "Required number of scenes exceeds Excel limits!\nContinue anyway?"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose DMX value sheet"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose file to save scenes"),
        0,
        16,
        64,
        0,
        true,
        recordTable::scenes,
        &dmxSheetKind::scenes(),
    };
    return kind;
}

const recordPageKind& recordPageKind::masks()
{
    static const recordPageKind kind{
        admx512_sliders_widget::KIND_MASKS,
        img::MASKS,
        img::maskChannels,
        img::maskTimes,
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Mask"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Mask: %1"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Mask %1"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Clear whole mask"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Import / Export Masks"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Relocate masks:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose different source mask!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "KvOrbit 310 project/config files (*.kvg;*.cfg)"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Import masks:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Export masks:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "No valid masks found!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "Mask %1 of the sheet would become mask %2!\n"
                          "Masks run from 1 to %3: nothing imported.\nChoose a smaller range."),
        QT_TRANSLATE_N_NOOP("arecord_settings_widget", "%n mask(s) imported!"),
        QT_TRANSLATE_N_NOOP("arecord_settings_widget", "%n mask(s) exported!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "Required number of masks exceeds Excel limits!\nContinue anyway?"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose masks' value sheet"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose file to save masks"),
        0xFF,
        256,
        512,
        255,
        false,
        recordTable::masks,
        &dmxSheetKind::masks(),
    };
    return kind;
}

QString* recordPageKind::descriptions(kv310_controller_class* controller) const
{
    return kind == admx512_sliders_widget::KIND_MASKS ? controller->maskDescriptions.data()
                                                      : controller->sceneDescriptions.data();
}

QBrush recordPageKind::rowBrush(int record, const uint8_t* levels) const
{
    const QBrush used(pageStyle::usedColour());
    if (kind != admx512_sliders_widget::KIND_MASKS)
        return allLevels(levels, 0) ? pageStyle::emptyBrush() : used;
    // Masks 0..191 let everything through when all levels are 255, masks
    // 192..255 when all are 0; each band shows its neutral masks apart.
    if (record < 128)
        return allLevels(levels, 0xFF) ? pageStyle::emptyBrush() : used;
    if (record < 192)
        return allLevels(levels, 0xFF) ? QBrush(QColor(255, 255, 180)) : used;
    return allLevels(levels, 0) ? QBrush(QColor(200, 255, 255)) : used;
}

// ---- Construction ------------------------------------------------------------------

arecord_settings_widget::arecord_settings_widget(kv310_controller_class* controller, QWidget* parent,
                                                 const recordPageKind& kind)
    : QWidget(nullptr), kind(kind), controller(controller)
{
    recordList = new QTableWidget(kind.count, 1, parent);
    recordList->setGeometry(10, 20, 175, 625);
    recordList->setHorizontalHeaderItem(0, new QTableWidgetItem(tr(kind.listHeader)));
    recordList->setColumnWidth(0, LIST_COLUMN_WIDTH);
    recordList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    recordList->setSelectionBehavior(QAbstractItemView::SelectRows);
    recordList->setSelectionMode(QAbstractItemView::SingleSelection);
    recordList->setFont(pageStyle::listFont());
    for (int r = 0; r < kind.count; ++r)
        recordList->setItem(r, 0, new QTableWidgetItem());
    recordList->setCurrentCell(0, 0);

    toolTabs = new QTabWidget(parent);
    toolTabs->setGeometry(190, 0, 661, 681);
    singlePage = new QWidget();
    groupPage = new QWidget();
    copyPage = new QWidget();
    toolTabs->addTab(singlePage, tr("Single Channels"));
    toolTabs->addTab(groupPage, tr("Groupped Channels"));
    toolTabs->addTab(copyPage, tr("Copying"));

    buildSingleChannels();
    buildGroupChannels();
    buildCopyTools();
    buildSheetForm();

    connect(descriptionEdit, &QLineEdit::editingFinished, this, &arecord_settings_widget::disableDescEdition);
    connect(clearButton, &QPushButton::clicked, this, &arecord_settings_widget::clearAllChnls);
    connect(recordList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &arecord_settings_widget::sceneChange);
    connect(this, &arecord_settings_widget::sceneChanged, sliderBank.get(), &admx512_sliders_widget::setSceneNumber);
    connect(fadeUpEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &arecord_settings_widget::riseTimeChange);
    connect(durationEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &arecord_settings_widget::lastTimeChange);
    connect(fadeDownEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &arecord_settings_widget::fallTimeChange);
    connect(infiniteBox, &QCheckBox::stateChanged, this, &arecord_settings_widget::lastTimeInfChange);
    connect(toolTabs, &QTabWidget::currentChanged, this, &arecord_settings_widget::tabChanged);

    connect(copySceneButton, &QPushButton::clicked, this, &arecord_settings_widget::copyScene);
    connect(fromSceneBox, &QSpinBox::valueChanged, this, &arecord_settings_widget::sourceDesc);
    connect(altFromBox, &QSpinBox::valueChanged, this, &arecord_settings_widget::lowLimit_2);
    connect(browseFileButton, &QPushButton::clicked, this, &arecord_settings_widget::browseFile);
    connect(openFileButton, &QPushButton::clicked, this, &arecord_settings_widget::readFile);
    connect(releaseButton, &QPushButton::clicked, this, &arecord_settings_widget::destTmpDev);
    connect(altCopyButton, &QPushButton::clicked, this, &arecord_settings_widget::copyAltScene);

    connect(sheetImportButton, &QRadioButton::clicked, this, &arecord_settings_widget::impOrExport);
    connect(sheetExportButton, &QRadioButton::clicked, this, &arecord_settings_widget::impOrExport);
    connect(sheetBrowseButton, &QPushButton::clicked, this, &arecord_settings_widget::browseImpExp);
    connect(sheetChooseButton, &QPushButton::clicked, this, &arecord_settings_widget::chooseFile);
    connect(sheetActionButton, &QPushButton::clicked, this, &arecord_settings_widget::migrate);
}

arecord_settings_widget::~arecord_settings_widget()
{
    delete tmpDev;
}

void arecord_settings_widget::buildSingleChannels()
{
    QWidget* page = singlePage;
    sliderBank = std::make_unique<admx512_sliders_widget>(controller, channelCount, page, kind.kind);

    // Labels and time edits are wider than the controller's own software
    // drew them, so that the longest caption and the whole time in the bold
    // face of the tab pages fit.
    const auto label = [page](const QString& text, int y) {
        auto* l = new QLabel(text, page);
        l->setGeometry(110, y, 150, 20);
        return l;
    };
    fadeUpLabel = label(tr("Fade Up Time:"), 400);
    durationLabel = label(tr("Duration:"), 430);
    fadeDownLabel = label(tr("Fade Down Time:"), 460);

    const auto timeEdit = [page](int y, uint16_t longest) {
        auto* e = new MyTimeEdit(page);
        e->setGeometry(260, y, 200, 20);
        e->setDisplayFormat(QString::fromLatin1(TIME_FORMAT));
        e->setMaximumTime(fromTenths(longest));
        return e;
    };
    fadeUpEdit = timeEdit(400, 0xFFFF);
    // 0xFFFF is the infinite duration, which only the box beside it sets.
    durationEdit = timeEdit(430, 0xFFFE);
    fadeDownEdit = timeEdit(460, 0xFFFF);

    infiniteBox = new QCheckBox(tr("Infinite"), page);
    infiniteBox->setGeometry(470, 430, 140, 20);

    clearButton = new QPushButton(tr(kind.clearCaption), page);
    clearButton->setFont(pageStyle::listFont());
    // A longer caption widens the button to the left, its right edge kept.
    const int clearWidth = qMax(140, clearButton->sizeHint().width());
    clearButton->setGeometry(605 - clearWidth, 510, clearWidth, 24);

    descriptionLabel = new QLabel(tr("Description:"), page);
    descriptionLabel->setGeometry(10, 590, 111, 21);
    descriptionEdit = new QLineEdit(page);
    descriptionEdit->setGeometry(10, 620, 631, 21);
    descriptionEdit->setFont(pageStyle::descriptionFont());
    descriptionEdit->setMaxLength(DESCRIPTION_LENGTH);
}

void arecord_settings_widget::buildGroupChannels()
{
    QWidget* page = groupPage;
    const QFont fontA = pageStyle::listFont();

    // Every channel has its box whatever the limit when the page is built:
    // a later, larger limit enables them again.
    groupTable = new QTableWidget(GRID_ROWS, GRID_COLUMNS, page);
    groupTable->setGeometry(10, 20, 276, 602);
    groupTable->setGridStyle(Qt::DotLine);
    QStringList rowLabels;
    for (int r = 0; r < GRID_ROWS; ++r) {
        rowLabels << QString::number(GRID_COLUMNS * r);
        groupTable->setRowHeight(r, 24);
    }
    groupTable->setVerticalHeaderLabels(rowLabels);
    // The bold face of the tab pages would make the header keep wider columns.
    groupTable->horizontalHeader()->setMinimumSectionSize(22);
    for (int c = 0; c < GRID_COLUMNS; ++c)
        groupTable->setColumnWidth(c, 22);
    for (int ch = 0; ch < CHANNELS; ++ch) {
        auto* box = new QCheckBox();
        box->setEnabled(ch < channelCount);
        channelBoxes[ch] = box;
        groupTable->setCellWidget(ch / GRID_COLUMNS, ch % GRID_COLUMNS, box);
    }

    groupLabel = new QLabel(tr(kind.toolLabelAtStart).arg(1), page);
    groupLabel->setGeometry(408, 20, 91, 20);
    groupLabel->setAlignment(Qt::AlignCenter);

    selectionGroup = new QGroupBox(tr("Selection"), page);
    selectionGroup->setGeometry(310, 60, 301, 261);
    // Three even columns, the last well inside the group's frame.
    selectButton = new QRadioButton(tr("Select"), selectionGroup);
    selectButton->setGeometry(10, 30, 91, 20);
    deselectButton = new QRadioButton(tr("Deselect"), selectionGroup);
    deselectButton->setGeometry(105, 30, 91, 20);
    deselectButton->setChecked(true);
    invertButton = new QRadioButton(tr("Invert"), selectionGroup);
    invertButton->setGeometry(200, 30, 91, 20);

    chooseGroup = new QGroupBox(tr("Choose all or..."), selectionGroup);
    chooseGroup->setGeometry(10, 60, 281, 151);
    everyBox = new QCheckBox(tr("Choose every"), chooseGroup);
    everyBox->setGeometry(50, 40, 140, 21);
    stepBox = new QSpinBox(chooseGroup);
    stepBox->setGeometry(200, 40, 56, 22);
    stepBox->setRange(2, kind.stepMaximum);
    stepBox->setEnabled(false);
    inRangeBox = new QCheckBox(tr("In range"), chooseGroup);
    inRangeBox->setGeometry(50, 80, 130, 19);

    // The range boxes end at the output channel limit stored in the image;
    // a word outside the limit's range leaves them the whole universe.
    int outputs = controller ? img::getU16(controller->configImage, img::outputChannelCount) : CHANNELS;
    if (outputs < 24 || outputs > CHANNELS)
        outputs = CHANNELS;
    fromLabel = new QLabel(tr("from "), chooseGroup);
    fromLabel->setGeometry(50, 110, 38, 20);
    fromLabel->setFont(fontA);
    fromChannelBox = new guardedSpinBox(chooseGroup);
    fromChannelBox->setGeometry(90, 110, 56, 22);
    fromChannelBox->setRange(1, outputs);
    fromChannelBox->setValue(1);
    fromChannelBox->setEnabled(false);
    toLabel = new QLabel(tr("to"), chooseGroup);
    toLabel->setGeometry(160, 110, 21, 20);
    toLabel->setFont(fontA);
    toChannelBox = new guardedSpinBox(chooseGroup);
    toChannelBox->setGeometry(200, 110, 56, 22);
    toChannelBox->setRange(1, outputs);
    toChannelBox->setValue(kind.rangeEndAtStart);
    toChannelBox->setEnabled(false);

    executeButton = new QPushButton(tr("Execute!"), selectionGroup);
    executeButton->setGeometry(90, 220, 121, 23);
    executeButton->setFont(fontA);

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

    connect(everyBox, &QCheckBox::toggled, stepBox, &QSpinBox::setEnabled);
    connect(inRangeBox, &QCheckBox::toggled, fromChannelBox, &QSpinBox::setEnabled);
    connect(inRangeBox, &QCheckBox::toggled, toChannelBox, &QSpinBox::setEnabled);
    connect(executeButton, &QPushButton::clicked, this, &arecord_settings_widget::selectSome);
    connect(fromChannelBox, &guardedSpinBox::valueAccepted, this, &arecord_settings_widget::validStart);
    connect(toChannelBox, &guardedSpinBox::valueAccepted, this, &arecord_settings_widget::validEnd);
    connect(valuesEnableBox, &QCheckBox::toggled, valueFader->slider, &QSlider::setEnabled);
    connect(valuesEnableBox, &QCheckBox::toggled, valueFader->valueBox, &QSpinBox::setEnabled);
    connect(valuesEnableBox, &QCheckBox::toggled, this, &arecord_settings_widget::sliderEnabled);
    connect(copyEnableBox, &QCheckBox::toggled, relocationBox, &QSpinBox::setEnabled);
    connect(copyEnableBox, &QCheckBox::toggled, copyButton, &QPushButton::setEnabled);
    connect(copyEnableBox, &QCheckBox::toggled, this, &arecord_settings_widget::copyEnabled);
    connect(valueFader.get(), &admx_slider_widget::chValCh, this, &arecord_settings_widget::groupSetValue);
    connect(copyButton, &QPushButton::clicked, this, &arecord_settings_widget::copyGroup);
}

void arecord_settings_widget::buildCopyTools()
{
    const copyToolsPlace& at = copyTools[kind.kind == admx512_sliders_widget::KIND_MASKS ? 1 : 0];
    const QFont fontA = pageStyle::listFont();
    const auto rightLabel = [&](QWidget* group, const QString& text, const QRect& r) {
        auto* l = new QLabel(text, group);
        l->setGeometry(r);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFont(fontA);
        return l;
    };
    const auto plainLabel = [&](QWidget* group, const QString& text, const QRect& r) {
        auto* l = new QLabel(text, group);
        l->setGeometry(r);
        l->setFont(fontA);
        return l;
    };
    const auto button = [&](QWidget* group, const QString& text, const QRect& r) {
        auto* b = new QPushButton(text, group);
        b->setGeometry(r);
        b->setFont(fontA);
        return b;
    };
    const auto recordBox = [&](QWidget* group, const QRect& r) {
        auto* b = new QSpinBox(group);
        b->setGeometry(r);
        b->setRange(1, kind.count);
        return b;
    };

    currentGroup = new QGroupBox(tr("Current Configuration"), copyPage);
    currentGroup->setGeometry(at.currentGroup);
    copyRangeLabel = rightLabel(currentGroup, tr("Copy from range:"), at.rangeLabel);
    fromSceneBox = recordBox(currentGroup, at.fromBox);
    copyToLabel = plainLabel(currentGroup, tr("to"), at.toLabel);
    toSceneBox = recordBox(currentGroup, at.toBox);
    copySceneButton = button(currentGroup, tr("Copy"), at.copyButton);
    sourceDescriptionEdit = new QLineEdit(currentGroup);
    sourceDescriptionEdit->setGeometry(at.sourceDescription);
    sourceDescriptionEdit->setReadOnly(true);
    sourceDescriptionEdit->setFont(pageStyle::descriptionFont());
    sourceDescriptionEdit->setMaxLength(DESCRIPTION_LENGTH);

    anotherGroup = new QGroupBox(tr("Another Configuration"), copyPage);
    anotherGroup->setGeometry(at.anotherGroup);
    fileLabel = rightLabel(anotherGroup, tr("File:"), QRect(20, 42, 51, 17));
    fileEdit = new QLineEdit(anotherGroup);
    fileEdit->setGeometry(90, 40, 331, 21);
    browseFileButton = button(anotherGroup, tr("Browse"), QRect(440, 39, 85, 23));
    openFileButton = button(anotherGroup, tr("Open"), QRect(530, 39, 75, 23));
    releaseButton = button(anotherGroup, tr("Release"), QRect(530, 92, 75, 23));
    altRangeLabel = rightLabel(anotherGroup, tr("Copy from range:"), at.altRangeLabel);
    altFromBox = recordBox(anotherGroup, at.altFromBox);
    altToLabel = plainLabel(anotherGroup, tr("to"), at.altToLabel);
    altToBox = recordBox(anotherGroup, at.altToBox);
    altCopyButton = button(anotherGroup, tr("Copy"), at.altCopyButton);
    altCopyButton->setEnabled(false);
}

void arecord_settings_widget::buildSheetForm()
{
    const sheetFormPlace& at = sheetForms[kind.kind == admx512_sliders_widget::KIND_MASKS ? 1 : 0];
    const QFont fontA = pageStyle::listFont();
    const auto rightLabel = [&](const QString& text, const QRect& r) {
        auto* l = new QLabel(text, sheetGroup);
        l->setGeometry(r);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFont(fontA);
        return l;
    };
    const auto button = [&](const QString& text, const QRect& r) {
        auto* b = new QPushButton(text, sheetGroup);
        b->setGeometry(r);
        b->setFont(fontA);
        return b;
    };
    const auto recordBox = [&](const QRect& r) {
        auto* b = new QSpinBox(sheetGroup);
        b->setGeometry(r);
        b->setRange(1, kind.count);
        return b;
    };

    sheetGroup = new QGroupBox(tr(kind.sheetTitle), copyPage);
    sheetGroup->setGeometry(at.group);
    sheetImportButton = new QRadioButton(tr("Import"), sheetGroup);
    sheetImportButton->setGeometry(at.importButton);
    sheetImportButton->setChecked(true);
    sheetExportButton = new QRadioButton(tr("Export"), sheetGroup);
    sheetExportButton->setGeometry(at.exportButton);

    sheetFileLabel = rightLabel(tr("File:"), QRect(20, 62, 51, 17));
    sheetFileEdit = new QLineEdit(sheetGroup);
    sheetFileEdit->setGeometry(90, 60, 331, 21);
    sheetBrowseButton = button(tr("Browse"), QRect(440, 59, 85, 23));
    sheetChooseButton = button(tr("Choose"), QRect(530, 59, 75, 23));

    sheetRangeLabel = rightLabel(tr("Copy from range:"), at.rangeLabel);
    sheetFromBox = recordBox(at.fromBox);
    sheetToLabel = new QLabel(tr("to"), sheetGroup);
    sheetToLabel->setGeometry(at.toLabel);
    sheetToLabel->setFont(fontA);
    sheetToBox = recordBox(at.toBox);
    sheetToBox->setValue(kind.count);
    sheetRelocateLabel = rightLabel(tr(kind.relocateCaption), at.relocateLabel);
    sheetRelocationBox = new QSpinBox(sheetGroup);
    sheetRelocationBox->setGeometry(at.relocationBox);

    sheetActionButton = button(tr("Import"), at.actionButton);
    sheetActionButton->setEnabled(false);
}

// ---- Image access ------------------------------------------------------------------

uint8_t* arecord_settings_widget::imageOf() const
{
    return controller->configImage;
}

uint32_t arecord_settings_widget::timesOf(int record) const
{
    return kind.times + 8u * uint32_t(record);
}

void arecord_settings_widget::storeTime(int offset, int code)
{
    if (!controller)
        return;
    img::putU16(imageOf(), timesOf(currentScene) + uint32_t(offset), uint16_t(qBound(0, code, 0xFFFF)));
}

QString arecord_settings_widget::rowText(int record) const
{
    const QString& text = kind.descriptions(controller)[record];
    return text.isEmpty() ? tr("no description") : text;
}

// ---- Loading -----------------------------------------------------------------------

void arecord_settings_widget::refresh()
{
    ++refreshCount;
    if (!controller)
        return;
    const uint8_t* image = imageOf();
    const fadeTimes times = fadeTimes::read(image + timesOf(currentScene));

    // The widgets are loaded without their slots writing back; the one
    // repair is the scenes' all-times-zero rule, applied as editing the
    // shown times to the record's would have applied it. A mask's rule acts
    // only when the user sets its duration: a mask whose three times are 0
    // (an imported one, say) is shown as it is.
    const QTime shownUp = fadeUpEdit->time();
    const QTime shownDuration = durationEdit->time();
    const QTime shownDown = fadeDownEdit->time();
    {
        const QSignalBlocker infinite(infiniteBox);
        const QSignalBlocker up(fadeUpEdit);
        const QSignalBlocker duration(durationEdit);
        const QSignalBlocker down(fadeDownEdit);
        const QSignalBlocker description(descriptionEdit);
        if (times.duration == INFINITE) {
            infiniteBox->setChecked(true);
            durationEdit->setTime(fromTenths(ONE_SECOND));
            durationEdit->setEnabled(false);
        } else {
            infiniteBox->setChecked(false);
            durationEdit->setTime(fromTenths(times.duration));
            durationEdit->setEnabled(true);
        }
        fadeUpEdit->setTime(fromTenths(times.fadeUp));
        fadeDownEdit->setTime(fromTenths(times.fadeDown));
        descriptionEdit->setText(kind.descriptions(controller)[currentScene]);
    }

    const uint8_t* levels = image + kind.channels;
    for (int r = 0; r < kind.count; ++r) {
        QTableWidgetItem* item = recordList->item(r, 0);
        item->setData(Qt::EditRole, rowText(r));
        item->setBackground(kind.rowBrush(r, levels + CHANNELS * r));
    }

    const bool durationBecameZero = times.duration == 0 && durationEdit->time() != shownDuration;
    const bool fadeBecameZero = (times.fadeUp == 0 && fadeUpEdit->time() != shownUp)
        || (times.fadeDown == 0 && fadeDownEdit->time() != shownDown);
    if (kind.fadesInTimeRule && (durationBecameZero || fadeBecameZero))
        CheckTimes();

    sliderBank->setSliders(sliderBank->firstChannel);
    refreshed();
}

void arecord_settings_widget::relabel()
{
    ++relabelCount;
    if (!controller)
        return;
    const QFont font = recordList->font();
    const int width = recordList->columnWidth(0);
    const QString none = pageStyle::elided(tr("no description"), font, width);
    const QString* texts = kind.descriptions(controller);
    for (int r = 0; r < kind.count; ++r)
        recordList->item(r, 0)->setData(Qt::EditRole,
                                         texts[r].isEmpty() ? none : pageStyle::elided(texts[r], font, width));
}

void arecord_settings_widget::disableDescEdition()
{
    if (!controller)
        return;
    kind.descriptions(controller)[currentScene] = descriptionEdit->text();
    if (QTableWidgetItem* item = recordList->item(currentScene, 0))
        item->setData(Qt::EditRole,
                      pageStyle::elided(rowText(currentScene), recordList->font(), recordList->columnWidth(0)));
}

void arecord_settings_widget::sceneChange(const QModelIndex& current, const QModelIndex&)
{
    if (!current.isValid() || current.row() >= kind.count)
        return;
    currentScene = current.row();
    groupLabel->setText(tr(kind.toolLabel).arg(currentScene + 1));
    emit sceneChanged(currentScene);
    refresh();
}

void arecord_settings_widget::tabChanged(int index)
{
    if (index == 0)
        refresh();
    else if (index == 2 && controller)
        sourceDescriptionEdit->setText(kind.descriptions(controller)[fromSceneBox->value() - 1]);
}

// ---- Times -------------------------------------------------------------------------

void arecord_settings_widget::riseTimeChange(QTime t)
{
    const int code = toTenths(t);
    storeTime(FADE_UP, code);
    if (code == 0 && kind.fadesInTimeRule)
        CheckTimes();
}

void arecord_settings_widget::lastTimeChange(QTime t)
{
    if (!controller || img::getU16(imageOf(), timesOf(currentScene) + DURATION) == INFINITE)
        return;
    const int code = toTenths(t);
    storeTime(DURATION, code);
    if (code == 0)
        CheckTimes();
}

void arecord_settings_widget::fallTimeChange(QTime t)
{
    const int code = toTenths(t);
    storeTime(FADE_DOWN, code);
    if (code == 0 && kind.fadesInTimeRule)
        CheckTimes();
}

void arecord_settings_widget::CheckTimes()
{
    if (!controller)
        return;
    const fadeTimes times = fadeTimes::read(imageOf() + timesOf(currentScene));
    const int sum = times.fadeUp + times.fadeDown + (kind.fadesInTimeRule ? times.duration : 0);
    if (sum != 0)
        return;
    showMessage(QMessageBox::Warning, theMainWindow, tr("Rule broken!"),
                tr("All times cannot equal 0!\nDuration will be fixed."));
    storeTime(DURATION, ONE_SECOND);
    const QSignalBlocker quiet(durationEdit);
    durationEdit->setTime(fromTenths(ONE_SECOND));
}

void arecord_settings_widget::lastTimeInfChange(int state)
{
    const bool infinite = state != Qt::Unchecked;
    storeTime(DURATION, infinite ? INFINITE : ONE_SECOND);
    const QSignalBlocker quiet(durationEdit);
    durationEdit->setTime(fromTenths(ONE_SECOND));
    durationEdit->setEnabled(!infinite);
}

void arecord_settings_widget::clearAllChnls()
{
    if (!controller)
        return;
    // Straight into the image: the refresh sends the whole record live.
    std::memset(imageOf() + kind.channels + uint32_t(CHANNELS) * uint32_t(currentScene), kind.clearLevel, CHANNELS);
    refresh();
}

// ---- Channel groups ----------------------------------------------------------------

void arecord_settings_widget::selectSome()
{
    enum { TICK, UNTICK, INVERT } mode = invertButton->isChecked() ? INVERT
        : selectButton->isChecked()                                ? TICK
                                                                   : UNTICK;
    int first = 0;
    int end = channelCount;
    if (inRangeBox->isChecked()) {
        first = fromChannelBox->value() - 1;
        end = toChannelBox->value();
    }
    // Boxes at or above the channel limit stay unticked.
    end = qMin(end, qMin(channelCount, CHANNELS));
    const int step = everyBox->isChecked() ? stepBox->value() : 1;
    for (int ch = qMax(first, 0); ch < end; ch += step) {
        QCheckBox* box = channelBoxes[ch];
        box->setChecked(mode == TICK || (mode == INVERT && !box->isChecked()));
    }
}

void arecord_settings_widget::validStart(int v)
{
    if (toChannelBox->value() < v)
        toChannelBox->setValue(v);
}

void arecord_settings_widget::validEnd(int v)
{
    if (v < fromChannelBox->value())
        fromChannelBox->setValue(v);
}

void arecord_settings_widget::groupSetValue(int, int val)
{
    const int end = qMin(channelCount, CHANNELS);
    for (int ch = 0; ch < end; ++ch)
        if (channelBoxes[ch]->isChecked())
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
        if (channelBoxes[ch]->isChecked())
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
    toChannelBox->setMaximum(n);
    for (int ch = 0; ch < CHANNELS; ++ch) {
        QCheckBox* box = channelBoxes[ch];
        if (ch >= n)
            box->setChecked(false);
        box->setEnabled(ch < n);
    }
    channelCount = n;
}

// ---- Copying records -----------------------------------------------------------------

QWidget* arecord_settings_widget::messageParent() const
{
    return copyPage;
}

void arecord_settings_widget::copyRecordsFrom(const kv310_controller_class& source, int from, int to)
{
    recordCopyParts parts;
    parts.levels = channelCount;
    // A mask keeps its own duration: only its levels and fades are copied.
    parts.duration = kind.table == recordTable::scenes;
    copyRecords(source, from - 1, to - 1, *controller, currentScene, kind.table, parts);
    relabel();
    refresh();
}

void arecord_settings_widget::copyScene()
{
    if (!controller)
        return;
    if (fromSceneBox->value() == currentScene + 1) {
        showMessage(QMessageBox::Information, theMainWindow, tr("Useless action!"), tr(kind.uselessText));
        return;
    }
    copyRecordsFrom(*controller, fromSceneBox->value(), toSceneBox->value());
}

void arecord_settings_widget::copyAltScene()
{
    if (!tmpDev || !controller)
        return;
    copyRecordsFrom(*tmpDev, altFromBox->value(), altToBox->value());
}

void arecord_settings_widget::sourceDesc(int v)
{
    if (controller && v >= 1 && v <= kind.count)
        sourceDescriptionEdit->setText(kind.descriptions(controller)[v - 1]);
    toSceneBox->setMinimum(v);
}

void arecord_settings_widget::lowLimit_2(int v)
{
    altToBox->setMinimum(v);
    if (tmpDev)
        sourceDescriptionEdit->setText(kind.descriptions(tmpDev)[altFromBox->value() - 1]);
}

void arecord_settings_widget::browseFile()
{
    const QString name = otherConfiguration::chooseFile(fileEdit->text(), tr(kind.configFilter));
    if (name.isEmpty())
        return;
    fileEdit->setText(name);
    readFile();
}

void arecord_settings_widget::readFile()
{
    otherConfiguration::read(tmpDev, fileEdit->text());
    altCopyButton->setEnabled(true);
    lowLimit_2(altFromBox->value() - 1);
}

void arecord_settings_widget::destTmpDev()
{
    if (!tmpDev)
        return;
    delete tmpDev;
    tmpDev = nullptr;
    altCopyButton->setEnabled(false);
}

void arecord_settings_widget::clrCfg()
{
    if (!tmpDev)
        return;
    tmpDev->ClearConfig(CLEAR_ALL);
    altCopyButton->setEnabled(false);
    sourceDescriptionEdit->clear();
}

// ---- DMX sheets ----------------------------------------------------------------------

void arecord_settings_widget::impOrExport()
{
    const bool importing = sheetImportButton->isChecked();
    sheetRelocationBox->setEnabled(importing);
    sheetActionButton->setText(importing ? tr("Import") : tr("Export"));
    sheetFromBox->setRange(1, kind.count);
    sheetToBox->setRange(1, kind.count);
    sheetActionButton->setEnabled(false);
    sheetColumns.clear();
    sheetUnread = dmxSheetUnread();
}

void arecord_settings_widget::browseImpExp()
{
    fileRequest request;
    request.directory = sheetFileEdit->text().isEmpty() ? QStringLiteral("./") : sheetFileEdit->text();
    request.filter = tr("KVO DMX Sheets (*.dmx;*.csv)") + QStringLiteral(";;") + tr("All files (*)");
    QString name;
    if (sheetImportButton->isChecked()) {
        request.caption = tr(kind.openSheetCaption);
        name = dialogs().openFileName(request);
    } else {
        request.caption = tr(kind.saveSheetCaption);
        name = dialogs().saveFileName(request);
    }
    if (name.isEmpty())
        return;
    sheetFileEdit->setText(name);
    chooseFile();
}

void arecord_settings_widget::chooseFile()
{
    sheetActionButton->setEnabled(false);
    if (sheetFileEdit->text().isEmpty())
        return;
    if (sheetImportButton->isChecked())
        readSheet();
    else
        sheetActionButton->setEnabled(true);  // the file is written by the export itself
}

void arecord_settings_widget::readSheet()
{
    const QString name = sheetFileEdit->text();
    const QString title = tr(kind.importTitle);
    QFile file(name);
    switch (openBoundedFile(file, fileLimit::dmxSheetMB)) {
    case boundedOpen::opened:
        break;
    case boundedOpen::failed:
        showMessage(QMessageBox::Critical, messageParent(), title, tr("Cannot open file %1!").arg(name));
        return;
    case boundedOpen::tooBig:
        showFileTooBig(messageParent(), name, fileLimit::dmxSheetMB);
        return;
    }
    dmxSheetColumns read;
    dmxSheetUnread unread;
    switch (dmxSheet::read(file, *kind.sheet, read, &unread)) {
    case dmxSheet::READ_INVALID:
        showMessage(QMessageBox::Critical, messageParent(), title, tr("Invalid DMX sheet!"));
        return;
    case dmxSheet::READ_EMPTY:
        sheetColumns.clear();
        sheetUnread = dmxSheetUnread();
        showMessage(QMessageBox::Critical, messageParent(), title, tr(kind.noneFound));
        return;
    case dmxSheet::READ_OK:
        break;
    }
    sheetColumns = std::move(read);
    sheetUnread = unread;

    // The range offered is the sheet's; the relocation keeps every column
    // of it within the table.
    const int first = sheetColumns.front()->number;
    const int last = sheetColumns.back()->number;
    sheetFromBox->setMinimum(first);
    sheetFromBox->setValue(first);
    sheetToBox->setMaximum(last);
    sheetToBox->setValue(last);
    sheetRelocationBox->setRange(1 - first, kind.count - last);
    sheetActionButton->setEnabled(true);
}

void arecord_settings_widget::migrate()
{
    if (!controller)
        return;
    if (!sheetImportButton->isChecked()) {
        exportSheet();
        return;
    }
    const QString title = tr(kind.importTitle);
    const int shift = sheetRelocationBox->value();
    const dmxSheet::storeResult result =
        dmxSheet::store(sheetColumns, *kind.sheet, controller->configImage, kind.descriptions(controller),
                        sheetFromBox->value(), sheetToBox->value(), shift);
    if (result.outside >= 0) {
        showMessage(QMessageBox::Critical, messageParent(), title,
                    tr(kind.outsideTable)
                        .arg(QString::number(result.outside), QString::number(result.outside + shift),
                             QString::number(kind.count)));
        return;
    }
    relabel();
    refresh();
    QString text = tr(kind.imported, nullptr, result.stored);
    // What the sheet held that the records do not: the user's values must
    // not be lost under a report of success.
    if (sheetUnread.count > 0)
        text += QLatin1Char('\n')
            + tr("%1 cell(s) could not be read, the first in row \"%2\", column %3.")
                  .arg(QString::number(sheetUnread.count), sheetUnread.row, QString::number(sheetUnread.column));
    if (result.timesRepaired > 0)
        text += QLatin1Char('\n')
            + tr("%1 scene(s) had all times 0: their duration is now 1 s.").arg(result.timesRepaired);
    showMessage(QMessageBox::Information, messageParent(), title, text);
}

void arecord_settings_widget::exportSheet()
{
    const QString name = sheetFileEdit->text();
    if (name.isEmpty())
        return;
    const QString title = tr(kind.exportTitle);
    const int from = sheetFromBox->value();
    int to = sheetToBox->value();
    if (to < from) {
        showMessage(QMessageBox::Critical, messageParent(), title, tr("Invalid range!"));
        return;
    }
    // Spreadsheets of old took 256 columns: the row names and 255 records.
    if (to - from > 254) {
        enum { YES, REPAIR, CANCEL };
        const int answer = askQuestion(QMessageBox::Question, messageParent(), title, tr(kind.tooManyColumns),
                                       {tr("Yes!"), tr("Repair"), tr("Cancel")}, YES, CANCEL);
        if (answer == REPAIR) {
            to = from + 254;
            sheetToBox->setValue(to);
        } else if (answer != YES) {
            return;
        }
    }
    // The user's file is replaced only by a complete sheet.
    QSaveFile file(name);
    if (!openRegularSaveFile(file)
        || !dmxSheet::write(file, *kind.sheet, controller->configImage, kind.descriptions(controller), from - 1,
                            to - 1)
        || !file.commit()) {
        showMessage(QMessageBox::Critical, messageParent(), title, tr("Cannot open file %1 to write!").arg(name));
        return;
    }
    showMessage(QMessageBox::Information, messageParent(), title, tr(kind.exported, nullptr, to - from + 1));
}
