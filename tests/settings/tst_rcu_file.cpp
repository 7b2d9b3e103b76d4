#include "support/page_fixture.h"

#include "settings/asettings_ired_tab.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

namespace {

const QString rcuFilter = QStringLiteral("KvOrbit RCU Settings (*.rcu)");
const QString allFiles = QStringLiteral("All files (*)");
const QString dataError = QStringLiteral("Data error!");

QByteArray fileBytes(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A file with the given address line and button lines.
QByteArray rcuFile(const QByteArray& address, const QByteArray& buttons)
{
    return "<contents>Settings for Kv310+ RCU control</contents>\n<swversion>KvOrbit310+ 4.0.1.39</swversion>\n"
           + address + "<buttons>\n" + buttons + "</buttons>\n";
}

// One test's world: the page's world, its working directory (the parse
// report lands there) and the tab.
struct fileRig {
    fileRig() : previous(QDir::currentPath())
    {
        QDir::setCurrent(dir.path());
        tab = std::make_unique<asettings_ired_tab>(&f.tab);
        tab->build();
    }
    ~fileRig()
    {
        tab.reset();
        QDir::setCurrent(previous);
    }
    kv310_controller_class& c() { return f.controller(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    // Reads the file through the tab's button, as the user picks it with the ".rcu" filter.
    void read(const QString& name, const QString& filter = rcuFilter)
    {
        f.dialogs.answerFile(path(name), filter);
        tab->readFileButton->click();
    }
    void save(const QString& name, const QString& filter = rcuFilter)
    {
        f.dialogs.answerFile(path(name), filter);
        tab->saveFileButton->click();
    }

    QTemporaryDir dir;
    QString previous;
    pageFixture f;
    std::unique_ptr<asettings_ired_tab> tab;
};

} // namespace

class tst_rcu_file : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyModelWritesFiveLines();
    void buttonsWrittenAndReadBack();
    void systemAddress_data();
    void systemAddress();
    void invalidButtons_data();
    void invalidButtons();
    void unlistedButtonsKeepTheirValues();
    void tableWithoutButtons();
    void notAnRcuFile_data();
    void notAnRcuFile();
    void onlyAddressOrOnlyTable_data();
    void onlyAddressOrOnlyTable();
    void parseErrorWritesTheReport();
    void suffixFollowsTheFilter();
    void dialogsStartAtTheLastFile();
    void unreadableAndUnwritableFiles();
    void textEncodings();
    void everyDescriptionReadsBackExactly();
    void filesOfEarlierReleases_data();
    void filesOfEarlierReleases();
};

void tst_rcu_file::emptyModelWritesFiveLines()
{
    fileRig r;
    r.c().rcuAddress = 0xFF;
    r.c().rcuKeyCodes.fill(0xFF);
    r.save(QStringLiteral("empty.rcu"));

    QCOMPARE(fileBytes(r.path(QStringLiteral("empty.rcu"))),
             QByteArray("<contents>Settings for Kv310+ RCU control</contents>\n"
                        "<swversion>KvOrbit310+ 4.0.1.39</swversion>\n"
                        "<sysaddress>not used</sysaddress>\n"
                        "<buttons>\n"
                        "</buttons>\n"));
    QVERIFY(r.f.dialogs.texts().isEmpty());
}

void tst_rcu_file::buttonsWrittenAndReadBack()
{
    fileRig r;
    kv310_controller_class& c = r.c();
    c.rcuAddress = 17;
    c.rcuKeyCodes.fill(0xFF);
    c.rcuKeyCodes[0] = 0;
    c.rcuKeyCodes[2] = 45;
    c.rcuKeyDescriptions[2] = QStringLiteral("Blackout");
    c.rcuKeyDescriptions[63] = QStringLiteral(" Exit & stop ");
    r.save(QStringLiteral("show.rcu"));

    QCOMPARE(fileBytes(r.path(QStringLiteral("show.rcu"))),
             QByteArray("<contents>Settings for Kv310+ RCU control</contents>\n"
                        "<swversion>KvOrbit310+ 4.0.1.39</swversion>\n"
                        "<sysaddress>17</sysaddress>\n"
                        "<buttons>\n"
                        " <button nr=\"0\">\n  <code>0</code>\n </button>\n"
                        " <button nr=\"2\">\n  <code>45</code>\n  <description>Blackout</description>\n </button>\n"
                        " <button nr=\"63\">\n  <description> Exit && stop </description>\n </button>\n"
                        "</buttons>\n"));

    c.rcuAddress = 0xFF;
    c.rcuKeyCodes.fill(7);
    c.rcuKeyDescriptions = {};
    r.read(QStringLiteral("show.rcu"));

    QVERIFY(r.f.dialogs.texts().isEmpty());
    QCOMPARE(int(c.rcuAddress), 17);
    QCOMPARE(int(c.rcuKeyCodes[0]), 0);
    QCOMPARE(int(c.rcuKeyCodes[2]), 45);
    QCOMPARE(c.rcuKeyDescriptions[2], QStringLiteral("Blackout"));
    QCOMPARE(int(c.rcuKeyCodes[63]), 0xFF);
    QCOMPARE(c.rcuKeyDescriptions[63], QStringLiteral(" Exit & stop "));
    QVERIFY(c.rcuKeyDescriptions[0].isNull());
    QCOMPARE(int(c.rcuKeyCodes[1]), 7);
    QCOMPARE(r.f.window().remoteControlEventsReloads, 1);
    QCOMPARE(r.tab->addressLabel->text(), QStringLiteral("17"));
    QCOMPARE(r.f.window().eventsTabs.last(), qMakePair(5, true));
}

void tst_rcu_file::systemAddress_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("warning");

    const QString invalid = QStringLiteral("Invalid system address value!");
    QTest::newRow("7") << QByteArray("<sysaddress>7</sysaddress>\n") << 7 << QString();
    QTest::newRow("32") << QByteArray("<sysaddress>32</sysaddress>\n") << 0xFF << invalid;
    QTest::newRow("-1") << QByteArray("<sysaddress>-1</sysaddress>\n") << 0xFF << invalid;
    QTest::newRow("huge") << QByteArray("<sysaddress>4294967303</sysaddress>\n") << 0xFF << invalid;
    QTest::newRow("hexadecimal") << QByteArray("<sysaddress>0x1F</sysaddress>\n") << 31 << QString();
    QTest::newRow("octal") << QByteArray("<sysaddress>017</sysaddress>\n") << 15 << QString();
    QTest::newRow("binary") << QByteArray("<sysaddress>0b101</sysaddress>\n") << 5 << QString();
    QTest::newRow("blanks and text after") << QByteArray("<sysaddress> 12 volts</sysaddress>\n") << 12 << QString();
    QTest::newRow("not used") << QByteArray("<sysaddress>not used</sysaddress>\n") << 0xFF << QString();
    QTest::newRow("no number") << QByteArray("<sysaddress>none</sysaddress>\n") << 0 << QString();
    QTest::newRow("empty") << QByteArray("<sysaddress></sysaddress>\n") << 0 << QString();
    QTest::newRow("other case") << QByteArray("<SysAddress>7</SysAddress>\n") << 0xFF
                                << QStringLiteral("Undetermined RCU address value!");
    QTest::newRow("missing") << QByteArray() << 0xFF << QStringLiteral("Undetermined RCU address value!");
}

void tst_rcu_file::systemAddress()
{
    QFETCH(QByteArray, line);
    QFETCH(int, address);
    QFETCH(QString, warning);

    fileRig r;
    r.c().rcuAddress = 3;
    writeBytes(r.path(QStringLiteral("a.rcu")), rcuFile(line, QByteArray()));
    r.read(QStringLiteral("a.rcu"));

    QCOMPARE(int(r.c().rcuAddress), address);
    QCOMPARE(r.f.dialogs.texts(), warning.isEmpty() ? QStringList() : QStringList{warning});
    if (!warning.isEmpty())
        QCOMPARE(r.f.dialogs.titles(), QStringList{dataError});
    QCOMPARE(r.f.window().eventsTabs.last(), qMakePair(5, address <= 31));
}

void tst_rcu_file::invalidButtons_data()
{
    QTest::addColumn<int>("firstAnswer");  // 0 "Ignore", 1 "Ignore all"
    QTest::addColumn<QStringList>("questions");

    const QString number = QStringLiteral("Invalid key number!");
    const QString code = QStringLiteral("Invalid key code!");
    QTest::newRow("ignore") << 0 << QStringList{number, number, code};
    QTest::newRow("ignore all") << 1 << QStringList{number};
}

void tst_rcu_file::invalidButtons()
{
    QFETCH(int, firstAnswer);
    QFETCH(QStringList, questions);

    fileRig r;
    kv310_controller_class& c = r.c();
    c.rcuKeyCodes.fill(9);
    writeBytes(r.path(QStringLiteral("b.rcu")),
               rcuFile("<sysaddress>1</sysaddress>\n",
                       " <button nr=\"64\">\n  <code>1</code>\n </button>\n"
                       " <button>\n  <code>2</code>\n </button>\n"
                       " <button nr=\"4\">\n  <code>99</code>\n </button>\n"
                       " <button nr=\"0x05\">\n  <code>0x3f</code>\n </button>\n"
                       " <key nr=\"6\">\n  <code>1</code>\n </key>\n"));
    r.f.dialogs.answerFile(r.path(QStringLiteral("b.rcu")), rcuFilter);
    r.f.dialogs.answer(firstAnswer);
    for (int i = 1; i < questions.size(); ++i)
        r.f.dialogs.answer(0);
    r.tab->readFileButton->click();

    QCOMPARE(r.f.dialogs.texts(), questions);
    for (const dialogRecorder::entry& e : std::as_const(r.f.dialogs.entries)) {
        if (e.kind != QLatin1String("message"))
            continue;
        QCOMPARE(e.title, dataError);
        QCOMPARE(e.buttons, (QStringList{QStringLiteral("Ignore"), QStringLiteral("Ignore all")}));
    }
    QCOMPARE(int(c.rcuKeyCodes[4]), 0xFF);
    QCOMPARE(int(c.rcuKeyCodes[5]), 63);
    QCOMPARE(int(c.rcuKeyCodes[6]), 9);
    QCOMPARE(int(c.rcuKeyCodes[1]), 9);
    QCOMPARE(int(c.rcuKeyCodes[2]), 9);
}

void tst_rcu_file::unlistedButtonsKeepTheirValues()
{
    fileRig r;
    kv310_controller_class& c = r.c();
    for (int b = 0; b < 64; ++b) {
        c.rcuKeyCodes[size_t(b)] = uint8_t(b);
        c.rcuKeyDescriptions[size_t(b)] = QString::number(b);
    }
    writeBytes(r.path(QStringLiteral("one.rcu")),
               rcuFile("<sysaddress>2</sysaddress>\n", " <button nr=\"3\">\n  <code>50</code>\n </button>\n"));
    r.read(QStringLiteral("one.rcu"));

    QVERIFY(r.f.dialogs.entries.size() == 1);  // the file dialog only
    for (int b = 0; b < 64; ++b) {
        QCOMPARE(int(c.rcuKeyCodes[size_t(b)]), b == 3 ? 50 : b);
        QCOMPARE(c.rcuKeyDescriptions[size_t(b)], b == 3 ? QString() : QString::number(b));
    }
}

void tst_rcu_file::tableWithoutButtons()
{
    // The program's own file of a remote without learnt buttons: an empty
    // table, not a missing one.
    fileRig r;
    kv310_controller_class& c = r.c();
    c.rcuAddress = 8;
    c.rcuKeyCodes.fill(0xFF);
    r.save(QStringLiteral("none.rcu"));
    c.rcuKeyCodes.fill(14);
    c.rcuAddress = 0xFF;

    r.read(QStringLiteral("none.rcu"));
    QCOMPARE(r.f.dialogs.texts(), QStringList());
    QCOMPARE(int(c.rcuAddress), 8);
    for (uint8_t code : c.rcuKeyCodes)
        QCOMPARE(int(code), 14);

    // A table with text in it is no table.
    writeBytes(r.path(QStringLiteral("odd.rcu")),
               "<sysaddress>8</sysaddress>\n<buttons>nothing here</buttons>\n");
    r.read(QStringLiteral("odd.rcu"));
    QCOMPARE(r.f.dialogs.texts(), QStringList{QStringLiteral("Undetermined key codes table!")});
    for (uint8_t code : c.rcuKeyCodes)
        QCOMPARE(int(code), 0xFF);
}

void tst_rcu_file::notAnRcuFile_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("first line not a tag") << QByteArray("Just some notes\n<sysaddress>7</sysaddress>\n<buttons>\n"
                                                        " <button nr=\"1\">\n  <code>3</code>\n </button>\n</buttons>\n");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("blank lines only") << QByteArray("\n  \n");
    QTest::newRow("a fixture library") << QByteArray("<contents>Fixtures library</contents>\n<item nr=\"1\">\n"
                                                     "<model>M</model>\n</item>\n");
    QTest::newRow("another file that does not parse")
        << QByteArray("<contents>visualisation project</contents>\n<devices>\n<device nr=\"1\">\n");
    QTest::newRow("names in another case") << QByteArray("<SysAddress>7</SysAddress>\n<Buttons>\n</Buttons>\n");
}

