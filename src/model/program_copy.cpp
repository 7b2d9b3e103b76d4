#include "model/program_copy.h"

#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/record_copy.h"
#include "model/time_codes.h"
#include "seams/dialog_seam.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr int NOT_MAPPED = -1;
constexpr uint32_t STEP_AREA = 8u * uint32_t(img::STEP_RECORDS);

// What a copy changes before its end, kept so that it can be put back.
struct copyUndo {
    std::vector<std::unique_ptr<programRecord>> programs;
    std::array<uint16_t, img::PROGRAM_SLOTS> breakTimes{};

    explicit copyUndo(const kv310_controller_class& show)
    {
        programs.reserve(show.programs.list.size());
        for (const auto& p : show.programs.list) {
            auto copy = std::make_unique<programRecord>(p->number);
            copy->recurrences = p->recurrences;
            copy->steps.reserve(p->steps.size());
            for (const auto& s : p->steps)
                copy->steps.push_back(std::make_unique<programStep>(*s));
            copy->setStepCount(p->stepCount());
            programs.push_back(std::move(copy));
        }
        for (int p = 0; p < img::PROGRAM_SLOTS; ++p)
            breakTimes[size_t(p)] = img::getU16(show.configImage, img::programBreakTimeOf(p));
    }

    void restore(kv310_controller_class& show)
    {
        show.programs.list = std::move(programs);
        for (int p = 0; p < img::PROGRAM_SLOTS; ++p)
            img::putU16(show.configImage, img::programBreakTimeOf(p), breakTimes[size_t(p)]);
    }
};

enum class answer { go, quiet, cancel };

// A three-button question of the copy: the first button goes on, the
// second goes on and silences the rest, anything else cancels.
answer ask(QWidget* parent, const QString& text, const QString& goButton)
{
    const int a = askQuestion(QMessageBox::Question, parent, programCopy::tr("Some problems"), text,
                              {goButton, programCopy::tr("Supress warnings"), programCopy::tr("Cancel")}, 0, 2);
    return a == 0 ? answer::go : a == 1 ? answer::quiet : answer::cancel;
}

programCopy::result copyPrograms(kv310_controller_class& show, const kv310_controller_class& sceneSource,
                                 const std::vector<copySourceProgram>& sources, const programCopyRequest& r)
{
    copyUndo undo(show);
    int pool = r.pool;
    std::vector<recordPair> scenes;
    std::vector<int> mapped(0x10000, NOT_MAPPED);
    bool warnings = true;
    std::vector<bool> copied(sources.size(), false);

    for (size_t k = 0; k < sources.size(); ++k) {
        const copySourceProgram& source = sources[k];
        const int s = r.first + int(k);
        const int d = r.destination + int(k);
        if (source.status != copySourceProgram::present) {
            if (!warnings)
                continue;
            const QString text = source.status == copySourceProgram::damaged
                                     ? programCopy::tr("Source program %1 is damaged!").arg(s + 1)
                                     : programCopy::tr("Source program %1 does not exist!").arg(s + 1);
            const answer a = ask(r.messageParent, text, programCopy::tr("Skip"));
            if (a == answer::cancel) {
                undo.restore(show);
                return programCopy::cancelled;
            }
            warnings = warnings && a == answer::go;
            continue;
        }

        programRecord* target = show.programs.findProgram(d);
        if (target && target->stepCount() > 0 && warnings) {
            const answer a = ask(r.messageParent, programCopy::tr("Destination program %1 does exist!").arg(d + 1),
                                 programCopy::tr("Overwrite"));
            if (a == answer::cancel) {
                undo.restore(show);
                return programCopy::cancelled;
            }
            warnings = a == answer::go;
        }
        if (target)
            target->clear();
        else
            target = show.programs.appendProgram(std::make_unique<programRecord>(d));
        target->recurrences = source.recurrences;

        for (const programStep& from : source.steps) {
            auto step = std::make_unique<programStep>(from);
            if (r.copyScenes) {
                int& to = mapped[from.scene];
                if (to == NOT_MAPPED) {
                    to = pool++;
                    scenes.push_back({int(from.scene), to});
                }
                step->scene = uint16_t(to);
            }
            if (r.reverse)
                target->insertStep(0, std::move(step));
            else
                target->appendStep(std::move(step));
        }
        if (source.hasFinalFadeDown && target->stepCount() > 0)
            target->step(target->stepCount() - 1)->fadeDown = source.finalFadeDown;

        if (pool > img::SCENES) {
            showMessage(QMessageBox::Information, r.messageParent, programCopy::tr("Unrealisable action!"),
                        programCopy::tr("Scene number limit exceeded!"));
            undo.restore(show);
            return programCopy::cancelled;
        }
        img::putU16(show.configImage, img::programBreakTimeOf(d), source.breakTime);
        copied[k] = true;
    }

    if (r.copyScenes) {
        recordCopyParts parts;
        parts.levels = img::CHANNELS;
        parts.fadeUp = parts.duration = parts.fadeDown = false;
        copyRecordPairs(sceneSource, scenes, show, recordTable::scenes, parts);
    }
    // A source passed over leaves its destination as it was, description
    // and chained event included.
    for (size_t k = 0; k < sources.size(); ++k) {
        if (!copied[k])
            continue;
        const int d = r.destination + int(k);
        show.programDescriptions[size_t(d)] = sources[k].description;
        img::putU16(show.configImage, img::programChainEventOf(d), sources[k].chainEvent);
    }
    show.programs.packPrograms(show.configImage);
    return programCopy::copied;
}

