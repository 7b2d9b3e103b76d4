#include "xml/xml_node.h"
#include "xml_dump.h"

#include <QScopeGuard>
#include <QTest>
#include <QTextStream>

class tst_xml_reader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutsGiveTheSameTree_data();
    void layoutsGiveTheSameTree();
    void entriesAsRead_data();
    void entriesAsRead();
    void errorMarks_data();
    void errorMarks();
    void deepNestingIsCapped();
    void hostileNestingDoesNotExhaustTheStack();
    void readProtocol();
    void parseAttributesSplitsAsDocumented_data();
    void parseAttributesSplitsAsDocumented();
    void entriesBeyondTheLimitEndTheReading_data();
    void entriesBeyondTheLimitEndTheReading();
};

namespace {

struct readResult {
    QStringList tree;
    bool valid = false;
    int stored = 0;
};

readResult readDocument(QString text, const QString& firstLine = QString())
{
    QTextStream in(&text, QIODevice::ReadOnly);
    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QString line = firstLine;
    readResult r;
    while (root.read(in, line))
        ++r.stored;
    r.tree = xmldump::dump(root);
    r.valid = root.isValid();
    return r;
}

}  // namespace

void tst_xml_reader::layoutsGiveTheSameTree_data()
{
    QTest::addColumn<QString>("document");

    QTest::newRow("one tag per line") << "<?xml version=\"1.0\"?>\n<dev nr=\"1\">\n <a>1</a>\n <b>2</b>\n</dev>\n";
    QTest::newRow("single line") << "<dev nr=\"1\"><a>1</a><b>2</b></dev>\n";
    QTest::newRow("single line, no final line break") << "<dev nr=\"1\"><a>1</a><b>2</b></dev>";
    QTest::newRow("first element on the opening line") << "<dev nr=\"1\"><a>1</a>\n<b>2</b>\n</dev>";
    QTest::newRow("blank lines and indentation") << "\n\n   <dev nr=\"1\">\n\t<a>1</a>\n\n    <b>2</b>\n\n  </dev>\n\n";
    QTest::newRow("CR LF line ends") << "<dev nr=\"1\">\r\n <a>1</a>\r\n <b>2</b>\r\n</dev>\r\n";
    QTest::newRow("declarations passed over") << "<!DOCTYPE dev>\n<dev nr=\"1\">\n<?pi here?>\n<a>1</a>\n<b>2</b>\n</dev>\n";
    QTest::newRow("elements closing on their own lines")
        << "<dev nr=\"1\">\n<a>1</a><b>2</b></dev>\n<after>x</after>";
}

void tst_xml_reader::layoutsGiveTheSameTree()
{
    QFETCH(QString, document);
    const readResult r = readDocument(document);
    QStringList expected{"N-1 @root", "  N0 dev nr=\"1\"", "    E1 a = \"1\"", "    E1 b = \"2\""};
    if (QTest::currentDataTag() == QByteArray("elements closing on their own lines"))
        expected.insert(1, QStringLiteral("  E0 after = \"x\""));
    QCOMPARE(r.tree, expected);
    QVERIFY(r.valid);
}

