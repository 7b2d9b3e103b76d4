#include "app/gui_class.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/kv310_controller.h"
#include "model/other_configuration.h"
#include "program_rig.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

// Other configurations opened to copy from, in the program's window: one at
// a time for all pages together.
class tst_copy_sources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void oneOtherConfigurationAtATime();

private:
    std::unique_ptr<programSession> session;
};

void tst_copy_sources::init()
{
    session = std::make_unique<programSession>();
}

void tst_copy_sources::cleanup()
{
    session.reset();
}

void tst_copy_sources::oneOtherConfigurationAtATime()
{
    const QString path = session->dir.filePath(QStringLiteral("other.31xcfg"));
    {
        kv310_controller_class other;
        other.sceneDescriptions[0] = QStringLiteral("from the other show");
        other.write_confDataToFile(path, false);
    }
    gui_class& w = *session->rig->window;
    ascene_settings_widget* scenes = w.sceneEditor;
    amask_settings_widget* masks = w.maskEditor;
    const QString title = w.windowTitle();

    scenes->fileEdit->setText(path);
    scenes->openFileButton->click();
    QVERIFY(scenes->copySource->show());
    QVERIFY(scenes->altCopyButton->isEnabled());
    QCOMPARE(scenes->sourceDescriptionEdit->text(), QStringLiteral("from the other show"));

    // Opening one on the mask page releases the scene page's.
    masks->fileEdit->setText(path);
    masks->openFileButton->click();
    QVERIFY(!scenes->copySource->show());
    QVERIFY(!scenes->altCopyButton->isEnabled());
    QVERIFY(masks->copySource->show());
    QVERIFY(masks->altCopyButton->isEnabled());

    // And the program page's, when it holds one.
    aprogram_settings_widget* programs = w.programEditor;
    programs->fileEdit->setText(path);
    programs->openButton->click();
    QVERIFY(!masks->copySource->show());
    QVERIFY(!masks->altCopyButton->isEnabled());
    const QPointer<kv310_controller_class> watch(programs->copySource->show());
    QVERIFY(!watch.isNull());
    scenes->openFileButton->click();
    QVERIFY(watch.isNull());
    QVERIFY(!programs->copySource->show());
    QVERIFY(!programs->altCopyButton->isEnabled());
    QVERIFY(scenes->copySource->show());

    scenes->releaseButton->click();
    QVERIFY(!scenes->copySource->show());
    QVERIFY(!scenes->altCopyButton->isEnabled());
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(session->rec.texts().count(QStringLiteral("Data read from file\n    successful!")), 4);
}

QTEST_MAIN(tst_copy_sources)
#include "tst_copy_sources.moc"
