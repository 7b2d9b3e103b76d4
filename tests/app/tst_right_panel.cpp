#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "transport/protocol.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "monitor/ctrl_monitor.h"
#include "program_rig.h"
#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QColor textColour(const QLabel* label)
{
    return label->palette().color(QPalette::Active, QPalette::WindowText);
}

QColor boxColour(const QGroupBox* box)
{
    return box->palette().color(QPalette::Active, QPalette::Window);
}

// Normal, Live, Freeze: checked?
QList<bool> modeButtons(const right_panel_widget* p)
{
    return {p->normalButton->isChecked(), p->liveButton->isChecked(), p->freezeButton->isChecked()};
}

QList<bool> connectionRequests(const QSignalSpy& spy)
{
    QList<bool> out;
    for (const QList<QVariant>& args : spy)
        out.append(args.at(0).toBool());
    return out;
}

}  // namespace

class tst_right_panel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void initialState();
    void connectShowsTheController_data();
    void connectShowsTheController();
    void connectWithoutController();
    void modeButtonsWhileDisconnected_data();
    void modeButtonsWhileDisconnected();
    void modeButtonsWhileConnected();
    void freezeAndResume();
    void freezeFailures_data();
    void freezeFailures();
    void freezeWithoutControllerIsUndone();
    void connectShowsWhetherTheShowIsFrozen_data();
    void connectShowsWhetherTheShowIsFrozen();
    void aRebuiltWindowShowsTheLinkAsItIs_data();
    void aRebuiltWindowShowsTheLinkAsItIs();
    void disconnectResumesAFrozenShowFirst();
    void disconnectWithoutConnection();
    void restartReconnects();
    void restartWithoutConnection();
    void restartWithNoControllerTriesTwentyTimes();
    void restartEndsWhenTheLinkDoesNotLetGo();
    void restartCancelEndsTheReconnection();
    void hungControllerEndsWithTheFailureMessage_data();
    void hungControllerEndsWithTheFailureMessage();
    void controllerGoneWhileIdle_data();
    void controllerGoneWhileIdle();
    void sendWithoutConnectionStillPacks();
    void sendRestartsAndReconnects_data();
    void sendRestartsAndReconnects();
    void failedSendDoesNotRestart();
    void readWithoutConnection();
    void readReplacesTheDescriptions();
    void failedReadLosesNothing_data();
    void failedReadLosesNothing();
    void saveNames_data();
    void saveNames();
    void cancelledFileDialogsChangeNothing();
    void openFileClosesTheAuxiliaryWindows();

private:
    std::unique_ptr<programSession> session;
};

void tst_right_panel::init()
{
    session = std::make_unique<programSession>();
}

void tst_right_panel::cleanup()
{
    session.reset();
}

