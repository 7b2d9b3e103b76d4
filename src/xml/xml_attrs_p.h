#pragma once

#include "xml/xml_node.h"

// Re-adds every attribute of `src` to `dst` through the setAttr rule: a later
// attribute of a name overwrites the value of the earlier one in its place.
void mergeAttrs(const xml_list<xml_attr>& src, xml_list<xml_attr>& dst);
// The same for a `src` that is thrown away after: its entries are moved over
// when `dst` is empty and their names all differ, as they nearly always do.
void moveAttrs(xml_list<xml_attr>& src, xml_list<xml_attr>& dst);
