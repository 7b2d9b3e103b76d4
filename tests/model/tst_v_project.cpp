#include "support/fake_main_window.h"
#include "seams/gui_base.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "support/dialog_recorder.h"
#include "support/xml_text.h"
#include "fixtures/ctrl_menu_entry.h"
#include "fixtures/light_class.h"
#include "fixtures/light_effect.h"

#include <QDialog>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

// A fixture as the reader or the plan would make it, owned by the project.
lightEffect* addFixture(v_project& vp, int number, int dmxStart = 0, int chnlCount = 0, bool defined = true)
{
    auto* f = new lightEffect(number, 0, 0, nullptr);
    f->dmxStart = dmxStart;
    f->chnlCount = chnlCount;
    f->defined = defined;
    vp.fixtures.append(f);
    return f;
}

QList<int> numbersOf(const QList<lightEffect*>& list)
{
    QList<int> out;
    for (const lightEffect* f : list)
        out << f->number;
    return out;
}

// Replaces the project tree by the given text (children "library", "devices", ...).
void loadTree(v_project& vp, const QString& text)
{
    delete vp.projectTree;
    vp.projectTree = parseXmlText(text).release();
}

QString item(int nr, const QString& body)
{
    return QStringLiteral("<item nr=\"%1\">\n<provider>P</provider>\n<model>M%1</model>\n%2</item>\n").arg(nr).arg(body);
}

QString device(const QString& nr, const QString& body)
{
    return QStringLiteral("<device nr=\"%1\">\n%2</device>\n").arg(nr, body);
}

QString placed(int x = 100, int y = 200, int rotate = 0)
{
    return QStringLiteral("<geometry>\n<x>%1</x>\n<y>%2</y>\n<rotate>%3</rotate>\n</geometry>\n").arg(x).arg(y).arg(rotate);
}

QString channel(int nr, const QString& function, const QString& color = QString())
{
    QString body = QStringLiteral("<function>%1</function>\n").arg(function);
    if (!color.isEmpty())
        body += QStringLiteral("<color>%1</color>\n").arg(color);
    return QStringLiteral("<channel nr=\"%1\">\n%2</channel>\n").arg(nr).arg(body);
}

// Item 1: two channels, dimmer on 1 and red on 2, a 20 x 20 circle.
const QString dimmerRedItem = item(1, QStringLiteral("<geometry shape=\"circle\">\n<diameter>20</diameter>\n</geometry>\n"
                                                     "<dmx>\n<range>2</range>\n")
                                          + channel(1, QStringLiteral("dimmer"))
                                          + channel(2, QStringLiteral("brightness"), QStringLiteral("255,0,0"))
                                          + QStringLiteral("</dmx>\n"));

QString project(const QString& items, const QString& devices)
{
    return QStringLiteral("<library>\n%1</library>\n<devices>\n%2</devices>\n").arg(items, devices);
}

QList<QPair<int, int>> mapOf(const v_project& vp)
{
    QList<QPair<int, int>> out;
    for (const chnlMapEntry& e : vp.chnlMap)
        out << qMakePair(e.channel, e.fixture->number);
    return out;
}

using channelMap = QList<QPair<int, int>>;

}  // namespace

// The visual project: its helpers over fixtures and groups, the hierarchy of
// the library, the fixture-definition refresh, clearing, and the reader that
// builds the fixtures and the channel map from the project tree.
class tst_v_project : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void aNewProjectIsAnEmptyField();
    void checkFixtures_data();
    void checkFixtures();
    void firstFreeNumber_data();
    void firstFreeNumber();
    void groupFromRange_data();
    void groupFromRange();
    void groupFromRangeNamesTheFixtureNumber();
    void removeRangeGroups();
    void buildHierarchy();
    void buildHierarchyEmptyOrMissing();
    void buildHierarchyOfALargeLibrary();
    void enableDetails();
    void refreshFixtLib();
    void refreshFixtLibAbortedOrWithoutLibrary();
    void clearResetsTheProject();
    void clearKeepsTheExternalLibrary();

    void readDevicesChannelCodes_data();
    void readDevicesChannelCodes();
    void readDevicesDefinedAndDefaults_data();
    void readDevicesDefinedAndDefaults();
    void readDevicesBuildsTheItems();
    void readDevicesSortsFixturesAndMap();
    void readDevicesCaps_data();
    void readDevicesCaps();
    void readDevicesMapsAChannelOncePerFixture();
    void readDevicesManyDevicesOverALargeItem();
    void readDevicesWithoutDevices();
    void readDevicesDropsOldFixturesFromGroups();

private:
    fakeMainWindow* window = nullptr;
};

void tst_v_project::init()
{
    window = new fakeMainWindow;
    theMainWindow = window;
}

void tst_v_project::cleanup()
{
    theMainWindow = nullptr;
    delete window;
    window = nullptr;
}

void tst_v_project::aNewProjectIsAnEmptyField()
{
    dialogRecorder rec;
    v_project vp;
    QCOMPARE(vp.parent(), nullptr);

    // No fixture to show: it is not valid, says so without a warning, and
    // the first fixture placed gets number 1.
    QSignalSpy spy(&vp, &v_project::validated);
    QVERIFY(!vp.checkFixtures());
    QCOMPARE(spy.count(), 1);
    QVERIFY(rec.entries.isEmpty());
    QCOMPARE(vp.firstFreeNumber(), 1);
    vp.readDevices();
    QVERIFY(vp.fixtures.isEmpty());
    QVERIFY(vp.chnlMap.isEmpty());

    // Its description, without a main window to take the field from: a field
    // of 1000 x 1000, no library, no devices, only the empty default group.
    theMainWindow = nullptr;
    theVisualProject = &vp;
    kv310_controller_class controller;
    theController = &controller;
    QString written;
    controller.writeProjectXml(written);
    theController = nullptr;
    theVisualProject = nullptr;
    theMainWindow = window;
    QVERIFY2(written.contains(QLatin1String("<width>1000</width>\n<height>1000</height>\n</field>\n"
                                            "<library></library><devices></devices> <groups>\n"
                                            "  <group name=\"default\">\n  </group>\n </groups>\n")),
             qPrintable(written));

    // The page that loads the project tree finds the same field there.
    const xml_node* field = vp.projectTree->findNode(QStringLiteral("field"));
    QVERIFY(field);
    QCOMPARE(*field->elementValue(QStringLiteral("width")), QStringLiteral("1000"));
    QCOMPARE(*field->elementValue(QStringLiteral("height")), QStringLiteral("1000"));
}

