#include "monitor_rig.h"

#include "support/virtual_clock.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <functional>

namespace {

using simSetup = std::function<void(simController&)>;

// Opens the windows of the flags, in the panel's button order.
void open(ctrl_monitor& panel, uint16_t flags)
{
    if (flags & MONITOR_FLAG_INPUTS)
        panel.shInputsClicked();
    if (flags & MONITOR_FLAG_DMX_IN)
        panel.shDmxInClicked();
    if (flags & MONITOR_FLAG_DMX_OUT)
        panel.shDmxOutClicked();
    if (flags & MONITOR_FLAG_STATES)
        panel.shStatesClicked();
}

QList<uint16_t> flagsOf(const QSignalSpy& spy)
{
    QList<uint16_t> out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).value<uint16_t>();
    return out;
}

QList<bool> buttonsEnabled(const ctrl_monitor& panel)
{
    return {panel.showInputsButton->isEnabled(), panel.showDmxInButton->isEnabled(),
            panel.showDmxOutButton->isEnabled(), panel.showStatesButton->isEnabled()};
}

}  // namespace

Q_DECLARE_METATYPE(simSetup)

class tst_ctrl_monitor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openingWhileDisconnected();
    void pollReadsOpenWindowsInOrder_data();
    void pollReadsOpenWindowsInOrder();
    void failedReadClosesOnlyItsWindow_data();
    void failedReadClosesOnlyItsWindow();
    void disconnectedPollClosesAllAndPauses();
    void connectionLostClosesAll();
    void pollServedTwice();
    void closingWithNothingOpen();
    void closingOrderAndStopSlots();
    void titleBarClose();
    void openingToggles();
    void refreshPeriod();

    // The pacing thread on real time.
    void nothingReadBeforeTheFirstWindow();
    void ticksWhilePolling();
    void destroyedWhilePolling_data();
    void destroyedWhilePolling();

private:
    virtualClock clock;
};

void tst_ctrl_monitor::openingWhileDisconnected()
{
    monitorRig m;
    m.rig.controller->setConnection(false);
    QSignalSpy menus(m.panel.get(), &ctrl_monitor::clrMenu);
    open(*m.panel, MONITOR_FLAG_ALL);
    QCOMPARE(m.rec.titles(), QStringList(4, QStringLiteral("Controller error")));
    QCOMPARE(m.rec.texts(), QStringList(4, QStringLiteral("Not connected!")));
    QCOMPARE(m.rec.entries.at(0).icon, QMessageBox::Information);
    QCOMPARE(m.panel->monitorFlags, uint16_t(0));
    QVERIFY(!m.panel->inputsWindow && !m.panel->dmxInWindow && !m.panel->dmxOutWindow && !m.panel->statesWindow);
    QCOMPARE(buttonsEnabled(*m.panel), QList<bool>(4, true));
    QVERIFY(m.panel->pollTimer.busy);
    QCOMPARE(menus.count(), 0);
}

void tst_ctrl_monitor::pollReadsOpenWindowsInOrder_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("reads");
    QTest::newRow("none") << 0 << QStringList();
    QTest::newRow("all four") << 0xF << QStringList{"inputs", "output", "input", "states"};
    QTest::newRow("inputs and states") << 0x9 << QStringList{"inputs", "states"};
    QTest::newRow("both DMX windows") << 0x6 << QStringList{"output", "input"};
    QTest::newRow("input DMX values") << 0x2 << QStringList{"input"};
}

void tst_ctrl_monitor::pollReadsOpenWindowsInOrder()
{
    QFETCH(int, flags);
    QFETCH(QStringList, reads);
    monitorRig m;
    open(*m.panel, uint16_t(flags));
    QCOMPARE(m.panel->monitorFlags, uint16_t(flags));
    QVERIFY(m.reads().isEmpty());  // opening reads nothing
    QSignalSpy ticks(m.panel.get(), &ctrl_monitor::countTick);

    m.poll();
    QCOMPARE(m.reads(), reads);
    QCOMPARE(ticks.count(), (flags & MONITOR_FLAG_DMX_OUT) ? 1 : 0);
    QVERIFY(!m.panel->pollTimer.busy);
    QCOMPARE(m.panel->monitorFlags, uint16_t(flags));
    QVERIFY(m.rec.entries.isEmpty());
    // A window is shown by its first successful read.
    for (pokaz* w : {m.panel->inputsWindow.data(), m.panel->dmxInWindow.data(), m.panel->dmxOutWindow.data(),
                     m.panel->statesWindow.data()}) {
        if (w)
            QVERIFY(w->isVisible() && w->table->isVisible());
    }
}

