#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/time_codes.h"
#include "transport/protocol.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_style.h"

#include "device/controller_rig.h"
#include "support/page_fixture.h"
#include "support/virtual_clock.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

namespace {

fadeTimes timesOf(const kv310_controller_class& c, int scene)
{
    return fadeTimes::read(c.configImage + img::sceneTimesOf(scene));
}

void setTimes(kv310_controller_class& c, int scene, uint16_t up, uint16_t duration, uint16_t down)
{
    fadeTimes t = timesOf(c, scene);
    t.fadeUp = up;
    t.duration = duration;
    t.fadeDown = down;
    t.write(c.configImage + img::sceneTimesOf(scene));
}

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

QString rowText(const ascene_settings_widget& page, int row)
{
    return page.sceneList->text(row);
}

QBrush rowBrush(const ascene_settings_widget& page, int row)
{
    return qvariant_cast<QBrush>(page.sceneList->model()->index(row, 0).data(Qt::BackgroundRole));
}

QColor rowColour(const ascene_settings_widget& page, int row)
{
    return rowBrush(page, row).color();
}

// Counts the paint events of a widget.
struct paintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

const QTime oneSecond(0, 0, 1);

}  // namespace

class tst_scene_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void aNewPage();
    void choosingASceneShowsIt();
    void showingScenesWritesNothing();
    void timeEditsStoreTheirCodes();
    void infiniteDuration();
    void lastNonZeroTimeSetToZero_data();
    void lastNonZeroTimeSetToZero();
    void showingAnAllZeroSceneRepairsIt();
    void clearChannelsClearsTheWholeRecord();
    void listTextsAndColours();
    void editingADescription();
    void aReadShowsInTheVisibleRows_data();
    void aReadShowsInTheVisibleRows();
    void liveModeUploadsTheChosenScene();
    void aWindowWithoutAController();

private:
    std::unique_ptr<pageFixture> world;
};

void tst_scene_page::init()
{
    world = std::make_unique<pageFixture>();
}

void tst_scene_page::cleanup()
{
    world.reset();
}