void tst_right_panel::initialState()
{
    right_panel_widget* p = session->rig->panel();
    // On the window's content, beside the pages, holding its widgets whole.
    QWidget* content = session->rig->window->centralwidget;
    QCOMPARE(p->parentWidget(), content);
    QVERIFY(content->rect().contains(p->geometry()));
    const QWidget* pages = session->rig->window->tabWidget_main;
    QVERIFY(p->geometry().left() > QRect(pages->mapTo(content, QPoint()), pages->size()).right());
    for (const QWidget* child : p->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(p->rect().contains(child->geometry()), qPrintable(child->objectName()));
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
    QCOMPARE(textColour(p->statusLabel), QColor(220, 0, 0));
    QVERIFY(p->statusLabel->font().bold());
    QCOMPARE(p->controllerLabel->text(), QStringLiteral(" Kv310+ controller"));
    QCOMPARE(p->modeLabel->text(), QStringLiteral("  Kv310+ working mode: "));
    QCOMPARE(p->clockLabel->text(), QStringLiteral("------,  --.--.----  --:--:--"));
    QCOMPARE(p->serialLabel->text(), QStringLiteral("S/N ----"));
    QCOMPARE(p->firmwareLabel->text(), QStringLiteral("F/W ver. ----"));
    QCOMPARE(p->serialLabel->parentWidget(), p->infoBox);
    QCOMPARE(p->infoBox->palette().color(QPalette::Active, QPalette::Base), QColor(110, 200, 15));
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
    QVERIFY(p->normalButton->isCheckable() && p->liveButton->isCheckable() && p->freezeButton->isCheckable());
    QVERIFY(!p->freezeButton->isEnabled());
}

void tst_right_panel::connectShowsTheController_data()
{
    QTest::addColumn<int>("stateCode");
    QTest::addColumn<QColor>("boxColour");
    QTest::newRow("idle") << 0xAA << QColor(230, 180, 115);
    QTest::newRow("running") << 0xCC << QColor(160, 200, 90);
    QTest::newRow("other state") << 0x11 << QColor(160, 200, 90);
}

void tst_right_panel::connectShowsTheController()
{
    QFETCH(int, stateCode);
    session->rig->sim->stateCode = uint8_t(stateCode);
    right_panel_widget* p = session->rig->panel();

    QVERIFY(session->rig->connect());
    QVERIFY(session->rec.entries.isEmpty());
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Connected"));
    QCOMPARE(textColour(p->statusLabel), QColor(0, 155, 0));
    QTEST(boxColour(p->infoBox), "boxColour");
    QCOMPARE(modeButtons(p), (QList<bool>{true, false, false}));
    QVERIFY(p->freezeButton->isEnabled());
    QCOMPARE(session->rig->controller->uiMode, 1);
    QCOMPARE(session->rig->sim->workingMode(), MODE_NORMAL);
    QCOMPARE(p->serialLabel->text(), QStringLiteral("S/N D30310-0001"));
    QCOMPARE(p->firmwareLabel->text(), QStringLiteral("F/W ver. 4.01.0007"));

    // Losing the connection shows it and unchecks the mode.
    p->disconnectButton->click();
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
    QCOMPARE(textColour(p->statusLabel), QColor(180, 0, 0));
    QCOMPARE(boxColour(p->infoBox), p->palette().color(QPalette::Active, QPalette::Window));
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_right_panel::connectWithoutController()
{
    session->rig->sim->plugged = false;
    right_panel_widget* p = session->rig->panel();
    QVERIFY(!session->rig->connect());
    QCOMPARE(session->rec.texts(), QStringList{"Not connected!"});
    QCOMPARE(session->rec.titles(), QStringList{"KvOrbit310+"});
    QCOMPARE(session->rec.entries.at(0).icon, QMessageBox::Critical);
    QCOMPARE(session->rec.entries.at(0).parent, p);
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
}

void tst_right_panel::modeButtonsWhileDisconnected_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Normal") << "normal";
    QTest::newRow("Live") << "live";
}

void tst_right_panel::modeButtonsWhileDisconnected()
{
    QFETCH(QString, button);
    right_panel_widget* p = session->rig->panel();
    QSignalSpy modes(p, &right_panel_widget::setWorkingMode);
    QSignalSpy live(p, &right_panel_widget::turnOnSceneLive);

    (button == QLatin1String("normal") ? p->normalButton : p->liveButton)->click();
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
    QVERIFY(!p->freezeButton->isEnabled());
    QCOMPARE(modes.count(), 0);
    QCOMPARE(live.count(), 0);
    QVERIFY(session->rec.entries.isEmpty());
    QVERIFY(session->rig->sim->log.isEmpty());
}

void tst_right_panel::modeButtonsWhileConnected()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    QSignalSpy modes(p, &right_panel_widget::setWorkingMode);
    QSignalSpy live(p, &right_panel_widget::turnOnSceneLive);

    p->liveButton->click();
    QCOMPARE(modeButtons(p), (QList<bool>{false, true, false}));
    QVERIFY(!p->freezeButton->isEnabled());
    QCOMPARE(session->rig->controller->uiMode, 2);
    QCOMPARE(live.count(), 1);

    // Live cannot be unchecked by itself.
    p->liveButton->click();
    QCOMPARE(modeButtons(p), (QList<bool>{false, true, false}));
    QCOMPARE(session->rig->controller->uiMode, 2);

    p->normalButton->click();
    QCOMPARE(modeButtons(p), (QList<bool>{true, false, false}));
    QVERIFY(p->freezeButton->isEnabled());
    QCOMPARE(session->rig->controller->uiMode, 1);
    QCOMPARE(session->rig->sim->workingMode(), MODE_NORMAL);

    // Clicking the checked Normal keeps it and asks for mode 1 again.
    modes.clear();
    p->normalButton->click();
    QCOMPARE(modeButtons(p), (QList<bool>{true, false, false}));
    QVERIFY(p->freezeButton->isEnabled());
    QCOMPARE(modes.count(), 1);
    QCOMPARE(modes.at(0).at(0).toInt(), 1);
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_right_panel::freezeAndResume()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    p->freezeButton->click();
    QVERIFY(p->freezeButton->isChecked());
    QVERIFY(session->rig->sim->status & STATUS_FROZEN);

    // Choosing Live resumes the show first.
    p->liveButton->click();
    QCOMPARE(modeButtons(p), (QList<bool>{false, true, false}));
    QVERIFY(!(session->rig->sim->status & STATUS_FROZEN));
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_right_panel::freezeFailures_data()
{
    QTest::addColumn<int>("refused");
    QTest::addColumn<bool>("freezeFirst");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("freeze refused") << int(FREEZE) << false
                                    << QStringList{"Controller still frozen!", "Controller not frozen!"};
    QTest::newRow("resume refused") << int(RESUME) << true << QStringList{"Controller still frozen!"};
}

void tst_right_panel::freezeFailures()
{
    QFETCH(int, refused);
    QFETCH(bool, freezeFirst);
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    if (freezeFirst)
        p->freezeButton->click();
    session->rig->sim->refuse(refused, 1, -1);

    p->freezeButton->click();
    QTEST(session->rec.texts(), "messages");
    for (const auto& e : std::as_const(session->rec.entries))
        QCOMPARE(e.icon, QMessageBox::Critical);
    QVERIFY(!session->rig->controller->isConnected());
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
}

// A Freeze click without a controller is undone, so that a later connection
// does not show a show frozen that never was.
void tst_right_panel::freezeWithoutControllerIsUndone()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    p->disconnectButton->click();
    QVERIFY(p->freezeButton->isEnabled());
    session->rig->sim->log.clear();

    p->freezeButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Controller not frozen!"});
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
    QVERIFY(session->rig->sim->log.isEmpty());

    QVERIFY(session->rig->connect());
    QCOMPARE(modeButtons(p), (QList<bool>{true, false, false}));
    QVERIFY(!(session->rig->sim->status & STATUS_FROZEN));
}

