#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "model/config_image.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_style.h"

#include "support/page_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

// The mask page: what sets masks apart from scenes on the page base.
class tst_record_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void aMaskPage();
    void rowColoursOfTheMaskBands_data();
    void rowColoursOfTheMaskBands();
    void clearingAMaskOpensIt();
    void theTimeRuleOfMasks_data();
    void theTimeRuleOfMasks();
    void showingAnAllZeroMask();

private:
    std::unique_ptr<pageFixture> world;
    std::unique_ptr<arecord_settings_widget> page;

    QBrush rowBrush(int mask) const
    {
        return qvariant_cast<QBrush>(page->recordList->model()->index(mask, 0).data(Qt::BackgroundRole));
    }
    fadeTimes timesOf(int mask) const
    {
        return fadeTimes::read(world->controller().configImage + img::maskTimesOf(mask));
    }
    void setTimes(int mask, uint16_t up, uint16_t duration, uint16_t down)
    {
        fadeTimes{up, duration, down, 0}.write(world->controller().configImage + img::maskTimesOf(mask));
    }
};

void tst_record_page::init()
{
    world = std::make_unique<pageFixture>();
}

void tst_record_page::cleanup()
{
    page.reset();
    world.reset();
}

void tst_record_page::aMaskPage()
{
    world->controller().maskDescriptions[1] = QStringLiteral("Dimmers only");
    page = std::make_unique<amask_settings_widget>(&world->controller(), &world->tab);
    QCOMPARE(page->refreshCount, 1);
    QCOMPARE(static_cast<amask_settings_widget*>(page.get())->maskList, page->recordList);
    QCOMPARE(page->recordList->rowCount(), img::MASKS);
    QCOMPARE(page->recordList->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Mask"));
    QCOMPARE(page->recordList->text(1), QStringLiteral("Dimmers only"));
    QCOMPARE(page->recordList->text(2), QStringLiteral("no description"));
    QCOMPARE(page->toolTabs->count(), 3);
    QCOMPARE(page->sliderBank->kind, int(admx512_sliders_widget::KIND_MASKS));
    QCOMPARE(page->sliderBank->titleLabel->text(), QStringLiteral("Mask"));
    QCOMPARE(page->clearButton->text(), QStringLiteral("Clear whole mask"));
    QCOMPARE(page->groupLabel->text(), QStringLiteral("Mask: 1"));
    QCOMPARE(page->selectionGroup->stepBox->maximum(), 256);
    QCOMPARE(page->selectionGroup->toBox->value(), 512);
    QCOMPARE(page->valueFader->slider->value(), 255);
    QCOMPARE(page->valueFader->valueBox->value(), 255);
    QCOMPARE(page->sheetGroup->title(), QStringLiteral("Import / Export Masks"));
    QCOMPARE(page->sheetGroup->geometry(), QRect(10, 430, 631, 181));
    QCOMPARE(page->sheetToBox->value(), 256);
    QCOMPARE(page->sheetRelocateLabel->text(), QStringLiteral("Relocate masks:"));

    page->recordList->setCurrentCell(200, 0);
    QCOMPARE(page->currentScene, 200);
    QCOMPARE(page->groupLabel->text(), QStringLiteral("Mask 201"));
    page->sliderBank->sliders[0]->slider->setValue(17);
    QCOMPARE(world->controller().configImage[img::maskChannelsOf(200)], uint8_t(17));
    QVERIFY(world->dialogs.entries.isEmpty());
}

void tst_record_page::rowColoursOfTheMaskBands_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<QColor>("neutral");  // invalid: the palette's Base brush
    QTest::newRow("1") << 0 << QColor();
    QTest::newRow("128") << 127 << QColor();
    QTest::newRow("129") << 128 << QColor(255, 255, 180);
    QTest::newRow("192") << 191 << QColor(255, 255, 180);
    QTest::newRow("193") << 192 << QColor(200, 255, 255);
    QTest::newRow("256") << 255 << QColor(200, 255, 255);
}

