#include "widgets/my_time_edit.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// The corrected times an edit announces, in order. (QSignalSpy cannot store
// a parameter passed by non-const reference.)
struct correctedTimes {
    explicit correctedTimes(MyTimeEdit* edit)
    {
        QObject::connect(edit, qOverload<QTime&>(&MyTimeEdit::timeChanged), edit,
                         [this](QTime& t) { times.append(t); });
    }
    QList<QTime> times;
};

QList<QTime> timesOf(const QSignalSpy& spy)
{
    QList<QTime> times;
    for (const QList<QVariant>& args : spy)
        times.append(args.at(0).toTime());
    return times;
}

QTime ms(int msec)
{
    return QTime(1, 2, 3, msec);
}

} // namespace

class tst_my_time_edit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void constructionSetsFormatAndCorrectsTheInitialTime();
    void snapsToTenths_data();
    void snapsToTenths();
    void laterReceiversAlsoEndWithTheCorrectedTime();
    void steppingSections_data();
    void steppingSections();
};

void tst_my_time_edit::constructionSetsFormatAndCorrectsTheInitialTime()
{
    MyTimeEdit plain;
    QCOMPARE(plain.displayFormat(), QStringLiteral("hh:mm:ss.zzz"));
    QCOMPARE(plain.watchedEdit, &plain);
    QCOMPARE(plain.time(), QTime(0, 0));

    QWidget parent;
    MyTimeEdit timed(QTime(0, 0, 1, 251), &parent);
    QCOMPARE(timed.parentWidget(), &parent);
    QCOMPARE(timed.displayFormat(), QStringLiteral("hh:mm:ss.zzz"));
    QCOMPARE(timed.time(), QTime(0, 0, 1, 200));
}

void tst_my_time_edit::snapsToTenths_data()
{
    QTest::addColumn<int>("entered");
    QTest::addColumn<int>("expected");

    QTest::newRow(".050 rounds up") << 50 << 100;
    QTest::newRow(".051 rounds down") << 51 << 0;
    QTest::newRow(".001 rounds up") << 1 << 100;
    QTest::newRow(".099 rounds down") << 99 << 0;
    QTest::newRow(".850 rounds up") << 850 << 900;
    QTest::newRow(".851 rounds down") << 851 << 800;
    QTest::newRow(".901 stays at .900") << 901 << 900;
    QTest::newRow(".950 stays at .900") << 950 << 900;
    QTest::newRow(".999 stays at .900") << 999 << 900;
    QTest::newRow(".000 untouched") << 0 << 0;
    QTest::newRow(".300 untouched") << 300 << 300;
    QTest::newRow(".900 untouched") << 900 << 900;
}

void tst_my_time_edit::snapsToTenths()
{
    QFETCH(int, entered);
    QFETCH(int, expected);

    MyTimeEdit edit(QTime(0, 0, 5, 500));
    correctedTimes corrected(&edit);
    QSignalSpy standard(&edit, qOverload<QTime>(&QDateTimeEdit::timeChanged));

    edit.setTime(ms(entered));

    QCOMPARE(edit.time(), ms(expected));
    QCOMPARE(corrected.times, QList<QTime>({ms(expected)}));
    // Receivers of the standard notification see the time as entered and then
    // the correction, so they end with the time on display, also at the first
    // correction of a fresh edit.
    if (entered == expected)
        QCOMPARE(timesOf(standard), QList<QTime>({ms(entered)}));
    else
        QCOMPARE(timesOf(standard), QList<QTime>({ms(entered), ms(expected)}));
}

void tst_my_time_edit::laterReceiversAlsoEndWithTheCorrectedTime()
{
    MyTimeEdit edit;
    QTime first;
    QTime second;
    connect(&edit, qOverload<QTime>(&QDateTimeEdit::timeChanged), &edit, [&](QTime t) { first = t; });
    edit.setTime(ms(101));
    QCOMPARE(first, ms(200));

    connect(&edit, qOverload<QTime>(&QDateTimeEdit::timeChanged), &edit, [&](QTime t) { second = t; });
    correctedTimes corrected(&edit);
    edit.setTime(ms(449));
    QCOMPARE(first, ms(500));
    QCOMPARE(second, ms(500));
    QCOMPARE(corrected.times, QList<QTime>({ms(500)}));
}

void tst_my_time_edit::steppingSections_data()
{
    QTest::addColumn<QDateTimeEdit::Section>("section");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QTime>("expected");

    QTest::newRow("hour up") << QDateTimeEdit::HourSection << QTime(0, 0, 0, 300) << int(Qt::Key_Up)
                             << QTime(1, 0, 0, 300);
    QTest::newRow("minute down") << QDateTimeEdit::MinuteSection << QTime(0, 5, 0, 700) << int(Qt::Key_Down)
                                 << QTime(0, 4, 0, 700);
    QTest::newRow("second up") << QDateTimeEdit::SecondSection << QTime(0, 0, 58, 900) << int(Qt::Key_Up)
                               << QTime(0, 0, 59, 900);
    QTest::newRow("msec up from .100") << QDateTimeEdit::MSecSection << QTime(0, 0, 1, 100) << int(Qt::Key_Up)
                                       << QTime(0, 0, 1, 200);
    QTest::newRow("msec down from .200") << QDateTimeEdit::MSecSection << QTime(0, 0, 1, 200) << int(Qt::Key_Down)
                                         << QTime(0, 0, 1, 100);
    QTest::newRow("msec up from .900") << QDateTimeEdit::MSecSection << QTime(0, 0, 1, 900) << int(Qt::Key_Up)
                                       << QTime(0, 0, 1, 900);
}

void tst_my_time_edit::steppingSections()
{
    QFETCH(QDateTimeEdit::Section, section);
    QFETCH(QTime, start);
    QFETCH(int, key);
    QFETCH(QTime, expected);

    MyTimeEdit edit(start);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setCurrentSection(section);
    correctedTimes corrected(&edit);

    QTest::keyClick(&edit, Qt::Key(key));

    QCOMPARE(edit.time(), expected);
    QCOMPARE(corrected.times, QList<QTime>({expected}));
    QCOMPARE(edit.currentSection(), section);
}

QTEST_MAIN(tst_my_time_edit)
#include "tst_my_time_edit.moc"