void tst_right_panel::connectShowsWhetherTheShowIsFrozen_data()
{
    QTest::addColumn<bool>("frozen");
    QTest::newRow("running") << false;
    QTest::newRow("frozen by an earlier session") << true;
}

void tst_right_panel::connectShowsWhetherTheShowIsFrozen()
{
    QFETCH(bool, frozen);
    right_panel_widget* p = session->rig->panel();
    if (frozen)
        session->rig->sim->raise(STATUS_FROZEN);

    QVERIFY(session->rig->connect());
    QCOMPARE(modeButtons(p), (QList<bool>{true, false, frozen}));
    // Showing it asks the controller neither to freeze nor to resume.
    QCOMPARE(session->rig->sim->countOf(FREEZE) + session->rig->sim->countOf(RESUME), 0);
    QCOMPARE(bool(session->rig->sim->status & STATUS_FROZEN), frozen);

    // And the button then works from there.
    p->freezeButton->click();
    QCOMPARE(bool(session->rig->sim->status & STATUS_FROZEN), !frozen);
    QCOMPARE(p->freezeButton->isChecked(), !frozen);
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_right_panel::aRebuiltWindowShowsTheLinkAsItIs_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("normal") << "normal";
    QTest::newRow("normal, frozen") << "frozen";
    QTest::newRow("live") << "live";
}

