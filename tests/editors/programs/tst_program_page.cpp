#include "list_probe.h"
#include "program_page_fixture.h"

#include "device/controller_rig.h"
#include "model/config_image.h"
#include "model/events.h"
#include "support/virtual_clock.h"
#include "transport/protocol.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/inf_time_class.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <functional>

namespace {

uint16_t chainedEvent(kv310_controller_class& c, int p)
{
    return img::getU16(c.configImage, img::programChainEventOf(p));
}

uint16_t storedBreakTime(kv310_controller_class& c, int p)
{
    return img::getU16(c.configImage, img::programBreakTimeOf(p));
}

void ownDelay(kv310_controller_class& c, int delay, int sequence)
{
    img::putU32(c.configImage, img::delaysOf(delay), delayWord::make(100, uint32_t(sequence)));
}

// Publishes another controller object for the lifetime of the guard.
struct publishedController {
    explicit publishedController(kv310_controller_class* c)
        : before(theController)
    {
        theController = c;
    }
    ~publishedController() { theController = before; }
    kv310_controller_class* before;
};

}  // namespace

class tst_program_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chainedEventShown_data();
    void chainedEventShown();
    void chainedEventChosen_data();
    void chainedEventChosen();
    void chainedDelayOwnedBySequence_data();
    void chainedDelayOwnedBySequence();
    void chainedDelayCorrectedWhenShown();
    void breakTime();
    void stepCountFollowsGrid();
    void programChoice();
    void recurrences();
    void programListAndDescriptions();
    void readRedrawsTheVisibleRows();
    void stepGridTakesClicksAndSpace();
    void stepGridGreysStepsFromTheCount_data();
    void stepGridGreysStepsFromTheCount();
    void foreignDescriptionIsNotStored();
    void importTimes();
    void stepRowShowsSceneLive();
    void buttonsShowTheirTexts();
};

void tst_program_page::chainedEventShown_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("kind");      // item index; -1 none
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("numberEnabled");
    QTest::addColumn<int>("storedAfter");

    // Events of the kinds the box does not offer are shown as no kind and kept.
    QTest::newRow("DMX input id") << 0x0005 << -1 << "- -" << false << 0x0005;
    QTest::newRow("timer id") << 0x0801 << -1 << "- -" << false << 0x0801;
    QTest::newRow("remote-control button") << 0x1280 << -1 << "- -" << false << 0x1280;
    QTest::newRow("input 24 off") << 0x136F << -1 << "- -" << false << 0x136F;
    QTest::newRow("past the last event") << 0x1370 << 0 << "- -" << false << 0xFFFF;
    QTest::newRow("none") << 0xFFFF << 0 << "- -" << false << 0xFFFF;
    QTest::newRow("internal event 700") << 0x06BB << 3 << "700" << true << 0x06BB;
    QTest::newRow("delay 3") << 0x1002 << 2 << "3" << true << 0x1002;
    QTest::newRow("sequence 128") << 0x127F << 1 << "128" << true << 0x127F;
}

void tst_program_page::chainedEventShown()
{
    QFETCH(int, stored);
    QFETCH(int, kind);
    QFETCH(QString, number);
    QFETCH(bool, numberEnabled);
    QFETCH(int, storedAfter);

    programPageFixture f;
    img::putU16(f.controller().configImage, img::programChainEventOf(0), uint16_t(stored));
    f.build();
    QCOMPARE(f.page->chainTypeBox->currentIndex(), kind);
    QCOMPARE(f.page->chainNumberBox->text(), number);
    QCOMPARE(f.page->chainNumberBox->isEnabled(), numberEnabled);
    QCOMPARE(chainedEvent(f.controller(), 0), uint16_t(storedAfter));
    QVERIFY(f.dialogs.entries.isEmpty());
}

void tst_program_page::chainedEventChosen_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("thenKind");  // -1: none
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("stored");

    QTest::newRow("internal event 1024") << 3 << 1024 << -1 << 1024 << 0x07FF;
    QTest::newRow("internal event 1") << 3 << 1 << -1 << 1 << 0x0400;
    QTest::newRow("sequence 128") << 1 << 128 << -1 << 128 << 0x127F;
    QTest::newRow("free delay 3") << 2 << 3 << -1 << 3 << 0x1002;
    QTest::newRow("internal 700 switched to delay") << 3 << 700 << 2 << 512 << 0x11FF;
    QTest::newRow("delay 5 switched to nothing") << 2 << 5 << 0 << 0 << 0xFFFF;
}

