#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/program_copy.h"
#include "model/time_codes.h"
#include "support/dialog_recorder.h"

#include <QTest>

#include <memory>

// Copying programs within a show and from another configuration's image:
// the steps and scenes each destination receives, the questions asked, and
// what a refused or cancelled copy leaves.
class tst_program_copy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readPackedProgram_data();
    void readPackedProgram();
    void poolCopy_data();
    void poolCopy();
    void refusalsAndQuestions_data();
    void refusalsAndQuestions();
    void skippedSourceLeavesItsDestination();
    void suppressedWarnings();
    void cancelledCopiesUndo_data();
    void cancelledCopiesUndo();
    void overwrittenDestinationHoldsExactlyTheCopy();
    void reversedSteps_data();
    void reversedSteps();
    void overlappingRangesCopyAsThroughABuffer_data();
    void overlappingRangesCopyAsThroughABuffer();
    void fromAnotherImage();
};

namespace {

using codes = QList<int>;

// Program p with the given scenes (0-based); step i has fade-up i tenths,
// duration 10 + i tenths and event 100 + i.
void makeProgram(kv310_controller_class& c, int p, const codes& scenes, int recurrences = 1)
{
    c.programs.setStepCount(p, int(scenes.size()));
    c.programs.setRecurrences(p, recurrences);
    for (int i = 0; i < scenes.size(); ++i) {
        c.programs.setScene(p, i, scenes.at(i));
        c.programs.setFadeUp(p, i, fromTenths(unsigned(i)));
        c.programs.setDuration(p, i, fromTenths(unsigned(10 + i)));
        c.programs.setStepEvent(p, i, 100 + i);
    }
}

// Program p, its break time, chained event and description, all marked
// with p, so that a copy shows which source reached which destination.
void makeMarkedProgram(kv310_controller_class& c, int p, int steps)
{
    codes scenes;
    for (int i = 0; i < steps; ++i)
        scenes << p * 10 + i;
    makeProgram(c, p, scenes, 1 + p % 7);
    img::putU16(c.configImage, img::programBreakTimeOf(p), uint16_t(300 + p));
    img::putU16(c.configImage, img::programChainEventOf(p), uint16_t(0x400 + p));
    c.programDescriptions[size_t(p)] = QStringLiteral("program %1").arg(p);
}

// Everything of the programs table, in list order, steps beyond the count
// included.
QStringList describe(const programTable& programs)
{
    QStringList out;
    for (const auto& p : programs.list) {
        QString line = QStringLiteral("%1 r%2 n%3:").arg(p->number).arg(p->recurrences).arg(p->stepCount());
        for (const auto& s : p->steps)
            line += QStringLiteral(" %1/%2/%3/%4/%5/%6")
                        .arg(s->scene)
                        .arg(toTenths(s->fadeUp))
                        .arg(toTenths(s->duration))
                        .arg(s->infinite)
                        .arg(toTenths(s->fadeDown))
                        .arg(s->event);
        out << line;
    }
    return out;
}

QList<uint16_t> breakTimes(const kv310_controller_class& c)
{
    QList<uint16_t> out;
    for (int p = 0; p < img::PROGRAM_SLOTS; ++p)
        out << img::getU16(c.configImage, img::programBreakTimeOf(p));
    return out;
}

codes scenesOf(const kv310_controller_class& c, int p)
{
    codes out;
    for (int i = 0; i < c.programs.stepCount(p); ++i)
        out << c.programs.scene(p, i);
    return out;
}

QByteArray levels(const kv310_controller_class& c, int scene)
{
    return QByteArray(reinterpret_cast<const char*>(c.configImage + img::sceneChannelsOf(scene)), img::CHANNELS);
}

// Scene s of a show: every level, its times and its description marked.
void markScene(kv310_controller_class& c, int s, int mark)
{
    for (int ch = 0; ch < img::CHANNELS; ++ch)
        c.configImage[img::sceneChannelsOf(s) + uint32_t(ch)] = uint8_t(s * 3 + ch + mark);
    fadeTimes{uint16_t(mark + 1), uint16_t(mark + 2), uint16_t(mark + 3), 0}.write(c.configImage
                                                                                   + img::sceneTimesOf(s));
    c.sceneDescriptions[size_t(s)] = QStringLiteral("scene %1 of show %2").arg(s).arg(mark);
}

programCopyRequest request(int first, int last, int destination, int pool = 0)
{
    programCopyRequest r;
    r.first = first;
    r.last = last;
    r.destination = destination;
    r.pool = pool;
    return r;
}

// A step record written straight into an image.
void putStep(uint8_t* image, int g, int scene, int fadeUp, int duration, int fadeDown, int event)
{
    stepRecord{uint16_t(scene), uint16_t(fadeUp), uint16_t(duration), uint16_t(fadeDown)}.write(
        image + img::programStepsOf(g));
    img::putU16(image, img::stepEventsOf(g), uint16_t(event));
}

constexpr int NOT_LAST = stepRecord::NOT_LAST;
constexpr int ENDLESS = stepRecord::ENDLESS_LAST;

} // namespace