void tst_record_page::rowColoursOfTheMaskBands()
{
    QFETCH(int, mask);
    QFETCH(QColor, neutral);
    page = std::make_unique<amask_settings_widget>(&world->controller(), &world->tab);
    page->refresh();
    QCOMPARE(rowBrush(mask), neutral.isValid() ? QBrush(neutral) : pageStyle::emptyBrush());

    // Any level off the neutral one turns the row green.
    uint8_t& level = world->controller().configImage[img::maskChannelsOf(mask) + 300];
    level = level == 0 ? 1 : 254;
    page->refresh();
    QCOMPARE(rowBrush(mask).color(), pageStyle::usedColour());
}

void tst_record_page::clearingAMaskOpensIt()
{
    page = std::make_unique<amask_settings_widget>(&world->controller(), &world->tab);
    page->refresh();
    page->recordList->setCurrentCell(200, 0);
    page->clearButton->click();
    const uint8_t* levels = world->controller().configImage + img::maskChannelsOf(200);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(levels), 512), QByteArray(512, '\xFF'));
    QCOMPARE(rowBrush(200).color(), pageStyle::usedColour());
}

void tst_record_page::theTimeRuleOfMasks_data()
{
    QTest::addColumn<int>("fadeUp");
    QTest::addColumn<int>("duration");
    QTest::addColumn<int>("fadeDown");
    QTest::addColumn<int>("edit");  // 0 fade-up, 1 duration, 2 fade-down: set to 0
    QTest::addColumn<bool>("broken");

    QTest::newRow("duration with both fades 0") << 0 << 30 << 0 << 1 << true;
    QTest::newRow("duration with a fade left") << 0 << 30 << 4 << 1 << false;
    QTest::newRow("a fade with the duration 0") << 5 << 0 << 0 << 0 << false;
    QTest::newRow("the other fade") << 0 << 0 << 5 << 2 << false;
}

void tst_record_page::theTimeRuleOfMasks()
{
    QFETCH(int, fadeUp);
    QFETCH(int, duration);
    QFETCH(int, fadeDown);
    QFETCH(int, edit);
    QFETCH(bool, broken);
    setTimes(3, uint16_t(fadeUp), uint16_t(duration), uint16_t(fadeDown));
    page = std::make_unique<amask_settings_widget>(&world->controller(), &world->tab);
    page->refresh();
    page->recordList->setCurrentCell(3, 0);
    QVERIFY(world->dialogs.entries.isEmpty());

    MyTimeEdit* edits[] = {page->fadeUpEdit, page->durationEdit, page->fadeDownEdit};
    edits[edit]->setTime(QTime(0, 0));
    QCOMPARE(world->dialogs.titles(), broken ? QStringList{"Rule broken!"} : QStringList{});
    QCOMPARE(int(timesOf(3).duration), broken ? 10 : edit == 1 ? 0 : duration);
}

// Showing a mask repairs nothing, whatever the mask shown before: a mask's
// rule acts only when the user sets its duration, and a mask may keep all
// three times 0 (an imported one, say).
void tst_record_page::showingAnAllZeroMask()
{
    setTimes(0, 0, 20, 0);
    setTimes(1, 0, 0, 0);
    setTimes(2, 0, 20, 5);
    page = std::make_unique<amask_settings_widget>(&world->controller(), &world->tab);
    page->refresh();
    for (int mask : {1, 2, 1, 0, 1})
        page->recordList->setCurrentCell(mask, 0);
    QVERIFY(world->dialogs.entries.isEmpty());
    QCOMPARE(timesOf(1).duration, uint16_t(0));

    // The user's own duration of 0 with both fades 0 is repaired.
    page->recordList->setCurrentCell(0, 0);
    page->durationEdit->setTime(QTime(0, 0));
    QCOMPARE(world->dialogs.titles(), QStringList{"Rule broken!"});
    QCOMPARE(timesOf(0).duration, uint16_t(10));
}

QTEST_MAIN(tst_record_page)
#include "tst_record_page.moc"