void tst_right_panel::aRebuiltWindowShowsTheLinkAsItIs()
{
    QFETCH(QString, mode);
    programRig& rig = *session->rig;
    QVERIFY(rig.connect());
    if (mode == QLatin1String("frozen"))
        rig.panel()->freezeButton->click();
    else if (mode == QLatin1String("live"))
        rig.panel()->liveButton->click();
    const QList<bool> buttons = modeButtons(rig.panel());
    const bool freezeEnabled = rig.panel()->freezeButton->isEnabled();
    const QString serial = rig.panel()->serialLabel->text();
    const QString firmware = rig.panel()->firmwareLabel->text();
    const auto modeRequests = [&rig] {
        return rig.sim->countOf(SET_MODE) + rig.sim->countOf(FREEZE) + rig.sim->countOf(RESUME);
    };
    const int requests = modeRequests();
    const int workingMode = rig.sim->workingMode();
    const int frozen = rig.sim->status & STATUS_FROZEN;

    // The window a language change builds anew.
    rig.window.reset();
    theMainWindow = nullptr;
    rig.window = std::make_unique<gui_class>(rig.controller.get(), nullptr);
    theMainWindow = rig.window.get();

    right_panel_widget* p = rig.panel();
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Connected"));
    QCOMPARE(textColour(p->statusLabel), QColor(0, 155, 0));
    QCOMPARE(p->serialLabel->text(), serial);
    QCOMPARE(p->firmwareLabel->text(), firmware);
    QCOMPARE(modeButtons(p), buttons);
    QCOMPARE(p->freezeButton->isEnabled(), freezeEnabled);
    // Showing the mode changes neither the mode nor the frozen show.
    QCOMPARE(modeRequests(), requests);
    QCOMPARE(rig.sim->workingMode(), workingMode);
    QCOMPARE(rig.sim->status & STATUS_FROZEN, frozen);
    QVERIFY(session->rec.entries.isEmpty());

    // And the panel works from there.
    p->disconnectButton->click();
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
}

void tst_right_panel::disconnectResumesAFrozenShowFirst()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    p->freezeButton->click();
    session->rig->sim->log.clear();

    p->disconnectButton->click();
    QVERIFY(!(session->rig->sim->status & STATUS_FROZEN));
    // The show is resumed, then the controller is sent back to normal mode and let go.
    QList<int> requests;
    for (const simLogEntry& e : std::as_const(session->rig->sim->log))
        if (e.kind == RESUME || e.kind == SET_MODE)
            requests.append(e.kind);
    QCOMPARE(requests, (QList<int>{RESUME, SET_MODE}));
    QVERIFY(!session->rig->controller->isConnected());
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_right_panel::disconnectWithoutConnection()
{
    right_panel_widget* p = session->rig->panel();
    p->disconnectButton->click();
    QVERIFY(session->rec.entries.isEmpty());
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
}

void tst_right_panel::restartReconnects()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    p->freezeButton->click();
    session->rig->window->monitor->shInputsClicked();
    session->rig->window->monitor->shStatesClicked();
    QCOMPARE(session->rig->window->monitor->monitorFlags, uint16_t(MONITOR_FLAG_INPUTS | MONITOR_FLAG_STATES));

    p->restartButton->click();
    QCOMPARE(session->rig->sim->restarts, 1);
    QVERIFY(session->rec.entries.isEmpty());
    QVERIFY(session->rig->controller->isConnected());
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Connected"));
    QCOMPARE(modeButtons(p), (QList<bool>{true, false, false}));
    QCOMPARE(session->rig->window->monitor->monitorFlags, uint16_t(0));
}

void tst_right_panel::restartWithoutConnection()
{
    right_panel_widget* p = session->rig->panel();
    p->restartButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Not connected!"});
    QCOMPARE(session->rig->sim->restarts, 0);
}

void tst_right_panel::restartWithNoControllerTriesTwentyTimes()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    // The controller leaves the bus and does not come back while anyone waits.
    session->rig->sim->rebootMs = 3600 * 1000;
    QSignalSpy requests(p, &right_panel_widget::setConnection);

    p->restartButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Restart failed!"});
    QList<bool> expected{false};
    for (int i = 0; i < 20; ++i)
        expected.append(true);
    QCOMPARE(connectionRequests(requests), expected);
    QVERIFY(!session->rig->controller->isConnected());
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
}