void tst_program_page::chainedEventChosen()
{
    QFETCH(int, kind);
    QFETCH(int, number);
    QFETCH(int, thenKind);
    QFETCH(int, shown);
    QFETCH(int, stored);

    programPageFixture f;
    f.build();
    f.page->chainTypeBox->setCurrentIndex(kind);
    f.page->chainNumberBox->setValue(number);
    emit f.page->chainNumberBox->editingFinished();
    if (thenKind >= 0)
        f.page->chainTypeBox->setCurrentIndex(thenKind);
    QCOMPARE(f.page->chainNumberBox->value(), shown);
    QCOMPARE(chainedEvent(f.controller(), 0), uint16_t(stored));
    QCOMPARE(chainedEvent(f.controller(), 1), uint16_t(0xFFFF));
}

void tst_program_page::chainedDelayOwnedBySequence_data()
{
    QTest::addColumn<QList<int>>("started");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("stored");

    QTest::newRow("lowest delay no action starts") << QList<int>{} << 2 << "1" << 0x1000;
    // Delay 3 is not started, but its sequence owns it: the next one is taken.
    QTest::newRow("owned delays are passed over") << QList<int>{0, 1} << 2 << "4" << 0x1003;
    QList<int> all;
    for (int d = 0; d < img::DELAYS; ++d)
        all << d;
    QTest::newRow("every delay started") << all << 0 << "- -" << 0xFFFF;
}

void tst_program_page::chainedDelayOwnedBySequence()
{
    QFETCH(QList<int>, started);
    QFETCH(int, kind);
    QFETCH(QString, number);
    QFETCH(int, stored);

    programPageFixture f;
    ownDelay(f.controller(), 2, 0);
    for (int d : started)
        f.controller().startedDelays << uint16_t(d);
    f.build();
    f.page->chainTypeBox->setCurrentIndex(2);
    f.page->chainNumberBox->setValue(3);
    emit f.page->chainNumberBox->editingFinished();

    QCOMPARE(f.dialogs.titles(), QStringList{"Delay already in use!"});
    QCOMPARE(f.dialogs.texts(), QStringList{"Delay #3 is blocked by sequence!\nCorrected!"});
    QCOMPARE(f.page->chainTypeBox->currentIndex(), kind);
    QCOMPARE(f.page->chainNumberBox->text(), number);
    QCOMPARE(chainedEvent(f.controller(), 0), uint16_t(stored));
}

void tst_program_page::chainedDelayCorrectedWhenShown()
{
    programPageFixture f;
    ownDelay(f.controller(), 4, 7);
    img::putU16(f.controller().configImage, img::programChainEventOf(0), 0x1004);
    f.build();
    QCOMPARE(f.dialogs.texts(), QStringList{"Delay #5 is blocked by sequence!\nCorrected!"});
    QCOMPARE(chainedEvent(f.controller(), 0), uint16_t(0x1000));
    QCOMPARE(f.page->chainNumberBox->value(), 1);

    // A delay the sequences leave free is shown as it is.
    f.dialogs.clear();
    img::putU16(f.controller().configImage, img::programChainEventOf(3), 0x1002);
    f.show(3);
    QCOMPARE(f.page->chainNumberBox->value(), 3);
    QCOMPARE(chainedEvent(f.controller(), 3), uint16_t(0x1002));
    QVERIFY(f.dialogs.entries.isEmpty());
}

