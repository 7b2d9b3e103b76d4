#include "controller_rig.h"
#include "upgrade_file_builder.h"

#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

enum operation { UPGRADE, VERIFY };

const QString upgradeTitle = QStringLiteral("Firmware upgrade");
const QString verifyTitle = QStringLiteral("Firmware verification");
const QString usb = QStringLiteral("USB Interface");

QString box(const QString& title, const QString& text)
{
    return title + QStringLiteral(": ") + text;
}

// Every message shown, as "title: text".
QStringList boxes(const dialogRecorder& rec)
{
    QStringList out;
    for (const dialogRecorder::entry& e : rec.entries)
        out.append(box(e.title, e.text));
    return out;
}

// The result boxes carry the icon their outcome calls for.
void checkResultIcons(const dialogRecorder& rec)
{
    for (const dialogRecorder::entry& e : rec.entries) {
        if (e.text == QLatin1String("Upgrade successful!") || e.text == QLatin1String("Verification successful!"))
            QCOMPARE(e.icon, QMessageBox::Information);
        if (e.text == QLatin1String("Upgrade failed!"))
            QCOMPARE(e.icon, QMessageBox::Critical);
        if (e.text == QLatin1String("Verification failed!") || e.text.startsWith(QLatin1String("Firmware written")))
            QCOMPARE(e.icon, QMessageBox::Warning);
    }
}

QList<int> restartValues(const simController& sim)
{
    QList<int> out;
    for (const simLogEntry& e : sim.logOf(RESTART))
        out.append(e.value);
    return out;
}

void run(controllerRig& rig, int op, const QString& file)
{
    if (op == UPGRADE)
        rig.controller->upgradeFirmware(file);
    else
        rig.controller->verifyFirmware(file);
}

// The block lengths of a file in which every block is present: short ones,
// so that the 0xFF fill is part of every check.
upgradeFileBuilder shortBlocksFile(int row, int length = 0x100)
{
    upgradeFileBuilder b(row);
    b.withAllBlocks(length);
    return b;
}

void loadFlash(simController& sim, const upgradeFileBuilder& file)
{
    for (int b = 0; b < file.blocks.size(); ++b)
        sim.setFlashBlock(b, file.expectedFlash(b));
}

int rowOf(int typeWord)
{
    return typeWord == TYPE_WORD_OLD ? UPGRADE_ROW_SECTORS : UPGRADE_ROW_UNIFORM;
}

} // namespace

class tst_controller_upgrade : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void refusedBeforeSending_data();
    void refusedBeforeSending();
    void specialFilesAreNotOpened_data();
    void specialFilesAreNotOpened();
    void versionCheck_data();
    void versionCheck();
    void emptyFile_data();
    void emptyFile();
    void upgradeWrites_data();
    void upgradeWrites();
    void upgradeFailures_data();
    void upgradeFailures();
    void upgradeRepeatedAfterFailure();
    void restartAfterTheBlocks_data();
    void restartAfterTheBlocks();
    void verification_data();
    void verification();
    void verificationOfHaltedController();
    void stuckFlashByteFoundByVerification();

private:
    QString write(const upgradeFileBuilder& file, const QString& name = QStringLiteral("firmware.upg"))
    {
        const QString path = dir.filePath(name);
        if (!file.write(path))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    virtualClock clock;
    QTemporaryDir dir;
};

void tst_controller_upgrade::initTestCase()
{
    QVERIFY(dir.isValid());
}

void tst_controller_upgrade::refusedBeforeSending_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<QByteArray>("file");  // null: no file
    QTest::addColumn<bool>("connect");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");     // %1: the file name

    const QString improper = QStringLiteral("File %1\nis not a proper upgrade file!");
    const int warning = QMessageBox::Warning;

    upgradeFileBuilder current = shortBlocksFile(UPGRADE_ROW_UNIFORM);
    upgradeFileBuilder old = shortBlocksFile(UPGRADE_ROW_SECTORS);
    upgradeFileBuilder tooLong = current;
    tooLong.blocks[1].lengthCode = 0x201;
    upgradeFileBuilder partialGroup = old;
    partialGroup.blocks[2].lengthCode = 0x107;
    upgradeFileBuilder longHeader = current;
    longHeader.text = QByteArray(350, 'x');
    upgradeFileBuilder noMarker = current;
    noMarker.markerRun = 0;
    upgradeFileBuilder otherMagic = current;
    otherMagic.magic = "Kv310v3CFG";

    for (int op : {UPGRADE, VERIFY}) {
        const QString t = op == UPGRADE ? upgradeTitle : verifyTitle;
        const char* name = op == UPGRADE ? "upgrade" : "verification";
        const auto row = [name](const char* what) -> QTestData& { return QTest::addRow("%s: %s", name, what); };
        row("current family's file on old hardware")
            << op << TYPE_WORD_OLD << current.build() << true << warning << upgradeTitle << improper;
        row("old family's file on current hardware")
            << op << TYPE_WORD_CURRENT << old.build() << true << warning << upgradeTitle << improper;
        row("other magic") << op << TYPE_WORD_CURRENT << otherMagic.build() << true << warning << upgradeTitle
                           << improper;
        row("record longer than its block")
            << op << TYPE_WORD_CURRENT << tooLong.build() << true << warning << upgradeTitle << improper;
        row("record not whole groups")
            << op << TYPE_WORD_OLD << partialGroup.build() << true << warning << upgradeTitle << improper;
        row("directory past the header window")
            << op << TYPE_WORD_CURRENT << longHeader.build() << true << warning << upgradeTitle << improper;
        row("no end marker") << op << TYPE_WORD_CURRENT << noMarker.build() << true << warning << upgradeTitle
                             << improper;
        row("shorter than the header window") << op << TYPE_WORD_CURRENT << current.build().left(399) << true
                                              << warning << t << QStringLiteral("File reading error: %1");
        row("no such file") << op << TYPE_WORD_CURRENT << QByteArray() << true << warning << t
                            << QStringLiteral("File not found: %1");
        row("not connected") << op << TYPE_WORD_CURRENT << current.build() << false << int(QMessageBox::Information)
                             << t << QStringLiteral("Not connected!");
    }
}