void tst_right_panel::restartEndsWhenTheLinkDoesNotLetGo()
{
    // A panel whose requests reach no controller: the one it restarts keeps
    // its link open, and the panel must still come to an end.
    right_panel_widget lonePanel(nullptr, nullptr);
    QVERIFY(session->rig->connect());
    QSignalSpy requests(&lonePanel, &right_panel_widget::setConnection);

    lonePanel.restartButton->click();
    QCOMPARE(session->rig->sim->restarts, 1);
    QVERIFY(session->rig->controller->isConnected());
    QCOMPARE(connectionRequests(requests), (QList<bool>{false, true}));
    QVERIFY(session->rec.entries.isEmpty());
}

// When our controller does not come back and another is on the bus, the
// user is asked once; Cancel ends the reconnection of this restart.
void tst_right_panel::restartCancelEndsTheReconnection()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    session->rig->sim->rebootMs = 3600 * 1000;
    session->rig->bus.addController(QStringLiteral("01D30310-0002"));
    QSignalSpy requests(p, &right_panel_widget::setConnection);
    session->rec.answerExec([](QDialog* dialog) {
        dialog->reject();
        return int(QDialog::Rejected);
    });

    p->restartButton->click();
    QCOMPARE(session->rec.pendingAnswers(), 0);
    int dialogs = 0;
    for (const dialogRecorder::entry& e : std::as_const(session->rec.entries))
        dialogs += e.kind == QLatin1String("exec");
    QCOMPARE(dialogs, 1);
    QCOMPARE(session->rec.texts().last(), QStringLiteral("Restart failed!"));
    QCOMPARE(connectionRequests(requests), QList<bool>{false});
    QVERIFY(!session->rig->controller->isConnected());
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
}

void tst_right_panel::hungControllerEndsWithTheFailureMessage_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("hangsFirst");  // before Connect; else after it
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("connectedAfter");

    QTest::newRow("connect") << "connect" << true << QStringList{"Not connected!"} << false;
    QTest::newRow("connect, only the version request hangs") << "connect version" << true << QStringList() << true;
    QTest::newRow("restart") << "restart" << false << QStringList{"Restart failed!"} << false;
    QTest::newRow("restart, comes back hung") << "restart back hung" << false << QStringList{"Restart failed!"}
                                              << false;
    QTest::newRow("send") << "send" << false << QStringList{"Config and data writing\n     failed!"} << false;
    QTest::newRow("read") << "read" << false << QStringList{"Configuration reading\n failed!"} << false;
}

// A controller that stops answering costs a time-out or two, not minutes:
// every operation ends within about 35 s with its failure message.
void tst_right_panel::hungControllerEndsWithTheFailureMessage()
{
    QFETCH(QString, action);
    QFETCH(bool, hangsFirst);
    QFETCH(QStringList, messages);
    QFETCH(bool, connectedAfter);
    right_panel_widget* p = session->rig->panel();
    simController& sim = *session->rig->sim;
    const auto hang = [&] {
        if (action == QLatin1String("connect version"))
            sim.hang(GET_FIRMWARE_VERSION);
        else if (action == QLatin1String("restart back hung"))
            sim.transferDone = [&sim](const simLogEntry& e) {
                if (e.kind == RESTART)
                    sim.hung = true;
            };
        else
            sim.hung = true;
    };
    if (hangsFirst)
        hang();
    else {
        QVERIFY(session->rig->connect());
        hang();
    }
    const qint64 start = session->clock.now;

    if (action.startsWith(QLatin1String("connect")))
        p->connectButton->click();
    else if (action.startsWith(QLatin1String("restart")))
        p->restartButton->click();
    else if (action == QLatin1String("send"))
        p->sendButton->click();
    else
        p->readButton->click();

    QVERIFY2(session->clock.now - start <= 35000, qPrintable(QString::number(session->clock.now - start)));
    QCOMPARE(session->rec.texts(), messages);
    QCOMPARE(session->rig->controller->isConnected(), connectedAfter);
    QCOMPARE(p->statusLabel->text(), connectedAfter ? QStringLiteral("Connected") : QStringLiteral("Disconnected"));
    if (connectedAfter)
        QCOMPARE(p->firmwareLabel->text(), QStringLiteral("F/W ----"));
}

