#include "app/gui_class.h"

#include "app/clear_conf_dialog.h"
#include "app/right_panel_widget.h"
#include "app/time_rescale_dlg.h"
#include "seams/dialog_seam.h"
#include "app/startup.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "visualisation/kv_vgraph.h"
#include "widgets/cell_editor_delegate.h"
#include "widgets/page_style.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QSignalMapper>

// The main window's actions and menus and the commands behind them.

void gui_class::buildActions()
{
    auto make = [this](const QString& text, const QString& tip, const QString& icon, bool checkable) {
        auto* action = icon.isEmpty() ? new QAction(text, this) : new QAction(QIcon(icon), text, this);
        action->setStatusTip(tip);
        if (checkable) {
            action->setCheckable(true);
            action->setChecked(false);
        }
        return action;
    };
    exitAction = make(tr("&Exit"), tr("Close application"), QStringLiteral(":/exit.png"), false);
    connect(exitAction, &QAction::triggered, this, &gui_class::slotMenuFileQuit);
    openAction = make(tr("&Open file"), tr("Open configuration file"), QStringLiteral(":/fileopen.png"), false);
    connect(openAction, &QAction::triggered, this, &gui_class::slotMenuFileOpen);
    saveAction = make(tr("&Save file"), tr("Save configuration file"), QStringLiteral(":/filesave.png"), false);
    connect(saveAction, &QAction::triggered, this, &gui_class::slotMenuFileSave);
    clearAction = make(tr("&Clear"), tr("Clear current configuration"), QStringLiteral(":/filenew.png"), false);
    connect(clearAction, &QAction::triggered, this, qOverload<>(&gui_class::ClearConfig));
    viewInputsAction = make(tr("View &Inputs"), tr("Show inputs' state in another window"), QString(), true);
    connect(viewInputsAction, &QAction::triggered, this, &gui_class::vInputs);
    viewStatesAction = make(tr("View &States"), tr("Show internal states in another window"), QString(), true);
    connect(viewStatesAction, &QAction::triggered, this, &gui_class::vStates);
    viewDmxOutAction = make(tr("View &DMX output"), tr("Show DMX output channels in another window"), QString(), true);
    connect(viewDmxOutAction, &QAction::triggered, this, &gui_class::vDmxOut);
    viewDmxInAction = make(tr("View DM&X input"), tr("Show DMX input channels in another window"), QString(), true);
    connect(viewDmxInAction, &QAction::triggered, this, &gui_class::vDmxIn);
    designModeAction = make(tr("Design mode"), tr("Check or modify your visualisation project"), QString(), true);
    connect(designModeAction, &QAction::triggered, this, qOverload<bool>(&gui_class::startPrjMode));
    visualisationModeAction = make(tr("Visualisation mode"), tr("Visualise your show on the screen"), QString(), true);
    connect(visualisationModeAction, &QAction::triggered, this, qOverload<bool>(&gui_class::startVisMode));
    closeAuxAction = make(tr("Close aux. &windows"), tr("Close all auxiliary windows"), QString(), false);
    connect(closeAuxAction, &QAction::triggered, this, &gui_class::vCloseAll);
    upgradeAction = make(tr("&Upgrade device"), tr("Send upgrade to device"), QStringLiteral(":/wrench.png"), false);
    connect(upgradeAction, &QAction::triggered, this, &gui_class::slotMenuUpgradeUpgradeKv310);
    verifyAction = make(tr("&Verify firmware"), tr("Verify firmware"), QStringLiteral(":/verify.png"), false);
    connect(verifyAction, &QAction::triggered, this, &gui_class::slotMenuUpgradeVerify);
    helpAction = make(tr("&Help"), tr("How to get help"), QStringLiteral(":/message.png"), false);
    connect(helpAction, &QAction::triggered, this, &gui_class::slotMenuHelpHelp);
    aboutAction = make(tr("&About"), tr("Information about application"), QStringLiteral(":/xl_sh.png"), false);
    connect(aboutAction, &QAction::triggered, this, &gui_class::slotMenuHelpAbout);
    aboutProjectAction = make(tr("About &project"), tr("Information about project."), QStringLiteral(":/filenew.png"), false);
    connect(aboutProjectAction, &QAction::triggered, this, &gui_class::slotMenuProject);
}

