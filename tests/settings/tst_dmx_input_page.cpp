#include "settings/asettings_dmx_in_widget.h"
#include "settings/phase_grid_model.h"
#include "widgets/check_grid.h"
#include "widgets/guarded_spin_box.h"
#include "model/config_image.h"

#include "support/page_fixture.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

bool bitClear(const uint8_t* image, int channel)
{
    return (img::getU32(image, img::dmxInPhaseMaskOf(channel / 32)) & (1u << (channel % 32))) == 0;
}

QList<int> range(int first, int last)
{
    QList<int> out;
    for (int c = first; c <= last; ++c)
        out << c;
    return out;
}

}  // namespace

class tst_dmx_input_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void aClearedConfiguration();
    void aBoxWritesItsBit();
    void theUserTicksACellAsABox_data();
    void theUserTicksACellAsABox();
    void lockedCellsAreGreyedAndTakeNothing();
    void theControlChannel();
    void loweringTheLimit();
    void theLimitAppliesWhenEditingEnds();
    void leavingAnUnchangedLimitStoresNothing();
    void aRefreshWritesNoBitBeyondTheLimit();
    void aLimitBelowTheControlChannelMovesIt();
    void bulkTool_data();
    void bulkTool();
    void rangeBoxes();
    void rangeBoxesEndAtTheOutputLimit_data();
    void rangeBoxesEndAtTheOutputLimit();

private:
    std::unique_ptr<pageFixture> world;
    std::unique_ptr<asettings_dmx_in_widget> page;

    uint8_t* image() { return world->controller().configImage; }
    void makePage() { page = std::make_unique<asettings_dmx_in_widget>(&world->tab); }
    phaseGridModel* cells() { return page->phaseCells; }
    // Whether the user can tick the cell of a 0-based channel.
    bool enabled(int channel) { return cells()->flags(cells()->indexOf(channel)) & Qt::ItemIsEnabled; }
    QVariant cellData(int channel, int role) { return cells()->indexOf(channel).data(role); }
    // The cell's centre in the grid's viewport, where the user clicks.
    QPoint centreOf(int channel) { return page->phaseGrid->visualRect(cells()->indexOf(channel)).center(); }
    void showPage()
    {
        world->tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&world->tab));
    }
    // 1-based channels whose boxes are checked; fails when a box and its bit disagree.
    QList<int> checkedChannels()
    {
        QList<int> out;
        for (int c = 0; c < 512; ++c) {
            const bool checked = cells()->isChecked(c);
            if (checked != bitClear(image(), c)) {
                qWarning("channel %d: box %d, bit clear %d", c + 1, checked, bitClear(image(), c));
                return {-1};
            }
            if (checked)
                out << c + 1;
        }
        return out;
    }
    void enterLimit(int n)
    {
        page->inputLimitBox->setValue(n);
        QTest::keyClick(page->inputLimitBox, Qt::Key_Return);
    }
};

void tst_dmx_input_page::init()
{
    world = std::make_unique<pageFixture>();
}

void tst_dmx_input_page::cleanup()
{
    page.reset();
    world.reset();
}

void tst_dmx_input_page::aClearedConfiguration()
{
    const QByteArray before = imageHash(world->controller());
    makePage();
    QCOMPARE(imageHash(world->controller()), before);

    QCOMPARE(page->inputLimitBox->value(), 512);
    QCOMPARE(cells()->rowCount(), 16);
    QCOMPARE(cells()->columnCount(), 32);
    QCOMPARE(cells()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("1"));
    QCOMPARE(cells()->headerData(31, Qt::Horizontal).toString(), QStringLiteral("32"));
    QCOMPARE(cells()->headerData(0, Qt::Vertical).toString(), QStringLiteral("+0"));
    QCOMPARE(cells()->headerData(15, Qt::Vertical).toString(), QStringLiteral("+480"));
    QCOMPARE(page->phaseGrid->columnWidth(0), 24);
    QCOMPARE(page->phaseGrid->rowHeight(15), 24);
    QCOMPARE(checkedChannels(), QList<int>{});
    for (int c = 0; c < 512; ++c)
        QVERIFY(enabled(c));
    QCOMPARE(cellData(40, Qt::ToolTipRole).toString(), QStringLiteral("41"));
    QVERIFY(!page->stepBox->isEnabled());
    QVERIFY(!page->fromBox->isEnabled());
    QVERIFY(!page->toBox->isEnabled());
    QVERIFY(page->deselectRadio->isChecked());
    QCOMPARE(page->toBox->value(), 512);
}

