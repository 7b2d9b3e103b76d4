#include "controller_rig.h"

#include "device/reconnect_dialog.h"
#include "simulator/sim_environment.h"
#include "transport/t_threadUsbDevice.h"
#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

const QString serialA = QStringLiteral("01D30001-000A");
const QString serialB = QStringLiteral("01D30001-000B");
const QString serialC = QStringLiteral("01D30001-000C");

enum restartSituation { RESTART_HUNG, BACK_HUNG, OTHER_OFFERED_CANCEL };

// What the user does in a reconnect dialog.
std::function<int(QDialog*)> clickIn(const QString& button, const QString& pick = QString(),
                                     std::function<void()> before = {})
{
    return [=](QDialog* dialog) {
        if (before)
            before();
        auto* box = dialog->findChild<QComboBox*>();
        if (box && !pick.isEmpty())
            box->setCurrentIndex(box->findText(pick));
        auto* pushed = dialog->findChild<QPushButton*>(button);
        if (pushed)
            pushed->click();
        return dialog->result();
    };
}

QStringList comboItems(QDialog* dialog)
{
    QStringList items;
    if (auto* box = dialog->findChild<QComboBox*>()) {
        for (int i = 0; i < box->count(); ++i)
            items.append(box->itemText(i));
    }
    return items;
}

} // namespace

class tst_controller_connection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void connectIdentifies_data();
    void connectIdentifies();
    void firmwareVersionUnreadable_data();
    void firmwareVersionUnreadable();
    void haltedControllerConnectsInMode6();
    void connectionRefused_data();
    void connectionRefused();
    void reconnectDialogChoices_data();
    void reconnectDialogChoices();
    void reconnectDialogLayout();
    void disconnect_data();
    void disconnect();
    void deviceState_data();
    void deviceState();
    void readSerialNumber();
    void restartDevice_data();
    void restartDevice();
    void restartEndsEarly_data();
    void restartEndsEarly();
    void hungControllerIsNotConnected();
    void simulatedControllerOfTheProgram();
    void aNewControllerShowsNoController();

private:
    virtualClock clock;
};

void tst_controller_connection::connectIdentifies_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("build");
    QTest::addColumn<bool>("swapBytes");
    QTest::addColumn<int>("modeValueOnWire");
    QTest::addColumn<QString>("firmwareText");
    QTest::addColumn<int>("buildKept");

    QTest::newRow("current hardware, version with build") << TYPE_WORD_CURRENT << 3 << 5 << 12 << false << 1
                                                          << "F/W ver. 3.05.0012" << 12;
    QTest::newRow("old hardware exchanges word bytes") << TYPE_WORD_OLD << 4 << 1 << 7 << true << 0x0100
                                                       << "F/W ver. 4.01.0007" << 7;
    QTest::newRow("older firmware marks its revision with a letter")
        << TYPE_WORD_CURRENT << 2 << 10 << 0x4162 << false << 1 << "F/W ver. 2.10b" << 0x62;
    QTest::newRow("older firmware without a letter") << TYPE_WORD_CURRENT << 2 << 3 << 0x0100 << false << 1
                                                     << "F/W ver. 2.03" << 0;
}

