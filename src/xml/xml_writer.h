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

// Protects free texts inside element values: "&" -> "&&", "<" -> "&lt;",
// ">" -> "&gt;", and the line breaks "\n" -> "&#10;", "\r" -> "&#13;".
QString escapeText(const QString& text);
// The same for the value of an attribute, and '"' -> "&quot;".
QString escapeAttribute(const QString& text);
// Decode the sequences of escapeText, or of escapeAttribute, from left to
// right, so that every text comes back exactly from its escaped form; any
// other "&" stays.
QString unescapeText(const QString& text);
QString unescapeAttribute(const QString& text);
