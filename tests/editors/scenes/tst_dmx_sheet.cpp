#include "editors/scenes/dmx_sheet.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"

#include "support/trickle_device.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>

// The DMX sheet as written and as read: the layout of the writer, the rows
// and cells the reader takes, clamps, numbering, and the round trip.
class tst_dmx_sheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesTheSceneLayout();
    void writesTheMaskLayout();
    void oneRecordGivesOneCell();
    void descriptionsStayInTheirColumns();
    void reportsAFailedWrite();
    void aDescriptionBeginningWithAQuote();
    void reads_data();
    void reads();
    void readsQuotedCells_data();
    void readsQuotedCells();
    void chunksDoNotMatter();
    void unreadableCells_data();
    void unreadableCells();
    void invalidSheetsLeaveTheColumns();
    void masksReadAtMost256Columns();
    void longLinesAreReadWhole();
    void storing_data();
    void storing();
    void allTimesZero_data();
    void allTimesZero();
    void theLastScenesRoundTrip();
    void descriptionsWrittenAsTheyAre();
    void rowsNotUnderstood_data();
    void rowsNotUnderstood();
    void oneColumnPerRecord_data();
    void oneColumnPerRecord();
    void longDescriptions_data();
    void longDescriptions();
};

namespace {

const QList<QByteArray> noDebug;

QList<QByteArray> linesOf(const QByteArray& sheet)
{
    QList<QByteArray> lines = sheet.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray written(const kv310_controller_class& c, const dmxSheetKind& kind, int first, int last)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString* texts = &kind == &dmxSheetKind::masks() ? c.maskDescriptions.data() : c.sceneDescriptions.data();
    if (!dmxSheet::write(buffer, kind, c.configImage, texts, first, last))
        return QByteArray("write failed");
    return buffer.data();
}

dmxSheet::readStatus readSheet(const QByteArray& text, const dmxSheetKind& kind, dmxSheetColumns& columns)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return dmxSheet::read(buffer, kind, columns);
}

// "number up/duration/down", the channels that are not 0, the description.
QString summary(const dmx_sheet_row& c)
{
    QString s = QStringLiteral("%1 %2/%3/%4").arg(c.number).arg(c.fadeUp).arg(c.duration).arg(c.fadeDown);
    for (int ch = 0; ch < 512; ++ch)
        if (c.channels[size_t(ch)])
            s += QStringLiteral(" C%1=%2").arg(ch + 1).arg(c.channels[size_t(ch)]);
    if (!c.description.isEmpty())
        s += QStringLiteral(" '%1'").arg(c.description);
    return s;
}

QStringList summaries(const dmxSheetColumns& columns)
{
    QStringList out;
    for (const auto& c : columns)
        out << summary(*c);
    return out;
}

void setScene(kv310_controller_class& c, int scene, uint16_t up, uint16_t duration, uint16_t down)
{
    fadeTimes t = fadeTimes::read(c.configImage + img::sceneTimesOf(scene));
    t.fadeUp = up;
    t.duration = duration;
    t.fadeDown = down;
    t.write(c.configImage + img::sceneTimesOf(scene));
}

}  // namespace

void tst_dmx_sheet::writesTheSceneLayout()
{
    kv310_controller_class c;
    // Scenes 3 and 4 as shown: 1.5 s up, for ever, down at once; at once, 5 s, 2 s.
    setScene(c, 2, 15, 0xFFFF, 0);
    setScene(c, 3, 0, 50, 20);
    c.configImage[img::sceneChannelsOf(2) + 0] = 255;
    c.configImage[img::sceneChannelsOf(3) + 511] = 7;
    c.sceneDescriptions[2] = QStringLiteral("Wash ąę");

    const QByteArray sheet = written(c, dmxSheetKind::scenes(), 2, 3);
    QVERIFY(sheet.endsWith('\n'));
    QVERIFY(!sheet.contains('\r'));
    const QList<QByteArray> lines = linesOf(sheet);
    QCOMPARE(lines.size(), 518);
    QCOMPARE(lines.mid(0, 5), (QList<QByteArray>{"KVO DMX sheet", "scene;3;4", "RiseTime;15;0", "LastTime;-1;50",
                                                  "FallTime;0;20"}));
    QCOMPARE(lines.at(5), QByteArray("C1;255;0"));
    QCOMPARE(lines.at(6), QByteArray("C2;0;0"));
    QCOMPARE(lines.at(516), QByteArray("C512;0;7"));
    QCOMPARE(lines.at(517), QByteArray("desc;") + QStringLiteral("Wash ąę").toLocal8Bit() + ";");

    setScene(c, 2, 65535, 65534, 65535);
    QCOMPARE(linesOf(written(c, dmxSheetKind::scenes(), 2, 2)).mid(2, 3),
             (QList<QByteArray>{"RiseTime;65535", "LastTime;65534", "FallTime;65535"}));
}

void tst_dmx_sheet::writesTheMaskLayout()
{
    kv310_controller_class c;
    fadeTimes{4, 0xFFFF, 9, 0}.write(c.configImage + img::maskTimesOf(192));
    c.maskDescriptions[192] = QStringLiteral("first of the closing band");
    const QList<QByteArray> lines = linesOf(written(c, dmxSheetKind::masks(), 191, 192));
    QCOMPARE(lines.size(), 517);
    QCOMPARE(lines.mid(0, 5), (QList<QByteArray>{"Kvotera DMX sheet", "mask;192;193", "RiseTime;0;4", "FallTime;0;9",
                                                  "C1;255;0"}));
    QCOMPARE(lines.last(), QByteArray("desc;;first of the closing band"));
}

void tst_dmx_sheet::oneRecordGivesOneCell()
{
    kv310_controller_class c;
    const QList<QByteArray> lines = linesOf(written(c, dmxSheetKind::scenes(), 10239, 10239));
    QCOMPARE(lines.size(), 518);
    QCOMPARE(lines.at(0), QByteArray("KVO DMX sheet"));
    QCOMPARE(lines.at(1), QByteArray("scene;10240"));
    for (const QByteArray& line : lines.mid(1))
        QVERIFY2(line.count(';') == 1, line.constData());
}

