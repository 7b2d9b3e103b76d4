#pragma once

#include "xml/xml_node.h"

#include <QString>

class QTextStream;

// Indented text, one tag per line, elements before child nodes, one blank of
// indentation per level; every line ends with a line feed. Names are written
// trimmed; values, attribute values and comments exactly as stored.
QTextStream& operator<<(QTextStream& out, const xml_attr& attr);
QTextStream& operator<<(QTextStream& out, const xml_element& element);
// The whole subtree; a node named "@root" writes only its contents.
QTextStream& operator<<(QTextStream& out, const xml_node& node);

// Protects free texts inside element values: "&" -> "&&", "<" -> "&lt;", ">" -> "&gt;".
QString escapeText(const QString& text);
// Decodes "&&", "&lt;" and "&gt;" from left to right, so that every text
// comes back exactly from its escaped form; any other "&" stays.
QString unescapeText(const QString& text);
