#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"

#include "support/page_fixture.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

namespace {

// The grid's cell of a 0-based channel, as its view draws it.
QModelIndex cellOf(const arecord_settings_widget& page, int ch)
{
    return page.groupTable->model()->index(ch / 10, ch % 10);
}

bool shownTicked(const arecord_settings_widget& page, int ch)
{
    return cellOf(page, ch).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

// Whether the user can tick the channel's cell (it is not greyed).
bool offered(const arecord_settings_widget& page, int ch)
{
    return page.groupTable->model()->flags(cellOf(page, ch)).testFlag(Qt::ItemIsEnabled);
}

// 1-based numbers of the channels the grid shows ticked.
QList<int> ticked(const arecord_settings_widget& page)
{
    QList<int> out;
    for (int ch = 0; ch < 512; ++ch)
        if (shownTicked(page, ch))
            out << ch + 1;
    return out;
}

// Ticks channels as clicks on their cells would.
void tick(ascene_settings_widget& page, const QList<int>& channels)
{
    for (int ch : channels)
        page.channelGrid->setChecked(ch - 1, true);
}

QList<int> range(int first, int last, int step = 1)
{
    QList<int> out;
    for (int ch = first; ch <= last; ch += step)
        out << ch;
    return out;
}

uint8_t* levels(kv310_controller_class& c, int scene)
{
    return c.configImage + img::sceneChannelsOf(scene);
}

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

// The user's Enter on the keypad: the box accepts its value.
void accept(guardedSpinBox* box, int value)
{
    box->setValue(value);
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
}

}  // namespace

class tst_channel_tools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void aNewGrid();
    void selectSome_data();
    void selectSome();
    void theUserTicksACellOfThePage_data();
    void theUserTicksACellOfThePage();
    void rangeBoxesKeepTheirOrderWhenAccepted();
    void valueFaderSetsTheTickedChannels();
    void copyWithRelocation_data();
    void copyWithRelocation();
    void enableBoxesExcludeEachOther();
    void channelLimit();
    void aPageBuiltUnderALowerLimit();

private:
    std::unique_ptr<pageFixture> world;
};

void tst_channel_tools::init()
{
    world = std::make_unique<pageFixture>();
}

void tst_channel_tools::cleanup()
{
    world.reset();
}

void tst_channel_tools::aNewGrid()
{
    img::putU16(world->controller().configImage, img::outputChannelCount, 200);
    ascene_settings_widget page(&world->controller(), &world->tab);
    cellSelectionGroup& tool = *page.selectionGroup;
    const QAbstractItemModel* grid = page.groupTable->model();
    QCOMPARE(grid->rowCount(), 52);
    QCOMPARE(grid->columnCount(), 10);
    QCOMPARE(grid->headerData(0, Qt::Vertical).toString(), QStringLiteral("0"));
    QCOMPARE(grid->headerData(51, Qt::Vertical).toString(), QStringLiteral("510"));
    QCOMPARE(grid->headerData(9, Qt::Horizontal).toString(), QStringLiteral("10"));
    QCOMPARE(page.channelGrid->cellAt(cellOf(page, 511)), 511);
    QCOMPARE(page.groupTable->columnWidth(9), 22);
    QCOMPARE(page.groupTable->rowHeight(51), 24);
    QCOMPARE(page.groupTable->geometry(), QRect(10, 20, 276, 602));
    for (int ch = 0; ch < 512; ++ch)
        QVERIFY(offered(page, ch));
    QCOMPARE(tool.toBox->value(), 64);
    QCOMPARE(tool.toBox->maximum(), 200);  // the stored output limit
    QCOMPARE(tool.fromBox->maximum(), 200);
    QCOMPARE(tool.stepBox->maximum(), 16);
    QVERIFY(tool.deselectButton->isChecked());
    QVERIFY(!tool.stepBox->isEnabled() && !tool.fromBox->isEnabled() && !tool.toBox->isEnabled());
    QVERIFY(!page.valueFader->slider->isEnabled() && !page.valueFader->valueBox->isEnabled());
    QCOMPARE(page.valueFader->label->text(), QStringLiteral("Value"));
    QVERIFY(!page.relocationBox->isEnabled() && !page.copyButton->isEnabled());
    QVERIFY(ticked(page).isEmpty());

    tool.everyBox->setChecked(true);
    tool.inRangeBox->setChecked(true);
    QVERIFY(tool.stepBox->isEnabled() && tool.fromBox->isEnabled() && tool.toBox->isEnabled());
}