// Nothing is quoted in a sheet: separators and line breaks of descriptions
// are written as what cannot shift a column or end a row.
void tst_dmx_sheet::descriptionsStayInTheirColumns()
{
    kv310_controller_class c;
    c.sceneDescriptions[0] = QStringLiteral("red; green");
    c.sceneDescriptions[1] = QStringLiteral("two\r\nlines\nthree\rfour");
    c.sceneDescriptions[2] = QStringLiteral("third");
    const QByteArray sheet = written(c, dmxSheetKind::scenes(), 0, 2);
    QCOMPARE(linesOf(sheet).size(), 518);
    QCOMPARE(linesOf(sheet).last(), QByteArray("desc;red, green;two lines three four;third"));

    dmxSheetColumns columns;
    QCOMPARE(readSheet(sheet, dmxSheetKind::scenes(), columns), dmxSheet::READ_OK);
    QCOMPARE(columns.size(), size_t(3));
    QCOMPARE(columns[0]->description, QStringLiteral("red, green"));
    QCOMPARE(columns[1]->description, QStringLiteral("two lines three four"));
    QCOMPARE(columns[2]->description, QStringLiteral("third"));
}

// A description that begins with a quote is the one cell written quoted:
// spreadsheets and the reader take it whole, and it reads back as it was.
void tst_dmx_sheet::aDescriptionBeginningWithAQuote()
{
    kv310_controller_class c;
    const QStringList texts{"\"Cytat\" na początku; dalej", "Łuk \"23\"", "\"", "\"a\"", "plain"};
    for (int s = 0; s < texts.size(); ++s)
        c.sceneDescriptions[size_t(s)] = texts.at(s);
    const QByteArray sheet = written(c, dmxSheetKind::scenes(), 0, 4);
    QCOMPARE(QString::fromUtf8(linesOf(sheet).last()),
             QStringLiteral("desc;\"\"\"Cytat\"\" na początku, dalej\";Łuk \"23\";\"\"\"\";\"\"\"a\"\"\";plain"));

    dmxSheetColumns columns;
    QCOMPARE(readSheet(sheet, dmxSheetKind::scenes(), columns), dmxSheet::READ_OK);
    QStringList read;
    for (const auto& column : columns)
        read << column->description;
    QCOMPARE(read, (QStringList{"\"Cytat\" na początku, dalej", "Łuk \"23\"", "\"", "\"a\"", "plain"}));
}

void tst_dmx_sheet::reportsAFailedWrite()
{
    kv310_controller_class c;
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
    QVERIFY(!dmxSheet::write(readOnly, dmxSheetKind::scenes(), c.configImage, c.sceneDescriptions.data(), 0, 0));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(!dmxSheet::write(buffer, dmxSheetKind::scenes(), c.configImage, c.sceneDescriptions.data(), 3, 2));
    QVERIFY(!dmxSheet::write(buffer, dmxSheetKind::masks(), c.configImage, c.maskDescriptions.data(), 0, 256));
    QVERIFY(buffer.data().isEmpty());
}

void tst_dmx_sheet::reads_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QList<QByteArray>>("debug");

    const int ok = dmxSheet::READ_OK;
    const int empty = dmxSheet::READ_EMPTY;
    const int invalid = dmxSheet::READ_INVALID;
    const QByteArray head = "KVO DMX sheet\n";

    QTest::newRow("clamps") << false
                            << head + "scene;-4;10241;7\nRiseTime;-5;70000;3\nLastTime;-1;70000;65534\n"
                                      "FallTime;70000;-5;9\nC1;-1;300;17\n"
                            << ok
                            << QStringList{"0 0/65535/65535", "7 3/65534/9 C1=17", "10240 65535/65535/0 C1=255"}
                            << noDebug;
    QTest::newRow("10239 and 10240 kept apart") << false << head + "scene;10240;10239\nRiseTime;2;1\n" << ok
                                                << QStringList{"10239 1/65535/0", "10240 2/65535/0"} << noDebug;
    QTest::newRow("row names") << false << head + "scene;1\nC0;9\nC513;9\nCx;9\nc5;9\nScene;4\nC512;6\n" << ok
                               << QStringList{"1 0/65535/0 C512=6"}
                               << QList<QByteArray>{"Invalid value: 0", "Invalid value: 513", "Invalid value: 0",
                                                    "\"c5\" : niezinterpretowany!",
                                                    "\"Scene\" : niezinterpretowany!"};
    QTest::newRow("mask rows") << true << QByteArray("Kvotera DMX sheet\nmask;3\nC600;1\nLastTime;40\n") << ok
                               << QStringList{"3 0/40/0"} << QList<QByteArray>{"Invalid value : 600"};
    QTest::newRow("a scene sheet on the mask page") << true << head + "scene;7;8\nRiseTime;1;2\n" << ok
                                                    << QStringList{"1 1/65535/0", "2 2/65535/0"}
                                                    << QList<QByteArray>{"\"scene\" : niezinterpretowany!"};
    QTest::newRow("CR LF and empty lines") << false << head + "\r\nscene;2;1\r\n\r\n\nC3;4;5\r\ndesc;a;b\r\n" << ok
                                           << QStringList{"1 0/65535/0 C3=5 'b'", "2 0/65535/0 C3=4 'a'"}
                                           << noDebug;
    QTest::newRow("no line end at the end") << false << head + "scene;5\nC2;8" << ok
                                            << QStringList{"5 0/65535/0 C2=8"} << noDebug;
    QTest::newRow("blanks around numbers") << false << head + "scene; 4 ;+6\nRiseTime;\t3;1 2\n" << ok
                                           << QStringList{"4 3/65535/0", "6 0/65535/0"} << noDebug;
    QTest::newRow("rows in any order, the later wins")
        << false << head + "C1;1;1\ndesc;x;y\nscene;2;1\nC1;9\nRiseTime;4;5\n" << ok
        << QStringList{"1 5/65535/0 C1=1 'y'", "2 4/65535/0 C1=9 'x'"} << noDebug;
    // An inserted column moves no other: it takes the lowest free number from 1.
    QTest::newRow("numbers for unnumbered columns") << false << head + "scene;5;9;;12\nRiseTime;1;2;3;4\n" << ok
                                                    << QStringList{"1 3/65535/0", "5 1/65535/0", "9 2/65535/0",
                                                                   "12 4/65535/0"}
                                                    << noDebug;
    QTest::newRow("no number row") << false << head + "RiseTime;1;2;3\n" << ok
                                   << QStringList{"1 1/65535/0", "2 2/65535/0", "3 3/65535/0"} << noDebug;
    QTest::newRow("1 taken") << false << head + "scene;;1;;0\nRiseTime;1;2;3;4\n" << ok
                             << QStringList{"0 4/65535/0", "1 2/65535/0", "2 1/65535/0", "3 3/65535/0"} << noDebug;
    QTest::newRow("two gaps filled") << false << head + "scene;0;;1;;3\nC1;1;2;3;4;5\n" << ok
                                     << QStringList{"0 0/65535/0 C1=1", "1 0/65535/0 C1=3", "2 0/65535/0 C1=2",
                                                    "3 0/65535/0 C1=5", "4 0/65535/0 C1=4"}
                                     << noDebug;
    QTest::newRow("trailing separators add no column")
        << false << head + "scene;1;2;\nRiseTime;3;4;\nC1;5;6;\ndesc;a;b;\n" << ok
        << QStringList{"1 3/65535/0 C1=5 'a'", "2 4/65535/0 C1=6 'b'"} << noDebug;
    QTest::newRow("cells of ignored rows add no column") << false << head + "scene;1\nnotes;x;y;z\nC0;1;2;3\n" << ok
                                                         << QStringList{"1 0/65535/0"}
                                                         << QList<QByteArray>{"\"notes\" : niezinterpretowany!",
                                                                              "Invalid value: 0"};
    QTest::newRow("a description alone makes a column") << false << head + "desc;;only\n" << ok
                                                        << QStringList{"1 0/65535/0 'only'"} << noDebug;
    QTest::newRow("a row name alone") << false << head + "desc\nscene\n" << empty << QStringList{} << noDebug;
    QTest::newRow("no record") << false << head + "RiseTime;x;;\n" << empty << QStringList{} << noDebug;
    QTest::newRow("any first line") << false << QByteArray("Kvotera DMX sheet\r\nscene;2\n") << ok
                                    << QStringList{"2 0/65535/0"} << noDebug;
    QTest::newRow("the first line is never a row") << false << QByteArray("scene;4\nscene;2\n") << ok
                                                   << QStringList{"2 0/65535/0"} << noDebug;
    QTest::newRow("bare mask header") << false << QByteArray("Kvotera DMX sheet") << invalid << QStringList{}
                                      << noDebug;
    QTest::newRow("bare mask header, line end") << false << QByteArray("Kvotera DMX sheet\n") << empty
                                                << QStringList{} << noDebug;
    QTest::newRow("bare scene header") << false << QByteArray("KVO DMX sheet") << empty << QStringList{} << noDebug;
    QTest::newRow("empty file") << false << QByteArray() << invalid << QStringList{} << noDebug;
}

