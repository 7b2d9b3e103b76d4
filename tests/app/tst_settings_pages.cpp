// The clock page and the remote-control tab in the program's window, on a
// simulated controller: what the controller's clock read shows on the page,
// and how the remote-control tab governs the remote-control events page.

#include "app/gui_class.h"
#include "editors/events/aevents_ired_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "program_rig.h"
#include "settings/asettings_clock_widget.h"
#include "settings/asettings_ired_tab.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

constexpr int REMOTE_EVENTS_TAB = 5;

bool remoteEventsEnabled(const gui_class& w)
{
    return w.tabWidget_events->isTabEnabled(REMOTE_EVENTS_TAB);
}

} // namespace

class tst_settings_pages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clockReadShowsDst_data();
    void clockReadShowsDst();
    void remoteTabGovernsTheEventsPage();
    void rebuiltWindowShowsTheAddress();
};

void tst_settings_pages::clockReadShowsDst_data()
{
    QTest::addColumn<bool>("dstEnabled");
    QTest::addColumn<bool>("inForce");

    QTest::newRow("enabled, in force") << true << true;
    QTest::newRow("enabled, not in force") << true << false;
    QTest::newRow("disabled, in force") << false << true;
}

void tst_settings_pages::clockReadShowsDst()
{
    QFETCH(bool, dstEnabled);
    QFETCH(bool, inForce);

    programSession s;
    gui_class& w = *s.rig->window;
    asettings_clock_widget* page = w.clockSettings;
    page->dstEnableBox->setChecked(dstEnabled);
    page->dstBox->setChecked(!inForce);
    QVERIFY(s.rig->connect());
    s.rig->sim->setClock(QDateTime(QDate(2026, 7, 1), QTime(12, 0)), inForce);
    s.rig->sim->clockCalibration = -7;

    s.rig->controller->readDeviceClockText();

    QVERIFY(s.rig->controller->clockValid);
    QCOMPARE(page->dstBox->isChecked(), inForce);
    QCOMPARE(page->dstBox->isEnabled(), dstEnabled);
    QCOMPARE(page->calibrationSpin->value(), -7);
}

void tst_settings_pages::remoteTabGovernsTheEventsPage()
{
    programSession s;
    gui_class& w = *s.rig->window;
    asettings_ired_tab* tab = w.tab_settings_ired;
    QVERIFY(!remoteEventsEnabled(w));

    tab->noRcuBox->setChecked(false);
    tab->addressSpin->setValue(7);
    tab->setAddressButton->click();
    QCOMPARE(int(s.rig->controller->rcuAddress), 7);
    QVERIFY(remoteEventsEnabled(w));

    // Reading from the controller has the events page show the new codes.
    QVERIFY(s.rig->connect());
    s.rig->sim->rcuKeyAddresses.fill(0xFF);
    const int reloads = w.iredEvents->refreshCount;
    tab->readDeviceButton->click();
    QVERIFY(w.iredEvents->refreshCount > reloads);
    QCOMPARE(int(s.rig->controller->rcuAddress), 0xFF);
    QVERIFY(!remoteEventsEnabled(w));
    QCOMPARE(tab->addressLabel->text(), QStringLiteral("undetermined"));
}

void tst_settings_pages::rebuiltWindowShowsTheAddress()
{
    programSession s;
    s.rig->controller->rcuAddress = 12;
    // A change of language: the window goes, a new one is built before it is published.
    s.rig->window.reset();
    theMainWindow = nullptr;
    s.rig->window = std::make_unique<gui_class>(s.rig->controller.get(), nullptr);
    theMainWindow = s.rig->window.get();

    gui_class& w = *s.rig->window;
    QCOMPARE(w.tab_settings_ired->addressLabel->text(), QStringLiteral("12"));
    QVERIFY(!w.tab_settings_ired->noRcuBox->isChecked());
    QVERIFY(remoteEventsEnabled(w));
}

QTEST_MAIN(tst_settings_pages)
#include "tst_settings_pages.moc"
