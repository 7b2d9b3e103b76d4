// The fixture commands of the plan in the running program: a fixture's
// details, copy and paste, removal with everything that pointed at the
// fixture, quick addressing, and the context-menu entries that reach them.

#include "fixture_rig.h"

#include "visualisation/ctrl_effects.h"
#include "fixtures/ctrl_menu_entry.h"
#include "fixtures/light_class.h"

#include <QPointer>
#include <QTest>

namespace {

xml_node* libraryItem(visualRig& r, int nr)
{
    return r.vp->libraryTree->findNodeByAttr(QStringLiteral("item"), QStringLiteral("nr"), QString::number(nr));
}

QStringList deviceNumbers(const xml_node* devices)
{
    QStringList out;
    for (const xml_node& d : devices->nodes)
        out << *d.attrValue(QStringLiteral("nr"));
    return out;
}

QList<int> numbers(const QList<lightEffect*>& fixtures)
{
    QList<int> out;
    for (const lightEffect* f : fixtures)
        out << f->number;
    return out;
}

}  // namespace

class tst_fixture_commands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void details_data();
    void details();
    void pasteMakesTheFirstFreeNumber();
    void pasteCopiesTheStateAtThePaste();
    void pastedFixtureTakesItsLayoutOnOk();
    void pasteMakesTheDevicesNode();
    void removalDropsEveryReference();
    void quickAddressing_data();
    void quickAddressing();
    void menuEntriesReachTheCommands();

private:
    std::unique_ptr<fixtureRig> rig;
};

void tst_fixture_commands::cleanup()
{
    rig.reset();
}

void tst_fixture_commands::details_data()
{
    QTest::addColumn<int>("item");  // external library item; 0 none
    QTest::addColumn<QString>("dmx");  // null: no element
    QTest::addColumn<QString>("label");
    QTest::addColumn<QVector<int>>("reloc");
    QTest::addColumn<QStringList>("lines");

    const QStringList head{"Fixture No. 1", "Position: 100 X 100"};
    QTest::newRow("no library item")
        << 0 << "10" << QString() << QVector<int>{}
        << head + QStringList{"Provider: undefined!", "Model: undefined!", "No description!", "DMX channels from 10"};
    QTest::newRow("everything, range 8")
        << 2 << "10" << "Front left" << QVector<int>(8, 0)
        << head + QStringList{"Provider: Maker", "Model: Par", "Variant: RGB", "Par can in English",
                              "Label: \"Front left\"", "DMX channels from 10 to 17"};
    QTest::newRow("range 1") << 3 << "10" << QString() << QVector<int>{0}
                             << head + QStringList{"Provider: Maker", "Model: Par", "Variant: _basic_",
                                                   "No description!", "DMX channels: 10"};
    QTest::newRow("relocated") << 1 << "10" << QString() << QVector<int>{0, 2, 0}
                               << head + QStringList{"Provider: Maker", "Model: Wash", "No description!",
                                                     "DMX channels: 10, 13, 12"};
    QTest::newRow("a first channel that is no number")
        << 1 << "ten" << QString() << QVector<int>{0, 0, 0}
        << head + QStringList{"Provider: Maker", "Model: Wash", "No description!", "DMX channels from 1 to 3"};
    QTest::newRow("no first channel") << 1 << QString() << QString() << QVector<int>{0, 0, 0}
                                      << head + QStringList{"Provider: Maker", "Model: Wash", "No description!"};
}