void tst_v_project::checkFixtures_data()
{
    QTest::addColumn<QList<bool>>("defined");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("warnings");

    QTest::newRow("empty project") << QList<bool>{} << false << 0;
    QTest::newRow("all defined") << QList<bool>{true, true, true} << true << 0;
    QTest::newRow("one of ten undefined")
        << QList<bool>{true, true, true, true, true, false, true, true, true, true} << false << 1;
    QTest::newRow("several undefined: one warning") << QList<bool>{false, true, false} << false << 1;
}

void tst_v_project::checkFixtures()
{
    QFETCH(QList<bool>, defined);
    QFETCH(bool, result);
    QFETCH(int, warnings);

    dialogRecorder rec;
    v_project vp;
    for (int i = 0; i < defined.size(); ++i)
        addFixture(vp, i + 1, 0, 0, defined[i]);
    QSignalSpy spy(&vp, &v_project::validated);

    QCOMPARE(vp.checkFixtures(), result);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), result);
    QCOMPARE(rec.entries.size(), warnings);
    if (warnings) {
        QCOMPARE(rec.entries[0].icon, QMessageBox::Warning);
        QCOMPARE(rec.entries[0].parent, static_cast<QWidget*>(window));
        QCOMPARE(rec.entries[0].title, QStringLiteral("Incomplete fixture(s) found!"));
        QCOMPARE(rec.entries[0].text,
                 QStringLiteral("All fixtures should be completely defined\nbefore entering visualisaton mode!"));
    }
}

void tst_v_project::firstFreeNumber_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("expected");

    QTest::newRow("none") << QList<int>{} << 1;
    QTest::newRow("gap") << QList<int>{4, 1, 2} << 3;
    QTest::newRow("no gap") << QList<int>{3, 2, 1} << 4;
    QTest::newRow("first free") << QList<int>{5} << 1;
    QTest::newRow("duplicates") << QList<int>{2, 1, 2, 4} << 3;
}

void tst_v_project::firstFreeNumber()
{
    QFETCH(QList<int>, numbers);
    QFETCH(int, expected);

    v_project vp;
    for (int n : numbers)
        addFixture(vp, n);
    QCOMPARE(vp.firstFreeNumber(), expected);
    // The list stays sorted by number.
    QList<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(numbersOf(vp.fixtures), sorted);
}

void tst_v_project::groupFromRange_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QList<int>>("members");
    QTest::addColumn<QStringList>("reported");

    // Fixtures: 1 on 10..15, 2 on 20..23, 3 on 40..40, 4 without channels at 0.
    QTest::newRow("crosses the first bound") << 12 << 40 << QList<int>{2, 3}
                                             << QStringList{QStringLiteral("Fixture 1 violates range of group G!")};
    QTest::newRow("wholly inside") << 0 << 20 << QList<int>{1}
                                   << QStringList{QStringLiteral("Fixture 2 violates range of group G!")};
    QTest::newRow("exact bounds") << 10 << 23 << QList<int>{1, 2} << QStringList{};
    QTest::newRow("nothing caught") << 100 << 200 << QList<int>{} << QStringList{};
    QTest::newRow("only crossings") << 11 << 21 << QList<int>{}
                                    << QStringList{QStringLiteral("Fixture 1 violates range of group G!"),
                                                   QStringLiteral("Fixture 2 violates range of group G!")};
}

void tst_v_project::groupFromRange()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QList<int>, members);
    QFETCH(QStringList, reported);

    dialogRecorder rec;
    v_project vp;
    addFixture(vp, 1, 10, 6);
    addFixture(vp, 2, 20, 4);
    addFixture(vp, 3, 40, 1);
    addFixture(vp, 4, 0, 0);

    auto* group = new efGroup(QStringLiteral("G"));
    QCOMPARE(vp.groupFromRange(group, first, last), members.size());
    QCOMPARE(rec.texts(), reported);
    for (const auto& e : rec.entries) {
        QCOMPARE(e.icon, QMessageBox::Information);
        QCOMPARE(e.title, QStringLiteral("Range boundary violation!"));
        QCOMPARE(e.parent, static_cast<QWidget*>(window));
    }
    if (members.isEmpty()) {
        // Dropped: the project freed it and does not keep it.
        QVERIFY(vp.groups.isEmpty());
    } else {
        QCOMPARE(vp.groups.size(), 1);
        QCOMPARE(vp.groups[0], group);
        QCOMPARE(numbersOf(group->members), members);
    }
}

void tst_v_project::groupFromRangeNamesTheFixtureNumber()
{
    dialogRecorder rec;
    v_project vp;
    addFixture(vp, 7, 10, 6);  // list position 0
    QCOMPARE(vp.groupFromRange(new efGroup(QStringLiteral("Range_1")), 12, 40), 0);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Fixture 7 violates range of group Range_1!")});

    // A group the project already keeps is neither added twice nor freed.
    auto* kept = new efGroup(QStringLiteral("Range_2"));
    vp.groups.append(kept);
    QCOMPARE(vp.groupFromRange(kept, 100, 200), 0);
    QCOMPARE(vp.groups, QList<efGroup*>{kept});
    QCOMPARE(vp.groupFromRange(kept, 0, 20), 1);
    QCOMPARE(vp.groups, QList<efGroup*>{kept});
}

