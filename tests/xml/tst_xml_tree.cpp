#include "xml/xml_node.h"
#include "xml_dump.h"

#include <QTest>
#include <QTextStream>
#include <memory>

class tst_xml_tree : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void iteratesChildrenOfOneName();
    void takingEqualsCopying();
    void findNodeByAttrSkipsChildrenWithoutTheAttribute();
    void nextNodeAfterChildrenWereRemoved();
    void lookupsCompareNamesAsDocumented_data();
    void lookupsCompareNamesAsDocumented();
    void attributeNamesStayUnique();
    void copiesFollowTheLevelRules();
    void copiesAreDeepAndIndependent();
    void insertNodeAndRelevel();
    void setElementAndRemovals();
    void clearKeepsNameCommentAndLevel();
    void validity_data();
    void validity();
    void storedEntriesKeepTheirAddresses();
};

namespace {

// Children named A, B, A, C, A; child i carries attribute "i" = i.
xml_node fiveChildren()
{
    xml_node parent(0);
    const char* names[] = {"A", "B", "A", "C", "A"};
    for (int i = 0; i < 5; ++i)
        parent.addNode(QString::fromLatin1(names[i]))->setAttr(QStringLiteral("i"), QString::number(i));
    return parent;
}

}  // namespace

void tst_xml_tree::iteratesChildrenOfOneName()
{
    xml_node parent = fiveChildren();
    QList<xml_node*> seen;
    for (xml_node* n = parent.findNode(QStringLiteral("A")); n; n = parent.nextNode())
        seen << n;
    QCOMPARE(seen, (QList<xml_node*>{parent.nodeAt(0), parent.nodeAt(2), parent.nodeAt(4)}));
    QCOMPARE(parent.cursor, -1);
    QVERIFY(!parent.nextNode());
    QCOMPARE(parent.cursor, -1);

    QCOMPARE(parent.findNode(QStringLiteral("C")), parent.nodeAt(3));
    QCOMPARE(parent.cursor, 3);
    QVERIFY(!parent.findNode(QStringLiteral("D")));
    QCOMPARE(parent.cursor, -1);
    QVERIFY(!parent.nodeAt(-1));
    QVERIFY(!parent.nodeAt(5));
}

void tst_xml_tree::findNodeByAttrSkipsChildrenWithoutTheAttribute()
{
    xml_node parent = fiveChildren();
    parent.nodeAt(0)->removeAttr(QStringLiteral("i"));

    // The first "A" lacks the attribute: it is skipped, not an error.
    QCOMPARE(parent.findNodeByAttr(QStringLiteral("A"), QStringLiteral("i"), QStringLiteral("2")), parent.nodeAt(2));
    QCOMPARE(parent.cursor, 2);
    // nextNode goes on by name, whatever the attributes.
    QCOMPARE(parent.nextNode(), parent.nodeAt(4));

    QVERIFY(!parent.findNodeByAttr(QStringLiteral("A"), QStringLiteral("j"), QStringLiteral("2")));
    QCOMPARE(parent.cursor, -1);
    QVERIFY(!parent.findNodeByAttr(QStringLiteral("A"), QStringLiteral("i"), QStringLiteral("1")));
}

void tst_xml_tree::nextNodeAfterChildrenWereRemoved()
{
    xml_node parent = fiveChildren();
    QCOMPARE(parent.findNode(QStringLiteral("A"), false), parent.nodeAt(0));
    parent.nextNode();
    parent.nextNode();
    QCOMPARE(parent.cursor, 4);
    parent.removeNode(parent.nodeAt(4));
    parent.removeNode(parent.nodeAt(3));
    QVERIFY(!parent.nextNode());
    QCOMPARE(parent.cursor, -1);
}

