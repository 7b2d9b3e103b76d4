#include "settings_rig.h"

#include "model/config_image.h"
#include "settings/asettings_clock_widget.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

const QString successText = QStringLiteral("Date and time setting\nsuccessful!");
const QString errorText = QStringLiteral("Date and time setting\nerror!");

uint16_t dstSwitch(kv310_controller_class& c)
{
    return img::getU16(c.configImage, img::dstEnable);
}

// The clock page in the "Date and Time" group, over a controller on a simulated bus.
struct clockRig : deviceSettingsRig {
    clockRig()
    {
        group.resize(500, 180);
        page = std::make_unique<asettings_clock_widget>(&group);
    }
    QWidget group;
    std::unique_ptr<asettings_clock_widget> page;
};

} // namespace

class tst_clock_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dstSentAsTheBoxSays_data();
    void dstSentAsTheBoxSays();
    void systemTimeLocksTheEdit();
    void failedSettingSaysSo_data();
    void failedSettingSaysSo();
    void daylightSavingSwitch_data();
    void daylightSavingSwitch();
    void refreshShowsTheModel_data();
    void refreshShowsTheModel();
    void calibrationCodes_data();
    void calibrationCodes();
    void calibrationNeedsAConnection();
    void deviceReportsWhileEditing();
};

void tst_clock_page::dstSentAsTheBoxSays_data()
{
    QTest::addColumn<bool>("enabled");     // "Enable Daylight Saving Time"
    QTest::addColumn<bool>("dstActive");   // as the controller last reported
    QTest::addColumn<bool>("userChoice");  // "DST" ticked by the user, where it can be
    QTest::addColumn<bool>("sentDst");

    QTest::newRow("enabled, ticked") << true << false << true << true;
    QTest::newRow("enabled, cleared") << true << true << false << false;
    QTest::newRow("disabled, reported in force") << false << true << false << true;
    QTest::newRow("disabled, reported not in force") << false << false << true << false;
}

void tst_clock_page::dstSentAsTheBoxSays()
{
    QFETCH(bool, enabled);
    QFETCH(bool, dstActive);
    QFETCH(bool, userChoice);
    QFETCH(bool, sentDst);

    clockRig r;
    QVERIFY(r.rig.connect());
    r.controller().dstActive = dstActive;
    asettings_clock_widget& page = *r.page;
    // Enabled and disabled again resets the box to the report.
    page.dstEnableBox->setChecked(true);
    page.dstEnableBox->setChecked(enabled);
    if (page.dstBox->isEnabled())
        page.dstBox->setChecked(userChoice);
    QCOMPARE(page.dstBox->isEnabled(), enabled);

    const QDateTime chosen(QDate(2027, 3, 28), QTime(2, 30, 15));
    page.dateTimeEdit->setDateTime(chosen);
    page.setClockButton->click();

    QCOMPARE(r.dialogs.texts(), QStringList{successText});
    QCOMPARE(r.dialogs.entries.first().icon, QMessageBox::Information);
    QCOMPARE(r.sim().clockDst, sentDst);
    QCOMPARE(r.sim().clockNow(), chosen);
    const QByteArray record = r.sim().logOf(SET_CLOCK).first().data;
    QCOMPARE(uint8_t(record.at(5)) & 0xE0, sentDst ? 0xE0 : 0);
}

void tst_clock_page::systemTimeLocksTheEdit()
{
    clockRig r;
    QVERIFY(r.rig.connect());
    asettings_clock_widget& page = *r.page;
    page.dateTimeEdit->setDateTime(QDateTime(QDate(2031, 1, 1), QTime(0, 0)));

    page.useSystemTimeBox->click();
    QVERIFY(!page.dateTimeEdit->isEnabled());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    page.setClockButton->click();
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QVERIFY(r.sim().clockNow() >= before && r.sim().clockNow() <= after);

    page.useSystemTimeBox->click();
    QVERIFY(page.dateTimeEdit->isEnabled());
    page.setClockButton->click();
    QCOMPARE(r.sim().clockNow(), QDateTime(QDate(2031, 1, 1), QTime(0, 0)));
}

void tst_clock_page::failedSettingSaysSo_data()
{
    QTest::addColumn<bool>("connect");
    QTest::addColumn<bool>("busy");

    QTest::newRow("not connected") << false << false;
    QTest::newRow("busy controller") << true << true;
}

void tst_clock_page::failedSettingSaysSo()
{
    QFETCH(bool, connect);
    QFETCH(bool, busy);

    clockRig r;
    if (connect)
        QVERIFY(r.rig.connect());
    if (busy)
        r.sim().raise(STATUS_BUSY);
    r.page->setClockButton->click();

    QCOMPARE(r.dialogs.texts(), QStringList{errorText});
    QCOMPARE(r.dialogs.titles(), QStringList{QStringLiteral("KvOrbit310+")});
    QCOMPARE(r.dialogs.entries.first().icon, QMessageBox::Critical);
    QCOMPARE(r.sim().countOf(SET_CLOCK), 0);
}

void tst_clock_page::daylightSavingSwitch_data()
{
    QTest::addColumn<bool>("dstActive");
    QTest::newRow("reported in force") << true;
    QTest::newRow("reported not in force") << false;
}

