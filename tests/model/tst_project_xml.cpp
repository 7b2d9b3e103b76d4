#include "model/config_image.h"
#include "support/project_fixture.h"
#include "support/dialog_recorder.h"
#include "model/project_text.h"
#include "xml/xml_writer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>
#include <QTextStream>
#include <cstring>

// The project description: its XML text, reading it back into the
// descriptions, the visual project and the main window, the groups section,
// and the forms it is stored in within the image's project area.
class tst_project_xml : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writtenText();
    void fieldFromTheMainWindow();
    void descriptionsRoundTrip();
    void readDescriptionEntries_data();
    void readDescriptionEntries();
    void freeTextsRoundTrip_data();
    void freeTextsRoundTrip();
    void olderUnescapedTextsStillRead();
    void quickReadingEqualsTheReader_data();
    void quickReadingEqualsTheReader();
    void readVisualProject();
    void readVisualProjectWithoutItsNodes();
    void fieldWithoutAMainWindow();
    void groupsRoundTrip();
    void readGroups_data();
    void readGroups();
    void parseErrorIsReportedAndChangesNothing();
    void tooManyEntriesAreRefusedAndChangeNothing_data();
    void tooManyEntriesAreRefusedAndChangeNothing();
    void nothingToRead_data();
    void nothingToRead();
    void projectOnOneLine_data();
    void projectOnOneLine();
    void textAfterTheProjectIsNotRead();
    void scratchCopyLeavesTheVisualProjectAlone();

    void storedPlain();
    void storedFillingTheArea();
    void storedCompressed();
    void storedSizesCountBytes();
    void storedPartial();
    void storedAreas_data();
    void storedAreas();
};

namespace {

constexpr qsizetype AREA = img::PROJECT_AREA_SIZE;

void readText(kv310_controller_class& c, QString text, qint64 offset = 0)
{
    QTextStream in(&text, QIODevice::ReadOnly);
    c.readProjectXml(in, offset);
}

QString projectText(const QString& body)
{
    return QStringLiteral("\n<project>\n") + body + QStringLiteral("</project>\n");
}

QString descriptionsText(const QString& sections)
{
    return projectText(QStringLiteral("<descriptions>\n") + sections + QStringLiteral("</descriptions>\n"));
}

// A show of three fixtures and a described scene, read from
// "/shows/show.31xcfg": what a text refused must leave as it is.
const xml_node* readKeptShow(kv310_controller_class& c, const v_project& project)
{
    readText(c, projectText(visualProjectXml(3)));
    c.sceneDescriptions[0] = QStringLiteral("keep");
    c.lastPath = QStringLiteral("/shows/show.31xcfg");
    return project.projectTree;
}

bool keptShowStays(const kv310_controller_class& c, const v_project& project, const xml_node* tree)
{
    return project.projectTree == tree && project.fixtures.size() == 3
           && c.sceneDescriptions[0] == QLatin1String("keep");
}

QString written(const kv310_controller_class& c)
{
    QString text;
    c.writeProjectXml(text);
    return text;
}

// Every description that is not empty, as "kind index=text" (event ids in hex).
QStringList descriptionsOf(const kv310_controller_class& c)
{
    QStringList out;
    const auto scan = [&out](const auto& texts, const char* kind, bool hex = false) {
        for (size_t i = 0; i < texts.size(); ++i)
            if (!texts[i].isEmpty())
                out << QStringLiteral("%1 %2=%3")
                           .arg(QLatin1String(kind),
                                hex ? QStringLiteral("0x%1").arg(i, 0, 16) : QString::number(i), texts[i]);
    };
    scan(c.sceneDescriptions, "scene");
    scan(c.maskDescriptions, "mask");
    scan(c.programDescriptions, "program");
    scan(c.stateDescriptions, "state");
    scan(c.inputDescriptions, "input");
    scan(c.rcuKeyDescriptions, "rcuKey");
    scan(c.panelDescriptions, "panel");
    scan(c.eventDescriptions, "event", true);
    return out;
}

// A project description of exactly `length` characters, most of them in
// the first scene description.
void setTextLength(kv310_controller_class& c, qsizetype length)
{
    c.sceneDescriptions[0] = QStringLiteral("a");
    const qsizetype base = written(c).size();
    c.sceneDescriptions[0] = QString(length - base + 1, QLatin1Char('a'));
}

// The working directory of a test that may write the parse-error report:
// a directory of its own while the test runs.
struct reportDirectory {
    reportDirectory() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~reportDirectory() { QDir::setCurrent(previous); }
    QTemporaryDir dir;
    QString previous;
};

char* areaOf(kv310_controller_class& c)
{
    return reinterpret_cast<char*>(c.configImage + img::projectArea);
}

void setArea(kv310_controller_class& c, const QByteArray& content)
{
    std::memset(areaOf(c), 0xFF, size_t(AREA));
    std::memcpy(areaOf(c), content.constData(), size_t(std::min<qsizetype>(content.size(), AREA)));
}

// Scene descriptions that no compression shrinks much.
void fillWithNoise(kv310_controller_class& c)
{
    QRandomGenerator random(7);
    for (QString& text : c.sceneDescriptions) {
        text.resize(300);
        for (QChar& ch : text) {
            ushort u;
            do
                u = ushort(random.bounded(0x21, 0x100));
            while (u == '<' || u == '>' || u == '&' || (u >= 0x7F && u < 0xA0));
            ch = QChar(u);
        }
    }
}

} // namespace

