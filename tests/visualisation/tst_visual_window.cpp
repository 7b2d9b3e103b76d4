// The visualisation window in the running program: its menus, closing and
// the fixture items it lends and gives back, zoom and field coordinates, the
// background and its level, the set-up of each kind, and the visual-project
// page that opens it.

#include "visual_rig.h"

#include "fixtures/light_class.h"
#include "visualisation/view_seams.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>

namespace {

// The titles of the menu bar's visible entries, in order.
QStringList menuBarEntries(const kvVGraph_class* g)
{
    QStringList out;
    for (const QAction* a : g->menubar->actions())
        if (a->isVisible())
            out << a->text();
    return out;
}

}  // namespace

class tst_visual_window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void menusOfEachKind_data();
    void menusOfEachKind();
    void closingTwiceGivesTheItemsBackOnce_data();
    void closingTwiceGivesTheItemsBackOnce();
    void reopeningMakesNewBeams();
    void theFixturesOutliveTheMainWindow();
    void aProjectReadWhileTheWindowIsOpen();

    void autoZoomFromTheStart_data();
    void autoZoomFromTheStart();
    void fieldToViewAtScaleFour();
    void zoomSteps_data();
    void zoomSteps();
    void aZoomThatCannotBeAllocatedKeepsTheFactor();
    void fitIntoTheScrollArea();
    void positionLabelFollowsTheZoom();
    void backgroundLevels_data();
    void backgroundLevels();

    void blankBackgroundFitsTheDesktop_data();
    void blankBackgroundFitsTheDesktop();
    void unreadableBackgroundIsWarnedAbout();
    void levelOfThePage_data();
    void levelOfThePage();
    void designToShowNeedsDefinedFixtures();

    void designModeOverAnOpenShowWindow();
    void aProjectTurningInvalid();

private:
    std::unique_ptr<visualRig> r;
};

void tst_visual_window::init()
{
    r = std::make_unique<visualRig>();
}

void tst_visual_window::cleanup()
{
    installPictureProbe(nullptr);
    installDesktopArea(nullptr);
    r.reset();
}

// ---- The window ------------------------------------------------------------------------

void tst_visual_window::menusOfEachKind_data()
{
    QTest::addColumn<bool>("design");
    QTest::addColumn<int>("fixtures");
    QTest::addColumn<QStringList>("entries");

    const QStringList design{"Mode", "Zoom", "Lighten background", "Select", "Tools", "Group management"};
    const QStringList show{"Mode", "Zoom", "Dimm background", "Select", "Tools", "Light presentation"};
    QTest::newRow("design, no fixtures") << true << 0 << design;
    QTest::newRow("design, three fixtures") << true << 3 << design;
    QTest::newRow("show, no fixtures") << false << 0 << show;
    QTest::newRow("show, three fixtures") << false << 3 << show;
}

void tst_visual_window::menusOfEachKind()
{
    QFETCH(bool, design);
    QFETCH(int, fixtures);
    r->readShow(fixtures);
    // An empty project opens no show window from the page: it is made here.
    auto* g = new kvVGraph_class(design, r->w);
    r->vp->graphWindow = g;
    g->setupView();
    g->showMaximized();

    QTEST(menuBarEntries(g), "entries");
    QCOMPARE(g->menuTools->menuAction()->isEnabled(), design);
    QCOMPARE(g->presentationMenu->title().isEmpty(), design);
    QVERIFY(!g->actChooseScene->isVisible());
    QVERIFY(!g->ctrlGroupMenu->isEnabled());
    QVERIFY(!g->devList->isVisible());
    QCOMPARE(g->modeGroup->actions().size(), 6);
    QVERIFY(g->actAllOn->isChecked());
    QCOMPARE(g->windowTitle(), design ? QStringLiteral("KvOrbit310+ visualisation: design mode")
                                      : QStringLiteral("KvOrbit310+ visualisation: all fixtures on (offline)"));
    QCOMPARE(g->lightMode, design ? LIGHT_MODE_DESIGN : LIGHT_MODE_ALL_ON);
    QCOMPARE(g->positionLabel->parentWidget(), g->statusbar);
    // "Save project" saves the configuration as the right-hand panel does.
    r->s.rec.answerFile(QString());
    g->actionSave_project->trigger();
    QCOMPARE(r->s.rec.entries.size(), 1);
    QCOMPARE(r->s.rec.entries.at(0).kind, QStringLiteral("save"));
    // The fixtures were read with no plan open: the plan made their beams
    // and crosses.
    for (const lightEffect* f : std::as_const(r->vp->fixtures)) {
        QCOMPARE(f->beam->parentWidget(), g->imageLabel);
        QCOMPARE(f->beam->owner, f);
        QCOMPARE(f->beam->objectName(), QStringLiteral("Light_%1").arg(f->number));
        QVERIFY(f->beam->hasMouseTracking());
        QCOMPARE(f->cross->parentWidget(), g->imageLabel);
        QCOMPARE(f->cross->owner, f);
        QCOMPARE(f->isVisible(), design);
        if (!design)
            QCOMPARE(f->lightColor, QColor(Qt::white));
    }

    g->close();
    visualRig::settle();
    QVERIFY(!r->vp->graphWindow);
}