void tst_controller_connection::connectIdentifies()
{
    QFETCH(int, typeWord);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, build);
    QFETCH(bool, swapBytes);
    QFETCH(int, modeValueOnWire);
    QFETCH(QString, firmwareText);
    QFETCH(int, buildKept);

    controllerRig rig(typeWord);
    rig.sim->firmwareMajor = int8_t(major);
    rig.sim->firmwareMinor = int8_t(minor);
    rig.sim->firmwareBuild = int16_t(build);
    rig.controller->swapBytes = !swapBytes;
    rig.controller->hardwareCode = 0;
    rig.controller->clockSyncCounter = 0;

    rig.controller->setConnection(true);
    QCOMPARE(rig.statusSignals(), QList<bool>{true});
    QCOMPARE(rig.controller->connected, 1);
    QVERIFY(rig.controller->isConnected());
    QCOMPARE(rig.controller->hardwareCode, typeWord);
    QCOMPARE(rig.controller->swapBytes, swapBytes);
    QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
    QCOMPARE(rig.controller->getDeviceMode(), MODE_NORMAL);
    QCOMPARE(rig.controller->clockSyncCounter, 10);
    QCOMPARE(rig.controller->serialNumberText(), QStringLiteral("S/N D30001-0001"));
    QCOMPARE(rig.controller->firmwareVersionText(), firmwareText);
    QCOMPARE(int(rig.controller->firmwareVersion.versionMajor), major);
    QCOMPARE(int(rig.controller->firmwareVersion.build), buildKept);
    const QList<simLogEntry> modes = rig.sim->logOf(SET_MODE);
    QCOMPARE(modes.size(), 1);
    QCOMPARE(int(modes[0].value), modeValueOnWire);
    QCOMPARE(rig.sim->workingMode(), MODE_NORMAL);
}

void tst_controller_connection::firmwareVersionUnreadable_data()
{
    QTest::addColumn<int>("refusals");
    QTest::addColumn<bool>("hangs");
    QTest::addColumn<int>("reads");
    QTest::addColumn<QString>("firmwareText");

    QTest::newRow("answers at the tenth read") << 9 << false << 10 << "F/W ver. 4.01.0007";
    QTest::newRow("never answers") << 10 << false << 10 << "F/W ----";
    // A request that runs into its time-out is not asked again: ten tries
    // would hold the window for two and a half minutes.
    QTest::newRow("request hangs") << 0 << true << 1 << "F/W ----";
}

void tst_controller_connection::firmwareVersionUnreadable()
{
    QFETCH(int, refusals);
    QFETCH(bool, hangs);
    QFETCH(int, reads);
    QFETCH(QString, firmwareText);

    controllerRig rig;
    rig.sim->refuse(GET_FIRMWARE_VERSION, 1, refusals);
    if (hangs)
        rig.sim->hang(GET_FIRMWARE_VERSION);
    const qint64 start = clock.now;
    rig.controller->setConnection(true);
    QVERIFY(clock.now - start < (hangs ? USB_TIMEOUT_MS + 1000 : 1000));
    QCOMPARE(rig.controller->firmwareVersionText(), firmwareText);
    QCOMPARE(rig.sim->countOf(GET_FIRMWARE_VERSION), reads);
    // The connection goes on either way.
    QCOMPARE(rig.controller->connected, 1);
    QCOMPARE(rig.statusSignals(), QList<bool>{true});
}

void tst_controller_connection::haltedControllerConnectsInMode6()
{
    controllerRig rig;
    rig.sim->raise(STATUS_HALTED);
    rig.controller->setConnection(true);
    QCOMPARE(rig.statusSignals(), QList<bool>{true});
    QCOMPARE(rig.controller->connected, 1);
    QCOMPARE(rig.controller->deviceMode, MODE_HALTED);
    QCOMPARE(rig.sim->countOf(SET_MODE), 0);

    // The clock of a halted controller is not asked for.
    rig.sim->log.clear();
    QCOMPARE(rig.controller->readDeviceClockText(), QStringLiteral("------,  --.--.----  --:--:--"));
    QVERIFY(rig.sim->log.isEmpty());
}

void tst_controller_connection::connectionRefused_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("fault");   // 0 none, 1 SET_MODE refused, 2 mode bits stay, 3 unplugged
    QTest::addColumn<int>("modeRequests");

    QTest::newRow("type word with another high byte") << 0x2D3 << 0 << 0;
    QTest::newRow("no controller on the bus") << TYPE_WORD_CURRENT << 3 << 0;
    QTest::newRow("mode request refused") << TYPE_WORD_CURRENT << 1 << 2;
    QTest::newRow("normal mode not confirmed") << TYPE_WORD_CURRENT << 2 << 2;
}