void tst_v_project::removeRangeGroups()
{
    dialogRecorder rec;
    v_project vp;
    for (const char* name : {"Range_1", "stage", "left Range_2 x", "range_3"})
        vp.groups.append(new efGroup(QString::fromLatin1(name)));

    vp.removeRangeGroups();
    QCOMPARE(vp.groups.size(), 2);
    QCOMPARE(vp.groups[0]->name, QStringLiteral("stage"));
    QCOMPARE(vp.groups[1]->name, QStringLiteral("range_3"));
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("Removing groups by ranges")});
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Removed 2 groups generated by active scenes!")});
    QCOMPARE(rec.entries[0].icon, QMessageBox::Information);

    rec.clear();
    vp.removeRangeGroups();
    QCOMPARE(vp.groups.size(), 2);
    QVERIFY(rec.entries.isEmpty());
}

void tst_v_project::buildHierarchy()
{
    dialogRecorder rec;
    v_project vp;
    auto lib = parseXmlText(QStringLiteral(
        "<contents>Fixtures library</contents>\n"
        "<item nr=\"1\">\n<provider>Acme</provider>\n<model>Par</model>\n</item>\n"
        "<item nr=\"2\">\n<provider>Acme</provider>\n<model>Par</model>\n<variant>RGB</variant>\n</item>\n"
        "<item nr=\"3\">\n<provider>Acme</provider>\n<model>Wash</model>\n<variant></variant>\n</item>\n"
        "<item nr=\"4\">\n<provider>Acme</provider>\n<variant>X</variant>\n</item>\n"
        "<item nr=\"5\">\n<PROVIDER>Beta</PROVIDER>\n<Model>Par</Model>\n</item>\n"
        "<item nr=\"6\">\n<provider>acme</provider>\n<model>Par</model>\n</item>\n"
        "<item nr=\"7\">\n<provider>Acme</provider>\n<model>Par</model>\n<variant>RGB</variant>\n</item>\n"
        "<item>\n<provider>Beta</provider>\n<model>Spot</model>\n</item>\n"));
    vp.library = lib.get();
    vp.buildHierarchy();

    // Without a model, or without the number a fixture would name it by, an
    // item is left out with a warning.
    QCOMPARE(rec.titles(), (QStringList{QStringLiteral("Incomplete data!"), QStringLiteral("Incomplete data!")}));
    QCOMPARE(rec.texts(), (QStringList{QStringLiteral("Check item \"4\"!"), QStringLiteral("Check item \"\"!")}));
    QCOMPARE(rec.entries[0].icon, QMessageBox::Warning);

    QVERIFY(vp.hierarchy);
    const xml_node& h = *vp.hierarchy;
    QCOMPARE(h.name, QStringLiteral("Hierarchy"));
    QCOMPARE(h.level, 0);
    QStringList providers;
    for (const xml_node& p : h.nodes)
        providers << p.name;
    QCOMPARE(providers, (QStringList{"Acme", "Beta", "acme"}));

    const xml_node& acme = h.nodes[0];
    QCOMPARE(acme.nodes.size(), 2);
    const xml_node& par = acme.nodes[0];
    QCOMPARE(par.name, QStringLiteral("Par"));
    QCOMPARE(par.elements.size(), 2);
    QCOMPARE(par.elements[0].name, QStringLiteral("_basic_"));
    QCOMPARE(par.elements[0].value, QStringLiteral("1"));
    QCOMPARE(par.elements[1].name, QStringLiteral("RGB"));
    QCOMPARE(par.elements[1].value, QStringLiteral("7"));  // a later item of the same variant overwrites
    QCOMPARE(acme.nodes[1].name, QStringLiteral("Wash"));
    QCOMPARE(*acme.nodes[1].elementValue(QStringLiteral("_basic_")), QStringLiteral("3"));

    const xml_node& beta = h.nodes[1];
    QCOMPARE(beta.nodes.size(), 1);
    QCOMPARE(*beta.nodes[0].elementValue(QStringLiteral("_basic_")), QStringLiteral("5"));

    // An explicit node wins over the active library.
    auto other = parseXmlText(QStringLiteral("<item nr=\"9\">\n<provider>Z</provider>\n<model>Q</model>\n</item>\n"));
    vp.buildHierarchy(other.get());
    QCOMPARE(vp.hierarchy->nodes.size(), 1);
    QCOMPARE(vp.hierarchy->nodes[0].name, QStringLiteral("Z"));
    vp.library = nullptr;
}

void tst_v_project::buildHierarchyEmptyOrMissing()
{
    dialogRecorder rec;
    v_project vp;
    auto lib = parseXmlText(QStringLiteral("<item nr=\"1\">\n<provider>P</provider>\n<model>M</model>\n</item>\n"));
    vp.library = lib.get();
    vp.buildHierarchy();
    QVERIFY(vp.hierarchy);

    // Nothing usable: no hierarchy at all.
    auto incomplete = parseXmlText(QStringLiteral("<contents>x</contents>\n<item nr=\"2\">\n<model>M</model>\n</item>\n"));
    vp.library = incomplete.get();
    vp.buildHierarchy();
    QCOMPARE(vp.hierarchy, nullptr);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Check item \"2\"!")});

    vp.library = lib.get();
    vp.buildHierarchy();
    vp.library = nullptr;
    vp.buildHierarchy();
    QCOMPARE(vp.hierarchy, nullptr);
}

