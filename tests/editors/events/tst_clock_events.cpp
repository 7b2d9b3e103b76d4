#include "editors/events/aevents_clock_set_widget.h"
#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "support/page_fixture.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <memory>

namespace {

timerRecord& timer(kv310_controller_class& c, int i)
{
    return c.timerTable[size_t(i)];
}

void setTimer(timerRecord& r, uint8_t year, uint8_t month, uint8_t day, uint8_t dow, uint8_t hour, uint8_t minute)
{
    r.year = year;
    r.month = month;
    r.day = day;
    r.dayOfWeek = dow;
    r.hour = hour;
    r.minute = minute;
}

void setSunDelays(kv310_controller_class& c, int sunrise, int sunset)
{
    c.configImage[img::sunriseDelay] = uint8_t(int8_t(sunrise));
    c.configImage[img::sunsetDelay] = uint8_t(int8_t(sunset));
}

// Sunrise and sunset of the sun table entry for a day of the year (1-based).
void setSunTimes(kv310_controller_class& c, int dayOfYear, int sunrise, int sunset)
{
    img::putU16(c.configImage, img::sunTable + 4u * uint32_t(dayOfYear - 1), uint16_t(sunrise));
    img::putU16(c.configImage, img::sunTable + 4u * uint32_t(dayOfYear - 1) + 2, uint16_t(sunset));
}

QString settings(const aevents_clock_widget& page, int row)
{
    return page.eventList->model()->index(row, 1).data().toString();
}

bool green(const aevents_clock_widget& page, int row, int column)
{
    const QVariant v = page.eventList->model()->index(row, column).data(Qt::BackgroundRole);
    const QBrush b = v.value<QBrush>();
    return b.color() == pageStyle::usedColour() && b.style() == Qt::SolidPattern;
}

struct clockPageFixture : pageFixture {
    std::unique_ptr<aevents_clock_widget> page;
    QDate date{2023, 1, 1};
    bool dst = false;

    void build()
    {
        page = std::make_unique<aevents_clock_widget>(&tab);
        page->today = [this] { return aevents_clock_widget::day{date, dst}; };
        page->refresh();
    }
    void pick(int row) { page->eventList->setCurrentCell(row, 0); }
};

}  // namespace

// The clock events page and its timer form: the row texts, the sun event
// delays with today's resulting time, and the fields of a timer stored as
// the controller reads them.
class tst_clock_events : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timerTexts_data();
    void timerTexts();
    void sunDelayTexts_data();
    void sunDelayTexts();
    void rowsAndColours();
    void sunDelaysAreStoredInFiveMinuteUnits();
    void todaysSunTime_data();
    void todaysSunTime();
    void sunEventsOff();
    void delaysThatWouldSwitchTheSunEventsOffAreRefused();
    void timerRowsShowTheForm();
    void captionStandsAboveTheActionTable_data();
    void captionStandsAboveTheActionTable();

    void formLoadsWithoutWriting();
    void dayFollowsTheMonth();
    void anyDayStaysAnyAcrossShortMonths();
    void dayOfWeekAndYear();
    void refusedValuesLeaveTheRecord();
    void clearSetsEveryFieldToAny();
};

// ---- Clock page ---------------------------------------------------------------------

void tst_clock_events::timerTexts_data()
{
    QTest::addColumn<QList<int>>("bytes");  // year, month, day, day of week, hour, minute
    QTest::addColumn<QString>("text");
    QTest::newRow("any") << QList<int>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF} << "--:-- -- --.--.----";
    QTest::newRow("Fridays in March") << QList<int>{0xFF, 0x03, 0xFF, 5, 0x08, 0x05} << "08:05 Fr --.03.----";
    QTest::newRow("full date") << QList<int>{0x99, 0x12, 0x31, 7, 0x23, 0x59} << "23:59 Su 31.12.2099";
    QTest::newRow("day of week 0") << QList<int>{0x24, 0x01, 0x09, 0, 0x00, 0x10} << "00:10 -- 09.01.2024";
    QTest::newRow("day of week 8") << QList<int>{0x00, 0x10, 0x10, 8, 0x12, 0x00} << "12:00 -- 10.10.2000";
}

void tst_clock_events::timerTexts()
{
    QFETCH(QList<int>, bytes);
    QFETCH(QString, text);
    pageFixture f;
    setTimer(timer(f.controller(), 700), uint8_t(bytes[0]), uint8_t(bytes[1]), uint8_t(bytes[2]), uint8_t(bytes[3]),
             uint8_t(bytes[4]), uint8_t(bytes[5]));
    QCOMPARE(aevents_clock_widget::timerText(EVENT_TIMER + 700), text);
}