void tst_dmx_sheet::reads()
{
    QFETCH(bool, masks);
    QFETCH(QByteArray, sheet);
    QFETCH(int, status);
    QFETCH(QStringList, columns);
    QFETCH(QList<QByteArray>, debug);
    for (const QByteArray& text : debug)
        QTest::ignoreMessage(QtDebugMsg, text.constData());
    dmxSheetColumns read;
    QCOMPARE(int(readSheet(sheet, masks ? dmxSheetKind::masks() : dmxSheetKind::scenes(), read)), status);
    QCOMPARE(summaries(read), columns);
}

void tst_dmx_sheet::readsQuotedCells_data()
{
    QTest::addColumn<QByteArray>("sheet");  // after the first line
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QList<QByteArray>>("debug");

    QTest::newRow("quoted row names and numbers")
        << QByteArray("\"scene\";\"3\";4\n\"RiseTime\";\" 5 \";6\n")
        << QStringList{"3 5/65535/0", "4 6/65535/0"} << noDebug;
    QTest::newRow("separators and doubled quotes inside")
        << QByteArray("scene;1;2;3;4\ndesc;\"a;b\";\"Łuk \"\"23\"\"\";\"\";\"a\"\"\"\n")
        << QStringList{"1 0/65535/0 'a;b'", "2 0/65535/0 'Łuk \"23\"'", "3 0/65535/0", "4 0/65535/0 'a\"'"}
        << noDebug;
    QTest::newRow("closed before CR LF") << QByteArray("scene;1;2\r\ndesc;\"x y\"\r\n\"C1\";\"7\"\r\n")
                                         << QStringList{"1 0/65535/0 C1=7 'x y'", "2 0/65535/0"} << noDebug;
    // A single quote followed by text: the cell is read as it stands, up to
    // the next separator, as descriptions written as they are hold it.
    QTest::newRow("a quote followed by text") << QByteArray("scene;1;2;3;4\ndesc;\"A\" b;C;D;the \"end\"\n")
                                              << QStringList{"1 0/65535/0 '\"A\" b'", "2 0/65535/0 'C'",
                                                             "3 0/65535/0 'D'", "4 0/65535/0 'the \"end\"'"}
                                              << noDebug;
    QTest::newRow("a quote inside, then a separator further on")
        << QByteArray("scene;1;2\ndesc;\"say \"hi\" now\";x\n")
        << QStringList{"1 0/65535/0 '\"say \"hi\" now\"'", "2 0/65535/0 'x'"} << noDebug;
    QTest::newRow("a quote and a CR inside") << QByteArray("scene;1;2\ndesc;\"a\"\rb\";x\n")
                                             << QStringList{"1 0/65535/0 '\"a\"\rb\"'", "2 0/65535/0 'x'"}
                                             << noDebug;
    QTest::newRow("a doubled quote, then text") << QByteArray("scene;1;2\ndesc;\"\"x;y\n")
                                                << QStringList{"1 0/65535/0 '\"\"x'", "2 0/65535/0 'y'"} << noDebug;
    // Row names and number cells are read the same way.
    QTest::newRow("a row name and numbers as they stand")
        << QByteArray("scene;1;2\n\"RiseTime\" x;5;6\nFallTime;\"4\" ;\"5\"5\n")
        << QStringList{"1 0/65535/0", "2 0/65535/0"}
        << QList<QByteArray>{"\"\\\"RiseTime\\\" x\" : niezinterpretowany!"};
    // The cell after a separator inside a quote that turns out plain is
    // judged on its own: here quoted and empty.
    QTest::newRow("a quoted cell inside a plain one")
        << QByteArray("scene;1;2;3\ndesc;\"a;\"\";b\" x\n")
        << QStringList{"1 0/65535/0 '\"a'", "2 0/65535/0", "3 0/65535/0 'b\" x'"} << noDebug;
    QTest::newRow("the same quotes closing") << QByteArray("scene;1;2\ndesc;\"a;\"\";b\";x\n")
                                             << QStringList{"1 0/65535/0 'a;\";b'", "2 0/65535/0 'x'"} << noDebug;
    // The one cell both readings give alike: spreadsheets take it quoted.
    QTest::newRow("a description wholly in quotes") << QByteArray("scene;1;2\ndesc;\"Front\";x\n")
                                                    << QStringList{"1 0/65535/0 'Front'", "2 0/65535/0 'x'"}
                                                    << noDebug;
    // Not closed on its line: the rest of the line is read as it stands.
    QTest::newRow("not closed") << QByteArray("scene;1;2;3\ndesc;\"a;b\"c;d\n")
                                << QStringList{"1 0/65535/0 '\"a'", "2 0/65535/0 'b\"c'", "3 0/65535/0 'd'"}
                                << noDebug;
    QTest::newRow("not closed, CR LF") << QByteArray("scene;1;2\r\nRiseTime;\"4;5\r\nFallTime;\"6\r\n")
                                       << QStringList{"1 0/65535/0", "2 5/65535/0"} << noDebug;
    QTest::newRow("only a quote") << QByteArray("scene;1;2\ndesc;\";x\n")
                                  << QStringList{"1 0/65535/0 '\"'", "2 0/65535/0 'x'"} << noDebug;
    QTest::newRow("not closed at the end of the input") << QByteArray("scene;1;2\ndesc;\"a;b")
                                                        << QStringList{"1 0/65535/0 '\"a'", "2 0/65535/0 'b'"}
                                                        << noDebug;
    QTest::newRow("closed at the end of the input") << QByteArray("scene;1\n\"RiseTime\";\"4\"")
                                                    << QStringList{"1 4/65535/0"} << noDebug;
    QTest::newRow("a quote later in a cell") << QByteArray("scene;1;2\ndesc;a \"b;c\"\n")
                                             << QStringList{"1 0/65535/0 'a \"b'", "2 0/65535/0 'c\"'"} << noDebug;
    QTest::newRow("a row name not closed") << QByteArray("\"desc;a\nscene;1\n\"C2;5\n")
                                           << QStringList{"1 0/65535/0"}
                                           << QList<QByteArray>{"\"\\\"desc\" : niezinterpretowany!",
                                                                "\"\\\"C2\" : niezinterpretowany!"};
    QTest::newRow("a row name alone, quoted") << QByteArray("scene;1\n\"C2\"\n\"\"\nC2;\"3\"\n")
                                              << QStringList{"1 0/65535/0 C2=3"} << noDebug;
    QTest::newRow("quoted empty cells") << QByteArray("scene;\"\";\"\";7\nRiseTime;\"\";1;2\n")
                                        << QStringList{"1 1/65535/0", "7 2/65535/0"} << noDebug;
    QTest::newRow("an ignored row") << QByteArray("scene;1\nnotes;\"x;y\nC1;\"5\"\n")
                                    << QStringList{"1 0/65535/0 C1=5"}
                                    << QList<QByteArray>{"\"notes\" : niezinterpretowany!"};
    QTest::newRow("a long quoted description") << "desc;\"" + QByteArray(3000, 'w') + "\";x\n"
                                               << QStringList{"1 0/65535/0 '" + QString(1024, u'w') + "'",
                                                              "2 0/65535/0 'x'"}
                                               << noDebug;
}

