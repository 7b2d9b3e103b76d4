#include "editors/events/aevents_source_page.h"

#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_style.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace {

constexpr int DESCRIPTION_LENGTH = 100;
// The page covers the tab, so that the widgets it places on itself show.
constexpr QRect PAGE_AREA(0, 0, 850, 650);

}  // namespace

aevents_source_page::aevents_source_page(QWidget* parent)
    : QWidget(parent)
{
    setGeometry(PAGE_AREA);
}

aevents_source_page::~aevents_source_page() = default;

QTableWidget* aevents_source_page::makeList(QWidget* parent, int rows, const QStringList& headers,
                                            const QList<int>& widths, const QRect& geometry)
{
    auto* list = new QTableWidget(rows, int(headers.size()), parent);
    list->setFont(pageStyle::listFont());
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->verticalHeader()->hide();
    for (int c = 0; c < headers.size(); ++c)
        list->setHorizontalHeaderItem(c, new QTableWidgetItem(headers[c]));
    list->setGeometry(geometry);
    for (int c = 0; c < widths.size(); ++c)
        list->setColumnWidth(c, widths[c]);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    if (rows > 0)
        list->selectRow(0);
    // Fixed when the list is made: a row text keeps its length when the user
    // widens the column.
    elideWidth = 2 * list->columnWidth(0);
    rowMetrics.emplace(list->font());
    rowSources.assign(size_t(rows), QString());
    eventList = list;
    eventModel = list->model();
    return list;
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

void aevents_source_page::setRowText(int row, const QString& text)
{
    // Cutting a text means laying it out, the dearest part of a refresh of a
    // thousand rows; a row whose text is what it was keeps its cut text.
    if (row < 0 || row >= eventList->rowCount())
        return;
    if (size_t(row) >= rowSources.size())
        rowSources.resize(size_t(eventList->rowCount()));
    if (eventList->item(row, 0) && rowSources[size_t(row)] == text)
        return;
    rowSources[size_t(row)] = text;
    eventModel->setData(eventModel->index(row, 0), rowMetrics->elidedText(text, Qt::ElideRight, elideWidth));
}

void aevents_source_page::setRowBrush(int row, const QBrush& brush, int columns)
{
    for (int c = 0; c < columns; ++c)
        eventModel->setData(eventModel->index(row, c), brush, Qt::BackgroundRole);
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
    descriptionStored(text);
}

void aevents_source_page::descriptionStored(const QString&) {}
