#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "model/config_image.h"
#include "transport/protocol.h"

#include "device/controller_rig.h"
#include "support/page_fixture.h"
#include "support/virtual_clock.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

namespace {

using bank = admx512_sliders_widget;

QList<int> shownLevels(const bank& b)
{
    QList<int> out;
    for (const auto& f : b.sliders) {
        if (f->valueBox->value() != f->slider->value())
            return {-1};
        out << f->slider->value();
    }
    return out;
}

QStringList captions(const bank& b)
{
    QStringList out;
    for (const auto& f : b.sliders)
        out << f->label->text();
    return out;
}

// Where record r's channel ch of a kind lives in the controller object.
uint8_t* levelOf(kv310_controller_class& c, int kind, int r, int ch)
{
    switch (kind) {
    case bank::KIND_SCENES:
        return c.configImage + img::sceneChannelsOf(r) + ch;
    case bank::KIND_MASKS:
        return c.configImage + img::maskChannelsOf(r) + ch;
    default:
        return &c.compoundScenes[r / 2][r % 2][ch];
    }
}

QByteArray everything(const kv310_controller_class& c)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(QByteArrayView(c.configImage, img::SIZE));
    h.addData(QByteArrayView(&c.compoundScenes[0][0][0], sizeof c.compoundScenes));
    return h.result();
}

}  // namespace

class tst_fader_bank : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void faderKeepsSliderAndBoxTogether();
    void movingAFaderStoresAndReports();
    void sameLevelReportsNothing();
    void levelOutsideTheShownChannels();
    void scrollingShowsOtherChannels();
    void setSlidersIgnoresChannelsOutOfRange_data();
    void setSlidersIgnoresChannelsOutOfRange();
    void jumpingToOtherChannelsKeepsFadersTrue();
    void choosingARecord();
    void argumentsOutsideTheRecordAreIgnored_data();
    void argumentsOutsideTheRecordAreIgnored();
    void eachKindEditsItsOwnRecords_data();
    void eachKindEditsItsOwnRecords();
    void placement_data();
    void placement();
    void channelLimitBoundsTheScrollBar();

    void sceneBankDrivesTheControllerLive();
    void maskAndCompoundBanksSendNothingLive_data();
    void maskAndCompoundBanksSendNothingLive();

private:
    std::unique_ptr<pageFixture> world;
};

void tst_fader_bank::init()
{
    world = std::make_unique<pageFixture>();
}

void tst_fader_bank::cleanup()
{
    world.reset();
}

void tst_fader_bank::faderKeepsSliderAndBoxTogether()
{
    admx_slider_widget fader(7, 5, 6, &world->tab);
    QCOMPARE(fader.container->geometry(), QRect(5, 6, 67, 200));
    QCOMPARE(fader.label->text(), QStringLiteral("7"));
    QSignalSpy reports(&fader, &admx_slider_widget::chValCh);

    fader.valueBox->setValue(200);
    QCOMPARE(fader.slider->value(), 200);
    fader.slider->setValue(9);
    QCOMPARE(fader.valueBox->value(), 9);
    QCOMPARE(reports, (QList<QList<QVariant>>{{6, 200}, {6, 9}}));

    fader.setChannel(30);
    QCOMPARE(fader.label->text(), QStringLiteral("37"));
    fader.slider->setValue(10);
    QCOMPARE(reports.last(), (QList<QVariant>{36, 10}));

    // The stand-alone fader sets groups, not a channel.
    admx_slider_widget value(0, 0, 0, &world->tab);
    QCOMPARE(value.label->text(), QStringLiteral("Value"));
    QSignalSpy valueReports(&value, &admx_slider_widget::chValCh);
    value.slider->setValue(128);
    QCOMPARE(valueReports, (QList<QList<QVariant>>{{-1, 128}}));
}

