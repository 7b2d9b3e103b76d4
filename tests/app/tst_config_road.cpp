// The road a user takes with a show: connect, edit, save it to a file, send
// it to the controller, clear it, read it back from the controller and from
// the file, and find it again every time.

#include "app/clear_conf_dialog.h"
#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "program_rig.h"
#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

constexpr int SCENE = 17;
constexpr int CHANNEL = 300;

uint8_t sceneValue(const kv310_controller_class& c)
{
    return c.configImage[img::sceneChannelsOf(SCENE) + CHANNEL];
}

}  // namespace

namespace {

// Clears the whole configuration through the clear dialog, with "All" ticked.
void clearAll(dialogRecorder& rec, right_panel_widget* panel)
{
    rec.answerExec([](QDialog* d) {
        auto* dialog = qobject_cast<clearConf_dialog*>(d);
        dialog->cbAll->setChecked(true);
        dialog->okButton->click();
        return dialog->result();
    });
    panel->clearButton->click();
}

} // namespace

class tst_config_road : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void editSaveSendClearReadBack();

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString previousDirectory;
};

void tst_config_road::init()
{
    dir = std::make_unique<QTemporaryDir>();
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(dir->path());
}

void tst_config_road::cleanup()
{
    QDir::setCurrent(previousDirectory);
    dir.reset();
}

void tst_config_road::editSaveSendClearReadBack()
{
    virtualClock clock;
    dialogRecorder rec;
    programRig rig;
    right_panel_widget* panel = rig.panel();
    kv310_controller_class* c = rig.controller.get();

    // Connect.
    panel->connectButton->click();
    QCOMPARE(panel->statusLabel->text(), QStringLiteral("Connected"));
    QVERIFY(panel->normalButton->isChecked());

    // Edit a scene value, its description and a program step.
    c->configImage[img::sceneChannelsOf(SCENE) + CHANNEL] = 203;
    c->sceneDescriptions[SCENE] = QStringLiteral("Finale");
    c->programs.setStepCount(2, 1);
    c->programs.setScene(2, 0, SCENE);

    // Save it to a file.
    const QString fileName = dir->path() + QStringLiteral("/road.31xcfg");
    rec.answerFile(dir->path() + QStringLiteral("/road"), QStringLiteral("Kv310+ project description (*31xcfg)"));
    panel->saveFileButton->click();
    QVERIFY(QFile::exists(fileName));
    QCOMPARE(c->lastPath, fileName);

    // Send it: the controller takes it, restarts and is connected again.
    rec.clear();
    panel->sendButton->click();
    QCOMPARE(rec.texts(), QStringList{"Config and data writing\n     successful!"});
    QCOMPARE(rig.sim->restarts, 1);
    QCOMPARE(panel->statusLabel->text(), QStringLiteral("Connected"));
    QVERIFY(panel->normalButton->isChecked());
    QCOMPARE(uint8_t(rig.sim->configFlash.at(int(img::sceneChannelsOf(SCENE) + CHANNEL))), uint8_t(203));

    // Clear everything through the clear dialog.
    rec.clear();
    clearAll(rec, panel);
    QCOMPARE(sceneValue(*c), uint8_t(0));
    QVERIFY(c->sceneDescriptions[SCENE].isEmpty());
    QCOMPARE(c->programs.stepCount(2), -1);

    // Read it back from the controller.
    rec.clear();
    panel->readButton->click();
    QCOMPARE(rec.texts(), QStringList{"Configuration reading\nsuccessful!"});
    QCOMPARE(sceneValue(*c), uint8_t(203));
    QCOMPARE(c->sceneDescriptions[SCENE], QStringLiteral("Finale"));
    QCOMPARE(c->programs.stepCount(2), 1);
    QCOMPARE(c->programs.scene(2, 0), SCENE);
    QVERIFY(c->isConnected());

    // And once more from the file.
    rec.clear();
    clearAll(rec, panel);
    QCOMPARE(sceneValue(*c), uint8_t(0));
    rec.answerFile(fileName);
    panel->readFileButton->click();
    QCOMPARE(sceneValue(*c), uint8_t(203));
    QCOMPARE(c->sceneDescriptions[SCENE], QStringLiteral("Finale"));
    QCOMPARE(c->programs.scene(2, 0), SCENE);
}

QTEST_MAIN(tst_config_road)
#include "tst_config_road.moc"
