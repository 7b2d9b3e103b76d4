#include "xml/xml_node.h"
#include "xml/xml_attrs_p.h"

#include <QHash>
#include <QTextStream>
#include <atomic>

// The reader takes one tag at a time from the line buffer and keeps in it
// what it has not consumed. Consumed text is always cut from the front of the
// buffer with QString::remove(0, n), which Qt 6 does without moving the rest,
// so a document written on one long line is still read in linear time.

namespace {

const QString errorMark = QStringLiteral("@error");
const QString invalidLineText = QStringLiteral("invalid line");
const QString unexpectedEofText = QStringLiteral("unexpected EOF !");
const QString unclosedText = QStringLiteral("unclosed");
const QString tooDeepText = QStringLiteral("nesting too deep");
const QString lineBreak = QStringLiteral("\r\n");

QStringView trimmedView(const QString& s)
{
    return QStringView(s).trimmed();
}

// Whether the line, leading white space skipped, begins with `prefix`.
bool beginsWith(const QString& line, QLatin1String prefix)
{
    qsizetype i = 0;
    while (i < line.size() && line.at(i).isSpace())
        ++i;
    return QStringView(line).mid(i).startsWith(prefix);
}

// Declarations, comments and other "<!" lines are recognised after leading
// blanks too: the writer indents the comment line of a node.
bool isPassedOverLine(QStringView trimmed)
{
    return trimmed.startsWith(u"<?") || trimmed.startsWith(u"<!");
}

bool isTagLine(const QString& line)
{
    if (isPassedOverLine(trimmedView(line)))
        return false;
    const qsizetype lt = line.indexOf(u'<');
    return lt >= 0 && line.indexOf(u'>') > lt;
}

// The comment of "<!-- text -->": the text between "<!--" and the character
// before the first "-->" (where the writer puts a blank), trimmed.
QString commentOf(QStringView trimmed)
{
    const qsizetype end = trimmed.indexOf(u"-->");
    if (end < 4)
        return QString();
    const qsizetype length = end - 1 - 4;
    return length > 0 ? trimmed.mid(4, length).trimmed().toString() : QString();
}

std::unique_ptr<xml_element> errorElement(const QString& text, int level)
{
    return std::make_unique<xml_element>(errorMark, text, level);
}

// Passes over the nested content of an entry too deep to be read, counting
// tags instead of descending, and stops at the closing tag that ends the
// entry (left in the buffer) or at the end of the input.
void skipNested(QTextStream& in, QString& line)
{
    int open = 0;
    for (;;) {
        if (in.status() != QTextStream::Ok) {
            line.clear();
            return;
        }
        const qsizetype lt = line.indexOf(u'<');
        const qsizetype gt = lt < 0 ? -1 : line.indexOf(u'>', lt);
        if (gt < 0) {
            if (in.atEnd()) {
                line.clear();
                return;
            }
            line = in.readLine();
            continue;
        }
        const QStringView tag = QStringView(line).mid(lt + 1, gt - lt - 1);
        if (tag.startsWith(u'/')) {
            if (open == 0) {
                line.remove(0, lt);
                return;
            }
            --open;
        } else if (!tag.startsWith(u'?') && !tag.startsWith(u'!') && !tag.endsWith(u'/')) {
            ++open;
        }
        line.remove(0, gt + 1);
    }
}

}  // namespace

// What reading a document keeps from one entry to the next: the names met
// so far, so that every entry of a name shares one string (a name costs no
// allocation once it was met), and the count of entries stored.
struct xml_parse_node::readState {
    QHash<QStringView, QString> names;  // keys view the values' own characters
    qint64 entries = 0;
    bool tooMany = false;

    const qint64 limit = xmlEntryLimit();

    // Counts `n` entries more; false once the document holds too many.
    bool count(qsizetype n)
    {
        entries += n;
        if (entries > limit)
            tooMany = true;
        return !tooMany;
    }
};

namespace {

std::atomic<int> entryLimit{xmlMaxEntries};

} // namespace

int xmlEntryLimit()
{
    return entryLimit.load();
}

void setXmlEntryLimit(int limit)
{
    entryLimit.store(limit);
}

