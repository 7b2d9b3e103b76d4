#include "settings/asettings_ired_tab.h"

#include "seams/gui_base.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

namespace {
constexpr int REMOTE_CONTROL_EVENTS_TAB = 5;
}

asettings_ired_tab::asettings_ired_tab(QWidget* parent) : QWidget(parent)
{
    refresh();
}

void asettings_ired_tab::refresh()
{
    ++refreshCount;
    if (theMainWindow && theController)
        theMainWindow->setEventsTabEnabled(REMOTE_CONTROL_EVENTS_TAB, theController->rcuAddress <= 31);
}