void tst_clock_events::sunDelayTexts_data()
{
    QTest::addColumn<int>("delay");
    QTest::addColumn<QString>("text");
    QTest::newRow("45 min before") << -9 << "      -0 h 45 min.";
    QTest::newRow("none") << 0 << "       0 h 0 min.";
    QTest::newRow("90 min after") << 18 << "      +1 h 30 min.";
    QTest::newRow("4 h before") << -48 << "      -4 h 0 min.";
}

void tst_clock_events::sunDelayTexts()
{
    QFETCH(int, delay);
    QFETCH(QString, text);
    QCOMPARE(aevents_clock_widget::sunDelayText(delay), text);
}

void tst_clock_events::rowsAndColours()
{
    clockPageFixture f;
    kv310_controller_class& c = f.controller();
    setTimer(timer(c, 5), 0xFF, 0x03, 0xFF, 5, 0x08, 0x05);
    c.events.appendAction(EVENT_TIMER + 5);
    c.events.appendAction(EVENT_SUNRISE);
    f.build();

    pageListView* list = f.page->eventList;
    QCOMPARE(list->rowCount(), 1024);
    QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("Sunrise"));
    QCOMPARE(list->model()->index(1, 0).data().toString(), QStringLiteral("Sunset"));
    QCOMPARE(list->model()->index(2, 0).data().toString(), QStringLiteral("Timer 3"));
    QCOMPARE(list->model()->index(1023, 0).data().toString(), QStringLiteral("Timer 1024"));
    QCOMPARE(settings(*f.page, 5), QStringLiteral("08:05 Fr --.03.----"));
    QCOMPARE(settings(*f.page, 6), QStringLiteral("--:-- -- --.--.----"));
    QVERIFY(green(*f.page, 5, 0) && green(*f.page, 5, 1));
    QVERIFY(!green(*f.page, 6, 0));
    // The sun rows keep their colour, actions or not.
    QVERIFY(!list->model()->index(0, 0).data(Qt::BackgroundRole).isValid());

    // A timer that gets actions is green at the next refresh.
    c.events.appendAction(EVENT_TIMER + 6);
    f.page->refresh();
    QVERIFY(green(*f.page, 6, 0) && green(*f.page, 6, 1));
    QCOMPARE(f.page->titleLabel->text(), QStringLiteral("Sunrise"));
    QCOMPARE(f.page->actionPanel->pageKind, 2);
}

void tst_clock_events::sunDelaysAreStoredInFiveMinuteUnits()
{
    clockPageFixture f;
    kv310_controller_class& c = f.controller();
    setSunDelays(c, 0, 0);
    f.build();
    QVERIFY(f.page->sunDelayBox->isVisibleTo(f.page.get()));
    QCOMPARE(f.page->sunDelayLabel->text(), QStringLiteral("Sunrise Event Delay"));
    QCOMPARE(f.page->sunDelayBox->minimum(), -240);
    QCOMPARE(f.page->sunDelayBox->maximum(), 240);

    f.page->sunDelayBox->setValue(90);
    QCOMPARE(int(int8_t(c.configImage[img::sunriseDelay])), 18);
    QCOMPARE(settings(*f.page, 0), QStringLiteral("      +1 h 30 min."));

    // Typed minutes are cut to whole units toward zero.
    f.page->sunDelayBox->setValue(-7);
    QCOMPARE(int(int8_t(c.configImage[img::sunriseDelay])), -1);
    QCOMPARE(f.page->sunDelayBox->value(), -5);

    f.pick(1);
    QCOMPARE(f.page->sunDelayLabel->text(), QStringLiteral("Sunset Event Delay"));
    QCOMPARE(f.page->sunDelayBox->value(), 0);
    f.page->sunDelayBox->setValue(-240);
    QCOMPARE(int(int8_t(c.configImage[img::sunsetDelay])), -48);
    QCOMPARE(int(int8_t(c.configImage[img::sunriseDelay])), -1);
    QCOMPARE(f.page->titleLabel->text(), QStringLiteral("Sunset"));
}

