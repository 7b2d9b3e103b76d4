// The presentation modes of the show window in the running program: where
// the 512 values come from (a scene, a program step, a compound picture, the
// controller's output as the monitor reads it), what each mode follows and
// releases, and what survives the window's closing.

#include "visual_rig.h"

#include "app/right_panel_widget.h"
#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "monitor/pokaz.h"
#include "simulator/sim_controller.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPointer>
#include <QTableWidget>
#include <QPushButton>
#include <QTest>

class tst_visual_modes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void sceneChoices_data();
    void sceneChoices();
    void compoundEntry_data();
    void compoundEntry();
    void allOnAndAllOff();
    void liveModesNeedTheController_data();
    void liveModesNeedTheController();
    void liveShowFollowsTheOutput();
    void switchingToDesignKeepsFollowingTheLiveShow();
    void aCompoundViewLeavesTheLiveShow();
    void reshowingACompoundViewReturnsToAllOn();
    void closingLeavesTheControllerLive();
    void closingALiveShowClosesAHiddenMonitor_data();
    void closingALiveShowClosesAHiddenMonitor();
    void changeScNoTakesOnlyScenesOfTheMode_data();
    void changeScNoTakesOnlyScenesOfTheMode();
    void fadersRedrawOfflineOnly();
    void liveDesignPlaysTheScene();
    void theActiveSceneEditorOpensItsPicture();

private:
    kvVGraph_class* openConnectedShow();

    std::unique_ptr<visualRig> r;
};

void tst_visual_modes::init()
{
    r = std::make_unique<visualRig>();
    r->readShow();
}

void tst_visual_modes::cleanup()
{
    r.reset();
}

kvVGraph_class* tst_visual_modes::openConnectedShow()
{
    if (!r->s.rig->connect())
        return nullptr;
    return r->openShow();
}

// What "Show channels offline" shows for the visual project's choice.
void tst_visual_modes::sceneChoices_data()
{
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("stepScene");  // of step 2 of program 1, which has 3 steps
    QTest::addColumn<QString>("title");  // empty: refused
    QTest::addColumn<QString>("chooser");
    QTest::addColumn<int>("shown");

    QTest::newRow("scene 5") << 4 << -1 << -1 << 0 << "KvOrbit310+ visualisation: Scene 5 offline"
                             << "Choose scene no. (5)" << 4;
    QTest::newRow("program 2, step 3") << 0 << 1 << 2 << 6
                                       << "KvOrbit310+ visualisation: Program 2, step 3 (scene 7) offline"
                                       << "Choose scene no. (2/3)" << 6;
    QTest::newRow("a step beyond the program") << 0 << 1 << 3 << 6 << "" << "" << 0;
    QTest::newRow("a compound number") << 10245 << -1 << -1 << 0 << "KvOrbit310+ visualisation: Scene 1 offline"
                                       << "Choose scene no. (1)" << 0;
    QTest::newRow("beyond the compound numbers") << 10272 << -1 << -1 << 0 << "" << "" << 10272;
    QTest::newRow("a step of a scene the image lacks") << 0 << 1 << 2 << 60000 << "" << "" << 0;
    QTest::newRow("a program beyond the table") << 3 << 512 << 0 << 0 << "" << "" << 3;
}

void tst_visual_modes::sceneChoices()
{
    QFETCH(int, scene);
    QFETCH(int, program);
    QFETCH(int, step);
    QFETCH(int, stepScene);
    QFETCH(QString, title);
    QFETCH(int, shown);
    r->c->programs.setStepCount(1, 3);
    r->c->programs.setScene(1, 2, stepScene);
    r->vp->sceneNumber = scene;
    r->vp->programNumber = program;
    r->vp->stepNumber = step;
    if (shown < img::SCENES)
        r->setScene(shown, 200, 100, 50);
    kvVGraph_class* g = r->openShow();

    g->actOffline->trigger();
    if (title.isEmpty()) {
        QVERIFY(g->actAllOn->isChecked());
        QCOMPARE(g->lightMode, LIGHT_MODE_ALL_ON);
        QCOMPARE(g->windowTitle(), QStringLiteral("KvOrbit310+ visualisation: all fixtures on (offline)"));
        QVERIFY(!g->actChooseScene->isVisible());
        QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(Qt::white));
        return;
    }
    QCOMPARE(g->windowTitle(), title);
    QTEST(g->actChooseScene->text(), "chooser");
    QVERIFY(g->actChooseScene->isVisible());
    QVERIFY(g->actOffline->isChecked());
    QCOMPARE(g->lightMode, LIGHT_MODE_OFFLINE);
    QCOMPARE(r->vp->sceneNumber, shown);
    QCOMPARE(r->vp->dmxBuffer, reinterpret_cast<uint8_t*>(r->c->configImage) + img::sceneChannelsOf(shown));
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(200, 100, 50));
    QCOMPARE(r->vp->fixtures.at(1)->lightColor, QColor(0, 0, 0));
}

