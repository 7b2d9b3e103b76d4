#include "visualisation/kv_vgraph.h"

#include "model/globals.h"
#include "model/v_project.h"

#include <QCloseEvent>
#include <QDialog>
#include <QStatusBar>

#include <algorithm>

kvVGraph_class::kvVGraph_class(bool designMode, QWidget* parent)
    : QMainWindow(parent), designMode(designMode)
{
    setObjectName(QStringLiteral("VisualShowWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/xl_sh.png")));
    fieldWidth = theVisualProject ? theVisualProject->fieldWidth : 1000;
    fieldHeight = theVisualProject ? theVisualProject->fieldHeight : 1000;
    if (theVisualProject)
        connect(this, &QObject::destroyed, theVisualProject, &v_project::enableDetails);
    setWindowTitle(designMode ? tr("KvOrbit310+ visualisation: design mode")
                              : tr("KvOrbit310+ visualisation: all fixtures on (offline)"));
}

kvVGraph_class::~kvVGraph_class()
{
    releaseItems();
}

void kvVGraph_class::setupView()
{
    if (!theVisualProject)
        return;
    fieldWidth = theVisualProject->fieldWidth;
    fieldHeight = theVisualProject->fieldHeight;
}

void kvVGraph_class::setZoom(double z)
{
    zoom = z;
}

void kvVGraph_class::relayoutFixtures()
{
    update();
}

QPoint kvVGraph_class::fieldToView(int x, int y) const
{
    if (!isVisible())
        return QPoint(0, 0);
    // Far off the field the icon stays where a widget can be placed.
    const auto pixel = [this](int v) { return qRound(std::clamp(v * zoom / scale, -1e7, 1e7)) - 11; };
    return QPoint(pixel(x), pixel(y));
}

const uint8_t* kvVGraph_class::shownValues() const
{
    return theVisualProject ? theVisualProject->dmxBuffer : nullptr;
}

void kvVGraph_class::showStatusText(const QString& text, int ms)
{
    statusBar()->showMessage(text, ms);
}

void kvVGraph_class::releaseItems()
{
    if (!theVisualProject)
        return;
    if (!designMode)
        theVisualProject->dmxBuffer = nullptr;
    while (!theVisualProject->controlDialogs.isEmpty())
        theVisualProject->controlDialogs.takeFirst()->reject();
}

bool kvVGraph_class::close()
{
    releaseItems();
    deleteLater();
    return true;
}

void kvVGraph_class::closeEvent(QCloseEvent* event)
{
    close();
    event->accept();
}