void tst_scene_page::aNewPage()
{
    ascene_settings_widget page(&world->controller(), &world->tab);
    QCOMPARE(page.refreshCount, 1);
    QCOMPARE(page.currentScene, 0);
    QCOMPARE(page.sceneList->rowCount(), img::SCENES);
    QCOMPARE(page.sceneList->currentRow(), 0);
    QCOMPARE(page.sceneList->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Scene"));
    QCOMPARE(page.sceneList->model()->headerData(10239, Qt::Vertical).toInt(), 10240);
    QCOMPARE(page.sceneList->geometry(), QRect(10, 20, 175, 625));
    QCOMPARE(page.sceneList->columnWidth(0), 110);
    QCOMPARE(page.sceneList->font(), pageStyle::listFont());
    QCOMPARE(page.sceneList->selectionModel()->selectedRows(), QModelIndexList{page.sceneList->model()->index(0, 0)});
    QCOMPARE(page.sceneList->parentWidget(), &world->tab);
    QStringList tabs;
    for (int i = 0; i < page.toolTabs->count(); ++i)
        tabs << page.toolTabs->tabText(i);
    QCOMPARE(tabs, (QStringList{"Single Channels", "Groupped Channels", "Copying", "Coupled Scenes"}));
    QCOMPARE(page.sliderBank->kind, int(admx512_sliders_widget::KIND_SCENES));
    QCOMPARE(page.groupLabel->text(), QStringLiteral("Scene: 1"));
    QCOMPARE(page.durationEdit->maximumTime(), QTime(1, 49, 13, 400));
    QCOMPARE(page.fadeUpEdit->maximumTime(), QTime(1, 49, 13, 500));
    QCOMPARE(page.fadeDownEdit->displayFormat(), QStringLiteral("hh'[h] 'mm'[m] 'ss'.'zzz'[s]'"));
    QCOMPARE(page.descriptionEdit->maxLength(), 100);
    QVERIFY(world->dialogs.entries.isEmpty());
}

void tst_scene_page::choosingASceneShowsIt()
{
    kv310_controller_class& c = world->controller();
    setTimes(c, 5, 25, 600, 7);
    c.configImage[img::sceneChannelsOf(5) + 2] = 140;
    c.sceneDescriptions[5] = QStringLiteral("Stage left");
    ascene_settings_widget page(&c, &world->tab);
    QSignalSpy chosen(&page, &ascene_settings_widget::sceneChanged);
    const int refreshes = page.refreshCount;

    page.sceneList->setCurrentCell(5, 0);
    QCOMPARE(page.currentScene, 5);
    QCOMPARE(chosen, (QList<QList<QVariant>>{{5}}));
    QCOMPARE(page.refreshCount, refreshes + 1);
    QCOMPARE(page.groupLabel->text(), QStringLiteral("Scene 6"));
    QCOMPARE(page.sliderBank->recordNumber, 5);
    QCOMPARE(page.sliderBank->numberLabel->text(), QStringLiteral("6"));
    QCOMPARE(page.sliderBank->sliders[2]->slider->value(), 140);
    QCOMPARE(page.fadeUpEdit->time(), QTime(0, 0, 2, 500));
    QCOMPARE(page.durationEdit->time(), QTime(0, 1, 0));
    QVERIFY(page.durationEdit->isEnabled());
    QVERIFY(!page.infiniteBox->isChecked());
    QCOMPARE(page.fadeDownEdit->time(), QTime(0, 0, 0, 700));
    QCOMPARE(page.descriptionEdit->text(), QStringLiteral("Stage left"));

    // A fader edits the scene shown.
    page.sliderBank->sliders[9]->slider->setValue(3);
    QCOMPARE(c.configImage[img::sceneChannelsOf(5) + 9], uint8_t(3));
}

void tst_scene_page::showingScenesWritesNothing()
{
    kv310_controller_class& c = world->controller();
    setTimes(c, 1, 0xFFFF, 0xFFFE, 0xFFFF);
    setTimes(c, 2, 1, 0, 0);
    setTimes(c, 3, 0, 0xFFFF, 0);
    for (int ch = 0; ch < 512; ++ch)
        c.configImage[img::sceneChannelsOf(2) + ch] = uint8_t(ch);
    const QByteArray before = imageHash(c);

    ascene_settings_widget page(&c, &world->tab);
    for (int scene : {1, 2, 3, 0, 2})
        page.sceneList->setCurrentCell(scene, 0);
    page.sliderBank->scrollBar->setValue(400);
    page.refresh();
    page.relabel();
    QCOMPARE(imageHash(c), before);
    QVERIFY(world->dialogs.entries.isEmpty());
}

void tst_scene_page::timeEditsStoreTheirCodes()
{
    kv310_controller_class& c = world->controller();
    setTimes(c, 4, 1, 1, 1);
    ascene_settings_widget page(&c, &world->tab);
    page.sceneList->setCurrentCell(4, 0);

    page.fadeUpEdit->setTime(QTime(0, 0, 2, 500));
    page.durationEdit->setTime(QTime(1, 0));
    page.fadeDownEdit->setTime(QTime(0, 0, 0, 530));  // snapped to whole tenths
    fadeTimes t = timesOf(c, 4);
    QCOMPARE(t.fadeUp, uint16_t(25));
    QCOMPARE(t.duration, uint16_t(36000));
    QCOMPARE(t.fadeDown, uint16_t(6));

    // The duration edit stops short of the infinite code.
    page.durationEdit->setTime(QTime(3, 0));
    QCOMPARE(timesOf(c, 4).duration, uint16_t(0xFFFE));
    page.fadeUpEdit->setTime(QTime(3, 0));
    QCOMPARE(timesOf(c, 4).fadeUp, uint16_t(0xFFFF));
    QCOMPARE(timesOf(c, 0).duration, uint16_t(0xFFFF));  // other scenes keep theirs
}

void tst_scene_page::infiniteDuration()
{
    kv310_controller_class& c = world->controller();
    setTimes(c, 0, 5, 0xFFFF, 5);
    setTimes(c, 1, 5, 40, 5);
    ascene_settings_widget page(&c, &world->tab);
    QVERIFY(page.infiniteBox->isChecked());
    QVERIFY(!page.durationEdit->isEnabled());
    QCOMPARE(page.durationEdit->time(), oneSecond);

    page.infiniteBox->setChecked(false);
    QCOMPARE(timesOf(c, 0).duration, uint16_t(10));
    QVERIFY(page.durationEdit->isEnabled());
    QCOMPARE(page.durationEdit->time(), oneSecond);

    page.sceneList->setCurrentCell(1, 0);
    QVERIFY(!page.infiniteBox->isChecked());
    QCOMPARE(page.durationEdit->time(), QTime(0, 0, 4));
    page.infiniteBox->setChecked(true);
    QCOMPARE(timesOf(c, 1).duration, uint16_t(0xFFFF));
    QVERIFY(!page.durationEdit->isEnabled());
    QCOMPARE(page.durationEdit->time(), oneSecond);
    QVERIFY(world->dialogs.entries.isEmpty());
}

void tst_scene_page::lastNonZeroTimeSetToZero_data()
{
    QTest::addColumn<int>("fadeUp");
    QTest::addColumn<int>("duration");
    QTest::addColumn<int>("fadeDown");
    QTest::addColumn<int>("edit");  // 0 fade-up, 1 duration, 2 fade-down: set to 0
    QTest::addColumn<bool>("broken");
    QTest::addColumn<int>("durationAfter");

    QTest::newRow("fade-up last") << 5 << 0 << 0 << 0 << true << 10;
    QTest::newRow("duration last") << 0 << 30 << 0 << 1 << true << 10;
    QTest::newRow("fade-down last") << 0 << 0 << 7 << 2 << true << 10;
    QTest::newRow("a fade is left") << 0 << 30 << 7 << 1 << false << 0;
    QTest::newRow("the duration is left") << 5 << 30 << 0 << 0 << false << 30;
    QTest::newRow("infinite is not zero") << 5 << 0xFFFF << 0 << 0 << false << 0xFFFF;
}

void tst_scene_page::lastNonZeroTimeSetToZero()
{
    QFETCH(int, fadeUp);
    QFETCH(int, duration);
    QFETCH(int, fadeDown);
    QFETCH(int, edit);
    QFETCH(bool, broken);
    QFETCH(int, durationAfter);
    kv310_controller_class& c = world->controller();
    setTimes(c, 8, uint16_t(fadeUp), uint16_t(duration), uint16_t(fadeDown));
    ascene_settings_widget page(&c, &world->tab);
    page.sceneList->setCurrentCell(8, 0);
    QVERIFY(world->dialogs.entries.isEmpty());

    MyTimeEdit* edits[] = {page.fadeUpEdit, page.durationEdit, page.fadeDownEdit};
    edits[edit]->setTime(QTime(0, 0));
    if (broken) {
        QCOMPARE(world->dialogs.titles(), QStringList{"Rule broken!"});
        QCOMPARE(world->dialogs.texts(), QStringList{"All times cannot equal 0!\nDuration will be fixed."});
        QCOMPARE(world->dialogs.entries.first().icon, QMessageBox::Warning);
        QCOMPARE(page.durationEdit->time(), oneSecond);
    } else {
        QVERIFY(world->dialogs.entries.isEmpty());
    }
    QCOMPARE(int(timesOf(c, 8).duration), durationAfter);
}

void tst_scene_page::showingAnAllZeroSceneRepairsIt()
{
    kv310_controller_class& c = world->controller();
    setTimes(c, 0, 10, 20, 30);
    setTimes(c, 6, 0, 0, 0);
    ascene_settings_widget page(&c, &world->tab);

    page.sceneList->setCurrentCell(6, 0);
    QCOMPARE(world->dialogs.titles(), QStringList{"Rule broken!"});
    const fadeTimes t = timesOf(c, 6);
    QCOMPARE(t.fadeUp, uint16_t(0));
    QCOMPARE(t.duration, uint16_t(10));
    QCOMPARE(t.fadeDown, uint16_t(0));
    QCOMPARE(page.fadeUpEdit->time(), QTime(0, 0));
    QCOMPARE(page.durationEdit->time(), oneSecond);
    QCOMPARE(page.fadeDownEdit->time(), QTime(0, 0));

    // Repaired once: showing it again says nothing.
    page.sceneList->setCurrentCell(0, 0);
    page.sceneList->setCurrentCell(6, 0);
    QCOMPARE(world->dialogs.entries.size(), 1);
}

void tst_scene_page::clearChannelsClearsTheWholeRecord()
{
    kv310_controller_class& c = world->controller();
    uint8_t* levels = c.configImage + img::sceneChannelsOf(2);
    levels[0] = 1;
    levels[511] = 2;
    c.configImage[img::sceneChannelsOf(3)] = 9;
    ascene_settings_widget page(&c, &world->tab);
    page.limitChnls(100);
    page.sceneList->setCurrentCell(2, 0);
    QCOMPARE(rowColour(page, 2), pageStyle::usedColour());
    QSignalSpy live(page.sliderBank.get(), &admx512_sliders_widget::liveNewValue);

    page.clearButton->click();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(levels), 512), QByteArray(512, '\0'));
    QCOMPARE(c.configImage[img::sceneChannelsOf(3)], uint8_t(9));
    QCOMPARE(rowBrush(page, 2), pageStyle::emptyBrush());
    QVERIFY(live.isEmpty());
}

