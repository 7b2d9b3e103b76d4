#include "transport/t_threadDevice.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QMetaMethod>
#include <QTest>

// The controller object's construction and its own small operations.
class tst_controller : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void constructionDefaults();
    void descriptionText_data();
    void descriptionText();
    void setDmxInLimitStoresWhatItIsGiven();
    void coupledSceneCount();
    void trapSlotWritesItsTrace();
    void metaMethodsLeaveTheDeviceOperationsOut();
};

void tst_controller::constructionDefaults()
{
    kv310_controller_class c;
    // A scratch copy is not the one controller of the run.
    QCOMPARE(theController, nullptr);
    QCOMPARE(c.parent(), nullptr);
    QCOMPARE(c.serialText, QStringLiteral("S/N ----"));
    QVERIFY(c.firmwareText.isNull());
    QVERIFY(c.lastPath.isNull());
    QVERIFY(c.projectFileName.isNull());
    QCOMPARE(c.hardwareCode, 0x1D3);
    QCOMPARE(c.connected, 0);
    QCOMPARE(c.uiMode, 0);
    QCOMPARE(c.deviceMode, 0);
    QCOMPARE(c.clockSyncCounter, 10);
    QCOMPARE(c.clockValid, 0);
    QCOMPARE(c.clockCalibration, 0);
    QVERIFY(c.swapBytes);
    QVERIFY(!c.dstActive);
    QCOMPARE(c.progressDialog, nullptr);

    QVERIFY(c.device);
    QCOMPARE(c.getUsbDev(), c.device);
    QCOMPARE(c.device->vendorId, uint16_t(0x16C0));
    QCOMPARE(c.device->productId, uint16_t(0x0780));

    QVERIFY(c.configImage);
    QCOMPARE(c.programs.owner, &c);
    QCOMPARE(c.events.owner, &c);
    QCOMPARE(c.programs.count(), 0);
    QCOMPARE(c.events.actionCount(EVENT_POWER_ON), -1);
    QCOMPARE(c.events.enablingSource, -1);
    QVERIFY(c.extraEntries.empty());
    QCOMPARE(c.rcuAddress, uint8_t(0xFF));
    QCOMPARE(c.rcuKeyCodes[63], uint8_t(0xFF));
    QVERIFY(c.rcuKeyDescriptions[0].isNull());
    QVERIFY(!c.sceneDescriptions[0].isNull());
    QVERIFY(c.sceneDescriptions[0].isEmpty());
    QCOMPARE(c.timerTable[700].eventId, uint16_t(0xFFFF));
    QCOMPARE(c.compoundScenes[15][1][511], uint8_t(0));

    // Two objects hold two images.
    kv310_controller_class other;
    img::putU16(other.configImage, img::startUpTime, 77);
    QCOMPARE(img::getU16(c.configImage, img::startUpTime), uint16_t(0));
}

void tst_controller::descriptionText_data()
{
    QTest::addColumn<unsigned>("kind");
    QTest::addColumn<int>("nr");
    QTest::addColumn<QString>("text");  // null = a null string

    QTest::newRow("scene") << 0u << 10239 << "scene 10239";
    QTest::newRow("scene past the scenes") << 0u << 10240 << QString();
    QTest::newRow("negative number") << 0u << -1 << QString();
    QTest::newRow("program") << 1u << 511 << "program 511";
    QTest::newRow("kind 2") << 2u << 0 << QString();
    QTest::newRow("state") << 3u << 67 << "state 67";
    QTest::newRow("state past the states") << 3u << 68 << QString();
    QTest::newRow("kind 4") << 4u << 0 << QString();
    QTest::newRow("delay") << 5u << 3 << "event 4099";
    QTest::newRow("delay past the delays") << 5u << 512 << QString();
    QTest::newRow("sequence") << 6u << 127 << "event 4735";
    QTest::newRow("sequence past the sequences") << 6u << 128 << QString();
    QTest::newRow("mask") << 7u << 255 << "mask 255";
    QTest::newRow("kind 8") << 8u << 0 << QString();
    QTest::newRow("panel") << 9u << 13 << "panel 13";
    QTest::newRow("panel past the panels") << 9u << 14 << QString();
    QTest::newRow("kind 10") << 10u << 0 << QString();
}