void tst_project_xml::writtenText()
{
    publishedRun run;
    kv310_controller_class& c = run.controller;
    c.projectFileDate = QStringLiteral("01.02.2024 10:11.12");
    c.projectFileName = QStringLiteral("show.31xcfg");
    c.sceneDescriptions[0] = QStringLiteral("Intro <1> & more");
    c.maskDescriptions[1] = QStringLiteral("Mask two");
    c.programDescriptions[2] = QStringLiteral("Chase");
    c.stateDescriptions[67] = QStringLiteral("Last state");
    c.inputDescriptions[23] = QStringLiteral("Door");
    c.rcuKeyDescriptions[63] = QStringLiteral("Off key");
    c.panelDescriptions[13] = QStringLiteral("Panel");
    c.eventDescriptions[5] = QStringLiteral("In 3 off");
    c.eventDescriptions[0x401] = QStringLiteral("Ev");
    c.eventDescriptions[0x802] = QStringLiteral("T");
    c.eventDescriptions[0xC01] = QStringLiteral("Out");
    c.eventDescriptions[0x1003] = QStringLiteral("D");
    c.eventDescriptions[0x1201] = QStringLiteral("S");
    c.eventDescriptions[0x1285] = QStringLiteral("Released");
    c.eventDescriptions[0x1346] = QStringLiteral("In4");

    const QString expected = QStringLiteral(
        "\n<project>\n"
        "<contents>Light visualisation project description</contents>\n"
        "<date>01.02.2024 10:11.12</date>\n"
        "<file>show.31xcfg</file>\n"
        "<release>0.0.0.1</release>\n"
        "<target>Kv310+</target>\n"
        "<descriptions>\n"
        "<scenes>\n<scene nr=\"1\">Intro &lt;1&gt; && more</scene>\n</scenes>\n"
        "<masks>\n<mask nr=\"2\">Mask two</mask>\n</masks>\n"
        "<programs>\n<program nr=\"3\">Chase</program>\n</programs>\n"
        "<states>\n<state nr=\"68\">Last state</state>\n</states>\n"
        "<inputs>\n<input nr=\"24\">Door</input>\n</inputs>\n"
        "<RCU>\n<key nr=\"64\">Off key</key>\n</RCU>\n"
        "<panels>\n<state nr=\"14\">Panel</state>\n</panels>\n"
        "<events>\n"
        "<dmxin>\n<chnl nr=\"3\" mode=\"off\">In 3 off</chnl>\n</dmxin>\n"
        "<virtual>\n<event nr=\"2\">Ev</event>\n</virtual>\n"
        "<timers>\n<timer nr=\"3\">T</timer>\n</timers>\n"
        "<dmxout>\n<chnl nr=\"1\" mode=\"off\">Out</chnl>\n</dmxout>\n"
        "<delays>\n<delay nr=\"4\">D</delay>\n</delays>\n"
        "<sequences>\n<sequence nr=\"2\">S</sequence>\n</sequences>\n"
        "<RCU>\n<key nr=\"2\" mode=\"rlsd\">Released</key>\n</RCU>\n"
        "<inputs>\n<input nr=\"4\" mode=\"on\">In4</input>\n</inputs>\n"
        "</events>\n"
        "</descriptions>\n"
        "<settings>\n</settings>\n"
        "<field>\n<image></image>\n<outline></outline>\n<width>1000</width>\n<height>1000</height>\n</field>\n"
        "<library></library><devices></devices> <groups>\n  <group name=\"default\">\n  </group>\n </groups>\n"
        "</project>\n");
    QCOMPARE(written(c), expected);

    // Appends to what the target holds.
    QString target = QStringLiteral("head");
    c.writeProjectXml(target);
    QCOMPARE(target, QStringLiteral("head") + expected);

    // An empty scene section is its two tags.
    c.sceneDescriptions[0].clear();
    QVERIFY(written(c).contains(QStringLiteral("<scenes>\n</scenes>\n")));
}

void tst_project_xml::fieldFromTheMainWindow()
{
    publishedRun run(true);
    run.window->field.dark = 2;
    run.window->field.image = QStringLiteral("back.png");
    run.window->field.pale = 0;
    run.window->field.outline = QStringLiteral("sketch.png");
    run.window->field.width = QStringLiteral("1200");
    run.window->field.height = QStringLiteral("800");
    QVERIFY(written(run.controller).contains(
        QStringLiteral("<field>\n<image dark=\"2\">back.png</image>\n<outline>sketch.png</outline>\n"
                       "<width>1200</width>\n<height>800</height>\n</field>\n")));

    run.window->field.dark = 0;
    run.window->field.pale = 8;
    QVERIFY(written(run.controller).contains(
        QStringLiteral("<image>back.png</image>\n<outline pale=\"8\">sketch.png</outline>\n")));
}

void tst_project_xml::descriptionsRoundTrip()
{
    publishedRun run;
    kv310_controller_class& c = run.controller;
    const auto fill = [](auto& texts, const QString& kind) {
        for (size_t i = 0; i < texts.size(); ++i)
            if (i % 3 != 1)
                texts[i] = QStringLiteral("%1 %2 <&> &lt; ü").arg(kind).arg(i);
    };
    fill(c.sceneDescriptions, QStringLiteral("scene"));
    fill(c.maskDescriptions, QStringLiteral("mask"));
    fill(c.programDescriptions, QStringLiteral("program"));
    fill(c.stateDescriptions, QStringLiteral("state"));
    fill(c.inputDescriptions, QStringLiteral("input"));
    fill(c.rcuKeyDescriptions, QStringLiteral("key"));
    fill(c.panelDescriptions, QStringLiteral("panel"));
    fill(c.eventDescriptions, QStringLiteral("event"));
    const QStringList before = descriptionsOf(c);
    const QString text = written(c);

    c.ClearConfig(CLEAR_ALL);
    QVERIFY(descriptionsOf(c).isEmpty());
    readText(c, text);
    QCOMPARE(descriptionsOf(c), before);
}

