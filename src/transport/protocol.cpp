#include "protocol.h"

#include <QtEndian>

#include <cstring>

uint32_t blockFrame::wordSum(const uint8_t* bytes, int words)
{
    uint32_t sum = 0;
    for (int i = 0; i < words; ++i)
        sum += qFromLittleEndian<quint32>(bytes + 4 * i);
    return sum;
}

int blockFrame::build(uint8_t* out, int capacity, uint8_t type, uint8_t counter, uint32_t address,
                      const uint8_t* data, int length, bool inPages)
{
    if (!out || length < 0 || length > capacity - OVERHEAD || (length > 0 && !data))
        return -1;
    const uint16_t code = lengthCode(length, inPages);
    qToLittleEndian<quint32>(headerWord(type, counter, code), out);
    qToLittleEndian<quint32>(address, out + 4);
    if (length > 0 && data != out + HEADER_SIZE)
        std::memmove(out + HEADER_SIZE, data, size_t(length));
    const uint32_t sum = headerWord(type, counter, code) + address + wordSum(out + HEADER_SIZE, length / 4);
    qToLittleEndian<quint32>(0u - sum, out + HEADER_SIZE + length);
    return length + OVERHEAD;
}

frameCheck blockFrame::read(const uint8_t* frame, int received, bool inPages, blockFrameView* view)
{
    blockFrameView v;
    if (!frame || received < OVERHEAD) {
        if (view)
            *view = v;
        return FRAME_SHORT;
    }
    v.type = frame[0];
    v.counter = frame[1];
    v.lengthCode = qFromLittleEndian<quint16>(frame + 2);
    v.address = qFromLittleEndian<quint32>(frame + 4);
    v.data = frame + HEADER_SIZE;
    const int length = lengthFromCode(v.lengthCode, inPages);
    if (length > received - OVERHEAD) {
        if (view)
            *view = v;
        return FRAME_LENGTH_OUTSIDE;
    }
    v.length = length;
    v.checksum = qFromLittleEndian<quint32>(frame + HEADER_SIZE + length);
    if (view)
        *view = v;
    const uint32_t sum = headerWord(v.type, v.counter, v.lengthCode) + v.address + wordSum(v.data, length / 4);
    return sum + v.checksum == 0 ? FRAME_INTACT : FRAME_CHECKSUM_WRONG;
}

transferBlock::transferBlock()
    : buffer(new uint8_t[BUFFER_SIZE]())
{
}

transferBlock::~transferBlock() = default;

uint32_t transferBlock::computeChecksum() const
{
    const uint16_t code = blockFrame::lengthCode(length, lengthInPages);
    uint32_t sum = blockFrame::headerWord(uint8_t(type), counter, code) + address;
    if (data && length > 0)
        sum += blockFrame::wordSum(data, length / 4);
    return 0u - sum;
}

uint8_t* transferBlock::rawBuffer()
{
    data = buffer.get();
    return buffer.get();
}

uint8_t* transferBlock::pack()
{
    if (blockFrame::build(buffer.get(), BUFFER_SIZE, uint8_t(type), counter, address, data, length, lengthInPages) < 0)
        return nullptr;
    checksum = qFromLittleEndian<quint32>(buffer.get() + blockFrame::HEADER_SIZE + length);
    return buffer.get();
}

uint32_t transferBlock::unpack(int received)
{
    blockFrameView view;
    const frameCheck check = blockFrame::read(buffer.get(), qBound(0, received, BUFFER_SIZE), lengthInPages, &view);
    type = view.type;
    counter = view.counter;
    address = view.address;
    data = buffer.get() + blockFrame::HEADER_SIZE;
    if (check == FRAME_SHORT || check == FRAME_LENGTH_OUTSIDE) {
        length = 0;
        checksum = 0;
        return 0xFFFFFFFFu;
    }
    length = view.length;
    checksum = view.checksum;
    return verify();
}
