#include "gui_class.h"

#include "app/seams/dialog_seam.h"
#include "app/startup.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QSignalMapper>

gui_class::gui_class(kv310_controller_class*, QWidget* parent)
    : gui_base_class(parent)
{
    theMainWindow = this;
    setWindowTitle(QStringLiteral("KvOrbit310+"));
    resize(1070, 749);

    languageMenu = menuBar()->addMenu(tr("&Language"));
    languageMenu->setToolTip(tr("Language"));
    languageMapper = new QSignalMapper(this);
    for (int i = 0; i < languageList.size(); ++i) {
        languageEntry& entry = languageList[i];
        auto* action = new QAction(QIcon(QStringLiteral(":/%1.png").arg(entry.code)), entry.name, this);
        action->setStatusTip(tr("Change language to: ") + entry.name);
        entry.action = action;
        languageMenu->addAction(action);
        connect(action, &QAction::triggered, languageMapper, qOverload<>(&QSignalMapper::map));
        languageMapper->setMapping(action, i);
    }
    connect(languageMapper, &QSignalMapper::mappedInt, this, &gui_class::changeUiLanguage);
    languageMenu->setStatusTip(tr("Change application language"));
}

gui_class::~gui_class() = default;

void gui_class::setProjectField(xml_node*) {}
projectFieldTexts gui_class::projectField() const
{
    projectFieldTexts t;
    t.width = QStringLiteral("1000");
    t.height = QStringLiteral("1000");
    return t;
}
void gui_class::readSettings(xml_node*) {}
void gui_class::showDeviceDst(bool) {}
void gui_class::showDeviceCalibration(int) {}

void gui_class::changeUiLanguage(int index)
{
    if (index == installedLanguage || index < 0 || index >= languageList.size())
        return;
    const languageEntry& entry = languageList.at(index);
    if (!writeLanguageFile(QDir::currentPath(), entry.code, entry.name))
        showMessage(QMessageBox::Warning, this, tr("Warning!"), tr("Cannot write new language!"));
    requestedLanguage = index;
    // Only ends the event loop: main deletes this window once the slot has
    // returned. (quit() would first try to close every window.)
    QCoreApplication::exit(0);
}
