#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "model/config_image.h"

#include "support/page_fixture.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <array>
#include <memory>

namespace {

using record = std::array<int, 4>;  // min, max, down, up

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

// The words of the whole output, from the channel limit to the MBFT code.
QByteArray wholeOutputWords(const kv310_controller_class& c)
{
    return QByteArray(reinterpret_cast<const char*>(c.configImage) + img::outputChannelCount,
                      int(img::mbftCode + 2 - img::outputChannelCount));
}

}  // namespace

class tst_dmx_output_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void aNewPage();
    void summaries_data();
    void summaries();
    void limitingTheChannels();
    void aPanelEditRewritesOneRow();
    void loadingARecord_data();
    void loadingARecord();
    void choosingTheCharacteristic();
    void aNonLinearFirstChannel();
    void levelsBoundEachOther();
    void eventGenerationOnAndOff();
    void eventRangeBoxesFollowEachOther();
    void storedEventRangesAreBounded_data();
    void storedEventRangesAreBounded();
    void transmissionOnAndOff();
    void mbftStoresItsCode_data();
    void mbftStoresItsCode();
    void mbftShowsTheStoredCode_data();
    void mbftShowsTheStoredCode();
    void switchingChannelsKeepsTheWholeOutput();

private:
    std::unique_ptr<pageFixture> world;
    std::unique_ptr<asettings_dmx_widget> page;

    uint8_t* image() { return world->controller().configImage; }
    asettings_dmx_set_widget* panel() { return page->settingsPanel; }
    void setRecord(int channel, const record& r)
    {
        uint8_t* p = image() + img::outputChannelsOf(channel);
        for (int i = 0; i < 4; ++i)
            p[i] = uint8_t(r[size_t(i)]);
    }
    record recordOf(int channel)
    {
        const uint8_t* p = image() + img::outputChannelsOf(channel);
        return {p[0], p[1], p[2], p[3]};
    }
    QString rowText(int row, int column) { return page->channelModel->item(row, column)->text(); }
    void makePage() { page = std::make_unique<asettings_dmx_widget>(&world->tab); }
    void choose(int row) { page->channelView->setCurrentIndex(page->channelModel->index(row, 0)); }
};

void tst_dmx_output_page::init()
{
    world = std::make_unique<pageFixture>();
}

void tst_dmx_output_page::cleanup()
{
    page.reset();
    world.reset();
}

