// The simulated controller's program flash and its upgrade requests.

#include "sim_controller.h"

#include "transport/usb_backend.h"

#include <cstring>

namespace {

constexpr uint32_t SECTOR_FLASH_BASE = 0x40000000;
constexpr uint32_t UNIFORM_FLASH_BASE = 0x08040000;
constexpr int UNIFORM_BLOCKS = 6;
constexpr int UNIFORM_BLOCK_SIZE = 0x20000;
constexpr char ERASED = char(0xFF);

// The sectors of the old hardware's flash that carry the firmware.
const simController::flashBlockInfo sectorBlocks[] = {
    {0x8000, 0x8000}, {0x10000, 0x10000}, {0x20000, 0x10000}, {0x30000, 0x10000}, {0xC0000, 0x4000},
};

} // namespace

QList<simController::flashBlockInfo> simController::flashLayout() const
{
    QList<flashBlockInfo> layout;
    if (oldHardware()) {
        for (const flashBlockInfo& block : sectorBlocks)
            layout.append(block);
    } else {
        for (int b = 0; b < UNIFORM_BLOCKS; ++b)
            layout.append({uint32_t(b) * UNIFORM_BLOCK_SIZE, UNIFORM_BLOCK_SIZE});
    }
    return layout;
}

uint32_t simController::flashBase() const
{
    return oldHardware() ? SECTOR_FLASH_BASE : UNIFORM_FLASH_BASE;
}

bool simController::flashInPages() const
{
    return !oldHardware();
}

int simController::flashBlockAt(uint32_t offset) const
{
    const QList<flashBlockInfo> layout = flashLayout();
    for (int b = 0; b < layout.size(); ++b) {
        if (layout[b].offset == offset)
            return b;
    }
    return -1;
}

void simController::ensureFlash()
{
    const QList<flashBlockInfo> layout = flashLayout();
    if (flash.size() == layout.size())
        return;
    flash.clear();
    for (const flashBlockInfo& block : layout)
        flash.append(QByteArray(block.size, ERASED));
}

QByteArray simController::flashBlock(int b) const
{
    const QList<flashBlockInfo> layout = flashLayout();
    if (b < 0 || b >= layout.size())
        return QByteArray();
    if (flash.size() != layout.size())
        return QByteArray(layout[b].size, ERASED);
    return flash[b];
}

void simController::setFlashBlock(int b, const QByteArray& bytes)
{
    ensureFlash();
    if (b < 0 || b >= flash.size())
        return;
    QByteArray& block = flash[b];
    const int n = qMin(int(bytes.size()), int(block.size()));
    block.fill(ERASED);
    std::memcpy(block.data(), bytes.constData(), size_t(n));
}

void simController::rejectFlashFrames(int nth, int times)
{
    flashFramesSeen = 0;
    flashRejectNth = qMax(1, nth);
    flashRejectTimes = times;
}

int simController::flashWrite(const simRequest& r)
{
    // Only the upgrade state writes the flash; the announcement names the
    // first block and how many frames follow.
    if (r.in || !(status & STATUS_HALTED))
        return USB_ERROR_PIPE;
    if (flashBlockAt(uint32_t(r.wordIndex) << 8) < 0 || r.wordValue == 0 || r.wordValue > flashLayout().size())
        return USB_ERROR_PIPE;
    ensureFlash();
    expectFrames(FLASH_WRITE, r.wordValue, flashInPages(),
                 [this](const blockFrameView& frame) { return takeFlashFrame(frame); });
    return 0;
}

bool simController::takeFlashFrame(const blockFrameView& frame)
{
    if (frame.address < flashBase())
        return false;
    const int b = flashBlockAt(frame.address - flashBase());
    if (b < 0 || frame.length != flash[b].size())
        return false;
    ++flashFramesSeen;
    if (flashRejectNth > 0 && flashFramesSeen >= flashRejectNth
        && (flashRejectTimes < 0 || flashFramesSeen < flashRejectNth + flashRejectTimes))
        return false;
    QByteArray& block = flash[b];
    std::memcpy(block.data(), frame.data, size_t(frame.length));
    for (auto it = stuckFlashBytes.cbegin(); it != stuckFlashBytes.cend(); ++it) {
        const qint64 at = qint64(it.key()) - qint64(frame.address);
        if (at >= 0 && at < block.size())
            block[at] = char(it.value());
    }
    ++flashFramesTaken;
    return true;
}

int simController::flashRead(const simRequest& r)
{
    if (r.in || !(status & STATUS_HALTED) || r.wordValue != 1)
        return USB_ERROR_PIPE;
    const uint32_t offset = uint32_t(r.wordIndex) << 8;
    const int b = flashBlockAt(offset);
    if (b < 0)
        return USB_ERROR_PIPE;
    ensureFlash();
    sendFrame(FLASH_READ, 0, flashBase() + offset, flash[b], flashInPages());
    return 0;
}
