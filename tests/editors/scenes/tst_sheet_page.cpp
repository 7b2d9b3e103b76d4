#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"

#include "support/page_fixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

// The DMX sheet group of the scene and mask pages: choosing files, export
// with its questions, reading a sheet and storing its columns.
class tst_sheet_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void switchingImportAndExport();
    void browsingForASheet_data();
    void browsingForASheet();
    void exporting_data();
    void exporting();
    void exportFailuresKeepTheFile_data();
    void exportFailuresKeepTheFile();
    void importingBack_data();
    void importingBack();
    void sheetsThatCannotBeRead();
    void theWholeTableAtOnce();

private:
    std::unique_ptr<pageFixture> world;
    QTemporaryDir dir;
};

namespace {

std::unique_ptr<arecord_settings_widget> makePage(bool masks, kv310_controller_class& c, QWidget& tab)
{
    if (masks)
        return std::make_unique<amask_settings_widget>(&c, &tab);
    return std::make_unique<ascene_settings_widget>(&c, &tab);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The cells of a sheet's number row.
QList<QByteArray> numberCells(const QByteArray& sheet)
{
    const QList<QByteArray> lines = sheet.split('\n');
    return lines.size() > 1 ? lines.at(1).split(';').mid(1) : QList<QByteArray>{};
}

QByteArray imageHash(const kv310_controller_class& c)
{
    return QCryptographicHash::hash(QByteArrayView(c.configImage, img::SIZE), QCryptographicHash::Sha1);
}

void exportRange(arecord_settings_widget& page, const QString& path, int from, int to)
{
    page.sheetExportButton->click();
    page.sheetFileEdit->setText(path);
    page.sheetChooseButton->click();
    page.sheetFromBox->setValue(from);
    page.sheetToBox->setValue(to);
    page.sheetActionButton->click();
}

void chooseSheet(arecord_settings_widget& page, const QString& path)
{
    page.sheetImportButton->click();
    page.sheetFileEdit->setText(path);
    page.sheetChooseButton->click();
}

}  // namespace

void tst_sheet_page::init()
{
    world = std::make_unique<pageFixture>();
}

void tst_sheet_page::cleanup()
{
    world.reset();
}

void tst_sheet_page::switchingImportAndExport()
{
    const QString path = dir.filePath(QStringLiteral("s.dmx"));
    writeFile(path, "KVO DMX sheet\nscene;4;6\n");
    ascene_settings_widget page(&world->controller(), &world->tab);
    QVERIFY(page.sheetImportButton->isChecked());
    QVERIFY(!page.sheetActionButton->isEnabled());
    chooseSheet(page, path);
    QVERIFY(page.sheetActionButton->isEnabled());
    QCOMPARE(page.sheetColumns.size(), size_t(2));
    QCOMPARE(page.sheetFromBox->minimum(), 4);
    QCOMPARE(page.sheetToBox->maximum(), 6);

    page.sheetExportButton->click();
    QCOMPARE(page.sheetActionButton->text(), QStringLiteral("Export"));
    QVERIFY(!page.sheetActionButton->isEnabled());
    QVERIFY(!page.sheetRelocationBox->isEnabled());
    QVERIFY(page.sheetColumns.empty());
    QCOMPARE(page.sheetFromBox->minimum(), 1);
    QCOMPARE(page.sheetToBox->maximum(), 10240);
    QCOMPARE(page.sheetFromBox->value(), 4);

    // A click on the button already checked switches again.
    page.sheetChooseButton->click();
    QVERIFY(page.sheetActionButton->isEnabled());
    page.sheetExportButton->click();
    QVERIFY(!page.sheetActionButton->isEnabled());

    page.sheetImportButton->click();
    QCOMPARE(page.sheetActionButton->text(), QStringLiteral("Import"));
    QVERIFY(page.sheetRelocationBox->isEnabled());
    QVERIFY(world->dialogs.entries.isEmpty());
}

void tst_sheet_page::browsingForASheet_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<bool>("exporting");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("scenes, import") << false << false << "open" << "Choose DMX value sheet";
    QTest::newRow("scenes, export") << false << true << "save" << "Choose file to save scenes";
    QTest::newRow("masks, import") << true << false << "open" << "Choose masks' value sheet";
    QTest::newRow("masks, export") << true << true << "save" << "Choose file to save masks";
}

