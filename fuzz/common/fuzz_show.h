#pragma once

#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"

// A small show in every table of the model: programs with steps and events,
// actions of several kinds, a sequence of delays, timers, coupled scenes,
// descriptions. The seeds and the image harness start from it.
inline void buildFuzzShow(kv310_controller_class& c)
{
    for (int s = 0; s < 8; ++s) {
        for (int ch = 0; ch < 16; ++ch)
            c.configImage[img::sceneChannelsOf(s) + uint32_t(ch)] = uint8_t(s * 16 + ch);
        fadeTimes{uint16_t(s), uint16_t(s % 3 ? 50 : 0xFFFF), uint16_t(s + 1), 0}.write(c.configImage
                                                                                         + img::sceneTimesOf(s));
    }
    img::putU32(c.configImage, img::delaysOf(0), delayWord::make(100, 0));
    img::putU32(c.configImage, img::delaysOf(1), delayWord::make(250, 0));
    img::putU16(c.configImage, img::outputChannelCount, 96);

    for (int P = 0; P < 3; ++P) {
        c.programs.setStepCount(P, 2 + P);
        c.programs.setRecurrences(P, P);
        for (int k = 0; k < 2 + P; ++k) {
            programStep* s = c.programs.step(P, k);
            s->scene = uint16_t(P + k);
            s->fadeUp = fromTenths(unsigned(k + 1));
            s->duration = fromTenths(unsigned(10 * k + 5));
            s->event = int16_t(k == 1 ? EVENT_INTERNAL + P : -1);
        }
    }
    const struct {
        int id;
        int type;
        int sub;
        int number;
    } actions[] = {
        {EVENT_INPUT, ACTION_SCENE, SUB_ON, 2},
        {EVENT_INTERNAL + 1, ACTION_PROGRAM, SUB_ON, 1},
        {EVENT_SEQUENCE_START, ACTION_DELAY, SUB_ON, 0},
        {EVENT_DELAY_END, ACTION_DELAY, SUB_ON, 1},
        {EVENT_DELAY_END + 1, ACTION_SCENE, SUB_OFF, 3},
        {EVENT_TIMER + 5, ACTION_MASK, SUB_ON, 0},
        {EVENT_DMX_IN + 7, ACTION_SCENE, SUB_ON, 4},
        {EVENT_RC_BUTTON + 2, ACTION_PROGRAM, SUB_OFF, 2},
    };
    for (const auto& a : actions) {
        const int pos = c.events.appendAction(a.id);
        c.events.setActionType(a.id, pos, a.type);
        c.events.setSubAction(a.id, pos, a.sub);
        c.events.setNumber(a.id, pos, a.number);
        c.events.setDaytimeLimit(a.id, pos, 8, 20);
    }
    c.timerTable[5].hour = 0x07;
    c.timerTable[5].minute = 0x30;
    c.coupledSceneGroups[0] = {3, 5};
    c.coupledSceneGroups[2] = {6, 7};
    c.sceneDescriptions[0] = QStringLiteral("Opening <scene> & more");
    c.programDescriptions[2] = QStringLiteral("Chase");
    c.eventDescriptions[EVENT_SEQUENCE_START] = QStringLiteral("Sequence");
    // Active scenes from scene 9 and internal event 21, two sectors.
    img::putU16(c.configImage, img::asStartScene, 8);
    img::putU16(c.configImage, img::asStartEvent, 20);
    img::putU16(c.configImage, img::asControlChannel, 3);
    sectorRange{0, 5}.write(c.configImage + img::asSectorRangesOf(0));
    sectorRange{10, 12}.write(c.configImage + img::asSectorRangesOf(4));

    c.events.packEvents(c.configImage);
    c.programs.packPrograms(c.configImage);
    c.packTimers();
    c.packCoupledScenes();
    c.rebuildSequences();
}
