#include "visualisation/kv_vgraph.h"

#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/v_project.h"

// The selection and light-control entries the pointer reaches. The light
// control itself (its dialogs and the menu of groups) comes with the
// selection and group tools; until then these calls change the selection
// only.

void kvVGraph_class::invertFixt()
{
    v_project* vp = theVisualProject;
    lightEffect* f = pointedFixture;
    if (!f || !vp)
        return;
    f->selected = !f->selected;
    f->updateIcon();
    f->update();
    if (!f->selected)
        vp->defaultGroup.members.removeAll(f);
    else if (!vp->defaultGroup.members.contains(f))
        vp->defaultGroup.members.append(f);
    vp->modified = true;
    if (lightMode == LIGHT_MODE_OFFLINE || lightMode == LIGHT_MODE_LIVE_DESIGN)
        makeMenuCtrlGroup();
}

void kvVGraph_class::makeMenuCtrlGroup() {}

void kvVGraph_class::designFxt(lightEffect*) {}

void kvVGraph_class::controlByGroup(efGroup*) {}

void kvVGraph_class::controlByGroup()
{
    controlByGroup(nullptr);
}
