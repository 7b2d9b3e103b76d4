#include "model/config_file.h"
#include "model/config_image.h"
#include "model/time_codes.h"
#include "support/dialog_recorder.h"
#include "support/project_fixture.h"
#include "support/sample_show.h"
#include "xml/xml_writer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace cfgfile;

// Configuration files: the layout written, loading every format, the
// conversions of the old-style format, and what bad files and failed saves
// leave behind.
class tst_config_files : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checksumIsQtsChecksum_data();
    void checksumIsQtsChecksum();
    void headerAndRecord_data();
    void headerAndRecord();
    void fullShowRoundTrip();
    void oldStyleRoundTrip();
    void oldStyleDeclined();
    void coupledPairsInTheOldLayout_data();
    void coupledPairsInTheOldLayout();
    void v2Files_data();
    void v2Files();
    void otherMagics_data();
    void otherMagics();
    void refusedFileLeavesTheShowAlone_data();
    void refusedFileLeavesTheShowAlone();
    void cutOrMisplacedTextKeepsTheImage_data();
    void cutOrMisplacedTextKeepsTheImage();
    void textEncodings_data();
    void textEncodings();
    void cutInsideALetter();
    void textWithoutAProject_data();
    void textWithoutAProject();
    void firstConfigurationOfStartUp_data();
    void firstConfigurationOfStartUp();
    void compressedBlockFormat_data();
    void compressedBlockFormat();
    void unreadableFileLeavesTheModelAlone_data();
    void unreadableFileLeavesTheModelAlone();
    void loadClampsTheOutputSettings_data();
    void loadClampsTheOutputSettings();
    void failedSaveKeepsTheEarlierFile_data();
    void failedSaveKeepsTheEarlierFile();
    void scratchCopyLoad();
};

namespace {

const QString readOk = QStringLiteral("Data read from file\n    successful!");
const QString readIncomplete = QStringLiteral("Data read from file,\nbut its descriptions are incomplete!");
const QString readFailed = QStringLiteral("Data read from file\n       failed!\n\nFile corrupted.");

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

uint8_t* sceneOf(kv310_controller_class& c, int scene)
{
    return c.configImage + img::sceneChannelsOf(scene);
}

// The record of a file and the header size in front of it.
fileBlockRecord recordOf(const QByteArray& file, int& h)
{
    h = int(file.indexOf('\0')) + 1;
    return fileBlockRecord::read(reinterpret_cast<const uint8_t*>(file.constData()) + h);
}

void putRecord(QByteArray& file, int h, const fileBlockRecord& r)
{
    r.write(reinterpret_cast<uint8_t*>(file.data()) + h);
}

// A file in the current frame made here: header text, record, compressed
// block, padding, project text.
QByteArray framedFile(const QByteArray& headerText, const QByteArray& image, const QByteArray& xml)
{
    QByteArray file = headerText;
    while ((file.size() + 1) % 16 != 0)
        file += char(0x1A);
    file += '\0';
    const int h = int(file.size());
    const QByteArray block = qCompress(image, 9);
    fileBlockRecord r;
    r.dataOffset = uint16_t(h + 16);
    r.checksum = qChecksum(QByteArrayView(block));
    r.dataSize = uint32_t(block.size());
    r.textOffset = uint32_t((h + 16 + block.size() + 15) / 16 * 16);
    r.textLength = uint32_t(xml.size());
    file.resize(h + 16);
    putRecord(file, h, r);
    file += block;
    file.resize(r.textOffset, '\0');
    return file + xml + '\n';
}

// The same frame around a given compressed block.
QByteArray framedBlock(const QByteArray& headerText, const QByteArray& block, const QByteArray& xml)
{
    QByteArray file = headerText;
    while ((file.size() + 1) % 16 != 0)
        file += char(0x1A);
    file += '\0';
    const int h = int(file.size());
    fileBlockRecord r;
    r.dataOffset = uint16_t(h + 16);
    r.checksum = qChecksum(QByteArrayView(block));
    r.dataSize = uint32_t(block.size());
    r.textOffset = uint32_t((h + 16 + block.size() + 15) / 16 * 16);
    r.textLength = uint32_t(xml.size());
    file.resize(h + 16);
    putRecord(file, h, r);
    file += block;
    file.resize(r.textOffset, '\0');
    return file + xml;
}

QByteArray v2File(const QByteArray& data)
{
    QByteArray file = QByteArrayLiteral("Kv310v2CFG written by hand\r\n");
    file += '\0';
    file += qCompress(data, 9);
    const uint16_t checksum = qChecksum(QByteArrayView(file));
    file += char(checksum & 0xFF);
    file += char(checksum >> 8);
    return file;
}

QByteArray textBlock(const QByteArray& text)
{
    QByteArray block = text;
    block.resize(V2_TEXT_BLOCK, '\0');
    return block;
}

// The small sample show with every scene and mask filled, the last scene
// described, and settings the old-style layout keeps.
const sampleShow::showSize showSize = [] {
    sampleShow::showSize size = sampleShow::small;
    size.scenes = img::SCENES;
    size.masks = img::MASKS;
    return size;
}();

void buildShow(kv310_controller_class& c)
{
    sampleShow::build(c, showSize);
    c.sceneDescriptions[img::SCENES - 1] = QStringLiteral("Last");
    img::putU16(c.configImage, img::outputChannelCount, 300);
    img::putU16(c.configImage, img::mbftCode, 20);
}

// The visual project of the show: four fixtures, two selected, one group.
void buildVisualProject(kv310_controller_class& c, v_project& vp)
{
    QString text = QStringLiteral("\n<project>\n") + visualProjectXml(4) + QStringLiteral("</project>\n");
    QTextStream in(&text, QIODevice::ReadOnly);
    c.readProjectXml(in, 0);
    vp.fixtures[0]->selected = true;
    vp.fixtures[2]->selected = true;
    auto* g = new efGroup(QStringLiteral("Front & back"));
    g->members = {vp.fixtures[3], vp.fixtures[1]};
    vp.groups.append(g);
}

QStringList descriptionsOf(const kv310_controller_class& c)
{
    QStringList out;
    const auto scan = [&out](const auto& texts, const char* kind) {
        for (size_t i = 0; i < texts.size(); ++i)
            if (!texts[i].isEmpty())
                out << QStringLiteral("%1 %2=%3").arg(QLatin1String(kind)).arg(i).arg(texts[i]);
    };
    scan(c.sceneDescriptions, "scene");
    scan(c.maskDescriptions, "mask");
    scan(c.programDescriptions, "program");
    scan(c.panelDescriptions, "panel");
    scan(c.eventDescriptions, "event");
    return out;
}

QStringList timersOf(const kv310_controller_class& c)
{
    QStringList out;
    for (size_t i = 0; i < c.timerTable.size(); ++i) {
        QByteArray bytes(8, '\0');
        c.timerTable[i].write(reinterpret_cast<uint8_t*>(bytes.data()));
        if (bytes != QByteArray(8, char(0xFF)))
            out << QString::number(i) + QLatin1Char(':') + QString::fromLatin1(bytes.toHex());
    }
    return out;
}

// The model as the image holds it once the memory tables are packed.
QByteArray packedImage(kv310_controller_class& c)
{
    c.events.packEvents(c.configImage);
    c.programs.packPrograms(c.configImage);
    c.packTimers();
    c.packCoupledScenes();
    return QByteArray(reinterpret_cast<const char*>(c.configImage), img::STORED_SIZE);
}

// A configuration that shows whether a load cleared it.
void markConfiguration(kv310_controller_class& c)
{
    sceneOf(c, 2)[0] = 77;
    c.sceneDescriptions[7] = QStringLiteral("unsaved");
    c.programs.setStepCount(4, 3);
}

bool isMarked(const kv310_controller_class& c)
{
    return c.configImage[img::sceneChannelsOf(2)] == 77 && c.sceneDescriptions[7] == QLatin1String("unsaved")
           && c.programs.stepCount(4) == 3;
}

// Everything of a show that a refused file must leave as it was.
struct showState {
    QByteArray image;
    QStringList descriptions;
    QStringList timers;
    QStringList programs;
    QStringList groups;
    QList<int> fixtures;
    QList<int> selected;
    QString name;
    QString date;
    QString title;
};

showState stateOf(publishedRun& run)
{
    kv310_controller_class& c = run.controller;
    showState s;
    s.image = QByteArray(reinterpret_cast<const char*>(c.configImage), img::SIZE);
    s.descriptions = descriptionsOf(c);
    s.timers = timersOf(c);
    for (int P = 0; P < img::PROGRAM_SLOTS; ++P)
        if (c.programs.stepCount(P) >= 0)
            s.programs << QStringLiteral("%1:%2").arg(P).arg(c.programs.stepCount(P));
    s.groups = groupSummary(run.project);
    s.fixtures = fixtureNumbers(run.project.fixtures);
    s.selected = selectedNumbers(run.project);
    s.name = c.projectFileName;
    s.date = c.projectFileDate;
    s.title = run.window ? run.window->windowTitle() : QString();
    return s;
}

void compareStates(const showState& now, const showState& before)
{
    QVERIFY(now.image == before.image);
    QCOMPARE(now.descriptions, before.descriptions);
    QCOMPARE(now.timers, before.timers);
    QCOMPARE(now.programs, before.programs);
    QCOMPARE(now.groups, before.groups);
    QCOMPARE(now.fixtures, before.fixtures);
    QCOMPARE(now.selected, before.selected);
    QCOMPARE(now.name, before.name);
    QCOMPARE(now.date, before.date);
    QCOMPARE(now.title, before.title);
}

} // namespace

