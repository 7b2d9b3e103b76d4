#include "settings_rig.h"
#include "support/page_fixture.h"

#include "model/events.h"
#include "settings/asettings_ired_tab.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <functional>

namespace {

using simSetup = std::function<void(simController&)>;

constexpr int REMOTE_EVENTS_TAB = 5;

QString cell(const asettings_ired_tab& tab, int row, int column)
{
    return tab.buttonModel->index(row, column).data().toString();
}

void chooseButton(asettings_ired_tab& tab, int row)
{
    tab.buttonView->setCurrentIndex(tab.buttonModel->index(row, 0));
}

// The last state the tab gave the remote-control events page; -1 none given.
int eventsTabState(const fakeMainWindow& window)
{
    for (auto it = window.eventsTabs.crbegin(); it != window.eventsTabs.crend(); ++it)
        if (it->first == REMOTE_EVENTS_TAB)
            return it->second ? 1 : 0;
    return -1;
}

simSetup outcome(int afterMs, uint8_t address, uint8_t code = 0xFF, int key = -1)
{
    return [=](simController& s) { s.rcuOutcomes.append({afterMs, false, address, code, key}); };
}

simSetup nothing()
{
    return [](simController&) {};
}

} // namespace

Q_DECLARE_METATYPE(simSetup)

class tst_ired_tab : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsAndAddressShowTheModel();
    void builtWhenFirstShown();
    void setAddress_data();
    void setAddress();
    void setCodeAndDescription();
    void noCurrentButtonChangesNothing();
    void clearingKeepsTheEventActions();
    void learnAddress_data();
    void learnAddress();
    void learnKeyCode_data();
    void learnKeyCode();
    void readAndSendToTheController();
};

void tst_ired_tab::rowsAndAddressShowTheModel()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.rcuAddress = 0xFF;
    c.rcuKeyCodes.fill(0xFF);
    c.rcuKeyCodes[0] = 0;
    c.rcuKeyCodes[1] = 63;
    c.rcuKeyCodes[2] = 64;
    const QString longText = QStringLiteral("A description far wider than the column can ever show in one line");
    c.rcuKeyDescriptions[1] = longText;
    c.rcuKeyDescriptions[3] = QStringLiteral("Stage");
    asettings_ired_tab tab(&f.tab);
    tab.refresh();

    QCOMPARE(cell(tab, 0, 0), QStringLiteral("Btn 1"));
    QCOMPARE(cell(tab, 63, 0), QStringLiteral("Btn 64"));
    QCOMPARE(cell(tab, 0, 1), QStringLiteral("  0"));
    QCOMPARE(cell(tab, 1, 1), QStringLiteral("  63"));
    QCOMPARE(cell(tab, 2, 1), QStringLiteral("  - -"));
    QCOMPARE(cell(tab, 3, 1), QStringLiteral("  - -"));
    QCOMPARE(cell(tab, 0, 2), QStringLiteral("no description"));
    QCOMPARE(cell(tab, 3, 2), QStringLiteral("Stage"));
    const QString shown = cell(tab, 1, 2);
    QVERIFY(shown.endsWith(QChar(0x2026)));
    QVERIFY(QFontMetrics(tab.buttonView->font()).horizontalAdvance(shown) <= tab.buttonView->columnWidth(2));
    chooseButton(tab, 1);
    QCOMPARE(tab.descriptionEdit->text(), longText);
    QCOMPARE(c.rcuKeyDescriptions[1], longText);

    QCOMPARE(tab.addressLabel->text(), QStringLiteral("undetermined"));
    QVERIFY(tab.noRcuBox->isChecked());
    // The box was ticked before its slot was connected.
    QVERIFY(tab.addressSpin->isEnabled());
    QVERIFY(tab.getAddressButton->isEnabled());
    QCOMPARE(eventsTabState(f.window()), 0);
}

// The form makes the tab empty; its widgets come when it is first shown or
// used, loaded without touching the window, which sets the events tab itself.
void tst_ired_tab::builtWhenFirstShown()
{
    pageFixture f;
    f.controller().rcuAddress = 9;
    asettings_ired_tab tab;
    QVERIFY(!tab.isBuilt());
    QCOMPARE(tab.currentButton(), -1);
    tab.show();
    QVERIFY(tab.isBuilt());
    // Made as the tab was shown, and shown with it.
    for (QWidget* w : std::initializer_list<QWidget*>{tab.buttonView, tab.addressGroup, tab.notUsedBox,
                                                      tab.descriptionEdit})
        QVERIFY(w->isVisible());

    QCOMPARE(tab.addressLabel->text(), QStringLiteral("9"));
    QVERIFY(!tab.noRcuBox->isChecked());
    QVERIFY(f.window().eventsTabs.isEmpty());
    tab.refresh();
    QCOMPARE(eventsTabState(f.window()), 1);
}

