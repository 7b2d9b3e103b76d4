#include "clear_conf_dialog.h"

#include "app/gui_class.h"
#include "editors/scenes/as_conf_widget.h"
#include "model/clear_flags.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QCheckBox>

clearConf_dialog::clearConf_dialog(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
    connect(cbAll, &QCheckBox::stateChanged, this, &clearConf_dialog::chgAll);
    connect(cbScenes, &QCheckBox::stateChanged, this, &clearConf_dialog::chgScenes);
    connect(cbPrograms, &QCheckBox::stateChanged, this, &clearConf_dialog::chgProgs);
    connect(okButton, &QPushButton::clicked, this, &clearConf_dialog::clearExec);
    if (theController)
        connect(this, &clearConf_dialog::clearByFlags, theController,
                qOverload<uint32_t>(&kv310_controller_class::ClearConfig));
}

uint32_t clearConf_dialog::checkedFlags() const
{
    const struct {
        const QCheckBox* box;
        uint32_t bits;
    } boxes[] = {
        {cbScenes, CLEAR_SCENES | CLEAR_SCENE_DESCRIPTIONS},
        {cbPrograms, CLEAR_PROGRAMS | CLEAR_CHAINS | CLEAR_PROGRAM_DESCRIPTIONS},
        {cbChains, CLEAR_CHAINS},
        {cbDescr, CLEAR_SCENE_DESCRIPTIONS | CLEAR_PROGRAM_DESCRIPTIONS | CLEAR_MASK_DESCRIPTIONS
                      | CLEAR_DESCRIPTIONS},
        {cbTimers, CLEAR_TIMERS},
        {cbInputs, CLEAR_INPUTS},
        {cbDMXin, CLEAR_DMX_IN},
        {cbDMXout, CLEAR_DMX_OUT_SETTINGS | CLEAR_DMX_OUT_EVENTS},
        {cbVKeys, CLEAR_INTERNAL_EVENTS},
        {cbLimits, CLEAR_LIMITS},
        {cbDelays, CLEAR_DELAYS},
        {cbMasks, CLEAR_MASKS | CLEAR_MASK_DESCRIPTIONS},
        {cbSunTimes, CLEAR_SUN},
        {cbVProject, CLEAR_VISUAL_PROJECT},
        {cbAScenes, CLEAR_ACTIVE_SCENES},
    };
    // Only "All" reaches the remote-control settings (CLEAR_RCU).
    uint32_t flags = cbAll->isChecked() ? CLEAR_ALL : 0;
    for (const auto& b : boxes)
        if (b.box->isChecked())
            flags |= b.bits;
    return flags;
}

void clearConf_dialog::chgAll(int state)
{
    QCheckBox* const others[] = {cbScenes, cbPrograms, cbChains, cbDescr,    cbTimers,
                                 cbInputs, cbDMXin,    cbDMXout, cbVKeys,    cbLimits,
                                 cbDelays, cbMasks,    cbSunTimes, cbVProject, cbAScenes};
    for (QCheckBox* box : others) {
        if (state) {
            box->setChecked(true);
            box->setEnabled(false);
        } else if (box != cbPrograms && box != cbChains) {
            // Programs and chained events stay held while "Scenes" is checked.
            box->setEnabled(true);
        }
    }
}

void clearConf_dialog::chgScenes(int state)
{
    // Scenes are never cleared without the programs that play them.
    if (state) {
        cbPrograms->setChecked(true);
        cbChains->setChecked(true);
        cbPrograms->setEnabled(false);
    } else {
        cbPrograms->setEnabled(true);
    }
}

void clearConf_dialog::chgProgs(int state)
{
    // Nor programs without the events chained to them.
    if (state) {
        cbChains->setChecked(true);
        cbChains->setEnabled(false);
    } else {
        cbChains->setEnabled(true);
    }
}

void clearConf_dialog::clearExec()
{
    const uint32_t flags = checkedFlags();
    clearedFlags |= flags;
    emit clearByFlags(flags);
    if (flags == CLEAR_ALL && theMainWindow)
        theMainWindow->setWindowTitle(QStringLiteral("KvOrbit310+"));
    // The active-scenes page reloads the cleared image when it is switched off.
    if (cbAScenes->isChecked())
        if (auto* window = qobject_cast<gui_class*>(theMainWindow))
            window->activeScenesSwitchedOff();
}