void tst_config_files::checksumIsQtsChecksum_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("start");
    for (int length : {0, 1, 7, 8, 9, 15, 16, 17, 1000, 65537})
        for (int start : {0, 3})
            QTest::addRow("%d bytes from %d", length, start) << length << start;
}

void tst_config_files::checksumIsQtsChecksum()
{
    QFETCH(int, length);
    QFETCH(int, start);

    QCOMPARE(checksum(QByteArray("123456789")), uint16_t(0x906E));
    QByteArray data(length + start, '\0');
    uint32_t state = uint32_t(length * 2654435761u + 1);
    for (char& ch : data) {
        state = state * 1664525u + 1013904223u;
        ch = char(state >> 24);
    }
    const QByteArrayView view(data.constData() + start, length);
    QCOMPARE(checksum(view.data(), view.size()), qChecksum(view));
}

void tst_config_files::headerAndRecord_data()
{
    QTest::addColumn<bool>("oldstyle");
    QTest::addColumn<int>("nameLength");

    QTest::newRow("current") << false << 10;
    QTest::newRow("current, 100-character name") << false << 100;
    QTest::newRow("current, 250-character name") << false << 250;
    QTest::newRow("old-style") << true << 10;
}

void tst_config_files::headerAndRecord()
{
    QFETCH(bool, oldstyle);
    QFETCH(int, nameLength);

    QTemporaryDir dir;
    dialogRecorder rec;
    if (oldstyle)
        rec.answer(QMessageBox::Yes);
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    const QString name = QString(nameLength - 7, QLatin1Char('n')) + QStringLiteral(".31xcfg");
    const QString path = dir.filePath(name);
    c.write_confDataToFile(path, oldstyle);
    QCOMPARE(rec.texts().last(), QStringLiteral("Data write to file ") + path + QStringLiteral("\nsuccessful!"));
    QCOMPARE(rec.entries.last().icon, QMessageBox::Information);
    QCOMPARE(run.window->windowTitle(), QStringLiteral("KvOrbit310+ - ") + name);
    QCOMPARE(c.projectFileName, name);

    const QByteArray file = fileBytes(path);
    int h = 0;
    const fileBlockRecord r = recordOf(file, h);
    QCOMPARE(h % 16, 0);
    QVERIFY(h <= 496);
    const QByteArray header = file.left(h - 1);
    QVERIFY(header.startsWith(oldstyle ? "Kv310v3CFG\r\nKv310 project description file.\r\n"
                                       : "Kv310+CFG\r\nKv310+ project description file.\r\n"));
    const QString text = QString::fromLatin1(header);
    QVERIFY(text.contains(QRegularExpression(
        QStringLiteral("\r\nFile written by KvOrbit310\\+ rel\\. 4\\.0\\.1\\.39\r\nLast modification:  "
                       "\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d\\.\\d\\d\r\nFile name: n+\\.31xcfg\r\n"))));
    // The header ends with its fill bytes after a blank line, then the zero byte.
    const qsizetype fill = header.size() - QByteArray(header).replace(char(0x1A), "").size();
    QVERIFY(fill < 16);
    QVERIFY(header.chopped(fill).endsWith("\r\n\r\n"));
    QCOMPARE(header.right(fill), QByteArray(fill, char(0x1A)));
    QCOMPARE(header.indexOf('\0'), -1);

    QCOMPARE(int(r.dataOffset), h + 16);
    const QByteArray block = file.mid(r.dataOffset, r.dataSize);
    QCOMPARE(r.checksum, qChecksum(QByteArrayView(block)));
    QCOMPARE(announcedLength(block.constData(), block.size()), oldstyle ? OLD_IMAGE_SIZE : CURRENT_IMAGE_SIZE);
    QCOMPARE(r.textOffset % 16, 0u);
    QCOMPARE(qint64(r.textOffset), (qint64(r.dataOffset) + r.dataSize + 15) / 16 * 16);
    const qsizetype end = r.dataOffset + r.dataSize;
    QCOMPARE(file.mid(end, r.textOffset - end), QByteArray(r.textOffset - end, '\0'));

    QString xml;
    c.writeProjectXml(xml);
    QCOMPARE(file.mid(r.textOffset), xml.toUtf8() + '\n');
    QCOMPARE(r.textLength, uint32_t(xml.size()));
    QVERIFY(xml.contains(QStringLiteral("<file>") + name + QStringLiteral("</file>")));
}

