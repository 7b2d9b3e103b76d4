#pragma once

#include "xml/xml_node.h"

#include <QString>

// Look-ups in the project and library trees that leave the nodes' cursors
// alone: the same trees are walked by several windows.
namespace fixtureXml {

inline const xml_node* child(const xml_node* node, const QString& name)
{
    if (!node)
        return nullptr;
    for (const xml_node& c : node->nodes)
        if (c.name == name)
            return &c;
    return nullptr;
}

inline xml_node* child(xml_node* node, const QString& name)
{
    return const_cast<xml_node*>(child(static_cast<const xml_node*>(node), name));
}

// The first child of that name whose attribute "nr" is the number n.
inline const xml_node* numbered(const xml_node* node, const QString& name, int n)
{
    if (!node)
        return nullptr;
    const QString nr = QString::number(n);
    for (const xml_node& c : node->nodes)
        if (c.name == name)
            if (const QString* v = c.attrValue(QStringLiteral("nr")); v && *v == nr)
                return &c;
    return nullptr;
}

inline xml_node* numbered(xml_node* node, const QString& name, int n)
{
    return const_cast<xml_node*>(numbered(static_cast<const xml_node*>(node), name, n));
}

// Readers find elements without regard to case: a value is written into
// the element they find, so that "DMX" in a file is not shadowed by a new
// "dmx" after it.
inline void setText(xml_node* node, const QString& name, const QString& value)
{
    if (xml_element* e = node->findElement(name))
        e->value = value;
    else
        node->setElement(name, value);
}

inline void removeAll(xml_node* node, const QString& name)
{
    for (int i = node->elements.size() - 1; i >= 0; --i)
        if (node->elements[i].name.compare(name, Qt::CaseInsensitive) == 0)
            node->elements.removeAt(i);
}

// The "range" of an item's first "dmx" node; ok is false without one or
// for a text that is no number (the result then is 0).
inline int itemRange(const xml_node* item, bool* ok = nullptr)
{
    const QString* range = nullptr;
    if (const xml_node* dmx = child(item, QStringLiteral("dmx")))
        range = dmx->elementValue(QStringLiteral("range"));
    bool number = false;
    const int n = range ? range->toInt(&number) : 0;
    if (ok)
        *ok = number;
    return number ? n : 0;
}

}  // namespace fixtureXml