void tst_project_xml::readDescriptionEntries_data()
{
    QTest::addColumn<QString>("sections");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("last scene") << "<scenes>\n<scene nr=\"10240\">last</scene>\n</scenes>\n"
                                << QStringList{"scene 10239=last"};
    QTest::newRow("numbers out of range, missing or not numbers; empty values")
        << "<scenes>\n<scene nr=\"0\">a</scene>\n<scene nr=\"10241\">b</scene>\n<scene nr=\"x\">c</scene>\n"
           "<scene>d</scene>\n<scene nr=\"5\"></scene>\n<scene nr=\"6\">ok</scene>\n</scenes>\n"
        << QStringList{"scene 5=ok"};
    QTest::newRow("any element name") << "<scenes>\n<whatever nr=\"2\">w</whatever>\n</scenes>\n"
                                      << QStringList{"scene 1=w"};
    QTest::newRow("escaped text") << "<masks>\n<mask nr=\"1\">&lt;a&gt; && b &amp;</mask>\n</masks>\n"
                                  << QStringList{"mask 0=<a> & b &amp;"};
    QTest::newRow("panels are not states") << "<panels>\n<state nr=\"14\">p</state>\n</panels>\n"
                                           << QStringList{"panel 13=p"};
    QTest::newRow("top-level inputs and keys")
        << "<inputs>\n<input nr=\"24\">i</input>\n</inputs>\n<RCU>\n<key nr=\"64\">k</key>\n</RCU>\n"
        << QStringList{"input 23=i", "rcuKey 63=k"};
    QTest::newRow("DMX input channel 3 off") << "<events>\n<dmxin>\n<chnl nr=\"3\" mode=\"off\">x</chnl>\n</dmxin>\n"
                                                "</events>\n"
                                             << QStringList{"event 0x5=x"};
    QTest::newRow("key 2 released") << "<events>\n<RCU>\n<key nr=\"2\" mode=\"rlsd\">r</key>\n</RCU>\n</events>\n"
                                    << QStringList{"event 0x1285=r"};
    QTest::newRow("key words in an on/off section")
        << "<events>\n<dmxout>\n<chnl nr=\"1\" mode=\"prsd\">p</chnl>\n<chnl nr=\"2\" mode=\"rptd\">r</chnl>\n"
           "</dmxout>\n</events>\n"
        << QStringList{"event 0xc00=p", "event 0xc03=r"};
    QTest::newRow("a variant the section does not have")
        << "<events>\n<inputs>\n<input nr=\"3\" mode=\"rlsd\">a</input>\n<input nr=\"24\" mode=\"rlsd\">b</input>\n"
           "<input nr=\"24\" mode=\"off\">c</input>\n</inputs>\n</events>\n"
        << QStringList{"event 0x136f=c"};
    QTest::newRow("no or unknown mode")
        << "<events>\n<dmxin>\n<chnl nr=\"1\">a</chnl>\n<chnl nr=\"1\" mode=\"up\">b</chnl>\n</dmxin>\n</events>\n"
        << QStringList{};
    QTest::newRow("last sequence; one past it")
        << "<events>\n<sequences>\n<sequence nr=\"128\">s</sequence>\n<sequence nr=\"129\">t</sequence>\n"
           "</sequences>\n</events>\n"
        << QStringList{"event 0x127f=s"};
    QTest::newRow("unknown sections") << "<lights>\n<scene nr=\"1\">x</scene>\n</lights>\n"
                                         "<events>\n<other>\n<x nr=\"1\">y</x>\n</other>\n</events>\n"
                                      << QStringList{};
}

void tst_project_xml::readDescriptionEntries()
{
    QFETCH(QString, sections);
    QFETCH(QStringList, expected);

    publishedRun run;
    readText(run.controller, descriptionsText(sections));
    QCOMPARE(descriptionsOf(run.controller), expected);
}

void tst_project_xml::freeTextsRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << "show.31xcfg";
    QTest::newRow("angle brackets") << "show<1>.31xcfg";
    QTest::newRow("a closing tag") << "a</project>b";
    QTest::newRow("ampersands and an entity") << "R&D && &lt;x&gt;";
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("Łódź – ☀");
    QTest::newRow("quotes") << "say \"hi\" 'now'";
    QTest::newRow("a quote closing an attribute") << "a\">\n<dev nr=\"1\"></dev>";
    QTest::newRow("line feed") << "two\nlines";
    QTest::newRow("CR LF") << "two\r\nlines";
    QTest::newRow("lone CR") << "two\rlines";
    QTest::newRow("line breaks at both ends") << "\nmiddle\r\n";
    QTest::newRow("references typed") << "&#10; &#13; &quot; &&#10;";
}

void tst_project_xml::freeTextsRoundTrip()
{
    QFETCH(QString, text);

    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    readText(c, projectText(visualProjectXml(2)));
    v_project& vp = run.project;
    // The fixture dialog keeps label and comment escaped in the device.
    vp.fixtures[0]->deviceNode->setElement(QStringLiteral("comment"), escapeText(text));
    auto* group = new efGroup(text);
    group->members = {vp.fixtures[1]};
    vp.groups.append(group);
    c.projectFileName = text;
    c.projectFileDate = text + QStringLiteral(" date");
    c.sceneDescriptions[0] = text;
    c.programDescriptions[511] = text;
    c.eventDescriptions[0x20] = text;
    run.window->field.image = QStringLiteral("/pics/") + text + QStringLiteral(".png");
    run.window->field.outline = text;
    run.window->field.width = QStringLiteral("1000");
    run.window->field.height = QStringLiteral("1000");
    const QString xml = written(c);
    const QStringList descriptions = descriptionsOf(c);
    QVERIFY(c.storeProjectDescription());
    const QByteArray area(areaOf(c), AREA);

    // As a configuration file carries it, and as the controller's project
    // area does.
    for (const bool stored : {false, true}) {
        c.ClearConfig(CLEAR_ALL);
        run.window->calls.clear();
        if (stored) {
            setArea(c, area);
            c.loadStoredProjectDescription();
        } else {
            readText(c, xml);
        }
        QVERIFY(rec.entries.isEmpty());
        QCOMPARE(c.projectFileName, text);
        QCOMPARE(c.projectFileDate, text + QStringLiteral(" date"));
        QCOMPARE(descriptionsOf(c), descriptions);
        QCOMPARE(groupSummary(vp), (QStringList{QStringLiteral("default:"), text + QStringLiteral(":2")}));
        QCOMPARE(unescapeText(*vp.fixtures[0]->deviceNode->elementValue(QStringLiteral("comment"))), text);
        QCOMPARE(run.window->calls.last(), QStringLiteral("field"));
        // The field reaches the page as the user gave it.
        const xml_node* field = vp.projectTree->findNode(QStringLiteral("field"));
        QVERIFY(field);
        QCOMPARE(*field->elementValue(QStringLiteral("image")), QStringLiteral("/pics/") + text + QStringLiteral(".png"));
        QCOMPARE(*field->elementValue(QStringLiteral("outline")), text);
        QCOMPARE(written(c), xml);
    }
}

