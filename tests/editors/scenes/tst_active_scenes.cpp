#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/sector_palette.h"
#include "fixtures/light_effect.h"
#include "model/config_image.h"
#include "model/events.h"
#include "model/time_codes.h"
#include "model/v_project.h"
#include "widgets/my_time_edit.h"

#include "support/page_fixture.h"

#include <QCryptographicHash>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <cstring>

namespace {

constexpr uint16_t NOT_SET = 0xFFFF;

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

void setSettings(kv310_controller_class& c, uint16_t scene, uint16_t event, uint16_t channel)
{
    img::putU16(c.configImage, img::asStartScene, scene);
    img::putU16(c.configImage, img::asStartEvent, event);
    img::putU16(c.configImage, img::asControlChannel, channel);
}

// 0-based, both ends inclusive, as stored.
void setSector(kv310_controller_class& c, int sector, uint16_t from, uint16_t to)
{
    sectorRange{from, to}.write(c.configImage + img::asSectorRangesOf(sector));
}

QPair<int, int> sectorOf(const kv310_controller_class& c, int sector)
{
    const sectorRange s = sectorRange::read(c.configImage + img::asSectorRangesOf(sector));
    return {s.from, s.to};
}

uint16_t word(const kv310_controller_class& c, uint32_t offset)
{
    return img::getU16(c.configImage, offset);
}

uint8_t* sceneLevels(kv310_controller_class& c, int scene)
{
    return c.configImage + img::sceneChannelsOf(scene);
}

// Every channel of scene `scene` holds `level`.
void fillScene(kv310_controller_class& c, int scene, uint8_t level)
{
    std::memset(sceneLevels(c, scene), level, img::CHANNELS);
}

// One action as "type/number/sub", with its state words where any is set.
QString actionText(const kv310_controller_class& c, int id, int i)
{
    uint32_t words[4];
    const int s14 = c.events.stateLimits(id, i, words);
    QString text = QStringLiteral("%1/%2/%3").arg(c.events.actionType(id, i)).arg(c.events.number(id, i)).arg(
        c.events.subAction(id, i));
    if (s14 != 0xFF)
        text += QStringLiteral(" s14=%1").arg(s14, 2, 16);
    for (int w = 0; w < 4; ++w)
        if (words[w] != 0xFFFFFFFF)
            text += QStringLiteral(" w%1=%2").arg(w).arg(words[w], 8, 16, QLatin1Char('0'));
    return text;
}

// The settings page and the picture editor on the page fixture.
struct activeRig {
    explicit activeRig(bool build = true)
    {
        if (build)
            make();
    }
    void make()
    {
        page = std::make_unique<as_conf_widget>(&world.tab);
        editor = std::make_unique<as_edit_widget>(&editorTab);
    }
    kv310_controller_class& c() { return world.controller(); }
    QPair<int, bool> lastTabState() const { return world.run.window->activeScenesTabs.value(
        world.run.window->activeScenesTabs.size() - 1); }

    pageFixture world;
    QWidget editorTab;
    std::unique_ptr<as_conf_widget> page;
    std::unique_ptr<as_edit_widget> editor;
};

// The DMX input page's limit change: the limit is stored, then the page told.
void enterInputLimit(activeRig& r, int limit)
{
    img::putU16(r.c().configImage, img::inputChannelLimit, uint16_t(limit));
    r.page->setInputLimit(limit);
}

// Fixtures of two channels each from channel `first` (0-based) on, numbered 1...
void addFixtures(v_project& vp, int count, int first)
{
    for (int n = 0; n < count; ++n) {
        auto* f = new lightEffect(n + 1, 0, 0, nullptr);
        f->dmxStart = first + 2 * n;
        f->chnlCount = 2;
        f->defined = true;
        vp.fixtures.append(f);
    }
}

}  // namespace

class tst_active_scenes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Settings page.
    void aNewPage();
    void notSet_data();
    void notSet();
    void everythingSet();
    void uncheckingKeepsComposeAndApply();
    void refreshStoresWhatTheBoxesShow_data();
    void refreshStoresWhatTheBoxesShow();
    void showingAValidConfigurationWritesNothing();
    void checkedAtConstruction_data();
    void checkedAtConstruction();
    void aNewPageShowsTheStoredFadeTimes();
    void configRead_data();
    void configRead();
    void sectorTable();
    void sectorEditing_data();
    void sectorEditing();
    void changeRange();
    void inputLimit();
    void aControlChannelAboveTheInputLimitStays_data();
    void aControlChannelAboveTheInputLimitStays();

    // Compound pictures.
    void noSectorNoFader();
    void faderColoursFollowTheSectors();
    void aPictureCellChoosesTheRecord();
    void visualDesignMode();
    void compose();
    void composeWithoutAStartScene();
    void aNewPageComposesOnlyEmptyPictures();
    void configReadComposesTheConfigurationRead();

    // Apply.
    void separation_data();
    void separation();
    void applyWritesTheScenes();
    void applyWritesTheEvents();
    void applyReleasesWhatTheEventsHeld();
    void applyNeedsItsNumbers();
    void sectorsPastTheUniverseTakeNoPart_data();
    void sectorsPastTheUniverseTakeNoPart();
    void reportActionError();
    void groupsForTheVisualProject();
};

// ---- Settings page ------------------------------------------------------------------