// Many providers, many models of one provider and many variants of one
// model: each level is found by name in a hash, not by a walk along the
// names already there (which made a large library take minutes).
void tst_v_project::buildHierarchyOfALargeLibrary()
{
    constexpr int N = 20000;
    QString text;
    text.reserve(N * 3 * 90);
    const auto item = [&text](int nr, const QString& provider, const QString& model, const QString& variant) {
        text += QStringLiteral("<item nr=\"%1\">\n<provider>%2</provider>\n<model>%3</model>\n<variant>%4</variant>\n</item>\n")
                    .arg(QString::number(nr), provider, model, variant);
    };
    for (int i = 0; i < N; ++i)
        item(i, QStringLiteral("P%1").arg(i), QStringLiteral("M"), QStringLiteral("V"));
    for (int i = 0; i < N; ++i)
        item(N + i, QStringLiteral("Big"), QStringLiteral("M%1").arg(i), QStringLiteral("V"));
    for (int i = 0; i < N; ++i)
        item(2 * N + i, QStringLiteral("Big"), QStringLiteral("M0"), QStringLiteral("V%1").arg(i));
    item(3 * N, QStringLiteral("P7"), QStringLiteral("M"), QStringLiteral("V"));
    v_project vp;
    auto lib = parseXmlText(text);
    vp.library = lib.get();
    vp.buildHierarchy();
    vp.library = nullptr;

    QVERIFY(vp.hierarchy);
    const xml_node& h = *vp.hierarchy;
    QCOMPARE(h.nodes.size(), N + 1);
    QCOMPARE(h.nodes[7].name, QStringLiteral("P7"));
    QCOMPARE(h.nodes[7].nodes.size(), 1);
    QCOMPARE(h.nodes[7].nodes[0].elements.size(), 1);
    QCOMPARE(h.nodes[7].nodes[0].elements[0].value, QString::number(3 * N));  // the later item wins
    const xml_node& big = h.nodes[N];
    QCOMPARE(big.name, QStringLiteral("Big"));
    QCOMPARE(big.nodes.size(), N);
    QCOMPARE(big.nodes[N - 1].name, QStringLiteral("M%1").arg(N - 1));
    const xml_node& m0 = big.nodes[0];
    QCOMPARE(m0.elements.size(), N + 1);
    QCOMPARE(m0.elements[0].name, QStringLiteral("V"));
    QCOMPARE(m0.elements[0].value, QString::number(N));
    QCOMPARE(m0.elements[N].name, QStringLiteral("V%1").arg(N - 1));
    QCOMPARE(m0.elements[N].value, QString::number(3 * N - 1));
}

void tst_v_project::enableDetails()
{
    v_project vp;
    QSignalSpy spy(&vp, &v_project::detailsState);

    vp.enableDetails(nullptr);  // no window registered
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);

    QWidget registered;
    QWidget other;
    vp.graphWindow = &registered;
    vp.enableDetails(&other);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(vp.graphWindow, &registered);

    vp.enableDetails(&registered);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toBool(), true);
    QCOMPARE(vp.graphWindow, nullptr);

    // Connected to a window's destruction, the window is forgotten with it;
    // the project's destructor deletes a window that is still open.
    auto* window = new QWidget;
    vp.graphWindow = window;
    connect(window, &QObject::destroyed, &vp, &v_project::enableDetails);
    delete window;
    QCOMPARE(vp.graphWindow, nullptr);
    QCOMPARE(spy.count(), 3);

    QPointer<QWidget> open = new QWidget;
    {
        v_project owner;
        owner.graphWindow = open;
    }
    QVERIFY(open.isNull());
}

void tst_v_project::refreshFixtLib()
{
    dialogRecorder rec;
    v_project vp;
    const QString items = dimmerRedItem + item(2, QStringLiteral("<geometry>\n<width>3</width>\n</geometry>\n"));
    loadTree(vp, project(items, device(QStringLiteral("1"), QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed())
                                    + device(QStringLiteral("2"), QStringLiteral("<dmx>3</dmx>\n<library>1</library>\n") + placed())
                                    + device(QStringLiteral("3"), QStringLiteral("<dmx>5</dmx>\n<library>2</library>\n") + placed())));
    vp.readDevices();
    QCOMPARE(vp.fixtures.size(), 3);

    vp.libraryTree = parseXmlText(QStringLiteral("<contents>Fixtures library</contents>\n")
                                  + item(1, QStringLiteral("<variant>new</variant>\n"))
                                  + item(2, QStringLiteral("<variant>two</variant>\n")))
                         .release();
    vp.library = vp.libraryTree;
    rec.answer(1);
    vp.refreshFixtLib();

    QCOMPARE(rec.entries.size(), 2);
    QCOMPARE(rec.entries[0].icon, QMessageBox::Question);
    QCOMPARE(rec.entries[0].title, QStringLiteral("New fixture definitiions"));
    QCOMPARE(rec.entries[0].text, QStringLiteral("All definition of fixtures in project\nwill be replaced from external library!"));
    QCOMPARE(rec.entries[0].buttons, (QStringList{"Abort", "Apply"}));
    QCOMPARE(rec.entries[1].icon, QMessageBox::Information);
    QCOMPARE(rec.entries[1].title, QStringLiteral("New fixture definitions"));
    QCOMPARE(rec.entries[1].text, QStringLiteral("All definition succesfully replaced!"));

    // Two fixtures of item 1 share one copy; the project's library holds
    // exactly the items in use, copied from the external library.
    const xml_node* lib = vp.projectTree->findNode(QStringLiteral("library"));
    QCOMPARE(lib->nodes.size(), 2);
    QCOMPARE(vp.fixtures[0]->itemNode, &lib->nodes[0]);
    QCOMPARE(vp.fixtures[1]->itemNode, &lib->nodes[0]);
    QCOMPARE(vp.fixtures[2]->itemNode, &lib->nodes[1]);
    QCOMPARE(*lib->nodes[0].elementValue(QStringLiteral("variant")), QStringLiteral("new"));
    QCOMPARE(lib->nodes[0].level, lib->level + 1);

    // A fixture whose item the library lacks becomes undefined and is reported.
    rec.clear();
    *vp.fixtures[2]->deviceNode->elementValue(QStringLiteral("library")) = QStringLiteral("9");
    QSignalSpy spy(&vp, &v_project::validated);
    rec.answer(1);
    vp.refreshFixtLib();
    QCOMPARE(rec.titles(), (QStringList{"New fixture definitiions", "Undefined fixture model", "Incomplete fixture(s) found!"}));
    QCOMPARE(rec.texts()[1], QStringLiteral("This library does not contain definition\nfor fixture 3!"));
    QCOMPARE(vp.fixtures[2]->itemNode, nullptr);
    QVERIFY(!vp.fixtures[2]->defined);
    QCOMPARE(lib->nodes.size(), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), false);
}

