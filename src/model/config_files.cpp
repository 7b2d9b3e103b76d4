#include "kv310_controller.h"

#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "seams/regular_file.h"
#include "config_file.h"
#include "huge_pages.h"
#include "project_text.h"
#include "text_encoding.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

using namespace cfgfile;

namespace {

enum class fileKind { unknown, current, oldStyle, v2, v1 };

// The kind of file its first characters name, compared case-sensitively.
fileKind kindOf(const QByteArray& first)
{
    const QByteArray head = first.left(15);
    if (head.startsWith(MAGIC_CURRENT) || head.startsWith(MAGIC_CURRENT_SV) || head.startsWith(MAGIC_CURRENT_MVS))
        return fileKind::current;
    if (head.startsWith(MAGIC_OLD_STYLE))
        return fileKind::oldStyle;
    if (head.startsWith(MAGIC_V2))
        return fileKind::v2;
    if (head.startsWith(MAGIC_V1))
        return fileKind::v1;
    return fileKind::unknown;
}

// Reads on from the current position until the end of the file or until
// `content` holds `limit` bytes. False on a read error.
bool readUpTo(QFile& file, QByteArray& content, qint64 limit)
{
    // What the file says it holds comes in one read; a file that grows
    // meanwhile is read on in smaller steps.
    const qint64 expected = std::min<qint64>(std::max<qint64>(file.size(), 0), limit);
    content.reserve(std::min<qint64>(expected + 0x10000, limit));
    hugePages::advise(content.data(), size_t(content.capacity()));
    while (content.size() < limit) {
        const qsizetype at = content.size();
        const qint64 chunk = std::min<qint64>(limit - at, std::max<qint64>(expected - at, 0x10000));
        content.resize(at + chunk);
        const qint64 n = file.read(content.data() + at, chunk);
        content.resize(at + std::max<qint64>(n, 0));
        if (n <= 0)
            return n == 0;
    }
    return true;
}

// Size of the text header: the text up to its zero byte, and the zero byte;
// -1 when the first bytes hold no zero byte.
int headerSize(const QByteArray& content)
{
    const qsizetype zero = content.left(HEADER_LIMIT).indexOf('\0');
    return zero < 0 ? -1 : int(zero + 1);
}

bool validHeaderSize(int h)
{
    return h > 0 && h % 16 == 0 && h <= MAX_HEADER_SIZE;
}

// The compressed block of a current or old-style file and where its project
// text lies. Nothing of the record is trusted before it has been checked: the
// block must lie inside the file after the record, announce imageSize bytes
// and pass its checksum (checked apart, see blockIntact).
struct framedFile {
    const char* block = nullptr;
    qint64 blockSize = 0;
    uint16_t checksum = 0;
    // The text lies where the writer puts it, right after the block's padding;
    // a record that points elsewhere has been damaged.
    bool textInPlace = false;
    qint64 textOffset = 0;
    uint32_t textLength = 0;
};

bool frameOf(const QByteArray& content, int h, uint32_t imageSize, framedFile& f)
{
    if (content.size() < h + RECORD_SIZE)
        return false;
    const fileBlockRecord r = fileBlockRecord::read(reinterpret_cast<const uint8_t*>(content.constData()) + h);
    const qint64 end = qint64(r.dataOffset) + r.dataSize;
    if (r.dataOffset < h + RECORD_SIZE || end > content.size())
        return false;
    f.block = content.constData() + r.dataOffset;
    f.blockSize = r.dataSize;
    f.checksum = r.checksum;
    if (announcedLength(f.block, f.blockSize) != imageSize)
        return false;
    const qint64 expected = (end + 15) / 16 * 16;
    f.textInPlace = r.textOffset == expected;
    f.textOffset = std::min<qint64>(expected, content.size());
    f.textLength = r.textLength;
    return true;
}

bool blockIntact(const framedFile& f)
{
    return checksum(f.block, f.blockSize) == f.checksum;
}

// A text of a file in the encoding it was written in (text_encoding.h).
QString fileText(const char* data, qsizetype size, bool mayBeCut = false)
{
    return utf8OrLatin1(QByteArrayView(data, size), mayBeCut);
}

// The project text of a file, read into its tree.
struct projectFileText {
    bool inPlace = false;
    uint32_t announced = 0;     // characters the record announces
    qsizetype characters = 0;   // characters the file holds, without the final line feed
    bool blank = true;          // the text holds nothing but blanks and line ends
    parsedProject parsed;
};

void readProjectFileText(projectFileText& t, const QByteArray& content, const framedFile& f)
{
    t.inPlace = f.textInPlace;
    t.announced = f.textLength;
    if (!t.inPlace)
        return;
    QString text = fileText(content.constData() + f.textOffset, content.size() - f.textOffset, true);
    t.characters = text.size() - (text.endsWith(QLatin1Char('\n')) ? 1 : 0);
    t.blank = QStringView(text).trimmed().isEmpty();
    t.parsed = parseProjectText(std::move(text));
}

// Takes the project text into the model; false when the descriptions of the
// file are not all there: the text is missing, cut short or does not parse.
bool takeProjectFileText(kv310_controller_class& c, projectFileText& t)
{
    if (!t.inPlace)
        return false;
    const parsedProject& p = t.parsed;
    const bool whole = p.hasProject && p.closed && p.valid;
    const bool cut = !whole && (t.characters < qsizetype(t.announced) || (p.hasProject && !p.closed));
    c.takeProjectText(t.parsed, cut);
    if (whole)
        return true;
    // Only a file without a text has no descriptions to miss. A text that
    // yields no project (damaged, or something else in its place) held
    // descriptions the user does not get.
    return !cut && !p.hasProject && p.valid && t.blank;
}

// Joins the thread when it goes out of scope, however the scope is left.
struct joinedThread {
    std::thread& thread;
    ~joinedThread()
    {
        if (thread.joinable())
            thread.join();
    }
};

// Reading the text beside the inflate pays only for a long text; a short
// one is read after it.
constexpr qsizetype OVERLAP_TEXT_BYTES = 0x10000;

QString v2Text(const char* block)
{
    const char* zero = static_cast<const char*>(std::memchr(block, '\0', V2_TEXT_BLOCK));
    // A block without its zero byte holds no valid text. Descriptions are
    // empty, never null, as clearing leaves them.
    const QString text = zero ? fileText(block, zero - block) : QString();
    return text.isNull() ? QString(0, QChar()) : text;
}

template <typename Texts>
const char* takeV2Texts(const char* p, Texts& texts, size_t from, size_t count)
{
    for (size_t i = 0; i < count; ++i, p += V2_TEXT_BLOCK)
        texts[from + i] = v2Text(p);
    return p;
}

bool isV2Size(uint32_t size)
{
    return size == V2_SIZE_IMAGE || size == V2_SIZE_SCENES_PROGRAMS || size == V2_SIZE_SEQUENCES
           || size == V2_SIZE_MASKS;
}

// A current-format file's image and text as far as they can be read without
// touching anything of the model but the image itself.
struct currentImage {
    int header = -1;
    bool framed = false;
    framedFile frame;
    bool touched = false;   // the image was written
    bool inflated = false;
    bool intact = false;    // the block's checksum holds
    projectFileText text;
};

void frameCurrent(currentImage& r, const QByteArray& content)
{
    r.header = headerSize(content);
    r.framed = validHeaderSize(r.header) && frameOf(content, r.header, CURRENT_IMAGE_SIZE, r.frame);
}

// Inflates a framed block in place: what the image held is copied to `kept`
// first when given. A long text is read, and the block's checksum tested, on
// a thread of its own meanwhile.
void inflateCurrent(currentImage& r, const QByteArray& content, uint8_t* image, uint8_t* kept)
{
    const framedFile& frame = r.frame;
    const auto inflate = [&] {
        if (kept)
            std::memcpy(kept, image, CURRENT_IMAGE_SIZE);
        r.touched = true;
        r.inflated = inflateBlock(frame.block, frame.blockSize, image, CURRENT_IMAGE_SIZE);
    };
    const auto readText = [&] {
        readProjectFileText(r.text, content, frame);
        r.intact = blockIntact(frame);
    };
    std::thread reader;
    if (frame.textInPlace && content.size() - frame.textOffset >= OVERLAP_TEXT_BYTES) {
        try {
            reader = std::thread(readText);
        } catch (const std::system_error&) {
            // No thread to be had: the same work, one after the other.
        }
    }
    if (reader.joinable()) {
        const joinedThread joined{reader};
        inflate();
    } else {
        r.intact = blockIntact(frame);
        if (r.intact) {
            inflate();
            readProjectFileText(r.text, content, frame);
        }
    }
}

} // namespace