void tst_program_page::breakTime()
{
    programPageFixture f;
    img::putU16(f.controller().configImage, img::programBreakTimeOf(1), 50);
    f.build();
    infTime_class* edit = f.page->breakTimeEdit;
    QVERIFY(edit->infiniteBox->isChecked());
    QVERIFY(!edit->timeEdit->isEnabled());
    QCOMPARE(edit->timeEdit->time(), QTime(0, 0, 1));

    edit->infiniteBox->setChecked(false);
    QCOMPARE(storedBreakTime(f.controller(), 0), uint16_t(10));
    QVERIFY(edit->timeEdit->isEnabled());
    QCOMPARE(edit->timeEdit->time(), QTime(0, 0, 1));

    edit->timeEdit->setTime(QTime(0, 0, 2, 500));
    QCOMPARE(storedBreakTime(f.controller(), 0), uint16_t(25));

    edit->infiniteBox->setChecked(true);
    QCOMPARE(storedBreakTime(f.controller(), 0), uint16_t(0xFFFF));
    QVERIFY(!edit->timeEdit->isEnabled());
    QCOMPARE(edit->timeEdit->time(), QTime(0, 0, 1));
    emit edit->leaved(edit);
    QCOMPARE(storedBreakTime(f.controller(), 0), uint16_t(0xFFFF));

    // Showing a program with a break time writes nothing back.
    f.show(1);
    QVERIFY(!edit->infiniteBox->isChecked());
    QCOMPARE(edit->timeEdit->time(), QTime(0, 0, 5));
    QCOMPARE(storedBreakTime(f.controller(), 1), uint16_t(50));
    QCOMPARE(storedBreakTime(f.controller(), 0), uint16_t(0xFFFF));
}

void tst_program_page::stepCountFollowsGrid()
{
    programPageFixture f;
    f.build();
    aprogram_settings_widget& page = *f.page;
    page.stepCountBox->setValue(12);
    QCOMPARE(f.programs().stepCount(0), 12);
    QCOMPARE(f.model()->rowCount(), 12);
    for (int s : {2, 8, 11})
        f.tick(s);
    QVERIFY(f.takesTicks(11));
    QVERIFY(!f.takesTicks(12));

    page.stepCountBox->setValue(8);
    QCOMPARE(f.programs().stepCount(0), 8);
    QCOMPARE(f.model()->rowCount(), 8);
    QVERIFY(f.ticked(2) && f.takesTicks(7));
    for (int s = 8; s < 12; ++s)
        QVERIFY(!f.ticked(s) && !f.takesTicks(s));
    QCOMPARE(page.selectionGroup->toBox->maximum(), 8);

    page.stepCountBox->setValue(10);
    QVERIFY(f.takesTicks(9) && !f.ticked(8));
    QVERIFY(!f.takesTicks(10));
}

void tst_program_page::programChoice()
{
    programPageFixture f;
    f.makeProgram(0, {10, 10, 10});
    f.makeProgram(5, {10, 20});
    f.build();
    QCOMPARE(f.model()->rowCount(), 3);
    f.tick(1);
    f.setCurrentRow(1);
    f.table()->selectRow(1);

    f.show(5);
    QCOMPARE(f.page->currentProgram, 5);
    QCOMPARE(f.page->programNumberLabel->text(), QString("6"));
    QCOMPARE(f.page->stepCountBox->value(), 2);
    QCOMPARE(f.column(0), (QStringList{"   101", "   102"}));
    QVERIFY(f.table()->selectionModel()->selectedRows().isEmpty());
    // A change of program applies its count to the grid, marks stay.
    QVERIFY(f.takesTicks(1) && !f.takesTicks(2));
    QVERIFY(f.ticked(1));

    f.show(7);
    QCOMPARE(f.model()->rowCount(), 0);
    QCOMPARE(f.page->stepCountBox->value(), 0);
    QCOMPARE(f.programs().stepCount(0), 3);
}

void tst_program_page::recurrences()
{
    programPageFixture f;
    f.makeProgram(3, {10, 20});
    f.programs().setRecurrences(3, 3);
    f.programs().step(3, 1)->fadeDown = QTime(0, 0, 2);
    f.build();

    // Chosen for the first program shown while it has no step yet, the
    // value is kept for the steps that follow.
    QVERIFY(!f.programs().findProgram(0));
    f.page->recurrencesBox->setValue(0);
    f.page->stepCountBox->setValue(2);
    QCOMPARE(f.programs().recurrences(0), 0);

    f.show(3);
    QCOMPARE(f.page->recurrencesBox->value(), 3);
    QCOMPARE(f.cell(1, 3), QString("00:00:02.0"));

    f.page->recurrencesBox->setValue(0);
    QCOMPARE(f.page->recurrencesBox->text(), QString("infinite"));
    QCOMPARE(f.programs().recurrences(3), 0);
    QCOMPARE(f.column(3), (QStringList{" - ", " - "}));
}