void tst_fixture_commands::details()
{
    QFETCH(int, item);
    QFETCH(QString, dmx);
    QFETCH(QString, label);
    QFETCH(QVector<int>, reloc);
    rig = std::make_unique<fixtureRig>();
    xml_node* par = libraryItem(rig->r, 2);
    xml_node* description = par->addNode(QStringLiteral("description"));
    description->setElement(QStringLiteral("en"), QStringLiteral("Par can in English"));
    description->setElement(QStringLiteral("pl"), QStringLiteral("Reflektor po polsku"));

    lightEffect* f = rig->fixture(1);
    f->itemNode = item ? libraryItem(rig->r, item) : nullptr;
    f->reloc = reloc;
    xml_node* device = f->deviceNode;
    device->removeElement(QStringLiteral("dmx"));
    if (!dmx.isNull())
        device->setElement(QStringLiteral("dmx"), dmx);
    if (!label.isNull())
        device->setElement(QStringLiteral("label"), label);

    rig->g->pointedFixture = f;
    rig->g->infoFixture();
    QCOMPARE(rig->r.s.rec.entries.size(), 1);
    QCOMPARE(rig->r.s.rec.entries.at(0).title, QStringLiteral("About this fixture..."));
    QCOMPARE(rig->r.s.rec.entries.at(0).icon, QMessageBox::Information);
    QTEST(rig->r.s.rec.entries.at(0).text.split(QStringLiteral("\r\n")), "lines");

    // Without a pointed fixture nothing is shown.
    rig->g->pointedFixture = nullptr;
    rig->g->infoFixture();
    QCOMPARE(rig->r.s.rec.entries.size(), 1);
}

void tst_fixture_commands::pasteMakesTheFirstFreeNumber()
{
    rig = std::make_unique<fixtureRig>();
    kvVGraph_class* g = rig->g;
    lightEffect* source = rig->fixture(2);
    source->deviceNode->setElement(QStringLiteral("label"), QStringLiteral("Back"));
    source->rotation = 45;
    source->storeGeometry();
    source->selected = true;
    g->pointedFixture = source;
    g->copyFixture();
    QCOMPARE(g->clipboardFixture, source);

    g->zoom = 1;
    g->scale = 2;
    g->pressX = 200;
    g->pressY = 100 + g->menubar->height();
    rig->r.vp->modified = false;
    rig->r.s.rec.answerExec([](QDialog*) { return int(QDialog::Rejected); });
    g->pasteFixture();

    lightEffect* copy = rig->fixture(3);
    QVERIFY(copy);
    QCOMPARE(g->pointedFixture, copy);
    QCOMPARE(QPoint(copy->posX, copy->posY), QPoint(400, 200));
    QCOMPARE(copy->pos(), QPoint(190, 90));
    const xml_node* device = copy->deviceNode;
    QVERIFY(device != source->deviceNode);
    QCOMPARE(*device->attrValue(QStringLiteral("nr")), QStringLiteral("3"));
    QCOMPARE(*device->elementValue(QStringLiteral("label")), QStringLiteral("Back"));
    QCOMPARE(*device->elementValue(QStringLiteral("dmx")), QStringLiteral("4"));
    QCOMPARE(*device->elementValue(QStringLiteral("library")), QStringLiteral("1"));
    const xml_node* geometry = const_cast<xml_node*>(device)->findNode(QStringLiteral("geometry"));
    QCOMPARE(*geometry->elementValue(QStringLiteral("x")), QStringLiteral("400"));
    QCOMPARE(*geometry->elementValue(QStringLiteral("rotate")), QStringLiteral("0"));
    // Not complete before its dialog is accepted.
    QCOMPARE(copy->itemNode, source->itemNode);
    QCOMPARE(copy->dmxStart, -1);
    QCOMPARE(copy->chnlCount, -1);
    QVERIFY(!copy->defined);
    QVERIFY(!copy->selected);
    QCOMPARE(copy->reloc, source->reloc);
    QCOMPARE(copy->parentWidget(), g->imageLabel);
    QVERIFY(copy->beam);
    QVERIFY(copy->cross);
    QVERIFY(rig->r.vp->modified);
    QCOMPARE(rig->r.w->fixtureCountLabel->text(), QStringLiteral("4"));
    QCOMPARE(deviceNumbers(rig->projectNode("devices")), QStringList({"1", "2", "4", "3"}));
    // The channel map, groups and selection learn of it only from its dialog.
    for (const chnlMapEntry& e : std::as_const(rig->r.vp->chnlMap))
        QVERIFY(e.fixture != copy);
    QVERIFY(!rig->r.vp->defaultGroup.members.contains(copy));

    // An empty clipboard pastes nothing.
    g->clipboardFixture = nullptr;
    g->pasteFixture();
    QCOMPARE(rig->r.vp->fixtures.size(), 4);
}

