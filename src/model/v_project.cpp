#include "model/v_project.h"

#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "fixtures/ctrl_menu_entry.h"
#include "fixtures/light_effect.h"
#include "xml/xml_node.h"

#include <QDialog>
#include <QHash>
#include <algorithm>

bool fixtureNumberLess(const lightEffect* a, const lightEffect* b)
{
    return a->number < b->number;
}

bool chnlMapLess(const chnlMapEntry& a, const chnlMapEntry& b)
{
    if (a.channel != b.channel)
        return a.channel < b.channel;
    return a.fixture->number < b.fixture->number;
}

v_project::v_project() : defaultGroup(QStringLiteral("default"))
{
    clear();
}

v_project::~v_project()
{
    if (graphWindow) {
        QWidget* window = graphWindow;
        graphWindow = nullptr;
        delete window;
    }
    deleteFixtures();
    qDeleteAll(groups);
    groups.clear();
    delete projectTree;
    projectTree = nullptr;
    delete hierarchy;
    hierarchy = nullptr;
    library = nullptr;
    delete libraryTree;
    libraryTree = nullptr;
}

xml_node* v_project::newProjectTree()
{
    auto* tree = new xml_node(0);
    xml_node* field = tree->addNode(QStringLiteral("field"));
    field->setElement(QStringLiteral("height"), QStringLiteral("1000"));
    field->setElement(QStringLiteral("width"), QStringLiteral("1000"));
    return tree;
}

void v_project::deleteFixtures()
{
    // Open light-control dialogs and the light-control menu hold fixtures
    // by pointer: close the dialogs and forget the menu's entries first.
    while (!controlDialogs.isEmpty())
        controlDialogs.takeFirst()->close();
    qDeleteAll(ctrlMenuEntries);
    ctrlMenuEntries.clear();
    for (efGroup* g : std::as_const(groups))
        g->members.clear();
    defaultGroup.members.clear();
    chnlMap.clear();
    qDeleteAll(fixtures);
    fixtures.clear();
    emit fixturesReplaced();
}

void v_project::removeFixture(lightEffect* fixture)
{
    if (!fixture)
        return;
    if (xml_node* devices = projectTree ? projectTree->findNode(QStringLiteral("devices")) : nullptr) {
        if (fixture->deviceNode)
            devices->removeNode(fixture->deviceNode);
    }
    fixture->deviceNode = nullptr;
    fixtures.removeOne(fixture);
    for (efGroup* g : std::as_const(groups))
        g->members.removeAll(fixture);
    defaultGroup.members.removeAll(fixture);
    chnlMap.erase(std::remove_if(chnlMap.begin(), chnlMap.end(),
                                 [fixture](const chnlMapEntry& e) { return e.fixture == fixture; }),
                  chnlMap.end());
    for (ctrlMenuEntry* entry : std::as_const(ctrlMenuEntries))
        entry->members.removeAll(fixture);
    // Open light-control dialogs drop the fixture on this signal.
    emit fixtureRemoved(fixture);
    fixture->hide();
    delete fixture;
}

void v_project::clear()
{
    deleteFixtures();
    qDeleteAll(groups);
    groups.clear();

    // The cleared project must not come back with the next save: the tree
    // goes back to its constructed form, and an active library that lived in
    // the old tree gives way to the external one (or none).
    const bool libraryInTree = library && library != libraryTree;
    if (libraryInTree)
        library = nullptr;
    delete projectTree;
    projectTree = newProjectTree();
    fieldWidth = 1000;
    fieldHeight = 1000;
    if (libraryInTree) {
        library = libraryTree;
        buildHierarchy();
    }
}

bool v_project::fixturesComplete() const
{
    return !fixtures.isEmpty()
           && std::all_of(fixtures.cbegin(), fixtures.cend(), [](const lightEffect* f) { return f->defined; });
}

bool v_project::checkFixtures()
{
    const bool result = fixturesComplete();
    if (!result && !fixtures.isEmpty())
        showMessage(QMessageBox::Warning, theMainWindow, tr("Incomplete fixture(s) found!"),
                    tr("All fixtures should be completely defined\nbefore entering visualisaton mode!"));
    emit validated(result);
    return result;
}

int v_project::firstFreeNumber()
{
    if (fixtures.isEmpty())
        return 1;
    std::stable_sort(fixtures.begin(), fixtures.end(), fixtureNumberLess);
    int candidate = 1;
    for (const lightEffect* f : std::as_const(fixtures)) {
        if (candidate < f->number)
            return candidate;
        candidate = f->number + 1;
    }
    return candidate;
}

int v_project::groupFromRange(efGroup* group, int first, int last)
{
    if (!group)
        return 0;
    int added = 0;
    for (lightEffect* f : std::as_const(fixtures)) {
        const qint64 from = f->dmxStart;
        const qint64 to = qint64(f->dmxStart) + f->chnlCount - 1;
        if (to < first || from > last)
            continue;
        if (from >= first && to <= last) {
            group->members.append(f);
            ++added;
        } else {
            showMessage(QMessageBox::Information, theMainWindow, tr("Range boundary violation!"),
                        tr("Fixture %1 violates range of group %2!").arg(QString::number(f->number), group->name));
        }
    }
    if (groups.contains(group))
        return added;
    if (added > 0)
        groups.append(group);
    else
        delete group;
    return added;
}

