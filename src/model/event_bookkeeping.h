#pragma once

#include "config_image.h"

class kv310_controller_class;

// Keeps what is derived from the action lists in step with them while they
// are edited: the controller's `startedDelays` (the delay of every Delay-Start
// action, once per action) and the events table's `enablingSource` (the one
// input or remote-control button that carries Enabling actions). Every editor
// that changes actions goes through it: the action table's cell editors, the
// action panel, the sequence table and the active scenes.
//
// The object holds nothing but the controller reference and a flag, so make
// one for each operation:
//
//     eventBookkeeping book(*theController);
//     book.remove(id, i);
//     if (book.startedDelaysChanged())
//         emit forceRefresh();
class eventBookkeeping {
public:
    explicit eventBookkeeping(kv310_controller_class& controller);

    // ---- What an action or a delay is ----

    // An action of type Delay with sub-action Start and a single delay
    // (0..511) as its number.
    static bool isDelayStart(const eventAction& a);
    // The sequence 0..127 that owns delay d; -1 for a free delay and for a
    // number that is no delay (such as "all delays").
    int delayOwner(int d) const;
    // A Delay-Start action of a delay owned by a sequence. The action editors
    // neither edit, delete, paste nor produce such an action; only the
    // sequence table does.
    bool isLocked(const eventAction& a) const;
    // Whether any of the 512 delays is owned by a sequence.
    bool anyDelayOwned() const;
    // The lowest delay that no action starts; -1 when every delay is started.
    int firstFreeDelay() const;

    // The enabling source an event belongs to: input n (0..23) for both of its
    // events, 24 + b for the three events of remote-control button b; -1 for
    // every other event.
    static int enablingSourceOf(int id);
    // Whether any event of the source holds an Enabling action.
    bool sourceHasEnabling(int source) const;

    // ---- Changes of the lists ----

    // Call after action `after` of event id was changed in place from
    // `before` (type, number or sub-action): a delay that stopped being
    // started leaves startedDelays (its first entry), a newly started one is
    // appended, and a source left without Enabling actions is released.
    void changed(int id, const eventAction& before, const eventAction& after);
    // Removes action i of event id (0, or -1 when there is none), keeping
    // both lists; removeAll removes every action of the event.
    int remove(int id, int i);
    void removeAll(int id);
    // Inserts a copy of record into event id at pos, as
    // eventTable::insertActionCopy does, and lists a delay it starts. An
    // Enabling action goes only where it can run: an event of an enabling
    // source whose role is free (it is then taken) or already its own.
    // Returns the number of actions - 1; -1 when nothing could be inserted,
    // -2 when an Enabling action was refused (nothing inserted).
    int insertCopy(int id, int pos, const eventAction& record);

    // Whether startedDelays changed through this object: the delay page then
    // has to reload.
    bool startedDelaysChanged() const { return startedChanged; }

private:
    void dropStarted(int d);
    void addStarted(int d);
    void releaseIfUnused(int source);

    kv310_controller_class& c;
    bool startedChanged = false;
};