void tst_active_scenes::aNewPage()
{
    activeRig r;
    as_conf_widget& p = *r.page;
    QCOMPARE(p.title(), QStringLiteral("Enable active scenes"));
    QVERIFY(p.isCheckable());
    QCOMPARE(p.startSceneBox->maximum(), 2304);
    QCOMPARE(p.startEventBox->minimum(), 1);
    QCOMPARE(p.startEventBox->maximum(), 1008);
    QCOMPARE(p.controlChannelBox->maximum(), 512);
    QCOMPARE(p.fadeUpEdit->maximumTime(), QTime(1, 49, 13, 500));
    QCOMPARE(p.sectorTable->rowCount(), 24);
    QCOMPARE(p.sectorTable->horizontalHeaderItem(2)->text(), QStringLiteral("Channel to"));
    QCOMPARE(p.sectorTable->itemDelegate(), p.delegate);
    QCOMPARE(p.delegate->page, &p);
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

void tst_active_scenes::notSet_data()
{
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("notSetBox");  // 0 scene, 1 event, 2 channel

    QTest::newRow("start scene") << int(NOT_SET) << 4 << 7 << 0;
    QTest::newRow("start event") << 100 << int(NOT_SET) << 7 << 1;
    QTest::newRow("start event 0, power on") << 100 << 0 << 7 << 1;
    QTest::newRow("control channel") << 100 << 4 << int(NOT_SET) << 2;
}

void tst_active_scenes::notSet()
{
    QFETCH(int, scene);
    QFETCH(int, event);
    QFETCH(int, channel);
    QFETCH(int, notSetBox);

    activeRig r(false);
    setSettings(r.c(), uint16_t(scene), uint16_t(event), uint16_t(channel));
    addFixtures(r.world.project(), 2, 0);
    r.make();
    as_conf_widget& p = *r.page;
    QVERIFY(p.isChecked());
    const QSpinBox* boxes[] = {p.startSceneBox, p.startEventBox, p.controlChannelBox};
    for (int b = 0; b < 3; ++b)
        QCOMPARE(boxes[b]->text() == QStringLiteral("not set"), b == notSetBox);
    QVERIFY(!p.allSet());
    QVERIFY(!p.composeButton->isEnabled());
    QVERIFY(!p.applyButton->isEnabled());
    QVERIFY(!p.groupsButton->isEnabled());
    QCOMPARE(r.lastTabState(), qMakePair(1, false));
}

void tst_active_scenes::everythingSet()
{
    activeRig r(false);
    setSettings(r.c(), 100, 4, 7);
    addFixtures(r.world.project(), 2, 0);
    r.make();
    as_conf_widget& p = *r.page;
    QVERIFY(p.isChecked());
    QCOMPARE(p.startSceneBox->value(), 101);
    QCOMPARE(p.startEventBox->value(), 5);
    QCOMPARE(p.controlChannelBox->value(), 8);
    QVERIFY(p.composeButton->isEnabled());
    QVERIFY(p.applyButton->isEnabled());
    QVERIFY(p.groupsButton->isEnabled());
    QCOMPARE(r.lastTabState(), qMakePair(1, true));

    // Without complete fixtures there are no groups to make; the warning
    // comes only where the user sees the page.
    r.world.project().fixtures.first()->defined = false;
    r.world.dialogs.clear();
    p.refresh();
    QVERIFY(!p.groupsButton->isEnabled());
    QVERIFY(r.world.dialogs.titles().isEmpty());
    p.window()->show();
    QVERIFY(p.isVisible());
    p.refresh();
    QVERIFY(!p.groupsButton->isEnabled());
    QCOMPARE(r.world.dialogs.titles(), QStringList{"Incomplete fixture(s) found!"});
    p.window()->hide();

    // Choosing "not set" stores it.
    p.startSceneBox->setValue(0);
    QCOMPARE(word(r.c(), img::asStartScene), NOT_SET);
    p.startEventBox->setValue(1);
    QCOMPARE(word(r.c(), img::asStartEvent), NOT_SET);
    p.controlChannelBox->setValue(0);
    QCOMPARE(word(r.c(), img::asControlChannel), NOT_SET);
    p.startEventBox->setValue(2);
    QCOMPARE(word(r.c(), img::asStartEvent), uint16_t(1));
    QVERIFY(!p.applyButton->isEnabled());
}

void tst_active_scenes::uncheckingKeepsComposeAndApply()
{
    activeRig r(false);
    setSettings(r.c(), 100, 4, 7);
    addFixtures(r.world.project(), 1, 0);
    r.make();
    as_conf_widget& p = *r.page;
    p.setChecked(false);
    QCOMPARE(r.lastTabState(), qMakePair(1, false));
    QVERIFY(!p.groupsButton->isEnabled());
    QVERIFY(!p.startSceneBox->isEnabled());
    QVERIFY(p.composeButton->isEnabled());
    QVERIFY(p.applyButton->isEnabled());

    p.setChecked(true);
    QCOMPARE(r.lastTabState(), qMakePair(1, true));
    QVERIFY(p.groupsButton->isEnabled());
    QVERIFY(p.startSceneBox->isEnabled());
}

void tst_active_scenes::refreshStoresWhatTheBoxesShow_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("kept");

    QTest::newRow("start scene past the last") << int(img::asStartScene) << 5000 << 2304 << 2303;
    QTest::newRow("start scene, last") << int(img::asStartScene) << 2303 << 2304 << 2303;
    QTest::newRow("start event 0") << int(img::asStartEvent) << 0 << 1 << int(NOT_SET);
    QTest::newRow("start event past the last") << int(img::asStartEvent) << 2000 << 1008 << 1007;
    QTest::newRow("control channel past 512") << int(img::asControlChannel) << 600 << 512 << 511;
}

void tst_active_scenes::refreshStoresWhatTheBoxesShow()
{
    QFETCH(int, field);
    QFETCH(int, stored);
    QFETCH(int, shown);
    QFETCH(int, kept);

    activeRig r;
    img::putU16(r.c().configImage, uint32_t(field), uint16_t(stored));
    r.page->refresh();
    const QSpinBox* box = field == img::asStartScene ? r.page->startSceneBox
        : field == img::asStartEvent                 ? r.page->startEventBox
                                                     : r.page->controlChannelBox;
    QCOMPARE(box->value(), shown);
    QCOMPARE(int(word(r.c(), uint32_t(field))), kept);
}