// A file picked by mistake changes nothing: one warning, every setting kept.
void tst_rcu_file::notAnRcuFile()
{
    QFETCH(QByteArray, content);

    fileRig r;
    kv310_controller_class& c = r.c();
    c.rcuAddress = 5;
    c.rcuKeyCodes.fill(6);
    c.rcuKeyDescriptions[1] = QStringLiteral("kept");
    writeBytes(r.path(QStringLiteral("other.rcu")), content);
    r.read(QStringLiteral("other.rcu"));

    QCOMPARE(r.f.dialogs.texts(), QStringList{QStringLiteral("Not a remote-control settings file!")});
    QCOMPARE(r.f.dialogs.titles(), QStringList{dataError});
    QCOMPARE(int(c.rcuAddress), 5);
    for (uint8_t code : c.rcuKeyCodes)
        QCOMPARE(int(code), 6);
    QCOMPARE(c.rcuKeyDescriptions[1], QStringLiteral("kept"));
    QCOMPARE(r.f.window().remoteControlEventsReloads, 0);
    QVERIFY(!QFile::exists(QStringLiteral("xml_report.log")));
    QVERIFY(!r.tab->readRcuFile(r.path(QStringLiteral("other.rcu"))));
}

// A file with one of the two parts is a damaged settings file: read as it
// always was, the missing part undetermined.
void tst_rcu_file::onlyAddressOrOnlyTable_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("code3");

    QTest::newRow("address only") << QByteArray("<sysaddress>7</sysaddress>\n")
                                  << QStringLiteral("Undetermined key codes table!") << 7 << 0xFF;
    QTest::newRow("table only") << QByteArray("<buttons>\n <button nr=\"3\">\n  <code>9</code>\n </button>\n</buttons>\n")
                                << QStringLiteral("Undetermined RCU address value!") << 0xFF << 9;
    QTest::newRow("empty table only") << QByteArray("<buttons>\n</buttons>\n")
                                      << QStringLiteral("Undetermined RCU address value!") << 0xFF << 6;
}