void tst_xml_reader::entriesAsRead_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("tree");

    QTest::newRow("self-closing with attributes")
        << "<r>\n<e a=\"1\" b=\"2\"/>\n<f a=\"1\" />\n<g/>\n</r>"
        << QStringList{"N-1 @root", "  N0 r", "    E1 e a=\"1\" b=\"2\" = \"\"", "    E1 f a=\"1\" = \"\"",
                       "    E1 g = \"\""};
    QTest::newRow("opening directly followed by closing")
        << "<r>\n<e></e>\n</r>" << QStringList{"N-1 @root", "  N0 r", "    E1 e = \"\""};
    QTest::newRow("closing tag alone on the next line, indented")
        << "<r>\n<e>\n   </e>\n<f>\n</f>\n</r>"
        << QStringList{"N-1 @root", "  N0 r", "    E1 e = \"   \"", "    E1 f = \"\""};
    QTest::newRow("text over two lines")
        << "<r>\n<e>first\nsecond</e>\n</r>" << QStringList{"N-1 @root", "  N0 r", "    E1 e = \"first\\r\\nsecond\""};
    QTest::newRow("text holding > on the closing line")
        << "<r>\n<e>a\nb > c</e><f>1</f>\n</r>"
        << QStringList{"N-1 @root", "  N0 r", "    E1 e = \"a\\r\\nb > c\"", "    E1 f = \"1\""};
    QTest::newRow("one attribute of a name, the last value")
        << "<e a=\"1\" b=\"x\" a=\"2\">v</e>" << QStringList{"N-1 @root", "  E0 e a=\"2\" b=\"x\" = \"v\""};
    QTest::newRow("entities and quotes kept") << "<e>&amp; \"q\" &lt;&&</e>"
                                              << QStringList{"N-1 @root", "  E0 e = \"&amp; \"q\" &lt;&&\""};
    QTest::newRow("text before the first tag dropped")
        << "text <e>1</e>" << QStringList{"N-1 @root", "  E0 e = \"1\""};
    QTest::newRow("node missing its closing tag at the end")
        << "<r>\n<e>1</e>\n" << QStringList{"N-1 @root", "  N0 r", "    E1 e = \"1\""};
    QTest::newRow("closing tag at the top level ends the reading")
        << "<a>1</a>\n</x>\n<b>2</b>\n" << QStringList{"N-1 @root", "  E0 a = \"1\""};
    QTest::newRow("nested nodes")
        << "<p>\n<q k=\"v\">\n<e>1</e>\n<s>\n<t>2</t>\n</s>\n</q>\n<f>3</f>\n</p>"
        << QStringList{"N-1 @root", "  N0 p", "    E1 f = \"3\"", "    N1 q k=\"v\"", "      E2 e = \"1\"",
                       "      N2 s", "        E3 t = \"2\""};

    // Comments
    QTest::newRow("comment written indented after the opening tag")
        << "<n>\n <!-- note -->\n <e>1</e>\n</n>" << QStringList{"N-1 @root", "  N0 n {note}", "    E1 e = \"1\""};
    QTest::newRow("comment on the opening tag's line")
        << "<n><!-- note -->\n<e>1</e>\n</n>" << QStringList{"N-1 @root", "  N0 n {note}", "    E1 e = \"1\""};
    QTest::newRow("node holding only its comment")
        << "<n>\n <!-- note -->\n</n>\n<e>1</e>" << QStringList{"N-1 @root", "  E0 e = \"1\"", "  N0 n {note}"};
    QTest::newRow("second comment wins")
        << "<n>\n<e>1</e>\n<!-- one -->\n<f>2</f>\n<!-- two -->\n<g>3</g>\n</n>"
        << QStringList{"N-1 @root", "  N0 n {two}", "    E1 e = \"1\"", "    E1 f = \"2\"", "    E1 g = \"3\""};
    QTest::newRow("comment at the top level")
        << " <!-- top -->\n<e>1</e>\n" << QStringList{"N-1 @root {top}", "  E0 e = \"1\""};
    QTest::newRow("comment on the last line")
        << "<e>1</e>\n<!-- last -->" << QStringList{"N-1 @root {last}", "  E0 e = \"1\""};
    QTest::newRow("unterminated comment clears it")
        << "<n>\n<!-- one -->\n<e>1</e>\n<!-- open\n<f>2</f>\n</n>"
        << QStringList{"N-1 @root", "  N0 n", "    E1 e = \"1\"", "    E1 f = \"2\""};
    QTest::newRow("declaration line before a closing tag")
        << "<r>\n<e>1</e>\n<?pi?>\n</r>\n<f>2</f>" << QStringList{"N-1 @root", "  E0 f = \"2\"", "  N0 r", "    E1 e = \"1\""};
}

void tst_xml_reader::entriesAsRead()
{
    QFETCH(QString, document);
    QFETCH(QStringList, tree);
    const readResult r = readDocument(document);
    QCOMPARE(r.tree, tree);
    QVERIFY(r.valid);
}

void tst_xml_reader::errorMarks_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("tree");

    QTest::newRow("invalid line lands in the next entry")
        << "<r>\n<a>1</a>\nstray\n<b>2</b>\n</r>"
        << QStringList{"N-1 @root", "  N0 r", "    E1 a = \"1\"", "    N1 b", "      E2 @error = \"invalid line\"",
                       "      E2 value = \"2\""};
    QTest::newRow("text after a closing tag is an invalid line")
        << "<r>\n<a>1</a> tail\n<b/>\n</r>"
        << QStringList{"N-1 @root", "  N0 r", "    E1 a = \"1\"", "    N1 b", "      E2 @error = \"invalid line\""};
    QTest::newRow("tag without > is an invalid line")
        << "<r>\n<broken\n<b>2</b>\n</r>"
        << QStringList{"N-1 @root", "  N0 r", "    N1 b", "      E2 @error = \"invalid line\"", "      E2 value = \"2\""};
    QTest::newRow("invalid line before a closing tag")
        << "<r>\n<a>1</a>\nstray\n</r>\n<z>9</z>"
        << QStringList{"N-1 @root", "  E0 z = \"9\"", "  N0 r", "    E1 a = \"1\"", "    N1 ",
                       "      E2 @error = \"invalid line\""};
    QTest::newRow("end of input inside text")
        << "<r>\n<e>text\nmore"
        << QStringList{"N-1 @root", "  N0 r", "    N1 e", "      E2 @error = \"unexpected EOF !\"",
                       "      E2 value = \"text\\r\\nmore\\r\\n\""};
    QTest::newRow("end of input after an opening tag")
        << "<r>" << QStringList{"N-1 @root", "  N0 r", "    E1 @error = \"unexpected EOF !\""};
    QTest::newRow("closing tag of another name, passed outwards")
        << "<r>\n<e>1</x>\n<f>2</f>\n</r>"
        << QStringList{"N-1 @root", "  N0 r @error=\"unclosed\"", "    E1 e @error=\"unclosed\" = \"1\""};
    QTest::newRow("closing tag of the parent")
        << "<r>\n<e>1</r>\n<f>2</f>"
        << QStringList{"N-1 @root", "  E0 f = \"2\"", "  N0 r", "    E1 e @error=\"unclosed\" = \"1\""};
    QTest::newRow("blank line after an opening tag")
        << "<r>\n\n<e>1</e>\n</r>" << QStringList{"N-1 @root", "  E0 r @error=\"unclosed\" = \"\\r\\n\"", "  E0 e = \"1\""};
    QTest::newRow("text followed by an opening tag")
        << "<r>\n<e>text\n<f>1</f>\n</r>"
        << QStringList{"N-1 @root", "  N0 r", "    E1 e @error=\"unclosed\" = \"text\\r\\n\"", "    E1 f = \"1\""};
}

