#include "editors/programs/aprogram_settings_widget.h"

#include "editors/programs/aprogram_conf_delegate.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_entry_delegate.h"
#include "model/clear_flags.h"
#include "model/config_image.h"
#include "model/events.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/other_configuration.h"
#include "model/program_copy.h"
#include "model/time_codes.h"
#include "seams/dialog_seam.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/inf_time_class.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

namespace {

constexpr int GRID_ROWS = 100;
constexpr int GRID_COLUMNS = 10;
constexpr int GRID_CELLS = GRID_ROWS * GRID_COLUMNS;
constexpr int DESCRIPTION_LENGTH = 100;
constexpr int LAST_EVENT_ID = EVENT_COUNT - 1;
constexpr int BREAK_TIME_DEFAULT = 10;   // one second, in tenths

// Item data of the chained-event kinds: the first event id of the kind.
constexpr int CHAIN_NOTHING = 0xFFFF;
constexpr int CHAIN_SEQUENCE = EVENT_SEQUENCE_START;
constexpr int CHAIN_DELAY = EVENT_DELAY_END;
constexpr int CHAIN_INTERNAL = EVENT_INTERNAL;

kv310_controller_class& controller()
{
    return *theController;
}

uint8_t* image()
{
    return theController->configImage;
}

int textWidth(const QWidget* w, const QString& text)
{
    return QFontMetrics(w->font()).horizontalAdvance(text);
}

// Places a row of buttons from the first one's place on: each at least as
// wide as given and as its text needs, 10 pixels apart, closer together and
// further left where the row would pass `right`.
void fitButtonRow(const QList<QPushButton*>& buttons, int right)
{
    if (buttons.isEmpty())
        return;
    QStyle* style = buttons.first()->style();
    const int margin = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin) + style->pixelMetric(QStyle::PM_DefaultFrameWidth));
    QList<int> widths;
    int sum = 0;
    for (const QPushButton* b : buttons) {
        widths << qMax(b->width(), textWidth(b, b->text()) + margin);
        sum += widths.last();
    }
    const int gaps = int(buttons.size()) - 1;
    int x = buttons.first()->x();
    int gap = 10;
    if (gaps > 0 && x + sum + gaps * gap > right)
        gap = qMax(2, (right - x - sum) / gaps);
    if (x + sum + gaps * gap > right)
        x = qMax(0, right - sum - gaps * gap);
    for (int i = 0; i < buttons.size(); ++i) {
        buttons.at(i)->setGeometry(x, buttons.at(i)->y(), widths.at(i), buttons.at(i)->height());
        x += widths.at(i) + gap;
    }
}

QString descriptionOrNone(const QString& text)
{
    return text.isEmpty() ? aprogram_settings_widget::tr("no description") : text;
}

} // namespace

aprogram_settings_widget::aprogram_settings_widget(kv310_controller_class*, QWidget* parent)
    : QWidget(nullptr)
    , listFont(pageStyle::listFont())
    , descriptionFont(pageStyle::descriptionFont())
{
    programList = new QTableWidget(img::PROGRAM_SLOTS, 1, parent);
    programList->setGeometry(10, 20, 175, 625);
    programList->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Program")));
    programList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    programList->setColumnWidth(0, 115);
    programList->setSelectionBehavior(QAbstractItemView::SelectRows);
    programList->setSelectionMode(QAbstractItemView::SingleSelection);
    programList->setFont(listFont);
    programList->setCurrentCell(0, 0);

    toolTabs = new QTabWidget(parent);
    toolTabs->setGeometry(190, 0, 655, 610);
    singleStepsTab = new QWidget();
    groupTab = new QWidget();
    copyTab = new QWidget();
    toolTabs->addTab(singleStepsTab, tr("Single Steps"));
    toolTabs->addTab(groupTab, tr("Groupped Steps"));
    toolTabs->addTab(copyTab, tr("Copying"));

    descriptionLabel = new QLabel(tr("Program description:"), parent);
    descriptionLabel->setGeometry(210, 615, 400, 21);
    descriptionEdit = new QLineEdit(parent);
    descriptionEdit->setGeometry(202, 645, 631, 21);
    descriptionEdit->setFont(descriptionFont);
    descriptionEdit->setMaxLength(DESCRIPTION_LENGTH);

    buildSingleSteps();
    buildGroupTab();
    buildCopyTab();
    buildEntriesPage();

    connect(programList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aprogram_settings_widget::programNumberChange);
    connect(stepTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aprogram_settings_widget::sceneRowChange);
    connect(descriptionEdit, &QLineEdit::editingFinished, this, &aprogram_settings_widget::disableDescEdition);
    connect(stepTable->delegate, &aprogram_conf_delegate::changeDesc, this,
            &aprogram_settings_widget::currentSceneChanged);
    connect(stepTable, &aprogram_conf_widget::changeStepNumber, this, &aprogram_settings_widget::stepCountChanged);
    connect(toolTabs, &QTabWidget::currentChanged, this, &aprogram_settings_widget::tabChanged);

    refresh();
}