void tst_rcu_file::onlyAddressOrOnlyTable()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, warning);
    QFETCH(int, address);
    QFETCH(int, code3);

    fileRig r;
    kv310_controller_class& c = r.c();
    c.rcuAddress = 5;
    c.rcuKeyCodes.fill(6);
    writeBytes(r.path(QStringLiteral("part.rcu")), content);
    r.read(QStringLiteral("part.rcu"));

    QCOMPARE(r.f.dialogs.texts(), QStringList{warning});
    QCOMPARE(int(c.rcuAddress), address);
    QCOMPARE(int(c.rcuKeyCodes[3]), code3);
    QCOMPARE(r.f.window().remoteControlEventsReloads, 1);
}

void tst_rcu_file::parseErrorWritesTheReport()
{
    fileRig r;
    kv310_controller_class& c = r.c();
    const QString name = r.path(QStringLiteral("broken.rcu"));
    writeBytes(name, rcuFile("<sysaddress>4</sysaddress>\n",
                             " <button nr=\"1\">\n  <code>11</code>\n </button>\n"
                             " <button nr=\"2\">\n  <code>12\n"));
    r.read(QStringLiteral("broken.rcu"));

    QCOMPARE(r.f.dialogs.titles(), QStringList{QStringLiteral("Errors occured!")});
    QCOMPARE(r.f.dialogs.texts().value(0),
             QStringLiteral("Errors parsing file\n\"%1\" occured!\nRefer to \"xml_report.log\".").arg(name));
    QVERIFY(fileBytes(QStringLiteral("xml_report.log")).contains("@error"));
    // What could be parsed is used.
    QCOMPARE(int(c.rcuAddress), 4);
    QCOMPARE(int(c.rcuKeyCodes[1]), 11);
}

