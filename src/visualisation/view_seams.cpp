#include "visualisation/view_seams.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

namespace {

pictureProbe& installedProbe()
{
    static pictureProbe probe;
    return probe;
}

desktopAreaSource& installedArea()
{
    static desktopAreaSource source;
    return source;
}

}  // namespace

bool canAllocatePicture(const QSize& size)
{
    if (installedProbe())
        return installedProbe()(size);
    if (size.isEmpty())
        return true;
    const QImage test(size, QImage::Format_RGB32);
    return !test.isNull();
}

void installPictureProbe(pictureProbe probe)
{
    installedProbe() = std::move(probe);
}

QRect freeDesktopArea(const QWidget* window)
{
    if (installedArea())
        return installedArea()(window);
    QScreen* screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void installDesktopArea(desktopAreaSource source)
{
    installedArea() = std::move(source);
}