// A configuration file as read from disk, before anything of the model
// changes; a current-format image may already be inflated into the cleared
// image (the first file of the command line, read ahead).
struct kv310_controller_class::fileContent {
    QString fileName;
    boundedOpen opened = boundedOpen::failed;
    bool headerRead = false;
    fileKind kind = fileKind::unknown;
    bool oversize = false;
    QByteArray content;
    bool inflatedAhead = false;
    currentImage ahead;
};

// The first file of the command line being read on a thread of its own.
struct kv310_controller_class::readAhead {
    fileContent file;
    std::thread thread;
    ~readAhead()
    {
        if (thread.joinable())
            thread.join();
    }
};

int kv310_controller_class::writeFileHeader(QByteArray& target, bool oldstyle, const QString& fileName)
{
    QString text = oldstyle ? QStringLiteral("Kv310v3CFG\r\nKv310 project description file.\r\n")
                            : QStringLiteral("Kv310+CFG\r\nKv310+ project description file.\r\n");
    text += QLatin1String("File written by KvOrbit310+ rel. ") + QLatin1String(RELEASE);
    text += QLatin1String("\r\nLast modification:  ") + QDateTime::currentDateTime().toString(QLatin1String(DATE_FORMAT));
    text += QLatin1String("\r\nFile name: ");
    const QString about = QStringLiteral("\r\nKvOrbit310+ show controller configuration"
                                         "\r\nFor support, contact the supplier of your controller.\r\n\r\n");
    // The header and its record must lie within the first bytes of the file:
    // a very long name is cut here (the project XML keeps it whole).
    const qsizetype room = std::max<qsizetype>(MAX_HEADER_SIZE - 1 - text.size() - about.size(), 0);
    text += fileName.left(room);
    text += about;

    QByteArray bytes = text.toLatin1();
    // The zero byte ends the header: none may come before it.
    bytes.replace('\0', '?');
    while ((bytes.size() + 1) % 16 != 0)
        bytes += char(HEADER_FILL);
    bytes += '\0';
    target += bytes;
    return int(bytes.size());
}

