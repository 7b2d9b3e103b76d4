// Firmware upgrade and verification: the blocks of an upgrade file are
// written into the controller's flash, or read back and compared, while the
// controller is halted in its upgrade state. Both run synchronously and tell
// every outcome in a message box; neither drops the connection.

#include "model/kv310_controller.h"

#include "device/link_helpers.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "seams/regular_file.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"
#include "device/upgrade_file.h"

#include <QDebug>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

enum class upgradeOp { upgrade, verify };

constexpr int STATUS_READS = 10; // status reads of each short wait
constexpr int BLOCK_DONE_POLLS = 100; // a flash block may take its time
constexpr int UPGRADE_STATE_RESTARTS = 3; // restarts into the upgrade state before giving up
constexpr int CLOSE_WAIT_POLLS = 20;
constexpr int REOPEN_TRIES = 20;
constexpr int VERSION_READ_TRIES = 10;
constexpr uint8_t ERASED_BYTE = 0xFF;

void tell(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    showMessage(icon, theMainWindow, title, text);
}

// The operations keep the connection through their failures, but must not
// leave the window showing a controller that has gone (a cable pulled, a
// controller that stopped answering): one status read tells, and a
// controller that does not answer it is let go.
void showLinkAsItIs(kv310_controller_class& controller)
{
    if (!controller.connected)
        return;
    uint32_t status = 0;
    if (controller.device->timedOut() || !readStatusWord(controller.device, &status))
        controller.dropConnection();
}

QString upgradeTitle()
{
    return kv310_controller_class::tr("Firmware upgrade");
}

// One operation on one upgrade file: the file, its header, the block being
// moved and what the controller said last.
class upgradeSession {
public:
    upgradeSession(kv310_controller_class& owner, upgradeOp operation, const QString& name)
        : controller(owner)
        , op(operation)
        , fileName(name)
        , title(operation == upgradeOp::upgrade ? upgradeTitle() : kv310_controller_class::tr("Firmware verification"))
    {
    }

    // Not connected, no file, a short file, no upgrade file or one for
    // another family: told, and false. Nothing is sent.
    bool open();
    // Upgrade only: false when the user or the controller's version says no.
    bool versionAccepted();
    // Halts the controller in its upgrade state, restarting it there when
    // needed; told "Protocol error!" and false when it cannot be done.
    bool enterUpgradeState();
    // Flash contents of block b in `block`, blockSize bytes; told and false
    // when the file does not give them.
    bool prepareBlock(int b);

    // After FLASH_WRITE: the controller is ready for the first block, or
    // "Protocol error!" was told.
    bool waitForReady();
    bool upgradeBlocks();
    // False when the verification had to stop; `differs` tells whether any
    // block differed from the file.
    bool verifyBlocks(bool* differs);
    void resumeAndReconnect();

    // A transfer of this operation failed: the controller may have gone.
    bool linkInDoubt() const { return transferFailed; }

    const upgradeTarget& target() const { return header.target(); }
    int presentBlocks() const { return header.presentBlocks(); }
    bool lastHalted() const { return halted; }

private:
    // One GET_STATUS; false when no whole answer came. Never drops the connection.
    bool readStatus(uint32_t* status);
    // Up to STATUS_READS reads, 100 ms after each answer without `bit`.
    enum class waitResult { set, notSet, readFailed };
    waitResult waitForBit(int bit);

    kv310_controller_class& controller;
    const upgradeOp op;
    const QString fileName;
    const QString title;
    QFile file;
    upgradeHeader header;
    std::unique_ptr<uint8_t[]> block;
    bool halted = false; // the last status answer showed STATUS_HALTED
    bool transferFailed = false;
};

bool upgradeSession::open()
{
    if (!controller.connected) {
        tell(QMessageBox::Information, title, kv310_controller_class::tr("Not connected!"));
        return false;
    }
    file.setFileName(fileName);
    switch (openBoundedFile(file, fileLimit::upgradeFileMB)) {
    case boundedOpen::opened:
        break;
    case boundedOpen::failed:
        tell(QMessageBox::Warning, title, kv310_controller_class::tr("File not found: ") + fileName);
        return false;
    case boundedOpen::tooBig:
        showFileTooBig(theMainWindow, fileName, fileLimit::upgradeFileMB);
        return false;
    }
    char window[UPGRADE_HEADER_SIZE];
    if (file.read(window, UPGRADE_HEADER_SIZE) < UPGRADE_HEADER_SIZE) {
        tell(QMessageBox::Warning, title, kv310_controller_class::tr("File reading error: ") + fileName);
        return false;
    }
    if (parseUpgradeHeader(QByteArrayView(window, UPGRADE_HEADER_SIZE), &header) != upgradeHeaderCheck::ok
        || controller.hardwareCode != header.typeWord) {
        tell(QMessageBox::Warning, upgradeTitle(),
             kv310_controller_class::tr("File ") + fileName
                 + kv310_controller_class::tr("\nis not a proper upgrade file!"));
        return false;
    }
    return true;
}

