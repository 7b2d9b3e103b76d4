#pragma once

// The sample show of the tests, the fuzz harnesses and the benchmarks: scenes
// and masks with varied values, delays, programs with steps, actions on events
// of every kind, sequences of delays, timers, coupled scenes and descriptions
// with characters the XML must escape; every table filled as far as the size
// asks. Built on a new (or wholly cleared) controller; afterwards the image
// holds the tables packed and the sequence lists are rebuilt.
//
// Header only, so that the fuzz and benchmark builds, which build no tests,
// can use it too.
//
// Its content is fixed. The benchmarks compare their figures over time on the
// full show, and the golden files in tests/data hold the small one as the
// program wrote it: a show that changes here no longer matches either. A show
// of other proportions is a size of its own, not another formula.

#include "model/config_image.h"
#include "model/events.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"

#include <QLatin1String>
#include <QString>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace sampleShow {

struct showSize {
    int scenes;        // scenes from 0: ramps and levels with some noise
    int masks;         // masks from 0
    int delays;        // delay words from 0, delay d owned by sequence d % 128
    int programs;      // programs from 0 ...
    int steps;         // ... of this many steps each
    int actions;       // scene and program actions, spread over the event ids
    int timers;        // timers from 2 on (0 and 1 are sunrise and sunset) whose events have actions
    int coupledScenes; // scenes in the 15 coupled-scene groups together
    int descriptions;  // described objects of each kind, from 0
    int sequences;     // sequences of two delays started by their start event
};

// Every table as full as the image takes it: the benchmarks' show. It has no
// sequences, as its actions already take every record but the two kept for
// Enabling actions.
inline constexpr showSize full = {img::SCENES,
                                  img::MASKS,
                                  img::DELAYS,
                                  img::PROGRAM_SLOTS,
                                  img::STEP_RECORDS / img::PROGRAM_SLOTS,
                                  img::ACTION_RECORDS - 2,
                                  img::TIMER_RECORDS - 2,
                                  img::COUPLED_PAIRS,
                                  INT_MAX,
                                  0};

// A little of everything: for tests, fuzz seeds and the golden files.
inline constexpr showSize small = {16, 4, 16, 4, 5, 21, 4, 20, 3, 2};

// The first of the two delays of sequence q (the second one follows it):
// taken from the top, away from the low delays the size fills.
constexpr int sequenceDelay(int q)
{
    return img::DELAYS - 2 * (q + 1);
}

