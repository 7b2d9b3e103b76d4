#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/record_copy.h"

#include <QTest>

#include <cstring>
#include <memory>

// Copying ranges of scene and mask records within one show and between two:
// what reaches each destination, what it keeps, and where a copy stops.
class tst_record_copy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copies_data();
    void copies();
    void copiesPairs_data();
    void copiesPairs();
};

Q_DECLARE_METATYPE(recordTable)

namespace {

struct tableAt {
    int count;
    uint32_t channels;
    uint32_t times;
};

tableAt at(recordTable table)
{
    return table == recordTable::masks ? tableAt{img::MASKS, img::maskChannels, img::maskTimes}
                                       : tableAt{img::SCENES, img::sceneChannels, img::sceneTimes};
}

QString* texts(kv310_controller_class& c, recordTable table)
{
    return table == recordTable::masks ? c.maskDescriptions.data() : c.sceneDescriptions.data();
}

// Every record different from every other, in both shows: levels, all four
// time words and the description carry the record number and a show mark.
void fill(kv310_controller_class& c, recordTable table, int mark)
{
    const tableAt t = at(table);
    for (int r = 0; r < t.count; ++r) {
        uint8_t* levels = c.configImage + t.channels + 512u * uint32_t(r);
        for (int ch = 0; ch < 512; ++ch)
            levels[ch] = uint8_t(r * 7 + ch * 3 + mark);
        fadeTimes{uint16_t(r + mark), uint16_t(20000 + r), uint16_t(40000 + r + mark), uint16_t(0xA000 + r + mark)}
            .write(c.configImage + t.times + 8u * uint32_t(r));
        texts(c, table)[r] = QStringLiteral("show %1 record %2").arg(mark).arg(r);
    }
}

struct record {
    QByteArray levels;
    fadeTimes times;
    QString description;
};

QList<record> snapshot(kv310_controller_class& c, recordTable table)
{
    const tableAt t = at(table);
    QList<record> out;
    for (int r = 0; r < t.count; ++r)
        out.append({QByteArray(reinterpret_cast<const char*>(c.configImage + t.channels + 512u * uint32_t(r)), 512),
                    fadeTimes::read(c.configImage + t.times + 8u * uint32_t(r)), texts(c, table)[r]});
    return out;
}

bool unchanged(const record& got, const record& was)
{
    return got.levels == was.levels && got.description == was.description
           && std::memcmp(&got.times, &was.times, sizeof got.times) == 0;
}

// The show copied into, filled with mark 0, and the show copied from: the
// same one, or another filled with mark 1; both taken as they are before the copy.
struct copyShows {
    copyShows(recordTable table, bool oneShow)
    {
        fill(target, table, 0);
        if (!oneShow) {
            other = std::make_unique<kv310_controller_class>();
            fill(*other, table, 1);
            source = other.get();
        }
        from = snapshot(*source, table);
        before = snapshot(target, table);
    }

    kv310_controller_class target;
    std::unique_ptr<kv310_controller_class> other;
    kv310_controller_class* source = &target;
    QList<record> from;
    QList<record> before;
};

}  // namespace

void tst_record_copy::copies_data()
{
    QTest::addColumn<recordTable>("table");
    QTest::addColumn<bool>("oneShow");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("destination");
    QTest::addColumn<int>("levels");
    QTest::addColumn<bool>("duration");
    QTest::addColumn<bool>("description");
    QTest::addColumn<int>("copied");  // destination .. destination + copied - 1 from first on

    const auto scenes = recordTable::scenes;
    const auto masks = recordTable::masks;
    // Overlapping ranges of one show copy as through a buffer.
    QTest::newRow("4..9 onto 5") << scenes << true << 3 << 8 << 4 << 512 << true << true << 6;
    QTest::newRow("1..6 onto 3") << scenes << true << 0 << 5 << 2 << 512 << true << true << 6;
    QTest::newRow("5..10 onto 2") << scenes << true << 4 << 9 << 1 << 512 << true << true << 6;
    QTest::newRow("masks 1..6 onto 3") << masks << true << 0 << 5 << 2 << 512 << false << true << 6;
    QTest::newRow("from another show") << scenes << false << 0 << 5 << 2 << 512 << true << true << 6;
    // The copy stops at the last record of the table.
    QTest::newRow("101 scenes onto the 41st from the end") << scenes << false << 0 << 100 << 10199 << 512 << true
                                                           << true << 41;
    QTest::newRow("onto the last scene") << scenes << true << 10 << 20 << 10239 << 512 << true << true << 1;
    QTest::newRow("masks past 256") << masks << false << 200 << 255 << 250 << 512 << false << true << 6;
    // What the copy leaves to the destination.
    QTest::newRow("channel limit 100") << scenes << true << 20 << 22 << 40 << 100 << true << true << 3;
    QTest::newRow("levels and description only") << scenes << false << 7 << 8 << 7 << 512 << false << true << 2;
    QTest::newRow("levels only") << scenes << true << 0 << 0 << 9 << 512 << false << false << 1;
    // Nothing to copy.
    QTest::newRow("last before first") << scenes << true << 5 << 4 << 9 << 512 << true << true << 0;
    QTest::newRow("last beyond the table") << scenes << true << 0 << 10240 << 9 << 512 << true << true << 0;
    QTest::newRow("destination beyond the table") << masks << false << 0 << 1 << 256 << 512 << true << true << 0;
    QTest::newRow("negative first") << masks << false << -1 << 1 << 3 << 512 << true << true << 0;
}