bool upgradeSession::versionAccepted()
{
    if (!header.hasVersion)
        return true;
    uint8_t answer[4] = {};
    t_threadDevice* device = controller.device;
    const bool read = retryRequest(device, VERSION_READ_TRIES, [&] {
        std::memset(answer, 0, sizeof answer);
        return device->controlRead(GET_FIRMWARE_VERSION, 0, 0, answer, sizeof answer) > 0;
    });
    if (!read) {
        usbMessage(QMessageBox::Critical, kv310_controller_class::tr("Current version reading error!"));
        showLinkAsItIs(controller);
        return false;
    }
    upgradeVersion installed;
    installed.major = int8_t(answer[0]);
    installed.minor = int8_t(answer[1]);
    installed.build = qFromLittleEndian<qint16>(answer + 2);
    const int order = compareVersions(header.version, installed);
    if (order == 0) {
        tell(QMessageBox::Information, upgradeTitle(),
             kv310_controller_class::tr("This release of firmware is already installed!"));
        return false;
    }
    if (order < 0) {
        const int choice
            = askQuestion(QMessageBox::Question, theMainWindow, upgradeTitle(),
                          kv310_controller_class::tr("Do you really want to install older firmware release?"),
                          {kv310_controller_class::tr("Cancel"), kv310_controller_class::tr("Yes, I do!")}, 0, 0);
        return choice == 1;
    }
    return true;
}

bool upgradeSession::readStatus(uint32_t* status)
{
    if (!::readStatusWord(controller.device, status)) {
        transferFailed = true;
        return false;
    }
    halted = (*status & STATUS_HALTED) != 0;
    return true;
}

upgradeSession::waitResult upgradeSession::waitForBit(int bit)
{
    for (int i = 0; i < STATUS_READS; ++i) {
        uint32_t status = 0;
        if (!readStatus(&status))
            return waitResult::readFailed;
        if (status & uint32_t(bit))
            return waitResult::set;
        kv310_controller_class::delay100ms();
    }
    return waitResult::notSet;
}

bool upgradeSession::enterUpgradeState()
{
    t_threadDevice* device = controller.device;
    for (int restarts = 0;; ++restarts) {
        // The upgrade goes on at the first halted answer; the verification
        // lets the controller settle and judges the last of ten.
        bool isHalted = false;
        for (int i = 0; i < STATUS_READS; ++i) {
            uint32_t status = 0;
            if (!readStatus(&status)) {
                usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Protocol error!"));
                return false;
            }
            isHalted = (status & STATUS_HALTED) != 0;
            if (isHalted && op == upgradeOp::upgrade)
                break;
            kv310_controller_class::delay100ms();
        }
        if (isHalted)
            return true;
        if (restarts == UPGRADE_STATE_RESTARTS) {
            usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Protocol error!"));
            return false;
        }

        // The controller reboots into its upgrade state and comes back as a
        // new device: reopen it. The controller object's connection stays as
        // it is.
        device->controlWrite(RESTART, RESTART_INTO_UPGRADE, 0, nullptr, 0);
        device->disconnect();
        for (int i = 0; i < CLOSE_WAIT_POLLS && device->isConnected(); ++i)
            kv310_controller_class::delay100ms();
        kv310_controller_class::delay100ms();
        bool reopened = false;
        for (int i = 0; i < REOPEN_TRIES && !reopened && !device->timedOut(); ++i) {
            kv310_controller_class::delay100ms();
            reopened = device->connect() > 0;
        }
        if (!reopened) {
            transferFailed = true;
            usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Protocol error!"));
            return false;
        }
    }
}

