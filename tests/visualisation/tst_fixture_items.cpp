#include "support/xml_text.h"
#include "visualisation/light_class.h"
#include "visualisation/light_effect.h"

#include <QBitmap>
#include <QPointer>
#include <QTest>

// The fixture item, its beam and its selection cross as far as the project
// reader builds them: fields, caption, icon, geometry, channel functions.
class tst_fixture_items : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void constructionDefaults();
    void destructionTakesBeamAndCross();
    void caption_data();
    void caption();
    void iconFollowsSelectedAndDefined_data();
    void iconFollowsSelectedAndDefined();
    void storeGeometryAppendsThenOverwrites();
    void channelFunctionCode_data();
    void channelFunctionCode();
    void geometryFromItem_data();
    void geometryFromItem();
    void beamAndCross();
};

void tst_fixture_items::constructionDefaults()
{
    lightEffect f(3, 40, 50, nullptr);
    QCOMPARE(f.number, 3);
    QCOMPARE(f.posX, 40);
    QCOMPARE(f.posY, 50);
    QCOMPARE(f.rotation, 0);
    QCOMPARE(f.springOn, 1);
    QVERIFY(!f.lightColor.isValid());
    QVERIFY(f.caption.isEmpty());
    QCOMPARE(f.chnlCodes, QStringLiteral("-----------"));
    for (int c : f.funcChannel)
        QCOMPARE(c, -1);
    QCOMPARE(f.beam, nullptr);
    QCOMPARE(f.cross, nullptr);
    QCOMPARE(f.deviceNode, nullptr);
    QCOMPARE(f.itemNode, nullptr);
    QCOMPARE(f.dmxStart, -1);
    QCOMPARE(f.chnlCount, 0);
    QVERIFY(f.reloc.isEmpty());
    QVERIFY(!f.defined);
    QVERIFY(!f.selected);
    // A fixture without a library geometry still has a drawable beam.
    QCOMPARE(f.width, 10);
    QCOMPARE(f.height, 10);
    QCOMPARE(f.shape, int(SHAPE_LINE));
    QCOMPARE(f.anchor, int(ANCHOR_CENTRE));
    QCOMPARE(f.minimumSize(), QSize(21, 21));
    QCOMPARE(f.maximumSize(), QSize(21, 21));
    QCOMPARE(f.objectName(), QStringLiteral("Efekt_3"));
    QCOMPARE(f.parentWidget(), nullptr);
    QCOMPARE(QString::fromLatin1(CHANNEL_FUNCTION_LETTERS), QStringLiteral("RGBMDrgbmSW"));

    QWidget field;
    lightEffect onField(4, 0, 0, &field);
    QCOMPARE(onField.parentWidget(), &field);
}

void tst_fixture_items::destructionTakesBeamAndCross()
{
    auto* f = new lightEffect(1, 0, 0, nullptr);
    f->beam = new light_class(f, nullptr);
    f->cross = new sel_cross(f, nullptr);
    QPointer<light_class> beam = f->beam;
    QPointer<sel_cross> cross = f->cross;
    delete f;
    QVERIFY(beam.isNull());
    QVERIFY(cross.isNull());
}

void tst_fixture_items::caption_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("expected");

    const QString full = QStringLiteral(
        "<item nr=\"1\">\n<provider>P</provider>\n<model>M</model>\n<variant>V</variant>\n"
        "<dmx>\n<range>8</range>\n<channel nr=\"1\">\n<function>dimmer</function>\n</channel>\n</dmx>\n</item>\n");
    QTest::newRow("no library item") << QString() << QStringLiteral("<device nr=\"7\">\n<dmx>10</dmx>\n</device>\n")
                                     << QStringLiteral("Fixture No. 7 : undefined!");
    QTest::newRow("complete") << full << QStringLiteral("<device nr=\"3\">\n<dmx>10</dmx>\n</device>\n")
                              << QStringLiteral("Fixture No. 3 : M: V: P ( 10 - 17 )");
    QTest::newRow("no range") << QStringLiteral("<item nr=\"1\">\n<model>M</model>\n<dmx>\n<channel nr=\"1\">\n"
                                                "<function>dimmer</function>\n</channel>\n</dmx>\n</item>\n")
                              << QStringLiteral("<device nr=\"3\">\n<dmx>10</dmx>\n</device>\n")
                              << QStringLiteral("Fixture No. 3 : M ( 10 - ? )");
    QTest::newRow("variant only") << QStringLiteral("<item nr=\"1\">\n<variant>V</variant>\n<dmx>\n<range>2</range>\n"
                                                    "</dmx>\n</item>\n")
                                  << QStringLiteral("<device nr=\"3\">\n<dmx>1</dmx>\n</device>\n")
                                  << QStringLiteral("Fixture No. 3 : V ( 1 - 2 )");
    QTest::newRow("no first channel") << full << QStringLiteral("<device nr=\"3\">\n<label>x</label>\n</device>\n")
                                      << QStringLiteral("Fixture No. 3 : M: V: P");
    QTest::newRow("unreadable first channel") << full << QStringLiteral("<device nr=\"3\">\n<dmx>ten</dmx>\n</device>\n")
                                              << QStringLiteral("Fixture No. 3 : M: V: P ( ten - ? )");
}

