#include "transport/protocol.h"

#include <QTest>
#include <QtEndian>

#include <cstring>

class tst_block_frame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void liveSceneFrameExample();
    void damagedFrameIsDetected_data();
    void damagedFrameIsDetected();
    void lengthCodeOutsideIsRejected_data();
    void lengthCodeOutsideIsRejected();
    void configurationBlockRoundTrip();
    void pagedFlashBlockRoundTrip();
    void onlyTheLowTypeByteCounts();
    void packRefusesWhatDoesNotFit();
    void wordByteOrder_data();
    void wordByteOrder();
};

namespace {

uint32_t wordAt(const uint8_t* p, int offset)
{
    return qFromLittleEndian<quint32>(p + offset);
}

// The frame of one live scene: 512 zero bytes, type 17, counter 0, address 0.
const uint8_t* packZeroScene(transferBlock& block, const QByteArray& scene)
{
    block.type = LIVE_SCENE_WRITE;
    block.counter = 0;
    block.address = 0;
    block.length = 512;
    block.data = reinterpret_cast<const uint8_t*>(scene.constData());
    return block.pack();
}

} // namespace

void tst_block_frame::liveSceneFrameExample()
{
    const QByteArray scene(512, '\0');
    transferBlock block;
    const uint8_t* frame = packZeroScene(block, scene);
    QVERIFY(frame);
    QCOMPARE(block.frameSize(), 524);
    QCOMPARE(wordAt(frame, 0), 0x01FF0011u);
    QCOMPARE(wordAt(frame, 4), 0u);
    QCOMPARE(wordAt(frame, 520), 0xFE00FFEFu);
    QCOMPARE(block.checksum, 0xFE00FFEFu);
    QCOMPARE(blockFrame::wordSum(frame, 131), 0u);
    QCOMPARE(block.verify(), 0u);

    // Read back as the host reads a received frame.
    transferBlock received;
    uint8_t* buffer = received.rawBuffer();
    std::memcpy(buffer, frame, 524);
    QCOMPARE(received.unpack(524), 0u);
    QCOMPARE(received.type, int(LIVE_SCENE_WRITE));
    QCOMPARE(received.length, 512);
    QCOMPARE(received.checksum, 0xFE00FFEFu);
    QCOMPARE(received.data, buffer + 8);
}

void tst_block_frame::damagedFrameIsDetected_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("bit");

    QTest::newRow("type") << 0 << 0;
    QTest::newRow("counter") << 1 << 7;
    QTest::newRow("address") << 6 << 3;
    QTest::newRow("first data byte") << 8 << 0;
    QTest::newRow("middle data byte") << 271 << 5;
    QTest::newRow("last data byte") << 519 << 7;
    QTest::newRow("checksum") << 523 << 7;
}

void tst_block_frame::damagedFrameIsDetected()
{
    QFETCH(int, byte);
    QFETCH(int, bit);

    QByteArray scene(512, '\0');
    for (int i = 0; i < scene.size(); ++i)
        scene[i] = char(i * 7);
    transferBlock sent;
    const uint8_t* frame = packZeroScene(sent, scene);

    transferBlock received;
    uint8_t* buffer = received.rawBuffer();
    std::memcpy(buffer, frame, 524);
    QCOMPARE(received.unpack(524), 0u);
    buffer[byte] ^= uint8_t(1u << bit);
    QVERIFY(received.unpack(524) != 0u);
    blockFrameView view;
    QCOMPARE(blockFrame::read(buffer, 524, false, &view), FRAME_CHECKSUM_WRONG);
}

void tst_block_frame::lengthCodeOutsideIsRejected_data()
{
    QTest::addColumn<int>("lengthCode");
    QTest::addColumn<bool>("inPages");
    QTest::addColumn<int>("received");
    QTest::addColumn<int>("check");

    QTest::newRow("exact fit") << 511 << false << 524 << int(FRAME_INTACT);
    QTest::newRow("one byte missing") << 511 << false << 523 << int(FRAME_LENGTH_OUTSIDE);
    QTest::newRow("64 KB code in a short read") << 0xFFFF << false << 524 << int(FRAME_LENGTH_OUTSIDE);
    QTest::newRow("pages beyond the buffer") << 0x201 << true << transferBlock::BUFFER_SIZE
                                             << int(FRAME_LENGTH_OUTSIDE);
    QTest::newRow("largest code in pages") << 0xFFFF << true << transferBlock::BUFFER_SIZE
                                           << int(FRAME_LENGTH_OUTSIDE);
    QTest::newRow("header only") << 511 << false << 8 << int(FRAME_SHORT);
}

void tst_block_frame::lengthCodeOutsideIsRejected()
{
    QFETCH(int, lengthCode);
    QFETCH(bool, inPages);
    QFETCH(int, received);
    QFETCH(int, check);

    // A frame of 512 zero bytes whose length code is then replaced.
    const QByteArray scene(512, '\0');
    transferBlock sent;
    const uint8_t* frame = packZeroScene(sent, scene);
    transferBlock block;
    block.lengthInPages = inPages;
    uint8_t* buffer = block.rawBuffer();
    std::memcpy(buffer, frame, 524);
    qToLittleEndian<quint16>(quint16(lengthCode), buffer + 2);
    if (lengthCode != 511) {
        // Keep the words summing to 0, so only the length can be at fault.
        qToLittleEndian<quint32>(wordAt(buffer, 520) - ((uint32_t(lengthCode) - 511u) << 16), buffer + 520);
    }

    QCOMPARE(int(blockFrame::read(buffer, received, inPages, nullptr)), check);
    const uint32_t result = block.unpack(received);
    QCOMPARE(result == 0, check == FRAME_INTACT);
    if (check != FRAME_INTACT)
        QCOMPARE(block.length, 0);
}