void tst_controller_upgrade::refusedBeforeSending()
{
    QFETCH(int, op);
    QFETCH(int, typeWord);
    QFETCH(QByteArray, file);
    QFETCH(bool, connect);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);

    controllerRig rig(typeWord);
    if (connect)
        QVERIFY(rig.connect());
    const int modeBefore = rig.controller->deviceMode;
    const QString path = dir.filePath(QStringLiteral("refused.upg"));
    QFile::remove(path);
    if (!file.isNull()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }

    dialogRecorder rec;
    run(rig, op, path);

    QCOMPARE(rec.entries.size(), 1);
    QCOMPARE(int(rec.entries[0].icon), icon);
    QCOMPARE(rec.entries[0].title, title);
    QCOMPARE(rec.entries[0].text, text.contains(QLatin1String("%1")) ? text.arg(path) : text);
    QVERIFY(rig.sim->log.isEmpty());
    QCOMPARE(rig.controller->deviceMode, modeBefore);
    QCOMPARE(rig.controller->connected, connect ? 1 : 0);
    QVERIFY(rig.status->isEmpty());
}

void tst_controller_upgrade::specialFilesAreNotOpened_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<bool>("pipe");
    for (int op : {UPGRADE, VERIFY}) {
        const char* name = op == UPGRADE ? "upgrade" : "verification";
        QTest::addRow("%s: named pipe", name) << op << true;
        QTest::addRow("%s: directory", name) << op << false;
    }
}

void tst_controller_upgrade::specialFilesAreNotOpened()
{
    QFETCH(int, op);
    QFETCH(bool, pipe);

    controllerRig rig(TYPE_WORD_CURRENT);
    QVERIFY(rig.connect());
    QTemporaryDir here;
    const QString path = here.filePath(QStringLiteral("special.upg"));
    if (pipe)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QDir(here.path()).mkdir(QStringLiteral("special.upg")));

    dialogRecorder rec;
    run(rig, op, path);
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("File not found: ") + path});
    QCOMPARE(rec.entries[0].icon, QMessageBox::Warning);
    QVERIFY(rig.sim->log.isEmpty());
    QCOMPARE(rig.controller->connected, 1);
}

void tst_controller_upgrade::versionCheck_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("build");
    QTest::addColumn<int>("versionRefusals");
    QTest::addColumn<int>("answer");       // -1: no question expected
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("versionReads");
    QTest::addColumn<bool>("upgraded");

    const QString older = box(upgradeTitle, QStringLiteral("Do you really want to install older firmware release?"));
    const QString done = box(upgradeTitle, QStringLiteral("Upgrade successful!"));

    QTest::newRow("same release") << QByteArray("\nv_4.0.12") << 4 << 0 << 12 << 0 << -1
                                  << QStringList{box(upgradeTitle,
                                                     QStringLiteral("This release of firmware is already installed!"))}
                                  << 1 << false;
    QTest::newRow("older, cancelled") << QByteArray("\nv_3.99.1") << 4 << 0 << 12 << 0 << 0 << QStringList{older} << 1
                                      << false;
    QTest::newRow("older, confirmed") << QByteArray("\nv_3.99.1") << 4 << 0 << 12 << 0 << 1
                                      << QStringList{older, done} << 1 << true;
    QTest::newRow("newer") << QByteArray("\nKv310+ v_4.1.0") << 4 << 0 << 12 << 0 << -1 << QStringList{done} << 1
                           << true;
    // Versions compare part by part: a large build never outweighs the minor.
    QTest::newRow("newer minor, installed build large") << QByteArray("\nv_4.2.0") << 4 << 1 << 20000 << 0 << -1
                                                        << QStringList{done} << 1 << true;
    QTest::newRow("older minor, file build large") << QByteArray("\nv_4.1.20000") << 4 << 2 << 0 << 0 << 0
                                                   << QStringList{older} << 1 << false;
    QTest::newRow("mark opens the header text") << QByteArray("v_1.0.0") << 4 << 0 << 12 << 0 << -1
                                                << QStringList{done} << 0 << true;
    QTest::newRow("no mark") << QByteArray("\nnightly") << 4 << 0 << 12 << 0 << -1 << QStringList{done} << 0 << true;
    QTest::newRow("version read on the tenth try") << QByteArray("\nv_5.0.0") << 4 << 0 << 12 << 9 << -1
                                                   << QStringList{done} << 10 << true;
    QTest::newRow("version unreadable")
        << QByteArray("\nv_5.0.0") << 4 << 0 << 12 << 10 << -1
        << QStringList{box(usb, QStringLiteral("Current version reading error!"))} << 10 << false;
}

