// The active scenes turned into the show's own content: composing the
// compound pictures from the scenes, applying them back as scenes with the
// event actions that run them, and fixture groups of the sectors.

#include "editors/scenes/as_conf_widget.h"

#include "model/active_scenes.h"
#include "model/config_image.h"
#include "model/event_bookkeeping.h"
#include "model/events.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "model/v_project.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "widgets/my_time_edit.h"

#include <QCoreApplication>
#include <QSpinBox>

#include <array>
#include <cstring>

namespace {

constexpr int SECTORS = as_conf_widget::SECTORS;
constexpr int RANGES = as_conf_widget::RANGES;
constexpr int SCENES_PER_RANGE = 2 * SECTORS;
constexpr int FIRST_MOTION_STATE = 28;  // S29: motion in sector 1
constexpr int FIRST_RANGE_STATE = 52;   // S53: range 1 selected
constexpr uint16_t INFINITE = 0xFFFF;

// The state condition of an action: one of its four state words with the
// bits to clear (S5..S20 in word 0, two bits a state, S5 lowest).
struct stateCondition {
    int word = -1;
    uint32_t bits = 0;
};

// The motion state of sector i, set (STATE_WHEN_SET) or not (STATE_WHEN_UNSET).
stateCondition motionState(int sector, bool set)
{
    const int state = FIRST_MOTION_STATE + sector;  // 0-based S29..S52
    const int shift = 2 * ((state - 4) % 16);
    return {(state - 4) / 16, (set ? 1u : 3u) << shift};
}

stateCondition rangeState(int range, bool set)
{
    const int state = FIRST_RANGE_STATE + range;
    const int shift = 2 * ((state - 4) % 16);
    return {(state - 4) / 16, (set ? 1u : 3u) << shift};
}

struct activeSettings {
    int startScene;
    int startEvent;
    std::array<sectorRange, SECTORS> sectors;
    std::array<bool, SECTORS> inUse;

    int scene(int range, int sector, int mode) const
    {
        return startScene + SCENES_PER_RANGE * range + 2 * sector + mode;
    }
};

}  // namespace

bool reportActionError(QWidget* parent, int index)
{
    if (index >= 0)
        return false;
    showMessage(QMessageBox::Critical, parent, QCoreApplication::translate("as_conf_widget", "No enough memory!"),
                QCoreApplication::translate("as_conf_widget", "Cannot create necessary associations!"));
    return true;
}

void as_conf_widget::composeCompoundScens()
{
    composePictures();
    if (theMainWindow)
        theMainWindow->refreshVisiblePage();
}

void as_conf_widget::composePictures()
{
    if (theController)
        activeSceneRules::composePictures(*theController);
}

