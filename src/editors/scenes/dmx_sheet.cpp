#include "editors/scenes/dmx_sheet.h"

#include "model/config_image.h"

#include <QByteArray>
#include <QDebug>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int CHANNELS = img::CHANNELS;
constexpr uint16_t NO_NUMBER = 0xFFFF;
constexpr uint16_t INFINITE = 0xFFFF;

constexpr qint64 READ_CHUNK = 64 * 1024;
constexpr qsizetype WRITE_CHUNK = 256 * 1024;
// What the reader keeps of a row name, of a number and of a description:
// no name it knows and no number it takes is longer, and a description of
// this program holds at most 100 characters. Bytes beyond are passed over,
// so that a hostile cell costs no memory.
constexpr size_t NAME_CAP = 64;
constexpr size_t NUMBER_CAP = 64;
constexpr size_t DESCRIPTION_CAP = 1024;

// A mask sheet's header alone, without a line end, is no sheet.
const char BARE_HEADER[] = "Kvotera DMX sheet";
constexpr size_t BARE_HEADER_LENGTH = sizeof BARE_HEADER - 1;

// A decimal integer with an optional sign and blanks around it. Values
// saturate far beyond every field's range, where the clamps take them.
bool parseInteger(const char* p, size_t n, qint64& value)
{
    size_t i = 0;
    while (i < n && (p[i] == ' ' || p[i] == '\t'))
        ++i;
    while (n > i && (p[n - 1] == ' ' || p[n - 1] == '\t'))
        --n;
    bool negative = false;
    if (i < n && (p[i] == '+' || p[i] == '-')) {
        negative = p[i] == '-';
        ++i;
    }
    if (i == n)
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const unsigned digit = unsigned(static_cast<unsigned char>(p[i])) - unsigned('0');
        if (digit > 9)
            return false;
        if (v < 1000000000)
            v = v * 10 + digit;
    }
    value = negative ? -v : v;
    return true;
}

// ---- Writing --------------------------------------------------------------------

void appendNumber(QByteArray& out, int v)
{
    char text[12];
    char* const end = text + sizeof text;
    char* p = end;
    unsigned u = v < 0 ? unsigned(-qint64(v)) : unsigned(v);
    do {
        *--p = char('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0)
        *--p = '-';
    out.append(p, end - p);
}

// ";0" to ";255", made once: the channel rows are nearly the whole sheet.
struct levelCells {
    char text[256][4];
    uint8_t length[256];
    levelCells()
    {
        for (int v = 0; v < 256; ++v) {
            QByteArray cell(";");
            appendNumber(cell, v);
            std::memcpy(text[v], cell.constData(), size_t(cell.size()));
            length[v] = uint8_t(cell.size());
        }
    }
};

// No quoting exists in the format: a separator in a description would
// shift every later column, a line break would end the row.
QByteArray descriptionCell(const QString& description)
{
    static const QString special = QStringLiteral(";\r\n");
    bool plain = true;
    for (const QChar c : description)
        if (special.contains(c)) {
            plain = false;
            break;
        }
    if (plain)
        return description.toLocal8Bit();
    QString text = description;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char(';'), QLatin1Char(','));
    return text.toLocal8Bit();
}

// ---- Reading --------------------------------------------------------------------

// Takes the bytes of a sheet as they come and fills the columns of the cells
// it understands; a column is made by the first valid cell that reaches it.
class sheetReader {
public:
    explicit sheetReader(const dmxSheetKind& kind)
        : kind(kind)
    {
        found.resize(size_t(kind.records));
    }

    void take(const char* p, qsizetype n)
    {
        while (n > 0) {
            if (!firstLineEnded) {
                const char* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(n)));
                const qsizetype part = lf ? lf - p : n;
                if (firstLineLength < BARE_HEADER_LENGTH + 1)
                    firstLine.append(p, size_t(qMin<qsizetype>(part, qsizetype(BARE_HEADER_LENGTH + 1))));
                firstLineLength += size_t(part);
                if (!lf)
                    return;
                firstLineEnded = true;
                p += part + 1;
                n -= part + 1;
                continue;
            }
            qsizetype i = 0;
            while (i < n && p[i] != ';' && p[i] != '\n')
                ++i;
            tokenBytes(p, size_t(i));
            if (i == n)
                return;
            if (p[i] == ';')
                separator();
            else
                lineEnd();
            p += i + 1;
            n -= i + 1;
        }
    }

    // At the end of the input: a last line without its line end counts whole.
    void end()
    {
        if (firstLineEnded && (!inName || !token.empty() || tokenCut))
            lineEnd();
    }

    bool anythingRead() const { return firstLineEnded || firstLineLength > 0; }
    bool onlyBareHeader() const
    {
        return !firstLineEnded && firstLineLength == BARE_HEADER_LENGTH
            && firstLine.compare(0, std::string::npos, BARE_HEADER) == 0;
    }

    dmxSheetColumns found;  // by cell index; null where no valid cell came