void tst_visual_window::closingTwiceGivesTheItemsBackOnce_data()
{
    QTest::addColumn<bool>("design");
    QTest::newRow("design") << true;
    QTest::newRow("show") << false;
}

void tst_visual_window::closingTwiceGivesTheItemsBackOnce()
{
    QFETCH(bool, design);
    r->readShow();
    kvVGraph_class* g = design ? r->openDesign() : r->openShow();
    QVERIFY(g);
    QVERIFY(!r->w->projectDetailsGroup->isEnabled());
    uint8_t values[512] = {};
    r->vp->dmxBuffer = values;
    const QPointer<QLabel> plan(g->imageLabel);
    QPointer<light_class> beam(r->vp->fixtures.at(0)->beam);

    g->actionClose->trigger();
    // Closing in show stops the values shown; in design they stay.
    QCOMPARE(r->vp->dmxBuffer, design ? values : nullptr);
    // The icons a design plan showed leave the window together, kept by
    // one widget of no window, so that they move at once, whatever their
    // number; a show never took them.
    QWidget* keeper = r->vp->fixtures.at(0)->parentWidget();
    if (design)
        QVERIFY(keeper && keeper != r->w && keeper->isWindow() && keeper->isHidden());
    for (const lightEffect* f : std::as_const(r->vp->fixtures)) {
        QVERIFY(!f->beam);
        QVERIFY(!f->cross);
        QVERIFY(!f->isVisible());
        QCOMPARE(f->parentWidget(), keeper);
    }
    // The second close finds nothing left to give back.
    r->vp->dmxBuffer = values;
    QVERIFY(g->close());
    QCOMPARE(r->vp->dmxBuffer, design ? values : nullptr);

    visualRig::settle();
    QVERIFY(plan.isNull());
    QVERIFY(beam.isNull());
    QVERIFY(!r->vp->graphWindow);
    QVERIFY(r->w->projectDetailsGroup->isEnabled());
    QCOMPARE(r->vp->fixtures.size(), 3);
    QCOMPARE(r->vp->fixtures.at(2)->number, 3);
}

void tst_visual_window::reopeningMakesNewBeams()
{
    r->readShow();
    r->openDesign()->close();
    visualRig::settle();
    QPointer<QWidget> keeper(r->vp->fixtures.at(0)->parentWidget());
    QVERIFY(keeper && keeper->isWindow());

    kvVGraph_class* g = r->openDesign();
    for (const lightEffect* f : std::as_const(r->vp->fixtures)) {
        QVERIFY(f->beam);
        QVERIFY(f->cross);
        QCOMPARE(f->beam->parentWidget(), g->imageLabel);
        QCOMPARE(f->cross->parentWidget(), g->imageLabel);
        QCOMPARE(f->parentWidget(), g->imageLabel);
        QVERIFY(f->isVisible());
    }
    // The selected fixture shows its cross, the others not.
    QVERIFY(r->vp->fixtures.at(1)->cross->isVisible());
    QVERIFY(!r->vp->fixtures.at(0)->cross->isVisible());
    // The keeper gave every icon back and went.
    QVERIFY(keeper.isNull());
}