void tst_clock_events::todaysSunTime_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("dst");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("delay");
    QTest::addColumn<QString>("text");
    // The defaults a cleared configuration holds: 7:39 on 1 January, 15:47
    // on entry 364 and 15:48 on entry 365.
    QTest::newRow("1 January") << QDate(2023, 1, 1) << false << 0 << 0 << "Today sunrise time: 7:39 ";
    QTest::newRow("delayed 90 min") << QDate(2023, 1, 1) << false << 0 << 18 << "Today sunrise time: 9:09 ";
    QTest::newRow("and daylight saving") << QDate(2023, 1, 1) << true << 0 << 18 << "Today sunrise time: 10:09 ";
    QTest::newRow("31 December") << QDate(2023, 12, 31) << false << 1 << 0 << "Today sunset time: 15:47 ";
    QTest::newRow("31 December, leap") << QDate(2024, 12, 31) << false << 1 << 0 << "Today sunset time: 15:48 ";
    QTest::newRow("45 min earlier") << QDate(2024, 12, 31) << false << 1 << -9 << "Today sunset time: 15:03 ";
}

void tst_clock_events::todaysSunTime()
{
    QFETCH(QDate, date);
    QFETCH(bool, dst);
    QFETCH(int, row);
    QFETCH(int, delay);
    QFETCH(QString, text);
    clockPageFixture f;
    setSunDelays(f.controller(), row == 0 ? delay : 0, row == 1 ? delay : 0);
    f.date = date;
    f.dst = dst;
    f.build();
    f.pick(row);
    QCOMPARE(f.page->sunTimeLabel->text(), text);
}

void tst_clock_events::sunEventsOff()
{
    clockPageFixture f;
    kv310_controller_class& c = f.controller();
    QCOMPARE(img::getU16(c.configImage, img::sunEvents), 0xFFFF);  // as cleared
    f.dst = true;
    f.date = QDate(2023, 6, 21);  // day 172
    setSunTimes(c, 172, 211, 1300);
    f.build();
    QCOMPARE(settings(*f.page, 0), QStringLiteral("disabled"));
    QCOMPARE(settings(*f.page, 1), QStringLiteral("disabled"));
    QVERIFY(!f.page->sunDelayBox->isVisibleTo(f.page.get()));
    QVERIFY(!f.page->sunDelayLabel->isVisibleTo(f.page.get()));
    // No delay, but daylight saving.
    QCOMPARE(f.page->sunTimeLabel->text(), QStringLiteral("Today sunrise time: 4:31 "));

    // Switched on, four hours after a sunset at 21:40 run past midnight.
    setSunDelays(c, 0, 48);
    f.pick(1);
    QCOMPARE(f.page->sunTimeLabel->text(), QStringLiteral("Today sunset time: 26:40 "));

    // A day the sun table does not describe.
    setSunTimes(c, 172, 0xFFFF, 0xFFFF);
    f.page->refresh();
    QCOMPARE(f.page->sunTimeLabel->text(), QStringLiteral("Today sunset time: --:-- "));
}

void tst_clock_events::delaysThatWouldSwitchTheSunEventsOffAreRefused()
{
    clockPageFixture f;
    kv310_controller_class& c = f.controller();
    setSunDelays(c, 0, -1);
    f.build();
    f.page->sunDelayBox->setValue(-5);
    QCOMPARE(f.dialogs.titles(), QStringList{"Warning!"});
    QCOMPARE(c.configImage[img::sunriseDelay], 0);
    QVERIFY(img::getU16(c.configImage, img::sunEvents) != 0xFFFF);
    QCOMPARE(f.page->sunDelayBox->value(), 0);
    QCOMPARE(settings(*f.page, 0), QStringLiteral("       0 h 0 min."));

    // Any other pair is stored.
    f.page->sunDelayBox->setValue(-10);
    QCOMPARE(int(int8_t(c.configImage[img::sunriseDelay])), -2);
    QCOMPARE(f.dialogs.entries.size(), 1);
}

void tst_clock_events::timerRowsShowTheForm()
{
    clockPageFixture f;
    kv310_controller_class& c = f.controller();
    setSunDelays(c, 0, 0);
    setTimer(timer(c, 9), 0x24, 0x02, 0x29, 4, 0x07, 0x30);
    f.build();
    QVERIFY(!f.page->timerForm->isVisibleTo(f.page.get()));
    QVERIFY(!f.page->clearButton->isVisibleTo(f.page.get()));

    f.pick(9);
    QCOMPARE(f.page->currentEvent, EVENT_TIMER + 9);
    QCOMPARE(f.page->actionPanel->panelEvent, EVENT_TIMER + 9);
    QVERIFY(f.page->timerForm->isVisibleTo(f.page.get()));
    QVERIFY(f.page->clearButton->isVisibleTo(f.page.get()));
    QVERIFY(!f.page->sunDelayBox->isVisibleTo(f.page.get()));
    QVERIFY(!f.page->sunTimeLabel->isVisibleTo(f.page.get()));
    QCOMPARE(f.page->titleLabel->text(), QStringLiteral("Timer\nno. 10"));
    QCOMPARE(f.page->timerForm->spinBoxDm->value(), 29);
    QCOMPARE(f.page->timerForm->comboBoxDw->currentIndex(), 3);

    // A field edited rewrites the row at once.
    f.page->timerForm->spinBoxHour->setValue(21);
    QCOMPARE(settings(*f.page, 9), QStringLiteral("21:30 Th 29.02.2024"));
    f.page->clearButton->click();
    QCOMPARE(settings(*f.page, 9), QStringLiteral("--:-- -- --.--.----"));

    f.pick(0);
    QVERIFY(!f.page->timerForm->isVisibleTo(f.page.get()));
    QVERIFY(f.page->sunTimeLabel->isVisibleTo(f.page.get()));
}