void tst_dmx_output_page::aNewPage()
{
    const QByteArray before = imageHash(world->controller());
    makePage();
    QCOMPARE(imageHash(world->controller()), before);

    QCOMPARE(page->channelModel->rowCount(), 512);
    QCOMPARE(page->channelModel->headerData(0, Qt::Horizontal).toString(), QStringLiteral("DMX Channel"));
    QCOMPARE(page->channelModel->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Channel Settings"));
    QCOMPARE(rowText(0, 0), QStringLiteral("DMX Ch. 1"));
    QCOMPARE(rowText(511, 0), QStringLiteral("DMX Ch. 512"));
    QCOMPARE(rowText(511, 1), QStringLiteral("(0,255) [--,--] L"));
    QCOMPARE(page->channelCaption->text(), QStringLiteral("DMX Channel: 1"));
    QCOMPARE(page->channelView->currentIndex().row(), 0);
    QCOMPARE(panel()->parentWidget(), &world->tab);
    QCOMPARE(panel()->pos(), QPoint(350, 100));

    // A cleared configuration: linear over the full range, generation and
    // transmission off, 20 µs between frames.
    QVERIFY(panel()->radioButtonLinear->isChecked());
    QVERIFY(!panel()->groupBoxTriggered->isEnabled());
    QCOMPARE(panel()->spinBoxMin->value(), 0);
    QCOMPARE(panel()->spinBoxMax->value(), 255);
    QCOMPARE(panel()->spinBoxHDown->text(), QStringLiteral(" "));
    QCOMPARE(panel()->spinBoxHUp->text(), QStringLiteral(" "));
    QVERIFY(!panel()->gbEvGen->isChecked());
    QVERIFY(!panel()->gbTransparency->isChecked());
    QCOMPARE(panel()->sbMbft->value(), 20);
    QCOMPARE(panel()->spinChnlMax->value(), 512);
    QCOMPARE(world->window().eventsTabs.last(), qMakePair(6, false));
}

void tst_dmx_output_page::summaries_data()
{
    QTest::addColumn<record>("stored");
    QTest::addColumn<QString>("summary");
    QTest::newRow("cleared") << record{0, 255, 255, 255} << QStringLiteral("(0,255) [--,--] L");
    QTest::newRow("non-linear") << record{10, 200, 255, 0} << QStringLiteral("(10,200) [--,--] N");
    QTest::newRow("triggered") << record{0, 255, 50, 200} << QStringLiteral("(0,255) [50,200] H");
    QTest::newRow("linear, up 7") << record{0, 255, 255, 7} << QStringLiteral("(0,255) [--,--] L");
}

void tst_dmx_output_page::summaries()
{
    QFETCH(record, stored);
    QFETCH(QString, summary);
    setRecord(300, stored);
    makePage();
    QCOMPARE(asettings_dmx_widget::channelSummary(300), summary);
    QCOMPARE(rowText(300, 1), summary);
    QCOMPARE(asettings_dmx_widget::channelSummary(512), QStringLiteral("???"));
}

void tst_dmx_output_page::limitingTheChannels()
{
    setRecord(23, {0, 255, 50, 200});
    makePage();
    world->tab.show();
    choose(99);
    QCOMPARE(panel()->currentChannel, 99);

    panel()->spinChnlMax->setValue(24);
    QCOMPARE(page->channelModel->rowCount(), 24);
    QCOMPARE(img::getU16(image(), img::outputChannelCount), 24);
    QCOMPARE(world->window().channelRangeLimits, QList<int>{24});
    // The current row went with the others: the last row left is shown.
    QCOMPARE(page->channelView->currentIndex().row(), 23);
    QCOMPARE(page->currentChannel, 23);
    QCOMPARE(panel()->currentChannel, 23);
    QCOMPARE(page->channelCaption->text(), QStringLiteral("DMX Channel: 24"));
    QVERIFY(panel()->radioButtonTriggered->isChecked());

    setRecord(400, {10, 200, 255, 0});
    panel()->spinChnlMax->setValue(512);
    QCOMPARE(page->channelModel->rowCount(), 512);
    QCOMPARE(img::getU16(image(), img::outputChannelCount), 512);
    QCOMPARE(world->window().channelRangeLimits, (QList<int>{24, 512}));
    QCOMPARE(rowText(400, 0), QStringLiteral("DMX Ch. 401"));
    QCOMPARE(rowText(400, 1), QStringLiteral("(10,200) [--,--] N"));
    QCOMPARE(page->currentChannel, 23);
}

void tst_dmx_output_page::aPanelEditRewritesOneRow()
{
    makePage();
    choose(2);
    setRecord(5, {10, 200, 255, 0});  // not shown until the next refresh

    panel()->spinBoxMin->setValue(5);
    QCOMPARE(recordOf(2), (record{5, 255, 255, 255}));
    QCOMPARE(rowText(2, 1), QStringLiteral("(5,255) [--,--] L"));
    QCOMPARE(rowText(5, 1), QStringLiteral("(0,255) [--,--] L"));
    panel()->radioButtonTriggered->setChecked(true);
    QCOMPARE(rowText(2, 1), QStringLiteral("(5,255) [50,200] H"));
}

void tst_dmx_output_page::loadingARecord_data()
{
    QTest::addColumn<record>("before");  // the channel shown before
    QTest::addColumn<record>("stored");
    QTest::addColumn<QString>("characteristic");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("down");  // as the boxes show them
    QTest::addColumn<QString>("up");
    QTest::addColumn<record>("kept");

    const record linear{0, 255, 255, 255};
    const record lowUp{0, 255, 10, 30};
    for (const auto& [name, previous] : {std::pair{"after linear", linear}, std::pair{"after up 30", lowUp}}) {
        QTest::addRow("min over max, %s", name) << previous << record{200, 100, 255, 255} << "linear" << 0 << 255
                                                << " " << " " << record{0, 255, 255, 255};
        QTest::addRow("down over up, %s", name) << previous << record{0, 255, 120, 80} << "linear" << 0 << 255 << " "
                                                << " " << record{0, 255, 255, 255};
        QTest::addRow("down 0, %s", name) << previous << record{0, 255, 0, 80} << "triggered" << 0 << 255 << "1"
                                          << "80" << record{0, 255, 0, 80};
        QTest::addRow("triggered, %s", name) << previous << record{20, 230, 50, 200} << "triggered" << 20 << 230
                                             << "50" << "200" << record{20, 230, 50, 200};
        QTest::addRow("up 255, %s", name) << previous << record{0, 255, 100, 255} << "triggered" << 0 << 255 << "100"
                                          << "254" << record{0, 255, 100, 255};
        QTest::addRow("non-linear, %s", name) << previous << record{10, 200, 255, 0} << "non-linear" << 10 << 200
                                              << " " << " " << record{10, 200, 255, 0};
        QTest::addRow("linear up 7, %s", name) << previous << record{0, 255, 255, 7} << "linear" << 0 << 255 << " "
                                               << " " << record{0, 255, 255, 7};
    }
}

void tst_dmx_output_page::loadingARecord()
{
    QFETCH(record, before);
    QFETCH(record, stored);
    QFETCH(QString, characteristic);
    QFETCH(record, kept);
    setRecord(0, before);
    setRecord(1, stored);
    makePage();
    choose(1);

    QTEST(panel()->spinBoxMin->value(), "min");
    QTEST(panel()->spinBoxMax->value(), "max");
    const QString shown = panel()->radioButtonTriggered->isChecked() ? QStringLiteral("triggered")
        : panel()->radioButtonLinear->isChecked()                    ? QStringLiteral("linear")
        : panel()->radioButtonNonLinear->isChecked()                 ? QStringLiteral("non-linear")
                                                                     : QString();
    QCOMPARE(shown, characteristic);
    QCOMPARE(panel()->groupBoxTriggered->isEnabled(), characteristic == QLatin1String("triggered"));
    QTEST(panel()->spinBoxHDown->text(), "down");
    QTEST(panel()->spinBoxHUp->text(), "up");
    QCOMPARE(recordOf(1), kept);
    QCOMPARE(recordOf(0), before);
    // The minimum and maximum still bound each other.
    QCOMPARE(panel()->spinBoxMin->maximum(), panel()->spinBoxMax->value() - 1);
    QCOMPARE(panel()->spinBoxMax->minimum(), panel()->spinBoxMin->value() + 1);
}

void tst_dmx_output_page::choosingTheCharacteristic()
{
    makePage();
    QSignalSpy changes(panel(), &asettings_dmx_set_widget::changed);
    panel()->radioButtonTriggered->setChecked(true);
    QCOMPARE(recordOf(0), (record{0, 255, 50, 200}));
    QVERIFY(panel()->groupBoxTriggered->isEnabled());
    QCOMPARE(panel()->spinBoxHDown->value(), 50);
    QCOMPARE(panel()->spinBoxHUp->value(), 200);
    QVERIFY(!changes.isEmpty());

    // Edits of the levels reach the record while triggered...
    panel()->spinBoxHUp->setValue(180);
    panel()->spinBoxHDown->setValue(70);
    QCOMPARE(recordOf(0), (record{0, 255, 70, 180}));

    // ...and no longer once the channel is non-linear.
    panel()->radioButtonNonLinear->setChecked(true);
    QCOMPARE(recordOf(0), (record{0, 255, 255, 0}));
    QCOMPARE(panel()->spinBoxHDown->text(), QStringLiteral(" "));
    QCOMPARE(panel()->spinBoxHUp->text(), QStringLiteral(" "));
    QVERIFY(!panel()->groupBoxTriggered->isEnabled());
    panel()->spinBoxHDown->setValue(7);
    QCOMPARE(recordOf(0), (record{0, 255, 255, 0}));

    panel()->radioButtonLinear->setChecked(true);
    QCOMPARE(recordOf(0), (record{0, 255, 255, 255}));
}

void tst_dmx_output_page::aNonLinearFirstChannel()
{
    // Non-linear is what the panel shows before any channel: no button
    // changes, yet the hysteresis boxes must go blank and let go of the record.
    setRecord(0, {0, 255, 255, 0});
    makePage();
    QVERIFY(panel()->radioButtonNonLinear->isChecked());
    QCOMPARE(panel()->spinBoxHDown->text(), QStringLiteral(" "));
    QCOMPARE(panel()->spinBoxHUp->text(), QStringLiteral(" "));
    panel()->spinBoxHUp->setValue(1);
    panel()->spinBoxHDown->setValue(1);
    QCOMPARE(recordOf(0), (record{0, 255, 255, 0}));
}

void tst_dmx_output_page::levelsBoundEachOther()
{
    makePage();
    panel()->spinBoxMin->setValue(30);
    QCOMPARE(panel()->spinBoxMax->minimum(), 31);
    panel()->spinBoxMax->setValue(10);
    QCOMPARE(panel()->spinBoxMax->value(), 31);
    panel()->spinBoxMax->setValue(100);
    QCOMPARE(panel()->spinBoxMin->maximum(), 99);
    QCOMPARE(recordOf(0), (record{30, 100, 255, 255}));

    panel()->radioButtonTriggered->setChecked(true);
    QCOMPARE(panel()->spinBoxHDown->maximum(), 199);
    panel()->spinBoxHDown->setValue(250);
    QCOMPARE(panel()->spinBoxHDown->value(), 199);
    panel()->spinBoxHUp->setValue(254);
    panel()->spinBoxHDown->setValue(253);
    QCOMPARE(recordOf(0), (record{30, 100, 253, 254}));
    QCOMPARE(panel()->spinBoxHUp->minimum(), 254);
}

void tst_dmx_output_page::eventGenerationOnAndOff()
{
    makePage();
    fakeMainWindow& w = world->window();
    img::putU16(image(), img::outEventLastChannel, 0x1234);

    panel()->gbEvGen->setChecked(true);
    QCOMPARE(img::getU16(image(), img::outEventFirstChannel), 511);
    QCOMPARE(img::getU16(image(), img::outEventLastChannel), 511);
    QCOMPARE(panel()->sbFromCh->value(), 512);
    QCOMPARE(panel()->sbToCh->value(), 512);
    QCOMPARE(w.dmxOutEventRanges.last(), qMakePair(512, 512));
    QCOMPARE(w.eventsTabs.last(), qMakePair(6, true));
    QCOMPARE(w.dmxOutEventsRefreshes, 1);

    panel()->gbEvGen->setChecked(false);
    QCOMPARE(img::getU16(image(), img::outEventFirstChannel), 0xFFFF);
    QCOMPARE(img::getU16(image(), img::outEventLastChannel), 511);
    QCOMPARE(w.dmxOutEventRanges.last(), qMakePair(513, 512));
    QCOMPARE(w.eventsTabs.last(), qMakePair(6, false));
    QCOMPARE(w.dmxOutEventsRefreshes, 1);
}

void tst_dmx_output_page::eventRangeBoxesFollowEachOther()
{
    img::putU16(image(), img::outEventFirstChannel, 99);
    img::putU16(image(), img::outEventLastChannel, 199);
    makePage();
    fakeMainWindow& w = world->window();
    QCOMPARE(w.eventsTabs.last(), qMakePair(6, true));
    QCOMPARE(panel()->sbToCh->value(), 200);

    panel()->sbFromCh->setValue(300);
    QCOMPARE(panel()->sbToCh->value(), 300);
    QCOMPARE(img::getU16(image(), img::outEventFirstChannel), 299);
    QCOMPARE(img::getU16(image(), img::outEventLastChannel), 299);
    QCOMPARE(w.dmxOutEventRanges.last(), qMakePair(300, 300));

    panel()->sbToCh->setValue(20);
    QCOMPARE(panel()->sbFromCh->value(), 20);
    QCOMPARE(img::getU16(image(), img::outEventFirstChannel), 19);
    QCOMPARE(img::getU16(image(), img::outEventLastChannel), 19);
    QCOMPARE(w.dmxOutEventRanges.last(), qMakePair(20, 20));
    // Moving the range does not rebuild the events page.
    QCOMPARE(w.dmxOutEventsRefreshes, 0);
}

void tst_dmx_output_page::storedEventRangesAreBounded_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("shownFirst");
    QTest::addColumn<int>("shownLast");
    QTest::newRow("in range") << 9 << 19 << 10 << 20;
    QTest::newRow("last 0xFFFF") << 9 << 0xFFFF << 10 << 512;
    QTest::newRow("last 512") << 0 << 512 << 1 << 512;
    QTest::newRow("last below first") << 300 << 100 << 301 << 301;
    QTest::newRow("first 511") << 511 << 0xFFFF << 512 << 512;
}

