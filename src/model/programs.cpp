#include "programs.h"

#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "config_image.h"
#include "globals.h"
#include "kv310_controller.h"
#include "time_codes.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>

// ---- stepClipEntry ----------------------------------------------------------------

namespace {

void copyStepContent(programStep& to, const programStep& from)
{
    to.scene = from.scene;
    to.fadeUp = from.fadeUp;
    to.duration = from.duration;
    to.fadeDown = from.fadeDown;
    to.infinite = from.infinite;
}

} // namespace

stepClipEntry::stepClipEntry(int fromRow, const programStep& from) : row(fromRow)
{
    copyStepContent(step, from);
}

stepClipEntry::stepClipEntry(const stepClipEntry& other) : row(other.row)
{
    copyStepContent(step, other.step);
}

stepClipEntry& stepClipEntry::operator=(const stepClipEntry& other)
{
    row = other.row;
    copyStepContent(step, other.step);
    step.event = -1;
    return *this;
}

// ---- programRecord ----------------------------------------------------------------

programRecord::programRecord(int programNumber) : number(programNumber) {}

programRecord::~programRecord() = default;

programStep* programRecord::step(int i) const
{
    if (i < 0 || i >= inUse || size_t(i) >= steps.size())
        return nullptr;
    return steps[size_t(i)].get();
}

void programRecord::removeStep(int i)
{
    if (i >= 0 && size_t(i) < steps.size())
        steps.erase(steps.begin() + i);
    inUse = int(steps.size());
}

void programRecord::insertStep(int i, std::unique_ptr<programStep> s)
{
    if (s) {
        if (i <= 0)
            steps.insert(steps.begin(), std::move(s));
        else if (size_t(i) >= steps.size())
            steps.push_back(std::move(s));
        else
            steps.insert(steps.begin() + i, std::move(s));
    }
    inUse = int(steps.size());
}

int programRecord::appendStep(std::unique_ptr<programStep> s)
{
    if (!s)
        return -1;
    steps.push_back(std::move(s));
    ++inUse;
    return 0;
}

void programRecord::setStepCount(int n)
{
    n = std::max(n, 0);
    while (steps.size() < size_t(n))
        steps.push_back(std::make_unique<programStep>());
    inUse = n;
}

void programRecord::clear()
{
    steps.clear();
    inUse = 0;
}

void programRecord::timesFromScenes()
{
    if (steps.empty() || inUse == 0 || !theController)
        return;
    const uint8_t* image = theController->configImage;
    for (int i = 0; i < inUse; ++i) {
        programStep* s = step(i);
        // A scene number beyond the scenes has no times to take.
        if (!s || s->scene >= img::SCENES)
            continue;
        const fadeTimes t = fadeTimes::read(image + img::sceneTimesOf(s->scene));
        s->fadeUp = fromTenths(t.fadeUp);
        if (t.duration == 0xFFFF) {
            s->infinite = true;
        } else {
            s->duration = fromTenths(t.duration);
            s->infinite = false;
        }
        if (i == inUse - 1 && recurrences != 0)
            s->fadeDown = fromTenths(t.fadeDown);
    }
}

// ---- programTable: records and steps ----------------------------------------------

programTable::programTable() = default;
programTable::~programTable() = default;

programRecord* programTable::appendProgram(std::unique_ptr<programRecord> program)
{
    if (!program)
        return nullptr;
    list.push_back(std::move(program));
    return list.back().get();
}

void programTable::clear()
{
    list.clear();
}

programRecord* programTable::findProgram(int P) const
{
    for (const auto& p : list)
        if (p->number == P)
            return p.get();
    return nullptr;
}

int programTable::setRecurrences(int P, int r)
{
    programRecord* p = findProgram(P);
    if (!p)
        return -1;
    p->recurrences = uint16_t(r);
    return 0;
}

int programTable::recurrences(int P) const
{
    const programRecord* p = findProgram(P);
    return p ? p->recurrences : 1;
}

void programTable::setStepCount(int P, int n)
{
    if (P < 0 || P >= img::PROGRAM_SLOTS)
        return;
    programRecord* p = findProgram(P);
    if (!p)
        p = appendProgram(std::make_unique<programRecord>(P));
    p->setStepCount(n);
}