void tst_v_project::refreshFixtLibAbortedOrWithoutLibrary()
{
    dialogRecorder rec;
    v_project vp;
    loadTree(vp, project(dimmerRedItem, device(QStringLiteral("1"), QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed())));
    vp.readDevices();
    xml_node* before = vp.fixtures[0]->itemNode;

    vp.refreshFixtLib();  // no external library: nothing, not even the question
    QVERIFY(rec.entries.isEmpty());

    vp.libraryTree = parseXmlText(item(1, QStringLiteral("<variant>new</variant>\n"))).release();
    rec.answer(0);
    vp.refreshFixtLib();
    QCOMPARE(rec.entries.size(), 1);
    QCOMPARE(vp.fixtures[0]->itemNode, before);
    QVERIFY(!before->elementValue(QStringLiteral("variant")));
}

void tst_v_project::clearResetsTheProject()
{
    dialogRecorder rec;
    v_project vp;
    loadTree(vp, project(dimmerRedItem, device(QStringLiteral("1"), QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed())
                                            + device(QStringLiteral("2"), QStringLiteral("<dmx>3</dmx>\n<library>1</library>\n") + placed())));
    vp.projectTree->addNode(QStringLiteral("groups"));
    vp.library = vp.projectTree->findNode(QStringLiteral("library"));
    vp.buildHierarchy();
    vp.readDevices();
    QVERIFY(vp.hierarchy);
    vp.fieldWidth = 3000;
    vp.defaultGroup.members << vp.fixtures[0];
    auto* g = new efGroup(QStringLiteral("g"));
    g->members << vp.fixtures[1];
    vp.groups << g;
    auto* entry = new ctrlMenuEntry;
    entry->members = vp.fixtures;
    vp.ctrlMenuEntries << entry;
    auto* dialog = new QDialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    QPointer<QDialog> openDialog = dialog;
    vp.controlDialogs << dialog;
    // A plan gave the fixture its beam; the fixture takes it along.
    vp.fixtures[0]->beam = new light_class(vp.fixtures[0], nullptr);
    QPointer<light_class> beam = vp.fixtures[0]->beam;

    vp.clear();
    QVERIFY(vp.fixtures.isEmpty());
    QVERIFY(beam.isNull());
    QVERIFY(vp.groups.isEmpty());
    QVERIFY(vp.chnlMap.isEmpty());
    QVERIFY(vp.defaultGroup.members.isEmpty());
    QCOMPARE(vp.defaultGroup.name, QStringLiteral("default"));
    QVERIFY(vp.ctrlMenuEntries.isEmpty());
    QVERIFY(vp.controlDialogs.isEmpty());
    QVERIFY(!openDialog.isNull() && !openDialog->isVisible());
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(openDialog.isNull());

    // Back to the constructed tree: nothing of the cleared project is saved again.
    QCOMPARE(vp.projectTree->nodes.size(), 1);
    QCOMPARE(vp.projectTree->nodes[0].name, QStringLiteral("field"));
    QCOMPARE(*vp.projectTree->nodes[0].elementValue(QStringLiteral("width")), QStringLiteral("1000"));
    QCOMPARE(vp.fieldWidth, 1000);
    QCOMPARE(vp.library, nullptr);
    QCOMPARE(vp.hierarchy, nullptr);

    QSignalSpy spy(&vp, &v_project::validated);
    QVERIFY(!vp.checkFixtures());
    QCOMPARE(spy.count(), 1);
    QVERIFY(rec.entries.isEmpty());
    vp.clear();  // twice in a row is harmless
    QCOMPARE(vp.projectTree->nodes.size(), 1);
}

void tst_v_project::clearKeepsTheExternalLibrary()
{
    dialogRecorder rec;
    v_project vp;
    vp.libraryTree = parseXmlText(item(1, QString())).release();
    vp.library = vp.libraryTree;
    vp.libraryFile = QStringLiteral("lib.fxl");
    vp.buildHierarchy();
    xml_node* hierarchy = vp.hierarchy;
    QVERIFY(hierarchy);

    vp.clear();
    QCOMPARE(vp.library, vp.libraryTree);
    QVERIFY(vp.libraryTree);
    QCOMPARE(vp.hierarchy, hierarchy);
    QCOMPARE(vp.libraryFile, QStringLiteral("lib.fxl"));
    QVERIFY(rec.entries.isEmpty());
}

void tst_v_project::readDevicesChannelCodes_data()
{
    QTest::addColumn<QString>("reloc");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<int>("dimmer");
    QTest::addColumn<int>("red");
    QTest::addColumn<channelMap>("map");
    QTest::addColumn<QList<int>>("offsets");

    QTest::newRow("no relocation") << QString() << QStringLiteral("R---D-------") << 1 << 2
                                   << channelMap{{1, 1}, {2, 1}} << QList<int>{0, 0};
    QTest::newRow("channel 2 moved by 10")
        << QStringLiteral("<reloc>\n<channel nr=\"2\">10</channel>\n</reloc>\n") << QStringLiteral("R---D-------") << 1
        << 12 << channelMap{{1, 1}, {12, 1}} << QList<int>{0, 10};
    QTest::newRow("unusable relocations ignored")
        << QStringLiteral("<reloc>\n<channel nr=\"3\">5</channel>\n<channel nr=\"0\">5</channel>\n"
                          "<channel nr=\"x\">5</channel>\n<channel nr=\"2\">far</channel>\n<channel>4</channel>\n"
                          "<channel nr=\"-2147483648\">5</channel>\n</reloc>\n")
        << QStringLiteral("R---D-------") << 1 << 2 << channelMap{{1, 1}, {2, 1}} << QList<int>{0, 0};
}