private:
    enum rowKind { ROW_IGNORED, ROW_NUMBER, ROW_FADE_UP, ROW_DURATION, ROW_FADE_DOWN, ROW_CHANNEL, ROW_DESCRIPTION };

    void tokenBytes(const char* p, size_t n)
    {
        if (n == 0)
            return;
        lastByte = p[n - 1];
        if (!storing())
            return;
        const size_t room = tokenCap - token.size();
        if (n > room) {
            token.append(p, room);
            tokenCut = true;
        } else {
            token.append(p, n);
        }
    }

    bool storing() const { return inName || (row != ROW_IGNORED && cellIndex < kind.records); }

    void resetToken()
    {
        token.clear();
        tokenCut = false;
        lastByte = 0;
    }

    void separator()
    {
        if (inName) {
            classify();
            inName = false;
            cellIndex = 0;
            tokenCap = row == ROW_DESCRIPTION ? DESCRIPTION_CAP : NUMBER_CAP;
        } else {
            cell();
            if (cellIndex < kind.records)
                ++cellIndex;
        }
        resetToken();
    }

    void lineEnd()
    {
        // The line end may be CR LF: the CR belongs to no cell.
        if (lastByte == '\r' && !tokenCut && !token.empty() && token.back() == '\r')
            token.pop_back();
        if (inName) {
            if (!token.empty() || tokenCut) {
                // A row name alone: a row with one empty cell.
                classify();
                cellIndex = 0;
                resetToken();
                cell();
            }
        } else {
            cell();
        }
        inName = true;
        row = ROW_IGNORED;
        tokenCap = NAME_CAP;
        resetToken();
    }

    void classify()
    {
        row = ROW_IGNORED;
        const QString name = QString::fromLatin1(token.data(), qsizetype(token.size()));
        if (!tokenCut) {
            if (token == kind.numberRow)
                row = ROW_NUMBER;
            else if (token == "RiseTime")
                row = ROW_FADE_UP;
            else if (token == "LastTime")
                row = ROW_DURATION;
            else if (token == "FallTime")
                row = ROW_FADE_DOWN;
            else if (token == "desc")
                row = ROW_DESCRIPTION;
        }
        if (row != ROW_IGNORED)
            return;
        if (!token.empty() && token[0] == 'C') {
            qint64 n = 0;
            if (!tokenCut && parseInteger(token.data() + 1, token.size() - 1, n) && n >= 1 && n <= CHANNELS) {
                row = ROW_CHANNEL;
                channel = int(n - 1);
                return;
            }
            qDebug() << kind.badChannelText << n;
            return;
        }
        qDebug() << name << ": niezinterpretowany!";
    }

    dmx_sheet_row& column(int k)
    {
        std::unique_ptr<dmx_sheet_row>& c = found[size_t(k)];
        if (!c)
            c = std::make_unique<dmx_sheet_row>();
        return *c;
    }

    void cell()
    {
        if (row == ROW_IGNORED || cellIndex >= kind.records)
            return;
        const int k = cellIndex;
        if (row == ROW_DESCRIPTION) {
            if (!found[size_t(k)] && token.empty())
                return;
            if (tokenCut)
                dropCutCharacter();
            column(k).description = QString::fromLocal8Bit(token.data(), qsizetype(token.size()));
            return;
        }
        qint64 v = 0;
        if (tokenCut || !parseInteger(token.data(), token.size(), v))
            return;
        dmx_sheet_row& c = column(k);
        switch (row) {
        case ROW_NUMBER:
            c.number = uint16_t(std::clamp<qint64>(v, 0, kind.records));
            break;
        case ROW_FADE_UP:
            c.fadeUp = uint16_t(std::clamp<qint64>(v, 0, 0xFFFF));
            break;
        case ROW_DURATION:
            c.duration = v < 0 || v > 0xFFFF ? INFINITE : uint16_t(v);
            break;
        case ROW_FADE_DOWN:
            c.fadeDown = uint16_t(std::clamp<qint64>(v, 0, 0xFFFF));
            break;
        case ROW_CHANNEL:
            c.channels[size_t(channel)] = uint8_t(std::clamp<qint64>(v, 0, 255));
            break;
        default:
            break;
        }
    }

    // A description cut at the cap ends whole characters (UTF-8).
    void dropCutCharacter()
    {
        size_t start = token.size();
        while (start > 0 && (static_cast<unsigned char>(token[start - 1]) & 0xC0) == 0x80)
            --start;
        if (start == 0)
            return;
        const unsigned lead = static_cast<unsigned char>(token[start - 1]);
        if (lead < 0xC0)
            return;
        const size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (token.size() - (start - 1) < need)
            token.resize(start - 1);
    }

    const dmxSheetKind& kind;

    bool firstLineEnded = false;
    size_t firstLineLength = 0;
    std::string firstLine;      // its first bytes, enough to know the bare header

    std::string token;          // the row name or the cell being read
    size_t tokenCap = NAME_CAP;
    bool tokenCut = false;      // bytes beyond the cap were passed over
    char lastByte = 0;          // of the token, kept or not
    bool inName = true;
    int cellIndex = 0;
    rowKind row = ROW_IGNORED;
    int channel = 0;
};

}  // namespace