void tst_scene_page::listTextsAndColours()
{
    kv310_controller_class& c = world->controller();
    const QString longText = QStringLiteral("Front wash, warm white, every fixture of the truss at full");
    c.sceneDescriptions[3] = longText;
    c.sceneDescriptions[4] = QStringLiteral("Blue");
    c.configImage[img::sceneChannelsOf(4) + 511] = 1;
    ascene_settings_widget page(&c, &world->tab);

    QCOMPARE(rowText(page, 0), QStringLiteral("no description"));
    QCOMPARE(rowText(page, 3), longText);
    QCOMPARE(rowText(page, 4), QStringLiteral("Blue"));
    QCOMPARE(rowBrush(page, 0), pageStyle::emptyBrush());
    QCOMPARE(rowColour(page, 4), pageStyle::usedColour());

    // The rows hold the whole texts; the list cuts them to the cell where it
    // draws them.
    page.relabel();
    QCOMPARE(rowText(page, 3), longText);
    QCOMPARE(rowText(page, 4), QStringLiteral("Blue"));

    // A level set elsewhere shows at the next refresh.
    c.configImage[img::sceneChannelsOf(7) + 100] = 5;
    page.refresh();
    QCOMPARE(rowColour(page, 7), pageStyle::usedColour());
}

void tst_scene_page::editingADescription()
{
    kv310_controller_class& c = world->controller();
    ascene_settings_widget page(&c, &world->tab);
    page.sceneList->setCurrentCell(9, 0);
    const QString text = QStringLiteral("Finale: every colour, every fixture, strobes on");
    page.descriptionEdit->setText(text);
    // An edit redraws its own row alone.
    QSignalSpy changed(page.sceneList->model(), &QAbstractItemModel::dataChanged);
    QTest::keyClick(page.descriptionEdit, Qt::Key_Return);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), page.sceneList->model()->index(9, 0));
    QCOMPARE(changed[0][1].toModelIndex(), page.sceneList->model()->index(9, 0));
    QCOMPARE(c.sceneDescriptions[9], text);
    QCOMPARE(rowText(page, 9), text);

    page.descriptionEdit->clear();
    QTest::keyClick(page.descriptionEdit, Qt::Key_Return);
    QVERIFY(c.sceneDescriptions[9].isEmpty());
    QCOMPARE(rowText(page, 9), QStringLiteral("no description"));
}

