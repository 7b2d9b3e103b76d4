#pragma once

#include <vector>

class kv310_controller_class;

// The two tables of 512-byte level records with a fadeTimes entry and a
// description each.
enum class recordTable { scenes, masks };

// What of each record a copy takes. The fourth word of fadeTimes is never
// copied: it belongs to the destination.
struct recordCopyParts {
    int levels = 512;         // the first `levels` channel levels; the others keep theirs
    bool fadeUp = true;
    bool duration = true;
    bool fadeDown = true;
    bool description = true;
};

// Copies records first..last (0-based) of `source` onto the records of
// `target` from `destination` on, as far as the table reaches. Source and
// target may be one controller object with overlapping ranges: every
// destination then receives what its source held before the copy began.
// Returns the number of records copied; a range outside the table, or one
// whose last record lies before its first, copies nothing.
int copyRecords(const kv310_controller_class& source, int first, int last, kv310_controller_class& target,
                int destination, recordTable table, const recordCopyParts& parts = {});

// One record of a copy by pairs.
struct recordPair {
    int source;
    int destination;
};

// Copies the source record of each pair onto its destination record, pair
// by pair. Pairs that name a record outside the table are passed over.
// Within one controller object every destination receives what its source
// held before the copy began, however the pairs share records. Returns the
// number of records copied.
int copyRecordPairs(const kv310_controller_class& source, const std::vector<recordPair>& pairs,
                    kv310_controller_class& target, recordTable table, const recordCopyParts& parts = {});
