#include "editors/programs/aprogram_settings_widget.h"

#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "widgets/page_style.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

aprogram_settings_widget::aprogram_settings_widget(kv310_controller_class*, QWidget* parent) : QWidget(nullptr)
{
    programList = new QTableWidget(img::PROGRAM_SLOTS, 1, parent);
    programList->setGeometry(10, 20, 175, 625);
    programList->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Program")));
    programList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    programList->setSelectionBehavior(QAbstractItemView::SelectRows);
    programList->setSelectionMode(QAbstractItemView::SingleSelection);

    toolTabs = new QTabWidget(parent);
    toolTabs->setGeometry(190, 0, 655, 610);
    auto* singleSteps = new QWidget();
    toolTabs->addTab(singleSteps, tr("Single Steps"));
    toolTabs->addTab(new QWidget(), tr("Groupped Steps"));
    toolTabs->addTab(new QWidget(), tr("Copying"));

    stepTable = new QTableWidget(0, 6, singleSteps);
    stepTable->setGeometry(20, 40, 600, 327);
    stepTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    stepTable->setSelectionMode(QAbstractItemView::SingleSelection);
    editSceneButton = new QPushButton(tr("Edit current scene"), singleSteps);
    editSceneButton->setGeometry(150, 375, 120, 24);
    editSceneButton->setFont(pageStyle::listFont());

    connect(programList, &QTableWidget::currentCellChanged, this,
            [this](int row) { currentProgram = row < 0 ? 0 : row; });
    programList->setCurrentCell(0, 0);
}

aprogram_settings_widget::~aprogram_settings_widget()
{
    delete tmpDev;
}

void aprogram_settings_widget::showEntriesTab(bool on)
{
    if (!on && toolTabs->count() > 3)
        toolTabs->removeTab(3);
}

void aprogram_settings_widget::sceneCountChange(int n, bool)
{
    shownSteps = n < 0 ? 0 : n;
    stepTable->setRowCount(shownSteps);
}

void aprogram_settings_widget::sceneCountChange(int n)
{
    sceneCountChange(n, false);
}

void aprogram_settings_widget::destTmpDev()
{
    delete tmpDev;
    tmpDev = nullptr;
}

void aprogram_settings_widget::refresh()
{
    ++refreshCount;
}

void aprogram_settings_widget::relabel()
{
    ++relabelCount;
}
