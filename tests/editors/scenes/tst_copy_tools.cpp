#include "editors/scenes/record_pages.h"
#include "model/other_configuration.h"

#include "support/page_fixture.h"

#include <QCryptographicHash>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

// The "Copying" tool of the scene and mask pages: copies within the show
// being edited and from another configuration file held beside it.
class tst_copy_tools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void theCopyingForms_data();
    void theCopyingForms();
    void copyingOntoTheSourceIsUseless_data();
    void copyingOntoTheSourceIsUseless();
    void copiesOntoTheCurrentRecord_data();
    void copiesOntoTheCurrentRecord();
    void sourceDescriptions_data();
    void sourceDescriptions();
    void anotherConfiguration();
    void aFailedOpenLeavesTheShowAlone();
    void browsingForTheOtherFile();
    void clearingTheOtherConfiguration();

private:
    std::unique_ptr<pageFixture> world;
    QTemporaryDir dir;
};

namespace {

const QString readOk = QStringLiteral("Data read from file\n    successful!");
const QString readFailed = QStringLiteral("Data read from file\n       failed!\n\nFile corrupted.");

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

// Record r: level r + 1 on every channel, times r, 100 + r, 200 + r, the
// fourth word 0xF000 + r, the description "record r".
void fill(bool masks, kv310_controller_class& c, int from, int to, int mark = 0)
{
    for (int r = from; r <= to; ++r) {
        std::memset(c.configImage + levelsOf(masks, r), r + 1 + mark, 512);
        fadeTimes{uint16_t(r + mark), uint16_t(100 + r), uint16_t(200 + r), uint16_t(0xF000 + r)}.write(
            c.configImage + timesAt(masks, r));
        textsOf(masks, c)[r] = QStringLiteral("record %1%2").arg(r).arg(mark ? QStringLiteral(" other") : QString());
    }
}

void loadVisualProject(kv310_controller_class& c, int fixtures)
{
    QString text = QStringLiteral("\n<project>\n") + visualProjectXml(fixtures) + QStringLiteral("</project>\n");
    QTextStream in(&text, QIODevice::ReadOnly);
    c.readProjectXml(in, 0);
}

}  // namespace

void tst_copy_tools::init()
{
    world = std::make_unique<pageFixture>();
}

void tst_copy_tools::cleanup()
{
    world.reset();
}

void tst_copy_tools::theCopyingForms_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QRect>("current");
    QTest::addColumn<QRect>("another");
    QTest::addColumn<int>("records");
    QTest::newRow("scenes") << false << QRect(10, 10, 631, 121) << QRect(10, 150, 631, 131) << 10240;
    QTest::newRow("masks") << true << QRect(10, 60, 631, 161) << QRect(10, 240, 631, 171) << 256;
}

void tst_copy_tools::theCopyingForms()
{
    QFETCH(bool, masks);
    QFETCH(QRect, current);
    QFETCH(QRect, another);
    QFETCH(int, records);
    const auto page = makePage(masks, world->controller(), world->tab);
    QCOMPARE(page->currentGroup->title(), QStringLiteral("Current Configuration"));
    QCOMPARE(page->currentGroup->geometry(), current);
    QCOMPARE(page->anotherGroup->title(), QStringLiteral("Another Configuration"));
    QCOMPARE(page->anotherGroup->geometry(), another);
    QCOMPARE(page->currentGroup->parentWidget(), page->copyPage);
    for (QSpinBox* box : {page->fromSceneBox, page->toSceneBox, page->altFromBox, page->altToBox}) {
        QCOMPARE(box->minimum(), 1);
        QCOMPARE(box->maximum(), records);
    }
    QVERIFY(page->sourceDescriptionEdit->isReadOnly());
    QCOMPARE(page->sourceDescriptionEdit->maxLength(), 100);
    QVERIFY(page->copySceneButton->isEnabled());
    QVERIFY(!page->altCopyButton->isEnabled());
    QVERIFY(!page->copySource->show());
}