void tst_right_panel::controllerGoneWhileIdle_data()
{
    QTest::addColumn<bool>("send");
    QTest::addColumn<bool>("anotherOnTheBus");
    QTest::newRow("send, unplugged") << true << false;
    QTest::newRow("read, unplugged") << false << false;
    QTest::newRow("send, unplugged, another controller on the bus") << true << true;
    QTest::newRow("read, unplugged, another controller on the bus") << false << true;
}

// Unplugged while the program was idle: the status still says "Connected"
// until the transfer finds out, and then the user is told.
void tst_right_panel::controllerGoneWhileIdle()
{
    QFETCH(bool, send);
    QFETCH(bool, anotherOnTheBus);
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    if (anotherOnTheBus)
        session->rig->bus.addController(QStringLiteral("01D30310-0002"));
    session->rig->sim->plugged = false;

    (send ? p->sendButton : p->readButton)->click();
    QCOMPARE(session->rec.texts(), QStringList{send ? QStringLiteral("Config and data writing\n     failed!")
                                                    : QStringLiteral("Configuration reading\n failed!")});
    QVERIFY(!session->rig->controller->isConnected());
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Disconnected"));
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
}

void tst_right_panel::sendWithoutConnectionStillPacks()
{
    kv310_controller_class* c = session->rig->controller.get();
    c->programs.setStepCount(3, 2);
    c->programs.setScene(3, 1, 77);
    c->events.appendAction(0x1340);
    c->events.setNumber(0x1340, 0, 5);

    session->rig->panel()->sendButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Configuration not sent!"});
    QCOMPARE(session->rec.titles(), QStringList{"KvOrbit310+"});
    QCOMPARE(session->rig->sim->restarts, 0);

    // The image holds what the tables held.
    c->programs.clear();
    c->events.clear();
    c->programs.unpackPrograms(c->configImage);
    c->events.unpackEvents(c->configImage);
    QCOMPARE(c->programs.stepCount(3), 2);
    QCOMPARE(c->programs.scene(3, 1), 77);
    QCOMPARE(c->events.actionCount(0x1340), 1);
    QCOMPARE(c->events.number(0x1340, 0), 5);
}

void tst_right_panel::sendRestartsAndReconnects_data()
{
    QTest::addColumn<bool>("live");
    QTest::newRow("from Normal, frozen") << false;
    QTest::newRow("from Live") << true;
}

void tst_right_panel::sendRestartsAndReconnects()
{
    QFETCH(bool, live);
    right_panel_widget* p = session->rig->panel();
    kv310_controller_class* c = session->rig->controller.get();
    QVERIFY(session->rig->connect());
    if (live)
        p->liveButton->click();
    else
        p->freezeButton->click();
    session->rig->window->monitor->shDmxInClicked();
    c->configImage[img::sceneChannelsOf(9) + 3] = 141;

    p->sendButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Config and data writing\n     successful!"});
    QCOMPARE(session->rig->sim->configFramesWritten, 128);
    QCOMPARE(uint8_t(session->rig->sim->configFlash[int(img::sceneChannelsOf(9) + 3)]), uint8_t(141));
    QCOMPARE(session->rig->sim->restarts, 1);
    QVERIFY(c->isConnected());
    QCOMPARE(p->statusLabel->text(), QStringLiteral("Connected"));
    QCOMPARE(modeButtons(p), (QList<bool>{true, false, false}));
    QVERIFY(p->freezeButton->isEnabled());
    QCOMPARE(c->uiMode, 1);
    QCOMPARE(session->rig->sim->workingMode(), MODE_NORMAL);
    QVERIFY(!(session->rig->sim->status & STATUS_FROZEN));
    QCOMPARE(session->rig->window->monitor->monitorFlags, uint16_t(0));
}

