// The scene chooser of the show window: what it shows for the choice in
// force, how the program and step boxes follow each other, what it reports
// on OK, and the window taking the report.

#include "visual_rig.h"

#include "visualisation/sc_no_dlg.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// Steps of an action script: "scene n", "program n", "step n", "static
// 0/1"; the values typed as the user types them.
void play(scNoDlg& d, const QStringList& script)
{
    for (const QString& line : script) {
        const QStringList parts = line.split(QLatin1Char(' '));
        const int v = parts.value(1).toInt();
        if (parts.at(0) == QLatin1String("scene"))
            d.sbScNo->setValue(v);
        else if (parts.at(0) == QLatin1String("program"))
            d.sbProgram->setValue(v);
        else if (parts.at(0) == QLatin1String("step"))
            d.sbStep->setValue(v);
        else if (parts.at(0) == QLatin1String("static"))
            d.cbIsStatic->setChecked(v != 0);
    }
}

QList<int> arguments(const QList<QVariant>& signal)
{
    QList<int> out;
    for (const QVariant& v : signal)
        out << v.toInt();
    return out;
}

}  // namespace

class tst_scene_chooser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void choices_data();
    void choices();
    void whatItShowsFirst_data();
    void whatItShowsFirst();
    void cancelReportsNothing();
    void theWindowShowsTheChoice();

private:
    std::unique_ptr<visualRig> r;
    kvVGraph_class* g = nullptr;
};

void tst_scene_chooser::init()
{
    r = std::make_unique<visualRig>();
    r->readShow();
    // Program 3 (0-based 2) of two steps playing scenes 40 and 41; program 4 without steps.
    r->c->programs.setStepCount(2, 2);
    r->c->programs.setScene(2, 0, 39);
    r->c->programs.setScene(2, 1, 40);
    r->c->programs.setStepCount(3, 0);
    g = r->openShow();
}

void tst_scene_chooser::cleanup()
{
    g = nullptr;
    r.reset();
}

void tst_scene_chooser::choices_data()
{
    QTest::addColumn<bool>("compound");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QList<int>>("scene");   // setScene's arguments
    QTest::addColumn<QList<int>>("aScene");  // setAScene's, empty: not emitted
    QTest::addColumn<int>("sceneBox");       // what sbScNo shows at OK

    QTest::newRow("scene 12 as shown") << false << 11 << QStringList{} << QList<int>{11, -1, -1} << QList<int>{}
                                       << 12;
    QTest::newRow("program 3, its first step") << false << 0 << QStringList{"program 3"} << QList<int>{39, 2, 0}
                                               << QList<int>{} << 40;
    QTest::newRow("program 3, step 2") << false << 0 << QStringList{"program 3", "step 2"} << QList<int>{40, 2, 1}
                                       << QList<int>{} << 41;
    QTest::newRow("a program without steps") << false << 6 << QStringList{"program 4"} << QList<int>{6, -1, -1}
                                             << QList<int>{} << 7;
    QTest::newRow("a scene typed after a program") << false << 0 << QStringList{"program 3", "scene 9"}
                                                   << QList<int>{8, -1, -1} << QList<int>{} << 9;
    QTest::newRow("compound range 4 in motion") << true << 10247 << QStringList{} << QList<int>{10247, -1, -1}
                                                << QList<int>{3, 1} << 4;
    QTest::newRow("compound range 16 static") << true << 10240 << QStringList{"scene 16", "static 1"}
                                              << QList<int>{10270, -1, -1} << QList<int>{15, 0} << 16;
}

void tst_scene_chooser::choices()
{
    QFETCH(bool, compound);
    QFETCH(int, shown);
    QFETCH(QStringList, script);
    QFETCH(QList<int>, aScene);
    QFETCH(int, sceneBox);
    if (compound) {
        r->vp->sceneNumber = shown;
        g->actCompound->trigger();
    }
    scNoDlg d(shown, g);
    QSignalSpy scenes(&d, &scNoDlg::setScene);
    QSignalSpy aScenes(&d, &scNoDlg::setAScene);
    play(d, script);
    QCOMPARE(d.sbScNo->value(), sceneBox);
    d.bBox->button(QDialogButtonBox::Ok)->click();

    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(scenes.size(), 1);
    QTEST(arguments(scenes.at(0)), "scene");
    if (aScene.isEmpty()) {
        QCOMPARE(aScenes.size(), 0);
    } else {
        QCOMPARE(aScenes.size(), 1);
        QCOMPARE(arguments(aScenes.at(0)), aScene);
    }
}

