#include "editors/scenes/ascene_settings_widget.h"

#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QTabWidget>
#include <QTableWidget>

ascene_settings_widget::ascene_settings_widget(kv310_controller_class* controller, QWidget* parent)
    : QWidget(nullptr), controller(controller)
{
    sceneList = new QTableWidget(img::SCENES, 1, parent);
    sceneList->setGeometry(10, 20, 175, 625);
    sceneList->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Scene")));
    sceneList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sceneList->setSelectionBehavior(QAbstractItemView::SelectRows);
    sceneList->setSelectionMode(QAbstractItemView::SingleSelection);

    toolTabs = new QTabWidget(parent);
    toolTabs->setGeometry(190, 0, 661, 681);
    toolTabs->addTab(new QWidget(), tr("Single Channels"));
    toolTabs->addTab(new QWidget(), tr("Groupped Channels"));
    toolTabs->addTab(new QWidget(), tr("Copying"));
    toolTabs->addTab(new QWidget(), tr("Coupled Scenes"));

    connect(sceneList, &QTableWidget::currentCellChanged, this,
            [this](int row) { currentScene = row < 0 ? 0 : row; });
    sceneList->setCurrentCell(0, 0);
}

ascene_settings_widget::~ascene_settings_widget()
{
    delete tmpDev;
}

void ascene_settings_widget::refresh()
{
    ++refreshCount;
}

void ascene_settings_widget::relabel()
{
    ++relabelCount;
}

void ascene_settings_widget::sceneLiveOn()
{
    refresh();
}

void ascene_settings_widget::limitChnls(int n)
{
    if (n == appliedLimit)
        return;
    appliedLimit = n;
    channelCount = n;
}

void ascene_settings_widget::destTmpDev()
{
    if (!tmpDev)
        return;
    delete tmpDev;
    tmpDev = nullptr;
}