void tst_v_project::readDevicesChannelCodes()
{
    QFETCH(QString, reloc);
    QFETCH(QString, codes);
    QFETCH(int, dimmer);
    QFETCH(int, red);
    QFETCH(channelMap, map);
    QFETCH(QList<int>, offsets);

    v_project vp;
    loadTree(vp, project(dimmerRedItem,
                         device(QStringLiteral("1"), QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed() + reloc)));
    vp.readDevices();
    QCOMPARE(vp.fixtures.size(), 1);
    const lightEffect* f = vp.fixtures[0];
    QCOMPARE(f->chnlCodes, codes);
    QCOMPARE(f->chnlCodes.size(), 12);
    QCOMPARE(f->funcChannel[FUNC_DIMMER], dimmer);
    QCOMPARE(f->funcChannel[FUNC_RED], red);
    for (int code = 0; code < FUNC_CODES; ++code)
        if (code != FUNC_DIMMER && code != FUNC_RED)
            QCOMPARE(f->funcChannel[code], -1);
    QCOMPARE(mapOf(vp), map);
    QCOMPARE(f->chnlCount, 2);
    QCOMPARE(QList<int>(f->reloc.begin(), f->reloc.end()), offsets);
    QCOMPARE(f->dmxStart, 0);
    QVERIFY(f->defined);
}

void tst_v_project::readDevicesDefinedAndDefaults_data()
{
    QTest::addColumn<QString>("deviceBody");
    QTest::addColumn<bool>("defined");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("dmxStart");
    QTest::addColumn<bool>("hasItem");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("shape");

    const QString lib1 = QStringLiteral("<library>1</library>\n");
    QTest::newRow("complete") << QStringLiteral("<dmx>10</dmx>\n") + lib1 + placed(5, 6, 90) << true << QPoint(5, 6)
                              << 90 << 9 << true << QSize(20, 20) << 1;
    QTest::newRow("at the origin") << QStringLiteral("<dmx>1</dmx>\n") + lib1 + placed(0, 0) << true << QPoint(0, 0)
                                   << 0 << 0 << true << QSize(20, 20) << 1;
    QTest::newRow("no geometry") << QStringLiteral("<dmx>1</dmx>\n") + lib1 << false << QPoint(-1, -1) << 0 << 0
                                 << true << QSize(20, 20) << 1;
    QTest::newRow("partial geometry") << QStringLiteral("<dmx>1</dmx>\n") + lib1
                                             + QStringLiteral("<geometry>\n<x>7</x>\n</geometry>\n")
                                      << false << QPoint(7, -1) << 0 << 0 << true << QSize(20, 20) << 1;
    QTest::newRow("no first channel") << lib1 + placed() << false << QPoint(100, 200) << 0 << 0 << true
                                      << QSize(20, 20) << 1;
    QTest::newRow("item only in the external library")
        << QStringLiteral("<dmx>1</dmx>\n<library>5</library>\n") + placed() << false << QPoint(100, 200) << 0 << 0
        << false << QSize(10, 10) << 0;
    QTest::newRow("no library reference") << QStringLiteral("<dmx>1</dmx>\n") + placed() << false << QPoint(100, 200)
                                          << 0 << 0 << false << QSize(10, 10) << 0;
    QTest::newRow("item without geometry") << QStringLiteral("<dmx>1</dmx>\n<library>3</library>\n") + placed()
                                           << false << QPoint(100, 200) << 0 << 0 << true << QSize(10, 10) << 0;
    QTest::newRow("item with empty-size geometry") << QStringLiteral("<dmx>1</dmx>\n<library>4</library>\n") + placed()
                                                   << true << QPoint(100, 200) << 0 << 0 << true << QSize(10, 10)
                                                   << 2;
}

void tst_v_project::readDevicesDefinedAndDefaults()
{
    QFETCH(QString, deviceBody);
    QFETCH(bool, defined);
    QFETCH(QPoint, position);
    QFETCH(int, rotation);
    QFETCH(int, dmxStart);
    QFETCH(bool, hasItem);
    QFETCH(QSize, size);
    QFETCH(int, shape);

    v_project vp;
    const QString items = dimmerRedItem + item(3, QStringLiteral("<dmx>\n<range>1</range>\n</dmx>\n"))
                          + item(4, QStringLiteral("<geometry shape=\"fountain\">\n<anchor>none</anchor>\n</geometry>\n"));
    loadTree(vp, project(items, device(QStringLiteral("4"), deviceBody)));
    vp.libraryTree = parseXmlText(item(5, QStringLiteral("<geometry>\n<width>1</width>\n</geometry>\n"))).release();
    vp.library = vp.libraryTree;
    vp.readDevices();

    QCOMPARE(vp.fixtures.size(), 1);
    const lightEffect* f = vp.fixtures[0];
    QCOMPARE(f->number, 4);
    QCOMPARE(f->defined, defined);
    QCOMPARE(QPoint(f->posX, f->posY), position);
    QCOMPARE(f->rotation, rotation);
    QCOMPARE(f->dmxStart, dmxStart);
    QCOMPARE(f->itemNode != nullptr, hasItem);
    QCOMPARE(QSize(f->width, f->height), size);
    QCOMPARE(f->shape, shape);
    QCOMPARE(f->anchor, 0);
    if (hasItem)
        QCOMPARE(f->itemNode, vp.projectTree->findNode(QStringLiteral("library"))
                                  ->findNodeByAttr(QStringLiteral("item"), QStringLiteral("nr"),
                                                   *f->deviceNode->elementValue(QStringLiteral("library"))));
    else
        QCOMPARE(f->chnlCodes, QStringLiteral("-----------"));
}

void tst_v_project::readDevicesBuildsTheItems()
{
    v_project vp;
    loadTree(vp, project(dimmerRedItem, device(QStringLiteral("3"), QStringLiteral("<dmx>10</dmx>\n<library>1</library>\n") + placed())
                                            + device(QStringLiteral("x"), QStringLiteral("<label>l</label>\n"))
                                            + QStringLiteral("<device>\n<dmx>1</dmx>\n</device>\n<other nr=\"8\">\n<dmx>1</dmx>\n</other>\n")));
    vp.readDevices();

    // A device without "nr" and nodes of another name make no fixture; a
    // number that is not numeric counts as 0.
    QCOMPARE(numbersOf(vp.fixtures), (QList<int>{0, 3}));
    const lightEffect* f = vp.fixtures[1];
    QCOMPARE(f->deviceNode, &vp.projectTree->findNode(QStringLiteral("devices"))->nodes[0]);
    QCOMPARE(f->parentWidget(), nullptr);
    // No plan shows them yet: the beam and the cross come with one.
    QVERIFY(!f->beam);
    QVERIFY(!f->cross);
    QVERIFY(f->hasMouseTracking());
    QCOMPARE(f->caption, QStringLiteral("Fixture No. 3 : M1: P ( 10 - 11 )"));
    QCOMPARE(f->pixmap().toImage(), QPixmap(QStringLiteral(":/LE-zs.png")).toImage());
    QCOMPARE(vp.fixtures[0]->caption, QStringLiteral("Fixture No. 0 : undefined!"));
    QCOMPARE(f->springOn, 1);
}

