#include "model/v_project.h"

#include "fixtures/light_effect.h"
#include "xml/xml_node.h"

#include <QHash>
#include <algorithm>
#include <bitset>
#include <limits>
#include <vector>

namespace {

constexpr int DMX_CHANNELS = 512;

// The first child node of that name, leaving the node's cursor alone.
xml_node* childNode(xml_node* node, const QString& name)
{
    for (xml_node& child : node->nodes)
        if (child.name == name)
            return &child;
    return nullptr;
}

int elementInt(const xml_node& node, const char* name, int missing)
{
    const QString* v = node.elementValue(QLatin1String(name));
    return v ? v->toInt() : missing;
}

// One channel of an item with a function: its fixture channel v (from 1),
// its function code and its place among the item's channels.
struct itemChannel {
    int v;
    int code;
    int position;
};

// The channels of an item that have a function, read once per item however
// many devices use it. A channel repeated with the same number and code
// would map the same channel again: only its last place counts. Channels up
// to the universe's size may be relocated; the ones above never are (a
// fixture has at most 512 channels), so they are kept sorted by number, and
// each device looks only at those its first channel brings into the universe.
// That keeps a project of many devices over an item of many channels linear.
struct itemChannels {
    std::vector<itemChannel> low;   // v <= DMX_CHANNELS
    std::vector<itemChannel> high;  // v > DMX_CHANNELS, by v
};

itemChannels channelsOf(const xml_node& item)
{
    QHash<qint64, itemChannel> last;
    int position = 0;
    for (const xml_node& dmx : item.nodes) {
        if (dmx.name != QLatin1String("dmx"))
            continue;
        for (const xml_node& channel : dmx.nodes) {
            if (channel.name != QLatin1String("channel"))
                continue;
            const QString* attr = channel.attrValue(QStringLiteral("nr"));
            const int v = attr ? attr->toInt() : 0;
            if (v <= 0)
                continue;
            const int code = channelFunctionCode(channel);
            if (code < 0)
                continue;
            last.insert(qint64(v) * FUNC_CODES + code, itemChannel{v, code, position++});
        }
    }
    itemChannels out;
    for (const itemChannel& c : std::as_const(last))
        (c.v <= DMX_CHANNELS ? out.low : out.high).push_back(c);
    std::sort(out.high.begin(), out.high.end(), [](const itemChannel& a, const itemChannel& b) { return a.v < b.v; });
    return out;
}


// The function letters, per-code channels and channel-map entries of a
// fixture from the channels of its item.
void mapChannels(lightEffect* f, const itemChannels& itemChannelList, QList<chnlMapEntry>& chnlMap)
{
    f->chnlCodes = QString(FUNC_CODES, QLatin1Char('-'));
    // Each channel of the universe maps a fixture once; per code the
    // channel that comes last in the item wins.
    std::bitset<DMX_CHANNELS> mapped;
    int latest[FUNC_CODES];
    std::fill(std::begin(latest), std::end(latest), -1);
    const auto take = [&](const itemChannel& e, qint64 c) {
        // Channels that land outside the universe are dropped, so
        // that no one addresses channel values beyond the 512; and
        // so is a relocated channel number no int holds, which would
        // address the universe only by wrapping around.
        const qint64 absolute = c + f->dmxStart;
        if (absolute < 1 || absolute > DMX_CHANNELS || c > std::numeric_limits<int>::max())
            return;
        if (!mapped.test(size_t(absolute - 1))) {
            mapped.set(size_t(absolute - 1));
            chnlMap.append(chnlMapEntry(int(absolute), f));
        }
        f->chnlCodes[e.code] = QLatin1Char(CHANNEL_FUNCTION_LETTERS[e.code]);
        if (e.position > latest[e.code]) {
            latest[e.code] = e.position;
            f->funcChannel[e.code] = int(c);
        }
        if (e.code == FUNC_SPRING)
            f->springOn = 1;
    };
    for (const itemChannel& e : itemChannelList.low)
        take(e, qint64(e.v) + (e.v - 1 < f->reloc.size() ? f->reloc[e.v - 1] : 0));
    const qint64 from = std::max<qint64>(DMX_CHANNELS + 1, 1 - qint64(f->dmxStart));
    const qint64 to = DMX_CHANNELS - qint64(f->dmxStart);
    auto e = std::lower_bound(itemChannelList.high.begin(), itemChannelList.high.end(), from,
                              [](const itemChannel& a, qint64 v) { return a.v < v; });
    for (; e != itemChannelList.high.end() && e->v <= to; ++e)
        take(*e, e->v);
}

}  // namespace