void tst_controller_upgrade::versionCheck()
{
    QFETCH(QByteArray, text);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, build);
    QFETCH(int, versionRefusals);
    QFETCH(int, answer);
    QFETCH(QStringList, boxes);
    QFETCH(int, versionReads);
    QFETCH(bool, upgraded);

    controllerRig rig;
    rig.sim->firmwareMajor = int8_t(major);
    rig.sim->firmwareMinor = int8_t(minor);
    rig.sim->firmwareBuild = int16_t(build);
    QVERIFY(rig.connect());
    upgradeFileBuilder file;
    file.withBlock(0, 0x100).withBlock(1, 0x100);
    file.text = text;
    if (versionRefusals)
        rig.sim->refuse(GET_FIRMWARE_VERSION, 1, versionRefusals);

    dialogRecorder rec;
    if (answer >= 0)
        rec.answer(answer);
    rig.controller->upgradeFirmware(write(file));

    QCOMPARE(::boxes(rec), boxes);
    checkResultIcons(rec);
    for (const dialogRecorder::entry& e : std::as_const(rec.entries)) {
        if (e.icon == QMessageBox::Question)
            QCOMPARE(e.buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("Yes, I do!")}));
    }
    QCOMPARE(rig.sim->countOf(GET_FIRMWARE_VERSION) - (upgraded ? 1 : 0), versionReads);
    if (upgraded) {
        QCOMPARE(rig.sim->flashFramesTaken, 2);
    } else {
        // Nothing but the version reads, and after a version that could not
        // be read one status read that tells whether the controller is still there.
        const bool unreadable = versionRefusals >= versionReads && versionReads > 0;
        QCOMPARE(rig.sim->log.size(), versionReads + (unreadable ? 1 : 0));
        if (unreadable)
            QCOMPARE(rig.sim->log.last().kind, int(GET_STATUS));
        QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
        QCOMPARE(rig.controller->connected, 1);
    }
}

void tst_controller_upgrade::emptyFile_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("upgrade") << int(UPGRADE)
                             << QStringList{box(upgradeTitle, QStringLiteral("The upgrade file is empty!"))};
    QTest::newRow("verification") << int(VERIFY)
                                  << QStringList{box(QStringLiteral("KVO Kv310+"),
                                                     QStringLiteral("Verification successful!"))};
}

void tst_controller_upgrade::emptyFile()
{
    QFETCH(int, op);
    QFETCH(QStringList, boxes);

    controllerRig rig;
    QVERIFY(rig.connect());
    dialogRecorder rec;
    run(rig, op, write(upgradeFileBuilder()));

    QCOMPARE(::boxes(rec), boxes);
    if (op == UPGRADE) {
        QVERIFY(rig.sim->log.isEmpty());
        return;
    }
    // Into the upgrade state, nothing compared, and back out of it.
    QCOMPARE(restartValues(*rig.sim), QList<int>{RESTART_INTO_UPGRADE});
    QCOMPARE(rig.sim->countOf(FLASH_READ), 0);
    QCOMPARE(rig.sim->countOf(RESUME), 1);
    QCOMPARE(rig.sim->workingMode(), MODE_NORMAL);
    QCOMPARE(rig.controller->connected, 1);
    QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
}