void tst_dmx_input_page::aBoxWritesItsBit()
{
    makePage();
    // Channel 33: row "+32", column "1".
    QCOMPARE(cells()->indexOf(32), cells()->index(1, 0));
    cells()->setChecked(32, true);
    QCOMPARE(img::getU32(image(), 0x1F04), 0xFFFFFFFEu);
    QCOMPARE(img::getU32(image(), 0x1F00), 0xFFFFFFFFu);
    cells()->setChecked(32, false);
    QCOMPARE(img::getU32(image(), 0x1F04), 0xFFFFFFFFu);

    // A refresh shows what the image holds.
    img::putU32(image(), img::dmxInPhaseMaskOf(15), 0x7FFFFFFFu);
    page->refresh();
    QCOMPARE(checkedChannels(), QList<int>{512});
}

void tst_dmx_input_page::theUserTicksACellAsABox_data()
{
    QTest::addColumn<QString>("act");
    QTest::addColumn<QList<int>>("checked");  // after the act

    QTest::newRow("click") << "click" << QList<int>{33};
    QTest::newRow("click twice") << "click twice" << QList<int>{};
    QTest::newRow("double click") << "double click" << QList<int>{};
    // The grid takes no focus, as it did not; were it given the focus, the
    // space bar would tick the cell clicked last, as it did the box.
    QTest::newRow("space without the focus") << "space" << QList<int>{33};
    QTest::newRow("space with the focus") << "focus, space" << QList<int>{};
}

void tst_dmx_input_page::theUserTicksACellAsABox()
{
    QFETCH(QString, act);
    QFETCH(QList<int>, checked);
    makePage();
    showPage();
    QWidget* cellsArea = page->phaseGrid->viewport();
    const QPoint at = centreOf(32);
    QTest::mouseClick(cellsArea, Qt::LeftButton, {}, at);
    if (act == QLatin1String("click twice")) {
        QTest::mouseClick(cellsArea, Qt::LeftButton, {}, at);
    } else if (act == QLatin1String("double click")) {
        // A double click is a click and a second press that comes as a double click.
        QTest::mouseDClick(cellsArea, Qt::LeftButton, {}, at);
        QTest::mouseRelease(cellsArea, Qt::LeftButton, {}, at);
    } else if (act.endsWith(QLatin1String("space"))) {
        QCOMPARE(page->phaseGrid->focusPolicy(), Qt::NoFocus);
        QVERIFY(!page->phaseGrid->hasFocus());
        if (act.startsWith(QLatin1String("focus"))) {
            page->phaseGrid->setFocus();
            QTRY_VERIFY(page->phaseGrid->hasFocus());
        }
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : page->phaseGrid, Qt::Key_Space);
    }
    QCOMPARE(checkedChannels(), checked);
}

void tst_dmx_input_page::lockedCellsAreGreyedAndTakeNothing()
{
    img::putU16(image(), img::inputChannelLimit, 100);
    img::putU16(image(), img::asControlChannel, 4);
    makePage();
    showPage();
    const QByteArray before = imageHash(world->controller());
    for (int c : {4, 100, 511}) {
        QVERIFY(!enabled(c));
        QTest::mouseClick(page->phaseGrid->viewport(), Qt::LeftButton, {}, centreOf(c));
    }
    QCOMPARE(imageHash(world->controller()), before);
    QCOMPARE(checkedChannels(), QList<int>{5});
    QVERIFY(enabled(99));
    QTest::mouseClick(page->phaseGrid->viewport(), Qt::LeftButton, {}, centreOf(99));
    QCOMPARE(checkedChannels(), (QList<int>{5, 100}));
}

void tst_dmx_input_page::theControlChannel()
{
    img::putU16(image(), img::asControlChannel, 4);
    makePage();
    for (int pass = 0; pass < 2; ++pass) {
        QVERIFY(cells()->isChecked(4));
        QVERIFY(!enabled(4));
        QCOMPARE(cellData(4, Qt::BackgroundRole).value<QBrush>(), QBrush(QColor(220, 173, 33)));
        QCOMPARE(cellData(4, Qt::ToolTipRole).toString(), QStringLiteral("Active Scenes control channel"));
        QVERIFY(bitClear(image(), 4));
        QVERIFY(!cellData(5, Qt::BackgroundRole).isValid());
        QCOMPARE(cellData(5, Qt::ToolTipRole).toString(), QStringLiteral("6"));

        // Its bit set behind the page's back is cleared again by the next refresh.
        img::putU32(image(), img::dmxInPhaseMask, 0xFFFFFFFFu);
        page->refresh();
    }
}

