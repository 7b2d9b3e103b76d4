#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/sun_table.h"
#include "model/v_project.h"
#include "support/dialog_recorder.h"
#include "support/golden_files.h"
#include "support/project_fixture.h"
#include "support/sample_show.h"
#include "xml/xml_node.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstring>

// Files users already have, as the program wrote them (tests/data): the
// current and the old-style configuration file of one show, the file of a
// new configuration, and sunrise and sunset times. Each reads to the model
// it holds, whatever changes in the writers since.
class tst_golden_files : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void currentConfiguration();
    void oldStyleConfiguration();
    void newConfiguration();
    void sunTimes();
    void incompleteSunTimes_data();
    void incompleteSunTimes();
};

namespace {

const QString readOk = QStringLiteral("Data read from file\n    successful!");
const QString writtenAt = QStringLiteral("10.12.2026 18:11.47");

// The show of show.31xcfg and show.cfg310: the small sample show, texts the
// project description must escape, settings, and the sun table that
// sun_times.csv holds as well (calculated for 2024 at latitude 52, longitude
// 21, time zone 1).
void buildGoldenShow(kv310_controller_class& c)
{
    sampleShow::build(c, sampleShow::small);
    c.sceneDescriptions[5] = QStringLiteral("\"quoted\" & 'apostrophe'");
    c.sceneDescriptions[6] = QStringLiteral("<tag> a > b < c");
    c.sceneDescriptions[7] = QStringLiteral("zażółć gęślą jaźń ĄĘŁŃÓŚŹŻ");
    c.sceneDescriptions[8] = QStringLiteral("€ ★ 𝄞");
    c.sceneDescriptions[9] = QStringLiteral("  padded\ttab  ");
    c.sceneDescriptions[img::SCENES - 1] = QStringLiteral("Last");
    c.programDescriptions[10] = QStringLiteral("&amp; is no ampersand");
    c.eventDescriptions[EVENT_RC_BUTTON + 5] = QStringLiteral("a]]>b <!-- c -->");
    uint8_t* image = c.configImage;
    img::putU16(image, img::outputChannelCount, 300);
    img::putU16(image, img::startUpTime, 25);
    img::putU16(image, img::shutDownTime, 600);
    img::putU16(image, img::extPanelsEnable, 0);
    img::putI32(image, img::latitude, 52);
    img::putI32(image, img::longitude, 21);
    img::putI32(image, img::timeZone, 1);
}

// Minutes of the day: sunrise in the low half, sunset in the high one.
constexpr uint32_t sunEntry(int riseHour, int riseMinute, int setHour, int setMinute)
{
    return uint32_t(riseHour * 60 + riseMinute) | uint32_t(setHour * 60 + setMinute) << 16;
}

std::array<uint32_t, SUN_DAYS> sunTableOf(const kv310_controller_class& c)
{
    std::array<uint32_t, SUN_DAYS> out{};
    for (int d = 0; d < SUN_DAYS; ++d)
        out[size_t(d)] = img::getU32(c.configImage, img::sunTableOf(d));
    return out;
}

void checkSunTable(const kv310_controller_class& c)
{
    const auto table = sunTableOf(c);
    QCOMPARE(table[0], sunEntry(7, 44, 15, 33));
    QCOMPARE(table[59], sunEntry(6, 23, 17, 13));
    QCOMPARE(table[SUN_DAYS - 1], sunEntry(7, 44, 15, 33));
}

// The image with the memory tables packed into it.
QByteArray packedImage(kv310_controller_class& c)
{
    c.events.packEvents(c.configImage);
    c.programs.packPrograms(c.configImage);
    c.packTimers();
    c.packCoupledScenes();
    return QByteArray(reinterpret_cast<const char*>(c.configImage), img::SIZE);
}

QString firstDifference(const QByteArray& got, const QByteArray& expected, qsizetype from = 0, qsizetype length = -1)
{
    const qsizetype end = length < 0 ? got.size() : from + length;
    for (qsizetype i = from; i < end; ++i)
        if (got[i] != expected[i])
            return QStringLiteral("offset 0x%1: 0x%2, expected 0x%3")
                .arg(i, 0, 16)
                .arg(uint8_t(got[i]), 2, 16, QLatin1Char('0'))
                .arg(uint8_t(expected[i]), 2, 16, QLatin1Char('0'));
    return QString();
}

template <size_t N>
void compareTexts(const std::array<QString, N>& got, const std::array<QString, N>& expected, const char* kind)
{
    for (size_t i = 0; i < N; ++i)
        QVERIFY2(got[i] == expected[i], qPrintable(QStringLiteral("%1 %2: \"%3\", expected \"%4\"")
                                                       .arg(QLatin1String(kind))
                                                       .arg(i)
                                                       .arg(got[i], expected[i])));
}

void compareDescriptions(const kv310_controller_class& got, const kv310_controller_class& expected)
{
    compareTexts(got.sceneDescriptions, expected.sceneDescriptions, "scene");
    compareTexts(got.maskDescriptions, expected.maskDescriptions, "mask");
    compareTexts(got.programDescriptions, expected.programDescriptions, "program");
    compareTexts(got.eventDescriptions, expected.eventDescriptions, "event");
    compareTexts(got.stateDescriptions, expected.stateDescriptions, "state");
    compareTexts(got.inputDescriptions, expected.inputDescriptions, "input");
    compareTexts(got.rcuKeyDescriptions, expected.rcuKeyDescriptions, "key");
    compareTexts(got.panelDescriptions, expected.panelDescriptions, "panel");
}

QByteArray timerBytes(const kv310_controller_class& c)
{
    QByteArray out(int(c.timerTable.size()) * 8, '\0');
    for (size_t i = 0; i < c.timerTable.size(); ++i)
        c.timerTable[i].write(reinterpret_cast<uint8_t*>(out.data()) + 8 * i);
    return out;
}

// The visual project both configuration files carry: four fixtures of two
// channels each, 1 and 3 selected, a group of 4 and 2, and the field the
// visual-project page showed.
void checkVisualProject(const publishedRun& run)
{
    const v_project& vp = run.project;
    QCOMPARE(fixtureNumbers(vp.fixtures), (QList<int>{1, 2, 3, 4}));
    for (const lightEffect* f : vp.fixtures) {
        QCOMPARE(f->dmxStart, 2 * (f->number - 1));
        QVERIFY(f->defined);
    }
    QCOMPARE(groupSummary(vp), (QStringList{"default:1,3", "Front & back:4,2"}));
    QCOMPARE(selectedNumbers(vp), (QList<int>{1, 3}));
    QCOMPARE(vp.fieldWidth, 1200);
    QCOMPARE(vp.fieldHeight, 800);
    const xml_node* field = vp.projectTree->findNode(QStringLiteral("field"));
    QVERIFY(field);
    const xml_element* image = field->findElement(QStringLiteral("image"));
    QVERIFY(image);
    QCOMPARE(image->value, QStringLiteral("plan.png"));
    QCOMPARE(*image->attrValue(QStringLiteral("dark")), QStringLiteral("2"));
    const xml_element* outline = field->findElement(QStringLiteral("outline"));
    QVERIFY(outline);
    QCOMPARE(outline->value, QStringLiteral("sketch.png"));
    QCOMPARE(*outline->attrValue(QStringLiteral("pale")), QStringLiteral("3"));
    // The load clears the page's field first, then shows what it read.
    QCOMPARE(run.window->calls, (QStringList{"null", "devices", "groups", "field"}));
}

// Opens golden configuration file `name` as the user would, into the run's
// controller: it reads without a word but the report of success, and names
// itself and the day it was written.
void openGolden(publishedRun& run, const QString& name)
{
    QTemporaryDir dir;
    const QString path = goldenCopy(dir, name);
    QVERIFY(!path.isEmpty());
    dialogRecorder rec;
    run.controller.read_confDataFromFile(path);
    QCOMPARE(rec.texts(), QStringList{readOk});
    QCOMPARE(run.controller.projectFileName, name);
    QCOMPARE(run.controller.projectFileDate, writtenAt);
}

} // namespace

