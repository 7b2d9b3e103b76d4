#include "editors/scenes/ascene_settings_widget.h"
#include "editors/scenes/dmx_mixing.h"
#include "model/config_image.h"
#include "monitor/ctrl_monitor.h"
#include "monitor/monitor_flags.h"
#include "monitor/pokaz.h"
#include "transport/protocol.h"

#include "device/controller_rig.h"
#include "support/page_fixture.h"
#include "support/virtual_clock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The scene page with a connected controller on a simulated bus and the
// monitor panel that the main window would hand it. The pacing thread
// sleeps at its longest period; polls are run by hand.
struct captureRig {
    captureRig()
    {
        theController = rig.controller.get();
        connected = rig.connect();
        panel = std::make_unique<ctrl_monitor>(nullptr);
        panel->refreshSpin->setValue(100);
        world.window().monitor = panel.get();
        page = std::make_unique<ascene_settings_widget>(rig.controller.get(), &world.tab);
    }
    ~captureRig()
    {
        page.reset();
        world.window().monitor = nullptr;
        panel.reset();
        settle();
    }

    void poll()
    {
        panel->pollTimer.busy = true;
        panel->reload();
    }
    pokaz* window() const { return panel->dmxOutWindow.data(); }
    // The user ticks or unticks the group.
    void tick(bool on) { page->transparencyGroup->setChecked(on); }

    virtualClock clock;
    pageFixture world;
    controllerRig rig;
    bool connected = false;
    std::unique_ptr<ctrl_monitor> panel;
    std::unique_ptr<ascene_settings_widget> page;
};

QStringList itemTexts(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i) + QLatin1Char('=') + box->itemData(i).toString();
    return out;
}

}  // namespace

class tst_dmx_capture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mixing_data();
    void mixing();

    void aNewGroup();
    void sceneOrMask();
    void notConnected();
    void switchingOnOpensTheOutputWindow();
    void aRefusedSwitch();
    void hideMonitorBox();
    void switchingOffClosesOnlyAHiddenWindow();
    void theWindowGoing();
    void saveWithoutAWindow();
    void saveWritesEveryChannel_data();
    void saveWritesEveryChannel();
};

void tst_dmx_capture::mixing_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("captured");
    QTest::addColumn<int>("result");

    QTest::newRow("overwrite") << int(MIX_OVERWRITE) << 200 << 7 << 7;
    QTest::newRow("bigger wins, captured") << int(MIX_BIGGER) << 10 << 200 << 200;
    QTest::newRow("bigger wins, stored") << int(MIX_BIGGER) << 200 << 10 << 200;
    QTest::newRow("linear 255 and 0") << int(MIX_LINEAR) << 255 << 0 << 127;
    QTest::newRow("linear 255 and 255") << int(MIX_LINEAR) << 255 << 255 << 255;
    QTest::newRow("multiplication by 255 keeps") << int(MIX_MULTIPLY) << 77 << 255 << 77;
    QTest::newRow("multiplication by 0") << int(MIX_MULTIPLY) << 77 << 0 << 0;
    QTest::newRow("multiplication 255 by 128") << int(MIX_MULTIPLY) << 255 << 128 << 128;
    QTest::newRow("multiplication 0 by 255") << int(MIX_MULTIPLY) << 0 << 255 << 0;
    QTest::newRow("invert of 0") << int(MIX_INVERT) << 3 << 0 << 255;
    QTest::newRow("invert of 255") << int(MIX_INVERT) << 3 << 255 << 0;
    QTest::newRow("unknown mode keeps") << 9 << 42 << 200 << 42;
}

void tst_dmx_capture::mixing()
{
    QFETCH(int, mode);
    QFETCH(int, stored);
    QFETCH(int, captured);
    QFETCH(int, result);
    QCOMPARE(int(mixLevel(mode, uint8_t(stored), uint8_t(captured))), result);
}

void tst_dmx_capture::aNewGroup()
{
    pageFixture world;
    ascene_settings_widget page(&world.controller(), &world.tab);
    QGroupBox* group = page.transparencyGroup;
    QCOMPARE(group->parentWidget(), page.copyPage);
    QCOMPARE(group->title(), QStringLiteral("Transparently from DMX input"));
    QVERIFY(group->isCheckable());
    QVERIFY(!group->isChecked());
    QVERIFY(!page.saveButton->isEnabled());
    QVERIFY(!page.hideMonitorBox->isChecked());
    QCOMPARE(page.hideMonitorBox->layoutDirection(), Qt::RightToLeft);
    QVERIFY(page.saveSceneButton->isChecked());
    QCOMPARE(itemTexts(page.mixingBox), (QStringList{"Overwrite=1", "Mixed (bigger win)=2", "Mixed linear=3",
                                                     "Multiplication=4"}));
    QCOMPARE(page.targetBox->minimum(), 1);
    QCOMPARE(page.targetBox->maximum(), 10240);
    QVERIFY(world.dialogs.entries.isEmpty());
}

