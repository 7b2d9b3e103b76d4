#pragma once

#include "config_image.h"

#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class kv310_controller_class;

// One numbering of every event source, ids 0..4975.
enum eventKind : int {
    EVENT_DMX_IN = 0x000,          // 2n on, 2n + 1 off, DMX input channel n (0..511)
    EVENT_INTERNAL = 0x400,        // internal event n (0..1023)
    EVENT_POWER_ON = 0x400,
    EVENT_TIMER = 0x800,           // timer n (0..1023)
    EVENT_SUNRISE = 0x800,
    EVENT_SUNSET = 0x801,
    EVENT_DMX_OUT = 0xC00,         // 2n on, 2n + 1 off, DMX output channel n (0..511)
    EVENT_DELAY_END = 0x1000,      // end of delay n (0..511)
    EVENT_SEQUENCE_START = 0x1200, // start of sequence n (0..127)
    EVENT_RC_BUTTON = 0x1280,      // 3n pressed, 3n + 1 repeated, 3n + 2 released, button n (0..63)
    EVENT_INPUT = 0x1340,          // 2n on, 2n + 1 off, input n (0..23)
    EVENT_COUNT = 4976
};

enum eventActionType : int {
    ACTION_SCENE = 0,
    ACTION_PROGRAM = 1,
    ACTION_ENABLING = 2,
    ACTION_SET_STATUS = 3,
    ACTION_SAVE_SHOW = 4,
    ACTION_DELAY = 5,
    ACTION_SEQUENCE = 6,
    ACTION_MASK = 7,
    ACTION_DMX_TRANSMISSION = 8,
    ACTION_MSG_FOR_PANEL = 9,
    ACTION_ACTIVE_SCENES = 10,
    ACTION_SELF_PROGRAMMING = 11
};

// For ACTION_ENABLING: SUB_ON enables, SUB_TOGGLE toggles, SUB_OFF disables.
enum eventSubAction : int {
    SUB_ON = 0,
    SUB_NEXT_STEP = 1,
    SUB_TOGGLE = 2,
    SUB_FREEZE = 3,
    SUB_OFF = 4,
    SUB_UNFREEZE = 5,
    SUB_EXCLUSIVE_ON = 6,
    SUB_RESTART = 7,
    SUB_INCREASE = 8,
    SUB_DECREASE = 9,
    SUB_SET_LEVEL = 10,
    SUB_PREV_STEP = 11
};

constexpr uint16_t ACTION_NUMBER_ALL = 0x8000;

// daytimeLimit bytes: 0..144 time of day in 10-minute units, or one of these.
constexpr uint8_t DAYTIME_NONE = 0xFF;
constexpr uint8_t DAYTIME_DAYNIGHT = 0xFE;
constexpr uint8_t DAYTIME_SUNRISE = 0xFD;
constexpr uint8_t DAYTIME_SUNSET = 0xFC;

// State conditions, 2 bits each; any value with bit 0 set ignores the state.
constexpr uint8_t STATE_IGNORE = 0x3;
constexpr uint8_t STATE_WHEN_SET = 0x2;
constexpr uint8_t STATE_WHEN_UNSET = 0x0;

// The actions of one event id in the order they run. A record is shared with
// the action clipboard and lives while either refers to it.
using eventActionList = QList<std::shared_ptr<eventAction>>;

class eventTable {
public:
    eventTable();
    ~eventTable();
    eventTable(const eventTable&) = delete;
    eventTable& operator=(const eventTable&) = delete;

    // Accessors: an id above 4975, an id without a list or a position outside
    // the list gives the fixed "missing" result noted at each.
    int actionCount(int id) const;                                  // -1
    eventAction* action(int id, int i) const;                       // null
    int setNumber(int id, int i, int value);                        // -1, else 0
    int setSubAction(int id, int i, int sub);                       // -1, else 0
    int setActionType(int id, int i, int type);                     // -1, else 0
    // Overwrites action i of the list of record->eventId with the record's 24 bytes.
    int setAction(const eventAction* record, int i);                // -1, else 0
    int setStateLimits(int id, int i, uint8_t states1to4, const uint32_t words[4]);  // -1, else 0
    int setDaytimeLimit(int id, int i, uint8_t from, uint8_t to);   // -1, else 0
    // states1to4, and the four words into `words` when given.
    int stateLimits(int id, int i, uint32_t words[4]) const;        // 255 and 4 × 0xFFFFFFFF
    int daytimeFrom(int id, int i) const;                           // 255
    int daytimeTo(int id, int i) const;                             // 255
    int subAction(int id, int i) const;                             // -1
    int actionType(int id, int i) const;                            // -1
    int number(int id, int i) const;                                // -1
    QString actionText(int id, int i) const;                        // null string

    // List changes; an id above 4975 gives -1, and each creates the id's list.
    // Positions at or below 0 insert in front, at or past the end append.
    int insertAction(int id, int pos);                             // count - 1
    int insertActionCopy(int id, int pos, const eventAction* record);  // count - 1
    int appendAction(int id);                                      // its position
    int removeAction(int id, int i);                               // 0 / -1
    // Replaces the actions of `to` with those of `from` (which is left empty).
    int moveActions(int from, int to);                             // 0 / -1
    // Drops every list; the clipboard and enablingSource stay.
    void clear();

    // Writes the action records: 0 on success; -1 when more than 8190 actions
    // other than Enabling ones exist, and the image is then left as it was.
    int packEvents(uint8_t* image) const;
    // Rebuilds the lists from the action records; returns 0.
    int unpackEvents(const uint8_t* image);

    // One list per event id, created on the first insert.
    std::array<std::unique_ptr<eventActionList>, EVENT_COUNT> lists;
    kv310_controller_class* owner = nullptr;
    // The one source carrying Enabling actions: input 0..23, remote-control
    // button b as 24 + b; -1 none.
    int enablingSource = -1;
    // Actions copied by the action table for pasting.
    QList<std::shared_ptr<eventAction>> actionClipboard;

private:
    eventActionList* listOf(int id) const;
    eventActionList* ensureList(int id);
    int insertRecord(int id, int pos, const eventAction& content);
};