// The icons given back to the main window belong to the visual project,
// which outlives every main window: a rebuild of the window must not take
// them along, whether the visualisation window is still open or not.
void tst_visual_window::theFixturesOutliveTheMainWindow()
{
    r->readShow();
    r->openDesign();
    r->s.rig->window.reset();
    theMainWindow = nullptr;
    r->w = nullptr;
    QVERIFY(!r->vp->graphWindow);
    QCOMPARE(r->vp->fixtures.size(), 3);
    for (const lightEffect* f : std::as_const(r->vp->fixtures)) {
        QVERIFY(f->window()->isHidden());
        QVERIFY(!f->isVisible());
    }

    // The next window opens the same fixtures again.
    r->s.rig->window = std::make_unique<gui_class>(r->c, nullptr);
    theMainWindow = r->s.rig->window.get();
    r->w = r->s.rig->window.get();
    r->w->libraryFileEdit->setText(r->s.dir.filePath(QStringLiteral("lib.fxl")));
    r->w->readLibrary();
    kvVGraph_class* g = r->openDesign();
    QVERIFY(g);
    QCOMPARE(r->vp->fixtures.at(0)->parentWidget(), g->imageLabel);
}

// Reading a project deletes the fixtures the window shows and makes new
// ones: the window lets go of the old and lays out the new.
void tst_visual_window::aProjectReadWhileTheWindowIsOpen()
{
    r->readShow();
    kvVGraph_class* g = r->openDesign();
    g->pointedFixture = r->vp->fixtures.at(0);
    g->clipboardFixture = r->vp->fixtures.at(1);
    g->dragFixture = r->vp->fixtures.at(2);

    r->w->projectFileEdit->setText(r->write(QStringLiteral("two.kvp"), visualRig::projectText(2)));
    r->w->readProject();
    QVERIFY(!g->pointedFixture);
    QVERIFY(!g->clipboardFixture);
    QVERIFY(!g->dragFixture);
    QCOMPARE(r->vp->fixtures.size(), 2);
    for (const lightEffect* f : std::as_const(r->vp->fixtures)) {
        QCOMPARE(f->beam->parentWidget(), g->imageLabel);
        QCOMPARE(f->parentWidget(), g->imageLabel);
        QVERIFY(f->isVisible());
        QCOMPARE(f->pos(), g->fieldToView(f->posX, f->posY));
    }

    // A cleared project leaves an empty plan.
    r->vp->clear();
    QVERIFY(r->vp->fixtures.isEmpty());
    g->relayoutFixtures();
    g->close();
    visualRig::settle();
}

// ---- Zoom and coordinates ---------------------------------------------------------------

// "Auto" fits the field from the start, in either kind: the zoom of one's
// own serves only once it is switched off, and not again when it is on.
void tst_visual_window::autoZoomFromTheStart_data()
{
    QTest::addColumn<bool>("design");
    QTest::newRow("design") << true;
    QTest::newRow("show") << false;
}