void tst_scene_chooser::whatItShowsFirst_data()
{
    QTest::addColumn<bool>("compound");
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("program");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("choose");
    QTest::addColumn<int>("sceneBox");
    QTest::addColumn<QString>("programText");
    QTest::addColumn<QString>("stepText");
    QTest::addColumn<bool>("isStatic");

    QTest::newRow("scene 12") << false << 11 << -1 << "Choose scene or step" << "Choose scene number for visual design"
                              << 12 << "----" << "----" << false;
    // The step box starts at the program's first step, not at the one shown.
    QTest::newRow("program 3") << false << 40 << 2 << "Choose scene or step" << "Choose scene number for visual design"
                               << 41 << "3" << "1" << false;
    QTest::newRow("compound 10240 + 7") << true << 10247 << -1 << "Choose range and mode"
                                        << "Choose active scenes control range" << 4 << "" << "" << false;
    QTest::newRow("compound 10240 + 6") << true << 10246 << -1 << "Choose range and mode"
                                        << "Choose active scenes control range" << 4 << "" << "" << true;
}

void tst_scene_chooser::whatItShowsFirst()
{
    QFETCH(bool, compound);
    QFETCH(int, scene);
    QFETCH(int, program);
    QFETCH(QString, programText);
    QFETCH(QString, stepText);
    r->vp->sceneNumber = scene;
    r->vp->programNumber = program;
    r->vp->stepNumber = 1;
    if (compound)
        g->actCompound->trigger();
    scNoDlg d(scene, g);
    d.show();
    QTEST(d.windowTitle(), "title");
    QTEST(d.lbChoose->text(), "choose");
    QTEST(d.sbScNo->value(), "sceneBox");
    QCOMPARE(d.sbScNo->maximum(), compound ? 16 : 10240);
    QCOMPARE(d.cbIsStatic->isVisible(), compound);
    QCOMPARE(d.sbProgram->isVisible(), !compound);
    QCOMPARE(d.sbStep->isVisible(), !compound);
    QCOMPARE(d.lbPgmStep->isVisible(), !compound);
    if (compound) {
        QTEST(d.cbIsStatic->isChecked(), "isStatic");
        return;
    }
    QCOMPARE(d.sbProgram->text(), programText);
    QCOMPARE(d.sbStep->text(), stepText);
}

void tst_scene_chooser::cancelReportsNothing()
{
    r->vp->sceneNumber = 4;
    g->actOffline->trigger();
    const QString title = g->windowTitle();
    r->s.rec.answerExec([](QDialog* d) {
        auto* chooser = qobject_cast<scNoDlg*>(d);
        chooser->sbScNo->setValue(30);
        chooser->bBox->button(QDialogButtonBox::Cancel)->click();
        return chooser->result();
    });
    g->actChooseScene->trigger();
    QCOMPARE(r->s.rec.entries.size(), 1);
    QCOMPARE(r->s.rec.entries.at(0).dialogClass, QStringLiteral("scNoDlg"));
    QCOMPARE(g->windowTitle(), title);
    QCOMPARE(r->vp->sceneNumber, 4);
}

void tst_scene_chooser::theWindowShowsTheChoice()
{
    r->setScene(39, 9, 8, 7);
    g->actOffline->trigger();
    r->s.rec.answerExec([](QDialog* d) {
        auto* chooser = qobject_cast<scNoDlg*>(d);
        chooser->sbProgram->setValue(3);
        chooser->bBox->button(QDialogButtonBox::Ok)->click();
        return chooser->result();
    });
    g->actChooseScene->trigger();
    QCOMPARE(g->windowTitle(), QStringLiteral("KvOrbit310+ visualisation: Program 3, step 1 (scene 40) offline"));
    QCOMPARE(g->actChooseScene->text(), QStringLiteral("Choose scene no. (3/1)"));
    QCOMPARE(r->vp->sceneNumber, 39);
    QCOMPARE(r->vp->programNumber, 2);
    QCOMPARE(r->vp->stepNumber, 0);
    QCOMPARE(r->vp->fixtures.at(0)->lightColor, QColor(9, 8, 7));

    // In the compound mode the active-scene editor is told the picture too.
    r->vp->sceneNumber = 10240;
    g->actCompound->trigger();
    r->s.rec.answerExec([](QDialog* d) {
        auto* chooser = qobject_cast<scNoDlg*>(d);
        chooser->sbScNo->setValue(2);
        chooser->cbIsStatic->setChecked(false);
        chooser->bBox->button(QDialogButtonBox::Ok)->click();
        return chooser->result();
    });
    g->actChooseScene->trigger();
    QCOMPARE(r->vp->sceneNumber, 10243);
    QCOMPARE(g->windowTitle(), QStringLiteral("KvOrbit310+ visualisation: Active compound scene (range 2, in motion)"));
    QCOMPARE(r->vp->dmxBuffer, r->c->compoundScenes[1][1]);
}

QTEST_MAIN(tst_scene_chooser)
#include "tst_scene_chooser.moc"
