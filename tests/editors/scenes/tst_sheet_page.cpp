#include "editors/scenes/record_pages.h"

#include "support/golden_files.h"
#include "support/page_fixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
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
    void theWholeTableAtOnce_data();
    void theWholeTableAtOnce();
    void sheetsSavedBySpreadsheets_data();
    void sheetsSavedBySpreadsheets();
    void theProgramWritesItsSheetAsBefore();
    void columnsWithoutANumber_data();
    void columnsWithoutANumber();
    void unreadableCellsAreReported_data();
    void unreadableCellsAreReported();
    void allTimesZeroWhicheverRecordIsShown_data();
    void allTimesZeroWhicheverRecordIsShown();
    void nothingLostWithoutAWord_data();
    void nothingLostWithoutAWord();

private:
    std::unique_ptr<pageFixture> world;
    QTemporaryDir dir;
};

namespace {

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

// The records the sheets of tests/data/sheets were exported from.
struct sheetRecord {
    int number;  // as the user sees it, 1-based
    uint16_t fadeUp, duration, fadeDown;
    const char* description;
};
const QList<sheetRecord> exportedScenes{
    {10237, 15, 0xFFFF, 0, "ąęłóśż ĄĘŁÓŚŻ"},
    {10238, 0, 50, 20, "Łuk \"23\""},
    {10239, 7, 65534, 65535, "front, back"},
    {10240, 0, 0, 3, "\"Cytat\" na początku"},
};
// A mask sheet carries no duration: imported masks are infinite.
const QList<sheetRecord> exportedMasks{
    {255, 5, 0xFFFF, 0, "Tył, góra"},
    {256, 0, 0xFFFF, 9, ""},
};

uint8_t exportedLevel(int number, int channel)
{
    return uint8_t((number * 37 + channel * 11) % 256);
}

void putRecords(kv310_controller_class& c, bool masks, const QList<sheetRecord>& records)
{
    for (const sheetRecord& r : records) {
        const int at = r.number - 1;
        for (int ch = 0; ch < 512; ++ch)
            c.configImage[levelsOf(masks, at) + uint32_t(ch)] = exportedLevel(r.number, ch);
        fadeTimes{r.fadeUp, r.duration, r.fadeDown, 0}.write(c.configImage + timesAt(masks, at));
        textsOf(masks, c)[at] = QString::fromUtf8(r.description);
    }
}

void setTimes(kv310_controller_class& c, bool masks, int record, uint16_t up, uint16_t duration, uint16_t down)
{
    fadeTimes{up, duration, down, 0}.write(c.configImage + timesAt(masks, record));
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
    const auto levels = [masks](int r) { return levelsOf(masks, r); };
    const auto times = [masks](int r) { return timesAt(masks, r); };
    QString* texts = textsOf(masks, c);
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
        QCOMPARE(page->recordList->text(t), QStringLiteral("record %1").arg(r + 1));
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

void tst_sheet_page::theWholeTableAtOnce_data()
{
    QTest::addColumn<bool>("masks");
    QTest::newRow("scenes") << false;
    QTest::newRow("masks") << true;
}

// Numbers run from 0 to the last record: no relocation keeps both ends in
// the table. Rather than drop a column, the import says so and stores
// nothing; a narrower range then fits.
void tst_sheet_page::theWholeTableAtOnce()
{
    QFETCH(bool, masks);
    const int count = masks ? 256 : 10240;
    const QString noun = masks ? QStringLiteral("mask") : QStringLiteral("scene");
    const QString path = dir.filePath(QStringLiteral("ends.dmx"));
    writeFile(path, "sheet\n" + noun.toLatin1() + ";0;" + QByteArray::number(count) + "\nC1;5;6\ndesc;low;high\n");
    kv310_controller_class& c = world->controller();
    QString* texts = textsOf(masks, c);
    texts[count - 1] = QStringLiteral("the last one");
    const auto page = makePage(masks, c, world->tab);
    chooseSheet(*page, path);
    QCOMPARE(page->sheetFromBox->value(), 0);
    QCOMPARE(page->sheetToBox->value(), count);
    QCOMPARE(page->sheetRelocationBox->minimum(), 1);
    QCOMPARE(page->sheetRelocationBox->maximum(), 1);
    const QByteArray before = imageHash(c);
    page->sheetActionButton->click();
    const QString plural = masks ? QStringLiteral("Masks") : QStringLiteral("Scenes");
    QCOMPARE(world->dialogs.texts(),
             QStringList{QStringLiteral("%1 %2 of the sheet would become %3 %4!\n"
                                        "%5 run from 1 to %2: nothing imported.\nChoose a smaller range.")
                             .arg(masks ? "Mask" : "Scene")
                             .arg(count)
                             .arg(noun)
                             .arg(count + 1)
                             .arg(plural)});
    QCOMPARE(world->dialogs.entries.first().icon, QMessageBox::Critical);
    QCOMPARE(world->dialogs.titles(), QStringList{QStringLiteral("Import %1s:").arg(noun)});
    QCOMPARE(imageHash(c), before);
    QCOMPARE(texts[0], QString());
    QCOMPARE(texts[count - 1], QStringLiteral("the last one"));

    world->dialogs.clear();
    page->sheetToBox->setValue(count - 1);
    page->sheetActionButton->click();
    QCOMPARE(world->dialogs.texts(), QStringList{QStringLiteral("1 %1(s) imported!").arg(noun)});
    QCOMPARE(int(c.configImage[levelsOf(masks, 0)]), 5);
    QCOMPARE(texts[0], QStringLiteral("low"));
    QCOMPARE(texts[count - 1], QStringLiteral("the last one"));
}

void tst_sheet_page::sheetsSavedBySpreadsheets_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("masks");
    QTest::newRow("written by the program") << "scenes_program.dmx" << false;
    QTest::newRow("Gnumeric") << "scenes_gnumeric.csv" << false;
    QTest::newRow("LibreOffice") << "scenes_libreoffice.csv" << false;
    QTest::newRow("LibreOffice, all text quoted") << "scenes_libreoffice_quoted.csv" << false;
    QTest::newRow("Gnumeric, masks") << "masks_gnumeric.csv" << true;
}

// Sheets exported, opened in a spreadsheet and saved again (descriptions
// and row names quoted, the header padded with separators) import with the
// offered range to the records they were exported from, whatever the
// records held before.
void tst_sheet_page::sheetsSavedBySpreadsheets()
{
    QFETCH(QString, file);
    QFETCH(bool, masks);
    const QList<sheetRecord>& records = masks ? exportedMasks : exportedScenes;
    kv310_controller_class& c = world->controller();
    for (const sheetRecord& r : records) {
        std::memset(c.configImage + levelsOf(masks, r.number - 1), 0x55, 512);
        fadeTimes{1, 2, 3, uint16_t(0x7000 + r.number)}.write(c.configImage + timesAt(masks, r.number - 1));
        textsOf(masks, c)[r.number - 1] = QStringLiteral("earlier");
    }
    kv310_controller_class expected;
    expected.ClearConfig(CLEAR_ALL);
    putRecords(expected, masks, records);

    const QString path = goldenCopy(dir, QStringLiteral("sheets/") + file);
    QVERIFY(!path.isEmpty());
    const auto page = makePage(masks, c, world->tab);
    page->recordList->setCurrentCell(records.last().number - 1, 0);
    chooseSheet(*page, path);
    QCOMPARE(page->sheetFromBox->value(), records.first().number);
    QCOMPARE(page->sheetToBox->value(), records.last().number);
    page->sheetActionButton->click();

    QCOMPARE(world->dialogs.texts(), QStringList{QStringLiteral("%1 %2(s) imported!")
                                                     .arg(records.size())
                                                     .arg(masks ? "mask" : "scene")});
    for (const sheetRecord& r : records) {
        const int at = r.number - 1;
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.configImage + levelsOf(masks, at)), 512),
                 QByteArray(reinterpret_cast<const char*>(expected.configImage + levelsOf(masks, at)), 512));
        const fadeTimes got = fadeTimes::read(c.configImage + timesAt(masks, at));
        QCOMPARE(got.fadeUp, r.fadeUp);
        QCOMPARE(got.duration, r.duration);
        QCOMPARE(got.fadeDown, r.fadeDown);
        QCOMPARE(int(got.reserved), 0x7000 + r.number);
        QCOMPARE(textsOf(masks, c)[at], QString::fromUtf8(r.description));
    }
}