void tst_ired_tab::setAddress_data()
{
    QTest::addColumn<bool>("noRemote");
    QTest::addColumn<int>("spin");
    QTest::addColumn<int>("address");

    QTest::newRow("address 7") << false << 7 << 7;
    QTest::newRow("address 0") << false << 0 << 0;
    QTest::newRow("no remote") << true << 7 << 0xFF;
}

void tst_ired_tab::setAddress()
{
    QFETCH(bool, noRemote);
    QFETCH(int, spin);
    QFETCH(int, address);

    pageFixture f;
    f.controller().rcuAddress = noRemote ? 3 : 0xFF;
    asettings_ired_tab tab(&f.tab);
    tab.refresh();
    tab.noRcuBox->setChecked(noRemote);
    QCOMPARE(tab.addressSpin->isEnabled(), !noRemote);
    QCOMPARE(tab.getAddressButton->isEnabled(), !noRemote);
    tab.addressSpin->setValue(spin);
    tab.setAddressButton->click();

    QCOMPARE(int(f.controller().rcuAddress), address);
    QCOMPARE(tab.addressLabel->text(), noRemote ? QStringLiteral("undetermined") : QString::number(address));
    QCOMPARE(eventsTabState(f.window()), noRemote ? 0 : 1);
}

void tst_ired_tab::setCodeAndDescription()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.rcuKeyCodes.fill(0xFF);
    c.rcuKeyDescriptions[4] = QStringLiteral("Old");
    asettings_ired_tab tab(&f.tab);
    tab.refresh();
    QVERIFY(!tab.descriptionEdit->isEnabled());
    chooseButton(tab, 4);
    QVERIFY(tab.descriptionEdit->isEnabled());
    QCOMPARE(tab.descriptionEdit->text(), QStringLiteral("Old"));

    tab.codeSpin->setValue(17);
    tab.setCodeButton->click();
    QCOMPARE(int(c.rcuKeyCodes[4]), 17);
    QCOMPARE(cell(tab, 4, 1), QStringLiteral("  17"));

    tab.notUsedBox->setChecked(true);
    QVERIFY(!tab.codeSpin->isEnabled());
    QVERIFY(!tab.getCodeButton->isEnabled());
    tab.setCodeButton->click();
    QCOMPARE(int(c.rcuKeyCodes[4]), 0xFF);
    QCOMPARE(cell(tab, 4, 1), QStringLiteral("  - -"));

    tab.descriptionEdit->setText(QStringLiteral("Curtain"));
    emit tab.descriptionEdit->editingFinished();
    QCOMPARE(c.rcuKeyDescriptions[4], QStringLiteral("Curtain"));
    QCOMPARE(cell(tab, 4, 2), QStringLiteral("Curtain"));
    tab.descriptionEdit->clear();
    emit tab.descriptionEdit->editingFinished();
    QVERIFY(c.rcuKeyDescriptions[4].isEmpty());
    QCOMPARE(cell(tab, 4, 2), QStringLiteral("no description"));
}

void tst_ired_tab::noCurrentButtonChangesNothing()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.rcuKeyCodes.fill(5);
    for (QString& d : c.rcuKeyDescriptions)
        d = QStringLiteral("kept");
    asettings_ired_tab tab(&f.tab);
    tab.refresh();
    QCOMPARE(tab.currentButton(), -1);
    QVERIFY(tab.descriptionEdit->text().isEmpty());

    tab.codeSpin->setValue(9);
    tab.setCodeButton->click();
    tab.descriptionEdit->setText(QStringLiteral("lost"));
    tab.disableDescEdition();
    tab.getCodeButton->click();

    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("Please select button!")});
    QCOMPARE(f.dialogs.titles(), QStringList{QStringLiteral("Remote control:")});
    for (int b = 0; b < 64; ++b) {
        QCOMPARE(int(c.rcuKeyCodes[size_t(b)]), 5);
        QCOMPARE(c.rcuKeyDescriptions[size_t(b)], QStringLiteral("kept"));
    }
}

void tst_ired_tab::clearingKeepsTheEventActions()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.rcuAddress = 4;
    c.rcuKeyCodes.fill(12);
    c.rcuKeyDescriptions[0] = QStringLiteral("Go");
    const int released = EVENT_RC_BUTTON + 3 * 2 + 2;
    c.events.appendAction(released);
    asettings_ired_tab tab(&f.tab);
    tab.refresh();
    QCOMPARE(eventsTabState(f.window()), 1);

    tab.clearButton->click();

    QVERIFY(f.dialogs.entries.isEmpty());
    QCOMPARE(int(c.rcuAddress), 0xFF);
    for (int b = 0; b < 64; ++b) {
        QCOMPARE(int(c.rcuKeyCodes[size_t(b)]), 0xFF);
        QVERIFY(c.rcuKeyDescriptions[size_t(b)].isNull());
        QCOMPARE(cell(tab, b, 1), QStringLiteral("  - -"));
        QCOMPARE(cell(tab, b, 2), QStringLiteral("no description"));
    }
    QCOMPARE(tab.addressLabel->text(), QStringLiteral("undetermined"));
    QCOMPARE(eventsTabState(f.window()), 0);
    QCOMPARE(c.events.actionCount(released), 1);
}