int programTable::stepCount(int P) const
{
    const programRecord* p = findProgram(P);
    return p ? p->stepCount() : -1;
}

void programTable::removeStep(int P, int S)
{
    if (programRecord* p = findProgram(P))
        p->removeStep(S);
}

void programTable::insertStep(int P, int S)
{
    programRecord* p = findProgram(P);
    if (!p)
        return;
    p->insertStep(S, std::make_unique<programStep>());
    while (p->stepCount() > img::MAX_PROGRAM_STEPS)
        p->removeStep(img::MAX_PROGRAM_STEPS);
}

programStep* programTable::step(int P, int S) const
{
    const programRecord* p = findProgram(P);
    return p ? p->step(S) : nullptr;
}

int programTable::setFadeUp(int P, int S, const QTime& t)
{
    programStep* s = step(P, S);
    if (!s)
        return -1;
    s->fadeUp = t;
    return 0;
}

int programTable::setDuration(int P, int S, const QTime& t)
{
    programStep* s = step(P, S);
    if (!s)
        return -1;
    s->duration = t;
    s->infinite = false;
    return 0;
}

int programTable::setFadeDown(int P, int S, const QTime& t)
{
    programStep* s = step(P, S);
    if (!s)
        return -1;
    s->fadeDown = t;
    return 0;
}

QTime programTable::fadeUp(int P, int S) const
{
    const programStep* s = step(P, S);
    return s ? s->fadeUp : QTime(0, 0);
}

QTime programTable::duration(int P, int S) const
{
    const programStep* s = step(P, S);
    return s ? s->duration : QTime(0, 0);
}

QTime programTable::fadeDown(int P, int S) const
{
    const programStep* s = step(P, S);
    return s ? s->fadeDown : QTime(0, 0);
}

programStep* programTable::setInfinite(int P, int S)
{
    programStep* s = step(P, S);
    if (s)
        s->infinite = true;
    return s;
}

bool programTable::isInfinite(int P, int S) const
{
    const programStep* s = step(P, S);
    return s && s->infinite;
}

bool programTable::setStep(int P, int S, const programStep& from)
{
    programStep* s = step(P, S);
    if (!s)
        return false;
    copyStepContent(*s, from);
    return true;
}

bool programTable::getStep(int P, int S, programStep& to) const
{
    const programStep* s = step(P, S);
    if (!s)
        return false;
    copyStepContent(to, *s);
    return true;
}

int programTable::setStepEvent(int P, int S, int e)
{
    programStep* s = step(P, S);
    if (!s)
        return -1;
    s->event = int16_t(e);
    return 0;
}

int programTable::stepEvent(int P, int S) const
{
    const programStep* s = step(P, S);
    return s ? int(uint16_t(s->event)) : -1;
}

int programTable::setScene(int P, int S, int sc)
{
    programStep* s = step(P, S);
    if (!s)
        return -1;
    s->scene = uint16_t(sc);
    return 0;
}

int programTable::scene(int P, int S) const
{
    const programStep* s = step(P, S);
    return s ? int(s->scene) : -1;
}

// ---- Packing ----------------------------------------------------------------------

namespace {

// A time as a 16-bit code no larger than `max`: longer times are kept at
// the longest one the field holds instead of wrapping into another value
// (or into one of the step markers).
uint16_t timeCode(const QTime& t, uint16_t max)
{
    return uint16_t(std::min(toTenths(t), int(max)));
}

constexpr uint16_t MAX_FADE = 0xFFFF;
constexpr uint16_t MAX_DURATION = 0xFFFE;  // 0xFFFF is infinite
constexpr uint16_t MAX_LAST_FADE_DOWN = 0xFFFD;  // 0xFFFE, 0xFFFF are markers

void writeEmptySlot(uint8_t* image, int j, bool extraSlot)
{
    img::putU16(image, img::programStepCountOf(j), 0);
    img::putU32(image, img::programStartAddressOf(j), img::NONE32);
    img::putU16(image, img::programRecurrencesOf(j), 1);
    if (extraSlot) {
        img::putU16(image, img::programChainEventOf(j), img::NONE16);
        img::putU32(image, img::programEntryInfoOf(j), img::NONE32);
    }
}

} // namespace