void tst_channel_tools::selectSome_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("step");   // 0: "Choose every" not ticked
    QTest::addColumn<int>("from");   // 0: "In range" not ticked
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");

    QTest::newRow("every 3 in 5..12") << "select" << 3 << 5 << 12 << QList<int>{} << QList<int>{5, 8, 11};
    QTest::newRow("select all") << "select" << 0 << 0 << 0 << QList<int>{} << range(1, 512);
    QTest::newRow("every 16") << "select" << 16 << 0 << 0 << QList<int>{2} << (QList<int>{1, 2} + range(17, 497, 16));
    QTest::newRow("deselect a range") << "deselect" << 0 << 3 << 6 << QList<int>{1, 3, 6, 7} << QList<int>{1, 7};
    QTest::newRow("deselect all") << "deselect" << 0 << 0 << 0 << QList<int>{1, 512} << QList<int>{};
    QTest::newRow("invert a range") << "invert" << 0 << 1 << 4 << QList<int>{2, 3, 9} << QList<int>{1, 4, 9};
    QTest::newRow("invert every 2") << "invert" << 2 << 1 << 6 << QList<int>{1, 2} << QList<int>{2, 3, 5};
    QTest::newRow("range 10..5") << "select" << 0 << 10 << 5 << QList<int>{7} << QList<int>{7};
    QTest::newRow("last channels") << "select" << 0 << 510 << 512 << QList<int>{} << QList<int>{510, 511, 512};
}

void tst_channel_tools::selectSome()
{
    QFETCH(QString, mode);
    QFETCH(int, step);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    ascene_settings_widget page(&world->controller(), &world->tab);
    cellSelectionGroup& tool = *page.selectionGroup;
    tick(page, before);
    QRadioButton* modes[] = {tool.selectButton, tool.deselectButton, tool.invertButton};
    modes[QStringList{"select", "deselect", "invert"}.indexOf(mode)]->setChecked(true);
    if (step) {
        tool.everyBox->setChecked(true);
        tool.stepBox->setValue(step);
    }
    if (from) {
        tool.inRangeBox->setChecked(true);
        tool.fromBox->setValue(from);
        tool.toBox->setValue(to);
    }
    const QByteArray image = imageHash(world->controller());
    QSignalSpy redrawn(page.groupTable->model(), &QAbstractItemModel::dataChanged);

    tool.executeButton->click();
    QCOMPARE(ticked(page), after);
    QCOMPARE(imageHash(world->controller()), image);
    // The view is told of every cell that changed, and of nothing when none did.
    QCOMPARE(redrawn.isEmpty(), before == after);
    for (int ch = 1; ch <= 512; ++ch) {
        if (before.contains(ch) == after.contains(ch))
            continue;
        const QModelIndex cell = cellOf(page, ch - 1);
        const bool told = std::any_of(redrawn.cbegin(), redrawn.cend(), [&](const QList<QVariant>& signal) {
            return QItemSelectionRange(signal[0].toModelIndex(), signal[1].toModelIndex()).contains(cell);
        });
        QVERIFY2(told, qPrintable(QStringLiteral("channel %1").arg(ch)));
    }
}

void tst_channel_tools::theUserTicksACellOfThePage_data()
{
    QTest::addColumn<QString>("act");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("channel");   // 1-based
    QTest::addColumn<bool>("tickedAfter");

    QTest::newRow("a click") << "click" << 1 << 24 << true;
    QTest::newRow("a second click") << "click" << 2 << 24 << false;
    QTest::newRow("the space bar") << "space" << 1 << 37 << true;
    QTest::newRow("the space bar twice") << "space" << 2 << 37 << false;
    QTest::newRow("a click above the limit") << "click" << 1 << 101 << false;
}

// The grid of the real page, shown: what a check box in the cell did, the
// cell does, and the group tools use what the user ticked.
void tst_channel_tools::theUserTicksACellOfThePage()
{
    QFETCH(QString, act);
    QFETCH(int, times);
    QFETCH(int, channel);
    QFETCH(bool, tickedAfter);
    kv310_controller_class& c = world->controller();
    ascene_settings_widget page(&c, &world->tab);
    page.limitChnls(100);
    page.toolTabs->setCurrentIndex(1);
    world->tab.resize(1070, 703);
    world->tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&world->tab));
    QVERIFY(page.groupTable->isVisible());

    const QModelIndex cell = cellOf(page, channel - 1);
    const QPoint at = page.groupTable->visualRect(cell).center();
    QVERIFY(page.groupTable->viewport()->rect().contains(at));
    for (int i = 0; i < times; ++i) {
        if (act == "click") {
            QTest::mouseClick(page.groupTable->viewport(), Qt::LeftButton, {}, at);
        } else {
            page.groupTable->setFocus();
            page.groupTable->setCurrentIndex(cell);
            QCOMPARE(page.groupTable->currentIndex(), cell);
            QTest::keyClick(page.groupTable, Qt::Key_Space);
        }
    }
    QCOMPARE(ticked(page), tickedAfter ? QList<int>{channel} : QList<int>{});
    // The cell acted on stays marked, as the cell of the focused box was.
    QCOMPARE(page.groupTable->selectionModel()->isSelected(cell), channel <= 100);

    // "values setting" sets exactly the channels the user ticked.
    page.valuesEnableBox->setChecked(true);
    page.valueFader->slider->setValue(200);
    for (int ch = 0; ch < 512; ++ch)
        QCOMPARE(c.configImage[img::sceneChannelsOf(0) + ch], uint8_t(tickedAfter && ch == channel - 1 ? 200 : 0));
}

