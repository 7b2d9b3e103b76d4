#include "editors/scenes/ascene_settings_widget.h"

#include "editors/scenes/ascene_groups_widget.h"
#include "model/kv310_controller.h"

#include <QTabWidget>

namespace {
constexpr int TOOL_COUPLED_SCENES = 3;
}

ascene_settings_widget::ascene_settings_widget(kv310_controller_class* controller, QWidget* parent,
                                               toolBuild tools)
    : arecord_settings_widget(controller, parent, recordPageKind::scenes(), tools)
{
    // Tools made at once were made before this part of the page existed.
    if (toolsBuilt())
        buildTransparencyGroup();
    coupledPage = new ascene_groups_widget(sceneList, parent);
    toolTabs->addTab(coupledPage, tr("Coupled Scenes"));
    refresh();
}

void ascene_settings_widget::tabChanged(int index)
{
    arecord_settings_widget::tabChanged(index);
    if (index == TOOL_COUPLED_SCENES) {
        // Chosen, the tool is shown, whether or not the window is.
        coupledPage->build();
        coupledPage->refresh();
    }
}

void ascene_settings_widget::toolsMade()
{
    // The capture of the DMX input sits on the "Copying" tool.
    buildTransparencyGroup();
}

void ascene_settings_widget::sceneLiveOn()
{
    emit sceneChanged(currentScene);
    refresh();
}

void ascene_settings_widget::refreshed()
{
    // The page's base refresh runs before the coupled page exists; the
    // coupled page reloads only once it has been shown.
    if (coupledPage)
        coupledPage->refresh();
    if (controller && controller->uiMode == 2)
        controller->send_sc_prep(currentScene);
}