void tst_fader_bank::movingAFaderStoresAndReports()
{
    bank b(&world->controller(), 512, &world->tab, bank::KIND_SCENES);
    QSignalSpy live(&b, &bank::liveNewValue);
    b.setSceneNumber(3);

    b.sliders[4]->slider->setValue(180);
    QCOMPARE(*levelOf(world->controller(), 0, 3, 4), uint8_t(180));
    b.sliders[2]->valueBox->setValue(7);
    QCOMPARE(*levelOf(world->controller(), 0, 3, 2), uint8_t(7));
    QCOMPARE(live, (QList<QList<QVariant>>{{3, 4}, {3, 2}}));
    QCOMPARE(shownLevels(b), (QList<int>{0, 0, 7, 0, 180, 0, 0, 0, 0, 0}));
}

void tst_fader_bank::sameLevelReportsNothing()
{
    *levelOf(world->controller(), 0, 0, 1) = 90;
    bank b(&world->controller(), 512, &world->tab, bank::KIND_SCENES);
    b.setSliders(0);
    QSignalSpy live(&b, &bank::liveNewValue);

    b.sCh(1, 90);
    b.sCh(0, 0);
    b.sliders[1]->slider->setValue(90);
    QVERIFY(live.isEmpty());
}

void tst_fader_bank::levelOutsideTheShownChannels()
{
    bank b(&world->controller(), 512, &world->tab, bank::KIND_SCENES);
    QSignalSpy live(&b, &bank::liveNewValue);

    b.sCh(40, 33);
    QCOMPARE(*levelOf(world->controller(), 0, 0, 40), uint8_t(33));
    QCOMPARE(live, (QList<QList<QVariant>>{{0, 40}}));
    QCOMPARE(shownLevels(b), QList<int>(10, 0));

    // A shown channel moves its fader along, and reports once.
    b.sCh(9, 250);
    QCOMPARE(shownLevels(b).last(), 250);
    QCOMPARE(live.size(), 2);
}

void tst_fader_bank::scrollingShowsOtherChannels()
{
    uint8_t* record = levelOf(world->controller(), 0, 0, 0);
    for (int ch = 0; ch < 512; ++ch)
        record[ch] = uint8_t(ch % 256);
    bank b(&world->controller(), 512, &world->tab, bank::KIND_SCENES);
    const QByteArray before = everything(world->controller());
    QCOMPARE(b.scrollBar->minimum(), 0);
    QCOMPARE(b.scrollBar->maximum(), 502);

    b.scrollBar->setValue(502);
    QCOMPARE(b.firstChannel, 502);
    QCOMPARE(captions(b), (QStringList{"503", "504", "505", "506", "507", "508", "509", "510", "511", "512"}));
    QCOMPARE(shownLevels(b), (QList<int>{246, 247, 248, 249, 250, 251, 252, 253, 254, 255}));
    QCOMPARE(everything(world->controller()), before);

    b.sliders[9]->slider->setValue(1);
    QCOMPARE(record[511], uint8_t(1));
}

void tst_fader_bank::setSlidersIgnoresChannelsOutOfRange_data()
{
    QTest::addColumn<int>("first");
    QTest::newRow("503") << 503;
    QTest::newRow("-1") << -1;
    QTest::newRow("most negative") << std::numeric_limits<int>::min();
}

void tst_fader_bank::setSlidersIgnoresChannelsOutOfRange()
{
    QFETCH(int, first);
    *levelOf(world->controller(), 0, 0, 20) = 5;
    bank b(&world->controller(), 512, &world->tab, bank::KIND_SCENES);
    b.scrollBar->setValue(20);
    b.setSliders(first);
    QCOMPARE(b.firstChannel, 20);
    QCOMPARE(shownLevels(b).first(), 5);
    QCOMPARE(captions(b).first(), QStringLiteral("21"));
}

void tst_fader_bank::jumpingToOtherChannelsKeepsFadersTrue()
{
    // An owner that reloads other channels than the scroll bar shows must
    // not make a fader store the level it shows under its old channel.
    uint8_t* record = levelOf(world->controller(), 0, 0, 0);
    record[5] = 77;
    bank b(&world->controller(), 512, &world->tab, bank::KIND_SCENES);
    const QByteArray before = everything(world->controller());
    b.setSliders(5);
    QCOMPARE(everything(world->controller()), before);
    QCOMPARE(b.scrollBar->value(), 5);
    QCOMPARE(captions(b).first(), QStringLiteral("6"));
    QCOMPARE(shownLevels(b).first(), 77);
    QCOMPARE(record[0], uint8_t(0));
}

