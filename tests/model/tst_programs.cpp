#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "support/dialog_recorder.h"

#include <QTest>

// The programs table, the extra entries and the program regions of the image.
class tst_programs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stepCountKeepsHiddenSteps();
    void insertKeepsAtMost999Steps();
    void missingStepsGiveFixedResults_data();
    void missingStepsGiveFixedResults();
    void clipEntriesNeverCarryTheEvent();
    void stepRecordTimes_data();
    void stepRecordTimes();
    void fullTableRoundTrip();
    void tooManyStepsLeaveTheImageAsItWas();
    void extraEntriesInTheTopSlots();
    void unpackDropsLeadingEmptyExtraSlots();
    void corruptImagesStayInsideTheTables_data();
    void corruptImagesStayInsideTheTables();
    void timesFromScenes();
};

namespace {

QByteArray storedPart(const kv310_controller_class& c)
{
    return QByteArray(reinterpret_cast<const char*>(c.configImage), img::STORED_SIZE);
}

// Distinct, non-zero contents for every step of program P.
void fillProgram(programTable& t, int P, int n)
{
    t.setStepCount(P, n);
    for (int k = 0; k < n; ++k) {
        programStep* s = t.step(P, k);
        s->scene = uint16_t((P * 31 + k) % img::SCENES);
        s->fadeUp = fromTenths(unsigned((P + k) % 600));
        s->duration = fromTenths(unsigned(10 + k % 50));
        s->fadeDown = fromTenths(unsigned(1 + (P + 3 * k) % 90));
        s->infinite = k % 7 == 3;
        s->event = int16_t(k % 5 == 0 ? -1 : 0x400 + (P + k) % 1024);
    }
}

} // namespace

void tst_programs::stepCountKeepsHiddenSteps()
{
    programTable t;
    t.setStepCount(4, 10);
    for (int k = 0; k < 10; ++k)
        t.setScene(4, k, 100 + k);
    t.setStepCount(4, 5);
    QCOMPARE(t.stepCount(4), 5);
    QCOMPARE(t.step(4, 5), nullptr);
    t.setStepCount(4, 10);
    QCOMPARE(t.scene(4, 7), 107);

    // Removing a step makes the whole list the steps in use again.
    t.setStepCount(4, 5);
    t.removeStep(4, 0);
    QCOMPARE(t.stepCount(4), 9);
    QCOMPARE(t.scene(4, 8), 109);

    programRecord* p = t.findProgram(4);
    QCOMPARE(p->appendStep(nullptr), -1);
    QCOMPARE(p->appendStep(std::make_unique<programStep>()), 0);
    QCOMPARE(p->stepCount(), 10);
}

void tst_programs::insertKeepsAtMost999Steps()
{
    programTable t;
    t.setStepCount(0, 999);
    for (int k = 0; k < 999; ++k)
        t.setScene(0, k, k);
    t.insertStep(0, 10);
    QCOMPARE(t.stepCount(0), 999);
    QCOMPARE(t.scene(0, 10), 0);
    QCOMPARE(t.scene(0, 11), 10);
    QCOMPARE(t.scene(0, 998), 997);

    t.insertStep(0, -5);
    QCOMPARE(t.scene(0, 1), 0);
    QCOMPARE(t.stepCount(0), 999);
    // A missing program gets no step.
    t.insertStep(1, 0);
    QCOMPARE(t.findProgram(1), nullptr);
}

void tst_programs::missingStepsGiveFixedResults_data()
{
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("S");

    // Program 1 has 2 steps in use and 4 in its list.
    QTest::newRow("no such program") << 3 << 0;
    QTest::newRow("step past the count") << 1 << 2;
    QTest::newRow("hidden step") << 1 << 3;
    QTest::newRow("negative step") << 1 << -1;
}