void tst_project_xml::olderUnescapedTextsStillRead()
{
    publishedRun run;
    kv310_controller_class& c = run.controller;
    readText(c, projectText(QStringLiteral("<date>1.1.2020 10:00.00</date>\n<file>a & b.31xcfg</file>\n"
                                           "<field>\n<image>C:\\pics\\R&D.png</image>\n</field>\n")));
    QCOMPARE(c.projectFileName, QStringLiteral("a & b.31xcfg"));
    QCOMPARE(c.projectFileDate, QStringLiteral("1.1.2020 10:00.00"));
    QVERIFY(written(c).contains(QStringLiteral("<image>C:\\pics\\R&&D.png</image>")));

    readText(c, projectText(QStringLiteral("<contents>x</contents>\n")));
    QVERIFY(c.projectFileName.isNull());
    QVERIFY(c.projectFileDate.isNull());
}

void tst_project_xml::quickReadingEqualsTheReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("descriptions");  // taken by both readings

    // As the writer writes them: every section, texts holding what escapes.
    publishedRun run;
    kv310_controller_class& c = run.controller;
    c.projectFileName = QStringLiteral("a<b>&c.31xcfg");
    c.sceneDescriptions[0] = QStringLiteral("Intro <1> && \"more\" > less");
    c.sceneDescriptions[10239] = QString::fromUtf8("Łódź ☀");
    c.maskDescriptions[3] = QStringLiteral("mask");
    c.programDescriptions[511] = QStringLiteral("program");
    c.stateDescriptions[67] = QStringLiteral("state");
    c.inputDescriptions[0] = QStringLiteral("input");
    c.rcuKeyDescriptions[63] = QStringLiteral("key");
    c.panelDescriptions[13] = QStringLiteral("panel");
    for (int id : {0, 5, 0x401, 0x802, 0xC01, 0x1003, 0x1201, 0x1285, 0x1346})
        c.eventDescriptions[size_t(id)] = QStringLiteral("event %1").arg(id);
    const QString writtenText = written(c);
    QTest::newRow("as written") << writtenText << 17;

    const QString open = QStringLiteral("\n<project>\n<descriptions>\n");
    const QString close = QStringLiteral("</descriptions>\n</project>\n");
    const auto row = [&](const char* name, const QString& lines, int count) {
        QTest::newRow(name) << open + lines + close << count;
    };
    const QString scene = QStringLiteral("<scene nr=\"2\">two</scene>\n");
    row("one section", "<scenes>\n" + scene + "</scenes>\n", 1);
    row("attributes in another order",
        "<events>\n<dmxin>\n<chnl mode=\"off\" nr=\"3\">x</chnl>\n</dmxin>\n</events>\n", 1);
    row("an attribute twice", "<scenes>\n<scene nr=\"1\" nr=\"2\">x</scene>\n</scenes>\n", 1);
    row("another attribute", "<scenes>\n<scene id=\"9\" nr=\"2\">x</scene>\n</scenes>\n", 1);
    row("an indented line", "<scenes>\n " + scene + "</scenes>\n", 1);
    row("two blanks before an attribute", "<scenes>\n<scene  nr=\"2\">x</scene>\n</scenes>\n", 1);
    row("an empty value", "<scenes>\n<scene nr=\"2\"></scene>\n" + scene + "</scenes>\n", 1);
    row("a self-closing element", "<scenes>\n<scene nr=\"2\"/>\n" + scene + "</scenes>\n", 1);
    row("an empty section", "<scenes>\n</scenes>\n<masks>\n<mask nr=\"1\">m</mask>\n</masks>\n", 1);
    row("an unknown section", "<other>\n" + scene + "</other>\n<scenes>\n" + scene + "</scenes>\n", 1);
    row("an element outside the sections", scene + "<scenes>\n" + scene + "</scenes>\n", 1);
    row("a blank line", "<scenes>\n\n" + scene + "</scenes>\n", 0);
    row("a stray text line", "<scenes>\ntext\n" + scene + "</scenes>\n", 0);
    row("a comment line", "<scenes>\n<!-- c -->\n" + scene + "</scenes>\n", 1);
    row("a closing tag of another name", "<scenes>\n<scene nr=\"2\">two</scena>\n</scenes>\n", 1);
    row("text after the closing tag", "<scenes>\n<scene nr=\"2\">two</scene> x\n</scenes>\n", 1);
    row("two elements on a line", "<scenes>\n<scene nr=\"2\">a</scene><scene nr=\"3\">b</scene>\n</scenes>\n", 2);
    row("a section left open", "<scenes>\n" + scene, 1);
    row("the same section twice", "<scenes>\n" + scene + "</scenes>\n<scenes>\n<scene nr=\"2\">2nd</scene>\n</scenes>\n", 2);
    row("an event section outside the events", "<dmxin>\n<chnl nr=\"3\" mode=\"off\">x</chnl>\n</dmxin>\n", 0);
    row("the mark the quick reading uses",
        "<scenes>\n<scene nr=\"2\">\x01" "descriptions taken\x02</scene>\n</scenes>\n", 1);
    QTest::newRow("line ends CR LF") << QString(open + "<scenes>\n" + scene + "</scenes>\n" + close)
                                           .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
                                    << 1;
    QTest::newRow("descriptions inside the library first")
        << QStringLiteral("\n<project>\n<library>\n<descriptions>\n<scenes>\n") + scene
               + "</scenes>\n</descriptions>\n</library>\n<descriptions>\n<masks>\n<mask nr=\"1\">m</mask>\n"
                 "</masks>\n</descriptions>\n</project>\n"
        << 1;
    QTest::newRow("two descriptions nodes")
        << open + "<scenes>\n" + scene + "</scenes>\n</descriptions>\n<descriptions>\n<masks>\n<mask nr=\"1\">m</mask>\n"
                  "</masks>\n" + close
        << 1;
    QTest::newRow("descriptions before the project")
        << QStringLiteral("\n<descriptions>\n<scenes>\n") + scene + "</scenes>\n</descriptions>\n<project>\n</project>\n"
        << 0;
    QTest::newRow("cut inside the descriptions") << QString(writtenText).left(writtenText.indexOf("</masks>")) << 3;
    QTest::newRow("inside a text collected over lines")
        << QStringLiteral("\n<project>\n<file>\nname\n<descriptions>\n<scenes>\n") + scene + "</scenes>\n" + close << 1;
}

