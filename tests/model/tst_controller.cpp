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
    void aNewControllerHoldsAnEmptyShowOfItsOwn();
    void descriptionText_data();
    void descriptionText();
    void setDmxInLimitStoresWhatItIsGiven();
    void coupledSceneCount();
    void trapSlotWritesItsTrace();
    void metaMethodsLeaveTheDeviceOperationsOut();
};

void tst_controller::aNewControllerHoldsAnEmptyShowOfItsOwn()
{
    kv310_controller_class c;
    // A scratch copy is not the one controller of the run, and nothing owns it.
    QCOMPARE(theController, nullptr);
    QCOMPARE(c.parent(), nullptr);

    // Its memory tables are empty, and reading its image gives them again.
    const auto isEmpty = [&c] {
        for (int id = 0; id < EVENT_COUNT; ++id)
            if (c.events.actionCount(id) > 0)
                return false;
        for (size_t t = 2; t < c.timerTable.size(); ++t)
            if (c.timerTable[t].eventId != img::NONE16)
                return false;
        return c.programs.count() == 0 && c.extraEntries.empty() && c.coupledSceneCount() == 0
               && c.startedDelays.isEmpty() && c.events.enablingSource == -1;
    };
    QVERIFY(isEmpty());
    c.programs.unpackPrograms(c.configImage);
    c.events.unpackEvents(c.configImage);
    c.unpackTimers();
    c.unpackCoupledScenes();
    c.rebuildSequences();
    QVERIFY(isEmpty());

    // It describes nothing, and its project description names no object.
    for (unsigned kind : {0u, 1u, 3u, 5u, 6u, 7u, 9u})
        QVERIFY(c.descriptionText(kind, 0).isEmpty());
    QString xml;
    c.writeProjectXml(xml);
    QVERIFY2(!xml.contains(QLatin1String("nr=")), qPrintable(xml));

    // Two controllers hold two images.
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
