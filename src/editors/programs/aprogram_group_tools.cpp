// The "Groupped Steps" tool of the program page: the grid that marks steps
// of the current program, the marking tool, and setting the scene, fade-up
// or duration of every marked step at once.

#include "editors/programs/aprogram_settings_widget.h"

#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_page_parts.h"
#include "editors/programs/step_grid.h"
#include "model/config_image.h"
#include "model/time_codes.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/my_time_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using programPage::controller;

void aprogram_settings_widget::buildGroupTab()
{
    QWidget* tab = groupTab;
    stepGrid = new stepGridView(listFont, tab);
    stepGrid->setGeometry(10, 20, stepGrid->widthForColumns(276), 554);

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
    rangeFromBox->setRange(1, stepGridView::CELLS);
    rangeFromBox->setValue(1);
    rangeFromBox->setEnabled(false);
    auto* to = new QLabel(tr("to"), choose);
    to->setGeometry(160, 110, 21, 20);
    to->setFont(listFont);
    rangeToBox = new guardedSpinBox(choose);
    rangeToBox->setGeometry(200, 110, 52, 22);
    rangeToBox->setRange(1, stepGridView::CELLS);
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

void aprogram_settings_widget::setRangeMaxima(int n)
{
    const int maximum = n > 0 ? n : 1;
    rangeFromBox->setMaximum(maximum);
    rangeToBox->setMaximum(maximum);
}

void aprogram_settings_widget::refreshGroupTab()
{
    groupProgramLabel->setText(tr("Program: %1").arg(currentProgram + 1));
    const int n = qMax(0, controller().programs.stepCount(currentProgram));
    stepGrid->followCount(shownSteps, n);
    shownSteps = n;
    setRangeMaxima(n);
    showOwnDescription();
}

QList<int> aprogram_settings_widget::markedSteps() const
{
    QList<int> steps;
    for (int s = 0; s < shownSteps && s < stepGridView::CELLS; ++s)
        if (stepGrid->marked(s))
            steps << s;
    return steps;
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
    to = qMin(to, qMin(shownSteps, stepGridView::CELLS));
    const int stride = everyCheckBox->isChecked() ? everyBox->value() : 1;
    const checkGridModel::tick mode = selectButton->isChecked()     ? checkGridModel::tick::on
                                      : deselectButton->isChecked() ? checkGridModel::tick::off
                                                                    : checkGridModel::tick::invert;
    stepGrid->grid()->apply(mode, from, to, stride);
}

void aprogram_settings_widget::setStepScene()
{
    programTable& programs = controller().programs;
    for (int s : markedSteps())
        programs.setScene(currentProgram, s, sceneBox->value() - 1);
    stepTable->refresh();
}

void aprogram_settings_widget::setRiseTime()
{
    programTable& programs = controller().programs;
    for (int s : markedSteps())
        programs.setFadeUp(currentProgram, s, fadeUpEdit->time());
    stepTable->refresh();
}

void aprogram_settings_widget::setLastTime()
{
    programTable& programs = controller().programs;
    for (int s : markedSteps()) {
        if (infiniteBox->isChecked())
            programs.setInfinite(currentProgram, s);
        else
            programs.setDuration(currentProgram, s, durationEdit->time());
    }
    stepTable->refresh();
}