void tst_config_files::fullShowRoundTrip()
{
    QTemporaryDir dir;
    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    buildShow(c);
    buildVisualProject(c, run.project);
    const QString path = dir.filePath(QStringLiteral("show.31xcfg"));
    c.write_confDataToFile(path, false);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Data write to file ") + path + QStringLiteral("\nsuccessful!")});

    const QByteArray image = packedImage(c);
    const QStringList descriptions = descriptionsOf(c);
    const QStringList timers = timersOf(c);
    const auto coupled = c.coupledSceneGroups;
    const QString date = c.projectFileDate;
    const QStringList groups = groupSummary(run.project);
    QCOMPARE(groups, (QStringList{"default:", "Front & back:4,2"}));
    QCOMPARE(selectedNumbers(run.project), (QList<int>{1, 3}));

    c.ClearConfig(CLEAR_ALL);
    run.window->setWindowTitle(QStringLiteral("KvOrbit310+"));
    rec.clear();
    QSignalSpy finished(&c, &kv310_controller_class::readFileFinished);
    c.read_confDataFromFile(path);

    QCOMPARE(rec.texts(), QStringList{readOk});
    QCOMPARE(rec.entries[0].icon, QMessageBox::Information);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(run.window->windowTitle(), QStringLiteral("KvOrbit310+ - show.31xcfg"));
    QCOMPARE(c.projectFileName, QStringLiteral("show.31xcfg"));
    QCOMPARE(c.projectFileDate, date);
    QCOMPARE(descriptionsOf(c), descriptions);
    QCOMPARE(timersOf(c), timers);
    QCOMPARE(c.coupledSceneGroups, coupled);
    // The memory tables are rebuilt from the image, the sequences with them.
    QCOMPARE(c.programs.stepCount(2), showSize.steps);
    QCOMPARE(c.programs.stepEvent(1, 4), EVENT_INTERNAL + 4);
    const int first = sampleShow::sequenceDelay(1);
    QCOMPARE(c.events.actionCount(EVENT_DELAY_END + first + 1), 2);
    QCOMPARE(c.sequenceDelays[1], (QList<uint16_t>{uint16_t(first), uint16_t(first + 1)}));
    QCOMPARE(groupSummary(run.project), (QStringList{"default:1,3", "Front & back:4,2"}));
    QCOMPARE(selectedNumbers(run.project), (QList<int>{1, 3}));
    QVERIFY(packedImage(c) == image);
    // The project area is not part of the file.
    QCOMPARE(c.configImage[img::projectArea], uint8_t(0xFF));
}

void tst_config_files::oldStyleRoundTrip()
{
    QTemporaryDir dir;
    dialogRecorder rec;
    rec.answer(QMessageBox::Yes);
    publishedRun run;
    kv310_controller_class& c = run.controller;
    buildShow(c);
    img::putU16(c.configImage, img::dmxInProgramming, 0);
    // Programs 0 and 1 hold their steps in front of program 2's.
    const uint32_t program2 = 8 * 2 * uint32_t(showSize.steps);
    const QString path = dir.filePath(QStringLiteral("show.cfg310"));
    c.write_confDataToFile(path, true);
    QCOMPARE(rec.titles(), (QStringList{"Old-style file format!", "KvOrbit310+"}));
    QCOMPARE(rec.texts()[0], QStringLiteral("You have choosen old-style configuration file format (v3)!\nSome "
                                            "informations will not be saved into file, and may get lost!\n"
                                            "Continue anyway?"));
    QCOMPARE(rec.entries[0].icon, QMessageBox::Question);

    const QByteArray image = packedImage(c);
    const QStringList descriptions = descriptionsOf(c);
    const QStringList timers = timersOf(c);

    // The old layout in the file.
    const QByteArray file = fileBytes(path);
    int h = 0;
    const fileBlockRecord r = recordOf(file, h);
    const QByteArray old = qUncompress(file.mid(r.dataOffset, r.dataSize));
    QCOMPARE(old.size(), qsizetype(OLD_IMAGE_SIZE));
    const auto* o = reinterpret_cast<const uint8_t*>(old.constData());
    QCOMPARE(img::getU32(o, 0x196000 + 4 * 2), 0x621A0000u + program2);
    QCOMPARE(img::getU32(o, 0x196000 + 4 * 7), 0xFA17FFFFu);
    // Coupled group 0 is scenes 0 and 1515.
    QCOMPARE(img::getU16(o, 0x48C0 + 2), uint16_t(1515));
    QVERIFY(std::memcmp(o + 0x10000 + 512 * 3071, image.constData() + img::sceneChannelsOf(3071), 512) == 0);

    c.ClearConfig(CLEAR_ALL);
    rec.clear();
    c.read_confDataFromFile(path);
    QCOMPARE(rec.texts(), QStringList{readOk});

    const auto* now = c.configImage;
    const auto* was = reinterpret_cast<const uint8_t*>(image.constData());
    // Scenes 0 to 3071 come back, the rest is cleared.
    QVERIFY(std::memcmp(now + img::sceneChannels, was + img::sceneChannels, 3072 * 512) == 0);
    QVERIFY(std::memcmp(now + img::sceneTimes, was + img::sceneTimes, 3072 * 8) == 0);
    QCOMPARE(sceneOf(c, 5000)[1], uint8_t(0));
    QCOMPARE(img::getU16(now, img::dmxInProgramming), uint16_t(0xFFFF));
    QVERIFY(std::memcmp(now + img::maskTimes, was + img::maskTimes, 0x1000) == 0);
    QVERIFY(std::memcmp(now + img::maskChannels, was + img::maskChannels, 0x20000) == 0);
    QVERIFY(std::memcmp(now + img::programStepCount, was + img::programStepCount, 0xC00) == 0);
    QVERIFY(std::memcmp(now + img::programStartAddress, was + img::programStartAddress, 0x800) == 0);
    QVERIFY(std::memcmp(now + img::eventActions, was + img::eventActions, 0x30000) == 0);
    QCOMPARE(img::getU16(now, img::outputChannelCount), uint16_t(300));
    QCOMPARE(img::getU32(now, img::programStartAddressOf(2)), img::STEP_ADDRESS_BASE + program2);
    QCOMPARE(img::getU32(now, img::programStartAddressOf(7)), img::NONE32);
    // Only group 0 of the coupled scenes fits the old layout.
    QCOMPARE(c.coupledSceneGroups[0], (QList<uint16_t>{0, 1515}));
    QVERIFY(c.coupledSceneGroups[2].isEmpty());
    QCOMPARE(c.programs.stepCount(2), showSize.steps);
    QCOMPARE(c.events.actionCount(EVENT_SEQUENCE_START + 1), 1);
    QCOMPARE(timersOf(c), timers);
    QCOMPARE(descriptionsOf(c), descriptions);
}

void tst_config_files::oldStyleDeclined()
{
    QTemporaryDir dir;
    dialogRecorder rec;
    rec.answer(QMessageBox::No);
    publishedRun run;
    const QString path = dir.filePath(QStringLiteral("show.cfg310"));
    run.controller.write_confDataToFile(path, true);
    QCOMPARE(rec.titles(), QStringList{"Old-style file format!"});
    QVERIFY(!QFile::exists(path));
    QVERIFY(run.controller.projectFileName.isNull());
}

void tst_config_files::coupledPairsInTheOldLayout_data()
{
    QTest::addColumn<uint32_t>("pair");
    QTest::addColumn<uint16_t>("byGroup");
    QTest::addColumn<uint16_t>("byScene");
    QTest::addColumn<uint32_t>("readBack");

    QTest::newRow("scene 0") << 0u << uint16_t(0) << uint16_t(0) << 0u;
    QTest::newRow("scene 3071") << 0xBFFu << uint16_t(0xBFF) << uint16_t(0xBFF) << 0xBFFu;
    QTest::newRow("scene 3072") << 0xC00u << uint16_t(0xC00) << uint16_t(0xFFFF) << 0xC00u;
    QTest::newRow("group 1") << 0x10005u << uint16_t(0xFFFF) << uint16_t(0xFFFF) << 0xFFFFFFFFu;
    QTest::newRow("free") << 0x0000FFFFu << uint16_t(0xFFFF) << uint16_t(0xFFFF) << 0xFFFFFFFFu;
}