void tst_xml_tree::lookupsCompareNamesAsDocumented_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("attrName");
    QTest::addColumn<QString>("attrValue");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("found");

    // The tree holds element "Label" (kind="Spot") and child node "Group".
    QTest::newRow("element, other case") << "element" << "label" << "" << "" << false << true;
    QTest::newRow("element, other case, case-sensitive") << "element" << "label" << "" << "" << true << false;
    QTest::newRow("element value, other case") << "value" << "LABEL" << "" << "" << false << true;
    QTest::newRow("by attr, value in other case") << "byAttr" << "LABEL" << "kind" << "spot" << false << true;
    QTest::newRow("by attr, attr name in other case") << "byAttr" << "Label" << "Kind" << "Spot" << false << false;
    QTest::newRow("by attr, case-sensitive value") << "byAttr" << "Label" << "kind" << "spot" << true << false;
    QTest::newRow("by attr, other value") << "byAttr" << "Label" << "kind" << "Wash" << false << false;
    QTest::newRow("node, exact") << "node" << "Group" << "" << "" << false << true;
    QTest::newRow("node, other case") << "node" << "group" << "" << "" << false << false;
    QTest::newRow("node, other case, ignoring case") << "nodeIgnoreCase" << "GROUP" << "" << "" << false << true;
    QTest::newRow("node by attr, other case") << "nodeByAttr" << "Group" << "nr" << "a1" << false << false;
    QTest::newRow("node by attr, exact") << "nodeByAttr" << "Group" << "nr" << "A1" << false << true;
}

void tst_xml_tree::lookupsCompareNamesAsDocumented()
{
    QFETCH(QString, lookup);
    QFETCH(QString, name);
    QFETCH(QString, attrName);
    QFETCH(QString, attrValue);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, found);

    xml_node n(0);
    xml_element* label = n.setElement(QStringLiteral("Label"), QStringLiteral("front"));
    label->setAttr(QStringLiteral("kind"), QStringLiteral("Spot"));
    xml_node* group = n.addNode(QStringLiteral("Group"));
    group->setAttr(QStringLiteral("nr"), QStringLiteral("A1"));

    const void* result = nullptr;
    const void* expected = label;
    if (lookup == QLatin1String("element")) {
        result = n.findElement(name, caseSensitive);
    } else if (lookup == QLatin1String("value")) {
        result = n.elementValue(name, caseSensitive);
        expected = &label->value;
    } else if (lookup == QLatin1String("byAttr")) {
        result = n.findElementByAttr(name, attrName, attrValue, caseSensitive);
    } else if (lookup == QLatin1String("node")) {
        result = n.findNode(name);
        expected = group;
    } else if (lookup == QLatin1String("nodeIgnoreCase")) {
        result = n.findNode(name, true);
        expected = group;
    } else {
        result = n.findNodeByAttr(name, attrName, attrValue);
        expected = group;
    }
    QCOMPARE(result, found ? expected : nullptr);
}

void tst_xml_tree::attributeNamesStayUnique()
{
    xml_node n(0);
    xml_attr* first = n.setAttr(QStringLiteral("a"), QStringLiteral("1"));
    n.setAttr(QStringLiteral("b"), QStringLiteral("2"));
    QCOMPARE(n.setAttr(QStringLiteral("a"), QStringLiteral("3")), first);
    QCOMPARE(n.attrs.size(), 2);
    QCOMPARE(*n.attrValue(QStringLiteral("a")), QStringLiteral("3"));
    QVERIFY(!n.attrValue(QStringLiteral("A")));

    // A list with two attributes of one name merges when copied: the later
    // value in the earlier one's position.
    xml_element e(QStringLiteral("e"), QStringLiteral("v"), 1);
    e.attrs.append(xml_attr(QStringLiteral("x"), QStringLiteral("first")));
    e.attrs.append(xml_attr(QStringLiteral("y"), QStringLiteral("y")));
    e.attrs.append(xml_attr(QStringLiteral("x"), QStringLiteral("second")));
    const xml_element copy(e);
    QCOMPARE(copy.attrs.size(), 2);
    QCOMPARE(copy.attrs[0].name, QStringLiteral("x"));
    QCOMPARE(copy.attrs[0].value, QStringLiteral("second"));
    QCOMPARE(copy.attrs[1].name, QStringLiteral("y"));

    // The same for many attributes (merged through an index).
    xml_node big(0);
    for (int i = 0; i < 100; ++i)
        big.attrs.append(xml_attr(QString::number(i % 40), QString::number(i)));
    const xml_node bigCopy(big);
    QCOMPARE(bigCopy.attrs.size(), 40);
    QCOMPARE(bigCopy.attrs[0].name, QStringLiteral("0"));
    QCOMPARE(bigCopy.attrs[0].value, QStringLiteral("80"));
    QCOMPARE(*bigCopy.attrValue(QStringLiteral("39")), QStringLiteral("79"));

    n.removeAttr(QStringLiteral("a"));
    n.removeAttr(QStringLiteral("missing"));
    QCOMPARE(n.attrs.size(), 1);
    n.clearAttrs();
    QVERIFY(n.attrs.isEmpty());
}