bool upgradeSession::prepareBlock(int b)
{
    const upgradeDirEntry& entry = header.directory[size_t(b)];
    if (!file.seek(qint64(entry.offset)) || file.pos() != qint64(entry.offset)) {
        tell(QMessageBox::Warning, title, kv310_controller_class::tr("Allocation error: ") + fileName);
        return false;
    }
    const int length = upgradeBlockLength(target(), entry.lengthCode);
    const int size = target().blockSize(b);
    block.reset(new (std::nothrow) uint8_t[size_t(size)]);
    if (!block) {
        tell(QMessageBox::Warning, upgradeTitle(), kv310_controller_class::tr("Insufficient memory!"));
        return false;
    }
    if (file.read(reinterpret_cast<char*>(block.get()), length) < length) {
        tell(QMessageBox::Warning, title, kv310_controller_class::tr("File reading error: ") + fileName);
        return false;
    }
    if (qChecksum(QByteArrayView(block.get(), length)) != entry.crc) {
        tell(QMessageBox::Warning, title, kv310_controller_class::tr("CRC error in block %1").arg(b));
        return false;
    }
    descrambleUpgradeBlock(block.get(), length);
    std::fill(block.get() + length, block.get() + size, ERASED_BYTE);
    return true;
}

bool upgradeSession::waitForReady()
{
    if (waitForBit(STATUS_READY_FOR_DATA) == waitResult::set)
        return true;
    usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Protocol error!"));
    return false;
}

bool upgradeSession::upgradeBlocks()
{
    t_threadDevice* device = controller.device;
    transferBlock frame;
    frame.lengthInPages = target().lengthInPages != 0;
    for (int b = 0; b < int(target().blockCount); ++b) {
        if (!header.directory[size_t(b)].present())
            continue;
        if (!prepareBlock(b))
            return false;
        const int size = target().blockSize(b);
        frame.type = FLASH_WRITE;
        frame.counter = uint8_t(b);
        frame.address = target().flashBase + target().blockAddress(b);
        frame.length = size;
        frame.data = block.get();
        const uint8_t* packed = frame.pack();
        const int frameSize = size + blockFrame::OVERHEAD;
        const int written = packed ? device->bulkWrite(packed, frameSize) : -1;
        kv310_controller_class::delay100ms();
        block.reset();
        frame.data = nullptr;
        if (written < frameSize) {
            transferFailed = true;
            usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Writing error!"));
            return false;
        }

        // Every block, the last one too, must be taken into the flash
        // before the upgrade can be called a success.
        bool done = false;
        for (int i = 0; i < BLOCK_DONE_POLLS && !done; ++i) {
            uint32_t status = 0;
            if (!readStatus(&status) || (status & STATUS_FAILED)) {
                usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Protocol error!"));
                return false;
            }
            done = (status & STATUS_DONE) != 0;
            if (!done)
                kv310_controller_class::delay100ms();
        }
        if (!done) {
            usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Protocol error!"));
            return false;
        }
    }
    uint32_t status = 0;
    return readStatus(&status);
}

bool upgradeSession::verifyBlocks(bool* differs)
{
    t_threadDevice* device = controller.device;
    transferBlock frame;
    frame.lengthInPages = target().lengthInPages != 0;
    *differs = false;
    const auto failWait = [](waitResult result) {
        usbMessage(QMessageBox::Warning, result == waitResult::readFailed ? kv310_controller_class::tr("Control error!")
                                              : kv310_controller_class::tr("Protocol error!"));
    };
    for (int b = 0; b < int(target().blockCount); ++b) {
        if (!header.directory[size_t(b)].present())
            continue;
        if (!prepareBlock(b))
            return false;
        const waitResult haltedWait = waitForBit(STATUS_HALTED);
        if (haltedWait != waitResult::set) {
            failWait(haltedWait);
            return false;
        }
        const int size = target().blockSize(b);
        const int frameSize = size + blockFrame::OVERHEAD;
        uint8_t* buffer = frame.rawBuffer();
        if (device->controlWrite(FLASH_READ, controller.deviceWord(1),
                                 controller.deviceWord(int(target().blockAddress(b) >> 8)), nullptr, 0)
            < 0) {
            transferFailed = true;
            usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Writing error!"));
            return false;
        }
        const waitResult doneWait = waitForBit(STATUS_DONE);
        if (doneWait != waitResult::set) {
            failWait(doneWait);
            return false;
        }
        const int received = device->bulkRead(buffer, frameSize);
        qDebug("Bulk %d received: %d", b, received);
        if (received < frameSize) {
            transferFailed = true;
            usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Reading error!"));
            return false;
        }
        // A frame shorter than the block cannot be compared with it.
        if (frame.unpack(received) != 0 || frame.length != size) {
            qDebug("Suma: %x", frame.checksum);
            usbMessage(QMessageBox::Warning, kv310_controller_class::tr("Incorrect structure of block %1").arg(b));
            return false;
        }
        const auto mismatch = std::mismatch(frame.data, frame.data + size, block.get());
        block.reset();
        if (mismatch.first != frame.data + size) {
            *differs = true;
            const auto offset = mismatch.first - frame.data;
            const int choice
                = askQuestion(QMessageBox::Question, theMainWindow, kv310_controller_class::tr("USB Interface"),
                              kv310_controller_class::tr("Verification error: block %1\naddress 0x%2")
                                  .arg(b)
                                  .arg(QString::number(qulonglong(offset), 16)),
                              {kv310_controller_class::tr("Ignore"), kv310_controller_class::tr("Exit")}, 0);
            if (choice == 1)
                return false;
        }
    }
    return true;
}

