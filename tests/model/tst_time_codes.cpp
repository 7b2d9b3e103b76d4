#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "support/dialog_recorder.h"

#include <QTest>

// Time codes and the rescaling of every time of the image.
class tst_time_codes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toTenths_data();
    void toTenths();
    void fromTenths_data();
    void fromTenths();
    void rescaleValue_data();
    void rescaleValue();
    void rescaleTimesCoversTheImage();
    void rescaleTimesKeepsProgramStepTimes();
    void rescaleTimesRefusesProgramsThatDoNotFit();
};

void tst_time_codes::toTenths_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("tenths");

    QTest::newRow("drops milliseconds") << QTime(1, 2, 3, 456) << 37234;
    QTest::newRow("below a tenth") << QTime(0, 0, 0, 99) << 0;
    QTest::newRow("longest time code") << QTime(1, 49, 13, 500) << 65535;
    QTest::newRow("longest delay") << QTime(23, 59, 59, 900) << 863999;
    QTest::newRow("invalid") << QTime() << 0;
}

void tst_time_codes::toTenths()
{
    QFETCH(QTime, time);
    QFETCH(int, tenths);
    QCOMPARE(::toTenths(time), tenths);
}

void tst_time_codes::fromTenths_data()
{
    QTest::addColumn<unsigned>("tenths");
    QTest::addColumn<QTime>("time");

    QTest::newRow("37234") << 37234u << QTime(1, 2, 3, 400);
    QTest::newRow("0xFFFF") << 0xFFFFu << QTime(1, 49, 13, 500);
    QTest::newRow("0xFFFE") << 0xFFFEu << QTime(1, 49, 13, 400);
    QTest::newRow("one second") << 10u << QTime(0, 0, 1);
    QTest::newRow("longest delay") << 863999u << QTime(23, 59, 59, 900);
    QTest::newRow("a whole day") << 864000u << QTime();
}

void tst_time_codes::fromTenths()
{
    QFETCH(unsigned, tenths);
    QFETCH(QTime, time);
    QCOMPARE(::fromTenths(tenths), time);
    if (time.isValid())
        QCOMPARE(unsigned(::toTenths(::fromTenths(tenths))), tenths);
}

void tst_time_codes::rescaleValue_data()
{
    QTest::addColumn<unsigned>("value");
    QTest::addColumn<unsigned>("max");
    QTest::addColumn<float>("factor");
    QTest::addColumn<unsigned>("result");
    QTest::addColumn<bool>("ok");

    QTest::newRow("clamped at the top") << 40000u << 0xFFFEu << 2.0f << 0xFFFEu << false;
    QTest::newRow("infinite passes") << 0xFFFFu << 0xFFFEu << 2.0f << 0xFFFFu << true;
    QTest::newRow("clamped at the bottom") << 50u << 0xFFFFu << 0.01f << 1u << false;
    QTest::newRow("zero stays zero") << 0u << 0xFFFFu << 0.01f << 0u << true;
    QTest::newRow("truncated") << 15u << 0xFFFFu << 0.5f << 7u << true;
    QTest::newRow("endless marker passes") << 0xFFFEu << 0xFFFDu << 0.5f << 0xFFFEu << true;
    QTest::newRow("delay clamped") << 500000u << 863999u << 2.0f << 863999u << false;
    QTest::newRow("unset delay passes") << 0xFFFFFu << 863999u << 2.0f << 0xFFFFFu << true;
}

void tst_time_codes::rescaleValue()
{
    QFETCH(unsigned, value);
    QFETCH(unsigned, max);
    QFETCH(float, factor);
    QFETCH(unsigned, result);
    QFETCH(bool, ok);

    bool flag = true;
    QCOMPARE(kv310_controller_class::rescaleValue(value, 1, max, factor, flag), result);
    QCOMPARE(flag, ok);
}

