#pragma once

#include "xml/xml_node.h"

#include <QLatin1String>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// A project description read into its tree, with its descriptions already
// taken out, before anything of it reaches the model: reading touches
// nothing but what it returns, so a file reader may read the text while
// another thread inflates the image, and taking it afterwards is quick.
struct parsedProject {
    // The arrays of the controller a description belongs to.
    enum target : uint8_t { scenes, masks, programs, states, inputs, rcuKeys, panels, events };
    struct description {
        target array;
        int index;
        QString text;  // unescaped
    };

    // Null when the text holds nothing to read (no line beginning with '<').
    std::unique_ptr<xml_parse_node> root;
    bool valid = true;
    // Whether the tree holds a "project" node, and whether the text went on
    // to its closing tag. The reader keeps a node whose text ends before its
    // closing tag without a mark, so only this tells a text cut short.
    bool hasProject = false;
    bool closed = false;
    // The text holds more entries than the reader takes (xmlMaxEntries): it
    // is not valid, and nothing of it is kept (root is null).
    bool tooManyEntries = false;
    // The project's file name and date (null when it has none) and its
    // descriptions in the order they stand, a later one for the same entry
    // after an earlier one. A valid tree no longer holds its descriptions.
    QString fileName;
    QString fileDate;
    std::vector<description> descriptions;
};

// Reads the project description that `text` holds from its start. Quick
// reading takes descriptions written as this program writes them line by
// line, without the XML reader, with the same result; `quick` false leaves
// everything to the reader. A text handed over (moved) is read in its own
// buffer, without a copy.
parsedProject parseProjectText(QString text, bool quick = true);

struct projectFieldTexts;

// What a save writes of the project beside the descriptions, as the writer
// and the fingerprint of unsaved work both find it.
namespace projectParts {
// The first child node of that name, leaving the node's cursor alone; null
// for none and for a null node.
xml_node* childNode(xml_node* node, QLatin1String name);
// The project field as the main window's page shows it or, without a main
// window, as the visual project holds it.
projectFieldTexts fieldTexts();
} // namespace projectParts
