#include "support/fake_main_window.h"
#include "seams/gui_base.h"
#include "model/clear_flags.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/sun_table.h"
#include "support/dialog_recorder.h"

#include <QTest>
#include <cstring>
#include <memory>

// Clearing by category: what each bit resets in the image and in memory,
// and that nothing else moves.
class tst_clear_config : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clearOneCategory_data();
    void clearOneCategory();
    void clearZeroStillPacksAndUnpacks();
    void everyBitButOneKeepsWhatOnlyTheWholeClearResets();
    void clearAllEqualsAFreshObject();
    void freshImage();
    void failedProgramPack_data();
    void failedProgramPack();
    void failedEventPack_data();
    void failedEventPack();
    void visualProjectOnlyOfThePublishedController_data();
    void visualProjectOnlyOfThePublishedController();
};

namespace {

const QString kept = QStringLiteral("x");

// One action per event range, each with limits, and an Enabling action on input 0.
const int fixtureActions[] = {0x001, 0x401, 0x800, 0x9C3, 0xC05, 0x1003, 0x1201, 0x1281, 0x1341};
constexpr int ENABLING_ID = 0x1340;

// A show in every category: the image outside the memory tables is 0x5A
// throughout, the tables and descriptions are filled, and ClearConfig(0)
// has brought image and tables into step (twice: unpacking tags sunrise and
// sunset, and only the next pack writes those tags).
void buildShow(kv310_controller_class& c)
{
    std::memset(c.configImage, 0x5A, img::SIZE);
    c.clockCalibration = 7;

    c.programs.setStepCount(3, 2);
    c.programs.step(3, 0)->event = 0x405;
    c.programs.step(3, 1)->scene = 12;
    c.programs.setStepCount(7, 1);

    for (int id : fixtureActions) {
        const int pos = c.events.appendAction(id);
        c.events.setNumber(id, pos, 2);
        c.events.setDaytimeLimit(id, pos, 10, 20);
        const uint32_t words[4] = {1, 2, 3, 4};
        c.events.setStateLimits(id, pos, 0, words);
    }
    const int pos = c.events.appendAction(ENABLING_ID);
    c.events.setActionType(ENABLING_ID, pos, ACTION_ENABLING);
    c.events.setNumber(ENABLING_ID, pos, 0);
    c.events.enablingSource = 0;

    c.timerTable[0x1C3].hour = 0x12;
    c.coupledSceneGroups[2] = {7, 4};

    const auto fill = [](auto& texts) { texts.fill(kept); };
    fill(c.sceneDescriptions);
    fill(c.maskDescriptions);
    fill(c.programDescriptions);
    fill(c.eventDescriptions);
    fill(c.stateDescriptions);
    fill(c.inputDescriptions);
    fill(c.rcuKeyDescriptions);
    fill(c.panelDescriptions);
    c.rcuKeyCodes.fill(0x11);
    c.rcuAddress = 0x22;
    c.sequenceDelays[1] = {3};
    c.startedDelays = {3};

    c.ClearConfig(0);
    c.ClearConfig(0);
    c.projectFileName = QStringLiteral("show.31xcfg");
    c.projectFileDate = QStringLiteral("today");
}

QByteArray imageOf(const kv310_controller_class& c)
{
    return QByteArray(reinterpret_cast<const char*>(c.configImage), img::SIZE);
}

QString firstDifference(const QByteArray& got, const QByteArray& expected)
{
    for (qsizetype i = 0; i < got.size(); ++i)
        if (got[i] != expected[i])
            return QStringLiteral("offset 0x%1: 0x%2, expected 0x%3")
                .arg(i, 0, 16)
                .arg(uint8_t(got[i]), 2, 16, QLatin1Char('0'))
                .arg(uint8_t(expected[i]), 2, 16, QLatin1Char('0'));
    return QString();
}

// "offset length pattern" (hex): the pattern repeats over the range; ".."
// marks a byte that keeps its value.
void applyFill(QByteArray& image, const QString& fill)
{
    const QStringList parts = fill.split(QLatin1Char(' '));
    const uint32_t offset = parts[0].toUInt(nullptr, 16);
    const uint32_t length = parts[1].toUInt(nullptr, 16);
    const QString& pattern = parts[2];
    const int n = int(pattern.size() / 2);
    for (uint32_t i = 0; i < length; ++i) {
        const QString byte = pattern.mid(2 * int(i % uint32_t(n)), 2);
        if (byte != QLatin1String(".."))
            image[offset + i] = char(byte.toUInt(nullptr, 16));
    }
}

QString hexWords(const uint16_t* a, const uint16_t* b, int n)
{
    QString out;
    for (int i = 0; i < n; ++i)
        for (uint16_t w : {a[i], b[i]})
            out += QStringLiteral("%1%2").arg(w & 0xFF, 2, 16, QLatin1Char('0')).arg(w >> 8, 2, 16, QLatin1Char('0'));
    return out;
}

// Which description sets are no longer the fixture's: "scene" (emptied),
// "rcuKey(null)" (made null), "event 800-bff" (a run of emptied event ids).
QStringList changedTexts(const kv310_controller_class& c)
{
    QStringList out;
    const auto state = [](const QString& s) { return s == kept ? 0 : s.isNull() ? 2 : s.isEmpty() ? 1 : 3; };
    const auto whole = [&](const char* name, const auto& texts) {
        const int first = state(texts[0]);
        for (const QString& s : texts)
            if (state(s) != first)
                return out.append(QStringLiteral("%1(mixed)").arg(QLatin1String(name)));
        if (first == 1)
            out.append(QLatin1String(name));
        else if (first == 2)
            out.append(QStringLiteral("%1(null)").arg(QLatin1String(name)));
    };
    whole("scene", c.sceneDescriptions);
    whole("program", c.programDescriptions);
    whole("mask", c.maskDescriptions);
    whole("input", c.inputDescriptions);
    whole("rcuKey", c.rcuKeyDescriptions);
    whole("state", c.stateDescriptions);
    whole("panel", c.panelDescriptions);
    for (int id = 0; id < EVENT_COUNT;) {
        const int s = state(c.eventDescriptions[size_t(id)]);
        int end = id;
        while (end + 1 < EVENT_COUNT && state(c.eventDescriptions[size_t(end + 1)]) == s)
            ++end;
        if (s != 0)
            out << QStringLiteral("event %1-%2%3").arg(id, 0, 16).arg(end, 0, 16).arg(s == 1 ? "" : "(?)");
        id = end + 1;
    }
    return out;
}

// The memory-only lists that no longer hold the fixture's entries.
QStringList changedLists(const kv310_controller_class& c)
{
    QStringList out;
    if (c.coupledSceneCount() == 0)
        out << QStringLiteral("groups");
    if (c.sequenceDelays[1].isEmpty() && c.startedDelays.isEmpty())
        out << QStringLiteral("sequences");
    if (c.rcuAddress == 0xFF && c.rcuKeyCodes[0] == 0xFF)
        out << QStringLiteral("rcu");
    return out;
}

} // namespace

