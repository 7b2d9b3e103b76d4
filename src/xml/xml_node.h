#pragma once

#include "xml/xml_list.h"

#include <QString>
#include <memory>

class QTextStream;
class xml_parse_node;

// A small line-oriented XML tree. An element is a tag without nested tags
// (name, text value, attributes); a node holds attributes, one comment, its
// elements and its child nodes. Parse errors live in the tree as entries and
// attributes named "@error" and are found with isValid().
//
// Stored entries keep their addresses while they stay in their owner: the
// lookups return pointers that callers keep while they go on adding entries.

class xml_attr {
public:
    xml_attr() = default;
    xml_attr(const QString& name, const QString& value);

    QString name;
    QString value;  // kept exactly as stored: never escaped or unescaped
};

class xml_element {
public:
    xml_element(const QString& name = QString(), const QString& value = QString(), int level = 0);
    // Keeps the source's level.
    xml_element(const xml_element& src);
    // At the given level; the source's level when the given one is negative.
    xml_element(const xml_element& src, int level);
    // Name and attributes of the parse node, its collected text as value.
    xml_element(const xml_parse_node& src, int level);
    xml_element(xml_element&&) noexcept = default;
    xml_element& operator=(const xml_element& src);
    xml_element& operator=(xml_element&&) noexcept = default;
    ~xml_element() = default;

    // Sets the first attribute of exactly that name, or appends one.
    xml_attr* setAttr(const QString& name, const QString& value);
    // The value of the first attribute of exactly that name, or null.
    QString* attrValue(const QString& name);
    const QString* attrValue(const QString& name) const;
    bool isValid() const;

    QString name;
    QString value;  // untrimmed text, lines joined by "\r\n"; empty for a self-closing tag
    xml_list<xml_attr> attrs;
    int level = 0;  // indentation depth used by the writer
};

class xml_node {
public:
    explicit xml_node(int level = 0);
    // Deep copy: the source's level, elements re-created at level + 1, child
    // nodes copied the same way keeping their own levels; cursor -1.
    xml_node(const xml_node& src);
    // Deep copy at the given level: elements at level + 1, child nodes plain copies.
    xml_node(const xml_node& src, int level);
    xml_node(xml_node&&) noexcept = default;
    // The same as a copy at the given level, taking the entries of `src`
    // instead of copying them: a parsed tree that is thrown away after is
    // kept without holding the file's entries twice.
    xml_node(xml_node&& src, int level);
    xml_node& operator=(const xml_node& src);
    xml_node& operator=(xml_node&&) noexcept = default;
    virtual ~xml_node();

    xml_attr* setAttr(const QString& name, const QString& value);
    QString* attrValue(const QString& name);
    const QString* attrValue(const QString& name) const;
    void removeAttr(const QString& name);
    void clearAttrs();

    // Element names are compared without regard to case unless caseSensitive.
    xml_element* findElement(const QString& name, bool caseSensitive = false);
    const xml_element* findElement(const QString& name, bool caseSensitive = false) const;
    QString* elementValue(const QString& name, bool caseSensitive = false);
    const QString* elementValue(const QString& name, bool caseSensitive = false) const;
    // Attribute name exact; element name and attribute value as caseSensitive says.
    xml_element* findElementByAttr(const QString& name, const QString& attrName, const QString& value,
                                   bool caseSensitive = false);
    const xml_element* findElementByAttr(const QString& name, const QString& attrName, const QString& value,
                                         bool caseSensitive = false) const;
    // Exact name: sets the first such element's value, or appends one at level + 1.
    xml_element* setElement(const QString& name, const QString& value);
    void removeElement(const QString& name);

    // Child lookups by exact name (ignoreCase upper-cases both); they set cursor.
    xml_node* findNode(const QString& name, bool ignoreCase = false);
    xml_node* findNodeByAttr(const QString& name, const QString& attrName, const QString& value);
    // The next child after cursor named like the child at cursor; moves cursor.
    xml_node* nextNode();
    xml_node* nodeAt(int index);
    const xml_node* nodeAt(int index) const;
    // Appends an empty child at level + 1.
    xml_node* addNode(const QString& name);
    // Appends a plain copy whose own level becomes level + 1; its contents keep theirs.
    xml_node* insertNode(const xml_node& node);
    // The same for a node taken out of a tree that is thrown away after (a
    // plain copy of a node read by the reader, or releveled, equals it): the
    // node itself is stored. Null for a null node.
    xml_node* insertNode(std::unique_ptr<xml_node> node);
    // Hands the first child of exactly that name over to the caller, or null;
    // the cursor is reset.
    std::unique_ptr<xml_node> takeNode(const QString& name);
    // Destroys that child; nothing when the address is not one of the children.
    void removeNode(const xml_node* child);
    // Makes the levels of the whole subtree follow this node's level.
    void relevel();
    // Removes attributes, elements and child nodes; name, comment, level and cursor stay.
    void clear();
    bool isValid() const;

    QString name;     // "@root" for a document root, whose own tags are never written
    QString comment;
    xml_list<xml_attr> attrs;
    xml_list<xml_element> elements;
    xml_list<xml_node> nodes;
    int level = 0;    // -1 for a document root, 0 for its children
    int cursor = -1;  // index in nodes of the child last returned by findNode/findNodeByAttr/nextNode
};

// A node under construction by the reader, and the document root.
class xml_parse_node : public xml_node {
public:
    explicit xml_parse_node(int level = 0);
    xml_parse_node(const xml_parse_node&) = default;
    xml_parse_node(xml_parse_node&&) noexcept = default;
    xml_parse_node& operator=(const xml_parse_node&) = default;
    xml_parse_node& operator=(xml_parse_node&&) noexcept = default;
    ~xml_parse_node() override;

    // Reads one entry from the line buffer `line` and the following lines of
    // `in` and stores it as the last element or child node of this node.
    // Returns false when nothing was stored: at this node's closing tag (left
    // in the buffer), at the end of the input, or on a stream error.
    // A document is read by calling it on a root until it returns false.
    bool read(QTextStream& in, QString& line);
    // Whether reading stopped because the document holds more than
    // xmlMaxEntries entries: what was read is only its beginning.
    bool tooManyEntries() const;

    QString text;             // character data collected inside the tag
    bool hasContent = false;  // the tag held nested entries

private:
    struct readState;
    bool readEntry(QTextStream& in, QString& line, int depth, readState& state);

    // The document's, kept by the root from one call of read to the next.
    std::shared_ptr<readState> state;
};

// Splits an attribute text (name="value" ...) and appends the attributes to
// `list` in order; duplicates too, they merge when the entry is stored.
void parseAttributes(const QString& text, xml_list<xml_attr>& list);

// The entries (elements, nodes and attributes, error marks included) one
// document may hold. Each costs some hundred bytes in memory, whatever few
// bytes of the file it takes, so a file within its size bound could
// otherwise take gigabytes. The largest real show (a visual project of
// 100,000 fixtures, each of its own fixture model, and its groups) holds
// some 2.4 million.
constexpr int xmlMaxEntries = 3000000;
// The limit documents are read with: xmlMaxEntries, unless a test lowers it
// so that a small document shows what a huge one does.
int xmlEntryLimit();
void setXmlEntryLimit(int limit);

// Nested entries are read down to this many levels below the document root;
// deeper content is skipped and its entry is marked "@error".
constexpr int xmlMaxDepth = 256;
