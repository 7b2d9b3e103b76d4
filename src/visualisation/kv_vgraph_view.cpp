#include "visualisation/kv_vgraph.h"

#include "visualisation/view_seams.h"

#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/v_project.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "seams/regular_file.h"

#include <QActionGroup>
#include <QCursor>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <limits>

// Zoom, scrolling and field coordinates, the background and its level, and
// the set-up of the view for its kind.

namespace {

// Nearest integer, halves upwards as qRound does, for values an int holds;
// beyond that (or not a number) the nearest end of the int range.
int roundPixels(double v)
{
    if (std::isnan(v))
        return 0;
    constexpr double limit = double(std::numeric_limits<int>::max() / 2);
    return qRound(std::clamp(v, -limit, limit));
}

// The picture in a file; a null image when the name leads to no regular
// file or to no picture.
QImage readImageFile(const QString& name)
{
    QFile file(name);
    if (!openRegularFile(file))
        return QImage();
    QImageReader reader(&file);
    return reader.read();
}

// Nearest integer, halves away from zero.
int roundAway(double v)
{
    constexpr double limit = double(std::numeric_limits<int>::max() / 2);
    return int(std::round(std::clamp(v, -limit, limit)));
}

}  // namespace

void kvVGraph_class::setZoom(double factor)
{
    if (background.isNull())
        return;
    // The large picture goes before the next one is made.
    imageLabel->setPixmap(QPixmap(1, 1));
    const QSize target(roundPixels(fieldWidth * factor / scale), roundPixels(fieldHeight * factor / scale));
    if (factor > zoom && !canAllocatePicture(target)) {
        qDebug().noquote() << QStringLiteral("Niepowodzenie powiększenia! Brak pamięci...") << target;
        setZoom(zoom);
        return;
    }
    const QPixmap picture =
        QPixmap::fromImage(background.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    zoom = factor;
    if (!autoZoom)
        imageLabel->resize(target);
    imageLabel->setPixmap(picture);
    zoomText = QStringLiteral("( %1% )").arg(roundPixels(100 * zoom));
    imageLabel->update();
    updatePositionLabel();
    relayoutFixtures();
}

void kvVGraph_class::zoomIn()
{
    setZoom(zoom * 1.25);
}

void kvVGraph_class::zoomOut()
{
    setZoom(zoom * 0.8);
}

void kvVGraph_class::zoom400()
{
    setZoom(4.0);
}

void kvVGraph_class::zoom200()
{
    setZoom(2.0);
}

void kvVGraph_class::zoom150()
{
    setZoom(1.5);
}

void kvVGraph_class::zoom100()
{
    setZoom(1.0);
}

void kvVGraph_class::zoom75()
{
    setZoom(0.75);
}

void kvVGraph_class::zoom50()
{
    setZoom(0.5);
}

void kvVGraph_class::zoom25()
{
    setZoom(0.25);
}

void kvVGraph_class::zoom10()
{
    setZoom(0.1);
}

void kvVGraph_class::autoRescale()
{
    const int frame = 2 * imageLabel->lineWidth();
    const double fx = double(scrollArea->width() - frame) * scale / fieldWidth;
    const double fy = double(scrollArea->height() - frame) * scale / fieldHeight;
    const double factor = std::min(fx, fy);
    imageLabel->resize(roundPixels(fieldWidth * factor / scale), roundPixels(fieldHeight * factor / scale));
    hScroll = 0;
    vScroll = 0;
    setZoom(factor);
}

void kvVGraph_class::takeScrollOffsets()
{
    const QScrollBar* h = scrollArea->horizontalScrollBar();
    const QScrollBar* v = scrollArea->verticalScrollBar();
    hScroll = h->isVisible() ? h->value() : 0;
    vScroll = v->isVisible() ? v->value() : 0;
}

void kvVGraph_class::enableManualZoom(bool enabled)
{
    actionZoom_In->setEnabled(enabled);
    actionZoom_Out->setEnabled(enabled);
    setMenuEnabled(menuSelect_zoom, enabled);
}

void kvVGraph_class::autoZoomChanged()
{
    autoZoom = actionAuto->isChecked();
    scrollArea->setWidgetResizable(autoZoom);
    const Qt::ScrollBarPolicy policy = autoZoom ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    scrollArea->setHorizontalScrollBarPolicy(policy);
    scrollArea->setVerticalScrollBarPolicy(policy);
    enableManualZoom(!autoZoom);
    if (autoZoom)
        autoRescale();
    else
        takeScrollOffsets();
}

void kvVGraph_class::resizeEvent(QResizeEvent* event)
{
    scrollArea->resize(width(), height() - menubar->height() - statusbar->height());
    if (autoZoom)
        autoRescale();
    else
        takeScrollOffsets();
    updatePositionLabel();
    relayoutFixtures();
    event->accept();
}

void kvVGraph_class::showEvent(QShowEvent* event)
{
    setZoom(zoom);
    QMainWindow::showEvent(event);
}

void kvVGraph_class::hScrollVal(int value)
{
    if (!isVisible())
        return;
    hScroll = value;
    updatePositionLabel();
    relayoutFixtures();
}

void kvVGraph_class::vScrollVal(int value)
{
    if (!isVisible())
        return;
    vScroll = value;
    updatePositionLabel();
    relayoutFixtures();
}

void kvVGraph_class::relayoutFixtures()
{
    v_project* vp = theVisualProject;
    if (!isVisible() || !vp)
        return;
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        f->hide();
        f->move(fieldToView(f->posX, f->posY));
        if (f->beam)
            f->refreshLight(*this);
        f->update();
        // Only an icon lent to the plan is shown: one elsewhere would open
        // a window of its own.
        if (designMode && f->parentWidget() == imageLabel)
            f->show();
    }
}

