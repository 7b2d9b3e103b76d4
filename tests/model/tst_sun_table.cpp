#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/sun_table.h"
#include "support/dialog_recorder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <array>

#include <sys/stat.h>

// The sunrise and sunset table: built-in defaults, calculation, CSV export and import.
class tst_sun_table : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsHoldTheReferenceDays();
    void calculation_data();
    void calculation();
    void calculationStaysNearTheDefaults_data();
    void calculationStaysNearTheDefaults();
    void slotCalculatesForThisYear();
    void exportWritesTheCsv();
    void exportToAnUnwritablePlaceFails();
    void exportReadsBackUnchanged();
    void import_data();
    void import();
    void importOfAFileThatCannotBeOpenedFails_data();
    void importOfAFileThatCannotBeOpenedFails();
};

namespace {

uint32_t entry(const kv310_controller_class& c, int e)
{
    return img::getU32(c.configImage, img::sunTableOf(e));
}

void setEntry(kv310_controller_class& c, int e, unsigned sunrise, unsigned sunset)
{
    img::putU32(c.configImage, img::sunTableOf(e), sunrise | (sunset << 16));
}

std::array<uint32_t, img::SUN_ENTRIES> table(const kv310_controller_class& c)
{
    std::array<uint32_t, img::SUN_ENTRIES> t;
    for (int e = 0; e < img::SUN_ENTRIES; ++e)
        t[size_t(e)] = entry(c, e);
    return t;
}

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Day lines "d;6:00;18:00" for days 1..last, leaving out the days in skip.
QByteArray dayLines(int last, const QList<int>& skip = {})
{
    QByteArray out;
    for (int d = 1; d <= last; ++d)
        if (!skip.contains(d))
            out += QByteArray::number(d) + ";6:00;18:00\r\n";
    return out;
}

} // namespace

void tst_sun_table::defaultsHoldTheReferenceDays()
{
    struct reference {
        int entry;
        unsigned sunrise, sunset;
    };
    const reference days[] = {{0, 459, 948},   {59, 385, 1041},  {79, 343, 1074},  {171, 211, 1193},
                              {265, 327, 1058}, {354, 456, 940}, {364, 459, 947}, {365, 459, 948}};
    kv310_controller_class c;
    QCOMPARE(c.sunriseDefaults, sunriseDefaultTable);
    QCOMPARE(c.sunsetDefaults, sunsetDefaultTable);
    for (const reference& r : days) {
        QCOMPARE(unsigned(c.sunriseDefaults[r.entry]), r.sunrise);
        QCOMPARE(unsigned(c.sunsetDefaults[r.entry]), r.sunset);
        QCOMPARE(entry(c, r.entry), r.sunrise | (r.sunset << 16));
    }
    for (int e = SUN_DAYS; e < img::SUN_ENTRIES; ++e)
        QCOMPARE(entry(c, e), 0xFFFFFFFFu);
}

void tst_sun_table::calculation_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("latitude");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("sunrise");
    QTest::addColumn<int>("sunset");

    QTest::newRow("1 January at home") << 2024 << 50 << 20 << 0 << 458 << 947;
    QTest::newRow("leap day") << 2024 << 50 << 20 << 59 << 385 << 1039;
    QTest::newRow("midsummer") << 2024 << 50 << 20 << 171 << 210 << 1192;
    QTest::newRow("31 December of a leap year") << 2024 << 50 << 20 << 365 << 458 << 947;
    QTest::newRow("1 March of a common year") << 2023 << 50 << 20 << 59 << 384 << 1040;
    QTest::newRow("common year repeats 31 December") << 2023 << 50 << 20 << 365 << 458 << 946;
    QTest::newRow("southern summer") << 2025 << -33 << -16 << 0 << 310 << 1167;
    QTest::newRow("southern winter") << 2025 << -33 << -16 << 180 << 439 << 1039;
    QTest::newRow("equator") << 2024 << 0 << 0 << 100 << 357 << 1084;
    QTest::newRow("far north, far west of the zone") << 2024 << 60 << -120 << 171 << 275 << 1407;
    QTest::newRow("far north in winter") << 2024 << 60 << -120 << 354 << 661 << 1013;
}

void tst_sun_table::calculation()
{
    QFETCH(int, year);
    QFETCH(int, latitude);
    QFETCH(int, offset);
    QFETCH(int, day);
    QFETCH(int, sunrise);
    QFETCH(int, sunset);

    kv310_controller_class c;
    c.calculateSunEventsFor(year, latitude, offset);
    QCOMPARE(int(entry(c, day) & 0xFFFF), sunrise);
    QCOMPARE(int(entry(c, day) >> 16), sunset);
    QCOMPARE(img::getI32(c.configImage, img::latitude), latitude);
    for (int e = SUN_DAYS; e < img::SUN_ENTRIES; ++e)
        QCOMPARE(entry(c, e), 0xFFFFFFFFu);
}