void tst_config_files::coupledPairsInTheOldLayout()
{
    QFETCH(uint32_t, pair);
    QFETCH(uint16_t, byGroup);
    QFETCH(uint16_t, byScene);
    QFETCH(uint32_t, readBack);

    std::vector<uint8_t> image(img::SIZE, 0xFF);
    std::vector<uint8_t> old(OLD_IMAGE_SIZE);
    img::putU32(image.data(), img::coupledByGroupOf(5), pair);
    img::putU32(image.data(), img::coupledBySceneOf(5), pair);
    buildOldStyleImage(image.data(), old.data());
    QCOMPARE(img::getU16(old.data(), 0x48C0 + 2 * 5), byGroup);
    QCOMPARE(img::getU16(old.data(), 0x4940 + 2 * 5), byScene);

    std::vector<uint8_t> back(img::SIZE, 0);
    takeOldStyleImage(old.data(), back.data());
    QCOMPARE(img::getU32(back.data(), img::coupledByGroupOf(5)), readBack);
    QCOMPARE(img::getU32(back.data(), img::coupledByGroupOf(6)), 0xFFFFFFFFu);
    // What the old layout does not hold stays as it was.
    QCOMPARE(back[img::dmxInProgramming], uint8_t(0));
    QCOMPARE(back[img::sceneChannelsOf(3072)], uint8_t(0));
}

void tst_config_files::v2Files_data()
{
    QTest::addColumn<uint32_t>("size");
    QTest::addColumn<bool>("breakChecksum");
    QTest::addColumn<QStringList>("descriptions");

    QTest::newRow("image only") << V2_SIZE_IMAGE << false << QStringList{};
    // Scene 0 is written in UTF-8, scene 3 in an 8-bit code page.
    QTest::newRow("scenes and programs") << V2_SIZE_SCENES_PROGRAMS << false
                                         << QStringList{"scene 0=v2 scene ü", "scene 3=v2 café", "program 511=v2 program"};
    QTest::newRow("and sequences") << V2_SIZE_SEQUENCES << false
                                   << QStringList{"scene 0=v2 scene ü", "scene 3=v2 café", "program 511=v2 program",
                                                  "event 4735=v2 sequence"};
    QTest::newRow("and masks") << V2_SIZE_MASKS << false
                               << QStringList{"scene 0=v2 scene ü", "scene 3=v2 café", "mask 255=v2 mask",
                                              "program 511=v2 program", "event 4735=v2 sequence"};
    // Refused: the show in memory stays.
    QTest::newRow("one byte more") << V2_SIZE_IMAGE + 1 << false << QStringList{"scene 7=unsaved"};
    QTest::newRow("wrong checksum") << V2_SIZE_MASKS << true << QStringList{"scene 7=unsaved"};
}

void tst_config_files::v2Files()
{
    QFETCH(uint32_t, size);
    QFETCH(bool, breakChecksum);
    QFETCH(QStringList, descriptions);
    const bool loads = !breakChecksum && size != V2_SIZE_IMAGE + 1;

    // The image of the file: a cleared one with scene 1 and mask 3 set.
    kv310_controller_class donor;
    std::memset(sceneOf(donor, 1), 0x42, img::CHANNELS);
    std::memset(donor.configImage + img::maskChannelsOf(3), 0x17, img::CHANNELS);
    QByteArray data(OLD_IMAGE_SIZE, '\0');
    buildOldStyleImage(donor.configImage, reinterpret_cast<uint8_t*>(data.data()));

    for (int s = 0; s < V2_SCENE_TEXTS; ++s)
        data += textBlock(s == 0   ? QString::fromUtf8("v2 scene ü").toUtf8()
                          : s == 1 ? QByteArray(100, 'x')
                          : s == 3 ? QByteArray("v2 caf\xE9")
                                   : QByteArray());
    for (int p = 0; p < img::PROGRAM_SLOTS; ++p)
        data += textBlock(p == 511 ? "v2 program" : "");
    for (int q = 0; q < img::SEQUENCES; ++q)
        data += textBlock(q == 127 ? "v2 sequence" : "");
    for (int m = 0; m < img::MASKS; ++m)
        data += textBlock(m == 255 ? "v2 mask" : "");
    QCOMPARE(data.size(), qsizetype(V2_SIZE_MASKS));
    data.resize(size, 'y');

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.cfg"));
    QByteArray file = v2File(data);
    if (breakChecksum)
        file[file.size() - 1] = char(file[file.size() - 1] ^ 1);
    writeBytes(path, file);

    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    markConfiguration(c);
    c.read_confDataFromFile(path);
    QCOMPARE(rec.texts(), QStringList{loads ? readOk : readFailed});
    QCOMPARE(descriptionsOf(c), descriptions);
    QVERIFY(c.projectFileName.isNull());
    QCOMPARE(sceneOf(c, 1)[0], uint8_t(loads ? 0x42 : 0));
    QCOMPARE(c.configImage[img::maskChannelsOf(3)], uint8_t(loads ? 0x17 : 0xFF));
    QCOMPARE(isMarked(c), !loads);
    if (loads && size >= V2_SIZE_SCENES_PROGRAMS) {
        // A block without its zero byte gives an empty description.
        QVERIFY(c.sceneDescriptions[1].isEmpty());
        QVERIFY(!c.sceneDescriptions[1].isNull());
        QVERIFY(!c.sceneDescriptions[2].isNull());
    }
}

void tst_config_files::otherMagics_data()
{
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("Kv310+CFG") << QByteArray("Kv310+CFG");
    QTest::newRow("SV310+CFG") << QByteArray("SV310+CFG");
    QTest::newRow("M-VS-0207CFG") << QByteArray("M-VS-0207CFG");
}

void tst_config_files::otherMagics()
{
    QFETCH(QByteArray, magic);

    kv310_controller_class donor;
    sceneOf(donor, 7)[3] = 0x99;
    const QByteArray image(reinterpret_cast<const char*>(donor.configImage), CURRENT_IMAGE_SIZE);
    const QByteArray xml = "\n<project>\n<file>other.cfg</file>\n<descriptions>\n<scenes>\n"
                           "<scene nr=\"8\">seven</scene>\n</scenes>\n</descriptions>\n</project>\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.31xcfg"));
    writeBytes(path, framedFile(magic + "\r\nWritten elsewhere.\r\n", image, xml));

    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    c.read_confDataFromFile(path);
    QCOMPARE(rec.texts(), QStringList{readOk});
    QCOMPARE(sceneOf(c, 7)[3], uint8_t(0x99));
    QCOMPARE(c.sceneDescriptions[7], QStringLiteral("seven"));
    QCOMPARE(c.projectFileName, QStringLiteral("other.cfg"));
}

