#include "upgrade_file_builder.h"

#include <QTest>

Q_DECLARE_METATYPE(upgradeHeaderCheck)

class tst_upgrade_file : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void header_data();
    void header();
    void headerNeverLooksBeyondItsWindow();
    void versionMark_data();
    void versionMark();
    void versionOrder_data();
    void versionOrder();
    void descramble();
};

void tst_upgrade_file::header_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<upgradeHeaderCheck>("check");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("present");

    const auto ok = upgradeHeaderCheck::ok;
    const auto refused = upgradeHeaderCheck::notUpgradeFile;

    upgradeFileBuilder uniform;
    uniform.withBlock(0, 0x100).withBlock(3, 0x20000).withBlock(5, 0x1000);
    QTest::newRow("current family") << uniform.build() << ok << 2 << 0x1D3 << 3;

    upgradeFileBuilder sectors(UPGRADE_ROW_SECTORS);
    sectors.withBlock(0, 0x7F00).withBlock(4, 0x4000);
    QTest::newRow("old family") << sectors.build() << ok << 0 << 0xD3 << 2;

    upgradeFileBuilder none;
    QTest::newRow("every record absent") << none.build() << ok << 2 << 0x1D3 << 0;

    upgradeFileBuilder b = uniform;
    b.magic = "Kv310+UPGX";
    QTest::newRow("magic with more on its line") << b.build() << refused << -1 << 0 << 0;
    b = uniform;
    b.magic = "kv310+upg";
    QTest::newRow("magic in other case") << b.build() << refused << -1 << 0 << 0;
    b = uniform;
    b.magic = "Kv310v3CFG";
    QTest::newRow("configuration file") << b.build() << refused << -1 << 0 << 0;
    b = uniform;
    b.withCr = false;
    b.text.clear();
    QTest::newRow("no CR in the window") << b.build() << refused << -1 << 0 << 0;
    // Every record absent, so the directory has no NUL either.
    QByteArray noNul = QByteArray("Kv310+UPG\r\nfirmware") + QByteArray(3, char(UPGRADE_END_MARKER))
        + QByteArray(6 * UPGRADE_DIR_ENTRY_SIZE, char(0xFF));
    noNul.append(QByteArray(UPGRADE_HEADER_SIZE - noNul.size(), 'y'));
    QTest::newRow("no NUL in the window") << noNul << refused << -1 << 0 << 0;
    noNul[UPGRADE_HEADER_SIZE - 1] = '\0';
    QTest::newRow("NUL as the window's last byte") << noNul << ok << 2 << 0x1D3 << 0;
    b = uniform;
    b.markerRun = 0;
    QTest::newRow("no end marker in the window") << b.build() << refused << -1 << 0 << 0;
    b = uniform;
    b.text = QByteArray(400 - 10 - 1 - 3 - 6 * 8 + 1, 'x');
    QTest::newRow("directory one byte past the window") << b.build() << refused << -1 << 0 << 0;
    b.text.chop(1);
    QTest::newRow("directory ending with the window") << b.build() << ok << 2 << 0x1D3 << 3;

    // A marker byte before position 11 is header text; the directory follows
    // the first run from there on.
    b = uniform;
    b.text = QByteArray("\x1A" "abc", 4);
    QTest::newRow("marker byte at position 10 is text") << b.build() << ok << 2 << 0x1D3 << 3;

    b = uniform;
    b.blocks[3].lengthCode = 0x201;
    QTest::newRow("record longer than its block") << b.build() << refused << -1 << 0 << 0;
    b = sectors;
    b.blocks[4].lengthCode = 0x400F;
    QTest::newRow("old family: record a group longer than block 4") << b.build() << refused << -1 << 0 << 0;
    b = sectors;
    b.blocks[0].lengthCode = 0x7EF7;
    QTest::newRow("record not whole groups") << b.build() << refused << -1 << 0 << 0;
    b = sectors;
    b.blocks[1].present = false;
    b.blocks[1].lengthCode = 0x7EF7;
    b.blocks[4].present = false;
    QTest::newRow("absent records are not measured") << b.build() << ok << 0 << 0xD3 << 1;

    QTest::newRow("shorter than the window") << uniform.build().left(399) << upgradeHeaderCheck::tooShort << -1 << 0
                                             << 0;
}

void tst_upgrade_file::header()
{
    QFETCH(QByteArray, bytes);
    QFETCH(upgradeHeaderCheck, check);
    QFETCH(int, row);
    QFETCH(int, typeWord);
    QFETCH(int, present);

    upgradeHeader header;
    QCOMPARE(parseUpgradeHeader(bytes, &header), check);
    QCOMPARE(header.row, row);
    if (check != upgradeHeaderCheck::ok) {
        QVERIFY(header.directory.empty());
        return;
    }
    QCOMPARE(header.typeWord, typeWord);
    QCOMPARE(int(header.directory.size()), int(header.target().blockCount));
    QCOMPARE(header.presentBlocks(), present);
}

// The parser gets exactly the window, in a buffer of its own: any read past
// it would show under a memory checker, and nothing after it may matter.
void tst_upgrade_file::headerNeverLooksBeyondItsWindow()
{
    // Magic, text and NUL in the window, the end marker and a directory only after it.
    QByteArray file = QByteArray("Kv310+UPG\r\nfirmware") + QByteArray(1, '\0');
    file.append(QByteArray(UPGRADE_HEADER_SIZE - file.size(), 'x'));
    file.append(QByteArray(8, char(UPGRADE_END_MARKER)));
    file.append(QByteArray(6 * UPGRADE_DIR_ENTRY_SIZE, char(0xFF)));
    const QByteArray window = file.left(UPGRADE_HEADER_SIZE);
    upgradeHeader header;
    QCOMPARE(parseUpgradeHeader(QByteArrayView(window), &header), upgradeHeaderCheck::notUpgradeFile);
    QCOMPARE(parseUpgradeHeader(QByteArrayView(file), &header), upgradeHeaderCheck::notUpgradeFile);
}