void tst_sheet_page::browsingForASheet()
{
    QFETCH(bool, masks);
    QFETCH(bool, exporting);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    const QString path = dir.filePath(QStringLiteral("chosen.dmx"));
    writeFile(path, masks ? "Kvotera DMX sheet\nmask;2\n" : "KVO DMX sheet\nscene;2\n");
    const auto page = makePage(masks, world->controller(), world->tab);
    if (exporting)
        page->sheetExportButton->click();

    world->dialogs.answerFile(QString());
    page->sheetBrowseButton->click();
    QCOMPARE(world->dialogs.entries.size(), 1);
    const dialogRecorder::entry shown = world->dialogs.entries.first();
    QCOMPARE(shown.kind, kind);
    QCOMPARE(shown.title, caption);
    QCOMPARE(shown.directory, QStringLiteral("./"));
    QCOMPARE(shown.filter, QStringLiteral("KVO DMX Sheets (*.dmx;*.csv);;All files (*)"));
    QVERIFY(page->sheetFileEdit->text().isEmpty());
    QVERIFY(!page->sheetActionButton->isEnabled());

    world->dialogs.answerFile(path);
    page->sheetBrowseButton->click();
    QCOMPARE(page->sheetFileEdit->text(), path);
    QVERIFY(page->sheetActionButton->isEnabled());
    QCOMPARE(page->sheetColumns.size(), size_t(exporting ? 0 : 1));
    QCOMPARE(contentOf(path).size(), qsizetype(masks ? 25 : 22));  // choosing writes nothing

    // Cancelling keeps the name and the button as they were.
    world->dialogs.answerFile(QString());
    page->sheetBrowseButton->click();
    QCOMPARE(world->dialogs.entries.last().directory, path);
    QCOMPARE(page->sheetFileEdit->text(), path);
    QVERIFY(page->sheetActionButton->isEnabled());
}

void tst_sheet_page::exporting_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("answer");   // -1 no question expected
    QTest::addColumn<int>("written");  // columns written, 0 none
    QTest::addColumn<int>("toAfter");

    enum { YES, REPAIR, CANCEL };
    QTest::newRow("255 scenes") << false << 10 << 264 << -1 << 255 << 264;
    QTest::newRow("256 scenes, yes") << false << 10 << 265 << int(YES) << 256 << 265;
    QTest::newRow("256 scenes, repair") << false << 10 << 265 << int(REPAIR) << 255 << 264;
    QTest::newRow("all scenes, repair") << false << 1 << 10240 << int(REPAIR) << 255 << 255;
    QTest::newRow("256 scenes, cancel") << false << 10 << 265 << int(CANCEL) << 0 << 265;
    QTest::newRow("one scene") << false << 10240 << 10240 << -1 << 1 << 10240;
    QTest::newRow("all masks, repair") << true << 1 << 256 << int(REPAIR) << 255 << 255;
    QTest::newRow("all masks, yes") << true << 1 << 256 << int(YES) << 256 << 256;
}

void tst_sheet_page::exporting()
{
    QFETCH(bool, masks);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, answer);
    QFETCH(int, written);
    QFETCH(int, toAfter);
    const QString noun = masks ? QStringLiteral("masks") : QStringLiteral("scenes");
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    writeFile(path, "the user's earlier file\n");
    const auto page = makePage(masks, world->controller(), world->tab);
    const QByteArray show = imageHash(world->controller());
    if (answer >= 0)
        world->dialogs.answer(answer);
    exportRange(*page, path, from, to);

    QStringList texts;
    if (answer >= 0) {
        texts << QStringLiteral("Required number of %1 exceeds Excel limits!\nContinue anyway?").arg(noun);
        QCOMPARE(world->dialogs.entries.first().buttons, (QStringList{"Yes!", "Repair", "Cancel"}));
    }
    if (written)
        texts << QStringLiteral("%1 %2(s) exported!").arg(written).arg(noun.chopped(1));
    QCOMPARE(world->dialogs.texts(), texts);
    for (const QString& title : world->dialogs.titles())
        QCOMPARE(title, QStringLiteral("Export %1:").arg(noun));
    QCOMPARE(page->sheetToBox->value(), toAfter);

    const QByteArray sheet = contentOf(path);
    if (!written) {
        QCOMPARE(sheet, QByteArray("the user's earlier file\n"));
        return;
    }
    const QList<QByteArray> numbers = numberCells(sheet);
    QCOMPARE(numbers.size(), written);
    QCOMPARE(numbers.first().toInt(), from);
    QCOMPARE(numbers.last().toInt(), from + written - 1);
    QCOMPARE(sheet.count('\n'), masks ? 517 : 518);
    QCOMPARE(imageHash(world->controller()), show);
}