// The program's own sheet of those records, a description that begins with
// a quote among them, is the one in tests/data, byte for byte.
void tst_sheet_page::theProgramWritesItsSheetAsBefore()
{
    kv310_controller_class& c = world->controller();
    putRecords(c, false, exportedScenes);
    ascene_settings_widget page(&c, &world->tab);
    const QString path = dir.filePath(QStringLiteral("again.dmx"));
    exportRange(page, path, exportedScenes.first().number, exportedScenes.last().number);
    QCOMPARE(world->dialogs.texts(), QStringList{"4 scene(s) exported!"});
    QCOMPARE(contentOf(path), contentOf(QStringLiteral(KV_TEST_DATA "/sheets/scenes_program.dmx")));
}

void tst_sheet_page::columnsWithoutANumber_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QByteArray>("numbers");  // the number row, or none
    QTest::addColumn<int>("first");           // offered
    QTest::addColumn<int>("last");
    QTest::addColumn<QList<int>>("stored");   // record of each column, 1-based, at the relocation offered
    // A column inserted in a spreadsheet moves no other: it takes the lowest
    // free number from 1.
    QTest::newRow("scenes, an inserted column") << false << QByteArray("scene;5;9;;12\n") << 1 << 12
                                                << QList<int>{5, 9, 1, 12};
    QTest::newRow("scenes, no number row") << false << QByteArray() << 1 << 4 << QList<int>{1, 2, 3, 4};
    QTest::newRow("masks, an inserted column") << true << QByteArray("mask;;1;;256\n") << 1 << 256
                                               << QList<int>{2, 1, 3, 256};
    QTest::newRow("masks, no number row") << true << QByteArray() << 1 << 4 << QList<int>{1, 2, 3, 4};
}

