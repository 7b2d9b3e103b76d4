#pragma once

#include "event_bookkeeping.h"

#include <cstdint>

class kv310_controller_class;

// The chain of one sequence. A sequence has no record of its own: its steps
// are the delays listed in `sequenceDelays`[q], each owned by q (bits 20..31
// of its delay word), started one after the other by a link action (Delay,
// Start) on the event before it: the start of the sequence starts the first
// delay, the end of each delay the next one. The actions of step k belong to
// the event that starts its delay; those of the last delay's end make the
// "finish" row. Row r of the table is step r for r < length(), the finish
// row for r == length().
//
// Every edit keeps the delay words, sequenceDelays, startedDelays and the
// events table in step, the last two through eventBookkeeping. The list never
// holds a step without a delay: when the delays run out the sequence grows
// only as far as they reach.
//
// Make one for each operation, as eventBookkeeping:
//
//     sequenceChain chain(*theController, q);
//     if (chain.insertStep(row) == sequenceChain::noFreeDelay) ...
class sequenceChain {
public:
    enum result { done, ignored, noFreeDelay };

    // The word of a delay that belongs to no sequence and has no time.
    static constexpr uint32_t FREE_WORD = 0xFFFFFFFF;
    // The time a new step starts with: 0.1 s.
    static constexpr uint32_t NEW_STEP_TIME = 1;

    sequenceChain(kv310_controller_class& controller, int sequence);

    int length() const;
    // The delay of step k; -1 for a row without one.
    int delayOf(int step) const;
    // The event whose actions belong to row r: the start of the sequence
    // for row 0, the end of the delay before it for rows 1..length(); -1
    // for any other row and for a sequence without steps.
    int rowEvent(int row) const;

    // Makes the sequence n steps long (0..512). Steps leave from the end, and
    // the finish actions follow the end of the chain either way. Returns the
    // length reached, below n when no further delay was free.
    int setLength(int n);
    // A new empty step of 0.1 s before step `row`, which follows it with its
    // actions. Ignored on the finish row and outside the steps.
    result insertStep(int row);
    // Removes step `row` with its actions; the next row's actions take its
    // place. Ignored on the finish row and outside the steps.
    result deleteStep(int row);
    // Switches off, at the beginning of row `row`, the scenes and programs
    // that the row before switched on, where the row does not already do so.
    // Returns the number of actions added.
    int finishPreviousStep(int row);
    // Stores the time of step `row` (1..863999 tenths); the owner stays.
    bool setStepTime(int row, uint32_t tenths);

    bool startedDelaysChanged() const { return book.startedDelaysChanged(); }

private:
    // Gives `starter` a link action that starts delay d; d is then listed
    // as started.
    void link(int starter, int d);
    // The actions of `from` replace those of `to`, whose own go with their
    // consequences for the derived lists.
    void moveActions(int from, int to);
    void freeDelay(int d);

    kv310_controller_class& c;
    int q;
    eventBookkeeping book;
};
