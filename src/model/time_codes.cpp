#include "time_codes.h"

#include "config_image.h"
#include "kv310_controller.h"

int toTenths(const QTime& t)
{
    // Hours, minutes and seconds are whole hundreds of milliseconds: the
    // milliseconds since midnight give the same tenths in one step, which
    // packing the programs takes three times per step.
    if (!t.isValid())
        return 0;
    return t.msecsSinceStartOfDay() / 100;
}

QTime fromTenths(unsigned t)
{
    return QTime(int(t / 36000), int((t % 36000) / 600), int((t % 600) / 10), int((t % 10) * 100));
}

int kv310_controller_class::toBcd(int v)
{
    if (v < 0 || v > 99)
        return 0xFF;
    return v + 6 * (v / 10);
}

int kv310_controller_class::fromBcd(int b)
{
    b &= 0xFF;
    // A low nibble of 0xA carries into the tens: 0x1A reads as 20.
    if ((b & 0x0F) == 0x0A)
        b += 6;
    if ((b & 0x0F) > 9 || b > 0x99)
        return -1;
    return (b >> 4) * 10 + (b & 0x0F);
}

uint32_t kv310_controller_class::rescaleValue(uint32_t value, uint32_t min, uint32_t max, float factor, bool& ok)
{
    // Values outside the bounds are markers (0, infinite, not set): they pass.
    if (value < min || value > max)
        return value;
    const float x = float(value) * factor;
    if (x < float(min)) {
        ok = false;
        return min;
    }
    if (x > float(max)) {
        ok = false;
        return max;
    }
    return uint32_t(x);
}

namespace {

void rescaleWord(uint8_t* image, uint32_t offset, uint32_t max, float factor, bool& ok)
{
    const uint32_t value = img::getU16(image, offset);
    img::putU16(image, offset, uint16_t(kv310_controller_class::rescaleValue(value, 1, max, factor, ok)));
}

void rescaleFadeTimes(uint8_t* image, uint32_t offset, float factor, bool& ok)
{
    rescaleWord(image, offset, 0xFFFF, factor, ok);
    rescaleWord(image, offset + 2, 0xFFFE, factor, ok);
    rescaleWord(image, offset + 4, 0xFFFF, factor, ok);
}

} // namespace

bool kv310_controller_class::rescaleTimes(float factor)
{
    // The step records are rewritten from the programs table before every
    // save, send and clear: bring the table into the image first and read it
    // back afterwards, or the rescaled step times would be lost. When the
    // programs do not fit the image, nothing is rescaled (packing has told
    // the user) and the limit counts as reached.
    if (programs.packPrograms(configImage) < 0)
        return false;

    bool ok = true;
    uint8_t* image = configImage;
    for (int s = 0; s < img::SCENES; ++s)
        rescaleFadeTimes(image, img::sceneTimesOf(s), factor, ok);
    for (int m = 0; m < img::MASKS; ++m)
        rescaleFadeTimes(image, img::maskTimesOf(m), factor, ok);
    for (int g = 0; g < img::STEP_RECORDS; ++g) {
        const uint32_t at = img::programStepsOf(g);
        rescaleWord(image, at + 2, 0xFFFF, factor, ok);
        rescaleWord(image, at + 4, 0xFFFE, factor, ok);
        rescaleWord(image, at + 6, 0xFFFD, factor, ok);
    }
    for (int d = 0; d < img::DELAYS; ++d) {
        const uint32_t at = img::delaysOf(d);
        const uint32_t word = img::getU32(image, at);
        const uint32_t time = rescaleValue(delayWord::time(word), 1, delayWord::MAX_TIME, factor, ok);
        img::putU32(image, at, delayWord::make(time, delayWord::sequence(word)));
    }
    rescaleWord(image, img::startUpTime, 0xFFFF, factor, ok);
    rescaleWord(image, img::shutDownTime, 0xFFFF, factor, ok);

    programs.unpackPrograms(configImage);
    return ok;
}