void gui_class::buildMenus()
{
    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(openAction);
    fileMenu->addAction(saveAction);
    fileMenu->addAction(clearAction);
    fileMenu->addAction(exitAction);
    fileMenu->setStatusTip(tr("Operations on files and exit"));

    languageMenu = menuBar()->addMenu(tr("&Language"));
    languageMenu->setToolTip(tr("Language"));
    languageMapper = new QSignalMapper(this);
    for (int i = 0; i < languageList.size(); ++i) {
        languageEntry& entry = languageList[i];
        // A name the language file gives is shown as written there.
        auto* action = new QAction(QIcon(QStringLiteral(":/%1.png").arg(entry.code)),
                                   pageStyle::asTyped(entry.name), this);
        action->setStatusTip(tr("Change language to: ") + entry.name);
        entry.action = action;
        languageMenu->addAction(action);
        connect(action, &QAction::triggered, languageMapper, qOverload<>(&QSignalMapper::map));
        languageMapper->setMapping(action, i);
    }
    connect(languageMapper, &QSignalMapper::mappedInt, this, &gui_class::changeUiLanguage);
    languageMenu->setStatusTip(tr("Change application language"));
    connect(menuBar(), &QMenuBar::hovered, this, &gui_class::slotMenuHovered);

    viewsMenu = menuBar()->addMenu(tr("&Views"));
    viewsMenu->addAction(viewInputsAction);
    viewsMenu->addAction(viewStatesAction);
    viewsMenu->addAction(viewDmxOutAction);
    viewsMenu->addAction(viewDmxInAction);
    viewsMenu->addSeparator();
    viewsMenu->addAction(designModeAction);
    viewsMenu->addAction(visualisationModeAction);
    viewsMenu->addSeparator();
    viewsMenu->addAction(closeAuxAction);
    viewsMenu->setStatusTip(tr("Auxiliary windows control"));

    upgradeMenu = menuBar()->addMenu(tr("&Upgrade"));
    upgradeMenu->addAction(upgradeAction);
    upgradeMenu->addAction(verifyAction);
    upgradeMenu->setStatusTip(tr("Firmware version management"));

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(helpAction);
    helpMenu->addAction(aboutAction);
    helpMenu->addAction(aboutProjectAction);
    helpMenu->setStatusTip(tr("Short informations about application"));
}

// ---- Views menu and auxiliary windows --------------------------------------------------

void gui_class::viewToggled(bool on, uint16_t flag, void (ctrl_monitor::*open)(), QAction* action)
{
    // The monitor windows belong to the monitor panel of the general
    // settings page.
    buildPage(lazyPage::otherSettings);
    if (!on) {
        monitor->closeMonitors(flag);
        return;
    }
    (monitor->*open)();
    if (!(monitor->monitorFlags & flag))
        action->setChecked(false);
}

void gui_class::vInputs(bool on)
{
    viewToggled(on, MONITOR_FLAG_INPUTS, &ctrl_monitor::shInputsClicked, viewInputsAction);
}

void gui_class::vStates(bool on)
{
    viewToggled(on, MONITOR_FLAG_STATES, &ctrl_monitor::shStatesClicked, viewStatesAction);
}

void gui_class::vDmxOut(bool on)
{
    viewToggled(on, MONITOR_FLAG_DMX_OUT, &ctrl_monitor::shDmxOutClicked, viewDmxOutAction);
}

void gui_class::vDmxIn(bool on)
{
    viewToggled(on, MONITOR_FLAG_DMX_IN, &ctrl_monitor::shDmxInClicked, viewDmxInAction);
}

void gui_class::vMenuClr(uint16_t flags)
{
    const struct {
        uint16_t flag;
        QAction* action;
    } views[] = {{MONITOR_FLAG_INPUTS, viewInputsAction},
                 {MONITOR_FLAG_STATES, viewStatesAction},
                 {MONITOR_FLAG_DMX_OUT, viewDmxOutAction},
                 {MONITOR_FLAG_DMX_IN, viewDmxInAction}};
    for (const auto& v : views)
        if (v.action->isChecked() && (flags & v.flag))
            v.action->setChecked(false);
}

void gui_class::vCloseAll()
{
    // A monitor panel not built yet has no window open.
    if (monitor)
        monitor->closeMonitors(MONITOR_FLAG_ALL);
    if (theVisualProject && theVisualProject->graphWindow)
        if (auto* window = qobject_cast<kvVGraph_class*>(theVisualProject->graphWindow))
            window->close();
}

bool gui_class::unsavedWorkSettled()
{
    if (!controller || !controller->showChanged())
        return true;
    enum { SAVE, DISCARD, CANCEL };
    const int answer = askQuestion(QMessageBox::Question, this, QStringLiteral("KvOrbit310+"), tr("Save changes?"),
                                   {tr("Save"), tr("Discard"), tr("Cancel")}, SAVE, CANCEL);
    if (answer == DISCARD)
        return true;
    if (answer != SAVE)
        return false;
    rightPanel->saveConfToFileClick();
    // A save that was cancelled, or that failed, leaves the work unsaved.
    return !controller->showChanged();
}

void gui_class::closeLiveViews()
{
    if (monitor)
        monitor->closeMonitorsAtOnce(MONITOR_FLAG_ALL);
    // Transparency whose window never opened ends all the same.
    if (sceneEditor->transparencyGroup && sceneEditor->transparencyGroup->isChecked())
        sceneEditor->setTransparency(false);
}

void gui_class::closeEvent(QCloseEvent* event)
{
    // Closing is the one road on which a show may go unnoticed: changes not
    // yet saved are asked about. Reading, clearing and a language change
    // replace or keep the show on purpose and never come here.
    if (!unsavedWorkSettled()) {
        event->ignore();
        return;
    }
    vCloseAll();
    gui_base_class::closeEvent(event);
}

