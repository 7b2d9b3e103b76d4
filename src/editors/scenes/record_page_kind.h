#pragma once

#include "model/record_copy.h"

#include <QBrush>
#include <QString>

#include <cstdint>

class kv310_controller_class;
struct dmxSheetKind;

// What sets scenes and masks apart on their pages: how many records there
// are, where their levels, times and descriptions live, the captions that
// name them, the colour of a list row and the all-times-zero rule.
struct recordPageKind {
    int kind;                     // admx512_sliders_widget kind: 0 scenes, 1 masks
    int count;                    // records
    uint32_t channels;            // image offset of record 0's levels, 512 bytes per record
    uint32_t times;               // image offset of record 0's fadeTimes, 8 bytes per record
    // Source texts, translated in the page's context.
    const char* listHeader;       // "Scene"
    const char* toolLabelAtStart; // "Scene: %1", until the first change of record
    const char* toolLabel;        // "Scene %1"
    const char* clearCaption;     // "Clear channels"
    const char* sheetTitle;       // "Import / Export Scenes"
    const char* relocateCaption;  // "Relocate scenes:"
    const char* uselessText;      // "Choose different source scene!"
    const char* importTitle;      // "Import scenes:"
    const char* exportTitle;      // "Export scenes:"
    const char* noneFound;        // "No valid scenes found!"
    const char* outsideTable;     // a column would land outside the table: %1 its number, %2 where, %3 records
    const char* imported;         // "%n scene(s) imported!"
    const char* replacedColumns;  // columns that went to a record a later column filled: %1 how many
    const char* exported;         // "%n scene(s) exported!"
    const char* tooManyColumns;   // the question before more than 255 records are exported
    const char* openSheetCaption; // "Choose DMX value sheet"
    const char* saveSheetCaption; // "Choose file to save scenes"
    uint8_t clearLevel;           // what the clear button writes to every channel
    int stepMaximum;              // of "Choose every"
    int rangeEndAtStart;          // toChannelBox when built
    int valueAtStart;             // valueFader when built
    // Scenes: a fade set to 0 checks the rule too, the duration counts in
    // it, and showing a record checks it. Masks: only a duration the user
    // sets to 0 checks it, against the fades.
    bool fadesInTimeRule;
    recordTable table;
    const dmxSheetKind* sheet;

    static const recordPageKind& scenes();
    static const recordPageKind& masks();

    QString* descriptions(kv310_controller_class* controller) const;
    // The background of record r's list row, from its 512 levels.
    QBrush rowBrush(int record, const uint8_t* levels) const;
};
