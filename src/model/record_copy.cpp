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
        const uint32_t s = uint32_t(first + k);
        const uint32_t d = uint32_t(destination + k);
        std::memmove(to + at.channels + uint32_t(img::CHANNELS) * d, from + at.channels + uint32_t(img::CHANNELS) * s,
                     levels);
        const fadeTimes got = fadeTimes::read(from + at.times + 8u * s);
        fadeTimes kept = fadeTimes::read(to + at.times + 8u * d);
        if (parts.fadeUp)
            kept.fadeUp = got.fadeUp;
        if (parts.duration)
            kept.duration = got.duration;
        if (parts.fadeDown)
            kept.fadeDown = got.fadeDown;
        kept.write(to + at.times + 8u * d);
        if (parts.description)
            toTexts[d] = fromTexts[s];
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