void v_project::mapFixtureChannels(lightEffect* fixture)
{
    if (!fixture)
        return;
    std::fill(std::begin(fixture->funcChannel), std::end(fixture->funcChannel), -1);
    if (!fixture->itemNode) {
        fixture->chnlCodes = QString(FUNC_CODES, QLatin1Char('-'));
        return;
    }
    mapChannels(fixture, channelsOf(*fixture->itemNode), chnlMap);
}

void v_project::readDevices()
{
    if (!projectTree)
        return;
    deleteFixtures();

    xml_node* lib = childNode(projectTree, QStringLiteral("library"));
    xml_node* devices = childNode(projectTree, QStringLiteral("devices"));
    if (!devices)
        return;

    // Items by "nr", the first of a number winning.
    QHash<QString, xml_node*> items;
    QHash<const xml_node*, itemChannels> channels;
    if (lib) {
        for (xml_node& item : lib->nodes) {
            if (item.name != QLatin1String("item"))
                continue;
            if (const QString* nr = item.attrValue(QStringLiteral("nr")))
                if (!items.contains(*nr))
                    items.insert(*nr, &item);
        }
    }

    for (xml_node& device : devices->nodes) {
        if (device.name != QLatin1String("device"))
            continue;
        const QString* nr = device.attrValue(QStringLiteral("nr"));
        if (!nr)
            continue;

        int x = -1;
        int y = -1;
        int rotation = 0;
        if (const xml_node* geometry = childNode(&device, QStringLiteral("geometry"))) {
            x = elementInt(*geometry, "x", -1);
            y = elementInt(*geometry, "y", -1);
            rotation = elementInt(*geometry, "rotate", 0);
        }

        auto* f = new lightEffect(nr->toInt(), x, y, nullptr);
        f->rotation = rotation;
        f->defined = x >= 0 && y >= 0;
        f->deviceNode = &device;
        f->itemNode = nullptr;

        if (const QString* dmx = device.elementValue(QStringLiteral("dmx"))) {
            f->dmxStart = int(std::max<qint64>(qint64(dmx->toInt()) - 1, std::numeric_limits<int>::min()));
        } else {
            f->defined = false;
            f->dmxStart = 0;
        }

        if (const QString* ref = device.elementValue(QStringLiteral("library")))
            f->itemNode = items.value(*ref);

        if (!f->itemNode) {
            f->defined = false;
        } else {
            xml_node* item = f->itemNode;
            if (const xml_node* geometry = childNode(item, QStringLiteral("geometry"))) {
                f->width = 10;
                f->height = 10;
                f->setGeometryFrom(*geometry);
            } else {
                f->defined = false;
            }

            // A fixture cannot take more channels than the universe holds.
            const xml_node* firstDmx = childNode(item, QStringLiteral("dmx"));
            f->chnlCount = firstDmx ? std::clamp(elementInt(*firstDmx, "range", 0), 0, DMX_CHANNELS) : 0;

            f->reloc = QVector<int>(f->chnlCount, 0);
            if (f->chnlCount > 0) {
                if (const xml_node* reloc = childNode(&device, QStringLiteral("reloc"))) {
                    for (const xml_element& e : reloc->elements) {
                        if (e.name.compare(QLatin1String("channel"), Qt::CaseInsensitive) != 0)
                            continue;
                        const QString* channel = e.attrValue(QStringLiteral("nr"));
                        bool nrOk = false;
                        bool offsetOk = false;
                        // Any int may stand for the channel: 1 is taken off in 64 bits.
                        const qint64 i = channel ? qint64(channel->toInt(&nrOk)) - 1 : -1;
                        const int offset = e.value.toInt(&offsetOk);
                        if (nrOk && offsetOk && i >= 0 && i < f->chnlCount)
                            f->reloc[int(i)] = offset;
                    }
                }
            }

            auto cached = channels.find(item);
            if (cached == channels.end())
                cached = channels.insert(item, channelsOf(*item));
            mapChannels(f, *cached, chnlMap);
        }

        f->updateIcon();
        // The beam and the cross are made by the plan that shows them: a
        // show of many fixtures read with no plan open keeps three widgets
        // fewer per fixture.
        fixtures.append(f);
        f->setMouseTracking(true);
        f->updateCaption();
    }

    std::stable_sort(fixtures.begin(), fixtures.end(), fixtureNumberLess);
    if (!chnlMap.isEmpty())
        std::stable_sort(chnlMap.begin(), chnlMap.end(), chnlMapLess);
    emit fixturesReplaced();
}
