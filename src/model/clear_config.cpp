#include "kv310_controller.h"

#include "seams/gui_base.h"
#include "sun_table.h"
#include "v_project.h"

#include <cstring>

namespace {

// The categories that own the action records of the event ids.
constexpr uint32_t ACTION_CATEGORIES = CLEAR_DMX_IN | CLEAR_INTERNAL_EVENTS | CLEAR_TIMERS | CLEAR_DMX_OUT_EVENTS
                                       | CLEAR_DELAYS | CLEAR_RCU | CLEAR_INPUTS;

// The category whose clearing removes the actions of an event id; 0 for the
// ids past the last event, whose records are always rewritten.
uint32_t actionCategory(unsigned id)
{
    if (id < EVENT_INTERNAL)
        return CLEAR_DMX_IN;
    if (id < EVENT_TIMER)
        return CLEAR_INTERNAL_EVENTS;
    if (id < EVENT_DMX_OUT)
        return CLEAR_TIMERS;
    if (id < EVENT_DELAY_END)
        return CLEAR_DMX_OUT_EVENTS;
    if (id < EVENT_RC_BUTTON)
        return CLEAR_DELAYS;
    if (id < EVENT_INPUT)
        return CLEAR_RCU;
    if (id < EVENT_COUNT)
        return CLEAR_INPUTS;
    return 0;
}

// Writes count copies of a record of N bytes from offset on.
template <size_t N>
void fillRecords(uint8_t* image, uint32_t offset, int count, const uint8_t (&record)[N])
{
    uint8_t* p = image + offset;
    for (int i = 0; i < count; ++i, p += N)
        std::memcpy(p, record, N);
}

template <size_t N>
void clearTexts(std::array<QString, N>& texts, size_t from = 0, size_t count = N)
{
    const QString empty(0, QChar());  // empty, not null
    for (size_t i = from; i < from + count; ++i)
        texts[i] = empty;
}

void clearLimits(uint8_t* record)
{
    std::memset(record + 5, 0xFF, 3 + 16);
}

void clearLimits(eventAction& a)
{
    a.daytimeFrom = a.daytimeTo = a.states1to4 = 0xFF;
    for (uint32_t& w : a.states5to68)
        w = 0xFFFFFFFF;
}

} // namespace

void kv310_controller_class::ClearConfig()
{
    ClearConfig(CLEAR_ALL);
}