void tst_golden_files::currentConfiguration()
{
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    openGolden(run, QStringLiteral("show.31xcfg"));
    if (QTest::currentTestFailed())
        return;
    checkSunTable(c);
    checkVisualProject(run);

    kv310_controller_class expected;
    buildGoldenShow(expected);
    std::memcpy(expected.configImage + img::sunTable, c.configImage + img::sunTable, SUN_DAYS * 4);
    compareDescriptions(c, expected);
    QCOMPARE(c.programs.count(), sampleShow::small.programs);
    QCOMPARE(c.coupledSceneGroups, expected.coupledSceneGroups);
    QCOMPARE(c.sequenceDelays, expected.sequenceDelays);
    QCOMPARE(timerBytes(c), timerBytes(expected));
    QCOMPARE(firstDifference(packedImage(c), packedImage(expected)), QString());
}

void tst_golden_files::oldStyleConfiguration()
{
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    openGolden(run, QStringLiteral("show.cfg310"));
    if (QTest::currentTestFailed())
        return;
    checkVisualProject(run);

    kv310_controller_class expected;
    buildGoldenShow(expected);
    compareDescriptions(c, expected);
    QCOMPARE(c.programs.count(), sampleShow::small.programs);
    QCOMPARE(c.sequenceDelays, expected.sequenceDelays);
    QCOMPARE(timerBytes(c), timerBytes(expected));
    // Of the coupled scenes only group 0 has a place in the old layout.
    QCOMPARE(c.coupledSceneGroups[0], expected.coupledSceneGroups[0]);
    for (size_t g = 1; g < c.coupledSceneGroups.size(); ++g)
        QVERIFY(c.coupledSceneGroups[g].isEmpty());

    // What the old layout holds of the image: scenes 0 to 3071 and nearly
    // every table; not the first settings word nor the scenes above.
    checkSunTable(c);
    std::memcpy(expected.configImage + img::sunTable, c.configImage + img::sunTable, SUN_DAYS * 4);
    const QByteArray got = packedImage(c);
    const QByteArray want = packedImage(expected);
    const struct {
        uint32_t offset;
        uint32_t length;
    } kept[] = {
        {img::asFadeUp, 6},
        {img::asSectorRanges, 0x60},
        {img::timers, 0x2000},
        {img::outputChannels, 0x800},
        {img::inputTypes, 0x60},
        {img::startUpTime, 0x20},
        {img::dmxInPhaseMask, 0x40},
        {img::sunTable, 0x600},
        {img::maskTimes, 0x1000},
        {img::sceneChannels, 3072 * img::CHANNELS},
        {img::sceneTimes, 3072 * 8},
        {img::programStepCount, 0xC00},
        {img::stepEvents, 0x4000},
        {img::programEntryInfo, 0x800},
        {img::programBreakTime, 0x400},
        {img::programSteps, 0x60000},
        {img::programStartAddress, 0x800},
    };
    for (const auto& k : kept)
        QCOMPARE(firstDifference(got, want, k.offset, k.length), QString());
    QCOMPARE(img::getU16(c.configImage, img::dmxInProgramming), img::NONE16);
}