void tst_record_copy::copies()
{
    QFETCH(recordTable, table);
    QFETCH(bool, oneShow);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, destination);
    QFETCH(int, levels);
    QFETCH(bool, duration);
    QFETCH(bool, description);
    QFETCH(int, copied);

    copyShows shows(table, oneShow);
    kv310_controller_class& target = shows.target;
    const QList<record>& from = shows.from;
    const QList<record>& before = shows.before;

    recordCopyParts parts;
    parts.levels = levels;
    parts.duration = duration;
    parts.description = description;
    QCOMPARE(copyRecords(*shows.source, first, last, target, destination, table, parts), copied);

    const QList<record> after = snapshot(target, table);
    for (int r = 0; r < after.size(); ++r) {
        const record& got = after.at(r);
        const record& was = before.at(r);
        if (r < destination || r >= destination + copied) {
            QVERIFY2(unchanged(got, was), qPrintable(QStringLiteral("record %1 changed").arg(r)));
            continue;
        }
        const record& src = from.at(first + r - destination);
        QCOMPARE(got.levels.left(levels), src.levels.left(levels));
        QCOMPARE(got.levels.mid(levels), was.levels.mid(levels));
        QCOMPARE(got.times.fadeUp, src.times.fadeUp);
        QCOMPARE(got.times.duration, duration ? src.times.duration : was.times.duration);
        QCOMPARE(got.times.fadeDown, src.times.fadeDown);
        QCOMPARE(got.times.reserved, was.times.reserved);
        QCOMPARE(got.description, description ? src.description : was.description);
    }
}

using pairList = std::vector<recordPair>;
Q_DECLARE_METATYPE(pairList)

void tst_record_copy::copiesPairs_data()
{
    QTest::addColumn<bool>("oneShow");
    QTest::addColumn<pairList>("pairs");
    QTest::addColumn<pairList>("copied");  // what each destination holds afterwards

    // Within one show every destination gets what its source held before.
    QTest::newRow("swap") << true << pairList{{101, 100}, {100, 101}} << pairList{{101, 100}, {100, 101}};
    QTest::newRow("chain upwards") << true << pairList{{1, 2}, {2, 3}, {3, 4}} << pairList{{1, 2}, {2, 3}, {3, 4}};
    QTest::newRow("chain downwards") << true << pairList{{3, 2}, {2, 1}} << pairList{{3, 2}, {2, 1}};
    QTest::newRow("apart") << true << pairList{{5, 500}, {0, 501}} << pairList{{5, 500}, {0, 501}};
    QTest::newRow("from another show") << false << pairList{{101, 100}, {100, 101}}
                                       << pairList{{101, 100}, {100, 101}};
    // Records outside the table are passed over.
    QTest::newRow("outside") << true << pairList{{10240, 7}, {3, 10240}, {-1, 8}, {4, 9}} << pairList{{4, 9}};
}

void tst_record_copy::copiesPairs()
{
    QFETCH(bool, oneShow);
    QFETCH(pairList, pairs);
    QFETCH(pairList, copied);

    const recordTable table = recordTable::scenes;
    copyShows shows(table, oneShow);
    kv310_controller_class& target = shows.target;
    const QList<record>& from = shows.from;
    const QList<record>& before = shows.before;

    // The pool copy of the program page: levels and description, no times.
    recordCopyParts parts;
    parts.fadeUp = parts.duration = parts.fadeDown = false;
    QCOMPARE(copyRecordPairs(*shows.source, pairs, target, table, parts), int(copied.size()));

    const QList<record> after = snapshot(target, table);
    QList<int> destinations;
    for (const recordPair& p : copied) {
        destinations << p.destination;
        const record& got = after.at(p.destination);
        QCOMPARE(got.levels, from.at(p.source).levels);
        QCOMPARE(got.description, from.at(p.source).description);
        QVERIFY(std::memcmp(&got.times, &before.at(p.destination).times, sizeof got.times) == 0);
    }
    for (int r = 0; r < after.size(); ++r)
        if (!destinations.contains(r))
            QVERIFY2(unchanged(after.at(r), before.at(r)), qPrintable(QStringLiteral("record %1 changed").arg(r)));
}

QTEST_MAIN(tst_record_copy)
#include "tst_record_copy.moc"
