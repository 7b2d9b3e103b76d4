#include "app/clear_conf_dialog.h"
#include "app/gui_class.h"

#include <QSignalSpy>
#include <QTest>

class tst_clear_conf_dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void masks_data();
    void masks();
    void allResetsTheWindowTitle();
    void allCheckedAndUncheckedAgain();
    void scenesHoldProgramsAndChains();
    void cancelClearsNothing();
};

namespace {

QCheckBox* box(clearConf_dialog& d, const QString& name)
{
    return d.findChild<QCheckBox*>(name);
}

const QStringList allBoxNames{"cbAll",    "cbScenes", "cbPrograms", "cbChains",   "cbDescr",    "cbTimers",
                              "cbInputs", "cbDMXin",  "cbDMXout",   "cbVKeys",    "cbLimits",   "cbDelays",
                              "cbMasks",  "cbSunTimes", "cbVProject", "cbAScenes"};

}  // namespace

void tst_clear_conf_dialog::masks_data()
{
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<uint>("mask");

    QTest::newRow("none") << QStringList{} << 0x0u;
    QTest::newRow("All") << QStringList{"cbAll"} << 0xFFFFFu;
    QTest::newRow("Scenes") << QStringList{"cbScenes"} << 0x1Fu;
    QTest::newRow("Programs") << QStringList{"cbPrograms"} << 0x16u;
    QTest::newRow("Chains") << QStringList{"cbChains"} << 0x4u;
    QTest::newRow("Descr") << QStringList{"cbDescr"} << 0x28018u;
    QTest::newRow("Timers") << QStringList{"cbTimers"} << 0x20u;
    QTest::newRow("Inputs") << QStringList{"cbInputs"} << 0x40u;
    QTest::newRow("DMXin") << QStringList{"cbDMXin"} << 0x80u;
    QTest::newRow("DMXout") << QStringList{"cbDMXout"} << 0x900u;
    QTest::newRow("VKeys") << QStringList{"cbVKeys"} << 0x200u;
    QTest::newRow("Limits") << QStringList{"cbLimits"} << 0x1000u;
    QTest::newRow("Delays") << QStringList{"cbDelays"} << 0x2000u;
    QTest::newRow("Masks") << QStringList{"cbMasks"} << 0xC000u;
    QTest::newRow("SunTimes") << QStringList{"cbSunTimes"} << 0x10000u;
    QTest::newRow("VProject") << QStringList{"cbVProject"} << 0x40000u;
    QTest::newRow("AScenes") << QStringList{"cbAScenes"} << 0x80000u;
    QTest::newRow("Timers and Masks") << QStringList{"cbTimers", "cbMasks"} << 0xC020u;
    // The remote-control settings (0x400) are cleared by "All" only.
    QTest::newRow("every box but All") << allBoxNames.mid(1) << 0xFFBFFu;
}

void tst_clear_conf_dialog::masks()
{
    QFETCH(QStringList, checked);
    QFETCH(uint, mask);
    clearConf_dialog d(nullptr);
    QSignalSpy spy(&d, &clearConf_dialog::clearByFlags);
    for (const QString& name : checked) {
        QVERIFY(box(d, name));
        box(d, name)->setChecked(true);
    }
    d.okButton->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<uint32_t>(), uint32_t(mask));
}

void tst_clear_conf_dialog::allResetsTheWindowTitle()
{
    gui_class window(nullptr);
    {
        window.setWindowTitle(QStringLiteral("KvOrbit310+ - show.31xcfg"));
        clearConf_dialog d(&window);
        d.cbScenes->setChecked(true);
        d.okButton->click();
        QCOMPARE(window.windowTitle(), QStringLiteral("KvOrbit310+ - show.31xcfg"));
    }
    {
        clearConf_dialog d(&window);
        d.cbAll->click();
        d.okButton->click();
        QCOMPARE(window.windowTitle(), QStringLiteral("KvOrbit310+"));
    }
}

void tst_clear_conf_dialog::allCheckedAndUncheckedAgain()
{
    clearConf_dialog d(nullptr);
    d.cbAll->click();
    for (const QString& name : allBoxNames.mid(1)) {
        QVERIFY2(box(d, name)->isChecked(), qPrintable(name));
        QVERIFY2(!box(d, name)->isEnabled(), qPrintable(name));
    }
    d.cbAll->click();
    QVERIFY(!d.cbAll->isChecked());
    for (const QString& name : allBoxNames.mid(1)) {
        QVERIFY2(box(d, name)->isChecked(), qPrintable(name));
        const bool held = name == QLatin1String("cbPrograms") || name == QLatin1String("cbChains");
        QCOMPARE(box(d, name)->isEnabled(), !held);
    }
}

void tst_clear_conf_dialog::scenesHoldProgramsAndChains()
{
    clearConf_dialog d(nullptr);
    d.cbScenes->click();
    QVERIFY(d.cbPrograms->isChecked());
    QVERIFY(d.cbChains->isChecked());
    QVERIFY(!d.cbPrograms->isEnabled());
    QVERIFY(!d.cbChains->isEnabled());

    d.cbScenes->click();
    QVERIFY(d.cbPrograms->isEnabled());
    QVERIFY(d.cbPrograms->isChecked());
    QVERIFY(!d.cbChains->isEnabled());

    d.cbPrograms->click();
    QVERIFY(!d.cbPrograms->isChecked());
    QVERIFY(d.cbChains->isEnabled());
    QVERIFY(d.cbChains->isChecked());
}

void tst_clear_conf_dialog::cancelClearsNothing()
{
    clearConf_dialog d(nullptr);
    QSignalSpy spy(&d, &clearConf_dialog::clearByFlags);
    d.cbAll->click();
    d.cancelButton->click();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(spy.count(), 0);
}

QTEST_MAIN(tst_clear_conf_dialog)
#include "tst_clear_conf_dialog.moc"