namespace {

// Names are few in an honest document; a hostile one with ever new names is
// not remembered past this many.
constexpr int MAX_NAMES = 4096;

// The text of `view`, sharing `known` when that holds the same text, or a
// name met before: names repeat from one entry to the next.
QString shared(QStringView view, const QString* known, QHash<QStringView, QString>* names)
{
    if (known && *known == view)
        return *known;
    if (!names)
        return view.toString();
    const auto it = names->constFind(view);
    if (it != names->cend())
        return it.value();
    QString name = view.toString();
    if (names->size() < MAX_NAMES)
        names->insert(QStringView(name), name);
    return name;
}

// Text appended to what an entry collected: the first piece is kept in a
// string of its own size.
void appendText(QString& text, QStringView piece)
{
    if (text.isEmpty())
        text = piece.toString();
    else
        text += piece;
}

// As parseAttributes; the names of `previous` (the attributes of the entry
// read before, or null) are shared where they stand in the same place, and
// names met before through `names` when given.
void readAttributes(QStringView text, xml_list<xml_attr>& list, const xml_list<xml_attr>* previous,
                    QHash<QStringView, QString>* names)
{
    const QStringView all = text.trimmed();
    qsizetype pos = 0;
    qsizetype eq = all.indexOf(u'=');
    while (pos < all.size()) {
        // Every rest is a suffix of `all`: an "=" found once is searched again
        // only after the rest has moved past it.
        if (eq >= 0 && eq < pos)
            eq = all.indexOf(u'=', pos);
        const QStringView name = eq < 0 ? all.mid(pos) : all.mid(pos, eq - pos);
        const qsizetype q1 = all.indexOf(u'"', pos);
        const qsizetype q2 = q1 < 0 ? -1 : all.indexOf(u'"', q1 + 1);
        QStringView value;
        if (q1 >= 0)
            value = q2 < 0 ? all.mid(q1 + 1) : all.mid(q1 + 1, q2 - q1 - 1);
        const int index = list.size();
        const QString* known = previous && index < previous->size() ? &(*previous)[index].name : nullptr;
        list.append(std::make_unique<xml_attr>(shared(name, known, names), value.toString()));
        if (q2 < 0)
            break;
        pos = q2 + 1;
        while (pos < all.size() && all.at(pos).isSpace())
            ++pos;
    }
}

}  // namespace

void parseAttributes(const QString& text, xml_list<xml_attr>& list)
{
    readAttributes(text, list, nullptr, nullptr);
}

bool xml_parse_node::read(QTextStream& in, QString& line)
{
    if (!state)
        state = std::make_shared<readState>();
    return readEntry(in, line, 0, *state);
}

bool xml_parse_node::tooManyEntries() const
{
    return state && state->tooMany;
}

