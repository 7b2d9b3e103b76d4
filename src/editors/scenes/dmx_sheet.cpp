#include "editors/scenes/dmx_sheet.h"

#include "editors/scenes/sheet_fields.h"
#include "model/config_image.h"

#include <QByteArray>
#include <QDebug>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr int CHANNELS = img::CHANNELS;
constexpr uint16_t NO_NUMBER = 0xFFFF;
constexpr uint16_t INFINITE = 0xFFFF;
constexpr uint16_t ONE_SECOND = 10;

constexpr qint64 READ_CHUNK = 64 * 1024;
constexpr qsizetype WRITE_CHUNK = 256 * 1024;
// What the reader keeps of a row name, of a number and of a description:
// no name it knows and no number it takes is longer, a row name it does not
// know is shown by its first 40 characters, and a description of this
// program holds at most 100 characters. Bytes beyond are passed over, so
// that a hostile cell costs no memory.
constexpr int NAME_SHOWN = 40;
constexpr size_t NAME_CAP = 4 * NAME_SHOWN;
constexpr size_t NUMBER_CAP = 64;
constexpr size_t DESCRIPTION_CAP = size_t(dmxSheet::descriptionBytes);

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

bool blanksOnly(const char* text, size_t n)
{
    return std::all_of(text, text + n, [](char c) { return c == ' ' || c == '\t'; });
}

// A description cut at the cap ends whole characters (UTF-8): the bytes
// of them.
size_t wholeCharacters(const char* text, size_t n)
{
    size_t start = n;
    while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0)
        return n;
    const unsigned lead = static_cast<unsigned char>(text[start - 1]);
    if (lead < 0xC0)
        return n;
    const size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    return n - (start - 1) < need ? start - 1 : n;
}

// At most n characters of a text, a surrogate pair counting as one.
QString firstCharacters(QString text, int n)
{
    qsizetype end = 0;
    for (int chars = 0; end < text.size() && chars < n; ++chars)
        end += text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate() ? 2 : 1;
    text.truncate(end);
    return text;
}

// Takes the fields of a sheet's lines and fills the columns of the cells it
// understands; a column is made by the first valid cell that reaches it.
class sheetRows : public sheetFieldSink {
public:
    explicit sheetRows(const dmxSheetKind& kind)
        : kind(kind)
    {
        found.resize(size_t(kind.records));
    }

    sheetRowShape shapeOf(const char* name, size_t n, bool cut) const override
    {
        const rowMeaning r = recognise(name, n, cut);
        if (r.row == ROW_IGNORED)
            return {};
        return {kind.records, r.row == ROW_DESCRIPTION ? DESCRIPTION_CAP : NUMBER_CAP};
    }

    void rowName(const char* name, size_t n, bool cut, bool alone) override
    {
        if (alone && n == 0 && !cut)
            return;  // an empty line
        current = recognise(name, n, cut);
        currentName.assign(name, n);
        if (current.row == ROW_IGNORED)
            notUnderstood(currentName, cut);
        if (alone)
            cell(0, "", 0, false);  // a row name alone: a row with one empty cell
    }