void tst_visual_window::autoZoomFromTheStart()
{
    QFETCH(bool, design);
    r->readShow();
    kvVGraph_class* g = design ? r->openDesign() : r->openShow();
    QVERIFY(g);
    // "Zoom in", "Zoom out", "Select zoom".
    const auto manualZoom = [g] {
        return QList<bool>{g->actionZoom_In->isEnabled(), g->actionZoom_Out->isEnabled(),
                           g->menuSelect_zoom->menuAction()->isEnabled()};
    };
    const QList<bool> enabled{true, true, true};
    const QList<bool> disabled{false, false, false};
    QVERIFY(g->actionAuto->isChecked());
    QVERIFY(g->autoZoom);
    QCOMPARE(manualZoom(), disabled);
    QCOMPARE(g->scrollArea->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(g->scrollArea->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    g->actionAuto->trigger();
    QCOMPARE(manualZoom(), enabled);
    g->actionAuto->trigger();
    QCOMPARE(manualZoom(), disabled);
}

void tst_visual_window::fieldToViewAtScaleFour()
{
    r->readShow();
    r->w->bkImageEdit->setText(r->picture(QStringLiteral("bk.png"), 500, 250));
    kvVGraph_class* g = r->openShow();
    QCOMPARE(g->scale, 4.0);
    g->actionAuto->trigger();
    QVERIFY(!g->autoZoom);
    QVERIFY(g->actionZoom_In->isEnabled());
    g->action100->trigger();
    QCOMPARE(g->zoom, 1.0);
    QCOMPARE(g->imageLabel->size(), QSize(250, 250));
    QCOMPARE(g->fieldToView(500, 500), QPoint(114, 114));
    const lightEffect* second = r->vp->fixtures.at(1);
    QCOMPARE(second->cross->pos(), QPoint(114, 114));

    g->hide();
    QCOMPARE(g->fieldToView(500, 500), QPoint(0, 0));
}

void tst_visual_window::zoomSteps_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QString>("text");

    QTest::newRow("three in") << QStringList{"in", "in", "in"} << 1.953125 << "( 195% )";
    QTest::newRow("in, out") << QStringList{"in", "out"} << 1.0 << "( 100% )";
    QTest::newRow("10%") << QStringList{"10"} << 0.1 << "( 10% )";
    QTest::newRow("400%, out") << QStringList{"400", "out"} << 3.2 << "( 320% )";
}

void tst_visual_window::zoomSteps()
{
    QFETCH(QStringList, steps);
    r->readShow();
    kvVGraph_class* g = r->openShow();
    g->actionAuto->trigger();
    g->action100->trigger();
    for (const QString& step : steps) {
        QAction* a = step == QLatin1String("in")    ? g->actionZoom_In
                     : step == QLatin1String("out") ? g->actionZoom_Out
                     : step == QLatin1String("10")  ? g->action10
                                                    : g->action400;
        a->trigger();
    }
    QTEST(g->zoom, "zoom");
    QTEST(g->zoomText, "text");
    QVERIFY(g->positionLabel->text().endsWith(g->zoomText));
}

void tst_visual_window::aZoomThatCannotBeAllocatedKeepsTheFactor()
{
    r->readShow();
    kvVGraph_class* g = r->openShow();
    g->actionAuto->trigger();
    g->action100->trigger();
    const QSize before = g->imageLabel->size();
    QList<QSize> asked;
    installPictureProbe([&asked](const QSize& size) {
        asked << size;
        return false;
    });
    g->zoomIn();
    QCOMPARE(g->zoom, 1.0);
    QCOMPARE(g->zoomText, QStringLiteral("( 100% )"));
    QCOMPARE(g->imageLabel->size(), before);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.at(0), QSize(qRound(before.width() * 1.25), qRound(before.height() * 1.25)));
    QVERIFY(!g->imageLabel->pixmap().isNull());
    QVERIFY(g->imageLabel->pixmap().width() > 1);

    // Zooming out needs no proof.
    g->zoomOut();
    QCOMPARE(g->zoom, 0.8);
    QCOMPARE(asked.size(), 1);
}

void tst_visual_window::fitIntoTheScrollArea()
{
    r->readShow();
    r->w->bkImageEdit->setText(r->picture(QStringLiteral("bk.png"), 1000, 1000));
    kvVGraph_class* g = r->openShow();
    QCOMPARE(g->scale, 1.0);
    const int frame = 2 * g->imageLabel->lineWidth();
    g->scrollArea->resize(800 + frame, 500 + frame);
    g->actionAdjust->trigger();
    QCOMPARE(g->zoom, 0.5);
    QCOMPARE(g->imageLabel->pixmap().size(), QSize(500, 500));
    QCOMPARE(g->hScroll, 0);
    QCOMPARE(g->vScroll, 0);
}

// With the pointer away from the plan only the zoom part of the label follows.
void tst_visual_window::positionLabelFollowsTheZoom()
{
    r->readShow();
    kvVGraph_class* g = r->openShow();
    QCursor::setPos(g->mapToGlobal(QPoint(g->width() / 2, g->height() + 50)));
    g->positionLabel->setText(QStringLiteral(" 250 X 125 ( 100% )"));
    g->actionAuto->trigger();
    g->action200->trigger();
    QCOMPARE(g->positionLabel->text(), QStringLiteral(" 250 X 125 ( 200% )"));
}

void tst_visual_window::backgroundLevels_data()
{
    QTest::addColumn<bool>("design");
    QTest::addColumn<QColor>("pixel");
    QTest::newRow("show dims") << false << QColor(100, 50, 25);
    QTest::newRow("design lightens") << true << QColor(228, 178, 153);
}

