#pragma once

#include <cstdint>

// Which sub-action each action type may have on which page. Word 12 × s + t
// belongs to sub-action s and type t: bits 0..6 allow it on the event page
// of that kind (0 inputs ... 6 DMX output), bit 7 on the sequence page,
// bit 8 also for the number "All".
extern const uint16_t actionRuleTable[12 * 12];

// Whether sub-action `sub` may go with `type` on the page of kind `pageKind`
// (0..6 the event pages, any other kind the sequence page). `value` is the
// number as the number editor shows it: 0 for "All", otherwise the number + 1.
bool isSubActionAllowed(int type, int value, int sub, int pageKind);
// The same for the page the main window shows in front.
bool isSubActionAllowed(int type, int value, int sub);
