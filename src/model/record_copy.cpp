#include "model/record_copy.h"

#include "model/config_image.h"
#include "model/kv310_controller.h"

#include <QtGlobal>
#include <cstring>

namespace {

struct tableLayout {
    int count;
    uint32_t channels;
    uint32_t times;
};

tableLayout layoutOf(recordTable table)
{
    return table == recordTable::masks ? tableLayout{img::MASKS, img::maskChannels, img::maskTimes}
                                       : tableLayout{img::SCENES, img::sceneChannels, img::sceneTimes};
}

const QString* descriptionsOf(const kv310_controller_class& c, recordTable table)
{
    return table == recordTable::masks ? c.maskDescriptions.data() : c.sceneDescriptions.data();
}

QString* descriptionsOf(kv310_controller_class& c, recordTable table)
{
    return table == recordTable::masks ? c.maskDescriptions.data() : c.sceneDescriptions.data();
}

}  // namespace

namespace {

// What a copy takes of one record, as its source held it.
struct recordContent {
    const uint8_t* levels;
    fadeTimes times;
    const QString* description;
};

recordContent contentOf(const uint8_t* image, const QString* texts, const tableLayout& at, uint32_t s)
{
    return {image + at.channels + uint32_t(img::CHANNELS) * s, fadeTimes::read(image + at.times + 8u * s), texts + s};
}

void writeRecord(uint8_t* image, QString* texts, const tableLayout& at, uint32_t d, const recordContent& got,
                 size_t levels, const recordCopyParts& parts)
{
    if (levels > 0)
        std::memmove(image + at.channels + uint32_t(img::CHANNELS) * d, got.levels, levels);
    fadeTimes kept = fadeTimes::read(image + at.times + 8u * d);
    if (parts.fadeUp)
        kept.fadeUp = got.times.fadeUp;
    if (parts.duration)
        kept.duration = got.times.duration;
    if (parts.fadeDown)
        kept.fadeDown = got.times.fadeDown;
    kept.write(image + at.times + 8u * d);
    if (parts.description)
        texts[d] = *got.description;
}

}  // namespace

int copyRecords(const kv310_controller_class& source, int first, int last, kv310_controller_class& target,
                int destination, recordTable table, const recordCopyParts& parts)
{
    const tableLayout at = layoutOf(table);
    if (first < 0 || last >= at.count || last < first || destination < 0 || destination >= at.count)
        return 0;
    const int count = qMin(last - first + 1, at.count - destination);
    const size_t levels = size_t(qBound(0, parts.levels, img::CHANNELS));
    const uint8_t* from = source.configImage;
    uint8_t* to = target.configImage;
    const QString* fromTexts = descriptionsOf(source, table);
    QString* toTexts = descriptionsOf(target, table);

    const auto copyOne = [&](int k) {
        writeRecord(to, toTexts, at, uint32_t(destination + k), contentOf(from, fromTexts, at, uint32_t(first + k)),
                    levels, parts);
    };

    // Within one image a destination above its source would overwrite
    // sources still to be read going upwards: copy from the top down then.
    if (&source == &target && destination > first) {
        for (int k = count - 1; k >= 0; --k)
            copyOne(k);
    } else {
        for (int k = 0; k < count; ++k)
            copyOne(k);
    }
    return count;
}

int copyRecordPairs(const kv310_controller_class& source, const std::vector<recordPair>& pairs,
                    kv310_controller_class& target, recordTable table, const recordCopyParts& parts)
{
    const tableLayout at = layoutOf(table);
    const size_t levels = size_t(qBound(0, parts.levels, img::CHANNELS));
    const auto inTable = [&at](int r) { return r >= 0 && r < at.count; };
    std::vector<recordPair> valid;
    valid.reserve(pairs.size());
    for (const recordPair& p : pairs)
        if (inTable(p.source) && inTable(p.destination))
            valid.push_back(p);

    const uint8_t* from = source.configImage;
    uint8_t* to = target.configImage;
    const QString* fromTexts = descriptionsOf(source, table);
    QString* toTexts = descriptionsOf(target, table);

    // Sources are read as they were only when no destination can be read
    // after it was written: otherwise every source is taken first.
    bool shared = false;
    if (&source == &target) {
        std::vector<bool> written(size_t(at.count), false);
        for (const recordPair& p : valid)
            written[size_t(p.destination)] = true;
        for (const recordPair& p : valid)
            shared = shared || written[size_t(p.source)];
    }
    if (!shared) {
        for (const recordPair& p : valid)
            writeRecord(to, toTexts, at, uint32_t(p.destination),
                        contentOf(from, fromTexts, at, uint32_t(p.source)), levels, parts);
        return int(valid.size());
    }

    std::vector<uint8_t> heldLevels(valid.size() * levels);
    std::vector<fadeTimes> heldTimes(valid.size());
    std::vector<QString> heldTexts(valid.size());
    for (size_t i = 0; i < valid.size(); ++i) {
        const recordContent got = contentOf(from, fromTexts, at, uint32_t(valid[i].source));
        if (levels > 0)
            std::memcpy(heldLevels.data() + i * levels, got.levels, levels);
        heldTimes[i] = got.times;
        heldTexts[i] = *got.description;
    }
    for (size_t i = 0; i < valid.size(); ++i)
        writeRecord(to, toTexts, at, uint32_t(valid[i].destination),
                    {heldLevels.data() + i * levels, heldTimes[i], &heldTexts[i]}, levels, parts);
    return int(valid.size());
}