void tst_clear_config::clearOneCategory_data()
{
    QTest::addColumn<uint32_t>("co");
    QTest::addColumn<QStringList>("fills");      // image ranges that change, and to what
    QTest::addColumn<QString>("actions");        // ids whose action records are cleared
    QTest::addColumn<bool>("limits");            // every record loses its limits
    QTest::addColumn<QStringList>("texts");      // descriptions that change
    QTest::addColumn<QStringList>("lists");      // memory lists that are emptied

    const QStringList none;
    const QStringList programs{"2200 400 0000", "2600 400 ff", "2a00 400 0100", "2e00 400 ff", "5000 800 ff",
                               "5800 800 ff", "8000 4000 ff", "20000 10000 ffff00000a000000"};
    QTest::newRow("nothing") << 0u << none << "" << false << none << none;
    QTest::newRow("scenes") << CLEAR_SCENES
                            << QStringList{"c000 14000 0000ffff00000000", "80000 500000 00", "2000 200 ffff0000"}
                            << "" << false << none << QStringList{"groups"};
    QTest::newRow("programs") << CLEAR_PROGRAMS << programs << "" << false << none << none;
    QTest::newRow("programs and chains") << (CLEAR_PROGRAMS | CLEAR_CHAINS) << programs << "" << false << none << none;
    QTest::newRow("chains") << CLEAR_CHAINS << QStringList{"2600 400 ff", "8000 4000 ff"} << "" << false << none
                            << none;
    QTest::newRow("scene descriptions") << CLEAR_SCENE_DESCRIPTIONS << none << "" << false << QStringList{"scene"}
                                        << none;
    QTest::newRow("program descriptions") << CLEAR_PROGRAM_DESCRIPTIONS << none << "" << false
                                          << QStringList{"program"} << none;
    QTest::newRow("timers") << CLEAR_TIMERS << QStringList{"6000 2000 ff", "1eea 2 ff"} << "800-bff" << false
                            << QStringList{"event 800-bff"} << none;
    QTest::newRow("inputs") << CLEAR_INPUTS << QStringList{"1fa0 60 00"} << "1340-136f" << false
                            << QStringList{"input", "event 1340-136f"} << none;
    QTest::newRow("DMX in") << CLEAR_DMX_IN << QStringList{"1f00 40 ff", "1ee6 2 00", "1ee8 2 0002"} << "0-3ff"
                            << false << QStringList{"event 0-3ff"} << none;
    QTest::newRow("DMX out settings")
        << CLEAR_DMX_OUT_SETTINGS << QStringList{"3800 800 00ffffff", "1ee0 4 ff", "1ede 2 0002", "1ef4 2 0a00"} << ""
        << false << QStringList{"event c00-fff"} << none;
    QTest::newRow("internal events") << CLEAR_INTERNAL_EVENTS << none << "400-7ff" << false
                                     << QStringList{"event 400-7ff"} << none;
    QTest::newRow("remote control") << CLEAR_RCU << none << "1280-133f" << false
                                    << QStringList{"rcuKey(null)", "event 1280-133f"} << QStringList{"rcu"};
    QTest::newRow("DMX out events") << CLEAR_DMX_OUT_EVENTS << QStringList{"1ee0 4 ff"} << "c00-fff" << false << none
                                    << none;
    QTest::newRow("limits") << CLEAR_LIMITS << none << "" << true << none << none;
    QTest::newRow("delays") << CLEAR_DELAYS << QStringList{"4800 800 ff"} << "1000-127f" << false
                            << QStringList{"event 1000-127f"} << QStringList{"sequences"};
    QTest::newRow("masks") << CLEAR_MASKS << QStringList{"4000 800 0000....0000....", "60000 18000 ff", "78000 8000 00"}
                           << "" << false << none << none;
    QTest::newRow("mask descriptions") << CLEAR_MASK_DESCRIPTIONS << none << "" << false << QStringList{"mask"} << none;
    QTest::newRow("sun") << CLEAR_SUN
                         << QStringList{"3200 5b8 " + hexWords(sunriseDefaultTable, sunsetDefaultTable, SUN_DAYS),
                                        "37b8 3c ff", "37f4 c 010000001400000032000000", "1eea 2 ff", "1eec 2 0000"}
                         << "" << false << none << none;
    QTest::newRow("descriptions") << CLEAR_DESCRIPTIONS << none << "" << false
                                  << QStringList{"scene", "program", "mask", "input", "rcuKey", "state", "panel",
                                                 "event 0-136f"}
                                  << none;
    QTest::newRow("visual project of a scratch copy") << CLEAR_VISUAL_PROJECT << none << "" << false << none << none;
    QTest::newRow("active scenes") << CLEAR_ACTIVE_SCENES << QStringList{"1ef6 4 ff", "1efe 2 ff", "1f40 60 ff"} << ""
                                   << false << none << none;
}