void aprogram_settings_widget::buildSingleSteps()
{
    QWidget* tab = singleStepsTab;
    const auto label = [tab](const QString& text, int x, int y, int w, int h) {
        auto* l = new QLabel(text, tab);
        l->setGeometry(x, y, w, h);
        return l;
    };
    const auto button = [tab, this](const QString& text, int x, int y, int w, int h) {
        auto* b = new QPushButton(text, tab);
        b->setGeometry(x, y, w, h);
        b->setFont(listFont);
        return b;
    };

    QLabel* programLabel = label(tr("Program:"), 240, 11, 200, 20);
    const int numberAt = qMax(310, 240 + textWidth(programLabel, programLabel->text()) + 4);
    programLabel->resize(numberAt - 240, 20);
    programNumberLabel = label(QStringLiteral("1"), numberAt, 11, 50, 20);

    stepTable = new aprogram_conf_widget(this, tab);
    stepTable->setFont(listFont);
    int width = 50;
    for (int c = 0; c < 6; ++c)
        width += stepTable->columnWidth(c);
    // Columns widened for their titles must not push the table out of its tab.
    stepTable->setGeometry(20, 40, qMin(width, toolTabs->width() - 26), 327);

    fillButton = button(tr("Scenes' Sequence"), 20, 375, 120, 24);
    editSceneButton = button(tr("Edit current scene"), 150, 375, 120, 24);
    importTimesButton = button(tr("Import times"), 280, 375, 82, 24);
    insertStepButton = button(tr("Insert"), 372, 375, 60, 24);
    deleteStepButton = button(tr("Delete"), 442, 375, 60, 24);
    copyStepButton = button(tr("Copy"), 512, 375, 60, 24);
    pasteStepButton = button(tr("Paste"), 582, 375, 60, 24);
    fitButtonRow({fillButton, editSceneButton, importTimesButton, insertStepButton, deleteStepButton, copyStepButton,
                  pasteStepButton},
                 toolTabs->width() - 10);
    connect(fillButton, &QPushButton::clicked, stepTable, &aprogram_conf_widget::fillSteps);
    connect(importTimesButton, &QPushButton::clicked, this, &aprogram_settings_widget::impTimes);
    connect(insertStepButton, &QPushButton::clicked, stepTable, &aprogram_conf_widget::insertStep);
    connect(deleteStepButton, &QPushButton::clicked, stepTable, &aprogram_conf_widget::deleteStep);
    connect(copyStepButton, &QPushButton::clicked, stepTable, &aprogram_conf_widget::copyStep);
    connect(pasteStepButton, &QPushButton::clicked, stepTable, &aprogram_conf_widget::pasteStep);

    replaceBox = new QCheckBox(tr("Replace"), tab);
    replaceBox->setGeometry(555, 400, 80, 24);
    replaceBox->setLayoutDirection(Qt::RightToLeft);
    replaceBox->setFont(listFont);

    label(tr("Number of scenes in program:"), 20, 405, 240, 20);
    stepCountBox = new QSpinBox(tab);
    stepCountBox->setGeometry(265, 405, 50, 20);
    stepCountBox->setRange(0, img::MAX_PROGRAM_STEPS);
    stepCountBox->setKeyboardTracking(false);
    connect(stepCountBox, &QSpinBox::valueChanged, this, qOverload<int>(&aprogram_settings_widget::sceneCountChange));

    label(tr("Recurrences number:"), 20, 435, 240, 20);
    recurrencesBox = new QSpinBox(tab);
    recurrencesBox->setGeometry(265, 435, 120, 20);
    recurrencesBox->setRange(0, 100);
    recurrencesBox->setSpecialValueText(tr("infinite"));
    // Typed digits are stored on Enter or when the box is left, not one by
    // one: a first digit may be the special value. Arrows store at once.
    recurrencesBox->setKeyboardTracking(false);
    connect(recurrencesBox, &QSpinBox::valueChanged, this, &aprogram_settings_widget::programRunModeChange);

    label(tr("Chained event:"), 20, 465, 240, 20);
    chainTypeBox = new QComboBox(tab);
    chainTypeBox->setGeometry(265, 465, 160, 20);
    chainTypeBox->addItem(tr("Nothing"), CHAIN_NOTHING);
    chainTypeBox->addItem(tr("Sequence start"), CHAIN_SEQUENCE);
    chainTypeBox->addItem(tr("Delay"), CHAIN_DELAY);
    chainTypeBox->addItem(tr("Internal Event"), CHAIN_INTERNAL);
    // Wide enough for its longest kind; the number follows it.
    chainTypeBox->resize(qMax(160, chainTypeBox->sizeHint().width()), 20);
    chainNumberBox = new QSpinBox(tab);
    chainNumberBox->setGeometry(qMax(440, chainTypeBox->geometry().right() + 16), 465, 60, 20);
    chainNumberBox->setEnabled(false);
    chainNumberBox->setRange(0, 0);
    chainNumberBox->setSpecialValueText(tr("- -"));
    chainNumberBox->setKeyboardTracking(false);
    connect(chainTypeBox, &QComboBox::currentIndexChanged, this, &aprogram_settings_widget::chainTypeChanged);
    connect(chainNumberBox, &QSpinBox::editingFinished, this, &aprogram_settings_widget::chainNoChanged);

    label(tr("Fade down time after break:"), 20, 495, 240, 20);
    breakTimeEdit = new infTime_class(tab);
    breakTimeEdit->setGeometry(265, 495, 140, 20);
    breakTimeEdit->timeEdit->setEnabled(false);
    breakTimeEdit->infiniteBox->setChecked(true);
    // While "Do not use" is ticked the edit is disabled and its changes are
    // not stored (newBreakTime looks at the box).
    connect(breakTimeEdit->timeEdit, qOverload<QTime&>(&MyTimeEdit::timeChanged), this,
            qOverload<QTime&>(&aprogram_settings_widget::newBreakTime));
    connect(breakTimeEdit->infiniteBox, &QCheckBox::stateChanged, this, &aprogram_settings_widget::breakTimeOff);
    connect(breakTimeEdit, &infTime_class::leaved, this, qOverload<QWidget*>(&aprogram_settings_widget::newBreakTime));
    label(tr("Do not use"), 405, 495, 160, 20);

    label(tr("Current scene description:"), 20, 522, 201, 21);
    sceneDescriptionEdit = new QLineEdit(tab);
    sceneDescriptionEdit->setGeometry(12, 550, 631, 21);
    sceneDescriptionEdit->setFont(descriptionFont);
    sceneDescriptionEdit->setReadOnly(true);
    sceneDescriptionEdit->setMaxLength(DESCRIPTION_LENGTH);
}