void tst_fixture_commands::pasteCopiesTheStateAtThePaste()
{
    rig = std::make_unique<fixtureRig>();
    kvVGraph_class* g = rig->g;
    lightEffect* source = rig->fixture(1);
    g->pointedFixture = source;
    g->copyFixture();
    source->deviceNode->setElement(QStringLiteral("label"), QStringLiteral("Changed"));
    source->deviceNode->findElement(QStringLiteral("dmx"))->value = QStringLiteral("9");

    QString shownLabel;
    int shownFirst = 0;
    rig->r.s.rec.answerExec([&](QDialog* d) {
        auto* dialog = qobject_cast<ModiFxt_class*>(d);
        shownLabel = dialog->leLabel->text();
        shownFirst = dialog->sbDmx->value();
        return int(QDialog::Rejected);
    });
    g->pasteFixture();
    QCOMPARE(shownLabel, QStringLiteral("Changed"));
    QCOMPARE(shownFirst, 9);
    QCOMPARE(*rig->fixture(3)->deviceNode->elementValue(QStringLiteral("label")), QStringLiteral("Changed"));
}

void tst_fixture_commands::pastedFixtureTakesItsLayoutOnOk()
{
    rig = std::make_unique<fixtureRig>();
    kvVGraph_class* g = rig->g;
    lightEffect* source = rig->fixture(4);
    rig->editFixture(source, [](ModiFxt_class& d) {
        d.sbDmx->setValue(20);
        d.reloc = {0, 4, 0};
        d.okButton->click();
    });
    g->pointedFixture = source;
    g->copyFixture();
    rig->r.s.rec.answerExec([](QDialog* d) {
        auto* dialog = qobject_cast<ModiFxt_class*>(d);
        dialog->okButton->click();
        return dialog->result();
    });
    g->pasteFixture();

    const lightEffect* copy = rig->fixture(3);
    QVERIFY(copy->defined);
    QCOMPARE(copy->chnlCount, 3);
    QCOMPARE(copy->reloc, QVector<int>({0, 4, 0}));
    QList<int> own;
    for (const chnlMapEntry& e : std::as_const(rig->r.vp->chnlMap))
        if (e.fixture == copy)
            own << e.channel;
    QCOMPARE(own, QList<int>({20, 22, 25}));
    QCOMPARE(copy->chnlCodes, source->chnlCodes);
}

void tst_fixture_commands::pasteMakesTheDevicesNode()
{
    rig = std::make_unique<fixtureRig>();
    kvVGraph_class* g = rig->g;
    // The fixtures' nodes stay where they are, under another name.
    rig->projectNode("devices")->name = QStringLiteral("earlier");
    g->clipboardFixture = rig->fixture(1);
    rig->r.s.rec.answerExec([](QDialog*) { return int(QDialog::Rejected); });
    g->pasteFixture();
    const xml_node* devices = rig->projectNode("devices");
    QVERIFY(devices);
    QCOMPARE(deviceNumbers(devices), QStringList({"3"}));
    QCOMPARE(rig->fixture(3)->deviceNode, &devices->nodes.at(0));
}

