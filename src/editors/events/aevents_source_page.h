#pragma once

#include "widgets/page_list.h"

#include <QBrush>
#include <QRect>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class aevents_conf_widget;

// What every page of the events tab has in common: the list of its events on
// the left, the action panel of the current event, its title, its editable
// description and a read-only line with the description of the object that
// the action in the panel's current row addresses.
//
// A page is a child of its tab at the tab's origin and places its widgets at
// fixed positions in the tab's coordinates. Pages build their widgets with
// the make... helpers, in the order and with the parents their layout needs,
// then connect the list's current row to their own slot, which calls
// selectEvent().
//
// The list holds no rows of its own: it asks the page what a row shows
// (text, colour) when it draws it, so a refresh only tells the list that
// every row may have changed, and an edit that the row changed.
class aevents_source_page : public QWidget {
    Q_OBJECT
public:
    pageListModel* eventModel = nullptr;
    aevents_conf_widget* actionPanel = nullptr;
    pageListView* eventList = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* captionLabel = nullptr;
    QLineEdit* descriptionEdit = nullptr;
    QLineEdit* targetDescriptionEdit = nullptr;
    int currentEvent = 0;  // the event whose actions the panel shows
    int refreshCount = 0;  // reloads from the model so far

public slots:
    // Shows the description of object `numer` (0-based) of the kind `type`
    // that the current action addresses; empty for none.
    void descChange(int type, int numer);
    // Stores the description edit's text, trimmed, as the current event's.
    void changeDesc();

protected:
    explicit aevents_source_page(QWidget* parent);
    ~aevents_source_page() override;

    // What cell (row, column) of the list shows for a role (Qt::DisplayRole,
    // Qt::BackgroundRole); an invalid QVariant for nothing.
    using cellFunction = std::function<QVariant(int row, int column, int role)>;
    // Which flags cell (row, column) has, given the flags every row has.
    using flagsFunction = std::function<Qt::ItemFlags(int row, int column, Qt::ItemFlags usual)>;

    // A one-column or multi-column list of `rows` events drawn from `cell`:
    // no editing in place, one row selected at a time, row 0 selected, the
    // list font. The first column's texts are cut where they are drawn to
    // twice the column's width as made, even when the user widens it.
    pageListView* makeList(QWidget* parent, int rows, const QStringList& headers, const QList<int>& widths,
                           const QRect& geometry, cellFunction cell);
    // Rows or cells that take no clicks, or that open an editor.
    void setCellFlags(flagsFunction flags);
    aevents_conf_widget* makePanel(int pageKind, QWidget* parent, const QRect& geometry);
    // The description line edits (at most 100 characters, the description font).
    QLineEdit* makeDescriptionEdit(QWidget* parent, const QRect& geometry, bool readOnly);
    QLabel* makeLabel(const QString& text, const QRect& geometry, Qt::Alignment alignment = Qt::AlignLeft);
    // The usual connections: the description edit to changeDesc(), the
    // action table's current action to descChange().
    void connectDescriptions();

    // Makes id the current event: the panel shows it, no action is current
    // and the target description is empty.
    void selectEvent(int id);
    // Sets the title; a title longer than its label (in some languages)
    // widens the label rather than being cut.
    void setTitle(const QString& text);
    // What a row of a one-column list shows: `text` and `brush`, each made
    // only when the list asks for it.
    static QVariant rowCell(int role, const std::function<QString()>& text, const std::function<QBrush()>& brush);
    // Light green for an event with actions, beige for one that cannot be
    // used at present, the palette's base otherwise.
    static QBrush rowBrush(bool hasActions, bool unavailable);
    // Whether event id holds any action.
    static bool hasActions(int id);
    // The list's current row; -1 for none.
    int currentRow() const;

private:
    int titleWidth = 0;  // the width the title label was given
};