void tst_programs::missingStepsGiveFixedResults()
{
    QFETCH(int, P);
    QFETCH(int, S);

    programTable t;
    t.setStepCount(1, 4);
    t.setStepCount(1, 2);

    QCOMPARE(t.step(P, S), nullptr);
    QCOMPARE(t.scene(P, S), -1);
    QCOMPARE(t.stepEvent(P, S), -1);
    QCOMPARE(t.fadeUp(P, S), QTime(0, 0));
    QCOMPARE(t.duration(P, S), QTime(0, 0));
    QCOMPARE(t.fadeDown(P, S), QTime(0, 0));
    QCOMPARE(t.isInfinite(P, S), false);
    QCOMPARE(t.setScene(P, S, 1), -1);
    QCOMPARE(t.setStepEvent(P, S, 1), -1);
    QCOMPARE(t.setFadeUp(P, S, QTime(0, 0, 1)), -1);
    QCOMPARE(t.setDuration(P, S, QTime(0, 0, 1)), -1);
    QCOMPARE(t.setFadeDown(P, S, QTime(0, 0, 1)), -1);
    QCOMPARE(t.setInfinite(P, S), nullptr);
    programStep out;
    out.scene = 9;
    QCOMPARE(t.getStep(P, S, out), false);
    QCOMPARE(out.scene, uint16_t(9));
    QCOMPARE(t.setStep(P, S, out), false);
    t.removeStep(P, S);

    // Program level: only a missing program has no count or runs.
    QCOMPARE(t.stepCount(3), -1);
    QCOMPARE(t.recurrences(3), 1);
    QCOMPARE(t.setRecurrences(3, 5), -1);
    QCOMPARE(t.findProgram(3), nullptr);
    t.setStepCount(512, 3);
    t.setStepCount(-1, 3);
    QCOMPARE(t.count(), 1);
}

void tst_programs::clipEntriesNeverCarryTheEvent()
{
    programTable t;
    t.setStepCount(2, 1);
    QCOMPARE(t.stepEvent(2, 0), 0xFFFF);
    t.setStepEvent(2, 0, 0x401);
    t.setInfinite(2, 0);
    t.setScene(2, 0, 77);

    const stepClipEntry entry(5, *t.step(2, 0));
    QCOMPARE(entry.row, 5);
    QCOMPARE(entry.step.scene, uint16_t(77));
    QVERIFY(entry.step.infinite);
    QCOMPARE(entry.step.event, int16_t(-1));
    stepClipEntry copy = entry;
    copy.step.event = 3;
    stepClipEntry assigned;
    assigned = copy;
    QCOMPARE(assigned.step.event, int16_t(-1));
    QCOMPARE(assigned.row, 5);

    // setStep copies everything but the event.
    QCOMPARE(t.setStep(2, 0, copy.step), true);
    QCOMPARE(t.stepEvent(2, 0), 0x401);
}

void tst_programs::stepRecordTimes_data()
{
    QTest::addColumn<QTime>("fadeUp");
    QTest::addColumn<QTime>("duration");
    QTest::addColumn<bool>("infinite");
    QTest::addColumn<QTime>("fadeDown");
    QTest::addColumn<int>("recurrences");
    QTest::addColumn<QList<int>>("record");  // fade-up, duration, fade-down codes

    QTest::newRow("plain") << QTime(0, 0, 1) << QTime(0, 0, 2) << false << QTime(0, 0, 0, 500) << 2
                           << QList<int>{10, 20, 5};
    QTest::newRow("infinite") << QTime(0, 0, 1) << QTime(0, 0, 2) << true << QTime(0, 0) << 1
                              << QList<int>{10, 0xFFFF, 0};
    QTest::newRow("endless program") << QTime(0, 0) << QTime(0, 0, 2) << false << QTime(0, 0, 3) << 0
                                     << QList<int>{0, 20, 0xFFFE};
    QTest::newRow("duration beyond the field") << QTime(3, 0) << QTime(2, 0) << false << QTime(0, 0) << 1
                                               << QList<int>{0xFFFF, 0xFFFE, 0};
    QTest::newRow("fade-down on a marker") << QTime(0, 0) << QTime(0, 0, 2) << false << QTime(1, 49, 13, 400) << 1
                                           << QList<int>{0, 20, 0xFFFD};
    QTest::newRow("all zero") << QTime(0, 0) << QTime(0, 0) << false << QTime(0, 0) << 1 << QList<int>{0, 0, 0};
}