inline uint32_t nextRandom(uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

inline uint8_t bcd(int v)
{
    return uint8_t((v / 10) << 4 | v % 10);
}

inline void build(kv310_controller_class& c, const showSize& size)
{
    uint32_t seed = 0x12345678;
    uint8_t* image = c.configImage;
    for (int s = 0; s < size.scenes; ++s) {
        uint8_t* p = image + img::sceneChannelsOf(s);
        const int slope = s % 13 + 1;
        const int level = int(nextRandom(seed) & 0xFF);
        for (int ch = 0; ch < img::CHANNELS; ++ch)
            p[ch] = uint8_t(ch % 3 == 0 ? level : (ch * slope + int(nextRandom(seed) & 0x0F)) & 0xFF);
        fadeTimes{uint16_t(s % 600), uint16_t(10 + s % 900), uint16_t(s % 300), 0}.write(image + img::sceneTimesOf(s));
    }
    for (int m = 0; m < size.masks; ++m) {
        uint8_t* p = image + img::maskChannelsOf(m);
        for (int ch = 0; ch < img::CHANNELS; ++ch)
            p[ch] = uint8_t(nextRandom(seed) % 3 ? 0xFF : 0);
        fadeTimes{uint16_t(m), 100, uint16_t(m * 2), 0}.write(image + img::maskTimesOf(m));
    }
    for (int d = 0; d < size.delays; ++d)
        img::putU32(image, img::delaysOf(d), delayWord::make(uint32_t(10 + d), uint32_t(d % img::SEQUENCES)));

    for (int P = 0; P < size.programs; ++P) {
        c.programs.setStepCount(P, size.steps);
        c.programs.setRecurrences(P, P % 5);
        for (int k = 0; k < size.steps; ++k) {
            programStep* s = c.programs.step(P, k);
            s->scene = uint16_t((P * 17 + k) % img::SCENES);
            s->fadeUp = fromTenths(unsigned(k * 3));
            s->duration = fromTenths(unsigned(10 + k));
            s->event = int16_t(k % 4 ? -1 : EVENT_INTERNAL + k);
        }
    }
    // The fewer the actions, the wider apart their event ids, so that a small
    // show still reaches events of every range.
    const int stride = 7 * std::max(1, full.actions / std::max(size.actions, 1));
    for (int n = 0; n < size.actions; ++n) {
        const int id = int((int64_t(n) * stride) % EVENT_COUNT);
        const int pos = c.events.appendAction(id);
        c.events.setNumber(id, pos, n % img::SCENES);
        c.events.setActionType(id, pos, n % 2 ? ACTION_SCENE : ACTION_PROGRAM);
        c.events.setDaytimeLimit(id, pos, uint8_t(n % 144), uint8_t((n + 30) % 144));
    }
    // Sequence q: its start starts its first delay, whose end starts the
    // second, whose end switches scene q off and mask q on.
    for (int q = 0; q < size.sequences; ++q) {
        const int first = sequenceDelay(q);
        img::putU32(image, img::delaysOf(first), delayWord::make(uint32_t(50 + q), uint32_t(q)));
        img::putU32(image, img::delaysOf(first + 1), delayWord::make(uint32_t(70 + q), uint32_t(q)));
        const struct {
            int id;
            int type;
            int sub;
            int number;
        } actions[] = {
            {EVENT_SEQUENCE_START + q, ACTION_DELAY, SUB_ON, first},
            {EVENT_DELAY_END + first, ACTION_DELAY, SUB_ON, first + 1},
            {EVENT_DELAY_END + first + 1, ACTION_SCENE, SUB_OFF, q},
            {EVENT_DELAY_END + first + 1, ACTION_MASK, SUB_ON, q % img::MASKS},
        };
        for (const auto& a : actions) {
            const int pos = c.events.appendAction(a.id);
            c.events.setActionType(a.id, pos, a.type);
            c.events.setSubAction(a.id, pos, a.sub);
            c.events.setNumber(a.id, pos, a.number);
        }
    }
    // A timer whose event starts nothing is not kept when the tables are packed.
    for (int t = 2, set = 0; t < img::TIMER_RECORDS && set < size.timers; ++t) {
        if (c.events.actionCount(EVENT_TIMER + t) <= 0)
            continue;
        c.timerTable[size_t(t)].hour = bcd(t % 24);
        c.timerTable[size_t(t)].minute = bcd(t % 60);
        ++set;
    }
    for (int i = 0; i < size.coupledScenes; ++i)
        c.coupledSceneGroups[size_t(i % 15)].append(uint16_t(i * 101));

    const auto describe = [&size](auto& texts, const char* kind) {
        const size_t count = std::min(texts.size(), size_t(size.descriptions));
        for (size_t i = 0; i < count; ++i)
            texts[i] = QStringLiteral("%1 %2 – front wash & <cue> %3").arg(QLatin1String(kind)).arg(i).arg(i * 7 % 1000);
    };
    describe(c.sceneDescriptions, "Scene");
    describe(c.maskDescriptions, "Mask");
    describe(c.programDescriptions, "Program");
    describe(c.eventDescriptions, "Event");
    describe(c.stateDescriptions, "State");
    describe(c.inputDescriptions, "Input");
    describe(c.rcuKeyDescriptions, "Key");
    describe(c.panelDescriptions, "Panel");

    c.events.packEvents(image);
    c.programs.packPrograms(image);
    c.packTimers();
    c.packCoupledScenes();
    c.rebuildSequences();
}

} // namespace sampleShow