void tst_config_files::refusedFileLeavesTheShowAlone_data()
{
    QTest::addColumn<QString>("mutation");
    QTest::addColumn<QString>("title");  // of the one message shown

    for (const char* m : {"flipped block byte", "truncated to 5 bytes", "truncated inside the record",
                          "truncated inside the block", "unknown first line", "data offset past the end",
                          "data offset inside the header", "data size past the end", "announced length huge",
                          "announced length one more", "block of another length", "stream decodes to fewer bytes",
                          "stream decodes to more bytes", "stream cut short", "stream damaged", "empty file",
                          "v2 stream damaged", "old-style stream cut short"})
        QTest::newRow(m) << QString::fromLatin1(m) << QStringLiteral("KvOrbit310+");
    // A long project text is read while the image is inflated beside it.
    for (const char* m : {"flipped block byte", "stream decodes to fewer bytes", "stream decodes to more bytes",
                          "stream cut short", "stream damaged"})
        QTest::addRow("%s, long text", m) << QString::fromLatin1(m) + QStringLiteral(", long text")
                                           << QStringLiteral("KvOrbit310+");
    for (const char* m : {"header size not a multiple of 16", "no zero byte in the first 512", "header of 512 bytes",
                          "truncated inside the header"})
        QTest::newRow(m) << QString::fromLatin1(m) << QStringLiteral("Invalid file!");
    QTest::newRow("v1 file") << "v1 file" << "Older version!";
}

void tst_config_files::refusedFileLeavesTheShowAlone()
{
    QFETCH(QString, mutation);
    QFETCH(QString, title);
    const QString longText = QStringLiteral(", long text");
    const bool isLong = mutation.endsWith(longText);
    mutation.chop(isLong ? longText.size() : 0);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.31xcfg"));
    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;

    // The file to damage holds another show than the one loaded.
    sceneOf(c, 1)[1] = 5;
    c.sceneDescriptions[9] = QStringLiteral("from the bad file");
    for (int s = 100; isLong && s < 4100; ++s)
        c.sceneDescriptions[size_t(s)] = QStringLiteral("a description long enough to fill the text");
    c.write_confDataToFile(path, false);
    QByteArray file = fileBytes(path);
    const QByteArray fileImage(reinterpret_cast<const char*>(c.configImage), CURRENT_IMAGE_SIZE);
    int h = 0;
    fileBlockRecord r = recordOf(file, h);
    const QByteArray fileText = file.mid(r.textOffset);
    const auto setAnnounced = [&](uint32_t length) {
        qToBigEndian<uint32_t>(length, file.data() + r.dataOffset);
        r.checksum = qChecksum(QByteArrayView(file.constData() + r.dataOffset, r.dataSize));
        putRecord(file, h, r);
    };
    // A stream whose checksum is right, announcing the image.
    const auto withStream = [&](QByteArray block) {
        qToBigEndian<uint32_t>(CURRENT_IMAGE_SIZE, block.data());
        file = framedBlock("Kv310+CFG\r\n", block, fileText);
    };

    if (mutation == QLatin1String("flipped block byte")) {
        file[r.dataOffset + r.dataSize / 2] = char(file[r.dataOffset + r.dataSize / 2] ^ 0x40);
    } else if (mutation == QLatin1String("truncated to 5 bytes")) {
        file.truncate(5);
    } else if (mutation == QLatin1String("empty file")) {
        file.clear();
    } else if (mutation == QLatin1String("truncated inside the header")) {
        file.truncate(60);
    } else if (mutation == QLatin1String("truncated inside the record")) {
        file.truncate(h + 8);
    } else if (mutation == QLatin1String("truncated inside the block")) {
        file.truncate(r.dataOffset + r.dataSize / 2);
    } else if (mutation == QLatin1String("unknown first line")) {
        file.replace(0, 3, "XYZ");
    } else if (mutation == QLatin1String("data offset past the end")) {
        r.dataOffset = 0xFFF0;
        putRecord(file, h, r);
    } else if (mutation == QLatin1String("data offset inside the header")) {
        r.dataOffset = uint16_t(h);
        putRecord(file, h, r);
    } else if (mutation == QLatin1String("data size past the end")) {
        r.dataSize = 0xFFFFFFF0;
        putRecord(file, h, r);
    } else if (mutation == QLatin1String("announced length huge")) {
        setAnnounced(0xFFFFFFFF);
    } else if (mutation == QLatin1String("announced length one more")) {
        setAnnounced(CURRENT_IMAGE_SIZE + 1);
    } else if (mutation == QLatin1String("block of another length")) {
        file = framedFile("Kv310+CFG\r\n", fileImage.chopped(1), fileText);
    } else if (mutation == QLatin1String("stream decodes to fewer bytes")) {
        withStream(qCompress(fileImage.chopped(1), 9));
    } else if (mutation == QLatin1String("stream decodes to more bytes")) {
        withStream(qCompress(fileImage + 'x', 9));
    } else if (mutation == QLatin1String("stream cut short")) {
        withStream(qCompress(fileImage, 9).chopped(1000));
    } else if (mutation == QLatin1String("stream damaged")) {
        QByteArray block = qCompress(fileImage, 9);
        block[block.size() - 3] = char(block[block.size() - 3] ^ 0x10);  // in the stream's own check
        withStream(block);
    } else if (mutation == QLatin1String("v2 stream damaged")) {
        QByteArray old(OLD_IMAGE_SIZE, '\x11');
        QByteArray v2 = v2File(old);
        v2[v2.size() - 5] = char(v2[v2.size() - 5] ^ 0x10);
        v2.chop(2);
        const uint16_t sum = qChecksum(QByteArrayView(v2));
        file = v2 + char(sum & 0xFF) + char(sum >> 8);
    } else if (mutation == QLatin1String("old-style stream cut short")) {
        QByteArray block = qCompress(QByteArray(OLD_IMAGE_SIZE, '\x11'), 9).chopped(10);
        file = framedBlock("Kv310v3CFG\r\n", block, fileText);
    } else if (mutation == QLatin1String("header size not a multiple of 16")) {
        file.remove(h - 2, 1);
    } else if (mutation == QLatin1String("no zero byte in the first 512")) {
        file = QByteArray("Kv310+CFG\r\n") + QByteArray(600, 'x');
    } else if (mutation == QLatin1String("header of 512 bytes")) {
        file = framedFile("Kv310+CFG\r\n" + QByteArray(500, 'x'), fileImage, "\n");
    } else if (mutation == QLatin1String("v1 file")) {
        file = QByteArray("Kv310CFG\r\n") + QByteArray(2000, '\x5A');
    } else {
        QFAIL("unknown mutation");
    }
    writeBytes(path, file);

    // The show in memory: loaded from a file, then edited without saving.
    c.ClearConfig(CLEAR_ALL);
    buildShow(c);
    buildVisualProject(c, run.project);
    const QString showPath = dir.filePath(QStringLiteral("show.31xcfg"));
    c.write_confDataToFile(showPath, false);
    c.read_confDataFromFile(showPath);
    markConfiguration(c);
    const showState before = stateOf(run);
    rec.clear();
    QSignalSpy finished(&c, &kv310_controller_class::readFileFinished);

    c.read_confDataFromFile(path);

    QCOMPARE(rec.titles(), QStringList{title});
    if (title == QLatin1String("Invalid file!")) {
        QCOMPARE(rec.texts(), QStringList{QStringLiteral("This file is not a valid project description file:\n\"")
                                          + path + QLatin1Char('"')});
        QCOMPARE(rec.entries[0].icon, QMessageBox::Warning);
    } else if (title == QLatin1String("Older version!")) {
        QCOMPARE(rec.texts(), QStringList{"The file contains previous version of configuration!\nTo convert it into "
                                          "current format try get\na converting program from KVO website!"});
        QCOMPARE(rec.entries[0].icon, QMessageBox::Warning);
    } else {
        QCOMPARE(rec.texts(), QStringList{readFailed});
        QCOMPARE(rec.entries[0].icon, QMessageBox::Critical);
    }
    compareStates(stateOf(run), before);
    QVERIFY(isMarked(c));
    QCOMPARE(finished.count(), 0);
}