void tst_controller_connection::connectionRefused()
{
    QFETCH(int, typeWord);
    QFETCH(int, fault);
    QFETCH(int, modeRequests);

    controllerRig rig(typeWord);
    if (fault == 1)
        rig.sim->refuse(SET_MODE, 1, -1);
    if (fault == 2) {
        rig.sim->raise(STATUS_MODE_LIVE);
        rig.sim->ignoreModeRequests = true;
    }
    if (fault == 3)
        rig.sim->plugged = false;

    dialogRecorder rec;
    rig.controller->setConnection(true);
    QVERIFY(rec.entries.isEmpty());
    QCOMPARE(rig.statusSignals(), QList<bool>{false});
    QCOMPARE(rig.controller->connected, 0);
    QCOMPARE(rig.controller->deviceMode, 0);
    // Nothing is left open that could look connected.
    QVERIFY(!rig.controller->isConnected());
    QCOMPARE(rig.sim->openHandles, 0);
    QCOMPARE(rig.controller->serialNumberText(), QStringLiteral("S/N ----"));
    // The confirmation request, then the one that lets go at the drop.
    QCOMPARE(rig.sim->countOf(SET_MODE), modeRequests);
}

void tst_controller_connection::reconnectDialogChoices_data()
{
    QTest::addColumn<int>("choice");     // 0 retry after C is back, 1 change to B, 2 cancel, 3 retry then cancel
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("dialogs");

    QTest::newRow("retry finds the controller back") << 0 << true << serialC << 1;
    QTest::newRow("change to another controller") << 1 << true << serialB << 1;
    QTest::newRow("cancel") << 2 << false << serialC << 1;
    QTest::newRow("retry with the same serial, then cancel") << 3 << false << serialC << 2;
}

void tst_controller_connection::reconnectDialogChoices()
{
    QFETCH(int, choice);
    QFETCH(bool, connected);
    QFETCH(QString, serial);
    QFETCH(int, dialogs);

    controllerRig rig(TYPE_WORD_CURRENT, serialA);
    rig.bus.addController(serialB);
    simController& previous = rig.bus.addController(serialC);
    previous.plugged = false;
    rig.controller->device->setSerial(serialC);

    dialogRecorder rec;
    QList<QStringList> offered;
    const auto offer = [&offered](std::function<int(QDialog*)> act) {
        return [&offered, act](QDialog* dialog) {
            offered.append(comboItems(dialog));
            return act(dialog);
        };
    };
    switch (choice) {
    case 0:
        rec.answerExec(offer(clickIn(QStringLiteral("retryButton"), QString(), [&previous] { previous.plugged = true; })));
        break;
    case 1:
        rec.answerExec(offer(clickIn(QStringLiteral("changeButton"), serialB)));
        break;
    case 2:
        rec.answerExec(offer(clickIn(QStringLiteral("cancelButton"))));
        break;
    default:
        rec.answerExec(offer(clickIn(QStringLiteral("retryButton"))));
        rec.answerExec(offer(clickIn(QStringLiteral("cancelButton"))));
        break;
    }

    rig.controller->setConnection(true);
    QCOMPARE(rec.pendingAnswers(), 0);
    QCOMPARE(rec.entries.size(), dialogs);
    for (const dialogRecorder::entry& e : std::as_const(rec.entries)) {
        QCOMPARE(e.kind, QStringLiteral("exec"));
        QCOMPARE(e.dialogClass, QStringLiteral("reconnectDialog"));
        QCOMPARE(e.title, QStringLiteral("Device not connected!"));
    }
    for (const QStringList& items : std::as_const(offered))
        QCOMPARE(items, QStringList({serialA, serialB}));

    QCOMPARE(rig.controller->connected == 1, connected);
    QCOMPARE(rig.statusSignals(), QList<bool>{connected});
    QCOMPARE(rig.controller->device->serialNumber, serial);
    if (connected)
        QCOMPARE(rig.controller->serialNumberText(), QStringLiteral("S/N ") + serial.mid(2));
    else
        QVERIFY(!rig.controller->isConnected());
}