void tst_time_codes::rescaleTimesCoversTheImage()
{
    kv310_controller_class c;
    uint8_t* image = c.configImage;
    fadeTimes{100, 40000, 0, 7}.write(image + img::sceneTimesOf(3));
    fadeTimes{5, 0xFFFF, 6, 0}.write(image + img::sceneTimesOf(10239));
    fadeTimes{50, 10, 0xFFFF, 0}.write(image + img::maskTimesOf(255));
    img::putU32(image, img::delaysOf(5), delayWord::make(500000, 3));
    img::putU32(image, img::delaysOf(6), delayWord::make(delayWord::TIME_NOT_SET, 2));
    img::putU32(image, img::delaysOf(7), delayWord::make(100, delayWord::SEQUENCE_FREE));
    img::putU16(image, img::startUpTime, 30);
    img::putU16(image, img::shutDownTime, 0);
    img::putU16(image, img::programBreakTime, 40);
    img::putU16(image, img::asFadeUp, 40);

    QCOMPARE(c.rescaleTimes(2.0f), false);

    const fadeTimes scene = fadeTimes::read(image + img::sceneTimesOf(3));
    QCOMPARE(scene.fadeUp, uint16_t(200));
    QCOMPARE(scene.duration, uint16_t(0xFFFE));
    QCOMPARE(scene.fadeDown, uint16_t(0));
    QCOMPARE(scene.reserved, uint16_t(7));
    const fadeTimes last = fadeTimes::read(image + img::sceneTimesOf(10239));
    QCOMPARE(last.duration, uint16_t(0xFFFF));
    QCOMPARE(last.fadeDown, uint16_t(12));
    const fadeTimes mask = fadeTimes::read(image + img::maskTimesOf(255));
    QCOMPARE((QList<int>{mask.fadeUp, mask.duration, mask.fadeDown}), (QList<int>{100, 20, 0xFFFF}));
    QCOMPARE(img::getU32(image, img::delaysOf(5)), delayWord::make(863999, 3));
    QCOMPARE(img::getU32(image, img::delaysOf(6)), delayWord::make(delayWord::TIME_NOT_SET, 2));
    QCOMPARE(img::getU32(image, img::delaysOf(7)), delayWord::make(200, delayWord::SEQUENCE_FREE));
    QCOMPARE(img::getU16(image, img::startUpTime), uint16_t(60));
    QCOMPARE(img::getU16(image, img::shutDownTime), uint16_t(0));
    QCOMPARE(img::getU16(image, img::programBreakTime), uint16_t(40));
    QCOMPARE(img::getU16(image, img::asFadeUp), uint16_t(40));

    // Nothing to clamp: true.
    QCOMPARE(c.rescaleTimes(0.5f), true);
    QCOMPARE(img::getU16(image, img::startUpTime), uint16_t(30));
}

void tst_time_codes::rescaleTimesKeepsProgramStepTimes()
{
    kv310_controller_class c;
    c.programs.setStepCount(2, 2);
    c.programs.setRecurrences(2, 0);
    c.programs.setFadeUp(2, 0, QTime(0, 0, 1));
    c.programs.setDuration(2, 0, QTime(0, 0, 2));
    c.programs.setFadeUp(2, 1, QTime(0, 0, 0, 300));
    c.programs.setInfinite(2, 1);
    c.programs.setStepCount(3, 1);
    c.programs.setFadeDown(3, 0, QTime(0, 0, 4));

    QCOMPARE(c.rescaleTimes(2.0f), true);

    QCOMPARE(c.programs.fadeUp(2, 0), QTime(0, 0, 2));
    QCOMPARE(c.programs.duration(2, 0), QTime(0, 0, 4));
    QCOMPARE(c.programs.fadeUp(2, 1), QTime(0, 0, 0, 600));
    QVERIFY(c.programs.isInfinite(2, 1));
    QCOMPARE(c.programs.recurrences(2), 0);
    QCOMPARE(c.programs.fadeDown(3, 0), QTime(0, 0, 8));
}

void tst_time_codes::rescaleTimesRefusesProgramsThatDoNotFit()
{
    dialogRecorder rec;
    kv310_controller_class c;
    img::putU16(c.configImage, img::sceneTimesOf(0), 10);
    for (int P = 0; P < 9; ++P)
        c.programs.setStepCount(P, 999);
    c.programs.setFadeUp(0, 0, QTime(0, 0, 1));

    QCOMPARE(c.rescaleTimes(2.0f), false);
    QCOMPARE(rec.texts(), QStringList({"Program steps limit exceed!"}));
    QCOMPARE(img::getU16(c.configImage, img::sceneTimesOf(0)), uint16_t(10));
    QCOMPARE(c.programs.fadeUp(0, 0), QTime(0, 0, 1));
    QCOMPARE(c.programs.stepCount(8), 999);
}

QTEST_MAIN(tst_time_codes)
#include "tst_time_codes.moc"