void tst_clear_config::clearOneCategory()
{
    QFETCH(uint32_t, co);
    QFETCH(QStringList, fills);
    QFETCH(QString, actions);
    QFETCH(bool, limits);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, lists);

    dialogRecorder rec;
    kv310_controller_class c;
    buildShow(c);
    QByteArray expected = imageOf(c);

    c.ClearConfig(co);
    QVERIFY(rec.entries.isEmpty());
    QVERIFY(c.projectFileName.isNull());
    QVERIFY(c.projectFileDate.isNull());

    for (const QString& fill : fills)
        applyFill(expected, fill);
    const int from = actions.isEmpty() ? -1 : actions.section(QLatin1Char('-'), 0, 0).toInt(nullptr, 16);
    const int to = actions.isEmpty() ? -1 : actions.section(QLatin1Char('-'), 1).toInt(nullptr, 16);
    uint8_t cleared[24];
    eventAction{0xFFFF, 0xFFFF}.write(cleared);
    for (int r = 0; r < img::ACTION_RECORDS; ++r) {
        char* record = expected.data() + img::eventActionsOf(r);
        const int id = img::getU16(reinterpret_cast<const uint8_t*>(record), 0);
        if (id >= from && id <= to)
            std::memcpy(record, cleared, sizeof cleared);
        if (limits)
            std::memset(record + 5, 0xFF, 19);
    }
    const QString difference = firstDifference(imageOf(c), expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    QCOMPARE(changedTexts(c), texts);
    QCOMPARE(changedLists(c), lists);

    // The tables were rebuilt from the cleared image.
    for (int id : fixtureActions) {
        const bool gone = id >= from && id <= to;
        QCOMPARE(c.events.actionCount(id), gone ? -1 : 1);
        if (!gone)
            QCOMPARE(c.events.daytimeFrom(id, 0), limits ? 255 : 10);
    }
    QCOMPARE(c.events.enablingSource, from == 0x1340 ? -1 : 0);
    QCOMPARE(c.programs.stepCount(3), co & CLEAR_PROGRAMS ? -1 : 2);
    if (!(co & CLEAR_PROGRAMS))
        QCOMPARE(c.programs.stepEvent(3, 0), co & CLEAR_CHAINS ? 0xFFFF : 0x405);
    QCOMPARE(c.timerTable[0x1C3].eventId, uint16_t(co & CLEAR_TIMERS ? 0xFFFF : 0x9C3));
    QCOMPARE(c.timerTable[0].eventId, uint16_t(co & (CLEAR_TIMERS | CLEAR_SUN) ? 0xFFFF : 0x800));
    QCOMPARE(c.clockCalibration, 7);
}