void tst_fixture_items::caption()
{
    QFETCH(QString, item);
    QFETCH(QString, device);
    QFETCH(QString, expected);

    auto itemTree = parseXmlText(item);
    auto deviceTree = parseXmlText(device);
    xml_node* deviceNode = deviceTree->findNode(QStringLiteral("device"));
    QVERIFY(deviceNode);
    lightEffect f(deviceNode->attrValue(QStringLiteral("nr"))->toInt(), 0, 0, nullptr);
    f.deviceNode = deviceNode;
    f.itemNode = itemTree->findNode(QStringLiteral("item"));
    f.updateCaption();
    QCOMPARE(f.caption, expected);
}

void tst_fixture_items::iconFollowsSelectedAndDefined_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("defined");
    QTest::addColumn<QString>("image");
    QTest::newRow("selected, defined") << true << true << QStringLiteral(":/LE-zr.png");
    QTest::newRow("selected, undefined") << true << false << QStringLiteral(":/LE-cr.png");
    QTest::newRow("unselected, defined") << false << true << QStringLiteral(":/LE-zs.png");
    QTest::newRow("unselected, undefined") << false << false << QStringLiteral(":/LE-cs.png");
}

void tst_fixture_items::iconFollowsSelectedAndDefined()
{
    QFETCH(bool, selected);
    QFETCH(bool, defined);
    QFETCH(QString, image);

    const QImage expected = QImage(image);
    QVERIFY(!expected.isNull());
    lightEffect f(1, 0, 0, nullptr);
    f.selected = selected;
    f.defined = defined;
    f.updateIcon();
    QCOMPARE(f.pixmap().toImage().convertToFormat(expected.format()), expected);
}

void tst_fixture_items::storeGeometryAppendsThenOverwrites()
{
    auto tree = parseXmlText(QStringLiteral("<device nr=\"1\">\n<dmx>5</dmx>\n</device>\n"));
    lightEffect f(1, 12, 34, nullptr);
    f.deviceNode = tree->findNode(QStringLiteral("device"));
    f.rotation = 90;
    f.storeGeometry();
    xml_node* geometry = f.deviceNode->findNode(QStringLiteral("geometry"));
    QVERIFY(geometry);
    QCOMPARE(*geometry->elementValue(QStringLiteral("x")), QStringLiteral("12"));
    QCOMPARE(*geometry->elementValue(QStringLiteral("y")), QStringLiteral("34"));
    QCOMPARE(*geometry->elementValue(QStringLiteral("rotate")), QStringLiteral("90"));

    f.posX = -3;
    f.rotation = 0;
    f.storeGeometry();
    QCOMPARE(f.deviceNode->nodes.size(), 1);
    QCOMPARE(geometry->elements.size(), 3);
    QCOMPARE(*geometry->elementValue(QStringLiteral("x")), QStringLiteral("-3"));
    QCOMPARE(*geometry->elementValue(QStringLiteral("rotate")), QStringLiteral("0"));

    lightEffect loose(2, 0, 0, nullptr);
    loose.storeGeometry();  // no device node: nothing to write into
}

void tst_fixture_items::channelFunctionCode_data()
{
    QTest::addColumn<QString>("channel");
    QTest::addColumn<int>("code");

    auto ch = [](const QString& body) { return QStringLiteral("<channel nr=\"1\">\n%1</channel>\n").arg(body); };
    QTest::newRow("red emitter") << ch("<function>brightness</function>\n<color>255,0,0</color>\n") << 0;
    QTest::newRow("green emitter") << ch("<function>brightness</function>\n<color>0,255,0</color>\n") << 1;
    QTest::newRow("blue emitter by name")
        << ch("<function>brightness</function>\n<color name=\"B\">10,10,200</color>\n") << 2;
    QTest::newRow("named in lower case") << ch("<function>brightness</function>\n<color name=\"g\">1,2,3</color>\n")
                                         << 1;
    QTest::newRow("other colour") << ch("<function>brightness</function>\n<color>255,128,0</color>\n") << 3;
    QTest::newRow("blanks make it another colour")
        << ch("<function>brightness</function>\n<color>255, 0, 0</color>\n") << 3;
    QTest::newRow("emitter without colour") << ch("<function>brightness</function>\n") << -1;
    QTest::newRow("dimmer") << ch("<function>dimmer</function>\n") << 4;
    QTest::newRow("red filter") << ch("<function>filter</function>\n<color>255,0,0</color>\n") << 5;
    QTest::newRow("green filter by name") << ch("<function>filter</function>\n<color name=\"G\"></color>\n") << 6;
    QTest::newRow("blue filter") << ch("<function>filter</function>\n<color>0,0,255</color>\n") << 7;
    QTest::newRow("other filter") << ch("<function>filter</function>\n<color>9,9,9</color>\n") << 8;
    QTest::newRow("filter without colour") << ch("<function>filter</function>\n") << -1;
    QTest::newRow("spring") << ch("<function>spring</function>\n") << 9;
    QTest::newRow("spring switch") << ch("<function>spring-switch</function>\n") << 10;
    QTest::newRow("function in another case") << ch("<function>Dimmer</function>\n") << -1;
    QTest::newRow("element name in another case") << ch("<FUNCTION>dimmer</FUNCTION>\n") << 4;
    QTest::newRow("unknown function") << ch("<function>pan</function>\n") << -1;
    QTest::newRow("no function") << ch("<color>255,0,0</color>\n") << -1;
}

