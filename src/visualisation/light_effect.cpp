#include "visualisation/light_effect.h"

#include "visualisation/light_class.h"
#include "xml/xml_node.h"

#include <QPixmap>

const char* const CHANNEL_FUNCTION_LETTERS = "RGBMDrgbmSW";

namespace {

// The first child node of that name, leaving the node's cursor alone.
const xml_node* childNode(const xml_node* node, const QString& name)
{
    for (const xml_node& child : node->nodes)
        if (child.name == name)
            return &child;
    return nullptr;
}

xml_node* childNode(xml_node* node, const QString& name)
{
    return const_cast<xml_node*>(childNode(static_cast<const xml_node*>(node), name));
}

enum class colourTest { red, green, blue, other };

colourTest channelColour(const xml_node& channel)
{
    const QString* rgb = channel.elementValue(QStringLiteral("color"));
    static const struct {
        const char* rgb;
        const char* name;
        colourTest colour;
    } pure[] = {{"255,0,0", "R", colourTest::red}, {"0,255,0", "G", colourTest::green},
                {"0,0,255", "B", colourTest::blue}};
    for (const auto& c : pure) {
        if ((rgb && *rgb == QLatin1String(c.rgb))
            || channel.findElementByAttr(QStringLiteral("color"), QStringLiteral("name"), QLatin1String(c.name)))
            return c.colour;
    }
    return colourTest::other;
}

}  // namespace

int channelFunctionCode(const xml_node& channel)
{
    const QString* function = channel.elementValue(QStringLiteral("function"));
    if (!function)
        return -1;
    const bool emitter = *function == QLatin1String("brightness");
    if (emitter || *function == QLatin1String("filter")) {
        if (!channel.findElement(QStringLiteral("color")))
            return -1;
        const int base = emitter ? FUNC_RED : FUNC_FILTER_RED;
        switch (channelColour(channel)) {
        case colourTest::red: return base;
        case colourTest::green: return base + 1;
        case colourTest::blue: return base + 2;
        case colourTest::other: return base + 3;
        }
    }
    if (*function == QLatin1String("dimmer"))
        return FUNC_DIMMER;
    if (*function == QLatin1String("spring"))
        return FUNC_SPRING;
    if (*function == QLatin1String("spring-switch"))
        return FUNC_SPRING_SWITCH;
    return -1;
}

lightEffect::lightEffect(int number, int x, int y, QWidget* parent)
    : QLabel(parent), number(number), posX(x), posY(y), chnlCodes(11, QLatin1Char('-'))
{
    for (int& c : funcChannel)
        c = -1;
    setMinimumSize(21, 21);
    setMaximumSize(21, 21);
    setObjectName(QStringLiteral("Efekt_%1").arg(number));
}

lightEffect::~lightEffect()
{
    delete beam;
    delete cross;
}

void lightEffect::updateCaption()
{
    caption = tr("Fixture No. %1 ").arg(number);
    if (!itemNode) {
        caption += tr(": undefined!");
        return;
    }
    for (const char* name : {"model", "variant", "provider"}) {
        if (const QString* v = itemNode->elementValue(QLatin1String(name)))
            caption += QLatin1String(": ") + *v;
    }
    const QString* first = deviceNode ? deviceNode->elementValue(QStringLiteral("dmx")) : nullptr;
    if (!first)
        return;
    caption += QLatin1String(" ( ") + *first + QLatin1String(" - ");
    bool firstOk = false;
    bool rangeOk = false;
    int last = first->toInt(&firstOk);
    if (const xml_node* dmx = childNode(itemNode, QStringLiteral("dmx"))) {
        if (const QString* range = dmx->elementValue(QStringLiteral("range")))
            last += range->toInt(&rangeOk);
    }
    if (firstOk && rangeOk)
        caption += QStringLiteral("%1 )").arg(last - 1);
    else
        caption += QLatin1String("? )");
}

void lightEffect::updateIcon()
{
    const char* name = selected ? (defined ? ":/LE-zr.png" : ":/LE-cr.png")
                                : (defined ? ":/LE-zs.png" : ":/LE-cs.png");
    setPixmap(QPixmap(QLatin1String(name)));
}

void lightEffect::storeGeometry()
{
    if (!deviceNode)
        return;
    xml_node* geometry = childNode(deviceNode, QStringLiteral("geometry"));
    if (!geometry)
        geometry = deviceNode->addNode(QStringLiteral("geometry"));
    geometry->setElement(QStringLiteral("x"), QString::number(posX));
    geometry->setElement(QStringLiteral("y"), QString::number(posY));
    geometry->setElement(QStringLiteral("rotate"), QString::number(rotation));
}

void lightEffect::setGeometryFrom(const xml_node& geometry)
{
    if (const QString* v = geometry.elementValue(QStringLiteral("width")))
        width = v->toInt();
    if (const QString* v = geometry.elementValue(QStringLiteral("height")))
        height = v->toInt();
    if (const QString* v = geometry.elementValue(QStringLiteral("diameter")))
        width = height = v->toInt();

    anchor = ANCHOR_CENTRE;
    if (const QString* v = geometry.elementValue(QStringLiteral("anchor"))) {
        static const char* const anchors[] = {"left_up", "left_down", "right_up", "right_down"};
        for (int i = 0; i < 4; ++i)
            if (*v == QLatin1String(anchors[i]))
                anchor = ANCHOR_LEFT_UP + i;
    }

    shape = SHAPE_LINE;
    if (const QString* v = geometry.attrValue(QStringLiteral("shape"))) {
        if (*v == QLatin1String("circle") || *v == QLatin1String("ellipse"))
            shape = SHAPE_ELLIPSE;
        else if (*v == QLatin1String("fountain"))
            shape = SHAPE_FOUNTAIN;
    }
}
