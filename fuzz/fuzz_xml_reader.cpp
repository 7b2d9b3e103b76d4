// The XML reader on any text: every document must read to its end, and the
// tree it gives must copy, write and read again.

#include "common/fuzz_support.h"
#include "xml/xml_node.h"
#include "xml/xml_writer.h"

#include <QIODevice>
#include <QTextStream>

namespace {

void readDocument(const QString& text, xml_parse_node& root)
{
    QString copy = text;
    QTextStream in(&copy, QIODevice::ReadOnly);
    root.name = QStringLiteral("@root");
    QString line;
    while (root.read(in, line)) {
    }
}

// Walks the tree with the lookups the file readers use, as they use them:
// by the few names they know, never once per entry of a long list.
void lookUp(xml_node& node)
{
    int looked = 0;
    for (xml_node& child : node.nodes) {
        if (looked++ < 8) {
            node.findNode(child.name);
            node.findNode(child.name, true);
            node.nextNode();
            if (!child.attrs.isEmpty())
                node.findNodeByAttr(child.name, child.attrs.begin()->name, child.attrs.begin()->value);
        }
        lookUp(child);
    }
    looked = 0;
    for (const xml_element& e : node.elements) {
        if (looked++ < 8) {
            node.findElement(e.name);
            node.elementValue(e.name, true);
            if (!e.attrs.isEmpty())
                node.findElementByAttr(e.name, e.attrs.begin()->name, e.attrs.begin()->value);
        }
        unescapeText(escapeText(e.value));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("xml_reader");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    xml_parse_node root(-1);
    readDocument(text, root);
    root.isValid();
    lookUp(root);

    xml_node copy(root, -1);
    copy.relevel();
    QString written;
    {
        QTextStream out(&written, QIODevice::WriteOnly);
        out << copy;
    }
    xml_parse_node again(-1);
    readDocument(written, again);
    again.isValid();
    fuzzSettle();
    return 0;
}