void tst_project_xml::quickReadingEqualsTheReader()
{
    QFETCH(QString, text);
    QFETCH(int, descriptions);

    const parsedProject quick = parseProjectText(text, true);
    const parsedProject reader = parseProjectText(text, false);
    QCOMPARE(quick.valid, reader.valid);
    QCOMPARE(quick.hasProject, reader.hasProject);
    QCOMPARE(quick.closed, reader.closed);
    QCOMPARE(quick.fileName, reader.fileName);
    QCOMPARE(quick.fileDate, reader.fileDate);
    const auto list = [](const parsedProject& p) {
        QStringList out;
        for (const parsedProject::description& d : p.descriptions)
            out << QStringLiteral("%1:%2=%3").arg(int(d.array)).arg(d.index).arg(d.text);
        return out;
    };
    QCOMPARE(list(quick), list(reader));
    QCOMPARE(int(quick.descriptions.size()), descriptions);
    const auto tree = [](const parsedProject& p) {
        QString out;
        if (p.root) {
            QTextStream stream(&out);
            stream << *p.root;
        }
        return out;
    };
    QCOMPARE(tree(quick), tree(reader));
}

void tst_project_xml::readVisualProject()
{
    dialogRecorder rec;
    publishedRun run(true);
    v_project& vp = run.project;
    readText(run.controller,
             projectText(QStringLiteral("<settings>\n<x>1</x>\n</settings>\n<field>\n<image dark=\"4\">bk.png</image>\n"
                                        "<outline>s.png</outline>\n<width>1500</width>\n<height>700</height>\n</field>\n")
                         + visualProjectXml(3)
                         + QStringLiteral(" <groups>\n  <group name=\"default\">\n   <dev nr=\"2\"></dev>\n  </group>\n"
                                          "  <group name=\"G\">\n   <dev nr=\"3\"></dev>\n   <dev nr=\"1\"></dev>\n"
                                          "  </group>\n </groups>\n")));

    QCOMPARE(run.window->calls, (QStringList{"settings:settings", "devices", "groups", "field"}));
    QCOMPARE(fixtureNumbers(vp.fixtures), (QList<int>{1, 2, 3}));
    QCOMPARE(selectedNumbers(vp), QList<int>{2});
    QCOMPARE(groupSummary(vp), (QStringList{"default:2", "G:3,1"}));
    // Without an external library the project's own library is the active one.
    QVERIFY(vp.library);
    QCOMPARE(vp.library->name, QStringLiteral("library"));
    QCOMPARE(vp.projectTree->nodes.size(), 4);
    QCOMPARE(vp.library, &vp.projectTree->nodes[0]);
    QVERIFY(vp.hierarchy);
    QCOMPARE(vp.fieldWidth, 1500);
    QCOMPARE(vp.fieldHeight, 700);
    QVERIFY(vp.fixtures[0]->itemNode);
    QVERIFY(rec.entries.isEmpty());

    // An external library stays the active one.
    vp.libraryTree = new xml_node(0);
    vp.libraryTree->name = QStringLiteral("library");
    vp.library = vp.libraryTree;
    readText(run.controller, projectText(visualProjectXml(2)));
    QCOMPARE(vp.library, vp.libraryTree);
    QCOMPARE(fixtureNumbers(vp.fixtures), (QList<int>{1, 2}));
}

void tst_project_xml::readVisualProjectWithoutItsNodes()
{
    publishedRun run(true);
    v_project& vp = run.project;
    readText(run.controller, projectText(visualProjectXml(2)));
    QCOMPARE(vp.fixtures.size(), 2);
    run.window->calls.clear();

    readText(run.controller, projectText(QStringLiteral("<file>x</file>\n")));
    QCOMPARE(run.window->calls, (QStringList{"null", "null"}));
    QVERIFY(vp.fixtures.isEmpty());
    QVERIFY(vp.projectTree->nodes.isEmpty());
    QCOMPARE(vp.library, nullptr);
    QCOMPARE(vp.hierarchy, nullptr);
}

void tst_project_xml::fieldWithoutAMainWindow()
{
    publishedRun run;
    readText(run.controller,
             projectText(QStringLiteral("<field>\n<image dark=\"4\">bk.png</image>\n<outline pale=\"2\">s.png</outline>\n"
                                        "<width>1500</width>\n<height>700</height>\n</field>\n")));
    QVERIFY(written(run.controller)
                .contains(QStringLiteral("<field>\n<image dark=\"4\">bk.png</image>\n<outline pale=\"2\">s.png</outline>\n"
                                         "<width>1500</width>\n<height>700</height>\n</field>\n")));
}

