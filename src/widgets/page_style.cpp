#include "widgets/page_style.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>

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

}  // namespace pageStyle
