// Which pages a window has built never changes the show: every road runs on
// a window built whole and on one that builds its pages on demand (only the
// pages the road shows, and what they work from); right after the road, and
// again once every page was shown, both shows are the same to the byte, as a
// save would write them. And no road through pages built late crashes: a
// page whose construction disables the tab being shown is refreshed once,
// after it was built.

#include "app/clear_conf_dialog.h"
#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/clear_flags.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "settings/asettings_dmx_in_widget.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "support/golden_files.h"
#include "widgets/window_place.h"
#include "program_rig.h"
#include "page_walk.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using build = gui_class::windowBuild;
using page = gui_class::lazyPage;

// The show as a save writes it: the image with the tables packed, and the
// project description (descriptions, field, visual project).
QByteArray savedShow(kv310_controller_class& c)
{
    c.events.packEvents(c.configImage);
    c.programs.packPrograms(c.configImage);
    c.packTimers();
    c.packCoupledScenes();
    QString project;
    c.writeProjectXml(project);
    return QByteArray(reinterpret_cast<const char*>(c.configImage), img::SIZE) + project.toUtf8();
}

// Where two saved shows first differ, for the failure report.
QByteArray firstDifference(const QByteArray& a, const QByteArray& b)
{
    for (int i = 0; i < qMin(a.size(), b.size()); ++i)
        if (a.at(i) != b.at(i))
            return "offset 0x" + QByteArray::number(i, 16) + ": " + a.mid(i, 4).toHex() + " / " + b.mid(i, 4).toHex();
    return "sizes " + QByteArray::number(a.size()) + " / " + QByteArray::number(b.size());
}

// The other show as the controller's flash holds it.
QByteArray otherFlash;

void setPhaseBit(uint8_t* image, int channel, bool set)
{
    const uint32_t offset = img::dmxInPhaseMaskOf(channel / 32);
    const uint32_t bit = 1u << (channel % 32);
    img::putU32(image, offset, set ? img::getU32(image, offset) | bit : img::getU32(image, offset) & ~bit);
}

void showTab(gui_class* w, int main, QTabWidget* inner = nullptr, int index = 0)
{
    w->tabWidget_main->setCurrentIndex(main);
    if (inner)
        inner->setCurrentIndex(index);
}

void showDmxInput(gui_class* w)
{
    showTab(w, 7, w->tabWidget_settings, 2);
}

void setInputLimit(gui_class* w, int n)
{
    showDmxInput(w);
    w->dmxInSettings->inputLimitBox->setValue(n);
    w->dmxInSettings->chgLimit();
}

// A program session whose window the test builds, as the program opens
// it or whole.
struct world {
    explicit world(build kind)
        : kind(kind)
    {
    }
    void open()
    {
        session.rig->window = std::make_unique<gui_class>(session.rig->controller.get(), nullptr, kind);
        theMainWindow = window();
        window()->show();
        window()->finishStart();
    }
    // A new window in the old one's place, as a change of language makes it.
    void rebuild()
    {
        windowPlace place = windowPlace::of(window());
        session.rig->window.reset();
        theMainWindow = nullptr;
        open();
        window()->takePlace(std::move(place));
    }
    gui_class* window() const { return session.rig->window.get(); }
    kv310_controller_class& controller() const { return *session.rig->controller; }

    build kind;
    programSession session{false};
};

struct road {
    std::function<void(world&, const QString& other)> run;
    QList<page> needs;  // the pages the road builds in a window built on demand
};

void clearWith(world& wd, uint32_t flag)
{
    wd.session.rec.answerExec([flag](QDialog* d) {
        auto* dialog = qobject_cast<clearConf_dialog*>(d);
        const QList<QPair<QCheckBox*, uint32_t>> boxes{
            {dialog->cbAll, CLEAR_ALL},          {dialog->cbScenes, CLEAR_SCENES}, {dialog->cbMasks, CLEAR_MASKS},
            {dialog->cbDMXin, CLEAR_DMX_IN},     {dialog->cbLimits, CLEAR_LIMITS}, {dialog->cbAScenes, CLEAR_ACTIVE_SCENES},
            {dialog->cbDMXout, CLEAR_DMX_OUT_SETTINGS},
        };
        for (const auto& b : boxes)
            if (b.second == flag)
                b.first->setChecked(true);
        dialog->okButton->click();
        return dialog->result();
    });
    wd.window()->rightPanel->clearButton->click();
}

}  // namespace

