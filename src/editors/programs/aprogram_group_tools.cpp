// The "Groupped Steps" tool of the program page: the grid that marks steps
// of the current program, the marking tool, and setting the scene, fade-up
// or duration of every marked step at once.

#include "editors/programs/aprogram_settings_widget.h"

#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_page_parts.h"
#include "editors/programs/step_grid.h"
#include "model/config_image.h"
#include "model/time_codes.h"
#include "widgets/cell_selection.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using programPage::controller;

QLabel* aprogram_settings_widget::programLabel(QWidget* tab, int x) const
{
    // Wide enough for the last program, about the centre it was given.
    return pageStyle::centredLabel(tr("Program: %1").arg(1), QRect(x, 20, 91, 20),
                                   {tr("Program: %1").arg(img::PROGRAM_SLOTS)}, tab);
}

void aprogram_settings_widget::buildGroupTab()
{
    QWidget* tab = groupTab;
    stepGrid = new stepGridView(listFont, tab);
    stepGrid->setGeometry(10, 20, stepGrid->widthForColumns(276), 554);

    groupProgramLabel = programLabel(tab, 408);

    selectionGroup = new cellSelectionGroup({121, 52, 256, stepGridView::CELLS, 1}, tab);
    selectionGroup->move(310, 60);

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

    connect(selectionGroup->executeButton, &QPushButton::clicked, this, &aprogram_settings_widget::selectSome);
    connect(setSceneButton, &QPushButton::clicked, this, &aprogram_settings_widget::setStepScene);
    connect(setFadeUpButton, &QPushButton::clicked, this, &aprogram_settings_widget::setRiseTime);
    connect(setDurationButton, &QPushButton::clicked, this, &aprogram_settings_widget::setLastTime);
}

void aprogram_settings_widget::refreshGroupTab()
{
    groupProgramLabel->setText(tr("Program: %1").arg(currentProgram + 1));
    const int n = qMax(0, controller().programs.stepCount(currentProgram));
    stepGrid->followCount(shownSteps, n);
    shownSteps = n;
    selectionGroup->setRangeMaximum(n);
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

void aprogram_settings_widget::selectSome()
{
    selectionGroup->apply(*stepGrid->grid(), qMin(shownSteps, stepGridView::CELLS));
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
