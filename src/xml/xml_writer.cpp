#include "xml/xml_writer.h"

#include <QTextStream>

#include <iterator>

namespace {

const QString rootName = QStringLiteral("@root");

void writeIndent(QTextStream& out, int level)
{
    static const QString blanks(64, u' ');
    while (level > 0) {
        const int n = qMin(level, int(blanks.size()));
        out << QStringView(blanks).left(n);
        level -= n;
    }
}

void writeOpening(QTextStream& out, const QString& name, const xml_list<xml_attr>& attrs)
{
    out << QLatin1Char('<') << QStringView(name).trimmed();
    for (const xml_attr& a : attrs)
        out << QLatin1Char(' ') << a;
}

void writeNode(QTextStream& out, const xml_node& node)
{
    const bool isRoot = node.name == rootName;
    const bool empty = node.comment.isEmpty() && node.elements.isEmpty() && node.nodes.isEmpty();
    if (!isRoot) {
        writeIndent(out, node.level);
        writeOpening(out, node.name, node.attrs);
        out << (empty ? QLatin1String("/>\n") : QLatin1String(">\n"));
    }
    if (empty)
        return;
    if (!node.comment.isEmpty()) {
        writeIndent(out, node.level);
        out << QLatin1String(" <!-- ") << node.comment << QLatin1String(" -->\n");
    }
    for (const xml_element& e : node.elements)
        out << e;
    for (const xml_node& n : node.nodes)
        writeNode(out, n);
    if (!isRoot) {
        writeIndent(out, node.level);
        out << QLatin1String("</") << QStringView(node.name).trimmed() << QLatin1String(">\n");
    }
}

}  // namespace

QTextStream& operator<<(QTextStream& out, const xml_attr& attr)
{
    if (attr.name.isEmpty() && attr.value.isEmpty())
        return out;
    out << QStringView(attr.name).trimmed() << QLatin1String("=\"") << attr.value << QLatin1Char('"');
    return out;
}

QTextStream& operator<<(QTextStream& out, const xml_element& element)
{
    writeIndent(out, element.level);
    writeOpening(out, element.name, element.attrs);
    if (element.value.isEmpty()) {
        out << QLatin1String("/>\n");
    } else {
        out << QLatin1Char('>') << element.value << QLatin1String("</") << QStringView(element.name).trimmed()
            << QLatin1String(">\n");
    }
    return out;
}

QTextStream& operator<<(QTextStream& out, const xml_node& node)
{
    writeNode(out, node);
    return out;
}

namespace {

// What a free text cannot hold as it is, and its written form. Line breaks
// are references so that the text stays on its line: the reader would join
// the lines of a value with "\r\n" and drop a leading line break. The quote
// is written so only where the text is an attribute's value.
struct escapeEntry {
    char16_t c;
    QLatin1String written;
};
constexpr escapeEntry ESCAPES[] = {
    {u'&', QLatin1String("&&")},     {u'<', QLatin1String("&lt;")},  {u'>', QLatin1String("&gt;")},
    {u'\n', QLatin1String("&#10;")}, {u'\r', QLatin1String("&#13;")}, {u'"', QLatin1String("&quot;")},
};
constexpr int TEXT_ESCAPES = 5;

// The characters of the first `entries` escapes, as bits of their codes
// (all below 64): most characters are told apart by one test.
constexpr quint64 escapeMask(int entries)
{
    quint64 mask = 0;
    for (int i = 0; i < entries; ++i)
        mask |= quint64(1) << ESCAPES[i].c;
    return mask;
}

const escapeEntry* escapeOf(char16_t c, int entries)
{
    static constexpr quint64 textMask = escapeMask(TEXT_ESCAPES);
    static constexpr quint64 attributeMask = escapeMask(int(std::size(ESCAPES)));
    const quint64 mask = entries == TEXT_ESCAPES ? textMask : attributeMask;
    if (c >= 64 || !((mask >> c) & 1))
        return nullptr;
    for (int i = 0; i < entries; ++i)
        if (ESCAPES[i].c == c)
            return &ESCAPES[i];
    return nullptr;
}

QString escaped(const QString& text, int entries)
{
    // Most texts hold nothing to escape: they are returned as they are,
    // shared rather than copied; the others are copied in runs.
    const QStringView in(text);
    qsizetype i = 0;
    while (i < in.size() && !escapeOf(in[i].unicode(), entries))
        ++i;
    if (i == in.size())
        return text;
    QString result;
    result.reserve(text.size() + text.size() / 8 + 8);
    qsizetype from = 0;
    for (; i < in.size(); ++i) {
        const escapeEntry* e = escapeOf(in[i].unicode(), entries);
        if (!e)
            continue;
        result += in.mid(from, i - from);
        result += e->written;
        from = i + 1;
    }
    result += in.mid(from);
    return result;
}

QString unescaped(const QString& text, int entries)
{
    const QStringView in(text);
    qsizetype i = in.indexOf(u'&');
    if (i < 0)
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (i >= 0) {
        const QStringView rest = in.mid(i);
        const escapeEntry* found = nullptr;
        for (int e = 0; e < entries && !found; ++e)
            if (rest.startsWith(ESCAPES[e].written))
                found = &ESCAPES[e];
        if (!found) {
            // An "&" of no sequence stays as it is.
            i = in.indexOf(u'&', i + 1);
            continue;
        }
        result += in.mid(from, i - from);
        result += QChar(found->c);
        from = i + found->written.size();
        i = in.indexOf(u'&', from);
    }
    result += in.mid(from);
    return result;
}

} // namespace

QString escapeText(const QString& text)
{
    return escaped(text, TEXT_ESCAPES);
}

QString escapeAttribute(const QString& text)
{
    return escaped(text, int(std::size(ESCAPES)));
}

QString unescapeText(const QString& text)
{
    return unescaped(text, TEXT_ESCAPES);
}

QString unescapeAttribute(const QString& text)
{
    return unescaped(text, int(std::size(ESCAPES)));
}
