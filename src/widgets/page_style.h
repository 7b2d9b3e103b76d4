#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QLabel;
class QRect;
class QTableView;
class QWidget;

// The look shared by the editor and settings pages: row colours of record
// and event lists, the fonts of lists, buttons and description edits,
// eliding a text to the width a cell shows, room for the widest number a
// label or column shows, and a user's text as the text of a control.
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

// A label centred in `place`, widened about its centre where needed so
// that each of `widest` (the texts with the widest numbers it shows) fits
// whole in the parent's font.
QLabel* centredLabel(const QString& text, const QRect& place, const QStringList& widest, QWidget* parent);

// The width a column of `table` takes to show each of `texts` whole in a
// cell, in the table's font.
int cellWidth(const QTableView* table, const QStringList& texts);

// Widens `column` of a table until each of `texts` fits whole in a cell in
// the table's font, and narrows `donor` as much, so that the columns keep
// their width together. Never narrows `column`.
void fitColumn(QTableView* table, int column, const QStringList& texts, int donor);

// A user's text (a group's name, say) as the text of an action, menu, tab,
// button or check box: shown as typed, its "&" taken for no shortcut key.
QString asTyped(const QString& text);

}  // namespace pageStyle