void tst_active_scenes::showingAValidConfigurationWritesNothing()
{
    activeRig r(false);
    setSettings(r.c(), 2303, 1007, 511);
    setSector(r.c(), 0, 0, 9);
    setSector(r.c(), 5, 500, 511);
    setSector(r.c(), 6, 30, NOT_SET);
    const QByteArray before = imageHash(r.c());
    r.make();
    r.page->refresh();
    r.page->setChecked(false);
    r.editor->refresh();
    QCOMPARE(imageHash(r.c()), before);
}

void tst_active_scenes::checkedAtConstruction_data()
{
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("channel");
    QTest::addColumn<bool>("checked");

    QTest::newRow("none set") << int(NOT_SET) << int(NOT_SET) << int(NOT_SET) << false;
    QTest::newRow("start scene") << 0 << int(NOT_SET) << int(NOT_SET) << true;
    QTest::newRow("start event") << int(NOT_SET) << 3 << int(NOT_SET) << true;
    QTest::newRow("control channel") << int(NOT_SET) << int(NOT_SET) << 0 << true;
}

void tst_active_scenes::checkedAtConstruction()
{
    QFETCH(int, scene);
    QFETCH(int, event);
    QFETCH(int, channel);
    QFETCH(bool, checked);

    activeRig r(false);
    setSettings(r.c(), uint16_t(scene), uint16_t(event), uint16_t(channel));
    r.make();
    QCOMPARE(r.page->isChecked(), checked);
}

void tst_active_scenes::aNewPageShowsTheStoredFadeTimes()
{
    // A window rebuilt for another language must not apply zero fades.
    activeRig r(false);
    img::putU16(r.c().configImage, img::asFadeUp, 25);
    img::putU16(r.c().configImage, img::asFadeDown, 0xFFFF);
    r.make();
    QCOMPARE(r.page->fadeUpEdit->time(), QTime(0, 0, 2, 500));
    QCOMPARE(r.page->fadeDownEdit->time(), fromTenths(0xFFFF));
}

void tst_active_scenes::configRead_data()
{
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<int>("channel");
    QTest::addColumn<bool>("checkedAfter");

    QTest::newRow("channel set checks") << false << 511 << true;
    QTest::newRow("channel not set leaves unchecked") << false << int(NOT_SET) << false;
    QTest::newRow("channel not set leaves checked") << true << int(NOT_SET) << true;
    QTest::newRow("channel 512 is none") << false << 512 << false;
}

void tst_active_scenes::configRead()
{
    QFETCH(bool, checkedBefore);
    QFETCH(int, channel);
    QFETCH(bool, checkedAfter);

    activeRig r;
    r.page->setChecked(checkedBefore);
    fakeMainWindow& w = r.world.window();
    const int editorRefreshes = w.compoundSceneRefreshes;
    const int pageRefreshes = w.visiblePageRefreshes;
    img::putU16(r.c().configImage, img::asControlChannel, uint16_t(channel));
    img::putU16(r.c().configImage, img::asFadeUp, 10);
    img::putU16(r.c().configImage, img::asFadeDown, 36000);
    emit r.c().readKv310Finished();
    QCOMPARE(r.page->isChecked(), checkedAfter);
    QCOMPARE(w.compoundSceneRefreshes, editorRefreshes + 1);
    QCOMPARE(w.visiblePageRefreshes, pageRefreshes + 1);
    QCOMPARE(r.page->fadeUpEdit->time(), QTime(0, 0, 1));
    QCOMPARE(r.page->fadeDownEdit->time(), QTime(1, 0));
}

void tst_active_scenes::sectorTable()
{
    activeRig r(false);
    setSector(r.c(), 0, 4, 7);
    setSector(r.c(), 1, 511, 511);
    setSector(r.c(), 2, 20, NOT_SET);
    setSector(r.c(), 3, 512, 512);
    r.make();
    const QTableWidget* t = r.page->sectorTable;
    const auto row = [t](int i) {
        return QStringList{t->item(i, 0)->text(), t->item(i, 1)->text(), t->item(i, 2)->text()};
    };
    QCOMPARE(row(0), (QStringList{"1", "5", "8"}));
    QCOMPARE(row(1), (QStringList{"2", "512", "512"}));
    QCOMPARE(row(2), (QStringList{"3", "21", "Not set"}));
    QCOMPARE(row(3), (QStringList{"4", "513", "513"}));
    QCOMPARE(row(23), (QStringList{"24", "Not set", "Not set"}));
    QCOMPARE(t->item(0, 0)->background().color(), QColor(0xFF, 0xA7, 0x99));
    QCOMPARE(t->item(1, 0)->background().color(), sectorColour(1));
    const QColor grey(0xF0, 0xF0, 0xF0);
    QCOMPARE(t->item(2, 0)->background().color(), grey);
    QCOMPARE(t->item(3, 0)->background().color(), grey);
    QCOMPARE(t->item(23, 0)->background().color(), grey);
    QCOMPARE(sectorColour(23), QColor(0xFF, 0x99, 0xA5));
}

void tst_active_scenes::sectorEditing_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("shownBefore");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("newFrom");
    QTest::addColumn<int>("newTo");

    const int n = NOT_SET;
    QTest::newRow("from of a sector not in use") << n << n << 1 << 0 << 10 << 9 << 9;
    QTest::newRow("to below from pulls it") << 9 << 9 << 2 << 10 << 5 << 4 << 4;
    QTest::newRow("from above to pushes it") << 9 << 19 << 1 << 10 << 30 << 29 << 29;
    QTest::newRow("from within") << 9 << 19 << 1 << 10 << 12 << 11 << 19;
    QTest::newRow("to within") << 9 << 19 << 2 << 20 << 15 << 9 << 14;
    QTest::newRow("to of a sector not in use") << n << n << 2 << 0 << 7 << 6 << 6;
    QTest::newRow("from not set") << 9 << 19 << 1 << 10 << 0 << n << n;
    QTest::newRow("to not set") << 9 << 19 << 2 << 20 << 0 << n << n;
    QTest::newRow("from 512 stored shows not set") << 512 << 600 << 1 << 0 << 3 << 2 << 600;
}