void tst_clear_config::clearZeroStillPacksAndUnpacks()
{
    dialogRecorder rec;
    kv310_controller_class c;
    c.projectFileName = QStringLiteral("a");
    c.projectFileDate = QStringLiteral("b");
    const int pos = c.events.appendAction(0x401);
    c.events.setNumber(0x401, pos, 9);
    c.programs.setStepCount(4, 3);
    c.coupledSceneGroups[1] = {9, 2};
    // What packing writes into a free record: state words 0.
    QCOMPARE(c.events.packEvents(c.configImage), 0);
    QCOMPARE(img::getU32(c.configImage, img::eventActionsOf(100) + 8), 0u);

    c.ClearConfig(0);
    QVERIFY(rec.entries.isEmpty());
    QVERIFY(c.projectFileName.isNull());
    QVERIFY(c.projectFileDate.isNull());
    QCOMPARE(img::getU16(c.configImage, img::eventActionsOf(2)), uint16_t(0x401));
    QCOMPARE(img::getU16(c.configImage, img::eventActionsOf(2) + 2), uint16_t(9));
    QCOMPARE(c.events.actionCount(0x401), 1);
    QCOMPARE(img::getU16(c.configImage, img::programStepCountOf(4)), uint16_t(3));
    QCOMPARE(c.programs.stepCount(4), 3);
    QCOMPARE(img::getU32(c.configImage, img::coupledByGroupOf(0)), 0x10000u | 2u);
    QCOMPARE(c.coupledSceneGroups[1], (QList<uint16_t>{2, 9}));
    for (int r = 3; r < img::ACTION_RECORDS; ++r)
        for (int w = 0; w < 4; ++w)
            QCOMPARE(img::getU32(c.configImage, img::eventActionsOf(r) + 8 + 4 * uint32_t(w)), 0xFFFFFFFFu);
}

