#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "support/dialog_recorder.h"

#include <QTest>

// The timer table, the coupled-scene groups and the sequence lists against the image.
class tst_model_tables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timerRoundTrip_data();
    void timerRoundTrip();
    void timersPackInEntryOrder();
    void timerUnpackSkipsForeignRecords();
    void packCoupledScenes_data();
    void packCoupledScenes();
    void unpackCoupledScenes_data();
    void unpackCoupledScenes();
    void rebuildSequences_data();
    void rebuildSequences();
};

namespace {

const QString incoherent = QStringLiteral("Coupling tables are not coherent!\nThe first one was taken.");

void addActions(kv310_controller_class& c, int id, int n = 1)
{
    for (int i = 0; i < n; ++i) {
        const int pos = c.events.appendAction(id);
        c.events.setNumber(id, pos, 1);
    }
}

bool dated(const timerRecord& t)
{
    return t.hour == 0x12 && t.minute == 0x30;
}

// "3:0 5:0" into {scene, group} pairs.
QList<coupledScenePair> pairs(const QString& text)
{
    QList<coupledScenePair> out;
    for (const QString& p : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList sg = p.split(QLatin1Char(':'));
        out.append(coupledScenePair{uint16_t(sg[0].toUInt()), uint16_t(sg[1].toUInt())});
    }
    return out;
}

QString pairsText(const uint8_t* image, uint32_t table)
{
    QStringList out;
    for (int i = 0; i < img::COUPLED_PAIRS; ++i) {
        const coupledScenePair p = coupledScenePair::read(image + table + 4u * uint32_t(i));
        if (p.scene == 0xFFFF && p.group == 0)
            continue;
        out << QStringLiteral("%1:%2").arg(p.scene).arg(p.group);
    }
    return out.join(QLatin1Char(' '));
}

void writePairs(uint8_t* image, uint32_t table, const QString& text)
{
    const QList<coupledScenePair> list = pairs(text);
    for (int i = 0; i < img::COUPLED_PAIRS; ++i)
        (i < list.size() ? list[i] : coupledScenePair{}).write(image + table + 4u * uint32_t(i));
}

// "0:5,3 2:3": group 0 holds 5 and 3, group 2 holds 3.
void setGroups(kv310_controller_class& c, const QString& text)
{
    for (const QString& g : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = g.split(QLatin1Char(':'));
        for (const QString& s : parts[1].split(QLatin1Char(',')))
            c.coupledSceneGroups[parts[0].toUInt()].append(uint16_t(s.toUInt()));
    }
}

QString groupsText(const kv310_controller_class& c)
{
    QStringList out;
    for (int g = 0; g < 15; ++g) {
        if (c.coupledSceneGroups[size_t(g)].isEmpty())
            continue;
        QStringList scenes;
        for (uint16_t s : c.coupledSceneGroups[size_t(g)])
            scenes << QString::number(s);
        out << QStringLiteral("%1:%2").arg(g).arg(scenes.join(QLatin1Char(',')));
    }
    return out.join(QLatin1Char(' '));
}

QString listText(const QList<uint16_t>& list, QChar separator)
{
    QStringList out;
    for (uint16_t d : list)
        out << QString::number(d);
    return out.join(separator);
}

} // namespace

void tst_model_tables::timerRoundTrip_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("idBefore");
    QTest::addColumn<bool>("isDated");
    QTest::addColumn<bool>("withActions");
    QTest::addColumn<bool>("sunEventsOn");
    QTest::addColumn<int>("record");     // image record holding the entry; -1 none
    QTest::addColumn<int>("imageId");    // its eventId there
    QTest::addColumn<int>("idAfter");    // the entry's eventId after unpacking
    QTest::addColumn<bool>("datedAfter");

    QTest::newRow("a timer with actions packs first") << 700 << 0xFFFF << false << true << true << 2 << 0xABC << 0xABC
                                                     << false;
    QTest::newRow("a dated timer keeps its id without actions")
        << 5 << 0x805 << true << false << true << 2 << 0x805 << 0x805 << true;
    QTest::newRow("an undated timer without actions is dropped")
        << 5 << 0x805 << false << false << true << -1 << 0 << 0xFFFF << false;
    QTest::newRow("a dated timer never tagged stays out") << 5 << 0xFFFF << true << false << true << -1 << 0 << 0xFFFF
                                                         << false;
    QTest::newRow("a dated timer with actions") << 1023 << 0xFFFF << true << true << true << 2 << 0xBFF << 0xBFF
                                                << true;
    QTest::newRow("sunrise with sun events on") << 0 << 0xFFFF << false << true << true << 0 << 0xFFFF << 0x800
                                                << false;
    QTest::newRow("sunset with sun events on") << 1 << 0xFFFF << false << true << true << 1 << 0xFFFF << 0x801
                                               << false;
    QTest::newRow("sunrise with sun events off") << 0 << 0xFFFF << false << true << false << 0 << 0xFFFF << 0xFFFF
                                                 << false;
    QTest::newRow("sunset keeps no date") << 1 << 0x801 << true << true << true << 1 << 0x801 << 0x801 << false;
}