void tst_dmx_capture::sceneOrMask()
{
    pageFixture world;
    ascene_settings_widget page(&world.controller(), &world.tab);
    {
        // Enabled as when transparency is on, without switching it.
        const QSignalBlocker quiet(page.transparencyGroup);
        page.transparencyGroup->setChecked(true);
    }
    page.targetBox->setValue(300);
    page.saveMaskButton->click();
    QCOMPARE(itemTexts(page.mixingBox), (QStringList{"Overwrite=1", "Multiplication=4", "Invert + overwrite=5"}));
    QCOMPARE(page.targetBox->maximum(), 256);
    QCOMPARE(page.targetBox->value(), 256);

    page.saveSceneButton->click();
    QCOMPARE(page.mixingBox->count(), 4);
    QCOMPARE(page.targetBox->maximum(), 10240);
    QCOMPARE(page.targetBox->value(), 256);
}

void tst_dmx_capture::notConnected()
{
    virtualClock clock;
    pageFixture world;
    ctrl_monitor panel(nullptr);
    world.window().monitor = &panel;
    ascene_settings_widget page(&world.controller(), &world.tab);

    page.transparencyGroup->setChecked(true);
    QCOMPARE(world.dialogs.titles(), QStringList{"Controller error"});
    QCOMPARE(world.dialogs.texts(), QStringList{"Not connected!"});
    QCOMPARE(world.dialogs.entries.at(0).icon, QMessageBox::Information);
    QVERIFY(!page.transparencyGroup->isChecked());
    QVERIFY(!page.saveButton->isEnabled());
    QVERIFY(!panel.dmxOutWindow);

    // The window's going tells the page even when transparency was not on.
    page.setTransparency(false);
    QCOMPARE(world.dialogs.texts(), (QStringList{"Not connected!", "Not connected!"}));
    QVERIFY(!page.transparencyGroup->isChecked());
    world.window().monitor = nullptr;
}

void tst_dmx_capture::switchingOnOpensTheOutputWindow()
{
    captureRig r;
    QVERIFY(r.connected);
    r.tick(true);
    QVERIFY(r.rig.sim->dmxTransparency);
    QVERIFY(r.page->transparencyGroup->isChecked());
    QVERIFY(r.page->saveButton->isEnabled());
    QVERIFY(r.window());
    QVERIFY(!r.page->hideMonitorBox->isChecked());
    r.poll();
    QVERIFY(r.window()->isVisible());
    QVERIFY(r.world.dialogs.entries.isEmpty());

    // A window that is already open stays as it is.
    r.tick(false);
    QVERIFY(!r.rig.sim->dmxTransparency);
    QPointer<pokaz> open = r.window();
    QVERIFY(open);
    r.tick(true);
    QCOMPARE(r.window(), open.data());
    QVERIFY(r.rig.sim->dmxTransparency);
}

void tst_dmx_capture::aRefusedSwitch()
{
    captureRig r;
    r.rig.sim->refuse(SET_DMX_TRANSPARENCY, 1, -1);
    r.tick(true);
    QCOMPARE(r.world.dialogs.texts(), QStringList{"Action failed!"});
    QCOMPARE(r.world.dialogs.titles(), QStringList{"Controller error"});
    QVERIFY(!r.page->transparencyGroup->isChecked());
    QVERIFY(!r.window());
    QVERIFY(r.rig.controller->isConnected());

    // On, then the controller refuses to stop: the group says what the
    // controller still does.
    r.rig.sim->clearFaults();
    r.tick(true);
    QVERIFY(r.window());
    r.rig.sim->refuse(SET_DMX_TRANSPARENCY, 1, -1);
    r.world.dialogs.clear();
    r.tick(false);
    QCOMPARE(r.world.dialogs.texts(), QStringList{"Action failed!"});
    QVERIFY(r.page->transparencyGroup->isChecked());
    QVERIFY(r.page->saveButton->isEnabled());
    QVERIFY(r.rig.sim->dmxTransparency);
    QVERIFY(r.window());

    // The box stays wired: it still hides the window.
    r.page->hideMonitorBox->setChecked(true);
    QVERIFY(r.window()->keepHidden);

    // The window going switches off all the same.
    r.world.dialogs.clear();
    r.page->setTransparency(false);
    QCOMPARE(r.world.dialogs.texts(), QStringList{"Action failed!"});
    QVERIFY(!r.page->transparencyGroup->isChecked());
    QVERIFY(!r.page->hideMonitorBox->isChecked());
}