void tst_sun_table::calculationStaysNearTheDefaults_data()
{
    QTest::addColumn<int>("year");
    for (int year : {2023, 2024, 2025, 2040})
        QTest::addRow("%d", year) << year;
}

void tst_sun_table::calculationStaysNearTheDefaults()
{
    QFETCH(int, year);
    kv310_controller_class c;
    c.calculateSunEventsFor(year, 50, 20);
    for (int e = 0; e < SUN_DAYS; ++e) {
        const int sunrise = int(entry(c, e) & 0xFFFF);
        const int sunset = int(entry(c, e) >> 16);
        QVERIFY2(qAbs(sunrise - int(sunriseDefaultTable[e])) <= 3, qPrintable(QString::number(e)));
        QVERIFY2(qAbs(sunset - int(sunsetDefaultTable[e])) <= 3, qPrintable(QString::number(e)));
    }
    if (!QDate::isLeapYear(year))
        QCOMPARE(entry(c, 365), entry(c, 364));
}

void tst_sun_table::slotCalculatesForThisYear()
{
    kv310_controller_class c;
    kv310_controller_class reference;
    c.calculateSunEvents(45, -10);
    reference.calculateSunEventsFor(QDate::currentDate().year(), 45, -10);
    QCOMPARE(table(c), table(reference));
    QCOMPARE(img::getI32(c.configImage, img::latitude), 45);
}

void tst_sun_table::exportWritesTheCsv()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("sun.csv"));
    kv310_controller_class c;
    img::putU32(c.configImage, img::sunTableOf(1), 0xFFFFFFFF);
    setEntry(c, 2, 60, 1441);
    setEntry(c, 3, 1440, 9);
    setEntry(c, 4, 0xFFFF, 600);
    setEntry(c, 365, 5, 605);

    QCOMPARE(c.exportSunTimes(name), 0);
    const QByteArray text = readAll(name);
    QVERIFY(text.startsWith("KV310 sunrise- and sunsettimes ( minutes of day )\r\n"
                            "Day of year;sunrise;sunset\r\n"
                            "1;7:39;15:48\r\n"
                            "2;Undefined!\r\n"
                            "3;1:00;24:01;invalid time(s)!\r\n"
                            "4;24:00;0:09\r\n"
                            "5;1092:15;10:00;invalid time(s)!\r\n"
                            "6;"));
    QVERIFY(text.endsWith("\r\n365;7:39;15:47\r\n366;0:05;10:05"));
    QCOMPARE(text.count("\r\n"), 2 + 365);
    QCOMPARE(text.count('\n'), 2 + 365);
}

void tst_sun_table::exportToAnUnwritablePlaceFails()
{
    QTemporaryDir dir;
    kv310_controller_class c;
    QCOMPARE(c.exportSunTimes(dir.filePath(QStringLiteral("missing/sun.csv"))), -1);
}

void tst_sun_table::exportReadsBackUnchanged()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("sun.csv"));
    kv310_controller_class c;
    img::putU32(c.configImage, img::sunTableOf(100), 0xFFFFFFFF);
    setEntry(c, 200, 0, 1439);
    const auto written = table(c);
    QCOMPARE(c.exportSunTimes(name), 0);

    kv310_controller_class other;
    other.calculateSunEventsFor(2023, -20, 30);
    img::putU32(other.configImage, img::sunTableOf(370), 0x12345678);
    dialogRecorder rec;
    rec.answer(2);  // day 101 is undefined: "Skip all"
    QCOMPARE(other.importSunTimes(name), 0);
    QCOMPARE(rec.entries.size(), 1);
    for (int e = 0; e < SUN_DAYS; ++e)
        QCOMPARE(entry(other, e), written[size_t(e)]);
    QCOMPARE(entry(other, 370), 0x12345678u);
}

