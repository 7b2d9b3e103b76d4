#pragma once

// A full show for the benchmarks: every scene filled with varied values, full
// program, action and timer tables, every description set; and a dialog seam
// that answers every message with its default.

#include "seams/dialog_seam.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"

#include <cstdint>
#include <memory>

namespace benchShow {

// Answers every message with its default and counts the failures shown.
class quietDialogs final : public dialogSeam {
public:
    int message(const messageRequest& request) override
    {
        if (request.icon == QMessageBox::Critical || request.icon == QMessageBox::Warning)
            ++problems;
        return QMessageBox::Ok;
    }
    QString openFileName(fileRequest&) override { return QString(); }
    QString saveFileName(fileRequest&) override { return QString(); }
    QColor color(const QColor&, QWidget*, const QString&) override { return QColor(); }
    int exec(QDialog*) override { return 0; }
    int problems = 0;
};

inline uint32_t nextRandom(uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

inline void buildShow(kv310_controller_class& c)
{
    uint32_t seed = 0x12345678;
    uint8_t* image = c.configImage;
    // Scenes: ramps and levels as a show has them, with some noise.
    for (int s = 0; s < img::SCENES; ++s) {
        uint8_t* p = image + img::sceneChannelsOf(s);
        const int slope = s % 13 + 1;
        const int level = int(nextRandom(seed) & 0xFF);
        for (int ch = 0; ch < img::CHANNELS; ++ch)
            p[ch] = uint8_t(ch % 3 == 0 ? level : (ch * slope + int(nextRandom(seed) & 0x0F)) & 0xFF);
        fadeTimes{uint16_t(s % 600), uint16_t(10 + s % 900), uint16_t(s % 300), 0}.write(image + img::sceneTimesOf(s));
    }
    for (int m = 0; m < img::MASKS; ++m) {
        uint8_t* p = image + img::maskChannelsOf(m);
        for (int ch = 0; ch < img::CHANNELS; ++ch)
            p[ch] = uint8_t(nextRandom(seed) % 3 ? 0xFF : 0);
        fadeTimes{uint16_t(m), 100, uint16_t(m * 2), 0}.write(image + img::maskTimesOf(m));
    }
    for (int d = 0; d < img::DELAYS; ++d)
        img::putU32(image, img::delaysOf(d), delayWord::make(uint32_t(10 + d), uint32_t(d % img::SEQUENCES)));

    // 512 programs of 16 steps: every step record in use.
    for (int P = 0; P < img::PROGRAM_SLOTS; ++P) {
        const int steps = img::STEP_RECORDS / img::PROGRAM_SLOTS;
        c.programs.setStepCount(P, steps);
        c.programs.setRecurrences(P, P % 5);
        for (int k = 0; k < steps; ++k) {
            programStep* s = c.programs.step(P, k);
            s->scene = uint16_t((P * 17 + k) % img::SCENES);
            s->fadeUp = fromTenths(unsigned(k * 3));
            s->duration = fromTenths(unsigned(10 + k));
            s->event = int16_t(k % 4 ? -1 : EVENT_INTERNAL + k);
        }
    }
    // Every action record but the two Enabling ones.
    for (int n = 0; n < img::ACTION_RECORDS - 2; ++n) {
        const int id = (n * 7) % EVENT_COUNT;
        const int pos = c.events.appendAction(id);
        c.events.setNumber(id, pos, n % img::SCENES);
        c.events.setActionType(id, pos, n % 2 ? ACTION_SCENE : ACTION_PROGRAM);
        c.events.setDaytimeLimit(id, pos, uint8_t(n % 144), uint8_t((n + 30) % 144));
    }
    for (int t = 2; t < img::TIMER_RECORDS; ++t) {
        const auto bcd = [](int v) { return uint8_t((v / 10) << 4 | v % 10); };
        c.timerTable[size_t(t)].hour = bcd(t % 24);
        c.timerTable[size_t(t)].minute = bcd(t % 60);
    }
    for (int i = 0; i < img::COUPLED_PAIRS; ++i)
        c.coupledSceneGroups[size_t(i % 15)].append(uint16_t(i * 101));

    const auto fill = [](auto& texts, const char* kind) {
        for (size_t i = 0; i < texts.size(); ++i)
            texts[i] = QStringLiteral("%1 %2 – front wash & <cue> %3").arg(QLatin1String(kind)).arg(i).arg(i * 7 % 1000);
    };
    fill(c.sceneDescriptions, "Scene");
    fill(c.maskDescriptions, "Mask");
    fill(c.programDescriptions, "Program");
    fill(c.eventDescriptions, "Event");
    fill(c.stateDescriptions, "State");
    fill(c.inputDescriptions, "Input");
    fill(c.rcuKeyDescriptions, "Key");
    fill(c.panelDescriptions, "Panel");
}

} // namespace benchShow