void tst_scene_page::aReadShowsInTheVisibleRows_data()
{
    QTest::addColumn<bool>("relabel");
    QTest::newRow("relabel") << true;
    QTest::newRow("refresh") << false;
}

// New descriptions and levels, as a read of a file or the controller leaves
// them: one change over every row makes the list draw what it shows anew,
// and the current row and the selection stay.
void tst_scene_page::aReadShowsInTheVisibleRows()
{
    QFETCH(bool, relabel);
    kv310_controller_class& c = world->controller();
    ascene_settings_widget page(&c, &world->tab);
    world->tab.resize(1070, 703);
    world->tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&world->tab));
    page.sceneList->setCurrentCell(5, 0);
    QCoreApplication::processEvents();
    const QAbstractItemModel* model = page.sceneList->model();
    QCOMPARE(rowText(page, 2), QStringLiteral("no description"));

    paintCounter counter;
    page.sceneList->viewport()->installEventFilter(&counter);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    for (int s = 0; s < img::SCENES; ++s)
        c.sceneDescriptions[size_t(s)] = QStringLiteral("read %1").arg(s + 1);
    c.configImage[img::sceneChannelsOf(2) + 9] = 7;
    if (relabel)
        page.relabel();
    else
        page.refresh();

    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), model->index(0, 0));
    QCOMPARE(changed[0][1].toModelIndex(), model->index(img::SCENES - 1, 0));
    QTRY_VERIFY(counter.paints > 0);
    QCOMPARE(rowText(page, 2), QStringLiteral("read 3"));
    QCOMPARE(rowColour(page, 2), pageStyle::usedColour());
    QCOMPARE(rowText(page, img::SCENES - 1), QStringLiteral("read 10240"));
    QCOMPARE(page.sceneList->currentRow(), 5);
    QCOMPARE(page.sceneList->selectionModel()->selectedRows(), QModelIndexList{model->index(5, 0)});
    QCOMPARE(page.currentScene, 5);
}

