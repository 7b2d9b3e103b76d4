#include "support/dialog_recorder.h"
#include "xml/xml_report.h"
#include "xml/xml_writer.h"
#include "xml_dump.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QWidget>

class tst_xml_writer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesExactText_data();
    void writesExactText();
    void readWriteReadRoundTrip_data();
    void readWriteReadRoundTrip();
    void escaping_data();
    void escaping();
    void attributeEscaping();
    void unescapeKeepsOtherAmpersands_data();
    void unescapeKeepsOtherAmpersands();
    void reportWrittenOnlyForInvalidTrees();
    void reportThatCannotBeWrittenStillWarns();
    void cleanup();

private:
    QString startDir = QDir::currentPath();
};

namespace {

QString written(const xml_node& node)
{
    QString out;
    QTextStream s(&out);
    s << node;
    s.flush();
    return out;
}

QString written(const xml_element& element)
{
    QString out;
    QTextStream s(&out);
    s << element;
    s.flush();
    return out;
}

xml_parse_node readRoot(QString text)
{
    QTextStream in(&text, QIODevice::ReadOnly);
    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QString line;
    while (root.read(in, line)) {
    }
    return root;
}

QString readFile(const QString& name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return QString::fromUtf8(f.readAll());
}

}  // namespace

void tst_xml_writer::cleanup()
{
    QDir::setCurrent(startDir);
}

void tst_xml_writer::writesExactText_data()
{
    QTest::addColumn<int>("tree");
    QTest::addColumn<QString>("text");

    QTest::newRow("node with an attribute and two elements") << 0 << "<dev nr=\"1\">\n <a>1</a>\n <b>2</b>\n</dev>\n";
    QTest::newRow("element with an empty value") << 1 << "  <e k=\"v\"/>\n";
    QTest::newRow("node with attributes only") << 2 << " <n a=\"1\" b=\"2\"/>\n";
    QTest::newRow("empty attribute leaves its blank") << 3 << "<e >1</e>\n<f  x=\"y\"/>\n";
    QTest::newRow("empty root writes nothing") << 4 << "";
    QTest::newRow("root with comment, element and node")
        << 5 << " <!-- c -->\n<top>1</top>\n<n>\n <x>2</x>\n</n>\n";
    QTest::newRow("comment, elements before nodes, names trimmed")
        << 6 << " <outer>\n  <!-- note -->\n  <e>v</e>\n  <inner/>\n </outer>\n";
    QTest::newRow("multi-line value and negative level") << 7 << "<e>a\r\nb</e>\n";
    QTest::newRow("entries at their own levels") << 8 << "<n>\n   <e>1</e>\n     <c/>\n</n>\n";
}

void tst_xml_writer::writesExactText()
{
    QFETCH(int, tree);
    QFETCH(QString, text);

    xml_node n(0);
    QString out;
    switch (tree) {
    case 0:
        n.name = QStringLiteral("dev");
        n.setAttr(QStringLiteral("nr"), QStringLiteral("1"));
        n.setElement(QStringLiteral("a"), QStringLiteral("1"));
        n.setElement(QStringLiteral("b"), QStringLiteral("2"));
        out = written(n);
        break;
    case 1: {
        xml_element e(QStringLiteral("e"), QString(), 2);
        e.setAttr(QStringLiteral("k"), QStringLiteral("v"));
        out = written(e);
        break;
    }
    case 2:
        n.level = 1;
        n.name = QStringLiteral("n");
        n.setAttr(QStringLiteral("a"), QStringLiteral("1"));
        n.setAttr(QStringLiteral("b"), QStringLiteral("2"));
        out = written(n);
        break;
    case 3: {
        xml_element e(QStringLiteral("e"), QStringLiteral("1"), 0);
        e.setAttr(QString(), QString());
        xml_element f(QStringLiteral("f"), QString(), 0);
        f.setAttr(QString(), QString());
        f.setAttr(QStringLiteral("x"), QStringLiteral("y"));
        out = written(e) + written(f);
        break;
    }
    case 4:
        n.level = -1;
        n.name = QStringLiteral("@root");
        n.setAttr(QStringLiteral("ignored"), QStringLiteral("1"));
        out = written(n);
        break;
    case 5: {
        n.level = -1;
        n.name = QStringLiteral("@root");
        n.comment = QStringLiteral("c");
        n.addNode(QStringLiteral("n"))->setElement(QStringLiteral("x"), QStringLiteral("2"));
        n.setElement(QStringLiteral("top"), QStringLiteral("1"));
        out = written(n);
        break;
    }
    case 6:
        n.level = 1;
        n.name = QStringLiteral(" outer ");
        n.comment = QStringLiteral("note");
        n.addNode(QStringLiteral("inner "));
        n.setElement(QStringLiteral("e"), QStringLiteral("v"));
        out = written(n);
        break;
    case 7:
        out = written(xml_element(QStringLiteral("e"), QStringLiteral("a\r\nb"), -3));
        break;
    case 8:
        n.name = QStringLiteral("n");
        n.elements.append(xml_element(QStringLiteral("e"), QStringLiteral("1"), 3));
        n.addNode(QStringLiteral("c"))->level = 5;
        out = written(n);
        break;
    default:
        QFAIL("unknown tree");
    }
    QCOMPARE(out, text);
}