void tst_copy_tools::copyingOntoTheSourceIsUseless_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QString>("text");
    QTest::newRow("scenes") << false << QStringLiteral("Choose different source scene!");
    QTest::newRow("masks") << true << QStringLiteral("Choose different source mask!");
}

void tst_copy_tools::copyingOntoTheSourceIsUseless()
{
    QFETCH(bool, masks);
    QFETCH(QString, text);
    kv310_controller_class& c = world->controller();
    fill(masks, c, 0, 12);
    const auto page = makePage(masks, c, world->tab);
    page->recordList->setCurrentCell(4, 0);
    page->fromSceneBox->setValue(5);
    page->toSceneBox->setValue(9);
    const QByteArray before = imageHash(c);
    page->copySceneButton->click();
    QCOMPARE(world->dialogs.titles(), QStringList{"Useless action!"});
    QCOMPARE(world->dialogs.texts(), QStringList{text});
    QCOMPARE(world->dialogs.entries.first().parent, theMainWindow);
    QCOMPARE(imageHash(c), before);
}

void tst_copy_tools::copiesOntoTheCurrentRecord_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<int>("limit");
    QTest::newRow("scenes") << false << 512;
    QTest::newRow("scenes, 100 channels") << false << 100;
    QTest::newRow("masks") << true << 512;
    QTest::newRow("masks, 100 channels") << true << 100;
}

// 4..9 onto record 5: each record 5..10 receives what its source held
// before the copy; channels above the limit, the fourth time word and, on
// masks, the duration stay the destination's.
void tst_copy_tools::copiesOntoTheCurrentRecord()
{
    QFETCH(bool, masks);
    QFETCH(int, limit);
    kv310_controller_class& c = world->controller();
    fill(masks, c, 0, 20);
    const auto page = makePage(masks, c, world->tab);
    page->limitChnls(limit);
    page->recordList->setCurrentCell(4, 0);
    page->fromSceneBox->setValue(4);
    page->toSceneBox->setValue(9);
    const int relabels = page->relabelCount;
    page->copySceneButton->click();
    QVERIFY(world->dialogs.entries.isEmpty());
    QCOMPARE(page->relabelCount, relabels + 1);

    for (int d = 4; d <= 9; ++d) {
        const int s = d - 1;
        const uint8_t* levels = c.configImage + levelsOf(masks, d);
        QCOMPARE(int(levels[0]), s + 1);
        QCOMPARE(int(levels[limit - 1]), s + 1);
        if (limit < 512)
            QCOMPARE(int(levels[limit]), d + 1);
        const fadeTimes t = fadeTimes::read(c.configImage + timesAt(masks, d));
        QCOMPARE(int(t.fadeUp), s);
        QCOMPARE(int(t.duration), 100 + (masks ? d : s));
        QCOMPARE(int(t.fadeDown), 200 + s);
        QCOMPARE(int(t.reserved), 0xF000 + d);
        QCOMPARE(textsOf(masks, c)[d], QStringLiteral("record %1").arg(s));
        QCOMPARE(page->recordList->text(d), QStringLiteral("record %1").arg(s));
    }
    QCOMPARE(int(c.configImage[levelsOf(masks, 10)]), 11);
    QCOMPARE(page->descriptionEdit->text(), QStringLiteral("record 3"));
}

void tst_copy_tools::sourceDescriptions_data()
{
    QTest::addColumn<bool>("masks");
    QTest::newRow("scenes") << false;
    QTest::newRow("masks") << true;
}