void tst_fixture_commands::removalDropsEveryReference()
{
    rig = std::make_unique<fixtureRig>();
    kvVGraph_class* g = rig->g;
    v_project* vp = rig->r.vp;
    lightEffect* f = rig->fixture(2);
    auto* front = new efGroup(QStringLiteral("front"));
    front->members = {rig->fixture(1), f, rig->fixture(4)};
    auto* pair = new efGroup(QStringLiteral("pair"));
    pair->members = {f, rig->fixture(4)};
    vp->groups << front << pair;
    vp->defaultGroup.members = {f, rig->fixture(1)};
    auto* entry = new ctrlMenuEntry;
    entry->members = {rig->fixture(4), f};
    entry->name = QStringLiteral("front");
    vp->ctrlMenuEntries << entry;
    // Light-control dialogs of the fixture alone and of it with another.
    QPointer<ctrlEffects> alone = new ctrlEffects(f, g);
    QPointer<ctrlEffects> both = new ctrlEffects({rig->fixture(4), f}, QStringLiteral("front:x"), g);
    alone->show();
    both->show();
    g->clipboardFixture = f;
    g->dragFixture = f;
    g->pointedFixture = f;
    QPointer<lightEffect> gone(f);
    QPointer<light_class> beam(f->beam);
    vp->modified = false;

    g->deleteFixture();

    QVERIFY(gone.isNull());
    QVERIFY(beam.isNull());
    QCOMPARE(numbers(vp->fixtures), QList<int>({1, 4}));
    QCOMPARE(numbers(front->members), QList<int>({1, 4}));
    QCOMPARE(numbers(pair->members), QList<int>({4}));
    QCOMPARE(numbers(vp->defaultGroup.members), QList<int>({1}));
    QCOMPARE(numbers(entry->members), QList<int>({4}));
    QVERIFY(alone.isNull() || !alone->isVisible());
    QVERIFY(both && both->isVisible());
    QCOMPARE(both->ctrlFixtures.size(), 1);
    QCOMPARE(both->ctrlFixtures.first().data(), rig->fixture(4));
    QVERIFY(both->controls({rig->fixture(4)}));
    QCOMPARE(vp->controlDialogs, QList<QDialog*>{both.data()});
    QVERIFY(!g->clipboardFixture);
    QVERIFY(!g->dragFixture);
    QVERIFY(!g->pointedFixture);
    QCOMPARE(vp->chnlMap.size(), 6);
    for (const chnlMapEntry& e : std::as_const(vp->chnlMap))
        QVERIFY(e.channel < 4 || e.channel > 6);
    QCOMPARE(deviceNumbers(rig->projectNode("devices")), QStringList({"1", "4"}));
    QCOMPARE(rig->r.w->fixtureCountLabel->text(), QStringLiteral("2"));
    QVERIFY(vp->modified);
    QVERIFY(!vp->writeGroups().contains(QStringLiteral("nr=\"2\"")));

    // Nothing pointed at: nothing happens.
    g->deleteFixture();
    QCOMPARE(vp->fixtures.size(), 2);
}

void tst_fixture_commands::quickAddressing_data()
{
    QTest::addColumn<QList<int>>("fixtures");
    QTest::addColumn<QList<int>>("items");  // per fixture; 0 none
    QTest::addColumn<QString>("first");
    QTest::addColumn<QStringList>("dmx");   // per fixture afterwards
    QTest::addColumn<QList<bool>>("captioned");
    QTest::addColumn<bool>("message");

    QTest::newRow("ranges 8, 3, 5 from 10")
        << QList<int>{1, 2, 4} << QList<int>{2, 1, 9} << "10" << QStringList{"10", "18", "21"}
        << QList<bool>{false, true, true} << false;
    QTest::newRow("the second without range")
        << QList<int>{1, 2, 4} << QList<int>{2, 4, 9} << "10" << QStringList{"10", "18", "7"}
        << QList<bool>{false, false, false} << true;
    QTest::newRow("the first without item") << QList<int>{1, 2, 4} << QList<int>{0, 1, 1} << "10"
                                            << QStringList{"10", "4", "7"} << QList<bool>{false, false, false}
                                            << true;
    QTest::newRow("past the universe") << QList<int>{1, 2, 4} << QList<int>{2, 1, 9} << "510"
                                       << QStringList{"510", "518", "521"} << QList<bool>{false, true, true}
                                       << false;
    QTest::newRow("a single fixture") << QList<int>{1} << QList<int>{1} << "10" << QStringList{"10"}
                                      << QList<bool>{false} << false;
    QTest::newRow("no fixtures") << QList<int>{} << QList<int>{} << "" << QStringList{} << QList<bool>{} << false;
}