void tst_v_project::readDevicesSortsFixturesAndMap()
{
    v_project vp;
    const QString body = QStringLiteral("<dmx>5</dmx>\n<library>1</library>\n") + placed();
    loadTree(vp, project(dimmerRedItem, device(QStringLiteral("7"), body) + device(QStringLiteral("2"), body)
                                            + device(QStringLiteral("5"), QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed())));
    vp.readDevices();
    QCOMPARE(numbersOf(vp.fixtures), (QList<int>{2, 5, 7}));
    QCOMPARE(mapOf(vp), (channelMap{{1, 5}, {2, 5}, {5, 2}, {5, 7}, {6, 2}, {6, 7}}));
}

void tst_v_project::readDevicesCaps_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("reloc");
    QTest::addColumn<int>("chnlCount");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<channelMap>("map");

    // Channels: 1 dimmer, 2 red, 3 green, 4 blue.
    QTest::newRow("inside") << QStringLiteral("4") << QStringLiteral("509") << QString() << 4
                            << QStringLiteral("RGB-D-------") << channelMap{{509, 1}, {510, 1}, {511, 1}, {512, 1}};
    QTest::newRow("last channel beyond 512")
        << QStringLiteral("4") << QStringLiteral("510") << QString() << 4 << QStringLiteral("RG--D-------")
        << channelMap{{510, 1}, {511, 1}, {512, 1}};
    QTest::newRow("range capped at 512") << QStringLiteral("600") << QStringLiteral("1") << QString() << 512
                                         << QStringLiteral("RGB-D-------")
                                         << channelMap{{1, 1}, {2, 1}, {3, 1}, {4, 1}};
    QTest::newRow("negative range") << QStringLiteral("-5") << QStringLiteral("1") << QString() << 0
                                    << QStringLiteral("RGB-D-------") << channelMap{{1, 1}, {2, 1}, {3, 1}, {4, 1}};
    QTest::newRow("relocated below channel 1")
        << QStringLiteral("4") << QStringLiteral("1") << QStringLiteral("<reloc>\n<channel nr=\"2\">-5</channel>\n</reloc>\n")
        << 4 << QStringLiteral("-GB-D-------") << channelMap{{1, 1}, {3, 1}, {4, 1}};
    QTest::newRow("relocated far beyond the universe")
        << QStringLiteral("4") << QStringLiteral("1")
        << QStringLiteral("<reloc>\n<channel nr=\"3\">2147483647</channel>\n<channel nr=\"4\">-2147483648</channel>\n</reloc>\n")
        << 4 << QStringLiteral("R---D-------") << channelMap{{1, 1}, {2, 1}};
    // Channel 2 would reach channel 1 only by wrapping around the ints.
    QTest::newRow("relocated from the bottom to the top of the ints")
        << QStringLiteral("4") << QStringLiteral("-2147483647")
        << QStringLiteral("<reloc>\n<channel nr=\"2\">2147483647</channel>\n</reloc>\n") << 4
        << QStringLiteral("------------") << channelMap{};
    QTest::newRow("first channel 0") << QStringLiteral("4") << QStringLiteral("0") << QString() << 4
                                     << QStringLiteral("RGB---------") << channelMap{{1, 1}, {2, 1}, {3, 1}};
    QTest::newRow("first channel far out") << QStringLiteral("4") << QStringLiteral("-2147483648") << QString() << 4
                                           << QStringLiteral("------------") << channelMap{};
}

void tst_v_project::readDevicesCaps()
{
    QFETCH(QString, range);
    QFETCH(QString, first);
    QFETCH(QString, reloc);
    QFETCH(int, chnlCount);
    QFETCH(QString, codes);
    QFETCH(channelMap, map);

    v_project vp;
    const QString rgb = item(1, QStringLiteral("<geometry>\n<width>4</width>\n</geometry>\n<dmx>\n<range>%1</range>\n")
                                        .arg(range)
                                    + channel(1, QStringLiteral("dimmer"))
                                    + channel(2, QStringLiteral("brightness"), QStringLiteral("255,0,0"))
                                    + channel(3, QStringLiteral("brightness"), QStringLiteral("0,255,0"))
                                    + channel(4, QStringLiteral("brightness"), QStringLiteral("0,0,255"))
                                    + QStringLiteral("</dmx>\n"));
    loadTree(vp, project(rgb, device(QStringLiteral("1"),
                                     QStringLiteral("<dmx>%1</dmx>\n<library>1</library>\n").arg(first) + placed() + reloc)));
    vp.readDevices();

    QCOMPARE(vp.fixtures.size(), 1);
    const lightEffect* f = vp.fixtures[0];
    QCOMPARE(f->chnlCount, chnlCount);
    QCOMPARE(f->reloc.size(), chnlCount);
    QCOMPARE(f->chnlCodes, codes);
    QCOMPARE(mapOf(vp), map);
    // Every function channel that is kept addresses a value of the universe.
    for (int code = 0; code < FUNC_CODES; ++code) {
        QCOMPARE(f->funcChannel[code] >= 0, codes[code] != QLatin1Char('-'));
        if (f->funcChannel[code] >= 0) {
            const int index = f->dmxStart + f->funcChannel[code] - 1;
            QVERIFY(index >= 0 && index < 512);
        }
    }
}

