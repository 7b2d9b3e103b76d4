#include "visualisation/modi_fxt.h"

#include "visualisation/dmx_reloc.h"
#include "visualisation/fixture_xml.h"
#include "visualisation/kv_vgraph.h"

#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/v_project.h"
#include "seams/dialog_seam.h"
#include "xml/xml_writer.h"

#include <QSignalBlocker>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int DMX_CHANNELS = 512;

kvVGraph_class* graphWindow()
{
    return theVisualProject ? qobject_cast<kvVGraph_class*>(theVisualProject->graphWindow) : nullptr;
}

// The names of a node's children, in character-code order.
QStringList sortedChildNames(const xml_node* node)
{
    QStringList names;
    for (const xml_node& c : node->nodes)
        names.append(c.name);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

ModiFxt_class::ModiFxt_class(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    v_project* vp = theVisualProject;
    const kvVGraph_class* window = graphWindow();
    fixture = window ? window->pointedFixture : nullptr;
    if (!vp || !fixture) {
        okButton->setEnabled(false);
        connect(cancelButton, &QPushButton::pressed, this, &QDialog::close);
        return;
    }
    setWindowTitle(tr("Fixture No. %1").arg(fixture->number));

    {
        // Loading shows what is stored; the field bounds what can be kept.
        const QSignalBlocker x(sbXPos);
        const QSignalBlocker y(sbYPos);
        sbXPos->setValue(fixture->posX);
        sbYPos->setValue(fixture->posY);
        sbXPos->setMaximum(std::max(0, window->fieldWidth));
        sbYPos->setMaximum(std::max(0, window->fieldHeight));
    }

    cbProvider->addItem(tr("<choose one>", "provider"), 0);
    cbModel->addItem(tr("<choose one>", "model"), 0);
    cbVariant->addItem(tr("<choose one>", "variant"), 0);
    if (vp->hierarchy)
        cbProvider->addItems(sortedChildNames(vp->hierarchy));

    if (const xml_node* device = fixture->deviceNode) {
        if (const QString* label = device->elementValue(QStringLiteral("label")))
            leLabel->setText(unescapeText(*label));
        if (const QString* comment = device->elementValue(QStringLiteral("comment")))
            teComment->append(unescapeText(*comment));
        if (const QString* dmx = device->elementValue(QStringLiteral("dmx"))) {
            bool ok = false;
            const int first = dmx->toInt(&ok);
            sbDmx->setValue(ok ? first : 1);
        }
        if (const QString* power = device->elementValue(QStringLiteral("power")))
            sbPower->setValue(power->toInt());
    }
    dial->setValue(fixture->rotation);
    rotateValue(dial->value());

    chnlCount = fixture->chnlCount;
    reloc = fixture->reloc;
    relocPossibility();

    connect(okButton, &QPushButton::pressed, this, &ModiFxt_class::modiSave);
    connect(cancelButton, &QPushButton::pressed, this, &QDialog::close);
    connect(dial, &QDial::valueChanged, this, &ModiFxt_class::rotateValue);
    connect(cbProvider, &QComboBox::currentIndexChanged, this,
            [this](int index) { providerChanged(cbProvider->itemText(index)); });
    connect(cbModel, &QComboBox::currentIndexChanged, this, &ModiFxt_class::modelChanged);
    connect(cbVariant, &QComboBox::currentIndexChanged, this, qOverload<int>(&ModiFxt_class::relocPossibility));
    connect(pbReloc, &QPushButton::pressed, this, &ModiFxt_class::changeReloc);
    connect(sbDmx, &QSpinBox::valueChanged, this, &ModiFxt_class::fstChnl);

    // The stored choice, as far as the library still holds it; each level
    // fills the next one's list.
    if (const xml_node* item = fixture->itemNode) {
        QComboBox* const boxes[] = {cbProvider, cbModel, cbVariant};
        const char* const names[] = {"provider", "model", "variant"};
        for (int level = 0; level < 3; ++level) {
            const QString* text = item->elementValue(QLatin1String(names[level]));
            if (!text)
                continue;
            const int index = boxes[level]->findText(*text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (index <= 0)
                break;
            boxes[level]->setCurrentIndex(index);
        }
    }
}

ModiFxt_class::~ModiFxt_class() = default;

void ModiFxt_class::rotateValue(int value)
{
    lbValue->setText(QString::number(value));
}

void ModiFxt_class::providerChanged(const QString& provider)
{
    const v_project* vp = theVisualProject;
    if (!vp || !vp->hierarchy)
        return;
    // Entry 0 first, so that the variants of the model chosen go as well.
    cbModel->setCurrentIndex(0);
    while (cbModel->count() > 1)
        cbModel->removeItem(cbModel->count() - 1);
    if (const xml_node* models = fixtureXml::child(vp->hierarchy, provider)) {
        // Each entry carries the number of variants of its own model.
        QList<const xml_node*> sorted;
        for (const xml_node& m : models->nodes)
            sorted.append(&m);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const xml_node* a, const xml_node* b) { return a->name < b->name; });
        for (const xml_node* m : std::as_const(sorted))
            cbModel->addItem(m->name, m->elements.size());
    }
    relocPossibility();
}