void upgradeSession::resumeAndReconnect()
{
    t_threadDevice* device = controller.device;
    device->controlWrite(RESUME, 0, 0, nullptr, 0);
    kv310_controller_class::delay100ms();
    controller.setConnection(false);
    for (int i = 0; i < REOPEN_TRIES; ++i) {
        if (device->connect() >= 0 || device->timedOut())
            break;
        kv310_controller_class::delay100ms();
    }
    controller.setConnection(false);
    controller.setConnection(true);
}

} // namespace

void kv310_controller_class::upgradeFirmware(const QString& fileName)
{
    upgradeSession session(*this, upgradeOp::upgrade, fileName);
    if (!session.open() || !session.versionAccepted())
        return;
    const int present = session.presentBlocks();
    if (present == 0) {
        tell(QMessageBox::Warning, tr("Firmware upgrade"), tr("The upgrade file is empty!"));
        return;
    }
    if (!session.enterUpgradeState()) {
        if (session.linkInDoubt())
            showLinkAsItIs(*this);
        return;
    }

    const upgradeTarget& target = session.target();
    if (device->controlWrite(FLASH_WRITE, deviceWord(present), deviceWord(int(target.blockAddress(0) >> 8)), nullptr, 0)
        < 0) {
        usbMessage(QMessageBox::Warning, tr("Writing error!"));
        showLinkAsItIs(*this);
        return;
    }
    if (!session.waitForReady()) {
        if (session.linkInDoubt())
            showLinkAsItIs(*this);
        return;
    }

    deviceMode = MODE_HALTED;
    const bool succeeded = session.upgradeBlocks();
    if (succeeded) {
        // The new firmware starts with the restart: only a controller that
        // came back from it and answered has been upgraded. One that did not
        // is let go there, so the status shows it gone; it has left its
        // upgrade state, so the upgrade did not fail either.
        if (restartDevice() == 0) {
            deviceMode = MODE_NORMAL;
            tell(QMessageBox::Information, tr("Firmware upgrade"), tr("Upgrade successful!"));
        } else {
            tell(QMessageBox::Warning, tr("Firmware upgrade"),
                 tr("Firmware written, but the controller\ndid not answer afterwards!"));
        }
        return;
    }
    if (session.linkInDoubt())
        showLinkAsItIs(*this);
    tell(QMessageBox::Critical, tr("Firmware upgrade"), tr("Upgrade failed!"));
    if (connected)
        deviceMode = MODE_NORMAL;
}

void kv310_controller_class::verifyFirmware(const QString& fileName)
{
    upgradeSession session(*this, upgradeOp::verify, fileName);
    if (!session.open())
        return;
    if (!session.enterUpgradeState()) {
        if (session.linkInDoubt())
            showLinkAsItIs(*this);
        return;
    }
    deviceMode = MODE_HALTED;
    bool differs = false;
    const bool completed = session.verifyBlocks(&differs);
    const QString title = QString::fromLatin1(session.target().fullName);
    if (completed && !differs)
        tell(QMessageBox::Information, title, tr("Verification successful!"));
    else
        tell(QMessageBox::Warning, title, tr("Verification failed!"));
    if (session.lastHalted())
        session.resumeAndReconnect();
    else if (session.linkInDoubt())
        showLinkAsItIs(*this);
    if (connected)
        deviceMode = MODE_NORMAL;
}