void tst_sun_table::import_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<int>>("answers");  // 0 "Skip this", 1 "Cancel", 2 "Skip all"
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("days");        // "day=sunrise/sunset", "-" undescribed; empty: nothing stored

    QTest::newRow("a common year's file fills the leap day's place")
        << dayLines(364) + "365;7:39;15:47\r\n" << QList<int>{} << 0 << 0 << "1=360/1080 365=459/947 366=459/947";
    QTest::newRow("the last day of a leap year is its own")
        << dayLines(365) + "366;7:40;15:50" << QList<int>{} << 0 << 0 << "365=360/1080 366=460/950";
    QTest::newRow("minute 60 is refused") << dayLines(366, {5}) + "5;6:60;17:00\n" << QList<int>{2} << 0 << 1
                                          << "4=360/1080 5=-";
    QTest::newRow("hour 24 is refused") << dayLines(366, {7}) + "7;24:00;17:00\n" << QList<int>{2} << 0 << 1 << "7=-";
    QTest::newRow("a day without its sunset is refused")
        << dayLines(366, {9}) + "9;6:00\n9;6:00;\n9;6:00;18\n" << QList<int>{2} << 0 << 1 << "9=-";
    QTest::newRow("a later line for a day wins") << dayLines(366) + "3;5:05;20:10\n" << QList<int>{} << 0 << 0
                                                 << "3=305/1210";
    QTest::newRow("header, undefined days and trailing parts are passed over")
        << "KV310 sunrise- and sunsettimes ( minutes of day )\r\nDay of year;sunrise;sunset\r\n2;Undefined!\r\n"
           "3;1:00;2:00;invalid time(s)!\r\n"
               + dayLines(366, {2, 3})
        << QList<int>{2} << 0 << 1 << "2=- 3=60/120";
    QTest::newRow("days out of range and words are ignored")
        << dayLines(366) + "0;1:00;2:00\n367;1:00;2:00\nday;1:00;2:00\n-4;1:00;2:00\n" << QList<int>{} << 0 << 0
        << "1=360/1080 366=360/1080";
    QTest::newRow("Skip this asks again for the next day") << dayLines(366, {4, 8}) << QList<int>{0, 0} << 0 << 2
                                                          << "3=360/1080 4=- 8=-";
    QTest::newRow("Skip all asks no more") << dayLines(366, {4, 8, 200}) << QList<int>{2} << 0 << 1 << "4=- 8=- 200=-";
    QTest::newRow("Cancel stores nothing") << dayLines(366, {4}) << QList<int>{1} << -2 << 1 << "";
    QTest::newRow("Cancel at the second question stores nothing") << dayLines(366, {4, 8}) << QList<int>{0, 1} << -2
                                                                 << 2 << "";
    QTest::newRow("an empty file asks for its first day") << QByteArray() << QList<int>{1} << -2 << 1 << "";
}

void tst_sun_table::import()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<int>, answers);
    QFETCH(int, result);
    QFETCH(int, questions);
    QFETCH(QString, days);

    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("sun.csv"));
    QVERIFY(writeFile(name, content));
    kv310_controller_class c;
    img::putU32(c.configImage, img::sunTableOf(380), 0x12345678);
    const auto before = table(c);

    dialogRecorder rec;
    for (int a : answers)
        rec.answer(a);
    QCOMPARE(c.importSunTimes(name), result);
    QCOMPARE(rec.entries.size(), questions);
    QCOMPARE(rec.pendingAnswers(), 0);
    for (const auto& e : rec.entries) {
        QCOMPARE(e.icon, QMessageBox::Question);
        QCOMPARE(e.title, QStringLiteral("Incomplete file!"));
        QCOMPARE(e.text, QStringLiteral("Not all days of year are properly described!\n\tContinue anyway?"));
        QCOMPARE(e.buttons, (QStringList{QStringLiteral("Skip this"), QStringLiteral("Cancel"), QStringLiteral("Skip all")}));
    }

    const auto after = table(c);
    if (days.isEmpty()) {
        QCOMPARE(after, before);
        return;
    }
    for (const QString& day : days.split(QLatin1Char(' '))) {
        const QStringList kv = day.split(QLatin1Char('='));
        const int e = kv[0].toInt() - 1;
        uint32_t expected = 0xFFFFFFFF;
        if (kv[1] != QLatin1String("-")) {
            const QStringList times = kv[1].split(QLatin1Char('/'));
            expected = times[0].toUInt() | (times[1].toUInt() << 16);
        }
        QVERIFY2(after[size_t(e)] == expected, qPrintable(day));
    }
    for (int e = SUN_DAYS; e < img::SUN_ENTRIES; ++e)
        QCOMPARE(after[size_t(e)], before[size_t(e)]);
}

void tst_sun_table::importOfAFileThatCannotBeOpenedFails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("named pipe") << "pipe";
}

void tst_sun_table::importOfAFileThatCannotBeOpenedFails()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sun.csv"));
    if (kind == QLatin1String("directory"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sun.csv")));
    else if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    kv310_controller_class c;
    const auto before = table(c);
    dialogRecorder rec;
    QCOMPARE(c.importSunTimes(path), -1);
    QVERIFY(rec.entries.isEmpty());
    QCOMPARE(table(c), before);
}

QTEST_GUILESS_MAIN(tst_sun_table)
#include "tst_sun_table.moc"