void tst_visual_modes::compoundEntry_data()
{
    QTest::addColumn<int>("scene");
    QTest::addColumn<QString>("title");  // empty: refused
    QTest::addColumn<QString>("chooser");
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("motion");

    QTest::newRow("a plain scene") << 5 << "KvOrbit310+ visualisation: Active compound scene (range 1, static) "
                                   << "Choose range (1 static)" << 0 << 0;
    QTest::newRow("10240 + 3") << 10243 << "KvOrbit310+ visualisation: Active compound scene (range 2, in motion) "
                               << "Choose range (2 in motion)" << 1 << 1;
    QTest::newRow("10271") << 10271 << "KvOrbit310+ visualisation: Active compound scene (range 16, in motion) "
                           << "Choose range (16 in motion)" << 15 << 1;
    QTest::newRow("beyond") << 10272 << "" << "" << 0 << 0;
    QTest::newRow("negative") << -1 << "" << "" << 0 << 0;
}

void tst_visual_modes::compoundEntry()
{
    QFETCH(int, scene);
    QFETCH(QString, title);
    QFETCH(int, range);
    QFETCH(int, motion);
    kvVGraph_class* g = r->openShow();
    r->vp->sceneNumber = scene;
    r->c->compoundScenes[range][motion][0] = 77;

    g->actCompound->trigger();
    if (title.isEmpty()) {
        QVERIFY(g->actAllOn->isChecked());
        QCOMPARE(g->lightMode, LIGHT_MODE_ALL_ON);
        return;
    }
    QCOMPARE(g->windowTitle(), title);
    QTEST(g->actChooseScene->text(), "chooser");
    QVERIFY(g->actChooseScene->isVisible());
    QCOMPARE(g->lightMode, LIGHT_MODE_COMPOUND);
    QCOMPARE(r->vp->dmxBuffer, r->c->compoundScenes[range][motion]);
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(77, 0, 0));
}

void tst_visual_modes::allOnAndAllOff()
{
    r->setScene(0, 10, 20, 30);
    kvVGraph_class* g = r->openShow();
    g->actOffline->trigger();
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(10, 20, 30));

    g->actAllOff->trigger();
    QCOMPARE(g->windowTitle(), QStringLiteral("KvOrbit310+ visualisation: all fixtures off (offline)"));
    QCOMPARE(g->lightMode, LIGHT_MODE_ALL_OFF);
    QVERIFY(!g->actChooseScene->isVisible());
    QVERIFY(!g->ctrlGroupMenu->isEnabled());
    for (const lightEffect* f : std::as_const(r->vp->fixtures))
        QCOMPARE(f->lightColor, QColor(0, 0, 0, 0));
    // The values stay where they were; nothing reads them.
    QCOMPARE(r->vp->dmxBuffer, reinterpret_cast<uint8_t*>(r->c->configImage) + img::sceneChannelsOf(0));

    g->actAllOn->trigger();
    QCOMPARE(g->windowTitle(), QStringLiteral("KvOrbit310+ visualisation: all fixtures on (offline)"));
    QCOMPARE(g->lightMode, LIGHT_MODE_ALL_ON);
    for (const lightEffect* f : std::as_const(r->vp->fixtures))
        QCOMPARE(f->lightColor, QColor(Qt::white));
}

void tst_visual_modes::liveModesNeedTheController_data()
{
    QTest::addColumn<bool>("liveShow");
    QTest::newRow("live show") << true;
    QTest::newRow("live design") << false;
}

