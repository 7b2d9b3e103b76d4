#include "editors/scenes/ascene_settings_widget.h"

#include "model/kv310_controller.h"

#include <QTabWidget>

ascene_settings_widget::ascene_settings_widget(kv310_controller_class* controller, QWidget* parent)
    : arecord_settings_widget(controller, parent, recordPageKind::scenes())
{
    coupledPage = new QWidget();
    toolTabs->addTab(coupledPage, tr("Coupled Scenes"));
    refresh();
}

void ascene_settings_widget::sceneLiveOn()
{
    emit sceneChanged(currentScene);
    refresh();
}

void ascene_settings_widget::refreshed()
{
    if (controller && controller->uiMode == 2)
        controller->send_sc_prep(currentScene);
}
