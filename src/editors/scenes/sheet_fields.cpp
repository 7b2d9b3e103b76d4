#include "editors/scenes/sheet_fields.h"

#include <cstring>
#include <utility>

namespace {

enum eventKind : int { NAME, CELL, LINE_END };

}  // namespace

struct sheetFields::heldEvent {
    int kind = LINE_END;
    int index = 0;
    bool cut = false;
    bool alone = false;
    std::string text;
    std::shared_ptr<heldEvent> before;  // the event held before this one

    heldEvent() = default;
    heldEvent(const heldEvent&) = delete;
    heldEvent& operator=(const heldEvent&) = delete;
    // A chain as long as a line has cells is let go a link at a time: the
    // default would recurse once per link.
    ~heldEvent()
    {
        std::shared_ptr<heldEvent> next = std::move(before);
        while (next && next.use_count() == 1) {
            std::shared_ptr<heldEvent> after = std::move(next->before);
            next = std::move(after);
        }
    }
};

struct sheetFields::world {
    enum mode_t : unsigned char { START, PLAIN, QUOTED, PASS };
    int field = 0;                    // 0 the row name, k cell k - 1
    sheetRowShape shape;              // of the row, once its name is read
    mode_t mode = START;              // START: no byte of the field yet; PASS: nothing more of the line counts
    quoteScan scan = quoteScan::IN;   // of the own quoted field
    bool over = false;                // bytes beyond those kept came
    std::string text;                 // of the field, at most its cap and one byte (the CR of a line end)
    std::vector<quoteScan> judges;    // fields this reading takes as plain that began with a quote, undecided
    std::shared_ptr<heldEvent> held;  // fields held back while other readings go on, the latest first
};

sheetFields::sheetFields(sheetFieldSink& sink, size_t nameCap)
    : sink(sink)
    , nameCap(nameCap)
{
    worlds.emplace_back();
}

sheetFields::~sheetFields() = default;

// One byte after the opening quote of a field: whether it shows the field
// quoted (its single quote followed by a separator or the line end) or
// plain (a single quote followed by anything else, or the line end inside).
sheetFields::verdict sheetFields::judge(quoteScan& scan, char c)
{
    switch (scan) {
    case quoteScan::IN:
        if (c == '"')
            scan = quoteScan::SEEN;
        else if (c == '\n')
            return verdict::PLAIN;
        return verdict::OPEN;
    case quoteScan::SEEN:
        if (c == '"') {
            scan = quoteScan::IN;  // "" stands for one quote
            return verdict::OPEN;
        }
        if (c == ';' || c == '\n')
            return verdict::QUOTED;
        if (c == '\r') {
            scan = quoteScan::CR_SEEN;
            return verdict::OPEN;
        }
        return verdict::PLAIN;
    case quoteScan::CR_SEEN:
        return c == '\n' ? verdict::QUOTED : verdict::PLAIN;
    }
    return verdict::PLAIN;
}

bool sheetFields::counts(const world& w) const
{
    return w.field == 0 || w.field - 1 < w.shape.cells;
}

size_t sheetFields::capOf(const world& w) const
{
    return w.field == 0 ? nameCap : w.shape.cap;
}

void sheetFields::append(world& w, const char* p, size_t n)
{
    const size_t keep = capOf(w) + 1;
    const size_t room = keep > w.text.size() ? keep - w.text.size() : 0;
    if (n > room) {
        w.text.append(p, room);
        w.over = true;
    } else {
        w.text.append(p, n);
    }
}

// A field that begins with a quote: this world reads it as it stands, a new
// one reads it quoted.
void sheetFields::split(world& w)
{
    world quoted = w;
    quoted.mode = world::QUOTED;
    quoted.scan = quoteScan::IN;
    born.push_back(std::move(quoted));
    append(w, "\"", 1);
    w.mode = world::PLAIN;
    w.judges.push_back(quoteScan::IN);
}

// One byte for one reading; false when the byte shows it wrong.
bool sheetFields::step(world& w, char c)
{
    for (size_t j = 0; j < w.judges.size();) {
        switch (judge(w.judges[j], c)) {
        case verdict::QUOTED:
            return false;
        case verdict::PLAIN:
            w.judges.erase(w.judges.begin() + std::ptrdiff_t(j));
            break;
        case verdict::OPEN:
            ++j;
            break;
        }
    }
    switch (w.mode) {
    case world::QUOTED: {
        const quoteScan before = w.scan;
        switch (judge(w.scan, c)) {
        case verdict::OPEN:
            // Text, or the second quote of "": the first stands for nothing.
            if ((before == quoteScan::IN && c != '"') || (before == quoteScan::SEEN && c == '"'))
                append(w, &c, 1);
            return true;
        case verdict::QUOTED:
            finish(w, true, c == '\n');
            return true;
        case verdict::PLAIN:
            return false;
        }
        return false;
    }
    case world::START:
        if (c == '"') {
            split(w);
            return true;
        }
        [[fallthrough]];
    case world::PLAIN:
        if (c == ';' || c == '\n') {
            finish(w, false, c == '\n');
        } else {
            append(w, &c, 1);
            w.mode = world::PLAIN;
        }
        return true;
    case world::PASS:
        if (c == '\n')
            endLine(w);
        return true;
    }
    return true;
}

