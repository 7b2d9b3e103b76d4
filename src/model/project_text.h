#pragma once

#include "xml/xml_node.h"

#include <QString>
#include <memory>

// A project description read into its tree, before anything of it is taken
// into the model: reading touches nothing but the tree, so a file reader may
// read the text while it does other work.
struct parsedProject {
    // Null when the text holds nothing to read (no line beginning with '<').
    std::unique_ptr<xml_parse_node> root;
    // Whether the tree holds a "project" node, and whether the text went on
    // to its closing tag. The reader keeps a node whose text ends before its
    // closing tag without a mark, so only this tells a text cut short.
    bool hasProject = false;
    bool closed = false;
};

// Reads the project description that `text` holds from its start.
parsedProject parseProjectText(const QString& text);
