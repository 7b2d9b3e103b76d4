#pragma once

#include <QTime>
#include <cstdint>
#include <memory>
#include <vector>

class kv310_controller_class;

// One step of a program.
struct programStep {
    uint16_t scene = 0;
    bool infinite = false;          // the duration is infinite
    int16_t event = -1;             // event id raised by the step; -1 none
    QTime fadeUp = QTime(0, 0);
    QTime duration = QTime(0, 0, 1);
    QTime fadeDown = QTime(0, 0);   // used only on the last step of a repeating program
};

// The program page's step clipboard: a step with its source row. The copy
// keeps scene, times and infinite flag, never the event.
struct stepClipEntry {
    int row = 0;
    programStep step;

    stepClipEntry() = default;
    stepClipEntry(int fromRow, const programStep& from);
    stepClipEntry(const stepClipEntry& other);
    stepClipEntry& operator=(const stepClipEntry& other);
};

class programRecord {
public:
    explicit programRecord(int number);
    ~programRecord();
    programRecord(const programRecord&) = delete;
    programRecord& operator=(const programRecord&) = delete;

    int stepCount() const { return inUse; }
    // Step i in use; null when i is negative or not below stepCount().
    programStep* step(int i) const;
    // Removes and destroys step i when it is in the list; the steps in use
    // become the whole list.
    void removeStep(int i);
    // Inserts at i (0 or below: front; at or past the end: appended); the
    // steps in use become the whole list.
    void insertStep(int i, std::unique_ptr<programStep> s);
    // -1 for a null step; else appends it, counts one more step in use, 0.
    int appendStep(std::unique_ptr<programStep> s);
    // Grows the list with default steps up to n; a smaller n keeps the steps
    // beyond n in the list, so raising the count brings them back.
    void setStepCount(int n);
    // Destroys every step.
    void clear();
    // Takes each step's times from its scene in the image of theController.
    void timesFromScenes();

    std::vector<std::unique_ptr<programStep>> steps;  // may hold more than stepCount()
    int number;                                        // program number = image slot
    uint16_t recurrences = 1;                          // 1..100; 0 endless

private:
    int inUse = 0;
};

// An extra program entry: starts `program` from `fromStep`, in image slot `slot`.
struct extraEntry {
    uint16_t program = 0xFFFF;  // 0xFFFF none
    uint16_t fromStep = 0;
    uint16_t slot = 0;
};
// Entry i occupies slot 511 - i.
using extraEntryList = std::vector<std::unique_ptr<extraEntry>>;

class programTable {
public:
    programTable();
    ~programTable();
    programTable(const programTable&) = delete;
    programTable& operator=(const programTable&) = delete;

    // P = program number, S = step index. A missing program or step gives
    // the result noted at each.
    programRecord* appendProgram(std::unique_ptr<programRecord> program);
    void clear();
    int count() const { return int(list.size()); }
    programRecord* findProgram(int P) const;                       // null
    int setRecurrences(int P, int r);                              // -1, else 0
    int recurrences(int P) const;                                  // 1
    // Creates program P when it has none; P outside 0..511 is ignored.
    void setStepCount(int P, int n);
    int stepCount(int P) const;                                    // -1
    void removeStep(int P, int S);
    // Inserts a default step; a program never keeps more than 999 steps in use.
    void insertStep(int P, int S);
    programStep* step(int P, int S) const;                         // null
    int setFadeUp(int P, int S, const QTime& t);                   // -1, else 0
    int setDuration(int P, int S, const QTime& t);                 // -1, else 0 (not infinite)
    int setFadeDown(int P, int S, const QTime& t);                 // -1, else 0
    QTime fadeUp(int P, int S) const;                              // 00:00:00.000
    QTime duration(int P, int S) const;                            // 00:00:00.000
    QTime fadeDown(int P, int S) const;                            // 00:00:00.000
    programStep* setInfinite(int P, int S);                        // null
    bool isInfinite(int P, int S) const;                           // false
    // Copy scene, times and infinite flag (never the event).
    bool setStep(int P, int S, const programStep& from);           // false
    bool getStep(int P, int S, programStep& to) const;             // false
    int setStepEvent(int P, int S, int e);                         // -1, else 0
    int stepEvent(int P, int S) const;                             // -1, else 0..0xFFFF
    int setScene(int P, int S, int sc);                            // -1, else 0
    int scene(int P, int S) const;                                 // -1

    // Writes the programs and the owner's extra entries into the image: 0 on
    // success; -1 when the programs hold more steps than the image's step
    // records, after the "Program steps limit exceed!" warning, with the
    // image left as it was.
    int packPrograms(uint8_t* image) const;
    // Rebuilds the table and the owner's extra entries from the image; may
    // correct firstExtraSlot in the image. Returns 0.
    int unpackPrograms(uint8_t* image);

    std::vector<std::unique_ptr<programRecord>> list;  // in order of creation
    kv310_controller_class* owner = nullptr;
};