Q_DECLARE_METATYPE(road)

class tst_pages_built_late : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void whichPagesExistNeverChangesTheShow_data();
    void whichPagesExistNeverChangesTheShow();
    void aPageBuiltUnderAMovingTabIsRefreshedOnceBuilt_data();
    void aPageBuiltUnderAMovingTabIsRefreshedOnceBuilt();
    void aRefreshDuringABuildWaitsForIt();

private:
    QTemporaryDir files;
    QString golden, repairing, other;
};

void tst_pages_built_late::initTestCase()
{
    golden = goldenCopy(files, QStringLiteral("show.31xcfg"));
    QVERIFY(!golden.isEmpty());
    programSession session(false);
    kv310_controller_class& c = *session.rig->controller;
    // Values the pages repair when they show them: a start scene past the
    // scene table, a control channel above the DMX input limit with its
    // phase bit set, input channels beyond the limit that may set phases.
    c.read_confDataFromFile(golden);
    img::putU16(c.configImage, img::asStartScene, 5000);
    img::putU16(c.configImage, img::inputChannelLimit, 100);
    img::putU16(c.configImage, img::asControlChannel, 199);
    setPhaseBit(c.configImage, 199, true);
    for (int ch = 300; ch < 310; ++ch)
        setPhaseBit(c.configImage, ch, false);
    repairing = files.filePath(QStringLiteral("repairing.31xcfg"));
    c.write_confDataToFile(repairing, false);
    // The show read on the roads: a control channel of 200 within the limit 512.
    c.read_confDataFromFile(golden);
    img::putU16(c.configImage, img::inputChannelLimit, 512);
    img::putU16(c.configImage, img::asControlChannel, 199);
    img::putU16(c.configImage, img::asStartScene, 100);
    img::putU16(c.configImage, img::asStartEvent, 10);
    other = files.filePath(QStringLiteral("other.31xcfg"));
    c.write_confDataToFile(other, false);
    otherFlash = QByteArray(reinterpret_cast<const char*>(c.configImage), img::SIZE);
}