void tst_controller_upgrade::upgradeWrites_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<QList<int>>("lengths");     // 0: block absent
    QTest::addColumn<int>("wireValue");          // of FLASH_WRITE, as on the wire
    QTest::addColumn<int>("wireIndex");
    QTest::addColumn<QList<int>>("counters");
    QTest::addColumn<QList<int>>("addresses");
    QTest::addColumn<QList<int>>("lengthCodes");
    QTest::addColumn<QList<int>>("frameSizes");

    // Old hardware takes the words with their bytes exchanged.
    QTest::newRow("old family, every block")
        << TYPE_WORD_OLD << QList<int>{0x8000, 0x10000, 0x10000, 0x10000, 0x4000} << 0x0500 << 0x8000
        << QList<int>{0, 1, 2, 3, 4} << QList<int>{0x40008000, 0x40010000, 0x40020000, 0x40030000, 0x400C0000}
        << QList<int>{0x7FFF, 0xFFFF, 0xFFFF, 0xFFFF, 0x3FFF} << QList<int>{0x800C, 0x1000C, 0x1000C, 0x1000C, 16396};
    QTest::newRow("old family, short block 0 padded, block 2 absent")
        << TYPE_WORD_OLD << QList<int>{0x7F00, 0x100, 0, 0x40, 0x4000} << 0x0400 << 0x8000 << QList<int>{0, 1, 3, 4}
        << QList<int>{0x40008000, 0x40010000, 0x40030000, 0x400C0000} << QList<int>{0x7FFF, 0xFFFF, 0xFFFF, 0x3FFF}
        << QList<int>{0x800C, 0x1000C, 0x1000C, 16396};
    QTest::newRow("current family, every block")
        << TYPE_WORD_CURRENT << QList<int>{0x20000, 0x1000, 0x100, 0x1000, 0x1F00, 0x20000} << 6 << 0
        << QList<int>{0, 1, 2, 3, 4, 5}
        << QList<int>{0x08040000, 0x08060000, 0x08080000, 0x080A0000, 0x080C0000, 0x080E0000}
        << QList<int>{0x200, 0x200, 0x200, 0x200, 0x200, 0x200}
        << QList<int>{131084, 131084, 131084, 131084, 131084, 131084};
    // The announcement names block 0's place even when block 0 is absent.
    QTest::newRow("current family, blocks 0 and 3 absent")
        << TYPE_WORD_CURRENT << QList<int>{0, 0x100, 0x100, 0, 0x100, 0x100} << 4 << 0 << QList<int>{1, 2, 4, 5}
        << QList<int>{0x08060000, 0x08080000, 0x080C0000, 0x080E0000} << QList<int>{0x200, 0x200, 0x200, 0x200}
        << QList<int>{131084, 131084, 131084, 131084};
}

void tst_controller_upgrade::upgradeWrites()
{
    QFETCH(int, typeWord);
    QFETCH(QList<int>, lengths);
    QFETCH(int, wireValue);
    QFETCH(int, wireIndex);
    QFETCH(QList<int>, counters);
    QFETCH(QList<int>, addresses);
    QFETCH(QList<int>, lengthCodes);
    QFETCH(QList<int>, frameSizes);

    controllerRig rig(typeWord);
    QVERIFY(rig.connect());
    // Whatever the flash held before must not show through the fill.
    const QByteArray before(0x20000, char(0x5A));
    for (int b = 0; b < lengths.size(); ++b)
        rig.sim->setFlashBlock(b, before);
    upgradeFileBuilder file(rowOf(typeWord));
    for (int b = 0; b < lengths.size(); ++b) {
        if (lengths[b])
            file.withBlock(b, lengths[b]);
    }

    dialogRecorder rec;
    rig.controller->upgradeFirmware(write(file));

    QCOMPARE(::boxes(rec), QStringList{box(upgradeTitle, QStringLiteral("Upgrade successful!"))});
    checkResultIcons(rec);

    const QList<simLogEntry> announce = rig.sim->logOf(FLASH_WRITE);
    QCOMPARE(announce.size(), 1);
    QCOMPARE(int(announce[0].value), wireValue);
    QCOMPARE(int(announce[0].index), wireIndex);

    const QList<simLogEntry> frames = rig.sim->logOf(SIM_BULK_OUT);
    QCOMPARE(frames.size(), counters.size());
    for (int i = 0; i < frames.size(); ++i) {
        const uchar* header = reinterpret_cast<const uchar*>(frames[i].data.constData());
        QCOMPARE(int(header[0]), int(FLASH_WRITE));
        QCOMPARE(int(header[1]), counters[i]);
        QCOMPARE(int(qFromLittleEndian<quint16>(header + 2)), lengthCodes[i]);
        QCOMPARE(qFromLittleEndian<quint32>(header + 4), quint32(addresses[i]));
        QCOMPARE(frames[i].length, frameSizes[i]);
        QCOMPARE(frames[i].result, frameSizes[i]);
    }

    for (int b = 0; b < lengths.size(); ++b) {
        const QByteArray expected = lengths[b] ? file.expectedFlash(b) : before.left(file.target().blockSize(b));
        QVERIFY2(rig.sim->flashBlock(b) == expected, qPrintable(QStringLiteral("block %1").arg(b)));
    }

    // Into the upgrade state, and the new firmware started afterwards.
    QCOMPARE(restartValues(*rig.sim), (QList<int>{RESTART_INTO_UPGRADE, 0}));
    QCOMPARE(rig.sim->workingMode(), MODE_NORMAL);
    QCOMPARE(rig.controller->connected, 1);
    QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
}

namespace {
enum upgradeFault {
    FLASH_WRITE_REFUSED,
    READY_NEVER,
    CRC_WRONG_IN_BLOCK_2,
    DONE_NEVER,
    DONE_LATE,
    THIRD_BLOCK_REJECTED,
    LAST_BLOCK_REJECTED,
    SHORT_BULK_WRITE,
    NEVER_HALTED,
    NOT_BACK_AFTER_RESTART,
    STATUS_UNREADABLE,
    CABLE_PULLED_AFTER_BLOCK_2,
};
}

