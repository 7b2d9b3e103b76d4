#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// How much of a row's cells is worth keeping, known from the row's name.
struct sheetRowShape {
    int cells = 0;    // cells that count, from the first; the rest of the line is passed over
    size_t cap = 0;   // bytes kept of each
};

// Where the fields of a sheet's lines go, in file order: for every line its
// row name, the cells that count, then its end.
class sheetFieldSink {
public:
    virtual ~sheetFieldSink() = default;
    // What counts of a row of this name (cut: longer than the name cap). Asked
    // while the reading of a line is still open: it must not act.
    virtual sheetRowShape shapeOf(const char* name, size_t n, bool cut) const = 0;
    // `alone`: the line holds no separator.
    virtual void rowName(const char* name, size_t n, bool cut, bool alone) = 0;
    // `cut`: the cell held more than the shape's cap, the n bytes given.
    virtual void cell(int index, const char* text, size_t n, bool cut) = 0;
    virtual void lineEnd() = 0;
};

// Splits the lines of a sheet (after its first line) into fields at ";", as
// the bytes come, within bounded memory. A line ends with LF, CR LF or the
// end of the input.
//
// A field that begins with a quote is a quoted field only when, reading on
// from that quote with each "" standing for one quote, the first single
// quote is followed by a separator, the line end or the end of the input:
// the field is then the text between, and separators inside belong to it.
// Any other field is read as it stands, quotes included, up to the next
// separator: descriptions written as they are ("A" b) keep their quotes and
// their columns. Which reading holds is known only at that single quote,
// which may lie several separators on; until then both readings go on side
// by side ("worlds"), the fields of each held back, and a field of the plain
// reading that begins with a quote is judged the same way in turn. Every
// world but one ends at the line end at the latest.
class sheetFields {
public:
    sheetFields(sheetFieldSink& sink, size_t nameCap);
    ~sheetFields();
    sheetFields(const sheetFields&) = delete;
    sheetFields& operator=(const sheetFields&) = delete;

    void take(const char* p, size_t n);
    // At the end of the input: a last line without its line end counts whole.
    void end();

private:
    struct event;
    struct heldEvent;
    struct world;
    // A quoted field read from its opening quote: in its text, just after a
    // quote, after that quote and a CR.
    enum class quoteScan : unsigned char { IN, SEEN, CR_SEEN };
    enum class verdict { OPEN, QUOTED, PLAIN };

    static verdict judge(quoteScan& scan, char c);

    bool counts(const world& w) const;
    size_t capOf(const world& w) const;
    void append(world& w, const char* p, size_t n);
    void split(world& w);
    bool step(world& w, char c);
    bool stepAtEnd(world& w);
    void stepAll(char c);
    void finish(world& w, bool quoted, bool endsLine);
    void endLine(world& w);
    void output(world& w, int kind, bool cut, bool alone);
    void deliver(int kind, int index, const std::string& text, bool cut, bool alone);
    void flushHeld(world& w);
    void settle();

    sheetFieldSink& sink;
    size_t nameCap;
    std::vector<world> worlds;
    std::vector<world> born;  // split off while a byte is stepped
};
