#include "editors/events/aevents_source_page.h"

#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int DESCRIPTION_LENGTH = 100;
// The page covers the tab, so that the widgets it places on itself show.
constexpr QRect PAGE_AREA(0, 0, 850, 650);

// A page's list model whose page may take the clicks of some cells away
// or give some an editor.
class eventListModel : public pageListModel {
public:
    using pageListModel::pageListModel;

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        const Qt::ItemFlags usual = pageListModel::flags(index);
        return cellFlags && index.isValid() ? cellFlags(index.row(), index.column(), usual) : usual;
    }

    std::function<Qt::ItemFlags(int, int, Qt::ItemFlags)> cellFlags;
};

}  // namespace

aevents_source_page::aevents_source_page(QWidget* parent)
    : QWidget(parent)
{
    setGeometry(PAGE_AREA);
}

aevents_source_page::~aevents_source_page() = default;

pageListView* aevents_source_page::makeList(QWidget* parent, int rows, const QStringList& headers,
                                            const QList<int>& widths, const QRect& geometry, cellFunction cell)
{
    // The model goes with the page, whose rows it reads, even where the
    // list stands on the tab beside it.
    auto* model = new eventListModel(rows, headers, std::move(cell), this);
    auto* list = new pageListView(parent);
    list->setFont(pageStyle::listFont());
    list->setModel(model);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->verticalHeader()->hide();
    list->setGeometry(geometry);
    for (int c = 0; c < widths.size(); ++c)
        list->setColumnWidth(c, widths[c]);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    if (rows > 0)
        list->selectRow(0);
    // Fixed when the list is made: a row text keeps its length when the user
    // widens the column.
    list->setItemDelegateForColumn(0, new elidingDelegate(2 * list->columnWidth(0), list));
    eventList = list;
    eventModel = model;
    return list;
}

void aevents_source_page::setCellFlags(flagsFunction flags)
{
    static_cast<eventListModel*>(eventModel)->cellFlags = std::move(flags);
}

aevents_conf_widget* aevents_source_page::makePanel(int pageKind, QWidget* parent, const QRect& geometry)
{
    actionPanel = new aevents_conf_widget(pageKind, parent);
    actionPanel->setGeometry(geometry);
    return actionPanel;
}

QLineEdit* aevents_source_page::makeDescriptionEdit(QWidget* parent, const QRect& geometry, bool readOnly)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    edit->setFont(pageStyle::descriptionFont());
    edit->setReadOnly(readOnly);
    edit->setMaxLength(DESCRIPTION_LENGTH);
    return edit;
}

QLabel* aevents_source_page::makeLabel(const QString& text, const QRect& geometry, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, this);
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

void aevents_source_page::connectDescriptions()
{
    connect(descriptionEdit, &QLineEdit::editingFinished, this, &aevents_source_page::changeDesc);
    connect(actionPanel->actionTable, &aevents_tableview_widget::actionChgd, this, &aevents_source_page::descChange);
}

void aevents_source_page::selectEvent(int id)
{
    currentEvent = id;
    actionPanel->setEvent(id);
    actionPanel->actionTable->setCurrentCell(-1, 0);
    targetDescriptionEdit->clear();
}

void aevents_source_page::setTitle(const QString& text)
{
    if (titleWidth == 0)
        titleWidth = titleLabel->width();
    titleLabel->setText(text);
    titleLabel->resize(qMax(titleWidth, titleLabel->sizeHint().width()), titleLabel->height());
}

QVariant aevents_source_page::rowCell(int role, const std::function<QString()>& text,
                                       const std::function<QBrush()>& brush)
{
    if (role == Qt::DisplayRole)
        return text();
    if (role == Qt::BackgroundRole)
        return brush();
    return QVariant();
}

QBrush aevents_source_page::rowBrush(bool withActions, bool unavailable)
{
    if (unavailable)
        return QBrush(pageStyle::lockedColour());
    if (withActions)
        return QBrush(pageStyle::usedColour());
    return pageStyle::emptyBrush();
}

bool aevents_source_page::hasActions(int id)
{
    return theController && theController->events.actionCount(id) > 0;
}

int aevents_source_page::currentRow() const
{
    return eventList->currentRow();
}

void aevents_source_page::descChange(int type, int numer)
{
    targetDescriptionEdit->setText(theController ? theController->descriptionText(unsigned(type), numer) : QString());
}

void aevents_source_page::changeDesc()
{
    if (!theController || currentEvent < 0 || currentEvent >= EVENT_COUNT)
        return;
    const QString text = descriptionEdit->text().trimmed();
    theController->eventDescriptions[size_t(currentEvent)] = text;
    descriptionEdit->setText(text);
    eventModel->rowChanged(currentRow());
}