void tst_project_xml::groupsRoundTrip()
{
    publishedRun run;
    v_project& vp = run.project;
    readText(run.controller, projectText(visualProjectXml(5)));
    QCOMPARE(vp.fixtures.size(), 5);
    vp.fixtures[1]->selected = true;
    vp.fixtures[3]->selected = true;
    auto* special = new efGroup(QStringLiteral("A&B<c>"));
    special->members = {vp.fixtures[4], vp.fixtures[0]};
    vp.groups.append(special);
    auto* plain = new efGroup(QStringLiteral("x"));
    plain->members = {vp.fixtures[2]};
    vp.groups.append(plain);

    QCOMPARE(vp.writeGroups(), QStringLiteral(" <groups>\n"
                                              "  <group name=\"default\">\n"
                                              "   <dev nr=\"2\"></dev>\n"
                                              "   <dev nr=\"4\"></dev>\n"
                                              "  </group>\n"
                                              "  <group name=\"A&&B&lt;c&gt;\">\n"
                                              "   <dev nr=\"5\"></dev>\n"
                                              "   <dev nr=\"1\"></dev>\n"
                                              "  </group>\n"
                                              "  <group name=\"x\">\n"
                                              "   <dev nr=\"3\"></dev>\n"
                                              "  </group>\n"
                                              " </groups>\n"));

    const QString text = written(run.controller);
    run.controller.ClearConfig(CLEAR_ALL);
    QVERIFY(vp.fixtures.isEmpty());
    readText(run.controller, text);
    QCOMPARE(fixtureNumbers(vp.fixtures), (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(groupSummary(vp), (QStringList{"default:2,4", "A&B<c>:5,1", "x:3"}));
    QCOMPARE(selectedNumbers(vp), (QList<int>{2, 4}));
}

void tst_project_xml::readGroups_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QStringList>("summary");
    QTest::addColumn<QList<int>>("selected");

    QTest::newRow("default lists 3 and 5")
        << "  <group name=\"default\">\n   <dev nr=\"3\"></dev>\n   <dev nr=\"5\"></dev>\n  </group>\n"
        << QStringList{"default:3,5"} << QList<int>{3, 5};
    QTest::newRow("groups without a name")
        << "  <group>\n   <dev nr=\"1\"></dev>\n  </group>\n  <group>\n   <dev nr=\"2\"></dev>\n  </group>\n"
        << QStringList{"default:", "no_name_1:1", "no_name_1:2"} << QList<int>{};
    QTest::newRow("unknown, repeated and unnumbered members")
        << "  <group name=\"g\">\n   <dev nr=\"9\"></dev>\n   <dev nr=\"2\"></dev>\n   <dev nr=\"2\"></dev>\n"
           "   <dev nr=\"x\"></dev>\n   <dev></dev>\n  </group>\n"
        << QStringList{"default:", "g:2"} << QList<int>{};
    QTest::newRow("the last default group wins")
        << "  <group name=\"default\">\n   <dev nr=\"1\"></dev>\n  </group>\n"
           "  <group name=\"default\">\n   <dev nr=\"4\"></dev>\n  </group>\n"
        << QStringList{"default:4"} << QList<int>{4};
}

void tst_project_xml::readGroups()
{
    QFETCH(QString, groups);
    QFETCH(QStringList, summary);
    QFETCH(QList<int>, selected);

    publishedRun run;
    readText(run.controller, projectText(visualProjectXml(5) + QStringLiteral(" <groups>\n") + groups
                                         + QStringLiteral(" </groups>\n")));
    QCOMPARE(groupSummary(run.project), summary);
    QCOMPARE(selectedNumbers(run.project), selected);
}

void tst_project_xml::parseErrorIsReportedAndChangesNothing()
{
    const reportDirectory report;
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    const xml_node* tree = readKeptShow(c, run.project);

    readText(c, QStringLiteral("\n<project>\n<descriptions>\n<scenes>\n<scene nr=\"1\">new</scene>\n"
                               "</descriptions>\n</project>\n"));
    QCOMPARE(rec.titles(), QStringList{"Errors occured!"});
    QCOMPARE(rec.texts(), QStringList{"Errors parsing file\n\"/shows/show.31xcfg\" occured!\n"
                                      "Refer to \"xml_report.log\"."});
    QVERIFY(QFile::exists(report.dir.filePath(QStringLiteral("xml_report.log"))));
    QVERIFY(keptShowStays(c, run.project, tree));
}

// A project text of more entries, fixtures or groups than the program takes
// (from a file or the controller) is refused as too big, descriptions
// included, and changes nothing.
void tst_project_xml::tooManyEntriesAreRefusedAndChangeNothing_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("entryLimit");
    QTest::addColumn<QString>("limit");

    const QString described =
        QStringLiteral("<descriptions>\n<scenes>\n<scene nr=\"1\">new</scene>\n</scenes>\n</descriptions>\n");
    QString groups = QStringLiteral("<groups>\n");
    for (int i = 0; i <= v_project::maxGroups; ++i)
        groups += QStringLiteral("<group name=\"g%1\">\n<dev nr=\"1\"></dev>\n</group>\n").arg(i);
    groups += QStringLiteral("</groups>\n");
    QString devices = QStringLiteral("<devices>\n");
    for (int i = 1; i <= v_project::maxFixtures + 1; ++i)
        devices += QStringLiteral("<device nr=\"%1\">\n<dmx>1</dmx>\n</device>\n").arg(i);
    devices += QStringLiteral("</devices>\n");

    QTest::newRow("entries") << described + visualProjectXml(3) << 30 << "30 entries (tags and attributes)";
    QTest::newRow("groups") << described + groups << xmlMaxEntries << "10000 groups";
    QTest::newRow("fixtures") << described + devices << xmlMaxEntries << "100000 fixtures";
}

void tst_project_xml::tooManyEntriesAreRefusedAndChangeNothing()
{
    QFETCH(QString, body);
    QFETCH(int, entryLimit);
    QFETCH(QString, limit);

    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    const xml_node* tree = readKeptShow(c, run.project);
    rec.entries.clear();

    setXmlEntryLimit(entryLimit);
    const auto restore = qScopeGuard([] { setXmlEntryLimit(xmlMaxEntries); });
    readText(c, projectText(body));
    QCOMPARE(rec.titles(), QStringList{"Invalid file!"});
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("File too big!\n/shows/show.31xcfg\nThe limit is %1.").arg(limit)});
    QVERIFY(keptShowStays(c, run.project, tree));
}