void tst_program_copy::readPackedProgram_data()
{
    QTest::addColumn<uint32_t>("address");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("recurrences");
    QTest::addColumn<codes>("scenes");      // of the records from the start address on
    QTest::addColumn<codes>("fadeDowns");   // their fade-down fields
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("recurrencesRead");
    QTest::addColumn<int>("finalFadeDown"); // tenths; -1 none

    const uint32_t base = img::STEP_ADDRESS_BASE;
    const int present = copySourceProgram::present;
    const int missing = copySourceProgram::missing;
    const int damaged = copySourceProgram::damaged;
    QTest::newRow("endless") << base + 80 << 3 << 5 << codes{1, 2, 3} << codes{NOT_LAST, NOT_LAST, ENDLESS}
                             << present << 3 << 0 << -1;
    QTest::newRow("repeating, final fade-down") << base << 3 << 4 << codes{1, 2, 3} << codes{NOT_LAST, NOT_LAST, 20}
                                                << present << 3 << 4 << 20;
    QTest::newRow("recurrences 0 with a final fade-down") << base << 3 << 0 << codes{1, 2, 3}
                                                          << codes{NOT_LAST, NOT_LAST, 20} << present << 3 << 1 << 20;
    QTest::newRow("0xFFFF on the last step is an ordinary step") << base << 2 << 3 << codes{1, 2}
                                                                 << codes{NOT_LAST, NOT_LAST} << present << 2 << 3
                                                                 << -1;
    QTest::newRow("a marker ends the program before its count") << base << 9 << 2 << codes{1, 2, 3, 4}
                                                                << codes{NOT_LAST, 0, NOT_LAST, NOT_LAST} << present
                                                                << 2 << 2 << 0;
    QTest::newRow("recurrences beyond 100") << base << 1 << 150 << codes{1} << codes{30} << present << 1 << 1 << 30;
    QTest::newRow("no steps") << base << 0 << 1 << codes{} << codes{} << present << 0 << 1 << -1;
    QTest::newRow("empty address") << 0xFFFFFFFFu << 3 << 1 << codes{} << codes{} << missing << 0 << 1 << -1;
    QTest::newRow("address past the step records") << base + 0x10000 << 1 << 1 << codes{} << codes{} << missing << 0
                                                   << 1 << -1;
    QTest::newRow("address below the step records") << base - 8 << 1 << 1 << codes{} << codes{} << missing << 0 << 1
                                                    << -1;
    QTest::newRow("scene 10240") << base << 3 << 1 << codes{1, 10240, 3} << codes{NOT_LAST, NOT_LAST, 20} << damaged
                                 << 0 << 1 << -1;
    QTest::newRow("steps past the step records") << base + 8 * 8190 << 3 << 1 << codes{1, 2} << codes{NOT_LAST, NOT_LAST}
                                                 << damaged << 0 << 1 << -1;
    QTest::newRow("last record, last step") << base + 8 * 8191 << 1 << 1 << codes{7} << codes{5} << present << 1 << 1
                                            << 5;
}

