#pragma once

#include "xml/xml_node.h"

#include <QString>
#include <QIODevice>
#include <QTextStream>
#include <memory>

// Parses a document written in the one-tag-per-line dialect and returns a
// copy of it at `level` (0 makes a tree such as the visual project keeps).
inline std::unique_ptr<xml_node> parseXmlText(QString text, int level = 0)
{
    QTextStream in(&text, QIODevice::ReadOnly);
    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QString line;
    while (root.read(in, line)) {
    }
    return std::make_unique<xml_node>(root, level);
}