void kv310_controller_class::write_confDataToFile(QString fileName, bool oldstyle)
{
    if (oldstyle) {
        const int answer =
            showMessage(QMessageBox::Question, theMainWindow, tr("Old-style file format!"),
                        tr("You have choosen old-style configuration file format (v3)!\nSome informations will not be "
                           "saved into file, and may get lost!\nContinue anyway?"),
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }

    const QString previousName = projectFileName;
    const QString previousDate = projectFileDate;
    const auto failed = [&] {
        projectFileName = previousName;
        projectFileDate = previousDate;
        showMessage(QMessageBox::Critical, theMainWindow, tr("KvOrbit310+"),
                    tr("Data write to file ") + fileName + QLatin1Char('\n') + tr("failed!"));
        showProjectTitle(QString());
    };

    // A show that does not fit the image is not saved at all: the image
    // still holds the last show that fitted. (The programs table has said why.)
    const bool eventsPacked = events.packEvents(configImage) == 0;
    const bool programsPacked = programs.packPrograms(configImage) == 0;
    packTimers();
    packCoupledScenes();
    if (!eventsPacked || !programsPacked) {
        failed();
        return;
    }

    const uint8_t* image = configImage;
    uint32_t imageSize = CURRENT_IMAGE_SIZE;
    std::unique_ptr<uint8_t[]> oldImage;
    if (oldstyle) {
        oldImage.reset(new (std::nothrow) uint8_t[OLD_IMAGE_SIZE]);
        if (!oldImage) {
            showMessage(QMessageBox::Warning, theMainWindow, tr("Insufficient memory!"),
                        tr("Not enough memory to create temporary flash image!"));
            return;
        }
        buildOldStyleImage(configImage, oldImage.get());
        image = oldImage.get();
        imageSize = OLD_IMAGE_SIZE;
    }

    // The file the user has is replaced only by a complete new one.
    QSaveFile file(fileName);
    if (!openRegularSaveFile(file)) {
        failed();
        return;
    }

    projectFileName = QFileInfo(fileName).fileName();
    projectFileDate = QDateTime::currentDateTime().toString(QLatin1String(DATE_FORMAT));
    QString xml;
    writeProjectXml(xml);

    QByteArray head;
    const int h = writeFileHeader(head, oldstyle, projectFileName);
    const QByteArray block = compressBlock(image, qsizetype(imageSize));
    if (block.isEmpty()) {
        failed();
        return;
    }
    const qsizetype padding = (16 - block.size() % 16) % 16;
    fileBlockRecord record;
    record.dataOffset = uint16_t(h + RECORD_SIZE);
    record.checksum = checksum(block);
    record.dataSize = uint32_t(block.size());
    record.textOffset = uint32_t(h + RECORD_SIZE + block.size() + padding);
    record.textLength = uint32_t(xml.size());
    head.resize(h + RECORD_SIZE);
    record.write(reinterpret_cast<uint8_t*>(head.data()) + h);

    QByteArray text = xml.toUtf8();
    text += '\n';
    const auto put = [&file](const char* data, qsizetype size) { return file.write(data, size) == size; };
    const bool written = put(head.constData(), head.size()) && put(block.constData(), block.size())
                         && put(QByteArray(padding, '\0').constData(), padding) && put(text.constData(), text.size())
                         && file.commit();
    if (!written) {
        failed();
        return;
    }
    showMessage(QMessageBox::Information, theMainWindow, tr("KvOrbit310+"),
                tr("Data write to file ") + fileName + QLatin1Char('\n') + tr("successful!"));
    showProjectTitle(projectFileName);
    takeFingerprint();
}

void kv310_controller_class::read_confDataFromFile(QString fileName)
{
    readConfiguration(fileName, true);
}

void kv310_controller_class::readFirstConfiguration(const QString& fileName)
{
    readConfiguration(fileName, false);
}

void kv310_controller_class::startFirstConfiguration(const QString& fileName)
{
    finishFirstConfiguration();
    auto pending = std::make_shared<readAhead>();
    pending->file.fileName = fileName;
    uint8_t* const image = configImage;
    const auto work = [file = &pending->file, image] {
        loadConfigurationFile(*file);
        // Only the image is touched: it is the cleared one, and nothing
        // reads it before the read is finished.
        if (file->kind == fileKind::current && !file->content.isEmpty() && !file->oversize) {
            frameCurrent(file->ahead, file->content);
            if (file->ahead.framed)
                inflateCurrent(file->ahead, file->content, image, nullptr);
            file->inflatedAhead = true;
        }
    };
    try {
        pending->thread = std::thread(work);
    } catch (const std::system_error&) {
        // No thread to be had: read at once.
        work();
    }
    readingAhead = std::move(pending);
}

void kv310_controller_class::finishFirstConfiguration()
{
    const std::shared_ptr<readAhead> pending = std::move(readingAhead);
    if (!pending)
        return;
    if (pending->thread.joinable())
        pending->thread.join();
    takeConfiguration(pending->file, false);
}

void kv310_controller_class::loadConfigurationFile(fileContent& f)
{
    QFile file(f.fileName);
    f.opened = openBoundedFile(file, fileLimit::configurationMB);
    if (f.opened != boundedOpen::opened)
        return;
    f.headerRead = readUpTo(file, f.content, HEADER_LIMIT);
    if (!f.headerRead)
        return;
    f.kind = kindOf(f.content);
    // A file that grew past the bound since it was opened is no
    // configuration file either.
    const qint64 maxSize = fileLimit::bytes(fileLimit::configurationMB);
    if (f.kind == fileKind::current || f.kind == fileKind::oldStyle || f.kind == fileKind::v2) {
        const qint64 limit = f.kind == fileKind::v2 ? V2_READ_LIMIT : maxSize + 1;
        if (!readUpTo(file, f.content, limit))
            f.content.clear();
        f.oversize = f.kind != fileKind::v2 && f.content.size() > maxSize;
    }
}

void kv310_controller_class::readConfiguration(const QString& fileName, bool keepImage)
{
    // Everything the file is read for is read before anything is changed:
    // a file that cannot be opened or read leaves the model as it is.
    fileContent f;
    f.fileName = fileName;
    loadConfigurationFile(f);
    takeConfiguration(f, keepImage);
}

void kv310_controller_class::takeConfiguration(fileContent& f, bool keepImage)
{
    const QString& fileName = f.fileName;
    if (f.opened == boundedOpen::tooBig) {
        showFileTooBig(theMainWindow, fileName, fileLimit::configurationMB);
        return;
    }
    if (f.opened != boundedOpen::opened || !f.headerRead) {
        showMessage(QMessageBox::Critical, theMainWindow, tr("KvOrbit310+"),
                    tr("Data read from file\n       failed!\n\nFile corrupted."));
        return;
    }
    const fileKind kind = f.kind;
    const bool oversize = f.oversize;
    QByteArray& content = f.content;

    // A file refused for any reason leaves the show, its descriptions, the
    // visual project and the title as they were: only a file that is taken
    // replaces them.
    fileRead result = fileRead::corrupt;
    switch (kind) {
    case fileKind::v1:
        showMessage(QMessageBox::Warning, theMainWindow, tr("Older version!"),
                    tr("The file contains previous version of configuration!\nTo convert it into "
                       "current format try get\na converting program from KVO website!"));
        return;
    case fileKind::unknown:
        break;
    case fileKind::oldStyle:
    case fileKind::v2:
        if (!content.isEmpty() && !oversize)
            result = readOldConfig(content, kind == fileKind::v2, fileName);
        break;
    case fileKind::current:
        if (!content.isEmpty() && !oversize)
            result = readCurrentFile(f, keepImage);
        break;
    }
    content.clear();

    switch (result) {
    case fileRead::refused:
        return;
    case fileRead::corrupt:
        showMessage(QMessageBox::Critical, theMainWindow, tr("KvOrbit310+"),
                    tr("Data read from file\n       failed!\n\nFile corrupted."));
        return;
    case fileRead::whole:
        finishFileRead();
        showMessage(QMessageBox::Information, theMainWindow, tr("KvOrbit310+"),
                    tr("Data read from file\n    successful!"));
        break;
    case fileRead::descriptionsIncomplete:
        finishFileRead();
        showMessage(QMessageBox::Warning, theMainWindow, tr("KvOrbit310+"),
                    tr("Data read from file,\nbut its descriptions are incomplete!"));
        break;
    }
    showProjectTitle(QFileInfo(fileName).fileName());
    // The show is the file's now, as the pages show it after the read.
    takeFingerprint();
}

void kv310_controller_class::finishFileRead()
{
    const uint16_t outputs = img::getU16(configImage, img::outputChannelCount);
    img::putU16(configImage, img::outputChannelCount, std::clamp<uint16_t>(outputs, 24, 512));
    const uint16_t mbft = img::getU16(configImage, img::mbftCode);
    img::putU16(configImage, img::mbftCode, mbft == 0xFFFF ? 10 : std::min<uint16_t>(mbft, 90));
    programs.unpackPrograms(configImage);
    events.unpackEvents(configImage);
    unpackTimers();
    unpackCoupledScenes();
    rebuildSequences();
    emit readFileFinished();
}

kv310_controller_class::fileRead kv310_controller_class::readCurrentFile(fileContent& f, bool keepImage)
{
    const QByteArray& content = f.content;
    const QString& fileName = f.fileName;
    // The first file of the command line comes inflated already.
    const bool ahead = f.inflatedAhead;
    currentImage& r = f.ahead;
    if (!ahead)
        frameCurrent(r, content);
    if (!validHeaderSize(r.header)) {
        showMessage(QMessageBox::Warning, theMainWindow, tr("Invalid file!"),
                    tr("This file is not a valid project description file:\n\"%1\"").arg(fileName));
        return fileRead::refused;
    }
    if (!r.framed)
        return fileRead::corrupt;

    // The image is inflated where it belongs; what it held is kept aside
    // until the stream has proven whole, unless it is the cleared image.
    const std::unique_ptr<uint8_t[]> kept(keepImage ? new (std::nothrow) uint8_t[CURRENT_IMAGE_SIZE] : nullptr);
    if (keepImage && !kept) {
        showMessage(QMessageBox::Warning, theMainWindow, tr("Invalid file!"),
                    tr("Not enough memory to create temporary flash image!"));
        return fileRead::refused;
    }
    if (!ahead)
        inflateCurrent(r, content, configImage, kept.get());
    if (!r.intact || !r.inflated) {
        if (r.touched && kept)
            std::memcpy(configImage, kept.get(), CURRENT_IMAGE_SIZE);
        else if (r.touched)
            ClearConfig(CLEAR_ALL);
        return fileRead::corrupt;
    }

    // The file replaces the whole configuration; the project area is not
    // part of it and is left as clearing leaves it.
    clearBesideImage(CLEAR_ALL);
    std::memset(configImage + img::projectArea, 0xFF, img::PROJECT_AREA_SIZE);
    return takeProjectFileText(*this, r.text) ? fileRead::whole : fileRead::descriptionsIncomplete;
}

kv310_controller_class::fileRead kv310_controller_class::readOldConfig(const QByteArray& content, bool v2,
                                                                     const QString& fileName)
{
    const auto noMemory = [this] {
        showMessage(QMessageBox::Warning, theMainWindow, tr("Invalid file!"),
                    tr("Not enough memory to create temporary flash image!"));
        return fileRead::refused;
    };

    if (!v2) {
        const int h = headerSize(content);
        if (!validHeaderSize(h)) {
            showMessage(QMessageBox::Warning, theMainWindow, tr("Invalid file!"),
                        tr("This file is not a valid project description file:\n\"%1\"").arg(fileName));
            return fileRead::refused;
        }
        framedFile frame;
        if (!frameOf(content, h, OLD_IMAGE_SIZE, frame) || !blockIntact(frame))
            return fileRead::corrupt;
        const std::unique_ptr<uint8_t[]> old(new (std::nothrow) uint8_t[OLD_IMAGE_SIZE]);
        if (!old)
            return noMemory();
        if (!inflateBlock(frame.block, frame.blockSize, old.get(), OLD_IMAGE_SIZE))
            return fileRead::corrupt;
        projectFileText text;
        readProjectFileText(text, content, frame);

        ClearConfig(CLEAR_ALL);
        takeOldStyleImage(old.get(), configImage);
        return takeProjectFileText(*this, text) ? fileRead::whole : fileRead::descriptionsIncomplete;
    }

    // v2: text header and its zero byte, compressed block, u16 checksum over
    // everything before it.
    if (content.size() < 2)
        return fileRead::corrupt;
    const qsizetype end = content.size() - 2;
    if (checksum(content.constData(), end) != qFromLittleEndian<uint16_t>(content.constData() + end))
        return fileRead::corrupt;
    const qsizetype zero = content.left(end).indexOf('\0');
    if (zero < 0)
        return fileRead::corrupt;
    const char* block = content.constData() + zero + 1;
    const qsizetype blockSize = end - zero - 1;
    const uint32_t announced = announcedLength(block, blockSize);
    if (!isV2Size(announced))
        return fileRead::corrupt;
    const std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[announced]);
    if (!data)
        return noMemory();
    if (!inflateBlock(block, blockSize, data.get(), announced))
        return fileRead::corrupt;

    ClearConfig(CLEAR_ALL);
    takeOldStyleImage(data.get(), configImage);
    const char* p = reinterpret_cast<const char*>(data.get()) + OLD_IMAGE_SIZE;
    if (announced >= V2_SIZE_SCENES_PROGRAMS) {
        p = takeV2Texts(p, sceneDescriptions, 0, V2_SCENE_TEXTS);
        p = takeV2Texts(p, programDescriptions, 0, img::PROGRAM_SLOTS);
    }
    if (announced >= V2_SIZE_SEQUENCES)
        p = takeV2Texts(p, eventDescriptions, EVENT_SEQUENCE_START, img::SEQUENCES);
    if (announced >= V2_SIZE_MASKS)
        takeV2Texts(p, maskDescriptions, 0, img::MASKS);
    return fileRead::whole;
}

void kv310_controller_class::showProjectTitle(const QString& fileName)
{
    // A scratch copy loaded to copy from is not the project the window shows.
    if (this != theController)
        return;
    titleFileName = fileName;
    if (theMainWindow)
        theMainWindow->setWindowTitle(mainWindowTitle());
}

QString kv310_controller_class::mainWindowTitle() const
{
    const QString title = QStringLiteral("KvOrbit310+");
    return titleFileName.isEmpty() ? title : title + QLatin1String(" - ") + titleFileName;
}