void tst_dmx_sheet::readsQuotedCells()
{
    QFETCH(QByteArray, sheet);
    QFETCH(QStringList, columns);
    QFETCH(QList<QByteArray>, debug);
    for (const QByteArray& text : debug)
        QTest::ignoreMessage(QtDebugMsg, text.constData());
    dmxSheetColumns read;
    QCOMPARE(readSheet("\"KVO DMX sheet\";;\n" + sheet, dmxSheetKind::scenes(), read), dmxSheet::READ_OK);
    QCOMPARE(summaries(read), columns);
}

// Sheets read whole and sheets handed out a few bytes at a time read alike,
// wherever a quoted cell or a line end falls.
void tst_dmx_sheet::chunksDoNotMatter()
{
    QList<QByteArray> sheets;
    for (const QString& name : QDir(QStringLiteral(KV_TEST_DATA "/sheets")).entryList(QDir::Files)) {
        QFile file(QStringLiteral(KV_TEST_DATA "/sheets/") + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        sheets << file.readAll();
    }
    QVERIFY(sheets.size() >= 5);
    char piece[64];
    trickleDevice few("abcdefg", 3);
    QCOMPARE(few.read(piece, sizeof piece), qint64(3));
    sheets << "x\n\"scene\";1;\"2\"\r\ndesc;\"a;\"\"b\"\"\";\"c\"\r\nRiseTime;\"1;2\r\nFallTime;\"3\"\r;\"4\"\"\"\r";
    for (const QByteArray& sheet : sheets) {
        dmxSheetColumns whole;
        dmxSheetFindings wholeFound;
        QBuffer buffer;
        buffer.setData(sheet);
        buffer.open(QIODevice::ReadOnly);
        const dmxSheetKind& kind = sheet.contains("Kvotera") ? dmxSheetKind::masks() : dmxSheetKind::scenes();
        QCOMPARE(dmxSheet::read(buffer, kind, whole, &wholeFound), dmxSheet::READ_OK);
        for (const int step : {1, 2, 3, 7}) {
            trickleDevice device(sheet, step);
            dmxSheetColumns pieces;
            dmxSheetFindings piecesFound;
            QCOMPARE(dmxSheet::read(device, kind, pieces, &piecesFound), dmxSheet::READ_OK);
            QCOMPARE(device.reads, int((sheet.size() + step - 1) / step));
            QCOMPARE(summaries(pieces), summaries(whole));
            QCOMPARE(piecesFound.unreadCells, wholeFound.unreadCells);
            QCOMPARE(piecesFound.rowsNotUnderstood, wholeFound.rowsNotUnderstood);
            QCOMPARE(piecesFound.firstRowNotUnderstood, wholeFound.firstRowNotUnderstood);
        }
    }
}

void tst_dmx_sheet::unreadableCells_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QByteArray>("sheet");  // after the first line
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<QByteArray>>("debug");

    QTest::newRow("every cell reads") << false << QByteArray("scene;1;2\nRiseTime;5; 6 \nC1;-1;300\n") << 0
                                      << QString() << 0 << noDebug;
    QTest::newRow("fractions and clock times")
        << false << QByteArray("scene;1;2;3\nRiseTime;5;1.5;\nLastTime;12:30:00;-1; \nC7;1,5;x;2\n") << 4
        << "RiseTime" << 2 << noDebug;
    QTest::newRow("blank and empty cells are empty")
        << false << QByteArray("scene;1;2\nRiseTime; ;\t;\nFallTime;\"\";\" \"\n") << 0 << QString() << 0
        << noDebug;
    QTest::newRow("quoted") << false << QByteArray("scene;1;2\n\"C3\";\"1.5\";\"7\"\n") << 1 << "C3" << 1
                            << noDebug;
    QTest::newRow("a number") << false << QByteArray("scene;x;2\nRiseTime;1;1\n") << 1 << "scene" << 1
                              << noDebug;
    QTest::newRow("too long to keep") << false << "scene;1\nFallTime;" + QByteArray(70, '1') + "\n" << 1
                                      << "FallTime" << 1 << noDebug;
    QTest::newRow("not closed") << false << QByteArray("scene;1;2\nRiseTime;\"1;x\n") << 2 << "RiseTime" << 1
                                << noDebug;
    QTest::newRow("texts and ignored rows") << false << QByteArray("scene;1\ndesc;1.5\nnotes;1.5\nC0;1.5\n") << 0
                                            << QString() << 0
                                            << QList<QByteArray>{"\"notes\" : niezinterpretowany!",
                                                                 "Invalid value: 0"};
    QByteArray many = "RiseTime";
    for (int i = 0; i < 255; ++i)
        many += ";1";
    QTest::newRow("the last mask column") << true << many + ";?;?\n" << 1 << "RiseTime" << 256 << noDebug;
    QTest::newRow("beyond the mask columns") << true << many + ";1;?\n" << 0 << QString() << 0 << noDebug;
}