void tst_model_tables::timerRoundTrip()
{
    QFETCH(int, entry);
    QFETCH(int, idBefore);
    QFETCH(bool, isDated);
    QFETCH(bool, withActions);
    QFETCH(bool, sunEventsOn);
    QFETCH(int, record);
    QFETCH(int, imageId);
    QFETCH(int, idAfter);
    QFETCH(bool, datedAfter);

    kv310_controller_class c;
    img::putU16(c.configImage, img::sunEvents, sunEventsOn ? 0x0102 : 0xFFFF);
    timerRecord& t = c.timerTable[size_t(entry)];
    t.eventId = uint16_t(idBefore);
    if (isDated) {
        t.hour = 0x12;
        t.minute = 0x30;
    }
    if (withActions)
        addActions(c, EVENT_TIMER + entry);

    c.packTimers();
    for (int r = 0; r < img::TIMER_RECORDS; ++r) {
        const timerRecord inImage = timerRecord::read(c.configImage + img::timersOf(r));
        if (r == record) {
            QCOMPARE(int(inImage.eventId), imageId);
            QCOMPARE(dated(inImage), isDated);
        } else {
            QVERIFY2(inImage.eventId == 0xFFFF && !dated(inImage), qPrintable(QString::number(r)));
        }
    }

    c.timerTable.fill(timerRecord{0x1234, 1, 2, 3, 4, 5, 6});
    c.unpackTimers();
    QCOMPARE(int(c.timerTable[size_t(entry)].eventId), idAfter);
    QCOMPARE(dated(c.timerTable[size_t(entry)]), datedAfter);
    for (int i = 0; i < img::TIMER_RECORDS; ++i)
        if (i != entry)
            QCOMPARE(c.timerTable[size_t(i)].eventId, uint16_t(0xFFFF));
}

void tst_model_tables::timersPackInEntryOrder()
{
    kv310_controller_class c;
    addActions(c, EVENT_TIMER + 40);
    c.timerTable[10].eventId = 0x80A;
    c.timerTable[10].dayOfWeek = 3;
    addActions(c, EVENT_TIMER + 3, 2);
    c.packTimers();
    QCOMPARE(img::getU16(c.configImage, img::timersOf(2)), uint16_t(0x803));
    QCOMPARE(img::getU16(c.configImage, img::timersOf(3)), uint16_t(0x80A));
    QCOMPARE(c.configImage[img::timersOf(3) + 5], uint8_t(3));
    QCOMPARE(img::getU16(c.configImage, img::timersOf(4)), uint16_t(0x828));
    QCOMPARE(img::getU16(c.configImage, img::timersOf(5)), uint16_t(0xFFFF));
}

void tst_model_tables::timerUnpackSkipsForeignRecords()
{
    kv310_controller_class c;
    timerRecord{0xC00, 0x24, 1, 1, 1, 0x12, 0x30}.write(c.configImage + img::timersOf(2));   // past the timers
    timerRecord{0x123, 0x24, 1, 1, 1, 0x12, 0x30}.write(c.configImage + img::timersOf(3));   // not a timer
    timerRecord{0x805, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}.write(c.configImage + img::timersOf(4));  // undated
    timerRecord{0x901, 0x24, 1, 1, 1, 0x12, 0x30}.write(c.configImage + img::timersOf(5));
    // Sunrise and sunset dates are never read back.
    timerRecord{0x800, 0x24, 1, 1, 1, 0x12, 0x30}.write(c.configImage + img::timersOf(0));
    c.unpackTimers();
    for (int i = 0; i < img::TIMER_RECORDS; ++i) {
        const timerRecord& t = c.timerTable[size_t(i)];
        if (i == 0x101) {
            QCOMPARE(t.eventId, uint16_t(0x901));
            QVERIFY(dated(t));
        } else {
            QVERIFY2(t.eventId == 0xFFFF && t.year == 0xFF && t.minute == 0xFF, qPrintable(QString::number(i)));
        }
    }
}