void aprogram_settings_widget::buildGroupTab()
{
    QWidget* tab = groupTab;
    stepGrid = new QTableWidget(GRID_ROWS, GRID_COLUMNS, tab);
    stepGrid->setGeometry(10, 20, 276, 554);
    stepGrid->setFont(listFont);
    stepGrid->setGridStyle(Qt::DotLine);
    stepGrid->setSelectionMode(QAbstractItemView::NoSelection);
    stepGrid->horizontalHeader()->setMinimumSectionSize(22);
    stepGrid->horizontalHeader()->setDefaultSectionSize(22);
    stepGrid->verticalHeader()->setDefaultSectionSize(24);
    QStringList rowTitles;
    for (int r = 0; r < GRID_ROWS; ++r)
        rowTitles << QString::number(GRID_COLUMNS * r);
    stepGrid->setVerticalHeaderLabels(rowTitles);
    for (int s = 0; s < GRID_CELLS; ++s) {
        auto* cell = new QCheckBox();
        cell->setEnabled(false);
        stepGrid->setCellWidget(s / GRID_COLUMNS, s % GRID_COLUMNS, cell);
    }
    // All ten columns in view beside the row labels and the scroll bar.
    const int frame = 2 * stepGrid->frameWidth();
    const int rowLabels = stepGrid->verticalHeader()->sizeHint().width();
    const int scrollBar = stepGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, stepGrid);
    stepGrid->resize(qMax(276, frame + rowLabels + GRID_COLUMNS * 22 + scrollBar), 554);

    groupProgramLabel = new QLabel(tr("Program: %1").arg(1), tab);
    groupProgramLabel->setGeometry(408, 20, 91, 20);
    groupProgramLabel->setAlignment(Qt::AlignCenter);

    auto* selection = new QGroupBox(tr("Selection"), tab);
    selection->setGeometry(310, 60, 301, 261);
    // Three even columns, the last well inside the group's frame.
    selectButton = new QRadioButton(tr("Select"), selection);
    selectButton->setGeometry(10, 30, 91, 20);
    deselectButton = new QRadioButton(tr("Deselect"), selection);
    deselectButton->setGeometry(105, 30, 91, 20);
    deselectButton->setChecked(true);
    invertButton = new QRadioButton(tr("Invert"), selection);
    invertButton->setGeometry(200, 30, 91, 20);

    auto* choose = new QGroupBox(tr("Choose all or..."), selection);
    choose->setGeometry(10, 60, 281, 151);
    everyCheckBox = new QCheckBox(tr("Choose every"), choose);
    everyCheckBox->setGeometry(50, 40, 121, 21);
    everyBox = new QSpinBox(choose);
    everyBox->setGeometry(200, 40, 52, 22);
    everyBox->setRange(2, 256);
    everyBox->setEnabled(false);
    connect(everyCheckBox, &QCheckBox::toggled, everyBox, &QWidget::setEnabled);
    inRangeBox = new QCheckBox(tr("In range"), choose);
    inRangeBox->setGeometry(50, 80, 130, 19);
    auto* from = new QLabel(tr("from "), choose);
    from->setGeometry(50, 110, 38, 20);
    from->setFont(listFont);
    rangeFromBox = new guardedSpinBox(choose);
    rangeFromBox->setGeometry(90, 110, 52, 22);
    rangeFromBox->setRange(1, GRID_CELLS);
    rangeFromBox->setValue(1);
    rangeFromBox->setEnabled(false);
    auto* to = new QLabel(tr("to"), choose);
    to->setGeometry(160, 110, 21, 20);
    to->setFont(listFont);
    rangeToBox = new guardedSpinBox(choose);
    rangeToBox->setGeometry(200, 110, 52, 22);
    rangeToBox->setRange(1, GRID_CELLS);
    rangeToBox->setValue(1);
    rangeToBox->setEnabled(false);
    connect(inRangeBox, &QCheckBox::toggled, rangeFromBox, &QWidget::setEnabled);
    connect(inRangeBox, &QCheckBox::toggled, rangeToBox, &QWidget::setEnabled);

    executeButton = new QPushButton(tr("Execute!"), selection);
    executeButton->setGeometry(90, 220, 121, 23);
    executeButton->setFont(listFont);

    const auto label = [tab](const QString& text, int x, int y, int w, int h) {
        auto* l = new QLabel(text, tab);
        l->setGeometry(x, y, w, h);
    };
    const auto setButton = [tab, this](int x, int y) {
        auto* b = new QPushButton(tr("Set"), tab);
        b->setGeometry(x, y, 70, 23);
        b->setFont(listFont);
        return b;
    };
    label(tr("Scene No.:"), 360, 340, 200, 21);
    sceneBox = new QSpinBox(tab);
    sceneBox->setGeometry(400, 370, 70, 23);
    sceneBox->setRange(1, img::SCENES);
    setSceneButton = setButton(490, 370);

    label(tr("Fade Up Time:"), 360, 410, 200, 21);
    fadeUpEdit = new MyTimeEdit(tab);
    fadeUpEdit->setGeometry(360, 440, 125, 23);
    fadeUpEdit->setTimeRange(QTime(0, 0), fromTenths(0xFFFE));
    setFadeUpButton = setButton(490, 440);

    label(tr("Duration:"), 360, 480, 200, 21);
    durationEdit = new MyTimeEdit(tab);
    durationEdit->setGeometry(360, 510, 125, 23);
    durationEdit->setTimeRange(QTime(0, 0), fromTenths(0xFFFE));
    setDurationButton = setButton(490, 510);
    infiniteBox = new QCheckBox(tr("Infinite"), tab);
    infiniteBox->setGeometry(360, 534, 150, 23);

    connect(rangeFromBox, &guardedSpinBox::valueAccepted, this, &aprogram_settings_widget::validStart);
    connect(rangeToBox, &guardedSpinBox::valueAccepted, this, &aprogram_settings_widget::validEnd);
    connect(executeButton, &QPushButton::clicked, this, &aprogram_settings_widget::selectSome);
    connect(setSceneButton, &QPushButton::clicked, this, &aprogram_settings_widget::setStepScene);
    connect(setFadeUpButton, &QPushButton::clicked, this, &aprogram_settings_widget::setRiseTime);
    connect(setDurationButton, &QPushButton::clicked, this, &aprogram_settings_widget::setLastTime);
}

