#pragma once

#include <QBrush>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <QFontMetrics>
#include <optional>
#include <vector>

class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QTableWidget;
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
class aevents_source_page : public QWidget {
    Q_OBJECT
public:
    QAbstractItemModel* eventModel = nullptr;
    aevents_conf_widget* actionPanel = nullptr;
    QTableWidget* eventList = nullptr;
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

    // A one-column or multi-column list of `rows` events: no editing in
    // place, one row selected at a time, row 0 selected, the list font.
    // Row texts built with rowText() are cut to twice the first column's width.
    QTableWidget* makeList(QWidget* parent, int rows, const QStringList& headers, const QList<int>& widths,
                           const QRect& geometry);
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
    // Sets the text of column 0 of a row, cut to the width rows are given.
    void setRowText(int row, const QString& text);
    void setRowBrush(int row, const QBrush& brush, int columns = 1);
    // Light green for an event with actions, beige for one that cannot be
    // used at present, the palette's base otherwise.
    static QBrush rowBrush(bool hasActions, bool unavailable);
    // Whether event id holds any action.
    static bool hasActions(int id);
    // The list's current row; -1 for none.
    int currentRow() const;

    // After changeDesc() stored `text`: rewrites the current row's text.
    virtual void descriptionStored(const QString& text);

private:
    int elideWidth = 0;
    int titleWidth = 0;  // the width the title label was given
    std::optional<QFontMetrics> rowMetrics;  // of the list's font
    std::vector<QString> rowSources;        // each row's text before it was cut
};