void tst_visual_window::backgroundLevels()
{
    QFETCH(bool, design);
    r->readShow();
    const QString file = r->picture(QStringLiteral("bk.png"), 4, 4, qRgb(200, 100, 51));
    (design ? r->w->sketchEdit : r->w->bkImageEdit)->setText(file);
    kvVGraph_class* g = design ? r->openDesign() : r->openShow();
    QVERIFY(g->menuLighten_image->isEnabled());
    QVERIFY(g->action1x->isChecked());
    r->vp->modified = false;

    g->action2x->trigger();
    QCOMPARE(g->lightLevel, 2);
    QTEST(QColor(g->background.pixel(0, 0)), "pixel");
    QVERIFY(r->vp->modified);

    // The level in force again changes nothing.
    r->vp->modified = false;
    g->action2x->trigger();
    QVERIFY(!r->vp->modified);
    QTEST(QColor(g->background.pixel(3, 3)), "pixel");

    g->action1x->trigger();
    QCOMPARE(QColor(g->background.pixel(0, 0)), QColor(200, 100, 51));
}

// ---- Set-up for each kind ---------------------------------------------------------------

void tst_visual_window::blankBackgroundFitsTheDesktop_data()
{
    QTest::addColumn<bool>("design");
    QTest::addColumn<int>("fieldWidth");
    QTest::addColumn<QSize>("blank");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("wide field, show") << false << 2000 << QSize(1280, 640) << QColor(0, 0, 0);
    QTest::newRow("square field, design") << true << 1000 << QSize(900, 900) << QColor(0xF0, 0xF0, 0xF0);
}

void tst_visual_window::blankBackgroundFitsTheDesktop()
{
    QFETCH(bool, design);
    QFETCH(int, fieldWidth);
    r->readShow();
    r->w->fieldWidthSpin->setValue(fieldWidth);
    kvVGraph_class* g = design ? r->openDesign() : r->openShow();

    // A desktop that leaves 1280 x 900 pixels for the picture.
    const int frame = 2 * g->imageLabel->lineWidth();
    const int bars = g->menubar->height() + g->statusbar->height() + g->iconSize().height();
    installDesktopArea([&](const QWidget*) { return QRect(0, 0, 1280 + frame, 900 + bars + frame); });
    g->setupView();
    QTEST(g->background.size(), "blank");
    QTEST(QColor(g->background.pixel(10, 10)), "colour");
    QVERIFY(g->backgroundFile.isEmpty());
    QVERIFY(!g->menuLighten_image->isEnabled());
    QCOMPARE(g->fieldWidth, fieldWidth);
    QCOMPARE(g->scale, double(fieldWidth) / g->background.width());
}

void tst_visual_window::unreadableBackgroundIsWarnedAbout()
{
    r->readShow();
    r->w->bkImageEdit->setText(r->write(QStringLiteral("broken.png"), "not a picture"));
    kvVGraph_class* g = r->openShow();
    QCOMPARE(r->s.rec.titles(), QStringList{QStringLiteral("Warning!")});
    QCOMPARE(r->s.rec.texts(),
             QStringList{QStringLiteral("Invalid image file \"%1\"!").arg(r->s.dir.filePath(QStringLiteral("broken.png")))});
    QVERIFY(!g->background.isNull());
    QVERIFY(g->backgroundFile.isEmpty());
    QVERIFY(!g->menuLighten_image->isEnabled());
    // The page keeps the name.
    QVERIFY(!r->w->bkImageEdit->text().isEmpty());
}

void tst_visual_window::levelOfThePage_data()
{
    QTest::addColumn<int>("entry");    // of the page's "darkened" list
    QTest::addColumn<int>("checked");  // the level action left checked
    QTest::addColumn<int>("divisor");

    QTest::newRow("---") << 0 << 1 << 1;
    QTest::newRow("1x") << 1 << 1 << 1;
    QTest::newRow("2x") << 2 << 2 << 2;
    QTest::newRow("4x") << 3 << 4 << 4;
    QTest::newRow("8x") << 4 << 8 << 8;
}