void tst_clear_config::everyBitButOneKeepsWhatOnlyTheWholeClearResets()
{
    dialogRecorder rec;
    kv310_controller_class c;
    buildShow(c);
    const QByteArray before = imageOf(c);
    c.ClearConfig(CLEAR_ALL & ~CLEAR_SCENES);

    QCOMPARE(c.clockCalibration, 7);
    const QByteArray after = imageOf(c);
    struct range {
        uint32_t offset, length;
    };
    const range keptRanges[] = {
        {img::uninterpreted, img::settingsWords},
        {img::dmxInProgramming, 2},
        {img::startUpTime, 2},
        {img::shutDownTime, 2},
        {img::extPanelsEnable, 2},
        {img::transmitFirstChannel, 4},
        {img::firstExtraSlot, 2},
        {img::asFadeUp, 4},
        {img::sceneTimes, img::SCENES * 8},
        {img::sceneChannels, img::SCENES * img::CHANNELS},
        {img::coupledByGroup, 0x200},
        {img::projectArea, img::PROJECT_AREA_SIZE},
    };
    for (const range& r : keptRanges)
        QVERIFY2(after.mid(r.offset, r.length) == before.mid(r.offset, r.length), qPrintable(QString::number(r.offset, 16)));
    QCOMPARE(c.coupledSceneGroups[2], (QList<uint16_t>{4, 7}));
    // Everything else of the categories was cleared.
    QCOMPARE(c.programs.count(), 0);
    for (int id : fixtureActions)
        QCOMPARE(c.events.actionCount(id), -1);
    QCOMPARE(img::getU16(c.configImage, img::outputChannelCount), uint16_t(512));
    QCOMPARE(img::getU32(c.configImage, img::sunTableOf(0)), 459u | (948u << 16));
}

void tst_clear_config::clearAllEqualsAFreshObject()
{
    dialogRecorder rec;
    kv310_controller_class fresh;
    kv310_controller_class c;
    buildShow(c);
    // Programs beyond the step records do not stop the whole clear, nor warn.
    for (int P = 10; P < 20; ++P)
        c.programs.setStepCount(P, 999);

    c.ClearConfig();
    QVERIFY(rec.entries.isEmpty());
    const QString difference = firstDifference(imageOf(c), imageOf(fresh));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(c.clockCalibration, 0);
    QCOMPARE(c.programs.count(), 0);
    QVERIFY(c.extraEntries.empty());
    for (int id : fixtureActions)
        QCOMPARE(c.events.actionCount(id), -1);
    QCOMPARE(c.events.enablingSource, -1);
    QCOMPARE(c.timerTable[0x1C3].eventId, uint16_t(0xFFFF));
    QCOMPARE(changedLists(c), (QStringList{"groups", "sequences", "rcu"}));
    QCOMPARE(changedTexts(c), (QStringList{"scene", "program", "mask", "input", "rcuKey(null)", "state", "panel",
                                           "event 0-136f"}));
}

void tst_clear_config::freshImage()
{
    kv310_controller_class c;
    const uint8_t* image = c.configImage;
    const auto allBytes = [image](uint32_t offset, uint32_t length, uint8_t value) {
        for (uint32_t i = offset; i < offset + length; ++i)
            if (image[i] != value)
                return false;
        return true;
    };
    QVERIFY(allBytes(0, img::settingsWords, 0xFF));
    QVERIFY(allBytes(img::projectArea, img::PROJECT_AREA_SIZE, 0xFF));
    QCOMPARE(img::getU16(image, img::startUpTime), uint16_t(0));
    QCOMPARE(img::getU16(image, img::shutDownTime), uint16_t(0));
    QCOMPARE(img::getU16(image, img::asFadeUp), uint16_t(0xFFFF));
    QCOMPARE(img::getU16(image, img::asFadeDown), uint16_t(0xFFFF));
    QCOMPARE(img::getU16(image, img::dmxInProgramming), uint16_t(0xFFFF));
    QCOMPARE(img::getU16(image, img::firstExtraSlot), uint16_t(0xFFFF));
    for (int m : {0, 191, 192, 255}) {
        const fadeTimes t = fadeTimes::read(image + img::maskTimesOf(m));
        QCOMPARE(t.fadeUp, uint16_t(0));
        QCOMPARE(t.duration, uint16_t(0xFFFF));
        QCOMPARE(t.fadeDown, uint16_t(0));
        QCOMPARE(t.reserved, uint16_t(0xFFFF));
    }
    QCOMPARE(img::getU32(image, img::sunTableOf(0)), 459u | (948u << 16));
    QVERIFY(allBytes(img::sunTableOf(SUN_DAYS), 15 * 4, 0xFF));
    QCOMPARE(image[img::sceneChannelsOf(img::SCENES - 1) + img::CHANNELS - 1], uint8_t(0));
    QVERIFY(allBytes(img::eventActionsOf(0), 4, 0xFF));
    QCOMPARE(image[img::eventActionsOf(8191) + 4], uint8_t(0x40));
    QVERIFY(allBytes(img::eventActionsOf(8191) + 5, 19, 0xFF));
    QVERIFY(c.rcuKeyDescriptions[0].isNull());
    QVERIFY(c.eventDescriptions[0x1346].isEmpty() && !c.eventDescriptions[0x1346].isNull());
    QVERIFY(c.panelDescriptions[13].isEmpty() && !c.panelDescriptions[13].isNull());
}