void tst_config_files::cutOrMisplacedTextKeepsTheImage_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("whole");               // the descriptions are all there
    QTest::addColumn<bool>("earlyDescriptions");  // the first scene's description came through

    QTest::newRow("cut where the text begins") << "cut 0" << false << false;
    QTest::newRow("cut in the padding") << "cut -3" << false << false;
    QTest::newRow("cut after the first line") << "cut 1" << false << false;
    QTest::newRow("cut inside the first description") << "cut in:Scene 0 " << false << false;
    QTest::newRow("cut after the scenes") << "cut after:</scenes>\n" << false << true;
    QTest::newRow("cut inside a later description") << "cut in:Program 2 " << false << true;
    QTest::newRow("cut inside the devices") << "cut in:<device nr=\"3\">" << false << true;
    QTest::newRow("cut before the project's end") << "cut in:</project>" << false << true;
    QTest::newRow("only the final line feed lost") << "cut end:1" << true << true;
    QTest::newRow("text offset past the end") << "offset past the end" << false << false;
    QTest::newRow("text offset inside the block") << "offset inside the block" << false << false;
    QTest::newRow("text offset one line late") << "offset +16" << false << false;
    QTest::newRow("text offset one line early") << "offset -16" << false << false;
}

void tst_config_files::cutOrMisplacedTextKeepsTheImage()
{
    QFETCH(QString, damage);
    QFETCH(bool, whole);
    QFETCH(bool, earlyDescriptions);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.31xcfg"));
    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    buildShow(c);
    buildVisualProject(c, run.project);
    // Long enough to be read while the image is inflated beside it.
    for (int s = 100; s < 4100; ++s)
        c.sceneDescriptions[size_t(s)] = QStringLiteral("a description long enough to fill the text");
    const QString firstDescription = c.sceneDescriptions[0];
    c.write_confDataToFile(path, false);
    const QByteArray image = packedImage(c);
    QByteArray file = fileBytes(path);
    int h = 0;
    fileBlockRecord r = recordOf(file, h);

    if (damage.startsWith(QLatin1String("cut "))) {
        const QString where = damage.mid(4);
        qsizetype at = 0;
        if (where.startsWith(QLatin1String("in:")))
            at = file.indexOf(where.mid(3).toUtf8(), r.textOffset) + 2;
        else if (where.startsWith(QLatin1String("after:")))
            at = file.indexOf(where.mid(6).toUtf8(), r.textOffset) + where.size() - 6;
        else if (where.startsWith(QLatin1String("end:")))
            at = file.size() - where.mid(4).toInt();
        else if (where == QLatin1String("1"))
            at = file.indexOf('\n', r.textOffset + 1) + 1;
        else
            at = std::max<qsizetype>(r.textOffset + where.toInt(), r.dataOffset + r.dataSize);
        QVERIFY(at >= r.dataOffset + r.dataSize && at < file.size());
        file.truncate(at);
    } else if (damage == QLatin1String("offset past the end")) {
        r.textOffset ^= 0x01000000;
    } else if (damage == QLatin1String("offset inside the block")) {
        r.textOffset ^= 0x00010000;
    } else if (damage == QLatin1String("offset +16")) {
        r.textOffset += 16;
    } else if (damage == QLatin1String("offset -16")) {
        r.textOffset -= 16;
    }
    putRecord(file, h, r);
    writeBytes(path, file);

    c.ClearConfig(CLEAR_ALL);
    markConfiguration(c);
    run.window->setWindowTitle(QStringLiteral("KvOrbit310+ - before"));
    rec.clear();
    QSignalSpy finished(&c, &kv310_controller_class::readFileFinished);
    c.read_confDataFromFile(path);

    // The image is proven whole by its checksum: it is taken.
    QVERIFY(packedImage(c) == image);
    QCOMPARE(c.programs.stepCount(2), showSize.steps);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(run.window->windowTitle(), QStringLiteral("KvOrbit310+ - cut.31xcfg"));
    QCOMPARE(rec.titles(), QStringList{"KvOrbit310+"});
    if (whole) {
        QCOMPARE(rec.texts(), QStringList{readOk});
        QCOMPARE(rec.entries[0].icon, QMessageBox::Information);
        QCOMPARE(groupSummary(run.project), (QStringList{"default:1,3", "Front & back:4,2"}));
    } else {
        QCOMPARE(rec.texts(), QStringList{readIncomplete});
        QCOMPARE(rec.entries[0].icon, QMessageBox::Warning);
    }
    QCOMPARE(c.sceneDescriptions[0], earlyDescriptions ? firstDescription : QString());
    // What the file does not bring is cleared, not kept from before.
    QVERIFY(c.sceneDescriptions[7].isEmpty());
}

void tst_config_files::textEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("UTF-8") << QByteArray("Intro \xC3\xA4 \xE2\x80\x93 \xC5\x81\xC3\xB3""d\xC5\xBA") << QString::fromUtf8("Intro ä – Łódź");
    QTest::newRow("Latin-1") << QByteArray("Intro \xE4 caf\xE9") << QString::fromUtf8("Intro ä café");
    // Windows-1250 "Łódź": each byte one character, nothing lost.
    QTest::newRow("Windows code page") << QByteArray("\xA3\xF3""d\x9F") << QString::fromLatin1("\xA3\xF3""d\x9F");
    QTest::newRow("UTF-8 cut inside a letter") << QByteArray("ab\xC3") << QString::fromLatin1("ab\xC3");
    QTest::newRow("ASCII") << QByteArray("Intro") << QStringLiteral("Intro");
}

void tst_config_files::textEncodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.31xcfg"));
    kv310_controller_class donor;
    const QByteArray image(reinterpret_cast<const char*>(donor.configImage), CURRENT_IMAGE_SIZE);
    const QByteArray xml = "\n<project>\n<file>" + bytes + ".31xcfg</file>\n<descriptions>\n<scenes>\n<scene nr=\"1\">"
                           + bytes + "</scene>\n</scenes>\n</descriptions>\n</project>\n";
    QByteArray file = framedFile("Kv310+CFG\r\n", image, xml);
    int h = 0;
    fileBlockRecord r = recordOf(file, h);
    r.textLength = uint32_t(xml.size());  // at least as many characters as bytes
    putRecord(file, h, r);
    writeBytes(path, file);

    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    c.read_confDataFromFile(path);
    QCOMPARE(rec.texts(), QStringList{readOk});
    QCOMPARE(c.sceneDescriptions[0], text);
    QCOMPARE(c.projectFileName, text + QStringLiteral(".31xcfg"));

    // Saved again, every character stays, written as UTF-8.
    c.write_confDataToFile(path, false);
    const QByteArray saved = fileBytes(path);
    QVERIFY(saved.contains("<scene nr=\"1\">" + escapeText(text).toUtf8() + "</scene>"));
    c.ClearConfig(CLEAR_ALL);
    c.read_confDataFromFile(path);
    QCOMPARE(c.sceneDescriptions[0], text);
}