void tst_active_scenes::sectorEditing()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, column);
    QFETCH(int, shownBefore);
    QFETCH(int, value);
    QFETCH(int, newFrom);
    QFETCH(int, newTo);

    activeRig r(false);
    setSector(r.c(), 5, uint16_t(from), uint16_t(to));
    r.make();
    QTableWidget* t = r.page->sectorTable;
    const QModelIndex index = t->model()->index(5, column);
    QStyleOptionViewItem option;
    std::unique_ptr<QWidget> editor(r.page->delegate->createEditor(t->viewport(), option, index));
    auto* box = qobject_cast<QSpinBox*>(editor.get());
    QVERIFY(box);
    QCOMPARE(box->specialValueText(), QStringLiteral("not set"));
    QCOMPARE(box->maximum(), 512);
    r.page->delegate->setEditorData(box, index);
    QCOMPARE(box->value(), shownBefore);
    box->setValue(value);
    r.page->delegate->setModelData(box, t->model(), index);
    QCOMPARE(sectorOf(r.c(), 5), qMakePair(newFrom, newTo));
    // The table shows what was stored.
    QCOMPARE(t->item(5, 1)->text(), newFrom == NOT_SET ? QStringLiteral("Not set") : QString::number(newFrom + 1));

    QVERIFY(!r.page->delegate->createEditor(t->viewport(), option, t->model()->index(5, 0)));
}

void tst_active_scenes::changeRange()
{
    activeRig r(false);
    setSector(r.c(), 2, 9, 19);
    r.make();
    QTableWidget* t = r.page->sectorTable;
    t->setCurrentCell(2, 1);
    t->item(2, 1)->setText(QStringLiteral("25"));
    r.page->changeRange();
    QCOMPARE(sectorOf(r.c(), 2), qMakePair(9, 24));
    QCOMPARE(t->item(2, 2)->text(), QStringLiteral("25"));

    t->setCurrentCell(2, 2);
    t->item(2, 2)->setText(QStringLiteral("3"));
    r.page->changeRange();
    QCOMPARE(sectorOf(r.c(), 2), qMakePair(2, 24));
    QCOMPARE(t->item(2, 1)->text(), QStringLiteral("3"));
}

void tst_active_scenes::inputLimit()
{
    activeRig r(false);
    setSettings(r.c(), 100, 4, 299);
    r.make();
    as_conf_widget& p = *r.page;
    enterInputLimit(r, 600);
    QCOMPARE(p.controlChannelBox->maximum(), 512);
    QCOMPARE(word(r.c(), img::asControlChannel), uint16_t(299));

    enterInputLimit(r, 300);
    QCOMPARE(p.controlChannelBox->value(), 300);
    QCOMPARE(p.controlChannelBox->maximum(), 300);
    QCOMPARE(word(r.c(), img::asControlChannel), uint16_t(299));

    enterInputLimit(r, 100);
    QCOMPARE(p.controlChannelBox->maximum(), 100);
    QCOMPARE(p.controlChannelBox->value(), 100);
    QCOMPARE(word(r.c(), img::asControlChannel), uint16_t(99));

    enterInputLimit(r, 0);
    QCOMPARE(p.controlChannelBox->text(), QStringLiteral("not set"));
    QCOMPARE(word(r.c(), img::asControlChannel), NOT_SET);
    QVERIFY(!p.applyButton->isEnabled());
}

// A control channel valid for the controller but above the DMX input limit
// (read so, or stored before the limit was lowered) is shown and kept by
// every road that only shows it; the box offers it beside the channels in use.
void tst_active_scenes::aControlChannelAboveTheInputLimitStays_data()
{
    QTest::addColumn<QString>("road");
    QTest::newRow("file read") << "file";
    QTest::newRow("controller read") << "controller";
    QTest::newRow("refresh") << "refresh";
    QTest::newRow("page built anew") << "rebuild";
}

void tst_active_scenes::aControlChannelAboveTheInputLimitStays()
{
    QFETCH(QString, road);
    activeRig r(false);
    setSettings(r.c(), 100, 4, 20);
    r.make();
    enterInputLimit(r, 100);
    QCOMPARE(r.page->controlChannelBox->maximum(), 100);

    // A configuration with channel 200 and that limit comes in.
    img::putU16(r.c().configImage, img::asControlChannel, 199);
    const QByteArray before = imageHash(r.c());
    if (road == QLatin1String("file"))
        emit r.c().readFileFinished();
    else if (road == QLatin1String("controller"))
        emit r.c().readKv310Finished();
    else if (road == QLatin1String("refresh"))
        r.page->refresh();
    else
        r.make();
    QSpinBox* box = r.page->controlChannelBox;
    QCOMPARE(box->value(), 200);
    QCOMPARE(box->maximum(), 200);
    QCOMPARE(imageHash(r.c()), before);
    QVERIFY(r.page->applyButton->isEnabled());

    // Choosing a lower channel gives the widened choice up.
    box->setValue(50);
    QCOMPARE(word(r.c(), img::asControlChannel), uint16_t(49));
    QCOMPARE(box->maximum(), 100);

    // A limit the user lowers below the channel still moves it.
    img::putU16(r.c().configImage, img::asControlChannel, 199);
    r.page->refresh();
    enterInputLimit(r, 150);
    QCOMPARE(word(r.c(), img::asControlChannel), uint16_t(149));
    QCOMPARE(box->maximum(), 150);
}