void tst_controller_upgrade::upgradeFailures_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("framesTaken");
    QTest::addColumn<int>("restarts");
    QTest::addColumn<bool>("haltedAfter");
    QTest::addColumn<int>("pollsAfterLastFrame");  // -1: not counted
    QTest::addColumn<bool>("linkLost");

    const QString protocol = box(usb, QStringLiteral("Protocol error!"));
    const QString writing = box(usb, QStringLiteral("Writing error!"));
    const QString failed = box(upgradeTitle, QStringLiteral("Upgrade failed!"));

    // Refused before the first block: no result box.
    QTest::newRow("FLASH_WRITE refused") << int(FLASH_WRITE_REFUSED) << QStringList{writing} << 0 << 1 << true << -1 << false;
    QTest::newRow("never ready for data") << int(READY_NEVER) << QStringList{protocol} << 0 << 1 << true << -1 << false;
    QTest::newRow("controller never halted") << int(NEVER_HALTED) << QStringList{protocol} << 0 << 3 << false << -1 << false;
    QTest::newRow("controller not back after the restart")
        << int(NOT_BACK_AFTER_RESTART) << QStringList{protocol} << 0 << 1 << true << -1 << true;
    QTest::newRow("status unreadable") << int(STATUS_UNREADABLE) << QStringList{protocol} << 0 << 0 << false << -1 << true;
    // During the blocks: the result box follows.
    QTest::newRow("CRC error in block 2")
        << int(CRC_WRONG_IN_BLOCK_2) << QStringList{box(upgradeTitle, QStringLiteral("CRC error in block 2")), failed}
        << 2 << 1 << true << -1 << false;
    QTest::newRow("block never confirmed") << int(DONE_NEVER) << QStringList{protocol, failed} << 1 << 1 << true << 100 << false;
    QTest::newRow("third block rejected") << int(THIRD_BLOCK_REJECTED) << QStringList{protocol, failed} << 2 << 1
                                          << true << 1 << false;
    QTest::newRow("last block rejected") << int(LAST_BLOCK_REJECTED) << QStringList{protocol, failed} << 5 << 1
                                         << true << 1 << false;
    QTest::newRow("cable pulled after block 2") << int(CABLE_PULLED_AFTER_BLOCK_2) << QStringList{protocol, failed}
                                                 << 2 << 1 << true << -1 << true;
    QTest::newRow("short bulk write") << int(SHORT_BULK_WRITE) << QStringList{writing, failed} << 1 << 1 << true << -1 << false;
    // A slow flash is waited for, up to 100 polls a block.
    QTest::newRow("blocks confirmed late")
        << int(DONE_LATE) << QStringList{box(upgradeTitle, QStringLiteral("Upgrade successful!"))} << 6 << 2 << false
        << -1 << false;
}

void tst_controller_upgrade::upgradeFailures()
{
    QFETCH(int, fault);
    QFETCH(QStringList, boxes);
    QFETCH(int, framesTaken);
    QFETCH(int, restarts);
    QFETCH(bool, haltedAfter);
    QFETCH(int, pollsAfterLastFrame);
    QFETCH(bool, linkLost);

    controllerRig rig;
    QVERIFY(rig.connect());
    upgradeFileBuilder file = shortBlocksFile(UPGRADE_ROW_UNIFORM);
    simController& sim = *rig.sim;
    switch (fault) {
    case FLASH_WRITE_REFUSED:
        sim.refuse(FLASH_WRITE);
        break;
    case READY_NEVER:
        sim.setRiseDelay(STATUS_READY_FOR_DATA, 100000);
        break;
    case CRC_WRONG_IN_BLOCK_2:
        file.blocks[2].crc = qChecksum(QByteArrayView(upgradeFileBuilder::scramble(file.blocks[2].flash))) ^ 1;
        break;
    case DONE_NEVER:
        sim.setRiseDelay(STATUS_DONE, 100000);
        break;
    case DONE_LATE:
        sim.setRiseDelay(STATUS_DONE, 90);
        break;
    case THIRD_BLOCK_REJECTED:
        sim.rejectFlashFrames(3);
        break;
    case LAST_BLOCK_REJECTED:
        sim.rejectFlashFrames(6);
        break;
    case SHORT_BULK_WRITE:
        sim.shorten(SIM_BULK_OUT, 100, 2);
        break;
    case NEVER_HALTED:
        sim.refuse(RESTART, 1, -1);
        break;
    case NOT_BACK_AFTER_RESTART:
        sim.rebootMs = 600000;
        break;
    case STATUS_UNREADABLE:
        sim.refuse(GET_STATUS, 1, -1);
        break;
    case CABLE_PULLED_AFTER_BLOCK_2:
        sim.transferDone = [&sim](const simLogEntry& e) {
            if (e.kind == SIM_BULK_OUT && sim.countOf(SIM_BULK_OUT) == 2)
                sim.plugged = false;
        };
        break;
    }

    dialogRecorder rec;
    rig.controller->upgradeFirmware(write(file));

    QCOMPARE(::boxes(rec), boxes);
    checkResultIcons(rec);
    QCOMPARE(sim.flashFramesTaken, framesTaken);
    QCOMPARE(sim.countOf(RESTART), restarts);
    QCOMPARE(sim.workingMode() == MODE_HALTED, haltedAfter);
    if (linkLost) {
        // A controller that no longer answers is shown as gone.
        QVERIFY(rig.droppedOnce());
        QCOMPARE(rig.controller->deviceMode, 0);
    } else if (fault != DONE_LATE) {
        // A controller that still answers keeps its connection.
        QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
        QCOMPARE(rig.controller->connected, 1);
        QVERIFY(rig.status->isEmpty());
    }
    if (pollsAfterLastFrame >= 0) {
        // A rejected block ends the upgrade at the first answer that says so;
        // a block never confirmed is waited for 100 polls.
        int polls = 0;
        for (const simLogEntry& e : std::as_const(sim.log)) {
            if (e.kind == SIM_BULK_OUT)
                polls = 0;
            else if (e.kind == GET_STATUS)
                ++polls;
        }
        QCOMPARE(polls, pollsAfterLastFrame);
    }
    // Blocks written before a failure stay written.
    for (int b = 0; b < framesTaken; ++b)
        QCOMPARE(sim.flashBlock(b), file.expectedFlash(b));
}