void tst_program_copy::readPackedProgram()
{
    QFETCH(uint32_t, address);
    QFETCH(int, count);
    QFETCH(int, recurrences);
    QFETCH(codes, scenes);
    QFETCH(codes, fadeDowns);
    QFETCH(int, status);
    QFETCH(int, steps);
    QFETCH(int, recurrencesRead);
    QFETCH(int, finalFadeDown);

    auto other = std::make_unique<kv310_controller_class>();
    uint8_t* image = other->configImage;
    const int p = 17;
    img::putU32(image, img::programStartAddressOf(p), address);
    img::putU16(image, img::programStepCountOf(p), uint16_t(count));
    img::putU16(image, img::programRecurrencesOf(p), uint16_t(recurrences));
    img::putU16(image, img::programBreakTimeOf(p), 77);
    img::putU16(image, img::programChainEventOf(p), 0x1203);
    const int g0 = int((address - img::STEP_ADDRESS_BASE) / 8);
    for (int i = 0; i < scenes.size(); ++i)
        putStep(image, g0 + i, scenes.at(i), 5 + i, i == 1 ? 0xFFFF : 20 + i, fadeDowns.at(i), 200 + i);

    const copySourceProgram got = ::readPackedProgram(image, p);
    QCOMPARE(int(got.status), status);
    QCOMPARE(int(got.steps.size()), steps);
    QCOMPARE(int(got.recurrences), recurrencesRead);
    QCOMPARE(got.hasFinalFadeDown, finalFadeDown >= 0);
    if (finalFadeDown >= 0)
        QCOMPARE(toTenths(got.finalFadeDown), finalFadeDown);
    QCOMPARE(got.breakTime, uint16_t(77));
    QCOMPARE(got.chainEvent, uint16_t(0x1203));
    for (int i = 0; i < steps; ++i) {
        const programStep& s = got.steps.at(size_t(i));
        QCOMPARE(int(s.scene), scenes.at(i));
        QCOMPARE(toTenths(s.fadeUp), 5 + i);
        QCOMPARE(s.infinite, i == 1);
        if (i != 1)
            QCOMPARE(toTenths(s.duration), 20 + i);
        QCOMPARE(s.fadeDown, QTime(0, 0));
        QCOMPARE(int(s.event), 200 + i);
    }
}

void tst_program_copy::poolCopy_data()
{
    QTest::addColumn<bool>("fromOther");
    QTest::addColumn<bool>("copyScenes");
    QTest::addColumn<codes>("sourceScenes");  // of program 3 (1-based); programs 4 and 5 use 2, 1
    QTest::addColumn<int>("pool");            // 0-based
    QTest::addColumn<codes>("copiedScenes");  // of program 10

    QTest::newRow("scenes 1, 2, 1 to pool 100") << false << true << codes{0, 1, 0} << 99 << codes{99, 100, 99};
    QTest::newRow("do not copy scenes") << false << false << codes{0, 1, 0} << 99 << codes{0, 1, 0};
    QTest::newRow("from another configuration") << true << true << codes{0, 1, 0} << 99 << codes{99, 100, 99};
    // Another configuration's scenes always go to the pool.
    QTest::newRow("another configuration ignores no-scenes") << true << false << codes{0, 1, 0} << 99
                                                             << codes{99, 100, 99};
    // The pool starts at scenes the copy still has to read.
    QTest::newRow("pool over the source scenes") << false << true << codes{101, 100, 101} << 100
                                                 << codes{100, 101, 100};
}