void tst_upgrade_file::versionMark_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("build");

    QTest::newRow("after a line feed") << QByteArray("\nv_4.0.12") << true << 4 << 0 << 12;
    QTest::newRow("within the text") << QByteArray("\nrelease v_3.99.1 beta") << true << 3 << 99 << 1;
    QTest::newRow("first of two marks") << QByteArray("\nv_4.0.12 after v_5.0.0") << true << 4 << 0 << 12;
    QTest::newRow("opening the text") << QByteArray("v_4.0.12") << false << 0 << 0 << 0;
    QTest::newRow("no mark") << QByteArray("\nfirmware 4.0.12") << false << 0 << 0 << 0;
    QTest::newRow("build missing") << QByteArray("\nv_4.1") << true << 4 << 1 << 0;
    QTest::newRow("no number") << QByteArray("\nv_x.1.2") << true << 0 << 0 << 0;
    QTest::newRow("blanks before numbers") << QByteArray("\nv_ 4. 2.3") << true << 4 << 2 << 3;
    QTest::newRow("blank before a dot ends it") << QByteArray("\nv_4 .2.3") << true << 4 << 0 << 0;
    QTest::newRow("low bytes, signed") << QByteArray("\nv_300.-1.70000") << true << 44 << -1 << 4464;
    QTest::newRow("sign on the build") << QByteArray("\nv_1.2.-3") << true << 1 << 2 << -3;
    QTest::newRow("number beyond int") << QByteArray("\nv_4.0.99999999999999") << true << 4 << 0 << -1;
}

void tst_upgrade_file::versionMark()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, found);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, build);

    upgradeVersion v;
    QCOMPARE(parseVersionMark(text, &v), found);
    QCOMPARE(v.major, major);
    QCOMPARE(v.minor, minor);
    QCOMPARE(v.build, build);

    // The same text in a file header.
    upgradeFileBuilder b;
    b.text = text;
    upgradeHeader header;
    QCOMPARE(parseUpgradeHeader(b.build(), &header), upgradeHeaderCheck::ok);
    QCOMPARE(header.hasVersion, found);
    QCOMPARE(header.version.build, build);
}

void tst_upgrade_file::versionOrder_data()
{
    QTest::addColumn<int>("aMajor");
    QTest::addColumn<int>("aMinor");
    QTest::addColumn<int>("aBuild");
    QTest::addColumn<int>("bMajor");
    QTest::addColumn<int>("bMinor");
    QTest::addColumn<int>("bBuild");
    QTest::addColumn<int>("order");

    QTest::newRow("equal") << 4 << 0 << 12 << 4 << 0 << 12 << 0;
    QTest::newRow("build") << 4 << 0 << 12 << 4 << 0 << 13 << -1;
    // Builds and minors beyond the weights of a single number do not carry over.
    QTest::newRow("minor beats a large build") << 4 << 2 << 0 << 4 << 1 << 20000 << 1;
    QTest::newRow("major beats a large minor") << 5 << 0 << 0 << 4 << 127 << 0 << 1;
    QTest::newRow("negative major") << -1 << 0 << 0 << 0 << 0 << 0 << -1;
}

void tst_upgrade_file::versionOrder()
{
    QFETCH(int, aMajor);
    QFETCH(int, aMinor);
    QFETCH(int, aBuild);
    QFETCH(int, bMajor);
    QFETCH(int, bMinor);
    QFETCH(int, bBuild);
    QFETCH(int, order);

    const upgradeVersion a{aMajor, aMinor, aBuild};
    const upgradeVersion b{bMajor, bMinor, bBuild};
    QCOMPARE(compareVersions(a, b), order);
    QCOMPARE(compareVersions(b, a), -order);
}

void tst_upgrade_file::descramble()
{
    // Zeros come out as the key with the halves of each group exchanged.
    QByteArray zeros(32, '\0');
    descrambleUpgradeBlock(reinterpret_cast<uint8_t*>(zeros.data()), int(zeros.size()));
    for (int i = 0; i < 32; ++i) {
        const int from = (i % 16 < 8) ? i + 8 : i - 8;
        QCOMPARE(uint8_t(zeros[i]), upgradeKey[size_t(from)]);
    }

    // Beyond the key's length it starts over; the builder's scrambling undoes.
    const QByteArray flash = upgradeFileBuilder::firmware(0x1000, 7);
    QByteArray stored = upgradeFileBuilder::scramble(flash);
    QVERIFY(stored != flash);
    descrambleUpgradeBlock(reinterpret_cast<uint8_t*>(stored.data()), int(stored.size()));
    QCOMPARE(stored, flash);

    // A partial group is only XORed.
    QByteArray partial(8, '\0');
    descrambleUpgradeBlock(reinterpret_cast<uint8_t*>(partial.data()), int(partial.size()));
    for (int i = 0; i < 8; ++i)
        QCOMPARE(uint8_t(partial[i]), upgradeKey[size_t(i)]);
}

QTEST_GUILESS_MAIN(tst_upgrade_file)
#include "tst_upgrade_file.moc"