void tst_dmx_capture::hideMonitorBox()
{
    captureRig r;
    r.tick(true);
    r.poll();
    pokaz* window = r.window();
    QVERIFY(window->isVisible());

    r.page->hideMonitorBox->setChecked(true);
    QVERIFY(window->keepHidden);
    QVERIFY(!window->isVisible());
    r.poll();
    QVERIFY(!window->isVisible());

    const int redraws = r.panel->stateTextUpdates;
    r.page->hideMonitorBox->setChecked(false);
    QVERIFY(!window->keepHidden);
    QCOMPARE(r.panel->stateTextUpdates, redraws + 1);
    QVERIFY(!window->isVisible());
    r.poll();
    QVERIFY(window->isVisible());
    QVERIFY(r.world.dialogs.entries.isEmpty());

    // Without the window the box switches transparency off.
    r.panel->closeMonitors(MONITOR_FLAG_DMX_OUT);
    settle();
    r.page->hideMonitorBox->setChecked(true);
    QVERIFY(!r.page->transparencyGroup->isChecked());
    QVERIFY(!r.page->hideMonitorBox->isChecked());
    QVERIFY(!r.rig.sim->dmxTransparency);
}

void tst_dmx_capture::switchingOffClosesOnlyAHiddenWindow()
{
    captureRig r;
    r.tick(true);
    r.poll();
    r.tick(false);
    QVERIFY(r.window());
    QVERIFY(!r.rig.sim->dmxTransparency);

    r.tick(true);
    r.page->hideMonitorBox->setChecked(true);
    r.tick(false);
    QVERIFY(!r.window());
    QVERIFY(!r.page->hideMonitorBox->isChecked());
    QVERIFY(!r.page->transparencyGroup->isChecked());
    // Unwired: ticking the box now (as a program would) does nothing.
    r.page->hideMonitorBox->setChecked(true);
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

void tst_dmx_capture::theWindowGoing()
{
    captureRig r;
    r.tick(true);
    QPointer<pokaz> window = r.window();
    window->close();
    settle();
    QVERIFY(window.isNull());
    // The main window passes the window's closed(false) on to the page.
    QCOMPARE(r.world.window().sceneTransparency, QList<bool>{false});
    r.page->setTransparency(false);
    QVERIFY(!r.page->transparencyGroup->isChecked());
    QVERIFY(!r.rig.sim->dmxTransparency);
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

void tst_dmx_capture::saveWithoutAWindow()
{
    captureRig r;
    r.tick(true);
    r.panel->closeMonitors(MONITOR_FLAG_DMX_OUT);
    settle();
    const QByteArray before = imageHash(*r.rig.controller);
    r.page->saveButton->click();
    QCOMPARE(imageHash(*r.rig.controller), before);
    QVERIFY(!r.page->transparencyGroup->isChecked());
    QVERIFY(!r.rig.sim->dmxTransparency);
}

void tst_dmx_capture::saveWritesEveryChannel_data()
{
    QTest::addColumn<bool>("mask");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("mode");

    QTest::newRow("scene, bigger wins") << false << 1 << int(MIX_BIGGER);
    QTest::newRow("scene, overwrite") << false << 0 << int(MIX_OVERWRITE);
    QTest::newRow("mask, invert") << true << 2 << int(MIX_INVERT);
}

void tst_dmx_capture::saveWritesEveryChannel()
{
    QFETCH(bool, mask);
    QFETCH(int, item);
    QFETCH(int, mode);

    captureRig r;
    kv310_controller_class& c = *r.rig.controller;
    const int target = mask ? 200 : 4000;
    const uint32_t levels = mask ? img::maskChannelsOf(target - 1) : img::sceneChannelsOf(target - 1);
    const uint32_t times = mask ? img::maskTimesOf(target - 1) : img::sceneTimesOf(target - 1);
    for (int ch = 0; ch < 512; ++ch) {
        c.configImage[levels + ch] = uint8_t(ch * 7);
        r.rig.sim->output[ch] = char(ch * 3);
    }
    fadeTimes{12, 34, 56, 78}.write(c.configImage + times);
    c.sceneDescriptions[size_t(target - 1)] = QStringLiteral("kept");
    // The channel limit does not narrow what is stored.
    channelCount = 24;

    r.tick(true);
    r.poll();
    if (mask)
        r.page->saveMaskButton->click();
    r.page->mixingBox->setCurrentIndex(item);
    r.page->targetBox->setValue(target);
    const QByteArray untouched = QByteArray(reinterpret_cast<const char*>(c.configImage + img::sceneChannelsOf(0)), 512);
    r.page->saveButton->click();

    for (int ch = 0; ch < 512; ++ch)
        QCOMPARE(c.configImage[levels + ch], mixLevel(mode, uint8_t(ch * 7), uint8_t(ch * 3)));
    const fadeTimes kept = fadeTimes::read(c.configImage + times);
    QCOMPARE(kept.fadeUp, uint16_t(12));
    QCOMPARE(kept.reserved, uint16_t(78));
    QCOMPARE(c.sceneDescriptions[size_t(target - 1)], QStringLiteral("kept"));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.configImage + img::sceneChannelsOf(0)), 512), untouched);
    // Nothing went live.
    QVERIFY(r.rig.sim->logOf(SET_LIVE_VALUE).isEmpty());
}

QTEST_MAIN(tst_dmx_capture)
#include "tst_dmx_capture.moc"