void aprogram_settings_widget::buildCopyTab()
{
    QWidget* tab = copyTab;
    const auto label = [this](const QString& text, QWidget* parent, int x, int y, int w, int h, Qt::Alignment a) {
        auto* l = new QLabel(text, parent);
        l->setGeometry(x, y, w, h);
        l->setAlignment(a);
        l->setFont(listFont);
        return l;
    };
    const auto button = [this](const QString& text, QWidget* parent, int x, int y, int w, int h) {
        auto* b = new QPushButton(text, parent);
        b->setGeometry(x, y, w, h);
        b->setFont(listFont);
        return b;
    };
    const auto spinBox = [](QWidget* parent, int x, int y, int w, int h, int min, int max) {
        auto* s = new QSpinBox(parent);
        s->setGeometry(x, y, w, h);
        s->setRange(min, max);
        return s;
    };
    const auto checkBox = [this](const QString& text, QWidget* parent, int x, int y, int w, int h) {
        auto* c = new QCheckBox(text, parent);
        c->setGeometry(x, y, w, h);
        c->setFont(listFont);
        return c;
    };
    const Qt::Alignment rightCentred = Qt::AlignRight | Qt::AlignVCenter;

    copyProgramLabel = new QLabel(tr("Program: %1").arg(1), tab);
    copyProgramLabel->setGeometry(200, 20, 91, 20);
    copyProgramLabel->setAlignment(Qt::AlignCenter);
    label(tr("Unused scenes pool starts from"), tab, 30, 50, 290, 20, Qt::AlignRight);
    poolBox = spinBox(tab, 340, 50, 71, 20, 1, img::SCENES);
    reverseBox = checkBox(tr("Reverse steps' order"), tab, 430, 50, 201, 20);

    auto* current = new QGroupBox(tr("Current Configuration"), tab);
    current->setGeometry(10, 90, 631, 141);
    label(tr("Copy from range:"), current, 60, 42, 131, 21, rightCentred);
    copyFromBox = spinBox(current, 200, 40, 71, 22, 1, img::PROGRAM_SLOTS);
    label(tr("to"), current, 290, 42, 21, 17, Qt::AlignLeft);
    copyToBox = spinBox(current, 330, 40, 71, 22, 1, img::PROGRAM_SLOTS);
    copyButton = button(tr("Copy"), current, 200, 80, 101, 23);
    noScenesBox = checkBox(tr("Do not copy scenes"), current, 330, 80, 201, 23);

    auto* other = new QGroupBox(tr("Another Configuration"), tab);
    other->setGeometry(10, 240, 631, 211);
    label(tr("File:"), other, 20, 42, 51, 17, rightCentred);
    fileEdit = new QLineEdit(other);
    fileEdit->setGeometry(90, 40, 331, 21);
    browseButton = button(tr("Browse"), other, 440, 39, 75, 23);
    openButton = button(tr("Open"), other, 530, 39, 75, 23);
    releaseButton = button(tr("Release"), other, 530, 92, 75, 23);
    label(tr("Copy from range:"), other, 60, 92, 131, 21, rightCentred);
    altFromBox = spinBox(other, 200, 90, 71, 22, 1, img::PROGRAM_SLOTS);
    label(tr("to"), other, 290, 92, 21, 17, Qt::AlignLeft);
    altToBox = spinBox(other, 330, 90, 71, 22, 1, img::PROGRAM_SLOTS);
    altCopyButton = button(tr("Copy"), other, 200, 160, 101, 23);
    altCopyButton->setEnabled(false);

    connect(copyFromBox, &QSpinBox::valueChanged, this, &aprogram_settings_widget::lowLimit_1);
    connect(copyButton, &QPushButton::clicked, this, &aprogram_settings_widget::copyPgm);
    connect(browseButton, &QPushButton::clicked, this, &aprogram_settings_widget::browseFile);
    connect(openButton, &QPushButton::clicked, this, &aprogram_settings_widget::readFile);
    connect(releaseButton, &QPushButton::clicked, this, &aprogram_settings_widget::destTmpDev);
    connect(altFromBox, &QSpinBox::valueChanged, this, &aprogram_settings_widget::lowLimit_2);
    connect(altCopyButton, &QPushButton::clicked, this, &aprogram_settings_widget::copyAltPgm);
}

void aprogram_settings_widget::buildEntriesPage()
{
    entriesPage = new QWidget();
    QWidget* page = entriesPage;
    auto* title = new QLabel(tr("Extra entries into existing programs:"), page);
    title->setGeometry(60, 60, 480, 24);
    title->setAlignment(Qt::AlignHCenter);

    entriesModel = std::make_unique<QStandardItemModel>(0, 3);
    entriesModel->setHeaderData(0, Qt::Horizontal, tr("Start Program"), Qt::EditRole);
    entriesModel->setHeaderData(1, Qt::Horizontal, tr("From step"), Qt::EditRole);
    entriesModel->setHeaderData(2, Qt::Horizontal, tr("As program"), Qt::EditRole);
    entriesView = new QTableView(page);
    entriesView->setGeometry(60, 120, 405, 388);
    entriesView->setModel(entriesModel.get());
    entriesView->setFont(listFont);
    entriesView->setSelectionMode(QAbstractItemView::SingleSelection);
    entriesView->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A title wider than its column widens it; the title of the current
    // row's columns is drawn bold.
    QFont titleFont = entriesView->horizontalHeader()->font();
    titleFont.setBold(true);
    const int widths[] = {130, 130, 100};
    int columns = 0;
    for (int c = 0; c < 3; ++c) {
        const int title =
            QFontMetrics(titleFont).horizontalAdvance(entriesModel->headerData(c, Qt::Horizontal).toString());
        entriesView->setColumnWidth(c, qMax(widths[c], title + 12));
        columns += entriesView->columnWidth(c);
    }
    // The table grows towards the buttons to keep every column in view.
    const int needed = 2 * entriesView->frameWidth() + entriesView->verticalHeader()->sizeHint().width() + columns
                       + entriesView->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, entriesView);
    entriesView->resize(qBound(405, needed, 430), 388);
    entriesDelegate = new aprogram_entry_delegate(this);
    entriesView->setItemDelegate(entriesDelegate);

    const auto button = [this, page](const QString& text, int y) {
        auto* b = new QPushButton(text, page);
        b->setGeometry(500, y, 110, 30);
        b->setFont(listFont);
        return b;
    };
    addEntryButton = button(tr("Add"), 240);
    removeEntryButton = button(tr("Remove"), 290);
    clearEntriesButton = button(tr("Remove all"), 340);

    connect(addEntryButton, &QPushButton::clicked, this, &aprogram_settings_widget::addEntry);
    connect(removeEntryButton, &QPushButton::clicked, this, &aprogram_settings_widget::delEntry);
    connect(clearEntriesButton, &QPushButton::clicked, this, &aprogram_settings_widget::clrEntries);
    connect(entriesView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            qOverload<const QModelIndex&, const QModelIndex&>(&aprogram_settings_widget::showEntryDesc));
    connect(entriesDelegate, &aprogram_entry_delegate::changeDesc, this,
            qOverload<int>(&aprogram_settings_widget::showEntryDesc));
}

aprogram_settings_widget::~aprogram_settings_widget()
{
    // The tabs outlive this object; a tab that goes now must not reload it.
    disconnect(toolTabs, nullptr, this, nullptr);
    delete programList;
    // The page goes whether or not it was ever shown as a tab.
    delete entriesPage;
    delete tmpDev;
}