void tst_xml_tree::copiesFollowTheLevelRules()
{
    xml_node src(3);
    src.name = QStringLiteral("src");
    src.comment = QStringLiteral("note");
    src.elements.append(xml_element(QStringLiteral("e"), QStringLiteral("1"), 9));
    xml_node* child = src.addNode(QStringLiteral("child"));
    child->level = 7;
    child->elements.append(xml_element(QStringLiteral("ce"), QStringLiteral("2"), 11));
    src.findNode(QStringLiteral("child"));

    const xml_node plain(src);
    QCOMPARE(plain.level, 3);
    QCOMPARE(plain.comment, QStringLiteral("note"));
    QCOMPARE(plain.cursor, -1);
    QCOMPARE(plain.elements[0].level, 4);
    QCOMPARE(plain.nodes[0].level, 7);
    QCOMPARE(plain.nodes[0].elements[0].level, 8);

    const xml_node atLevel(src, -1);
    QCOMPARE(atLevel.level, -1);
    QCOMPARE(atLevel.elements[0].level, 0);
    QCOMPARE(atLevel.nodes[0].level, 7);
    QCOMPARE(atLevel.nodes[0].elements[0].level, 8);

    // Elements: a negative level keeps the source's; a list stores a copy at the source's level.
    const xml_element& e = src.elements[0];
    QCOMPARE(xml_element(e, -1).level, 9);
    QCOMPARE(xml_element(e, 2).level, 2);
    xml_node holder(0);
    QCOMPARE(holder.elements.append(e)->level, 9);

    xml_parse_node parsed(4);
    parsed.name = QStringLiteral("p");
    parsed.text = QStringLiteral("text");
    parsed.attrs.append(xml_attr(QStringLiteral("k"), QStringLiteral("v")));
    const xml_element fromParse(parsed, 5);
    QCOMPARE(fromParse.name, QStringLiteral("p"));
    QCOMPARE(fromParse.value, QStringLiteral("text"));
    QCOMPARE(fromParse.level, 5);
    QCOMPARE(*fromParse.attrValue(QStringLiteral("k")), QStringLiteral("v"));
}

void tst_xml_tree::copiesAreDeepAndIndependent()
{
    xml_node src(0);
    src.name = QStringLiteral("a");
    src.addNode(QStringLiteral("b"))->setElement(QStringLiteral("c"), QStringLiteral("1"));

    xml_node copy(src);
    copy.nodes[0].elements[0].value = QStringLiteral("2");
    copy.nodes[0].addNode(QStringLiteral("d"));
    QCOMPARE(src.nodes[0].elements[0].value, QStringLiteral("1"));
    QVERIFY(src.nodes[0].nodes.isEmpty());

    xml_node assigned(5);
    assigned.addNode(QStringLiteral("old"));
    assigned = src;
    QCOMPARE(assigned.level, 0);
    QCOMPARE(assigned.nodes.size(), 1);
    QCOMPARE(assigned.nodes[0].name, QStringLiteral("b"));
    const xml_node& alias = assigned;
    assigned = alias;
    QCOMPARE(assigned.nodes.size(), 1);
}

void tst_xml_tree::insertNodeAndRelevel()
{
    xml_node inserted(5);
    inserted.name = QStringLiteral("ins");
    inserted.setElement(QStringLiteral("e"), QStringLiteral("1"));
    inserted.addNode(QStringLiteral("sub"))->setElement(QStringLiteral("se"), QStringLiteral("2"));

    xml_node parent(0);
    xml_node* stored = parent.insertNode(inserted);
    QVERIFY(stored != &inserted);
    QCOMPARE(stored->level, 1);
    QCOMPARE(stored->elements[0].level, 6);
    QCOMPARE(stored->nodes[0].level, 6);

    parent.relevel();
    QCOMPARE(stored->level, 1);
    QCOMPARE(stored->elements[0].level, 2);
    QCOMPARE(stored->nodes[0].level, 2);
    QCOMPARE(stored->nodes[0].elements[0].level, 3);
    QCOMPARE(inserted.level, 5);
}