void tst_dmx_sheet::unreadableCells()
{
    QFETCH(bool, masks);
    QFETCH(QByteArray, sheet);
    QFETCH(int, count);
    QFETCH(QString, row);
    QFETCH(int, column);
    QFETCH(QList<QByteArray>, debug);
    for (const QByteArray& text : debug)
        QTest::ignoreMessage(QtDebugMsg, text.constData());
    QBuffer buffer;
    buffer.setData("x\n" + sheet);
    buffer.open(QIODevice::ReadOnly);
    dmxSheetColumns columns;
    dmxSheetFindings found;
    QCOMPARE(dmxSheet::read(buffer, masks ? dmxSheetKind::masks() : dmxSheetKind::scenes(), columns, &found),
             dmxSheet::READ_OK);
    QCOMPARE(found.unreadCells, count);
    QCOMPARE(found.unreadRow, row);
    QCOMPARE(found.unreadColumn, column);
}

void tst_dmx_sheet::invalidSheetsLeaveTheColumns()
{
    dmxSheetColumns columns;
    QCOMPARE(readSheet("x\nscene;3\n", dmxSheetKind::scenes(), columns), dmxSheet::READ_OK);
    QCOMPARE(readSheet("", dmxSheetKind::scenes(), columns), dmxSheet::READ_INVALID);
    QCOMPARE(summaries(columns), QStringList{"3 0/65535/0"});
    QCOMPARE(readSheet("x\n", dmxSheetKind::scenes(), columns), dmxSheet::READ_EMPTY);
    QVERIFY(columns.empty());
}

// A hostile line cannot make more columns than there are records.
void tst_dmx_sheet::masksReadAtMost256Columns()
{
    QByteArray sheet = "Kvotera DMX sheet\nRiseTime";
    for (int i = 0; i < 300; ++i)
        sheet += ";" + QByteArray::number(i);
    sheet += "\ndesc" + QByteArray(100000, ';') + "x\n";
    dmxSheetColumns columns;
    QCOMPARE(readSheet(sheet, dmxSheetKind::masks(), columns), dmxSheet::READ_OK);
    QCOMPARE(columns.size(), size_t(256));
    QCOMPARE(columns.front()->number, uint16_t(1));
    QCOMPARE(columns.back()->number, uint16_t(256));
    QCOMPARE(columns.back()->fadeUp, uint16_t(255));
    QVERIFY(columns.back()->description.isEmpty());
}

// Lines far longer than any buffer: a channel row of 600 records and a
// description row of more than 5000 bytes keep every cell in its column.
void tst_dmx_sheet::longLinesAreReadWhole()
{
    QByteArray numbers = "scene", channel = "C2", desc = "desc";
    for (int r = 0; r < 600; ++r) {
        numbers += ";" + QByteArray::number(r + 1);
        channel += ";" + QByteArray::number(r % 256);
        desc += ";" + (r == 300 ? QByteArray(400, 'w') : "description " + QByteArray::number(r));
    }
    QVERIFY(desc.size() > 5000);
    dmxSheetColumns columns;
    QCOMPARE(readSheet("KVO DMX sheet\n" + numbers + "\n" + channel + "\n" + desc + "\nRiseTime;7\n",
                       dmxSheetKind::scenes(), columns),
             dmxSheet::READ_OK);
    QCOMPARE(columns.size(), size_t(600));
    for (int r = 0; r < 600; ++r) {
        QCOMPARE(columns[size_t(r)]->number, uint16_t(r + 1));
        QCOMPARE(columns[size_t(r)]->channels[1], uint8_t(r % 256));
        QCOMPARE(columns[size_t(r)]->description,
                 r == 300 ? QString(400, QLatin1Char('w')) : QStringLiteral("description %1").arg(r));
    }
    QCOMPARE(columns[0]->fadeUp, uint16_t(7));
}