void tst_config_files::cutInsideALetter()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.31xcfg"));
    kv310_controller_class donor;
    const QByteArray image(reinterpret_cast<const char*>(donor.configImage), CURRENT_IMAGE_SIZE);
    const QByteArray xml = QString::fromUtf8("\n<project>\n<descriptions>\n<scenes>\n<scene nr=\"1\">Łódź</scene>\n"
                                             "<scene nr=\"2\">Łódź</scene>\n</scenes>\n</descriptions>\n</project>\n")
                               .toUtf8();
    QByteArray file = framedFile("Kv310+CFG\r\n", image, xml);
    file.truncate(file.lastIndexOf("\xC5\x81") + 1);  // inside the second "Ł"
    writeBytes(path, file);

    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    c.read_confDataFromFile(path);
    QCOMPARE(rec.texts(), QStringList{readIncomplete});
    QCOMPARE(c.sceneDescriptions[0], QString::fromUtf8("Łódź"));
    QVERIFY(c.sceneDescriptions[1].isEmpty());
}

void tst_config_files::textWithoutAProject_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("descriptions");  // the show's descriptions came through

    QTest::newRow("the project's \"<\" flipped") << "flip" << readIncomplete << false;
    QTest::newRow("the same, on one line") << "flip, one line" << readIncomplete << false;
    QTest::newRow("random bytes") << "random" << readIncomplete << false;
    QTest::newRow("a text without a tag") << "words" << readIncomplete << false;
    // The project read from one line is whole.
    QTest::newRow("the project on one line") << "one line" << readOk << true;
    QTest::newRow("blanks and line ends") << "blank" << readOk << false;
    QTest::newRow("no text") << "none" << readOk << false;
}

// Only a file without a text has no descriptions to miss: a text that holds
// anything but blanks and line ends and yields no project lost them.
void tst_config_files::textWithoutAProject()
{
    QFETCH(QString, change);
    QFETCH(QString, shown);
    QFETCH(bool, descriptions);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.31xcfg"));
    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    buildShow(c);
    c.write_confDataToFile(path, false);
    const QByteArray image = packedImage(c);
    const QStringList written = descriptionsOf(c);
    QVERIFY(!written.isEmpty());
    QByteArray file = fileBytes(path);
    int h = 0;
    fileBlockRecord r = recordOf(file, h);
    QByteArray text = file.mid(r.textOffset);
    file.truncate(r.textOffset);
    if (change.startsWith(QLatin1String("flip")))
        text[text.indexOf("<project>")] = '>';
    if (change.endsWith(QLatin1String("one line"))) {
        text.replace('\n', "");
    } else if (change == QLatin1String("random")) {
        QRandomGenerator random(48);
        for (char& ch : text)
            ch = char(random.bounded(256));
    } else if (change == QLatin1String("words")) {
        text = "Light visualisation project description\n";
    } else if (change == QLatin1String("blank")) {
        text = "\n \t\n\r\n  \n";
    } else if (change == QLatin1String("none")) {
        text.clear();
    }
    // As long as announced (characters, without the final line feed): nothing was cut.
    const QString characters = QString::fromUtf8(text);
    r.textLength = uint32_t(characters.size() - (characters.endsWith(QLatin1Char('\n')) ? 1 : 0));
    putRecord(file, h, r);
    writeBytes(path, file + text);

    c.ClearConfig(CLEAR_ALL);
    markConfiguration(c);
    rec.clear();
    QSignalSpy finished(&c, &kv310_controller_class::readFileFinished);
    c.read_confDataFromFile(path);

    // The image is taken as it is; the user learns whether descriptions are missing.
    QVERIFY(packedImage(c) == image);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!rec.texts().isEmpty());
    QCOMPARE(rec.texts().last(), shown);
    QVERIFY(!rec.texts().contains(shown == readOk ? readIncomplete : readOk));
    QCOMPARE(run.window->windowTitle(), QStringLiteral("KvOrbit310+ - text.31xcfg"));
    QCOMPARE(descriptionsOf(c), descriptions ? written : QStringList());
}

void tst_config_files::firstConfigurationOfStartUp_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<bool>("longText");
    // Read in two halves: the image unpacked on a thread of its own while
    // the first window is made, the file taken before the window reads it.
    QTest::addColumn<bool>("inTwoHalves");
    for (const bool halves : {false, true}) {
        const char* road = halves ? ", in two halves" : "";
        QTest::addRow("whole%s", road) << false << false << halves;
        QTest::addRow("whole, long text%s", road) << false << true << halves;
        QTest::addRow("stream damaged%s", road) << true << false << halves;
        QTest::addRow("stream damaged, long text%s", road) << true << true << halves;
    }
}

void tst_config_files::firstConfigurationOfStartUp()
{
    QFETCH(bool, damaged);
    QFETCH(bool, longText);
    QFETCH(bool, inTwoHalves);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("first.31xcfg"));
    QByteArray image;
    QString firstDescription;
    {
        dialogRecorder rec;
        publishedRun donor;
        buildShow(donor.controller);
        firstDescription = donor.controller.sceneDescriptions[0];
        for (int s = 100; longText && s < 4100; ++s)
            donor.controller.sceneDescriptions[size_t(s)] = QStringLiteral("a description long enough to fill the text");
        donor.controller.write_confDataToFile(path, false);
        image = packedImage(donor.controller);
    }
    if (damaged) {
        QByteArray file = fileBytes(path);
        int h = 0;
        const fileBlockRecord r = recordOf(file, h);
        QByteArray block = qCompress(image, 9);
        block[block.size() - 3] = char(block[block.size() - 3] ^ 0x10);
        writeBytes(path, framedBlock("Kv310+CFG\r\n", block, file.mid(r.textOffset)));
    }

    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class fresh;
    QSignalSpy finished(&run.controller, &kv310_controller_class::readFileFinished);
    if (inTwoHalves) {
        run.controller.startFirstConfiguration(path);
        // Until the second half nothing is said and nothing but the image
        // may change.
        QVERIFY(rec.texts().isEmpty());
        QCOMPARE(finished.count(), 0);
        QVERIFY(descriptionsOf(run.controller).isEmpty());
        run.controller.finishFirstConfiguration();
    } else {
        run.controller.readFirstConfiguration(path);
    }
    if (damaged) {
        // Nothing was kept aside: the configuration is cleared once more.
        QCOMPARE(rec.texts(), QStringList{readFailed});
        QVERIFY(std::memcmp(run.controller.configImage, fresh.configImage, img::SIZE) == 0);
        QVERIFY(descriptionsOf(run.controller).isEmpty());
        QCOMPARE(finished.count(), 0);
    } else {
        QCOMPARE(rec.texts(), QStringList{readOk});
        QVERIFY(packedImage(run.controller) == image);
        QCOMPARE(run.controller.sceneDescriptions[0], firstDescription);
        QCOMPARE(finished.count(), 1);
    }
}

void tst_config_files::compressedBlockFormat_data()
{
    QTest::addColumn<bool>("full");
    QTest::newRow("empty show") << false;
    QTest::newRow("full show") << true;
}

