#include "editors/programs/aprogram_settings_widget.h"

#include "editors/programs/aprogram_conf_delegate.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_page_parts.h"
#include "editors/programs/description_list.h"
#include "editors/programs/step_grid.h"
#include "model/config_image.h"
#include "model/events.h"
#include "model/time_codes.h"
#include "seams/dialog_seam.h"
#include "widgets/cell_selection.h"
#include "widgets/inf_time_class.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyle>
#include <QTabWidget>

using programPage::controller;

namespace {

constexpr int DESCRIPTION_LENGTH = 100;
constexpr int LAST_EVENT_ID = EVENT_COUNT - 1;
constexpr int BREAK_TIME_DEFAULT = 10;   // one second, in tenths

// Item data of the chained-event kinds: the first event id of the kind.
constexpr int CHAIN_NOTHING = 0xFFFF;
constexpr int CHAIN_SEQUENCE = EVENT_SEQUENCE_START;
constexpr int CHAIN_DELAY = EVENT_DELAY_END;
constexpr int CHAIN_INTERNAL = EVENT_INTERNAL;

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

} // namespace

aprogram_settings_widget::aprogram_settings_widget(kv310_controller_class*, QWidget* parent)
    : QWidget(nullptr)
    , listFont(pageStyle::listFont())
    , descriptionFont(pageStyle::descriptionFont())
{
    const descriptionList list = makeDescriptionList(
        img::PROGRAM_SLOTS, tr("Program"), tr("no description"),
        [](int p) { return theController ? theController->programDescriptions[size_t(p)] : QString(); },
        [](int p) { return theController && theController->programs.stepCount(p) > 0; }, parent);
    programList = list.view;
    programListModel = list.model;
    programList->setGeometry(10, 20, 175, 625);
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


aprogram_settings_widget::~aprogram_settings_widget()
{
    // The tabs outlive this object; a tab that goes now must not reload it.
    disconnect(toolTabs, nullptr, this, nullptr);
    delete programList;
    // The page goes whether or not it was ever shown as a tab.
    delete entriesPage;
}

// ---- Step count, program, recurrences ------------------------------------------

void aprogram_settings_widget::sceneCountChange(int n, bool force)
{
    n = qBound(0, n, img::MAX_PROGRAM_STEPS);
    if (force)
        stepGrid->applyCount(n);
    else
        stepGrid->followCount(shownSteps, n);
    shownSteps = n;
    selectionGroup->setRangeMaximum(n);
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
    programListModel->rowChanged(currentProgram);
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
    stepGrid->followCount(shownSteps, steps);
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
    selectionGroup->setRangeMaximum(shownSteps);

    refreshChainedEvent();
    showOwnDescription();
    refreshBreakTime();

    const int r = stepTable->currentIndex().row();
    if (r >= 0)
        sceneDescriptionEdit->setText(
            controller().sceneDescriptions[size_t(qMax(0, programs.scene(currentProgram, r)))]);
}

void aprogram_settings_widget::rebuildProgramList()
{
    programRows = img::PROGRAM_SLOTS - int(controller().extraEntries.size());
    // Removing the current row would choose another program inside
    // setRowCount, and showing it rebuilds this list again: the list is
    // rebuilt with its choice held, then shows the current program once.
    const QScopedValueRollback<bool> held(rebuildingList, true);
    programListModel->setRowCount(qMax(0, programRows));
    programListModel->allChanged();
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
    // The rows read the descriptions when they are drawn.
    programListModel->allChanged();
}