void tst_ctrl_monitor::failedReadClosesOnlyItsWindow_data()
{
    QTest::addColumn<simSetup>("fault");
    QTest::addColumn<int>("closed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("reads");
    QTest::addColumn<int>("ticks");

    QTest::newRow("inputs")
        << simSetup([](simController& s) { s.refuse(MONITOR_READ, 1, 5); }) << 1
        << "Cannot read inputs' states!"
        << QStringList{"inputs", "inputs", "inputs", "inputs", "inputs", "output", "input", "states"} << 1;
    QTest::newRow("output DMX values")
        << simSetup([](simController& s) { s.corruptFrames(1, 1); }) << 4 << "Reading error!"
        << QStringList{"inputs", "output", "input", "states"} << 0;
    QTest::newRow("input DMX values")
        << simSetup([](simController& s) { s.corruptFrames(2, 1); }) << 2 << "Reading error!"
        << QStringList{"inputs", "output", "input", "states"} << 1;
    QTest::newRow("internal states")
        << simSetup([](simController& s) { s.corruptFrames(3, 1); }) << 8 << "Reading error!"
        << QStringList{"inputs", "output", "input", "states"} << 1;
}

void tst_ctrl_monitor::failedReadClosesOnlyItsWindow()
{
    QFETCH(simSetup, fault);
    QFETCH(int, closed);
    QFETCH(QString, message);
    QFETCH(QStringList, reads);
    QFETCH(int, ticks);

    monitorRig m;
    open(*m.panel, MONITOR_FLAG_ALL);
    fault(*m.rig.sim);
    QSignalSpy tickSpy(m.panel.get(), &ctrl_monitor::countTick);
    QSignalSpy menus(m.panel.get(), &ctrl_monitor::clrMenu);

    m.poll();
    QCOMPARE(m.rec.titles(), QStringList{"USB Interface"});
    QCOMPARE(m.rec.texts(), QStringList{message});
    QCOMPARE(m.reads(), reads);
    QCOMPARE(tickSpy.count(), ticks);
    QCOMPARE(flagsOf(menus), QList<uint16_t>{uint16_t(closed)});
    QCOMPARE(m.panel->monitorFlags, uint16_t(0xF & ~closed));
    QVERIFY(!m.panel->pollTimer.busy);
    QVERIFY(m.rig.controller->isConnected());
    const QList<bool> enabled = buttonsEnabled(*m.panel);
    const int flagOfButton[] = {1, 2, 4, 8};
    for (int b = 0; b < 4; ++b)
        QCOMPARE(enabled.at(b), flagOfButton[b] == closed);

    // The other windows go on being polled.
    m.rig.sim->clearFaults();
    m.rig.sim->log.clear();
    m.poll();
    QStringList rest{"inputs", "output", "input", "states"};
    const char* const names[] = {"inputs", "input", "output", "states"};
    rest.removeOne(QLatin1String(names[closed == 1 ? 0 : closed == 2 ? 1 : closed == 4 ? 2 : 3]));
    QCOMPARE(m.reads(), rest);
}

void tst_ctrl_monitor::disconnectedPollClosesAllAndPauses()
{
    monitorRig m;
    open(*m.panel, MONITOR_FLAG_ALL);
    QSignalSpy menus(m.panel.get(), &ctrl_monitor::clrMenu);
    QSignalSpy refreshes(m.panel.get(), &ctrl_monitor::forceRefresh);
    // Gone without a word: only the poll finds out.
    m.rig.controller->device->disconnect();

    m.poll();
    QVERIFY(m.reads().isEmpty());
    QVERIFY(m.rec.entries.isEmpty());
    QCOMPARE(m.panel->monitorFlags, uint16_t(0));
    QCOMPARE(flagsOf(menus), QList<uint16_t>{MONITOR_FLAG_ALL});
    QCOMPARE(refreshes.count(), 1);
    QCOMPARE(buttonsEnabled(*m.panel), QList<bool>(4, true));
    QVERIFY(m.panel->pollTimer.busy);  // the pacing waits for the next window
    monitorRig::settle();
    QVERIFY(!m.panel->inputsWindow && !m.panel->statesWindow);

    // Opening a window again resumes the polling.
    QVERIFY(m.rig.connect());
    m.panel->shStatesClicked();
    QVERIFY(!m.panel->pollTimer.busy);
}

void tst_ctrl_monitor::connectionLostClosesAll()
{
    monitorRig m;
    open(*m.panel, MONITOR_FLAG_INPUTS | MONITOR_FLAG_DMX_OUT);
    QSignalSpy menus(m.panel.get(), &ctrl_monitor::clrMenu);
    m.rig.controller->setConnection(false);
    QCOMPARE(m.panel->monitorFlags, uint16_t(0));
    QCOMPARE(flagsOf(menus), QList<uint16_t>{MONITOR_FLAG_ALL});
    QVERIFY(!m.panel->inputsWindow && !m.panel->dmxOutWindow);

    // Reconnecting opens nothing.
    QVERIFY(m.rig.connect());
    QCOMPARE(m.panel->monitorFlags, uint16_t(0));
    QVERIFY(!m.panel->inputsWindow && !m.panel->dmxOutWindow);
}

void tst_ctrl_monitor::pollServedTwice()
{
    monitorRig m;
    open(*m.panel, MONITOR_FLAG_ALL);
    m.panel->pollTimer.busy = false;
    QTest::ignoreMessage(QtDebugMsg, "Oops!");
    m.panel->reload();
    QVERIFY(m.reads().isEmpty());
    QVERIFY(!m.panel->pollTimer.busy);
    QCOMPARE(m.panel->monitorFlags, uint16_t(0xF));
}

void tst_ctrl_monitor::closingWithNothingOpen()
{
    monitorRig m;
    m.panel->showInputsButton->setEnabled(false);
    m.panel->showStatesButton->setEnabled(false);
    QSignalSpy menus(m.panel.get(), &ctrl_monitor::clrMenu);
    QSignalSpy refreshes(m.panel.get(), &ctrl_monitor::forceRefresh);
    for (bool busy : {true, false}) {
        m.panel->pollTimer.busy = busy;
        m.panel->closeMonitors(MONITOR_FLAG_ALL);
        QCOMPARE(m.panel->pollTimer.busy, busy);
    }
    QCOMPARE(buttonsEnabled(*m.panel), QList<bool>(4, true));
    QCOMPARE(flagsOf(menus), (QList<uint16_t>{MONITOR_FLAG_ALL, MONITOR_FLAG_ALL}));
    QCOMPARE(refreshes.count(), 2);
}

void tst_ctrl_monitor::closingOrderAndStopSlots()
{
    monitorRig m;
    open(*m.panel, MONITOR_FLAG_ALL);
    QList<int> closing;
    QList<QPointer<pokaz>> windows;
    for (pokaz* w : {m.panel->statesWindow.data(), m.panel->dmxInWindow.data(), m.panel->dmxOutWindow.data(),
                     m.panel->inputsWindow.data()}) {
        const int kind = w->kind;
        connect(w->pbStop, &QPushButton::clicked, this, [&closing, kind] { closing << kind; });
        windows << w;
    }
    QSignalSpy menus(m.panel.get(), &ctrl_monitor::clrMenu);

    m.panel->closeMonitors(MONITOR_FLAG_ALL);
    QCOMPARE(closing, (QList<int>{1, 4, 2, 8}));
    QCOMPARE(flagsOf(menus), QList<uint16_t>{MONITOR_FLAG_ALL});
    QCOMPARE(m.panel->monitorFlags, uint16_t(0));

    // Each window's stop slot runs once more, after it has gone.
    monitorRig::settle();
    for (const QPointer<pokaz>& w : windows)
        QVERIFY(w.isNull());
    QCOMPARE(flagsOf(menus), (QList<uint16_t>{MONITOR_FLAG_ALL, 1, 4, 2, 8}));
    QCOMPARE(buttonsEnabled(*m.panel), QList<bool>(4, true));
}

void tst_ctrl_monitor::titleBarClose()
{
    monitorRig m;
    open(*m.panel, MONITOR_FLAG_INPUTS | MONITOR_FLAG_STATES);
    m.poll();
    QPointer<pokaz> inputs = m.panel->inputsWindow.data();
    QVERIFY(inputs->isVisible());
    QSignalSpy menus(m.panel.get(), &ctrl_monitor::clrMenu);

    inputs->close();
    monitorRig::settle();
    QVERIFY(inputs.isNull());
    QVERIFY(m.panel->showInputsButton->isEnabled());
    QVERIFY(!m.panel->showStatesButton->isEnabled());
    QCOMPARE(m.panel->monitorFlags, uint16_t(MONITOR_FLAG_STATES));
    QCOMPARE(flagsOf(menus).value(0), uint16_t(MONITOR_FLAG_INPUTS));

    m.rig.sim->log.clear();
    m.poll();
    QCOMPARE(m.reads(), QStringList{"states"});
}

void tst_ctrl_monitor::openingToggles()
{
    monitorRig m;
    m.panel->shDmxOutClicked();
    QPointer<pokaz> first = m.panel->dmxOutWindow.data();
    QVERIFY(first);
    QVERIFY(!m.panel->showDmxOutButton->isEnabled());
    QSignalSpy menus(m.panel.get(), &ctrl_monitor::clrMenu);

    // Called again while its window is open (as the scene editor and the
    // visualisation may), it closes the window.
    m.panel->shDmxOutClicked();
    QVERIFY(!m.panel->dmxOutWindow);
    QCOMPARE(flagsOf(menus), QList<uint16_t>{MONITOR_FLAG_DMX_OUT});
    monitorRig::settle();
    QVERIFY(first.isNull());

    m.panel->shDmxOutClicked();
    QVERIFY(m.panel->dmxOutWindow);
    QCOMPARE(m.panel->monitorFlags, uint16_t(MONITOR_FLAG_DMX_OUT));
}

void tst_ctrl_monitor::refreshPeriod()
{
    monitorRig m;
    QCOMPARE(m.panel->refreshSpin->text(), QStringLiteral("10000"));
    QCOMPARE(m.panel->pollTimer.period.load(), 10000);
    m.panel->refreshSpin->setValue(1);
    QCOMPARE(m.panel->refreshSpin->text(), QStringLiteral("100"));
    QCOMPARE(m.panel->pollTimer.period.load(), 100);
    m.panel->refreshSpin->setValue(0);
    QCOMPARE(m.panel->pollTimer.period.load(), 100);
}

void tst_ctrl_monitor::nothingReadBeforeTheFirstWindow()
{
    monitorRig m;
    m.panel->refreshSpin->setValue(1);
    QSignalSpy announced(&m.panel->pollTimer, &timeCount_class::overflow);
    QTRY_VERIFY(m.panel->pollTimer.running);
    // Ten periods and more: a thread that announced anything would have by now.
    QTest::qWait(1100);
    QCOMPARE(announced.count(), 0);
    QVERIFY(m.reads().isEmpty());

    m.panel->shInputsClicked();
    QTRY_VERIFY_WITH_TIMEOUT(m.panel->inputsWindow && m.panel->inputsWindow->isVisible(), 10000);
    QCOMPARE(m.reads().value(0), QStringLiteral("inputs"));
}

void tst_ctrl_monitor::ticksWhilePolling()
{
    monitorRig m;
    m.panel->refreshSpin->setValue(1);
    m.rig.sim->output = QByteArray(512, char(17));
    QSignalSpy ticks(m.panel.get(), &ctrl_monitor::countTick);
    m.panel->shDmxOutClicked();
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 3, 20000);
    QCOMPARE(m.panel->dmxOutWindow->buffer.at(511), uint8_t(17));
    QVERIFY(m.rec.entries.isEmpty());
}

void tst_ctrl_monitor::destroyedWhilePolling_data()
{
    QTest::addColumn<int>("spin");
    QTest::newRow("polling every 100 ms") << 1;
    QTest::newRow("asleep for 10 s") << 100;
}

void tst_ctrl_monitor::destroyedWhilePolling()
{
    QFETCH(int, spin);
    monitorRig m;
    m.panel->refreshSpin->setValue(1);
    QSignalSpy ticks(m.panel.get(), &ctrl_monitor::countTick);
    open(*m.panel, MONITOR_FLAG_ALL);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 20000);
    m.panel->refreshSpin->setValue(spin);
    QTest::qWait(200);
    QPointer<pokaz> output = m.panel->dmxOutWindow.data();

    QElapsedTimer timer;
    timer.start();
    m.panel.reset();
    // The thread's sleep ends at once instead of running out its period.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(output.isNull());
    QCOMPARE(m.window.sceneTransparency, QList<bool>{false});
}

QTEST_MAIN(tst_ctrl_monitor)
#include "tst_ctrl_monitor.moc"
