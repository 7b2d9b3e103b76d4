#include "kv310_controller.h"

#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "compressed_block.h"
#include "project_text.h"
#include "text_encoding.h"

#include <algorithm>
#include <cstring>

// The project area of the image holds the project description for the
// controller, in one of three forms, all of them UTF-8 text (areas written by
// earlier releases hold Latin-1, which is read as such: see text_encoding.h):
//   plain       the text, ended by a zero byte when it is shorter than the area
//   compressed  "<compressed size=N >", N bytes of a compressed block
//               (compressed_block.h),
//               "</compressed>" and a line feed
//   partial     "<partial>", a line feed and the beginning of the text, when
//               even the compressed form does not fit

namespace {

constexpr qsizetype AREA = qsizetype(img::PROJECT_AREA_SIZE);
constexpr char COMPRESSED_MARK[] = "<compressed";
constexpr char COMPRESSED_HEADER[] = "<compressed size=";
constexpr char COMPRESSED_END[] = "</compressed>\n";
constexpr char PARTIAL_MARK[] = "<partial>";
constexpr char PARTIAL_HEADER[] = "<partial>\n";
// Room kept after the compressed block for its closing marker.
constexpr qsizetype CLOSING_ROOM = 15;
// The most a stored description is taken to decompress to: zlib never
// expands a byte to more than 1032, and no description comes near 64 MB.
constexpr quint64 ZLIB_MAX_RATIO = 1032;
constexpr quint64 MAX_STORED_TEXT = 0x4000000;

template <size_t N>
constexpr qsizetype length(const char (&)[N])
{
    return qsizetype(N - 1);
}

template <size_t N>
bool startsWith(const char* area, const char (&mark)[N])
{
    return std::memcmp(area, mark, N - 1) == 0;
}

void showSizeMessage()
{
    showMessage(QMessageBox::Information, theMainWindow, kv310_controller_class::tr("KvOrbit310+"),
                kv310_controller_class::tr("Compressed project size exceeds reserved flash area!\n"
                                           "Some information will not be stored in the device!"));
}

// The text of a compressed area, or a null array when the area does not
// hold a block that decompresses.
QByteArray decompressedText(const char* area)
{
    if (!startsWith(area, COMPRESSED_HEADER))
        return QByteArray();
    qsizetype pos = length(COMPRESSED_HEADER);
    while (pos < AREA && area[pos] == ' ')
        ++pos;
    qsizetype size = 0;
    const qsizetype digits = pos;
    while (pos < AREA && area[pos] >= '0' && area[pos] <= '9' && size < AREA)
        size = size * 10 + (area[pos++] - '0');
    if (pos == digits || size >= AREA)
        return QByteArray();

    const char* gt = static_cast<const char*>(std::memchr(area, '>', size_t(AREA)));
    if (!gt)
        return QByteArray();
    const qsizetype start = gt - area + 1;
    if (size > AREA - start)
        return QByteArray();
    const quint64 limit = std::min<quint64>(MAX_STORED_TEXT, quint64(size) * ZLIB_MAX_RATIO);
    QByteArray text = cfgfile::inflateBlock(area + start, size, uint32_t(limit));
    if (text.isEmpty())
        return QByteArray();
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

} // namespace

bool kv310_controller_class::storeProjectDescription()
{
    QString xml;
    writeProjectXml(xml);
    // Every size below counts bytes: a Polish letter takes two.
    const QByteArray text = xml.toUtf8();
    char* area = reinterpret_cast<char*>(configImage + img::projectArea);

    if (text.size() <= AREA) {
        std::memcpy(area, text.constData(), size_t(text.size()));
        // The reader stops at the zero byte, not at what the area held before.
        if (text.size() < AREA)
            area[text.size()] = '\0';
        return true;
    }

    const QByteArray block = cfgfile::compressBlock(text.constData(), text.size());
    const QByteArray header = COMPRESSED_HEADER + QByteArray::number(block.size()) + " >";
    if (!block.isEmpty() && header.size() + block.size() + CLOSING_ROOM <= AREA) {
        char* p = area;
        std::memcpy(p, header.constData(), size_t(header.size()));
        p += header.size();
        std::memcpy(p, block.constData(), size_t(block.size()));
        p += block.size();
        std::memcpy(p, COMPRESSED_END, size_t(length(COMPRESSED_END)));
        return true;
    }

    showSizeMessage();
    std::memcpy(area, PARTIAL_HEADER, size_t(length(PARTIAL_HEADER)));
    std::memcpy(area + length(PARTIAL_HEADER), text.constData(), size_t(AREA - length(PARTIAL_HEADER)));
    return false;
}

void kv310_controller_class::loadStoredProjectDescription()
{
    const char* area = reinterpret_cast<const char*>(configImage + img::projectArea);

    QString text;
    if (startsWith(area, COMPRESSED_MARK)) {
        const QByteArray bytes = decompressedText(area);
        if (bytes.isNull())
            return;
        text = utf8OrLatin1(bytes);
    } else {
        // A text that runs to the end of the area (the partial form) was
        // cut there, maybe inside a letter.
        const char* zero = static_cast<const char*>(std::memchr(area, '\0', size_t(AREA)));
        text = utf8OrLatin1(QByteArrayView(area, zero ? zero - area : AREA), !zero);
    }

    if (startsWith(area, PARTIAL_MARK)) {
        showSizeMessage();
        text.remove(0, length(PARTIAL_MARK));
    }
    parsedProject parsed = parseProjectText(text);
    takeProjectText(parsed, false);
}
