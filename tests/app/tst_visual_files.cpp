// The visual-project page's files: a fixture library and a visual project
// read into the running program, the fixtures and groups made from them,
// and the page's status and counts.

#include "app/gui_class.h"
#include "fixtures/light_effect.h"
#include "model/v_project.h"
#include "program_rig.h"
#include "support/project_fixture.h"
#include "xml/xml_node.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <memory>

namespace {

const QByteArray libraryText =
    "<contents>Fixtures library</contents>\n"
    "<item nr=\"7\">\n<provider>Maker</provider>\n<model>Spot</model>\n"
    "<geometry shape=\"circle\">\n<diameter>20</diameter>\n</geometry>\n"
    "<dmx>\n<range>2</range>\n<channel nr=\"1\">\n<function>dimmer</function>\n</channel>\n"
    "<channel nr=\"2\">\n<function>brightness</function>\n<color>255,0,0</color>\n</channel>\n</dmx>\n</item>\n"
    "<item nr=\"8\">\n<provider>Maker</provider>\n<model>Wash</model>\n"
    "<geometry>\n<width>40</width>\n</geometry>\n<dmx>\n<range>1</range>\n</dmx>\n</item>\n";

QByteArray device(int nr, int item, int dmx, int x)
{
    return "<device nr=\"" + QByteArray::number(nr) + "\">\n<library>" + QByteArray::number(item)
           + "</library>\n<dmx>" + QByteArray::number(dmx) + "</dmx>\n<geometry>\n<x>" + QByteArray::number(x)
           + "</x>\n<y>10</y>\n</geometry>\n</device>\n";
}

// Two devices of item 7 and one of item 8, the first two grouped, the third
// selected; no "field".
const QByteArray projectText = "<contents>visualisation project</contents>\n<devices>\n" + device(1, 7, 1, 10)
                               + device(2, 7, 3, 20) + device(3, 8, 5, 30)
                               + "</devices>\n<groups>\n<group name=\"default\">\n<dev nr=\"3\"></dev>\n</group>\n"
                                 "<group name=\"pair\">\n<dev nr=\"1\"></dev>\n<dev nr=\"2\"></dev>\n</group>\n"
                                 "</groups>\n";

}  // namespace

class tst_visual_files : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void invalidLibraries_data();
    void invalidLibraries();
    void parseErrorsAreReportedAndTheFileRead_data();
    void parseErrorsAreReportedAndTheFileRead();
    void readProjectMakesItsFixturesAndGroups();
    void anotherProjectLeavesNoFixtureOnTheOldTree();
    void undefinedFixturesAreReportedOnce();
    void libraryItemWithoutNumber();
    void filesOfTooManyEntriesAreRefused_data();
    void filesOfTooManyEntriesAreRefused();

private:
    QString write(const QString& name, const QByteArray& content);
    bool readLibrary(const QByteArray& content);
    void readProject(const QByteArray& content, const QString& name = QStringLiteral("show.kvp"));

    std::unique_ptr<programSession> s;
    gui_class* w = nullptr;
    v_project* vp = nullptr;
};

void tst_visual_files::init()
{
    s = std::make_unique<programSession>();
    w = s->rig->window.get();
    vp = s->rig->project.get();
}

void tst_visual_files::cleanup()
{
    s.reset();
}

QString tst_visual_files::write(const QString& name, const QByteArray& content)
{
    QFile f(s->dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(content);
    return f.fileName();
}

bool tst_visual_files::readLibrary(const QByteArray& content)
{
    w->libraryFileEdit->setText(write(QStringLiteral("lib.fxl"), content));
    w->readLibraryButton->click();
    return vp->libraryTree != nullptr;
}

void tst_visual_files::readProject(const QByteArray& content, const QString& name)
{
    w->projectFileEdit->setText(write(name, content));
    w->readProject();
}

void tst_visual_files::invalidLibraries_data()
{
    QTest::addColumn<QByteArray>("content");  // null: a directory of that name
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("blank first line") << QByteArray("\n<contents>Fixtures library</contents>\n")
                                      << QStringList{"Invalid file!"};
    QTest::newRow("blanks, then text") << QByteArray("  x <contents>Fixtures library</contents>\n")
                                       << QStringList{"Invalid file!"};
    QTest::newRow("a directory") << QByteArray() << QStringList{"File error"};
}

void tst_visual_files::invalidLibraries()
{
    QFETCH(QByteArray, content);
    QString name = s->dir.filePath(QStringLiteral("lib.fxl"));
    if (content.isNull())
        QVERIFY(QDir(s->dir.path()).mkdir(QStringLiteral("lib.fxl")));
    else
        name = write(QStringLiteral("lib.fxl"), content);
    w->libraryFileEdit->setText(name);
    w->readLibraryButton->click();
    QTEST(s->rec.titles(), "titles");
    QVERIFY(!vp->libraryTree);
    QCOMPARE(w->libraryStatusLabel->text(), QStringLiteral("not read"));
    QVERIFY(!QFile::exists(s->dir.filePath(QStringLiteral("xml_report.log"))));
}

// A file with a broken entry but the right "contents" is reported in
// "xml_report.log" in the working directory and read all the same.
void tst_visual_files::parseErrorsAreReportedAndTheFileRead_data()
{
    QTest::addColumn<bool>("project");
    QTest::newRow("library") << false;
    QTest::newRow("project") << true;
}

void tst_visual_files::parseErrorsAreReportedAndTheFileRead()
{
    QFETCH(bool, project);
    const QByteArray broken = "<item nr=\"9\">\n<provider>P</provider>\n<model>M</model> stray\n</item>\n";
    const QString report = QDir(s->dir.path()).filePath(QStringLiteral("xml_report.log"));
    QString name;
    if (project) {
        QVERIFY(readLibrary(libraryText));
        readProject(projectText + broken, QStringLiteral("broken.kvp"));
        name = s->dir.filePath(QStringLiteral("broken.kvp"));
        QCOMPARE(w->projectStatusLabel->text(), QStringLiteral("read"));
        QCOMPARE(vp->fixtures.size(), 3);
    } else {
        QVERIFY(readLibrary(libraryText + broken));
        name = s->dir.filePath(QStringLiteral("lib.fxl"));
        QCOMPARE(w->libraryStatusLabel->text(), QStringLiteral("read"));
    }
    QCOMPARE(s->rec.titles(), QStringList{QStringLiteral("Errors occured!")});
    QCOMPARE(s->rec.texts(),
             QStringList{QStringLiteral("Errors parsing file\n\"%1\" occured!\nRefer to \"xml_report.log\".").arg(name)});
    QFile log(report);
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("@error"));
}