void tst_scene_page::liveModeUploadsTheChosenScene()
{
    virtualClock clock;
    controllerRig rig;
    kv310_controller_class& c = *rig.controller;
    for (int ch = 0; ch < 512; ++ch)
        c.configImage[img::sceneChannelsOf(7) + ch] = uint8_t(ch / 2);
    QVERIFY(rig.connect());
    ascene_settings_widget page(&c, &world->tab);

    // Not live: choosing and editing stay in the image.
    page.sceneList->setCurrentCell(1, 0);
    page.sliderBank->sliders[0]->slider->setValue(4);
    QVERIFY(rig.sim->log.isEmpty());

    c.ch_mode(2);
    page.sceneList->setCurrentCell(7, 0);
    QCOMPARE(rig.sim->liveFramesTaken, 2);  // chosen by the bank, and again by the reload
    QCOMPARE(rig.sim->output, QByteArray(reinterpret_cast<const char*>(c.configImage + img::sceneChannelsOf(7)), 512));

    page.sliderBank->sliders[1]->slider->setValue(250);
    QCOMPARE(uint8_t(rig.sim->output[1]), uint8_t(250));

    page.sceneLiveOn();
    QCOMPARE(rig.sim->liveFramesTaken, 4);

    // Clearing sends the cleared scene whole, not channel by channel.
    const int values = rig.sim->countOf(SET_LIVE_VALUE);
    page.clearButton->click();
    QCOMPARE(rig.sim->countOf(SET_LIVE_VALUE), values);
    QCOMPARE(rig.sim->liveFramesTaken, 5);
    QCOMPARE(rig.sim->output, QByteArray(512, '\0'));
    QVERIFY(rig.status->isEmpty());
}

void tst_scene_page::aWindowWithoutAController()
{
    // A main window can be built without a controller object: the page then
    // shows its widgets and its controls reach nothing.
    ascene_settings_widget page(nullptr, &world->tab);
    page.sceneList->setCurrentCell(3, 0);
    page.fadeUpEdit->setTime(QTime(0, 0, 5));
    page.durationEdit->setTime(QTime(0, 0));
    page.infiniteBox->setChecked(true);
    page.sliderBank->sliders[0]->slider->setValue(9);
    page.descriptionEdit->setText(QStringLiteral("x"));
    QTest::keyClick(page.descriptionEdit, Qt::Key_Return);
    page.clearButton->click();
    page.relabel();
    page.sceneLiveOn();
    QCOMPARE(page.currentScene, 3);
    QVERIFY(world->dialogs.entries.isEmpty());
}

QTEST_MAIN(tst_scene_page)
#include "tst_scene_page.moc"