// ---- Kinds -----------------------------------------------------------------------

const dmxSheetKind& dmxSheetKind::scenes()
{
    static const dmxSheetKind kind{"KVO DMX sheet", "scene",       true, img::SCENES, img::sceneChannels,
                                   img::sceneTimes, "Invalid value:"};
    return kind;
}

const dmxSheetKind& dmxSheetKind::masks()
{
    static const dmxSheetKind kind{"Kvotera DMX sheet", "mask",         false, img::MASKS, img::maskChannels,
                                   img::maskTimes,      "Invalid value :"};
    return kind;
}

bool sheetRowLess(const dmx_sheet_row* a, const dmx_sheet_row* b)
{
    return a->number < b->number;
}

// ---- Writing ---------------------------------------------------------------------

bool dmxSheet::write(QIODevice& out, const dmxSheetKind& kind, const uint8_t* image, const QString* descriptions,
                     int first, int last)
{
    if (first < 0 || last >= kind.records || last < first)
        return false;
    static const levelCells levels;
    const int count = last - first + 1;
    QByteArray buffer;
    buffer.reserve(WRITE_CHUNK + 4 * 1024 + 4 * count);
    bool ok = true;
    const auto flush = [&](bool always) {
        if (!ok || (!always && buffer.size() < WRITE_CHUNK))
            return;
        if (!buffer.isEmpty() && out.write(buffer) != buffer.size())
            ok = false;
        buffer.resize(0);
    };

    buffer.append(kind.header).append('\n');
    buffer.append(kind.numberRow);
    for (int r = first; r <= last; ++r) {
        buffer.append(';');
        appendNumber(buffer, r + 1);
    }
    buffer.append('\n');

    const auto timeRow = [&](const char* name, uint32_t field, bool infiniteAsMinusOne) {
        buffer.append(name);
        for (int r = first; r <= last; ++r) {
            const uint16_t code = img::getU16(image, kind.times + 8u * uint32_t(r) + field);
            buffer.append(';');
            appendNumber(buffer, infiniteAsMinusOne && code == INFINITE ? -1 : int(code));
        }
        buffer.append('\n');
    };
    timeRow("RiseTime", 0, false);
    if (kind.durationRow)
        timeRow("LastTime", 2, true);
    timeRow("FallTime", 4, false);

    const uint8_t* record0 = image + kind.channels;
    for (int ch = 0; ch < CHANNELS && ok; ++ch) {
        buffer.append('C');
        appendNumber(buffer, ch + 1);
        const uint8_t* level = record0 + size_t(CHANNELS) * size_t(first) + size_t(ch);
        for (int r = 0; r < count; ++r, level += CHANNELS)
            buffer.append(levels.text[*level], levels.length[*level]);
        buffer.append('\n');
        flush(false);
    }

    buffer.append("desc");
    for (int r = first; r <= last && ok; ++r) {
        buffer.append(';');
        buffer.append(descriptionCell(descriptions[r]));
        flush(false);
    }
    buffer.append('\n');
    flush(true);
    return ok;
}

