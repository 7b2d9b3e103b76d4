#pragma once

#include "xml/xml_node.h"

#include <QStringList>

// One line per entry, indented by nesting: "N<level> name attrs {comment}" for
// nodes, "E<level> name attrs = "value"" for elements; line breaks in values
// shown as \r \n so that table rows stay on one line.
namespace xmldump {

inline QString shown(QString s)
{
    return s.replace(QLatin1String("\r"), QLatin1String("\\r")).replace(QLatin1String("\n"), QLatin1String("\\n"));
}

inline QString attrsOf(const xml_list<xml_attr>& attrs)
{
    QString out;
    for (const xml_attr& a : attrs)
        out += QStringLiteral(" %1=\"%2\"").arg(a.name, shown(a.value));
    return out;
}

inline void dumpNode(QStringList& out, const xml_node& n, int depth)
{
    const QString indent(depth * 2, QLatin1Char(' '));
    QString head = QStringLiteral("%1N%2 %3%4").arg(indent).arg(n.level).arg(n.name, attrsOf(n.attrs));
    if (!n.comment.isEmpty())
        head += QStringLiteral(" {%1}").arg(n.comment);
    out << head;
    for (const xml_element& e : n.elements)
        out << QStringLiteral("%1  E%2 %3%4 = \"%5\"")
                   .arg(indent)
                   .arg(e.level)
                   .arg(e.name, attrsOf(e.attrs), shown(e.value));
    for (const xml_node& c : n.nodes)
        dumpNode(out, c, depth + 1);
}

inline QStringList dump(const xml_node& n)
{
    QStringList out;
    dumpNode(out, n, 0);
    return out;
}

}  // namespace xmldump