void tst_program_page::programListAndDescriptions()
{
    programPageFixture f;
    f.makeProgram(2, {10});
    f.controller().programDescriptions[2] = "Shop window";
    f.build();
    pageListView* list = f.page->programList;
    QCOMPARE(list->rowCount(), 512);
    QCOMPARE(list->text(0), QString("no description"));
    QCOMPARE(list->text(2), QString("Shop window"));
    QCOMPARE(rowBrush(list, 2).color(), QColor(230, 255, 230));
    QCOMPARE(rowBrush(list, 2).style(), Qt::SolidPattern);
    QCOMPARE(rowBrush(list, 0), pageStyle::emptyBrush());
    QCOMPARE(f.page->descriptionEdit->text(), QString());

    f.page->descriptionEdit->setText("Evening");
    emit f.page->descriptionEdit->editingFinished();
    QCOMPARE(f.controller().programDescriptions[0], QString("Evening"));
    QCOMPARE(list->text(0), QString("Evening"));

    f.show(2);
    QCOMPARE(f.page->descriptionEdit->text(), QString("Shop window"));

    // Extra entries take the top slots out of the list. The last program,
    // current, gives way to the one before it once: the list losing its
    // current row does not reload the page from within the reload.
    f.show(511);
    f.controller().extraEntries.push_back(std::make_unique<extraEntry>());
    const int refreshes = f.page->refreshCount;
    f.page->refresh();
    QCOMPARE(f.page->refreshCount, refreshes + 1);
    QCOMPARE(f.page->programRows, 511);
    QCOMPARE(list->rowCount(), 511);
    QCOMPARE(list->currentRow(), 510);
    QCOMPARE(f.page->currentProgram, 510);
}

// A read (or a relabel) changes every row at once: the list is told once,
// redraws the rows on the screen and keeps the program the user chose.
void tst_program_page::readRedrawsTheVisibleRows()
{
    programPageFixture f;
    f.build();
    QVERIFY(showOnScreen(f.tab));
    pageListView* list = f.page->programList;
    f.show(3);
    QCOMPARE(drawnColour(list, 5), pageStyle::emptyBrush().color());

    kv310_controller_class& c = f.controller();
    c.programDescriptions[5] = QStringLiteral("Read from a file");
    f.makeProgram(5, {10});
    QSignalSpy notices(list->model(), &QAbstractItemModel::dataChanged);
    f.page->relabel();
    f.page->refresh();
    QCOMPARE(notices.count(), 2);
    for (const QList<QVariant>& notice : notices)
        QVERIFY(spansRows(notice, 0, 511));
    QCOMPARE(list->text(5), QStringLiteral("Read from a file"));
    QCOMPARE(drawnColour(list, 5), QColor(230, 255, 230));
    QCOMPARE(list->currentRow(), 3);
    QVERIFY(list->selectionModel()->isRowSelected(3, QModelIndex()));
    QCOMPARE(f.page->currentProgram, 3);

    // An edited description changes its own row only.
    notices.clear();
    f.page->descriptionEdit->setText(QStringLiteral("Fourth"));
    emit f.page->descriptionEdit->editingFinished();
    QCOMPARE(notices.count(), 1);
    QVERIFY(spansRows(notices.first(), 3, 3));
    QCOMPARE(list->text(3), QStringLiteral("Fourth"));
}