void tst_config_files::compressedBlockFormat()
{
    QFETCH(bool, full);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("show.31xcfg"));
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    if (full)
        buildShow(c);
    c.write_confDataToFile(path, false);
    const QByteArray image = packedImage(c);

    // Every reader of the format reads the block as qUncompress does. A
    // cleared show, the smallest file there is, stays no larger than zlib
    // at its best level makes it.
    const QByteArray file = fileBytes(path);
    int h = 0;
    const fileBlockRecord r = recordOf(file, h);
    const QByteArray block = file.mid(r.dataOffset, r.dataSize);
    QVERIFY(qUncompress(block) == image);
    if (!full)
        QVERIFY(block.size() <= qCompress(image, 9).size());

    // The stored project description's compressed form is the same frame.
    const QByteArray text(300000, 'x');
    const QByteArray stored = compressBlock(text.constData(), text.size());
    QCOMPARE(qUncompress(stored), text);
    QCOMPARE(inflateBlock(qCompress(text, 9).constData(), qCompress(text, 9).size(), 400000), text);
}

void tst_config_files::unreadableFileLeavesTheModelAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << "missing.31xcfg";
    QTest::newRow("directory") << "folder";
    QTest::newRow("named pipe") << "pipe.31xcfg";
}

void tst_config_files::unreadableFileLeavesTheModelAlone()
{
    QFETCH(QString, name);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.31xcfg"))).constData(), 0600), 0);
    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    markConfiguration(c);
    c.projectFileName = QStringLiteral("before.31xcfg");
    run.window->setWindowTitle(QStringLiteral("KvOrbit310+ - before.31xcfg"));
    QSignalSpy finished(&c, &kv310_controller_class::readFileFinished);

    c.read_confDataFromFile(dir.filePath(name));
    QCOMPARE(rec.texts(), QStringList{readFailed});
    QCOMPARE(sceneOf(c, 2)[0], uint8_t(77));
    QCOMPARE(c.sceneDescriptions[7], QStringLiteral("unsaved"));
    // The program made in memory since the last pack is still there.
    QCOMPARE(c.programs.stepCount(4), 3);
    QCOMPARE(c.projectFileName, QStringLiteral("before.31xcfg"));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(run.window->windowTitle(), QStringLiteral("KvOrbit310+ - before.31xcfg"));
}

void tst_config_files::loadClampsTheOutputSettings_data()
{
    QTest::addColumn<int>("outputs");
    QTest::addColumn<int>("mbft");
    QTest::addColumn<int>("loadedOutputs");
    QTest::addColumn<int>("loadedMbft");

    QTest::newRow("0 and unset") << 0 << 0xFFFF << 24 << 10;
    QTest::newRow("23 and 95") << 23 << 95 << 24 << 90;
    QTest::newRow("24 and 90") << 24 << 90 << 24 << 90;
    QTest::newRow("512 and 0") << 512 << 0 << 512 << 0;
    QTest::newRow("600 and 91") << 600 << 91 << 512 << 90;
}

void tst_config_files::loadClampsTheOutputSettings()
{
    QFETCH(int, outputs);
    QFETCH(int, mbft);
    QFETCH(int, loadedOutputs);
    QFETCH(int, loadedMbft);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clamp.31xcfg"));
    dialogRecorder rec;
    publishedRun run;
    kv310_controller_class& c = run.controller;
    img::putU16(c.configImage, img::outputChannelCount, uint16_t(outputs));
    img::putU16(c.configImage, img::mbftCode, uint16_t(mbft));
    c.write_confDataToFile(path, false);
    c.ClearConfig(CLEAR_ALL);
    c.read_confDataFromFile(path);
    QCOMPARE(rec.texts().last(), readOk);
    QCOMPARE(int(img::getU16(c.configImage, img::outputChannelCount)), loadedOutputs);
    QCOMPARE(int(img::getU16(c.configImage, img::mbftCode)), loadedMbft);
}

void tst_config_files::failedSaveKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("programs do not fit") << "steps";
#ifdef Q_OS_UNIX
    QTest::newRow("write error") << "write";
#endif
    QTest::newRow("directory missing") << "directory";
}

void tst_config_files::failedSaveKeepsTheEarlierFile()
{
    QFETCH(QString, failure);

    QTemporaryDir dir;
    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    QString path = dir.filePath(QStringLiteral("show.31xcfg"));
    c.write_confDataToFile(path, false);
    const QByteArray earlier = fileBytes(path);
    QVERIFY(!earlier.isEmpty());
    const QString name = c.projectFileName;
    const QString date = c.projectFileDate;
    if (failure == QLatin1String("directory"))
        path = dir.filePath(QStringLiteral("missing/show.31xcfg"));

    // A new show, large enough that its file does not fit a small size limit.
    buildShow(c);
    QStringList expected;
    if (failure == QLatin1String("steps")) {
        for (int P = 0; P < 9; ++P)
            c.programs.setStepCount(P, 999);
        expected << QStringLiteral("Program steps limit exceed!");
    }
    expected << QStringLiteral("Data write to file ") + path + QStringLiteral("\nfailed!");
    rec.clear();

#ifdef Q_OS_UNIX
    rlimit limit{};
    const bool limitWrites = failure == QLatin1String("write");
    if (limitWrites) {
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = limit;
        small.rlim_cur = 256 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    c.write_confDataToFile(path, false);
    if (limitWrites) {
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        std::signal(SIGXFSZ, SIG_DFL);
    }
#else
    c.write_confDataToFile(path, false);
#endif

    QCOMPARE(rec.texts(), expected);
    QCOMPARE(rec.entries.last().icon, QMessageBox::Critical);
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("show.31xcfg"))), earlier);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("show.31xcfg")});
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing"))));
    QCOMPARE(c.projectFileName, name);
    QCOMPARE(c.projectFileDate, date);
    QCOMPARE(run.window->windowTitle(), QStringLiteral("KvOrbit310+"));
}

void tst_config_files::scratchCopyLoad()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.31xcfg"));
    dialogRecorder rec;
    publishedRun run(true);
    kv310_controller_class& c = run.controller;
    sceneOf(c, 4)[4] = 44;
    c.sceneDescriptions[4] = QStringLiteral("four");
    buildVisualProject(c, run.project);
    c.write_confDataToFile(path, false);

    c.ClearConfig(CLEAR_ALL);
    buildVisualProject(c, run.project);
    qDeleteAll(run.project.groups);
    run.project.groups.clear();
    markConfiguration(c);
    run.window->setWindowTitle(QStringLiteral("KvOrbit310+ - main.31xcfg"));
    run.window->calls.clear();
    const xml_node* tree = run.project.projectTree;
    rec.clear();

    auto scratch = std::make_unique<kv310_controller_class>();
    scratch->read_confDataFromFile(path);
    QCOMPARE(rec.texts(), QStringList{readOk});
    QCOMPARE(sceneOf(*scratch, 4)[4], uint8_t(44));
    QCOMPARE(scratch->sceneDescriptions[4], QStringLiteral("four"));
    scratch.reset();

    QCOMPARE(sceneOf(c, 2)[0], uint8_t(77));
    QCOMPARE(sceneOf(c, 4)[4], uint8_t(0));
    QCOMPARE(c.programs.stepCount(4), 3);
    QCOMPARE(run.project.projectTree, tree);
    QVERIFY(run.project.groups.isEmpty());
    QVERIFY(run.window->calls.isEmpty());
    QCOMPARE(run.window->windowTitle(), QStringLiteral("KvOrbit310+ - main.31xcfg"));
}

QTEST_MAIN(tst_config_files)
#include "tst_config_files.moc"
