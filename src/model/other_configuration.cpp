#include "model/other_configuration.h"

#include "model/clear_flags.h"
#include "model/kv310_controller.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

QString configReadFilter()
{
    return QCoreApplication::translate(
        "configFiles", "KvOrbit310+ project/config files (*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;All files (*)");
}

otherConfiguration::otherConfiguration(const controls& c, QObject* parent) : QObject(parent), parts(c)
{
    connect(parts.browse, &QPushButton::clicked, this, &otherConfiguration::browse);
    connect(parts.open, &QPushButton::clicked, this, &otherConfiguration::read);
    connect(parts.release, &QPushButton::clicked, this, &otherConfiguration::release);
}

otherConfiguration::~otherConfiguration() = default;

void otherConfiguration::browse()
{
    const QString current = parts.fileName->text();
    fileRequest request;
    request.caption = tr("Choose a project description file for ") + QStringLiteral("Kv310+") + tr(" controller");
    request.directory = current.isEmpty() ? QStringLiteral("./") : current;
    request.filter = configReadFilter();
    const QString name = dialogs().openFileName(request);
    if (name.isEmpty())
        return;
    parts.fileName->setText(name);
    read();
}

void otherConfiguration::read()
{
    if (!held) {
        if (theMainWindow)
            theMainWindow->destTmpDev();
        held = std::make_unique<kv310_controller_class>();
    }
    held->read_confDataFromFile(parts.fileName->text());
    parts.copy->setEnabled(true);
    emit opened();
}

void otherConfiguration::release()
{
    if (!held)
        return;
    held.reset();
    parts.copy->setEnabled(false);
}

void otherConfiguration::clear()
{
    if (!held)
        return;
    held->ClearConfig(CLEAR_ALL);
    parts.copy->setEnabled(false);
    emit cleared();
}