void tst_dmx_sheet::storing_data()
{
    QTest::addColumn<QByteArray>("numbers");  // number row of the sheet
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QList<int>>("stored");   // scene index of each column, -1 not stored
    QTest::addColumn<int>("outside");         // number of the column that stopped the store, -1 none

    const QList<int> none{-1, -1, -1};
    QTest::newRow("as exported") << QByteArray("scene;3;4;5") << 3 << 5 << 0 << QList<int>{2, 3, 4} << -1;
    QTest::newRow("relocated") << QByteArray("scene;3;4;5") << 3 << 5 << 10 << QList<int>{12, 13, 14} << -1;
    QTest::newRow("part of the range") << QByteArray("scene;3;4;5") << 4 << 4 << -1 << QList<int>{-1, 2, -1} << -1;
    QTest::newRow("from above to") << QByteArray("scene;3;4;5") << 5 << 4 << 0 << none << -1;
    // Columns 0 and 10240 leave no relocation that keeps both in the table:
    // rather than lose one, nothing is stored.
    QTest::newRow("0 and 10240") << QByteArray("scene;0;5;10240") << 0 << 10240 << 1 << none << 10240;
    QTest::newRow("0 and 10240 unshifted") << QByteArray("scene;0;5;10240") << 0 << 10240 << 0 << none << 0;
    QTest::newRow("0 and 10240, a range that fits") << QByteArray("scene;0;5;10240") << 0 << 10239 << 1
                                                    << QList<int>{0, 5, -1} << -1;
    QTest::newRow("relocated beyond the table") << QByteArray("scene;3;4;5") << 3 << 5 << 10236 << none << 5;
}

void tst_dmx_sheet::storing()
{
    QFETCH(QByteArray, numbers);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, shift);
    QFETCH(QList<int>, stored);
    QFETCH(int, outside);

    dmxSheetColumns columns;
    QCOMPARE(readSheet("KVO DMX sheet\n" + numbers + "\nRiseTime;11;12;13\nLastTime;-1;0;5\nFallTime;1;2;3\n"
                                                     "C1;21;22;23\nC512;31;32;33\ndesc;one;two;three\n",
                       dmxSheetKind::scenes(), columns),
             dmxSheet::READ_OK);
    kv310_controller_class c;
    for (int s = 0; s < img::SCENES; ++s) {
        fadeTimes{100, 100, 100, uint16_t(s)}.write(c.configImage + img::sceneTimesOf(s));
        std::memset(c.configImage + img::sceneChannelsOf(s), 0x55, 512);
    }
    const QByteArray untouched = QByteArray(512, '\x55');

    const dmxSheet::storeResult result = dmxSheet::store(columns, dmxSheetKind::scenes(), c.configImage,
                                                         c.sceneDescriptions.data(), from, to, shift);
    const int count = result.stored;
    QCOMPARE(count, int(stored.size() - stored.count(-1)));
    QCOMPARE(result.outside, outside);
    QCOMPARE(result.timesRepaired, 0);
    const QStringList names{"one", "two", "three"};
    for (int k = 0; k < stored.size(); ++k) {
        const int s = stored.at(k);
        if (s < 0)
            continue;
        const fadeTimes t = fadeTimes::read(c.configImage + img::sceneTimesOf(s));
        QCOMPARE(t.fadeUp, uint16_t(11 + k));
        QCOMPARE(t.duration, k == 0 ? uint16_t(0xFFFF) : k == 1 ? uint16_t(0) : uint16_t(5));
        QCOMPARE(t.fadeDown, uint16_t(1 + k));
        QCOMPARE(t.reserved, uint16_t(s));
        const uint8_t* levels = c.configImage + img::sceneChannelsOf(s);
        QCOMPARE(int(levels[0]), 21 + k);
        QCOMPARE(int(levels[1]), 0);
        QCOMPARE(int(levels[511]), 31 + k);
        QCOMPARE(c.sceneDescriptions[size_t(s)], names.at(k));
    }
    int changed = 0;
    for (int s = 0; s < img::SCENES; ++s)
        changed += QByteArray(reinterpret_cast<const char*>(c.configImage + img::sceneChannelsOf(s)), 512) != untouched;
    QCOMPARE(changed, count);
}

// The last five scenes, full of levels, times and descriptions (one with a
// separator), go out and come back into another show unchanged.
void tst_dmx_sheet::theLastScenesRoundTrip()
{
    kv310_controller_class out;
    uint32_t seed = 12345;
    for (int s = 10235; s < img::SCENES; ++s) {
        for (int ch = 0; ch < 512; ++ch) {
            seed = seed * 1103515245u + 12345u;
            out.configImage[img::sceneChannelsOf(s) + uint32_t(ch)] = uint8_t(seed >> 16);
        }
        fadeTimes{uint16_t(s), uint16_t(s == 10239 ? 0xFFFF : 65534 - s), uint16_t(65535 - s), 0x1111}.write(
            out.configImage + img::sceneTimesOf(s));
        out.sceneDescriptions[size_t(s)] = QStringLiteral("Scene %1 ł").arg(s + 1);
    }
    out.sceneDescriptions[10236] = QStringLiteral("front; back");
    const QByteArray sheet = written(out, dmxSheetKind::scenes(), 10235, 10239);
    QCOMPARE(linesOf(sheet).size(), 518);

    dmxSheetColumns columns;
    QCOMPARE(readSheet(sheet, dmxSheetKind::scenes(), columns), dmxSheet::READ_OK);
    QCOMPARE(columns.front()->number, uint16_t(10236));
    QCOMPARE(columns.back()->number, uint16_t(10240));
    kv310_controller_class in;
    for (int s = 10230; s < img::SCENES; ++s)
        fadeTimes{0, 0, 0, 0x2222}.write(in.configImage + img::sceneTimesOf(s));
    QCOMPARE(dmxSheet::store(columns, dmxSheetKind::scenes(), in.configImage, in.sceneDescriptions.data(), 10236,
                             10240, 0)
                 .stored,
             5);

    out.sceneDescriptions[10236] = QStringLiteral("front, back");
    for (int s = 10235; s < img::SCENES; ++s) {
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(in.configImage + img::sceneChannelsOf(s)), 512),
                 QByteArray(reinterpret_cast<const char*>(out.configImage + img::sceneChannelsOf(s)), 512));
        const fadeTimes was = fadeTimes::read(out.configImage + img::sceneTimesOf(s));
        const fadeTimes got = fadeTimes::read(in.configImage + img::sceneTimesOf(s));
        QCOMPARE(got.fadeUp, was.fadeUp);
        QCOMPARE(got.duration, was.duration);
        QCOMPARE(got.fadeDown, was.fadeDown);
        QCOMPARE(got.reserved, uint16_t(0x2222));
        QCOMPARE(in.sceneDescriptions[size_t(s)], out.sceneDescriptions[size_t(s)]);
    }
    QCOMPARE(fadeTimes::read(in.configImage + img::sceneTimesOf(10234)).fadeUp, uint16_t(0));
}