void tst_sheet_page::columnsWithoutANumber()
{
    QFETCH(bool, masks);
    QFETCH(QByteArray, numbers);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QList<int>, stored);
    const QString path = dir.filePath(QStringLiteral("inserted.csv"));
    writeFile(path, "sheet\n" + numbers + "C1;11;12;13;14\ndesc;a;b;c;d\n");
    kv310_controller_class& c = world->controller();
    const auto page = makePage(masks, c, world->tab);
    chooseSheet(*page, path);
    QCOMPARE(page->sheetFromBox->value(), first);
    QCOMPARE(page->sheetToBox->value(), last);
    QCOMPARE(page->sheetRelocationBox->value(), 0);
    page->sheetActionButton->click();
    QCOMPARE(world->dialogs.texts().size(), 1);
    for (int k = 0; k < stored.size(); ++k) {
        const int at = stored.at(k) - 1;
        QCOMPARE(int(c.configImage[levelsOf(masks, at)]), 11 + k);
        QCOMPARE(textsOf(masks, c)[at], QString(QChar(u'a' + k)));
    }
}

void tst_sheet_page::unreadableCellsAreReported_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QString>("text");
    QTest::newRow("every cell reads") << false << QByteArray("KVO DMX sheet\nscene;4;5\nRiseTime;\"15\";\n")
                                      << "2 scene(s) imported!";
    QTest::newRow("scenes") << false
                            << QByteArray("KVO DMX sheet\nscene;4;5\nRiseTime;15;1.5\nLastTime;1,5;12:30:00\n")
                            << "2 scene(s) imported!\n3 cell(s) could not be read, the first in row \"RiseTime\", "
                               "column 2.";
    QTest::newRow("masks") << true << QByteArray("Kvotera DMX sheet\n\"mask\";1;2\n\"C9\";\"2.0\";7\n")
                           << "2 mask(s) imported!\n1 cell(s) could not be read, the first in row \"C9\", column 1.";
}