void ModiFxt_class::modelChanged(int index)
{
    const v_project* vp = theVisualProject;
    if (!vp || !vp->hierarchy)
        return;
    cbVariant->setCurrentIndex(0);
    while (cbVariant->count() > 1)
        cbVariant->removeItem(cbVariant->count() - 1);
    const int count = cbModel->itemData(index).toInt();
    const xml_node* provider = fixtureXml::child(vp->hierarchy, cbProvider->currentText());
    const xml_node* model = count > 0 ? fixtureXml::child(provider, cbModel->itemText(index)) : nullptr;
    if (model) {
        for (const xml_element& variant : model->elements) {
            const bool basic = variant.name.isEmpty() || variant.name == QLatin1String("_basic_");
            cbVariant->addItem(basic ? tr("basic") : variant.name, variant.value);
        }
        if (count == 1 && cbVariant->count() > 1)
            cbVariant->setCurrentIndex(1);
    }
    relocPossibility();
}

const xml_node* ModiFxt_class::chosenItem() const
{
    const v_project* vp = theVisualProject;
    if (!vp || !vp->library || cbProvider->currentIndex() <= 0 || cbModel->currentIndex() <= 0
        || cbVariant->currentIndex() <= 0)
        return nullptr;
    // The variant's entry names its item: what "OK" stores is what is shown.
    const int nr = cbVariant->currentData().toInt();
    return nr != 0 ? fixtureXml::numbered(vp->library, QStringLiteral("item"), nr) : nullptr;
}

void ModiFxt_class::relocPossibility(int)
{
    relocPossibility();
}

void ModiFxt_class::relocPossibility()
{
    const xml_node* item = chosenItem();
    const xml_node* dmx = fixtureXml::child(item, QStringLiteral("dmx"));
    const QString* range = dmx ? dmx->elementValue(QStringLiteral("range")) : nullptr;
    int count = 0;
    if (range) {
        count = range->toInt();
        lbNumberOfCh->setText(*range);
    } else {
        lbNumberOfCh->setText(QStringLiteral("?"));
    }
    // The last channel of the fixture stays within the universe.
    sbDmx->setMaximum(std::clamp(DMX_CHANNELS + 1 - count, 1, DMX_CHANNELS));
    if (count <= 1) {
        pbReloc->setEnabled(false);
        pbReloc->setText(tr("Relocation table (empty)"));
        return;
    }
    chnlCount = std::min(count, DMX_CHANNELS);
    pbReloc->setEnabled(true);
    labelRelocButton(int(reloc.size()));
}

void ModiFxt_class::labelRelocButton(int entries)
{
    const int n = std::min(entries, int(reloc.size()));
    const bool relocated = std::any_of(reloc.cbegin(), reloc.cbegin() + std::max(0, n), [](int r) { return r != 0; });
    pbReloc->setText(relocated ? tr("Relocation table") : tr("Relocation table (empty)"));
}

void ModiFxt_class::fstChnl(int first)
{
    bool changed = false;
    for (int i = 0; i < reloc.size(); ++i) {
        const qint64 channel = qint64(first) + i + reloc[i];
        if (channel < 1) {
            reloc[i] = 1 - first - i;
            changed = true;
        } else if (channel > DMX_CHANNELS) {
            reloc[i] = DMX_CHANNELS - first - i;
            changed = true;
        }
    }
    if (changed)
        changeReloc();
}

void ModiFxt_class::changeReloc()
{
    dmxReloc_class relocator(this);
    if (execDialog(&relocator) == QDialog::Accepted)
        labelRelocButton(chnlCount);
}