    void cell(int k, const char* text, size_t n, bool cut) override
    {
        if (current.row == ROW_IGNORED || k >= kind.records)
            return;
        if (current.row == ROW_DESCRIPTION) {
            if (!found[size_t(k)] && n == 0)
                return;
            if (cut)
                n = wholeCharacters(text, n);
            dmx_sheet_row& c = column(k);
            c.description = QString::fromLocal8Bit(text, qsizetype(n));
            c.descriptionCut = cut;
            return;
        }
        qint64 v = 0;
        if (cut || !parseInteger(text, n, v)) {
            if (cut || !blanksOnly(text, n))
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

    void lineEnd() override
    {
        current = rowMeaning{};
        currentName.clear();
    }

    dmxSheetColumns found;  // by cell index; null where no valid cell came
    dmxSheetFindings findings;

private:
    enum rowKind { ROW_IGNORED, ROW_NUMBER, ROW_FADE_UP, ROW_DURATION, ROW_FADE_DOWN, ROW_CHANNEL, ROW_DESCRIPTION };

    struct rowMeaning {
        rowKind row = ROW_IGNORED;
        int channel = 0;
    };

    // Row names are taken exactly: "RiseTime " or "c2" is no row of the page.
    rowMeaning recognise(const char* text, size_t length, bool cut) const
    {
        rowMeaning r;
        if (cut)
            return r;
        const std::string_view name(text, length);
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
        if (r.row == ROW_IGNORED && !name.empty() && name[0] == 'C' && parseInteger(text + 1, length - 1, n)
            && n >= 1 && n <= CHANNELS) {
            r.row = ROW_CHANNEL;
            r.channel = int(n - 1);
        }
        return r;
    }

    // A row the page has no use for: the values it holds reach no record, so
    // the user hears of it beside the debug output.
    void notUnderstood(const std::string& name, bool cut)
    {
        if (findings.rowsNotUnderstood++ == 0)
            findings.firstRowNotUnderstood =
                firstCharacters(QString::fromLocal8Bit(name.data(), qsizetype(name.size())), NAME_SHOWN);
        if (!name.empty() && name[0] == 'C') {
            qint64 n = 0;
            if (cut || !parseInteger(name.data() + 1, name.size() - 1, n))
                n = 0;
            qDebug() << kind.badChannelText << n;
            return;
        }
        qDebug() << QString::fromLatin1(name.data(), qsizetype(name.size())) << ": niezinterpretowany!";
    }

    dmx_sheet_row& column(int k)
    {
        std::unique_ptr<dmx_sheet_row>& c = found[size_t(k)];
        if (!c)
            c = std::make_unique<dmx_sheet_row>();
        return *c;
    }

    void cannotRead(int k)
    {
        if (findings.unreadCells++ == 0) {
            findings.unreadRow = QString::fromLatin1(currentName.data(), qsizetype(currentName.size()));
            findings.unreadColumn = k + 1;
        }
    }

    const dmxSheetKind& kind;
    rowMeaning current;        // the row being read
    std::string currentName;   // its name as the sheet gives it
};

// The first line is the header, whatever it holds; the lines after it go
// through the field splitter to the rows.
class sheetReader {
public:
    explicit sheetReader(const dmxSheetKind& kind)
        : rows(kind)
        , fields(rows, NAME_CAP)
    {
    }

    void take(const char* p, qsizetype n)
    {
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
        }
        fields.take(p, size_t(n));
    }

    void end()
    {
        if (firstLineEnded)
            fields.end();
    }

    bool anythingRead() const { return firstLineEnded || firstLineLength > 0; }
    bool onlyBareHeader() const
    {
        return !firstLineEnded && firstLineLength == BARE_HEADER_LENGTH
            && firstLine.compare(0, std::string::npos, BARE_HEADER) == 0;
    }

    sheetRows rows;

private:
    sheetFields fields;
    bool firstLineEnded = false;
    size_t firstLineLength = 0;
    std::string firstLine;  // its first bytes, enough to know the bare header
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
                                    dmxSheetFindings* findings)
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
    if (findings)
        *findings = reader.rows.findings;

    columns.clear();
    std::vector<bool> used(size_t(kind.records) + 1);
    for (const auto& c : reader.rows.found)
        if (c && c->number != NO_NUMBER)
            used[c->number] = true;
    // Columns without a number take the free numbers from 1 up, in sheet
    // order, as the sheet's own numbers count from 1: a column inserted
    // without one moves no other column. The numbers 1..records always
    // leave one for each column the reader keeps.
    int next = 1;
    for (auto& c : reader.rows.found) {
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
    // Columns of one number reach one record: the one furthest right in the
    // sheet, the last of them in the sorted order, is the one kept.
    for (size_t i = 0; i < columns.size(); ++i) {
        const dmx_sheet_row& c = *columns[i];
        if (!stored(c))
            continue;
        if (i + 1 < columns.size() && columns[i + 1]->number == c.number) {
            ++result.replaced;
            continue;
        }
        const uint32_t at = uint32_t(target(c));
        fadeTimes times = fadeTimes::read(image + kind.times + 8u * at);
        times.fadeUp = c.fadeUp;
        times.duration = c.duration;
        times.fadeDown = c.fadeDown;
        if (kind.timesNeverAllZero && times.fadeUp == 0 && times.duration == 0 && times.fadeDown == 0) {
            times.duration = ONE_SECOND;
            ++result.timesRepaired;
        }
        times.write(image + kind.times + 8u * at);
        std::memcpy(image + kind.channels + uint32_t(CHANNELS) * at, c.channels.data(), size_t(CHANNELS));
        descriptions[at] = c.description;
        if (c.descriptionCut)
            ++result.descriptionsCut;
        ++result.stored;
    }
    return result;
}