void tst_controller_connection::reconnectDialogLayout()
{
    t_threadDevice device;
    reconnectDialog dialog({serialA, serialB}, &device, nullptr);
    // A box of one size that holds all of its widgets.
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName()));
    QCOMPARE(comboItems(&dialog), QStringList({serialA, serialB}));
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"));
    QVERIFY(cancel && cancel->isDefault());
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("retryButton"))->text(), QStringLiteral("Retry"));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("changeButton"))->text(), QStringLiteral("Change"));

    dialog.serialBox()->setCurrentIndex(1);
    dialog.reconnect();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(device.serialNumber, serialB);
}

void tst_controller_connection::disconnect_data()
{
    QTest::addColumn<bool>("wasConnected");
    QTest::newRow("connected") << true;
    QTest::newRow("nothing open") << false;
}

void tst_controller_connection::disconnect()
{
    QFETCH(bool, wasConnected);

    controllerRig rig;
    if (wasConnected) {
        QVERIFY(rig.connect());
        rig.controller->uiMode = 2;
        QCOMPARE(rig.controller->setDeviceMode(MODE_LIVE), MODE_LIVE);
        rig.sim->log.clear();
    }
    rig.controller->clockValid = 1;
    rig.controller->setConnection(false);

    QCOMPARE(rig.statusSignals(), QList<bool>{false});
    QCOMPARE(rig.controller->connected, 0);
    QCOMPARE(rig.controller->uiMode, 0);
    QCOMPARE(rig.controller->deviceMode, 0);
    QCOMPARE(rig.controller->clockValid, 0);
    QCOMPARE(rig.controller->serialNumberText(), QStringLiteral("S/N ----"));
    QCOMPARE(rig.controller->firmwareVersionText(), QStringLiteral("F/W ----"));
    QCOMPARE(rig.controller->lastRequest, int(SET_MODE));
    QVERIFY(!rig.controller->isConnected());
    QCOMPARE(rig.sim->openHandles, 0);
    // The controller is put back to normal operation before it is let go.
    QCOMPARE(rig.sim->countOf(SET_MODE), wasConnected ? 1 : 0);
    QCOMPARE(rig.sim->workingMode(), MODE_NORMAL);
}

void tst_controller_connection::deviceState_data()
{
    QTest::addColumn<int>("stateCode");
    QTest::addColumn<int>("refusals");
    QTest::addColumn<int>("result");

    QTest::newRow("0xAA") << 0xAA << 0 << 0;
    QTest::newRow("0xCC") << 0xCC << 0 << 2;
    QTest::newRow("other code") << 0x55 << 0 << 1;
    QTest::newRow("answers at the tenth request") << 0xAA << 9 << 0;
    QTest::newRow("no answer") << 0xAA << 10 << -1;
}

void tst_controller_connection::deviceState()
{
    QFETCH(int, stateCode);
    QFETCH(int, refusals);
    QFETCH(int, result);

    controllerRig rig;
    QVERIFY(rig.connect());
    rig.sim->stateCode = uint8_t(stateCode);
    rig.sim->refuse(GET_STATE, 1, refusals);
    QCOMPARE(rig.controller->deviceState(), result);
    QCOMPARE(rig.sim->countOf(GET_STATE), qMin(refusals + 1, 10));
    QVERIFY(rig.controller->connected);
    QVERIFY(rig.status->isEmpty());
}

void tst_controller_connection::readSerialNumber()
{
    controllerRig rig;
    rig.controller->serialText = QStringLiteral("S/N old");
    QCOMPARE(rig.controller->readSerialNumber(), 0);
    QCOMPARE(rig.controller->serialNumberText(), QStringLiteral("S/N ----"));

    QVERIFY(rig.connect());
    rig.sim->refuse(SIM_STRING_DESCRIPTOR);
    QCOMPARE(rig.controller->readSerialNumber(), -1);
    QCOMPARE(rig.controller->serialNumberText(), QStringLiteral("S/N ----"));
    QCOMPARE(rig.controller->readSerialNumber(), 0);
    QCOMPARE(rig.controller->serialNumberText(), QStringLiteral("S/N D30001-0001"));
}

