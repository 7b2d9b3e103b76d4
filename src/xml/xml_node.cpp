#include "xml/xml_node.h"
#include "xml/xml_attrs_p.h"

#include <QHash>

namespace {

const QString errorMark = QStringLiteral("@error");

xml_attr* findAttr(const xml_list<xml_attr>& attrs, const QString& name)
{
    for (const xml_attr& a : attrs)
        if (a.name == name)
            return const_cast<xml_attr*>(&a);
    return nullptr;
}

xml_attr* setAttrIn(xml_list<xml_attr>& attrs, const QString& name, const QString& value)
{
    if (xml_attr* a = findAttr(attrs, name)) {
        a->value = value;
        return a;
    }
    return attrs.append(xml_attr(name, value));
}

bool hasErrorAttr(const xml_list<xml_attr>& attrs)
{
    for (const xml_attr& a : attrs)
        if (a.name == errorMark)
            return true;
    return false;
}

bool sameElementName(const QString& a, const QString& b, bool caseSensitive)
{
    return a.compare(b, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

}  // namespace

// Large attribute lists (only hostile input has them) go through a hash so
// that merging stays linear.
void mergeAttrs(const xml_list<xml_attr>& src, xml_list<xml_attr>& dst)
{
    if (src.size() + dst.size() <= 16) {
        for (const xml_attr& a : src)
            setAttrIn(dst, a.name, a.value);
        return;
    }
    QHash<QString, xml_attr*> byName;
    for (xml_attr& a : dst)
        if (!byName.contains(a.name))
            byName.insert(a.name, &a);
    for (const xml_attr& a : src) {
        xml_attr*& slot = byName[a.name];
        if (slot)
            slot->value = a.value;
        else
            slot = dst.append(xml_attr(a.name, a.value));
    }
}

void moveAttrs(xml_list<xml_attr>& src, xml_list<xml_attr>& dst)
{
    bool distinct = dst.isEmpty() && src.size() <= 16;
    for (int i = 1; distinct && i < src.size(); ++i)
        for (int j = 0; distinct && j < i; ++j)
            distinct = src[i].name != src[j].name;
    if (distinct)
        dst = std::move(src);
    else
        mergeAttrs(src, dst);
}

// ---- xml_attr

xml_attr::xml_attr(const QString& name, const QString& value) : name(name), value(value) {}

// ---- xml_element

xml_element::xml_element(const QString& name, const QString& value, int level)
    : name(name), value(value), level(level)
{
}

xml_element::xml_element(const xml_element& src) : xml_element(src, src.level) {}

xml_element::xml_element(const xml_element& src, int level)
    : name(src.name), value(src.value), level(level < 0 ? src.level : level)
{
    mergeAttrs(src.attrs, attrs);
}

xml_element::xml_element(const xml_parse_node& src, int level) : name(src.name), value(src.text), level(level)
{
    mergeAttrs(src.attrs, attrs);
}

xml_element& xml_element::operator=(const xml_element& src)
{
    if (this != &src) {
        xml_element copy(src);
        *this = std::move(copy);
    }
    return *this;
}

xml_attr* xml_element::setAttr(const QString& name, const QString& value)
{
    return setAttrIn(attrs, name, value);
}

QString* xml_element::attrValue(const QString& name)
{
    xml_attr* a = findAttr(attrs, name);
    return a ? &a->value : nullptr;
}

const QString* xml_element::attrValue(const QString& name) const
{
    const xml_attr* a = findAttr(attrs, name);
    return a ? &a->value : nullptr;
}

bool xml_element::isValid() const
{
    return !name.isEmpty() && name != errorMark && !hasErrorAttr(attrs);
}

// ---- xml_node

xml_node::xml_node(int level) : level(level) {}

xml_node::xml_node(const xml_node& src) : xml_node(src, src.level) {}

xml_node::xml_node(const xml_node& src, int level) : name(src.name), comment(src.comment), level(level)
{
    mergeAttrs(src.attrs, attrs);
    elements.reserve(src.elements.size());
    for (const xml_element& e : src.elements)
        elements.append(std::make_unique<xml_element>(e, level + 1));
    nodes.reserve(src.nodes.size());
    for (const xml_node& n : src.nodes)
        nodes.append(std::make_unique<xml_node>(n));
}

xml_node::xml_node(xml_node&& src, int level)
    : name(std::move(src.name)), comment(std::move(src.comment)), level(level)
{
    moveAttrs(src.attrs, attrs);
    elements = std::move(src.elements);
    for (xml_element& e : elements) {
        e.level = level + 1;
        // A copy re-adds an element's attributes through setAttr.
        xml_list<xml_attr> own = std::move(e.attrs);
        moveAttrs(own, e.attrs);
    }
    nodes = std::move(src.nodes);
}

xml_node& xml_node::operator=(const xml_node& src)
{
    if (this != &src) {
        xml_node copy(src);
        *this = std::move(copy);
    }
    return *this;
}

xml_node::~xml_node() = default;

xml_attr* xml_node::setAttr(const QString& name, const QString& value)
{
    return setAttrIn(attrs, name, value);
}

QString* xml_node::attrValue(const QString& name)
{
    xml_attr* a = findAttr(attrs, name);
    return a ? &a->value : nullptr;
}

const QString* xml_node::attrValue(const QString& name) const
{
    const xml_attr* a = findAttr(attrs, name);
    return a ? &a->value : nullptr;
}

void xml_node::removeAttr(const QString& name)
{
    attrs.remove(findAttr(attrs, name));
}

void xml_node::clearAttrs()
{
    attrs.clear();
}

xml_element* xml_node::findElement(const QString& name, bool caseSensitive)
{
    return const_cast<xml_element*>(std::as_const(*this).findElement(name, caseSensitive));
}

const xml_element* xml_node::findElement(const QString& name, bool caseSensitive) const
{
    for (const xml_element& e : elements)
        if (sameElementName(e.name, name, caseSensitive))
            return &e;
    return nullptr;
}

QString* xml_node::elementValue(const QString& name, bool caseSensitive)
{
    xml_element* e = findElement(name, caseSensitive);
    return e ? &e->value : nullptr;
}

const QString* xml_node::elementValue(const QString& name, bool caseSensitive) const
{
    const xml_element* e = findElement(name, caseSensitive);
    return e ? &e->value : nullptr;
}

xml_element* xml_node::findElementByAttr(const QString& name, const QString& attrName, const QString& value,
                                         bool caseSensitive)
{
    return const_cast<xml_element*>(
        std::as_const(*this).findElementByAttr(name, attrName, value, caseSensitive));
}

const xml_element* xml_node::findElementByAttr(const QString& name, const QString& attrName,
                                               const QString& value, bool caseSensitive) const
{
    for (const xml_element& e : elements) {
        if (!sameElementName(e.name, name, caseSensitive))
            continue;
        const QString* v = e.attrValue(attrName);
        if (v && sameElementName(*v, value, caseSensitive))
            return &e;
    }
    return nullptr;
}

xml_element* xml_node::setElement(const QString& name, const QString& value)
{
    for (xml_element& e : elements)
        if (e.name == name) {
            e.value = value;
            return &e;
        }
    return elements.append(std::make_unique<xml_element>(name, value, level + 1));
}

void xml_node::removeElement(const QString& name)
{
    for (int i = 0; i < elements.size(); ++i)
        if (elements[i].name == name) {
            elements.removeAt(i);
            return;
        }
}

xml_node* xml_node::findNode(const QString& name, bool ignoreCase)
{
    const QString wanted = ignoreCase ? name.toUpper() : name;
    for (int i = 0; i < nodes.size(); ++i) {
        const QString& candidate = nodes[i].name;
        if (ignoreCase ? candidate.toUpper() == wanted : candidate == wanted) {
            cursor = i;
            return &nodes[i];
        }
    }
    cursor = -1;
    return nullptr;
}

xml_node* xml_node::findNodeByAttr(const QString& name, const QString& attrName, const QString& value)
{
    for (int i = 0; i < nodes.size(); ++i) {
        xml_node& n = nodes[i];
        if (n.name != name)
            continue;
        const QString* v = n.attrValue(attrName);
        if (v && *v == value) {
            cursor = i;
            return &n;
        }
    }
    cursor = -1;
    return nullptr;
}

xml_node* xml_node::nextNode()
{
    // Children may have been removed since the cursor was set.
    if (cursor < 0 || cursor >= nodes.size()) {
        cursor = -1;
        return nullptr;
    }
    const QString& wanted = nodes[cursor].name;
    for (int i = cursor + 1; i < nodes.size(); ++i)
        if (nodes[i].name == wanted) {
            cursor = i;
            return &nodes[i];
        }
    cursor = -1;
    return nullptr;
}

xml_node* xml_node::nodeAt(int index)
{
    return nodes.value(index);
}

const xml_node* xml_node::nodeAt(int index) const
{
    return nodes.value(index);
}

xml_node* xml_node::addNode(const QString& name)
{
    xml_node* child = nodes.append(std::make_unique<xml_node>(level + 1));
    child->name = name;
    return child;
}

xml_node* xml_node::insertNode(const xml_node& node)
{
    xml_node* child = nodes.append(std::make_unique<xml_node>(node));
    child->level = level + 1;
    return child;
}

xml_node* xml_node::insertNode(std::unique_ptr<xml_node> node)
{
    if (!node)
        return nullptr;
    xml_node* child = nodes.append(std::move(node));
    child->level = level + 1;
    return child;
}

std::unique_ptr<xml_node> xml_node::takeNode(const QString& name)
{
    cursor = -1;
    for (int i = 0; i < nodes.size(); ++i)
        if (nodes[i].name == name)
            return nodes.takeAt(i);
    return nullptr;
}

void xml_node::removeNode(const xml_node* child)
{
    nodes.remove(child);
}

void xml_node::relevel()
{
    for (xml_element& e : elements)
        e.level = level + 1;
    for (xml_node& n : nodes) {
        n.level = level + 1;
        n.relevel();
    }
}

void xml_node::clear()
{
    attrs.clear();
    nodes.clear();
    elements.clear();
}

bool xml_node::isValid() const
{
    if (name.isEmpty() || name == errorMark || hasErrorAttr(attrs))
        return false;
    for (const xml_node& n : nodes)
        if (!n.isValid())
            return false;
    for (const xml_element& e : elements)
        if (!e.isValid())
            return false;
    return true;
}

// ---- xml_parse_node

xml_parse_node::xml_parse_node(int level) : xml_node(level) {}

xml_parse_node::~xml_parse_node() = default;