void tst_visual_files::readProjectMakesItsFixturesAndGroups()
{
    QVERIFY(readLibrary(libraryText));
    readProject(projectText);
    QVERIFY(s->rec.entries.isEmpty());

    QCOMPARE(fixtureNumbers(vp->fixtures), (QList<int>{1, 2, 3}));
    QCOMPARE(groupSummary(*vp), (QStringList{"default:3", "pair:1,2"}));
    QCOMPARE(selectedNumbers(*vp), QList<int>{3});
    const lightEffect* first = vp->fixtures[0];
    QVERIFY(first->defined);
    QCOMPARE(first->dmxStart, 0);
    QCOMPARE(first->chnlCount, 2);
    QCOMPARE(first->caption, QStringLiteral("Fixture No. 1 : Spot: Maker ( 1 - 2 )"));
    QCOMPARE(vp->fixtures[2]->width, 40);

    // Without a "field" the page's field goes back to its defaults, while
    // the counts are those of the project read.
    QCOMPARE(w->fieldWidthSpin->value(), 1000);
    QCOMPARE(w->fixtureCountLabel->text(), QStringLiteral("3"));
    QCOMPARE(w->groupCountLabel->text(), QStringLiteral("1"));
    QCOMPARE(w->projectStatusValueLabel->text(), QStringLiteral("valid"));
    QVERIFY(w->visModeButton->isEnabled());
    QVERIFY(!vp->modified);
}

// Reading a second project replaces the tree; the fixtures are those of the
// new tree, and nothing points into the old one.
void tst_visual_files::anotherProjectLeavesNoFixtureOnTheOldTree()
{
    QVERIFY(readLibrary(libraryText));
    readProject(projectText);
    QList<QPointer<lightEffect>> old;
    for (lightEffect* f : std::as_const(vp->fixtures))
        old << f;

    readProject("<contents>visualisation project</contents>\n<devices>\n" + device(4, 8, 9, 40)
                    + device(5, 7, 11, 50)
                    + "</devices>\n<field>\n<width>3000</width>\n<height>2000</height>\n</field>\n",
                QStringLiteral("other.kvp"));
    for (const QPointer<lightEffect>& f : std::as_const(old))
        QVERIFY(f.isNull());
    QCOMPARE(fixtureNumbers(vp->fixtures), (QList<int>{4, 5}));
    QCOMPARE(groupSummary(*vp), QStringList{"default:"});

    xml_node* devices = vp->projectTree->findNode(QStringLiteral("devices"));
    xml_node* library = vp->projectTree->findNode(QStringLiteral("library"));
    QVERIFY(devices && library);
    QSet<const xml_node*> deviceNodes;
    for (const xml_node& d : devices->nodes)
        deviceNodes.insert(&d);
    QSet<const xml_node*> itemNodes;
    for (const xml_node& i : library->nodes)
        itemNodes.insert(&i);
    for (lightEffect* f : std::as_const(vp->fixtures)) {
        QVERIFY(deviceNodes.contains(f->deviceNode));
        QVERIFY(itemNodes.contains(f->itemNode));
        // What a fixture writes lands in the tree that is saved.
        f->posX = 77;
        f->storeGeometry();
        QCOMPARE(*f->deviceNode->findNode(QStringLiteral("geometry"))->elementValue(QStringLiteral("x")),
                 QStringLiteral("77"));
    }
    QCOMPARE(w->fieldWidthSpin->value(), 3000);
    QCOMPARE(vp->fieldWidth, 3000);
    QCOMPARE(w->fixtureCountLabel->text(), QStringLiteral("2"));
    QCOMPARE(w->groupCountLabel->text(), QStringLiteral("0"));
    QVERIFY(s->rec.entries.isEmpty());
}