void tst_program_copy::poolCopy()
{
    QFETCH(bool, fromOther);
    QFETCH(bool, copyScenes);
    QFETCH(codes, sourceScenes);
    QFETCH(int, pool);
    QFETCH(codes, copiedScenes);

    dialogRecorder rec;
    auto show = std::make_unique<kv310_controller_class>();
    auto other = std::make_unique<kv310_controller_class>();
    kv310_controller_class& source = fromOther ? *other : *show;
    for (int s = 0; s < 110; ++s) {
        markScene(*show, s, 0);
        markScene(*other, s, 1);
    }
    makeProgram(source, 2, sourceScenes);
    makeProgram(source, 3, {sourceScenes.at(1)});
    makeProgram(source, 4, {sourceScenes.at(0)});
    source.programs.packPrograms(source.configImage);
    const auto before = std::make_unique<kv310_controller_class>();
    std::memcpy(before->configImage, show->configImage, img::projectArea);
    before->sceneDescriptions = show->sceneDescriptions;

    programCopyRequest r = request(2, 4, 9, pool);
    r.copyScenes = copyScenes;
    const programCopy::result result =
        fromOther ? programCopy::fromOther(*other, *show, r) : programCopy::withinShow(*show, r);
    QCOMPARE(result, programCopy::copied);
    QCOMPARE(rec.entries.size(), 0);
    QCOMPARE(scenesOf(*show, 9), copiedScenes);
    QCOMPARE(scenesOf(*show, 10), codes{copiedScenes.at(1)});
    QCOMPARE(scenesOf(*show, 11), codes{copiedScenes.at(0)});
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(toTenths(show->programs.fadeUp(9, i)), i);
        QCOMPARE(toTenths(show->programs.duration(9, i)), 10 + i);
        QCOMPARE(show->programs.stepEvent(9, i), 100 + i);
    }

    const bool pooled = copyScenes || fromOther;
    for (int s = 0; s < 110; ++s) {
        const int k = copiedScenes.indexOf(s);
        const bool written = pooled && k >= 0;
        const int from = written ? sourceScenes.at(k) : s;
        const kv310_controller_class& held = written ? source : *before;
        const kv310_controller_class& readFrom = written && !fromOther ? *before : held;
        QVERIFY2(levels(*show, s) == levels(readFrom, from), qPrintable(QStringLiteral("levels of scene %1").arg(s)));
        QCOMPARE(show->sceneDescriptions[size_t(s)], readFrom.sceneDescriptions[size_t(from)]);
        // A scene's times stay its own.
        QVERIFY(std::memcmp(show->configImage + img::sceneTimesOf(s), before->configImage + img::sceneTimesOf(s), 8)
                == 0);
    }
}

void tst_program_copy::refusalsAndQuestions_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("destination");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("result");

    const int refused = programCopy::refused;
    const int copied = programCopy::copied;
    const QString useless = QStringLiteral("Choose another source!");
    const QString limit = QStringLiteral("Program number limit exceeded!");
    const QString overlap = QStringLiteral("Ranges are overlapping!\nDo you really want to copy?");
    // Programs 1..10 (1-based) onto program 1, 503, 502, 6; 11..20 onto 10.
    QTest::newRow("onto the source start") << 0 << 9 << 0 << QList<int>{} << QStringList{useless} << refused;
    QTest::newRow("onto 503") << 0 << 9 << 502 << QList<int>{} << QStringList{limit} << refused;
    QTest::newRow("onto 502") << 0 << 9 << 501 << QList<int>{} << QStringList{} << copied;
    QTest::newRow("overlap refused") << 0 << 9 << 5 << QList<int>{0} << QStringList{overlap} << refused;
    QTest::newRow("overlap closed") << 0 << 9 << 5 << QList<int>{-1} << QStringList{overlap} << refused;
    // Accepted, the copy asks about the first destination that holds steps.
    QTest::newRow("overlap accepted") << 0 << 9 << 5 << QList<int>{1, 1}
                                      << QStringList{overlap, QStringLiteral("Destination program 6 does exist!")}
                                      << copied;
    QTest::newRow("sharing nine, not asked") << 10 << 19 << 9 << QList<int>{1}
                                             << QStringList{QStringLiteral("Destination program 11 does exist!")}
                                             << copied;
}