void kv310_controller_class::ClearConfig(uint32_t co)
{
    uint8_t* image = configImage;
    const bool whole = co == CLEAR_ALL;

    // The memory tables go into the image first, so that what is not cleared
    // comes back out of it. Nothing of the image outlives clearing it whole.
    bool programsPacked = true;
    bool eventsPacked = true;
    if (!whole) {
        programsPacked = programs.packPrograms(image) == 0;
        eventsPacked = events.packEvents(image) == 0;
        packTimers();
        packCoupledScenes();
    }

    if (whole && imageZeroed) {
        // The scene records stay zero, as CLEAR_SCENES leaves them.
        std::memset(image, 0xFF, img::sceneChannels);
        std::memset(image + img::projectArea, 0xFF, img::PROJECT_AREA_SIZE);
    } else if (whole) {
        std::memset(image, 0xFF, img::SIZE);
    }
    if (whole) {
        img::putU16(image, img::startUpTime, 0);
        img::putU16(image, img::shutDownTime, 0);
    }

    if (co & CLEAR_TIMERS) {
        std::memset(image + img::timers, 0xFF, size_t(img::TIMER_RECORDS) * sizeof(timerRecord));
        img::putU16(image, img::sunEvents, 0xFFFF);
    }

    if (co & CLEAR_DMX_OUT_SETTINGS) {
        static const uint8_t linear[4] = {0, 0xFF, 0xFF, 0xFF};
        fillRecords(image, img::outputChannels, img::CHANNELS, linear);
        img::putU16(image, img::outEventLastChannel, 0xFFFF);
        img::putU16(image, img::outEventFirstChannel, 0xFFFF);
        img::putU16(image, img::outputChannelCount, 512);
        img::putU16(image, img::mbftCode, 10);
    }

    if (co & CLEAR_ACTIVE_SCENES) {
        img::putU16(image, img::asControlChannel, 0xFFFF);
        img::putU16(image, img::asStartScene, 0xFFFF);
        img::putU16(image, img::asStartEvent, 0xFFFF);
        std::memset(image + img::asSectorRanges, 0xFF, size_t(img::SECTOR_RANGES) * sizeof(sectorRange));
    }

    if (co & CLEAR_DMX_IN) {
        std::memset(image + img::dmxInPhaseMask, 0xFF, size_t(img::PHASE_MASK_WORDS) * 4);
        img::putU16(image, img::dmxInReserved, 0);
        img::putU16(image, img::inputChannelLimit, 512);
    }

    if (co & CLEAR_INPUTS)
        std::memset(image + img::inputTypes, 0, size_t(img::INPUTS) * 4);

    if (co & CLEAR_SCENES) {
        static const uint8_t sceneTimes[8] = {0, 0, 0xFF, 0xFF, 0, 0, 0, 0};  // {0, infinite, 0, 0}
        fillRecords(image, img::sceneTimes, img::SCENES, sceneTimes);
        if (!imageZeroed)
            std::memset(image + img::sceneChannels, 0, size_t(img::SCENES) * img::CHANNELS);
        static const uint8_t freePair[4] = {0xFF, 0xFF, 0, 0};
        fillRecords(image, img::coupledByGroup, img::COUPLED_PAIRS, freePair);
        fillRecords(image, img::coupledByScene, img::COUPLED_PAIRS, freePair);
        unpackCoupledScenes();
    }

    if (co & CLEAR_MASKS) {
        for (int m = 0; m < img::MASKS; ++m) {
            img::putU16(image, img::maskTimesOf(m), 0);
            img::putU16(image, img::maskTimesOf(m) + 4, 0);
        }
        std::memset(image + img::maskChannels, 0xFF, size_t(192) * img::CHANNELS);
        std::memset(image + img::maskChannelsOf(192), 0, size_t(img::MASKS - 192) * img::CHANNELS);
    }

    if (co & CLEAR_PROGRAMS) {
        std::memset(image + img::programStepCount, 0, size_t(img::PROGRAM_SLOTS) * 2);
        img::putU16Run(image, img::programRecurrences, img::PROGRAM_SLOTS, 1);
        std::memset(image + img::programStartAddress, 0xFF, size_t(img::PROGRAM_SLOTS) * 4);
        std::memset(image + img::programChainEvent, 0xFF, size_t(img::PROGRAM_SLOTS) * 2);
        std::memset(image + img::programEntryInfo, 0xFF, size_t(img::PROGRAM_SLOTS) * 4);
        std::memset(image + img::programBreakTime, 0xFF, size_t(img::PROGRAM_SLOTS) * 2);
        static const uint8_t step[8] = {0xFF, 0xFF, 0, 0, 10, 0, 0, 0};  // {none, 0, 1 s, 0}
        fillRecords(image, img::programSteps, img::STEP_RECORDS, step);
        std::memset(image + img::stepEvents, 0xFF, size_t(img::STEP_RECORDS) * 2);
    } else if (co & CLEAR_CHAINS) {
        std::memset(image + img::programChainEvent, 0xFF, size_t(img::PROGRAM_SLOTS) * 2);
        std::memset(image + img::stepEvents, 0xFF, size_t(img::STEP_RECORDS) * 2);
    }

    {
        uint8_t cleared[sizeof(eventAction)];
        eventAction{0xFFFF, 0xFFFF}.write(cleared);
        for (int r = 0; r < img::ACTION_RECORDS; ++r) {
            uint8_t* record = image + img::eventActionsOf(r);
            const uint32_t category = actionCategory(img::getU16(record, 0));
            if (category == 0 || (co & category))
                std::memcpy(record, cleared, sizeof cleared);
            if (co & CLEAR_LIMITS)
                clearLimits(record);
        }
    }

    if (co & CLEAR_DELAYS)
        std::memset(image + img::delays, 0xFF, size_t(img::DELAYS) * 4);

    if (co & CLEAR_SUN) {
        for (int d = 0; d < SUN_DAYS; ++d) {
            img::putU16(image, img::sunTableOf(d), sunriseDefaults[d]);
            img::putU16(image, img::sunTableOf(d) + 2, sunsetDefaults[d]);
        }
        std::memset(image + img::sunTableOf(SUN_DAYS), 0xFF, size_t(img::SUN_ENTRIES - SUN_DAYS) * 4);
        img::putI32(image, img::timeZone, 1);
        img::putI32(image, img::longitude, 20);
        img::putI32(image, img::latitude, 50);
        img::putU16(image, img::sunEvents, 0xFFFF);
        img::putU16(image, img::dstEnable, 0);
    }

    if (co & CLEAR_DMX_OUT_EVENTS) {
        img::putU16(image, img::outEventLastChannel, 0xFFFF);
        img::putU16(image, img::outEventFirstChannel, 0xFFFF);
    }

    clearBesideImage(co);

    // A table that did not fit the image is newer than the image: rebuilding
    // it from there would bring back the last table that fitted and drop the
    // edits made since. Such a table is rebuilt only when this clear emptied
    // it; otherwise the clear is applied to it where it stands.
    if (programsPacked || (co & CLEAR_PROGRAMS)) {
        programs.unpackPrograms(image);
    } else if (co & CLEAR_CHAINS) {
        for (const auto& P : programs.list)
            for (const auto& S : P->steps)
                if (S)
                    S->event = -1;
    }
    if (eventsPacked || (co & ACTION_CATEGORIES) == ACTION_CATEGORIES)
        events.unpackEvents(image);
    else
        clearActionsInMemory(co);
    unpackTimers();
}