// The user ticks the boxes of "Groupped Steps" on the page itself, and the
// same clicks and keys on the grid of check boxes the page had tick the
// same steps: a click in a cell ticks or unticks it, a double click twice,
// the space bar acts on the cell clicked last, and a greyed cell takes no
// click. "Set" then acts on what was ticked.
void tst_program_page::stepGridTakesClicksAndSpace()
{
    // Step 13 and on are no steps of the program.
    const QList<QPair<QString, int>> acts{{"click", 3},  {"click", 7},  {"click", 7},  {"click", 11},
                                          {"space", 0},  {"space", 0},  {"double", 5}, {"click", 12},
                                          {"click", 25}, {"click", 9},  {"space", 0},  {"space", 0},
                                          {"space", 0},  {"click", 0}};
    const auto play = [&acts](QAbstractItemView* grid, const std::function<QPoint(int)>& cellAt) {
        for (const auto& [act, s] : acts) {
            // The mouse meets what lies under it: a box, or the grid itself.
            QWidget* under = grid->viewport()->childAt(cellAt(s));
            QWidget* target = under ? under : grid->viewport();
            const QPoint at = target->mapFrom(grid->viewport(), cellAt(s));
            if (act == "click") {
                QTest::mouseClick(target, Qt::LeftButton, {}, at);
            } else if (act == "double") {
                QTest::mouseClick(target, Qt::LeftButton, {}, at);
                QTest::mouseDClick(target, Qt::LeftButton, {}, at);
                QTest::mouseRelease(target, Qt::LeftButton, {}, at);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            }
        }
    };

    // The grid as it was: a table with a check box in every cell.
    QTableWidget boxes(100, 10);
    boxes.horizontalHeader()->setDefaultSectionSize(stepGridView::CELL_WIDTH);
    boxes.verticalHeader()->setDefaultSectionSize(stepGridView::CELL_HEIGHT);
    boxes.setSelectionMode(QAbstractItemView::NoSelection);
    for (int s = 0; s < 1000; ++s) {
        auto* box = new QCheckBox();
        box->setEnabled(s < 12);
        boxes.setCellWidget(s / 10, s % 10, box);
    }
    boxes.resize(330, 500);
    boxes.show();
    QVERIFY(QTest::qWaitForWindowActive(&boxes));
    play(&boxes, [&boxes](int s) { return boxes.visualRect(boxes.model()->index(s / 10, s % 10)).center(); });
    QList<int> boxTicks;
    for (int s = 0; s < 1000; ++s)
        if (qobject_cast<QCheckBox*>(boxes.cellWidget(s / 10, s % 10))->isChecked())
            boxTicks << s;
    boxes.hide();

    programPageFixture f;
    f.makeProgram(0, QList<int>(12, 10));
    f.build();
    f.page->toolTabs->setCurrentIndex(1);
    QVERIFY(showOnScreen(f.tab));
    stepGridView* grid = f.page->stepGrid;
    play(grid, [&](int s) { return grid->visualRect(f.grid()->indexOf(s)).center(); });
    QList<int> ticks;
    for (int s = 0; s < 1000; ++s)
        if (f.ticked(s))
            ticks << s;
    QCOMPARE(ticks, boxTicks);
    QVERIFY(!ticks.isEmpty());

    f.page->sceneBox->setValue(50);
    f.page->setSceneButton->click();
    QList<int> expected;
    for (int s = 0; s < 12; ++s)
        expected << (ticks.contains(s) ? 49 : 100 + s);
    QCOMPARE(f.scenes(0), expected);
}

void tst_program_page::stepGridGreysStepsFromTheCount_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("road");

    for (int steps : {0, 1, 7, 999}) {
        QTest::addRow("%d steps, built over it", steps) << steps << "built";
        QTest::addRow("%d steps, chosen", steps) << steps << "chosen";
        QTest::addRow("%d steps, typed", steps) << steps << "typed";
        QTest::addRow("%d steps, read", steps) << steps << "read";
    }
}

void tst_program_page::stepGridGreysStepsFromTheCount()
{
    QFETCH(int, steps);
    QFETCH(QString, road);

    programPageFixture f;
    if (road == "built") {
        f.makeProgram(0, QList<int>(steps, 10));
        f.build();
    } else if (road == "chosen") {
        f.makeProgram(4, QList<int>(steps, 10));
        f.makeProgram(0, QList<int>(20, 10));
        f.build();
        f.show(4);
    } else if (road == "typed") {
        f.makeProgram(0, QList<int>(20, 10));
        f.build();
        f.page->stepCountBox->setValue(steps);
    } else {
        f.build();
        f.page->toolTabs->setCurrentIndex(1);
        f.makeProgram(0, QList<int>(steps, 10));
        f.page->sceneCountChange(steps, true);   // what the window does after a read
    }
    QVERIFY(steps == 0 || f.takesTicks(steps - 1));
    QVERIFY(steps == 0 || f.takesTicks(0));
    QVERIFY(!f.takesTicks(steps));
    QVERIFY(!f.takesTicks(stepGridView::CELLS - 1));
}

void tst_program_page::foreignDescriptionIsNotStored()
{
    programPageFixture f;
    f.controller().programDescriptions[0] = "Current";
    f.controller().programDescriptions[4] = "Source";
    f.build();
    f.page->copyFromBox->setValue(5);
    f.page->toolTabs->setCurrentIndex(2);
    QLineEdit* edit = f.page->descriptionEdit;
    QCOMPARE(edit->text(), QString("Source"));
    QVERIFY(edit->isReadOnly());
    emit edit->editingFinished();
    QCOMPARE(f.controller().programDescriptions[0], QString("Current"));

    f.page->toolTabs->setCurrentIndex(0);
    QCOMPARE(edit->text(), QString("Current"));
    QVERIFY(!edit->isReadOnly());
}