void tst_controller_connection::restartDevice_data()
{
    QTest::addColumn<bool>("staysHalted");
    QTest::addColumn<int>("rebootMs");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("connected");

    QTest::newRow("comes back running") << false << 1500 << 0 << true;
    QTest::newRow("stays halted") << true << 1500 << -1 << false;
    QTest::newRow("never comes back") << false << 60000 << -1 << false;
}

void tst_controller_connection::restartDevice()
{
    QFETCH(bool, staysHalted);
    QFETCH(int, rebootMs);
    QFETCH(int, result);
    QFETCH(bool, connected);

    controllerRig rig;
    QVERIFY(rig.connect());
    rig.sim->staysHalted = staysHalted;
    rig.sim->rebootMs = rebootMs;
    const qint64 start = clock.now;

    QCOMPARE(rig.controller->restartDevice(), result);
    QCOMPARE(rig.sim->restarts, 1);
    QCOMPARE(rig.sim->logOf(RESTART).first().value, uint16_t(0));
    QCOMPARE(rig.controller->connected == 1, connected);
    // A restart that fails leaves no device open: whoever asks sees no controller.
    QCOMPARE(rig.controller->isConnected(), connected);
    QCOMPARE(rig.controller->lastLinkFailure, kv310_controller_class::linkFailure::none);
    if (connected) {
        QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
        QCOMPARE(rig.statusSignals().last(), true);
        // Let go at the restart, then found again once it was back on the bus.
        QVERIFY(clock.now - start >= rebootMs);
        QVERIFY(clock.now - start < rebootMs + 1000);
        return;
    }
    // A halted controller is resumed after every status read that shows it
    // halted, for the whole nine seconds.
    int haltedReads = 0;
    for (const simLogEntry& e : rig.sim->logOf(GET_STATUS)) {
        if (e.result == STATUS_ANSWER_SIZE && (qFromLittleEndian<quint32>(e.data.constData()) & STATUS_HALTED))
            ++haltedReads;
    }
    QCOMPARE(rig.sim->countOf(RESUME), haltedReads);
    // Off the bus for the first 1.5 s, halted for the rest.
    if (staysHalted)
        QVERIFY(haltedReads >= 70);
    QCOMPARE(clock.now - start, qint64(100 + 90 * 100));
}

void tst_controller_connection::restartEndsEarly_data()
{
    QTest::addColumn<int>("situation");
    QTest::addColumn<int>("linkFailure");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<qint64>("atMostMs");

    using lf = kv310_controller_class::linkFailure;
    QTest::newRow("hung: the restart is not taken") << int(RESTART_HUNG) << int(lf::notAnswering) << 0
                                                    << qint64(USB_TIMEOUT_MS + 500);
    QTest::newRow("comes back hung") << int(BACK_HUNG) << int(lf::notAnswering) << 0
                                     << qint64(1500 + USB_TIMEOUT_MS + 1000);
    QTest::newRow("gone, another controller offered, Cancel")
        << int(OTHER_OFFERED_CANCEL) << int(lf::cancelled) << 1 << qint64(500);
}

// A restart stops waiting for the controller at the first time-out, and when
// the user cancels the choice of another controller; it then leaves the
// device closed.
void tst_controller_connection::restartEndsEarly()
{
    QFETCH(int, situation);
    QFETCH(int, linkFailure);
    QFETCH(int, dialogs);
    QFETCH(qint64, atMostMs);

    controllerRig rig(TYPE_WORD_CURRENT, serialA);
    QVERIFY(rig.connect());
    dialogRecorder rec;
    switch (situation) {
    case RESTART_HUNG:
        rig.sim->hung = true;
        break;
    case BACK_HUNG:
        rig.sim->transferDone = [&rig](const simLogEntry& e) {
            if (e.kind == RESTART)
                rig.sim->hung = true;
        };
        break;
    default:
        rig.sim->rebootMs = 3600 * 1000;
        rig.bus.addController(serialB);
        rec.answerExec(clickIn(QStringLiteral("cancelButton")));
        break;
    }
    const qint64 start = clock.now;

    QCOMPARE(rig.controller->restartDevice(), -1);
    QVERIFY2(clock.now - start <= atMostMs, qPrintable(QString::number(clock.now - start)));
    QCOMPARE(int(rig.controller->lastLinkFailure), linkFailure);
    QCOMPARE(rec.entries.size(), dialogs);
    QCOMPARE(rec.pendingAnswers(), 0);
    QCOMPARE(rig.controller->connected, 0);
    QVERIFY(!rig.controller->isConnected());
    QCOMPARE(rig.statusSignals().last(), false);
    if (situation == RESTART_HUNG) {
        QVERIFY(rig.droppedOnce());
        // Not even the mode request that says goodbye: it would wait out another time-out.
        QCOMPARE(rig.sim->log.size(), 1);
        QCOMPARE(rig.sim->log.first().kind, int(RESTART));
    }
}