void as_conf_widget::applyActiveScenes()
{
    kv310_controller_class* c = theController;
    if (!c)
        return;
    uint8_t* image = c->configImage;
    activeSettings as;
    as.startScene = img::getU16(image, img::asStartScene);
    as.startEvent = img::getU16(image, img::asStartEvent);
    // The page offers and keeps nothing else (and disables "Apply" when
    // either is not set): every scene and event reached lies in its table.
    if (as.startScene >= START_SCENE_LIMIT || as.startEvent >= START_EVENT_LIMIT)
        return;
    for (int i = 0; i < SECTORS; ++i) {
        as.sectors[size_t(i)] = activeSectors::at(image, i);
        as.inUse[size_t(i)] = activeSectors::inUse(as.sectors[size_t(i)]);
    }

    for (int a = 0; a < SECTORS; ++a) {
        for (int b = a + 1; b < SECTORS; ++b) {
            if (!as.inUse[size_t(a)] || !as.inUse[size_t(b)])
                continue;
            const sectorRange& x = as.sectors[size_t(a)];
            const sectorRange& y = as.sectors[size_t(b)];
            if (x.from <= y.to && y.from <= x.to) {
                showMessage(QMessageBox::Critical, this, tr("Non separated ranges!"),
                            tr("Some ranges has shared channels.\nYou have to separate them!\nNothing is saved!"));
                return;
            }
        }
    }

    const uint16_t fadeUp = uint16_t(qBound(0, toTenths(fadeUpEdit->time()), 0xFFFF));
    const uint16_t fadeDown = uint16_t(qBound(0, toTenths(fadeDownEdit->time()), 0xFFFF));
    img::putU16(image, img::asFadeUp, fadeUp);
    img::putU16(image, img::asFadeDown, fadeDown);

    // Scenes: each range's block of 48 holds its sectors' cut-outs of the
    // two pictures, and nothing outside the sectors.
    for (int k = 0; k < RANGES; ++k) {
        std::memset(image + img::sceneChannelsOf(as.scene(k, 0, 0)), 0, size_t(img::CHANNELS) * SCENES_PER_RANGE);
        for (int i = 0; i < SECTORS; ++i) {
            if (!as.inUse[size_t(i)])
                continue;
            const sectorRange& s = as.sectors[size_t(i)];
            for (int mode = 0; mode < 2; ++mode) {
                const int scene = as.scene(k, i, mode);
                if (s.from <= s.to)
                    std::memcpy(image + img::sceneChannelsOf(scene) + s.from, &c->compoundScenes[k][mode][s.from],
                                size_t(s.to - s.from + 1));
                // Stored as they stand in every language: the controller's
                // show, not the desk, carries them.
                c->sceneDescriptions[size_t(scene)] =
                    (mode ? QStringLiteral("Active scene sector %1 of range %2 - in motion")
                          : QStringLiteral("Active scene sector %1 of range %2 - static"))
                        .arg(i + 1)
                        .arg(k + 1);
                fadeTimes times = fadeTimes::read(image + img::sceneTimesOf(scene));
                times.fadeUp = fadeUp;
                times.duration = INFINITE;
                times.fadeDown = fadeDown;
                times.write(image + img::sceneTimesOf(scene));
            }
        }
    }

    eventBookkeeping book(*c);
    const auto append = [&](int id, int type, int number, int sub, stateCondition condition) {
        const int at = c->events.appendAction(id);
        if (reportActionError(this, at))
            return false;
        uint32_t words[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
        if (condition.word >= 0)
            words[condition.word] &= ~condition.bits;
        c->events.setActionType(id, at, type);
        c->events.setNumber(id, at, number);
        c->events.setSubAction(id, at, sub);
        c->events.setStateLimits(id, at, 0xFF, words);
        book.changed(id, eventAction(), *c->events.action(id, at));
        return true;
    };

    // The two input events of every sector in use.
    for (int i = 0; i < SECTORS; ++i) {
        if (!as.inUse[size_t(i)])
            continue;
        const int on = EVENT_INPUT + 2 * i;
        const int off = on + 1;
        c->eventDescriptions[size_t(on)] = tr("Motion detected in sector %1").arg(i + 1);
        c->eventDescriptions[size_t(off)] = tr("Immobility in sector %1").arg(i + 1);
        book.removeAll(on);
        book.removeAll(off);
        if (!append(on, ACTION_SET_STATUS, FIRST_MOTION_STATE + i, SUB_ON, {})
            || !append(off, ACTION_SET_STATUS, FIRST_MOTION_STATE + i, SUB_OFF, {}))
            return;
        for (int k = 0; k < RANGES; ++k) {
            const stateCondition selected = rangeState(k, true);
            if (!append(on, ACTION_SCENE, as.scene(k, i, 1), SUB_ON, selected)
                || !append(on, ACTION_SCENE, as.scene(k, i, 0), SUB_OFF, selected)
                || !append(off, ACTION_SCENE, as.scene(k, i, 0), SUB_ON, selected)
                || !append(off, ACTION_SCENE, as.scene(k, i, 1), SUB_OFF, selected))
                return;
        }
    }

    // The internal event of every range: its state on, the others off, the
    // active scenes run, and each sector's scene as its motion state says.
    for (int k = 0; k < RANGES; ++k) {
        const int id = EVENT_INTERNAL + as.startEvent + k;
        c->eventDescriptions[size_t(id)] = tr("Active scenes control value changed to range %1").arg(k + 1);
        book.removeAll(id);
        for (int j = 0; j < RANGES; ++j) {
            const bool own = j == k;
            if (!append(id, ACTION_SET_STATUS, FIRST_RANGE_STATE + j, own ? SUB_ON : SUB_OFF, rangeState(j, !own)))
                return;
        }
        if (!append(id, ACTION_ACTIVE_SCENES, 0, SUB_OFF, {}))
            return;
        for (int i = 0; i < SECTORS; ++i) {
            if (!as.inUse[size_t(i)])
                continue;
            if (!append(id, ACTION_SCENE, as.scene(k, i, 1), SUB_ON, motionState(i, true))
                || !append(id, ACTION_SCENE, as.scene(k, i, 0), SUB_ON, motionState(i, false)))
                return;
        }
    }
    if (book.startedDelaysChanged() && theMainWindow)
        theMainWindow->refreshDelayEvents();
}

void as_conf_widget::createGroupsForAS()
{
    v_project* vp = theVisualProject;
    const uint8_t* image = theController ? theController->configImage : nullptr;
    if (!vp || !image)
        return;
    vp->removeRangeGroups();
    for (int i = 0; i < SECTORS; ++i) {
        const sectorRange s = activeSectors::at(image, i);
        if (!activeSectors::inUse(s))
            continue;
        // The project takes the group, or deletes it when no fixture fits.
        vp->groupFromRange(new efGroup(tr("Range_%1").arg(i + 1)), s.from, s.to);
    }
}