void tst_xml_tree::setElementAndRemovals()
{
    xml_node n(2);
    xml_element* a = n.setElement(QStringLiteral("a"), QStringLiteral("1"));
    n.setElement(QStringLiteral("b"), QStringLiteral("2"));
    QCOMPARE(a->level, 3);
    // Exact name: "A" is a new element, "a" keeps its place.
    n.setElement(QStringLiteral("A"), QStringLiteral("3"));
    QCOMPARE(n.setElement(QStringLiteral("a"), QStringLiteral("4")), a);
    QCOMPARE(n.elements.size(), 3);
    QCOMPARE(n.elements[0].value, QStringLiteral("4"));

    n.removeElement(QStringLiteral("B"));
    QCOMPARE(n.elements.size(), 3);
    n.removeElement(QStringLiteral("b"));
    QCOMPARE(n.elements.size(), 2);
    QCOMPARE(n.elements[1].name, QStringLiteral("A"));

    xml_node other(0);
    xml_node* foreign = other.addNode(QStringLiteral("x"));
    n.addNode(QStringLiteral("x"));
    n.removeNode(foreign);
    n.removeNode(nullptr);
    QCOMPARE(n.nodes.size(), 1);
    n.removeNode(n.nodeAt(0));
    QVERIFY(n.nodes.isEmpty());
}

void tst_xml_tree::clearKeepsNameCommentAndLevel()
{
    xml_node n(4);
    n.name = QStringLiteral("n");
    n.comment = QStringLiteral("c");
    n.setAttr(QStringLiteral("a"), QStringLiteral("1"));
    n.setElement(QStringLiteral("e"), QStringLiteral("1"));
    n.addNode(QStringLiteral("child"));
    n.findNode(QStringLiteral("child"));
    n.clear();
    QCOMPARE(n.name, QStringLiteral("n"));
    QCOMPARE(n.comment, QStringLiteral("c"));
    QCOMPARE(n.level, 4);
    QCOMPARE(n.cursor, 0);
    QVERIFY(n.attrs.isEmpty() && n.elements.isEmpty() && n.nodes.isEmpty());
}

void tst_xml_tree::validity_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("valid");
    QTest::newRow("clean tree") << 0 << true;
    QTest::newRow("@error node deep down") << 1 << false;
    QTest::newRow("@error element") << 2 << false;
    QTest::newRow("@error attribute on a node") << 3 << false;
    QTest::newRow("@error attribute on an element") << 4 << false;
    QTest::newRow("node without name") << 5 << false;
    QTest::newRow("element without name") << 6 << false;
    QTest::newRow("@error as a value is no mark") << 7 << true;
    QTest::newRow("@ERROR in other case is no mark") << 8 << true;
}

void tst_xml_tree::validity()
{
    QFETCH(int, fault);
    QFETCH(bool, valid);

    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    xml_node* top = root.addNode(QStringLiteral("top"));
    xml_node* deep = top->addNode(QStringLiteral("mid"))->addNode(QStringLiteral("deep"));
    xml_element* e = deep->setElement(QStringLiteral("e"), QStringLiteral("v"));
    const QString mark = QStringLiteral("@error");
    switch (fault) {
    case 1: deep->addNode(mark); break;
    case 2: top->setElement(mark, QStringLiteral("invalid line")); break;
    case 3: deep->setAttr(mark, QStringLiteral("unclosed")); break;
    case 4: e->setAttr(mark, QStringLiteral("unclosed")); break;
    case 5: deep->addNode(QString()); break;
    case 6: deep->setElement(QString(), QStringLiteral("v")); break;
    case 7: e->value = mark; e->setAttr(QStringLiteral("x"), mark); break;
    case 8: deep->addNode(QStringLiteral("@ERROR")); break;
    default: break;
    }
    QCOMPARE(root.isValid(), valid);
    QVERIFY(xml_node(root).isValid() == valid);
}

