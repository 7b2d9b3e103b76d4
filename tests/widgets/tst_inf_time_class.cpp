#include "widgets/inf_time_class.h"

#include "widgets/my_time_edit.h"

#include <QCheckBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

// Stands in for the pointer position, which an offscreen session cannot move.
class pointedInfTime : public infTime_class {
public:
    using infTime_class::infTime_class;
    QWidget* pointed = nullptr;

protected:
    QWidget* widgetUnderPointer() const override { return pointed; }
};

} // namespace

class tst_inf_time_class : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsEnabledAtZero();
    void checkBoxSwitchesTheTimeOff();
    void editEnableStates_data();
    void editEnableStates();
    void timeStopsBelowTheSwitchedOffCode_data();
    void timeStopsBelowTheSwitchedOffCode();
    void leaveRule_data();
    void leaveRule();
    void leaveRuleAtThePointer_data();
    void leaveRuleAtThePointer();
};

void tst_inf_time_class::startsEnabledAtZero()
{
    QWidget parent;
    infTime_class w(&parent);
    QCOMPARE(w.parentWidget(), &parent);
    QVERIFY(!w.isWindow());
    QCOMPARE(w.timeEdit->parentWidget(), &w);
    QCOMPARE(w.infiniteBox->parentWidget(), &w);
    QCOMPARE(w.infiniteBox->text(), QString());
    QCOMPARE(w.infiniteBox->checkState(), Qt::Unchecked);
    QVERIFY(w.timeEdit->isEnabled());
    QCOMPARE(w.timeEdit->time(), QTime(0, 0));
    QCOMPARE(w.timeEdit->displayFormat(), QStringLiteral("hh:mm:ss.zzz"));

    auto* layout = qobject_cast<QHBoxLayout*>(w.layout());
    QVERIFY(layout);
    QCOMPARE(layout->spacing(), 3);
    QCOMPARE(layout->contentsMargins(), QMargins(1, 1, 1, 1));
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->itemAt(0)->widget(), w.timeEdit);
    QCOMPARE(layout->itemAt(1)->widget(), w.infiniteBox);
}

void tst_inf_time_class::checkBoxSwitchesTheTimeOff()
{
    infTime_class w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.timeEdit->setTime(QTime(0, 1, 2, 300));

    QTest::mouseClick(w.infiniteBox, Qt::LeftButton);
    QVERIFY(w.infiniteBox->isChecked());
    QVERIFY(!w.timeEdit->isEnabled());
    QCOMPARE(w.timeEdit->time(), QTime(0, 1, 2, 300));

    QTest::mouseClick(w.infiniteBox, Qt::LeftButton);
    QVERIFY(!w.infiniteBox->isChecked());
    QVERIFY(w.timeEdit->isEnabled());
    QCOMPARE(w.timeEdit->time(), QTime(0, 1, 2, 300));
}

void tst_inf_time_class::editEnableStates_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("unchecked") << int(Qt::Unchecked) << true;
    QTest::newRow("partially checked") << int(Qt::PartiallyChecked) << true;
    QTest::newRow("checked") << int(Qt::Checked) << false;
}

void tst_inf_time_class::editEnableStates()
{
    QFETCH(int, state);
    QFETCH(bool, enabled);

    infTime_class w;
    w.editEnable(Qt::Checked);
    w.editEnable(state);
    QCOMPARE(w.timeEdit->isEnabled(), enabled);
}

void tst_inf_time_class::timeStopsBelowTheSwitchedOffCode_data()
{
    QTest::addColumn<QTime>("entered");
    QTest::addColumn<QTime>("expected");

    QTest::newRow("the longest time") << QTime(1, 49, 13, 400) << QTime(1, 49, 13, 400);
    QTest::newRow("the switched-off code") << QTime(1, 49, 13, 500) << QTime(1, 49, 13, 400);
    QTest::newRow("far above") << QTime(5, 0) << QTime(1, 49, 13, 400);
    QTest::newRow("below the longest") << QTime(1, 49, 13, 300) << QTime(1, 49, 13, 300);
}

void tst_inf_time_class::timeStopsBelowTheSwitchedOffCode()
{
    QFETCH(QTime, entered);
    QFETCH(QTime, expected);

    infTime_class w;
    QCOMPARE(w.timeEdit->minimumTime(), QTime(0, 0));
    QCOMPARE(w.timeEdit->maximumTime(), QTime(1, 49, 13, 400));
    w.timeEdit->setTime(entered);
    QCOMPARE(w.timeEdit->time(), expected);

    // Stepping up from the longest time goes nowhere.
    w.timeEdit->setTime(QTime(1, 49, 13, 400));
    w.timeEdit->setCurrentSection(QDateTimeEdit::MSecSection);
    w.timeEdit->stepUp();
    QCOMPARE(w.timeEdit->time(), QTime(1, 49, 13, 400));
}

void tst_inf_time_class::leaveRule_data()
{
    QTest::addColumn<QString>("pointerOver");
    QTest::addColumn<int>("emitted");

    QTest::newRow("time edit") << "timeEdit" << 0;
    QTest::newRow("text field inside the time edit") << "timeEditText" << 0;
    QTest::newRow("check box") << "infiniteBox" << 0;
    QTest::newRow("another widget") << "other" << 1;
    QTest::newRow("no widget of the program") << "none" << 1;
}

void tst_inf_time_class::leaveRule()
{
    QFETCH(QString, pointerOver);
    QFETCH(int, emitted);

    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* w = new pointedInfTime(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(w);
    layout->addWidget(other);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    if (pointerOver == QLatin1String("timeEdit"))
        w->pointed = w->timeEdit;
    else if (pointerOver == QLatin1String("timeEditText"))
        w->pointed = w->timeEdit->findChild<QLineEdit*>();
    else if (pointerOver == QLatin1String("infiniteBox"))
        w->pointed = w->infiniteBox;
    else if (pointerOver == QLatin1String("other"))
        w->pointed = other;
    QVERIFY(pointerOver == QLatin1String("none") || w->pointed);

    QSignalSpy spy(w, &infTime_class::leaved);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);

    QCOMPARE(spy.count(), emitted);
    if (emitted)
        QCOMPARE(spy.at(0).at(0).value<QWidget*>(), static_cast<QWidget*>(w));
}

void tst_inf_time_class::leaveRuleAtThePointer_data()
{
    QTest::addColumn<QString>("pointerOver");
    QTest::addColumn<int>("emitted");

    QTest::newRow("time edit") << "timeEdit" << 0;
    QTest::newRow("check box") << "infiniteBox" << 0;
    QTest::newRow("another widget") << "other" << 1;
}

void tst_inf_time_class::leaveRuleAtThePointer()
{
    QFETCH(QString, pointerOver);
    QFETCH(int, emitted);

    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* w = new infTime_class(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(w);
    layout->addWidget(other);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QWidget* target = pointerOver == QLatin1String("timeEdit")      ? static_cast<QWidget*>(w->timeEdit)
                      : pointerOver == QLatin1String("infiniteBox") ? static_cast<QWidget*>(w->infiniteBox)
                                                                    : static_cast<QWidget*>(other);
    const QPoint at = target->mapToGlobal(target->rect().center());
    QCursor::setPos(at);
    QCOMPARE(QCursor::pos(), at);

    QSignalSpy spy(w, &infTime_class::leaved);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
    QCOMPARE(spy.count(), emitted);
}

QTEST_MAIN(tst_inf_time_class)
#include "tst_inf_time_class.moc"
