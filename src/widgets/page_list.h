#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QHeaderView>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

// The long lists of the pages (scenes, masks, programs, sequences, events)
// hold no row objects: a view asks the model for what a row shows when it
// draws or reads it, and the model reads the show then. A page tells the
// model what changed, one row after an edit or every row after a read, and
// the view redraws what it shows; the current row and the selection stay.
class pageListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // What cell (row, column) holds for a role; an invalid QVariant for
    // nothing. Called only for rows somebody looks at.
    using cellFunction = std::function<QVariant(int row, int column, int role)>;

    pageListModel(int rows, const QStringList& headers, cellFunction cell, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Rows are added or taken away at the end; the rows that stay keep
    // their place, so a current row among them stays current.
    void setRowCount(int rows);
    void setHeader(int column, const QString& text);
    // Labels of the rows' header, by row; without it rows are numbered from 1.
    void setRowLabels(std::function<QString(int row)> label);

    // One row's cells changed.
    void rowChanged(int row);
    // Every row may have changed (a read, a relabel, a refresh).
    void allChanged();

private:
    int rows;
    QStringList headers;
    cellFunction cell;
    std::function<QString(int)> rowLabel;
};

// Cuts a text to a fixed width where it is drawn, so that a list keeps the
// length its rows were made with even when the user widens the column; the
// view cuts it again to the cell. Only the rows on the screen are cut.
class elidingDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    elidingDelegate(int width, QObject* parent);
    int width() const { return maxWidth; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    int maxWidth;
};

// The row numbers of a long list. The view asks for the size of the first
// and last hundred labels each time its geometry is laid out anew, which
// happens several times while a page is made and shown; a label's size
// depends only on its text as long as the font and style stay, so each is
// measured once in a font and style.
class rowLabelHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit rowLabelHeader(QWidget* parent);
    void setModel(QAbstractItemModel* model) override;

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    mutable QHash<QString, QSize> measured;
    // What the sizes were measured in.
    mutable QFont measuredFont;
    mutable const QStyle* measuredStyle = nullptr;
};

// A list of a page: a table view that is read like the item tables the
// pages were written against (current row, row count).
class pageListView : public QTableView {
    Q_OBJECT
public:
    explicit pageListView(QWidget* parent = nullptr);

    // The current row, -1 for none.
    int currentRow() const;
    // Makes (row, column) current and selects it as a click would.
    void setCurrentCell(int row, int column = 0);
    int rowCount() const;
    // The text row, column holds (before any cutting where it is drawn).
    QString text(int row, int column = 0) const;
};