// ---- Compound pictures ----------------------------------------------------------------

void tst_active_scenes::noSectorNoFader()
{
    activeRig r;
    for (const auto& fader : r.editor->sliders->sliders) {
        QVERIFY(!fader->slider->isEnabled());
        QVERIFY(!fader->valueBox->isEnabled());
        QCOMPARE(fader->slider->backgroundRole(), QPalette::Base);
        QVERIFY(fader->slider->autoFillBackground());
    }
    QCOMPARE(r.editor->sectorInUse, (std::array<uint8_t, 24>{}));
}

void tst_active_scenes::faderColoursFollowTheSectors()
{
    activeRig r(false);
    setSector(r.c(), 3, 4, 7);         // channels 5..8
    setSector(r.c(), 9, 6, 12);        // overlaps: sector 4 keeps 7 and 8
    setSector(r.c(), 10, 300, NOT_SET);
    r.make();
    as_edit_widget& e = *r.editor;
    QCOMPARE(int(e.sectorInUse[3]), 1);
    QCOMPARE(int(e.sectorInUse[10]), 0);
    const auto colourOf = [&e](int j) {
        const QSlider* s = e.sliders->sliders[size_t(j)]->slider;
        return s->isEnabled() ? s->palette().color(QPalette::AlternateBase) : QColor();
    };
    const QList<QColor> expected{QColor(), QColor(), QColor(), QColor(),
                                 sectorColour(3), sectorColour(3), sectorColour(3), sectorColour(3),
                                 sectorColour(9), sectorColour(9)};
    for (int j = 0; j < 10; ++j) {
        QCOMPARE(colourOf(j), expected.at(j));
        QCOMPARE(e.sliders->sliders[size_t(j)]->valueBox->isEnabled(), expected.at(j).isValid());
        QCOMPARE(e.sliders->sliders[size_t(j)]->slider->backgroundRole(),
                 expected.at(j).isValid() ? QPalette::AlternateBase : QPalette::Base);
    }

    // Scrolling recolours for the channels now shown (11..20 as users
    // number them): sector 10 reaches 13.
    e.sliders->scrollBar->setValue(10);
    QCOMPARE(colourOf(0), sectorColour(9));
    QCOMPARE(colourOf(2), sectorColour(9));
    QCOMPARE(colourOf(3), QColor());
    QCOMPARE(e.sliders->sliders[3]->slider->backgroundRole(), QPalette::Base);
}

void tst_active_scenes::aPictureCellChoosesTheRecord()
{
    activeRig r(false);
    setSector(r.c(), 0, 0, 9);
    r.make();
    as_edit_widget& e = *r.editor;
    QCOMPARE(e.pictureTable->currentRow(), 0);
    QCOMPARE(e.pictureTable->horizontalHeaderItem(1)->text(), QStringLiteral("In motion"));
    e.pictureTable->setCurrentCell(2, 1);
    QCOMPARE(e.sliders->recordNumber, 5);
    e.sliders->sliders[4]->slider->setValue(99);
    QCOMPARE(int(r.c().compoundScenes[2][1][4]), 99);
    QCOMPARE(int(r.c().compoundScenes[2][0][4]), 0);

    e.rangeChanged(15, 0);
    QCOMPARE(e.pictureTable->currentRow(), 15);
    QCOMPARE(e.pictureTable->currentColumn(), 0);
    QCOMPARE(e.sliders->recordNumber, 30);
    e.rangeChanged(16, 0);
    QCOMPARE(e.sliders->recordNumber, 30);
}

void tst_active_scenes::visualDesignMode()
{
    activeRig r;
    as_edit_widget& e = *r.editor;
    fakeMainWindow& w = r.world.window();
    e.pictureTable->setCurrentCell(2, 1);
    e.visualButton->setEnabled(true);
    e.goToVisualDesign();
    QCOMPARE(w.visModeStarts, 1);
    QCOMPARE(r.world.project().sceneNumber, 10245);
    QCOMPARE(w.compoundSceneShows, 0);

    // With a visualisation window the picture goes to it.
    QWidget shown;
    w.onStartVisMode = [&] { r.world.project().graphWindow = &shown; };
    e.pictureTable->setCurrentCell(0, 0);
    e.goToVisualDesign();
    QCOMPARE(r.world.project().sceneNumber, 10240);
    QCOMPARE(w.compoundSceneShows, 1);
    r.world.project().graphWindow = nullptr;
}

void tst_active_scenes::compose()
{
    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, 99, 4, 7);  // "Starting from scene" shows 100
    setSector(c, 0, 10, 19);
    setSector(c, 1, 30, NOT_SET);  // contributes nothing
    for (int s = 0; s < 900; ++s)
        fillScene(c, s, uint8_t(s));
    std::memset(c.compoundScenes, 0xEE, sizeof c.compoundScenes);
    r.make();
    r.page->composeButton->click();

    const auto picture = [&c](int range, int mode) {
        return QByteArray(reinterpret_cast<const char*>(c.compoundScenes[range][mode]), 512);
    };
    const auto expected = [](uint8_t level) {
        QByteArray b(512, '\0');
        b.replace(10, 10, QByteArray(10, char(level)));
        return b;
    };
    QCOMPARE(picture(0, 0), expected(99));
    QCOMPARE(picture(0, 1), expected(100));
    QCOMPARE(picture(1, 0), expected(147));
    QCOMPARE(picture(1, 1), expected(148));
    QCOMPARE(picture(15, 1), expected(uint8_t(99 + 48 * 15 + 1)));
    QCOMPARE(r.world.window().visiblePageRefreshes, 1);
}

