#include "settings/asettings_descs_widget.h"

#include "model/events.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "settings/fixed_geometry.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

using settingsPages::placeAt;

namespace {

// How a category's rows are numbered in their item labels.
enum class numbering {
    state,   // "S" and the number after the format
    single,  // the number
    onOff,   // two rows per object: "on", "off"
    key,     // three rows per button: "pressed", "repeated", "released"
};

struct category {
    const char* caption;
    const char* format;
    numbering kind;
};

const category categories[asettings_descs_widget::CATEGORIES] = {
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "States"), QT_TRANSLATE_NOOP("asettings_descs_widget", "State "),
     numbering::state},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Panels"), QT_TRANSLATE_NOOP("asettings_descs_widget", "Panel %1"),
     numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Inputs"), QT_TRANSLATE_NOOP("asettings_descs_widget", "Input %1"),
     numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "RCU inputs"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Button %1"), numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Scenes"), QT_TRANSLATE_NOOP("asettings_descs_widget", "Scene %1"),
     numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Masks"), QT_TRANSLATE_NOOP("asettings_descs_widget", "Mask %1"),
     numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Programs"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Program %1"), numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Timers"), QT_TRANSLATE_NOOP("asettings_descs_widget", "Timer %1"),
     numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Delays ( Events: delay end )"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Delay %1"), numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Sequences ( Events: sequence start )"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Sequence %1"), numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Events: DMX input"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Channel %1: %2"), numbering::onOff},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Events: DMX output"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Channel %1: %2"), numbering::onOff},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Events: internal"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Internal event %1"), numbering::single},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Events: input state changed"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Input %1: %2"), numbering::onOff},
    {QT_TRANSLATE_NOOP("asettings_descs_widget", "Events: RCU keys events"),
     QT_TRANSLATE_NOOP("asettings_descs_widget", "Btn %1: %2"), numbering::key},
};

// The first description of each category's array.
QList<QString*> descriptionArrays(kv310_controller_class& c)
{
    return {
        c.stateDescriptions.data(),
        c.panelDescriptions.data(),
        c.inputDescriptions.data(),
        c.rcuKeyDescriptions.data(),
        c.sceneDescriptions.data(),
        c.maskDescriptions.data(),
        c.programDescriptions.data(),
        &c.eventDescriptions[EVENT_TIMER],
        &c.eventDescriptions[EVENT_DELAY_END],
        &c.eventDescriptions[EVENT_SEQUENCE_START],
        &c.eventDescriptions[EVENT_DMX_IN],
        &c.eventDescriptions[EVENT_DMX_OUT],
        &c.eventDescriptions[EVENT_INTERNAL],
        &c.eventDescriptions[EVENT_INPUT],
        &c.eventDescriptions[EVENT_RC_BUTTON],
    };
}

constexpr int ITEM_COLUMN_WIDTH = 110;
// Room the cell leaves around its text: the delegate's margins and the grid.
constexpr int ITEM_TEXT_MARGINS = 12;

}  // namespace

const int asettings_descs_widget::categoryRowCounts[CATEGORIES] = {
    68, 14, 24, 64, img::SCENES, img::MASKS, img::PROGRAM_SLOTS, 1024, 512, 128, 1024, 1024, 1024, 48, 192,
};

// ---- showDesc_delegate ----------------------------------------------------------

showDesc_delegate::showDesc_delegate(QObject* parent)
    : cellEditorDelegate(parent), ownerTable(qobject_cast<showDesc_class*>(parent))
{
}

QWidget* showDesc_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    Q_UNUSED(option)
    if (index.column() != 1)
        return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->installEventFilter(const_cast<showDesc_delegate*>(this));
    return opened(editor);
}

void showDesc_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    const QString* description = ownerTable ? ownerTable->descriptionAt(index.row()) : nullptr;
    if (edit && description && index.column() == 1)
        edit->setText(*description);
}

void showDesc_delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    QString* description = ownerTable ? ownerTable->descriptionAt(index.row()) : nullptr;
    if (!edit || !description || index.column() != 1)
        return;
    *description = edit->text();
    model->setData(index, *description, Qt::DisplayRole);
}

void showDesc_delegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const
{
    Q_UNUSED(index)
    editor->setGeometry(option.rect);
}

// ---- showDesc_class -------------------------------------------------------------

