#include "monitor/ctrl_monitor.h"

#include "seams/dialog_seam.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QPushButton>

ctrl_monitor::ctrl_monitor(QWidget* parent) : QGroupBox(parent)
{
    setTitle(tr("Controller Monitoring"));
    showInputsButton = new QPushButton(tr("Show inputs' states"), this);
    showInputsButton->setGeometry(30, 60, 200, 30);
    showDmxInButton = new QPushButton(tr("Show input DMX values"), this);
    showDmxInButton->setGeometry(30, 100, 200, 30);
    showDmxOutButton = new QPushButton(tr("Show output DMX values"), this);
    showDmxOutButton->setGeometry(30, 140, 200, 30);
    showStatesButton = new QPushButton(tr("Show internal states"), this);
    showStatesButton->setGeometry(30, 180, 200, 30);
    connect(showInputsButton, &QPushButton::clicked, this, &ctrl_monitor::shInputsClicked);
    connect(showDmxInButton, &QPushButton::clicked, this, &ctrl_monitor::shDmxInClicked);
    connect(showDmxOutButton, &QPushButton::clicked, this, &ctrl_monitor::shDmxOutClicked);
    connect(showStatesButton, &QPushButton::clicked, this, &ctrl_monitor::shStatesClicked);
    setAutoFillBackground(true);
}

QPushButton* ctrl_monitor::buttonOf(uint16_t flag) const
{
    switch (flag) {
    case MONITOR_FLAG_INPUTS:
        return showInputsButton;
    case MONITOR_FLAG_DMX_IN:
        return showDmxInButton;
    case MONITOR_FLAG_DMX_OUT:
        return showDmxOutButton;
    case MONITOR_FLAG_STATES:
        return showStatesButton;
    default:
        return nullptr;
    }
}

void ctrl_monitor::closeMonitors(uint16_t flags)
{
    for (uint16_t flag : {MONITOR_FLAG_INPUTS, MONITOR_FLAG_DMX_IN, MONITOR_FLAG_DMX_OUT, MONITOR_FLAG_STATES}) {
        if (!(flags & flag))
            continue;
        buttonOf(flag)->setEnabled(true);
        monitorFlags &= uint16_t(~flag);
    }
    emit forceRefresh();
    emit clrMenu(flags);
}

void ctrl_monitor::toggle(uint16_t flag)
{
    if (monitorFlags & flag) {
        closeMonitors(flag);
        return;
    }
    const bool connected = theController && theController->isConnected();
    if (!connected) {
        showMessage(QMessageBox::Information, this, tr("Controller error"), tr("Not connected!"));
        return;
    }
    buttonOf(flag)->setEnabled(false);
    monitorFlags |= flag;
}

void ctrl_monitor::shInputsClicked()
{
    toggle(MONITOR_FLAG_INPUTS);
}

void ctrl_monitor::shDmxInClicked()
{
    toggle(MONITOR_FLAG_DMX_IN);
}

void ctrl_monitor::shDmxOutClicked()
{
    toggle(MONITOR_FLAG_DMX_OUT);
}

void ctrl_monitor::shStatesClicked()
{
    toggle(MONITOR_FLAG_STATES);
}

void ctrl_monitor::updateStateTexts(uint16_t)
{
    ++stateTextUpdates;
}