void tst_xml_tree::storedEntriesKeepTheirAddresses()
{
    xml_node parent(0);
    xml_node* firstNode = parent.addNode(QStringLiteral("first"));
    xml_element* firstElement = parent.setElement(QStringLiteral("first"), QStringLiteral("1"));
    xml_attr* firstAttr = parent.setAttr(QStringLiteral("first"), QStringLiteral("1"));
    QString* firstValue = parent.elementValue(QStringLiteral("first"));

    for (int i = 0; i < 5000; ++i) {
        parent.addNode(QStringLiteral("n%1").arg(i));
        parent.setElement(QStringLiteral("e%1").arg(i), QString::number(i));
        parent.setAttr(QStringLiteral("a%1").arg(i), QString::number(i));
    }
    parent.removeNode(parent.nodeAt(1));
    parent.removeElement(QStringLiteral("e0"));
    parent.removeAttr(QStringLiteral("a0"));

    // Filled in after the list has grown many times.
    firstNode->setElement(QStringLiteral("late"), QStringLiteral("x"));
    firstElement->value = QStringLiteral("changed");
    firstAttr->value = QStringLiteral("changed");
    QCOMPARE(parent.findNode(QStringLiteral("first")), firstNode);
    QCOMPARE(*parent.nodeAt(0)->elementValue(QStringLiteral("late")), QStringLiteral("x"));
    QCOMPARE(parent.findElement(QStringLiteral("first")), firstElement);
    QCOMPARE(*firstValue, QStringLiteral("changed"));
    QCOMPARE(*parent.attrValue(QStringLiteral("first")), QStringLiteral("changed"));
    QCOMPARE(parent.nodes.size(), 5000);

    // Moving a whole node keeps the entries where they are.
    xml_node moved(std::move(parent));
    QCOMPARE(moved.nodeAt(0), firstNode);

    // Value-like access over the owning lists.
    int count = 0;
    for (const xml_node& n : std::as_const(moved).nodes)
        count += n.name.startsWith(QLatin1Char('n')) ? 1 : 0;
    QCOMPARE(count, 4999);
    QCOMPARE(moved.elements.last().name, QStringLiteral("e4999"));
    QCOMPARE(moved.elements.indexOf(firstElement), 0);
}

QTEST_GUILESS_MAIN(tst_xml_tree)
// A parsed tree thrown away after gives its entries up: what is taken is
// what a copy would have been, levels and merged attributes included.
void tst_xml_tree::takingEqualsCopying()
{
    QString doc = QStringLiteral("<top a=\"1\" a=\"2\">\n<e x=\"1\" x=\"3\">v</e>\n<kept k=\"1\">\n<e>w</e>\n"
                                 "<deeper>\n<f/>\n</deeper>\n</kept>\n</top>\n<other>\n<g>2</g>\n</other>\n");
    const auto parse = [&doc] {
        auto root = std::make_unique<xml_parse_node>(-1);
        root->name = QStringLiteral("@root");
        QTextStream in(&doc, QIODevice::ReadOnly);
        QString line;
        while (root->read(in, line)) {
        }
        return root;
    };

    const auto copied = parse();
    const auto taken = parse();
    QCOMPARE(xmldump::dump(xml_node(std::move(*taken), 0)), xmldump::dump(xml_node(*copied, 0)));

    const auto copiedTop = parse();
    const auto takenTop = parse();
    xml_node withCopy(2);
    xml_node withTaken(2);
    withCopy.insertNode(*copiedTop->findNode(QStringLiteral("top")));
    QVERIFY(withTaken.insertNode(takenTop->takeNode(QStringLiteral("top"))));
    QCOMPARE(xmldump::dump(withTaken), xmldump::dump(withCopy));
    QCOMPARE(takenTop->nodes.size(), 1);
    QCOMPARE(takenTop->cursor, -1);
    QVERIFY(!withTaken.insertNode(takenTop->takeNode(QStringLiteral("top"))));
}

#include "tst_xml_tree.moc"