void tst_ired_tab::learnAddress_data()
{
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<int>("address");  // afterwards; it was 9
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("learnt 7") << outcome(2000, 7) << 7 << QStringList();
    QTest::newRow("no address") << outcome(500, 0xFF) << 9 << QStringList();
    QTest::newRow("nobody presses") << nothing() << 9 << QStringList{QStringLiteral("Time exceeded!")};
    QTest::newRow("too late") << outcome(3100, 7) << 9 << QStringList{QStringLiteral("Time exceeded!")};
}

void tst_ired_tab::learnAddress()
{
    QFETCH(simSetup, setup);
    QFETCH(int, address);
    QFETCH(QStringList, messages);

    deviceSettingsRig r;
    QVERIFY(r.rig.connect());
    r.sim().transferMs = 1;
    setup(r.sim());
    r.controller().rcuAddress = 9;
    asettings_ired_tab tab(&r.tab);
    tab.refresh();
    tab.noRcuBox->setChecked(false);

    tab.getAddressButton->click();

    QCOMPARE(r.dialogs.texts(), messages);
    QCOMPARE(int(r.controller().rcuAddress), address);
    QCOMPARE(tab.addressLabel->text(), QString::number(address));
    QVERIFY(!tab.noRcuBox->isChecked());
    QCOMPARE(eventsTabState(r.window), 1);
    // Virtual time: the user's 3 s are link-clock time.
    QVERIFY(r.clock.now < 4000);
}

void tst_ired_tab::learnKeyCode_data()
{
    QTest::addColumn<simSetup>("setup");
    QTest::addColumn<QString>("shown");  // row 5 afterwards; it had code 8
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("learnt 33") << outcome(9000, 0xFF, 33) << "  33" << QStringList();
    QTest::newRow("divergent key") << outcome(100, 0xFF, 33, 6) << "  8"
                                   << QStringList{QStringLiteral("Divergent key!")};
    QTest::newRow("nobody presses") << nothing() << "  8" << QStringList{QStringLiteral("Time exceeded!")};
}

void tst_ired_tab::learnKeyCode()
{
    QFETCH(simSetup, setup);
    QFETCH(QString, shown);
    QFETCH(QStringList, messages);

    deviceSettingsRig r;
    QVERIFY(r.rig.connect());
    r.sim().transferMs = 1;
    setup(r.sim());
    r.controller().rcuKeyCodes.fill(8);
    asettings_ired_tab tab(&r.tab);
    tab.refresh();
    chooseButton(tab, 5);

    tab.getCodeButton->click();

    QCOMPARE(r.dialogs.texts(), messages);
    QCOMPARE(cell(tab, 5, 1), shown);
    QCOMPARE(cell(tab, 4, 1), QStringLiteral("  8"));
    QVERIFY(r.clock.now < 10000);
}

void tst_ired_tab::readAndSendToTheController()
{
    deviceSettingsRig r;
    QVERIFY(r.rig.connect());
    simController& sim = r.sim();
    sim.rcuCodes.fill(0xFF);
    sim.rcuKeyAddresses.fill(6);
    sim.rcuCodes[10] = 21;
    kv310_controller_class& c = r.controller();
    c.rcuKeyDescriptions[10] = QStringLiteral("Fog");
    asettings_ired_tab tab(&r.tab);
    tab.refresh();

    tab.readDeviceButton->click();

    QVERIFY(r.dialogs.entries.isEmpty());
    QCOMPARE(int(c.rcuAddress), 6);
    QCOMPARE(tab.addressLabel->text(), QStringLiteral("6"));
    QCOMPARE(cell(tab, 10, 1), QStringLiteral("  21"));
    QCOMPARE(cell(tab, 10, 2), QStringLiteral("Fog"));
    QCOMPARE(r.window.remoteControlEventsReloads, 1);
    QCOMPARE(eventsTabState(r.window), 1);

    c.rcuKeyCodes[11] = 40;
    c.rcuAddress = 12;
    tab.sendDeviceButton->click();
    QCOMPARE(int(sim.rcuSavedCodes[11]), 40);
    QCOMPARE(int(sim.rcuSavedAddress), 12);
    QCOMPARE(sim.rcuSaves, 1);
}

QTEST_MAIN(tst_ired_tab)
#include "tst_ired_tab.moc"