void tst_model_tables::packCoupledScenes_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("byGroup");
    QTest::addColumn<QString>("byScene");
    QTest::addColumn<QString>("sortedGroups");

    QTest::newRow("a scene in two groups is written twice") << "0:5,3 2:3"
                                                            << "3:0 5:0 3:2"
                                                            << "3:0 3:2 5:0"
                                                            << "0:3,5 2:3";
    QTest::newRow("groups in order, sorted") << "14:10239 1:10,2 3:7"
                                             << "2:1 10:1 7:3 10239:14"
                                             << "2:1 7:3 10:1 10239:14"
                                             << "1:2,10 3:7 14:10239";
    QTest::newRow("no groups") << ""
                               << ""
                               << ""
                               << "";

    QStringList scenes, written, sorted;
    for (int s = 69; s >= 0; --s)
        scenes << QString::number(s);
    for (int s = 0; s < 64; ++s)
        written << QStringLiteral("%1:4").arg(s);
    for (int s = 0; s < 70; ++s)
        sorted << QString::number(s);
    QTest::newRow("only 64 scenes fit") << "4:" + scenes.join(QLatin1Char(',')) << written.join(QLatin1Char(' '))
                                        << written.join(QLatin1Char(' ')) << "4:" + sorted.join(QLatin1Char(','));
}

void tst_model_tables::packCoupledScenes()
{
    QFETCH(QString, groups);
    QFETCH(QString, byGroup);
    QFETCH(QString, byScene);
    QFETCH(QString, sortedGroups);

    kv310_controller_class c;
    writePairs(c.configImage, img::coupledByGroup, QStringLiteral("1:1 2:2 3:3"));
    writePairs(c.configImage, img::coupledByScene, QStringLiteral("1:1 2:2 3:3"));
    setGroups(c, groups);
    c.packCoupledScenes();
    QCOMPARE(pairsText(c.configImage, img::coupledByGroup), byGroup);
    QCOMPARE(pairsText(c.configImage, img::coupledByScene), byScene);
    QCOMPARE(groupsText(c), sortedGroups);
    // The free entries read 0x0000FFFF.
    QCOMPARE(img::getU32(c.configImage, img::coupledBySceneOf(img::COUPLED_PAIRS - 1)),
             byScene.count(QLatin1Char(' ')) == img::COUPLED_PAIRS - 1 ? 0x40000 | 63u : 0x0000FFFFu);
}

void tst_model_tables::unpackCoupledScenes_data()
{
    QTest::addColumn<QString>("byGroup");
    QTest::addColumn<QString>("byScene");
    QTest::addColumn<QString>("groups");
    QTest::addColumn<bool>("message");

    QTest::newRow("the same pairs in another order") << "1:0 2:3 9:3"
                                                     << "9:3 2:3 1:0"
                                                     << "0:1 3:2,9" << false;
    QTest::newRow("a scene in two groups stays in the first") << "3:0 5:0 3:2"
                                                              << "3:0 3:2 5:0"
                                                              << "0:3,5" << true;
    QTest::newRow("the second table names a pair the first lacks") << "1:0"
                                                                   << "1:0 2:3"
                                                                   << "0:1" << true;
    QTest::newRow("a pair only the first table holds passes") << "1:0 2:3"
                                                              << "1:0"
                                                              << "0:1 3:2" << false;
    QTest::newRow("entries out of range are skipped") << "10240:0 5:15 6:14 65535:3"
                                                      << "10240:0 5:15 6:14 10239:15"
                                                      << "14:6" << false;
    QTest::newRow("the first table keeps its order") << "9:1 4:1 7:1"
                                                     << "4:1 7:1 9:1"
                                                     << "1:9,4,7" << false;
    QTest::newRow("empty tables") << ""
                                  << ""
                                  << "" << false;
}