void tst_rcu_file::suffixFollowsTheFilter()
{
    fileRig r;
    r.save(QStringLiteral("remote"));
    QVERIFY(QFile::exists(r.path(QStringLiteral("remote.rcu"))));
    QCOMPARE(r.tab->lastRcuPath, r.path(QStringLiteral("remote.rcu")));
    r.save(QStringLiteral("plain"), allFiles);
    QVERIFY(QFile::exists(r.path(QStringLiteral("plain"))));
    QVERIFY(!QFile::exists(r.path(QStringLiteral("plain.rcu"))));
    QCOMPARE(r.tab->lastRcuPath, r.path(QStringLiteral("plain")));

    // Case counts: "REMOTE.RCU" chosen with the ".rcu" filter is looked for as "REMOTE.RCU.rcu".
    QFile::copy(r.path(QStringLiteral("remote.rcu")), r.path(QStringLiteral("REMOTE.RCU")));
    r.f.dialogs.clear();
    r.read(QStringLiteral("REMOTE.RCU"));
    QCOMPARE(r.f.dialogs.texts(),
             QStringList{QStringLiteral("Cannot open file \"%1\"!").arg(r.path(QStringLiteral("REMOTE.RCU.rcu")))});
    r.f.dialogs.clear();
    r.read(QStringLiteral("REMOTE.RCU"), allFiles);
    QCOMPARE(r.f.dialogs.entries.size(), 1);
    QCOMPARE(r.f.window().remoteControlEventsReloads, 1);
}

