#include "editors/scenes/arecord_settings_widget.h"

#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/record_list.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/other_configuration.h"
#include "model/time_codes.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "seams/regular_file.h"
#include "widgets/late_content.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
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

#include <cstring>
#include <utility>

namespace {

constexpr int CHANNELS = img::CHANNELS;
constexpr int DESCRIPTION_LENGTH = 100;
constexpr uint16_t INFINITE = 0xFFFF;
constexpr uint16_t ONE_SECOND = 10;
// Offsets inside a fadeTimes record.
constexpr int FADE_UP = 0;
constexpr int DURATION = 2;
constexpr int FADE_DOWN = 4;

const char TIME_FORMAT[] = "hh'[h] 'mm'[m] 'ss'.'zzz'[s]'";

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

// ---- Construction ------------------------------------------------------------------

arecord_settings_widget::arecord_settings_widget(kv310_controller_class* controller, QWidget* parent,
                                                 const recordPageKind& kind, toolBuild tools)
    : QWidget(nullptr), kind(kind), controller(controller)
{
    // What the tools are made from, kept for tools made later: a later limit
    // or read reaches them as it reached tools made now.
    channelsAtStart = channelCount;
    // The range boxes end at the output channel limit stored in the image;
    // a word outside the limit's range leaves them the whole universe.
    outputsAtStart = controller ? img::getU16(controller->configImage, img::outputChannelCount) : CHANNELS;
    if (outputsAtStart < 24 || outputsAtStart > CHANNELS)
        outputsAtStart = CHANNELS;

    recordModel = new recordListModel(controller, kind);
    recordList = makeRecordListView(recordModel, parent);
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
    if (tools == toolBuild::atOnce)
        ensureTools();
}

arecord_settings_widget::~arecord_settings_widget() = default;

void arecord_settings_widget::ensureTools()
{
    if (toolsReady)
        return;
    toolsReady = true;
    buildGroupChannels();
    buildCopyTools();
    buildSheetForm();

    connect(copySceneButton, &QPushButton::clicked, this, &arecord_settings_widget::copyScene);
    connect(fromSceneBox, &QSpinBox::valueChanged, this, &arecord_settings_widget::sourceDesc);
    connect(altFromBox, &QSpinBox::valueChanged, this, &arecord_settings_widget::lowLimit_2);
    connect(altCopyButton, &QPushButton::clicked, this, &arecord_settings_widget::copyAltScene);

    connect(sheetImportButton, &QRadioButton::clicked, this, &arecord_settings_widget::impOrExport);
    connect(sheetExportButton, &QRadioButton::clicked, this, &arecord_settings_widget::impOrExport);
    connect(sheetBrowseButton, &QPushButton::clicked, this, &arecord_settings_widget::browseImpExp);
    connect(sheetChooseButton, &QPushButton::clicked, this, &arecord_settings_widget::chooseFile);
    connect(sheetActionButton, &QPushButton::clicked, this, &arecord_settings_widget::migrate);

    if (sceneChosen)
        groupLabel->setText(tr(kind.toolLabel).arg(currentScene + 1));
    toolsMade();
    for (const std::function<void()>& step : std::exchange(pendingTools, {}))
        step();
    // Made on tab pages already shown, they show as the pages' own widgets.
    showLateContent(groupPage);
    showLateContent(copyPage);
}

void arecord_settings_widget::whenTools(std::function<void()> step)
{
    if (toolsReady)
        step();
    else
        pendingTools.push_back(std::move(step));
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
    copySource = new otherConfiguration({fileEdit, browseFileButton, openFileButton, releaseButton, altCopyButton},
                                        this);
    connect(copySource, &otherConfiguration::opened, this, [this] { lowLimit_2(altFromBox->value() - 1); });
    connect(copySource, &otherConfiguration::cleared, sourceDescriptionEdit, &QLineEdit::clear);
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

    // The rows read texts and levels as they are drawn: only what shows is redrawn.
    recordModel->allChanged();

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
    recordModel->allChanged();
}

void arecord_settings_widget::disableDescEdition()
{
    if (!controller)
        return;
    kind.descriptions(controller)[currentScene] = descriptionEdit->text();
    recordModel->rowChanged(currentScene);
}

void arecord_settings_widget::sceneChange(const QModelIndex& current, const QModelIndex&)
{
    if (!current.isValid() || current.row() >= kind.count)
        return;
    currentScene = current.row();
    sceneChosen = true;
    if (toolsReady)
        groupLabel->setText(tr(kind.toolLabel).arg(currentScene + 1));
    emit sceneChanged(currentScene);
    refresh();
}

void arecord_settings_widget::tabChanged(int index)
{
    // The group and copy tools, shown for the first time.
    if (index == 1 || index == 2)
        ensureTools();
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
    // A repair: a scene read with all times 0 counts as unsaved work no
    // more than it did before it was shown.
    const showRepair repair(controller);
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
    if (!copySource->show() || !controller)
        return;
    copyRecordsFrom(*copySource->show(), altFromBox->value(), altToBox->value());
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
    if (kv310_controller_class* other = copySource->show())
        sourceDescriptionEdit->setText(kind.descriptions(other)[altFromBox->value() - 1]);
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
    sheetFindings = dmxSheetFindings();
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
    dmxSheetFindings findings;
    switch (dmxSheet::read(file, *kind.sheet, read, &findings)) {
    case dmxSheet::READ_INVALID:
        showMessage(QMessageBox::Critical, messageParent(), title, tr("Invalid DMX sheet!"));
        return;
    case dmxSheet::READ_EMPTY:
        sheetColumns.clear();
        sheetFindings = dmxSheetFindings();
        showMessage(QMessageBox::Critical, messageParent(), title, tr(kind.noneFound));
        return;
    case dmxSheet::READ_OK:
        break;
    }
    sheetColumns = std::move(read);
    sheetFindings = findings;

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
    const auto add = [&text](const QString& line) { text += QLatin1Char('\n') + line; };
    const dmxSheetFindings& found = sheetFindings;
    if (found.unreadCells > 0)
        add(tr("%1 cell(s) could not be read, the first in row \"%2\", column %3.")
                .arg(QString::number(found.unreadCells), found.unreadRow, QString::number(found.unreadColumn)));
    if (found.rowsNotUnderstood > 0)
        add(tr("%1 row(s) were not understood, the first \"%2\".")
                .arg(QString::number(found.rowsNotUnderstood), found.firstRowNotUnderstood));
    if (result.replaced > 0)
        add(tr(kind.replacedColumns).arg(result.replaced));
    if (result.descriptionsCut > 0)
        add(tr("%1 description(s) were longer than %2 bytes and were cut.")
                .arg(result.descriptionsCut)
                .arg(dmxSheet::descriptionBytes));
    if (result.timesRepaired > 0)
        add(tr("%1 scene(s) had all times 0: their duration is now 1 s.").arg(result.timesRepaired));
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