QCheckBox* aprogram_settings_widget::gridCell(int s) const
{
    return qobject_cast<QCheckBox*>(stepGrid->cellWidget(s / GRID_COLUMNS, s % GRID_COLUMNS));
}

void aprogram_settings_widget::showEntriesTab(bool on)
{
    if (!on && toolTabs->count() > 3 && toolTabs->widget(3) == entriesPage)
        toolTabs->removeTab(3);
}

// ---- Step count, program, recurrences ------------------------------------------

void aprogram_settings_widget::followStepCount(int n)
{
    if (n > shownSteps) {
        for (int s = shownSteps; s < n && s < GRID_CELLS; ++s)
            gridCell(s)->setEnabled(true);
    } else {
        for (int s = qMax(0, n); s < shownSteps && s < GRID_CELLS; ++s) {
            QCheckBox* cell = gridCell(s);
            cell->setChecked(false);
            cell->setEnabled(false);
        }
    }
}

void aprogram_settings_widget::setRangeMaxima(int n)
{
    const int maximum = n > 0 ? n : 1;
    rangeFromBox->setMaximum(maximum);
    rangeToBox->setMaximum(maximum);
}

void aprogram_settings_widget::sceneCountChange(int n, bool force)
{
    n = qBound(0, n, img::MAX_PROGRAM_STEPS);
    if (force) {
        for (int s = 0; s < GRID_CELLS; ++s)
            gridCell(s)->setEnabled(s < n);
    } else {
        followStepCount(n);
    }
    shownSteps = n;
    setRangeMaxima(n);
    controller().programs.setStepCount(currentProgram, n);
    stepTable->setRows(n);
}

void aprogram_settings_widget::sceneCountChange(int n)
{
    sceneCountChange(n, false);
}

void aprogram_settings_widget::stepCountChanged(int n)
{
    const QSignalBlocker blocker(stepCountBox);
    stepCountBox->setValue(n);
}

void aprogram_settings_widget::showProgram(int p)
{
    // An editor left open in the step table stores into the program it was
    // opened on, before the page turns to another.
    stepTable->delegate->finishEdit();
    currentProgram = p;
    stepTable->clearSelection();
    sceneCountChange(qMax(0, controller().programs.stepCount(currentProgram)), true);
}

void aprogram_settings_widget::programNumberChange(const QModelIndex& current, const QModelIndex&)
{
    // Rows the list loses while it is rebuilt move its current row; the
    // rebuild sets the row it keeps itself.
    if (!current.isValid() || rebuildingList)
        return;
    showProgram(current.row());
    refresh();
}

void aprogram_settings_widget::keepCurrentProgramOffered()
{
    // The slots of extra entries are no programs: a current program that
    // became one gives way to the last program offered, before anything of
    // the page is shown or stored for it.
    const int offered = img::PROGRAM_SLOTS - int(controller().extraEntries.size());
    if (currentProgram >= offered && offered > 0)
        showProgram(offered - 1);
}

void aprogram_settings_widget::programRunModeChange(int r)
{
    stepTable->setProgramRunMode(r);
    programTable& programs = controller().programs;
    // Recurrences chosen before the first step would otherwise be dropped
    // while the box keeps showing them.
    if (!programs.findProgram(currentProgram))
        programs.setStepCount(currentProgram, 0);
    programs.setRecurrences(currentProgram, r);
}

// ---- Chained event ----------------------------------------------------------------

void aprogram_settings_widget::applyChainRange(int d)
{
    chainNumberBox->setSpecialValueText(QString());
    chainNumberBox->setEnabled(true);
    switch (d) {
    case CHAIN_INTERNAL:
        chainNumberBox->setRange(1, 1024);
        break;
    case CHAIN_DELAY:
        chainNumberBox->setRange(1, img::DELAYS);
        break;
    case CHAIN_SEQUENCE:
        chainNumberBox->setRange(1, img::SEQUENCES);
        break;
    default:
        chainNumberBox->setRange(0, 0);
        chainNumberBox->setSpecialValueText(tr("- -"));
        chainNumberBox->setEnabled(false);
        break;
    }
}

void aprogram_settings_widget::chainTypeChanged(int index)
{
    const int d = index < 0 ? 0 : chainTypeBox->itemData(index).toInt();
    applyChainRange(d);
    storeChainedEvent(d, chainNumberBox->value());
}

void aprogram_settings_widget::chainNoChanged()
{
    const int index = chainTypeBox->currentIndex();
    const int d = index < 0 ? 0 : chainTypeBox->itemData(index).toInt();
    storeChainedEvent(d, chainNumberBox->value());
}

void aprogram_settings_widget::storeChainedEvent(int d, int n)
{
    uint8_t* data = image();
    if (d == CHAIN_DELAY && n >= 1 && n <= img::DELAYS) {
        const uint32_t word = img::getU32(data, img::delaysOf(n - 1));
        if (delayWord::sequence(word) < uint32_t(img::SEQUENCES)) {
            // The lowest delay that neither an action starts nor a sequence owns.
            int free = -1;
            for (int i = 0; i < img::DELAYS && free < 0; ++i) {
                const bool owned = delayWord::sequence(img::getU32(data, img::delaysOf(i))) < uint32_t(img::SEQUENCES);
                if (!owned && !controller().startedDelays.contains(uint16_t(i)))
                    free = i;
            }
            if (free >= 0) {
                const QSignalBlocker blocker(chainNumberBox);
                chainNumberBox->setValue(free + 1);
                img::putU16(data, img::programChainEventOf(currentProgram), uint16_t(CHAIN_DELAY + free));
            } else {
                const QSignalBlocker blocker(chainTypeBox);
                chainTypeBox->setCurrentIndex(0);
                applyChainRange(CHAIN_NOTHING);
                img::putU16(data, img::programChainEventOf(currentProgram), img::NONE16);
            }
            showMessage(QMessageBox::Information, this, tr("Delay already in use!"),
                        tr("Delay #%1 is blocked by sequence!\nCorrected!").arg(n));
            return;
        }
    }
    const uint16_t value = d <= LAST_EVENT_ID ? uint16_t(d + n - 1) : img::NONE16;
    img::putU16(data, img::programChainEventOf(currentProgram), value);
}

