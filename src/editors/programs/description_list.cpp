#include "editors/programs/description_list.h"

#include "widgets/page_list.h"
#include "widgets/page_style.h"

namespace {

constexpr int COLUMN_WIDTH = 115;

}  // namespace

descriptionList makeDescriptionList(int rows, const QString& header, const QString& noDescription,
                                    std::function<QString(int)> description, std::function<bool(int)> used,
                                    QWidget* parent)
{
    auto* view = new pageListView(parent);
    const QBrush usedBrush(pageStyle::usedColour());
    auto cell = [=](int row, int, int role) -> QVariant {
        switch (role) {
        case Qt::DisplayRole: {
            const QString text = description(row);
            return text.isEmpty() ? noDescription : text;
        }
        case Qt::BackgroundRole:
            return used(row) ? usedBrush : pageStyle::emptyBrush();
        default:
            return QVariant();
        }
    };
    auto* model = new pageListModel(rows, {header}, std::move(cell), view);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setColumnWidth(0, COLUMN_WIDTH);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setFont(pageStyle::listFont());
    // The view cuts a description to its cell where it draws it, as it cut
    // the whole texts the list held before; a widened column shows more.
    view->setTextElideMode(Qt::ElideRight);
    return {view, model};
}