void tst_pages_built_late::whichPagesExistNeverChangesTheShow_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<road>("steps");
    const auto readFile = [](world& wd, const QString& file) { wd.controller().read_confDataFromFile(file); };
    const auto readController = [](world& wd, const QString&) {
        // The controller holds the other show; the user reads it.
        wd.session.rig->sim->configFlash = otherFlash;
        QVERIFY(wd.session.rig->connect());
        wd.controller().read_alldata();
    };
    const QList<QPair<const char*, road>> roads{
        {"output limit lowered", {[](world& wd, const QString&) {
                                      showTab(wd.window(), 7, wd.window()->tabWidget_settings, 1);
                                      wd.window()->dmxOutSettings->settingsPanel->spinChnlMax->setValue(100);
                                  },
                                  {page::inputsSettings, page::dmxOutSettings}}},
        {"input limit lowered", {[](world& wd, const QString&) { setInputLimit(wd.window(), 150); },
                                 {page::inputsSettings, page::dmxInSettings}}},
        {"input limit lowered to 0", {[](world& wd, const QString&) { setInputLimit(wd.window(), 0); },
                                      {page::inputsSettings, page::dmxInSettings}}},
        {"input limit lowered, then raised", {[](world& wd, const QString&) {
                                                  setInputLimit(wd.window(), 150);
                                                  setInputLimit(wd.window(), 300);
                                              },
                                              {page::inputsSettings, page::dmxInSettings}}},
        {"input limit lowered, then a file read", {[readFile](world& wd, const QString& file) {
                                                       setInputLimit(wd.window(), 150);
                                                       readFile(wd, file);
                                                   },
                                                   {page::inputsSettings, page::dmxInSettings}}},
        {"input limit lowered, then a controller read", {[readController](world& wd, const QString& file) {
                                                             setInputLimit(wd.window(), 150);
                                                             readController(wd, file);
                                                         },
                                                         {page::inputsSettings, page::dmxInSettings}}},
        {"file read", {readFile, {}}},
        {"file read, then input limit lowered", {[readFile](world& wd, const QString& file) {
                                                     readFile(wd, file);
                                                     setInputLimit(wd.window(), 150);
                                                 },
                                                 {page::inputsSettings, page::dmxInSettings}}},
        {"file read, then input limit lowered and raised", {[readFile](world& wd, const QString& file) {
                                                                readFile(wd, file);
                                                                setInputLimit(wd.window(), 150);
                                                                setInputLimit(wd.window(), 300);
                                                            },
                                                            {page::inputsSettings, page::dmxInSettings}}},
        {"active scenes ticked and stepped up", {[](world& wd, const QString&) {
                                                     gui_class* w = wd.window();
                                                     showTab(w, 6, w->tabWidget_actives, 0);
                                                     w->activeScenes->setChecked(!w->activeScenes->isChecked());
                                                     w->activeScenes->startSceneBox->stepUp();
                                                     w->activeScenes->startEventBox->stepUp();
                                                     w->activeScenes->controlChannelBox->stepUp();
                                                 },
                                                 {page::activeScenes}}},
        {"language changed", {[](world& wd, const QString&) { wd.rebuild(); }, {}}},
        {"sheet imported", {[](world& wd, const QString&) {
                                ascene_settings_widget* scenes = wd.window()->sceneEditor;
                                scenes->toolTabs->setCurrentIndex(2);
                                scenes->sheetImportButton->click();
                                scenes->sheetFileEdit->setText(QStringLiteral(KV_TEST_DATA "/sheets/scenes_libreoffice.csv"));
                                scenes->sheetChooseButton->click();
                                scenes->sheetActionButton->click();
                            },
                            {}}},
    };
    const QList<QPair<const char*, uint32_t>> clears{
        {"all", CLEAR_ALL},           {"scenes", CLEAR_SCENES},      {"masks", CLEAR_MASKS},
        {"DMX input", CLEAR_DMX_IN},  {"limits", CLEAR_LIMITS},      {"active scenes", CLEAR_ACTIVE_SCENES},
        {"DMX output", CLEAR_DMX_OUT_SETTINGS},
    };
    for (const QString& fixture : {QStringLiteral("sample"), QStringLiteral("repairing")}) {
        for (const auto& r : roads)
            QTest::addRow("%s: %s", qPrintable(fixture), r.first) << fixture << r.second;
        for (const auto& c : clears) {
            const uint32_t flag = c.second;
            QTest::addRow("%s: cleared %s", qPrintable(fixture), c.first)
                << fixture << road{[flag](world& wd, const QString&) { clearWith(wd, flag); }, {}};
        }
    }
}

void tst_pages_built_late::whichPagesExistNeverChangesTheShow()
{
    QFETCH(QString, fixture);
    QFETCH(road, steps);
    const QString start = fixture == QLatin1String("sample") ? golden : repairing;
    QByteArray after[2], shown[2];
    for (const build kind : {build::complete, build::visibleFirst}) {
        world wd(kind);
        // The show named on the command line, read before the first window.
        wd.controller().read_confDataFromFile(start);
        wd.open();
        steps.run(wd, other);
        if (QTest::currentTestFailed())
            return;
        const int k = kind == build::complete ? 0 : 1;
        after[k] = savedShow(wd.controller());
        if (kind == build::visibleFirst) {
            for (size_t p = 0; p < size_t(page::count); ++p)
                if (page(p) != page::visualProject)
                    QVERIFY2(wd.window()->isBuilt(page(p)) == steps.needs.contains(page(p)),
                             qPrintable(QStringLiteral("page %1").arg(p)));
        }
        showEveryPage(wd.window());
        shown[k] = savedShow(wd.controller());
    }
    QVERIFY2(after[0] == after[1], firstDifference(after[0], after[1]).constData());
    QVERIFY2(shown[0] == shown[1], firstDifference(shown[0], shown[1]).constData());
}

// The road a new user took: the inner tab shown before a change of language
// is disabled by a read or a clear in the new window before its page was
// built; the page is then shown.
void tst_pages_built_late::aPageBuiltUnderAMovingTabIsRefreshedOnceBuilt_data()
{
    QTest::addColumn<int>("mainTab");
    QTest::addColumn<QString>("inner");
    QTest::addColumn<int>("innerTab");
    QTest::addColumn<bool>("clear");
    QTest::newRow("compound scenes, file read") << 6 << QStringLiteral("actives") << 1 << false;
    QTest::newRow("compound scenes, cleared") << 6 << QStringLiteral("actives") << 1 << true;
    QTest::newRow("DMX output events, file read") << 0 << QStringLiteral("events") << 6 << false;
    QTest::newRow("DMX output events, cleared") << 0 << QStringLiteral("events") << 6 << true;
    QTest::newRow("DMX input settings, file read") << 7 << QStringLiteral("settings") << 2 << false;
    QTest::newRow("DMX input settings, cleared") << 7 << QStringLiteral("settings") << 2 << true;
}

