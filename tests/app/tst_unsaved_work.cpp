// Closing the window with a show not yet saved asks whether to save it;
// an unchanged show (as read, saved, cleared, or as its pages repair it
// when they first show it) closes without a word.

#include "app/clear_conf_dialog.h"
#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "program_rig.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QSpinBox>
#include <QTest>

#include <functional>

namespace {

const QString question = QStringLiteral("Save changes?");
enum answer { SAVE, DISCARD, CANCEL };

using step = std::function<void(programSession&)>;

void clearWith(programSession& s, bool all)
{
    s.rec.answerExec([all](QDialog* d) {
        auto* dialog = qobject_cast<clearConf_dialog*>(d);
        (all ? dialog->cbAll : dialog->cbMasks)->setChecked(true);
        dialog->okButton->click();
        return dialog->result();
    });
    s.rig->panel()->clearButton->click();
}

void saveAs(programSession& s, const QString& name)
{
    s.rec.answerFile(s.dir.filePath(name));
    s.rig->panel()->saveFileButton->click();
}

void showTab(programSession& s, int main, int inner = -1)
{
    gui_class* w = s.rig->window.get();
    w->tabWidget_main->setCurrentIndex(main);
    if (inner >= 0)
        w->tabWidget_settings->setCurrentIndex(inner);
}

void changeScene(programSession& s)
{
    s.rig->controller->configImage[img::sceneChannelsOf(3) + 7] ^= 0x5A;
}

} // namespace

class tst_unsaved_work : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void asksOnlyWhenTheShowChanged_data();
    void asksOnlyWhenTheShowChanged();
    void answers_data();
    void answers();
    void exitAsksFirst();
};

void tst_unsaved_work::asksOnlyWhenTheShowChanged_data()
{
    QTest::addColumn<step>("work");
    QTest::addColumn<bool>("asks");

    QTest::newRow("nothing done") << step([](programSession&) {}) << false;
    QTest::newRow("every page shown") << step([](programSession& s) {
        gui_class* w = s.rig->window.get();
        for (int main = 0; main < w->tabWidget_main->count(); ++main) {
            w->tabWidget_main->setCurrentIndex(main);
            for (QTabWidget* inner : {w->tabWidget_events, w->tabWidget_actives, w->tabWidget_settings})
                for (int i = 0; i < inner->count(); ++i)
                    inner->setCurrentIndex(i);
        }
    }) << false;
    QTest::newRow("scene level") << step(changeScene) << true;
    QTest::newRow("program steps, not yet packed") << step([](programSession& s) {
        s.rig->controller->programs.setStepCount(3, 2);
    }) << true;
    QTest::newRow("description") << step([](programSession& s) {
        s.rig->controller->sceneDescriptions[12] = QStringLiteral("Finale");
    }) << true;
    QTest::newRow("visual project area") << step([](programSession& s) {
        s.rig->window->fieldWidthSpin->setValue(2400);
    }) << true;
    QTest::newRow("changed, then saved") << step([](programSession& s) {
        changeScene(s);
        saveAs(s, QStringLiteral("show.31xcfg"));
    }) << false;
    QTest::newRow("saved, then changed") << step([](programSession& s) {
        saveAs(s, QStringLiteral("show.31xcfg"));
        changeScene(s);
    }) << true;
    QTest::newRow("changed, then another file read") << step([](programSession& s) {
        saveAs(s, QStringLiteral("show.31xcfg"));
        changeScene(s);
        s.rec.answerFile(s.dir.filePath(QStringLiteral("show.31xcfg")));
        s.rig->panel()->readFileButton->click();
    }) << false;
    QTest::newRow("changed, then cleared whole") << step([](programSession& s) {
        changeScene(s);
        clearWith(s, true);
    }) << false;
    QTest::newRow("changed, then cleared in part") << step([](programSession& s) {
        changeScene(s);
        clearWith(s, false);
    }) << true;
    QTest::newRow("changed, then read from the controller") << step([](programSession& s) {
        QVERIFY(s.rig->connect());
        changeScene(s);
        s.rig->panel()->readButton->click();
    }) << false;
    // The general settings page writes back a location it cannot show as
    // its default: a page first shown after the read repairs the show.
    QTest::newRow("file with a location out of range, its page shown late") << step([](programSession& s) {
        img::putI32(s.rig->controller->configImage, img::latitude, 70);
        saveAs(s, QStringLiteral("far.31xcfg"));
        clearWith(s, true);
        s.rec.answerFile(s.dir.filePath(QStringLiteral("far.31xcfg")));
        s.rig->panel()->readFileButton->click();
        QCOMPARE(img::getI32(s.rig->controller->configImage, img::latitude), 70);
        showTab(s, 7, 5);
        QCOMPARE(img::getI32(s.rig->controller->configImage, img::latitude), 50);
    }) << false;
    QTest::newRow("page shown late, then changed") << step([](programSession& s) {
        img::putI32(s.rig->controller->configImage, img::latitude, 70);
        saveAs(s, QStringLiteral("far.31xcfg"));
        s.rec.answerFile(s.dir.filePath(QStringLiteral("far.31xcfg")));
        s.rig->panel()->readFileButton->click();
        showTab(s, 7, 5);
        s.rig->window->timeZoneSpin->setValue(5);
    }) << true;
}