bool xml_parse_node::readEntry(QTextStream& in, QString& line, int depth, readState& state)
{
    // Past the limit nothing more is stored: the reading ends.
    if (in.status() != QTextStream::Ok || state.tooMany)
        return false;
    while (line.isEmpty() && !in.atEnd())
        line = in.readLine();
    if (beginsWith(line, QLatin1String("</")))
        return false;

    xml_parse_node child(level + 1);
    bool selfClosing = false;
    bool tagSeen = false;

findTag:
    for (;;) {
        if (beginsWith(line, QLatin1String("</"))) {
            // A closing tag after passed-over lines: it closes the entry whose
            // tag was read already, or it belongs to the enclosing node.
            if (tagSeen)
                goto closingTag;
            goto finish;
        }
        if (isTagLine(line))
            break;
        const QStringView trimmed = trimmedView(line);
        if (trimmed.startsWith(u"<!--")) {
            comment = commentOf(trimmed);
            if (in.atEnd()) {
                line.clear();
                goto finish;
            }
        } else if (in.atEnd()) {
            goto finish;
        } else if (!trimmed.isEmpty() && !isPassedOverLine(trimmed)) {
            // Every line may be one: the marks count as entries too.
            if (!state.count(1))
                return false;
            child.elements.append(errorElement(invalidLineText, level + 2));
        }
        line = in.readLine().trimmed();
    }

    // The tag at the start of the line in hand.
    {
        tagSeen = true;
        line.remove(0, line.indexOf(u'<') + 1);
        const qsizetype gt = line.indexOf(u'>');
        QStringView tag = gt < 0 ? QStringView(line) : QStringView(line).left(gt);
        if (tag.endsWith(u'/')) {
            tag.chop(1);
            selfClosing = true;
        }
        qsizetype blank = 0;
        while (blank < tag.size() && !tag.at(blank).isSpace())
            ++blank;
        // Siblings mostly share their name and attribute names.
        const xml_element* previous = elements.isEmpty() ? nullptr : &elements.last();
        if (blank > 0 && blank < tag.size()) {
            readAttributes(tag.mid(blank + 1), child.attrs, previous ? &previous->attrs : nullptr, &state.names);
            tag.truncate(blank);
        }
        child.name = shared(tag, previous ? &previous->name : nullptr, &state.names);
        if (gt >= 0)
            line.remove(0, gt + 1);
        if (selfClosing)
            goto finish;
    }

    if (line.isEmpty())
        line = in.atEnd() ? QString() : in.readLine();

    if (beginsWith(line, QLatin1String("<")) && !beginsWith(line, QLatin1String("</"))) {
        // Nested entries.
        if (depth + 1 >= xmlMaxDepth) {
            child.elements.append(errorElement(tooDeepText, level + 2));
            skipNested(in, line);
        } else {
            while (child.readEntry(in, line, depth + 1, state)) {
            }
        }
    } else if (!line.contains(u'<')) {
        // Text lines up to the next line holding a tag.
        for (;;) {
            line += lineBreak;
            child.text += line;
            if (in.atEnd()) {
                child.elements.append(errorElement(unexpectedEofText, level + 2));
                line.clear();
                break;
            }
            line = in.readLine();
            if (line.contains(u'<'))
                break;
        }
    } else {
        const qsizetype lt = line.indexOf(u'<');
        appendText(child.text, QStringView(line).left(lt));
        line.remove(0, lt);
    }

closingTag:
    {
        const qsizetype close = line.indexOf(u"</");
        if (close < 0)
            goto findTag;
        const qsizetype lt = line.indexOf(u'<');
        appendText(child.text, QStringView(line).left(lt));
        const qsizetype nameEnd = line.indexOf(u'>', close + 2);
        const QStringView closingName = nameEnd < 0 ? QStringView(line).mid(close + 2)
                                                    : QStringView(line).mid(close + 2, nameEnd - close - 2);
        if (closingName != child.name) {
            child.attrs.append(xml_attr(errorMark, unclosedText));
        } else {
            // What follows the closing tag stays for the next entry. Text in
            // front of the tag may hold ">", so look from the first "<" on.
            const qsizetype gt = line.indexOf(u'>', lt);
            line.remove(0, gt < 0 ? line.size() : gt + 1);
        }
    }

finish:
    if (child.nodes.isEmpty() && child.elements.isEmpty() && child.text.isEmpty() && child.name.isEmpty()
        && child.attrs.isEmpty() && child.comment.isEmpty())
        return false;

    // The entry and its attributes; its nested entries counted themselves.
    if (!state.count(1 + child.attrs.size()))
        return false;

    // A comment counts as content, so that a node the writer wrote with only
    // its comment reads back as a node.
    child.hasContent = !child.elements.isEmpty() || !child.nodes.isEmpty() || !child.comment.isEmpty();
    if (!child.hasContent) {
        // The parse node is released right after: its texts move over, and
        // the result equals a copy at level + 1.
        auto e = std::make_unique<xml_element>();
        e->name = std::move(child.name);
        e->value = std::move(child.text);
        e->level = level + 1;
        moveAttrs(child.attrs, e->attrs);
        elements.append(std::move(e));
        return true;
    }

    if (!trimmedView(child.text).isEmpty()) {
        child.elements.append(std::make_unique<xml_element>(QStringLiteral("value"), child.text, level + 2));
        child.text.clear();
    }
    // The parse node is released right after, so its entries move over
    // instead of being copied; the result equals a copy at level + 1.
    auto n = std::make_unique<xml_node>(level + 1);
    n->name = std::move(child.name);
    n->comment = std::move(child.comment);
    moveAttrs(child.attrs, n->attrs);
    n->elements = std::move(child.elements);
    for (xml_element& e : n->elements)
        e.level = level + 2;
    n->nodes = std::move(child.nodes);
    nodes.append(std::move(n));
    return true;
}