void tst_dmx_input_page::loweringTheLimit()
{
    makePage();
    for (int c = 95; c < 120; ++c)
        cells()->setChecked(c, true);
    enterLimit(100);
    QCOMPARE(img::getU16(image(), img::inputChannelLimit), 100);
    QCOMPARE(world->window().inputLimits, QList<int>{100});
    QCOMPARE(checkedChannels(), range(96, 100));
    for (int c = 100; c < 120; ++c) {
        QVERIFY(!enabled(c));
        QVERIFY(!bitClear(image(), c));
    }
    // Raised again, the channels come back enabled and unchecked.
    enterLimit(512);
    QCOMPARE(checkedChannels(), range(96, 100));
    QVERIFY(enabled(110));

    enterLimit(0);
    QCOMPARE(checkedChannels(), QList<int>{});
    QVERIFY(!enabled(0));
}

void tst_dmx_input_page::theLimitAppliesWhenEditingEnds()
{
    img::putU16(image(), img::inputChannelLimit, 100);
    makePage();
    QTest::keyClick(page->inputLimitBox, Qt::Key_Up);
    QTest::keyClick(page->inputLimitBox, Qt::Key_Up);
    QCOMPARE(page->inputLimitBox->value(), 102);
    QCOMPARE(img::getU16(image(), img::inputChannelLimit), 100);
    QVERIFY(world->window().inputLimits.isEmpty());
    QVERIFY(!enabled(100));

    emit page->inputLimitBox->editingFinished();  // the box loses the focus
    QCOMPARE(img::getU16(image(), img::inputChannelLimit), 102);
    QCOMPARE(world->window().inputLimits, QList<int>{102});
    QVERIFY(enabled(101));
}

void tst_dmx_input_page::leavingAnUnchangedLimitStoresNothing()
{
    // A control channel above the limit stays where it is.
    img::putU16(image(), img::inputChannelLimit, 100);
    img::putU16(image(), img::asControlChannel, 199);
    makePage();
    const QByteArray before = imageHash(world->controller());
    emit page->inputLimitBox->editingFinished();  // the focus passed through
    QTest::keyClick(page->inputLimitBox, Qt::Key_Return);
    QCOMPARE(imageHash(world->controller()), before);
    QVERIFY(world->window().inputLimits.isEmpty());
}

void tst_dmx_input_page::aRefreshWritesNoBitBeyondTheLimit()
{
    makePage();
    cells()->setChecked(300, true);
    QVERIFY(bitClear(image(), 300));
    // Another configuration comes in: limit 100, channel 301 allowed.
    img::putU16(image(), img::inputChannelLimit, 100);
    const QByteArray before = imageHash(world->controller());
    page->refresh();
    QCOMPARE(imageHash(world->controller()), before);
    QVERIFY(!cells()->isChecked(300));
    QVERIFY(!enabled(300));
    // Raised again by the user, the channel shows what it held.
    enterLimit(512);
    QVERIFY(cells()->isChecked(300));
}

void tst_dmx_input_page::aLimitBelowTheControlChannelMovesIt()
{
    img::putU16(image(), img::asControlChannel, 199);
    // The active-scenes page moves its control channel into the new limit.
    world->window().onInputLimit = [this](int n) {
        if (img::getU16(image(), img::asControlChannel) >= n)
            img::putU16(image(), img::asControlChannel, uint16_t(n - 1));
    };
    makePage();
    QVERIFY(cells()->isChecked(199));

    enterLimit(100);
    QVERIFY(cells()->isChecked(99));
    QVERIFY(!enabled(99));
    QVERIFY(cellData(99, Qt::BackgroundRole).isValid());
    QVERIFY(!cells()->isChecked(199));
    QVERIFY(!cellData(199, Qt::BackgroundRole).isValid());
    QCOMPARE(checkedChannels(), QList<int>{100});
}