void tst_fader_bank::choosingARecord()
{
    *levelOf(world->controller(), 0, 6, 0) = 61;
    bank b(&world->controller(), 512, &world->tab, bank::KIND_SCENES);
    QCOMPARE(b.numberLabel->text(), QStringLiteral("1"));
    QCOMPARE(b.titleLabel->text(), QStringLiteral("Scene: "));
    QSignalSpy prepare(&b, &bank::livePrepareScene);
    QSignalSpy live(&b, &bank::liveNewValue);

    b.setSceneNumber(6);
    QCOMPARE(b.recordNumber, 6);
    QCOMPARE(b.numberLabel->text(), QStringLiteral("7"));
    QCOMPARE(shownLevels(b).first(), 61);
    b.setSceneNumber(6);  // the same record again: prepared again
    QCOMPARE(prepare, (QList<QList<QVariant>>{{6}, {6}}));
    QVERIFY(live.isEmpty());
}

void tst_fader_bank::argumentsOutsideTheRecordAreIgnored_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("record");   // for setSceneNumber
    QTest::addColumn<int>("channel");  // for sCh
    QTest::addColumn<int>("level");
    QTest::newRow("scene -1") << 0 << -1 << 0 << 1;
    QTest::newRow("scene 10240") << 0 << 10240 << 0 << 1;
    QTest::newRow("mask 256") << 1 << 256 << 0 << 1;
    QTest::newRow("picture 32") << 2 << 32 << 0 << 1;
    QTest::newRow("channel 512") << 0 << 0 << 512 << 1;
    QTest::newRow("channel -1") << 1 << 0 << -1 << 1;
    QTest::newRow("level 256") << 2 << 0 << 0 << 256;
    QTest::newRow("level -1") << 0 << 0 << 0 << -1;
}

void tst_fader_bank::argumentsOutsideTheRecordAreIgnored()
{
    QFETCH(int, kind);
    QFETCH(int, record);
    QFETCH(int, channel);
    QFETCH(int, level);
    bank b(&world->controller(), 512, &world->tab, kind);
    b.setSceneNumber(bank::recordCount(kind) - 1);  // the last record: its neighbour lies beyond
    QSignalSpy prepare(&b, &bank::livePrepareScene);
    QSignalSpy live(&b, &bank::liveNewValue);
    const QByteArray before = everything(world->controller());
    const QString label = b.numberLabel->text();

    if (record != 0)
        b.setSceneNumber(record);
    else
        b.sCh(channel, level);
    QCOMPARE(everything(world->controller()), before);
    QCOMPARE(b.recordNumber, bank::recordCount(kind) - 1);
    QCOMPARE(b.numberLabel->text(), label);
    QVERIFY(prepare.isEmpty());
    QVERIFY(live.isEmpty());
}

void tst_fader_bank::eachKindEditsItsOwnRecords_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("scenes") << int(bank::KIND_SCENES);
    QTest::newRow("masks") << int(bank::KIND_MASKS);
    QTest::newRow("compound pictures") << int(bank::KIND_COMPOUND);
}

void tst_fader_bank::eachKindEditsItsOwnRecords()
{
    QFETCH(int, kind);
    kv310_controller_class& c = world->controller();
    *levelOf(c, kind, 5, 3) = 44;
    bank b(&c, 512, &world->tab, kind);
    b.setSceneNumber(5);
    QCOMPARE(shownLevels(b).at(3), 44);

    const QByteArray before = everything(c);
    b.sCh(3, 45);
    QCOMPARE(*levelOf(c, kind, 5, 3), uint8_t(45));
    *levelOf(c, kind, 5, 3) = 44;
    QCOMPARE(everything(c), before);  // that byte and nothing else
}