void tst_block_frame::configurationBlockRoundTrip()
{
    QByteArray image(0x10000, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 31) ^ (i >> 8));
    transferBlock sent;
    sent.type = CONFIG_WRITE;
    sent.counter = 5;
    sent.length = 0x10000;
    sent.address = 0x68000000 + 0x50000;
    sent.data = reinterpret_cast<const uint8_t*>(image.constData());
    const uint8_t* frame = sent.pack();
    QVERIFY(frame);
    QCOMPARE(sent.frameSize(), 65548);
    QCOMPARE(frame[0], uint8_t(20));
    QCOMPARE(frame[1], uint8_t(5));
    QCOMPARE(qFromLittleEndian<quint16>(frame + 2), quint16(0xFFFF));
    QCOMPARE(wordAt(frame, 4), 0x68050000u);
    QCOMPARE(blockFrame::wordSum(frame, 65548 / 4), 0u);

    transferBlock received;
    std::memcpy(received.rawBuffer(), frame, 65548);
    QCOMPARE(received.unpack(65548), 0u);
    QCOMPARE(received.counter, uint8_t(5));
    QCOMPARE(received.address, 0x68050000u);
    QCOMPARE(received.length, 0x10000);
    QVERIFY(std::memcmp(received.data, image.constData(), 0x10000) == 0);
}

void tst_block_frame::pagedFlashBlockRoundTrip()
{
    QByteArray flash(0x20000, '\xFF');
    flash[0] = 1;
    flash[0x1FFFF] = 2;
    transferBlock sent;
    sent.lengthInPages = true;
    sent.type = FLASH_WRITE;
    sent.counter = 5;
    sent.length = 0x20000;
    sent.address = 0x08040000 + (5 << 17);
    sent.data = reinterpret_cast<const uint8_t*>(flash.constData());
    const uint8_t* frame = sent.pack();
    QVERIFY(frame);
    QCOMPARE(sent.frameSize(), 131084);
    QCOMPARE(qFromLittleEndian<quint16>(frame + 2), quint16(0x200));
    QCOMPARE(wordAt(frame, 4), 0x080E0000u);
    QCOMPARE(blockFrame::wordSum(frame, 131084 / 4), 0u);

    transferBlock received;
    received.lengthInPages = true;
    std::memcpy(received.rawBuffer(), frame, 131084);
    QCOMPARE(received.unpack(131084), 0u);
    QCOMPARE(received.length, 0x20000);
    QCOMPARE(received.data[0x1FFFF], uint8_t(2));
}

void tst_block_frame::onlyTheLowTypeByteCounts()
{
    const QByteArray scene(512, '\x33');
    transferBlock sent;
    packZeroScene(sent, scene);
    sent.type = 0x100 | LIVE_SCENE_WRITE;
    const uint8_t* frame = sent.pack();
    QVERIFY(frame);
    QCOMPARE(frame[0], uint8_t(LIVE_SCENE_WRITE));
    QCOMPARE(blockFrame::wordSum(frame, 131), 0u);
    QCOMPARE(sent.verify(), 0u);
}

void tst_block_frame::packRefusesWhatDoesNotFit()
{
    const QByteArray big(0x20004, '\0');
    transferBlock block;
    block.data = reinterpret_cast<const uint8_t*>(big.constData());
    block.length = 0x20004 + 1;
    QVERIFY(!block.pack());
    block.length = 0x20004;
    QVERIFY(block.pack());
    block.data = nullptr;
    block.length = 4;
    QVERIFY(!block.pack());
}

void tst_block_frame::wordByteOrder_data()
{
    QTest::addColumn<int>("typeWord");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("sent");

    QTest::newRow("old hardware level") << 0xD3 << 0x12 << 0x1200;
    QTest::newRow("old hardware channel") << 0xD3 << 0x0105 << 0x0501;
    QTest::newRow("old hardware mode") << 0xD3 << 1 << 0x0100;
    QTest::newRow("old hardware high bits dropped") << 0xD3 << 0x12345 << 0x4523;
    QTest::newRow("old hardware -1") << 0xD3 << -1 << 0xFFFF;
    QTest::newRow("current hardware level") << 0x1D3 << 0x12 << 0x12;
    QTest::newRow("current hardware channel") << 0x1D3 << 0x0105 << 0x0105;
    QTest::newRow("current hardware high bits dropped") << 0x1D3 << 0x12345 << 0x2345;
}

void tst_block_frame::wordByteOrder()
{
    QFETCH(int, typeWord);
    QFETCH(int, value);
    QFETCH(int, sent);
    QCOMPARE(int(swapWordBytes(value, typeWordSwapsBytes(typeWord))), sent);
}

QTEST_GUILESS_MAIN(tst_block_frame)
#include "tst_block_frame.moc"