void tst_dmx_input_page::bulkTool_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("step");     // 0: "or choose every" off
    QTest::addColumn<int>("from");     // 0: "In range from" off
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("control");  // 1-based; 0 none
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");

    QList<int> allButTwo = range(3, 512);
    QTest::newRow("every 2 from 1 to 10") << "select" << 2 << 1 << 10 << 512 << 0 << QList<int>{}
                                          << QList<int>{1, 3, 5, 7, 9};
    QTest::newRow("invert alone") << "invert" << 0 << 0 << 0 << 512 << 0 << QList<int>{1, 2} << allButTwo;
    QTest::newRow("deselect alone") << "deselect" << 0 << 0 << 0 << 512 << 0 << QList<int>{1, 40, 512}
                                    << QList<int>{};
    QTest::newRow("every 3 within the limit") << "select" << 3 << 0 << 0 << 10 << 0 << QList<int>{}
                                              << QList<int>{1, 4, 7, 10};
    QTest::newRow("limit 0") << "select" << 0 << 0 << 0 << 0 << 0 << QList<int>{} << QList<int>{};
    QTest::newRow("range over the limit") << "select" << 0 << 95 << 105 << 100 << 0 << QList<int>{} << range(95, 100);
    QTest::newRow("invert over the limit") << "invert" << 0 << 99 << 102 << 100 << 0 << QList<int>{100}
                                           << QList<int>{99};
    QTest::newRow("control channel stays") << "deselect" << 0 << 0 << 0 << 512 << 5 << QList<int>{1, 6}
                                           << QList<int>{5};
    QTest::newRow("control channel inverted") << "invert" << 0 << 1 << 8 << 512 << 5 << QList<int>{}
                                              << range(1, 8);
}

void tst_dmx_input_page::bulkTool()
{
    QFETCH(QString, action);
    QFETCH(int, step);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, limit);
    QFETCH(int, control);
    QFETCH(QList<int>, before);
    img::putU16(image(), img::inputChannelLimit, uint16_t(limit));
    img::putU16(image(), img::asControlChannel, control ? uint16_t(control - 1) : img::NONE16);
    makePage();
    for (int c : before)
        cells()->setChecked(c - 1, true);
    const QList<int> shownBefore = checkedChannels();

    page->selectRadio->setChecked(action == QLatin1String("select"));
    page->deselectRadio->setChecked(action == QLatin1String("deselect"));
    page->invertRadio->setChecked(action == QLatin1String("invert"));
    page->stepCheck->setChecked(step > 0);
    if (step > 0)
        page->stepBox->setValue(step);
    page->rangeCheck->setChecked(from > 0);
    if (from > 0) {
        page->fromBox->setValue(from);
        page->toBox->setValue(to);
    }
    QSignalSpy toggles(cells(), &checkGridModel::toggled);
    page->executeButton->click();
    QTEST(checkedChannels(), "after");
    // Every change went through the grid's cells, one notice a cell.
    QFETCH(QList<int>, after);
    int changed = 0;
    for (int c = 1; c <= 512; ++c)
        changed += shownBefore.contains(c) != after.contains(c);
    QCOMPARE(int(toggles.count()), changed);
}

void tst_dmx_input_page::rangeBoxes()
{
    makePage();
    page->rangeCheck->setChecked(true);
    page->stepCheck->setChecked(true);
    QVERIFY(page->fromBox->isEnabled());
    QVERIFY(page->toBox->isEnabled());
    QVERIFY(page->stepBox->isEnabled());

    page->toBox->setValue(50);
    page->fromBox->setValue(80);
    QTest::keyClick(page->fromBox, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(page->toBox->value(), 80);
    page->toBox->setValue(30);
    QTest::keyClick(page->toBox, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(page->fromBox->value(), 30);

    page->rangeCheck->setChecked(false);
    QVERIFY(!page->fromBox->isEnabled());
    QVERIFY(!page->toBox->isEnabled());
}

void tst_dmx_input_page::rangeBoxesEndAtTheOutputLimit_data()
{
    QTest::addColumn<int>("outputs");
    QTest::addColumn<int>("bound");
    QTest::newRow("100") << 100 << 100;
    QTest::newRow("512") << 512 << 512;
    QTest::newRow("0xFFFF") << 0xFFFF << 512;
    QTest::newRow("0") << 0 << 512;
}

void tst_dmx_input_page::rangeBoxesEndAtTheOutputLimit()
{
    QFETCH(int, outputs);
    QFETCH(int, bound);
    img::putU16(image(), img::outputChannelCount, uint16_t(outputs));
    makePage();
    QCOMPARE(page->fromBox->maximum(), bound);
    QCOMPARE(page->toBox->maximum(), bound);
    QCOMPARE(page->toBox->value(), bound);

    // The whole range, inverted, changes every channel in it and nothing beyond.
    page->rangeCheck->setChecked(true);
    page->toBox->setValue(page->toBox->maximum());
    page->invertRadio->setChecked(true);
    page->executeButton->click();
    QCOMPARE(checkedChannels(), range(1, bound));
}

QTEST_MAIN(tst_dmx_input_page)
#include "tst_dmx_input_page.moc"