// The end of the input for one reading: a quote followed by it closes.
bool sheetFields::stepAtEnd(world& w)
{
    for (const quoteScan judgeScan : w.judges)
        if (judgeScan != quoteScan::IN)
            return false;
    w.judges.clear();
    switch (w.mode) {
    case world::QUOTED:
        if (w.scan == quoteScan::IN)
            return false;
        finish(w, true, true);
        break;
    case world::START:
        if (w.field > 0)
            finish(w, false, true);  // the empty cell after a last separator
        break;
    case world::PLAIN:
        finish(w, false, true);
        break;
    case world::PASS:
        endLine(w);
        break;
    }
    return true;
}

void sheetFields::stepAll(char c)
{
    size_t kept = 0;
    for (size_t i = 0; i < worlds.size(); ++i)
        if (step(worlds[i], c)) {
            if (kept != i)
                worlds[kept] = std::move(worlds[i]);
            ++kept;
        }
    worlds.resize(kept);
    settle();
}

void sheetFields::finish(world& w, bool quoted, bool endsLine)
{
    // The CR of a CR LF line end belongs to no field.
    if (!quoted && endsLine && !w.over && !w.text.empty() && w.text.back() == '\r')
        w.text.pop_back();
    const size_t cap = capOf(w);
    const bool cut = w.over || w.text.size() > cap;
    if (w.text.size() > cap)
        w.text.resize(cap);
    if (w.field == 0) {
        w.shape = sink.shapeOf(w.text.data(), w.text.size(), cut);
        output(w, NAME, cut, endsLine);
    } else {
        output(w, CELL, cut, false);
    }
    w.text.clear();
    w.over = false;
    if (endsLine) {
        endLine(w);
        return;
    }
    ++w.field;
    w.mode = counts(w) ? world::START : world::PASS;
}

void sheetFields::endLine(world& w)
{
    output(w, LINE_END, false, false);
    w.field = 0;
    w.shape = sheetRowShape{};
    w.mode = world::START;
}

// The reading alone goes to the sink at once; one of several is held back.
void sheetFields::output(world& w, int kind, bool cut, bool alone)
{
    if (worlds.size() + born.size() == 1) {
        deliver(kind, w.field - 1, w.text, cut, alone);
        return;
    }
    auto e = std::make_shared<heldEvent>();
    e->kind = kind;
    e->index = w.field - 1;
    e->cut = cut;
    e->alone = alone;
    if (kind != LINE_END)
        e->text = w.text;
    e->before = std::move(w.held);
    w.held = std::move(e);
}

void sheetFields::deliver(int kind, int index, const std::string& text, bool cut, bool alone)
{
    switch (kind) {
    case NAME:
        sink.rowName(text.data(), text.size(), cut, alone);
        break;
    case CELL:
        sink.cell(index, text.data(), text.size(), cut);
        break;
    default:
        sink.lineEnd();
        break;
    }
}

void sheetFields::flushHeld(world& w)
{
    std::vector<heldEvent*> events;
    for (heldEvent* e = w.held.get(); e; e = e->before.get())
        events.push_back(e);
    for (auto e = events.rbegin(); e != events.rend(); ++e)
        deliver((*e)->kind, (*e)->index, (*e)->text, (*e)->cut, (*e)->alone);
    w.held.reset();
}

void sheetFields::settle()
{
    for (world& w : born)
        worlds.push_back(std::move(w));
    born.clear();
    // One reading always holds: the one each decided quote agrees with.
    // Should none be left, the rest of the line is passed over.
    if (worlds.empty()) {
        worlds.emplace_back();
        worlds.back().mode = world::PASS;
    }
    if (worlds.size() == 1 && worlds.front().held)
        flushHeld(worlds.front());
}

void sheetFields::take(const char* p, size_t n)
{
    while (n > 0) {
        world& w = worlds.front();
        if (worlds.size() > 1 || !w.judges.empty() || w.mode == world::QUOTED) {
            stepAll(*p);
            ++p;
            --n;
            continue;
        }
        if (w.mode == world::PASS) {
            const char* lf = static_cast<const char*>(std::memchr(p, '\n', n));
            if (!lf)
                return;
            endLine(w);
            n -= size_t(lf - p) + 1;
            p = lf + 1;
            continue;
        }
        if (w.mode == world::START && *p == '"') {
            split(w);
            settle();
            ++p;
            --n;
            continue;
        }
        size_t i = 0;
        while (i < n && p[i] != ';' && p[i] != '\n')
            ++i;
        if (i < n && w.mode == world::START && w.field > 0) {
            // A whole cell within these bytes: straight to the sink, as
            // nearly every cell of a sheet comes.
            const bool endsLine = p[i] == '\n';
            const size_t length = endsLine && i > 0 && p[i - 1] == '\r' ? i - 1 : i;
            const bool cut = length > w.shape.cap;
            sink.cell(w.field - 1, p, cut ? w.shape.cap : length, cut);
            if (endsLine) {
                endLine(w);
            } else {
                ++w.field;
                w.mode = counts(w) ? world::START : world::PASS;
            }
        } else {
            if (i > 0) {
                append(w, p, i);
                w.mode = world::PLAIN;
            }
            if (i == n)
                return;
            finish(w, false, p[i] == '\n');
        }
        p += i + 1;
        n -= i + 1;
    }
}

void sheetFields::end()
{
    size_t kept = 0;
    for (size_t i = 0; i < worlds.size(); ++i)
        if (stepAtEnd(worlds[i])) {
            if (kept != i)
                worlds[kept] = std::move(worlds[i]);
            ++kept;
        }
    worlds.resize(kept);
    settle();
}