void tst_visual_modes::liveModesNeedTheController()
{
    QFETCH(bool, liveShow);
    r->s.rig->sim->plugged = false;
    kvVGraph_class* g = r->openShow();
    g->actAllOff->trigger();

    (liveShow ? g->actLive : g->actLiveDesign)->trigger();
    QCOMPARE(r->s.rec.titles(), QStringList{QStringLiteral("Controller error")});
    QCOMPARE(r->s.rec.texts(), QStringList{QStringLiteral("Not connected!")});
    QVERIFY(g->actAllOff->isChecked());
    QCOMPARE(g->lightMode, LIGHT_MODE_ALL_OFF);
    QVERIFY(!r->w->monitor->dmxOutWindow);
}

void tst_visual_modes::liveShowFollowsTheOutput()
{
    kvVGraph_class* g = openConnectedShow();
    QVERIFY(g);
    g->actLive->trigger();
    QVERIFY(r->s.rec.entries.isEmpty());
    QCOMPARE(g->windowTitle(), QStringLiteral("KvOrbit310+ visualisation: live show"));
    QCOMPARE(g->lightMode, LIGHT_MODE_LIVE_SHOW);
    const QPointer<pokaz> output(r->w->monitor->dmxOutWindow.data());
    QVERIFY(output);
    QCOMPARE(r->vp->dmxBuffer, output->buffer.data());

    QByteArray values(512, 0);
    for (int tick = 1; tick <= 3; ++tick) {
        values[3] = char(40 * tick);
        values[4] = char(10 * tick);
        values[5] = char(5 * tick);
        r->s.rig->sim->output = values;
        r->poll();
        QCOMPARE(r->vp->fixtures.at(1)->lightColor, QColor(40 * tick, 10 * tick, 5 * tick));
    }

    QPointer<kvVGraph_class> watch(g);
    output->close();
    visualRig::settle();
    QVERIFY(watch.isNull());
    QVERIFY(!r->vp->graphWindow);
    QVERIFY(!r->vp->dmxBuffer);
}

// A live show switched to design keeps following the output, and the
// window goes with the output window; the values it read go with them.
void tst_visual_modes::switchingToDesignKeepsFollowingTheLiveShow()
{
    kvVGraph_class* g = openConnectedShow();
    g->actLive->trigger();
    g->actionSwitch_mode->trigger();
    QVERIFY(g->designMode);

    QByteArray values(512, 0);
    values[0] = char(90);
    r->s.rig->sim->output = values;
    r->poll();
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(90, 0, 0));

    QPointer<kvVGraph_class> watch(g);
    r->w->monitor->closeMonitors(4);
    visualRig::settle();
    QVERIFY(watch.isNull());
    QVERIFY(!r->vp->dmxBuffer);
    // The fixtures are still the project's, kept out of sight.
    lightEffect* kept = r->vp->fixtures.at(0);
    QVERIFY(kept->parentWidget());
    QVERIFY(!kept->isVisible());
    QVERIFY(kept->window() != kept);
}

// A compound view shows the active-scene picture only: the output neither
// redraws it nor takes it along.
void tst_visual_modes::aCompoundViewLeavesTheLiveShow()
{
    kvVGraph_class* g = openConnectedShow();
    g->actLive->trigger();
    r->vp->sceneNumber = 10240;
    r->c->compoundScenes[0][0][0] = 33;
    g->actCompound->trigger();
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(33, 0, 0));

    QByteArray values(512, char(200));
    r->s.rig->sim->output = values;
    r->poll();
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(33, 0, 0));

    QPointer<kvVGraph_class> watch(g);
    r->w->monitor->closeMonitors(4);
    visualRig::settle();
    QVERIFY(!watch.isNull());
    QCOMPARE(r->vp->dmxBuffer, r->c->compoundScenes[0][0]);
}

void tst_visual_modes::reshowingACompoundViewReturnsToAllOn()
{
    kvVGraph_class* g = r->openShow();
    r->vp->sceneNumber = 10241;
    g->actCompound->trigger();
    QCOMPARE(g->lightMode, LIGHT_MODE_COMPOUND);
    r->w->visualisationModeAction->trigger();
    QCOMPARE(r->graph(), g);
    QCOMPARE(g->lightMode, LIGHT_MODE_ALL_ON);
    QVERIFY(g->actAllOn->isChecked());
    QVERIFY(!g->actChooseScene->isVisible());
}