void tst_clock_events::captionStandsAboveTheActionTable_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("sunrise, sun events on") << 0;
    QTest::newRow("a timer") << 9;
}

// The caption names the event above the action table, as on the other
// event pages, and covers none of the page's controls.
void tst_clock_events::captionStandsAboveTheActionTable()
{
    QFETCH(int, row);
    clockPageFixture f;
    setSunDelays(f.controller(), 3, 0);
    f.build();
    f.pick(row);
    const QLabel* caption = f.page->titleLabel;
    const QWidget* header = f.page->actionPanel->actionTable->horizontalHeader();
    const int headerTop = header->mapTo(f.page.get(), QPoint()).y();
    QVERIFY2(caption->geometry().bottom() < headerTop, qPrintable(QString::number(caption->y())));
    for (const QWidget* control : f.page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control != caption && control->isVisibleTo(f.page.get()))
            QVERIFY2(!control->geometry().intersects(caption->geometry()), control->metaObject()->className());
    }
}

// ---- Timer form ----------------------------------------------------------------------

void tst_clock_events::formLoadsWithoutWriting()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    setTimer(timer(c, 3), 0x23, 0x01, 0x31, 2, 0x10, 0x00);
    setTimer(timer(c, 4), 0x24, 0x02, 0xFF, 0, 0xFF, 0xFF);
    aevents_clock_set_widget form(&f.tab);
    QSignalSpy changes(&form, &aevents_clock_set_widget::changed);

    // Every field any: all boxes ticked, all fields off, and Clear has nothing to do.
    form.setTimer(EVENT_TIMER + 2);
    for (QCheckBox* any : {form.checkBoxYAny, form.checkBoxMAny, form.checkBoxDmAny, form.checkBoxDwAny,
                           form.checkBoxHourAny, form.checkBoxMinAny})
        QVERIFY(any->isChecked());
    for (QWidget* field : std::initializer_list<QWidget*>{form.spinBoxY, form.spinBoxM, form.spinBoxDm,
                                                          form.comboBoxDw, form.spinBoxHour, form.spinBoxMin})
        QVERIFY(!field->isEnabled());
    form.clearAll(false);
    QCOMPARE(changes.count(), 0);

    form.setTimer(EVENT_TIMER + 3);
    QCOMPARE(form.spinBoxDm->value(), 31);
    QCOMPARE(form.comboBoxDw->currentIndex(), 1);
    QVERIFY(form.spinBoxDm->isEnabled() && !form.checkBoxDmAny->isChecked());

    // Any day in February 2024, after 31 January: the day stays any, the box allows 29.
    form.setTimer(EVENT_TIMER + 4);
    QCOMPARE(timer(c, 4).day, 0xFF);
    QCOMPARE(form.spinBoxDm->maximum(), 29);
    // Day of week 0 shows Monday; the record keeps 0.
    QCOMPARE(form.comboBoxDw->currentIndex(), 0);
    QVERIFY(!form.checkBoxDwAny->isChecked());
    QCOMPARE(timer(c, 4).dayOfWeek, 0);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(timer(c, 3).day, 0x31);
}

void tst_clock_events::dayFollowsTheMonth()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    setTimer(timer(c, 3), 0x23, 0x01, 0x31, 2, 0x10, 0x00);
    aevents_clock_set_widget form(&f.tab);
    form.setTimer(EVENT_TIMER + 3);

    form.spinBoxM->setValue(4);
    QCOMPARE(timer(c, 3).month, 0x04);
    QCOMPARE(timer(c, 3).day, 0x30);
    QCOMPARE(form.spinBoxDm->maximum(), 30);

    // February of 2023 has 28 days, of an unknown year 29; an unknown month 31.
    form.spinBoxM->setValue(2);
    QCOMPARE(timer(c, 3).day, 0x28);
    form.checkBoxYAny->click();
    QCOMPARE(timer(c, 3).year, 0xFF);
    QCOMPARE(form.spinBoxDm->maximum(), 29);
    form.checkBoxMAny->click();
    QCOMPARE(form.spinBoxDm->maximum(), 31);
    QVERIFY(!form.spinBoxM->isEnabled());
    QCOMPARE(timer(c, 3).month, 0xFF);
    // Unticked, the field stores what it shows.
    form.checkBoxMAny->click();
    QCOMPARE(timer(c, 3).month, 0x02);
    QVERIFY(form.spinBoxM->isEnabled());
}