void tst_fixture_items::channelFunctionCode()
{
    QFETCH(QString, channel);
    QFETCH(int, code);
    auto tree = parseXmlText(channel);
    const xml_node* node = tree->findNode(QStringLiteral("channel"));
    QVERIFY(node);
    QCOMPARE(::channelFunctionCode(*node), code);
}

void tst_fixture_items::geometryFromItem_data()
{
    QTest::addColumn<QString>("geometry");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("shape");

    QTest::newRow("no elements") << QStringLiteral("<geometry>\n<z>1</z>\n</geometry>\n") << 10 << 10 << 0 << 0;
    QTest::newRow("diameter wins")
        << QStringLiteral("<geometry shape=\"circle\">\n<diameter>30</diameter>\n<width>5</width>\n"
                          "<height>6</height>\n</geometry>\n")
        << 30 << 30 << 0 << 1;
    QTest::newRow("ellipse, right_up")
        << QStringLiteral("<geometry shape=\"ellipse\">\n<width>40</width>\n<height>20</height>\n"
                          "<anchor>right_up</anchor>\n</geometry>\n")
        << 40 << 20 << 3 << 1;
    QTest::newRow("fountain, left_down")
        << QStringLiteral("<geometry shape=\"fountain\">\n<anchor>left_down</anchor>\n</geometry>\n") << 10 << 10
        << 2 << 2;
    QTest::newRow("unknown texts")
        << QStringLiteral("<geometry shape=\"Circle\">\n<anchor>middle</anchor>\n</geometry>\n") << 10 << 10 << 0
        << 0;
    QTest::newRow("left_up, right_down")
        << QStringLiteral("<geometry shape=\"line\">\n<anchor>left_up</anchor>\n<anchor>right_down</anchor>\n"
                          "</geometry>\n")
        << 10 << 10 << 1 << 0;
}

void tst_fixture_items::geometryFromItem()
{
    QFETCH(QString, geometry);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, anchor);
    QFETCH(int, shape);

    auto tree = parseXmlText(geometry);
    lightEffect f(1, 0, 0, nullptr);
    f.anchor = ANCHOR_RIGHT_DOWN;
    f.shape = SHAPE_FOUNTAIN;
    f.setGeometryFrom(*tree->findNode(QStringLiteral("geometry")));
    QCOMPARE(f.width, width);
    QCOMPARE(f.height, height);
    QCOMPARE(f.anchor, anchor);
    QCOMPARE(f.shape, shape);
}

void tst_fixture_items::beamAndCross()
{
    lightEffect f(12, 0, 0, nullptr);
    QWidget field;
    light_class beam(&f, &field);
    QCOMPARE(beam.owner, &f);
    QCOMPARE(beam.objectName(), QStringLiteral("Light_12"));
    QCOMPARE(beam.parentWidget(), &field);

    sel_cross cross(&f, &field);
    QCOMPARE(cross.owner, &f);
    QVERIFY(cross.isHidden());
    QCOMPARE(cross.geometry(), QRect(0, 0, 22, 22));
    // Only the two-pixel plus sign is shown and takes the mouse.
    const QRegion shown = cross.mask();
    for (const QPoint p : {QPoint(10, 0), QPoint(11, 21), QPoint(0, 10), QPoint(21, 11), QPoint(10, 11)})
        QVERIFY2(shown.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint p : {QPoint(0, 0), QPoint(9, 9), QPoint(12, 12), QPoint(21, 21), QPoint(9, 0)})
        QVERIFY2(!shown.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));

    cross.show();
    const QImage drawn = cross.grab().toImage();
    QCOMPARE(QColor(drawn.pixel(10, 3)), QColor(Qt::yellow));
    QCOMPARE(QColor(drawn.pixel(3, 10)), QColor(Qt::yellow));
    QCOMPARE(QColor(drawn.pixel(11, 3)), QColor(Qt::blue));
    QCOMPARE(QColor(drawn.pixel(3, 11)), QColor(Qt::blue));
}

QTEST_MAIN(tst_fixture_items)
#include "tst_fixture_items.moc"