void tst_fixture_commands::quickAddressing()
{
    QFETCH(QList<int>, fixtures);
    QFETCH(QList<int>, items);
    QFETCH(QString, first);
    QFETCH(QStringList, dmx);
    QFETCH(QList<bool>, captioned);
    rig = std::make_unique<fixtureRig>(fixtures);
    v_project* vp = rig->r.vp;
    QStringList captions;
    for (int i = 0; i < vp->fixtures.size(); ++i) {
        lightEffect* f = vp->fixtures.at(i);
        f->itemNode = items.at(i) ? libraryItem(rig->r, items.at(i)) : nullptr;
        if (i == 0)
            f->deviceNode->findElement(QStringLiteral("dmx"))->value = first;
        captions << f->caption;
    }
    const QList<QPair<int, int>> map = rig->map();
    vp->modified = false;

    rig->g->autoAddresses->trigger();

    for (int i = 0; i < vp->fixtures.size(); ++i) {
        const lightEffect* f = vp->fixtures.at(i);
        QCOMPARE(*f->deviceNode->elementValue(QStringLiteral("dmx")), dmx.at(i));
        if (i > 0)
            QCOMPARE(f->dmxStart, dmx.at(i).toInt() - 1);
        QCOMPARE(f->caption != captions.at(i), captioned.at(i));
        if (captioned.at(i))
            QVERIFY2(f->caption.contains(QStringLiteral("( %1 - ").arg(dmx.at(i))), qPrintable(f->caption));
    }
    QFETCH(bool, message);
    QCOMPARE(rig->r.s.rec.titles(), message ? QStringList{"Invalid project!"} : QStringList{});
    if (message)
        QCOMPARE(rig->r.s.rec.texts(), QStringList{"There are invalid fixture descriptions!"});
    // The channel map waits for the next read; the project is not marked.
    QCOMPARE(rig->map(), map);
    QVERIFY(!vp->modified);
}

void tst_fixture_commands::menuEntriesReachTheCommands()
{
    rig = std::make_unique<fixtureRig>();
    kvVGraph_class* g = rig->g;
    g->pointedFixture = rig->fixture(1);
    g->actCopyFixture->trigger();
    QCOMPARE(g->clipboardFixture, rig->fixture(1));
    g->actShowDetails->trigger();
    QCOMPARE(rig->r.s.rec.titles(), QStringList({"About this fixture..."}));
    rig->r.s.rec.answerExec([](QDialog* d) { return d->metaObject()->className() == QByteArray("ModiFxt_class") ? 0 : -1; });
    g->actEditFixture->trigger();
    QCOMPARE(rig->r.s.rec.entries.at(1).dialogClass, QStringLiteral("ModiFxt_class"));
    g->devList->trigger();
    QCOMPARE(rig->r.s.rec.titles().last(), QStringLiteral("I'm sorry..."));
    QCOMPARE(rig->r.s.rec.texts().last(), QStringLiteral("This feature will work in future :-("));
    g->pointedFixture = rig->fixture(4);
    g->actRemoveFixture->trigger();
    QCOMPARE(numbers(rig->r.vp->fixtures), QList<int>({1, 2}));
    g->pressX = 30;
    g->pressY = 30 + g->menubar->height();
    rig->r.s.rec.answerExec([](QDialog*) { return 0; });
    g->actPasteFixture->trigger();
    QCOMPARE(numbers(rig->r.vp->fixtures), QList<int>({1, 2, 3}));
    rig->r.s.rec.answerExec([](QDialog*) { return 0; });
    g->actAddFixture->trigger();
    QCOMPARE(numbers(rig->r.vp->fixtures), QList<int>({1, 2, 3, 4}));
    QVERIFY(!g->clipboardFixture);
}

QTEST_MAIN(tst_fixture_commands)
#include "tst_fixture_commands.moc"