// The destinations must stay below the last program slot offered.
bool destinationsFit(const programCopyRequest& r)
{
    const int n = r.last - r.first + 1;
    if (r.destination >= 0 && r.destination + qMax(n, 0) <= r.programSlots - 1)
        return true;
    showMessage(QMessageBox::Information, r.messageParent, programCopy::tr("Unrealisable action!"),
                programCopy::tr("Program number limit exceeded!"));
    return false;
}

} // namespace

copySourceProgram readPackedProgram(const uint8_t* image, int program)
{
    copySourceProgram out;
    if (program < 0 || program >= img::PROGRAM_SLOTS)
        return out;
    const uint32_t offset = img::getU32(image, img::programStartAddressOf(program)) - img::STEP_ADDRESS_BASE;
    out.breakTime = img::getU16(image, img::programBreakTimeOf(program));
    out.chainEvent = img::getU16(image, img::programChainEventOf(program));
    if (offset >= 0x10000)
        return out;
    out.status = copySourceProgram::present;
    out.recurrences = img::getU16(image, img::programRecurrencesOf(program));
    const int count = qMin(int(img::getU16(image, img::programStepCountOf(program))), img::MAX_PROGRAM_STEPS);
    out.steps.reserve(size_t(count));
    uint32_t g = offset / 8;
    for (int k = 0; k < count; ++k, ++g) {
        if (8u * g >= STEP_AREA) {
            out.status = copySourceProgram::damaged;
            break;
        }
        const stepRecord record = stepRecord::read(image + img::programStepsOf(int(g)));
        if (record.scene >= img::SCENES) {
            out.status = copySourceProgram::damaged;
            break;
        }
        programStep step;
        step.scene = record.scene;
        step.fadeUp = fromTenths(record.fadeUp);
        step.duration = fromTenths(record.duration);
        step.infinite = record.duration == 0xFFFF;
        step.fadeDown = QTime(0, 0);
        step.event = int16_t(img::getU16(image, img::stepEventsOf(int(g))));
        out.steps.push_back(step);
        if (record.fadeDown == stepRecord::ENDLESS_LAST) {
            out.recurrences = 0;
            break;
        }
        if (record.fadeDown != stepRecord::NOT_LAST) {
            out.hasFinalFadeDown = true;
            out.finalFadeDown = fromTenths(record.fadeDown);
            if (out.recurrences == 0)
                out.recurrences = 1;
            break;
        }
    }
    if (out.status == copySourceProgram::damaged) {
        out.steps.clear();
        out.hasFinalFadeDown = false;
    }
    // Runs the program page could not show are taken as one run.
    if (out.recurrences > 100)
        out.recurrences = 1;
    return out;
}

std::vector<copySourceProgram> packedSources(const kv310_controller_class& other, int first, int last)
{
    std::vector<copySourceProgram> out;
    for (int p = qMax(first, 0); p <= last && p < img::PROGRAM_SLOTS; ++p) {
        out.push_back(readPackedProgram(other.configImage, p));
        out.back().description = other.programDescriptions[size_t(p)];
    }
    return out;
}

std::vector<copySourceProgram> tableSources(const kv310_controller_class& show, int first, int last)
{
    std::vector<copySourceProgram> out;
    for (int p = qMax(first, 0); p <= last && p < img::PROGRAM_SLOTS; ++p) {
        copySourceProgram source;
        source.breakTime = img::getU16(show.configImage, img::programBreakTimeOf(p));
        source.chainEvent = img::getU16(show.configImage, img::programChainEventOf(p));
        source.description = show.programDescriptions[size_t(p)];
        if (const programRecord* program = show.programs.findProgram(p)) {
            source.status = copySourceProgram::present;
            source.recurrences = program->recurrences;
            for (int i = 0; i < program->stepCount(); ++i)
                if (const programStep* step = program->step(i))
                    source.steps.push_back(*step);
            if (!source.steps.empty()) {
                source.hasFinalFadeDown = true;
                source.finalFadeDown = source.steps.back().fadeDown;
            }
        }
        out.push_back(std::move(source));
    }
    return out;
}

programCopy::result programCopy::withinShow(kv310_controller_class& show, const programCopyRequest& r)
{
    if (r.destination == r.first) {
        showMessage(QMessageBox::Information, r.messageParent, tr("Useless action!"), tr("Choose another source!"));
        return refused;
    }
    if (!destinationsFit(r))
        return refused;
    const int n = r.last - r.first + 1;
    const int d = r.destination;
    const bool overlapping = (r.first <= d && d <= r.last) || (r.first < d + n && d + n < r.last);
    if (overlapping
        && askQuestion(QMessageBox::Question, r.messageParent, tr("You are warned!"),
                       tr("Ranges are overlapping!\nDo you really want to copy?"), {tr("Cancel"), tr("Yes, I do!")}, 0,
                       0) != 1)
        return refused;
    return copyPrograms(show, show, tableSources(show, r.first, r.last), r);
}

programCopy::result programCopy::fromOther(const kv310_controller_class& other, kv310_controller_class& show,
                                           const programCopyRequest& request)
{
    if (!destinationsFit(request))
        return refused;
    programCopyRequest r = request;
    // Another configuration's scenes always go to the pool: its scene
    // numbers mean nothing in this show.
    r.copyScenes = true;
    return copyPrograms(show, other, packedSources(other, r.first, r.last), r);
}