void tst_rcu_file::dialogsStartAtTheLastFile()
{
    fileRig r;
    r.f.dialogs.answerFile(QString());
    r.tab->saveRCUcfg();
    r.f.dialogs.answerFile(QString());
    r.tab->readRCUcfg();
    QCOMPARE(r.f.dialogs.entries.at(0).directory, QStringLiteral("./"));
    QCOMPARE(r.f.dialogs.entries.at(1).directory, QStringLiteral("./"));
    QCOMPARE(r.f.dialogs.entries.at(0).filter, rcuFilter + QStringLiteral(";;") + allFiles);
    QCOMPARE(r.f.window().remoteControlEventsReloads, 0);

    QDir(r.dir.path()).mkdir(QStringLiteral("shows"));
    r.save(QStringLiteral("shows/club.rcu"));
    r.f.dialogs.clear();
    r.f.dialogs.answerFile(QString());
    r.tab->saveRCUcfg();
    r.f.dialogs.answerFile(QString());
    r.tab->readRCUcfg();
    QCOMPARE(r.f.dialogs.entries.at(0).directory, r.path(QStringLiteral("shows")));
    QCOMPARE(r.f.dialogs.entries.at(1).directory, r.path(QStringLiteral("shows/club.rcu")));
}

void tst_rcu_file::unreadableAndUnwritableFiles()
{
    fileRig r;
    kv310_controller_class& c = r.c();
    c.rcuAddress = 3;
    r.save(QStringLiteral("missing/x.rcu"));
    QCOMPARE(r.f.dialogs.texts(),
             QStringList{QStringLiteral("Cannot open file \"%1\" to write!").arg(r.path(QStringLiteral("missing/x.rcu")))});
    QCOMPARE(r.f.dialogs.titles(), QStringList{QStringLiteral("File error")});
    QVERIFY(r.tab->lastRcuPath.isEmpty());

    r.f.dialogs.clear();
    QDir(r.dir.path()).mkdir(QStringLiteral("folder.rcu"));
    r.read(QStringLiteral("folder.rcu"));
    QCOMPARE(r.f.dialogs.texts(),
             QStringList{QStringLiteral("Cannot open file \"%1\"!").arg(r.path(QStringLiteral("folder.rcu")))});
    QCOMPARE(int(c.rcuAddress), 3);
    QCOMPARE(r.f.window().remoteControlEventsReloads, 0);
}