// Leaving live editing is the right-hand panel's business, not the window's.
void tst_visual_modes::closingLeavesTheControllerLive()
{
    kvVGraph_class* g = openConnectedShow();
    g->actLiveDesign->trigger();
    QCOMPARE(g->lightMode, LIGHT_MODE_LIVE_DESIGN);
    QCOMPARE(r->c->uiMode, 2);
    QCOMPARE(r->s.rig->sim->workingMode(), 4);
    // From live editing the live show has the Live button clicked.
    QVERIFY(!r->w->rightPanel->liveButton->isChecked());
    g->actLive->trigger();
    QCOMPARE(g->lightMode, LIGHT_MODE_LIVE_SHOW);
    QVERIFY(r->w->rightPanel->liveButton->isChecked());

    g->actionClose->trigger();
    visualRig::settle();
    QVERIFY(!r->vp->graphWindow);
    QVERIFY(r->w->rightPanel->liveButton->isChecked());
    QCOMPARE(r->c->uiMode, 2);
    QCOMPARE(r->s.rig->sim->workingMode(), 4);
    QVERIFY(r->c->isConnected());
}

void tst_visual_modes::closingALiveShowClosesAHiddenMonitor_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("monitor hidden") << true;
    QTest::newRow("monitor shown") << false;
}

void tst_visual_modes::closingALiveShowClosesAHiddenMonitor()
{
    QFETCH(bool, hidden);
    r->w->hideMonitorCheck->setChecked(hidden);
    kvVGraph_class* g = openConnectedShow();
    // The output window is shown from its first read on.
    r->w->monitor->shDmxOutClicked();
    r->poll();
    QVERIFY(r->w->monitor->dmxOutWindow->isVisible());
    g->actLive->trigger();
    QVERIFY(r->w->monitor->dmxOutWindow);
    QCOMPARE(r->w->monitor->dmxOutWindow->isHidden(), hidden);

    g->close();
    visualRig::settle();
    QVERIFY(!r->vp->graphWindow);
    QCOMPARE(r->w->monitor->dmxOutWindow.isNull(), hidden);
    QVERIFY(!r->vp->dmxBuffer);
}

void tst_visual_modes::changeScNoTakesOnlyScenesOfTheMode_data()
{
    QTest::addColumn<bool>("compound");
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("title");  // empty: nothing changes

    QTest::newRow("scene 12") << false << 11 << -1 << -1 << "KvOrbit310+ visualisation: Scene 12 offline";
    QTest::newRow("a program step") << false << 39 << 2 << 0
                                    << "KvOrbit310+ visualisation: Program 3, step 1 (scene 40) offline";
    QTest::newRow("the last scene") << false << 10239 << -1 << -1 << "KvOrbit310+ visualisation: Scene 10240 offline";
    QTest::newRow("a compound number offline") << false << 10240 << -1 << -1 << "";
    QTest::newRow("a negative scene") << false << -1 << -1 << -1 << "";
    QTest::newRow("compound 10247") << true << 10247 << -1 << -1
                                    << "KvOrbit310+ visualisation: Active compound scene (range 4, in motion)";
    QTest::newRow("a plain scene in compound") << true << 5 << -1 << -1 << "";
    QTest::newRow("beyond the compound numbers") << true << 10272 << -1 << -1 << "";
}

void tst_visual_modes::changeScNoTakesOnlyScenesOfTheMode()
{
    QFETCH(bool, compound);
    QFETCH(int, scene);
    QFETCH(int, program);
    QFETCH(int, step);
    QFETCH(QString, title);
    kvVGraph_class* g = r->openShow();
    r->vp->sceneNumber = compound ? 10240 : 0;
    (compound ? g->actCompound : g->actOffline)->trigger();
    const QString titleBefore = g->windowTitle();
    const QString chooserBefore = g->actChooseScene->text();
    const uint8_t* bufferBefore = r->vp->dmxBuffer;

    g->changeScNo(scene, program, step);
    if (title.isEmpty()) {
        QCOMPARE(g->windowTitle(), titleBefore);
        QCOMPARE(g->actChooseScene->text(), chooserBefore);
        QCOMPARE(r->vp->dmxBuffer, bufferBefore);
        QCOMPARE(r->vp->sceneNumber, compound ? 10240 : 0);
        return;
    }
    QCOMPARE(g->windowTitle(), title);
    QCOMPARE(r->vp->sceneNumber, scene);
    QCOMPARE(r->vp->programNumber, program);
    QCOMPARE(r->vp->stepNumber, step);
    if (compound) {
        const int n = scene - 10240;
        QCOMPARE(r->vp->dmxBuffer, r->c->compoundScenes[n / 2][n % 2]);
    } else {
        QCOMPARE(r->vp->dmxBuffer, reinterpret_cast<uint8_t*>(r->c->configImage) + img::sceneChannelsOf(scene));
    }
}