void tst_unsaved_work::asksOnlyWhenTheShowChanged()
{
    QFETCH(step, work);
    QFETCH(bool, asks);

    programSession s;
    work(s);
    if (QTest::currentTestFailed())
        return;
    s.rec.clear();
    if (asks)
        s.rec.answer(DISCARD);
    QVERIFY(s.rig->window->close());
    QCOMPARE(s.rec.texts().contains(question), asks);
    if (asks) {
        QCOMPARE(s.rec.entries.last().title, QStringLiteral("KvOrbit310+"));
        QCOMPARE(s.rec.entries.last().buttons, (QStringList{QStringLiteral("Save"), QStringLiteral("Discard"),
                                                            QStringLiteral("Cancel")}));
    }
}

void tst_unsaved_work::answers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("file");  // empty: the file dialog is cancelled
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");

    QTest::newRow("save") << int(SAVE) << QStringLiteral("kept.31xcfg") << true << true;
    QTest::newRow("save, file dialog cancelled") << int(SAVE) << QString() << false << false;
    QTest::newRow("discard") << int(DISCARD) << QString() << true << false;
    QTest::newRow("cancel") << int(CANCEL) << QString() << false << false;
}

void tst_unsaved_work::answers()
{
    QFETCH(int, answer);
    QFETCH(QString, file);
    QFETCH(bool, closes);
    QFETCH(bool, written);

    programSession s;
    changeScene(s);
    s.rec.answer(answer);
    if (answer == SAVE)
        s.rec.answerFile(file.isEmpty() ? QString() : s.dir.filePath(file));
    s.rig->window->show();
    QCOMPARE(s.rig->window->close(), closes);
    QCOMPARE(s.rig->window->isVisible(), !closes);
    QCOMPARE(QFile::exists(s.dir.filePath(QStringLiteral("kept.31xcfg"))), written);
    QCOMPARE(s.rec.pendingAnswers(), 0);
    // A window kept open asks again at the next close.
    if (!closes) {
        s.rec.answer(DISCARD);
        QVERIFY(s.rig->window->close());
    }
}

// File > Exit asks before any window goes: a cancelled exit leaves the
// auxiliary windows open too.
void tst_unsaved_work::exitAsksFirst()
{
    programSession s;
    QVERIFY(s.rig->connect());
    gui_class* w = s.rig->window.get();
    w->show();
    w->viewStatesAction->trigger();
    QVERIFY(w->viewStatesAction->isChecked());
    changeScene(s);
    s.rec.clear();
    s.rec.answer(CANCEL);
    w->exitAction->trigger();
    QCOMPARE(s.rec.texts(), QStringList{question});
    QVERIFY(w->isVisible());
    QVERIFY(w->viewStatesAction->isChecked());
}

QTEST_MAIN(tst_unsaved_work)
#include "tst_unsaved_work.moc"