void tst_right_panel::failedSendDoesNotRestart()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    session->rig->sim->refuse(CONFIG_WRITE, 1, -1);
    QTest::ignoreMessage(QtDebugMsg, "fault 2!");
    p->sendButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Config and data writing\n     failed!"});
    QCOMPARE(session->rig->sim->restarts, 0);
    QVERIFY(!session->rig->controller->isConnected());
    QCOMPARE(modeButtons(p), (QList<bool>{false, false, false}));
}

void tst_right_panel::readWithoutConnection()
{
    session->rig->controller->sceneDescriptions[4] = QStringLiteral("Intro");
    session->rig->panel()->readButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Configuration not read!"});
    QCOMPARE(session->rig->controller->sceneDescriptions[4], QStringLiteral("Intro"));
}

void tst_right_panel::readReplacesTheDescriptions()
{
    kv310_controller_class* c = session->rig->controller.get();
    QVERIFY(session->rig->connect());
    c->sceneDescriptions[4] = QStringLiteral("Intro");
    c->maskDescriptions[0] = QStringLiteral("Dimmed");
    session->rig->sim->configFlash[int(img::sceneChannelsOf(2))] = char(99);

    session->rig->panel()->readButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Configuration reading\nsuccessful!"});
    QCOMPARE(c->configImage[img::sceneChannelsOf(2)], uint8_t(99));
    // A controller that stores no description gives none.
    QVERIFY(c->sceneDescriptions[4].isEmpty());
    QVERIFY(c->maskDescriptions[0].isEmpty());
    QVERIFY(c->isConnected());
}

void tst_right_panel::failedReadLosesNothing_data()
{
    QTest::addColumn<int>("refused");
    QTest::addColumn<int>("nth");
    QTest::addColumn<QByteArray>("debugText");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("transfer mode refused") << int(SET_MODE) << 1 << QByteArray()
                                           << QStringList{"Configuration reading\n failed!"};
    QTest::newRow("read request refused") << int(CONFIG_READ) << 1 << QByteArray()
                                          << QStringList{"Configuration reading\n failed!"};
    QTest::newRow("block 5 lost") << int(SIM_BULK_IN) << 6 << QByteArray("fault 3!")
                                  << QStringList{"Configuration reading\n failed!"};
}

void tst_right_panel::failedReadLosesNothing()
{
    QFETCH(int, refused);
    QFETCH(int, nth);
    QFETCH(QByteArray, debugText);
    kv310_controller_class* c = session->rig->controller.get();
    QVERIFY(session->rig->connect());
    c->sceneDescriptions[4] = QStringLiteral("Intro");
    c->programDescriptions[1] = QStringLiteral("Walk-in");
    c->configImage[img::sceneChannelsOf(2)] = 55;
    c->programs.setStepCount(1, 3);
    session->rig->sim->configFlash.fill(char(0x11));
    session->rig->sim->refuse(refused, nth, -1);

    if (!debugText.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, debugText.constData());
    session->rig->panel()->readButton->click();
    QTEST(session->rec.texts(), "messages");
    QVERIFY(!c->isConnected());
    QCOMPARE(c->sceneDescriptions[4], QStringLiteral("Intro"));
    QCOMPARE(c->programDescriptions[1], QStringLiteral("Walk-in"));
    QCOMPARE(c->configImage[img::sceneChannelsOf(2)], uint8_t(55));
    QCOMPARE(c->programs.stepCount(1), 3);
}

void tst_right_panel::saveNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("oldstyle");

    const QString current = QStringLiteral("Kv310+ project description (*31xcfg)");
    const QString old = QStringLiteral("KvOrbit 310 old-style config (*.cfg310)");
    QTest::newRow("plain name") << "show" << current << "show.31xcfg" << false;
    QTest::newRow("old style") << "show.cfg310" << current << "show.cfg310" << true;
    QTest::newRow("v4 extension") << "show.cfg310v4" << current << "show.cfg310v4" << false;
    QTest::newRow("current extension") << "show.31xcfg" << current << "show.31xcfg" << false;
    QTest::newRow("upper case old style") << "show.CFG310" << current << "show.CFG310.31xcfg" << false;
    QTest::newRow("upper case current") << "show.31XCFG" << current << "show.31XCFG.31xcfg" << false;
    QTest::newRow("old-style filter, no extension") << "show" << old << "show.31xcfg" << false;
    QTest::newRow("dotted name") << "show.v2" << current << "show.v2.31xcfg" << false;
}