void tst_clear_config::failedProgramPack_data()
{
    QTest::addColumn<uint32_t>("co");
    QTest::addColumn<int>("programs");   // programs left in the table
    QTest::addColumn<int>("stepEvent");  // event of program 0, step 0
    QTest::addColumn<bool>("warned");

    QTest::newRow("another category keeps the table") << CLEAR_MASKS << 10 << 0x401 << true;
    QTest::newRow("chains are cleared in the table") << CLEAR_CHAINS << 10 << 0xFFFF << true;
    QTest::newRow("clearing the programs empties it") << CLEAR_PROGRAMS << 0 << -1 << true;
    QTest::newRow("clearing everything empties it") << CLEAR_ALL << 0 << -1 << false;
}

void tst_clear_config::failedProgramPack()
{
    QFETCH(uint32_t, co);
    QFETCH(int, programs);
    QFETCH(int, stepEvent);
    QFETCH(bool, warned);

    dialogRecorder rec;
    kv310_controller_class c;
    c.programs.setStepCount(0, 5);
    c.programs.setStepEvent(0, 0, 0x401);
    c.ClearConfig(0);
    // Edits since: more steps than the image holds.
    for (int P = 1; P < 10; ++P) {
        c.programs.setStepCount(P, 999);
        c.programs.setStepEvent(P, 998, 0x402);
    }

    c.ClearConfig(co);
    QCOMPARE(rec.texts(), warned ? QStringList{"Program steps limit exceed!"} : QStringList{});
    QCOMPARE(c.programs.count(), programs);
    QCOMPARE(c.programs.stepEvent(0, 0), stepEvent);
    if (programs) {
        QCOMPARE(c.programs.stepCount(9), 999);
        QCOMPARE(c.programs.stepEvent(9, 998), stepEvent == 0xFFFF ? 0xFFFF : 0x402);
    }
}

void tst_clear_config::failedEventPack_data()
{
    QTest::addColumn<uint32_t>("co");
    QTest::addColumn<int>("enablingId");     // the event carrying an Enabling action
    QTest::addColumn<QList<int>>("counts");  // actions of 0x001, 0x002, 0x401, 0x402 and enablingId
    QTest::addColumn<int>("daytime");        // daytimeFrom of the actions of 0x402
    QTest::addColumn<int>("enablingSource");

    constexpr int many = img::ACTION_RECORDS - 2;
    constexpr int input3 = 0x1346;
    constexpr int button1 = 0x1283;
    QTest::newRow("another category keeps the table") << CLEAR_MASKS << input3 << QList<int>{1, 1, 1, many, 1} << 10
                                                      << 3;
    QTest::newRow("one range is cleared in the table") << CLEAR_DMX_IN << input3 << QList<int>{-1, -1, 1, many, 1}
                                                       << 10 << 3;
    QTest::newRow("limits are cleared in the table") << CLEAR_LIMITS << input3 << QList<int>{1, 1, 1, many, 1} << 255
                                                     << 3;
    QTest::newRow("inputs take an input source") << CLEAR_INPUTS << input3 << QList<int>{1, 1, 1, many, -1} << 10
                                                 << -1;
    QTest::newRow("remote control leaves an input source") << CLEAR_RCU << input3 << QList<int>{1, 1, 1, many, 1}
                                                           << 10 << 3;
    QTest::newRow("remote control takes a button source") << CLEAR_RCU << button1 << QList<int>{1, 1, 1, many, -1}
                                                          << 10 << -1;
    QTest::newRow("inputs leave a button source") << CLEAR_INPUTS << button1 << QList<int>{1, 1, 1, many, 1} << 10
                                                  << 25;
    QTest::newRow("every range empties it") << (CLEAR_DMX_IN | CLEAR_INTERNAL_EVENTS | CLEAR_TIMERS
                                                | CLEAR_DMX_OUT_EVENTS | CLEAR_DELAYS | CLEAR_RCU | CLEAR_INPUTS)
                                            << input3 << QList<int>{-1, -1, -1, -1, -1} << 255 << -1;
    QTest::newRow("clearing everything empties it") << CLEAR_ALL << input3 << QList<int>{-1, -1, -1, -1, -1} << 255
                                                    << -1;
}

