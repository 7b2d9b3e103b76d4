// The scene page's capture of the DMX input: transparency on the controller,
// the output DMX monitor window and saving its levels into a scene or mask.

#include "editors/scenes/ascene_settings_widget.h"

#include "editors/scenes/dmx_mixing.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "monitor/ctrl_monitor.h"
#include "monitor/monitor_flags.h"
#include "monitor/pokaz.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

ctrl_monitor* monitorPanel()
{
    return theMainWindow ? theMainWindow->monitorPanel() : nullptr;
}

// The output DMX window while it exists with its 512 levels.
pokaz* outputWindow()
{
    ctrl_monitor* monitor = monitorPanel();
    pokaz* window = monitor ? monitor->dmxOutWindow.data() : nullptr;
    return window && window->buffer.size() >= size_t(img::CHANNELS) ? window : nullptr;
}

}  // namespace

void ascene_settings_widget::buildTransparencyGroup()
{
    const QFont fontA = pageStyle::listFont();
    const auto rightLabel = [&](const QString& text, const QRect& r) {
        auto* l = new QLabel(text, transparencyGroup);
        l->setGeometry(r);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFont(fontA);
        return l;
    };

    transparencyGroup = new QGroupBox(tr("Transparently from DMX input"), copyPage);
    transparencyGroup->setGeometry(10, 300, 631, 161);
    transparencyGroup->setCheckable(true);
    transparencyGroup->setChecked(false);

    hideMonitorBox = new QCheckBox(tr("Hide monitor window"), transparencyGroup);
    hideMonitorBox->setGeometry(440, 21, 181, 20);
    hideMonitorBox->setLayoutDirection(Qt::RightToLeft);

    saveAsLabel = rightLabel(tr("Save as"), QRect(30, 40, 81, 20));
    saveSceneButton = new QRadioButton(tr("Scene"), transparencyGroup);
    saveSceneButton->setGeometry(140, 40, 81, 20);
    saveSceneButton->setChecked(true);
    saveMaskButton = new QRadioButton(tr("Mask"), transparencyGroup);
    saveMaskButton->setGeometry(230, 40, 81, 20);

    mixingLabel = rightLabel(tr("Use of existing values"), QRect(30, 80, 211, 20));
    mixingBox = new QComboBox(transparencyGroup);
    mixingBox->setGeometry(260, 80, 221, 20);
    mixingBox->addItem(tr("Overwrite"), int(MIX_OVERWRITE));

    targetLabel = rightLabel(tr("Save as item"), QRect(50, 120, 191, 20));
    targetBox = new QSpinBox(transparencyGroup);
    targetBox->setGeometry(260, 119, 71, 22);
    targetBox->setRange(1, img::SCENES);

    saveButton = new QPushButton(tr("Save"), transparencyGroup);
    saveButton->setGeometry(505, 119, 101, 22);
    saveButton->setFont(fontA);

    connect(transparencyGroup, &QGroupBox::toggled, this, &ascene_settings_widget::transparencyToggled);
    connect(saveButton, &QPushButton::clicked, this, &ascene_settings_widget::saveFromDmx);
    connect(saveSceneButton, &QRadioButton::clicked, this, &ascene_settings_widget::sceneOrMask);
    connect(saveMaskButton, &QRadioButton::clicked, this, &ascene_settings_widget::sceneOrMask);
    sceneOrMask();
}

void ascene_settings_widget::setTransparency(bool on)
{
    // Asked by the window or the monitor, the switch is the group's.
    ensureTools();
    switchTransparency(on, false);
}

void ascene_settings_widget::transparencyToggled(bool on)
{
    switchTransparency(on, true);
}

void ascene_settings_widget::switchTransparency(bool on, bool byUser)
{
    // What the page does to its own group below runs no slot.
    const QSignalBlocker quiet(transparencyGroup);
    if (!controller || !controller->isConnected()) {
        showMessage(QMessageBox::Information, this, tr("Controller error"), tr("Not connected!"));
        transparencyGroup->setChecked(false);
        return;
    }

    if (on) {
        if (controller->setDmxTransparency(true) != 1) {
            showMessage(QMessageBox::Information, this, tr("Controller error"), tr("Action failed!"));
            transparencyGroup->setChecked(false);
            return;
        }
        ctrl_monitor* monitor = monitorPanel();
        if (monitor && !monitor->dmxOutWindow)
            monitor->shDmxOutClicked();
        {
            const QSignalBlocker box(hideMonitorBox);
            hideMonitorBox->setChecked(false);
        }
        // A window that was open already shows, as the unticked box says.
        if (pokaz* window = outputWindow())
            window->keepHidden = false;
        connect(hideMonitorBox, &QCheckBox::stateChanged, this, &ascene_settings_widget::hideMonitor,
                Qt::UniqueConnection);
        transparencyGroup->setChecked(true);
        return;
    }

    const bool stopped = controller->setDmxTransparency(false) == 1;
    if (!stopped) {
        showMessage(QMessageBox::Information, this, tr("Controller error"), tr("Action failed!"));
        // The controller may still pass its input through: the group says so
        // for as long as the window that shows it is open.
        if (byUser) {
            transparencyGroup->setChecked(true);
            return;
        }
    }
    if (pokaz* window = outputWindow()) {
        if (window->keepHidden)
            monitorPanel()->closeMonitors(MONITOR_FLAG_DMX_OUT);
    }
    disconnect(hideMonitorBox, &QCheckBox::stateChanged, this, &ascene_settings_widget::hideMonitor);
    hideMonitorBox->setChecked(false);
    transparencyGroup->setChecked(false);
}

void ascene_settings_widget::hideMonitor(int state)
{
    pokaz* window = outputWindow();
    if (!window) {
        setTransparency(false);
        return;
    }
    window->keepHidden = state == Qt::Checked;
    if (window->keepHidden)
        window->hide();
    else
        monitorPanel()->updateStateTexts(MONITOR_FLAG_ALL);
}

void ascene_settings_widget::sceneOrMask()
{
    while (mixingBox->count() > 1)
        mixingBox->removeItem(mixingBox->count() - 1);
    if (saveSceneButton->isChecked()) {
        mixingBox->addItem(tr("Mixed (bigger win)"), int(MIX_BIGGER));
        mixingBox->addItem(tr("Mixed linear"), int(MIX_LINEAR));
        mixingBox->addItem(tr("Multiplication"), int(MIX_MULTIPLY));
        targetBox->setMaximum(img::SCENES);
    } else {
        mixingBox->addItem(tr("Multiplication"), int(MIX_MULTIPLY));
        mixingBox->addItem(tr("Invert + overwrite"), int(MIX_INVERT));
        targetBox->setMaximum(img::MASKS);
    }
}

void ascene_settings_widget::saveFromDmx()
{
    pokaz* window = outputWindow();
    if (!window) {
        setTransparency(false);
        return;
    }
    if (!controller)
        return;
    const int n = targetBox->value() - 1;
    const bool scene = saveSceneButton->isChecked();
    if (n < 0 || n >= (scene ? img::SCENES : img::MASKS))
        return;
    uint8_t* target = controller->configImage + (scene ? img::sceneChannelsOf(n) : img::maskChannelsOf(n));
    // Every channel, whatever the channel limit; times and description stay.
    mixLevels(mixingBox->currentData().toInt(), target, window->buffer.data(), img::CHANNELS);
}
