#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;

// A DMX sheet: a semicolon-separated text of scene or mask records, one
// record per column, for editing in a spreadsheet. Line 1 is the header,
// then the rows: the record numbers (1-based), "RiseTime", "LastTime"
// (scenes only; -1 = infinite), "FallTime", "C1" to "C512" and "desc".
// Every line ends with LF. Descriptions are written without separators and
// line breaks; only one that begins with a quote is written quoted, so
// that a spreadsheet takes it as one cell. Spreadsheets quote cells of
// their own accord, and the reader takes quoted cells as they mean them;
// sheets written before descriptions were quoted hold them as they are,
// quotes and all, and read as written.

// One record column of a sheet as read.
struct dmx_sheet_row {
    uint16_t number = 0xFFFF;   // from the number row, as the sheet gives it; 0xFFFF none
    uint16_t fadeUp = 0;        // time codes in tenths of a second
    uint16_t duration = 0xFFFF; // 0xFFFF infinite
    uint16_t fadeDown = 0;
    std::array<uint8_t, 512> channels{};
    QString description;
    bool descriptionCut = false;  // the sheet's was longer than the reader keeps
};

// The columns of a sheet, owned, in the order the reader leaves them.
using dmxSheetColumns = std::vector<std::unique_ptr<dmx_sheet_row>>;

// What sets a scene sheet apart from a mask sheet.
struct dmxSheetKind {
    const char* header;          // first line as written
    const char* numberRow;       // name of the number row
    bool durationRow;            // "LastTime" is written
    int records;                 // records of the table: the highest number kept and the most columns read
    uint32_t channels;           // image offset of record 0's levels, 512 bytes per record
    uint32_t times;              // image offset of record 0's fadeTimes, 8 bytes per record
    const char* badChannelText;  // debug text of a channel row naming no channel 1..512
    bool timesNeverAllZero;      // a record stored with all three times 0 gets a duration of 1 s

    static const dmxSheetKind& scenes();
    static const dmxSheetKind& masks();
};

// The order of read columns: by number, compared as unsigned 16-bit values.
bool sheetRowLess(const dmx_sheet_row* a, const dmx_sheet_row* b);

// What a sheet held that reaches no record, for the user to hear of.
struct dmxSheetFindings {
    // Number cells that held something other than a whole number: they
    // count as empty.
    int unreadCells = 0;
    QString unreadRow;     // the first one's row name, as the sheet gives it
    int unreadColumn = 0;  // and its sheet column, 1 for the first record column
    // Lines whose row name is none of the page's (a channel row naming no
    // channel 1..512 included): they are ignored.
    int rowsNotUnderstood = 0;
    QString firstRowNotUnderstood;  // its first 40 characters
};

namespace dmxSheet {

// Writes records first..last (0-based, within the table) of the image and
// the descriptions as a sheet. False when the device took fewer bytes than
// it was given.
bool write(QIODevice& out, const dmxSheetKind& kind, const uint8_t* image, const QString* descriptions, int first,
           int last);

enum readStatus {
    READ_OK,       // columns hold at least one column, numbered and sorted
    READ_INVALID,  // no first line, or only the bare mask header: columns untouched
    READ_EMPTY,    // the sheet holds no record: columns emptied
};

// Reads a sheet. Every line is read whole and split at ";"; a cell that
// begins with a quote is a quoted field ("" stands for a quote, and a ";"
// inside belongs to the cell) when its first single quote is followed by a
// separator or the line end, and is read as it stands otherwise, up to the
// next separator (sheet_fields.h). Cells beyond `records` columns are
// ignored, and a column is kept only when some row gave it a valid,
// non-empty cell; descriptions are kept to 1024 bytes. Numbers are kept
// within 0..records; columns without one take the lowest free numbers
// from 1. Rows not understood are named in the debug output and ignored;
// they and the number cells that cannot be read are counted in `findings`
// when given.
readStatus read(QIODevice& in, const dmxSheetKind& kind, dmxSheetColumns& columns,
                dmxSheetFindings* findings = nullptr);

// The most bytes of a description the reader keeps.
constexpr int descriptionBytes = 1024;

struct storeResult {
    int stored = 0;           // records written, each once
    int replaced = 0;         // columns not stored: a column further right in the sheet went to their record
    int descriptionsCut = 0;  // of the records written, those whose description the reader cut
    int timesRepaired = 0;    // of them, records whose three times were 0 and now last 1 s
    int outside = -1;         // number of the first column whose record lies outside the table; then none is stored
};

// Stores the columns numbered from..to, in the order the reader leaves
// them, into records number + shift - 1 of the image and the descriptions
// (all but the fourth time word); of columns with one number, only the
// last is stored. When the record of one of them would lie outside the
// table, nothing is stored.
storeResult store(const dmxSheetColumns& columns, const dmxSheetKind& kind, uint8_t* image, QString* descriptions,
                  int from, int to, int shift);

}  // namespace dmxSheet