void tst_project_xml::nothingToRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("offset");

    QTest::newRow("empty") << QString() << qint64(0);
    QTest::newRow("blank lines") << "\n\n   \n\t\n" << qint64(0);
    QTest::newRow("first line is no tag") << "text\n<project>\n<file>x</file>\n</project>\n" << qint64(0);
    QTest::newRow("no project") << "\n<other>\n<file>x</file>\n</other>\n" << qint64(0);
    QTest::newRow("offset past the text") << "\n<project>\n<file>x</file>\n</project>\n" << qint64(500);
}

void tst_project_xml::nothingToRead()
{
    QFETCH(QString, text);
    QFETCH(qint64, offset);

    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    c.sceneDescriptions[0] = QStringLiteral("keep");
    c.projectFileName = QStringLiteral("keep.31xcfg");
    const xml_node* tree = run.project.projectTree;

    readText(c, text, offset);
    QCOMPARE(c.sceneDescriptions[0], QStringLiteral("keep"));
    QCOMPARE(c.projectFileName, QStringLiteral("keep.31xcfg"));
    QCOMPARE(run.project.projectTree, tree);
    QVERIFY(rec.entries.isEmpty());
}

void tst_project_xml::projectOnOneLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("scene");
    QTest::addColumn<QStringList>("shown");

    const QString project = QStringLiteral("<project><file>line.31xcfg</file><descriptions><scenes>"
                                           "<scene nr=\"1\">one &lt;line&gt;</scene></scenes></descriptions></project>");
    QTest::newRow("the only line") << project << "one <line>" << QStringList();
    QTest::newRow("after blank lines, with its line feed") << "\n \n" + project + "\n" << "one <line>" << QStringList();
    QTest::newRow("cut on the last line") << QStringLiteral("\n\n<project>") << "keep"
                                          << QStringList{QStringLiteral("Errors occured!")};
}

// The project's line feeds are not what makes it one: a project written on
// one line reads as well.
void tst_project_xml::projectOnOneLine()
{
    QFETCH(QString, text);
    QFETCH(QString, scene);
    QFETCH(QStringList, shown);

    const reportDirectory report;
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    c.sceneDescriptions[0] = QStringLiteral("keep");
    readText(c, text);
    QCOMPARE(c.sceneDescriptions[0], scene);
    QCOMPARE(c.projectFileName, shown.isEmpty() ? QStringLiteral("line.31xcfg") : QString());
    QCOMPARE(rec.titles(), shown);
}

void tst_project_xml::textAfterTheProjectIsNotRead()
{
    dialogRecorder rec;
    publishedRun run;
    readText(run.controller, descriptionsText(QStringLiteral("<scenes>\n<scene nr=\"1\">one</scene>\n</scenes>\n"))
                                 + QStringLiteral("<scene nr=\"2\">tail</scene>\n</scenes>\nnot xml at all\n<x"));
    QCOMPARE(descriptionsOf(run.controller), QStringList{"scene 0=one"});
    QVERIFY(rec.entries.isEmpty());
}

void tst_project_xml::scratchCopyLeavesTheVisualProjectAlone()
{
    publishedRun run(true);
    readText(run.controller, projectText(visualProjectXml(3)));
    run.window->calls.clear();
    const xml_node* tree = run.project.projectTree;

    kv310_controller_class scratch;
    readText(scratch, projectText(QStringLiteral("<descriptions>\n<scenes>\n<scene nr=\"1\">s</scene>\n</scenes>\n"
                                                 "</descriptions>\n<settings>\n<x>1</x>\n</settings>\n")
                                  + visualProjectXml(5)));
    QCOMPARE(scratch.sceneDescriptions[0], QStringLiteral("s"));
    QVERIFY(run.controller.sceneDescriptions[0].isEmpty());
    QCOMPARE(run.project.projectTree, tree);
    QCOMPARE(run.project.fixtures.size(), 3);
    QVERIFY(run.window->calls.isEmpty());
}

void tst_project_xml::storedPlain()
{
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    c.sceneDescriptions[1] = QStringLiteral("Zürich ½ <&>");
    setTextLength(c, 1000);
    const QString text = written(c);
    QCOMPARE(text.size(), 1000);

    QVERIFY(c.storeProjectDescription());
    const QByteArray utf8 = text.toUtf8();
    QCOMPARE(QByteArray(areaOf(c), utf8.size()), utf8);
    QCOMPARE(areaOf(c)[utf8.size()], '\0');
    QCOMPARE(uint8_t(areaOf(c)[utf8.size() + 1]), uint8_t(0xFF));

    const QStringList before = descriptionsOf(c);
    c.ClearConfig(CLEAR_SCENE_DESCRIPTIONS);
    c.loadStoredProjectDescription();
    QCOMPARE(descriptionsOf(c), before);
    QCOMPARE(c.sceneDescriptions[1], QStringLiteral("Zürich ½ <&>"));
    QVERIFY(rec.entries.isEmpty());

    // A shorter description stored over a longer one reads back alone.
    c.sceneDescriptions[0] = QStringLiteral("short");
    QVERIFY(c.storeProjectDescription());
    c.sceneDescriptions[0].clear();
    c.loadStoredProjectDescription();
    QCOMPARE(c.sceneDescriptions[0], QStringLiteral("short"));
    QVERIFY(rec.entries.isEmpty());
}

void tst_project_xml::storedFillingTheArea()
{
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    setTextLength(c, AREA);
    const QString description = c.sceneDescriptions[0];
    const QByteArray text = written(c).toLatin1();
    QCOMPARE(text.size(), AREA);

    QVERIFY(c.storeProjectDescription());
    QVERIFY(std::memcmp(areaOf(c), text.constData(), size_t(AREA)) == 0);
    c.sceneDescriptions[0].clear();
    c.loadStoredProjectDescription();
    QCOMPARE(c.sceneDescriptions[0], description);
    QVERIFY(rec.entries.isEmpty());
}