// ---- Menu commands ---------------------------------------------------------------------

void gui_class::slotMenuFileQuit()
{
    // The main window asks about unsaved work first: a close it refuses
    // leaves every other window open too.
    if (close())
        QApplication::closeAllWindows();
}

void gui_class::slotMenuFileOpen()
{
    rightPanel->readConfFromFileClick(true);
}

void gui_class::slotMenuFileSave()
{
    rightPanel->saveConfToFileClick(true);
}

QString gui_class::chooseUpgradeFile()
{
    fileRequest request;
    request.parent = this;
    request.caption = tr("Choose an upgrade file for ") + QStringLiteral("Kv310+") + tr(" controller");
    request.directory = QStringLiteral("./");
    request.filter = tr("Upgrade (*.upg)");
    return dialogs().openFileName(request);
}

void gui_class::slotMenuUpgradeUpgradeKv310()
{
    const QString fileName = chooseUpgradeFile();
    if (fileName.isEmpty())
        return;
    vCloseAll();
    controller->upgradeFirmware(fileName);
}

void gui_class::slotMenuUpgradeVerify()
{
    const QString fileName = chooseUpgradeFile();
    if (!fileName.isEmpty())
        controller->verifyFirmware(fileName);
}

void gui_class::slotMenuHelpHelp()
{
    showMessage(QMessageBox::Information, theMainWindow, QStringLiteral("KvOrbit310+") + tr(" - Help"),
                tr("Please call or send an email.\n\n"
                   "Telephone: the number on your delivery note\n"
                   "Fax: the number on your delivery note\n\n"
                   "E-mail: the support address on your delivery note"));
}

void gui_class::slotMenuHelpAbout()
{
    showMessage(QMessageBox::NoIcon, theMainWindow, QStringLiteral("KvOrbit310+") + tr(" - About"),
                tr("Software for ") + QStringLiteral("Kv310+")
                    + tr(" controller configuration.\nRelease:   ") + QStringLiteral("4.0.1.39")
                    + tr("\n\nSupplied by your Kv310+ dealer")
                    + tr("\nPostal address, telephone, fax, tax number and e-mail:\n"
                         "see the documents delivered with your controller."));
}

void gui_class::slotMenuProject()
{
    QString text = tr("Loaded project info: ");
    if (!controller || controller->projectFileName.isEmpty()) {
        text += tr("not available");
    } else {
        text += QStringLiteral("\nFile name: ") + controller->projectFileName;
        if (controller->projectFileDate.isEmpty())
            text += tr("\nFile date: not available");
        else
            text += tr("\nFile date: ") + controller->projectFileDate;
    }
    showMessage(QMessageBox::Information, theMainWindow, tr("KvOrbit310+ - project info"), text);
}

void gui_class::slotMenuHovered(QAction* action)
{
    if (!action)
        return;
    const QString title = action->toolTip();
    const struct {
        QString text;
        QMenu* menu;
    } menus[] = {{tr("File"), fileMenu}, {tr("Upgrade"), upgradeMenu}, {tr("Help"), helpMenu},
                 {tr("Language"), languageMenu}};
    for (const auto& m : menus) {
        if (title == m.text) {
            statusBar()->showMessage(m.menu->statusTip());
            return;
        }
    }
}

// ---- Language ---------------------------------------------------------------------------

void gui_class::changeUiLanguage(int index)
{
    if (index == installedLanguage || index < 0 || index >= languageList.size())
        return;
    finishCellEdits(this);
    closeLiveViews();
    vCloseAll();
    const languageEntry& entry = languageList.at(index);
    if (!writeLanguageFile(QDir::currentPath(), entry.code, entry.name))
        showMessage(QMessageBox::Warning, this, tr("Warning!"), tr("Cannot write new language!"));
    requestedLanguage = index;
    // Only ends the event loop: main deletes this window once the slot has
    // returned. (quit() would first try to close every window.)
    QCoreApplication::exit(0);
}

// ---- Clearing and time scale -------------------------------------------------------------

void gui_class::ClearConfig(bool)
{
    uint32_t cleared = 0;
    finishCellEdits(this);
    {
        clearConf_dialog dialog(this);
        execDialog(&dialog);
        cleared = dialog.clearedFlags;
    }
    // The pages reload as after a read; the cleared show is nothing read.
    reloadAfterRead(true);
    // A show cleared whole is a new show with nothing to save; one cleared
    // in part is the old show changed.
    if (cleared == CLEAR_ALL && controller)
        controller->takeFingerprint();
}

void gui_class::ClearConfig()
{
    ClearConfig(true);
}

void gui_class::ClearExec(uint16_t flags)
{
    if (controller)
        controller->ClearConfig(uint32_t(flags));
}

void gui_class::prjTimeRescale()
{
    // The rescale rewrites times an open cell editor may show.
    finishCellEdits(this);
    buildPage(lazyPage::otherSettings);
    {
        timeRescaleDlg dialog(nullptr);
        execDialog(&dialog);
    }
    timeScaleGroup->setChecked(false);
}
