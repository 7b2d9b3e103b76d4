#include "visualisation/light_class.h"

#include "visualisation/light_effect.h"

#include <QBitmap>
#include <QPainter>

light_class::light_class(lightEffect* owner, QWidget* parent) : QLabel(parent), owner(owner)
{
    setObjectName(QStringLiteral("Light_%1").arg(owner ? owner->number : 0));
}

namespace {

// Upper-left half of the plus sign, then its lower-right half.
constexpr int crossLines[4][4] = {
    {10, 0, 10, sel_cross::SIZE}, {0, 10, sel_cross::SIZE, 10},
    {11, 0, 11, sel_cross::SIZE}, {0, 11, sel_cross::SIZE, 11},
};

}  // namespace

sel_cross::sel_cross(lightEffect* owner, QWidget* parent) : QLabel(parent), owner(owner)
{
    hide();
    setGeometry(0, 0, SIZE, SIZE);
    QBitmap mask(SIZE, SIZE);
    mask.clear();
    QPainter p(&mask);
    p.setPen(Qt::color1);
    for (const auto& l : crossLines)
        p.drawLine(l[0], l[1], l[2], l[3]);
    p.end();
    setMask(mask);
}

void sel_cross::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor(Qt::yellow));
    p.drawLine(crossLines[0][0], crossLines[0][1], crossLines[0][2], crossLines[0][3]);
    p.drawLine(crossLines[1][0], crossLines[1][1], crossLines[1][2], crossLines[1][3]);
    p.setPen(QColor(Qt::blue));
    p.drawLine(crossLines[2][0], crossLines[2][1], crossLines[2][2], crossLines[2][3]);
    p.drawLine(crossLines[3][0], crossLines[3][1], crossLines[3][2], crossLines[3][3]);
}