void tst_program_copy::refusalsAndQuestions()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, destination);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, texts);
    QFETCH(int, result);

    dialogRecorder rec;
    for (int a : answers)
        rec.answer(a);
    auto show = std::make_unique<kv310_controller_class>();
    for (int p = first; p <= last; ++p)
        makeMarkedProgram(*show, p, 2);
    const QStringList before = describe(show->programs);

    QCOMPARE(int(programCopy::withinShow(*show, request(first, last, destination, 1000))), result);
    QCOMPARE(rec.texts(), texts);
    if (result == programCopy::refused) {
        QCOMPARE(describe(show->programs), before);
        return;
    }
    for (int k = 0; k <= last - first; ++k)
        QCOMPARE(show->programs.stepCount(destination + k), 2);
    QCOMPARE(show->programs.findProgram(destination + last - first + 1) != nullptr,
             destination + last - first + 1 <= last);
}

void tst_program_copy::skippedSourceLeavesItsDestination()
{
    dialogRecorder rec;
    auto show = std::make_unique<kv310_controller_class>();
    makeMarkedProgram(*show, 1, 3);
    makeMarkedProgram(*show, 10, 4);
    makeMarkedProgram(*show, 11, 5);
    const QString kept = describe(show->programs).at(1);
    // Source 1 (1-based) is missing: skipped; destination 12 has steps: overwritten.
    rec.answer(0).answer(0);

    QCOMPARE(programCopy::withinShow(*show, request(0, 1, 10, 1000)), programCopy::copied);
    QCOMPARE(rec.texts(), (QStringList{QStringLiteral("Source program 1 does not exist!"),
                                        QStringLiteral("Destination program 12 does exist!")}));
    QCOMPARE(rec.entries.at(0).buttons,
             (QStringList{QStringLiteral("Skip"), QStringLiteral("Supress warnings"), QStringLiteral("Cancel")}));
    QCOMPARE(rec.entries.at(1).buttons,
             (QStringList{QStringLiteral("Overwrite"), QStringLiteral("Supress warnings"), QStringLiteral("Cancel")}));
    QCOMPARE(describe(show->programs).at(1), kept);
    QCOMPARE(show->programDescriptions[10], QStringLiteral("program 10"));
    QCOMPARE(img::getU16(show->configImage, img::programChainEventOf(10)), uint16_t(0x40A));
    QCOMPARE(img::getU16(show->configImage, img::programBreakTimeOf(10)), uint16_t(310));

    QCOMPARE(show->programs.stepCount(11), 3);
    QCOMPARE(show->programDescriptions[11], QStringLiteral("program 1"));
    QCOMPARE(img::getU16(show->configImage, img::programChainEventOf(11)), uint16_t(0x401));
    QCOMPARE(img::getU16(show->configImage, img::programBreakTimeOf(11)), uint16_t(301));
}

void tst_program_copy::suppressedWarnings()
{
    dialogRecorder rec;
    auto show = std::make_unique<kv310_controller_class>();
    // Sources 0 and 2 exist, 1 and 3 do not; destinations 20 and 22 hold steps.
    makeMarkedProgram(*show, 0, 1);
    makeMarkedProgram(*show, 2, 2);
    makeMarkedProgram(*show, 20, 6);
    makeMarkedProgram(*show, 22, 7);
    const QString missingDestination = QStringLiteral("program 21");
    show->programDescriptions[21] = missingDestination;
    rec.answer(1);

    QCOMPARE(programCopy::withinShow(*show, request(0, 3, 20, 1000)), programCopy::copied);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Destination program 21 does exist!")});
    QCOMPARE(show->programs.stepCount(20), 1);
    QCOMPARE(show->programs.stepCount(21), -1);
    QCOMPARE(show->programDescriptions[21], missingDestination);
    QCOMPARE(show->programs.stepCount(22), 2);
    QCOMPARE(show->programDescriptions[22], QStringLiteral("program 2"));
    QCOMPARE(show->programs.stepCount(23), -1);
}