void tst_xml_writer::readWriteReadRoundTrip_data()
{
    QTest::addColumn<QString>("document");

    const QString described = escapeText(QStringLiteral("Front <wash> & \"spot\" &lt;old&gt; &&"));
    QTest::newRow("project-like with comments and escaped texts")
        << QStringLiteral(
               "<?xml version=\"1.0\"?>\n"
               "<!-- project -->\n"
               "<project>\n"
               "<!-- descriptions of the show -->\n"
               "<contents>Light visualisation project description</contents>\n"
               "<descriptions>\n"
               "<scenes>\n"
               "<scene nr=\"1\">%1</scene>\n"
               "<scene nr=\"2\">Back</scene>\n"
               "</scenes>\n"
               "<settings>\n"
               "<!-- empty on purpose -->\n"
               "</settings>\n"
               "</descriptions>\n"
               "<devices>\n"
               "<device nr=\"1\">\n"
               "<comment>first line\nsecond > line</comment>\n"
               "<label/>\n"
               "<geometry>\n<x>10</x>\n<y>20</y>\n</geometry>\n"
               "</device>\n"
               "</devices>\n"
               "</project>\n")
               .arg(described);
    QTest::newRow("tree with error marks") << QStringLiteral("<r>\n<a>1</a>\nstray\n<b>2</b>\n<e>1</x>\n</r>\n");
    QTest::newRow("text up to the end of the input") << QStringLiteral("<t>\ntext\nmore");
    QTest::newRow("single line") << QStringLiteral("<a k=\"1\"><b>x</b><c><d>y</d></c></a>");
}

void tst_xml_writer::readWriteReadRoundTrip()
{
    QFETCH(QString, document);
    const xml_parse_node first = readRoot(document);
    const QString text = written(first);
    const xml_parse_node second = readRoot(text);
    QCOMPARE(xmldump::dump(second), xmldump::dump(first));
    QCOMPARE(second.isValid(), first.isValid());
    QCOMPARE(written(second), text);

    if (QTest::currentDataTag() == QByteArray("project-like with comments and escaped texts")) {
        QVERIFY(first.isValid());
        xml_parse_node root = second;
        QCOMPARE(root.comment, QStringLiteral("project"));
        xml_node* project = root.findNode(QStringLiteral("project"));
        QVERIFY(project);
        QCOMPARE(project->comment, QStringLiteral("descriptions of the show"));
        xml_node* descriptions = project->findNode(QStringLiteral("descriptions"));
        QCOMPARE(descriptions->findNode(QStringLiteral("settings"))->comment, QStringLiteral("empty on purpose"));
        const xml_element* scene = descriptions->findNode(QStringLiteral("scenes"))
                                       ->findElementByAttr(QStringLiteral("scene"), QStringLiteral("nr"),
                                                           QStringLiteral("1"));
        QVERIFY(scene);
        QCOMPARE(unescapeText(scene->value), QStringLiteral("Front <wash> & \"spot\" &lt;old&gt; &&"));
        const xml_node* device = project->findNode(QStringLiteral("devices"))->nodeAt(0);
        QCOMPARE(*device->elementValue(QStringLiteral("comment")), QStringLiteral("first line\r\nsecond > line"));
    }
}

void tst_xml_writer::escaping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");

    QTest::newRow("all three") << "a & b < c > d" << "a && b &lt; c &gt; d";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("plain text") << "Scene 1" << "Scene 1";
    QTest::newRow("ampersands in a row") << "&&" << "&&&&";
    QTest::newRow("text holding &lt;") << "&lt;" << "&&lt;";
    QTest::newRow("text holding &gt; and &&") << "x&gt;&&y" << "x&&gt;&&&&y";
    QTest::newRow("brackets in a row") << "<<>>" << "&lt;&lt;&gt;&gt;";
    QTest::newRow("an entity") << "&amp;" << "&&amp;";
    QTest::newRow("non-Latin text") << "Żółć <ß>" << "Żółć &lt;ß&gt;";
    QTest::newRow("line breaks") << "\na\r\nb\rc\n" << "&#10;a&#13;&#10;b&#13;c&#10;";
    QTest::newRow("references typed") << "&#10;&#13;&quot;" << "&&#10;&&#13;&&quot;";
    QTest::newRow("quotes stay in a value") << "say \"hi\"" << "say \"hi\"";
}

void tst_xml_writer::escaping()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(escapeText(text), escaped);
    QCOMPARE(unescapeText(escaped), text);
}