void tst_clock_events::anyDayStaysAnyAcrossShortMonths()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    setTimer(timer(c, 3), 0x23, 0x01, 0x31, 2, 0x10, 0x00);
    aevents_clock_set_widget form(&f.tab);
    form.setTimer(EVENT_TIMER + 3);
    form.checkBoxDmAny->click();
    QCOMPARE(timer(c, 3).day, 0xFF);

    form.spinBoxM->setValue(4);
    QCOMPARE(timer(c, 3).day, 0xFF);
    QVERIFY(form.checkBoxDmAny->isChecked());
    QCOMPARE(form.spinBoxDm->value(), 30);
    QCOMPARE(form.spinBoxDm->maximum(), 30);
    form.spinBoxY->setValue(2025);
    form.spinBoxM->setValue(2);
    QCOMPARE(timer(c, 3).day, 0xFF);
    QCOMPARE(form.spinBoxDm->value(), 28);

    // Unticking the day stores the day the box shows.
    form.checkBoxDmAny->click();
    QCOMPARE(timer(c, 3).day, 0x28);
}

void tst_clock_events::dayOfWeekAndYear()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    setTimer(timer(c, 3), 0x23, 0x01, 0x31, 2, 0x10, 0x00);
    aevents_clock_set_widget form(&f.tab);
    form.setTimer(EVENT_TIMER + 3);

    form.comboBoxDw->setCurrentIndex(6);
    QCOMPARE(form.comboBoxDw->currentText(), QStringLiteral("Sunday"));
    QCOMPARE(timer(c, 3).dayOfWeek, 7);
    form.checkBoxDwAny->click();
    QCOMPARE(timer(c, 3).dayOfWeek, 0xFF);
    QVERIFY(!form.comboBoxDw->isEnabled());

    form.spinBoxY->setValue(2099);
    QCOMPARE(timer(c, 3).year, 0x99);
    form.spinBoxY->stepBy(1);
    QCOMPARE(form.spinBoxY->value(), 2000);
    QCOMPARE(timer(c, 3).year, 0x00);
    form.spinBoxHour->setValue(23);
    form.spinBoxMin->setValue(59);
    QCOMPARE(timer(c, 3).hour, 0x23);
    QCOMPARE(timer(c, 3).minute, 0x59);
}

void tst_clock_events::refusedValuesLeaveTheRecord()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    setTimer(timer(c, 3), 0x23, 0x01, 0x31, 2, 0x10, 0x00);
    const timerRecord before = timer(c, 3);
    aevents_clock_set_widget form(&f.tab);
    form.setTimer(EVENT_TIMER + 3);
    QSignalSpy changes(&form, &aevents_clock_set_widget::changed);
    form.hourChange(24);
    form.minChange(-1);
    form.dOWChange(7);
    form.dOMChange(0);
    form.mChange(13);
    form.yChange(10000);
    QCOMPARE(changes.count(), 6);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&timer(c, 3)), 8),
             QByteArray(reinterpret_cast<const char*>(&before), 8));
}

void tst_clock_events::clearSetsEveryFieldToAny()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    setTimer(timer(c, 3), 0x23, 0x01, 0x31, 2, 0x10, 0x00);
    timer(c, 3).eventId = EVENT_TIMER + 3;
    aevents_clock_set_widget form(&f.tab);
    form.setTimer(EVENT_TIMER + 3);
    QSignalSpy changes(&form, &aevents_clock_set_widget::changed);
    form.clearAll(false);
    QCOMPARE(changes.count(), 6);
    const timerRecord& r = timer(c, 3);
    QCOMPARE(r.eventId, EVENT_TIMER + 3);  // not the form's
    for (uint8_t b : {r.year, r.month, r.day, r.dayOfWeek, r.hour, r.minute})
        QCOMPARE(b, 0xFF);
    for (QWidget* field : std::initializer_list<QWidget*>{form.spinBoxY, form.spinBoxM, form.spinBoxDm,
                                                          form.comboBoxDw, form.spinBoxHour, form.spinBoxMin})
        QVERIFY(!field->isEnabled());
}

QTEST_MAIN(tst_clock_events)
#include "tst_clock_events.moc"