void tst_controller::descriptionText()
{
    QFETCH(unsigned, kind);
    QFETCH(int, nr);
    QFETCH(QString, text);

    kv310_controller_class c;
    c.sceneDescriptions[10239] = QStringLiteral("scene 10239");
    c.programDescriptions[511] = QStringLiteral("program 511");
    c.stateDescriptions[67] = QStringLiteral("state 67");
    c.eventDescriptions[0x1003] = QStringLiteral("event 4099");
    c.eventDescriptions[0x127F] = QStringLiteral("event 4735");
    c.eventDescriptions[0x1200] = QStringLiteral("not a delay");
    c.maskDescriptions[255] = QStringLiteral("mask 255");
    c.panelDescriptions[13] = QStringLiteral("panel 13");

    const QString got = c.descriptionText(kind, nr);
    QCOMPARE(got, text);
    QCOMPARE(got.isNull(), text.isNull());
}

void tst_controller::setDmxInLimitStoresWhatItIsGiven()
{
    kv310_controller_class c;
    c.setDmxInLimit(300);
    QCOMPARE(img::getU16(c.configImage, img::inputChannelLimit), uint16_t(300));
    c.setDmxInLimit(70000);
    QCOMPARE(img::getU16(c.configImage, img::inputChannelLimit), uint16_t(70000 & 0xFFFF));
    QCOMPARE(img::getU16(c.configImage, img::dmxInReserved), uint16_t(0));
}

void tst_controller::coupledSceneCount()
{
    kv310_controller_class c;
    QCOMPARE(c.coupledSceneCount(), 0);
    c.coupledSceneGroups[0] = {5, 3};
    c.coupledSceneGroups[14] = {9};
    QCOMPARE(c.coupledSceneCount(), 3);
}

void tst_controller::trapSlotWritesItsTrace()
{
    kv310_controller_class c;
    QTest::ignoreMessage(QtDebugMsg, "was here! :-)");
    c.trapSlot(QModelIndex(), QModelIndex());
}

void tst_controller::metaMethodsLeaveTheDeviceOperationsOut()
{
    // The device library defines these; this library's meta-object must not name them.
    const QMetaObject& mo = kv310_controller_class::staticMetaObject;
    for (const char* device : {"setConnection(bool)", "ch_mode(int)", "send_sc_prep(int)", "send_new_val(int,int)",
                               "read_alldata()", "send_alldata()", "readRCU()", "writeRCU()"})
        QVERIFY2(mo.indexOfMethod(device) < 0, device);

    // Signals first, then the slots in their order.
    const int base = mo.methodOffset();
    QCOMPARE(mo.indexOfSignal("setConnectionStatus(bool)"), base);
    QCOMPARE(mo.indexOfSignal("forceReset()"), base + 1);
    QCOMPARE(mo.indexOfSignal("readFileFinished()"), base + 2);
    QCOMPARE(mo.indexOfSignal("readKv310Finished()"), base + 3);
    QCOMPARE(mo.indexOfSlot("ClearConfig(uint32_t)"), base + 4);
    QCOMPARE(mo.indexOfSlot("ClearConfig()"), base + 5);
    QCOMPARE(mo.indexOfSlot("write_confDataToFile(QString,bool)"), base + 6);
    QCOMPARE(mo.indexOfSlot("read_confDataFromFile(QString)"), base + 7);
    const int trap = mo.indexOfSlot("trapSlot(QModelIndex,QModelIndex)");
    QCOMPARE(trap, base + 8);
    const int usb = mo.indexOfSlot("getUsbDev()");
    const int limit = mo.indexOfSlot("setDmxInLimit(int)");
    QVERIFY(base + 5 < trap && trap < usb && usb < limit);
    QCOMPARE(mo.indexOfSlot("calculateSunEvents(int,int)"), limit + 1);
    QCOMPARE(mo.methodCount(), limit + 2);
}

QTEST_MAIN(tst_controller)
#include "tst_controller.moc"