void tst_rcu_file::textEncodings()
{
    fileRig r;
    kv310_controller_class& c = r.c();
    const QString polish = QStringLiteral("Światło sceny – żółte");
    c.rcuKeyCodes.fill(0xFF);
    c.rcuKeyDescriptions[0] = polish;
    r.save(QStringLiteral("utf.rcu"));
    QVERIFY(fileBytes(r.path(QStringLiteral("utf.rcu"))).contains(polish.toUtf8()));
    c.rcuKeyDescriptions[0].clear();
    r.read(QStringLiteral("utf.rcu"));
    QCOMPARE(c.rcuKeyDescriptions[0], polish);

    // An older installation wrote its local 8-bit text.
    const QByteArray latin1 = "Caf\xe9 lumi\xe8re";
    writeBytes(r.path(QStringLiteral("old.rcu")),
               rcuFile("<sysaddress>1</sysaddress>\n", " <button nr=\"1\">\n  <description>" + latin1
                                                           + "</description>\n </button>\n"));
    r.read(QStringLiteral("old.rcu"));
    QCOMPARE(c.rcuKeyDescriptions[1], QString::fromLatin1(latin1));
    QVERIFY(!c.rcuKeyDescriptions[1].contains(QChar::ReplacementCharacter));
}

// Texts that end or break an element when written as typed, escapes typed
// as text, line breaks of every kind, and letters beyond Latin-1.
void tst_rcu_file::everyDescriptionReadsBackExactly()
{
    const QStringList texts{QStringLiteral("&"),
                            QStringLiteral("<"),
                            QStringLiteral(">"),
                            QStringLiteral("R&D <main>"),
                            QStringLiteral("x</button>"),
                            QStringLiteral("</description>"),
                            QStringLiteral("a < b"),
                            QStringLiteral("&&"),
                            QStringLiteral("&lt;"),
                            QStringLiteral("&gt;"),
                            QStringLiteral("&amp; &#10; &&#13;"),
                            QStringLiteral("\"quoted\" and 'single'"),
                            QStringLiteral("zażółć gęślą jaźń – ŁÓDŹ"),
                            QStringLiteral("two\nlines"),
                            QStringLiteral("two\r\nlines"),
                            QStringLiteral("\nafter a break"),
                            QStringLiteral("before a break\r\n"),
                            QStringLiteral("lone\rreturn"),
                            QStringLiteral("  <code>5</code>"),
                            QStringLiteral(" \t ")};
    fileRig r;
    kv310_controller_class& c = r.c();
    c.rcuAddress = 30;
    std::array<QString, 64> descriptions;
    for (int b = 0; b < 64; ++b) {
        const qsizetype n = texts.size();
        // Past the list, pairs of them: a text next to another's escapes.
        descriptions[size_t(b)] = b < n ? texts[b] : texts[b % n] + texts[(b * 7 + 3) % n];
        c.rcuKeyDescriptions[size_t(b)] = descriptions[size_t(b)];
        c.rcuKeyCodes[size_t(b)] = uint8_t((b * 37 + 5) % 64);
    }
    r.save(QStringLiteral("all.rcu"));
    QCOMPARE(r.f.dialogs.texts(), QStringList());
    // Each description stays on its line: four lines a button.
    QCOMPARE(fileBytes(r.path(QStringLiteral("all.rcu"))).count('\n'), 5 + 64 * 4);

    c.rcuAddress = 0xFF;
    c.rcuKeyCodes.fill(0xFF);
    c.rcuKeyDescriptions = {};
    r.read(QStringLiteral("all.rcu"));

    QCOMPARE(r.f.dialogs.texts(), QStringList());
    QVERIFY(!QFile::exists(QStringLiteral("xml_report.log")));
    QCOMPARE(int(c.rcuAddress), 30);
    for (int b = 0; b < 64; ++b) {
        QCOMPARE(int(c.rcuKeyCodes[size_t(b)]), (b * 37 + 5) % 64);
        QCOMPARE(c.rcuKeyDescriptions[size_t(b)], descriptions[size_t(b)]);
    }
}