void tst_xml_writer::attributeEscaping()
{
    const QString text = QStringLiteral("a\"b&c<d>\r\n");
    QCOMPARE(escapeAttribute(text), QStringLiteral("a&quot;b&&c&lt;d&gt;&#13;&#10;"));
    QCOMPARE(unescapeAttribute(escapeAttribute(text)), text);
    QCOMPARE(unescapeAttribute(QStringLiteral("&&quot;")), QStringLiteral("&quot;"));
    // Read as an attribute of a tag, the name comes back whole.
    xml_parse_node root = readRoot(QStringLiteral("<group name=\"") + escapeAttribute(text)
                                         + QStringLiteral("\" other=\"1\">\n<dev nr=\"1\"></dev>\n</group>\n"));
    const xml_node* group = root.findNode(QStringLiteral("group"));
    QVERIFY(group);
    QCOMPARE(unescapeAttribute(*group->attrValue(QStringLiteral("name"))), text);
    QCOMPARE(*group->attrValue(QStringLiteral("other")), QStringLiteral("1"));
}

void tst_xml_writer::unescapeKeepsOtherAmpersands_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("lone") << "a & b" << "a & b";
    QTest::newRow("at the end") << "a&" << "a&";
    QTest::newRow("cut entity") << "&lt" << "&lt";
    QTest::newRow("other entity") << "&amp;" << "&amp;";
    QTest::newRow("upper case") << "&LT;&GT;" << "&LT;&GT;";
    QTest::newRow("three ampersands") << "&&&lt;" << "&<";
    QTest::newRow("other references") << "&#9;&#010;&#10" << "&#9;&#010;&#10";
    QTest::newRow("a quote outside an attribute") << "&quot;x&quot;" << "&quot;x&quot;";
}

void tst_xml_writer::unescapeKeepsOtherAmpersands()
{
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QCOMPARE(unescapeText(text), decoded);
}

void tst_xml_writer::reportWrittenOnlyForInvalidTrees()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));
    {
        QFile earlier(QStringLiteral("xml_report.log"));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier report that is longer than the new one\n"
                      "an earlier report that is longer than the new one\n"
                      "an earlier report that is longer than the new one\n");
    }
    dialogRecorder rec;

    const xml_parse_node valid = readRoot(QStringLiteral("<r>\n<e>1</e>\n</r>\n"));
    QVERIFY(reportXmlErrors(valid, QStringLiteral("good.kvp")));
    QVERIFY(rec.entries.isEmpty());
    QVERIFY(readFile(QStringLiteral("xml_report.log")).startsWith(QLatin1String("an earlier report")));

    const xml_parse_node invalid = readRoot(QStringLiteral("<?xml version=\"1.0\"?>\n<r>\n<a>1</a>\nstray\n<b>2</b>\n</r>\n"));
    const QStringList before = xmldump::dump(invalid);
    QWidget parent;
    QVERIFY(!reportXmlErrors(invalid, QStringLiteral("/shows/bad.kvp"), &parent));
    QCOMPARE(xmldump::dump(invalid), before);

    QCOMPARE(readFile(dir.filePath(QStringLiteral("xml_report.log"))),
             QStringLiteral("<r>\n <a>1</a>\n <b>\n  <@error>invalid line</@error>\n  <value>2</value>\n </b>\n</r>\n"));
    QCOMPARE(rec.entries.size(), 1);
    const dialogRecorder::entry& e = rec.entries.first();
    QCOMPARE(e.kind, QStringLiteral("message"));
    QCOMPARE(e.icon, QMessageBox::Warning);
    QCOMPARE(e.parent, &parent);
    QCOMPARE(e.title, QStringLiteral("Errors occured!"));
    QCOMPARE(e.text, QStringLiteral("Errors parsing file\n\"/shows/bad.kvp\" occured!\nRefer to \"xml_report.log\"."));
    QCOMPARE(e.buttons, QStringList{QStringLiteral("Ok")});
}

void tst_xml_writer::reportThatCannotBeWrittenStillWarns()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("xml_report.log")));
    dialogRecorder rec;

    const xml_parse_node invalid = readRoot(QStringLiteral("<r>\n<e>1</x>\n"));
    QVERIFY(!reportXmlErrors(invalid, QStringLiteral("lib.fxl")));
    // A folder in its place is no file to write: the user hears why first.
    QCOMPARE(rec.texts(),
             (QStringList{QStringLiteral("Not a regular file:\n%1").arg(QDir::current().filePath(QStringLiteral("xml_report.log"))),
                          QStringLiteral("Errors parsing file\n\"lib.fxl\" occured!\nRefer to \"xml_report.log\".")}));
    QCOMPARE(rec.titles().value(0), QStringLiteral("Warning!"));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("xml_report.log"))).isDir());
}

QTEST_MAIN(tst_xml_writer)
#include "tst_xml_writer.moc"