void tst_sheet_page::exportFailuresKeepTheFile_data()
{
    QTest::addColumn<QString>("target");  // relative to the temporary directory; empty: no name
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("text");    // %1 the path
    QTest::newRow("no file name") << QString() << 1 << 2 << QString();
    QTest::newRow("last before first") << "kept.dmx" << 5 << 4 << "Invalid range!";
    QTest::newRow("no such directory") << "missing/out.dmx" << 1 << 2 << "Cannot open file %1 to write!";
    QTest::newRow("a directory") << "folder" << 1 << 2 << "Cannot open file %1 to write!";
}

void tst_sheet_page::exportFailuresKeepTheFile()
{
    QFETCH(QString, target);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder")));
    writeFile(dir.filePath(QStringLiteral("kept.dmx")), "earlier\n");
    const QString path = target.isEmpty() ? QString() : dir.filePath(target);
    ascene_settings_widget page(&world->controller(), &world->tab);
    page.sheetExportButton->click();
    page.sheetFileEdit->setText(path);
    page.sheetChooseButton->click();
    QCOMPARE(page.sheetActionButton->isEnabled(), !path.isEmpty());
    page.sheetFromBox->setValue(from);
    page.sheetToBox->setValue(to);
    page.migrate();
    QCOMPARE(world->dialogs.texts(), text.isEmpty()           ? QStringList{}
                                     : text.contains(u'%') ? QStringList{text.arg(path)}
                                                           : QStringList{text});
    if (!text.isEmpty()) {
        QCOMPARE(world->dialogs.entries.first().icon, QMessageBox::Critical);
        QCOMPARE(world->dialogs.titles(), QStringList{"Export scenes:"});
    }
    QCOMPARE(contentOf(dir.filePath(QStringLiteral("kept.dmx"))), QByteArray("earlier\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.dmx"});
}

void tst_sheet_page::importingBack_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<int>("relocation");
    QTest::newRow("scenes in place") << false << 0;
    QTest::newRow("scenes relocated") << false << 30;
    QTest::newRow("masks in place") << true << 0;
    QTest::newRow("masks relocated down") << true << -9;
}

// Records 11..14 go out as a sheet and come back into a cleared show, in
// place or relocated; the fourth time word stays the show's own.
void tst_sheet_page::importingBack()
{
    QFETCH(bool, masks);
    QFETCH(int, relocation);
    kv310_controller_class& c = world->controller();
    const auto levels = [masks](int r) { return masks ? img::maskChannelsOf(r) : img::sceneChannelsOf(r); };
    const auto times = [masks](int r) { return masks ? img::maskTimesOf(r) : img::sceneTimesOf(r); };
    QString* texts = masks ? c.maskDescriptions.data() : c.sceneDescriptions.data();
    for (int r = 10; r < 14; ++r) {
        std::memset(c.configImage + levels(r), r * 3, 512);
        fadeTimes{uint16_t(r), uint16_t(r == 12 ? 0xFFFF : 50 + r), uint16_t(9 * r), 0}.write(c.configImage + times(r));
        texts[r] = QStringLiteral("record %1").arg(r + 1);
    }
    const QString path = dir.filePath(QStringLiteral("round.dmx"));
    const auto page = makePage(masks, c, world->tab);
    exportRange(*page, path, 11, 14);
    c.ClearConfig(CLEAR_ALL);
    for (int r = 0; r < 60; ++r)
        img::putU16(c.configImage, times(r) + 6, uint16_t(0x7000 + r));
    world->dialogs.clear();

    chooseSheet(*page, path);
    QVERIFY(world->dialogs.entries.isEmpty());
    QCOMPARE(page->sheetFromBox->minimum(), 11);
    QCOMPARE(page->sheetFromBox->value(), 11);
    QCOMPARE(page->sheetToBox->maximum(), 14);
    QCOMPARE(page->sheetToBox->value(), 14);
    QCOMPARE(page->sheetRelocationBox->minimum(), -10);
    QCOMPARE(page->sheetRelocationBox->maximum(), (masks ? 256 : 10240) - 14);
    page->sheetRelocationBox->setValue(relocation);
    const int relabels = page->relabelCount;
    page->sheetActionButton->click();

    QCOMPARE(world->dialogs.titles(), QStringList{masks ? "Import masks:" : "Import scenes:"});
    QCOMPARE(world->dialogs.texts(), QStringList{masks ? "4 mask(s) imported!" : "4 scene(s) imported!"});
    QCOMPARE(page->relabelCount, relabels + 1);
    for (int r = 10; r < 14; ++r) {
        const int t = r + relocation;
        QCOMPARE(int(c.configImage[levels(t) + 511]), r * 3);
        const fadeTimes got = fadeTimes::read(c.configImage + times(t));
        QCOMPARE(int(got.fadeUp), r);
        // A mask sheet carries no duration: the masks become infinite.
        QCOMPARE(int(got.duration), masks || r == 12 ? 0xFFFF : 50 + r);
        QCOMPARE(int(got.fadeDown), 9 * r);
        QCOMPARE(int(got.reserved), 0x7000 + t);
        QCOMPARE(texts[t], QStringLiteral("record %1").arg(r + 1));
        QCOMPARE(page->recordList->item(t, 0)->text(), QStringLiteral("record %1").arg(r + 1));
    }
    // The sheet stays loaded: storing again with another range.
    QVERIFY(page->sheetActionButton->isEnabled());
    page->sheetFromBox->setValue(13);
    page->sheetRelocationBox->setValue(40);
    page->sheetActionButton->click();
    QCOMPARE(world->dialogs.texts().last(), masks ? "2 mask(s) imported!" : "2 scene(s) imported!");
    QCOMPARE(texts[52], QStringLiteral("record 13"));
}

