#include "editors/scenes/amask_settings_widget.h"

#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QTabWidget>
#include <QTableWidget>

amask_settings_widget::amask_settings_widget(kv310_controller_class* controller, QWidget* parent)
    : QWidget(nullptr), controller(controller)
{
    maskList = new QTableWidget(img::MASKS, 1, parent);
    maskList->setGeometry(10, 20, 175, 625);
    maskList->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Mask")));
    maskList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    maskList->setSelectionBehavior(QAbstractItemView::SelectRows);
    maskList->setSelectionMode(QAbstractItemView::SingleSelection);

    toolTabs = new QTabWidget(parent);
    toolTabs->setGeometry(190, 0, 661, 681);
    toolTabs->addTab(new QWidget(), tr("Single Channels"));
    toolTabs->addTab(new QWidget(), tr("Groupped Channels"));
    toolTabs->addTab(new QWidget(), tr("Copying"));

    connect(maskList, &QTableWidget::currentCellChanged, this,
            [this](int row) { currentMask = row < 0 ? 0 : row; });
    maskList->setCurrentCell(0, 0);
}

amask_settings_widget::~amask_settings_widget()
{
    delete tmpDev;
}

void amask_settings_widget::refresh()
{
    ++refreshCount;
}

void amask_settings_widget::limitChnls(int n)
{
    if (n == appliedLimit)
        return;
    appliedLimit = n;
    channelCount = n;
}

void amask_settings_widget::destTmpDev()
{
    if (!tmpDev)
        return;
    delete tmpDev;
    tmpDev = nullptr;
}