void tst_golden_files::newConfiguration()
{
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    buildGoldenShow(c);
    openGolden(run, QStringLiteral("empty.31xcfg"));
    if (QTest::currentTestFailed())
        return;
    QVERIFY(run.project.fixtures.isEmpty());
    QCOMPARE(groupSummary(run.project), QStringList{"default:"});

    kv310_controller_class fresh;
    compareDescriptions(c, fresh);
    QCOMPARE(c.programs.count(), 0);
    QCOMPARE(c.coupledSceneCount(), 0);
    QCOMPARE(firstDifference(packedImage(c), packedImage(fresh)), QString());
}

void tst_golden_files::sunTimes()
{
    QTemporaryDir dir;
    const QString path = goldenCopy(dir, QStringLiteral("sun_times.csv"));
    QVERIFY(!path.isEmpty());
    dialogRecorder rec;
    publishedRun run;
    QCOMPARE(run.controller.importSunTimes(path), 0);
    QVERIFY(rec.entries.isEmpty());
    checkSunTable(run.controller);

    // The configuration file of the same show holds the same table.
    kv310_controller_class show;
    show.read_confDataFromFile(goldenCopy(dir, QStringLiteral("show.31xcfg")));
    QVERIFY(sunTableOf(run.controller) == sunTableOf(show));
}

void tst_golden_files::incompleteSunTimes_data()
{
    QTest::addColumn<int>("answer");  // to "Incomplete file!"
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("stored");

    QTest::newRow("skip all") << 2 << 0 << true;
    QTest::newRow("skip this") << 0 << 0 << true;
    QTest::newRow("cancel") << 1 << -2 << false;
}

void tst_golden_files::incompleteSunTimes()
{
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(bool, stored);

    QTemporaryDir dir;
    const QString path = goldenCopy(dir, QStringLiteral("sun_times_incomplete.csv"));
    QVERIFY(!path.isEmpty());
    dialogRecorder rec;
    rec.answer(answer);
    publishedRun run;
    const auto before = sunTableOf(run.controller);
    QCOMPARE(run.controller.importSunTimes(path), result);
    QCOMPARE(rec.titles(), QStringList{"Incomplete file!"});

    if (!stored) {
        QVERIFY(sunTableOf(run.controller) == before);
        return;
    }
    // Day 100 is the one the file leaves undefined; the others are the table of sun_times.csv.
    const auto table = sunTableOf(run.controller);
    QCOMPARE(table[99], 0xFFFFFFFFu);
    checkSunTable(run.controller);
}

QTEST_MAIN(tst_golden_files)
#include "tst_golden_files.moc"