// A number cell that is not a whole number counts as empty, but the user
// hears of it: the value in the sheet did not reach the record.
void tst_sheet_page::unreadableCellsAreReported()
{
    QFETCH(bool, masks);
    QFETCH(QByteArray, sheet);
    QFETCH(QString, text);
    const QString path = dir.filePath(QStringLiteral("cells.csv"));
    writeFile(path, sheet);
    const auto page = makePage(masks, world->controller(), world->tab);
    chooseSheet(*page, path);
    QVERIFY(world->dialogs.entries.isEmpty());
    page->sheetActionButton->click();
    QCOMPARE(world->dialogs.texts(), QStringList{text});
    QCOMPARE(world->dialogs.entries.first().icon, QMessageBox::Information);

    // Another sheet, read without a fault, reports none.
    world->dialogs.clear();
    writeFile(path, masks ? "Kvotera DMX sheet\nmask;3\n" : "KVO DMX sheet\nscene;3\n");
    chooseSheet(*page, path);
    page->sheetActionButton->click();
    QCOMPARE(world->dialogs.texts(), QStringList{masks ? "1 mask(s) imported!" : "1 scene(s) imported!"});
}

void tst_sheet_page::allTimesZeroWhicheverRecordIsShown_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<int>("shown");  // 0-based record shown while importing
    for (const bool masks : {false, true})
        for (const int shown : {3, 4, 100}) {
            const QByteArray name = (masks ? "masks, " : "scenes, ") + QByteArray::number(shown + 1) + " shown";
            QTest::newRow(name.constData()) << masks << shown;
        }
}

// Records 4 and 5 come with all three times 0. The result must not depend
// on which record the page shows: every such scene lasts 1 s and the
// closing message says so; masks keep their times, as a mask's rule acts
// only when the user sets a duration. No refresh repairs anything after.
void tst_sheet_page::allTimesZeroWhicheverRecordIsShown()
{
    QFETCH(bool, masks);
    QFETCH(int, shown);
    kv310_controller_class& c = world->controller();
    for (int r = 0; r < 256; ++r)
        setTimes(c, masks, r, 5, 30, 5);
    const QString path = dir.filePath(QStringLiteral("zero.csv"));
    writeFile(path, (masks ? "Kvotera DMX sheet\nmask" : "KVO DMX sheet\nscene")
                        + QByteArray(";4;5;6\nRiseTime;0;0;0\nLastTime;0;0;7\nFallTime;0;0;0\n"));
    const auto page = makePage(masks, c, world->tab);
    page->recordList->setCurrentCell(shown, 0);
    QVERIFY(world->dialogs.entries.isEmpty());
    chooseSheet(*page, path);
    page->sheetActionButton->click();

    QCOMPARE(world->dialogs.titles(), QStringList{masks ? "Import masks:" : "Import scenes:"});
    QCOMPARE(world->dialogs.texts(),
             QStringList{masks ? "3 mask(s) imported!"
                               : "3 scene(s) imported!\n2 scene(s) had all times 0: their duration is now 1 s."});
    const uint16_t duration = masks ? 0 : 10;
    for (int r : {3, 4}) {
        const fadeTimes t = fadeTimes::read(c.configImage + timesAt(masks, r));
        QCOMPARE(t.fadeUp, uint16_t(0));
        QCOMPARE(t.duration, duration);
        QCOMPARE(t.fadeDown, uint16_t(0));
    }
    QCOMPARE(fadeTimes::read(c.configImage + timesAt(masks, 5)).duration, uint16_t(7));

    // Showing the imported records afterwards changes nothing either.
    world->dialogs.clear();
    for (int r : {3, 4, 5, 0, 4, 3}) {
        page->recordList->setCurrentCell(r, 0);
        page->refresh();
    }
    QVERIFY(world->dialogs.entries.isEmpty());
    for (int r : {3, 4})
        QCOMPARE(fadeTimes::read(c.configImage + timesAt(masks, r)).duration, duration);
}