void aprogram_settings_widget::refreshChainedEvent()
{
    const int v = img::getU16(image(), img::programChainEventOf(currentProgram));
    int data = -1;
    int first = 0;
    int count = 0;
    if (v >= EVENT_INTERNAL && v < EVENT_TIMER) {
        data = CHAIN_INTERNAL;
        first = EVENT_INTERNAL;
        count = 1024;
    } else if (v >= EVENT_DELAY_END && v < EVENT_SEQUENCE_START) {
        data = CHAIN_DELAY;
        first = EVENT_DELAY_END;
        count = img::DELAYS;
    } else if (v >= EVENT_SEQUENCE_START && v < EVENT_RC_BUTTON) {
        data = CHAIN_SEQUENCE;
        first = EVENT_SEQUENCE_START;
        count = img::SEQUENCES;
    } else if (v > LAST_EVENT_ID) {
        data = CHAIN_NOTHING;
    }
    const int index = data < 0 ? -1 : chainTypeBox->findData(data);
    {
        const QSignalBlocker typeBlocker(chainTypeBox);
        const QSignalBlocker numberBlocker(chainNumberBox);
        chainTypeBox->setCurrentIndex(index);
        if (count > 0) {
            chainNumberBox->setRange(1, count);
            chainNumberBox->setValue(v - first + 1);
        }
    }
    if (index < 0) {
        // An event of a kind the box does not offer (an input, a DMX
        // channel, a timer, a remote-control button) is an event of the
        // controller all the same: shown as no kind, and kept until the
        // user chooses one.
        const QSignalBlocker numberBlocker(chainNumberBox);
        applyChainRange(CHAIN_NOTHING);
        return;
    }
    // Stores the event again by the storing rule: a number past the last
    // event becomes 0xFFFF, and a chained delay now owned by a sequence is
    // corrected.
    chainTypeChanged(index);
}

// ---- Break time ---------------------------------------------------------------------

void aprogram_settings_widget::storeBreakTime(int tenths)
{
    img::putU16(image(), img::programBreakTimeOf(currentProgram), uint16_t(tenths));
}

void aprogram_settings_widget::newBreakTime(QTime& t)
{
    if (!breakTimeEdit->infiniteBox->isChecked())
        storeBreakTime(toTenths(t));
}

void aprogram_settings_widget::newBreakTime(QWidget*)
{
    if (!breakTimeEdit->infiniteBox->isChecked())
        storeBreakTime(toTenths(breakTimeEdit->timeEdit->time()));
}

void aprogram_settings_widget::breakTimeOff(int state)
{
    const QSignalBlocker blocker(breakTimeEdit->timeEdit);
    breakTimeEdit->timeEdit->setTime(fromTenths(BREAK_TIME_DEFAULT));
    if (state == Qt::Checked) {
        breakTimeEdit->timeEdit->setEnabled(false);
        storeBreakTime(img::NONE16);
    } else {
        storeBreakTime(BREAK_TIME_DEFAULT);
        breakTimeEdit->timeEdit->setEnabled(true);
    }
}

void aprogram_settings_widget::refreshBreakTime()
{
    const int b = img::getU16(image(), img::programBreakTimeOf(currentProgram));
    const QSignalBlocker editBlocker(breakTimeEdit->timeEdit);
    const QSignalBlocker boxBlocker(breakTimeEdit->infiniteBox);
    const bool off = b == img::NONE16;
    breakTimeEdit->timeEdit->setTime(fromTenths(off ? BREAK_TIME_DEFAULT : unsigned(b)));
    breakTimeEdit->timeEdit->setEnabled(!off);
    breakTimeEdit->infiniteBox->setChecked(off);
}

// ---- Descriptions -----------------------------------------------------------------

void aprogram_settings_widget::showOwnDescription()
{
    descriptionEdit->setReadOnly(false);
    descriptionEdit->setText(controller().programDescriptions[size_t(currentProgram)]);
}

void aprogram_settings_widget::showForeignDescription(const QString& text)
{
    descriptionEdit->setReadOnly(true);
    descriptionEdit->setText(text);
}

void aprogram_settings_widget::disableDescEdition()
{
    if (descriptionEdit->isReadOnly())
        return;
    const QString text = descriptionEdit->text();
    controller().programDescriptions[size_t(currentProgram)] = text;
    if (QTableWidgetItem* item = programList->currentItem())
        item->setData(Qt::EditRole,
                      pageStyle::elided(descriptionOrNone(text), programList->font(), programList->columnWidth(0)));
}

void aprogram_settings_widget::currentSceneChanged(int n)
{
    if (n >= 1 && n <= img::SCENES)
        sceneDescriptionEdit->setText(controller().sceneDescriptions[size_t(n - 1)]);
}

void aprogram_settings_widget::sceneRowChange(const QModelIndex&, const QModelIndex&)
{
    const int r = stepTable->currentIndex().row();
    const int scene = r < 0 ? -1 : controller().programs.scene(currentProgram, r);
    sceneDescriptionEdit->setText(r < 0 ? QString() : controller().sceneDescriptions[size_t(qMax(0, scene))]);
    // Only a step that exists is sent: without one the controller keeps
    // what it shows.
    if (controller().uiMode == 2 && scene >= 0 && scene < img::SCENES)
        controller().send_sc_prep(scene);
}

// ---- Tabs and reloading -------------------------------------------------------------

void aprogram_settings_widget::tabChanged(int index)
{
    refresh();
    if (index == 0 || index == 1)
        showOwnDescription();
    else if (index == 2)
        showForeignDescription(controller().programDescriptions[size_t(copyFromBox->value() - 1)]);
}

void aprogram_settings_widget::impTimes()
{
    if (programRecord* program = controller().programs.findProgram(currentProgram))
        program->timesFromScenes();
    refresh();
}


void aprogram_settings_widget::refreshSingleSteps()
{
    programTable& programs = controller().programs;
    stepTable->setProgramNumber(currentProgram);
    programNumberLabel->setText(QStringLiteral("%1").arg(currentProgram + 1));

    // The group tab's cells follow the count, whatever changed it since they
    // were last set (a copy onto this program, a window built over the show).
    const int steps = qMax(0, programs.stepCount(currentProgram));
    followStepCount(steps);
    shownSteps = steps;
    const int recurrences = programs.recurrences(currentProgram);
    // The table learns the program's recurrences before it draws its rows.
    stepTable->programModeRepeat = recurrences;
    stepTable->delegate->setProgramRunMode(recurrences);
    stepTable->setRows(shownSteps);
    {
        const QSignalBlocker countBlocker(stepCountBox);
        const QSignalBlocker recurrencesBlocker(recurrencesBox);
        stepCountBox->setValue(shownSteps);
        recurrencesBox->setValue(recurrences);
    }
    setRangeMaxima(shownSteps);

    refreshChainedEvent();
    showOwnDescription();
    refreshBreakTime();

    const int r = stepTable->currentIndex().row();
    if (r >= 0)
        sceneDescriptionEdit->setText(
            controller().sceneDescriptions[size_t(qMax(0, programs.scene(currentProgram, r)))]);
}

