#include "visualisation/dmx_reloc.h"

#include "visualisation/fixture_xml.h"
#include "visualisation/modi_fxt.h"

#include "model/globals.h"
#include "model/v_project.h"

#include <QHash>
#include <QHeaderView>
#include <QSpinBox>

#include <algorithm>

namespace {

constexpr int DMX_CHANNELS = 512;

// The descriptions of an item's channels 1..count in the language the
// translation names (its code is the translation of "en"), else in English.
QStringList channelDescriptions(const xml_node* item, int count, const QString& language)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(QString());
    const xml_node* dmx = fixtureXml::child(item, QStringLiteral("dmx"));
    if (!dmx)
        return out;
    // The first channel node of each number counts.
    QHash<QString, const xml_node*> channels;
    for (const xml_node& c : dmx->nodes) {
        if (c.name != QLatin1String("channel"))
            continue;
        if (const QString* nr = c.attrValue(QStringLiteral("nr")))
            if (!channels.contains(*nr))
                channels.insert(*nr, &c);
    }
    for (int i = 0; i < count; ++i) {
        const xml_node* description =
            fixtureXml::child(channels.value(QString::number(i + 1)), QStringLiteral("description"));
        if (!description)
            continue;
        const QString* text = description->elementValue(language);
        if (!text)
            text = description->elementValue(QStringLiteral("en"));
        if (text)
            out[i] = *text;
    }
    return out;
}

}  // namespace

dmxReloc_class::dmxReloc_class(ModiFxt_class* owner) : QDialog(owner), owner(owner)
{
    setupUi(this);
    fixture = owner->fixture;
    count = std::clamp(owner->chnlCount, 0, DMX_CHANNELS);
    values = QVector<int>(count, 0);

    twReloc->verticalHeader()->hide();
    twReloc->setColumnCount(2);
    twReloc->setRowCount(count);
    twReloc->setHorizontalHeaderLabels({tr("Fixture channel"), tr("DMX channel")});
    twReloc->setColumnWidth(0, 250);
    twReloc->setColumnWidth(1, count <= 3 ? 115 : 100);
    twReloc->setItemDelegate(new dmxReloc_delegate(this));

    const int first = owner->sbDmx->value();
    const int nr = owner->cbVariant->currentData().toInt();
    const v_project* vp = theVisualProject;
    const xml_node* item = vp ? fixtureXml::numbered(vp->library, QStringLiteral("item"), nr) : nullptr;
    const QStringList descriptions = channelDescriptions(item, count, tr("en"));
    const bool ownTable = owner->reloc.size() == count;
    for (int i = 0; i < count; ++i) {
        values[i] = first + i + (ownTable ? owner->reloc[i] : 0);
        auto* name = new QTableWidgetItem(QStringLiteral("( %1 ) ").arg(i + 1) + descriptions.at(i));
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        name->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        twReloc->setItem(i, 0, name);
        auto* channel = new QTableWidgetItem(QString::number(values[i]));
        channel->setTextAlignment(Qt::AlignCenter);
        twReloc->setItem(i, 1, channel);
    }
    twReloc->viewport()->update();

    connect(pbCancel, &QPushButton::pressed, this, &QDialog::close);
    connect(pbOk, &QPushButton::pressed, this, &dmxReloc_class::save);
    connect(pbClear, &QPushButton::pressed, this, &dmxReloc_class::clearReloc);
}

dmxReloc_class::~dmxReloc_class() = default;

int dmxReloc_class::firstRowMinimum() const
{
    return std::max(1, owner->sbDmx->minimum());
}

int dmxReloc_class::firstRowMaximum() const
{
    // What row 0 shows becomes the owner's first channel as it is: never
    // more than the owner's box takes.
    return std::max(firstRowMinimum(), std::min(DMX_CHANNELS + 1 - count, owner->sbDmx->maximum()));
}

void dmxReloc_class::clearReloc()
{
    const int first = owner->sbDmx->value();
    for (int i = 0; i < count; ++i) {
        values[i] = first + i;
        if (QTableWidgetItem* channel = twReloc->item(i, 1))
            channel->setText(QString::number(values[i]));
    }
    twReloc->viewport()->update();
}

void dmxReloc_class::save()
{
    // No row names the first channel: the owner keeps what it has.
    if (count == 0) {
        reject();
        return;
    }
    const int first = values[0];
    if (owner->reloc.size() != count)
        owner->reloc = QVector<int>(count, 0);
    for (int i = 1; i < count; ++i)
        owner->reloc[i] = values[i] - first - i;
    if (owner->sbDmx->value() != first)
        owner->sbDmx->setValue(first);
    accept();
}

dmxReloc_delegate::dmxReloc_delegate(QObject* owner)
    : QItemDelegate(owner), owner(qobject_cast<dmxReloc_class*>(owner))
{
}

QWidget* dmxReloc_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    if (index.column() != 1 || !owner)
        return nullptr;
    auto* box = new QSpinBox(parent);
    if (index.row() == 0)
        box->setRange(owner->firstRowMinimum(), owner->firstRowMaximum());
    else
        box->setRange(1, DMX_CHANNELS);
    return box;
}

void dmxReloc_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* box = qobject_cast<QSpinBox*>(editor);
    if (!box || index.column() != 1 || !owner || index.row() < 0 || index.row() >= owner->values.size())
        return;
    box->setValue(owner->values[index.row()]);
}

void dmxReloc_delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* box = qobject_cast<QSpinBox*>(editor);
    if (!box || index.column() != 1 || !owner || index.row() < 0 || index.row() >= owner->values.size())
        return;
    box->interpretText();
    owner->values[index.row()] = box->value();
    model->setData(index, box->text(), Qt::DisplayRole);
    owner->update();
}

void dmxReloc_delegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