void v_project::removeRangeGroups()
{
    const QString mark = tr("Range_");
    int removed = 0;
    for (int i = groups.size() - 1; i >= 0; --i) {
        if (groups.at(i)->name.contains(mark)) {
            delete groups.takeAt(i);
            ++removed;
        }
    }
    if (removed > 0)
        showMessage(QMessageBox::Information, theMainWindow, tr("Removing groups by ranges"),
                    tr("Removed %1 groups generated by active scenes!").arg(removed));
}

void v_project::buildHierarchy(xml_node* node)
{
    delete hierarchy;
    hierarchy = nullptr;
    if (!node)
        node = library;
    if (!node)
        return;

    auto* tree = new xml_node(0);
    tree->name = QStringLiteral("Hierarchy");
    // Providers, models and variants are found by name in hashes: a library
    // of many thousand items must not take quadratic time. Each name keeps
    // the node or element made for its first item. Models and variants are
    // keyed by their parent and name in one hash each: a hash per provider
    // or model would cost a table for every one of them, most with one entry.
    QHash<QString, xml_node*> providers;
    QHash<std::pair<const xml_node*, QString>, xml_node*> models;
    QHash<std::pair<const xml_node*, QString>, xml_element*> variants;
    const QString basic = QStringLiteral("_basic_");
    for (const xml_node& item : std::as_const(node->nodes)) {
        if (item.name != QLatin1String("item"))
            continue;
        const QString* provider = item.elementValue(QStringLiteral("provider"));
        const QString* model = item.elementValue(QStringLiteral("model"));
        const QString* variant = item.elementValue(QStringLiteral("variant"));
        const QString* nr = item.attrValue(QStringLiteral("nr"));
        // An item without its number could be named by no fixture.
        if (!provider || !model || !nr) {
            showMessage(QMessageBox::Warning, theMainWindow, tr("Incomplete data!"),
                        tr("Check item \"%1\"!").arg(nr ? *nr : QString()));
            continue;
        }
        xml_node*& p = providers[*provider];
        if (!p)
            p = tree->addNode(*provider);
        xml_node*& m = models[{p, *model}];
        if (!m)
            m = p->addNode(*model);
        const QString& name = variant && !variant->isEmpty() ? *variant : basic;
        xml_element*& e = variants[{m, name}];
        if (e)
            e->value = *nr;
        else
            e = m->setElement(name, *nr);
    }
    if (tree->nodes.isEmpty())
        delete tree;
    else
        hierarchy = tree;
}

void v_project::enableDetails(QObject* window)
{
    if (graphWindow && window == graphWindow) {
        graphWindow = nullptr;
        emit detailsState(true);
    } else if (!graphWindow) {
        emit detailsState(true);
    }
}

void v_project::refreshFixtLib()
{
    if (!libraryTree)
        return;
    const int answer = askQuestion(QMessageBox::Question, theMainWindow, tr("New fixture definitiions"),
                                   tr("All definition of fixtures in project\nwill be replaced from external library!"),
                                   {tr("Abort"), tr("Apply")}, 0, 0);
    if (answer != 1)
        return;

    xml_node* projectLibrary = projectTree->findNode(QStringLiteral("library"));
    if (!projectLibrary)
        projectLibrary = projectTree->addNode(QStringLiteral("library"));
    // Every fixture gets its item anew below, so none keeps a pointer into
    // the old copies.
    projectLibrary->nodes.clear();
    projectLibrary->elements.clear();

    QHash<QString, xml_node*> external;
    for (xml_node& item : libraryTree->nodes) {
        if (item.name != QLatin1String("item"))
            continue;
        if (const QString* nr = item.attrValue(QStringLiteral("nr")))
            if (!external.contains(*nr))
                external.insert(*nr, &item);
    }

    QHash<QString, xml_node*> copied;
    bool allFound = true;
    for (lightEffect* f : std::as_const(fixtures)) {
        const QString* ref = f->deviceNode ? f->deviceNode->elementValue(QStringLiteral("library")) : nullptr;
        xml_node* source = ref ? external.value(*ref) : nullptr;
        if (source) {
            xml_node*& copy = copied[*ref];
            if (!copy) {
                copy = projectLibrary->insertNode(*source);
                copy->relevel();
            }
            f->itemNode = copy;
        } else {
            f->itemNode = nullptr;
            f->defined = false;
            allFound = false;
            showMessage(QMessageBox::Warning, theMainWindow, tr("Undefined fixture model"),
                        tr("This library does not contain definition\nfor fixture %1!").arg(f->number));
        }
    }

    checkFixtures();
    if (allFound)
        showMessage(QMessageBox::Information, theMainWindow, tr("New fixture definitions"),
                    tr("All definition succesfully replaced!"));
}