void tst_model_tables::unpackCoupledScenes()
{
    QFETCH(QString, byGroup);
    QFETCH(QString, byScene);
    QFETCH(QString, groups);
    QFETCH(bool, message);

    kv310_controller_class c;
    setGroups(c, QStringLiteral("5:100,200"));
    writePairs(c.configImage, img::coupledByGroup, byGroup);
    writePairs(c.configImage, img::coupledByScene, byScene);
    dialogRecorder rec;
    c.unpackCoupledScenes();
    QCOMPARE(groupsText(c), groups);
    if (!message) {
        QVERIFY(rec.entries.isEmpty());
        return;
    }
    QCOMPARE(rec.entries.size(), 1);
    QCOMPARE(rec.entries[0].icon, QMessageBox::Information);
    QCOMPARE(rec.entries[0].parent, nullptr);
    QCOMPARE(rec.entries[0].title, QStringLiteral("Configuration error:"));
    QCOMPARE(rec.entries[0].text, incoherent);
}

void tst_model_tables::rebuildSequences_data()
{
    QTest::addColumn<QString>("delays");     // "delay:sequence"
    QTest::addColumn<QString>("actions");    // "event>target", "/off" stops the delay, "/scene" is a scene action
    QTest::addColumn<QString>("sequences");  // "sequence:delay,delay"
    QTest::addColumn<QString>("started");    // in action record order

    QTest::newRow("a chain") << "1:0 2:0 3:0"
                             << "1200>1 1001>2 1002>3"
                             << "0:1,2,3"
                             << "2 3 1";
    QTest::newRow("a loop is listed once") << "1:0 2:0 3:0"
                                           << "1200>1 1001>2 1002>3 1003>1"
                                           << "0:1,2,3"
                                           << "2 3 1 1";
    QTest::newRow("a delay of another sequence started by the start") << "4:1"
                                                                      << "1200>4"
                                                                      << ""
                                                                      << "4";
    QTest::newRow("several first delays, the walk goes on from the last") << "1:0 4:0 5:0 2:0"
                                                                          << "1200>1 1200>4 1004>5 1001>2"
                                                                          << "0:1,4,5"
                                                                          << "2 5 1 4";
    QTest::newRow("the first fitting link wins")
        << "1:0 2:0 3:0 7:2"
        << "1200>1 1001>7 1001>2/off 1001>3/scene 1001>600 1001>32768 1001>3 1001>2 1003>2"
        << "0:1,3,2"
        << "7 3 2 2 1";
    QTest::newRow("numbers beyond the delays start nothing") << "1:0"
                                                             << "1200>512 1200>65535 1200>1"
                                                             << "0:1"
                                                             << "1";
    QTest::newRow("two sequences") << "1:0 2:127 3:127"
                                   << "1200>1 127F>2 1002>3"
                                   << "0:1 127:2,3"
                                   << "3 1 2";
    QTest::newRow("a free delay belongs to no sequence") << ""
                                                         << "1200>1"
                                                         << ""
                                                         << "1";
}

void tst_model_tables::rebuildSequences()
{
    QFETCH(QString, delays);
    QFETCH(QString, actions);
    QFETCH(QString, sequences);
    QFETCH(QString, started);

    kv310_controller_class c;
    for (const QString& d : delays.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList ds = d.split(QLatin1Char(':'));
        img::putU32(c.configImage, img::delaysOf(ds[0].toInt()), delayWord::make(50, ds[1].toUInt()));
    }
    for (QString a : actions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        int type = ACTION_DELAY;
        int sub = SUB_ON;
        if (a.endsWith(QLatin1String("/off")))
            sub = SUB_OFF;
        if (a.endsWith(QLatin1String("/scene")))
            type = ACTION_SCENE;
        a = a.section(QLatin1Char('/'), 0, 0);
        const int id = a.section(QLatin1Char('>'), 0, 0).toInt(nullptr, 16);
        const int pos = c.events.appendAction(id);
        c.events.setActionType(id, pos, type);
        c.events.setSubAction(id, pos, sub);
        c.events.setNumber(id, pos, a.section(QLatin1Char('>'), 1).toInt());
    }
    c.startedDelays = {9};
    c.sequenceDelays[50] = {9};
    QCOMPARE(c.events.packEvents(c.configImage), 0);

    c.rebuildSequences();
    QStringList lists;
    for (int q = 0; q < img::SEQUENCES; ++q)
        if (!c.sequenceDelays[size_t(q)].isEmpty())
            lists << QStringLiteral("%1:%2").arg(q).arg(listText(c.sequenceDelays[size_t(q)], QLatin1Char(',')));
    QCOMPARE(lists.join(QLatin1Char(' ')), sequences);
    QCOMPARE(listText(c.startedDelays, QLatin1Char(' ')), started);
}

QTEST_GUILESS_MAIN(tst_model_tables)
#include "tst_model_tables.moc"