void tst_visual_window::levelOfThePage()
{
    QFETCH(int, entry);
    QFETCH(int, divisor);
    r->readShow();
    r->w->bkImageEdit->setText(r->picture(QStringLiteral("bk.png"), 8, 8, qRgb(240, 160, 80)));
    r->w->bkFactorCombo->setCurrentIndex(entry);
    r->vp->modified = false;
    kvVGraph_class* g = r->openShow();
    QTEST(g->levelGroup->checkedAction()->data().toInt(), "checked");
    const QColor expected(240 / divisor, 160 / divisor, 80 / divisor);
    QCOMPARE(QColor(g->background.pixel(0, 0)), expected);

    // Shown again from the page: the picture is read afresh and dimmed again.
    g->close();
    visualRig::settle();
    g = r->openShow();
    QCOMPARE(QColor(g->background.pixel(0, 0)), expected);
    r->w->startVisMode();
    QCOMPARE(QColor(g->background.pixel(0, 0)), expected);
    // Opening a window edits nothing of the project.
    QVERIFY(!r->vp->modified);
}

void tst_visual_window::designToShowNeedsDefinedFixtures()
{
    r->readShow();
    kvVGraph_class* g = r->openDesign();
    r->vp->fixtures.at(1)->defined = false;
    g->actionSwitch_mode->trigger();
    QVERIFY(g->designMode);
    QCOMPARE(g->lightMode, LIGHT_MODE_DESIGN);
    QCOMPARE(r->s.rec.titles(), QStringList{QStringLiteral("Incomplete fixture(s) found!")});

    r->vp->fixtures.at(1)->defined = true;
    g->actionSwitch_mode->trigger();
    QVERIFY(!g->designMode);
    QCOMPARE(g->lightMode, LIGHT_MODE_ALL_ON);
    QVERIFY(!g->menuTools->isEnabled());
    QVERIFY(!r->vp->fixtures.at(0)->isVisible());
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(Qt::white));

    g->actionSwitch_mode->trigger();
    QVERIFY(g->designMode);
    QCOMPARE(g->windowTitle(), QStringLiteral("KvOrbit310+ visualisation: design mode"));
    QVERIFY(g->menuTools->isEnabled());
    QVERIFY(r->vp->fixtures.at(0)->isVisible());
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(192, 192, 192, 80));
}

// ---- The visual-project page ------------------------------------------------------------

void tst_visual_window::designModeOverAnOpenShowWindow()
{
    r->readShow();
    kvVGraph_class* g = r->openShow();
    g->actionAuto->trigger();
    g->action150->trigger();
    g->hide();

    // The page's buttons are disabled while a window is open: the menu's entry.
    QVERIFY(!r->w->designModeButton->isEnabled());
    r->w->designModeAction->trigger();
    QCOMPARE(r->graph(), g);
    QVERIFY(!g->designMode);
    QVERIFY(g->isVisible());
    QCOMPARE(g->zoom, 1.5);
    QCOMPARE(g->lightMode, LIGHT_MODE_ALL_ON);
    QCOMPARE(r->vp->fixtures.at(2)->beam->parentWidget(), g->imageLabel);
    QVERIFY(!r->w->projectDetailsGroup->isEnabled());
}

// A fixture that loses its definition makes the project invalid: the page
// says so and no show window can be opened.
void tst_visual_window::aProjectTurningInvalid()
{
    r->readShow();
    QVERIFY(r->w->visModeButton->isEnabled());
    QVERIFY(r->w->visualisationModeAction->isEnabled());

    // A library without the fixtures' item, taken over by "Refresh".
    r->w->libraryFileEdit->setText(r->write(QStringLiteral("other.fxl"), "<contents>Fixtures library</contents>\n"
                                                                          "<item nr=\"2\">\n<provider>P</provider>\n"
                                                                          "<model>M</model>\n</item>\n"));
    r->w->readLibrary();
    r->s.rec.answer(1);
    r->w->refreshFixturesButton->click();
    QCOMPARE(r->w->projectStatusValueLabel->text(), QStringLiteral("invalid!"));
    QCOMPARE(r->w->projectStatusValueLabel->palette().color(QPalette::WindowText), QColor(220, 0, 0));
    QVERIFY(!r->w->visModeButton->isEnabled());
    QVERIFY(!r->w->visualisationModeAction->isEnabled());

    r->s.rec.clear();
    r->w->startVisMode();
    QVERIFY(!r->graph());
}

QTEST_MAIN(tst_visual_window)
#include "tst_visual_window.moc"