// A failed upgrade leaves the controller halted; the next attempt finds it
// so, restarts nothing and writes every block.
void tst_controller_upgrade::upgradeRepeatedAfterFailure()
{
    controllerRig rig;
    QVERIFY(rig.connect());
    upgradeFileBuilder file = shortBlocksFile(UPGRADE_ROW_UNIFORM);
    const upgradeFileBuilder good = file;
    file.blocks[2].crc = 0;

    dialogRecorder rec;
    rig.controller->upgradeFirmware(write(file));
    QCOMPARE(rec.texts().last(), QStringLiteral("Upgrade failed!"));
    QCOMPARE(rig.sim->workingMode(), MODE_HALTED);
    rig.sim->log.clear();
    rec.clear();

    rig.controller->upgradeFirmware(write(good));
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Upgrade successful!")});
    QCOMPARE(restartValues(*rig.sim), QList<int>{0});
    for (int b = 0; b < good.blocks.size(); ++b)
        QCOMPARE(rig.sim->flashBlock(b), good.expectedFlash(b));
}

namespace {
enum restartFault { BACK_AND_ANSWERING, RESTART_HANGS, BACK_HUNG, NEVER_BACK };
}

void tst_controller_upgrade::restartAfterTheBlocks_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("connectedAfter");

    const QString notAnswered = QStringLiteral("Firmware written, but the controller\ndid not answer afterwards!");
    QTest::newRow("back and answering") << int(BACK_AND_ANSWERING) << QStringLiteral("Upgrade successful!") << true;
    QTest::newRow("restart request never answered") << int(RESTART_HANGS) << notAnswered << false;
    QTest::newRow("back from the restart, but hung") << int(BACK_HUNG) << notAnswered << false;
    QTest::newRow("never back from the restart") << int(NEVER_BACK) << notAnswered << false;
}

// Every block was written; only a controller that came back from the final
// restart and answered has been upgraded. One that did not is not in its
// upgrade state either, and the status shows it gone.
void tst_controller_upgrade::restartAfterTheBlocks()
{
    QFETCH(int, fault);
    QFETCH(QString, result);
    QFETCH(bool, connectedAfter);

    controllerRig rig;
    QVERIFY(rig.connect());
    const upgradeFileBuilder file = shortBlocksFile(UPGRADE_ROW_UNIFORM);
    simController& sim = *rig.sim;
    // The first restart takes the controller into its upgrade state; the
    // second, after the last block, starts the new firmware.
    if (fault == RESTART_HANGS)
        sim.hang(RESTART, 2);
    sim.transferDone = [&sim, fault](const simLogEntry& e) {
        if (e.kind != SIM_BULK_OUT || sim.countOf(SIM_BULK_OUT) != 6)
            return;
        if (fault == BACK_HUNG)
            sim.hangAfterRestart = true;
        else if (fault == NEVER_BACK)
            sim.rebootMs = 600000;
    };

    dialogRecorder rec;
    rig.controller->upgradeFirmware(write(file));

    QCOMPARE(::boxes(rec), QStringList{box(upgradeTitle, result)});
    checkResultIcons(rec);
    QCOMPARE(sim.flashFramesTaken, 6);
    QCOMPARE(restartValues(sim), (QList<int>{RESTART_INTO_UPGRADE, 0}));
    QCOMPARE(rig.controller->connected, int(connectedAfter));
    QCOMPARE(rig.controller->device->isConnected(), connectedAfter);
    QCOMPARE(rig.statusSignals().value(rig.statusSignals().size() - 1), connectedAfter);
    QCOMPARE(rig.controller->deviceMode, connectedAfter ? MODE_NORMAL : 0);
}