void tst_program_page::importTimes()
{
    programPageFixture f;
    uint8_t* image = f.controller().configImage;
    const auto sceneTimes = [image](int scene, uint16_t up, uint16_t duration, uint16_t down) {
        img::putU16(image, img::sceneTimesOf(scene), up);
        img::putU16(image, img::sceneTimesOf(scene) + 2, duration);
        img::putU16(image, img::sceneTimesOf(scene) + 4, down);
    };
    sceneTimes(100, 5, 20, 7);
    sceneTimes(101, 15, 0xFFFF, 30);
    f.makeProgram(0, {10, 10});
    f.programs().setRecurrences(0, 2);
    f.build();
    f.page->importTimesButton->click();
    QCOMPARE(f.column(1), (QStringList{"00:00:00.5", "00:00:01.5"}));
    QCOMPARE(f.column(2), (QStringList{"00:00:02.0", "  infinite"}));
    QCOMPARE(f.column(3), (QStringList{" - ", "00:00:03.0"}));
}

void tst_program_page::stepRowShowsSceneLive()
{
    virtualClock clock;
    controllerRig rig;
    QVERIFY(rig.connect());
    programPageFixture f;
    const publishedController published(rig.controller.get());
    kv310_controller_class& c = *rig.controller;
    c.programs.setStepCount(0, 3);
    c.programs.setScene(0, 0, 4);
    c.programs.setScene(0, 1, 16);
    for (int ch = 0; ch < img::CHANNELS; ++ch) {
        c.configImage[img::sceneChannelsOf(4) + uint32_t(ch)] = uint8_t(ch);
        c.configImage[img::sceneChannelsOf(16) + uint32_t(ch)] = uint8_t(255 - ch);
    }
    c.sceneDescriptions[16] = "Blue";
    f.build();

    // Normal mode: nothing goes out.
    c.ch_mode(1);
    rig.sim->log.clear();
    f.setCurrentRow(0);
    QVERIFY(rig.sim->logOf(LIVE_SCENE_WRITE).isEmpty());

    c.ch_mode(2);
    rig.sim->log.clear();
    f.setCurrentRow(1);  // scene 17 as the user counts
    QCOMPARE(f.page->sceneDescriptionEdit->text(), QString("Blue"));
    QCOMPARE(rig.sim->countOf(LIVE_SCENE_WRITE), 1);
    QCOMPARE(rig.sim->output, QByteArray(reinterpret_cast<const char*>(c.configImage + img::sceneChannelsOf(16)), 512));

    f.setCurrentRow(0);
    QCOMPARE(rig.sim->countOf(LIVE_SCENE_WRITE), 2);
    QCOMPARE(uint8_t(rig.sim->output[10]), uint8_t(10));

    // A program without steps takes the current row away: the controller
    // keeps showing what it shows.
    f.show(9);
    QCOMPARE(f.table()->currentIndex().row(), -1);
    QCOMPARE(rig.sim->countOf(LIVE_SCENE_WRITE), 2);
    QCOMPARE(f.page->sceneDescriptionEdit->text(), QString());
    QVERIFY(rig.status->isEmpty());
}

void tst_program_page::buttonsShowTheirTexts()
{
    programPageFixture f;
    f.build();
    const QList<QPushButton*> row{f.page->fillButton,       f.page->editSceneButton, f.page->importTimesButton,
                                  f.page->insertStepButton, f.page->deleteStepButton, f.page->copyStepButton,
                                  f.page->pasteStepButton};
    for (int i = 0; i < row.size(); ++i) {
        const QPushButton* b = row.at(i);
        QCOMPARE(b->font().weight(), QFont::Normal);
        QVERIFY2(QFontMetrics(b->font()).horizontalAdvance(b->text()) + 12 <= b->width(), qPrintable(b->text()));
        if (i > 0)
            QVERIFY(row.at(i - 1)->geometry().right() < b->x());
    }
    QVERIFY(row.last()->geometry().right() < f.page->toolTabs->width());
}

QTEST_MAIN(tst_program_page)
#include "tst_program_page.moc"