showDesc_class::showDesc_class(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent)
{
    setHorizontalHeaderItem(0, new QTableWidgetItem(asettings_descs_widget::tr("Item")));
    setHorizontalHeaderItem(1, new QTableWidgetItem(asettings_descs_widget::tr("Description")));
    descDelegate = new showDesc_delegate(this);
    setItemDelegate(descDelegate);
    setSelectionMode(QAbstractItemView::NoSelection);
}

QString* showDesc_class::descriptionAt(int row) const
{
    if (!currentDescriptions || row < 0 || row >= rowCount())
        return nullptr;
    return currentDescriptions + row;
}

// ---- asettings_descs_widget -----------------------------------------------------

asettings_descs_widget::asettings_descs_widget(QWidget* parent) : QWidget(parent)
{
    for (const category& c : categories)
        labelFormats << tr(c.caption);
    // The controller lives for the whole run: the array starts stay valid.
    if (theController)
        categoryArrays = descriptionArrays(*theController);

    categoryLabel = new QLabel(tr("Choose description category: "), this);
    placeAt(categoryLabel, 100, 20, 399, 40);
    categoryLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    categoryCombo = new QComboBox(this);
    placeAt(categoryCombo, 410, 20, 729, 40);
    categoryCombo->addItems(labelFormats);

    descTable = new showDesc_class(categoryRowCounts[0], 2, this);
    placeAt(descTable, 35, 60, 799, 624);
    descTable->setColumnWidth(0, ITEM_COLUMN_WIDTH);
    descTable->setColumnWidth(1, 600);
    // The descriptions take the width the item labels leave.
    descTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    // The tab is not laid out yet: the page takes the room its widgets need.
    resize(childrenRect().right() + 1, childrenRect().bottom() + 1);

    labelFormats.clear();
    for (const category& c : categories)
        labelFormats << tr(c.format);

    chgCategory(0);
    connect(categoryCombo, &QComboBox::currentIndexChanged, this, &asettings_descs_widget::chgCategory);
    refresh();
}

void asettings_descs_widget::chgCategory(int index)
{
    if (index < 0 || index >= CATEGORIES)
        return;
    descTable->setRowCount(categoryRowCounts[index]);
    descTable->setCurrentCell(0, 1);
    descTable->currentCategory = index;
    descTable->currentDescriptions = categoryArrays.value(index, nullptr);
    refresh();
    fitItemColumn();
}

void asettings_descs_widget::fitItemColumn()
{
    // The longest labels are among the last rows: the highest number, in
    // each of the category's words.
    const QFontMetrics metrics(descTable->font());
    int widest = 0;
    const int rows = descTable->rowCount();
    for (int r = std::max(0, rows - 3); r < rows; ++r)
        if (const QTableWidgetItem* item = descTable->item(r, 0))
            widest = std::max(widest, metrics.horizontalAdvance(item->text()));
    descTable->setColumnWidth(0, std::max(ITEM_COLUMN_WIDTH, widest + ITEM_TEXT_MARGINS));
}

void asettings_descs_widget::refresh()
{
    ++refreshCount;
    const int category = descTable->currentCategory;
    const QString format = labelFormats.value(category);
    const numbering kind = categories[category].kind;
    const QString on = tr("on");
    const QString off = tr("off");
    const QString keyWords[3] = {tr("pressed"), tr("repeated"), tr("released")};
    const QString* descriptions = descTable->currentDescriptions;

    // Up to 10240 rows of two cells: drawn once, when all are written.
    descTable->setUpdatesEnabled(false);
    const int rows = descTable->rowCount();
    for (int r = 0; r < rows; ++r) {
        QString label;
        switch (kind) {
        case numbering::state:
            label = format + QStringLiteral("S%1").arg(r + 1);
            break;
        case numbering::single:
            label = format.arg(r + 1);
            break;
        case numbering::onOff:
            label = format.arg(QString::number(r / 2 + 1), r % 2 ? off : on);
            break;
        case numbering::key:
            label = format.arg(QString::number(r / 3 + 1), keyWords[r % 3]);
            break;
        }
        const QString description = descriptions ? descriptions[r] : QString();
        for (int column = 0; column < 2; ++column) {
            const QString& text = column == 0 ? label : description;
            if (QTableWidgetItem* item = descTable->item(r, column)) {
                item->setData(Qt::DisplayRole, text);
            } else {
                item = new QTableWidgetItem(text);
                descTable->setItem(r, column, item);
            }
        }
    }
    descTable->setUpdatesEnabled(true);
}