// ---- Reading ---------------------------------------------------------------------

dmxSheet::readStatus dmxSheet::read(QIODevice& in, const dmxSheetKind& kind, dmxSheetColumns& columns)
{
    sheetReader reader(kind);
    QByteArray chunk(READ_CHUNK, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(chunk.data(), READ_CHUNK);
        if (n <= 0)
            break;
        reader.take(chunk.constData(), qsizetype(n));
    }
    if (!reader.anythingRead() || reader.onlyBareHeader())
        return READ_INVALID;
    reader.end();

    columns.clear();
    std::vector<bool> used(size_t(kind.records) + 1);
    for (const auto& c : reader.found)
        if (c && c->number != NO_NUMBER)
            used[c->number] = true;
    // Columns without a number take the free numbers from 0 up, in sheet
    // order; one that finds none left is dropped.
    int next = 0;
    for (auto& c : reader.found) {
        if (!c)
            continue;
        if (c->number == NO_NUMBER) {
            while (next <= kind.records && used[size_t(next)])
                ++next;
            if (next > kind.records)
                continue;
            c->number = uint16_t(next);
            used[size_t(next)] = true;
        }
        columns.push_back(std::move(c));
    }
    if (columns.empty())
        return READ_EMPTY;
    std::stable_sort(columns.begin(), columns.end(),
                     [](const auto& a, const auto& b) { return sheetRowLess(a.get(), b.get()); });
    return READ_OK;
}

// ---- Storing ---------------------------------------------------------------------

int dmxSheet::store(const dmxSheetColumns& columns, const dmxSheetKind& kind, uint8_t* image, QString* descriptions,
                    int from, int to, int shift)
{
    int count = 0;
    for (const auto& c : columns) {
        if (c->number < from || c->number > to)
            continue;
        const qint64 t = qint64(c->number) + shift - 1;
        if (t < 0 || t >= kind.records)
            continue;
        const uint32_t at = uint32_t(t);
        fadeTimes times = fadeTimes::read(image + kind.times + 8u * at);
        times.fadeUp = c->fadeUp;
        times.duration = c->duration;
        times.fadeDown = c->fadeDown;
        times.write(image + kind.times + 8u * at);
        std::memcpy(image + kind.channels + uint32_t(CHANNELS) * at, c->channels.data(), size_t(CHANNELS));
        descriptions[at] = c->description;
        ++count;
    }
    return count;
}
