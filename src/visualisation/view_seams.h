#pragma once

#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

// What the visualisation window asks of the machine it runs on. The program
// asks the machine; tests install their own answers.

// Whether a picture of that size can be allocated now: the zoom proves it
// before it makes one larger than the last.
using pictureProbe = std::function<bool(const QSize& size)>;
bool canAllocatePicture(const QSize& size);
// Empty restores the real allocation.
void installPictureProbe(pictureProbe probe);

// The free desktop area a blank background is made to fit, on the screen of
// the given window.
using desktopAreaSource = std::function<QRect(const QWidget* window)>;
QRect freeDesktopArea(const QWidget* window);
// Empty restores the screen's own.
void installDesktopArea(desktopAreaSource source);