void tst_pages_built_late::aPageBuiltUnderAMovingTabIsRefreshedOnceBuilt()
{
    QFETCH(int, mainTab);
    QFETCH(QString, inner);
    QFETCH(int, innerTab);
    QFETCH(bool, clear);
    world wd(build::visibleFirst);
    kv310_controller_class& c = wd.controller();
    // Everything of the active scenes set, event generation on: every inner
    // tab enabled in the first window.
    c.read_confDataFromFile(other);
    img::putU16(c.configImage, img::outEventFirstChannel, 10);
    img::putU16(c.configImage, img::outEventLastChannel, 20);
    const QString enabled = wd.session.dir.filePath(QStringLiteral("enabled.31xcfg"));
    c.write_confDataToFile(enabled, false);
    // A show that disables them: nothing of the active scenes, no generation.
    img::putU16(c.configImage, img::asControlChannel, 0xFFFF);
    img::putU16(c.configImage, img::outEventFirstChannel, 0xFFFF);
    const QString disabling = wd.session.dir.filePath(QStringLiteral("disabling.31xcfg"));
    c.write_confDataToFile(disabling, false);
    c.read_confDataFromFile(enabled);
    wd.open();
    gui_class* w = wd.window();
    QTabWidget* tabs = inner == QLatin1String("actives") ? w->tabWidget_actives
                       : inner == QLatin1String("events") ? w->tabWidget_events
                                                         : w->tabWidget_settings;
    showTab(w, mainTab, tabs, innerTab);
    QCOMPARE(tabs->currentIndex(), innerTab);
    w->tabWidget_main->setCurrentIndex(1);
    wd.rebuild();
    w = wd.window();
    tabs = inner == QLatin1String("actives") ? w->tabWidget_actives
           : inner == QLatin1String("events") ? w->tabWidget_events
                                             : w->tabWidget_settings;
    QCOMPARE(tabs->currentIndex(), innerTab);
    if (clear)
        clearWith(wd, CLEAR_ALL);
    else
        c.read_confDataFromFile(disabling);
    w->tabWidget_main->setCurrentIndex(mainTab);
    // Whatever tab is current now has its page, shown from the show.
    QWidget* current = tabs->currentWidget();
    QVERIFY(!current->children().isEmpty());
    if (w->activeScenes)
        QCOMPARE(w->activeScenes->controlChannelBox->value(),
                 int(uint16_t(img::getU16(c.configImage, img::asControlChannel) + 1)));
    QVERIFY(tabs->isTabEnabled(tabs->currentIndex()));
}

// A page whose construction disables the tab being shown: the refresh that
// the tab's move asks for waits for the build, and the page current then
// is refreshed once.
void tst_pages_built_late::aRefreshDuringABuildWaitsForIt()
{
    int builtAlone = 0;
    for (const bool shown : {false, true}) {
        world wd(build::visibleFirst);
        // Nothing of the active scenes set: the settings page disables the
        // compound scenes' tab as it is built.
        wd.controller().read_confDataFromFile(golden);
        img::putU16(wd.controller().configImage, img::asStartScene, 0xFFFF);
        wd.open();
        gui_class* w = wd.window();
        if (!shown) {
            w->buildPage(page::compoundScenes);
            builtAlone = w->activeScenes->refreshCount;
            continue;
        }
        // The tab open as a former window left it.
        w->setActiveScenesTabEnabled(1, true);
        w->tabWidget_actives->setCurrentIndex(1);
        w->tabWidget_main->setCurrentIndex(6);
        QVERIFY(w->activeSceneEditor);
        QVERIFY(!w->tabWidget_actives->isTabEnabled(1));
        QCOMPARE(w->tabWidget_actives->currentIndex(), 0);
        QCOMPARE(w->activeScenes->refreshCount, builtAlone + 1);
    }
}

QTEST_MAIN(tst_pages_built_late)
#include "tst_pages_built_late.moc"
