#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QString>

// The look shared by the editor and settings pages: row colours of record
// and event lists, the fonts of lists, buttons and description edits, and
// eliding a text to the width a cell shows.
namespace pageStyle {

// A record or event with content or actions.
inline QColor usedColour() { return QColor(230, 255, 230); }
// A record or event that cannot be used at present, or is locked.
inline QColor lockedColour() { return QColor(243, 228, 186); }
// A record or event without content: the application palette's Base brush.
QBrush emptyBrush();

// Lists and push buttons.
QFont listFont();
// Description line edits.
QFont descriptionFont();

// The text cut with an ellipsis to fit `width` pixels in `font`.
QString elided(const QString& text, const QFont& font, int width);

}  // namespace pageStyle