void tst_fader_bank::placement_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("dx");
    QTest::addColumn<QString>("caption");
    QTest::newRow("scenes") << 0 << 0 << "Scene: ";
    QTest::newRow("masks") << 1 << 0 << "Mask";
    QTest::newRow("compound") << 2 << 200 << "Compound scene: ";
}

void tst_fader_bank::placement()
{
    QFETCH(int, kind);
    QFETCH(int, dx);
    QFETCH(QString, caption);
    bank b(&world->controller(), 512, &world->tab, kind);
    QCOMPARE(b.titleLabel->text(), caption);
    QCOMPARE(b.header->geometry(), QRect(280 + dx, 30, 188, 31));
    QCOMPARE(b.faderArea->geometry(), QRect(20 + dx, 150, 1000, 200));
    QCOMPARE(b.scrollBar->geometry(), QRect(30 + dx, 350, 587, 20));
    for (int i = 0; i < bank::FADERS; ++i) {
        QCOMPARE(b.sliders[i]->container->parentWidget(), b.faderArea);
        QCOMPARE(b.sliders[i]->container->geometry(), QRect(60 * i, 0, 67, 200));
    }
}

void tst_fader_bank::channelLimitBoundsTheScrollBar()
{
    bank b(&world->controller(), 100, &world->tab, bank::KIND_SCENES);
    QCOMPARE(b.scrollBar->maximum(), 90);
    b.scrollBar->setValue(200);
    QCOMPARE(b.firstChannel, 90);
    QCOMPARE(captions(b).last(), QStringLiteral("100"));
}

void tst_fader_bank::sceneBankDrivesTheControllerLive()
{
    virtualClock clock;
    controllerRig rig;
    QVERIFY(rig.connect());
    uint8_t* scene = rig.controller->configImage + img::sceneChannelsOf(12);
    for (int ch = 0; ch < 512; ++ch)
        scene[ch] = uint8_t(255 - ch % 256);
    bank b(rig.controller.get(), 512, &world->tab, bank::KIND_SCENES);

    // Not live: the bank edits the image only.
    b.setSceneNumber(12);
    b.sliders[0]->slider->setValue(1);
    QVERIFY(rig.sim->log.isEmpty());

    rig.controller->ch_mode(2);
    b.setSceneNumber(12);
    QCOMPARE(rig.sim->liveFramesTaken, 1);
    QCOMPARE(rig.sim->output, QByteArray(reinterpret_cast<const char*>(scene), 512));

    b.sliders[3]->slider->setValue(9);
    b.sCh(300, 8);
    QCOMPARE(uint8_t(rig.sim->output[3]), uint8_t(9));
    QCOMPARE(uint8_t(rig.sim->output[300]), uint8_t(8));
    QCOMPARE(rig.sim->countOf(SET_LIVE_VALUE), 2);
    QVERIFY(rig.status->isEmpty());
}

void tst_fader_bank::maskAndCompoundBanksSendNothingLive_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("masks") << int(bank::KIND_MASKS);
    QTest::newRow("compound pictures") << int(bank::KIND_COMPOUND);
}

void tst_fader_bank::maskAndCompoundBanksSendNothingLive()
{
    QFETCH(int, kind);
    virtualClock clock;
    controllerRig rig;
    QVERIFY(rig.connect());
    rig.controller->ch_mode(2);
    bank b(rig.controller.get(), 512, &world->tab, kind);
    QSignalSpy live(&b, &bank::liveNewValue);
    QSignalSpy prepare(&b, &bank::livePrepareScene);

    // Editing record 3 of the kind must not put scene 3 on the stage.
    b.setSceneNumber(3);
    b.sliders[0]->slider->setValue(50);
    b.sCh(200, 60);
    QCOMPARE(*levelOf(*rig.controller, kind, 3, 0), uint8_t(50));
    QCOMPARE(live.size(), 2);
    QCOMPARE(prepare.size(), 1);
    QVERIFY(rig.sim->log.isEmpty());
    QCOMPARE(rig.sim->liveFramesTaken, 0);
}

QTEST_MAIN(tst_fader_bank)
#include "tst_fader_bank.moc"