int programTable::packPrograms(uint8_t* image) const
{
    const extraEntryList* extras = owner ? &owner->extraEntries : nullptr;
    const int n = extras ? int(std::min(extras->size(), size_t(img::PROGRAM_SLOTS))) : 0;
    const int limit = img::PROGRAM_SLOTS - n;

    // The program of each slot (the first of its number) and the step
    // records it needs, counted before anything is written: programs that
    // do not fit leave the image as it was, with no program half written
    // and no start address pointing at another program's steps.
    std::array<const programRecord*, img::PROGRAM_SLOTS> bySlot{};
    for (const auto& p : list)
        if (p->number >= 0 && p->number < img::PROGRAM_SLOTS && !bySlot[size_t(p->number)])
            bySlot[size_t(p->number)] = p.get();
    std::array<int, img::PROGRAM_SLOTS> packed{};
    int total = 0;
    for (int j = 0; j < limit; ++j) {
        const programRecord* P = bySlot[size_t(j)];
        if (!P)
            continue;
        const int c = std::min(P->stepCount(), img::MAX_PROGRAM_STEPS);
        for (int k = 0; k < c; ++k)
            packed[size_t(j)] += P->step(k) != nullptr;
        total += packed[size_t(j)];
    }
    if (total > img::STEP_RECORDS) {
        showMessage(QMessageBox::Critical, theMainWindow, QCoreApplication::translate("programTable", "Warning!"),
                    QCoreApplication::translate("programTable", "Program steps limit exceed!"), QMessageBox::Ok);
        return -1;
    }

    std::array<uint32_t, img::PROGRAM_SLOTS> start{};
    int g = 0;
    for (int j = 0; j < limit; ++j) {
        img::putU32(image, img::programEntryInfoOf(j), img::NONE32);
        const programRecord* P = bySlot[size_t(j)];
        const int c = packed[size_t(j)];
        if (!P || c == 0) {
            // The program page edits chain event and break time in the image.
            writeEmptySlot(image, j, false);
            continue;
        }
        start[size_t(j)] = img::STEP_ADDRESS_BASE + 8u * uint32_t(g);
        img::putU32(image, img::programStartAddressOf(j), start[size_t(j)]);
        img::putU16(image, img::programRecurrencesOf(j), P->recurrences);
        img::putU16(image, img::programStepCountOf(j), uint16_t(c));
        const int inUse = std::min(P->stepCount(), img::MAX_PROGRAM_STEPS);
        int written = 0;
        for (int k = 0; k < inUse; ++k) {
            const programStep* S = P->step(k);
            if (!S)
                continue;
            stepRecord r;
            r.scene = S->scene;
            r.fadeUp = timeCode(S->fadeUp, MAX_FADE);
            r.duration = S->infinite ? 0xFFFF : timeCode(S->duration, MAX_DURATION);
            if (++written < c)
                r.fadeDown = stepRecord::NOT_LAST;
            else if (P->recurrences != 0)
                r.fadeDown = timeCode(S->fadeDown, MAX_LAST_FADE_DOWN);
            else
                r.fadeDown = stepRecord::ENDLESS_LAST;
            img::putU16(image, img::stepEventsOf(g), uint16_t(S->event));
            r.write(image + img::programStepsOf(g));
            ++g;
        }
    }

    if (img::getU16(image, img::firstExtraSlot) <= img::PROGRAM_SLOTS)
        img::putU16(image, img::firstExtraSlot, uint16_t(limit));

    // An extra entry plays steps its source program has in the image; one
    // whose source is missing, not packed or too short becomes an empty slot.
    for (int j = limit; j < img::PROGRAM_SLOTS; ++j) {
        const extraEntry* E = (*extras)[size_t(img::PROGRAM_SLOTS - 1 - j)].get();
        const bool valid = E && E->program < limit && packed[E->program] > E->fromStep;
        if (!valid) {
            writeEmptySlot(image, j, true);
            continue;
        }
        img::putU16(image, img::programStepCountOf(j), uint16_t(packed[E->program] - E->fromStep));
        img::putU32(image, img::programStartAddressOf(j), start[E->program] + 8u * E->fromStep);
        img::putU16(image, img::programChainEventOf(j), img::NONE16);
        img::putU16(image, img::programRecurrencesOf(j), 1);
        entryInfo{E->program, E->fromStep}.write(image + img::programEntryInfoOf(j));
    }
    return 0;
}