void tst_sheet_page::sheetsThatCannotBeRead()
{
    const QString good = dir.filePath(QStringLiteral("good.dmx"));
    const QString bare = dir.filePath(QStringLiteral("bare.dmx"));
    const QString nothing = dir.filePath(QStringLiteral("nothing.dmx"));
    writeFile(good, "KVO DMX sheet\nscene;8;9\n");
    writeFile(bare, "Kvotera DMX sheet");
    writeFile(nothing, "KVO DMX sheet\nRiseTime;;\n");
    ascene_settings_widget page(&world->controller(), &world->tab);
    chooseSheet(page, good);
    QCOMPARE(page.sheetColumns.size(), size_t(2));

    // Refused before the sheet is read: the columns stay, the button does not.
    for (const QString& name : {dir.filePath(QStringLiteral("missing.dmx")), dir.path(), bare}) {
        world->dialogs.clear();
        page.sheetFileEdit->setText(name);
        page.sheetChooseButton->click();
        const QString expected =
            name == bare ? QStringLiteral("Invalid DMX sheet!") : QStringLiteral("Cannot open file %1!").arg(name);
        QCOMPARE(world->dialogs.texts(), QStringList{expected});
        QCOMPARE(world->dialogs.titles(), QStringList{"Import scenes:"});
        QCOMPARE(world->dialogs.entries.first().icon, QMessageBox::Critical);
        QCOMPARE(page.sheetColumns.size(), size_t(2));
        QVERIFY(!page.sheetActionButton->isEnabled());
    }

    world->dialogs.clear();
    page.sheetFileEdit->setText(nothing);
    page.sheetChooseButton->click();
    QCOMPARE(world->dialogs.texts(), QStringList{"No valid scenes found!"});
    QVERIFY(page.sheetColumns.empty());
    QVERIFY(!page.sheetActionButton->isEnabled());

    // An empty name reads nothing and says nothing.
    world->dialogs.clear();
    page.sheetFileEdit->clear();
    page.sheetChooseButton->click();
    QVERIFY(world->dialogs.entries.isEmpty());
}

// Numbers run from 0 to 10240: no relocation keeps both ends in the table,
// and the column that would fall outside is not stored.
void tst_sheet_page::theWholeTableAtOnce()
{
    const QString path = dir.filePath(QStringLiteral("ends.dmx"));
    writeFile(path, "KVO DMX sheet\nscene;0;10240\nC1;5;6\ndesc;low;high\n");
    kv310_controller_class& c = world->controller();
    c.sceneDescriptions[10239] = QStringLiteral("the last scene");
    ascene_settings_widget page(&c, &world->tab);
    chooseSheet(page, path);
    QCOMPARE(page.sheetFromBox->value(), 0);
    QCOMPARE(page.sheetToBox->value(), 10240);
    QCOMPARE(page.sheetRelocationBox->minimum(), 1);
    QCOMPARE(page.sheetRelocationBox->maximum(), 1);
    page.sheetActionButton->click();
    QCOMPARE(world->dialogs.texts(), QStringList{"1 scene(s) imported!"});
    QCOMPARE(int(c.configImage[img::sceneChannelsOf(0)]), 5);
    QCOMPARE(c.sceneDescriptions[0], QStringLiteral("low"));
    QCOMPARE(int(c.configImage[img::sceneChannelsOf(10239)]), 0);
    QCOMPARE(c.sceneDescriptions[10239], QStringLiteral("the last scene"));
}

QTEST_MAIN(tst_sheet_page)
#include "tst_sheet_page.moc"
