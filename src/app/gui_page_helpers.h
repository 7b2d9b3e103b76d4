#ifndef KV_APP_GUI_PAGE_HELPERS_H
#define KV_APP_GUI_PAGE_HELPERS_H

// Small helpers shared by the files of the main window's pages.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace gui_pages {

inline const QColor green(0, 155, 0);
inline const QColor red(220, 0, 0);
inline const QColor darkRed(110, 0, 0);

inline QFont pageFont()
{
    QFont font(QStringLiteral("MS Shell Dlg"), 10, QFont::Normal);
    font.setItalic(false);
    return font;
}

inline void showStatus(QLabel* label, const QString& text, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setText(text);
}

// Inclusive corners (left, top) and (right, bottom).
inline void place(QWidget* w, int left, int top, int right, int bottom)
{
    w->setGeometry(left, top, right - left + 1, bottom - top + 1);
}

}  // namespace gui_pages

#endif