void tst_program_copy::cancelledCopiesUndo_data()
{
    QTest::addColumn<int>("pool");           // 0-based
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("last");       // the last message
    QTest::addColumn<bool>("crowded");       // more steps in memory than the image holds

    // Sources: 0 uses one scene, 1 is missing, 2 uses two more; destination
    // 42 holds steps.
    QTest::newRow("pool runs out") << 10239 << QList<int>{0, 0} << QStringLiteral("Scene number limit exceeded!")
                                   << false;
    QTest::newRow("cancel at a missing source") << 0 << QList<int>{2} << QStringLiteral("Source program 2 does not exist!")
                                                << false;
    QTest::newRow("cancel at an existing destination") << 0 << QList<int>{0, 2}
                                                       << QStringLiteral("Destination program 43 does exist!") << false;
    QTest::newRow("closed question") << 0 << QList<int>{-1} << QStringLiteral("Source program 2 does not exist!")
                                     << false;
    QTest::newRow("more steps than the image holds") << 0 << QList<int>{2}
                                                     << QStringLiteral("Source program 2 does not exist!") << true;
}

void tst_program_copy::cancelledCopiesUndo()
{
    QFETCH(int, pool);
    QFETCH(QList<int>, answers);
    QFETCH(QString, last);
    QFETCH(bool, crowded);

    dialogRecorder rec;
    for (int a : answers)
        rec.answer(a);
    auto show = std::make_unique<kv310_controller_class>();
    makeMarkedProgram(*show, 0, 3);
    show->programs.setScene(0, 1, 0);
    show->programs.setScene(0, 2, 0);
    makeMarkedProgram(*show, 2, 2);
    makeMarkedProgram(*show, 42, 5);
    show->programs.setStepCount(42, 2);   // three steps kept beyond the count
    if (crowded)
        for (int p = 100; p < 109; ++p)
            makeMarkedProgram(*show, p, 999);
    for (int s = 0; s < 30; ++s)
        markScene(*show, s, 0);
    const QStringList programs = describe(show->programs);
    const QList<uint16_t> breaks = breakTimes(*show);
    const QByteArray image(reinterpret_cast<const char*>(show->configImage), img::projectArea);
    const auto descriptions = show->programDescriptions;
    const auto sceneTexts = show->sceneDescriptions;

    QCOMPARE(programCopy::withinShow(*show, request(0, 2, 40, pool)), programCopy::cancelled);
    QCOMPARE(rec.texts().last(), last);
    QCOMPARE(rec.pendingAnswers(), 0);
    QCOMPARE(describe(show->programs), programs);
    QCOMPARE(breakTimes(*show), breaks);
    QVERIFY(QByteArrayView(show->configImage, img::projectArea) == image);
    QVERIFY(show->programDescriptions == descriptions);
    QVERIFY(show->sceneDescriptions == sceneTexts);
}

void tst_program_copy::overwrittenDestinationHoldsExactlyTheCopy()
{
    dialogRecorder rec;
    auto show = std::make_unique<kv310_controller_class>();
    makeMarkedProgram(*show, 7, 12);
    makeMarkedProgram(*show, 3, 15);
    show->programs.setStepCount(3, 12);
    makeMarkedProgram(*show, 1, 3);
    rec.answer(0);

    QCOMPARE(programCopy::withinShow(*show, request(1, 1, 3, 500)), programCopy::copied);
    const programRecord* p = show->programs.findProgram(3);
    QCOMPARE(p, show->programs.list.at(1).get());   // keeps its place in the table
    QCOMPARE(p->stepCount(), 3);
    QCOMPARE(int(p->steps.size()), 3);
    QCOMPARE(int(p->recurrences), 2);
    QCOMPARE(scenesOf(*show, 3), (codes{500, 501, 502}));
}