void tst_copy_tools::sourceDescriptions()
{
    QFETCH(bool, masks);
    kv310_controller_class& c = world->controller();
    QString* texts = textsOf(masks, c);
    texts[6] = QStringLiteral("seventh");
    texts[0] = QStringLiteral("first");
    const auto page = makePage(masks, c, world->tab);
    page->fromSceneBox->setValue(7);
    QCOMPARE(page->sourceDescriptionEdit->text(), QStringLiteral("seventh"));
    QCOMPARE(page->toSceneBox->minimum(), 7);
    QCOMPARE(page->toSceneBox->value(), 7);

    // The tab shows the description as the show has it now.
    texts[6] = QStringLiteral("renamed");
    page->toolTabs->setCurrentIndex(2);
    QCOMPARE(page->sourceDescriptionEdit->text(), QStringLiteral("renamed"));
    page->fromSceneBox->setValue(1);
    QCOMPARE(page->sourceDescriptionEdit->text(), QStringLiteral("first"));
    QCOMPARE(page->toSceneBox->minimum(), 1);
    QVERIFY(world->dialogs.entries.isEmpty());
}

void tst_copy_tools::anotherConfiguration()
{
    const QString path = dir.filePath(QStringLiteral("other.31xcfg"));
    {
        kv310_controller_class other;
        fill(false, other, 0, 9, 50);
        other.write_confDataToFile(path, false);
    }
    kv310_controller_class& c = world->controller();
    fill(false, c, 0, 30);
    ascene_settings_widget page(&c, &world->tab);
    world->dialogs.clear();

    page.altFromBox->setValue(3);
    page.fileEdit->setText(path);
    page.openFileButton->click();
    QCOMPARE(world->dialogs.texts(), QStringList{readOk});
    QCOMPARE(world->window().scratchReleases, 1);
    QVERIFY(page.copySource->show());
    QVERIFY(page.copySource->show() != &c);
    QVERIFY(page.altCopyButton->isEnabled());
    QCOMPARE(page.altToBox->minimum(), 2);
    QCOMPARE(page.sourceDescriptionEdit->text(), QStringLiteral("record 2 other"));

    // Scenes 3..5 of the other file onto scene 21.
    page.sceneList->setCurrentCell(20, 0);
    page.altToBox->setValue(5);
    page.altCopyButton->click();
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(int(c.configImage[img::sceneChannelsOf(20 + k) + 511]), 2 + k + 1 + 50);
        QCOMPARE(c.sceneDescriptions[size_t(20 + k)], QStringLiteral("record %1 other").arg(2 + k));
        QCOMPARE(int(fadeTimes::read(c.configImage + img::sceneTimesOf(20 + k)).reserved), 0xF000 + 20 + k);
    }
    QCOMPARE(c.sceneDescriptions[23], QStringLiteral("record 23"));

    // Another Open reads into the same object; nothing else is released.
    kv310_controller_class* held = page.copySource->show();
    page.openFileButton->click();
    QCOMPARE(page.copySource->show(), held);
    QCOMPARE(world->window().scratchReleases, 1);

    page.releaseButton->click();
    QVERIFY(!page.copySource->show());
    QVERIFY(!page.altCopyButton->isEnabled());
    const QByteArray before = imageHash(c);
    page.copyAltScene();
    QCOMPARE(imageHash(c), before);
}