namespace {
enum verifyFault {
    NONE,
    DIFFERENCE_BLOCK_3,
    DIFFERENCES_BLOCKS_1_AND_5,
    NOT_ERASED_AFTER_SHORT_BLOCK,
    CORRUPT_READ_BACK,
    FLASH_READ_REFUSED,
    DATA_NEVER_READY,
    SHORT_READ,
    CRC_WRONG_IN_FILE_BLOCK_2,
    STATUS_READ_FAILS_AT_BLOCK_1,
};
}

void tst_controller_upgrade::verification_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("flashReads");

    const QString current = QStringLiteral("KVO Kv310+");
    const QString old = QStringLiteral("KVO Kv310");
    const QString failed = box(current, QStringLiteral("Verification failed!"));
    const auto difference = [](int block, const char* address) {
        return box(usb,
                   QStringLiteral("Verification error: block %1\naddress 0x%2").arg(block).arg(QLatin1String(address)));
    };

    QTest::newRow("current family, same") << TYPE_WORD_CURRENT << int(NONE) << QList<int>{}
                                          << QStringList{box(current, QStringLiteral("Verification successful!"))}
                                          << 6;
    QTest::newRow("old family, same") << TYPE_WORD_OLD << int(NONE) << QList<int>{}
                                      << QStringList{box(old, QStringLiteral("Verification successful!"))} << 5;
    QTest::newRow("difference, ignored") << TYPE_WORD_CURRENT << int(DIFFERENCE_BLOCK_3) << QList<int>{0}
                                         << QStringList{difference(3, "1a2"), failed} << 6;
    QTest::newRow("difference, exit") << TYPE_WORD_CURRENT << int(DIFFERENCE_BLOCK_3) << QList<int>{1}
                                      << QStringList{difference(3, "1a2"), failed} << 4;
    QTest::newRow("differences in two blocks")
        << TYPE_WORD_CURRENT << int(DIFFERENCES_BLOCKS_1_AND_5) << QList<int>{0, 0}
        << QStringList{difference(1, "0"), difference(5, "1ffff"), failed} << 6;
    QTest::newRow("flash not erased after a short block")
        << TYPE_WORD_OLD << int(NOT_ERASED_AFTER_SHORT_BLOCK) << QList<int>{0}
        << QStringList{difference(0, "7f80"), box(old, QStringLiteral("Verification failed!"))} << 5;
    QTest::newRow("corrupt read-back")
        << TYPE_WORD_CURRENT << int(CORRUPT_READ_BACK) << QList<int>{}
        << QStringList{box(usb, QStringLiteral("Incorrect structure of block 1")), failed} << 2;
    QTest::newRow("FLASH_READ refused") << TYPE_WORD_CURRENT << int(FLASH_READ_REFUSED) << QList<int>{}
                                        << QStringList{box(usb, QStringLiteral("Writing error!")), failed} << 3;
    QTest::newRow("data never ready") << TYPE_WORD_CURRENT << int(DATA_NEVER_READY) << QList<int>{}
                                      << QStringList{box(usb, QStringLiteral("Protocol error!")), failed} << 1;
    QTest::newRow("short read") << TYPE_WORD_CURRENT << int(SHORT_READ) << QList<int>{}
                                << QStringList{box(usb, QStringLiteral("Reading error!")), failed} << 1;
    QTest::newRow("CRC error in the file's block 2")
        << TYPE_WORD_CURRENT << int(CRC_WRONG_IN_FILE_BLOCK_2) << QList<int>{}
        << QStringList{box(verifyTitle, QStringLiteral("CRC error in block 2")), failed} << 2;
    QTest::newRow("status unreadable before block 1")
        << TYPE_WORD_CURRENT << int(STATUS_READ_FAILS_AT_BLOCK_1) << QList<int>{}
        << QStringList{box(usb, QStringLiteral("Control error!")), failed} << 1;
}

