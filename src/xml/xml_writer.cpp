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
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        if (c == u'&')
            result += QLatin1String("&&");
        else if (c == u'<')
            result += QLatin1String("&lt;");
        else if (c == u'>')
            result += QLatin1String("&gt;");
        else
            result += c;
    }
    return result;
}

QString unescapeText(const QString& text)
{
    QString result;
    result.reserve(text.size());
    const QStringView in(text);
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in.at(i);
        if (c == u'&') {
            const QStringView rest = in.mid(i);
            if (rest.startsWith(u"&&")) {
                result += u'&';
                i += 1;
                continue;
            }
            if (rest.startsWith(u"&lt;")) {
                result += u'<';
                i += 3;
                continue;
            }
            if (rest.startsWith(u"&gt;")) {
                result += u'>';
                i += 3;
                continue;
            }
        }
        result += c;
    }
    return result;
}