// Channels repeated in an item, or relocated onto each other, map the
// fixture on a channel once: a map entry per channel node would let a
// project of many devices over an item of many repeated channels grow
// without bound. Per code the channel that comes last in the item wins.
void tst_v_project::readDevicesMapsAChannelOncePerFixture()
{
    v_project vp;
    const QString repeated = item(1, QStringLiteral("<geometry>\n<width>4</width>\n</geometry>\n<dmx>\n<range>3</range>\n")
                                         + channel(1, QStringLiteral("dimmer")) + channel(1, QStringLiteral("dimmer"))
                                         + channel(2, QStringLiteral("brightness"), QStringLiteral("255,0,0"))
                                         + channel(3, QStringLiteral("dimmer")) + QStringLiteral("</dmx>\n"));
    const QString body = QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed();
    loadTree(vp, project(repeated, device(QStringLiteral("1"), body)
                                       + device(QStringLiteral("2"), body + QStringLiteral("<reloc>\n<channel nr=\"3\">-1</channel>\n</reloc>\n"))));
    vp.readDevices();

    QCOMPARE(mapOf(vp), (channelMap{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}}));
    QCOMPARE(vp.fixtures[0]->funcChannel[FUNC_DIMMER], 3);
    QCOMPARE(vp.fixtures[0]->funcChannel[FUNC_RED], 2);
    QCOMPARE(vp.fixtures[1]->funcChannel[FUNC_DIMMER], 2);
    QCOMPARE(vp.fixtures[1]->chnlCodes, QStringLiteral("R---D-------"));
}

// Each device looks only at the channels of its item that its first channel
// brings into the universe, so that many devices over an item of many
// channels are read in linear time (before, every device walked every
// channel node: minutes for this project).
void tst_v_project::readDevicesManyDevicesOverALargeItem()
{
    constexpr int CHANNELS = 20000;
    constexpr int DEVICES = 20000;
    QString dmx = QStringLiteral("<geometry>\n<width>4</width>\n</geometry>\n<dmx>\n<range>512</range>\n");
    for (int v = 1; v <= CHANNELS; ++v)
        dmx += QStringLiteral("<channel nr=\"%1\">\n<function>dimmer</function>\n</channel>\n").arg(v);
    dmx += QStringLiteral("</dmx>\n");
    QString devices;
    devices.reserve(DEVICES * 64);
    // All devices but the last start far beyond the item's channels.
    for (int i = 1; i < DEVICES; ++i)
        devices += QStringLiteral("<device nr=\"%1\">\n<dmx>-1000000</dmx>\n<library>1</library>\n</device>\n").arg(i);
    devices += device(QString::number(DEVICES), QStringLiteral("<dmx>-%1</dmx>\n<library>1</library>\n").arg(CHANNELS - 513)
                                                    + placed());
    v_project vp;
    loadTree(vp, project(item(1, dmx), devices));
    vp.readDevices();

    QCOMPARE(vp.fixtures.size(), DEVICES);
    QCOMPARE(vp.chnlMap.size(), 512);
    QCOMPARE(vp.chnlMap.first().channel, 1);
    QCOMPARE(vp.chnlMap.last().channel, 512);
    QCOMPARE(vp.chnlMap.last().fixture->number, DEVICES);
    // The last channel of the item is the dimmer: it lands on channel 512.
    const lightEffect* last = vp.fixtures.last();
    QCOMPARE(last->funcChannel[FUNC_DIMMER], CHANNELS);
    QCOMPARE(last->dmxStart + last->funcChannel[FUNC_DIMMER], 512);
    QCOMPARE(vp.fixtures.first()->chnlCodes, QStringLiteral("------------"));
    // What the event loop delivers before the program deletes fixtures; a
    // fixture deleted with events pending searches all of them.
    QCoreApplication::sendPostedEvents();
}

void tst_v_project::readDevicesWithoutDevices()
{
    v_project vp;
    loadTree(vp, project(dimmerRedItem, device(QStringLiteral("1"), QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed())));
    vp.readDevices();
    QCOMPARE(vp.fixtures.size(), 1);

    // A "devices" node without "device" nodes, then no "devices" node at all.
    loadTree(vp, QStringLiteral("<library>\n%1</library>\n<devices>\n<note>x</note>\n</devices>\n").arg(dimmerRedItem));
    vp.readDevices();
    QVERIFY(vp.fixtures.isEmpty());
    QVERIFY(vp.chnlMap.isEmpty());

    loadTree(vp, project(dimmerRedItem, device(QStringLiteral("1"), QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed())));
    vp.readDevices();
    loadTree(vp, QStringLiteral("<library>\n%1</library>\n").arg(dimmerRedItem));
    vp.readDevices();
    QVERIFY(vp.fixtures.isEmpty());
    QVERIFY(vp.chnlMap.isEmpty());
}

void tst_v_project::readDevicesDropsOldFixturesFromGroups()
{
    v_project vp;
    const QString tree = project(dimmerRedItem, device(QStringLiteral("1"), QStringLiteral("<dmx>1</dmx>\n<library>1</library>\n") + placed())
                                                    + device(QStringLiteral("2"), QStringLiteral("<dmx>3</dmx>\n<library>1</library>\n") + placed()));
    loadTree(vp, tree);
    vp.readDevices();
    vp.defaultGroup.members << vp.fixtures[0];
    auto* g = new efGroup(QStringLiteral("g"));
    g->members << vp.fixtures[0] << vp.fixtures[1];
    vp.groups << g;
    auto* entry = new ctrlMenuEntry;
    entry->members = vp.fixtures;
    vp.ctrlMenuEntries << entry;

    loadTree(vp, tree);
    vp.readDevices();
    // The groups stay, but none of them points at a deleted fixture.
    QCOMPARE(vp.fixtures.size(), 2);
    QCOMPARE(vp.groups, QList<efGroup*>{g});
    QVERIFY(g->members.isEmpty());
    QVERIFY(vp.defaultGroup.members.isEmpty());
    QVERIFY(vp.ctrlMenuEntries.isEmpty());
    QCOMPARE(vp.chnlMap.size(), 4);
}

QTEST_MAIN(tst_v_project)
#include "tst_v_project.moc"