void tst_dmx_sheet::allTimesZero_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QList<int>>("durations");  // stored, by column
    QTest::addColumn<int>("repaired");
    // Scenes never keep all three times 0, whichever scene the page shows.
    QTest::newRow("scenes") << false << QList<int>{10, 0, 0, 0xFFFF} << 1;
    // A mask's rule acts only when the user sets its duration.
    QTest::newRow("masks") << true << QList<int>{0, 0, 0, 0xFFFF} << 0;
}

void tst_dmx_sheet::allTimesZero()
{
    QFETCH(bool, masks);
    QFETCH(QList<int>, durations);
    QFETCH(int, repaired);
    const dmxSheetKind& kind = masks ? dmxSheetKind::masks() : dmxSheetKind::scenes();
    dmxSheetColumns columns;
    QCOMPARE(readSheet("x\nRiseTime;0;0;4;0\nLastTime;0;0;0;-1\nFallTime;0;3;0;0\n", kind, columns),
             dmxSheet::READ_OK);
    kv310_controller_class c;
    QString* texts = masks ? c.maskDescriptions.data() : c.sceneDescriptions.data();
    const dmxSheet::storeResult result = dmxSheet::store(columns, kind, c.configImage, texts, 1, 4, 0);
    QCOMPARE(result.stored, 4);
    QCOMPARE(result.timesRepaired, repaired);
    for (int k = 0; k < 4; ++k) {
        const fadeTimes t = fadeTimes::read(c.configImage + (masks ? img::maskTimesOf(k) : img::sceneTimesOf(k)));
        QCOMPARE(int(t.duration), durations.at(k));
        QCOMPARE(int(t.fadeUp), k == 2 ? 4 : 0);
        QCOMPARE(int(t.fadeDown), k == 1 ? 3 : 0);
    }
}

// A sheet as the program wrote it before descriptions were quoted, and as
// other installations write it: every description as it is, quotes
// anywhere in it (none wholly in quotes). 300 scenes come back with each
// description on its own scene.
void tst_dmx_sheet::descriptionsWrittenAsTheyAre()
{
    kv310_controller_class c;
    const QStringList withQuotes{"\"A\" b", "the \"end\"", "\"Cytat\" na początku", "say \"hi\" now", "\" lone",
                                 "\"\"x", "\"5\" minut", "12\" spot"};
    QStringList texts;
    for (int s = 0; s < 300; ++s) {
        const QString quoted = withQuotes.at((s / 10) % withQuotes.size());
        texts << (s % 10 == 3   ? QStringLiteral("%1 %2").arg(quoted).arg(s + 1)
                  : s % 10 == 6 ? QStringLiteral("%1 %2").arg(s + 1).arg(quoted)
                                : QStringLiteral("Scene %1").arg(s + 1));
        c.configImage[img::sceneChannelsOf(s) + 7] = uint8_t(s);
    }
    QList<QByteArray> lines = linesOf(written(c, dmxSheetKind::scenes(), 0, 299));
    QByteArray desc = "desc";
    for (const QString& text : texts)
        desc += ';' + text.toLocal8Bit();
    lines.last() = desc;
    const QByteArray sheet = lines.join('\n') + '\n';

    dmxSheetColumns columns;
    dmxSheetFindings found;
    QBuffer buffer;
    buffer.setData(sheet);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(dmxSheet::read(buffer, dmxSheetKind::scenes(), columns, &found), dmxSheet::READ_OK);
    QCOMPARE(columns.size(), size_t(300));
    QStringList read;
    for (const auto& column : columns) {
        QCOMPARE(int(column->channels[7]), (column->number - 1) % 256);
        read << column->description;
    }
    QCOMPARE(read, texts);
    QCOMPARE(found.unreadCells, 0);
    QCOMPARE(found.rowsNotUnderstood, 0);
}

void tst_dmx_sheet::rowsNotUnderstood_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QByteArray>("sheet");  // after the first line
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");

    QTest::newRow("every row understood") << false << QByteArray("\"scene\";1\r\n\r\nRiseTime;2\nC512;3\n\n\"\"\n") << 0
                                          << QString();
    QTest::newRow("names are exact")
        << false << QByteArray("scene;1;2\nRisetime;11;12\nRiseTime ;13;14\n C1;5;6\nc2;7;8\nDesc;x;y\n") << 5
        << "Risetime";
    QTest::newRow("channel rows naming no channel") << false << QByteArray("scene;1\nC1;5\nC513;1\nC0;1\nCx\n") << 3
                                                    << "C513";
    QTest::newRow("the rest of a cell that held a line break")
        << false << QByteArray("scene;1;2\ndesc;\"two\nlines\";x\n") << 1 << "lines\"";
    QTest::newRow("a row name alone, another empty") << false << QByteArray("notes\n;5\n") << 2 << "notes";
    QTest::newRow("a scene sheet on the mask page") << true << QByteArray("scene;7\nLastTime;4\n") << 1 << "scene";
    QTest::newRow("a long name, cut to 40 characters")
        << false << QString(50, u'ł').toUtf8() + ";1\n" << 1 << QString(40, u'ł');
    const QString smile = QStringLiteral("\U0001F600");
    QTest::newRow("characters beyond 16 bits") << false << smile.repeated(45).toUtf8() + ";1\n" << 1
                                               << smile.repeated(40);
}

