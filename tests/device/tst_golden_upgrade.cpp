#include "controller_rig.h"
#include "upgrade_file_builder.h"

#include "device/upgrade_file.h"
#include "support/dialog_recorder.h"
#include "support/golden_files.h"
#include "support/virtual_clock.h"

#include <QTemporaryDir>
#include <QTest>

// Firmware upgrade files as the maker's tool lays them out, kept as they
// were built (tests/data): their header and the firmware they carry, and an
// upgrade and a verification of a controller with each.
class tst_golden_upgrade : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void upgradeFile_data();
    void upgradeFile();

private:
    virtualClock clock;
};

void tst_golden_upgrade::upgradeFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("typeWord");  // of the controllers it is for
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("hasVersion");
    QTest::addColumn<QList<int>>("lengths");  // per block; 0 = absent

    // Block b holds upgradeFileBuilder::firmware(length, b).
    QTest::newRow("Kv310+UPG, version 4.2.17")
        << "firmware_uniform.upg" << TYPE_WORD_CURRENT << UPGRADE_ROW_UNIFORM << true
        << QList<int>{0x200, 0, 0, 0x100, 0, 0};
    QTest::newRow("Kv310SEUPG, no version") << "firmware_sectors.upg" << TYPE_WORD_OLD << UPGRADE_ROW_SECTORS << false
                                           << QList<int>{0, 0x40, 0, 0, 0x20};
}

void tst_golden_upgrade::upgradeFile()
{
    QFETCH(QString, file);
    QFETCH(int, typeWord);
    QFETCH(int, row);
    QFETCH(bool, hasVersion);
    QFETCH(QList<int>, lengths);

    QTemporaryDir dir;
    const QString path = goldenCopy(dir, file);
    QVERIFY(!path.isEmpty());
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();

    upgradeHeader header;
    QCOMPARE(parseUpgradeHeader(bytes, &header), upgradeHeaderCheck::ok);
    QCOMPARE(header.row, row);
    QCOMPARE(header.hasVersion, hasVersion);
    if (hasVersion) {
        QCOMPARE(header.version.major, 4);
        QCOMPARE(header.version.minor, 2);
        QCOMPARE(header.version.build, 17);
    }
    QCOMPARE(int(header.directory.size()), int(lengths.size()));
    for (int b = 0; b < lengths.size(); ++b) {
        const upgradeDirEntry& e = header.directory[size_t(b)];
        QCOMPARE(e.present(), lengths[b] > 0);
        if (!e.present())
            continue;
        const int length = upgradeBlockLength(header.target(), e.lengthCode);
        QCOMPARE(length, lengths[b]);
        QByteArray block = bytes.mid(qsizetype(e.offset), length);
        QCOMPARE(qChecksum(QByteArrayView(block)), e.crc);
        descrambleUpgradeBlock(reinterpret_cast<uint8_t*>(block.data()), length);
        QVERIFY2(block == upgradeFileBuilder::firmware(length, b), qPrintable(QStringLiteral("block %1").arg(b)));
    }

    // A controller of its type takes it, and holds what it carries.
    controllerRig rig(typeWord);
    QVERIFY(rig.connect());
    const QByteArray before(0x20000, char(0x5A));
    for (int b = 0; b < lengths.size(); ++b)
        rig.sim->setFlashBlock(b, before);
    dialogRecorder rec;
    rig.controller->upgradeFirmware(path);
    rig.controller->verifyFirmware(path);
    QCOMPARE(rec.texts(), (QStringList{"Upgrade successful!", "Verification successful!"}));
    for (int b = 0; b < lengths.size(); ++b) {
        const int size = header.target().blockSize(b);
        const QByteArray expected = lengths[b] ? upgradeFileBuilder::firmware(lengths[b], b)
                                                     + QByteArray(size - lengths[b], char(0xFF))
                                               : before.left(size);
        QVERIFY2(rig.sim->flashBlock(b) == expected, qPrintable(QStringLiteral("block %1").arg(b)));
    }
}

QTEST_MAIN(tst_golden_upgrade)
#include "tst_golden_upgrade.moc"