void tst_clock_page::daylightSavingSwitch()
{
    QFETCH(bool, dstActive);

    clockRig r;
    kv310_controller_class& c = r.controller();
    c.dstActive = dstActive;
    asettings_clock_widget& page = *r.page;

    page.dstEnableBox->setChecked(true);
    QCOMPARE(dstSwitch(c), uint16_t(0));
    QVERIFY(page.dstBox->isEnabled());
    page.dstBox->setChecked(!dstActive);

    page.dstEnableBox->setChecked(false);
    QCOMPARE(dstSwitch(c), uint16_t(0xFFFF));
    QVERIFY(!page.dstBox->isEnabled());
    QCOMPARE(page.dstBox->isChecked(), dstActive);
}

void tst_clock_page::refreshShowsTheModel_data()
{
    QTest::addColumn<int>("stored");     // dstEnable in the image
    QTest::addColumn<bool>("enabled");   // the box afterwards
    QTest::addColumn<int>("written");    // dstEnable afterwards

    QTest::newRow("enabled") << 0 << true << 0;
    QTest::newRow("disabled") << 0xFFFF << false << 0xFFFF;
    QTest::newRow("any other value counts as enabled") << 0x1234 << true << 0;
}

void tst_clock_page::refreshShowsTheModel()
{
    QFETCH(int, stored);
    QFETCH(bool, enabled);
    QFETCH(int, written);

    clockRig r;
    kv310_controller_class& c = r.controller();
    asettings_clock_widget& page = *r.page;
    // A box that changes on refresh rewrites the switch; start from the other state.
    page.dstEnableBox->setChecked(!enabled);
    img::putU16(c.configImage, img::dstEnable, uint16_t(stored));
    c.dstActive = true;
    c.clockCalibration = -4;
    page.calibrationSpin->setValue(3);

    page.refresh();

    QCOMPARE(page.dstEnableBox->isChecked(), enabled);
    QCOMPARE(page.dstBox->isEnabled(), enabled);
    QCOMPARE(int(dstSwitch(c)), written);
    QVERIFY(page.dstBox->isChecked());
    QCOMPARE(page.shownCalibration, -4);
    // The spin box waits for the controller or for the end of an edit.
    QCOMPARE(page.calibrationSpin->value(), 3);
    QCOMPARE(page.dateTimeEdit->date(), QDate::currentDate());
}

void tst_clock_page::calibrationCodes_data()
{
    QTest::addColumn<int>("adjust");
    QTest::addColumn<int>("code");

    QTest::newRow("-31") << -31 << 31;
    QTest::newRow("0") << 0 << 32;
    QTest::newRow("+31") << 31 << 63;
}

void tst_clock_page::calibrationCodes()
{
    QFETCH(int, adjust);
    QFETCH(int, code);

    clockRig r;
    QVERIFY(r.rig.connect());
    asettings_clock_widget& page = *r.page;
    page.calibrationGroup->setChecked(true);
    QVERIFY(r.dialogs.entries.isEmpty());
    page.calibrationSpin->setValue(adjust);
    page.setCalibrationButton->click();

    QCOMPARE(int(r.sim().logOf(SET_CALIBRATION).first().value), code);
    QCOMPARE(r.sim().clockCalibration, adjust);
    QCOMPARE(r.controller().clockCalibration, adjust);
    QCOMPARE(page.shownCalibration, adjust);
    QCOMPARE(page.calibrationSpin->value(), adjust);
    QVERIFY(!page.calibrationGroup->isChecked());
}

void tst_clock_page::calibrationNeedsAConnection()
{
    clockRig r;
    asettings_clock_widget& page = *r.page;
    page.showDeviceCalibration(6);
    page.calibrationGroup->setChecked(true);

    QCOMPARE(r.dialogs.texts(), QStringList{QStringLiteral("Not connected!")});
    QCOMPARE(r.dialogs.titles(), QStringList{QStringLiteral("USB Interface")});
    QVERIFY(!page.calibrationGroup->isChecked());
    QCOMPARE(page.calibrationSpin->value(), 6);
    QCOMPARE(r.sim().countOf(SET_CALIBRATION), 0);
}

void tst_clock_page::deviceReportsWhileEditing()
{
    clockRig r;
    QVERIFY(r.rig.connect());
    asettings_clock_widget& page = *r.page;
    page.calibrationGroup->setChecked(true);
    page.calibrationSpin->setValue(5);

    page.showDeviceCalibration(9);
    QCOMPARE(page.calibrationSpin->value(), 5);
    QCOMPARE(page.shownCalibration, 0);

    // Leaving the edit without "Set" shows what the controller has.
    page.calibrationGroup->setChecked(false);
    QCOMPARE(page.calibrationSpin->value(), 0);
    QCOMPARE(r.sim().countOf(SET_CALIBRATION), 0);

    page.calibrationGroup->setChecked(true);
    page.calibrationSpin->setValue(5);
    page.setCalibrationButton->click();
    page.showDeviceCalibration(9);
    QCOMPARE(page.calibrationSpin->value(), 9);
    QCOMPARE(page.shownCalibration, 9);
}

QTEST_MAIN(tst_clock_page)
#include "tst_clock_page.moc"