// A fader of the scene editor moves the fixtures of its channel while the
// window shows that scene offline; in the other modes the fader bank's
// moves redraw nothing.
void tst_visual_modes::fadersRedrawOfflineOnly()
{
    QVERIFY(r->s.rig->connect());
    kvVGraph_class* g = r->openShow();
    admx512_sliders_widget* bank = r->w->sceneEditor->sliderBank.get();
    const struct {
        QAction* mode;
        bool redraws;
    } modes[] = {{g->actOffline, true}, {g->actLiveDesign, false}, {g->actCompound, false}};
    for (const auto& m : modes) {
        r->vp->sceneNumber = 0;
        r->setScene(0, 0, 0, 0, 3);
        m.mode->trigger();
        const QColor before = r->vp->fixtures.at(1)->lightColor;
        r->setScene(0, 120, 0, 0, 3);
        emit bank->liveNewValue(r->vp->sceneNumber, 3);
        QCOMPARE(r->vp->fixtures.at(1)->lightColor, m.redraws ? QColor(120, 0, 0) : before);
        // Another scene's fader changes nothing shown.
        emit bank->liveNewValue(r->vp->sceneNumber + 1, 3);
    }
}

// Live design puts the controller into live editing and plays the scene.
void tst_visual_modes::liveDesignPlaysTheScene()
{
    kvVGraph_class* g = openConnectedShow();
    r->setScene(7, 1, 2, 3);
    r->vp->sceneNumber = 7;
    g->actLiveDesign->trigger();
    QCOMPARE(g->windowTitle(), QStringLiteral("KvOrbit310+ visualisation: Scene 8 live design"));
    QCOMPARE(r->c->uiMode, 2);
    QCOMPARE(r->s.rig->sim->output.left(3), QByteArray("\x01\x02\x03", 3));
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(1, 2, 3));
}

QTEST_MAIN(tst_visual_modes)
#include "tst_visual_modes.moc"

// "Go to visual design mode" of the compound-picture editor opens the show
// window on the editor's current picture, following the editor's faders; the
// chooser's compound choice selects that picture back in the editor.
void tst_visual_modes::theActiveSceneEditorOpensItsPicture()
{
    as_edit_widget* editor = r->w->activeSceneEditor;
    r->c->compoundScenes[2][1][3] = 90;
    editor->rangeChanged(2, 1);
    editor->goToVisualDesign();

    auto* g = qobject_cast<kvVGraph_class*>(r->vp->graphWindow);
    QVERIFY(g);
    QCOMPARE(r->vp->sceneNumber, 10240 + 2 * 2 + 1);
    QCOMPARE(g->lightMode, LIGHT_MODE_COMPOUND);
    QCOMPARE(r->vp->dmxBuffer, r->c->compoundScenes[2][1]);
    QCOMPARE(r->vp->fixtures.at(1)->lightColor, QColor(90, 0, 0));
    QList<QPair<int, int>> followed;
    QObject context;
    QVERIFY(bool(r->w->followFaderBank(gui_base_class::COMPOUND_FADERS, &context,
                                       [&followed](int sc, int ch) { followed.append({sc, ch}); })));
    emit editor->sliders->liveNewValue(5, 3);
    QCOMPARE(followed, (QList<QPair<int, int>>{{5, 3}}));

    r->w->showCompoundPicture(7, 0);
    QCOMPARE(editor->pictureTable->currentRow(), 7);
    QCOMPARE(editor->pictureTable->currentColumn(), 0);
}