void tst_xml_reader::errorMarks()
{
    QFETCH(QString, document);
    QFETCH(QStringList, tree);
    const readResult r = readDocument(document);
    QCOMPARE(r.tree, tree);
    QVERIFY(!r.valid);
}

void tst_xml_reader::deepNestingIsCapped()
{
    const int depth = 300;
    QString doc;
    for (int i = 0; i < depth; ++i)
        doc += QStringLiteral("<l%1 i=\"%1\">\n").arg(i);
    doc += QStringLiteral("<leaf>1</leaf>\n");
    for (int i = depth - 1; i >= 0; --i)
        doc += QStringLiteral("</l%1>\n").arg(i);
    doc += QStringLiteral("<after>2</after>\n");

    QTextStream in(&doc, QIODevice::ReadOnly);
    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QString line;
    while (root.read(in, line)) {
    }
    QVERIFY(!root.isValid());

    const xml_node* n = root.nodeAt(0);
    int levels = 0;
    while (n && n->nodes.size() == 1) {
        QVERIFY(!n->attrValue(QStringLiteral("@error")));
        QCOMPARE(n->level, levels);
        n = n->nodeAt(0);
        ++levels;
    }
    QVERIFY(n);
    QCOMPARE(levels, xmlMaxDepth - 1);
    QCOMPARE(n->name, QStringLiteral("l%1").arg(xmlMaxDepth - 1));
    QVERIFY(n->nodes.isEmpty());
    QCOMPARE(n->elements.size(), 1);
    QCOMPARE(n->elements[0].name, QStringLiteral("@error"));
    QCOMPARE(n->elements[0].value, QStringLiteral("nesting too deep"));
    QCOMPARE(n->elements[0].level, xmlMaxDepth);
    QVERIFY(!n->attrValue(QStringLiteral("@error")));

    // The reading goes on after the skipped content.
    QCOMPARE(root.elements.size(), 1);
    QCOMPARE(root.elements[0].name, QStringLiteral("after"));
    QCOMPARE(root.elements[0].value, QStringLiteral("2"));
}

void tst_xml_reader::hostileNestingDoesNotExhaustTheStack()
{
    const QString opening = QStringLiteral("<a>");
    QString oneLine = opening.repeated(200000);
    QString manyLines = QStringLiteral("<a>\n").repeated(200000) + QStringLiteral("</a>\n").repeated(10);
    for (QString* doc : {&oneLine, &manyLines}) {
        QTextStream in(doc, QIODevice::ReadOnly);
        xml_parse_node root(-1);
        root.name = QStringLiteral("@root");
        QString line;
        while (root.read(in, line)) {
        }
        QVERIFY(!root.isValid());
        QCOMPARE(root.nodes.size(), 1);
    }
}