void tst_controller_upgrade::verification()
{
    QFETCH(int, typeWord);
    QFETCH(int, fault);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, boxes);
    QFETCH(int, flashReads);

    controllerRig rig(typeWord);
    simController& sim = *rig.sim;
    upgradeFileBuilder file = shortBlocksFile(rowOf(typeWord));
    if (fault == NOT_ERASED_AFTER_SHORT_BLOCK)
        file.withBlock(0, 0x7F00);
    loadFlash(sim, file);
    const auto flip = [&sim](int block, int offset) {
        QByteArray bytes = sim.flashBlock(block);
        bytes[offset] = char(~bytes[offset]);
        sim.setFlashBlock(block, bytes);
    };

    switch (fault) {
    case DIFFERENCE_BLOCK_3:
        flip(3, 0x1A2);
        break;
    case DIFFERENCES_BLOCKS_1_AND_5:
        flip(1, 0);
        flip(1, 0x40);  // only the first difference of a block is shown
        flip(5, 0x1FFFF);
        break;
    case NOT_ERASED_AFTER_SHORT_BLOCK:
        flip(0, 0x7F80);
        break;
    case CORRUPT_READ_BACK:
        sim.corruptFrames(2);
        break;
    case FLASH_READ_REFUSED:
        sim.refuse(FLASH_READ, 3);
        break;
    case DATA_NEVER_READY:
        sim.setRiseDelay(STATUS_DONE, 100000);
        break;
    case SHORT_READ:
        sim.shorten(SIM_BULK_IN, 100);
        break;
    case CRC_WRONG_IN_FILE_BLOCK_2:
        file.blocks[2].crc = qChecksum(QByteArrayView(upgradeFileBuilder::scramble(file.blocks[2].flash))) ^ 0x8000;
        break;
    default:
        break;
    }
    if (fault == STATUS_READ_FAILS_AT_BLOCK_1) {
        // Found halted: ten status reads settle the upgrade state, then one
        // before and one after the read of block 0; the next one fails.
        sim.raise(STATUS_HALTED);
        QVERIFY(rig.connect());
        sim.refuse(GET_STATUS, 13);
    } else {
        QVERIFY(rig.connect());
    }

    dialogRecorder rec;
    for (int answer : std::as_const(answers))
        rec.answer(answer);
    rig.controller->verifyFirmware(write(file));

    QCOMPARE(::boxes(rec), boxes);
    checkResultIcons(rec);
    for (const dialogRecorder::entry& e : std::as_const(rec.entries)) {
        if (e.icon == QMessageBox::Question)
            QCOMPARE(e.buttons, (QStringList{QStringLiteral("Ignore"), QStringLiteral("Exit")}));
    }
    QCOMPARE(rec.pendingAnswers(), 0);
    QCOMPARE(sim.countOf(FLASH_READ), flashReads);
    QCOMPARE(sim.flashFramesTaken, 0);
    // Always back out of the upgrade state and connected again.
    QCOMPARE(sim.countOf(RESUME), 1);
    QCOMPARE(sim.workingMode(), MODE_NORMAL);
    QCOMPARE(rig.controller->connected, 1);
    QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
}

// A controller that is halted all along (an interrupted upgrade) is not
// restarted; the verification reads every block, then resumes it and
// connects again.
void tst_controller_upgrade::verificationOfHaltedController()
{
    controllerRig rig;
    rig.sim->raise(STATUS_HALTED);
    QVERIFY(rig.connect());
    QCOMPARE(rig.controller->deviceMode, MODE_HALTED);
    const upgradeFileBuilder file = shortBlocksFile(UPGRADE_ROW_UNIFORM);
    loadFlash(*rig.sim, file);

    dialogRecorder rec;
    for (int b = 0; b < 6; ++b)
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Bulk %1 received: 131084").arg(b)));
    rig.controller->verifyFirmware(write(file));

    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Verification successful!")});
    QCOMPARE(rig.sim->countOf(RESTART), 0);
    QCOMPARE(rig.sim->countOf(FLASH_READ), 6);
    // Block addresses, as on the wire.
    const QList<simLogEntry> reads = rig.sim->logOf(FLASH_READ);
    for (int b = 0; b < reads.size(); ++b) {
        QCOMPARE(int(reads[b].value), 1);
        QCOMPARE(int(reads[b].index), b << 9);
    }

    // RESUME after the last read, then a fresh connection in normal mode.
    int lastRead = -1;
    int resume = -1;
    for (int i = 0; i < rig.sim->log.size(); ++i) {
        if (rig.sim->log[i].kind == FLASH_READ)
            lastRead = i;
        if (rig.sim->log[i].kind == RESUME)
            resume = i;
    }
    QVERIFY(lastRead >= 0 && resume > lastRead);
    QCOMPARE(rig.sim->countOf(RESUME), 1);
    QCOMPARE(rig.sim->workingMode(), MODE_NORMAL);
    QCOMPARE(rig.controller->connected, 1);
    QCOMPARE(rig.controller->deviceMode, MODE_NORMAL);
    QCOMPARE(rig.statusSignals().last(), true);
}

// A flash byte that does not take what is written: the upgrade cannot see
// it, the verification finds it.
void tst_controller_upgrade::stuckFlashByteFoundByVerification()
{
    controllerRig rig;
    QVERIFY(rig.connect());
    const upgradeFileBuilder file = shortBlocksFile(UPGRADE_ROW_UNIFORM);
    const int offset = 0x10;
    rig.sim->stuckFlashBytes[0x08040000 + 2 * 0x20000 + offset] = uint8_t(~file.blocks[2].flash[offset]);

    dialogRecorder rec;
    rig.controller->upgradeFirmware(write(file));
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Upgrade successful!")});

    rec.clear();
    rec.answer(0);
    rig.controller->verifyFirmware(write(file));
    QCOMPARE(rec.texts(), (QStringList{QStringLiteral("Verification error: block 2\naddress 0x10"),
                                       QStringLiteral("Verification failed!")}));
}

QTEST_MAIN(tst_controller_upgrade)
#include "tst_controller_upgrade.moc"
