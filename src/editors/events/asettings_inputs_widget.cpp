#include "editors/events/asettings_inputs_widget.h"

#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>

namespace {

constexpr int TYPE_COLUMN = 1;
constexpr int DESCRIPTION_COLUMN = 2;
constexpr int DESCRIPTION_LENGTH = 100;
constexpr int32_t UNUSED = -1;
constexpr int32_t NORMAL_OPEN = 0;
constexpr int32_t NORMAL_CLOSE = 1;

bool validInput(const QModelIndex& index)
{
    return theController && index.isValid() && index.row() >= 0 && index.row() < img::INPUTS;
}

int32_t storedType(int input)
{
    return img::getI32(theController->configImage, img::inputTypesOf(input));
}

}  // namespace

// ---- The table ----------------------------------------------------------------------

asettings_inputs_widget::asettings_inputs_widget(QWidget* parent)
    : QTableView(parent)
{
    inputsModel = new QStandardItemModel(img::INPUTS, 3, this);
    inputsModel->setHeaderData(0, Qt::Horizontal, tr("Input", "column name"), Qt::EditRole);
    inputsModel->setHeaderData(TYPE_COLUMN, Qt::Horizontal, tr("Input Type", "column name"), Qt::EditRole);
    inputsModel->setHeaderData(DESCRIPTION_COLUMN, Qt::Horizontal, tr("Description", "column name"), Qt::EditRole);
    verticalHeader()->hide();
    setModel(inputsModel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Owned by the tab like the view; a view without one keeps it itself.
    inputsDelegate = new asettings_inputs_delegate(parent ? static_cast<QObject*>(parent) : this);
    setItemDelegate(inputsDelegate);
    setGeometry(10, 20, 820, 570);
    setColumnWidth(0, 90);
    // The type column takes what its longest type name needs in the language
    // shown; the description column gives the difference back.
    int typeWidth = 120;
    for (const QString& text : {tr("Unused"), tr("Normal Open"), tr("Normal Close"), tr("Input Type", "column name")})
        typeWidth = qMax(typeWidth, fontMetrics().horizontalAdvance(text) + 30);
    setColumnWidth(TYPE_COLUMN, typeWidth);
    setColumnWidth(DESCRIPTION_COLUMN, 590 - (typeWidth - 120));
}

void asettings_inputs_widget::refresh()
{
    ++refreshCount;
    if (!theController)
        return;
    uint8_t* image = theController->configImage;
    for (int r = 0; r < img::INPUTS; ++r)
        inputsModel->setData(inputsModel->index(r, 0), tr("Input %1").arg(r + 1));
    for (int r = 0; r < img::INPUTS; ++r) {
        QString text;
        switch (storedType(r)) {
        case NORMAL_OPEN:
            text = tr("Normal Open");
            break;
        case NORMAL_CLOSE:
            text = tr("Normal Close");
            break;
        case UNUSED:
            text = tr("Unused");
            break;
        default:
            // A value the controller does not know: the input counts as unused.
            img::putI32(image, img::inputTypesOf(r), UNUSED);
            text = tr("Unused");
            break;
        }
        inputsModel->setData(inputsModel->index(r, TYPE_COLUMN), text);
    }
    for (int r = 0; r < img::INPUTS; ++r)
        inputsModel->setData(inputsModel->index(r, DESCRIPTION_COLUMN), theController->inputDescriptions[size_t(r)]);
}

// ---- The cell editors ---------------------------------------------------------------

asettings_inputs_delegate::asettings_inputs_delegate(QObject* parent)
    : cellEditorDelegate(parent)
{
}

QWidget* asettings_inputs_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                                 const QModelIndex& index) const
{
    QWidget* editor = nullptr;
    if (index.column() == TYPE_COLUMN) {
        auto* combo = new QComboBox(parent);
        combo->addItem(tr("Unused"));
        combo->addItem(tr("Normal Open"));
        combo->addItem(tr("Normal Close"));
        editor = combo;
    } else if (index.column() == DESCRIPTION_COLUMN) {
        auto* edit = new QLineEdit(parent);
        edit->setMaxLength(DESCRIPTION_LENGTH);
        editor = edit;
    }
    if (editor)
        editor->installEventFilter(const_cast<asettings_inputs_delegate*>(this));
    return opened(editor);
}

void asettings_inputs_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (!validInput(index))
        return;
    const int r = index.row();
    if (index.column() == TYPE_COLUMN) {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const int32_t type = storedType(r);
            combo->setCurrentIndex(type == NORMAL_OPEN ? 1 : type == NORMAL_CLOSE ? 2 : 0);
        }
    } else if (index.column() == DESCRIPTION_COLUMN) {
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setText(theController->inputDescriptions[size_t(r)].trimmed());
    }
}

void asettings_inputs_delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (!validInput(index))
        return;
    const int r = index.row();
    if (index.column() == TYPE_COLUMN) {
        auto* combo = qobject_cast<QComboBox*>(editor);
        if (!combo || combo->currentIndex() < 0)
            return;
        static const int32_t types[3] = {UNUSED, NORMAL_OPEN, NORMAL_CLOSE};
        img::putI32(theController->configImage, img::inputTypesOf(r), types[qBound(0, combo->currentIndex(), 2)]);
        model->setData(index, combo->currentText());
    } else if (index.column() == DESCRIPTION_COLUMN) {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit)
            return;
        theController->inputDescriptions[size_t(r)] = edit->text().trimmed();
        model->setData(index, edit->text());
    }
}

void asettings_inputs_delegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                     const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
