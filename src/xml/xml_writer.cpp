#include "xml/xml_writer.h"

#include <QTextStream>

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

QString escapeText(const QString& text)
{
    // Most texts hold nothing to escape: they are returned as they are,
    // shared rather than copied; the others are copied in runs.
    const QStringView in(text);
    qsizetype i = 0;
    while (i < in.size() && in[i] != u'&' && in[i] != u'<' && in[i] != u'>')
        ++i;
    if (i == in.size())
        return text;
    QString result;
    result.reserve(text.size() + text.size() / 8 + 4);
    qsizetype from = 0;
    for (; i < in.size(); ++i) {
        const char16_t c = in[i].unicode();
        if (c != u'&' && c != u'<' && c != u'>')
            continue;
        result += in.mid(from, i - from);
        result += c == u'&' ? QLatin1String("&&") : c == u'<' ? QLatin1String("&lt;") : QLatin1String("&gt;");
        from = i + 1;
    }
    result += in.mid(from);
    return result;
}

QString unescapeText(const QString& text)
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
        QChar decoded;
        qsizetype length = 0;
        if (rest.startsWith(u"&&")) {
            decoded = u'&';
            length = 2;
        } else if (rest.startsWith(u"&lt;")) {
            decoded = u'<';
            length = 4;
        } else if (rest.startsWith(u"&gt;")) {
            decoded = u'>';
            length = 4;
        }
        if (length == 0) {
            // An "&" of no sequence stays as it is.
            i = in.indexOf(u'&', i + 1);
            continue;
        }
        result += in.mid(from, i - from);
        result += decoded;
        from = i + length;
        i = in.indexOf(u'&', from);
    }
    result += in.mid(from);
    return result;
}