void kvVGraph_class::updatePositionLabel()
{
    const QPoint p = scrollArea->mapFromGlobal(QCursor::pos());
    QString text;
    if (scrollArea->childAt(p)) {
        text = QStringLiteral(" %1 X %2 ")
                   .arg(roundPixels((p.x() + hScroll) * scale / zoom))
                   .arg(roundPixels((p.y() + vScroll) * scale / zoom));
    } else {
        text = positionLabel->text();
        const int bracket = text.indexOf(QLatin1Char('('));
        if (bracket >= 0)
            text.truncate(bracket);
    }
    positionLabel->setText(text + zoomText);
}

void kvVGraph_class::lighter(QAction* action)
{
    setLightLevel(action->data().toInt());
}

void kvVGraph_class::setLightLevel(int level)
{
    if (background.isNull() || backgroundFile.isEmpty() || level == lightLevel)
        return;
    lightLevel = level;
    if (theVisualProject)
        theVisualProject->modified = true;
    QImage image = readImageFile(backgroundFile);
    if (image.isNull())
        return;
    if (level > 1) {
        if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
            image.convertTo(QImage::Format_RGB32);
        const int w = image.width();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const QRgb c = line[x];
                int r = qRed(c);
                int g = qGreen(c);
                int b = qBlue(c);
                // Design lightens (the inverted picture dimmed, inverted
                // back); show dims.
                if (designMode) {
                    r = 255 - (255 - r) / level;
                    g = 255 - (255 - g) / level;
                    b = 255 - (255 - b) / level;
                } else {
                    r /= level;
                    g /= level;
                    b /= level;
                }
                line[x] = qRgba(r, g, b, 255);
            }
        }
    }
    background = image;
    if (scale != 0)
        setZoom(zoom);
}

void kvVGraph_class::setupView()
{
    v_project* vp = theVisualProject;
    const projectFieldTexts page = theMainWindow ? theMainWindow->projectField() : projectFieldTexts{};
    fieldWidth = page.width.toInt();
    fieldHeight = page.height.toInt();
    if (fieldWidth <= 0 || fieldHeight <= 0) {
        fieldWidth = vp ? vp->fieldWidth : 1000;
        fieldHeight = vp ? vp->fieldHeight : 1000;
    }
    backgroundFile = designMode ? page.outline : page.image;
    const int level = designMode ? page.pale : page.dark;

    background = QImage();
    if (!backgroundFile.isEmpty()) {
        background = readImageFile(backgroundFile);
        if (background.isNull())
            showMessage(QMessageBox::Warning, this, tr("Warning!"), tr("Invalid image file \"%1\"!").arg(backgroundFile));
    }
    // The picture read is the plain one: any level applies to it afresh.
    lightLevel = 1;

    if (background.isNull()) {
        backgroundFile.clear();
        const QRect desktop = freeDesktopArea(this);
        const int frame = 2 * imageLabel->lineWidth();
        int w = desktop.width() - frame;
        int h = desktop.height() - menubar->height() - statusbar->height() - iconSize().height() - frame;
        w = std::max(w, 1);
        h = std::max(h, 1);
        if (double(h) / fieldHeight <= double(w) / fieldWidth)
            w = std::max(1, roundAway(double(fieldWidth) * h / fieldHeight));
        else
            h = std::max(1, roundAway(double(fieldHeight) * w / fieldWidth));
        background = QImage(w, h, QImage::Format_RGB32);
        background.fill(designMode ? 0xFFF0F0F0 : 0xFF000000);
        enableLevelMenu(false);
    } else {
        enableLevelMenu(true);
        if (level >= 2) {
            // Setting up the view edits nothing of the project.
            const bool modified = vp ? vp->modified : false;
            setLightLevel(level);
            if (vp)
                vp->modified = modified;
        }
        const QList<QAction*> levels = levelGroup->actions();
        for (int i = 0; i < levels.size(); ++i) {
            if (i > 0 && levels.at(i)->data().toInt() > level)
                break;
            levels.at(i)->setChecked(true);
        }
    }

    scale = std::max(double(fieldWidth) / background.width(), double(fieldHeight) / background.height());

    scrollArea->setWidgetResizable(autoZoom);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (autoZoom)
        autoRescale();
    else
        setZoom(zoom);

    paintAll(QColor(192, 192, 192, 80));

    if (designMode)
        return;
    switch (lightMode) {
    case LIGHT_MODE_LIVE_SHOW:
        actLive->setChecked(true);
        changeLightModeLive();
        break;
    case LIGHT_MODE_OFFLINE:
        actOffline->setChecked(true);
        changeLightModeOffline();
        break;
    case LIGHT_MODE_LIVE_DESIGN:
        actLiveDesign->setChecked(true);
        changeLightModeDesign();
        break;
    case LIGHT_MODE_ALL_OFF:
        actAllOff->setChecked(true);
        changeLightModeOff();
        break;
    default:
        actAllOn->setChecked(true);
        changeLightModeOn();
        break;
    }
}

void kvVGraph_class::enableLevelMenu(bool enabled)
{
    setMenuEnabled(menuLighten_image, enabled);
}

void kvVGraph_class::switchMode()
{
    v_project* vp = theVisualProject;
    if (designMode && (!vp || !vp->checkFixtures()))
        return;
    closeControlDialogs();
    designMode = !designMode;
    if (designMode) {
        setWindowTitle(tr("KvOrbit310+ visualisation: design mode"));
        lightMode = LIGHT_MODE_DESIGN;
    } else {
        setWindowTitle(tr("KvOrbit310+ visualisation: all fixtures on (offline)"));
        lightMode = LIGHT_MODE_ALL_ON;
    }
    setMenuEnabled(menuTools, designMode);
    setupView();
    arrangeItems();
}
