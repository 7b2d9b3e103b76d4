#include "editors/scenes/record_list.h"

#include "editors/scenes/record_page_kind.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "widgets/page_style.h"

#include <QCoreApplication>
#include <QHeaderView>

namespace {

constexpr int LIST_COLUMN_WIDTH = 110;

pageListModel::cellFunction recordCell(kv310_controller_class* controller, const recordPageKind& kind)
{
    return [controller, &kind](int row, int column, int role) -> QVariant {
        if (!controller || column != 0)
            return QVariant();
        if (role == Qt::DisplayRole) {
            const QString& text = kind.descriptions(controller)[row];
            if (text.isEmpty())
                return QCoreApplication::translate("arecord_settings_widget", "no description");
            return text;
        }
        if (role == Qt::BackgroundRole)
            return kind.rowBrush(row, controller->configImage + kind.channels + uint32_t(img::CHANNELS) * uint32_t(row));
        return QVariant();
    };
}

}  // namespace

recordListModel::recordListModel(kv310_controller_class* controller, const recordPageKind& kind, QObject* parent)
    : pageListModel(kind.count,
                    {QCoreApplication::translate("arecord_settings_widget", kind.listHeader)},
                    recordCell(controller, kind), parent)
{
}

pageListView* makeRecordListView(recordListModel* model, QWidget* parent)
{
    auto* view = new pageListView(parent);
    // In its font and place before it has rows, so that the width of the
    // row numbers is measured once rather than again for each.
    view->setFont(pageStyle::listFont());
    view->setGeometry(10, 20, 175, 625);
    // The list keeps its rows as long as it is there, as a table of items would.
    model->setParent(view);
    view->setModel(model);
    view->setColumnWidth(0, LIST_COLUMN_WIDTH);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // The view cuts a text to its cell as it draws it.
    view->setTextElideMode(Qt::ElideRight);
    return view;
}