void tst_sheet_page::nothingLostWithoutAWord_data()
{
    QTest::addColumn<bool>("masks");
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("descriptions");  // of records 1.., as imported

    const QByteArray scenes = "KVO DMX sheet\n";
    QTest::newRow("descriptions as they are") << false
                                              << scenes + "scene;1;2;3;4\nRiseTime;1;2;3;4\ndesc;\"A\" b;C;D;the \"end\"\n"
                                              << "4 scene(s) imported!"
                                              << QStringList{"\"A\" b", "C", "D", "the \"end\""};
    QTest::newRow("rows not understood")
        << false << scenes + "scene;1;2\nRisetime;11;12\nRiseTime ;13;14\n C1;5;6\nc2;7;8\nDesc;x;y\n"
        << "2 scene(s) imported!\n5 row(s) were not understood, the first \"Risetime\"." << QStringList{"", ""};
    QTest::newRow("a channel row naming no channel") << true << QByteArray("Kvotera DMX sheet\nmask;1\nC513;9\n")
                                                     << "1 mask(s) imported!\n1 row(s) were not understood, the "
                                                        "first \"C513\"."
                                                     << QStringList{""};
    QTest::newRow("two columns, one scene")
        << false << scenes + "scene;1;1;2\ndesc;a;b;c\n"
        << "2 scene(s) imported!\n1 column(s) went to a scene that another column had already filled: the later "
           "one was kept."
        << QStringList{"b", "c"};
    QTest::newRow("two columns, one mask")
        << true << QByteArray("Kvotera DMX sheet\nmask;1;1\ndesc;a;b\n")
        << "1 mask(s) imported!\n1 column(s) went to a mask that another column had already filled: the later one "
           "was kept."
        << QStringList{"b"};
    QTest::newRow("a long description") << false << scenes + "scene;1;2\ndesc;" + QByteArray(1500, 'w') + ";x\n"
                                        << "2 scene(s) imported!\n1 description(s) were longer than 1024 bytes and "
                                           "were cut."
                                        << QStringList{QString(1024, u'w'), "x"};
    QTest::newRow("all at once")
        << false << scenes + "scene;1;1;2\nRiseTime;0;0;1.5\nLastTime;0;0;0\nFallTime;0;0;0\nnotes;x\ndesc;a;"
                   + QByteArray(1500, 'w') + ";c\n"
        << "2 scene(s) imported!\n1 cell(s) could not be read, the first in row \"RiseTime\", column 3.\n"
           "1 row(s) were not understood, the first \"notes\".\n"
           "1 column(s) went to a scene that another column had already filled: the later one was kept.\n"
           "1 description(s) were longer than 1024 bytes and were cut.\n"
           "2 scene(s) had all times 0: their duration is now 1 s."
        << QStringList{QString(1024, u'w'), "c"};
}

// A sheet that holds what reaches no record, or that two columns fill one
// record from, is imported as far as it goes and the closing message says
// what was left behind.
void tst_sheet_page::nothingLostWithoutAWord()
{
    QFETCH(bool, masks);
    QFETCH(QByteArray, sheet);
    QFETCH(QString, text);
    QFETCH(QStringList, descriptions);
    const QString path = dir.filePath(QStringLiteral("lossy.csv"));
    writeFile(path, sheet);
    kv310_controller_class& c = world->controller();
    const auto page = makePage(masks, c, world->tab);
    chooseSheet(*page, path);
    QVERIFY(world->dialogs.entries.isEmpty());
    page->sheetActionButton->click();
    QCOMPARE(world->dialogs.texts(), QStringList{text});
    QCOMPARE(world->dialogs.entries.first().icon, QMessageBox::Information);
    for (int r = 0; r < descriptions.size(); ++r)
        QCOMPARE(textsOf(masks, c)[r], descriptions.at(r));
}

QTEST_MAIN(tst_sheet_page)
#include "tst_sheet_page.moc"