void aprogram_settings_widget::refreshGroupTab()
{
    groupProgramLabel->setText(tr("Program: %1").arg(currentProgram + 1));
    const int n = qMax(0, controller().programs.stepCount(currentProgram));
    followStepCount(n);
    shownSteps = n;
    setRangeMaxima(n);
    showOwnDescription();
}

void aprogram_settings_widget::refreshCopyTab()
{
    copyProgramLabel->setText(tr("Program: %1").arg(currentProgram + 1));
    showForeignDescription(controller().programDescriptions[size_t(copyFromBox->value() - 1)]);
}

void aprogram_settings_widget::rebuildProgramList()
{
    const kv310_controller_class& c = controller();
    programRows = img::PROGRAM_SLOTS - int(c.extraEntries.size());
    // Removing the current row would choose another program inside
    // setRowCount, and showing it rebuilds this list again: the list is
    // rebuilt with its choice held, then shows the current program once.
    const QScopedValueRollback<bool> held(rebuildingList, true);
    programList->setRowCount(qMax(0, programRows));
    const QBrush used(pageStyle::usedColour());
    const QBrush empty = pageStyle::emptyBrush();
    for (int k = 0; k < programRows; ++k) {
        QTableWidgetItem* item = programList->item(k, 0);
        if (!item) {
            item = new QTableWidgetItem();
            programList->setItem(k, 0, item);
        }
        item->setData(Qt::EditRole, descriptionOrNone(c.programDescriptions[size_t(k)]));
        item->setBackground(c.programs.stepCount(k) > 0 ? used : empty);
    }
    if (currentProgram < programRows && programList->currentRow() != currentProgram)
        programList->setCurrentCell(currentProgram, 0);
}

void aprogram_settings_widget::refresh()
{
    ++refreshCount;
    if (!theController)
        return;
    keepCurrentProgramOffered();
    switch (toolTabs->currentIndex()) {
    case 0:
        refreshSingleSteps();
        break;
    case 1:
        refreshGroupTab();
        break;
    case 2:
        refreshCopyTab();
        break;
    default:
        if (entriesPage && toolTabs->currentWidget() == entriesPage)
            refreshEntriesPage();
        break;
    }
    rebuildProgramList();
}

void aprogram_settings_widget::relabel()
{
    ++relabelCount;
    if (!theController)
        return;
    const QFont font = programList->font();
    const int width = programList->columnWidth(0);
    const int rows = qMin(programRows, programList->rowCount());
    for (int i = 0; i < rows; ++i) {
        QTableWidgetItem* item = programList->item(i, 0);
        if (!item) {
            item = new QTableWidgetItem();
            programList->setItem(i, 0, item);
        }
        item->setData(Qt::EditRole,
                      pageStyle::elided(descriptionOrNone(controller().programDescriptions[size_t(i)]), font, width));
    }
}

// ---- Groupped Steps -------------------------------------------------------------------

bool aprogram_settings_widget::marked(int s) const
{
    const QCheckBox* cell = gridCell(s);
    return cell && cell->isChecked();
}

void aprogram_settings_widget::validStart(int v)
{
    if (rangeToBox->value() < v)
        rangeToBox->setValue(v);
}

void aprogram_settings_widget::validEnd(int v)
{
    if (rangeFromBox->value() > v)
        rangeFromBox->setValue(v);
}

void aprogram_settings_widget::selectSome()
{
    if (shownSteps <= 0)
        return;
    int from = 0;
    int to = shownSteps;   // past the last step visited
    if (inRangeBox->isChecked()) {
        from = rangeFromBox->value() - 1;
        to = rangeToBox->value();
    }
    from = qMax(0, from);
    to = qMin(to, qMin(shownSteps, GRID_CELLS));
    const int stride = everyCheckBox->isChecked() ? everyBox->value() : 1;
    for (int s = from; s < to; s += stride) {
        QCheckBox* cell = gridCell(s);
        if (selectButton->isChecked())
            cell->setChecked(true);
        else if (deselectButton->isChecked())
            cell->setChecked(false);
        else
            cell->setChecked(!cell->isChecked());
    }
}

void aprogram_settings_widget::setStepScene()
{
    programTable& programs = controller().programs;
    for (int s = 0; s < shownSteps && s < GRID_CELLS; ++s)
        if (marked(s))
            programs.setScene(currentProgram, s, sceneBox->value() - 1);
    stepTable->refresh();
}

void aprogram_settings_widget::setRiseTime()
{
    programTable& programs = controller().programs;
    for (int s = 0; s < shownSteps && s < GRID_CELLS; ++s)
        if (marked(s))
            programs.setFadeUp(currentProgram, s, fadeUpEdit->time());
    stepTable->refresh();
}

void aprogram_settings_widget::setLastTime()
{
    programTable& programs = controller().programs;
    for (int s = 0; s < shownSteps && s < GRID_CELLS; ++s) {
        if (!marked(s))
            continue;
        if (infiniteBox->isChecked())
            programs.setInfinite(currentProgram, s);
        else
            programs.setDuration(currentProgram, s, durationEdit->time());
    }
    stepTable->refresh();
}

// ---- Copying ----------------------------------------------------------------------------

void aprogram_settings_widget::lowLimit_1(int v)
{
    if (v >= 1 && v <= img::PROGRAM_SLOTS)
        showForeignDescription(controller().programDescriptions[size_t(v - 1)]);
    copyToBox->setMinimum(v);
}

void aprogram_settings_widget::lowLimit_2(int v)
{
    altToBox->setMinimum(v);
    if (tmpDev)
        showForeignDescription(tmpDev->programDescriptions[size_t(altFromBox->value() - 1)]);
}

void aprogram_settings_widget::browseFile()
{
    const QString name = otherConfiguration::chooseFile(
        fileEdit->text(), tr("KvOrbit 310 project/config files (*.kvg;*.cfg;*.cfg310)"));
    if (name.isEmpty())
        return;
    fileEdit->setText(name);
    readFile();
}