void tst_rcu_file::filesOfEarlierReleases_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("description");

    // Earlier releases wrote descriptions as typed.
    QTest::newRow("single ampersand") << QByteArray("R&D") << QStringLiteral("R&D");
    QTest::newRow("greater-than sign") << QByteArray("a > b") << QStringLiteral("a > b");
    QTest::newRow("other entities") << QByteArray("&amp; &quot; &#9;") << QStringLiteral("&amp; &quot; &#9;");
    QTest::newRow("ampersand at the end") << QByteArray("stop &") << QStringLiteral("stop &");
    QTest::newRow("lines of the file joined") << QByteArray("two\nlines") << QStringLiteral("two\r\nlines");
    // What the escaping writes is decoded now.
    QTest::newRow("doubled ampersand") << QByteArray("fish && chips") << QStringLiteral("fish & chips");
    QTest::newRow("escaped brackets") << QByteArray("&lt;b&gt;") << QStringLiteral("<b>");
}

void tst_rcu_file::filesOfEarlierReleases()
{
    QFETCH(QByteArray, written);
    QFETCH(QString, description);

    fileRig r;
    kv310_controller_class& c = r.c();
    writeBytes(r.path(QStringLiteral("old.rcu")),
               rcuFile("<sysaddress>3</sysaddress>\n",
                       " <button nr=\"4\">\n  <code>9</code>\n  <description>" + written
                           + "</description>\n </button>\n"));
    r.read(QStringLiteral("old.rcu"));

    QCOMPARE(r.f.dialogs.texts(), QStringList());
    QCOMPARE(int(c.rcuKeyCodes[4]), 9);
    QCOMPARE(c.rcuKeyDescriptions[4], description);
}

QTEST_MAIN(tst_rcu_file)
#include "tst_rcu_file.moc"
