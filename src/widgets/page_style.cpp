#include "widgets/page_style.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <QStyle>
#include <QTableView>

#include <cmath>

namespace pageStyle {

QBrush emptyBrush()
{
    return QApplication::palette().brush(QPalette::Base);
}

QFont listFont()
{
    return QFont(QStringLiteral("MS Shell Dlg"), 10, QFont::Normal);
}

QFont descriptionFont()
{
    return QFont(QStringLiteral("Arial Narrow"), 10, QFont::Normal);
}

QString elided(const QString& text, const QFont& font, int width)
{
    return QFontMetrics(font).elidedText(text, Qt::ElideRight, width);
}

namespace {

// In whole pixels, rounded up: texts are laid out in fractions of a pixel,
// and a line a fraction too wide is wrapped or cut.
int widestText(const QFont& font, const QStringList& texts)
{
    const QFontMetricsF metrics(font);
    qreal width = 0;
    for (const QString& text : texts)
        width = qMax(width, metrics.horizontalAdvance(text));
    return int(std::ceil(width));
}

}  // namespace

QLabel* centredLabel(const QString& text, const QRect& place, const QStringList& widest, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignCenter);
    const int frame = label->width() - label->contentsRect().width();
    const int extra = widestText(label->font(), widest) + 2 * label->margin() + frame - label->width();
    if (extra > 0) {
        // As much on either side, so the centre stays where it was to the pixel.
        const int side = (extra + 1) / 2;
        label->setGeometry(place.adjusted(-side, 0, side, 0));
    }
    return label;
}

int cellWidth(const QTableView* table, const QStringList& texts)
{
    // A cell draws its text inside a focus-frame margin on either side, and
    // the grid line takes the column's last pixel.
    const int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    return widestText(table->font(), texts) + 2 * margin + (table->showGrid() ? 1 : 0);
}

void fitColumn(QTableView* table, int column, const QStringList& texts, int donor)
{
    const int needed = cellWidth(table, texts);
    const int extra = needed - table->columnWidth(column);
    if (extra <= 0)
        return;
    table->setColumnWidth(column, needed);
    table->setColumnWidth(donor, table->columnWidth(donor) - extra);
}

QString asTyped(const QString& text)
{
    QString shown = text;
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace pageStyle