void aprogram_settings_widget::readFile()
{
    otherConfiguration::read(tmpDev, fileEdit->text());
    altCopyButton->setEnabled(true);
    lowLimit_2(altFromBox->value() - 1);
}

void aprogram_settings_widget::destTmpDev()
{
    if (!tmpDev)
        return;
    delete tmpDev;
    tmpDev = nullptr;
    altCopyButton->setEnabled(false);
}

void aprogram_settings_widget::clrCfg()
{
    if (!tmpDev)
        return;
    tmpDev->ClearConfig(CLEAR_ALL);
    altCopyButton->setEnabled(false);
    descriptionEdit->clear();
}

void aprogram_settings_widget::rollOver()
{
    programTable& programs = controller().programs;
    programs.unpackPrograms(controller().configImage);
}

void aprogram_settings_widget::copyDone()
{
    emit relabelScenes();
    relabel();
    refresh();
}

void aprogram_settings_widget::copyPgm()
{
    programCopyRequest request;
    request.first = copyFromBox->value() - 1;
    request.last = copyToBox->value() - 1;
    request.destination = currentProgram;
    request.programSlots = programRows;
    request.pool = poolBox->value() - 1;
    request.reverse = reverseBox->isChecked();
    request.copyScenes = !noScenesBox->isChecked();
    request.messageParent = stepTable;
    if (programCopy::withinShow(controller(), request) == programCopy::copied)
        copyDone();
}

void aprogram_settings_widget::copyAltPgm()
{
    if (!tmpDev)
        return;
    programCopyRequest request;
    request.first = altFromBox->value() - 1;
    request.last = altToBox->value() - 1;
    request.destination = currentProgram;
    request.programSlots = programRows;
    request.pool = poolBox->value() - 1;
    request.reverse = reverseBox->isChecked();
    request.messageParent = stepTable;
    if (programCopy::fromOther(*tmpDev, controller(), request) == programCopy::copied)
        copyDone();
}

// ---- Extra entries ------------------------------------------------------------------------

namespace {

bool isProgram(int p)
{
    return p >= 0 && p < img::PROGRAM_SLOTS;
}

} // namespace

void aprogram_settings_widget::refreshEntriesPage()
{
    const kv310_controller_class& c = controller();
    const int entries = int(c.extraEntries.size());
    if (entriesModel->rowCount() < entries)
        entriesModel->insertRows(0, entries - entriesModel->rowCount());
    else if (entriesModel->rowCount() > entries)
        entriesModel->removeRows(0, entriesModel->rowCount() - entries);

    const QString none = tr("---");
    for (int j = 0; j < entries; ++j) {
        const extraEntry& e = *c.extraEntries[size_t(j)];
        QString program = tr("Not defined");
        QString step = none;
        QString slot = none;
        if (isProgram(e.program)) {
            program = tr("Program %1").arg(e.program + 1);
            const int count = c.programs.stepCount(e.program);
            if (count < 2) {
                step = tr("Program too short");
            } else if (e.fromStep > 0 && e.fromStep < count) {
                step = tr("Step %1").arg(e.fromStep + 1);
                slot = QStringLiteral("%1").arg(img::PROGRAM_SLOTS - j);
            } else {
                step = tr("Invalid step");
            }
        }
        entriesModel->setData(entriesModel->index(j, 0), program, Qt::DisplayRole);
        entriesModel->setData(entriesModel->index(j, 1), step, Qt::DisplayRole);
        entriesModel->setData(entriesModel->index(j, 2), slot, Qt::DisplayRole);
    }

    const int row = entriesView->currentIndex().row();
    if (row >= 0 && row < entries && isProgram(c.extraEntries[size_t(row)]->program))
        showForeignDescription(c.programDescriptions[c.extraEntries[size_t(row)]->program]);
    else
        showForeignDescription(QString());
}

void aprogram_settings_widget::addEntry()
{
    kv310_controller_class& c = controller();
    extraEntryList& entries = c.extraEntries;
    int i = -1;
    for (size_t k = 0; k < entries.size() && i < 0; ++k)
        if (entries[k]->program > img::PROGRAM_SLOTS)
            i = int(k);
    if (i < 0) {
        i = int(entries.size());
        // Every entry takes a program slot away: the last one stays a program.
        if (i >= MAX_EXTRA_ENTRIES) {
            showMessage(QMessageBox::Information, entriesPage, tr("Unrealisable action!"),
                        tr("Program number limit exceeded!"));
            return;
        }
        const int slot = img::PROGRAM_SLOTS - 1 - i;
        if (c.programs.stepCount(slot) > 0
            && askQuestion(QMessageBox::Question, entriesPage, tr("Program exists!"),
                           tr("Do you want to overwrite program No. %1?").arg(slot + 1), {tr("No"), tr("Yes, I do!")},
                           0, 0)
                   != 1)
            return;
        entries.push_back(std::make_unique<extraEntry>());
        // The last row of the program list is about to go.
        if (programList->currentRow() == programRows - 1)
            programList->setCurrentCell(programRows - 2, 0);
    }
    extraEntry& entry = *entries[size_t(i)];
    entry.program = 0;
    entry.fromStep = 1;
    entry.slot = uint16_t(img::PROGRAM_SLOTS - 1 - i);
    refresh();
}

void aprogram_settings_widget::delEntry()
{
    extraEntryList& entries = controller().extraEntries;
    const int r = entriesView->currentIndex().row();
    if (r < 0 || r >= int(entries.size()))
        return;
    if (r == int(entries.size()) - 1)
        entries.pop_back();
    else
        entries[size_t(r)]->program = 0xFFFF;
    refresh();
}

void aprogram_settings_widget::clrEntries()
{
    controller().extraEntries.clear();
    refresh();
}

void aprogram_settings_widget::showEntryDesc(const QModelIndex& current, const QModelIndex&)
{
    if (!current.isValid())
        return;
    const extraEntryList& entries = controller().extraEntries;
    const int row = current.row();
    if (row < int(entries.size()) && isProgram(entries[size_t(row)]->program))
        showForeignDescription(controller().programDescriptions[entries[size_t(row)]->program]);
    else
        showForeignDescription(QString());
}

void aprogram_settings_widget::showEntryDesc(int n)
{
    showForeignDescription(n >= 1 && n <= img::PROGRAM_SLOTS ? controller().programDescriptions[size_t(n - 1)]
                                                             : QString());
}