void kv310_controller_class::clearBesideImage(uint32_t co)
{
    if (!projectFileName.isNull())
        projectFileName = QString();
    if (!projectFileDate.isNull())
        projectFileDate = QString();
    if (co == CLEAR_ALL)
        clockCalibration = 0;

    if (co & CLEAR_DELAYS) {
        clearTexts(eventDescriptions, EVENT_DELAY_END, img::DELAYS);
        for (auto& list : sequenceDelays)
            list.clear();
        clearTexts(eventDescriptions, EVENT_SEQUENCE_START, img::SEQUENCES);
        startedDelays.clear();
    }

    const bool all = co & CLEAR_DESCRIPTIONS;
    if (all || (co & CLEAR_SCENE_DESCRIPTIONS))
        clearTexts(sceneDescriptions);
    if (all || (co & CLEAR_PROGRAM_DESCRIPTIONS))
        clearTexts(programDescriptions);
    if (all || (co & CLEAR_MASK_DESCRIPTIONS))
        clearTexts(maskDescriptions);
    if (all || (co & CLEAR_INPUTS)) {
        clearTexts(inputDescriptions);
        clearTexts(eventDescriptions, EVENT_INPUT, EVENT_COUNT - EVENT_INPUT);
    }
    if (all || (co & CLEAR_RCU)) {
        clearTexts(rcuKeyDescriptions);
        clearTexts(eventDescriptions, EVENT_RC_BUTTON, EVENT_INPUT - EVENT_RC_BUTTON);
    }
    if (all) {
        clearTexts(stateDescriptions);
        clearTexts(panelDescriptions);
    }
    if (all || (co & CLEAR_DMX_IN))
        clearTexts(eventDescriptions, EVENT_DMX_IN, EVENT_INTERNAL - EVENT_DMX_IN);
    if (all || (co & CLEAR_INTERNAL_EVENTS))
        clearTexts(eventDescriptions, EVENT_INTERNAL, EVENT_TIMER - EVENT_INTERNAL);
    if (all || (co & CLEAR_TIMERS))
        clearTexts(eventDescriptions, EVENT_TIMER, EVENT_DMX_OUT - EVENT_TIMER);
    if (all || (co & CLEAR_DMX_OUT_SETTINGS))
        clearTexts(eventDescriptions, EVENT_DMX_OUT, EVENT_DELAY_END - EVENT_DMX_OUT);
    if (all || (co & CLEAR_DELAYS))
        clearTexts(eventDescriptions, EVENT_DELAY_END, EVENT_RC_BUTTON - EVENT_DELAY_END);

    if (co & CLEAR_RCU) {
        rcuKeyCodes.fill(0xFF);
        rcuKeyDescriptions.fill(QString());
        rcuAddress = 0xFF;
    }

    // The visual project and the main window belong to the run, not to this
    // object: a scratch copy (another configuration opened to copy from)
    // leaves them alone.
    if ((co & CLEAR_VISUAL_PROJECT) && this == theController) {
        if (theMainWindow)
            theMainWindow->setProjectField(nullptr);
        if (theVisualProject) {
            theVisualProject->clear();
            theVisualProject->checkFixtures();
        }
    }
}

void kv310_controller_class::clearActionsInMemory(uint32_t co)
{
    for (int id = 0; id < EVENT_COUNT; ++id) {
        auto& list = events.lists[size_t(id)];
        if (!list)
            continue;
        if (co & actionCategory(unsigned(id))) {
            list.reset();
            continue;
        }
        if (co & CLEAR_LIMITS)
            for (const auto& a : *list)
                clearLimits(*a);
    }
    const int source = events.enablingSource;
    if (((co & CLEAR_INPUTS) && source >= 0 && source < img::INPUTS) || ((co & CLEAR_RCU) && source >= img::INPUTS))
        events.enablingSource = -1;
}