void tst_channel_tools::rangeBoxesKeepTheirOrderWhenAccepted()
{
    ascene_settings_widget page(&world->controller(), &world->tab);
    cellSelectionGroup& tool = *page.selectionGroup;
    tool.inRangeBox->setChecked(true);
    tool.fromBox->setValue(10);
    tool.toBox->setValue(20);

    // Changed but not accepted: left as they are.
    tool.fromBox->setValue(30);
    QCOMPARE(tool.toBox->value(), 20);

    accept(tool.fromBox, 30);
    QCOMPARE(tool.toBox->value(), 30);
    accept(tool.fromBox, 25);
    QCOMPARE(tool.toBox->value(), 30);

    accept(tool.toBox, 12);
    QCOMPARE(tool.fromBox->value(), 12);
    accept(tool.toBox, 40);
    QCOMPARE(tool.fromBox->value(), 12);
}

void tst_channel_tools::valueFaderSetsTheTickedChannels()
{
    kv310_controller_class& c = world->controller();
    ascene_settings_widget page(&c, &world->tab);
    page.sceneList->setCurrentCell(3, 0);
    page.valuesEnableBox->setChecked(true);
    QVERIFY(page.valueFader->slider->isEnabled());

    // Nothing ticked: nothing changes.
    const QByteArray before = imageHash(c);
    page.valueFader->slider->setValue(100);
    QCOMPARE(imageHash(c), before);

    tick(page, {2, 5, 100});
    page.valueFader->slider->setValue(77);
    QCOMPARE(levels(c, 3)[1], uint8_t(77));
    QCOMPARE(levels(c, 3)[4], uint8_t(77));
    QCOMPARE(levels(c, 3)[99], uint8_t(77));
    QCOMPARE(levels(c, 3)[0], uint8_t(0));
    QCOMPARE(levels(c, 2)[1], uint8_t(0));
    // The faders and the list follow at once.
    QCOMPARE(page.sliderBank->sliders[1]->slider->value(), 77);
    QCOMPARE(qvariant_cast<QBrush>(page.sceneList->model()->index(3, 0).data(Qt::BackgroundRole)).color(),
             QColor(230, 255, 230));

    // The selection stays when the scene changes, and serves the next one.
    page.sceneList->setCurrentCell(4, 0);
    QCOMPARE(ticked(page), (QList<int>{2, 5, 100}));
    page.valueFader->valueBox->setValue(9);
    QCOMPARE(levels(c, 4)[4], uint8_t(9));
    QCOMPARE(levels(c, 3)[4], uint8_t(77));
}

void tst_channel_tools::copyWithRelocation_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QList<int>>("tickedChannels");
    QTest::addColumn<int>("relocation");
    QTest::addColumn<QList<int>>("expected");  // levels of channels 1..8 and 95..100 afterwards

    // Channel n holds 10 n before the copy (1-based).
    QTest::newRow("1 and 2 by 1") << 512 << QList<int>{1, 2} << 1 << QList<int>{10, 10, 10, 40, 50, 60, 70, 80, 950, 960, 970, 980, 990, 1000};
    QTest::newRow("1 and 3 by 2") << 512 << QList<int>{1, 3} << 2 << QList<int>{10, 20, 10, 40, 10, 60, 70, 80, 950, 960, 970, 980, 990, 1000};
    QTest::newRow("past the limit") << 100 << QList<int>{95, 96, 97, 98} << 10 << QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 950, 960, 970, 980, 990, 1000};
    QTest::newRow("up to the limit") << 100 << QList<int>{95, 96} << 4 << QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 950, 960, 970, 980, 950, 960};
}