void tst_active_scenes::composeWithoutAStartScene()
{
    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, NOT_SET, 4, 7);
    setSector(c, 0, 0, 511);
    fillScene(c, 10239, 5);
    std::memset(c.compoundScenes, 0xEE, sizeof c.compoundScenes);
    r.make();
    r.page->composeCompoundScens();
    const QByteArray all(reinterpret_cast<const char*>(c.compoundScenes), sizeof c.compoundScenes);
    QCOMPARE(all, QByteArray(int(sizeof c.compoundScenes), '\0'));
}

void tst_active_scenes::aNewPageComposesOnlyEmptyPictures()
{
    // A file named on the command line is read before the first window.
    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, 99, 4, 7);
    setSector(c, 0, 0, 3);
    fillScene(c, 99, 9);
    fillScene(c, 100, 10);
    r.make();
    QCOMPARE(int(c.compoundScenes[0][0][3]), 9);
    QCOMPARE(int(c.compoundScenes[0][1][3]), 10);
    QCOMPARE(int(c.compoundScenes[0][1][4]), 0);
    QCOMPARE(r.world.window().visiblePageRefreshes, 0);

    // Pictures being edited survive a window built anew.
    c.compoundScenes[0][0][3] = 200;
    c.compoundScenes[7][1][4] = 1;
    r.editor.reset();
    r.page.reset();
    r.make();
    QCOMPARE(int(c.compoundScenes[0][0][3]), 200);
    QCOMPARE(int(c.compoundScenes[7][1][4]), 1);
}

void tst_active_scenes::configReadComposesTheConfigurationRead()
{
    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, 99, 4, 7);
    setSector(c, 0, 0, 3);
    for (int s = 0; s < 300; ++s)
        fillScene(c, s, uint8_t(s));
    r.make();
    // The configuration read names another start scene: its scenes are composed.
    img::putU16(c.configImage, img::asStartScene, 199);
    emit c.readFileFinished();
    QCOMPARE(r.page->startSceneBox->value(), 200);
    QCOMPARE(int(c.compoundScenes[0][0][0]), 199);
    QCOMPARE(int(c.compoundScenes[0][1][3]), 200);

    // A configuration without a start scene leaves empty pictures.
    img::putU16(c.configImage, img::asStartScene, NOT_SET);
    emit c.readFileFinished();
    QCOMPARE(int(c.compoundScenes[0][0][0]), 0);
    QCOMPARE(int(c.compoundScenes[0][1][3]), 0);
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

// ---- Apply -------------------------------------------------------------------------------

void tst_active_scenes::separation_data()
{
    QTest::addColumn<QList<int>>("ends");  // 1-based from, to of sectors 1, 2, ...
    QTest::addColumn<bool>("applied");

    QTest::newRow("1..10 and 11..20") << QList<int>{1, 10, 11, 20} << true;
    QTest::newRow("1..10 and 10..20") << QList<int>{1, 10, 10, 20} << false;
    QTest::newRow("1..100 around 10..20") << QList<int>{1, 100, 10, 20} << false;
    QTest::newRow("20..30 and 1..20") << QList<int>{20, 30, 1, 20} << false;
    QTest::newRow("an unused sector between") << QList<int>{1, 10, 0, 0, 5, 5} << false;
    QTest::newRow("a sector with to not set overlaps nothing") << QList<int>{1, 10, 5, 0} << true;
}

void tst_active_scenes::separation()
{
    QFETCH(QList<int>, ends);
    QFETCH(bool, applied);

    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, 100, 4, 7);
    for (int i = 0; i + 1 < ends.size(); i += 2)
        setSector(c, i / 2, uint16_t(ends.at(i) - 1), uint16_t(ends.at(i + 1) - 1));
    r.make();
    const QByteArray before = imageHash(c);
    r.page->applyButton->click();
    if (applied) {
        QVERIFY(r.world.dialogs.entries.isEmpty());
        QVERIFY(imageHash(c) != before);
    } else {
        QCOMPARE(r.world.dialogs.titles(), QStringList{"Non separated ranges!"});
        QCOMPARE(r.world.dialogs.texts(),
                 QStringList{"Some ranges has shared channels.\nYou have to separate them!\nNothing is saved!"});
        QCOMPARE(r.world.dialogs.entries.at(0).icon, QMessageBox::Critical);
        QCOMPARE(imageHash(c), before);
        QCOMPARE(c.events.actionCount(EVENT_INPUT), -1);
    }
}

