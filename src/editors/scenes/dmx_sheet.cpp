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
constexpr uint16_t ONE_SECOND = 10;

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

// A separator in a description would shift every later column and a line
// break would end the row, so they are written as what cannot. A
// description that begins with a quote would be taken for a quoted cell by
// every spreadsheet: it alone is written quoted, its quotes doubled.
QByteArray descriptionCell(const QString& description)
{
    static const QString special = QStringLiteral(";\r\n");
    bool plain = true;
    for (const QChar c : description)
        if (special.contains(c)) {
            plain = false;
            break;
        }
    QString text = description;
    if (!plain) {
        text.replace(QLatin1String("\r\n"), QLatin1String(" "));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text.replace(QLatin1Char(';'), QLatin1Char(','));
    }
    if (text.startsWith(QLatin1Char('"'))) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text.toLocal8Bit();
}

// ---- Reading --------------------------------------------------------------------

bool blanksOnly(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Takes the bytes of a sheet as they come and fills the columns of the cells
// it understands; a column is made by the first valid cell that reaches it.
//
// A cell that begins with a quote may be a quoted field or, when it does not
// close on its line, text as it stands. Both readings are followed until
// one wins: the quoted one in `token`, the plain one of the rest of the line
// in `bare`, which keeps the cells that would count, each within its cap.
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
            if (quote != NOT_QUOTED) {
                const qsizetype used = quotedBytes(p, n);
                p += used;
                n -= used;
                continue;
            }
            if (tokenFresh && p[0] == '"' && storing()) {
                openQuote();
                ++p;
                --n;
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
        if (!firstLineEnded)
            return;
        if (quote == IN_QUOTES) {
            bareLineEnd();
        } else if (quote != NOT_QUOTED) {
            closeQuote();
            lineEnd();
        } else if (!inName || !token.empty() || tokenCut) {
            lineEnd();
        }
    }

    bool anythingRead() const { return firstLineEnded || firstLineLength > 0; }
    bool onlyBareHeader() const
    {
        return !firstLineEnded && firstLineLength == BARE_HEADER_LENGTH
            && firstLine.compare(0, std::string::npos, BARE_HEADER) == 0;
    }

    dmxSheetColumns found;  // by cell index; null where no valid cell came
    dmxSheetUnread unread;

private:
    enum rowKind { ROW_IGNORED, ROW_NUMBER, ROW_FADE_UP, ROW_DURATION, ROW_FADE_DOWN, ROW_CHANNEL, ROW_DESCRIPTION };
    // Inside a quoted cell: its text, a quote that may close it or stand
    // for one, that quote followed by a CR that may begin the line end.
    enum quoteState { NOT_QUOTED, IN_QUOTES, QUOTE_SEEN, QUOTE_CR_SEEN };

    struct rowName {
        rowKind row = ROW_IGNORED;
        int channel = 0;
    };

    struct bareCell {
        int index;
        std::string text;
        bool cut;
    };

    // The rest of a line from a quote that has not closed yet, read plainly.
    struct bareReading {
        bool fromName = false;   // the quote began the row name
        bool inName = false;     // the plain row name is still being read
        std::string name;        // that name, within NAME_CAP
        bool nameCut = false;
        rowName row;             // what the row is, by the plain name or the one read before
        int index = 0;           // of the cell being read
        std::string text;        // of the cell or the name being read
        bool cut = false;
        char lastByte = 0;
        std::vector<bareCell> cells;
    };

    size_t capOf(rowKind r) const { return r == ROW_DESCRIPTION ? DESCRIPTION_CAP : NUMBER_CAP; }

    void tokenBytes(const char* p, size_t n)
    {
        if (n == 0)
            return;
        tokenFresh = false;
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

    bool storing() const { return inName || (current.row != ROW_IGNORED && cellIndex < kind.records); }

    void resetToken()
    {
        token.clear();
        tokenCut = false;
        tokenFresh = true;
        tokenQuoted = false;
        lastByte = 0;
    }

    void separator()
    {
        if (inName) {
            classify();
            inName = false;
            cellIndex = 0;
            tokenCap = capOf(current.row);
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
        if (!tokenQuoted && lastByte == '\r' && !tokenCut && !token.empty() && token.back() == '\r')
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
        newLine();
    }

    void newLine()
    {
        inName = true;
        current = rowName{};
        currentName.clear();
        tokenCap = NAME_CAP;
        resetToken();
    }

    // ---- Quoted cells

    void openQuote()
    {
        quote = IN_QUOTES;
        tokenFresh = false;
        bare.fromName = inName;
        bare.inName = inName;
        bare.name.clear();
        bare.nameCut = false;
        bare.row = current;
        bare.index = cellIndex;
        bare.text.assign(1, '"');
        bare.cut = false;
        bare.lastByte = '"';
        bare.cells.clear();
    }

    // Reads bytes of a quoted cell up to the end of its line or to the
    // separator that follows its closing quote; returns the bytes used.
    qsizetype quotedBytes(const char* p, qsizetype n)
    {
        for (qsizetype i = 0; i < n; ++i) {
            const char c = p[i];
            if (c == '\n') {
                if (quote == IN_QUOTES) {
                    bareLineEnd();
                } else {
                    closeQuote();
                    lineEnd();
                }
                return i + 1;
            }
            bareByte(c);
            switch (quote) {
            case QUOTE_SEEN:
                if (c == '"') {
                    quoted('"');
                    quote = IN_QUOTES;
                } else if (c == ';') {
                    closeQuote();
                    separator();
                    return i + 1;
                } else if (c == '\r') {
                    quote = QUOTE_CR_SEEN;
                } else {
                    // A quote inside the text that neither closes it nor is doubled.
                    quoted('"');
                    quoted(c);
                    quote = IN_QUOTES;
                }
                break;
            case QUOTE_CR_SEEN:
                quoted('"');
                quoted('\r');
                quote = IN_QUOTES;
                [[fallthrough]];
            case IN_QUOTES:
                if (c == '"')
                    quote = QUOTE_SEEN;
                else
                    quoted(c);
                break;
            case NOT_QUOTED:
                break;
            }
        }
        return n;
    }

    void quoted(char c)
    {
        if (token.size() < tokenCap)
            token.push_back(c);
        else
            tokenCut = true;
    }

    void closeQuote()
    {
        quote = NOT_QUOTED;
        tokenQuoted = true;
        bare.cells.clear();
    }

    bool bareStoring() const { return bare.inName || (bare.row.row != ROW_IGNORED && bare.index < kind.records); }

    void bareByte(char c)
    {
        if (c != ';') {
            bare.lastByte = c;
            if (!bareStoring())
                return;
            if (bare.text.size() < (bare.inName ? NAME_CAP : capOf(bare.row.row)))
                bare.text.push_back(c);
            else
                bare.cut = true;
            return;
        }
        if (bare.inName) {
            bare.name = std::move(bare.text);
            bare.nameCut = bare.cut;
            bare.row = recognise(bare.name, bare.nameCut);
            bare.inName = false;
            bare.index = 0;
        } else {
            if (bareStoring())
                bare.cells.push_back({bare.index, std::move(bare.text), bare.cut});
            if (bare.index < kind.records)
                ++bare.index;
        }
        bare.text.clear();
        bare.cut = false;
        bare.lastByte = 0;
    }

    // The line ended before the quote closed: its cells from the quote on
    // are read as they stand.
    void bareLineEnd()
    {
        quote = NOT_QUOTED;
        if (bare.lastByte == '\r' && !bare.cut && !bare.text.empty() && bare.text.back() == '\r')
            bare.text.pop_back();
        if (bare.inName) {
            token = std::move(bare.text);
            tokenCut = bare.cut;
            tokenQuoted = true;  // its CR is gone already
            lineEnd();
            return;
        }
        if (bare.fromName) {
            token = std::move(bare.name);
            tokenCut = bare.nameCut;
            classify();
        }
        if (bareStoring())
            bare.cells.push_back({bare.index, std::move(bare.text), bare.cut});
        for (bareCell& c : bare.cells) {
            token = std::move(c.text);
            tokenCut = c.cut;
            cellIndex = c.index;
            cell();
        }
        bare.cells.clear();
        newLine();
    }

    // ---- Rows and cells

    rowName recognise(const std::string& name, bool cut) const
    {
        rowName r;
        if (cut)
            return r;
        if (name == kind.numberRow)
            r.row = ROW_NUMBER;
        else if (name == "RiseTime")
            r.row = ROW_FADE_UP;
        else if (name == "LastTime")
            r.row = ROW_DURATION;
        else if (name == "FallTime")
            r.row = ROW_FADE_DOWN;
        else if (name == "desc")
            r.row = ROW_DESCRIPTION;
        qint64 n = 0;
        if (r.row == ROW_IGNORED && !name.empty() && name[0] == 'C'
            && parseInteger(name.data() + 1, name.size() - 1, n) && n >= 1 && n <= CHANNELS) {
            r.row = ROW_CHANNEL;
            r.channel = int(n - 1);
        }
        return r;
    }

    void classify()
    {
        current = recognise(token, tokenCut);
        currentName = token;
        if (current.row != ROW_IGNORED)
            return;
        if (!token.empty() && token[0] == 'C') {
            qint64 n = 0;
            if (tokenCut || !parseInteger(token.data() + 1, token.size() - 1, n))
                n = 0;
            qDebug() << kind.badChannelText << n;
            return;
        }
        qDebug() << QString::fromLatin1(token.data(), qsizetype(token.size())) << ": niezinterpretowany!";
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
        if (current.row == ROW_IGNORED || cellIndex >= kind.records)
            return;
        const int k = cellIndex;
        if (current.row == ROW_DESCRIPTION) {
            if (!found[size_t(k)] && token.empty())
                return;
            if (tokenCut)
                dropCutCharacter();
            column(k).description = QString::fromLocal8Bit(token.data(), qsizetype(token.size()));
            return;
        }
        qint64 v = 0;
        if (tokenCut || !parseInteger(token.data(), token.size(), v)) {
            if (tokenCut || !blanksOnly(token))
                cannotRead(k);
            return;
        }
        dmx_sheet_row& c = column(k);
        switch (current.row) {
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
            c.channels[size_t(current.channel)] = uint8_t(std::clamp<qint64>(v, 0, 255));
            break;
        default:
            break;
        }
    }

    void cannotRead(int k)
    {
        if (unread.count++ == 0) {
            unread.row = QString::fromLatin1(currentName.data(), qsizetype(currentName.size()));
            unread.column = k + 1;
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
    bool tokenFresh = true;     // no byte of it came yet
    bool tokenQuoted = false;   // it was a quoted cell: no CR of a line end in it
    char lastByte = 0;          // of the token, kept or not
    bool inName = true;
    int cellIndex = 0;
    rowName current;            // the row being read
    std::string currentName;    // its name as the sheet gives it
    quoteState quote = NOT_QUOTED;
    bareReading bare;
};

}  // namespace

// ---- Kinds -----------------------------------------------------------------------

const dmxSheetKind& dmxSheetKind::scenes()
{
    static const dmxSheetKind kind{"KVO DMX sheet",   "scene",          true, img::SCENES, img::sceneChannels,
                                   img::sceneTimes, "Invalid value:", true};
    return kind;
}

const dmxSheetKind& dmxSheetKind::masks()
{
    static const dmxSheetKind kind{"Kvotera DMX sheet", "mask",          false, img::MASKS, img::maskChannels,
                                   img::maskTimes,      "Invalid value :", false};
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

dmxSheet::readStatus dmxSheet::read(QIODevice& in, const dmxSheetKind& kind, dmxSheetColumns& columns,
                                    dmxSheetUnread* unread)
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
    if (unread)
        *unread = reader.unread;

    columns.clear();
    std::vector<bool> used(size_t(kind.records) + 1);
    for (const auto& c : reader.found)
        if (c && c->number != NO_NUMBER)
            used[c->number] = true;
    // Columns without a number take the free numbers from 1 up, in sheet
    // order, as the sheet's own numbers count from 1: a column inserted
    // without one moves no other column. The numbers 1..records always
    // leave one for each column the reader keeps.
    int next = 1;
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

dmxSheet::storeResult dmxSheet::store(const dmxSheetColumns& columns, const dmxSheetKind& kind, uint8_t* image,
                                      QString* descriptions, int from, int to, int shift)
{
    storeResult result;
    const auto stored = [&](const dmx_sheet_row& c) { return c.number >= from && c.number <= to; };
    const auto target = [shift](const dmx_sheet_row& c) { return qint64(c.number) + shift - 1; };
    // A column that cannot be stored where the user asked would be lost
    // without a word: then the table is left as it is.
    for (const auto& c : columns)
        if (stored(*c) && (target(*c) < 0 || target(*c) >= kind.records)) {
            result.outside = c->number;
            return result;
        }
    for (const auto& c : columns) {
        if (!stored(*c))
            continue;
        const uint32_t at = uint32_t(target(*c));
        fadeTimes times = fadeTimes::read(image + kind.times + 8u * at);
        times.fadeUp = c->fadeUp;
        times.duration = c->duration;
        times.fadeDown = c->fadeDown;
        if (kind.timesNeverAllZero && times.fadeUp == 0 && times.duration == 0 && times.fadeDown == 0) {
            times.duration = ONE_SECOND;
            ++result.timesRepaired;
        }
        times.write(image + kind.times + 8u * at);
        std::memcpy(image + kind.channels + uint32_t(CHANNELS) * at, c->channels.data(), size_t(CHANNELS));
        descriptions[at] = c->description;
        ++result.stored;
    }
    return result;
}
