#pragma once

#include "widgets/page_list.h"

class QWidget;
class kv310_controller_class;
struct recordPageKind;

// The list of a scene or mask page: row r is record r, showing its
// description ("no description" when it has none) on the colour of its
// levels. Nothing is kept per row: a row is read from the controller object
// when it is drawn or asked for, so a list of 10240 records costs what its
// visible rows cost. Without a controller object the rows are empty.
class recordListModel : public pageListModel {
    Q_OBJECT
public:
    recordListModel(kv310_controller_class* controller, const recordPageKind& kind, QObject* parent = nullptr);
};

// The view of a record list as the page places it, owning the model; texts
// are cut where they are drawn, to the cell.
pageListView* makeRecordListView(recordListModel* model, QWidget* parent);