// Fixtures that are not completely defined are reported once when the
// project is read, with a field or without.
void tst_visual_files::undefinedFixturesAreReportedOnce()
{
    QVERIFY(readLibrary(libraryText));
    const QByteArray undefined = "<contents>visualisation project</contents>\n<devices>\n" + device(1, 7, 1, 10)
                                 + device(2, 99, 3, 20) + "</devices>\n";
    for (const QByteArray& field : {QByteArray(), QByteArray("<field>\n<width>500</width>\n</field>\n")}) {
        s->rec.clear();
        readProject(undefined + field);
        QCOMPARE(s->rec.titles(), QStringList{QStringLiteral("Incomplete fixture(s) found!")});
        QCOMPARE(vp->fixtures.size(), 2);
        QVERIFY(!vp->fixtures[1]->defined);
        QCOMPARE(w->fixtureCountLabel->text(), QStringLiteral("2"));
        QCOMPARE(w->projectStatusValueLabel->text(), QStringLiteral("invalid!"));
        QVERIFY(!w->visModeButton->isEnabled());
    }
}

// An item no fixture could name is left out of the hierarchy with a
// warning; the library is read.
void tst_visual_files::libraryItemWithoutNumber()
{
    QVERIFY(readLibrary(libraryText + "<item>\n<provider>Other</provider>\n<model>Strobe</model>\n</item>\n"));
    QCOMPARE(s->rec.titles(), QStringList{QStringLiteral("Incomplete data!")});
    QCOMPARE(s->rec.texts(), QStringList{QStringLiteral("Check item \"\"!")});
    QVERIFY(vp->hierarchy);
    QCOMPARE(vp->hierarchy->nodes.size(), 1);
    QCOMPARE(vp->hierarchy->nodes[0].name, QStringLiteral("Maker"));
}

QTEST_MAIN(tst_visual_files)
// A file of more entries, fixtures or groups than the program takes is
// refused as too big before anything changes: the library and the project
// in use stay.
void tst_visual_files::filesOfTooManyEntriesAreRefused_data()
{
    QTest::addColumn<bool>("library");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("entryLimit");
    QTest::addColumn<QString>("limit");

    QByteArray devices = "<contents>visualisation project</contents>\n<devices>\n";
    for (int i = 1; i <= v_project::maxFixtures + 1; ++i)
        devices += "<device nr=\"" + QByteArray::number(i) + "\">\n<dmx>1</dmx>\n</device>\n";
    devices += "</devices>\n";
    QByteArray groups = "<contents>visualisation project</contents>\n<groups>\n";
    for (int i = 1; i <= v_project::maxGroups + 1; ++i)
        groups += "<group name=\"g" + QByteArray::number(i) + "\">\n<dev nr=\"1\"></dev>\n</group>\n";
    groups += "</groups>\n";

    QTest::newRow("library entries") << true << libraryText << 20 << "20 entries (tags and attributes)";
    QTest::newRow("project entries") << false << projectText << 20 << "20 entries (tags and attributes)";
    QTest::newRow("fixtures") << false << devices << xmlMaxEntries << "100000 fixtures";
    QTest::newRow("groups") << false << groups << xmlMaxEntries << "10000 groups";
}

void tst_visual_files::filesOfTooManyEntriesAreRefused()
{
    QFETCH(bool, library);
    QFETCH(QByteArray, content);
    QFETCH(int, entryLimit);
    QFETCH(QString, limit);
    QVERIFY(readLibrary(libraryText));
    readProject(projectText);
    const xml_node* libraryTree = vp->libraryTree;
    const QList<lightEffect*> fixtures = vp->fixtures;
    s->rec.entries.clear();

    setXmlEntryLimit(entryLimit);
    const auto restore = qScopeGuard([] { setXmlEntryLimit(xmlMaxEntries); });
    const QString name = write(QStringLiteral("big.kvp"), content);
    if (library) {
        w->libraryFileEdit->setText(name);
        w->readLibraryButton->click();
    } else {
        w->projectFileEdit->setText(name);
        w->readProject();
    }
    QCOMPARE(s->rec.titles(), QStringList{QStringLiteral("Invalid file!")});
    QCOMPARE(s->rec.texts(), QStringList{QStringLiteral("File too big!\n%1\nThe limit is %2.").arg(name, limit)});
    QCOMPARE(vp->libraryTree, libraryTree);
    QCOMPARE(vp->fixtures, fixtures);
    QCOMPARE(groupSummary(*vp), (QStringList{"default:3", "pair:1,2"}));
    QCOMPARE(w->libraryStatusLabel->text(), QStringLiteral("read"));
    QCOMPARE(w->fixtureCountLabel->text(), QStringLiteral("3"));
}

#include "tst_visual_files.moc"