void tst_project_xml::storedCompressed()
{
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    setTextLength(c, AREA + 1);
    c.sceneDescriptions[5] = QStringLiteral("five ß");
    const QString description = c.sceneDescriptions[0];
    const QByteArray text = written(c).toUtf8();
    QVERIFY(text.size() > AREA);

    QVERIFY(c.storeProjectDescription());
    const QByteArray head(areaOf(c), 40);
    QVERIFY(head.startsWith("<compressed size="));
    const qsizetype gt = head.indexOf('>');
    const int size = head.mid(17, gt - 17 - 1).toInt();
    QCOMPARE(head.mid(gt - 1, 2), QByteArray(" >"));
    QVERIFY(size > 0);
    const QByteArray block(areaOf(c) + gt + 1, size);
    QCOMPARE(qUncompress(block), text);
    QCOMPARE(QByteArray(areaOf(c) + gt + 1 + size, 14), QByteArray("</compressed>\n"));

    c.ClearConfig(CLEAR_SCENE_DESCRIPTIONS);
    c.loadStoredProjectDescription();
    QCOMPARE(c.sceneDescriptions[0], description);
    QCOMPARE(c.sceneDescriptions[5], QStringLiteral("five ß"));
    QVERIFY(rec.entries.isEmpty());
}

// Letters beyond ASCII take more than one byte: a text of fewer characters
// than the area holds bytes may not fit it plain.
void tst_project_xml::storedSizesCountBytes()
{
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    setTextLength(c, AREA - 100);
    const QString polish = QStringLiteral("zażółć gęślą jaźń – ");
    QString& description = c.sceneDescriptions[0];
    for (qsizetype i = 0; i + polish.size() <= description.size(); i += polish.size())
        description.replace(i, polish.size(), polish);
    const QString expected = description;
    QCOMPARE(written(c).size(), AREA - 100);
    QVERIFY(written(c).toUtf8().size() > AREA);

    QVERIFY(c.storeProjectDescription());
    QVERIFY(QByteArray(areaOf(c), 40).startsWith("<compressed size="));
    c.ClearConfig(CLEAR_SCENE_DESCRIPTIONS);
    c.loadStoredProjectDescription();
    QCOMPARE(c.sceneDescriptions[0], expected);
    QVERIFY(rec.entries.isEmpty());
}

void tst_project_xml::storedPartial()
{
    const reportDirectory report;
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    fillWithNoise(c);
    const QByteArray text = written(c).toUtf8();

    QVERIFY(!c.storeProjectDescription());
    const QString sizeText = QStringLiteral("Compressed project size exceeds reserved flash area!\n"
                                            "Some information will not be stored in the device!");
    QCOMPARE(rec.texts(), QStringList{sizeText});
    QCOMPARE(rec.entries[0].icon, QMessageBox::Information);
    QCOMPARE(rec.entries[0].title, QStringLiteral("KvOrbit310+"));
    QCOMPARE(QByteArray(areaOf(c), 10), QByteArray("<partial>\n"));
    QVERIFY(std::memcmp(areaOf(c) + 10, text.constData(), size_t(AREA - 10)) == 0);

    // Read back: the user is told again, and the cut text is a parse
    // error that takes nothing over.
    rec.clear();
    c.ClearConfig(CLEAR_SCENE_DESCRIPTIONS);
    c.loadStoredProjectDescription();
    QCOMPARE(rec.titles(), (QStringList{"KvOrbit310+", "Errors occured!"}));
    QCOMPARE(rec.texts().first(), sizeText);
    QVERIFY(descriptionsOf(c).isEmpty());
}

void tst_project_xml::storedAreas_data()
{
    QTest::addColumn<QByteArray>("area");
    QTest::addColumn<bool>("loads");

    const QByteArray text = descriptionsText(QStringLiteral("<scenes>\n<scene nr=\"1\">stored</scene>\n</scenes>\n"))
                                .toLatin1();
    const QByteArray block = qCompress(text, 9);
    const auto compressed = [](const QByteArray& size, const QByteArray& data) {
        return "<compressed size=" + size + " >" + data + "</compressed>\n";
    };
    const QByteArray n = QByteArray::number(block.size());

    QTest::newRow("compressed") << compressed(n, block) << true;
    QTest::newRow("compressed, blanks before the size") << compressed("   " + n, block) << true;
    QTest::newRow("text ends at its zero byte") << compressed(QByteArray::number(qCompress(text + '\0' + "<x", 9).size()),
                                                              qCompress(text + '\0' + "<x", 9))
                                                << true;
    QTest::newRow("plain, tail of an earlier text after it")
        << text + "<scene nr=\"2\">tail</scene>\n</scenes>\n</descriptions>\n</project>\n" << true;
    QTest::newRow("size 9999999") << compressed("9999999", block) << false;
    QTest::newRow("size of the area") << compressed(QByteArray::number(AREA), block) << false;
    QTest::newRow("block past the end of the area") << compressed(QByteArray::number(AREA - 20), block) << false;
    QByteArray huge = block;
    huge[0] = huge[1] = huge[2] = huge[3] = char(0xFF);
    QTest::newRow("announced length too large") << compressed(n, huge) << false;
    QByteArray none = block;
    none[0] = none[1] = none[2] = none[3] = 0;
    QTest::newRow("announced length zero") << compressed(n, none) << false;
    QTest::newRow("no zlib stream") << compressed("100", QByteArray(100, 'z')) << false;
    QTest::newRow("no number") << compressed("abc", block) << false;
    QTest::newRow("no size") << "<compressed>" + block << false;
    QTest::newRow("no closing bracket") << "<compressed size=12" + QByteArray(AREA, 'x') << false;
}

void tst_project_xml::storedAreas()
{
    QFETCH(QByteArray, area);
    QFETCH(bool, loads);

    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    c.sceneDescriptions[0] = QStringLiteral("before");
    setArea(c, area);
    c.loadStoredProjectDescription();
    QCOMPARE(c.sceneDescriptions[0], loads ? QStringLiteral("stored") : QStringLiteral("before"));
    QVERIFY(c.sceneDescriptions[1].isEmpty());
    QVERIFY(rec.entries.isEmpty());
}

QTEST_MAIN(tst_project_xml)
#include "tst_project_xml.moc"