void tst_programs::stepRecordTimes()
{
    QFETCH(QTime, fadeUp);
    QFETCH(QTime, duration);
    QFETCH(bool, infinite);
    QFETCH(QTime, fadeDown);
    QFETCH(int, recurrences);
    QFETCH(QList<int>, record);

    kv310_controller_class c;
    c.programs.setStepCount(6, 1);
    c.programs.setRecurrences(6, recurrences);
    c.programs.setFadeUp(6, 0, fadeUp);
    c.programs.setDuration(6, 0, duration);
    c.programs.setFadeDown(6, 0, fadeDown);
    if (infinite)
        c.programs.setInfinite(6, 0);
    QCOMPARE(c.programs.packPrograms(c.configImage), 0);
    const stepRecord r = stepRecord::read(c.configImage + img::programStepsOf(0));
    QCOMPARE((QList<int>{r.fadeUp, r.duration, r.fadeDown}), record);

    c.programs.unpackPrograms(c.configImage);
    QCOMPARE(c.programs.recurrences(6), recurrences);
    QCOMPARE(c.programs.isInfinite(6, 0), infinite);
    // A step whose three times are all zero comes back with a 1 s duration.
    if (record == QList<int>{0, 0, 0})
        QCOMPARE(c.programs.duration(6, 0), QTime(0, 0, 1));
}

void tst_programs::fullTableRoundTrip()
{
    dialogRecorder rec;
    kv310_controller_class c;
    for (int P = 511; P >= 0; --P) {
        fillProgram(c.programs, P, 16);
        c.programs.setRecurrences(P, P % 3 == 0 ? 0 : 1 + P % 100);
    }
    QCOMPARE(c.programs.packPrograms(c.configImage), 0);
    QVERIFY(rec.entries.isEmpty());

    // Programs lie one after another in the order of their numbers.
    const uint8_t* image = c.configImage;
    QCOMPARE(img::getU32(image, img::programStartAddressOf(3)), img::STEP_ADDRESS_BASE + 8u * 48);
    QCOMPARE(img::getU16(image, img::programStepsOf(48)), uint16_t(3 * 31));
    QCOMPARE(img::getU16(image, img::programStepsOf(48) + 6), uint16_t(0xFFFF));
    QCOMPARE(img::getU16(image, img::programStepsOf(63) + 6), uint16_t(0xFFFE));
    QCOMPARE(img::getU16(image, img::programStepsOf(8191) + 6), uint16_t(toTenths(c.programs.fadeDown(511, 15))));
    QCOMPARE(img::getU16(image, img::programEntryInfoOf(7)), uint16_t(0xFFFF));

    programTable back;
    back.unpackPrograms(c.configImage);
    QCOMPARE(back.count(), 512);
    for (int P = 0; P < 512; ++P) {
        QCOMPARE(back.stepCount(P), 16);
        QCOMPARE(back.recurrences(P), c.programs.recurrences(P));
        for (int k = 0; k < 16; ++k) {
            const programStep* a = c.programs.step(P, k);
            const programStep* b = back.step(P, k);
            QCOMPARE(b->scene, a->scene);
            QCOMPARE(b->infinite, a->infinite);
            QCOMPARE(b->event, a->event);
            QCOMPARE(b->fadeUp, a->fadeUp);
            QCOMPARE(b->duration, a->infinite ? QTime(0, 0) : a->duration);
            if (k < 15)
                QCOMPARE(b->fadeDown, fromTenths(0xFFFF));
            else
                QCOMPARE(b->fadeDown, c.programs.recurrences(P) == 0 ? QTime(0, 0) : a->fadeDown);
        }
    }
}

void tst_programs::tooManyStepsLeaveTheImageAsItWas()
{
    dialogRecorder rec;
    kv310_controller_class c;
    fillProgram(c.programs, 0, 3);
    QCOMPARE(c.programs.packPrograms(c.configImage), 0);
    const QByteArray before = storedPart(c);

    // 8193 steps in all, the last program's last step one too many.
    for (int P = 0; P < 8; ++P)
        fillProgram(c.programs, P, 999);
    fillProgram(c.programs, 8, 8193 - 8 * 999);
    QCOMPARE(c.programs.packPrograms(c.configImage), -1);
    QCOMPARE(rec.titles(), QStringList({"Warning!"}));
    QCOMPARE(rec.texts(), QStringList({"Program steps limit exceed!"}));
    QCOMPARE(rec.entries.first().icon, QMessageBox::Critical);
    QVERIFY(storedPart(c) == before);

    // Exactly 8192 pack; steps beyond the 999th of a program are not packed.
    c.programs.setStepCount(8, 8192 - 8 * 999);
    c.programs.setStepCount(0, 1200);
    rec.clear();
    QCOMPARE(c.programs.packPrograms(c.configImage), 0);
    QVERIFY(rec.entries.isEmpty());
    QCOMPARE(img::getU16(c.configImage, img::programStepCountOf(0)), uint16_t(999));
}