void tst_dmx_output_page::storedEventRangesAreBounded()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, shownFirst);
    QFETCH(int, shownLast);
    img::putU16(image(), img::outEventFirstChannel, uint16_t(first));
    img::putU16(image(), img::outEventLastChannel, uint16_t(last));
    makePage();
    QVERIFY(panel()->gbEvGen->isChecked());
    QCOMPARE(panel()->sbFromCh->value(), shownFirst);
    QCOMPARE(panel()->sbToCh->value(), shownLast);

    // As the main window does after a read.
    panel()->eventGenEnable(true);
    QCOMPARE(world->window().dmxOutEventRanges.last(), qMakePair(shownFirst, shownLast));
    QCOMPARE(panel()->sbFromCh->value(), shownFirst);
    QCOMPARE(panel()->sbToCh->value(), shownLast);
    // Only shown so: the image keeps what it held.
    QCOMPARE(img::getU16(image(), img::outEventFirstChannel), first);
    QCOMPARE(img::getU16(image(), img::outEventLastChannel), last);
    QCOMPARE(asettings_dmx_set_widget::storedEventRange(image()), qMakePair(shownFirst, shownLast));
}

void tst_dmx_output_page::transmissionOnAndOff()
{
    img::putU16(image(), img::transmitLastChannel, 0x0777);
    makePage();
    panel()->gbTransparency->setChecked(true);
    QCOMPARE(panel()->sbFromChT->value(), 1);
    QCOMPARE(panel()->sbToChT->value(), 1);
    QCOMPARE(img::getU16(image(), img::transmitFirstChannel), 0);
    QCOMPARE(img::getU16(image(), img::transmitLastChannel), 0);

    panel()->sbToChT->setValue(40);
    panel()->sbFromChT->setValue(50);
    QCOMPARE(panel()->sbToChT->value(), 50);
    QCOMPARE(img::getU16(image(), img::transmitFirstChannel), 49);
    QCOMPARE(img::getU16(image(), img::transmitLastChannel), 49);

    panel()->gbTransparency->setChecked(false);
    QCOMPARE(img::getU16(image(), img::transmitFirstChannel), 0xFFFF);
    QCOMPARE(img::getU16(image(), img::transmitLastChannel), 49);
    // Switched on again, it starts over with channel 1 alone.
    panel()->gbTransparency->setChecked(true);
    QCOMPARE(img::getU16(image(), img::transmitFirstChannel), 0);
    QCOMPARE(panel()->sbToChT->value(), 1);
}