void tst_controller_connection::hungControllerIsNotConnected()
{
    controllerRig rig;
    rig.sim->hung = true;
    const qint64 start = clock.now;
    rig.controller->setConnection(true);
    QVERIFY(clock.now - start <= USB_TIMEOUT_MS);
    QCOMPARE(rig.controller->connected, 0);
    QVERIFY(!rig.controller->isConnected());
    QCOMPARE(rig.statusSignals(), QList<bool>{false});
    QCOMPARE(rig.controller->lastLinkFailure, kv310_controller_class::linkFailure::notAnswering);
    // The state request of the panel is not asked ten times either.
    rig.sim->hung = false;
    QVERIFY(rig.connect());
    rig.sim->hang(GET_STATE);
    QCOMPARE(rig.controller->deviceState(), -1);
    QCOMPARE(rig.sim->countOf(GET_STATE), 1);
}

void tst_controller_connection::simulatedControllerOfTheProgram()
{
    qputenv("KVORBIT_SIMULATED_CONTROLLER", "1");
    QVERIFY(installSimulatedBusFromEnvironment());
    qunsetenv("KVORBIT_SIMULATED_CONTROLLER");
    kv310_controller_class controller;
    installUsbBackend(nullptr);

    controller.setConnection(true);
    QCOMPARE(controller.connected, 1);
    QCOMPARE(controller.serialNumberText(), QStringLiteral("S/N D30310-0001"));
    QCOMPARE(controller.firmwareVersionText(), QStringLiteral("F/W ver. 4.01.0007"));
    QVERIFY(controller.readDeviceClockText() != QStringLiteral("------,  --.--.----  --:--:--"));
    controller.uiMode = 2;
    controller.configImage[img::sceneChannelsOf(1) + 3] = 99;
    controller.send_sc_prep(1);
    QCOMPARE(controller.deviceMode, MODE_LIVE);
    QCOMPARE(int(uint8_t(environmentSimulatedBus()->controller()->output[3])), 99);
    QCOMPARE(controller.freezeDevice(), 0);
    QCOMPARE(controller.unfreezeDevice(), 0);
    controller.setConnection(false);
}

void tst_controller_connection::aNewControllerShowsNoController()
{
    // What a new controller object shows before its first connection, and
    // that showing it asks nothing of the bus.
    controllerRig rig;
    QVERIFY(!rig.controller->isConnected());
    QCOMPARE(rig.controller->getDeviceMode(), 0);
    QCOMPARE(rig.controller->serialNumberText(), QStringLiteral("S/N ----"));
    QVERIFY(rig.controller->firmwareVersionText().isEmpty());
    QCOMPARE(rig.controller->readDeviceClockText(), QStringLiteral("------,  --.--.----  --:--:--"));
    QCOMPARE(rig.controller->freezeDevice(), -1);
    QVERIFY(rig.sim->log.isEmpty());
    QCOMPARE(rig.sim->openHandles, 0);

    // It finds its controller on the bus by the controller's USB ids.
    QVERIFY(rig.connect());
}

QTEST_MAIN(tst_controller_connection)
#include "tst_controller_connection.moc"