void tst_programs::extraEntriesInTheTopSlots()
{
    kv310_controller_class c;
    img::putU16(c.configImage, img::firstExtraSlot, 512);
    for (int P : {0, 1, 2})
        fillProgram(c.programs, P, 4);
    for (int P : {509, 510, 511})
        fillProgram(c.programs, P, 2);
    // Entry 1 starts program 0 at its step 4, past its steps.
    for (auto [program, from] : {std::pair{1, 2}, std::pair{0, 4}, std::pair{2, 0}}) {
        auto e = std::make_unique<extraEntry>();
        e->program = uint16_t(program);
        e->fromStep = uint16_t(from);
        e->slot = uint16_t(511 - c.extraEntries.size());
        c.extraEntries.push_back(std::move(e));
    }
    QCOMPARE(c.programs.packPrograms(c.configImage), 0);

    const uint8_t* image = c.configImage;
    QCOMPARE(img::getU16(image, img::firstExtraSlot), uint16_t(509));
    QCOMPARE(img::getU16(image, img::programStepCountOf(511)), uint16_t(2));
    QCOMPARE(img::getU32(image, img::programStartAddressOf(511)), img::STEP_ADDRESS_BASE + 8u * (4 + 2));
    QCOMPARE(img::getU32(image, img::programEntryInfoOf(511)), 0x00020001u);
    QCOMPARE(img::getU16(image, img::programChainEventOf(511)), uint16_t(0xFFFF));
    QCOMPARE(img::getU16(image, img::programStepCountOf(510)), uint16_t(0));
    QCOMPARE(img::getU32(image, img::programStartAddressOf(510)), img::NONE32);
    QCOMPARE(img::getU32(image, img::programEntryInfoOf(510)), img::NONE32);
    QCOMPARE(img::getU16(image, img::programStepCountOf(509)), uint16_t(4));
    QCOMPARE(img::getU32(image, img::programStartAddressOf(509)), img::STEP_ADDRESS_BASE + 8u * 8);
    // Programs 509..511 are not packed: only programs 0..2 use step records.
    QCOMPARE(img::getU16(image, img::programStepsOf(12)), uint16_t(0xFFFF));

    c.programs.unpackPrograms(c.configImage);
    QCOMPARE(c.programs.count(), 3);
    QCOMPARE(c.programs.findProgram(509), nullptr);
    QCOMPARE(c.extraEntries.size(), size_t(3));
    const QList<QList<int>> entries = {{1, 2, 511}, {0xFFFF, 0xFFFF, 510}, {2, 0, 509}};
    for (int i = 0; i < 3; ++i) {
        const extraEntry& e = *c.extraEntries[size_t(i)];
        QCOMPARE((QList<int>{e.program, e.fromStep, e.slot}), entries[i]);
    }
}

void tst_programs::unpackDropsLeadingEmptyExtraSlots()
{
    kv310_controller_class c;
    fillProgram(c.programs, 0, 3);
    c.programs.packPrograms(c.configImage);
    uint8_t* image = c.configImage;
    img::putU16(image, img::firstExtraSlot, 500);
    for (int j = 500; j < 512; ++j)
        entryInfo{uint16_t(j < 502 ? 0xFFFF : 0), uint16_t(j - 502)}.write(image + img::programEntryInfoOf(j));
    // A source program that does not exist.
    entryInfo{7, 0}.write(image + img::programEntryInfoOf(505));

    c.programs.unpackPrograms(image);
    QCOMPARE(img::getU16(image, img::firstExtraSlot), uint16_t(502));
    QCOMPARE(c.extraEntries.size(), size_t(10));
    QCOMPARE(c.extraEntries[9]->slot, uint16_t(502));
    QCOMPARE(c.extraEntries[9]->program, uint16_t(0));
    QCOMPARE(c.extraEntries[8]->fromStep, uint16_t(1));
    QCOMPARE(c.extraEntries[6]->program, uint16_t(0xFFFF));  // slot 505
    QCOMPARE(c.extraEntries[0]->program, uint16_t(0xFFFF));  // slot 511: from step 9 of 3
}