void tst_clear_config::failedEventPack()
{
    QFETCH(uint32_t, co);
    QFETCH(int, enablingId);
    QFETCH(QList<int>, counts);
    QFETCH(int, daytime);
    QFETCH(int, enablingSource);

    dialogRecorder rec;
    kv310_controller_class c;
    c.events.appendAction(0x001);
    c.events.appendAction(0x401);
    const int pos = c.events.appendAction(enablingId);
    c.events.setActionType(enablingId, pos, ACTION_ENABLING);
    c.ClearConfig(0);
    QCOMPARE(c.events.enablingSource, enablingId >= EVENT_INPUT ? 3 : 25);
    // Edits since: more actions than the image holds.
    c.events.appendAction(0x002);
    for (int i = 0; i < img::ACTION_RECORDS - 2; ++i)
        c.events.setDaytimeLimit(0x402, c.events.appendAction(0x402), 10, 20);
    QCOMPARE(c.events.packEvents(c.configImage), -1);

    c.ClearConfig(co);
    const int ids[] = {0x001, 0x002, 0x401, 0x402, enablingId};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(c.events.actionCount(ids[i]), counts[i]);
    QCOMPARE(c.events.daytimeFrom(0x402, img::ACTION_RECORDS - 3), daytime);
    QCOMPARE(c.events.enablingSource, enablingSource);
}

void tst_clear_config::visualProjectOnlyOfThePublishedController_data()
{
    QTest::addColumn<bool>("published");
    QTest::addColumn<bool>("window");
    QTest::addColumn<uint32_t>("co");
    QTest::addColumn<int>("resets");

    QTest::newRow("the run's controller") << true << true << CLEAR_VISUAL_PROJECT << 1;
    QTest::newRow("the run's controller, everything") << true << true << CLEAR_ALL << 1;
    QTest::newRow("the run's controller, other categories") << true << true << (CLEAR_ALL & ~CLEAR_VISUAL_PROJECT)
                                                            << 0;
    QTest::newRow("a scratch copy") << false << true << CLEAR_ALL << 0;
    QTest::newRow("no main window") << true << false << CLEAR_VISUAL_PROJECT << 0;
}

void tst_clear_config::visualProjectOnlyOfThePublishedController()
{
    QFETCH(bool, published);
    QFETCH(bool, window);
    QFETCH(uint32_t, co);
    QFETCH(int, resets);

    dialogRecorder rec;
    fakeMainWindow main;
    theMainWindow = window ? &main : nullptr;
    kv310_controller_class run;
    theController = &run;
    // Constructing a scratch copy clears it whole, and touches nothing of the run.
    auto scratch = std::make_unique<kv310_controller_class>();
    QCOMPARE(main.fieldResets, 0);

    (published ? run : *scratch).ClearConfig(co);
    QCOMPARE(main.fieldResets, resets);
    theController = nullptr;
    theMainWindow = nullptr;
}

QTEST_MAIN(tst_clear_config)
#include "tst_clear_config.moc"