void tst_right_panel::saveNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, saved);
    QFETCH(bool, oldstyle);
    right_panel_widget* p = session->rig->panel();
    QSignalSpy spy(p, &right_panel_widget::saveConfToFileClicked);
    const QString folder = session->dir.path() + QStringLiteral("/shows/");
    QVERIFY(QDir().mkpath(folder));

    session->rec.answerFile(folder + typed, filter);
    if (oldstyle)
        session->rec.answer(QMessageBox::Yes);  // to losing what the old format cannot hold
    p->saveFileButton->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), folder + saved);
    QCOMPARE(spy.at(0).at(1).toBool(), oldstyle);
    QCOMPARE(session->rig->controller->lastPath, folder + saved);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{saved});

    const dialogRecorder::entry& request = session->rec.entries.at(0);
    QCOMPARE(request.kind, QStringLiteral("save"));
    QCOMPARE(request.directory, QStringLiteral("./"));
    QCOMPARE(request.title, QStringLiteral("Choose a project description file for Kv310+ controller"));
    QCOMPARE(request.filter, QStringLiteral("Kv310+ project description (*31xcfg);;"
                                            "KvOrbit 310 old-style config (*.cfg310);;All files (*)"));

    // The next dialog starts where the last file went.
    session->rec.answerFile(QString());
    p->saveFileButton->click();
    const auto& entries = session->rec.entries;
    QCOMPARE(entries.last().directory, folder + saved);
}

void tst_right_panel::cancelledFileDialogsChangeNothing()
{
    right_panel_widget* p = session->rig->panel();
    session->rig->controller->lastPath = QStringLiteral("somewhere/show.31xcfg");
    QSignalSpy saves(p, &right_panel_widget::saveConfToFileClicked);
    QSignalSpy opens(p, &right_panel_widget::readConfFromFileClicked);

    session->rec.answerFile(QString());
    p->saveFileButton->click();
    session->rec.answerFile(QString());
    p->readFileButton->click();
    QCOMPARE(saves.count(), 0);
    QCOMPARE(opens.count(), 0);
    QCOMPARE(session->rig->controller->lastPath, QStringLiteral("somewhere/show.31xcfg"));
    QCOMPARE(session->rec.entries.size(), 2);
    QCOMPARE(session->rec.entries.at(0).directory, QStringLiteral("somewhere/show.31xcfg"));
    QCOMPARE(session->rec.entries.at(1).directory, QStringLiteral("somewhere/show.31xcfg"));
}

void tst_right_panel::openFileClosesTheAuxiliaryWindows()
{
    right_panel_widget* p = session->rig->panel();
    QVERIFY(session->rig->connect());
    session->rig->window->monitor->shDmxOutClicked();
    QVERIFY(session->rig->window->monitor->monitorFlags);
    QSignalSpy opens(p, &right_panel_widget::readConfFromFileClicked);
    const QString name = session->dir.path() + QStringLiteral("/missing.31xcfg");

    session->rec.answerFile(name);
    p->readFileButton->click();
    QCOMPARE(session->rec.entries.at(0).kind, QStringLiteral("open"));
    QCOMPARE(session->rec.entries.at(0).filter,
             QStringLiteral("KvOrbit310+ project/config files (*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;All files (*)"));
    QCOMPARE(session->rec.entries.at(0).title, QStringLiteral("Choose a project description file for Kv310+ controller"));
    QCOMPARE(opens.count(), 1);
    QCOMPARE(opens.at(0).at(0).toString(), name);
    QCOMPARE(session->rig->controller->lastPath, name);
    QCOMPARE(session->rig->window->monitor->monitorFlags, uint16_t(0));
}

QTEST_MAIN(tst_right_panel)
#include "tst_right_panel.moc"