void tst_programs::corruptImagesStayInsideTheTables_data()
{
    QTest::addColumn<uint32_t>("address");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("badScene");  // step whose scene is beyond the scenes; -1 none
    QTest::addColumn<int>("recurrences");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("runs");

    const uint32_t base = img::STEP_ADDRESS_BASE;
    QTest::newRow("sound") << base + 8 * 100 << 5 << -1 << 3 << 5 << 3;
    QTest::newRow("start near the end of the records") << base + 8 * 8190 << 5 << -1 << 3 << 2 << 3;
    QTest::newRow("scene beyond the scenes") << base << 4 << 2 << 3 << 2 << 3;
    QTest::newRow("count above the records") << base << 8192 << -1 << 3 << 0 << 3;
    QTest::newRow("count above 999") << base << 1500 << -1 << 3 << 999 << 3;
    QTest::newRow("start past the records") << base + 0x10000 << 5 << -1 << 3 << 0 << 3;
    QTest::newRow("start below the records") << 0x00001000u << 5 << -1 << 3 << 0 << 3;
    QTest::newRow("runs out of range") << base << 3 << -1 << 150 << 3 << 1;
    QTest::newRow("runs out of range, cut short") << base + 8 * 8191 << 3 << -1 << 150 << 1 << 1;
}

void tst_programs::corruptImagesStayInsideTheTables()
{
    QFETCH(uint32_t, address);
    QFETCH(int, count);
    QFETCH(int, badScene);
    QFETCH(int, recurrences);
    QFETCH(int, steps);
    QFETCH(int, runs);

    kv310_controller_class c;
    uint8_t* image = c.configImage;
    for (int g = 0; g < img::STEP_RECORDS; ++g)
        stepRecord{uint16_t(g % 100), 1, 2, 3}.write(image + img::programStepsOf(g));
    // What follows the step records would read as a sound step.
    img::putU16(image, img::eventActions, 5);
    const int first = int(((address - img::STEP_ADDRESS_BASE) & 0xFFFFFF) / 8);
    if (badScene >= 0)
        img::putU16(image, img::programStepsOf(first + badScene), 10240);
    img::putU32(image, img::programStartAddressOf(0), address);
    img::putU16(image, img::programStepCountOf(0), uint16_t(count));
    img::putU16(image, img::programRecurrencesOf(0), uint16_t(recurrences));

    c.programs.unpackPrograms(image);
    QCOMPARE(c.programs.count(), 1);
    QCOMPARE(c.programs.stepCount(0), steps);
    QCOMPARE(c.programs.recurrences(0), runs);
    if (steps > 0)
        QCOMPARE(c.programs.scene(0, 0), first % 100);
}

void tst_programs::timesFromScenes()
{
    kv310_controller_class c;
    theController = &c;
    fadeTimes{10, 20, 30, 0}.write(c.configImage + img::sceneTimesOf(5));
    fadeTimes{11, 0xFFFF, 31, 0}.write(c.configImage + img::sceneTimesOf(6));
    fadeTimes{12, 22, 32, 0}.write(c.configImage + img::sceneTimesOf(7));
    c.programs.setStepCount(0, 4);
    c.programs.setScene(0, 0, 5);
    c.programs.setScene(0, 1, 6);
    c.programs.setScene(0, 2, 60000);  // no such scene: left as it is
    c.programs.setScene(0, 3, 7);
    c.programs.setFadeUp(0, 2, QTime(0, 0, 9));
    c.programs.findProgram(0)->timesFromScenes();
    theController = nullptr;

    QCOMPARE(c.programs.fadeUp(0, 0), QTime(0, 0, 1));
    QCOMPARE(c.programs.duration(0, 0), QTime(0, 0, 2));
    QCOMPARE(c.programs.fadeDown(0, 0), QTime(0, 0));
    QVERIFY(c.programs.isInfinite(0, 1));
    QCOMPARE(c.programs.duration(0, 1), QTime(0, 0, 1));
    QCOMPARE(c.programs.fadeUp(0, 2), QTime(0, 0, 9));
    QCOMPARE(c.programs.fadeDown(0, 3), QTime(0, 0, 3, 200));

    // An endless program keeps the fade-down of its last step.
    c.programs.setRecurrences(0, 0);
    c.programs.setFadeDown(0, 3, QTime(0, 0));
    theController = &c;
    c.programs.findProgram(0)->timesFromScenes();
    theController = nullptr;
    QCOMPARE(c.programs.fadeDown(0, 3), QTime(0, 0));
}

QTEST_MAIN(tst_programs)
#include "tst_programs.moc"