void tst_dmx_output_page::mbftStoresItsCode_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("code");
    QTest::newRow("no delay") << 8 << 0;
    QTest::newRow("9") << 9 << 1;
    QTest::newRow("10") << 10 << 1;
    QTest::newRow("11") << 11 << 1;
    QTest::newRow("12") << 12 << 2;
    QTest::newRow("13") << 13 << 3;
    QTest::newRow("14") << 14 << 4;
    QTest::newRow("100") << 100 << 90;
}

void tst_dmx_output_page::mbftStoresItsCode()
{
    QFETCH(int, value);
    makePage();
    panel()->sbMbft->setValue(value);
    QTEST(int(img::getU16(image(), img::mbftCode)), "code");
}

void tst_dmx_output_page::mbftShowsTheStoredCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0") << 0 << QStringLiteral("no delay");
    QTest::newRow("1") << 1 << QStringLiteral("10 µs");
    QTest::newRow("3") << 3 << QStringLiteral("13 µs");
    QTest::newRow("90") << 90 << QStringLiteral("100 µs");
}

void tst_dmx_output_page::mbftShowsTheStoredCode()
{
    QFETCH(int, code);
    img::putU16(image(), img::mbftCode, uint16_t(code));
    makePage();
    QTEST(panel()->sbMbft->text(), "shown");
    QCOMPARE(int(img::getU16(image(), img::mbftCode)), code);
}

void tst_dmx_output_page::switchingChannelsKeepsTheWholeOutput()
{
    // Words the boxes cannot show as they are.
    img::putU16(image(), img::outputChannelCount, 100);
    img::putU16(image(), img::outEventFirstChannel, 9);
    img::putU16(image(), img::outEventLastChannel, 0xFFFF);
    img::putU16(image(), img::transmitFirstChannel, 300);
    img::putU16(image(), img::transmitLastChannel, 20);
    img::putU16(image(), img::mbftCode, 3);
    setRecord(1, {0, 255, 50, 200});
    setRecord(2, {10, 200, 255, 0});
    setRecord(3, {0, 255, 0, 80});
    const QByteArray words = wholeOutputWords(world->controller());

    makePage();
    for (int row : {1, 2, 3, 0, 3, 1}) {
        choose(row);
        page->refresh();
    }
    QCOMPARE(wholeOutputWords(world->controller()), words);
}

QTEST_MAIN(tst_dmx_output_page)
#include "tst_dmx_output_page.moc"