void tst_active_scenes::applyWritesTheScenes()
{
    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, 100, 4, 7);  // "Starting from scene" 101
    setSector(c, 0, 0, 3);
    setSector(c, 23, 500, 511);
    setSector(c, 5, 40, 30);   // in use, but spans nothing
    std::memset(c.compoundScenes, 0xAA, sizeof c.compoundScenes);
    c.compoundScenes[1][1][2] = 0x11;
    c.compoundScenes[15][0][511] = 0x22;
    for (int s = 90; s < 900; ++s)
        fillScene(c, s, 0x77);
    fadeTimes{1, 2, 3, 0x4444}.write(c.configImage + img::sceneTimesOf(100));
    fadeTimes{1, 2, 3, 0x5555}.write(c.configImage + img::sceneTimesOf(102));
    c.sceneDescriptions[102] = QStringLiteral("kept");
    r.make();
    r.page->fadeUpEdit->setTime(QTime(0, 0, 2, 500));
    r.page->fadeDownEdit->setTime(QTime(0, 1));
    r.page->applyButton->click();
    QVERIFY(r.world.dialogs.entries.isEmpty());
    QCOMPARE(word(c, img::asFadeUp), uint16_t(25));
    QCOMPARE(word(c, img::asFadeDown), uint16_t(600));

    // As users number them: range 1 sector 1 is 101/102, range 2 sector 1
    // 149/150, range 16 sector 24 867/868.
    const auto levels = [&c](int shownScene) {
        return QByteArray(reinterpret_cast<const char*>(sceneLevels(c, shownScene - 1)), 512);
    };
    const auto cut = [](int from, int to, char level, int at = -1, char other = 0) {
        QByteArray b(512, '\0');
        b.replace(from, to - from + 1, QByteArray(to - from + 1, level));
        if (at >= 0)
            b[at] = other;
        return b;
    };
    QCOMPARE(levels(101), cut(0, 3, char(0xAA)));
    QCOMPARE(levels(102), cut(0, 3, char(0xAA)));
    QCOMPARE(levels(150), cut(0, 3, char(0xAA), 2, 0x11));
    QCOMPARE(levels(149), cut(0, 3, char(0xAA)));
    QCOMPARE(levels(867), cut(500, 511, char(0xAA), 511, 0x22));
    QCOMPARE(levels(868), cut(500, 511, char(0xAA)));
    // Scenes of sectors not in use, or spanning nothing, are empty; the
    // blocks end at 868, and the scene before them is kept.
    QCOMPARE(levels(103), QByteArray(512, '\0'));
    QCOMPARE(levels(111), QByteArray(512, '\0'));
    QCOMPARE(levels(100), QByteArray(512, char(0x77)));
    QCOMPARE(levels(869), QByteArray(512, char(0x77)));

    QCOMPARE(c.sceneDescriptions[100], QStringLiteral("Active scene sector 1 of range 1 - static"));
    QCOMPARE(c.sceneDescriptions[867], QStringLiteral("Active scene sector 24 of range 16 - in motion"));
    QCOMPARE(c.sceneDescriptions[110], QStringLiteral("Active scene sector 6 of range 1 - static"));
    QCOMPARE(c.sceneDescriptions[102], QStringLiteral("kept"));
    const fadeTimes t = fadeTimes::read(c.configImage + img::sceneTimesOf(100));
    QCOMPARE(t.fadeUp, uint16_t(25));
    QCOMPARE(t.duration, uint16_t(0xFFFF));
    QCOMPARE(t.fadeDown, uint16_t(600));
    QCOMPARE(t.reserved, uint16_t(0x4444));
    const fadeTimes untouched = fadeTimes::read(c.configImage + img::sceneTimesOf(102));
    QCOMPARE(untouched.duration, uint16_t(2));
}

void tst_active_scenes::applyWritesTheEvents()
{
    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, 100, 4, 7);  // "Starting int. event no." 5
    setSector(c, 0, 0, 9);
    setSector(c, 2, 20, 29);
    setSector(c, 9, 40, 49);
    c.events.appendAction(EVENT_INTERNAL + 3);
    c.events.appendAction(EVENT_INTERNAL + 20);
    r.make();
    r.page->applyButton->click();
    QVERIFY(r.world.dialogs.entries.isEmpty());

    // Internal events 5 to 20 as users number them.
    for (int k = 0; k < 16; ++k)
        QCOMPARE(c.events.actionCount(EVENT_INTERNAL + 4 + k), 23);
    QCOMPARE(c.events.actionCount(EVENT_INTERNAL + 3), 1);
    QCOMPARE(c.events.actionCount(EVENT_INTERNAL + 20), 1);
    const int range2 = EVENT_INTERNAL + 5;
    QCOMPARE(c.eventDescriptions[size_t(range2)], QStringLiteral("Active scenes control value changed to range 2"));
    QCOMPARE(actionText(c, range2, 0), QStringLiteral("3/52/4 w3=fffffffe"));   // S53 off while S53 set
    QCOMPARE(actionText(c, range2, 1), QStringLiteral("3/53/0 w3=fffffff3"));   // S54 on while S54 not set
    QCOMPARE(actionText(c, range2, 15), QStringLiteral("3/67/4 w3=bfffffff"));
    QCOMPARE(actionText(c, range2, 16), QStringLiteral("10/0/4"));
    // Sector 1 in range 2: scenes 148 (static) and 149 (in motion), stored 0-based.
    QCOMPARE(actionText(c, range2, 17), QStringLiteral("0/149/0 w1=fffeffff"));  // S29 set
    QCOMPARE(actionText(c, range2, 18), QStringLiteral("0/148/0 w1=fffcffff"));  // S29 not set
    QCOMPARE(actionText(c, range2, 21), QStringLiteral("0/167/0 w2=fffffffb"));  // sector 10: S38 set
    QCOMPARE(actionText(c, range2, 22), QStringLiteral("0/166/0 w2=fffffff3"));

    // The two input events of each sector in use.
    for (int i : {0, 2, 9}) {
        QCOMPARE(c.events.actionCount(EVENT_INPUT + 2 * i), 33);
        QCOMPARE(c.events.actionCount(EVENT_INPUT + 2 * i + 1), 33);
    }
    QCOMPARE(c.events.actionCount(EVENT_INPUT + 2), -1);
    const int on = EVENT_INPUT + 4;   // sector 3
    const int off = on + 1;
    QCOMPARE(c.eventDescriptions[size_t(on)], QStringLiteral("Motion detected in sector 3"));
    QCOMPARE(c.eventDescriptions[size_t(off)], QStringLiteral("Immobility in sector 3"));
    QCOMPARE(actionText(c, on, 0), QStringLiteral("3/30/0"));
    QCOMPARE(actionText(c, off, 0), QStringLiteral("3/30/4"));
    // Range 1: sector 3's scenes 104 and 105; range 16 uses S68.
    QCOMPARE(actionText(c, on, 1), QStringLiteral("0/105/0 w3=fffffffe"));
    QCOMPARE(actionText(c, on, 2), QStringLiteral("0/104/4 w3=fffffffe"));
    QCOMPARE(actionText(c, off, 1), QStringLiteral("0/104/0 w3=fffffffe"));
    QCOMPARE(actionText(c, off, 2), QStringLiteral("0/105/4 w3=fffffffe"));
    QCOMPARE(actionText(c, off, 32), QStringLiteral("0/825/4 w3=bfffffff"));
    // Every action has no daytime limit and ignores S1..S4.
    QCOMPARE(c.events.daytimeFrom(off, 32), 0xFF);
    QCOMPARE(c.events.stateLimits(off, 32, nullptr), 0xFF);

    // A second apply rewrites the same lists.
    r.page->applyActiveScenes();
    QCOMPARE(c.events.actionCount(on), 33);
    QCOMPARE(c.events.actionCount(EVENT_INTERNAL + 4), 23);
}

