#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/kv310_controller.h"
#include "model/other_configuration.h"
#include "program_rig.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

// Other configurations opened to copy from, in the program's window: one at
// a time for all pages together.
class tst_copy_sources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void oneOtherConfigurationAtATime();
    void everyBrowseOffersTheFilesTheProgramReads_data();
    void everyBrowseOffersTheFilesTheProgramReads();

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

void tst_copy_sources::everyBrowseOffersTheFilesTheProgramReads_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("filter");
    QTest::newRow("English") << "en"
                             << "KvOrbit310+ project/config files (*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;"
                                "All files (*)";
    QTest::newRow("Polish") << "pl"
                            << "Pliki projektu/konfiguracji KvOrbit310+ (*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;"
                               "Wszystkie pliki (*)";
}

// "Browse" of "Another Configuration" on the scene, mask and program pages
// offers what "Read config from file" offers, in the user's language: the
// files this program saves among them.
void tst_copy_sources::everyBrowseOffersTheFilesTheProgramReads()
{
    QFETCH(QString, language);
    QFETCH(QString, filter);
    QTranslator translator;
    if (language != QLatin1String("en")) {
        QVERIFY(translator.load(QStringLiteral(KV_CATALOGUE_DIR "/KvOrbit310_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&translator);
    }
    gui_class& w = *session->rig->window;
    session->rec.clear();
    for (QPushButton* browse : {w.sceneEditor->browseFileButton, w.maskEditor->browseFileButton,
                                w.programEditor->browseButton, w.rightPanel->readFileButton}) {
        session->rec.answerFile(QString());
        browse->click();
    }
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(session->rec.entries.size(), 4);
    for (const dialogRecorder::entry& shown : std::as_const(session->rec.entries))
        QCOMPARE(shown.filter, filter);
    // The first entry's patterns take a saved show, an old-style one, and an old project.
    const QString first = filter.section(QStringLiteral(";;"), 0, 0);
    const QStringList patterns = first.section(QLatin1Char('('), 1).chopped(1).split(QLatin1Char(';'));
    for (const char* name : {"show.31xcfg", "old.cfg310", "project.kvg", "very-old.cfg"})
        QVERIFY2(QDir::match(patterns, QString::fromLatin1(name)), name);
}

QTEST_MAIN(tst_copy_sources)
#include "tst_copy_sources.moc"