void tst_program_copy::reversedSteps_data()
{
    QTest::addColumn<bool>("fromOther");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<codes>("scenes");
    QTest::addColumn<codes>("fadeDowns");   // tenths, of the copy's steps

    // A, B, C repeating with a final fade-down of 2 s.
    QTest::newRow("in order") << false << false << codes{0, 1, 2} << codes{0, 0, 20};
    QTest::newRow("reversed") << false << true << codes{2, 1, 0} << codes{20, 0, 20};
    QTest::newRow("from another image, in order") << true << false << codes{0, 1, 2} << codes{0, 0, 20};
    QTest::newRow("from another image, reversed") << true << true << codes{2, 1, 0} << codes{0, 0, 20};
}

void tst_program_copy::reversedSteps()
{
    QFETCH(bool, fromOther);
    QFETCH(bool, reverse);
    QFETCH(codes, scenes);
    QFETCH(codes, fadeDowns);

    dialogRecorder rec;
    auto show = std::make_unique<kv310_controller_class>();
    auto other = std::make_unique<kv310_controller_class>();
    kv310_controller_class& source = fromOther ? *other : *show;
    makeProgram(source, 0, {0, 1, 2}, 3);
    source.programs.setFadeDown(0, 2, QTime(0, 0, 2));
    source.programs.packPrograms(source.configImage);

    programCopyRequest r = request(0, 0, 5);
    r.reverse = reverse;
    r.copyScenes = false;
    QCOMPARE(fromOther ? programCopy::fromOther(*other, *show, r) : programCopy::withinShow(*show, r),
             programCopy::copied);
    // From another image the scenes went to the pool from scene 1 on.
    codes got = scenesOf(*show, 5);
    QCOMPARE(got, scenes);
    codes times;
    for (int i = 0; i < 3; ++i)
        times << toTenths(show->programs.fadeDown(5, i));
    QCOMPARE(times, fadeDowns);
    QCOMPARE(show->programs.recurrences(5), 3);
}

void tst_program_copy::overlappingRangesCopyAsThroughABuffer_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("destination");

    QTest::newRow("upwards") << 0 << 4 << 2;
    QTest::newRow("downwards") << 3 << 8 << 1;
    QTest::newRow("by one") << 5 << 9 << 6;
}

void tst_program_copy::overlappingRangesCopyAsThroughABuffer()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, destination);

    dialogRecorder rec;
    auto show = std::make_unique<kv310_controller_class>();
    for (int p = 0; p < 12; ++p)
        makeMarkedProgram(*show, p, 1 + p);
    auto original = std::make_unique<kv310_controller_class>();
    for (int p = 0; p < 12; ++p)
        makeMarkedProgram(*original, p, 1 + p);
    rec.answer(1);   // overlapping: "Yes, I do!"
    programCopyRequest r = request(first, last, destination);
    r.copyScenes = false;
    r.reverse = true;
    rec.answer(1);   // warnings off for the destinations that hold steps

    QCOMPARE(programCopy::withinShow(*show, r), programCopy::copied);
    for (int k = 0; k <= last - first; ++k) {
        const int s = first + k;
        const int d = destination + k;
        codes expected = scenesOf(*original, s);
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(scenesOf(*show, d), expected);
        QCOMPARE(show->programs.recurrences(d), original->programs.recurrences(s));
        QCOMPARE(show->programDescriptions[size_t(d)], original->programDescriptions[size_t(s)]);
        QCOMPARE(img::getU16(show->configImage, img::programBreakTimeOf(d)), uint16_t(300 + s));
        QCOMPARE(img::getU16(show->configImage, img::programChainEventOf(d)), uint16_t(0x400 + s));
    }
}

