#include "model/other_configuration.h"

#include "model/kv310_controller.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"

QString otherConfiguration::chooseFile(const QString& current, const QString& filter)
{
    fileRequest request;
    request.caption = tr("Choose a project description file for ") + QStringLiteral("Kv310+") + tr(" controller");
    request.directory = current.isEmpty() ? QStringLiteral("./") : current;
    request.filter = filter + QStringLiteral(";;") + tr("All files (*)");
    return dialogs().openFileName(request);
}

void otherConfiguration::read(kv310_controller_class*& show, const QString& fileName)
{
    if (!show) {
        if (theMainWindow)
            theMainWindow->destTmpDev();
        show = new kv310_controller_class();
    }
    show->read_confDataFromFile(fileName);
}
