#pragma once

#include <QString>

#include <functional>

class QWidget;
class pageListModel;
class pageListView;

// The list of the program page and of the sequence page: one row per
// program or sequence with its description, or `noDescription` for none,
// light green while it has steps. The rows are read from the show when they
// are drawn and cut to the column there; the page tells the model what
// changed (one row after an edit, every row after a read), so the current
// row and the selection stay.
struct descriptionList {
    pageListView* view;
    pageListModel* model;   // owned by the view
};

// description(row): the stored text, empty for none; used(row): the
// program or sequence has steps.
descriptionList makeDescriptionList(int rows, const QString& header, const QString& noDescription,
                                    std::function<QString(int row)> description, std::function<bool(int row)> used,
                                    QWidget* parent);