void tst_program_copy::fromAnotherImage()
{
    dialogRecorder rec;
    auto show = std::make_unique<kv310_controller_class>();
    auto other = std::make_unique<kv310_controller_class>();
    // Other programs 1..5 (1-based): endless; repeating whose image says 0
    // runs but whose last step carries a fade-down; empty; damaged; plain.
    makeProgram(*other, 0, {4, 5}, 0);
    makeProgram(*other, 1, {5, 6}, 2);
    other->programs.setFadeDown(1, 1, QTime(0, 0, 3));
    makeProgram(*other, 3, {7, 8}, 1);
    makeProgram(*other, 4, {4}, 1);
    for (int p = 0; p < 5; ++p) {
        img::putU16(other->configImage, img::programBreakTimeOf(p), uint16_t(500 + p));
        img::putU16(other->configImage, img::programChainEventOf(p), uint16_t(0x1000 + p));
        other->programDescriptions[size_t(p)] = QStringLiteral("other %1").arg(p);
    }
    for (int s = 0; s < 10; ++s)
        markScene(*other, s, 5);
    QCOMPARE(other->programs.packPrograms(other->configImage), 0);
    img::putU16(other->configImage, img::programRecurrencesOf(1), 0);
    const uint32_t damaged = img::getU32(other->configImage, img::programStartAddressOf(3));
    img::putU16(other->configImage, img::programStepsOf(int((damaged - img::STEP_ADDRESS_BASE) / 8) + 1), 10240);
    makeMarkedProgram(*show, 22, 2);
    rec.answer(0).answer(0);   // skip the empty and the damaged program

    QCOMPARE(programCopy::fromOther(*other, *show, request(0, 4, 20, 200)), programCopy::copied);
    QCOMPARE(rec.texts(), (QStringList{QStringLiteral("Source program 3 does not exist!"),
                                        QStringLiteral("Source program 4 is damaged!")}));
    QCOMPARE(scenesOf(*show, 20), (codes{200, 201}));
    QCOMPARE(show->programs.recurrences(20), 0);
    QCOMPARE(scenesOf(*show, 21), (codes{201, 202}));
    QCOMPARE(show->programs.recurrences(21), 1);
    QCOMPARE(show->programs.fadeDown(21, 1), QTime(0, 0, 3));
    QCOMPARE(show->programs.stepCount(22), 2);                       // skipped: as it was
    QCOMPARE(show->programDescriptions[22], QStringLiteral("program 22"));
    QCOMPARE(show->programs.stepCount(23), -1);
    QCOMPARE(scenesOf(*show, 24), codes{200});
    for (int d : {20, 21, 24}) {
        QCOMPARE(show->programDescriptions[size_t(d)], QStringLiteral("other %1").arg(d - 20));
        QCOMPARE(img::getU16(show->configImage, img::programBreakTimeOf(d)), uint16_t(500 + d - 20));
        QCOMPARE(img::getU16(show->configImage, img::programChainEventOf(d)), uint16_t(0x1000 + d - 20));
    }
    QCOMPARE(img::getU16(show->configImage, img::programBreakTimeOf(22)), uint16_t(322));
    for (int k = 0; k < 3; ++k) {
        QVERIFY(levels(*show, 200 + k) == levels(*other, 4 + k));
        QCOMPARE(show->sceneDescriptions[size_t(200 + k)], other->sceneDescriptions[size_t(4 + k)]);
    }
    // The copies are in the image.
    QCOMPARE(img::getU16(show->configImage, img::programStepCountOf(21)), uint16_t(2));
}

QTEST_MAIN(tst_program_copy)
#include "tst_program_copy.moc"