void tst_xml_reader::readProtocol()
{
    // An exhausted stream with an empty buffer stores nothing.
    QString empty;
    QTextStream atEnd(&empty, QIODevice::ReadOnly);
    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QString line;
    QVERIFY(!root.read(atEnd, line));
    QVERIFY(root.elements.isEmpty() && root.nodes.isEmpty());

    // A stream in an error state: nothing is read, not even the buffer.
    QString text = QStringLiteral("<f>2</f>\n");
    QTextStream failing(&text, QIODevice::ReadOnly);
    failing.setStatus(QTextStream::ReadCorruptData);
    line = QStringLiteral("<e>1</e>");
    QVERIFY(!root.read(failing, line));
    QCOMPARE(line, QStringLiteral("<e>1</e>"));
    QVERIFY(root.elements.isEmpty());

    // One true per stored entry; the caller may hand over the first line,
    // trimmed, after looking at it.
    QString doc = QStringLiteral("  <lang>pl</lang>\n<ini device=\"Kv310+\">\n<desc>x</desc>\n</ini>\n");
    QTextStream in(&doc, QIODevice::ReadOnly);
    const QString first = in.readLine().trimmed();
    const readResult r = readDocument(doc.mid(doc.indexOf(QLatin1Char('\n')) + 1), first);
    QCOMPARE(r.stored, 2);
    QCOMPARE(r.tree, (QStringList{"N-1 @root", "  E0 lang = \"pl\"", "  N0 ini device=\"Kv310+\"",
                                  "    E1 desc = \"x\""}));
    QCOMPARE(readDocument(doc).tree, r.tree);
}

void tst_xml_reader::parseAttributesSplitsAsDocumented_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("attrs");

    QTest::newRow("plain") << "a=\"1\" b=\"two words\"" << QStringList{"a|1", "b|two words"};
    QTest::newRow("blank before = stays in the name") << "a =\"1\"" << QStringList{"a |1"};
    QTest::newRow("surrounding blanks") << "   a=\"1\"\t " << QStringList{"a|1"};
    QTest::newRow("duplicates kept") << "a=\"1\" a=\"2\"" << QStringList{"a|1", "a|2"};
    QTest::newRow("single quotes do not delimit") << "a='1' b=\"2\"" << QStringList{"a|2"};
    QTest::newRow("one quote runs to the end") << "a=\"1 b=2" << QStringList{"a|1 b=2"};
    QTest::newRow("no quotes") << "a=1 b=2" << QStringList{"a|"};
    QTest::newRow("no equals sign") << "flag" << QStringList{"flag|"};
    QTest::newRow("empty value") << "a=\"\"" << QStringList{"a|"};
    QTest::newRow("no text") << "  " << QStringList{};
}

void tst_xml_reader::parseAttributesSplitsAsDocumented()
{
    QFETCH(QString, text);
    QFETCH(QStringList, attrs);
    xml_list<xml_attr> list;
    parseAttributes(text, list);
    QStringList got;
    for (const xml_attr& a : list)
        got << a.name + QLatin1Char('|') + a.value;
    QCOMPARE(got, attrs);
}

QTEST_GUILESS_MAIN(tst_xml_reader)
// Every stored entry counts, its attributes and the reader's error marks
// too; one past the limit ends the reading, and the reader says so.
void tst_xml_reader::entriesBeyondTheLimitEndTheReading_data()
{
    QTest::addColumn<QString>("doc");
    QTest::addColumn<bool>("tooMany");

    const QString element = QStringLiteral("<a>1</a>\n");
    const QString attributes = QStringLiteral("<a x=\"1\" y=\"2\"/>\n");
    const QString node = QStringLiteral("<n>\n<a>1</a>\n</n>\n");
    QTest::newRow("elements at the limit") << element.repeated(6) << false;
    QTest::newRow("one element more") << element.repeated(7) << true;
    QTest::newRow("attributes at the limit") << attributes.repeated(2) << false;
    QTest::newRow("attributes beyond") << attributes.repeated(3) << true;
    QTest::newRow("nodes at the limit") << node.repeated(3) << false;
    QTest::newRow("nodes beyond") << node.repeated(4) << true;
    QTest::newRow("invalid lines") << QStringLiteral("<n>\n<a>1</a>\n") + QStringLiteral("stray\n").repeated(6)
                                          + QStringLiteral("<a>1</a>\n</n>\n")
                                   << true;
    QTest::newRow("deep nesting") << QStringLiteral("<d>\n").repeated(7) + QStringLiteral("<a>1</a>\n")
                                         + QStringLiteral("</d>\n").repeated(7)
                                  << true;
}

void tst_xml_reader::entriesBeyondTheLimitEndTheReading()
{
    QFETCH(QString, doc);
    QFETCH(bool, tooMany);
    setXmlEntryLimit(6);
    const auto restore = qScopeGuard([] { setXmlEntryLimit(xmlMaxEntries); });

    // Followed by many more entries: none of them is read past the limit.
    QString text = doc + QStringLiteral("<b>2</b>\n").repeated(tooMany ? 1000 : 0);
    QTextStream in(&text, QIODevice::ReadOnly);
    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QString line;
    while (root.read(in, line)) {
    }
    QCOMPARE(root.tooManyEntries(), tooMany);
    if (tooMany) {
        QVERIFY(!root.read(in, line));
        QVERIFY(!in.atEnd());
        QVERIFY(!root.findElement(QStringLiteral("b")));
    } else {
        QVERIFY(root.isValid());
        QVERIFY(in.atEnd());
    }
}

#include "tst_xml_reader.moc"