void tst_active_scenes::applyReleasesWhatTheEventsHeld()
{
    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, 100, 4, 7);
    setSector(c, 1, 0, 9);
    const int on = EVENT_INPUT + 2;
    // A Delay-Start of delay 7 and an Enabling action on the sector's events.
    int at = c.events.appendAction(on);
    c.events.setActionType(on, at, ACTION_DELAY);
    c.events.setNumber(on, at, 7);
    c.events.setSubAction(on, at, SUB_ON);
    c.startedDelays = {3, 7};
    at = c.events.appendAction(on + 1);
    c.events.setActionType(on + 1, at, ACTION_ENABLING);
    c.events.enablingSource = 1;
    r.make();
    r.page->applyButton->click();
    QCOMPARE(c.startedDelays, QList<uint16_t>{3});
    QCOMPARE(c.events.enablingSource, -1);
    QCOMPARE(r.world.window().delayEventsRefreshes, 1);
}

void tst_active_scenes::applyNeedsItsNumbers()
{
    // Called while the page shows numbers it has not stored (or none):
    // nothing is applied.
    activeRig r;
    kv310_controller_class& c = r.c();
    setSector(c, 0, 0, 9);
    for (const auto& numbers : {QPair<int, int>{NOT_SET, 4}, {100, NOT_SET}, {9500, 4}, {100, 1010}}) {
        setSettings(c, uint16_t(numbers.first), uint16_t(numbers.second), 7);
        const QByteArray before = imageHash(c);
        r.page->applyActiveScenes();
        QCOMPARE(imageHash(c), before);
        QCOMPARE(c.events.actionCount(EVENT_INPUT), -1);
    }
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

void tst_active_scenes::sectorsPastTheUniverseTakeNoPart_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("to past the last channel") << 500 << 700;
    QTest::newRow("from past the last channel") << 600 << 5;
    QTest::newRow("to 512") << 3 << 512;
}

void tst_active_scenes::sectorsPastTheUniverseTakeNoPart()
{
    QFETCH(int, from);
    QFETCH(int, to);

    activeRig r(false);
    kv310_controller_class& c = r.c();
    setSettings(c, 100, 4, 7);
    setSector(c, 0, 0, 511);  // would overlap anything
    setSector(c, 1, uint16_t(from), uint16_t(to));
    fillScene(c, 100, 0x55);
    fillScene(c, 101, 0x66);
    fillScene(c, 102, 0x77);
    fillScene(c, 103, 0x88);
    r.make();
    // Composed by the new page: the first sector alone, and nothing past a
    // picture's end.
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.compoundScenes[0][0]), 512), QByteArray(512, char(0x55)));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.compoundScenes[0][1]), 512), QByteArray(512, char(0x66)));
    QCOMPARE(r.page->sectorTable->item(1, 0)->background().color(), QColor(0xF0, 0xF0, 0xF0));

    std::memset(c.compoundScenes, 0xAA, sizeof c.compoundScenes);
    r.page->applyActiveScenes();
    QVERIFY(r.world.dialogs.entries.isEmpty());  // no overlap
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sceneLevels(c, 102)), 1024), QByteArray(1024, '\0'));
    QVERIFY(c.sceneDescriptions[102].isEmpty());
    QCOMPARE(c.events.actionCount(EVENT_INPUT), 33);
    QCOMPARE(c.events.actionCount(EVENT_INPUT + 2), -1);
    QCOMPARE(c.events.actionCount(EVENT_INTERNAL + 4), 19);
}

void tst_active_scenes::reportActionError()
{
    pageFixture world;
    QWidget parent;
    QVERIFY(!::reportActionError(&parent, 0));
    QVERIFY(world.dialogs.entries.isEmpty());
    QVERIFY(::reportActionError(&parent, -1));
    QCOMPARE(world.dialogs.titles(), QStringList{"No enough memory!"});
    QCOMPARE(world.dialogs.texts(), QStringList{"Cannot create necessary associations!"});
    QCOMPARE(world.dialogs.entries.at(0).icon, QMessageBox::Critical);
}

void tst_active_scenes::groupsForTheVisualProject()
{
    activeRig r(false);
    kv310_controller_class& c = r.c();
    v_project& vp = r.world.project();
    addFixtures(vp, 10, 0);              // channels 0..19, two each
    vp.groups.append(new efGroup(QStringLiteral("Range_9")));
    vp.groups.append(new efGroup(QStringLiteral("Mine")));
    setSettings(c, 100, 4, 7);
    setSector(c, 0, 0, 3);               // fixtures 1, 2
    setSector(c, 1, 4, NOT_SET);         // no group
    setSector(c, 2, 100, 120);           // no fixture: no group
    setSector(c, 3, 10, 15);             // fixtures 6..8
    r.make();
    r.page->groupsButton->click();
    QCOMPARE(r.world.dialogs.titles(), QStringList{"Removing groups by ranges"});
    QCOMPARE(groupSummary(vp), (QStringList{"default:", "Mine:", "Range_1:1,2", "Range_4:6,7,8"}));
}

QTEST_MAIN(tst_active_scenes)
#include "tst_active_scenes.moc"