int programTable::unpackPrograms(uint8_t* image)
{
    clear();
    extraEntryList* extras = owner ? &owner->extraEntries : nullptr;
    if (extras)
        extras->clear();

    // Leading extra slots without a source program are dropped.
    const int firstExtra = img::getU16(image, img::firstExtraSlot);
    int E = std::min(firstExtra, img::PROGRAM_SLOTS);
    while (E < img::PROGRAM_SLOTS && entryInfo::read(image + img::programEntryInfoOf(E)).program == 0xFFFF)
        ++E;
    if (firstExtra <= img::PROGRAM_SLOTS && firstExtra < E)
        img::putU16(image, img::firstExtraSlot, uint16_t(E));

    std::array<const programRecord*, img::PROGRAM_SLOTS> bySlot{};
    for (int j = 0; j < E; ++j) {
        const uint32_t address = img::getU32(image, img::programStartAddressOf(j));
        if (address == img::NONE32)
            continue;
        const int count = img::getU16(image, img::programStepCountOf(j));
        const int c = std::min(count, img::MAX_PROGRAM_STEPS);
        const uint32_t offset = address - img::STEP_ADDRESS_BASE;
        int g = int((offset & 0xFFFFFF) / 8);
        const bool readable = offset <= 0xFFFF && count <= 8191;

        programRecord* P = appendProgram(std::make_unique<programRecord>(j));
        bySlot[size_t(j)] = P;
        P->recurrences = img::getU16(image, img::programRecurrencesOf(j));
        bool lastRead = false;
        // A step with a scene beyond the scenes ends the program, and so does
        // the end of the step records (a start address near their end).
        for (int k = 0; k < c && readable && g < img::STEP_RECORDS; ++k, ++g) {
            const stepRecord r = stepRecord::read(image + img::programStepsOf(g));
            if (r.scene >= img::SCENES)
                break;
            auto s = std::make_unique<programStep>();
            s->scene = r.scene;
            s->infinite = false;
            s->event = int16_t(img::getU16(image, img::stepEventsOf(g)));
            if (r.fadeUp == 0 && r.duration == 0 && r.fadeDown == 0) {
                s->fadeUp = QTime(0, 0);
                s->duration = QTime(0, 0, 1);
                s->fadeDown = QTime(0, 0);
            } else {
                s->fadeUp = fromTenths(r.fadeUp);
                s->duration = fromTenths(r.duration);
                s->fadeDown = fromTenths(r.fadeDown);
                if (r.duration == 0xFFFF) {
                    s->infinite = true;
                    s->duration = QTime(0, 0);
                }
            }
            if (k == c - 1) {
                lastRead = true;
                if (r.fadeDown == stepRecord::ENDLESS_LAST) {
                    P->recurrences = 0;
                    s->fadeDown = QTime(0, 0);
                } else {
                    if (P->recurrences < 1 || P->recurrences > 100)
                        P->recurrences = 1;
                    if (r.fadeDown == stepRecord::NOT_LAST)
                        s->fadeDown = QTime(0, 0);
                }
            }
            P->appendStep(std::move(s));
        }
        // A program cut short keeps its runs only when they make sense.
        if (!lastRead && P->recurrences > 100)
            P->recurrences = 1;
    }

    if (extras) {
        for (int j = img::PROGRAM_SLOTS - 1; j >= E; --j) {
            const entryInfo info = entryInfo::read(image + img::programEntryInfoOf(j));
            auto entry = std::make_unique<extraEntry>();
            entry->slot = uint16_t(j);
            const programRecord* source = info.program < E ? bySlot[info.program] : nullptr;
            if (source && info.fromStep < source->stepCount()) {
                entry->program = info.program;
                entry->fromStep = info.fromStep;
            } else {
                entry->program = 0xFFFF;
                entry->fromStep = 0xFFFF;
            }
            extras->push_back(std::move(entry));
        }
    }
    return 0;
}