void tst_channel_tools::copyWithRelocation()
{
    QFETCH(int, limit);
    QFETCH(QList<int>, tickedChannels);
    QFETCH(int, relocation);
    QFETCH(QList<int>, expected);
    kv310_controller_class& c = world->controller();
    // Levels wrap at 256: compare the stored bytes.
    for (int ch = 0; ch < 512; ++ch)
        levels(c, 6)[ch] = uint8_t(10 * (ch + 1));
    ascene_settings_widget page(&c, &world->tab);
    page.limitChnls(limit);
    page.sceneList->setCurrentCell(6, 0);
    tick(page, tickedChannels);
    page.copyEnableBox->setChecked(true);
    page.relocationBox->setValue(relocation);
    const QByteArray above(reinterpret_cast<const char*>(levels(c, 6) + 100), 412);

    page.copyButton->click();
    QList<int> got;
    for (int ch : range(1, 8) + range(95, 100))
        got << levels(c, 6)[ch - 1];
    QList<int> want;
    for (int v : expected)
        want << uint8_t(v);
    QCOMPARE(got, want);
    if (limit == 100)
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(levels(c, 6) + 100), 412), above);
}

void tst_channel_tools::enableBoxesExcludeEachOther()
{
    ascene_settings_widget page(&world->controller(), &world->tab);
    page.valuesEnableBox->setChecked(true);
    QVERIFY(page.valueFader->slider->isEnabled() && page.valueFader->valueBox->isEnabled());

    page.copyEnableBox->setChecked(true);
    QVERIFY(!page.valuesEnableBox->isChecked());
    QVERIFY(!page.valueFader->slider->isEnabled() && !page.valueFader->valueBox->isEnabled());
    QVERIFY(page.relocationBox->isEnabled() && page.copyButton->isEnabled());

    page.valuesEnableBox->setChecked(true);
    QVERIFY(!page.copyEnableBox->isChecked());
    QVERIFY(!page.relocationBox->isEnabled() && !page.copyButton->isEnabled());
}

void tst_channel_tools::channelLimit()
{
    ascene_settings_widget page(&world->controller(), &world->tab);
    cellSelectionGroup& tool = *page.selectionGroup;
    tick(page, {5, 100, 101, 512});
    page.sliderBank->scrollBar->setValue(300);

    page.limitChnls(100);
    QCOMPARE(channelCount, 100);
    QCOMPARE(ticked(page), (QList<int>{5, 100}));
    QVERIFY(offered(page, 99));
    for (int ch = 100; ch < 512; ++ch)
        QVERIFY(!offered(page, ch));
    QCOMPARE(page.sliderBank->scrollBar->maximum(), 90);
    QCOMPARE(page.sliderBank->firstChannel, 90);
    QCOMPARE(tool.toBox->maximum(), 100);

    // Selecting and setting stop at the limit too.
    tool.selectButton->setChecked(true);
    tool.executeButton->click();
    QCOMPARE(ticked(page), range(1, 100));

    page.limitChnls(512);
    QCOMPARE(channelCount, 512);
    QCOMPARE(ticked(page), range(1, 100));
    for (int ch = 0; ch < 512; ++ch)
        QVERIFY(offered(page, ch));
    QCOMPARE(page.sliderBank->scrollBar->maximum(), 502);
    QCOMPARE(tool.toBox->maximum(), 512);

    // What the limit spin box can never send leaves everything as it was.
    page.limitChnls(0);
    page.limitChnls(513);
    QCOMPARE(channelCount, 512);
    QCOMPARE(page.sliderBank->scrollBar->maximum(), 502);
}

void tst_channel_tools::aPageBuiltUnderALowerLimit()
{
    // A window rebuilt (after a change of language) while the limit is 100,
    // then a configuration with all 512 channels is read.
    channelCount = 100;
    kv310_controller_class& c = world->controller();
    ascene_settings_widget page(&c, &world->tab);
    QCOMPARE(page.sliderBank->scrollBar->maximum(), 90);
    QVERIFY(offered(page, 99));
    QVERIFY(!offered(page, 100));

    page.limitChnls(512);
    for (int ch = 0; ch < 512; ++ch)
        QVERIFY(offered(page, ch));
    page.selectionGroup->selectButton->setChecked(true);
    page.selectionGroup->executeButton->click();
    QCOMPARE(ticked(page), range(1, 512));
    page.valuesEnableBox->setChecked(true);
    page.valueFader->slider->setValue(1);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(levels(c, 0)), 512), QByteArray(512, '\1'));
}

QTEST_MAIN(tst_channel_tools)
#include "tst_channel_tools.moc"
