#pragma once

#include <QList>

// The page kind of the sequence page; the event pages are 0..6.
constexpr int SEQUENCE_PAGE = 103;

// The sequence whose chain runs through event id: the one a sequence-start
// event starts, or the first whose delays include the delay a delay-end event
// ends; -1 for any other event.
int chainSequenceOf(int id);

// The positions, in the event's action list, of the actions shown as rows,
// in row order. Every action is shown, except on the sequence page the links
// of the sequence's own chain (Delay-Start actions of delays that belong to
// the sequence of the event), which the sequence table manages.
QList<int> shownActions(int pageKind, int id);
