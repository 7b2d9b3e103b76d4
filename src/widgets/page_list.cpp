#include "widgets/page_list.h"

#include <QFontMetrics>

pageListModel::pageListModel(int rows, const QStringList& headers, cellFunction cell, QObject* parent)
    : QAbstractTableModel(parent), rows(qMax(0, rows)), headers(headers), cell(std::move(cell))
{
}

int pageListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows;
}

int pageListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(headers.size());
}

QVariant pageListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows || index.column() >= headers.size() || !cell)
        return QVariant();
    // A list is never edited in place: its text is what it shows.
    return cell(index.row(), index.column(), role == Qt::EditRole ? int(Qt::DisplayRole) : role);
}

QVariant pageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < headers.size() ? QVariant(headers[section]) : QVariant();
    if (rowLabel)
        return rowLabel(section);
    return section + 1;
}

Qt::ItemFlags pageListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void pageListModel::setRowCount(int count)
{
    count = qMax(0, count);
    if (count > rows) {
        beginInsertRows(QModelIndex(), rows, count - 1);
        rows = count;
        endInsertRows();
    } else if (count < rows) {
        beginRemoveRows(QModelIndex(), count, rows - 1);
        rows = count;
        endRemoveRows();
    }
}

void pageListModel::setHeader(int column, const QString& text)
{
    if (column < 0 || column >= headers.size())
        return;
    headers[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void pageListModel::setRowLabels(std::function<QString(int)> label)
{
    rowLabel = std::move(label);
    if (rows > 0)
        emit headerDataChanged(Qt::Vertical, 0, rows - 1);
}

void pageListModel::rowChanged(int row)
{
    if (row < 0 || row >= rows || headers.isEmpty())
        return;
    emit dataChanged(index(row, 0), index(row, int(headers.size()) - 1));
}

void pageListModel::allChanged()
{
    if (rows == 0 || headers.isEmpty())
        return;
    emit dataChanged(index(0, 0), index(rows - 1, int(headers.size()) - 1));
}

elidingDelegate::elidingDelegate(int width, QObject* parent) : QStyledItemDelegate(parent), maxWidth(width) {}

void elidingDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (maxWidth > 0 && !option->text.isEmpty())
        option->text = option->fontMetrics.elidedText(option->text, Qt::ElideRight, maxWidth);
}

rowLabelHeader::rowLabelHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

void rowLabelHeader::setModel(QAbstractItemModel* newModel)
{
    if (QAbstractItemModel* old = model())
        disconnect(old, &QAbstractItemModel::headerDataChanged, this, nullptr);
    measured.clear();
    QHeaderView::setModel(newModel);
    // Whatever else a model may give a label (a font, an icon) comes with
    // this signal.
    if (newModel)
        connect(newModel, &QAbstractItemModel::headerDataChanged, this, [this] { measured.clear(); });
}

QSize rowLabelHeader::sectionSizeFromContents(int logicalIndex) const
{
    if (!model())
        return QHeaderView::sectionSizeFromContents(logicalIndex);
    // The header measures itself anew for a new font before it hears of
    // the font itself, so the font is checked here rather than on its news.
    if (font() != measuredFont || style() != measuredStyle) {
        measured.clear();
        measuredFont = font();
        measuredStyle = style();
    }
    const QString label = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    const auto known = measured.constFind(label);
    if (known != measured.constEnd())
        return *known;
    const QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    measured.insert(label, size);
    return size;
}

pageListView::pageListView(QWidget* parent) : QTableView(parent)
{
    setVerticalHeader(new rowLabelHeader(this));
}

int pageListView::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void pageListView::setCurrentCell(int row, int column)
{
    if (!model())
        return;
    setCurrentIndex(model()->index(row, column));
}

int pageListView::rowCount() const
{
    return model() ? model()->rowCount() : 0;
}

QString pageListView::text(int row, int column) const
{
    return model() ? model()->index(row, column).data(Qt::DisplayRole).toString() : QString();
}