void ModiFxt_class::modiSave()
{
    v_project* vp = theVisualProject;
    if (!vp || !fixture || !fixture->deviceNode || !vp->projectTree)
        return;
    xml_node* device = fixture->deviceNode;
    const xml_node* oldItem = fixture->itemNode;
    const int oldStart = fixture->dmxStart;
    const int nr = cbVariant->currentData().toInt();

    if (nr == 0) {
        fixtureXml::removeAll(device, QStringLiteral("library"));
        fixture->itemNode = nullptr;
        fixture->defined = false;
    } else {
        xml_node* lib = fixtureXml::child(vp->projectTree, QStringLiteral("library"));
        if (!lib)
            lib = vp->projectTree->addNode(QStringLiteral("library"));
        xml_node* item = fixtureXml::numbered(lib, QStringLiteral("item"), nr);
        // The project carries its own copy of every item its fixtures use.
        if (!item && vp->libraryTree) {
            if (const xml_node* source = fixtureXml::numbered(vp->libraryTree, QStringLiteral("item"), nr)) {
                item = lib->insertNode(*source);
                item->relevel();
            }
        }
        fixture->itemNode = item;
        fixtureXml::setText(device, QStringLiteral("library"), QString::number(nr));
        fixture->defined = item != nullptr;
    }

    fixture->posX = sbXPos->value();
    fixture->posY = sbYPos->value();
    fixture->rotation = dial->value();
    fixture->storeGeometry();
    if (const kvVGraph_class* window = graphWindow())
        fixture->move(window->fieldToView(fixture->posX, fixture->posY));

    fixture->dmxStart = sbDmx->value() - 1;
    fixtureXml::setText(device, QStringLiteral("dmx"), QString::number(fixture->dmxStart + 1));
    // Label and comment are free texts inside the project description.
    fixtureXml::setText(device, QStringLiteral("label"), escapeText(leLabel->text()));
    fixtureXml::setText(device, QStringLiteral("comment"), escapeText(teComment->toPlainText()));
    fixtureXml::setText(device, QStringLiteral("power"), QString::number(sbPower->value()));

    bool changed = fixture->itemNode != oldItem || fixture->chnlCount < 0;
    // As the project reader takes it, a fixture has at most the universe's channels.
    chnlCount = fixture->itemNode ? std::clamp(fixtureXml::itemRange(fixture->itemNode), 0, DMX_CHANNELS) : 0;
    if (reloc.size() != chnlCount)
        reloc = QVector<int>(chnlCount, 0);
    // A table of the fixture shorter than the new one differs from it.
    for (int i = 0; !changed && i < chnlCount; ++i)
        changed = i >= fixture->reloc.size() || fixture->reloc[i] != reloc[i];
    fixture->reloc = reloc;
    fixture->chnlCount = chnlCount;

    const auto dropMapEntries = [vp, this] {
        vp->chnlMap.erase(std::remove_if(vp->chnlMap.begin(), vp->chnlMap.end(),
                                         [this](const chnlMapEntry& e) { return e.fixture == fixture; }),
                          vp->chnlMap.end());
    };
    if (changed) {
        dropMapEntries();
        xml_node* relocNode = fixtureXml::child(device, QStringLiteral("reloc"));
        if (!relocNode)
            relocNode = device->addNode(QStringLiteral("reloc"));
        relocNode->clear();
        for (int i = 0; i < chnlCount; ++i) {
            if (reloc[i] == 0)
                continue;
            xml_element channel(QStringLiteral("channel"), QString::number(reloc[i]), relocNode->level + 1);
            channel.setAttr(QStringLiteral("nr"), QString::number(i + 1));
            relocNode->elements.append(channel);
        }
        // Functions and channels as the project reader derives them, so that
        // the fixture is the same after the project is read again.
        vp->mapFixtureChannels(fixture);
        std::stable_sort(vp->chnlMap.begin(), vp->chnlMap.end(), chnlMapLess);
        if (fixture->itemNode) {
            if (const xml_node* geometry = fixtureXml::child(fixture->itemNode, QStringLiteral("geometry"))) {
                fixture->width = 10;
                fixture->height = 10;
                fixture->setGeometryFrom(*geometry);
            }
        }
    } else if (fixture->dmxStart != oldStart) {
        // The same channels from another start: the entries move with it.
        // They are made again, as the reader makes them, so that a channel
        // moved out of the universe leaves the map and one moved in joins it.
        dropMapEntries();
        vp->mapFixtureChannels(fixture);
        std::stable_sort(vp->chnlMap.begin(), vp->chnlMap.end(), chnlMapLess);
    }

    fixture->updateCaption();
    fixture->updateIcon();
    fixture->update();
    vp->modified = true;
    accept();
}
