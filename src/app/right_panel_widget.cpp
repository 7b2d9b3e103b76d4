#include "app/right_panel_widget.h"

#include "app/gui_class.h"
#include "app/seams/dialog_seam.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

QPushButton* makeButton(const QString& text, int x, int y, int w, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setGeometry(x, y, w, 25);
    return button;
}

QLabel* makeLabel(const QString& text, int x, int y, int w, int h, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    return label;
}

QString startDirectory()
{
    return theController && !theController->lastPath.isEmpty() ? theController->lastPath : QStringLiteral("./");
}

}  // namespace

right_panel_widget::right_panel_widget(kv310_controller_class*, QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setGeometry(860, 23, 207, 678);

    makeLabel(tr("Configuration"), 10, 5, 186, 25, this);
    makeButton(tr("Send config to device"), 10, 30, 186, this);
    makeButton(tr("Read config from device"), 10, 70, 186, this);
    auto* saveFileButton = makeButton(tr("Save config to file"), 10, 110, 186, this);
    auto* readFileButton = makeButton(tr("Read config from file"), 10, 150, 186, this);
    clearButton = makeButton(tr("Clear config"), 10, 190, 186, this);
    makeLabel(tr(" ", "1") + QStringLiteral("Kv310+") + tr(" controller"), 10, 260, 186, 20, this);
    clockLabel = makeLabel(QStringLiteral("------,  --.--.----  --:--:--"), 10, 280, 186, 20, this);
    makeLabel(tr("  ", "2") + QStringLiteral("Kv310+") + tr(" working mode: "), 10, 400, 186, 25, this);
    liveButton = makeButton(tr("Live"), 40, 430, 126, this);
    liveButton->setCheckable(true);
    normalButton = makeButton(tr("Normal"), 40, 460, 126, this);
    normalButton->setCheckable(true);

    auto* infoBox = new QGroupBox(this);
    infoBox->setGeometry(40, 625, 135, 50);
    serialLabel = makeLabel(tr("S/N ----"), 5, 5, 130, 20, infoBox);
    firmwareLabel = makeLabel(tr("F/W ver. ----"), 5, 25, 130, 20, infoBox);

    connect(saveFileButton, &QPushButton::clicked, this, qOverload<bool>(&right_panel_widget::saveConfToFileClick));
    connect(readFileButton, &QPushButton::clicked, this, &right_panel_widget::readConfFromFileClick);
}

void right_panel_widget::saveConfToFileClick(bool)
{
    fileRequest request;
    request.directory = startDirectory();
    request.filter = tr("Kv310+ project description (*31xcfg)") + QStringLiteral(";;")
                     + tr("KvOrbit 310 old-style config (*.cfg310)") + QStringLiteral(";;") + tr("All files (*)");
    request.caption = tr("Choose a project description file for ") + QStringLiteral("Kv310+") + tr(" controller");
    QString fileName = dialogs().saveFileName(request);
    if (fileName.isEmpty())
        return;
    const bool oldstyle = fileName.endsWith(QLatin1String(".cfg310"));
    if (!oldstyle && !fileName.endsWith(QLatin1String(".cfg310v4")) && !fileName.endsWith(QLatin1String(".31xcfg")))
        fileName += QStringLiteral(".31xcfg");
    if (theController)
        theController->lastPath = QFileInfo(fileName).filePath();
    emit saveConfToFileClicked(fileName, oldstyle);
}

void right_panel_widget::saveConfToFileClick()
{
    saveConfToFileClick(true);
}

void right_panel_widget::readConfFromFileClick(bool)
{
    fileRequest request;
    request.directory = startDirectory();
    request.filter = tr("KvOrbit310+ project/config files (*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;All files (*)");
    request.caption = tr("Choose a project description file for ") + QStringLiteral("Kv310+") + tr(" controller");
    const QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    if (theController)
        theController->lastPath = QFileInfo(fileName).filePath();
    if (auto* window = qobject_cast<gui_class*>(theMainWindow))
        window->vCloseAll();
    emit readConfFromFileClicked(fileName);
}