// The other file is read into a scratch object: whether the read succeeds
// or fails, the show being edited keeps its visual project, the window's
// fields and its title, and Copy is offered.
void tst_copy_tools::aFailedOpenLeavesTheShowAlone()
{
    kv310_controller_class& c = world->controller();
    const QString path = dir.filePath(QStringLiteral("plan.31xcfg"));
    loadVisualProject(c, 4);
    {
        kv310_controller_class other;
        fill(false, other, 0, 3, 9);
        other.write_confDataToFile(path, false);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const QString broken = dir.filePath(QStringLiteral("broken.31xcfg"));
    bytes[bytes.indexOf('\0') + 40] = char(bytes[bytes.indexOf('\0') + 40] ^ 0x5A);
    QFile out(broken);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();

    loadVisualProject(c, 2);
    QCOMPARE(world->project().fixtures.size(), qsizetype(2));
    world->window().setWindowTitle(QStringLiteral("KvOrbit310+ - main.31xcfg"));
    world->window().calls.clear();
    fill(false, c, 0, 3);
    const QByteArray show = imageHash(c);
    ascene_settings_widget page(&c, &world->tab);
    world->dialogs.clear();

    for (const QString& name : {path, broken, dir.filePath(QStringLiteral("missing.31xcfg"))}) {
        page.fileEdit->setText(name);
        page.openFileButton->click();
        QVERIFY(page.altCopyButton->isEnabled());
    }
    QCOMPARE(world->dialogs.texts(), (QStringList{readOk, readFailed, readFailed}));
    QCOMPARE(world->project().fixtures.size(), qsizetype(2));
    QVERIFY(world->window().calls.isEmpty());
    QCOMPARE(world->window().windowTitle(), QStringLiteral("KvOrbit310+ - main.31xcfg"));
    QCOMPARE(imageHash(c), show);

    // A refused file leaves the other configuration as the last good read
    // left it, and that is what Copy copies.
    kv310_controller_class reference;
    fill(false, reference, 0, 3, 9);
    page.sceneList->setCurrentCell(3, 0);
    page.altFromBox->setValue(2);
    page.altToBox->setValue(2);
    page.altCopyButton->click();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.configImage + img::sceneChannelsOf(3)), img::CHANNELS),
             QByteArray(reinterpret_cast<const char*>(reference.configImage + img::sceneChannelsOf(1)), img::CHANNELS));
    QCOMPARE(c.sceneDescriptions[3], reference.sceneDescriptions[1]);
}

void tst_copy_tools::browsingForTheOtherFile()
{
    const QString path = dir.filePath(QStringLiteral("other.31xcfg"));
    {
        kv310_controller_class other;
        other.write_confDataToFile(path, false);
    }
    for (bool masks : {false, true}) {
        const auto page = makePage(masks, world->controller(), world->tab);
        world->dialogs.clear();
        world->dialogs.answerFile(QString());
        page->browseFileButton->click();
        QCOMPARE(world->dialogs.entries.size(), 1);
        const dialogRecorder::entry shown = world->dialogs.entries.first();
        QCOMPARE(shown.kind, QStringLiteral("open"));
        QCOMPARE(shown.title, QStringLiteral("Choose a project description file for Kv310+ controller"));
        QCOMPARE(shown.directory, QStringLiteral("./"));
        // Every file the reader takes, those this program saves first.
        QCOMPARE(shown.filter, QStringLiteral("KvOrbit310+ project/config files "
                                              "(*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;All files (*)"));
        QVERIFY(page->fileEdit->text().isEmpty());
        QVERIFY(!page->copySource->show());

        world->dialogs.answerFile(path);
        page->browseFileButton->click();
        QCOMPARE(page->fileEdit->text(), path);
        QVERIFY(page->copySource->show());
        QCOMPARE(world->dialogs.texts().last(), readOk);

        world->dialogs.answerFile(QString());
        page->browseFileButton->click();
        QCOMPARE(world->dialogs.entries.last().directory, path);
    }
}

void tst_copy_tools::clearingTheOtherConfiguration()
{
    const QString path = dir.filePath(QStringLiteral("other.31xcfg"));
    {
        kv310_controller_class other;
        fill(true, other, 0, 3, 7);
        other.write_confDataToFile(path, false);
    }
    amask_settings_widget page(&world->controller(), &world->tab);
    page.copySource->clear();
    page.fileEdit->setText(path);
    page.openFileButton->click();
    QCOMPARE(page.sourceDescriptionEdit->text(), QStringLiteral("record 0 other"));
    kv310_controller_class* held = page.copySource->show();
    page.copySource->clear();
    QCOMPARE(page.copySource->show(), held);
    QVERIFY(!page.altCopyButton->isEnabled());
    QVERIFY(page.sourceDescriptionEdit->text().isEmpty());
    QVERIFY(held->maskDescriptions[0].isEmpty());
    QCOMPARE(int(held->configImage[img::maskChannelsOf(0)]), 0xFF);
}

QTEST_MAIN(tst_copy_tools)
#include "tst_copy_tools.moc"