// Rows the page has no use for are counted, the first one named, beside
// the debug output; the values they hold reach no record.
void tst_dmx_sheet::rowsNotUnderstood()
{
    QFETCH(bool, masks);
    QFETCH(QByteArray, sheet);
    QFETCH(int, count);
    QFETCH(QString, first);
    QBuffer buffer;
    buffer.setData("KVO DMX sheet\n" + sheet);
    buffer.open(QIODevice::ReadOnly);
    dmxSheetColumns columns;
    dmxSheetFindings found;
    dmxSheet::read(buffer, masks ? dmxSheetKind::masks() : dmxSheetKind::scenes(), columns, &found);
    QCOMPARE(found.rowsNotUnderstood, count);
    QCOMPARE(found.firstRowNotUnderstood, first);
}

void tst_dmx_sheet::oneColumnPerRecord_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QByteArray>("numbers");  // number row of the sheet
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("replaced");
    QTest::addColumn<QList<int>>("records");  // by column: the record it is found in, -1 none

    QTest::newRow("two columns, one scene") << false << QByteArray("scene;7;7;8") << 7 << 8 << 0 << 1
                                            << QList<int>{-1, 6, 7};
    QTest::newRow("three on one") << false << QByteArray("scene;5;5;5") << 5 << 5 << 0 << 2 << QList<int>{-1, -1, 4};
    QTest::newRow("clamped onto the last scene") << false << QByteArray("scene;10239;10240;10241") << 10239 << 10240
                                                 << 0 << 1 << QList<int>{10238, -1, 10239};
    QTest::newRow("relocated") << false << QByteArray("scene;7;7;8") << 7 << 8 << 5 << 1 << QList<int>{-1, 11, 12};
    QTest::newRow("outside the range") << false << QByteArray("scene;7;7;8") << 8 << 8 << 0 << 0
                                       << QList<int>{-1, -1, 7};
    QTest::newRow("masks") << true << QByteArray("mask;7;7;8") << 7 << 8 << 0 << 1 << QList<int>{-1, 6, 7};
}

// Columns that reach one record write it once, with the one furthest right
// in the sheet; the records are counted once and the others reported.
void tst_dmx_sheet::oneColumnPerRecord()
{
    QFETCH(bool, masks);
    QFETCH(QByteArray, numbers);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, shift);
    QFETCH(int, replaced);
    QFETCH(QList<int>, records);
    const dmxSheetKind& kind = masks ? dmxSheetKind::masks() : dmxSheetKind::scenes();
    dmxSheetColumns columns;
    QCOMPARE(readSheet("x\n" + numbers + "\nRiseTime;11;12;13\nC1;21;22;23\ndesc;a;b;c\n", kind, columns),
             dmxSheet::READ_OK);
    kv310_controller_class c;
    QString* texts = masks ? c.maskDescriptions.data() : c.sceneDescriptions.data();
    const dmxSheet::storeResult result = dmxSheet::store(columns, kind, c.configImage, texts, from, to, shift);
    QCOMPARE(result.replaced, replaced);
    QCOMPARE(result.stored, int(records.size() - records.count(-1)));
    for (int k = 0; k < records.size(); ++k) {
        const int r = records.at(k);
        if (r < 0)
            continue;
        QCOMPARE(texts[r], QString(QChar(u'a' + k)));
        QCOMPARE(int(c.configImage[(masks ? img::maskChannelsOf(r) : img::sceneChannelsOf(r))]), 21 + k);
        QCOMPARE(int(fadeTimes::read(c.configImage + (masks ? img::maskTimesOf(r) : img::sceneTimesOf(r))).fadeUp),
                 11 + k);
    }
}

void tst_dmx_sheet::longDescriptions_data()
{
    QTest::addColumn<QByteArray>("rows");  // after the number row of scenes 1 and 2
    QTest::addColumn<int>("to");           // scenes 1..to stored
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("length");       // of scene 1's description, in bytes

    const QByteArray w1024(1024, 'w');
    QTest::newRow("1024 bytes") << "desc;" + w1024 + ";x\n" << 2 << 0 << 1024;
    QTest::newRow("1024 bytes, CR LF") << "desc;" + w1024 + "\r\nC1;1;2\r\n" << 2 << 0 << 1024;
    QTest::newRow("1024 bytes at the end of the input") << "desc;" + w1024 + "\r" << 2 << 0 << 1024;
    QTest::newRow("1025 bytes") << "desc;" + w1024 + "w;x\n" << 2 << 1 << 1024;
    QTest::newRow("1025 bytes, CR LF") << "desc;" + w1024 + "w\r\n" << 2 << 1 << 1024;
    QTest::newRow("quoted, 1024 bytes within") << "desc;\"\"\"" + w1024.chopped(1) + "\";x\n" << 2 << 0 << 1024;
    QTest::newRow("cut within a character") << "desc;" + w1024.chopped(1) + "ł;x\n" << 2 << 1 << 1023;
    QTest::newRow("both cut") << "desc;" + w1024 + "w;" + w1024 + "w\n" << 2 << 2 << 1024;
    QTest::newRow("a cut one not stored") << "desc;x;" + w1024 + "w\n" << 1 << 0 << 1;
    QTest::newRow("a later row replaces it") << "desc;" + w1024 + "w;x\ndesc;short\n" << 2 << 0 << 5;
}

// Descriptions beyond the cap are cut on a character boundary, and the
// import counts those it stored.
void tst_dmx_sheet::longDescriptions()
{
    QFETCH(QByteArray, rows);
    QFETCH(int, to);
    QFETCH(int, cut);
    QFETCH(int, length);
    dmxSheetColumns columns;
    QCOMPARE(readSheet("x\nscene;1;2\n" + rows, dmxSheetKind::scenes(), columns), dmxSheet::READ_OK);
    kv310_controller_class c;
    const dmxSheet::storeResult result =
        dmxSheet::store(columns, dmxSheetKind::scenes(), c.configImage, c.sceneDescriptions.data(), 1, to, 0);
    QCOMPARE(result.descriptionsCut, cut);
    QCOMPARE(c.sceneDescriptions[0].toUtf8().size(), qsizetype(length));
}

QTEST_MAIN(tst_dmx_sheet)
#include "tst_dmx_sheet.moc"
